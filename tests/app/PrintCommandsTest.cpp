// File > Print, Print Preview and Print Setup: the active document's report
// through the program's one printer, with the owner line of the language.

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "AppHarness.h"
#include "app/channels/TorvanView.h"
#include "TransferHelpers.h"
#include "core/radio/DatFile.h"
#include "app/base/CommandIds.h"
#include "app/radio/TorvanDoc.h"
#include "qtprint/ReportPrinting.h"

namespace torvan::test {
namespace {

// Answers the next modal window of type T with `key`; says whether one came.
template <typename T>
void AnswerWith(Qt::Key key, bool* seen) {
  AppHarness::WhenModal([key, seen](QWidget* w) {
    if (!qobject_cast<T*>(w)) return false;
    *seen = true;
    QTest::keyClick(w, key);
    return true;
  });
}

class PrintCommands : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SaveDat(h.File("crafted.dat"), CraftedImage()).ok());
    ASSERT_TRUE(h.Start({QString::fromStdString(h.File("crafted.dat"))}));
  }
  AppHarness h;
};

TEST_F(PrintCommands, PrintDrawsTheActiveDocumentWithTheOwnerLine) {
  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is needed to read the printed pages";
  const QString pdf = h.Dir() + "/report.pdf";
  h.Frame()->Printer().setOutputFormat(QPrinter::PdfFormat);
  h.Frame()->Printer().setOutputFileName(pdf);
  // A value typed but not yet taken: printing leaves its editor open and
  // prints the cell as it stands.
  CTorvanView* view = h.Frame()->ActiveView();
  view->Grid().setFocus();
  view->Grid().SetRow(3);
  view->Grid().SetCol(1);
  QTest::keyClicks(QApplication::focusWidget(), "147.25");
  QWidget* editor = view->OpenEditor();
  ASSERT_NE(editor, nullptr);

  bool seen = false;
  AnswerWith<QPrintDialog>(Qt::Key_Return, &seen);
  ASSERT_TRUE(ActivateWindow(h.Frame()));
  QTest::keyClick(h.Frame(), Qt::Key_P, Qt::ControlModifier);
  ASSERT_TRUE(seen);
  EXPECT_EQ(view->OpenEditor(), editor);
  EXPECT_EQ(view->Grid().CellText(3, 1), QString());

  QProcess text;
  text.start(pdftotext, {"-layout", pdf, "-"});
  ASSERT_TRUE(text.waitForFinished(10000));
  const QString pages = QString::fromUtf8(text.readAllStandardOutput());
  EXPECT_TRUE(pages.contains("Kestrel Bay Ltd.")) << pages.toStdString();
  EXPECT_TRUE(pages.contains("Page 2 of 2")) << pages.toStdString();
  EXPECT_TRUE(pages.contains("Channel 199:")) << pages.toStdString();
  EXPECT_TRUE(pages.contains("AB-C_9")) << pages.toStdString();
  EXPECT_FALSE(pages.contains("147.25")) << pages.toStdString();
}

TEST_F(PrintCommands, PreviewAndSetupOpenTheirDialogs) {
  bool preview = false;
  AnswerWith<QPrintPreviewDialog>(Qt::Key_Escape, &preview);
  h.ClickMenu(0, h.Frame()->Action(cmd::kFilePrintPreview));
  EXPECT_TRUE(QTest::qWaitFor([&] { return preview && !QApplication::activeModalWidget(); }, 5000));

  bool setup = false;
  AnswerWith<QPageSetupDialog>(Qt::Key_Escape, &setup);
  h.ClickMenu(0, h.Frame()->Action(cmd::kFilePrintSetup));
  EXPECT_TRUE(QTest::qWaitFor([&] { return setup && !QApplication::activeModalWidget(); }, 5000));
}

// What went wrong in printing is said in the program's language (the texts
// come from the language pack).
struct PrintErrorCase {
  const char* language;
  const char* noPrinter;
  const char* noSuchPages;
};
void PrintTo(const PrintErrorCase& c, std::ostream* os) { *os << c.language; }

class PrintErrors : public testing::TestWithParam<PrintErrorCase> {};

TEST_P(PrintErrors, AreSaidInTheProgramsLanguage) {
  const PrintErrorCase& c = GetParam();
  AppHarness h({IniWithLanguage(c.language), true, true});
  ASSERT_TRUE(h.Start());
  CTorvanView& view = *h.Frame()->ActiveView();
  const print::ReportSource source{view.Grid(), view.GetDocument().Image(), "", h.App().Context().language};
  EXPECT_EQ(print::PrintReport(nullptr, source).error(), c.noPrinter);

  QPrinter& printer = h.Frame()->Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(h.Dir() + "/report.pdf");
  printer.setPrintRange(QPrinter::PageRange);
  printer.setFromTo(5, 6);
  EXPECT_EQ(print::PrintReport(&printer, source).error(), c.noSuchPages);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, PrintErrors,
    testing::Values(PrintErrorCase{"English", "No printer to print the report on",
                                   "The report has no pages 5-6; its pages are 1-1"},
                    PrintErrorCase{"Chinese", "没有可以打印报表的打印机", "报表没有第 5-6 页；它的页码是 1-1"}),
    [](const testing::TestParamInfo<PrintErrorCase>& i) { return std::string(i.param.language); });

}  // namespace
}  // namespace torvan::test
