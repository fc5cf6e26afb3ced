// The main frame: View > Control Bar and the bar's close button, the tree
// acting on the item under the pointer, Setup > Language, F1.

#include <QCursor>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <ostream>

#include "AppHarness.h"
#include "app/channels/ChildFrame.h"
#include "app/channels/TorvanView.h"
#include "app/shell/BackgroundClient.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/shell/LanguageDialog.h"
#include "app/shell/NavigatorBar.h"

namespace torvan::test {
namespace {

class Frame : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.Start());
    f = h.Frame();
    f->showNormal();
    f->resize(1000, 700);
    QApplication::processEvents();
  }
  AppHarness h;
  CMainFrame* f = nullptr;
};

TEST_F(Frame, ControlBarCommandAndCloseButton) {
  CNavigatorBar* bar = f->NavigatorBar();
  QAction* toggle = f->Action(cmd::kViewControlBar);
  ASSERT_TRUE(bar->isVisible());
  EXPECT_TRUE(toggle->isChecked());
  bar->SetBarWidth(300);
  QApplication::processEvents();
  EXPECT_EQ(bar->width(), 300);

  QTest::mouseClick(bar->CloseButton(), Qt::LeftButton);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_FALSE(toggle->isChecked());  // the check mark follows the bar

  h.ClickMenu(3, toggle);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_TRUE(toggle->isChecked());
  QTest::qWait(20);
  EXPECT_EQ(bar->width(), 300);  // the width it had

  h.ClickMenu(3, toggle);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_FALSE(toggle->isChecked());
  EXPECT_EQ(bar->CloseButton()->toolTip(), "Close");
}

TEST_F(Frame, CloseButtonActsOnlyWhenReleasedOnIt) {
  CNavigatorBar* bar = f->NavigatorBar();
  QToolButton* close = bar->CloseButton();
  QTest::mousePress(close, Qt::LeftButton);
  QTest::mouseMove(close, QPoint(-50, 200));
  QTest::mouseRelease(close, Qt::LeftButton, {}, QPoint(-50, 200));
  EXPECT_TRUE(bar->isVisible());
}

TEST_F(Frame, DraggingTheEdgeKeepsTheWidthWithinLimits) {
  CNavigatorBar* bar = f->NavigatorBar();
  QWidget* body = bar->widget();
  struct Case {
    int releaseX;  // in the bar's coordinates
    int expected;
  };
  const int half = f->width() / 2;
  for (const Case c : {Case{260, 260}, Case{5, CNavigatorBar::kMinWidth}, Case{f->width(), half}}) {
    const QPoint strip(body->width() - 2, body->height() / 2);
    QTest::mousePress(body, Qt::LeftButton, {}, strip);
    const QPoint to = body->mapFrom(bar, QPoint(c.releaseX, body->height() / 2));
    QTest::mouseMove(body, to);
    QTest::mouseRelease(body, Qt::LeftButton, {}, to);
    QTest::qWait(20);
    EXPECT_EQ(bar->width(), c.expected) << c.releaseX;
  }
}

TEST_F(Frame, TreeActsOnTheItemUnderThePointer) {
  QTreeWidget* tree = f->NavigatorBar()->Tree();
  CChildFrame* child = f->ActiveChild();
  QSignalSpy shown(f->Action(cmd::kChannelInformation), &QAction::triggered);
  child->close();
  ASSERT_FALSE(child->isVisible());

  // A click on the page: it acts once, and the root is selected again.
  QTreeWidgetItem* channels = f->TreeRoot()->child(1);
  const QPoint at = tree->visualItemRect(channels).center();
  QCursor::setPos(tree->viewport()->mapToGlobal(at));
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
  QApplication::processEvents();
  EXPECT_TRUE(child->isVisible());
  EXPECT_EQ(shown.count(), 1);
  EXPECT_EQ(tree->currentItem(), f->TreeRoot());

  // The keyboard moves the selection, but the pointer is elsewhere: nothing.
  child->close();
  QCursor::setPos(f->mapToGlobal(QPoint(f->width() - 5, f->height() - 5)));
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Down);
  QApplication::processEvents();
  QTest::keyClick(tree, Qt::Key_Down);
  QApplication::processEvents();
  EXPECT_FALSE(child->isVisible());
  EXPECT_EQ(shown.count(), 1);
  EXPECT_EQ(tree->currentItem(), f->TreeRoot());

  // The keyboard with the pointer over "Channel Information": that page acts.
  QCursor::setPos(tree->viewport()->mapToGlobal(at));
  QTest::keyClick(tree, Qt::Key_Down);
  QApplication::processEvents();
  EXPECT_TRUE(child->isVisible());
  EXPECT_EQ(shown.count(), 2);

  // The root itself does nothing.
  child->close();
  const QPoint rootAt = tree->visualItemRect(f->TreeRoot()).center();
  QCursor::setPos(tree->viewport()->mapToGlobal(rootAt));
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rootAt);
  EXPECT_FALSE(child->isVisible());
}

struct LanguageChoice {
  const char* name;
  const char* running;
  bool chooseChinese;
  bool restarts;
  const char* written;  // "Language" in Program.ini afterwards
};

// CTest lists each case by its name rather than by its bytes.
void PrintTo(const LanguageChoice& c, std::ostream* os) { *os << c.name; }

class LanguageCommand : public testing::TestWithParam<LanguageChoice> {};

TEST_P(LanguageCommand, WritesProgramIniAndRestarts) {
  const LanguageChoice& c = GetParam();
  AppHarness h({IniWithLanguage(c.running), true, true});
  ASSERT_TRUE(h.Start());
  const QByteArray before = h.ReadFile("Program.ini");
  AppHarness::WhenModal([&](QWidget* w) {
    auto* dialog = qobject_cast<CLanguageDialog*>(w);
    if (!dialog) return false;
    // Tab to the wanted button and press Space.
    QRadioButton* choice = c.chooseChinese ? dialog->ChineseButton() : dialog->EnglishButton();
    choice->setFocus();
    QTest::keyClick(choice, Qt::Key_Space);
    EXPECT_EQ(dialog->ChineseButton()->isChecked(), c.chooseChinese);
    QTest::keyClick(dialog, Qt::Key_Return);  // OK is the default button
    return true;
  });
  h.ClickMenu(4, h.Frame()->Action(cmd::kLanguage));
  QApplication::processEvents();
  const QByteArray after = h.ReadFile("Program.ini");
  if (c.restarts) {
    EXPECT_TRUE(after.contains(QByteArray("Language=") + c.written)) << after.toStdString();
    ASSERT_EQ(h.StartedPrograms().size(), 1);
    EXPECT_EQ(h.StartedPrograms().front(), h.Dir() + "/torvan");
    EXPECT_FALSE(h.Frame()->isVisible());
  } else {
    EXPECT_EQ(after, before);
    EXPECT_TRUE(h.StartedPrograms().isEmpty());
    EXPECT_TRUE(h.Frame()->isVisible());
  }
}

INSTANTIATE_TEST_SUITE_P(Frame, LanguageCommand,
                         testing::Values(LanguageChoice{"EnglishToChinese", "English", true, true, "Chinese"},
                                         LanguageChoice{"ChineseToEnglish", "Chinese", false, true, "English"},
                                         LanguageChoice{"SameLanguage", "English", false, false, "English"}),
                         [](const testing::TestParamInfo<LanguageChoice>& i) { return i.param.name; });

TEST(LanguageRestart, AProgramThatCannotStartKeepsThisOneRunning) {
  AppHarness h;
  ASSERT_TRUE(h.Start());
  h.SetStartSucceeds(false);
  QString message;
  // The refusal that follows is answered with OK.
  AppHarness::ChooseChineseInLanguageDialog([&] { AppHarness::AnswerMessageBox(QMessageBox::Ok, &message); });
  h.ClickMenu(4, h.Frame()->Action(cmd::kLanguage));
  QApplication::processEvents();
  EXPECT_TRUE(message.contains("could not be started")) << message.toStdString();
  EXPECT_TRUE(h.Frame()->isVisible());
  EXPECT_TRUE(h.ReadFile("Program.ini").contains("Language=Chinese"));  // in effect at the next start
}

TEST(Help, F1OpensTheTopicOfTheFocusedControl) {
  for (const char* language : {"English", "Chinese"}) {
    AppHarness h({IniWithLanguage(language), true, true});
    ASSERT_TRUE(h.Start());
    CMSFlexGrid& grid = h.Frame()->ActiveView()->Grid();
    grid.setFocus();
    QApplication::processEvents();
    QTest::keyClick(&grid, Qt::Key_F1);
    HelpWindow* help = HelpWindow::Instance();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->CurrentAnchor(), "1000");
    EXPECT_TRUE(help->CurrentFile().endsWith(std::string(language) == "Chinese" ? "chHelp.html" : "enHelp.html"))
        << help->CurrentFile().toStdString();
  }
}

TEST_F(Frame, BackgroundFileIsPickedUpAtTheNextPaint) {
  CBackgroundClient* client = f->MdiClient();
  const QImage pack = client->CurrentPicture();
  ASSERT_FALSE(pack.isNull());  // the pack's picture without a file
  QImage red(8, 8, QImage::Format_RGB32);
  red.fill(Qt::red);
  ASSERT_TRUE(red.save(h.Dir() + "/background.bmp", "BMP"));
  EXPECT_EQ(client->CurrentPicture().pixelColor(0, 0), QColor(Qt::red));
  QImage blue(16, 16, QImage::Format_RGB32);  // another size: a changed file within the same second
  blue.fill(Qt::blue);
  ASSERT_TRUE(blue.save(h.Dir() + "/background.bmp", "BMP"));
  EXPECT_EQ(client->CurrentPicture().pixelColor(0, 0), QColor(Qt::blue));
}

}  // namespace
}  // namespace torvan::test
