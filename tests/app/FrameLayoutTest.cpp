// How the program's windows share the screen: the navigation bar's width
// through a shrink and a maximise of the main window, dialogs wide enough for
// their titles, document windows that can be scrolled into sight, and the
// help window in front of the dialog it was asked from.

#include <QApplication>
#include <QFontMetrics>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QStyle>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "AppHarness.h"
#include "app/base/AppContext.h"
#include "app/base/Help.h"
#include "app/channels/ChildFrame.h"
#include "app/channels/TorvanView.h"
#include "app/link/ComSetupDialog.h"
#include "app/link/ProgressDialog.h"
#include "app/link/TransferController.h"
#include "app/product/ProductInfoDialog.h"
#include "app/radio/OptionDialog.h"
#include "app/shell/AboutDialog.h"
#include "app/shell/BackgroundClient.h"
#include "app/shell/LanguageDialog.h"
#include "app/shell/NavigatorBar.h"
#include "app/base/CommandIds.h"

namespace torvan::test {
namespace {

class FrameLayout : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.Start());
    f = h.Frame();
    f->showNormal();
    f->resize(1000, 700);
    QApplication::processEvents();
  }
  void ResizeFrame(int width, int height) {
    f->resize(width, height);
    QApplication::processEvents();
    QTest::qWait(20);
  }
  AppHarness h;
  CMainFrame* f = nullptr;
};

TEST_F(FrameLayout, BarTakesItsWidthBackWhenTheMainWindowGrowsAgain) {
  CNavigatorBar* bar = f->NavigatorBar();
  ASSERT_EQ(bar->width(), CNavigatorBar::kInitialWidth);
  // As small as the main window goes: the bar is squeezed to half of it.
  ResizeFrame(1, 1);
  const int squeezed = bar->width();
  EXPECT_LT(squeezed, CNavigatorBar::kInitialWidth);
  EXPECT_LE(squeezed, f->width() / 2);
  // Maximised (or just wide again): the width the user had, not the squeezed one.
  ResizeFrame(1400, 900);
  EXPECT_EQ(bar->width(), CNavigatorBar::kInitialWidth) << "squeezed to " << squeezed;
  EXPECT_EQ(bar->BarWidth(), CNavigatorBar::kInitialWidth);

  // A width the user chose comes back too, also when the bar was hidden
  // while squeezed; growing only part of the way gives it half the window.
  bar->SetBarWidth(300);
  ResizeFrame(1, 1);
  bar->close();
  ResizeFrame(500, 600);
  f->Action(cmd::kViewControlBar)->trigger();
  QApplication::processEvents();
  QTest::qWait(20);
  EXPECT_EQ(bar->width(), 250);
  ResizeFrame(1400, 900);
  EXPECT_EQ(bar->width(), 300);
}

TEST_F(FrameLayout, WidthGivenWithTheMouseHeldIsTheUsersWidth) {
  // What a drag of the main window's separator does: the bar changes its
  // width while the left button is down in the program. (The separator's own
  // drag handling is Qt's; the bar's rule is what is tested here.)
  CNavigatorBar* bar = f->NavigatorBar();
  QWidget* area = f->MdiClient()->viewport();
  QTest::mousePress(area, Qt::LeftButton, {}, QPoint(5, area->height() - 5));
  ASSERT_TRUE(QGuiApplication::mouseButtons() & Qt::LeftButton);
  f->resizeDocks({bar}, {300}, Qt::Horizontal);
  QApplication::processEvents();
  QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(5, area->height() - 5));
  ASSERT_EQ(bar->width(), 300);
  EXPECT_EQ(bar->BarWidth(), 300);
  // And it is the width that comes back after a shrink.
  ResizeFrame(1, 1);
  ResizeFrame(1000, 700);
  EXPECT_EQ(bar->width(), 300);
}

TEST_F(FrameLayout, DialogsAreWideEnoughForTheirTitles) {
  AppContext& app = h.App().Context();
  CAboutDialog about(app, f);
  struct Case {
    const char* name;
    QWidget* dialog;
  };
  const Case cases[] = {
      {"Product Information", f->ProductInfoDialog()},
      {"Option", f->OptionDialog()},
      {"COM Setup", f->ComSetupDialog()},
      {"Language", f->LanguageDialog()},
      {"About", &about},
      {"Process", &f->Transfer().ProgressDialog()},
  };
  // The title in bold with room for the window icon and three buttons
  // (minimise, maximise, close) beside it.
  QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
  titleFont.setBold(true);
  for (const Case& c : cases) {
    c.dialog->show();
    QApplication::processEvents();
    const int buttons = 4 * std::max(c.dialog->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, c.dialog),
                                     QFontMetrics(titleFont).height());
    const int title = QFontMetrics(titleFont).horizontalAdvance(c.dialog->windowTitle());
    EXPECT_GE(c.dialog->width(), title + buttons)
        << c.name << ": \"" << c.dialog->windowTitle().toStdString() << "\" needs " << title << " + " << buttons;
    c.dialog->hide();
  }
  // A longer title later (the progress window names the transfer) widens the window.
  CProgressDialog& progress = f->Transfer().ProgressDialog();
  progress.setWindowTitle("Reading the memory of the radio on /dev/ttyUSB0 with a long title");
  progress.show();
  QApplication::processEvents();
  EXPECT_GE(progress.width(), QFontMetrics(titleFont).horizontalAdvance(progress.windowTitle()));
  progress.hide();
}

TEST_F(FrameLayout, DocumentWindowCanBeScrolledIntoSight) {
  CBackgroundClient* area = f->MdiClient();
  EXPECT_EQ(area->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  EXPECT_EQ(area->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  // The channel window is wider and taller than the area of a small main window.
  ResizeFrame(500, 400);
  QMdiSubWindow* child = f->ActiveChild();
  ASSERT_NE(child, nullptr);
  ASSERT_GT(child->width(), area->viewport()->width());
  ASSERT_GT(child->height(), area->viewport()->height());
  EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
  EXPECT_TRUE(area->verticalScrollBar()->isVisible());
  // Scrolled to the end, its right and bottom edges are in sight.
  area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
  area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
  QApplication::processEvents();
  const QRect inArea(child->mapTo(area->viewport(), QPoint(0, 0)), child->size());
  EXPECT_LE(inArea.right(), area->viewport()->width());
  EXPECT_LE(inArea.bottom(), area->viewport()->height());
  // A main window large enough needs none.
  ResizeFrame(1800, 1200);
  EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(area->verticalScrollBar()->isVisible());
}

TEST_F(FrameLayout, HelpAskedFromADialogBelongsToTheDialog) {
  // F1 in each page dialog: the help window is that dialog's (its window
  // manager owner), so it stays in front of it and of the main window.
  struct Case {
    const char* name;
    int command;
    std::function<QWidget*()> dialog;
  };
  const Case cases[] = {
      {"Product Information", cmd::kProductInformation, [this] { return f->ProductInfoDialog(); }},
      {"Optional Features", cmd::kOptionalFeatures, [this] { return f->OptionDialog(); }},
  };
  f->showMaximized();
  QApplication::processEvents();
  for (const Case& c : cases) {
    QWindow* owner = nullptr;
    bool helpShown = false;
    AppHarness::WhenModal([&](QWidget* w) {
      if (w != c.dialog()) return false;
      QTest::keyClick(w, Qt::Key_F1);
      HelpWindow* help = HelpWindow::Instance();
      helpShown = help && help->isVisible();
      owner = help && help->windowHandle() ? help->windowHandle()->transientParent() : nullptr;
      AppHarness::Activate(w);
      QTest::keyClick(w, Qt::Key_Escape);
      return true;
    });
    h.ClickMenu(1, f->Action(c.command));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !c.dialog()->isVisible(); }, 5000)) << c.name;
    EXPECT_TRUE(helpShown) << c.name;
    EXPECT_EQ(owner, c.dialog()->windowHandle()) << c.name;
  }
  // F1 in the main window afterwards: the help window is the main window's.
  ASSERT_TRUE(AppHarness::Activate(f));
  CMSFlexGrid& grid = f->ActiveView()->Grid();
  grid.setFocus();
  QApplication::processEvents();
  QTest::keyClick(&grid, Qt::Key_F1);
  ASSERT_NE(HelpWindow::Instance(), nullptr);
  EXPECT_EQ(HelpWindow::Instance()->windowHandle()->transientParent(), f->windowHandle());
  HelpWindow::Destroy();
}

}  // namespace
}  // namespace torvan::test
