// Rows, selections and the clipboard in the channel grid, as a user works
// them: clicks on row numbers, Shift+arrows, Ctrl+C/X/V with the real
// clipboard, Alt+Up/Down, the Edit menu and the grid's context menu. Every
// operation is one undo step that puts back the exact image bytes.

#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QContextMenuEvent>
#include <QMenu>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppHarness.h"
#include "UserActions.h"
#include "app/base/CommandIds.h"
#include "app/channels/TorvanView.h"
#include "app/radio/TorvanDoc.h"
#include "core/channels/TextGrid.h"
#include "core/radio/BandLimits.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"
#include "core/radio/MemoryMap.h"

namespace torvan::test {
namespace {

using Row = std::vector<std::string>;
const Row kEmpty(9);

// Grid rows 1 (Pr) to 6 of the file the tests start from; the rest are empty.
const std::vector<Row> kChannels = {
    {"145.50000", "145.50000", "None", "None", "High", "Unlock", "Yes", "Wide", "CALL"},
    {"146.52500", "146.52500", "88.5", "D023N", "Low", "Lock", "No", "Narrow", "BETA"},
    {"144.00000", "144.60000", "None", "None", "High", "Unlock", "Yes", "Wide", "ALPHA"},
    kEmpty,
    {"150.00000", "150.00000", "None", "None", "High", "Unlock", "Yes", "Wide", ""},
    {"140.00000", "140.00000", "67.0", "None", "Low", "Unlock", "Yes", "Wide", "ALPHA"},
};

// A TV-136 image (band 136-174 MHz) holding `rows` from grid row 1 on.
RadioImage ImageWith(const std::vector<Row>& rows) {
  RadioImage image = RadioImage::NewDocument();
  MemoryTextGrid grid;
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (int c = 0; c < 9; ++c) grid.SetTextMatrix(static_cast<int>(r) + 1, c + 1, rows[r][static_cast<std::size_t>(c)]);
  image[map::kRadioType] = 1;
  EncodeImage(grid, BandLimits{136, 174}, image);
  return image;
}

// The bytes of the channel in grid row `row`: its record and its name.
std::vector<std::uint8_t> ChannelBytes(const RadioImage& image, int row) {
  std::vector<std::uint8_t> bytes;
  const int ch = ChannelOfRow(row);
  for (std::size_t i = 0; i < map::kChannelRecordSize; ++i) bytes.push_back(image[map::ChannelRecordOffset(ch) + i]);
  for (std::size_t i = 0; i < map::kChannelNameSize; ++i) bytes.push_back(image[map::ChannelNameOffset(ch) + i]);
  return bytes;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> rows;
  for (int r = first; r <= last; ++r) rows.push_back(r);
  return rows;
}

class RowEditing : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SaveDat(h.File("source.dat"), ImageWith(kChannels)).ok());
    ASSERT_TRUE(SaveDat(h.File("target.dat"), ImageWith({})).ok());
    ASSERT_TRUE(h.Start({QString::fromStdString(h.File("source.dat"))}));
  }

  CTorvanView& View() { return *grid.View(); }
  CTorvanDoc& Doc() { return *h.Frame()->ActiveDocument(); }
  RadioImage Encoded() {
    RadioImage image = Doc().Image();
    View().EncodeImage(image);
    return image;
  }
  void OpenTarget() {
    ASSERT_TRUE(h.Frame()->OpenDocumentFile(QString::fromStdString(h.File("target.dat")), true));
    QApplication::processEvents();
  }
  // A click on the number of a row (with Shift or Ctrl to extend the selection).
  void ClickRowNumber(int row, Qt::KeyboardModifiers mods = {}) {
    QHeaderView* numbers = grid.Grid().verticalHeader();
    grid.Grid().scrollTo(grid.Grid().model()->index(row - 1, 0));
    QApplication::processEvents();
    const QPoint at(numbers->width() / 2, numbers->sectionViewportPosition(row - 1) + numbers->sectionSize(row - 1) / 2);
    QTest::mouseClick(numbers->viewport(), Qt::LeftButton, mods, at);
    QApplication::processEvents();
  }
  // A key into whatever has the keyboard in the main window.
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QWidget* focus = grid.Focus();
    QTest::keyClick(focus && focus->window() == h.Frame() ? focus : &grid.Grid(), key, mods);
    QApplication::processEvents();
  }
  void SetClipboard(const QString& text) { QApplication::clipboard()->setText(text); }
  QString Clipboard() { return QApplication::clipboard()->text(); }
  int Steps() { return Doc().UndoStack().index(); }
  bool Modified() { return Doc().IsModified(); }

  AppHarness h;
  GridUser grid{h};
  BoxAnswerer boxes;
};

// Rows chosen by their numbers go to the clipboard as text and into another
// document with the same bytes; Ctrl+V works while the Rx editor is open.
TEST_F(RowEditing, CopiedRowsPasteIntoAnotherDocumentWithTheirBytes) {
  const RadioImage source = Encoded();
  ClickRowNumber(1);
  ClickRowNumber(3, Qt::ShiftModifier);
  EXPECT_EQ(View().SelectedRows(), Range(1, 3));
  Key(Qt::Key_C, Qt::ControlModifier);
  const QStringList lines = Clipboard().split('\n');
  ASSERT_EQ(lines.size(), 4);  // three rows, each line ended
  EXPECT_EQ(lines[3], QString());
  for (int r = 0; r < 3; ++r) {
    QStringList expected;
    for (const std::string& t : kChannels[static_cast<std::size_t>(r)]) expected << QString::fromStdString(t);
    EXPECT_EQ(lines[r], expected.join('\t'));
  }

  OpenTarget();
  grid.Click(10, 1);
  ASSERT_NE(qobject_cast<QLineEdit*>(View().OpenEditor()), nullptr);
  const int steps = Steps();
  Key(Qt::Key_V, Qt::ControlModifier);
  const RadioImage pasted = Encoded();
  for (int r = 0; r < 3; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(grid.RowTexts(10 + r), kChannels[static_cast<std::size_t>(r)]);
    EXPECT_EQ(ChannelBytes(pasted, 10 + r), ChannelBytes(source, 1 + r));
  }
  EXPECT_EQ(Steps(), steps + 1);
  EXPECT_TRUE(Modified());
  EXPECT_TRUE(boxes.seen.empty());
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Encoded(), ImageWith({}));
  EXPECT_FALSE(Modified());

  // A single value still pastes into the open editor as text.
  SetClipboard("147.5");
  grid.Click(12, 1);
  Key(Qt::Key_V, Qt::ControlModifier);
  auto* edit = qobject_cast<QLineEdit*>(View().OpenEditor());
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), "147.5");
  EXPECT_EQ(grid.RowTexts(12), kEmpty);  // not committed until Enter
}

// Every cell of a paste goes through the rules of typing; the refused ones
// are listed in one message, the rest stays, and it is one undo step.
TEST_F(RowEditing, RefusedCellsOfAPasteAreListedInOneMessage) {
  const RadioImage before = Encoded();
  SetClipboard("146.00000\t175\tMedium\n146.00300\t146.1\tNone\nlow case\n");
  grid.Click(4, 1);
  Key(Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].text,
            "4 cells were not taken: row 3 Tx Frequency 175.00000 is outside the band 136-174 MHz; "
            "row 3 Rx Tone \"Medium\" is not one of its choices; "
            "row 4 Rx Frequency 146.00300 is not on the 2.5 kHz or 6.25 kHz raster; "
            "row 5 Rx Frequency 0.00000 is outside the band 136-174 MHz");
  // Row 4 became a new channel with its defaults; the Tx refused kept the default.
  EXPECT_EQ(grid.RowTexts(4), (Row{"146.00000", "146.00000", "None", "None", "High", "Unlock", "Yes", "Wide", ""}));
  Row fifth = kChannels[4];  // a used row: its Rx refused, its Tx taken
  fifth[1] = "146.10000";
  EXPECT_EQ(grid.RowTexts(5), fifth);
  EXPECT_EQ(grid.RowTexts(6), kChannels[5]);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Encoded(), before);
  EXPECT_FALSE(Modified());

  // The words of the other language, as a copy of the program running in
  // Chinese puts them on the clipboard, are taken as the same words.
  SetClipboard(QString::fromUtf8("146.00000\t146.00000\t无\t无\t低\t锁定\t无\t窄\tZH\n"));
  grid.Click(4, 1);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(grid.RowTexts(4), (Row{"146.00000", "146.00000", "None", "None", "Low", "Lock", "No", "Narrow", "ZH"}));
  EXPECT_EQ(boxes.seen.size(), 1u);  // no message this time
}

// A paste of more lines than rows below stops at the last row and says so;
// names take the name field's form.
TEST_F(RowEditing, APastePastTheLastRowStopsThereAndSaysSo) {
  SetClipboard("150\t150\tNone\tNone\tLow\tLock\tNo\tNarrow\tone\n"
               "151\t151\tNone\tNone\tHigh\tUnlock\tYes\tWide\tlonger name\n"
               "152\t152\tNone\tNone\tHigh\tUnlock\tYes\tWide\tTHREE\n");
  grid.Click(199, 4);  // nine cells a line: from the Rx column, wherever the current cell is
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(grid.RowTexts(199), (Row{"150.00000", "150.00000", "None", "None", "Low", "Lock", "No", "Narrow", "ONE"}));
  EXPECT_EQ(grid.RowTexts(200),
            (Row{"151.00000", "151.00000", "None", "None", "High", "Unlock", "Yes", "Wide", "LONGER"}));
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].text, "The paste stopped at the last row: 1 line did not fit and was not pasted.");
}

// Insert, move (Pr included), delete, sort and clear, with keys, the menu and
// the context menu; then Ctrl+Z back through each to the original bytes.
TEST_F(RowEditing, RowOperationsUndoBackToTheOriginalBytes) {
  std::vector<RadioImage> images{Encoded()};
  const auto done = [&] { images.push_back(Encoded()); };

  grid.Click(2, 3);
  Key(Qt::Key_Plus, Qt::ControlModifier);  // Insert Row
  EXPECT_EQ(grid.RowTexts(2), kEmpty);
  EXPECT_EQ(grid.RowTexts(3), kChannels[1]);
  EXPECT_EQ(grid.RowTexts(7), kChannels[5]);
  done();

  ClickRowNumber(1);
  Key(Qt::Key_Down, Qt::AltModifier);  // Pr moves like any row
  EXPECT_EQ(grid.RowTexts(1), kEmpty);
  EXPECT_EQ(grid.RowTexts(2), kChannels[0]);
  EXPECT_EQ(View().SelectedRows(), std::vector<int>{2});
  done();

  ClickRowNumber(3);
  ClickRowNumber(4, Qt::ShiftModifier);
  Key(Qt::Key_Up, Qt::AltModifier);  // a block of two moves up as one
  EXPECT_EQ(grid.RowTexts(2), kChannels[1]);
  EXPECT_EQ(grid.RowTexts(3), kChannels[2]);
  EXPECT_EQ(grid.RowTexts(4), kChannels[0]);
  EXPECT_EQ(View().SelectedRows(), Range(2, 3));
  done();

  ClickRowNumber(4);
  ClickRowNumber(1, Qt::ControlModifier);
  Key(Qt::Key_Minus, Qt::ControlModifier);  // Delete Rows 1 and 4
  EXPECT_EQ(grid.RowTexts(1), kChannels[1]);
  EXPECT_EQ(grid.RowTexts(2), kChannels[2]);
  EXPECT_EQ(grid.RowTexts(3), kEmpty);
  EXPECT_EQ(grid.RowTexts(4), kChannels[4]);
  EXPECT_EQ(grid.RowTexts(5), kChannels[5]);
  done();

  grid.Click(8, 1);
  h.ClickMenu(1, h.Frame()->Action(cmd::kSortByRxFrequency));  // nothing selected: the whole table
  EXPECT_EQ(grid.RowTexts(1), kChannels[5]);  // 140
  EXPECT_EQ(grid.RowTexts(2), kChannels[2]);  // 144
  EXPECT_EQ(grid.RowTexts(3), kChannels[1]);  // 146.525
  EXPECT_EQ(grid.RowTexts(4), kChannels[4]);  // 150
  EXPECT_EQ(grid.RowTexts(5), kEmpty);
  done();

  // Clear from the context menu of a right click on the selected rows.
  ClickRowNumber(2);
  ClickRowNumber(3, Qt::ShiftModifier);
  bool chosen = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu || !menu->isVisible() || chosen) return;
    for (QAction* a : menu->actions()) {
      if (a->text().remove('&') != "Clear") continue;
      chosen = true;
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
    }
  });
  poll.start(20);
  // The right button, then the context menu request the window system
  // makes of it (the offscreen platform makes none of its own).
  QWidget* viewport = grid.Grid().viewport();
  const QPoint at = grid.Grid().CellRect(2, 4).center() - viewport->pos();
  QTest::mousePress(viewport, Qt::RightButton, {}, at);
  QContextMenuEvent request(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
  QApplication::sendEvent(viewport, &request);
  QTest::mouseRelease(viewport, Qt::RightButton, {}, at);
  EXPECT_TRUE(QTest::qWaitFor([&] { return grid.RowTexts(2) == kEmpty; }, 5000));
  EXPECT_TRUE(chosen);
  EXPECT_EQ(grid.RowTexts(3), kEmpty);
  EXPECT_EQ(grid.RowTexts(1), kChannels[5]);
  EXPECT_EQ(grid.RowTexts(4), kChannels[4]);
  done();

  for (std::size_t i = 1; i < images.size(); ++i) ASSERT_NE(images[i], images[i - 1]) << i;
  for (std::size_t i = images.size() - 1; i > 0; --i) {
    SCOPED_TRACE(i);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Encoded(), images[i - 1]);
  }
  EXPECT_FALSE(Modified());
  EXPECT_TRUE(boxes.seen.empty());
}

// The selection follows the keyboard: after Enter and Tab have moved on, a
// row command acts on the row the user is in, not on rows selected before.
TEST_F(RowEditing, RowCommandsActWhereTheKeyboardMovedTo) {
  ClickRowNumber(1);
  ClickRowNumber(2, Qt::ShiftModifier);
  ASSERT_EQ(View().SelectedRows(), Range(1, 2));
  for (int i = 0; i < 9; ++i) Key(Qt::Key_Tab);  // through row 2 to row 3's Rx cell
  ASSERT_EQ(grid.Grid().Row(), 3);
  EXPECT_EQ(View().SelectedRows(), std::vector<int>{3});
  Key(Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(grid.RowTexts(1), kChannels[0]);
  EXPECT_EQ(grid.RowTexts(2), kChannels[1]);
  EXPECT_EQ(grid.RowTexts(3), kChannels[3]);
  EXPECT_EQ(grid.RowTexts(4), kChannels[4]);
}

// Insert Row never pushes a channel out of the table.
TEST_F(RowEditing, InsertRowIsRefusedWhenTheLastRowHoldsAChannel) {
  grid.Click(200, 1);
  grid.Type("150");
  grid.Press(Qt::Key_Return);
  const RadioImage before = Encoded();
  const int steps = Steps();
  grid.Click(2, 1);
  Key(Qt::Key_Plus, Qt::ControlModifier);
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_TRUE(boxes.seen[0].text.startsWith("No row can be inserted: the last row (199) holds a channel"));
  EXPECT_EQ(Encoded(), before);
  EXPECT_EQ(Steps(), steps);
}

// A choice in a list with ten rows selected sets all ten in one step; so
// does a typed frequency with Ctrl+Enter, through the frequency rules, and
// empty rows in the selection stay empty.
TEST_F(RowEditing, BulkEditOfTenRowsIsOneStep) {
  QString block;
  for (int i = 0; i < 10; ++i)
    block += QString("%1\t%1\tNone\tNone\tHigh\tUnlock\tYes\tWide\tCH%2\n").arg(150 + i).arg(i);
  SetClipboard(block);
  grid.Click(11, 1);
  Key(Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(grid.Grid().TextMatrix(20, 1), "159.00000");
  const RadioImage pasted = Encoded();
  const int steps = Steps();

  grid.Click(11, 5);  // Power of the first pasted row, then Shift+Down over nine more
  for (int i = 0; i < 9; ++i) Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(View().SelectedRows(), Range(11, 20));
  ASSERT_EQ(grid.Grid().Row(), 20);
  auto* power = qobject_cast<QComboBox*>(View().OpenEditor());
  ASSERT_NE(power, nullptr);
  Key(Qt::Key_Down);  // High -> Low, chosen with the keyboard
  for (int r = 11; r <= 20; ++r) EXPECT_EQ(grid.Grid().TextMatrix(r, 5), "Low") << r;
  EXPECT_EQ(Steps(), steps + 1);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Encoded(), pasted);

  ClickRowNumber(10);  // an empty row in the selection
  ClickRowNumber(20, Qt::ShiftModifier);
  EXPECT_EQ(View().SelectedRows(), Range(10, 20));
  grid.Type("150.0125");
  Key(Qt::Key_Return, Qt::ControlModifier);
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(grid.RowTexts(r), kChannels[static_cast<std::size_t>(r - 1)]) << r;
  for (int r = 11; r <= 20; ++r) {
    EXPECT_EQ(grid.Grid().TextMatrix(r, 1), "150.01250") << r;
    EXPECT_EQ(grid.Grid().TextMatrix(r, 2), QString("%1.00000").arg(150 + r - 11).toStdString()) << r;
  }
  EXPECT_EQ(grid.RowTexts(10), kEmpty);
  EXPECT_EQ(Steps(), steps + 1);
  EXPECT_TRUE(boxes.seen.empty());

  // Outside the band: every row refused, listed once, nothing changed.
  ClickRowNumber(11);
  ClickRowNumber(12, Qt::ShiftModifier);
  const RadioImage bulk = Encoded();
  ASSERT_EQ(View().SelectedRows(), Range(11, 12));
  grid.Type("200");  // typed on the grid: the Rx editor of row 12 opens with it
  ASSERT_EQ(View().SelectedRows(), Range(11, 12));
  Key(Qt::Key_Return, Qt::ControlModifier);
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].text, "2 cells were not taken: row 10 Rx Frequency 200.00000 is outside the band 136-174 MHz; "
                                "row 11 Rx Frequency 200.00000 is outside the band 136-174 MHz");
  EXPECT_EQ(Encoded(), bulk);
}

// The whole table copied as text and pasted into another document gives the
// same image; copied again, the same text.
TEST_F(RowEditing, ClipboardTextRoundTripsTheWholeTable) {
  const RadioImage source = Encoded();
  grid.Click(1, 3);  // a list cell: Ctrl+A is the grid's there
  Key(Qt::Key_A, Qt::ControlModifier);
  Key(Qt::Key_C, Qt::ControlModifier);
  const QString text = Clipboard();
  EXPECT_EQ(text.count('\n'), 200);

  OpenTarget();
  grid.Click(1, 1);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_TRUE(boxes.seen.empty());
  EXPECT_EQ(Encoded(), source);
  grid.Click(5, 3);
  Key(Qt::Key_A, Qt::ControlModifier);
  SetClipboard(QString());
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Clipboard(), text);
}

// Cut takes the cells to the clipboard and empties them (a list cell of a
// channel keeps its choice); sorting by name sorts the selected rows only,
// stable, unnamed channels and empty rows last.
TEST_F(RowEditing, CutAndSortByNameOfSelectedRows) {
  ClickRowNumber(1);
  ClickRowNumber(6, Qt::ShiftModifier);
  h.ClickMenu(1, h.Frame()->Action(cmd::kSortByName));
  EXPECT_EQ(grid.RowTexts(1), kChannels[2]);  // ALPHA 144
  EXPECT_EQ(grid.RowTexts(2), kChannels[5]);  // ALPHA 140, after the first ALPHA
  EXPECT_EQ(grid.RowTexts(3), kChannels[1]);  // BETA
  EXPECT_EQ(grid.RowTexts(4), kChannels[0]);  // CALL
  EXPECT_EQ(grid.RowTexts(5), kChannels[4]);  // no name
  EXPECT_EQ(grid.RowTexts(6), kEmpty);
  const RadioImage sorted = Encoded();

  grid.Click(3, 2);
  Key(Qt::Key_Right, Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Clipboard(), "146.52500\t88.5\n145.50000\tNone\n");
  EXPECT_EQ(grid.Grid().TextMatrix(3, 2), "");
  EXPECT_EQ(grid.Grid().TextMatrix(4, 2), "");
  EXPECT_EQ(grid.Grid().TextMatrix(3, 3), "88.5");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Encoded(), sorted);
}

}  // namespace
}  // namespace torvan::test
