#include "app/shell/TorvanApp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QProcess>

#include "core/config/IniStore.h"
#include "core/files/PathText.h"
#include "core/radio/NumberText.h"
#include "app/base/Help.h"
#include "app/shell/MainFrame.h"

namespace torvan {
namespace {

constexpr const char* kIniFile = "Program.ini";
constexpr const char* kEnglishHelp = "enHelp.html";
constexpr const char* kChineseHelp = "chHelp.html";
constexpr const char* kTitleIcon = "title.ico";

QString FromView(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

CTorvanApp::CTorvanApp(CIniStore& ini, Options options)
    : m_ini(ini), m_options(std::move(options)), m_startProcess([](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args);
      }) {
  m_context.ini = &m_ini;
  m_context.programDir = m_options.programDir;
  m_context.programPath = m_options.programPath;
  m_context.restart = [this] { RestartProgram(); };
  detail::SetCurrentApp(&m_context);
}

CTorvanApp::~CTorvanApp() {
  m_mainFrame.reset();
  HelpWindow::Destroy();
  detail::SetCurrentApp(nullptr);
}

bool CTorvanApp::InitInstance() {
  // 1. The settings store (a missing file is created empty).
  // Its result is not looked at: a store that could not open its file answers
  // every lookup with the default, and what is missing shows in step 3.
  static_cast<void>(m_ini.Open(kIniFile, {.writeBackOnDestroy = true, .caseInsensitive = true, .keepBackup = false}));

  // 2. Language name, display language, help file.
  m_context.languageName = m_ini.GetValue("Setup", "Language", "");
  m_context.language = DisplayLanguageFromName(m_context.languageName);
  m_context.helpFileName =
      QString::fromLatin1(m_context.language == DisplayLanguage::Chinese ? kChineseHelp : kEnglishHelp);

  // 3. The language pack; without it the program cannot show anything.
  const QString pack = LanguagePack::Find(m_options.programDir, QString::fromStdString(m_context.languageName));
  if (!m_pack.Load(pack)) {
    QMessageBox::warning(nullptr, m_context.messageCaption,
                         FromView(TextFor(Text::LoadLanguageDllFail, m_context.language)), QMessageBox::Ok);
    return false;
  }
  m_context.strings = m_pack.Strings();

  // 8. The main window.
  m_mainFrame = std::make_unique<CMainFrame>();

  // 9. The first document: the file named on the command line, or a new one.
  const QString file = m_options.args.isEmpty() ? QString() : m_options.args.constFirst();
  if (file.isEmpty() ? !m_mainFrame->NewDocument() : !m_mainFrame->OpenDocumentFile(file)) return false;

  // 10. Maximized.
  m_mainFrame->showMaximized();

  // 11. "title.ico" of the current folder as the window icon, when there is one.
  const QString ico = QDir::current().filePath(QString::fromLatin1(kTitleIcon));
  if (QFileInfo(ico).isFile()) {
    const QIcon icon(ico);
    if (!icon.isNull()) m_mainFrame->setWindowIcon(icon);
  }

  // 12. The company names the program in message captions.
  const QString company = m_context.ProductText("Company");
  if (!company.isEmpty()) m_context.messageCaption = company;

  // 13. The About command's text.
  m_mainFrame->SetAboutText(m_context.ProductText("About Title"));

  // 14. "ShowLang" 0, empty or not a number hides the Language command.
  if (AtoI(m_context.SetupValue("ShowLang").toStdString()) == 0) m_mainFrame->RemoveLanguageCommand();
  return true;
}

void CTorvanApp::RestartProgram() {
  // The new program reads Program.ini at once: write it first and make sure
  // it holds the new language, or the restart would come back unchanged.
  const std::string wanted = m_ini.GetValue("Setup", "Language", "");
  static_cast<void>(m_ini.WriteBack(false));  // the check below reads what the file now holds
  CIniStore check;
  const bool written = check.OpenPath(m_ini.Path(), {}).ok() && check.GetValue("Setup", "Language", "") == wanted;
  if (!written) {
    QMessageBox::warning(m_mainFrame.get(), m_context.messageCaption,
                         tr("The language could not be saved in %1.").arg(QString::fromStdString(PathText(m_ini.Path()))));
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
