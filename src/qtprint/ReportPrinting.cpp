#include "qtprint/ReportPrinting.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>

#include <algorithm>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "core/files/AtomicFile.h"
#include "core/files/PathText.h"
#include "qtprint/PrintFonts.h"

namespace torvan::print {
namespace {

// A PDF has no device pixels; this resolution only sets how finely the
// page's twips are placed.
constexpr int kPdfResolution = 1200;
constexpr double kPdfMarginInches = 0.25;

// User-visible texts, translatable (lupdate finds them by QT_TRANSLATE_NOOP).
constexpr const char* kNoSuchPages =
    QT_TRANSLATE_NOOP("ReportPrinting", "The report has no pages %1-%2; its pages are 1-%3");
constexpr const char* kNoPrintableArea =
    QT_TRANSLATE_NOOP("ReportPrinting", "The page has no printable area (%1 x %2 pixels at %3 x %4 dpi)");
constexpr const char* kCannotBegin = QT_TRANSLATE_NOOP("ReportPrinting", "Cannot start drawing the report on the printer");
constexpr const char* kNoNewPage = QT_TRANSLATE_NOOP("ReportPrinting", "The printer refused to start page %1");
constexpr const char* kCannotFinish = QT_TRANSLATE_NOOP("ReportPrinting", "The printer did not finish the report");
constexpr const char* kNoPrinter = QT_TRANSLATE_NOOP("ReportPrinting", "No printer to print the report on");
constexpr const char* kPrinterError =
    QT_TRANSLATE_NOOP("ReportPrinting", "The printer reported an error while printing the report");
constexpr const char* kNoBuffer = QT_TRANSLATE_NOOP("ReportPrinting", "Cannot prepare the PDF in memory");
constexpr const char* kBadPageLayout = QT_TRANSLATE_NOOP("ReportPrinting", "The PDF cannot use this page layout");

template <typename... Args>
std::string Tr(const char* text, Args... args) {
  QString s = QCoreApplication::translate("ReportPrinting", text);
  ((s = s.arg(args)), ...);
  return s.toStdString();
}

QString ToQString(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

int ReportPageCount(const TextGrid& grid) {
  PrintPagePlan plan;
  return CountChannelPages(grid, plan) + kOptionPage;
}

PrintableArea PrintableAreaOf(const QPaintDevice& device) {
  return {device.width(), device.height(), device.logicalDpiX(), device.logicalDpiY()};
}

void PaintPage(QPainter& painter, const PrintedPage& page, const PrintableArea& area) {
  painter.save();
  // One inch of window is one inch of device: the window counts twips.
  painter.setWindow(0, 0, kTwipsPerInch, kTwipsPerInch);
  painter.setViewport(0, 0, area.dpiX, area.dpiY);

  QPen pen(Qt::black);
  pen.setWidth(0);  // the thinnest line the device draws
  pen.setCosmetic(true);
  painter.setPen(pen);
  for (const PrintRule& rule : page.rules) painter.drawLine(QPointF(rule.x1, -rule.y), QPointF(rule.x2, -rule.y));

  const QFont title = ReportFont(page.metrics.title);
  const QFont body = ReportFont(page.metrics.body);
  const double titleAscent = QFontMetricsF(title).ascent();
  const double bodyAscent = QFontMetricsF(body).ascent();
  for (const PrintText& text : page.texts) {
    if (text.text.empty()) continue;
    const bool isTitle = text.font == PrintFontRole::Title;
    painter.setFont(isTitle ? title : body);
    // The layout places a text by its top-left corner; Qt draws from the baseline.
    const double baseline = -text.y + (isTitle ? titleAscent : bodyAscent);
    painter.drawText(QPointF(text.x, baseline), ToQString(text.text));
  }
  painter.restore();
}

Status RenderReport(QPagedPaintDevice& device, const ReportSource& source, const PageRange& range) {
  ReportLayout layout(source.grid, source.image, source.ownerLine, source.lang);
  const int lastPage = layout.PreparePrinting();
  const int from = range.from > 0 ? range.from : 1;
  const int to = range.to > 0 ? std::min(range.to, lastPage) : lastPage;
  if (from > to) return Status::Error(Tr(kNoSuchPages, from, range.to > 0 ? range.to : lastPage, lastPage));
  const PrintableArea area = PrintableAreaOf(device);
  if (!area.IsUsable()) {
    return Status::Error(Tr(kNoPrintableArea, area.widthPixels, area.heightPixels, area.dpiX, area.dpiY));
  }

  std::vector<int> pages;
  for (int p = from; p <= to; ++p) pages.push_back(p);
  if (range.lastPageFirst) std::reverse(pages.begin(), pages.end());

  QPainter painter;
  if (!painter.begin(&device)) return Status::Error(Tr(kCannotBegin));
  QtPrintFontMetrics fonts;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !device.newPage()) {
      static_cast<void>(painter.end());  // the page error is the one to report
      return Status::Error(Tr(kNoNewPage, pages[i]));
    }
    PaintPage(painter, layout.LayOutPage(pages[i], lastPage, area, fonts), area);
  }
  if (!painter.end()) return Status::Error(Tr(kCannotFinish));
  return Status::Ok();
}

Status PrintReport(QPrinter* printer, const ReportSource& source) {
  if (printer == nullptr) return Status::Error(Tr(kNoPrinter));
  PageRange range;
  if (printer->printRange() == QPrinter::PageRange) {
    range.from = printer->fromPage();
    range.to = printer->toPage();
  }
  range.lastPageFirst = printer->pageOrder() == QPrinter::LastPageFirst;
  Status s = RenderReport(*printer, source, range);
  if (s.ok() && printer->printerState() == QPrinter::Error) {
    return Status::Error(Tr(kPrinterError));
  }
  return s;
}

QPageLayout PdfPageLayout(QPageSize::PageSizeId size) {
  const QMarginsF margins(kPdfMarginInches, kPdfMarginInches, kPdfMarginInches, kPdfMarginInches);
  return QPageLayout(QPageSize(size), QPageLayout::Portrait, margins, QPageLayout::Inch);
}

Result<QByteArray> ReportPdfBytes(const ReportSource& source, const QPageLayout& pageLayout, const QString& title) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return Status::Error(Tr(kNoBuffer));
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfResolution);
    writer.setCreator(QStringLiteral("Torvan"));
    if (!title.isEmpty()) writer.setTitle(title);
    if (!writer.setPageLayout(pageLayout)) return Status::Error(Tr(kBadPageLayout));
    if (const Status s = RenderReport(writer, source); !s.ok()) return s;
  }
  return bytes;
}

Status WriteReportPdf(const std::filesystem::path& path, const ReportSource& source, const QPageLayout& pageLayout,
                      const QString& title) {
  const Result<QByteArray> pdf = ReportPdfBytes(source, pageLayout, title);
  if (!pdf) return Status::Error(PathText(path) + ": " + pdf.error());
  const QByteArray& bytes = pdf.value();
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  return WriteFileAtomically(path, std::span<const std::uint8_t>(data, static_cast<std::size_t>(bytes.size())));
}

}  // namespace torvan::print
