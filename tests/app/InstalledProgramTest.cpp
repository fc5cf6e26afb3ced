// The desktop program as a package installs it: its files in ../share/torvan
// (or beside it in a folder it may not write), the language chosen in
// Setup > Language kept in the user's copy of Program.ini, which the restarted
// program reads.

#include <QRadioButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "AppHarness.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/channels/TorvanView.h"
#include "app/shell/LanguageDialog.h"

namespace torvan::test {
namespace {

namespace fs = std::filesystem;

constexpr auto kReadOnlyFile = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
constexpr auto kReadOnlyDir = kReadOnlyFile | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }

enum class Layout {
  kShared,          // P/bin/torvan, the files in P/share/torvan (an installed package)
  kReadOnlyBeside,  // the files beside the program in a folder nobody may write
};

struct LayoutCase {
  const char* name;
  Layout layout;
};
void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

// A tree P/bin, P/share/torvan, P/config/torvan (the user's folder) with the
// program's files where `layout` puts them, and the program started from P/bin.
class InstalledTree {
 public:
  explicit InstalledTree(Layout layout) : layout_(layout) {
    fs::create_directories(Bin());
    fs::create_directories(Files());
    for (const char* name : {"English.rcc", "Chinese.rcc", "enHelp.html", "chHelp.html"}) {
      fs::copy_file(fs::path(TORVAN_PROGRAM_DIR) / name, Files() / name);
    }
    std::ofstream(ShippedIni(), std::ios::binary) << kEnglishIni;
    if (layout_ == Layout::kReadOnlyBeside) {
      fs::permissions(ShippedIni(), kReadOnlyFile);
      fs::permissions(Bin(), kReadOnlyDir);
    }
  }
  ~InstalledTree() {
    Stop();
    std::error_code ec;
    fs::permissions(Bin(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  InstalledTree(const InstalledTree&) = delete;
  InstalledTree& operator=(const InstalledTree&) = delete;

  fs::path Bin() const { return dir_.path() / "bin"; }
  fs::path Files() const { return layout_ == Layout::kShared ? dir_.path() / "share/torvan" : Bin(); }
  fs::path ShippedIni() const { return Files() / "Program.ini"; }
  fs::path UserDir() const { return dir_.path() / "config/torvan"; }
  fs::path UserIni() const { return UserDir() / "Program.ini"; }
  fs::path Root() const { return dir_.path(); }

  bool Start(const QString& userDir = {}) {
    ini_ = std::make_unique<CIniStore>();
    app_ = std::make_unique<CTorvanApp>(*ini_, CTorvanApp::Options{Q(Bin()), Q(Bin() / "torvan"), {}});
    app_->SetUserConfigDir(userDir.isEmpty() ? Q(UserDir()) : userDir);
    app_->SetProcessStarter([this](const QString& program, const QStringList&) {
      started_ << program;
      return true;
    });
    const bool ok = app_->InitInstance();
    if (ok) {
      Frame()->activateWindow();
      QApplication::processEvents();
    }
    return ok;
  }
  // The program ends: the store writes itself back as it goes.
  void Stop() {
    while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    app_.reset();
    ini_.reset();
  }

  CMainFrame* Frame() const { return app_ ? app_->MainFrame() : nullptr; }
  AppContext& Context() { return app_->Context(); }
  const QStringList& Started() const { return started_; }

  // Setup > Language, Chinese chosen from the keyboard, OK.
  void ChooseChinese() {
    AppHarness::ChooseChineseInLanguageDialog();
    Frame()->Action(cmd::kLanguage)->trigger();
    QApplication::processEvents();
  }

 private:
  TempDir dir_;
  Layout layout_;
  std::unique_ptr<CIniStore> ini_;
  std::unique_ptr<CTorvanApp> app_;
  QStringList started_;
};

class Installed : public testing::TestWithParam<LayoutCase> {};

TEST_P(Installed, StartsWithItsFilesAndHelpFromWhereTheyLie) {
  InstalledTree t(GetParam().layout);
  ASSERT_TRUE(t.Start());
  EXPECT_TRUE(t.Frame()->isVisible());
  EXPECT_EQ(t.Frame()->Menus().at(0)->title(), "&File");
  EXPECT_EQ(t.Context().messageCaption, "Kestrel Bay Communications");
  EXPECT_FALSE(fs::exists(t.UserIni()));  // nothing is copied until something changes

  CMSFlexGrid& grid = t.Frame()->ActiveView()->Grid();
  grid.setFocus();
  QApplication::processEvents();
  QTest::keyClick(&grid, Qt::Key_F1);
  ASSERT_NE(HelpWindow::Instance(), nullptr);
  EXPECT_EQ(fs::path(HelpWindow::Instance()->CurrentFile().toStdString()), t.Files() / "enHelp.html");
}

TEST_P(Installed, LanguageGoesToTheUsersCopyWhichTheRestartedProgramReads) {
  InstalledTree t(GetParam().layout);
  const std::string shipped = Slurp(t.ShippedIni());
  ASSERT_TRUE(t.Start());
  t.ChooseChinese();
  ASSERT_EQ(t.Started().size(), 1) << "no restart";
  EXPECT_EQ(t.Started().front(), Q(t.Bin() / "torvan"));
  EXPECT_FALSE(t.Frame()->isVisible());
  // The copy holds the new language before the new program starts.
  EXPECT_NE(Slurp(t.UserIni()).find("Language=Chinese"), std::string::npos) << Slurp(t.UserIni());
  t.Stop();
  EXPECT_EQ(Slurp(t.ShippedIni()), shipped);
  // The whole file went along: product texts and radio types too.
  EXPECT_NE(Slurp(t.UserIni()).find("Company=Kestrel Bay Communications"), std::string::npos);

  // The restarted program: Chinese, from the copy.
  ASSERT_TRUE(t.Start());
  EXPECT_EQ(t.Context().language, DisplayLanguage::Chinese);
  EXPECT_EQ(t.Frame()->Menus().at(0)->title(), "文件(&F)");
  EXPECT_EQ(TitleText(t.Frame()), "Torvan 写频软件  [ 类型:TV-400  频率:400 - 420MHz ]");
  t.Stop();
  EXPECT_EQ(Slurp(t.ShippedIni()), shipped);
}

TEST_P(Installed, ACopyThatCannotBeMadeIsReportedAndNothingRestarts) {
  InstalledTree t(GetParam().layout);
  const std::string shipped = Slurp(t.ShippedIni());
  // The user's folder cannot be made: a file stands where its parent would be.
  std::ofstream(t.Root() / "blocked") << "not a folder";
  ASSERT_TRUE(t.Start(Q(t.Root() / "blocked/torvan")));
  QString message;
  // The refusal that follows is answered with OK.
  AppHarness::ChooseChineseInLanguageDialog([&] { AppHarness::AnswerMessageBox(QMessageBox::Ok, &message); });
  t.Frame()->Action(cmd::kLanguage)->trigger();
  QApplication::processEvents();
  EXPECT_EQ(message, "The language could not be saved in " + Q(t.Root() / "blocked/torvan/Program.ini") + ".");
  EXPECT_TRUE(t.Started().isEmpty());
  EXPECT_TRUE(t.Frame()->isVisible());
  t.Stop();
  EXPECT_EQ(Slurp(t.ShippedIni()), shipped);  // also for root, who could write it
}

INSTANTIATE_TEST_SUITE_P(Program, Installed,
                         testing::Values(LayoutCase{"Shared", Layout::kShared},
                                         LayoutCase{"ReadOnlyBeside", Layout::kReadOnlyBeside}),
                         [](const testing::TestParamInfo<LayoutCase>& i) { return i.param.name; });

}  // namespace
}  // namespace torvan::test
