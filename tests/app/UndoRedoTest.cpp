// Undo and redo of what a user changes: every step puts back the exact image
// bytes, the grid, the band and the caption it changed, and the document is
// marked modified exactly while it differs from its file. Real keys in the
// real grid; dialogs answered by the test.

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppHarness.h"
#include "TransferHelpers.h"
#include "UserActions.h"
#include "app/base/CommandIds.h"
#include "app/channels/ChildFrame.h"
#include "app/channels/TorvanView.h"
#include "app/product/ProductInfoDialog.h"
#include "app/radio/OptionDialog.h"
#include "app/radio/TorvanDoc.h"
#include "core/radio/DatFile.h"

namespace torvan::test {
namespace {

class UndoRedo : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SaveDat(h.File("crafted.dat"), CraftedImage()).ok());
    ASSERT_TRUE(h.Start({QString::fromStdString(h.File("crafted.dat"))}));
  }

  CTorvanDoc& Doc() { return *h.Frame()->ActiveDocument(); }
  // The bytes a save would write now.
  RadioImage Encoded() {
    RadioImage image = Doc().Image();
    grid.View()->EncodeImage(image);
    return image;
  }
  // Modified as the user sees it: the document window and the main caption.
  bool ShownModified() {
    const bool child = h.Frame()->ActiveChild()->isWindowModified();
    EXPECT_EQ(h.Frame()->isWindowModified(), child);
    EXPECT_EQ(Doc().IsModified(), child);
    return child;
  }
  // Ctrl+Z / Ctrl+Y / Ctrl+Shift+Z into whatever has the keyboard.
  // After a dialog the keyboard goes back to the grid, as a window manager
  // gives it back to the main window's focused widget.
  void Undo() { Key(Qt::Key_Z, Qt::ControlModifier); }
  void Redo() { Key(Qt::Key_Y, Qt::ControlModifier); }
  void RedoShiftZ() { Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods) {
    QWidget* focus = grid.Focus();
    QTest::keyClick(focus && focus->window() == h.Frame() ? focus : &grid.Grid(), key, mods);
  }

  AppHarness h;
  GridUser grid{h};
  BoxAnswerer boxes;
};

// Three cell commits typed with the keyboard: each Ctrl+Z takes back one,
// each redo brings it back, with the exact bytes each time; back at the
// state of the file the document is clean again.
TEST_F(UndoRedo, EachCellCommitIsOneStepWithItsExactBytes) {
  std::vector<RadioImage> images{Encoded()};
  std::vector<std::vector<std::string>> rows{grid.RowTexts(2)};
  EXPECT_FALSE(ShownModified());
  EXPECT_TRUE(h.Frame()->windowTitle().endsWith("[*]"));

  grid.Click(2, 1);
  grid.Type("146.5");
  grid.Press(Qt::Key_Return);  // a new channel: Rx, Tx and the defaults at once
  images.push_back(Encoded());
  rows.push_back(grid.RowTexts(2));
  EXPECT_TRUE(ShownModified());
  grid.Retype("147");  // the Tx editor opened by Enter
  grid.Press(Qt::Key_Return);
  images.push_back(Encoded());
  rows.push_back(grid.RowTexts(2));
  grid.Click(2, 9);
  grid.Type("abc");
  grid.Press(Qt::Key_Return);
  images.push_back(Encoded());
  rows.push_back(grid.RowTexts(2));
  ASSERT_EQ(rows[3][8], "ABC");
  ASSERT_NE(images[2], images[3]);

  for (int step = 3; step > 0; --step) {
    SCOPED_TRACE(step);
    Undo();
    EXPECT_EQ(grid.RowTexts(2), rows[step - 1]);
    EXPECT_EQ(Encoded(), images[step - 1]);
    EXPECT_EQ(ShownModified(), step > 1);
  }
  Undo();  // nothing left: nothing changes
  EXPECT_EQ(Encoded(), images[0]);
  EXPECT_FALSE(ShownModified());

  for (int step = 1; step <= 3; ++step) {
    SCOPED_TRACE(step);
    if (step == 2) RedoShiftZ();
    else Redo();
    EXPECT_EQ(grid.RowTexts(2), rows[step]);
    EXPECT_EQ(Encoded(), images[step]);
    EXPECT_TRUE(ShownModified());
  }
  EXPECT_TRUE(boxes.seen.empty());
}

// Ctrl+Z in the keyboard flow: right after Enter it undoes the commit; in
// an editor with typed text it undoes that typing first, as an edit field
// does, and only then the last commit.
TEST_F(UndoRedo, CtrlZInTheKeyboardFlowUndoesTypingThenTheLastCommit) {
  const RadioImage before = Encoded();
  grid.Click(2, 1);
  grid.Type("146.5");
  grid.Press(Qt::Key_Return);
  const RadioImage typed = Encoded();
  ASSERT_NE(typed, before);
  Undo();
  EXPECT_EQ(grid.RowTexts(2), std::vector<std::string>(9));
  EXPECT_EQ(Encoded(), before);
  EXPECT_FALSE(ShownModified());
  Redo();
  EXPECT_EQ(Encoded(), typed);

  grid.Click(2, 2);
  grid.Retype("147");
  auto* edit = qobject_cast<QLineEdit*>(grid.View()->OpenEditor());
  ASSERT_NE(edit, nullptr);
  for (int i = 0; i < 10 && edit->isVisible() && edit->text() != "146.50000"; ++i) Undo();
  EXPECT_EQ(edit->text(), "146.50000");  // the typing undone, the editor still there
  EXPECT_EQ(Encoded(), typed);
  EXPECT_TRUE(ShownModified());
  Undo();  // then the channel's commit
  EXPECT_EQ(grid.RowTexts(2), std::vector<std::string>(9));
  EXPECT_EQ(Encoded(), before);
  EXPECT_FALSE(ShownModified());
}

// The page dialogs' OK is one step each: the option bytes; the radio type,
// the band and the main caption. Undo puts every one of them back.
TEST_F(UndoRedo, DialogStepsPutBackBytesBandAndCaption) {
  const RadioImage atStart = Encoded();
  const BandLimits bandAtStart = h.App().Context().band;
  const QString captionAtStart = h.Frame()->windowTitle();

  AppHarness::WhenModal([](QWidget* w) {
    auto* d = qobject_cast<COptionDialog*>(w);
    if (!d) return false;
    QComboBox* list = d->List(OptionField::SquelchLevel);
    list->setCurrentIndex((list->currentIndex() + 1) % list->count());
    QTest::keyClick(d, Qt::Key_Return);
    return true;
  });
  h.ClickMenu(1, h.Frame()->Action(cmd::kOptionalFeatures));
  const RadioImage withOption = Encoded();
  ASSERT_NE(withOption, atStart);
  EXPECT_TRUE(ShownModified());

  AppHarness::WhenModal([](QWidget* w) {
    auto* d = qobject_cast<CProductInfoDialog*>(w);
    if (!d) return false;
    ChooseEntry(d->TypeList(), 0);  // TV-400: 400-470 MHz
    QTest::keyClick(d, Qt::Key_Return);
    return true;
  });
  h.ClickMenu(1, h.Frame()->Action(cmd::kProductInformation));
  ASSERT_EQ(h.App().Context().band, (BandLimits{400, 470}));
  const QString captionAfter = h.Frame()->windowTitle();
  ASSERT_NE(captionAfter, captionAtStart);
  const RadioImage withProduct = Encoded();

  Undo();
  EXPECT_EQ(h.App().Context().band, bandAtStart);
  EXPECT_EQ(h.Frame()->windowTitle(), captionAtStart);
  EXPECT_EQ(Encoded(), withOption);
  Undo();
  EXPECT_EQ(Encoded(), atStart);
  EXPECT_FALSE(ShownModified());
  Redo();
  Redo();
  EXPECT_EQ(h.App().Context().band, (BandLimits{400, 470}));
  EXPECT_EQ(h.Frame()->windowTitle(), captionAfter);
  EXPECT_EQ(Encoded(), withProduct);
  EXPECT_TRUE(boxes.seen.empty());
}

// Save makes the document clean; undoing past the save makes it modified
// again, and redoing back to it clean.
TEST_F(UndoRedo, TheSavedStateIsTheCleanOne) {
  grid.Click(2, 1);
  grid.Type("146.5");
  grid.Press(Qt::Key_Return);
  grid.Press(Qt::Key_Escape);
  h.ClickMenu(0, h.Frame()->Action(cmd::kFileSave));
  EXPECT_FALSE(ShownModified());
  RadioImage saved;
  ASSERT_TRUE(LoadDat(h.File("crafted.dat"), saved).ok());
  EXPECT_EQ(saved, Encoded());
  Undo();
  EXPECT_TRUE(ShownModified());
  EXPECT_EQ(Encoded(), CraftedImage());
  Redo();
  EXPECT_FALSE(ShownModified());
  EXPECT_EQ(Encoded(), saved);
}

}  // namespace
}  // namespace torvan::test
