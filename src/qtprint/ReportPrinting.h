#pragma once
// Drawing the printed report (option page, then channel pages of seven
// channels) with QPainter on a printer, a print preview or a PDF file. The
// pages come from the core's ReportLayout; this file only turns them into
// marks: the painter's window counts twips, its viewport device pixels, and y
// is flipped, since the layout's y grows upward.

#include <QPageLayout>
#include <QPageSize>
#include <QByteArray>
#include <QString>

#include <filesystem>
#include <string>

#include "core/channels/PrintLayout.h"
#include "core/channels/TextGrid.h"
#include "core/files/Status.h"
#include "core/radio/RadioImage.h"
#include "core/radio/ValueTexts.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPrinter;

namespace torvan::print {

// What a report prints. The grid is read as it stands when each page is
// drawn; grid and image must outlive the printing call.
struct ReportSource {
  const TextGrid& grid;
  const RadioImage& image;
  std::string ownerLine;  // "Copyrights Owner" of the language section; "" prints nothing
  DisplayLanguage lang = DisplayLanguage::English;
};

// Pages to draw, 1-based and inclusive; 0 means "from the first" / "to the
// last". `lastPageFirst` draws them in reverse order.
struct PageRange {
  int from = 0;
  int to = 0;
  bool lastPageFirst = false;
};

// The number of pages of the report on `grid`: the option page plus one page
// per seven used channels. This is the page range a print dialog offers.
int ReportPageCount(const TextGrid& grid);

// The printable area of a device: its size in device pixels and resolution.
PrintableArea PrintableAreaOf(const QPaintDevice& device);

// Draws one laid-out page with `painter`, whose device has the given area.
// The painter's state is restored afterwards.
void PaintPage(QPainter& painter, const PrintedPage& page, const PrintableArea& area);

// Draws the pages of `range` on `device`, each on its own sheet. Fails, naming
// the reason, when the range holds no page of the report, the device has no
// printable area, or the device refuses to draw or to start a page.
Status RenderReport(QPagedPaintDevice& device, const ReportSource& source, const PageRange& range = {});

// File > Print and the preview's pages: draws the report on `printer`, the
// pages and their order as the print dialog left them in the printer (all
// pages unless a page range was chosen).
Status PrintReport(QPrinter* printer, const ReportSource& source);

// The page of a PDF report: `size`, portrait, a quarter-inch margin all round
// (the printable area of a common office printer).
QPageLayout PdfPageLayout(QPageSize::PageSizeId size = QPageSize::A4);

// The whole report as the bytes of a PDF file. `title` goes into the PDF's
// document information.
Result<QByteArray> ReportPdfBytes(const ReportSource& source, const QPageLayout& pageLayout = PdfPageLayout(),
                                  const QString& title = {});

// Writes the whole report to a PDF file at `path`, atomically: the previous
// file stays whole when anything fails.
Status WriteReportPdf(const std::filesystem::path& path, const ReportSource& source,
                      const QPageLayout& pageLayout = PdfPageLayout(), const QString& title = {});

}  // namespace torvan::print
