// The report drawn with Qt: the fonts, the twips mapping on a device, page
// ranges and order on a (PDF) printer, the preview and the atomic PDF file.

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "PrintTestSupport.h"
#include "TempDir.h"
#include "core/channels/PrintLayout.h"
#include "core/channels/TextGrid.h"
#include "qtprint/PrintFonts.h"
#include "qtprint/ReportDialogs.h"
#include "qtprint/ReportPrinting.h"
#include "core/radio/ChannelCodec.h"

namespace torvan::print {
namespace {

using test::ImageWithChannels;
using test::PdfPages;
using test::TempDir;

// Times New Roman's vertical metrics per 2048 units of em; a metric-compatible
// substitute has the same.
constexpr double kAscent = 1825.0 / 2048;
constexpr double kDescent = 443.0 / 2048;
constexpr double kLineGap = 87.0 / 2048;
constexpr double kAverageWidth = 821.0 / 2048;  // the face's average character width

TEST(PrintFonts, LineHeightsAreThoseOfTimesNewRoman) {
  QtPrintFontMetrics metrics;
  for (int ph : {100, 268, 336, 1000}) {
    const double expected = ph * (kAscent + kDescent + kLineGap);
    const int got = metrics.LineHeight({PrintFontRole::Title, ph, ph / 2});
    EXPECT_NEAR(got, expected, 1.5) << "character height " << ph;
  }
}

TEST(PrintFonts, AverageWidthIsTheRequestedOne) {
  // The face's own average width, from its glyph advances.
  const QFont natural = ReportFont({PrintFontRole::Body, 2048, 0});
  EXPECT_NEAR(WeightedAverageCharWidth(natural), kAverageWidth * 2048, 2048 * 0.005);

  // A requested width stretches (or narrows) the face to it, not its height.
  for (const PrintFontRequest& r : {PrintFontRequest{PrintFontRole::Title, 336, 174},
                                    PrintFontRequest{PrintFontRole::Body, 268, 139},
                                    PrintFontRequest{PrintFontRole::Body, 400, 120}}) {
    const QFont f = ReportFont(r);
    EXPECT_EQ(f.pixelSize(), r.characterHeight);
    EXPECT_NEAR(WeightedAverageCharWidth(f), r.averageWidth, r.averageWidth * 0.01) << r.averageWidth;
    EXPECT_EQ(f.weight(), QFont::Normal);
    EXPECT_FALSE(f.italic());
  }
}

// A page painted on an image: 8.5 x 11 inches at 100 dpi.
TEST(PaintPage, TwipsMapToDevicePixelsWithYFlipped) {
  constexpr int kDpi = 100;
  QImage image(850, 1100, QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(std::lround(kDpi / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(kDpi / 0.0254)));
  image.fill(Qt::white);
  const PrintableArea area = PrintableAreaOf(image);
  ASSERT_EQ(area.dpiX, kDpi);
  ASSERT_EQ(area.dpiY, kDpi);

  const MemoryTextGrid grid;
  const RadioImage radio = RadioImage::NewDocument();
  ReportLayout layout(grid, radio, "", DisplayLanguage::English);
  QtPrintFontMetrics fonts;
  const PrintedPage page = layout.LayOutPage(1, layout.PreparePrinting(), area, fonts);
  {
    QPainter painter(&image);
    PaintPage(painter, page, area);
  }

  // The rules cross column 2 CW (left of every text) at -y x dpi / 1440.
  const int x = 2 * page.metrics.CW * kDpi / kTwipsPerInch;
  std::vector<int> darkRows;
  for (int y = 0; y < image.height(); ++y) {
    if (qGray(image.pixel(x, y)) < 128) darkRows.push_back(y);
  }
  EXPECT_TRUE(darkRows.empty()) << "nothing stands left of the rules";
  const int ruleX = 30 * page.metrics.CW * kDpi / kTwipsPerInch;
  for (const PrintRule& rule : page.rules) {
    const double expectedRow = -rule.y * kDpi / double(kTwipsPerInch);
    bool found = false;
    for (int dy = -1; dy <= 1 && !found; ++dy) {
      const int row = static_cast<int>(std::floor(expectedRow)) + dy;
      found = row >= 0 && row < image.height() && qGray(image.pixel(ruleX, row)) < 128;
    }
    EXPECT_TRUE(found) << "rule at y = " << rule.y << " twips, expected near pixel row " << expectedRow;
  }

  // "Option" stands below its top-left point, not above it: ink between its
  // top (LH twips down) and one line further down, at its column.
  const int top = page.metrics.LH * kDpi / kTwipsPerInch;
  const int bottom = 2 * page.metrics.LH * kDpi / kTwipsPerInch;
  const int left = 6 * page.metrics.CW * kDpi / kTwipsPerInch;
  int ink = 0;
  int inkAbove = 0;
  for (int y = 0; y < bottom; ++y) {
    for (int dx = 0; dx < 40; ++dx) {
      if (qGray(image.pixel(left + dx, y)) < 128) ++(y < top ? inkAbove : ink);
    }
  }
  EXPECT_GT(ink, 20);
  EXPECT_EQ(inkAbove, 0);
}

class PdfPrinterTest : public ::testing::Test {
 protected:
  // 15 used channels: the option page and three channel pages.
  void SetUp() override {
    image_ = ImageWithChannels({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 199});
    DecodeImage(image_, grid_, DisplayLanguage::English);
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(QString::fromStdString(pdf_));
  }

  ReportSource Source() { return {grid_, image_, "Owner Line", DisplayLanguage::English}; }

  TempDir dir_;
  std::string pdf_ = dir_.file("report.pdf");
  RadioImage image_;
  MemoryTextGrid grid_;
  QPrinter printer_{QPrinter::HighResolution};
};

TEST_F(PdfPrinterTest, PrintsThePagesAndOrderThePrinterAsksFor) {
  ASSERT_EQ(ReportPageCount(grid_), 4);
  struct Case {
    const char* what;
    QPrinter::PrintRange range;
    int from, to;
    QPrinter::PageOrder order;
    std::vector<int> pages;
  };
  const Case cases[] = {
      {"all", QPrinter::AllPages, 0, 0, QPrinter::FirstPageFirst, {1, 2, 3, 4}},
      {"2-3", QPrinter::PageRange, 2, 3, QPrinter::FirstPageFirst, {2, 3}},
      {"3-9 ends at the last page", QPrinter::PageRange, 3, 9, QPrinter::FirstPageFirst, {3, 4}},
      {"all, last first", QPrinter::AllPages, 0, 0, QPrinter::LastPageFirst, {4, 3, 2, 1}},
      {"a range is ignored unless chosen", QPrinter::AllPages, 2, 2, QPrinter::FirstPageFirst, {1, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    printer_.setPrintRange(c.range);
    printer_.setFromTo(c.from, c.to);
    printer_.setPageOrder(c.order);
    const Status s = PrintReport(&printer_, Source());
    ASSERT_TRUE(s.ok()) << s.error();
    const auto pages = PdfPages(pdf_, dir_.path().string());
    ASSERT_EQ(pages.size(), c.pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
      const int p = c.pages[i];
      EXPECT_NE(pages[i].find("Page " + std::to_string(p) + " of 4"), std::string::npos) << pages[i];
      EXPECT_NE(pages[i].find("Owner Line"), std::string::npos);
      EXPECT_NE(pages[i].find(p == 1 ? "Option" : "Channel"), std::string::npos);
    }
  }
}

TEST_F(PdfPrinterTest, ChannelPagesHoldSevenBlocksEach) {
  printer_.setPrintRange(QPrinter::AllPages);
  ASSERT_TRUE(PrintReport(&printer_, Source()).ok());
  const auto pages = PdfPages(pdf_, dir_.path().string());
  ASSERT_EQ(pages.size(), 4u);
  const int expected[][2] = {{0, 6}, {7, 13}};  // first and last channel of pages 2 and 3
  for (int i = 0; i < 2; ++i) {
    const std::string& page = pages[1 + i];
    EXPECT_NE(page.find("Channel " + std::to_string(expected[i][0]) + ":"), std::string::npos) << page;
    EXPECT_NE(page.find("Channel " + std::to_string(expected[i][1]) + ":"), std::string::npos) << page;
    EXPECT_NE(page.find(test::RxTextOf(expected[i][1])), std::string::npos) << page;
  }
  EXPECT_NE(pages[3].find("Channel 199:"), std::string::npos);
  EXPECT_EQ(pages[3].find("Channel 13:"), std::string::npos);
}

TEST_F(PdfPrinterTest, ARangeOutsideTheReportIsRefused) {
  printer_.setPrintRange(QPrinter::PageRange);
  printer_.setFromTo(5, 7);
  const Status s = PrintReport(&printer_, Source());
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.error(), "The report has no pages 5-7; its pages are 1-4");
  EXPECT_FALSE(PrintReport(nullptr, Source()).ok());
}

TEST_F(PdfPrinterTest, PreviewShowsEveryPage) {
  // A range left from the last print does not shorten the preview.
  printer_.setPrintRange(QPrinter::PageRange);
  printer_.setFromTo(2, 2);
  int shownPages = -1;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    auto* view = dialog->findChild<QPrintPreviewWidget*>();
    if (view != nullptr) {
      view->updatePreview();
      shownPages = view->pageCount();
    }
    dialog->reject();
  });
  const Status s = RunPrintPreview(nullptr, printer_, Source());
  EXPECT_TRUE(s.ok()) << s.error();
  EXPECT_EQ(shownPages, 4);

  // The preview widget on its own draws the same pages.
  QPrintPreviewWidget widget(&printer_);
  Status outcome;
  ConnectPreview(widget, Source(), &outcome);
  widget.updatePreview();
  EXPECT_TRUE(outcome.ok()) << outcome.error();
  EXPECT_EQ(widget.pageCount(), 4);
}

TEST_F(PdfPrinterTest, PdfFileIsWrittenWholeOrNotAtAll) {
  const Status s = WriteReportPdf(pdf_, Source(), PdfPageLayout(QPageSize::Letter), "title");
  ASSERT_TRUE(s.ok()) << s.error();
  const auto pages = PdfPages(pdf_, dir_.path().string());
  ASSERT_EQ(pages.size(), 4u);
  EXPECT_NE(pages[0].find("Page 1 of 4"), std::string::npos);

  // A folder that does not exist: an error naming the path, no file made.
  const std::string missing = dir_.file("no-such-folder/report.pdf");
  const Status bad = WriteReportPdf(missing, Source());
  ASSERT_FALSE(bad.ok());
  EXPECT_NE(bad.error().find(missing), std::string::npos) << bad.error();
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "no-such-folder"));
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir_.path())) ++entries;
  EXPECT_EQ(entries, 3u) << "report.pdf and the two captured outputs of pdftotext, no temporary file";
}

}  // namespace
}  // namespace torvan::print
