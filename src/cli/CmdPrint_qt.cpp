// torvan-cli print IN.dat -o OUT.pdf: the printed report (option page, then
// channel pages of seven channels) as a PDF file.
//
// Language: --lang, else "Language" of section "Setup" in the program's
// Program.ini (the user's copy, or the one shipped beside the executable or in
// ../share/torvan, as the desktop program reads it), else English. Owner line:
// --owner, else "Copyrights Owner" of that language's section of Program.ini,
// else none.

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSize>
#include <QStandardPaths>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "core/channels/TextGrid.h"
#include "core/config/IniStore.h"
#include "core/config/SettingsFiles.h"
#include "core/files/PathText.h"
#include "core/files/ProgramFiles.h"
#include "qtprint/ReportPrinting.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"
#include "core/radio/RadioImage.h"
#include "core/product/ProductCatalog.h"
#include "core/radio/ValueTexts.h"

namespace torvan::cli {
namespace {

constexpr const char* kVerb = "print";
constexpr const char* kEnglish = "English";
constexpr const char* kChinese = "Chinese";

// Qt's own chatter (font cache notes, a missing runtime folder) would break
// the rule of one line on stderr for a failure; the report's own errors come
// back as results and are printed by the verb.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "torvan-cli: %s\n", qPrintable(message));
}

// Installs QuietQtMessages for one verb and puts the previous handler back.
class QuietQt {
 public:
  QuietQt() : previous_(qInstallMessageHandler(QuietQtMessages)) {}
  ~QuietQt() { qInstallMessageHandler(previous_); }
  QuietQt(const QuietQt&) = delete;
  QuietQt& operator=(const QuietQt&) = delete;

 private:
  QtMessageHandler previous_;
};

struct PrintSettings {
  std::string languageName;  // names the Program.ini section of the product texts
  std::string owner;
};

// Reads the program's Program.ini, if there is one; never creates it.
PrintSettings SettingsFor(const std::optional<std::string>& lang, const std::optional<std::string>& owner) {
  PrintSettings s;
  s.languageName = lang.value_or("");
  // The user's folder is the desktop program's, whatever this program is called.
  QCoreApplication::setApplicationName(
      QString::fromUtf8(kProgramFolderName.data(), static_cast<qsizetype>(kProgramFolderName.size())));
  const std::filesystem::path userConfigDir(
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdU16String());
  const std::filesystem::path programDir(QCoreApplication::applicationDirPath().toStdU16String());
  const std::filesystem::path iniPath = ChooseSettingsFiles(ProgramFiles(programDir), userConfigDir).read;
  CIniStore ini;
  std::error_code ec;
  const bool haveIni = std::filesystem::is_regular_file(iniPath, ec) && ini.OpenPath(iniPath, {}).ok();
  if (haveIni && !lang) s.languageName = LanguageName(ini);
  if (owner) {
    s.owner = *owner;
  } else if (haveIni) {
    s.owner = ProductTextValue(ini, s.languageName, ProductText::CopyrightsOwner);
  }
  return s;
}

int RunPrint(const std::vector<std::string>& argv) {
  const Args args(argv, {"-o", "--lang", "--owner", "--paper"}, {});
  if (!args.ok()) return UsageError(kVerb, args.error());
  if (args.positionals().size() != 1) return UsageError(kVerb, "expected one input file");
  const auto outText = args.value("-o");
  if (!outText || outText->empty()) return UsageError(kVerb, "missing -o OUT.pdf");
  const NamedFile in = InputNamed("IN.dat", args.positionals()[0]);
  const NamedFile out = OutputNamed("-o", *outText);
  if (const std::string overlap = OverlapError({out}, {in}); !overlap.empty()) return UsageError(kVerb, overlap);
  const auto lang = args.value("--lang");
  if (lang && *lang != kEnglish && *lang != kChinese) {
    return UsageError(kVerb, "--lang must be English or Chinese, not \"" + *lang + "\"");
  }
  QPageSize::PageSizeId paper = QPageSize::A4;
  if (const auto p = args.value("--paper")) {
    if (*p == "Letter") {
      paper = QPageSize::Letter;
    } else if (*p != "A4") {
      return UsageError(kVerb, "--paper must be A4 or Letter, not \"" + *p + "\"");
    }
  }

  RadioImage image;
  if (const Status s = LoadDat(in.path, image); !s.ok()) return Fail(s.error());
  if (const Status s = CheckOutput(out); !s.ok()) return Fail(s.error());

  // Drawing text needs a GUI application; without a display the offscreen
  // platform draws just as well, and a PDF needs no display at all.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QuietQt quiet;
  int qtArgc = 1;
  char qtArg0[] = "torvan-cli";
  char* qtArgv[] = {qtArg0, nullptr};
  QGuiApplication app(qtArgc, qtArgv);

  const PrintSettings settings = SettingsFor(lang, args.value("--owner"));
  const DisplayLanguage language = DisplayLanguageFromName(settings.languageName);

  MemoryTextGrid grid;
  const BandLimits band = DecodeImage(image, grid, language);
  static_cast<void>(band);  // the report prints channels and options, not the band

  const print::ReportSource source{grid, image, settings.owner, language};
  const QString title = QFileInfo(QString::fromStdString(in.text)).fileName();
  const Result<QByteArray> pdf = print::ReportPdfBytes(source, print::PdfPageLayout(paper), title);
  if (!pdf) return Fail(out.text + ": " + pdf.error());
  const QByteArray& bytes = pdf.value();
  const Status s = WriteOutput(
      out, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                         static_cast<std::size_t>(bytes.size())));
  return s.ok() ? kExitOk : Fail(s.error());
}

TORVAN_CLI_COMMAND(CommandInfo{
    kVerb, "print IN.dat -o OUT.pdf [--lang English|Chinese] [--owner TEXT] [--paper A4|Letter]",
    "print the option page and the channel pages to a PDF file (language and owner line from the "
    "program's Program.ini unless given)",
    RunPrint, 60});

}  // namespace
}  // namespace torvan::cli
