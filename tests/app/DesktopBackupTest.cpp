// Backups of the desktop program's reads against the virtual radio: a read
// keeps one equal to the document's image, Setup turns it off, a folder that
// cannot be written gives a warning and a read all the same; File > Open
// Backup; and the offer before writing a document not read from a radio,
// which keeps the radio's memory before anything is written.

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "AppHarness.h"
#include "TransferHelpers.h"
#include "app/base/CommandIds.h"
#include "app/channels/TorvanView.h"
#include "app/link/PortSetting.h"
#include "app/link/ProgressDialog.h"
#include "app/link/TransferController.h"
#include "app/radio/TorvanDoc.h"
#include "core/link/PortFileName.h"
#include "core/link/ReadBackups.h"
#include "core/radio/DatFile.h"
#include "e2e/BackupFolder.h"

#ifdef TORVAN_SIM_PATH

namespace torvan::test {
namespace {

namespace fs = std::filesystem;

constexpr int kSessionMs = 40000;

// The files in `folder` (none when it does not exist).
std::vector<fs::path> FilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) files.push_back(e.path());
  return files;
}

// What a message box showed.
struct Shown {
  QString text;
  QString detail;
  bool checkBox = false;
  bool checked = false;
};

// Answers the next message box with `button` and records it; then `next`
// (the answer to the box after it).
void Answer(QMessageBox::StandardButton button, Shown* shown, std::function<void()> next = {},
            std::optional<bool> check = std::nullopt) {
  AppHarness::WhenModal([=](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (!box) return false;
    shown->text = box->text();
    shown->detail = box->informativeText();
    shown->checkBox = box->checkBox() != nullptr;
    shown->checked = box->checkBox() && box->checkBox()->isChecked();
    if (check && box->checkBox() && box->checkBox()->isChecked() != *check) {
      box->checkBox()->setFocus();
      QTest::keyClick(box->checkBox(), Qt::Key_Space);
    }
    if (next) next();
    if (QAbstractButton* b = box->button(button)) {
      b->setFocus();
      QTest::keyClick(b, Qt::Key_Space);
    }
    return true;
  });
}

class DesktopBackups : public RadioAtThePort {
 protected:
  bool RunOffered() {
    QTest::keyClick(&Dialog(), Qt::Key_Return);
    return QTest::qWaitFor([this] { return !Dialog().isVisible() && !QApplication::activeModalWidget(); },
                           kSessionMs);
  }
  RadioImage Load(const fs::path& file) {
    RadioImage image;
    EXPECT_TRUE(LoadDat(file, image).ok()) << file;
    return image;
  }

  fs::path backups = fs::path(h.File("backups"));
  ScopedBackupFolder folder{backups.string()};
};

TEST_F(DesktopBackups, ReadKeepsABackupEqualToTheDocument) {
  Start({}, {"--image", h.File("crafted.dat")});
  EXPECT_TRUE(h.Frame()->Action(cmd::kBackupReads)->isChecked());
  Key(Qt::Key_R);
  ASSERT_TRUE(RunOffered());
  ASSERT_EQ(Image(), CraftedImage());
  const auto files = FilesIn(backups);
  ASSERT_EQ(files.size(), 1u);
  const std::string name = files[0].filename().string();
  EXPECT_TRUE(IsBackupFileName(name)) << name;
  EXPECT_TRUE(name.ends_with("-" + PortFileName(radio->Port()) + ".dat")) << name;
  EXPECT_EQ(Load(files[0]), Image());
}

TEST_F(DesktopBackups, SetupTurnsBackupsOffAndTheChoiceIsKept) {
  Start({}, {"--image", h.File("crafted.dat")});
  QAction* item = h.Frame()->Action(cmd::kBackupReads);
  h.ClickMenu(4, item);
  ASSERT_FALSE(item->isChecked());
  EXPECT_FALSE(LoadSwitch(h.App().Context().AppName(), kBackupsSwitch));
  Key(Qt::Key_R);
  ASSERT_TRUE(RunOffered());
  EXPECT_EQ(Image(), CraftedImage());
  EXPECT_FALSE(fs::exists(backups));

  // On again: the next read keeps one.
  h.ClickMenu(4, item);
  ASSERT_TRUE(item->isChecked());
  EXPECT_TRUE(LoadSwitch(h.App().Context().AppName(), kBackupsSwitch));
  // The first read changed the document: a second read asks about it first.
  Shown question;
  Answer(QMessageBox::Discard, &question);
  Key(Qt::Key_R);
  ASSERT_TRUE(RunOffered());
  EXPECT_FALSE(question.text.isEmpty());
  EXPECT_EQ(FilesIn(backups).size(), 1u);
}

TEST_F(DesktopBackups, AFolderThatCannotBeWrittenWarnsAndTheReadStands) {
  // A file where the folder should be: no permission trick, so it holds for root too.
  { std::ofstream(h.File("blocker")) << "not a folder"; }
  const ScopedBackupFolder blocked(h.File("blocker"));
  Start({}, {"--image", h.File("crafted.dat")});
  Key(Qt::Key_R);
  Shown shown;
  Answer(QMessageBox::Ok, &shown);
  ASSERT_TRUE(RunOffered());
  EXPECT_EQ(shown.text, "The radio's memory was read, but no backup of it could be kept.");
  EXPECT_TRUE(shown.detail.contains("no backup of the read was kept")) << shown.detail.toStdString();
  EXPECT_TRUE(shown.detail.contains("blocker")) << shown.detail.toStdString();
  EXPECT_EQ(Image(), CraftedImage());
  EXPECT_EQ(h.Frame()->ActiveView()->Grid().CellText(1, 1), "145.50000");
}

TEST_F(DesktopBackups, OpenBackupOpensItAsADocumentWithoutAFile) {
  ASSERT_TRUE(h.Start());
  // No folder yet: said so, and nothing is made.
  Shown missing;
  Answer(QMessageBox::Ok, &missing);
  h.Frame()->Action(cmd::kFileOpenBackup)->trigger();
  EXPECT_TRUE(missing.text.contains("does not exist")) << missing.text.toStdString();
  EXPECT_FALSE(fs::exists(backups));

  fs::create_directories(backups);
  const fs::path backup = backups / "20261210-143005-ttyUSB0.dat";
  ASSERT_TRUE(SaveDat(backup, CraftedImage()).ok());
  QString startFolder;
  AppHarness::WhenModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    if (!dialog) return false;
    startFolder = dialog->directory().absolutePath();
    QWidget* focus = dialog->focusWidget();
    if (qobject_cast<QLineEdit*>(focus)) {
      QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(focus, QString::fromStdString(backup.string()));
    } else {
      dialog->selectFile(QString::fromStdString(backup.string()));
    }
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    // The first Enter may only take the completion the name field offered.
    if (dialog->isVisible()) QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    return true;
  });
  h.Frame()->Action(cmd::kFileOpenBackup)->trigger();
  EXPECT_EQ(startFolder, QDir(QString::fromStdString(backups.string())).absolutePath());
  CTorvanDoc* doc = h.Frame()->ActiveDocument();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->Image(), CraftedImage());
  EXPECT_EQ(h.Frame()->ActiveView()->Grid().CellText(1, 1), "145.50000");
  EXPECT_EQ(doc->Title(), "20261210-143005-ttyUSB0.dat");
  // Save asks for a name: the backup stays as it was read.
  EXPECT_FALSE(doc->HasFile());
}

TEST(DesktopBackupTexts, TheNewCommandsSpeakChinese) {
  AppHarness h({IniWithLanguage("Chinese"), true, true});
  ScopedUserSettings settings{h.Dir() + "/config"};
  ASSERT_TRUE(h.Start());
  EXPECT_EQ(h.Frame()->Action(cmd::kFileOpenBackup)->text(), QString::fromUtf8("打开备份(&B)..."));
  EXPECT_EQ(h.Frame()->Action(cmd::kBackupReads)->text(), QString::fromUtf8("保存每次读频的备份(&B)"));
}

// The offer before a write: the radio's memory goes into a backup before
// the first block of the write, and the document is written as it was.
TEST_F(DesktopBackups, WriteOfADocumentNotReadKeepsTheRadioFirst) {
  Start({}, {"--image", h.File("crafted.dat"), "--save", h.File("radio.dat")});
  const RadioImage document = Image();
  Key(Qt::Key_W);
  ASSERT_TRUE(Dialog().isVisible());
  // At the first step of the write (the bar of 511), the backup exists.
  int backupsWhenWriting = -1;
  QObject::connect(Dialog().Bar(), &QProgressBar::valueChanged, &Dialog(), [&](int position) {
    if (Dialog().Bar()->maximum() == 511 && position == 1 && backupsWhenWriting < 0) {
      backupsWhenWriting = static_cast<int>(FilesIn(backups).size());
    }
  });
  Shown offer;
  Answer(QMessageBox::Ok, &offer);
  ASSERT_TRUE(RunOffered());
  EXPECT_TRUE(offer.checkBox);
  EXPECT_TRUE(offer.checked);  // on the first time
  EXPECT_EQ(backupsWhenWriting, 1);
  const auto files = FilesIn(backups);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(Load(files[0]), CraftedImage());  // what the radio held
  EXPECT_EQ(Image(), document);              // the first read went to the backup only
  ASSERT_TRUE(QTest::qWaitFor([this] { return h.Exists("radio.dat"); }, 5000));
  const RadioImage radioMemory = Load(h.File("radio.dat"));
  EXPECT_TRUE(std::equal(radioMemory.data(), radioMemory.data() + 0x1FF3, document.data()));
}

TEST_F(DesktopBackups, AFailingFirstReadWritesNothing) {
  Start({QString::fromStdString(h.File("crafted.dat"))},
        {"--fault", "short-reply=0x0800", "--save", h.File("radio.dat")});
  const RadioImage document = Image();
  Key(Qt::Key_W);
  bool writeStarted = false;
  QObject::connect(Dialog().Bar(), &QProgressBar::valueChanged, &Dialog(), [&](int) {
    if (Dialog().Bar()->maximum() == 511) writeStarted = true;
  });
  Shown offer, interrupt, nothingWritten;
  Answer(QMessageBox::Ok, &offer, [&] {
    Answer(QMessageBox::Ok, &interrupt, [&] { Answer(QMessageBox::Ok, &nothingWritten); });
  });
  ASSERT_TRUE(RunOffered());
  EXPECT_TRUE(offer.checked);
  EXPECT_EQ(interrupt.text, "Program Interrupt, Please reset the radio and try again");
  EXPECT_EQ(nothingWritten.text,
            "The radio's current memory could not be read first, so nothing was written to the radio.");
  EXPECT_TRUE(nothingWritten.detail.contains("0x0800")) << nothingWritten.detail.toStdString();
  EXPECT_FALSE(writeStarted);
  QTest::qWait(200);  // a write would have been saved by now
  EXPECT_FALSE(h.Exists("radio.dat"));
  EXPECT_TRUE(FilesIn(backups).empty());
  EXPECT_EQ(Image(), document);
}

TEST_F(DesktopBackups, CancelDuringTheFirstReadWritesNothing) {
  Start({QString::fromStdString(h.File("crafted.dat"))}, {"--save", h.File("radio.dat")});
  Key(Qt::Key_W);
  bool writeStarted = false;
  QObject::connect(Dialog().Bar(), &QProgressBar::valueChanged, &Dialog(), [&](int position) {
    if (Dialog().Bar()->maximum() == 511) writeStarted = true;
    if (Dialog().Bar()->maximum() == 512 && position == 20) {
      QTimer::singleShot(0, &Dialog(), [this] { QTest::keyClick(&Dialog(), Qt::Key_Escape); });
    }
  });
  Shown offer;
  Answer(QMessageBox::Ok, &offer);
  ASSERT_TRUE(RunOffered());
  EXPECT_TRUE(offer.checked);
  EXPECT_FALSE(writeStarted);
  QTest::qWait(200);
  EXPECT_FALSE(h.Exists("radio.dat"));
  EXPECT_TRUE(FilesIn(backups).empty());
}

// Unchecked, the offer writes at once and is remembered; a document read
// from a radio in this run is written with no offer.
TEST_F(DesktopBackups, OfferUncheckedIsRememberedAndAReadDocumentNeedsNone) {
  Start({QString::fromStdString(h.File("crafted.dat"))}, {"--save", h.File("radio.dat")});
  Key(Qt::Key_W);
  Shown offer;
  Answer(QMessageBox::Ok, &offer, {}, false);
  ASSERT_TRUE(RunOffered());
  EXPECT_TRUE(offer.checked);
  EXPECT_TRUE(FilesIn(backups).empty());
  ASSERT_TRUE(QTest::qWaitFor([this] { return h.Exists("radio.dat"); }, 5000));
  EXPECT_FALSE(LoadSwitch(h.App().Context().AppName(), kReadFirstSwitch));

  Key(Qt::Key_W);
  Shown again;
  Answer(QMessageBox::Cancel, &again);
  ASSERT_TRUE(RunOffered());
  EXPECT_TRUE(again.checkBox);
  EXPECT_FALSE(again.checked);  // as it was left

  // Read: the document now came from the radio; the write has no offer.
  Key(Qt::Key_R);
  ASSERT_TRUE(RunOffered());
  ASSERT_EQ(FilesIn(backups).size(), 1u);
  fs::remove(h.File("radio.dat"));
  Key(Qt::Key_W);
  ASSERT_TRUE(RunOffered());  // no box in the way
  ASSERT_TRUE(QTest::qWaitFor([this] { return h.Exists("radio.dat"); }, 5000));
  EXPECT_EQ(FilesIn(backups).size(), 1u);
}

}  // namespace
}  // namespace torvan::test

#endif  // TORVAN_SIM_PATH
