#pragma once
// The File menu's printing commands around the report: the print dialog, the
// print preview and the printer set-up. The desktop program keeps one QPrinter
// for the whole run (Print Setup changes it, Print and Print Preview use it)
// and calls these with the active view's grid and document image.

#include "core/files/Status.h"
#include "qtprint/ReportPrinting.h"

class QPrinter;
class QPrintPreviewDialog;
class QPrintPreviewWidget;
class QWidget;

namespace torvan::print {

// File > Print (Ctrl+P): shows the print dialog offering pages 1..N of the
// report and prints the chosen pages on OK. Cancel prints nothing and is not
// an error; `printed` (when given) tells whether anything was printed.
Status RunPrintDialog(QWidget* parent, QPrinter& printer, const ReportSource& source, bool* printed = nullptr);

// File > Print Preview: shows every page of the report in a modal preview;
// its Print button prints the pages chosen there. Returns the first failure
// of drawing the preview or printing from it.
Status RunPrintPreview(QWidget* parent, QPrinter& printer, const ReportSource& source);

// File > Print Setup: the page set-up dialog of `printer` (paper, orientation,
// margins). True when the user pressed OK.
bool RunPrintSetup(QWidget* parent, QPrinter& printer);

// Makes a preview draw the report whenever it repaints its pages. The first
// failure is kept in `*outcome`, which must outlive the preview.
void ConnectPreview(QPrintPreviewDialog& preview, const ReportSource& source, Status* outcome);
void ConnectPreview(QPrintPreviewWidget& preview, const ReportSource& source, Status* outcome);

}  // namespace torvan::print
