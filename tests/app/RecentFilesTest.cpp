// The files a user worked on last: the File menu's list of recent files
// (opened or saved, kept across a restart, a missing one taken off with a
// message), and a radio memory file dropped on the main window.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>

#include "AppHarness.h"
#include "TransferHelpers.h"
#include "UserActions.h"
#include "app/channels/DocumentStep.h"
#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/channels/TorvanView.h"
#include "app/radio/TorvanDoc.h"
#include "core/radio/DatFile.h"

namespace torvan::test {
namespace {

class RecentFiles : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.Start());
    f = h.Frame();
    for (const char* name : {"a.dat", "b.dat", "c.dat", "d.dat", "e.dat"})
      ASSERT_TRUE(SaveDat(h.File(name), CraftedImage()).ok());
  }

  QString Path(const char* name) const { return QString::fromStdString(h.File(name)); }
  // The recent entries of `frame`'s File menu as the user reads them.
  static QStringList Entries(const CMainFrame& frame) {
    QStringList texts;
    for (int id = cmd::kFileMruFirst; id <= cmd::kFileMruLast; ++id) {
      const QAction* a = frame.Action(id);
      if (a->isVisible()) texts << a->text();
    }
    return texts;
  }
  QString Entry(int number, const char* name) const { return QString("&%1 %2").arg(number).arg(Path(name)); }
  void Open(const char* name) { ASSERT_TRUE(f->OpenDocumentFile(Path(name))); }
  QString CurrentFile() const { return f->ActiveDocument() ? f->ActiveDocument()->PathName() : QString(); }

  // An unsaved change: one step on the undo stack, as an edit of a name makes.
  void ChangeSomething() {
    CTorvanView& view = *f->ActiveView();
    view.RecordStep(QStringLiteral("step"), StepParts::Rows({1}), [&] { view.Grid().SetTextMatrix(1, kColName, "EDIT"); });
    ASSERT_TRUE(f->ActiveDocument()->IsModified());
  }

  AppHarness h;
  ScopedUserSettings settings{h.Dir() + "/config"};
  CMainFrame* f = nullptr;
};

TEST_F(RecentFiles, LastFourOpenedOrSavedNewestFirstAcrossARestart) {
  EXPECT_TRUE(Entries(*f).isEmpty());
  Open("a.dat");
  Open("b.dat");
  Open("c.dat");
  Open("a.dat");  // again: moves up, not listed twice
  EXPECT_EQ(Entries(*f), (QStringList{Entry(1, "a.dat"), Entry(2, "c.dat"), Entry(3, "b.dat")}));
  // A save under a new name counts as well; the fifth file pushes out the oldest.
  ASSERT_TRUE(f->SaveDocument(f->ActiveDocument(), Path("saved.dat")));
  Open("d.dat");
  const QStringList expected{Entry(1, "d.dat"), Entry(2, "saved.dat"), Entry(3, "a.dat"), Entry(4, "c.dat")};
  EXPECT_EQ(Entries(*f), expected);

  // The next run of the program (another main window on the same settings)
  // lists the same files, and its entries open them.
  CMainFrame next(h.App().Context());
  EXPECT_EQ(Entries(next), expected);
  f->Action(cmd::kFileMruFirst + 2)->trigger();  // "3 a.dat", no unsaved changes: no question
  EXPECT_EQ(CurrentFile(), Path("a.dat"));
  EXPECT_EQ(Entries(*f).constFirst(), Entry(1, "a.dat"));
  // Stored where the port setting is, one value per entry.
  QSettings stored(h.Dir() + "/config/Software/Torvan.ini", QSettings::IniFormat);
  EXPECT_EQ(stored.value("Recent File List/File1").toString(), Path("a.dat"));
  EXPECT_EQ(stored.value("Recent File List/File4").toString(), Path("c.dat"));
}

TEST_F(RecentFiles, MissingFileIsTakenOffTheListWithAMessageNamingIt) {
  Open("a.dat");
  Open("b.dat");
  ASSERT_TRUE(QFile::remove(Path("a.dat")));
  BoxAnswerer boxes;
  f->Action(cmd::kFileMruFirst + 1)->trigger();  // "2 a.dat"
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].text,
            QString("%1 cannot be found. It has been removed from the list of recent files.").arg(Path("a.dat")));
  EXPECT_EQ(Entries(*f), (QStringList{Entry(1, "b.dat")}));
  EXPECT_EQ(CurrentFile(), Path("b.dat"));  // the open document stays
  CMainFrame next(h.App().Context());
  EXPECT_EQ(Entries(next), (QStringList{Entry(1, "b.dat")}));
}

TEST_F(RecentFiles, RecentFileOverUnsavedChangesAsksFirst) {
  Open("a.dat");
  Open("b.dat");
  ChangeSomething();
  {
    BoxAnswerer cancel(BoxAnswerer::Press(QMessageBox::Cancel));
    f->Action(cmd::kFileMruFirst + 1)->trigger();
    ASSERT_EQ(cancel.seen.size(), 1u);
    EXPECT_EQ(cancel.seen[0].text, "Save changes to b.dat?");
  }
  EXPECT_EQ(CurrentFile(), Path("b.dat"));
  EXPECT_TRUE(f->ActiveDocument()->IsModified());
  BoxAnswerer discard(BoxAnswerer::Press(QMessageBox::Discard));
  f->Action(cmd::kFileMruFirst + 1)->trigger();
  EXPECT_EQ(CurrentFile(), Path("a.dat"));
}

// --- Drag and drop ---------------------------------------------------------------

class DroppedFiles : public RecentFiles {
 protected:
  // Drags `paths` over the main window and drops them; true when the window
  // took the drag.
  bool Drop(const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    const QPoint at = f->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f, &drop);
    QTest::qWait(50);
    return drop.isAccepted();
  }
};

TEST_F(DroppedFiles, DatFileOpensLikeFileOpen) {
  Open("a.dat");
  ASSERT_TRUE(Drop({Path("b.dat")}));
  EXPECT_EQ(CurrentFile(), Path("b.dat"));
  EXPECT_EQ(Entries(*f).constFirst(), Entry(1, "b.dat"));
  // Not a radio memory file by name: refused, with a note in the status bar.
  h.WriteFile("notes.txt", "145.000");
  EXPECT_FALSE(Drop({Path("notes.txt")}));
  EXPECT_EQ(f->statusBar()->currentMessage(), "Only a radio memory file (*.dat) can be opened by dropping it here.");
  EXPECT_EQ(CurrentFile(), Path("b.dat"));
}

TEST_F(DroppedFiles, DropOverUnsavedChangesAsksFirst) {
  Open("a.dat");
  ChangeSomething();
  {
    BoxAnswerer cancel(BoxAnswerer::Press(QMessageBox::Cancel));
    ASSERT_TRUE(Drop({Path("b.dat")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !cancel.seen.empty(); }, 2000));
    EXPECT_EQ(cancel.seen[0].text, "Save changes to a.dat?");
  }
  EXPECT_EQ(CurrentFile(), Path("a.dat"));
  EXPECT_TRUE(f->ActiveDocument()->IsModified());
  BoxAnswerer discard(BoxAnswerer::Press(QMessageBox::Discard));
  ASSERT_TRUE(Drop({Path("b.dat")}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return CurrentFile() == Path("b.dat"); }, 2000));
  EXPECT_EQ(discard.seen.size(), 1u);
}

TEST_F(DroppedFiles, BadDatFileShowsTheErrorOfFileOpenAndSeveralFilesOpenTheFirst) {
  Open("a.dat");
  h.WriteFile("short.dat", std::string(100, '\xff'));
  {
    BoxAnswerer boxes;
    ASSERT_TRUE(Drop({Path("short.dat")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.seen.empty(); }, 2000));
    EXPECT_EQ(boxes.seen[0].text, QString("Failed to open %1.\nThe file holds 100 bytes; a radio memory file holds 8192 bytes.")
                                      .arg(Path("short.dat")));
  }
  EXPECT_EQ(CurrentFile(), Path("a.dat"));
  // Three files at once: the first radio memory file opens, and the status bar says so.
  h.WriteFile("notes.txt", "145.000");
  ASSERT_TRUE(Drop({Path("notes.txt"), Path("c.dat"), Path("d.dat")}));
  EXPECT_EQ(CurrentFile(), Path("c.dat"));
  EXPECT_EQ(f->statusBar()->currentMessage(),
            QString("3 files were dropped; one document opens at a time: %1 was opened.").arg(Path("c.dat")));
}

}  // namespace
}  // namespace torvan::test
