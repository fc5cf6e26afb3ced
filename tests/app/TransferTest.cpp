// Program > Read and Write against the virtual radio over a pseudo-terminal:
// the grid and caption after a read, the radio's memory after a write, Cancel
// before and during a transfer, the messages of a port that cannot be opened
// and of a radio that fails, and the commands held while a session runs.

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <gtest/gtest.h>

#include "AppHarness.h"
#include "TransferHelpers.h"
#include "app/channels/ChildFrame.h"
#include "core/channels/TextGrid.h"
#include "app/channels/TorvanView.h"
#include "app/link/ProgressDialog.h"
#include "app/link/TransferController.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"
#include "app/radio/TorvanDoc.h"
#include "app/base/CommandIds.h"

#ifdef TORVAN_SIM_PATH

namespace torvan::test {
namespace {

constexpr int kSessionMs = 20000;

const char* const kCouldNotOpenPort =
    "Could not Open the Port,Please check whether the Port are occupied or the device are ok";
const char* const kProgramInterrupt = "Program Interrupt, Please reset the radio and try again";
const char* const kCommunicationError = "Communication Error,Please check all the connections and the radio power";

// What a message box of the transfer showed.
struct Shown {
  QString text;
  QString detail;
};

// Answers the next message box with `button` and records it.
void AnswerBox(QMessageBox::StandardButton button, Shown* shown) {
  AppHarness::WhenModal([button, shown](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (!box) return false;
    shown->text = box->text();
    shown->detail = box->informativeText();
    if (QAbstractButton* b = box->button(button)) {
      b->setFocus();
      QTest::keyClick(b, Qt::Key_Space);
    }
    return true;
  });
}

// Answers the offer before a write of a document not read from a radio: OK,
// without reading the radio first; then sets up `next` (the answer to the box
// after it).
void WriteWithoutReadingFirst(std::function<void()> next = {}) {
  AppHarness::WhenModal([next](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (!box || !box->checkBox()) return false;
    box->checkBox()->setChecked(false);
    if (next) next();
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Space);
    return true;
  });
}

class Transfer : public RadioAtThePort {
 protected:
  CTorvanView& View() { return *h.Frame()->ActiveView(); }
  CMSFlexGrid& Grid() { return View().Grid(); }
  // OK (Enter, the default button), then the whole session.
  bool RunOffered() {
    QTest::keyClick(&Dialog(), Qt::Key_Return);
    if (!QTest::qWaitFor([this] { return !Dialog().isVisible(); }, kSessionMs)) return false;
    // The main window has the keyboard again (its accelerators work at once).
    return QTest::qWaitFor([this] { return QApplication::activeWindow() == h.Frame(); }, 2000);
  }
  // Every position the bar took.
  std::unique_ptr<QSignalSpy> SpyPositions() {
    return std::make_unique<QSignalSpy>(Dialog().Bar(), &QProgressBar::valueChanged);
  }
  static int LastPosition(const QSignalSpy& spy) { return spy.isEmpty() ? -1 : spy.last().at(0).toInt(); }
};

TEST_F(Transfer, ReadFillsTheGridAndSetsTheCaption) {
  Start({}, {"--image", h.File("crafted.dat")});
  EXPECT_EQ(Grid().CellText(1, 1), QString());
  Key(Qt::Key_R);
  ASSERT_TRUE(Dialog().isVisible());
  EXPECT_EQ(Dialog().windowTitle(), "Read Data");
  EXPECT_EQ(Dialog().Counter()->text(), "0");
  EXPECT_TRUE(Dialog().OkButton()->isEnabled());

  const auto positions = SpyPositions();
  ASSERT_TRUE(RunOffered());
  EXPECT_EQ(Image(), CraftedImage());
  EXPECT_EQ(Grid().CellText(1, 1), "145.50000");
  EXPECT_EQ(Grid().CellText(1, 9), "CALL");
  EXPECT_EQ(Grid().CellText(200, 4), "D023N");
  EXPECT_EQ(TitleText(h.Frame()), "Torvan FM Programmer  [ Type:TV-136  Fre:136 - 174MHz ]");
  EXPECT_EQ(h.App().Context().band, (BandLimits{136, 174}));
  // One step every second block, up to the bar's end.
  EXPECT_EQ(positions->count(), 512);
  EXPECT_EQ(LastPosition(*positions), 512);
  EXPECT_EQ(Dialog().Bar()->maximum(), 512);
  EXPECT_EQ(Dialog().Counter()->text(), "512");

  // The next transfer is offered afresh.
  Key(Qt::Key_R);
  EXPECT_TRUE(Dialog().isVisible());
  EXPECT_EQ(Dialog().Counter()->text(), "0");
  EXPECT_EQ(Dialog().Bar()->value(), 0);
  EXPECT_TRUE(Dialog().OkButton()->isEnabled());
  QTest::keyClick(&Dialog(), Qt::Key_Escape);
  EXPECT_FALSE(Dialog().isVisible());
}

TEST_F(Transfer, WriteSendsTheEditedGrid) {
  Start({QString::fromStdString(h.File("crafted.dat"))}, {"--save", h.File("radio.dat")});
  // Type a new channel into row 2 (channel 1) with the keyboard.
  Grid().setFocus();
  Grid().SetRow(2);
  Grid().SetCol(1);
  QTest::keyClicks(QApplication::focusWidget(), "146.5");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QTRY_COMPARE(Grid().CellText(2, 1), QString("146.50000"));

  Key(Qt::Key_W);
  ASSERT_TRUE(Dialog().isVisible());
  EXPECT_EQ(Dialog().windowTitle(), "Write Data");
  const auto positions = SpyPositions();
  WriteWithoutReadingFirst();
  ASSERT_TRUE(RunOffered());
  EXPECT_EQ(LastPosition(*positions), 511);
  EXPECT_EQ(Dialog().Bar()->maximum(), 511);

  ASSERT_TRUE(QTest::qWaitFor([this] { return h.Exists("radio.dat"); }, 5000));
  RadioImage radioMemory;
  ASSERT_TRUE(LoadDat(h.File("radio.dat"), radioMemory).ok());
  // The radio holds the document's image up to 0x1FF2; bytes from 0x1FF3 on
  // are never sent and stay as the radio had them.
  const RadioImage before = RadioImage::NewDocument();
  for (std::size_t a = 0; a < kImageSize; ++a) {
    const std::uint8_t expected = a < map::kFinalWriteBlock + map::kFinalWriteSize ? Image()[a] : before[a];
    ASSERT_EQ(radioMemory[a], expected) << "byte 0x" << std::hex << a;
  }
  // ... and that image is the grid with the new channel.
  MemoryTextGrid sent;
  DecodeImage(radioMemory, sent, DisplayLanguage::English);
  MemoryTextGrid crafted;
  DecodeImage(CraftedImage(), crafted, DisplayLanguage::English);
  for (int row = 1; row < kGridRows; ++row) {
    for (int col = 1; col < kGridCols; ++col) {
      if (row == 2) continue;
      ASSERT_EQ(sent.TextMatrix(row, col), crafted.TextMatrix(row, col)) << row << "," << col;
    }
  }
  const std::vector<std::string> newChannel = {"146.50000", "146.50000", "None", "None", "High",
                                               "Unlock",    "Yes",       "Wide", ""};
  for (int col = 1; col < kGridCols; ++col) EXPECT_EQ(sent.TextMatrix(2, col), newChannel[col - 1]) << col;
}

TEST_F(Transfer, WriteChosenWhileReadIsOfferedWrites) {
  Start({QString::fromStdString(h.File("crafted.dat"))}, {"--save", h.File("radio.dat")});
  Key(Qt::Key_R);
  ASSERT_TRUE(Dialog().isVisible());
  // Ctrl+W in the offered window changes the direction: still one window,
  // now named for what OK does.
  QTest::keyClick(&Dialog(), Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(Dialog().windowTitle(), "Write Data");
  WriteWithoutReadingFirst();
  ASSERT_TRUE(RunOffered());
  ASSERT_TRUE(QTest::qWaitFor([this] { return h.Exists("radio.dat"); }, 5000));
  RadioImage radioMemory;
  ASSERT_TRUE(LoadDat(h.File("radio.dat"), radioMemory).ok());
  EXPECT_TRUE(std::equal(radioMemory.data(), radioMemory.data() + 0x1FF3, CraftedImage().data()));
}

TEST_F(Transfer, CancelBeforeOkSendsNothing) {
  Start({}, {"--image", h.File("crafted.dat")});
  h.ClickMenu(2, h.Frame()->Action(cmd::kRead));
  ASSERT_TRUE(Dialog().isVisible());
  QTest::keyClick(&Dialog(), Qt::Key_Escape);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_TRUE(Dialog().CancelRequested());
  QTest::qWait(100);  // a transfer started by mistake would be under way by now
  EXPECT_EQ(Image(), RadioImage::NewDocument());
  EXPECT_EQ(Grid().CellText(1, 1), QString());
}

TEST_F(Transfer, CancelDuringReadLeavesGridAndImage) {
  Start({}, {"--image", h.File("crafted.dat")});
  const QString title = TitleText(h.Frame());
  Key(Qt::Key_R);
  const auto positions = SpyPositions();
  bool stillShownAfterCancel = false;
  QObject::connect(Dialog().Bar(), &QProgressBar::valueChanged, &Dialog(), [&](int position) {
    if (position != 20) return;
    // Escape during a pump step: the session sees the flag at the next one.
    QTimer::singleShot(0, &Dialog(), [&] {
      QTest::keyClick(&Dialog(), Qt::Key_Escape);
      stillShownAfterCancel = Dialog().isVisible();
    });
  });
  ASSERT_TRUE(RunOffered());
  EXPECT_TRUE(stillShownAfterCancel);  // it closes when the session ends, not at the key
  EXPECT_LT(LastPosition(*positions), 30);
  EXPECT_EQ(Image(), RadioImage::NewDocument());
  EXPECT_EQ(Grid().CellText(1, 1), QString());
  EXPECT_EQ(TitleText(h.Frame()), title);
}

TEST_F(Transfer, PortThatCannotBeOpenedShowsTheMessage) {
  ASSERT_TRUE(h.Start());
  h.Frame()->Transfer().SetPort(h.Dir() + "/no-such-port");
  Key(Qt::Key_R);
  Shown shown;
  AnswerBox(QMessageBox::Ok, &shown);
  ASSERT_TRUE(RunOffered());
  EXPECT_EQ(shown.text, kCouldNotOpenPort);
  EXPECT_TRUE(shown.detail.contains("no-such-port")) << shown.detail.toStdString();
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Image(), RadioImage::NewDocument());
}

TEST_F(Transfer, AnOfferGoesWithItsDocumentWindowAndTheNextIsForTheNewOne) {
  ASSERT_TRUE(h.Start());
  QPointer<CTorvanView> first = &View();
  Key(Qt::Key_R);
  ASSERT_TRUE(Dialog().isVisible());
  EXPECT_EQ(h.Frame()->Transfer().View(), first);
  // File > New while Read is only offered: the window and its offer go.
  AppHarness::AnswerMessageBox(QMessageBox::Ok);
  h.Frame()->Action(cmd::kFileNew)->trigger();
  ASSERT_TRUE(first.isNull());
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(h.Frame()->Transfer().View(), nullptr);
  // The next command offers a transfer for the new window, and its OK runs
  // one (here: the port cannot be opened) without touching the old window.
  h.Frame()->Transfer().SetPort(h.Dir() + "/no-such-port");
  Key(Qt::Key_W);
  ASSERT_TRUE(Dialog().isVisible());
  EXPECT_EQ(h.Frame()->Transfer().View(), &View());
  Shown shown;
  WriteWithoutReadingFirst([&shown] { AnswerBox(QMessageBox::Ok, &shown); });
  ASSERT_TRUE(RunOffered());
  EXPECT_EQ(shown.text, kCouldNotOpenPort);
}

struct FaultCase {
  const char* name;
  Qt::Key command;
  const char* fault;
  QMessageBox::StandardButton answer;
  const char* message;
  const char* detail;  // part of the detail line
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class TransferFault : public Transfer, public testing::WithParamInterface<FaultCase> {};

TEST_P(TransferFault, ShowsTheMessageAndKeepsTheDocument) {
  const FaultCase& c = GetParam();
  Start({QString::fromStdString(h.File("crafted.dat"))}, {"--fault", c.fault});
  const RadioImage before = Image();
  Key(c.command);
  Shown shown;
  if (c.command == Qt::Key_W) {
    WriteWithoutReadingFirst([&shown, &c] { AnswerBox(c.answer, &shown); });
  } else {
    AnswerBox(c.answer, &shown);
  }
  // A write that stopped after blocks went out also warns that the radio's
  // memory is incomplete.
  bool incomplete = false;
  // Watched on writes only: a watcher that never sees its box outlives the test.
  if (c.command == Qt::Key_W) AppHarness::WhenModal([&incomplete](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (!box || !box->text().contains("incomplete")) return false;
    incomplete = true;
    box->button(QMessageBox::Ok)->setFocus();
    QTest::keyClick(box->button(QMessageBox::Ok), Qt::Key_Space);
    return true;
  });
  ASSERT_TRUE(RunOffered());
  QTest::qWait(50);
  EXPECT_EQ(incomplete, c.command == Qt::Key_W);
  EXPECT_EQ(shown.text, c.message);
  EXPECT_TRUE(shown.detail.contains(c.detail)) << shown.detail.toStdString();
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Image(), before);  // a write has only encoded the unchanged grid
  EXPECT_EQ(Grid().CellText(1, 1), "145.50000");
  EXPECT_EQ(Grid().CellText(200, 9), "AB-C_9");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, TransferFault,
    testing::Values(
        FaultCase{"ShortReplyOnRead", Qt::Key_R, "short-reply=0x0800", QMessageBox::Ok, kProgramInterrupt,
                  "short reply to read of block 0x0800"},
        FaultCase{"NakOnWrite", Qt::Key_W, "nak-block=0x0C80", QMessageBox::Ok, kProgramInterrupt,
                  "no ACK after write of block 0x0C80"},
        // The handshake's last ACK missing: the Retry/Cancel question at once;
        // Cancel ends without another message.
        FaultCase{"NoFinalAckCancelled", Qt::Key_R, "no-final-ack", QMessageBox::Cancel, kCommunicationError,
                  "no ACK after the identification"}),
    [](const testing::TestParamInfo<FaultCase>& i) { return i.param.name; });

// The window titles in each language, and Write committing the cell being
// typed before its window shows (Read leaves an editor alone).
struct TitleCase {
  const char* language;
  const char* read;
  const char* write;
};
void PrintTo(const TitleCase& c, std::ostream* os) { *os << c.language; }

class TransferTitles : public testing::TestWithParam<TitleCase> {};

TEST_P(TransferTitles, WriteCommitsTheEditorAndBothTitlesFollowTheLanguage) {
  const TitleCase& c = GetParam();
  AppHarness h({IniWithLanguage(c.language), true, true});
  // A document of the 136-174 MHz band, which holds the channel typed below.
  ASSERT_TRUE(SaveDat(h.File("crafted.dat"), CraftedImage()).ok());
  ASSERT_TRUE(h.Start({QString::fromStdString(h.File("crafted.dat"))}));
  CProgressDialog& dialog = h.Frame()->Transfer().ProgressDialog();
  CMSFlexGrid& grid = h.Frame()->ActiveView()->Grid();
  const auto command = [&](Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
    QApplication::processEvents();
  };

  grid.setFocus();
  grid.SetRow(2);
  grid.SetCol(1);
  QTest::keyClicks(QApplication::focusWidget(), "146.5");  // no Enter: the editor stays open
  ASSERT_EQ(grid.CellText(2, 1), QString());
  command(Qt::Key_W);
  ASSERT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.write));
  EXPECT_EQ(grid.CellText(2, 1), "146.50000");
  QTest::keyClick(&dialog, Qt::Key_Escape);
  ASSERT_FALSE(dialog.isVisible());

  ASSERT_TRUE(ActivateWindow(h.Frame()));
  command(Qt::Key_R);
  ASSERT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.read));
  QTest::keyClick(&dialog, Qt::Key_Escape);
}

INSTANTIATE_TEST_SUITE_P(Languages, TransferTitles,
                         testing::Values(TitleCase{"English", "Read Data", "Write Data"},
                                         TitleCase{"Chinese", "读数据", "写数据"}),
                         [](const testing::TestParamInfo<TitleCase>& i) { return std::string(i.param.language); });

TEST_F(Transfer, CommandsThatWouldActOnTheImageWaitForTheSession) {
  Start({}, {"--image", h.File("crafted.dat")});
  CMainFrame* f = h.Frame();
  const std::vector<int> held = {cmd::kFileNew,      cmd::kFileOpen,           cmd::kFileSave,
                                 cmd::kFileSaveAs,   cmd::kFileImportChannels, cmd::kAppExit,
                                 cmd::kLanguage,     cmd::kProductInformation, cmd::kOptionalFeatures};
  const std::vector<int> open = {cmd::kRead, cmd::kWrite, cmd::kComSetup, cmd::kFileClose, cmd::kChannelInformation};

  std::vector<int> enabledDuring;
  bool closed = true;
  bool runningSeen = false;
  QString direction;
  QString statusDuring;
  Key(Qt::Key_R);
  QObject::connect(Dialog().Bar(), &QProgressBar::valueChanged, &Dialog(), [&](int position) {
    if (position != 100) return;
    QTimer::singleShot(0, &Dialog(), [&] {
      runningSeen = f->Transfer().Running() && f->Transfer().View() == &View();
      for (int id : held) {
        if (f->Action(id)->isEnabled()) enabledDuring.push_back(id);
      }
      for (int id : open) {
        if (!f->Action(id)->isEnabled()) enabledDuring.push_back(-id);
      }
      closed = f->close();  // the close box: refused
      statusDuring = f->statusBar()->currentMessage();
      // Write during a read changes nothing: the running read keeps its direction.
      QTest::keyClick(&Dialog(), Qt::Key_W, Qt::ControlModifier);
      direction = Dialog().windowTitle();
    });
  });
  ASSERT_TRUE(RunOffered());
  EXPECT_TRUE(runningSeen);
  EXPECT_TRUE(enabledDuring.empty()) << "held commands enabled / free commands disabled: " << enabledDuring.size();
  EXPECT_FALSE(closed);
  EXPECT_TRUE(f->isVisible());
  EXPECT_TRUE(statusDuring.contains("Cancel")) << statusDuring.toStdString();
  EXPECT_EQ(direction, "Read Data");
  EXPECT_EQ(f->Transfer().Direction(), CloneDirection::Read);
  EXPECT_EQ(Image(), CraftedImage());  // the read went on to its end

  // Afterwards everything acts again.
  EXPECT_FALSE(f->Transfer().Running());
  for (int id : held) EXPECT_TRUE(f->Action(id)->isEnabled()) << id;
  AppHarness::AnswerMessageBox(QMessageBox::Discard);  // the read changed the document
  EXPECT_TRUE(f->close());
}

}  // namespace
}  // namespace torvan::test

#endif  // TORVAN_SIM_PATH

