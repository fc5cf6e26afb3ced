// Editing channels in the grid: the in-place editors opened by clicks and keys,
// the band and raster checks with their warnings, new-channel defaults, the
// row rules, the Enter walk, the name editor, scrolling, F1, and saving with
// an editor open. Real key presses and clicks; warnings answered by a timer.

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

#include "AppHarness.h"
#include "app/channels/ChildFrame.h"
#include "app/channels/TorvanView.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"
#include "core/radio/NumberText.h"
#include "app/radio/TorvanDoc.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"

namespace torvan::test {
namespace {

using Row9 = std::array<const char*, 9>;

constexpr Row9 kUsedRow = {"145.50000", "145.50000", "88.5", "D023N", "Low", "Lock", "No", "Narrow", "CALL"};
constexpr Row9 kEmptyRow = {"", "", "", "", "", "", "", "", ""};

// A warning as the user saw it.
struct Shown {
  QString caption;
  QString text;
  QMessageBox::Icon icon;
};

class CellEditing : public testing::Test {
 protected:
  CellEditing() {
    // Every message box is answered with OK, and remembered.
    answerer.setInterval(10);
    QObject::connect(&answerer, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible() || answering) return;
      answering = true;
      if (QTest::qWaitForWindowExposed(box, 1000) && AppHarness::Activate(box)) {
        shown.push_back({box->windowTitle(), box->text(), box->icon()});
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Space);
      }
      answering = false;
    });
    answerer.start();
  }

  // Starts the program (again) in `language`, with `image` opened from
  // channels.dat when given, else with a new document.
  void Start(const std::string& language = "English", const std::optional<RadioImage>& image = std::nullopt) {
    h.reset();
    h = std::make_unique<AppHarness>(AppSetup{IniWithLanguage(language), true, true});
    QStringList args;
    if (image) {
      ASSERT_TRUE(SaveDat(h->File("channels.dat"), *image).ok());
      args << QString::fromStdString(h->File("channels.dat"));
    }
    ASSERT_TRUE(h->Start(args));
  }

  CTorvanView* View() { return h->Frame()->ActiveView(); }
  CMSFlexGrid& Grid() { return View()->Grid(); }
  void SetBand(BandLimits band) { h->App().Context().band = band; }

  void Fill(int row, const Row9& texts) {
    for (int c = 1; c <= 9; ++c) Grid().SetTextMatrix(row, c, texts[c - 1]);
  }
  std::vector<std::string> RowTexts(int row) {
    std::vector<std::string> t;
    for (int c = 1; c <= 9; ++c) t.push_back(Grid().TextMatrix(row, c));
    return t;
  }
  static std::vector<std::string> Texts(const Row9& r) { return {r.begin(), r.end()}; }

  // A click on the middle of a cell, scrolled into sight first.
  void Click(int row, int col) {
    CMSFlexGrid& g = Grid();
    g.scrollTo(g.model()->index(row - 1, col - 1));
    QApplication::processEvents();
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.CellRect(row, col).center() - g.viewport()->pos());
  }
  // The focused widget; the main window is active again once a warning or a
  // dropped list is closed, as a window manager makes it.
  QWidget* Focus() {
    if (QApplication::activeWindow() != h->Frame()) AppHarness::Activate(h->Frame());
    return QApplication::focusWidget();
  }
  // Types `text` key by key; characters beyond ASCII come as an input
  // method would send them, as text without a key code.
  void Type(const QString& text) {
    for (const QChar c : text) {
      if (c.unicode() < 0x80) QTest::keyClick(Focus(), c.toLatin1());
      else QTest::sendKeyEvent(QTest::Click, Focus(), Qt::Key_unknown, QString(c), {});
    }
  }
  void Press(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(Focus(), key, mods); }
  // Clears the open edit and types `text` (an empty text just clears it).
  void Retype(const QString& text) {
    Press(Qt::Key_A, Qt::ControlModifier);
    Press(Qt::Key_Delete);
    Type(text);
  }
  std::pair<int, int> Current() { return {Grid().Row(), Grid().Col()}; }
  // Where an open editor lies: over the cell, its grid lines left in sight.
  QRect Over(int row, int col) { return Grid().CellRect(row, col).adjusted(0, 0, -1, -1); }

  std::unique_ptr<AppHarness> h;
  QTimer answerer;
  bool answering = false;
  std::vector<Shown> shown;
};

// --- The editors -----------------------------------------------------------------

TEST_F(CellEditing, EachColumnOpensItsEditorExactlyOverTheCellWithTheFocus) {
  Start();
  SetBand({136, 174});
  Fill(5, kUsedRow);
  struct Case {
    int col;
    int helpId;
    bool isList;
  };
  const Case cases[] = {
      {1, ctrl::kEditRxFreq, false},    {2, ctrl::kEditTxFreq, false},    {3, ctrl::kComboRxTone, true},
      {4, ctrl::kComboTxTone, true},    {5, ctrl::kComboPower, true},     {6, ctrl::kComboBusyLock, true},
      {7, ctrl::kComboScanAdd, true},   {8, ctrl::kComboBandwidth, true}, {9, ctrl::kEditName, false},
  };
  for (const Case& c : cases) {
    Click(5, c.col);
    QWidget* e = View()->OpenEditor();
    ASSERT_NE(e, nullptr) << c.col;
    EXPECT_EQ(e, View()->EditorForColumn(c.col));
    EXPECT_EQ(e, Focus()) << c.col;
    EXPECT_EQ(e->parentWidget(), &Grid());
    EXPECT_EQ(e->geometry(), Over(5, c.col)) << c.col;
    EXPECT_EQ(HelpIdOf(e), c.helpId);
    EXPECT_EQ(qobject_cast<QComboBox*>(e) != nullptr, c.isList) << c.col;
    // The cell's text, selected in an edit, chosen in a list.
    if (auto* edit = qobject_cast<QLineEdit*>(e)) {
      EXPECT_EQ(edit->text(), QString::fromLatin1(kUsedRow[c.col - 1]));
      EXPECT_EQ(edit->selectedText(), edit->text());
    } else {
      EXPECT_EQ(static_cast<QComboBox*>(e)->currentText(), QString::fromLatin1(kUsedRow[c.col - 1]));
    }
    // At most one editor is open.
    int open = 0;
    for (int col = 1; col <= 9; ++col) open += View()->EditorForColumn(col)->isHidden() ? 0 : 1;
    EXPECT_EQ(open, 1) << c.col;
  }
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(RowTexts(5), Texts(kUsedRow));  // visiting changes nothing
}

TEST_F(CellEditing, ListsHoldTheWordsOfTheLanguageInOrder) {
  struct Case {
    const char* language;
    int col;
    std::vector<const char*> items;
  };
  const Case cases[] = {
      {"English", 5, {"High", "Low"}},   {"English", 6, {"Lock", "Unlock"}}, {"English", 7, {"Yes", "No"}},
      {"English", 8, {"Wide", "Narrow"}}, {"Chinese", 5, {"高", "低"}},       {"Chinese", 6, {"锁定", "未锁定"}},
      {"Chinese", 7, {"有", "无"}},        {"Chinese", 8, {"宽", "窄"}},
  };
  for (const char* language : {"English", "Chinese"}) {
    Start(language);
    for (const Case& c : cases) {
      if (std::string(c.language) != language) continue;
      auto* list = qobject_cast<QComboBox*>(View()->EditorForColumn(c.col));
      ASSERT_NE(list, nullptr);
      QStringList want;
      for (const char* item : c.items) want << QString::fromUtf8(item);
      QStringList got;
      for (int i = 0; i < list->count(); ++i) got << list->itemText(i);
      EXPECT_EQ(got, want) << language << " column " << c.col;
    }
    for (int col : {3, 4}) {
      auto* tones = qobject_cast<QComboBox*>(View()->EditorForColumn(col));
      ASSERT_EQ(tones->count(), 261);
      EXPECT_EQ(tones->itemText(0), QString::fromUtf8(std::string(language) == "Chinese" ? "无" : "None"));
      EXPECT_EQ(tones->itemText(1), "67.0");
      EXPECT_EQ(tones->itemText(51), "D023N");
      EXPECT_EQ(tones->itemText(260), "D754I");
    }
  }
}

TEST_F(CellEditing, ListOpensOnTheFirstItemThatBeginsWithTheCellText) {
  Start();
  struct Case {
    int col;
    const char* cell;
    int index;  // -1: no item begins with the text
  };
  const Case cases[] = {
      {5, "Low", 1}, {5, "low", 1}, {6, "UNLOCK", 1}, {3, "100.0", 13}, {3, "d754i", 260}, {8, "", 0}, {3, "88.6", -1},
      {5, "Medium", -1},
  };
  SetBand({136, 174});
  for (const Case& c : cases) {
    Click(8, 1);  // away first (committing the list left open before)
    Fill(7, kUsedRow);
    Grid().SetTextMatrix(7, c.col, c.cell);
    Click(7, c.col);
    auto* list = qobject_cast<QComboBox*>(View()->OpenEditor());
    ASSERT_NE(list, nullptr) << c.cell;
    EXPECT_EQ(list->currentIndex(), c.index) << c.cell;
  }
}

TEST_F(CellEditing, CellTextNoItemBeginsWithStaysUnlessAnItemIsChosen) {
  Start();
  Fill(3, kUsedRow);
  Grid().SetTextMatrix(3, 3, "88.6");  // a tone the radio sent that is not in the list
  Click(3, 3);
  auto* list = qobject_cast<QComboBox*>(View()->OpenEditor());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->placeholderText(), "88.6");  // what the closed list shows
  Press(Qt::Key_Return);  // passing through keeps it
  EXPECT_EQ(Grid().TextMatrix(3, 3), "88.6");
  EXPECT_EQ(Current(), std::make_pair(3, 4));

  Click(3, 3);
  Press(Qt::Key_Down);  // the first item
  Press(Qt::Key_Return);
  EXPECT_EQ(Grid().TextMatrix(3, 3), "None");
  EXPECT_TRUE(shown.empty());
}

// --- Frequencies ------------------------------------------------------------------

TEST_F(CellEditing, FrequenciesAreCheckedAgainstTheBandAndTheRaster) {
  Start();
  struct Case {
    BandLimits band;
    int col;
    const char* typed;
    const char* cell;       // the cell afterwards; nullptr: refused, the row stays as it was
    const char* message;    // "" when accepted
  };
  const char* out = "Out of range,please input again.";
  const char* step = "Error data Value, please input according the step value(6.25K/5k).";
  const Case cases[] = {
      {{400, 470}, 1, "400", "400.00000", ""},
      {{400, 470}, 1, "470", "470.00000", ""},
      {{400, 470}, 1, "470.0025", nullptr, out},
      {{400, 470}, 1, "399.9975", nullptr, out},
      {{400, 470}, 2, "470.0025", nullptr, out},
      {{136, 174}, 1, "145.00625", "145.00625", ""},
      {{136, 174}, 1, "145.0025", "145.00250", ""},
      {{136, 174}, 1, "145.1", "145.10000", ""},
      {{136, 174}, 1, "145.001", nullptr, step},
      {{136, 174}, 2, "145.001", nullptr, step},
      {{136, 174}, 2, "  146.5e0xyz", "146.50000", ""},  // read the way atof reads it
      {{136, 174}, 1, "abc", nullptr, out},                  // no number reads 0
      {{136, 174}, 1, "-145", nullptr, out},
      // The decimal comma many users type; digits below 10 Hz are refused, not cut off.
      {{400, 470}, 1, "410,125", "410.12500", ""},
      {{136, 174}, 2, "145,00625", "145.00625", ""},
      {{400, 470}, 1, "410.12500009", nullptr, step},
  };
  int row = 10;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    SetBand(c.band);
    ++row;
    Fill(row, kUsedRow);
    Click(row, c.col);
    Retype(QString::fromLatin1(c.typed));
    shown.clear();
    Press(Qt::Key_Return);
    const bool refused = c.cell == nullptr;
    ASSERT_EQ(shown.size(), refused ? 1u : 0u);
    std::vector<std::string> want = Texts(kUsedRow);  // a refused value keeps the channel whole
    if (!refused) want[c.col - 1] = c.cell;
    if (refused) {
      EXPECT_EQ(shown[0].text, QString::fromLatin1(c.message));
      EXPECT_EQ(shown[0].caption, "Caution");
      EXPECT_EQ(shown[0].icon, QMessageBox::Warning);
      EXPECT_EQ(Current(), std::make_pair(row, c.col));  // Enter stays
      EXPECT_EQ(View()->OpenEditor(), nullptr);
      EXPECT_EQ(Focus(), &Grid());  // the keys typed next go to the same cell
    } else {
      EXPECT_EQ(Current(), std::make_pair(row, c.col + 1));
      EXPECT_EQ(View()->OpenEditor(), View()->EditorForColumn(c.col + 1));
    }
    EXPECT_EQ(RowTexts(row), want);
  }
}

TEST_F(CellEditing, LeavingARefusedCellByClickWarnsThenOpensTheClickedCell) {
  Start();
  SetBand({136, 174});
  Fill(4, kUsedRow);
  Click(4, 2);
  Retype("175");
  Click(6, 5);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Out of range,please input again.");
  EXPECT_EQ(RowTexts(4), Texts(kUsedRow));  // the old Tx stays
  EXPECT_EQ(Current(), std::make_pair(6, 5));
  EXPECT_EQ(View()->OpenEditor(), View()->EditorForColumn(5));
}

TEST_F(CellEditing, ChineseWarningsComeFromTheChinesePack) {
  Start("Chinese");
  SetBand({136, 174});
  Click(2, 1);
  Type("145.001");
  Press(Qt::Key_Return);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, QString::fromUtf8("注意"));
  EXPECT_EQ(shown[0].text, QString::fromUtf8("数据错误，请按步进值(6.25K/5k)输入。"));
}

// --- Rows -------------------------------------------------------------------------

class NewChannel : public CellEditing, public testing::WithParamInterface<const char*> {};

TEST_P(NewChannel, GetsTheDefaultsOfTheLanguage) {
  Start(GetParam());
  SetBand({136, 174});
  Click(9, 1);
  Type("146.52");
  Press(Qt::Key_Return);
  const bool zh = std::string(GetParam()) == "Chinese";
  const std::vector<std::string> want =
      zh ? std::vector<std::string>{"146.52000", "146.52000", "无", "无", "高", "未锁定", "有", "宽", ""}
         : std::vector<std::string>{"146.52000", "146.52000", "None", "None", "High", "Unlock", "Yes", "Wide", ""};
  EXPECT_EQ(RowTexts(9), want);
  // On to the Tx frequency, its editor open with the text selected.
  EXPECT_EQ(Current(), std::make_pair(9, 2));
  auto* tx = qobject_cast<QLineEdit*>(Focus());
  ASSERT_NE(tx, nullptr);
  EXPECT_EQ(tx->selectedText(), "146.52000");
  EXPECT_TRUE(shown.empty());
}

INSTANTIATE_TEST_SUITE_P(CellEditing, NewChannel, testing::Values("English", "Chinese"));

TEST_F(CellEditing, RowRulesOfTheFrequencyColumns) {
  Start();
  SetBand({136, 174});
  struct Case {
    const char* name;
    Row9 before;
    int col;
    const char* typed;
    Row9 after;
  };
  const Case cases[] = {
      {"changing Rx of a used row changes only that cell", kUsedRow, 1, "147.3",
       {"147.30000", "145.50000", "88.5", "D023N", "Low", "Lock", "No", "Narrow", "CALL"}},
      {"emptying Rx empties the row", kUsedRow, 1, "", kEmptyRow},
      {"emptying Tx empties only that cell", kUsedRow, 2, "",
       {"145.50000", "", "88.5", "D023N", "Low", "Lock", "No", "Narrow", "CALL"}},
      {"Tx without Rx stays empty", kEmptyRow, 2, "146.5", kEmptyRow},
  };
  int row = 20;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ++row;
    Fill(row, c.before);
    Click(row, c.col);
    Retype(QString::fromLatin1(c.typed));
    Press(Qt::Key_Return);
    EXPECT_EQ(RowTexts(row), Texts(c.after));
  }
  EXPECT_TRUE(shown.empty());
}

TEST_F(CellEditing, AnEmptyRowTakesNoAttribute) {
  Start();
  SetBand({136, 174});
  Fill(31, kUsedRow);  // Enter in the name column walks on into it
  struct Case {
    int col;
    std::vector<Qt::Key> keys;
  };
  const Case cases[] = {
      {3, {Qt::Key_End}}, {4, {Qt::Key_Down, Qt::Key_Down}}, {5, {Qt::Key_Down}}, {6, {Qt::Key_Up}},
      {7, {Qt::Key_Down}}, {8, {Qt::Key_Down}},             {9, {Qt::Key_A, Qt::Key_B}},
  };
  for (const Case& c : cases) {
    Click(30, c.col);
    for (Qt::Key k : c.keys) Press(k);
    Press(Qt::Key_Return);
    EXPECT_EQ(RowTexts(30), Texts(kEmptyRow)) << c.col;
  }
  // In a used row the same choices are taken.
  Click(31, 5);
  Press(Qt::Key_Up);
  Press(Qt::Key_Return);
  Press(Qt::Key_Down);  // Busy Lock: Lock -> Unlock
  Press(Qt::Key_Return);
  EXPECT_EQ(Grid().TextMatrix(31, 5), "High");
  EXPECT_EQ(Grid().TextMatrix(31, 6), "Unlock");
}

TEST_F(CellEditing, TypingInAListSelectsTheItemThatBeginsSo) {
  Start();
  SetBand({136, 174});
  Fill(33, kUsedRow);
  Fill(34, kUsedRow);
  Click(33, 1);
  // Straight through two rows, typing fast: each list searches afresh in
  // every cell ("" keeps the cell as it is).
  const char* typed[] = {"", "", "67", "100", "h", "u", "y", "w", "",
                         "", "", "100", "d7", "l", "l", "n", "n", ""};
  for (const char* t : typed) {
    Type(QString::fromLatin1(t));
    Press(Qt::Key_Return);
  }
  EXPECT_EQ(RowTexts(33), Texts({"145.50000", "145.50000", "67.0", "100.0", "High", "Unlock", "Yes", "Wide", "CALL"}));
  EXPECT_EQ(RowTexts(34), Texts({"145.50000", "145.50000", "100.0", "D703N", "Low", "Lock", "No", "Narrow", "CALL"}));
}

// --- Keys -------------------------------------------------------------------------

TEST_F(CellEditing, EnterWalksThroughTheRowOnToTheNextAndFromTheLastToTheFirst) {
  Start();
  SetBand({400, 470});
  // A row whose Rx lies outside the band now (the band was changed after it
  // was typed): passing through its Rx cell must not check it again.
  const Row9 outside = {"145.50000", "145.50000", "None", "None", "High", "Unlock", "Yes", "Wide", "OLD"};
  const Row9 inside = {"440.00000", "", "88.5", "D023N", "Low", "Lock", "No", "Narrow", "UHF"};
  Fill(199, outside);
  Fill(200, inside);
  Click(199, 8);
  Press(Qt::Key_Return);
  EXPECT_EQ(Current(), std::make_pair(199, 9));
  Press(Qt::Key_Return);
  EXPECT_EQ(Current(), std::make_pair(200, 1));
  EXPECT_EQ(RowTexts(199), Texts(outside));
  EXPECT_TRUE(shown.empty());

  Click(200, 9);
  Press(Qt::Key_Return);
  EXPECT_EQ(Current(), std::make_pair(1, 1));
  EXPECT_EQ(Focus(), View()->EditorForColumn(1));
  EXPECT_EQ(View()->OpenEditor()->geometry(), Over(1, 1));
  EXPECT_EQ(RowTexts(200), Texts(inside));
  EXPECT_TRUE(shown.empty());
}

TEST_F(CellEditing, TabMovesOnAndShiftTabMovesBack) {
  Start();
  SetBand({136, 174});
  Click(12, 9);
  Press(Qt::Key_Tab);
  EXPECT_EQ(Current(), std::make_pair(13, 1));
  Type("146.5");
  Press(Qt::Key_Tab);
  EXPECT_EQ(Current(), std::make_pair(13, 2));
  EXPECT_EQ(Grid().TextMatrix(13, 1), "146.50000");
  Press(Qt::Key_Backtab);
  Press(Qt::Key_Backtab);
  EXPECT_EQ(Current(), std::make_pair(12, 9));
  EXPECT_EQ(Focus(), View()->EditorForColumn(9));
}

TEST_F(CellEditing, EscapeKeepsWhatWasTyped) {
  Start();
  SetBand({136, 174});
  Click(3, 1);
  Type("146.5");
  Press(Qt::Key_Escape);
  EXPECT_EQ(View()->OpenEditor(), View()->EditorForColumn(1));
  Type("25");
  Press(Qt::Key_Return);
  EXPECT_EQ(Grid().TextMatrix(3, 1), "146.52500");
}

TEST_F(CellEditing, TheNameEditorTakesOnlyWhatTheRadioCanStore) {
  Start();
  struct Case {
    const char* typed;
    const char* shown;
  };
  const Case cases[] = {
      {"abcdefgh", "ABCDEF"},   // upper case, at most 6
      {"ch 1-x_9", "CH1-X_"},   // a blank would end the stored name: refused
      {"a.b,c/d", "ABCD"},
      {"名字z9", "Z9"},
  };
  Fill(40, kUsedRow);
  for (const Case& c : cases) {
    Click(40, 9);
    Retype(QString::fromUtf8(c.typed));
    EXPECT_EQ(static_cast<QLineEdit*>(Focus())->text(), QString::fromLatin1(c.shown)) << c.typed;
    Press(Qt::Key_Return);
    EXPECT_EQ(Grid().TextMatrix(40, 9), c.shown) << c.typed;
  }
}

TEST_F(CellEditing, F1OpensTheTopicOfTheFocusedEditor) {
  Start();
  Fill(2, kUsedRow);
  for (int col = 1; col <= 9; ++col) {
    Click(2, col);
    Press(Qt::Key_F1);
    HelpWindow* help = HelpWindow::Instance();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->CurrentAnchor(), QString::number(HelpIdOf(View()->EditorForColumn(col)))) << col;
    AppHarness::Activate(h->Frame());
  }
  EXPECT_EQ(HelpWindow::Instance()->CurrentAnchor(), "1126");
}

TEST_F(CellEditing, ArrowKeysCommitEvenWhenTheGridScrollsToTheNewCell) {
  Start();
  SetBand({136, 174});
  CMSFlexGrid& g = Grid();
  // The last row that is wholly in sight.
  int last = 1;
  while (last < 200 && g.CellRect(last + 1, 1).bottom() <= g.viewport()->geometry().bottom()) ++last;
  Click(last, 1);
  Type("147");
  Press(Qt::Key_Down);
  EXPECT_EQ(g.TextMatrix(last, 1), "147.00000");
  EXPECT_EQ(Current(), std::make_pair(last + 1, 1));
  EXPECT_EQ(View()->OpenEditor()->geometry(), Over(last + 1, 1));
}

// Scrolling leaves the open list as leaving its cell does: an item only
// highlighted was not chosen, so the cell keeps its text.
TEST_F(CellEditing, ScrollClosesAnOpenListAsLeavingItAndAClickOpensItAgain) {
  Start();
  Fill(2, kUsedRow);
  Click(2, 5);
  auto* list = qobject_cast<QComboBox*>(View()->OpenEditor());
  ASSERT_NE(list, nullptr);
  list->showPopup();
  Press(Qt::Key_Up);  // "High" highlighted in the open list
  Grid().verticalScrollBar()->setValue(Grid().verticalScrollBar()->value() + 3);
  QApplication::processEvents();
  EXPECT_EQ(View()->OpenEditor(), nullptr);
  EXPECT_FALSE(list->view()->isVisible());
  EXPECT_EQ(Current(), std::make_pair(2, 5));
  View()->OnLeaveCellGrid();  // nothing open: nothing happens
  EXPECT_EQ(Grid().TextMatrix(2, 5), "Low");

  Click(2, 5);  // the current cell again
  EXPECT_EQ(View()->OpenEditor(), list);
  EXPECT_EQ(list->currentText(), "Low");
}

TEST_F(CellEditing, EnterInADroppedListTakesTheItemAndMovesOn) {
  Start();
  Fill(2, kUsedRow);
  Click(2, 5);
  auto* list = qobject_cast<QComboBox*>(View()->OpenEditor());
  ASSERT_NE(list, nullptr);
  list->showPopup();
  ASSERT_TRUE(list->view()->isVisible());
  QTest::keyClick(list->view(), Qt::Key_Up);  // "High" highlighted
  QTest::keyClick(list->view(), Qt::Key_Return);
  EXPECT_FALSE(list->view()->isVisible());
  EXPECT_EQ(Grid().TextMatrix(2, 5), "High");
  EXPECT_EQ(Current(), std::make_pair(2, 6));
  EXPECT_EQ(View()->OpenEditor(), View()->EditorForColumn(6));

  // F1 in a dropped list opens the list's own topic.
  auto* busy = qobject_cast<QComboBox*>(View()->OpenEditor());
  ASSERT_NE(busy, nullptr);
  busy->showPopup();
  QTest::keyClick(busy->view(), Qt::Key_F1);
  ASSERT_NE(HelpWindow::Instance(), nullptr);
  EXPECT_EQ(HelpWindow::Instance()->CurrentAnchor(), QString::number(HelpIdOf(busy)));
  EXPECT_EQ(Grid().TextMatrix(2, 6), "Lock");
}

TEST_F(CellEditing, TypingOnTheGridGoesIntoTheCellsEditor) {
  Start();
  SetBand({136, 174});
  Fill(2, kUsedRow);
  Click(2, 1);
  Type("147");
  Grid().verticalScrollBar()->setValue(1);  // commits what was typed, as leaving the cell does
  QApplication::processEvents();
  ASSERT_EQ(View()->OpenEditor(), nullptr);
  EXPECT_EQ(Focus(), &Grid());
  EXPECT_EQ(Grid().TextMatrix(2, 1), "147.00000");
  Type("146.6");  // the first key opens the editor on the cell's text and replaces it
  EXPECT_EQ(Focus(), View()->EditorForColumn(1));
  Press(Qt::Key_Return);
  EXPECT_EQ(Grid().TextMatrix(2, 1), "146.60000");
  EXPECT_EQ(Current(), std::make_pair(2, 2));
}

// --- Saving -----------------------------------------------------------------------

TEST_F(CellEditing, SaveCommitsTheOpenEditorFirstAndOnlyThenTouchesTheImage) {
  for (const bool windowHidden : {false, true}) {
    SCOPED_TRACE(windowHidden ? "window hidden" : "window shown");
    Start("English", CraftedImage());  // a 136-174 MHz radio
    CTorvanDoc* doc = h->Frame()->ActiveDocument();
    Click(2, 1);
    Type("146.5");
    Press(Qt::Key_Return);
    EXPECT_EQ(doc->Image(), CraftedImage());  // the grid only, until the next encode
    Retype("146.6");  // the Tx editor stays open
    if (windowHidden) h->Frame()->ActiveChild()->close();  // File > Close hides it
    AppHarness::Activate(h->Frame());
    QTest::keyClick(h->Frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(View()->OpenEditor(), nullptr);

    RadioImage saved;
    ASSERT_TRUE(LoadDat(h->File("channels.dat"), saved).ok());
    const ChannelTexts channel1 = DecodeChannel(saved, 1, DisplayLanguage::English);
    EXPECT_EQ(channel1[0], "146.50000");
    EXPECT_EQ(channel1[1], "146.60000");
    EXPECT_EQ(channel1[4], "High");
    EXPECT_EQ(saved, doc->Image());
    EXPECT_TRUE(shown.empty());
  }
}

// A dozen channels typed into a new document with the keyboard alone, then
// saved: what a user at the keyboard gets, in either language.
class KeyboardOnly : public CellEditing, public testing::WithParamInterface<const char*> {};

TEST_P(KeyboardOnly, ADozenChannelsTypedAndSaved) {
  Start(GetParam());
  const bool zh = std::string(GetParam()) == "Chinese";
  const DisplayLanguage lang = zh ? DisplayLanguage::Chinese : DisplayLanguage::English;
  const auto word = [lang](Text t) { return std::string(TextFor(t, lang)); };
  ASSERT_EQ(h->App().Context().band, (BandLimits{400, 420}));  // the new document's radio
  ASSERT_EQ(Focus(), &Grid());

  std::vector<ChannelTexts> want;
  for (int i = 0; i < 12; ++i) {
    const std::string rx = "40" + std::to_string(i / 2) + (i % 2 ? ".5" : "");  // 400, 400.5, 401, ...
    const std::string rxText = FormatFixed(AtoF(rx), 5);
    const bool repeater = i % 4 == 3, dcs = i % 3 == 0, low = i % 2 == 1;
    const std::string name = "ch" + std::to_string(i + 1);
    Type(QString::fromStdString(rx));  // on the grid: opens the Rx editor
    Press(Qt::Key_Return);
    if (repeater) Type("410");
    Press(Qt::Key_Return);
    if (dcs) Type("D023N");
    Press(Qt::Key_Return);
    if (dcs) Type("D023N");
    Press(Qt::Key_Return);
    if (low) Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    Press(Qt::Key_Return);  // Busy Lock, Scan Add, Bandwidth as they come
    Press(Qt::Key_Return);
    Press(Qt::Key_Return);
    Type(QString::fromStdString(name));
    Press(Qt::Key_Return);
    want.push_back({rxText, repeater ? "410.00000" : rxText, dcs ? "D023N" : word(Text::None),
                    dcs ? "D023N" : word(Text::None), word(low ? Text::Low : Text::High), word(Text::Unlock),
                    word(Text::Yes), word(Text::Wide), "CH" + std::to_string(i + 1)});
  }
  EXPECT_EQ(Current(), std::make_pair(13, 1));
  EXPECT_TRUE(shown.empty());

  // Ctrl+S: a new document asks for its file name.
  AppHarness::WhenModal([this](QWidget* w) {
    if (!qobject_cast<QFileDialog*>(w)) return false;
    QWidget* name = w->focusWidget();
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(name, QString::fromStdString(h->File("dozen.dat")));
    QTest::keyClick(name, Qt::Key_Return);
    if (w->isVisible()) QTest::keyClick(w->focusWidget(), Qt::Key_Return);  // past a completion
    return true;
  });
  Press(Qt::Key_S, Qt::ControlModifier);
  RadioImage saved;
  ASSERT_TRUE(LoadDat(h->File("dozen.dat"), saved).ok());
  for (int i = 0; i < 12; ++i) EXPECT_EQ(DecodeChannel(saved, i, lang), want[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(DecodeChannel(saved, 12, lang), ChannelTexts{});
}

INSTANTIATE_TEST_SUITE_P(CellEditing, KeyboardOnly, testing::Values("English", "Chinese"));

}  // namespace
}  // namespace torvan::test
