// Nothing the user typed is lost, followed the way users lost it: leaving the
// program with unsaved channels, passing through a channel after a band
// change, a mouse-wheel notch over an open editor, a text file opened as a
// memory and saved over, a read-only file, a write cancelled half way, the
// transfer window naming the wrong direction, and transfers that end without
// a word. Real keys and clicks; every message box answered as it comes.

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "AppHarness.h"
#include "TransferHelpers.h"
#include "UserActions.h"
#include "app/base/CommandIds.h"
#include "app/channels/ChildFrame.h"
#include "app/link/ProgressDialog.h"
#include "app/link/TransferController.h"
#include "app/product/ProductInfoDialog.h"
#include "app/radio/TorvanDoc.h"
#include "app/shell/LanguageDialog.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"
#include "core/radio/MemoryMap.h"
#include "core/product/ProductCatalog.h"

namespace torvan::test {
namespace {

namespace fs = std::filesystem;

using Row = std::vector<std::string>;
const Row kCraftedPr = {"145.50000", "145.50000", "None", "None", "High", "Unlock", "Yes", "Wide", "CALL"};
const Row kTypedChannel = {"146.50000", "146.50000", "None", "None", "High", "Unlock", "Yes", "Wide", ""};

bool HasSaveDiscardCancel(const SeenBox& box) {
  return box.buttons == (QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
}

class KeepingWork : public testing::Test {
 protected:
  // The program with crafted.dat (a 136-174 MHz radio with two channels) open.
  void StartWithCrafted() {
    ASSERT_TRUE(SaveDat(h.File("crafted.dat"), CraftedImage()).ok());
    ASSERT_TRUE(h.Start({QString::fromStdString(h.File("crafted.dat"))}));
  }
  // Channel 1 (row 2) typed as a user types it: 146.5 and Enter.
  void TypeAChannel() {
    grid.Click(2, 1);
    grid.Type("146.5");
    grid.Press(Qt::Key_Return);
    ASSERT_EQ(grid.RowTexts(2), kTypedChannel);
  }
  void Command(int menu, int id) { h.ClickMenu(menu, h.Frame()->Action(id)); }
  void CtrlKey(Qt::Key key) {
    AppHarness::Activate(h.Frame());
    QTest::keyClick(h.Frame(), key, Qt::ControlModifier);
    QApplication::processEvents();
  }
  RadioImage Saved(const std::string& name) {
    RadioImage image;
    EXPECT_TRUE(LoadDat(h.File(name), image).ok()) << name;
    return image;
  }

  AppHarness h;
  GridUser grid{h};
  BoxAnswerer boxes;
};

// --- Leaving the program --------------------------------------------------------

struct LeaveCase {
  const char* name;
  std::function<void(AppHarness&)> leave;
};
void PrintTo(const LeaveCase& c, std::ostream* os) { *os << c.name; }

void ChooseChineseAndRestart(AppHarness& h) {
  AppHarness::ChooseChineseInLanguageDialog();
  h.ClickMenu(4, h.Frame()->Action(cmd::kLanguage));
  QApplication::processEvents();
}

class LeavingWithTypedChannels : public KeepingWork, public testing::WithParamInterface<LeaveCase> {};

// Typed channels, then File > Exit, the close box or a language restart:
// the program asks, and Cancel keeps everything as it was.
TEST_P(LeavingWithTypedChannels, AsksAndCancelKeepsEverything) {
  StartWithCrafted();
  TypeAChannel();
  const QByteArray ini = h.ReadFile("Program.ini");
  boxes.SetChooser(BoxAnswerer::Press(QMessageBox::Cancel));
  GetParam().leave(h);
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_TRUE(HasSaveDiscardCancel(boxes.seen[0])) << boxes.seen[0].buttonTexts.join(',').toStdString();
  EXPECT_TRUE(boxes.seen[0].text.contains("crafted.dat")) << boxes.seen[0].text.toStdString();
  EXPECT_TRUE(h.Frame()->isVisible());
  EXPECT_TRUE(h.StartedPrograms().isEmpty());
  EXPECT_EQ(h.ReadFile("Program.ini"), ini);  // the language stays as it was
  EXPECT_EQ(LanguageName(h.Ini()), "English");
  EXPECT_EQ(grid.RowTexts(2), kTypedChannel);
  EXPECT_EQ(Saved("crafted.dat"), CraftedImage());
}

INSTANTIATE_TEST_SUITE_P(
    KeepingWork, LeavingWithTypedChannels,
    testing::Values(LeaveCase{"FileExit", [](AppHarness& h) { h.ClickMenu(0, h.Frame()->Action(cmd::kAppExit)); }},
                    LeaveCase{"CloseBox", [](AppHarness& h) { h.Frame()->close(); }},
                    LeaveCase{"LanguageRestart", ChooseChineseAndRestart}),
    [](const testing::TestParamInfo<LeaveCase>& i) { return std::string(i.param.name); });

// The three answers of the question on File > Exit.
TEST_F(KeepingWork, ExitAnsweredWithSaveDiscardOrCancel) {
  const struct {
    QMessageBox::StandardButton answer;
    bool ends;
    bool saved;
  } cases[] = {
      {QMessageBox::Save, true, true},
      {QMessageBox::Discard, true, false},
      {QMessageBox::Cancel, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    AppHarness run;
    GridUser user(run);
    ASSERT_TRUE(SaveDat(run.File("crafted.dat"), CraftedImage()).ok());
    ASSERT_TRUE(run.Start({QString::fromStdString(run.File("crafted.dat"))}));
    user.Click(2, 1);
    user.Type("146.5");
    user.Press(Qt::Key_Return);
    boxes.seen.clear();
    boxes.SetChooser(BoxAnswerer::Press(c.answer));
    run.ClickMenu(0, run.Frame()->Action(cmd::kAppExit));
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_TRUE(HasSaveDiscardCancel(boxes.seen[0]));
    EXPECT_EQ(run.Frame()->isVisible(), !c.ends);
    RadioImage onDisk;
    ASSERT_TRUE(LoadDat(run.File("crafted.dat"), onDisk).ok());
    const ChannelTexts typed{"146.50000", "146.50000", "None", "None", "High", "Unlock", "Yes", "Wide", ""};
    EXPECT_EQ(DecodeChannel(onDisk, 1, DisplayLanguage::English) == typed, c.saved);
    EXPECT_EQ(onDisk == CraftedImage(), !c.saved);
  }
}

// --- Editing ----------------------------------------------------------------------

// The band changed from 136-174 to 400-470 MHz; a click into a channel's Rx
// cell and out again used to wipe the whole row.
TEST_F(KeepingWork, PassingThroughAChannelOutsideANewBandKeepsIt) {
  StartWithCrafted();
  AppHarness::WhenModal([](QWidget* w) {
    auto* dialog = qobject_cast<CProductInfoDialog*>(w);
    if (!dialog) return false;
    ChooseEntry(dialog->TypeList(), 0);  // TV-400: its first band, 400-470 MHz
    QTest::keyClick(dialog, Qt::Key_Return);
    return true;
  });
  Command(1, cmd::kProductInformation);
  ASSERT_EQ(h.App().Context().band, (BandLimits{400, 470}));
  grid.Click(1, 1);
  grid.Click(1, 2);
  grid.Press(Qt::Key_Return);
  grid.Click(1, 5);
  grid.Click(3, 3);
  EXPECT_TRUE(boxes.seen.empty());
  EXPECT_EQ(grid.RowTexts(1), kCraftedPr);
}

// A name typed, then one notch of the mouse wheel: the name is in the cell.
TEST_F(KeepingWork, AWheelNotchKeepsWhatWasTyped) {
  StartWithCrafted();
  const struct {
    int col;
    const char* typed;
    const char* cell;
    bool warned;
  } cases[] = {
      {9, "NEWNAM", "NEWNAM", false},
      {2, "146.5", "146.50000", false},
      {1, "1460", "145.50000", true},  // refused as leaving the cell refuses it: the warning, the old value
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    boxes.seen.clear();
    grid.Click(1, c.col);
    grid.Retype(QString::fromLatin1(c.typed));
    grid.WheelDown();
    EXPECT_EQ(grid.Grid().TextMatrix(1, c.col), c.cell);
    EXPECT_EQ(boxes.seen.size(), c.warned ? 1u : 0u);
  }
}

// --- Files ------------------------------------------------------------------------

// A 14 KB text file is not a radio memory: the program asks before it opens
// its first 8192 bytes, and Save never writes over it.
TEST_F(KeepingWork, AFileLongerThanAMemoryIsOpenedOnlyWhenAskedAndNeverSavedOver) {
  ASSERT_TRUE(h.Start());
  std::string text;
  while (text.size() < 14 * 1024) text += "Notes about the repeater on the hill, not a radio memory.\n";
  text.resize(14 * 1024);
  h.WriteFile("notes.txt", text);
  const std::string notes = h.File("notes.txt");
  CChildFrame* shown = h.Frame()->ActiveChild();

  boxes.SetChooser(BoxAnswerer::Press(QMessageBox::No));
  AnswerFileDialog(notes);
  CtrlKey(Qt::Key_O);
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_TRUE(boxes.seen[0].text.contains("notes.txt")) << boxes.seen[0].text.toStdString();
  EXPECT_TRUE(boxes.seen[0].text.contains("14336 bytes")) << boxes.seen[0].text.toStdString();
  EXPECT_TRUE(boxes.seen[0].text.contains("8192")) << boxes.seen[0].text.toStdString();
  EXPECT_EQ(h.Frame()->ActiveChild(), shown);
  EXPECT_EQ(h.Frame()->ChildFrames().size(), 1);

  boxes.SetChooser(BoxAnswerer::Press(QMessageBox::Yes));
  AnswerFileDialog(notes);
  CtrlKey(Qt::Key_O);
  ASSERT_NE(h.Frame()->ActiveChild(), shown);
  EXPECT_FALSE(h.Frame()->ActiveDocument()->HasFile());

  bool saveAsShown = false;
  AnswerFileDialog("", &saveAsShown);  // Save asks for a name; the user closes the dialog
  CtrlKey(Qt::Key_S);
  EXPECT_TRUE(saveAsShown);
  EXPECT_EQ(h.ReadFile("notes.txt"), QByteArray::fromStdString(text));
}

// Save over a file marked read-only says why and offers Save As; a file
// that is replaced keeps its permission bits.
TEST_F(KeepingWork, SaveOverAReadOnlyFileOffersSaveAs) {
  ASSERT_TRUE(SaveDat(h.File("ro.dat"), CraftedImage()).ok());
  fs::permissions(h.File("ro.dat"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  ASSERT_TRUE(h.Start({QString::fromStdString(h.File("ro.dat"))}));
  TypeAChannel();
  boxes.SetChooser(BoxAnswerer::PressText("Save As..."));
  AnswerFileDialog(h.File("copy.dat"));
  CtrlKey(Qt::Key_S);
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_TRUE(boxes.seen[0].text.contains("ro.dat")) << boxes.seen[0].text.toStdString();
  EXPECT_TRUE((boxes.seen[0].text + boxes.seen[0].detail).contains("Permission denied"));
  EXPECT_EQ(Saved("ro.dat"), CraftedImage());
  EXPECT_EQ(fs::status(h.File("ro.dat")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(DecodeChannel(Saved("copy.dat"), 1, DisplayLanguage::English)[0], "146.50000");
  EXPECT_EQ(h.Frame()->ActiveDocument()->PathName(), QString::fromStdString(h.File("copy.dat")));

  // copy.dat made group-writable only: Save replaces it and keeps those bits.
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                         fs::perms::group_write;
  fs::permissions(h.File("copy.dat"), mode);
  grid.Click(2, 9);
  grid.Type("KEEP");
  grid.Press(Qt::Key_Return);
  boxes.seen.clear();
  CtrlKey(Qt::Key_S);
  EXPECT_TRUE(boxes.seen.empty());
  EXPECT_EQ(DecodeChannel(Saved("copy.dat"), 1, DisplayLanguage::English)[8], "KEEP");
  EXPECT_EQ(fs::status(h.File("copy.dat")).permissions() & fs::perms::all, mode);
}

// --- Transfers --------------------------------------------------------------------

#ifdef TORVAN_SIM_PATH

constexpr int kSessionMs = 20000;

class KeepingWorkTransfers : public KeepingWork {
 protected:
  void StartRadio(std::vector<std::string> args) {
    radio = std::make_unique<SimRadio>(std::move(args));
    ASSERT_FALSE(radio->Port().empty());
    h.Frame()->Transfer().SetPort(radio->QPort());
  }
  CProgressDialog& Dialog() { return h.Frame()->Transfer().ProgressDialog(); }
  // The texts the transfer window shows besides its buttons and counter.
  QStringList WindowTexts() {
    QStringList texts;
    for (QLabel* label : Dialog().findChildren<QLabel*>())
      if (label != Dialog().Counter()) texts << label->text();
    return texts;
  }
  bool RunOffered() {
    QTest::keyClick(&Dialog(), Qt::Key_Return);
    return QTest::qWaitFor([this] { return !Dialog().isVisible(); }, kSessionMs);
  }
  // Escape in the transfer window once the bar reaches `position`.
  void CancelAt(int position) {
    QObject::connect(Dialog().Bar(), &QProgressBar::valueChanged, &Dialog(), [this, position](int at) {
      if (at == position) QTimer::singleShot(0, &Dialog(), [this] { QTest::keyClick(&Dialog(), Qt::Key_Escape); });
    });
  }

  ScopedUserSettings settings{h.Dir() + "/config"};
  std::unique_ptr<SimRadio> radio;
};

// Program > Write chosen while the Read window is offered: the window says
// Write from then on, and OK writes.
TEST_F(KeepingWorkTransfers, TheTransferWindowNamesTheDirectionOkRuns) {
  StartWithCrafted();
  StartRadio({"--save", h.File("radio.dat")});
  CtrlKey(Qt::Key_R);
  ASSERT_TRUE(Dialog().isVisible());
  EXPECT_EQ(Dialog().windowTitle(), "Read Data");
  EXPECT_TRUE(WindowTexts().join(' ').contains("read", Qt::CaseInsensitive)) << WindowTexts().join('|').toStdString();
  QTest::keyClick(&Dialog(), Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(Dialog().windowTitle(), "Write Data");
  EXPECT_TRUE(WindowTexts().join(' ').contains("write", Qt::CaseInsensitive)) << WindowTexts().join('|').toStdString();
  QTest::keyClick(&Dialog(), Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(Dialog().windowTitle(), "Read Data");
  QTest::keyClick(&Dialog(), Qt::Key_W, Qt::ControlModifier);
  ASSERT_TRUE(RunOffered());
  ASSERT_TRUE(QTest::qWaitFor([this] { return h.Exists("radio.dat"); }, 5000));
  const RadioImage written = Saved("radio.dat");
  EXPECT_TRUE(std::equal(written.data(), written.data() + map::kFinalWriteBlock, CraftedImage().data()));
}

// A write that stops after blocks went out leaves the radio with a memory
// that is part old, part new: the program says so. One that stops before
// any block touched nothing.
TEST_F(KeepingWorkTransfers, AWriteThatStopsHalfWayWarnsThatTheRadioIsIncomplete) {
  const struct {
    const char* name;
    std::vector<std::string> radioArgs;
    int cancelAt;  // 0: not cancelled
    bool incomplete;
  } cases[] = {
      {"cancelled", {}, 100, true},
      {"refused block", {"--fault", "nak-block=0x0C80"}, 0, true},
      {"no answer to the handshake", {"--fault", "no-final-ack"}, 0, false},
  };
  StartWithCrafted();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.seen.clear();
    // The offer to read the radio first: declined; Retry/Cancel: Cancel; the rest: OK.
    boxes.SetChooser([](QMessageBox& box) -> QAbstractButton* {
      if (box.checkBox()) {
        box.checkBox()->setChecked(false);
        return box.button(QMessageBox::Ok);
      }
      return BoxAnswerer::Press(QMessageBox::Cancel)(box);
    });
    StartRadio(c.radioArgs);
    CtrlKey(Qt::Key_W);
    if (c.cancelAt) CancelAt(c.cancelAt);
    ASSERT_TRUE(RunOffered());
    QTest::qWait(50);
    bool warned = false;
    for (const SeenBox& box : boxes.seen) warned = warned || box.text.contains("incomplete");
    EXPECT_EQ(warned, c.incomplete);
    EXPECT_TRUE(h.Frame()->statusBar()->currentMessage().contains(c.incomplete ? "incomplete" : "not changed"))
        << h.Frame()->statusBar()->currentMessage().toStdString();
  }
}

// A read or a write that completes says so in the status bar, with the
// channels and the time it took.
TEST_F(KeepingWorkTransfers, ACompletedTransferSaysSoInTheStatusBar) {
  StartWithCrafted();
  StartRadio({"--image", h.File("crafted.dat")});
  for (const auto& [id, said] : {std::pair{cmd::kRead, "Read complete: 2 channels, "},
                                 std::pair{cmd::kWrite, "Write complete: 2 channels, "}}) {
    Command(2, id);  // Program > Read, then Program > Write
    ASSERT_TRUE(Dialog().isVisible());
    ASSERT_TRUE(RunOffered());
    const QString message = h.Frame()->statusBar()->currentMessage();
    EXPECT_TRUE(message.startsWith(said)) << message.toStdString();
    EXPECT_TRUE(message.endsWith(" s")) << message.toStdString();
  }
}

#endif  // TORVAN_SIM_PATH

}  // namespace
}  // namespace torvan::test
