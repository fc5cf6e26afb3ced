// Start-up: Program.ini, the language pack, the texts of each language.

#include <QDialogButtonBox>
#include <QDockWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <ostream>

#include "AppHarness.h"
#include "app/channels/ChildFrame.h"
#include "app/channels/TorvanView.h"
#include "app/base/CommandIds.h"
#include "app/shell/NavigatorBar.h"

namespace torvan::test {
namespace {

struct MissingPackCase {
  const char* name;
  std::optional<std::string> ini;
  bool englishPack;
  bool chinesePack;
  const char* message;
};

// CTest lists each case by its name rather than by its bytes.
void PrintTo(const MissingPackCase& c, std::ostream* os) { *os << c.name; }

class MissingPack : public testing::TestWithParam<MissingPackCase> {};

TEST_P(MissingPack, ShowsLoadFailureAndEnds) {
  const MissingPackCase& c = GetParam();
  AppHarness h({c.ini, c.englishPack, c.chinesePack});
  QString text;
  AppHarness::AnswerMessageBox(QMessageBox::Ok, &text);
  EXPECT_FALSE(h.Start());
  EXPECT_EQ(text, QString::fromUtf8(c.message));
  EXPECT_EQ(h.Frame(), nullptr);
  // Without Program.ini the store leaves an empty one beside the program.
  if (!c.ini) {
    EXPECT_TRUE(h.Exists("Program.ini"));
    EXPECT_TRUE(h.ReadFile("Program.ini").isEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Startup, MissingPack,
    testing::Values(MissingPackCase{"NoProgramIni", std::nullopt, true, true, "Load language DLL fail"},
                    MissingPackCase{"NoEnglishPack", std::string(kEnglishIni), false, true, "Load language DLL fail"},
                    MissingPackCase{"NoChinesePack", IniWithLanguage("Chinese"), true, false, "加载语言链接库失败"}),
    [](const testing::TestParamInfo<MissingPackCase>& i) { return i.param.name; });

struct LanguageCase {
  const char* name;
  std::string language;
  const char* caption;
  const char* fileMenu;
  const char* company;
  const char* pages[3];
  const char* header1;
  const char* childTitle;
  const char* ready;
  const char* about;
  const char* okButton;  // Qt's own texts come from the pack too
  const char* closeTip;  // the bar's close button: built into the program, one text for both
};

// CTest lists each case by its name rather than by its bytes.
void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.name; }

class StartupTexts : public testing::TestWithParam<LanguageCase> {};

TEST_P(StartupTexts, ShowTheLanguagesTexts) {
  const LanguageCase& c = GetParam();
  AppHarness h({IniWithLanguage(c.language), true, true});
  ASSERT_TRUE(h.Start());
  CMainFrame* f = h.Frame();
  EXPECT_TRUE(f->isVisible());
  EXPECT_TRUE(f->windowState() & Qt::WindowMaximized);
  EXPECT_EQ(TitleText(f), QString::fromUtf8(c.caption));
  EXPECT_EQ(f->Menus().at(0)->title(), QString::fromUtf8(c.fileMenu));
  EXPECT_EQ(f->Action(cmd::kAppAbout)->text(), QString::fromUtf8(c.about));
  EXPECT_EQ(f->NavigatorBar()->Caption(), QString::fromUtf8(c.company));
  EXPECT_EQ(f->NavigatorBar()->CloseButton()->toolTip(), QString::fromUtf8(c.closeTip));
  EXPECT_EQ(h.App().Context().messageCaption, QString::fromUtf8(c.company));
  QTreeWidgetItem* root = f->TreeRoot();
  EXPECT_EQ(root->text(0), QString::fromUtf8(c.company));
  ASSERT_EQ(root->childCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(root->child(i)->text(0), QString::fromUtf8(c.pages[i]));
  EXPECT_TRUE(root->isExpanded());
  EXPECT_EQ(f->NavigatorBar()->Tree()->currentItem(), root);
  ASSERT_NE(f->ActiveView(), nullptr);
  EXPECT_EQ(f->ActiveView()->Grid().CellText(0, 1), QString::fromUtf8(c.header1));
  EXPECT_EQ(TitleText(f->ActiveChild()), QString::fromUtf8(c.childTitle));
  EXPECT_EQ(f->statusBar()->currentMessage(), QString::fromUtf8(c.ready));
  // A command's tip shows while the pointer is on it; "Ready" comes back after.
  QStatusTipEvent onItem(f->Action(cmd::kRead)->statusTip());
  QApplication::sendEvent(f, &onItem);
  EXPECT_EQ(f->statusBar()->currentMessage(), f->Action(cmd::kRead)->statusTip());
  QStatusTipEvent offItem{QString()};
  QApplication::sendEvent(f, &offItem);
  EXPECT_EQ(f->statusBar()->currentMessage(), QString::fromUtf8(c.ready));
  EXPECT_TRUE(f->Menus().at(4)->actions().contains(f->Action(cmd::kLanguage)));  // ShowLang=1
  QDialogButtonBox buttons(QDialogButtonBox::Ok);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Ok)->text(), QString::fromUtf8(c.okButton));
}

INSTANTIATE_TEST_SUITE_P(
    Startup, StartupTexts,
    testing::Values(
        LanguageCase{"English", "English", "Torvan FM Programmer  [ Type:TV-400  Fre:400 - 420MHz ]", "&File",
                     "Kestrel Bay Communications",
                     {"Product Information", "Channel Information", "Optional Features"}, "Rx Frequency",
                     "Channel Information", "Ready", "About Torvan", "OK", "Close"},
        LanguageCase{"Chinese", "Chinese", "Torvan 写频软件  [ 类型:TV-400  频率:400 - 420MHz ]", "文件(&F)", "鸥湾通讯",
                     {"类型设置", "信道信息", "可选功能"}, "接收频率", "信道信息", "就绪", "关于 Torvan", "确定", "Close"},
        // Small letters: the pack and the product texts are found (names ignore
        // case), but the program's own texts stay English.
        LanguageCase{"LowerCaseChinese", "chinese", "Torvan 写频软件  [ Type:TV-400  Fre:400 - 420MHz ]", "文件(&F)",
                     "鸥湾通讯", {"Product Information", "Channel Information", "Optional Features"}, "Rx Frequency",
                     "Channel Information", "就绪", "关于 Torvan", "确定", "Close"}),
    [](const testing::TestParamInfo<LanguageCase>& i) { return i.param.name; });

TEST(Startup, ShowLangZeroOrMissingRemovesTheLanguageCommand) {
  for (const char* showLang : {"ShowLang=0\n", ""}) {
    std::string ini = kEnglishIni;
    ini.replace(ini.find("ShowLang=1\n"), 11, showLang);
    AppHarness h({ini, true, true});
    ASSERT_TRUE(h.Start());
    EXPECT_FALSE(h.Frame()->Menus().at(4)->actions().contains(h.Frame()->Action(cmd::kLanguage))) << showLang;
  }
}

TEST(Startup, EveryCommandActsWhileNoTransferRuns) {
  AppHarness h;
  ASSERT_TRUE(h.Start());
  for (int id : {cmd::kRead, cmd::kWrite, cmd::kComSetup, cmd::kProductInformation, cmd::kOptionalFeatures,
                 cmd::kFilePrint, cmd::kFilePrintPreview, cmd::kFilePrintSetup, cmd::kFileNew, cmd::kFileOpen,
                 cmd::kFileSave, cmd::kFileSaveAs, cmd::kFileClose, cmd::kChannelInformation, cmd::kLanguage,
                 cmd::kAppAbout, cmd::kAppExit})
    EXPECT_TRUE(h.Frame()->Action(id)->isEnabled()) << id;
}

}  // namespace
}  // namespace torvan::test
