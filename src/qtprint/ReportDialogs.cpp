#include "qtprint/ReportDialogs.h"

#include <QAbstractPrintDialog>
#include <QDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace torvan::print {
namespace {

// The slot behind a preview's paintRequested: draws the report and keeps the
// first failure.
auto PreviewPainter(const ReportSource& source, Status* outcome) {
  return [source, outcome](QPrinter* printer) {
    const Status s = PrintReport(printer, source);
    if (!s.ok() && outcome != nullptr && outcome->ok()) *outcome = s;
  };
}

}  // namespace

Status RunPrintDialog(QWidget* parent, QPrinter& printer, const ReportSource& source, bool* printed) {
  if (printed != nullptr) *printed = false;
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, ReportPageCount(source.grid));
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  if (dialog.exec() != QDialog::Accepted) return Status::Ok();  // cancelled before any page is drawn
  const Status s = PrintReport(&printer, source);
  if (printed != nullptr) *printed = s.ok();
  return s;
}

Status RunPrintPreview(QWidget* parent, QPrinter& printer, const ReportSource& source) {
  // The preview shows the whole report whatever range the last print chose.
  printer.setPrintRange(QPrinter::AllPages);
  Status outcome;
  QPrintPreviewDialog preview(&printer, parent);
  ConnectPreview(preview, source, &outcome);
  static_cast<void>(preview.exec());  // accepted after printing from it, rejected when closed: both fine
  return outcome;
}

bool RunPrintSetup(QWidget* parent, QPrinter& printer) {
  QPageSetupDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

void ConnectPreview(QPrintPreviewDialog& preview, const ReportSource& source, Status* outcome) {
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, PreviewPainter(source, outcome));
}

void ConnectPreview(QPrintPreviewWidget& preview, const ReportSource& source, Status* outcome) {
  QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, &preview, PreviewPainter(source, outcome));
}

}  // namespace torvan::print
