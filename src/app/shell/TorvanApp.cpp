#include "app/shell/TorvanApp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QProcess>

#include <filesystem>

#include "core/config/IniStore.h"
#include "core/config/SettingsFiles.h"
#include "core/files/PathText.h"
#include "core/files/ProgramFiles.h"
#include "core/product/ProductCatalog.h"
#include "app/base/Help.h"
#include "app/shell/MainFrame.h"

namespace torvan {
namespace {

constexpr const char* kEnglishHelp = "enHelp.html";
constexpr const char* kChineseHelp = "chHelp.html";
constexpr const char* kTitleIcon = "title.ico";

QString FromView(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::filesystem::path ToPath(const QString& s) { return std::filesystem::path(s.toStdU16String()); }
QString FromPath(const std::filesystem::path& p) { return QString::fromStdU16String(p.u16string()); }

}  // namespace

CTorvanApp::CTorvanApp(CIniStore& ini, Options options)
    : m_ini(ini),
      m_options(std::move(options)),
      m_context(m_ini, m_options.programDir, m_options.programPath),
      m_startProcess([](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args);
      }) {
  m_context.restart = [this] { RestartProgram(); };
}

CTorvanApp::~CTorvanApp() {
  m_mainFrame.reset();
  HelpWindow::Destroy();
}

bool CTorvanApp::InitInstance() {
  // The settings store (a missing file is created empty). A shipped file
  // that may not be written is only read: changes go to the per-user copy.
  // Its result is not looked at: a store that could not open its file answers
  // every lookup with the default, and a missing language pack shows it.
  const ProgramFiles files(ToPath(m_options.programDir));
  for (const std::filesystem::path& folder : files.Folders()) m_context.programFolders << FromPath(folder);
  m_context.settingsFiles = ChooseSettingsFiles(files, ToPath(m_userConfigDir));
  const SettingsFiles& settings = m_context.settingsFiles;
  static_cast<void>(m_ini.OpenPath(
      settings.read, {.writeBackOnDestroy = !settings.ChangesGoToCopy(), .caseInsensitive = true, .keepBackup = false}));

  // Language name, display language, help file.
  m_context.languageName = LanguageName(m_ini);
  m_context.language = DisplayLanguageFromName(m_context.languageName);
  m_context.helpFileName =
      QString::fromLatin1(m_context.language == DisplayLanguage::Chinese ? kChineseHelp : kEnglishHelp);

  // The language pack; without it the program cannot show anything.
  QString pack;
  for (const QString& folder : m_context.programFolders) {
    pack = LanguagePack::Find(folder, QString::fromStdString(m_context.languageName));
    if (!pack.isEmpty()) break;
  }
  if (!m_pack.Load(pack)) {
    QMessageBox::warning(nullptr, m_context.messageCaption,
                         FromView(TextFor(Text::LoadLanguageDllFail, m_context.language)), QMessageBox::Ok);
    return false;
  }
  m_context.strings = m_pack.Strings();

  // The main window.
  m_mainFrame = std::make_unique<CMainFrame>(m_context);

  // The first document: the file named on the command line, or a new one.
  const QString file = m_options.args.isEmpty() ? QString() : m_options.args.constFirst();
  if (file.isEmpty() ? !m_mainFrame->NewDocument() : !m_mainFrame->OpenDocumentFile(file)) return false;

  // The main window fills the screen.
  m_mainFrame->showMaximized();

  // "title.ico" of the current folder as the window icon, when there is one.
  const QString ico = QDir::current().filePath(QString::fromLatin1(kTitleIcon));
  if (QFileInfo(ico).isFile()) {
    const QIcon icon(ico);
    if (!icon.isNull()) m_mainFrame->setWindowIcon(icon);
  }

  // The company names the program in message captions.
  const QString company = m_context.ProductString(ProductText::Company);
  if (!company.isEmpty()) m_context.messageCaption = company;

  // The About command's text.
  m_mainFrame->SetAboutText(m_context.ProductString(ProductText::AboutTitle));

  // "ShowLang" 0, empty or not a number hides the Language command.
  if (!LanguageCommandShown(m_ini)) m_mainFrame->RemoveLanguageCommand();
  return true;
}

void CTorvanApp::RestartProgram() {
  // The new program reads Program.ini at once: write it first and make sure
  // it holds the new language, or the restart would come back unchanged.
  const std::string wanted = LanguageName(m_ini);
  // A store still on a shipped file that may not be written has failed to
  // move to the per-user copy: writing it would change the installed file.
  const bool writable = m_ini.Path() == m_context.settingsFiles.write;
  if (writable) static_cast<void>(m_ini.WriteBack(false));  // the check below reads what the file now holds
  CIniStore check;
  const bool written = writable && check.OpenPath(m_ini.Path(), {}).ok() && LanguageName(check) == wanted;
  if (!written) {
    QMessageBox::warning(m_mainFrame.get(), m_context.messageCaption,
                         tr("The language could not be saved in %1.").arg(FromPath(m_context.settingsFiles.write)));
    return;
  }
  // Start the new program before this one goes away: if it cannot start, this
  // one stays, and the new language takes effect at the next start.
  if (!m_startProcess(m_options.programPath, {})) {
    QMessageBox::warning(m_mainFrame.get(), m_context.messageCaption,
                         tr("The program could not be started again (%1). The new language takes effect the next "
                            "time you start it.")
                             .arg(m_options.programPath));
    return;
  }
  if (m_mainFrame) m_mainFrame->close();
  QCoreApplication::quit();
}

}  // namespace torvan
