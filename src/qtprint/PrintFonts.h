#pragma once
// The report's two fonts as Qt fonts, and their measurement for the layout.
//
// Sizes are in twips: the report is drawn with the painter's window in twips,
// and a font's pixel size counts in those window units (a point size would be
// rescaled by the device's resolution instead).

#include <QFont>

#include "core/channels/PrintLayout.h"

namespace torvan::print {

// "Times New Roman" by name (the font system substitutes a metric-compatible
// face such as Liberation Serif when it is missing, and falls back to a CJK
// face for Chinese characters), weight 400, upright, character height
// `request.characterHeight` twips, stretched horizontally so that its average
// character width is `request.averageWidth` twips.
QFont ReportFont(const PrintFontRequest& request);

// The average character width of `font` in its pixel units: the advances of
// the lower-case letters and the space weighted by their frequency in English
// text. This is the measure by which a font is given an average width; it
// depends only on glyph advances, so metric-compatible faces agree on it.
double WeightedAverageCharWidth(const QFont& font);

// Line heights measured with Qt's font metrics.
class QtPrintFontMetrics : public PrintFontMetrics {
 public:
  // Ascent + descent + leading of ReportFont(font), in twips.
  int LineHeight(const PrintFontRequest& font) const override;
};

}  // namespace torvan::print
