// Documents: the grid after an open, Save / Open round trips, a short file,
// File > New.

#include <QFileDialog>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <filesystem>

#include "AppHarness.h"
#include "app/channels/ChildFrame.h"
#include "app/channels/TorvanView.h"
#include "core/radio/DatFile.h"
#include "app/radio/TorvanDoc.h"
#include "app/base/CommandIds.h"

namespace torvan::test {
namespace {

QByteArray Bytes(const RadioImage& image) {
  return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(kImageSize));
}

// Gives a file dialog `path` and presses Enter: typed into the file name
// field when that has the focus (save dialogs), chosen in the dialog otherwise.
void TypeFileName(QWidget* dialog, const std::string& path) {
  QWidget* focus = dialog->focusWidget();
  if (qobject_cast<QLineEdit*>(focus)) {
    QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(focus, QString::fromStdString(path));
  } else {
    static_cast<QFileDialog*>(dialog)->selectFile(QString::fromStdString(path));
  }
  QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
  // The first Enter may only take the completion the name field offered.
  if (dialog->isVisible()) QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
}

// Answers the next file dialog with `path`.
void AnswerFileDialog(const std::string& path) {
  AppHarness::WhenModal([path](QWidget* w) {
    if (!qobject_cast<QFileDialog*>(w)) return false;
    TypeFileName(w, path);
    return true;
  });
}

class Documents : public testing::Test {
 protected:
  void StartWithCrafted() {
    ASSERT_TRUE(SaveDat(h.File("crafted.dat"), CraftedImage()).ok());
    ASSERT_TRUE(h.Start({QString::fromStdString(h.File("crafted.dat"))}));
  }
  CMSFlexGrid& Grid() { return h.Frame()->ActiveView()->Grid(); }
  void Key(int key) {
    AppHarness::Activate(h.Frame());  // window shortcuts need the main window active
    QTest::keyClick(h.Frame(), static_cast<Qt::Key>(key), Qt::ControlModifier);
    QApplication::processEvents();
  }
  AppHarness h;
};

TEST_F(Documents, OpenedFileFillsTheGrid) {
  StartWithCrafted();
  CMSFlexGrid& g = Grid();
  EXPECT_EQ(g.Rows(), 201);
  EXPECT_EQ(g.Cols(), 10);
  const char* headers[] = {"CH", "Rx Frequency", "Tx Frequency", "Rx Tone", "Tx Tone",
                           "Power", "Busy Lock", "Scan Add", "Bandwidth", "Cha Name"};
  for (int c = 0; c < 10; ++c) EXPECT_EQ(g.CellText(0, c), QString::fromLatin1(headers[c])) << c;
  EXPECT_EQ(g.CellText(1, 0), "Pr");
  EXPECT_EQ(g.CellText(2, 0), "  1");
  EXPECT_EQ(g.CellText(101, 0), "100");
  EXPECT_EQ(g.CellText(200, 0), "199");

  const char* pr[] = {"145.50000", "145.50000", "None", "None", "High", "Unlock", "Yes", "Wide", "CALL"};
  const char* last[] = {"146.52500", "", "88.5", "D023N", "Low", "Lock", "No", "Narrow", "AB-C_9"};
  for (int c = 1; c <= 9; ++c) {
    EXPECT_EQ(g.CellText(1, c), QString::fromLatin1(pr[c - 1])) << c;
    EXPECT_EQ(g.CellText(200, c), QString::fromLatin1(last[c - 1])) << c;
    EXPECT_EQ(g.CellText(2, c), QString()) << c;
  }
  EXPECT_EQ(TitleText(h.Frame()), "Torvan FM Programmer  [ Type:TV-136  Fre:136 - 174MHz ]");
  EXPECT_EQ(h.App().Context().band, (BandLimits{136, 174}));
  EXPECT_EQ(TitleText(h.Frame()->ActiveChild()), "crafted.dat");
}

TEST_F(Documents, GridLooksLikeTheChannelTable) {
  StartWithCrafted();
  CMSFlexGrid& g = Grid();
  // Widths: the default width scaled per column, in pixels.
  const int widths[] = {40, 110, 110, 100, 100, 90, 90, 90, 100, 100};
  for (int c = 0; c < 10; ++c) {
    const int px = c == 0 ? g.verticalHeader()->width() : g.columnWidth(c - 1);
    EXPECT_EQ(px, widths[c]) << c;
  }
  // Header row and label column in blue, every cell centred (a channel, the
  // headers and the labels).
  const QColor blue(0, 50, 240);
  EXPECT_EQ(g.horizontalHeaderItem(3)->foreground().color(), blue);
  EXPECT_EQ(g.verticalHeaderItem(150)->foreground().color(), blue);
  for (int c = 1; c < 10; ++c) {
    EXPECT_EQ(g.item(0, c - 1)->textAlignment(), int(Qt::AlignCenter)) << c;
    EXPECT_EQ(g.horizontalHeaderItem(c - 1)->textAlignment(), int(Qt::AlignCenter)) << c;
  }
  EXPECT_EQ(g.verticalHeaderItem(0)->textAlignment(), int(Qt::AlignCenter));
}

TEST_F(Documents, NewDocumentSavesTheNewImageUnderTheProposedName) {
  ASSERT_TRUE(h.Start());
  EXPECT_EQ(h.Frame()->ActiveDocument()->PathName(), "Torvan");  // AppName of Setup
  QString proposed;
  AppHarness::WhenModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    if (!dialog) return false;
    proposed = dialog->selectedFiles().value(0);
    TypeFileName(w, h.File("new.dat"));
    return true;
  });
  Key(Qt::Key_S);
  EXPECT_TRUE(proposed.endsWith("/Torvan") || proposed.endsWith("/Torvan.dat")) << proposed.toStdString();
  EXPECT_EQ(h.ReadFile("new.dat"), Bytes(RadioImage::NewDocument()));
}

TEST_F(Documents, SaveThenOpenRoundTripsByteForByte) {
  StartWithCrafted();
  // Save As to a second file, open it, save it again under a third name.
  AnswerFileDialog(h.File("second.dat"));
  h.ClickMenu(0, h.Frame()->Action(cmd::kFileSaveAs));
  EXPECT_EQ(h.ReadFile("second.dat"), Bytes(CraftedImage()));

  CChildFrame* first = h.Frame()->ActiveChild();
  AnswerFileDialog(h.File("second.dat"));
  Key(Qt::Key_O);
  ASSERT_NE(h.Frame()->ActiveChild(), first);
  EXPECT_FALSE(first->isVisible());  // the window shown before is hidden, not closed
  EXPECT_TRUE(h.Frame()->ActiveChild()->isVisible());
  EXPECT_EQ(Grid().CellText(200, 9), "AB-C_9");

  Key(Qt::Key_S);  // an opened document saves to its own file without asking
  EXPECT_EQ(h.ReadFile("second.dat"), Bytes(CraftedImage()));
}

TEST_F(Documents, ShortFileLeavesTheShownDocumentAsItWas) {
  StartWithCrafted();
  h.WriteFile("short.dat", std::string(8191, '\x55'));
  CChildFrame* shown = h.Frame()->ActiveChild();
  const RadioImage before = shown->Document()->Image();
  const int windows = h.Frame()->ChildFrames().size();

  QString error;
  AppHarness::WhenModal([&](QWidget* w) {
    if (!qobject_cast<QFileDialog*>(w)) return false;
    AppHarness::AnswerMessageBox(QMessageBox::Ok, &error);  // the error that follows
    TypeFileName(w, h.File("short.dat"));
    return true;
  });
  Key(Qt::Key_O);
  EXPECT_TRUE(error.contains("short.dat")) << error.toStdString();
  EXPECT_TRUE(error.contains("8191")) << error.toStdString();
  EXPECT_EQ(h.Frame()->ActiveChild(), shown);
  EXPECT_TRUE(shown->isVisible());
  EXPECT_EQ(h.Frame()->ChildFrames().size(), windows);
  EXPECT_EQ(shown->Document()->Image(), before);
  EXPECT_EQ(Grid().CellText(1, 1), "145.50000");
}

TEST_F(Documents, SaveToAnUnwritablePlaceShowsTheError) {
  StartWithCrafted();
  QString error;
  AppHarness::AnswerMessageBox(QMessageBox::Cancel, &error);
  EXPECT_FALSE(h.Frame()->SaveDocument(h.Frame()->ActiveDocument(), h.Dir() + "/no-such-folder/x.dat"));
  EXPECT_TRUE(error.contains("no-such-folder")) << error.toStdString();
  EXPECT_FALSE(h.Exists("no-such-folder/x.dat"));
}

// Save over a file whose permission bits forbid writing it is refused (by
// root too), and Save through a link replaces the file it points to.
TEST_F(Documents, SaveKeepsReadOnlyFilesAndLinks) {
  StartWithCrafted();
  const std::string readOnly = (h.Dir() + "/readonly.dat").toStdString();
  ASSERT_TRUE(SaveDat(readOnly, RadioImage::NewDocument()).ok());
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  QString error;
  AppHarness::AnswerMessageBox(QMessageBox::Cancel, &error);
  EXPECT_FALSE(h.Frame()->SaveDocument(h.Frame()->ActiveDocument(), h.Dir() + "/readonly.dat"));
  EXPECT_TRUE(error.contains("Permission denied")) << error.toStdString();
  RadioImage kept;
  ASSERT_TRUE(LoadDat(readOnly, kept).ok());
  EXPECT_EQ(kept, RadioImage::NewDocument());

  const std::string target = (h.Dir() + "/target.dat").toStdString();
  ASSERT_TRUE(SaveDat(target, RadioImage::NewDocument()).ok());
  std::filesystem::create_symlink(target, (h.Dir() + "/link.dat").toStdString());
  EXPECT_TRUE(h.Frame()->SaveDocument(h.Frame()->ActiveDocument(), h.Dir() + "/link.dat"));
  EXPECT_TRUE(std::filesystem::is_symlink((h.Dir() + "/link.dat").toStdString()));
  RadioImage saved;
  ASSERT_TRUE(LoadDat(target, saved).ok());
  EXPECT_EQ(saved, h.Frame()->ActiveDocument()->Image());
}

TEST_F(Documents, NewAnsweredWithCancelChangesNothing) {
  StartWithCrafted();
  CChildFrame* shown = h.Frame()->ActiveChild();
  QString question;
  AppHarness::AnswerMessageBox(QMessageBox::Cancel, &question);
  Key(Qt::Key_N);
  EXPECT_EQ(question, "All data will be Cleared!");
  EXPECT_EQ(h.Frame()->ActiveChild(), shown);
  EXPECT_EQ(h.Frame()->ChildFrames().size(), 1);
  EXPECT_EQ(Grid().CellText(200, 1), "146.52500");
  EXPECT_EQ(shown->Document()->Image(), CraftedImage());
}

TEST_F(Documents, NewAnsweredWithOkReplacesTheDocument) {
  StartWithCrafted();
  QPointer<CChildFrame> old = h.Frame()->ActiveChild();
  AppHarness::AnswerMessageBox(QMessageBox::Ok);
  Key(Qt::Key_N);
  EXPECT_TRUE(old.isNull());  // destroyed, not hidden
  ASSERT_EQ(h.Frame()->ChildFrames().size(), 1);
  EXPECT_EQ(h.Frame()->ActiveDocument()->Image(), RadioImage::NewDocument());
  EXPECT_EQ(Grid().CellText(1, 1), QString());
  EXPECT_EQ(TitleText(h.Frame()), "Torvan FM Programmer  [ Type:TV-400  Fre:400 - 420MHz ]");
}

TEST_F(Documents, TitleIconOfTheCurrentFolderBecomesTheDocumentWindowIcon) {
  // A 32 x 32 picture of one colour that no built-in icon has.
  const QColor colour(12, 200, 34);
  QImage picture(32, 32, QImage::Format_ARGB32);
  picture.fill(colour);
  ASSERT_TRUE(picture.save(QDir::current().filePath("title.ico"), "ICO"));
  StartWithCrafted();
  const QIcon icon = h.Frame()->ActiveChild()->windowIcon();
  ASSERT_FALSE(icon.isNull());
  const QImage shown = icon.pixmap(QSize(32, 32)).toImage();
  ASSERT_FALSE(shown.isNull());
  EXPECT_EQ(shown.size(), QSize(32, 32));  // the size stored in the file
  EXPECT_EQ(shown.pixelColor(16, 16), colour);
}

TEST_F(Documents, CloseHidesAndChannelInformationShowsAgain) {
  StartWithCrafted();
  CChildFrame* shown = h.Frame()->ActiveChild();
  QTest::mouseClick(h.Frame(), Qt::LeftButton);  // focus the main window
  shown->close();  // the window's close box
  EXPECT_FALSE(shown->isVisible());
  EXPECT_EQ(h.Frame()->ChildFrames().size(), 1);
  h.ClickMenu(1, h.Frame()->Action(cmd::kChannelInformation));
  EXPECT_TRUE(shown->isVisible());
  h.ClickMenu(0, h.Frame()->Action(cmd::kFileClose));
  EXPECT_FALSE(shown->isVisible());
  EXPECT_EQ(Grid().CellText(1, 9), "CALL");
}

}  // namespace
}  // namespace torvan::test
