// File > Import Channels... and File > Export Channels... as a user meets them:
// the File menu, the file dialogs, the list of refused lines with "Import the
// rest" and "Cancel", one undo step with the exact bytes back, both formats
// read back by the core, and files that cannot be read or written.

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "AppHarness.h"
#include "UserActions.h"
#include "app/base/CommandIds.h"
#include "app/channels/ChannelListFiles.h"
#include "app/channels/RefusedLinesDialog.h"
#include "app/channels/TorvanView.h"
#include "app/radio/TorvanDoc.h"
#include "core/channels/ChannelListImport.h"
#include "core/channels/ChirpCsv.h"
#include "core/channels/CsvExchange.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"
#include "core/radio/MemoryMap.h"

namespace torvan::test {
namespace {

constexpr const char* kChirpColumns =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,"
    "Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\n";

// A new document's options and band (400-420 MHz), channel records and
// names of noise: bytes that a decode and a fresh encode do not give back.
RadioImage DamagedImage() {
  RadioImage image = RadioImage::NewDocument();
  std::mt19937 random(14);
  const std::size_t channelBytesEnd = map::ChannelNameOffset(map::kChannelCount);
  for (std::size_t i = 0; i < channelBytesEnd; ++i) image[i] = static_cast<std::uint8_t>(random());
  return image;
}

// The texts of grid row `row`, columns 1..9.
ChannelTexts RowOf(const TextGrid& grid, int row) {
  ChannelTexts t;
  for (int c = kColRxFrequency; c <= kColName; ++c) t[TextIndex(c)] = grid.TextMatrix(row, c);
  return t;
}

class ChannelListFiles : public testing::Test {
 protected:
  // Opens `image` as the file doc.dat.
  void Open(const RadioImage& image) {
    ASSERT_TRUE(SaveDat(h.File("doc.dat"), image).ok());
    ASSERT_TRUE(h.Start({QString::fromStdString(h.File("doc.dat"))}));
  }
  CTorvanDoc& Doc() { return *h.Frame()->ActiveDocument(); }
  CMSFlexGrid& Grid() { return h.Frame()->ActiveView()->Grid(); }
  QString Status() { return h.Frame()->statusBar()->currentMessage(); }
  void Key(Qt::Key key) {
    AppHarness::Activate(h.Frame());
    QTest::keyClick(h.Frame(), key, Qt::ControlModifier);
    QApplication::processEvents();
  }
  // Ctrl+S, then the bytes of the file.
  RadioImage SaveAndLoad() {
    Key(Qt::Key_S);
    RadioImage saved;
    EXPECT_TRUE(LoadDat(h.File("doc.dat"), saved).ok());
    return saved;
  }
  // File > Import Channels..., the file dialog answered with `name`.
  void Import(const std::string& name) {
    bool shown = false;
    AnswerFileDialog(h.File(name), &shown);
    h.ClickMenu(0, h.Frame()->Action(cmd::kFileImportChannels));
    EXPECT_TRUE(shown);
  }
  // File > Export Channels..., the file type `filter` chosen and `name` typed.
  void Export(const std::string& name, const QString& filter) {
    bool shown = false;
    const std::string path = h.File(name);
    AppHarness::WhenModal([&shown, path, filter](QWidget* w) {
      auto* dialog = qobject_cast<QFileDialog*>(w);
      if (!dialog) return false;
      shown = true;
      EXPECT_TRUE(dialog->nameFilters().contains(filter)) << filter.toStdString();
      dialog->selectNameFilter(filter);
      QWidget* name = dialog->focusWidget();
      EXPECT_TRUE(qobject_cast<QLineEdit*>(name));  // the name field, with the name proposed
      QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(name, QString::fromStdString(path));
      QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
      if (dialog->isVisible()) QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
      return true;
    });
    h.ClickMenu(0, h.Frame()->Action(cmd::kFileExportChannels));
    EXPECT_TRUE(shown);
  }

  AppHarness h;
};

// The commands sit in the File menu right after Save As.
TEST_F(ChannelListFiles, CommandsFollowSaveAsInTheFileMenu) {
  ASSERT_TRUE(h.Start());
  const QList<QAction*> items = h.Frame()->Menus().at(0)->actions();
  const qsizetype saveAs = items.indexOf(h.Frame()->Action(cmd::kFileSaveAs));
  ASSERT_GE(saveAs, 0);
  std::vector<QAction*> after;
  for (qsizetype i = saveAs + 1; i < items.size(); ++i)
    if (!items[i]->isSeparator()) after.push_back(items[i]);
  ASSERT_GE(after.size(), 2u);
  EXPECT_EQ(after[0], h.Frame()->Action(cmd::kFileImportChannels));
  EXPECT_EQ(after[1], h.Frame()->Action(cmd::kFileExportChannels));
}

// A chirp-format list over damaged channels: one step; Ctrl+Z gives back the
// exact bytes of the file even after the import was saved in between, and
// redo gives back the bytes of the import.
TEST_F(ChannelListFiles, ChirpListIsOneStepAndUndoGivesBackTheExactBytes) {
  const RadioImage damaged = DamagedImage();
  Open(damaged);
  h.WriteFile("list.csv", std::string(kChirpColumns) +
                              "1,rpta,410.125000,+,5.000000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n"
                              "2,Simplx,412.500000,,0.000000,TSQL,88.5,123.0,023,NN,023,Tone->Tone,NFM,12.50,S,1.0W,,,,,\n"
                              "3,DCS,415.000000,-,2.000000,DTCS,88.5,88.5,047,NR,,Tone->Tone,FM,12.50,,High,,,,,\n");
  const int steps = Doc().UndoStack().count();
  BoxAnswerer boxes;
  Import("list.csv");

  const std::vector<ChannelTexts> expected = {
      {"410.12500", "415.12500", "None", "100.0", "High", "", "Yes", "Wide", "RPTA"},
      {"412.50000", "412.50000", "123.0", "123.0", "Low", "", "No", "Narrow", "SIMPLX"},
      {"415.00000", "413.00000", "D047I", "D047N", "High", "", "Yes", "Wide", "DCS"},
  };
  for (int channel = 1; channel <= 3; ++channel) {
    SCOPED_TRACE(channel);
    ChannelTexts row = RowOf(Grid(), RowOfChannel(channel));
    ChannelTexts want = expected[static_cast<std::size_t>(channel - 1)];
    want[TextIndex(kColBusyLock)] = row[TextIndex(kColBusyLock)];  // not in the format: a used channel keeps its own
    EXPECT_EQ(row, want);
  }
  EXPECT_EQ(Doc().UndoStack().count(), steps + 1);
  EXPECT_TRUE(Doc().IsModified());
  EXPECT_TRUE(Status().contains("list.csv: 3")) << Status().toStdString();
  EXPECT_TRUE(boxes.seen.empty());

  const RadioImage imported = SaveAndLoad();
  EXPECT_NE(imported, damaged);
  Key(Qt::Key_Z);
  EXPECT_EQ(Doc().UndoStack().count(), steps + 1);  // undone, not dropped
  EXPECT_TRUE(Doc().IsModified());                  // the file holds the import now
  EXPECT_EQ(SaveAndLoad(), damaged);
  Key(Qt::Key_Y);
  EXPECT_EQ(SaveAndLoad(), imported);
}

// Lines the radio cannot store are listed in one dialog; "Import the rest"
// imports the others and leaves the channels of the refused lines alone,
// "Cancel" imports nothing.
TEST_F(ChannelListFiles, RefusedLinesAreListedThenImportTheRestOrCancel) {
  for (const bool importRest : {true, false}) {
    SCOPED_TRACE(importRest ? "Import the rest" : "Cancel");
    AppHarness run;
    ASSERT_TRUE(SaveDat(run.File("doc.dat"), CraftedImage()).ok());  // band 136-174 MHz
    ASSERT_TRUE(run.Start({QString::fromStdString(run.File("doc.dat"))}));
    CTorvanView& view = *run.Frame()->ActiveView();
    std::string csv = kChirpColumns;
    csv += "1,ONE,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,,,,\n";
    csv += "2,FAR,446.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,,,,\n";  // out of band
    csv += "3,AIR,147.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,,,,,,\n";  // not FM
    csv += "4,FOUR,147.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,,,,,,,\n";
    csv += "199,LAST,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,,,,\n";
    csv += "200,NONE,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,,,,\n";  // no channel 200
    run.WriteFile("list.csv", csv);
    std::vector<ChannelTexts> before;
    for (int row = 1; row < kGridRows; ++row) before.push_back(RowOf(view.Grid(), row));
    const int steps = view.GetDocument().UndoStack().count();

    BoxAnswerer boxes;
    QStringList listed;
    bool importEnabled = false;
    AppHarness::WhenModal([&](QWidget* w) {
      auto* dialog = qobject_cast<CRefusedLinesDialog*>(w);
      if (!dialog) return false;
      listed = dialog->Lines();
      importEnabled = dialog->ImportButton()->isEnabled();
      EXPECT_EQ(dialog->ImportButton()->text().remove('&'), "Import the rest");
      EXPECT_EQ(dialog->CancelButton()->text().remove('&'), "Cancel");
      QPushButton* b = importRest ? dialog->ImportButton() : dialog->CancelButton();
      b->setFocus();
      QTest::keyClick(b, Qt::Key_Space);
      return true;
    });
    bool shown = false;
    AnswerFileDialog(run.File("list.csv"), &shown);
    run.ClickMenu(0, run.Frame()->Action(cmd::kFileImportChannels));
    ASSERT_TRUE(shown);

    ASSERT_EQ(listed.size(), 3) << listed.join('\n').toStdString();
    EXPECT_TRUE(listed[0].startsWith("line 3: ")) << listed[0].toStdString();
    EXPECT_TRUE(listed[1].startsWith("line 4: ")) << listed[1].toStdString();
    EXPECT_TRUE(listed[2].startsWith("line 7: ")) << listed[2].toStdString();
    EXPECT_TRUE(importEnabled);

    for (int row = 1; row < kGridRows; ++row) {
      const int channel = row - 1;
      const bool imported = importRest && (channel == 1 || channel == 4 || channel == 199);
      if (!imported) {
        EXPECT_EQ(RowOf(view.Grid(), row), before[static_cast<std::size_t>(row - 1)]) << "row " << row;
      }
    }
    if (importRest) {
      EXPECT_EQ(view.Grid().TextMatrix(RowOfChannel(1), kColRxFrequency), "146.52000");
      EXPECT_EQ(view.Grid().TextMatrix(RowOfChannel(4), kColBandwidth), "Narrow");
      EXPECT_EQ(view.Grid().TextMatrix(RowOfChannel(199), kColName), "LAST");
      EXPECT_EQ(view.GetDocument().UndoStack().count(), steps + 1);
      const QString said = run.Frame()->statusBar()->currentMessage();
      EXPECT_TRUE(said.contains("list.csv: 3") && said.contains("skipped: 3")) << said.toStdString();
    } else {
      EXPECT_EQ(view.GetDocument().UndoStack().count(), steps);
      EXPECT_FALSE(view.GetDocument().IsModified());
    }
    EXPECT_TRUE(boxes.seen.empty());
  }
}

// A file none of whose lines can be stored: the dialog lists them and offers
// only Cancel.
TEST_F(ChannelListFiles, NothingToImportOffersOnlyCancel) {
  Open(CraftedImage());
  h.WriteFile("far.csv", std::string(kChirpColumns) +
                             "1,FAR,446.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,,,,\n");
  std::optional<bool> importEnabled;
  AppHarness::WhenModal([&](QWidget* w) {
    auto* dialog = qobject_cast<CRefusedLinesDialog*>(w);
    if (!dialog) return false;
    importEnabled = dialog->ImportButton()->isEnabled();
    QTest::keyClick(dialog, Qt::Key_Return);  // Enter: the default, which changes nothing
    return true;
  });
  Import("far.csv");
  ASSERT_TRUE(importEnabled.has_value());
  EXPECT_FALSE(*importEnabled);
  EXPECT_FALSE(Doc().IsModified());
  EXPECT_EQ(Doc().UndoStack().count(), 0);
}

// Both formats, chosen by the file type of the save dialog, read back by the
// core onto a new document give the document's channels (the chirp format
// has no Busy Lock: a new channel gets Unlock).
TEST_F(ChannelListFiles, ExportInBothFormatsReadsBackTheSameChannels) {
  Open(CraftedImage());
  MemoryTextGrid original;
  const BandLimits band = DecodeImage(CraftedImage(), original, DisplayLanguage::English);
  struct Case {
    const char* filter;
    const char* file;
    std::string_view header;
    ChannelListFormat format;
  };
  for (const Case& c : {Case{"Torvan CSV (*.csv)", "torvan", kCsvHeader, ChannelListFormat::Torvan},
                        Case{"Generic CSV, chirp format (*.csv)", "chirp", kChirpHeader, ChannelListFormat::Chirp}}) {
    SCOPED_TRACE(c.file);
    Export(c.file, c.filter);  // the suffix comes from the dialog
    const QByteArray written = h.ReadFile(std::string(c.file) + ".csv");
    ASSERT_FALSE(written.isEmpty()) << Status().toStdString();
    EXPECT_TRUE(written.startsWith(QByteArray(c.header.data(), static_cast<qsizetype>(c.header.size())) + "\n"));
    EXPECT_TRUE(Status().contains(QString(c.file) + ".csv: 2")) << Status().toStdString();

    MemoryTextGrid blank;
    RadioImage fresh = RadioImage::NewDocument();
    EncodeImage(blank, band, fresh);  // the band of the exported document
    DecodeImage(fresh, blank, DisplayLanguage::English);
    ChannelListPlan plan;
    ASSERT_TRUE(PlanChannelListImport(written.toStdString(), blank, band, DisplayLanguage::English, plan).ok());
    EXPECT_EQ(plan.format, c.format);
    EXPECT_TRUE(plan.refused.empty());
    ApplyChannelListPlan(plan, blank);
    for (int row = 1; row < kGridRows; ++row) {
      ChannelTexts want = RowOf(original, row);
      if (c.format == ChannelListFormat::Chirp && !want[0].empty()) want[TextIndex(kColBusyLock)] = "Unlock";
      EXPECT_EQ(RowOf(blank, row), want) << "row " << row;
    }
  }
}

// A file that cannot be written is named with the reason; nothing is written.
TEST_F(ChannelListFiles, ExportThatCannotBeWrittenSaysWhy) {
  Open(CraftedImage());
  BoxAnswerer boxes;
  Export("missing-folder/list", "Torvan CSV (*.csv)");
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_TRUE(boxes.seen[0].text.startsWith("Failed to export")) << boxes.seen[0].text.toStdString();
  EXPECT_TRUE(boxes.seen[0].text.contains("missing-folder")) << boxes.seen[0].text.toStdString();
  EXPECT_FALSE(h.Exists("missing-folder"));
}

// Files that cannot be read as a channel list: the core's reason in a
// message, and the document as it was.
TEST_F(ChannelListFiles, UnreadableFilesGiveTheirReasonAndChangeNothing) {
  Open(CraftedImage());
  std::string binary = "\x89PNG\r\n\x1a\n";
  binary += std::string("\0\0\0\rIHDR\xff\xfe", 10);
  std::string huge = std::string(kChirpColumns);
  while (huge.size() <= kMaxCsvBytes) huge += "1,ONE,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,,,,\n";
  struct Case {
    const char* file;
    std::string content;
    const char* reason;  // a part of the message that says why
  };
  const std::vector<Case> cases = {
      {"picture.csv", binary, "UTF-8"},
      {"huge.csv", huge, "too large"},
      {"letter.csv", "Dear club members,\nthe list follows.\n", "header"},
      {"empty.csv", "", "empty"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    h.WriteFile(c.file, c.content);
    BoxAnswerer boxes;
    Import(c.file);
    ASSERT_EQ(boxes.seen.size(), 1u);
    const QString text = boxes.seen[0].text;
    EXPECT_TRUE(text.startsWith("Failed to import")) << text.toStdString();
    EXPECT_TRUE(text.contains(c.file)) << text.toStdString();
    EXPECT_TRUE(text.contains(c.reason, Qt::CaseInsensitive)) << text.toStdString();
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Warning);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Doc().UndoStack().count(), 0);
  }
  // A file gone between the dialog and the read.
  BoxAnswerer boxes;
  ImportChannelListFrom(QString::fromStdString(h.File("gone.csv")), *h.Frame()->ActiveView(), h.App().Context(),
                        h.Frame());
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_TRUE(boxes.seen[0].text.contains("gone.csv")) << boxes.seen[0].text.toStdString();
  EXPECT_FALSE(Doc().IsModified());
  EXPECT_EQ(Doc().Image(), CraftedImage());
}

}  // namespace
}  // namespace torvan::test
