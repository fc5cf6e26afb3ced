#include "qtprint/PrintFonts.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <utility>

namespace torvan::print {
namespace {

// Frequency of each lower-case letter and of the space per 1000 characters of
// English text; the classic weighting of a font's average character width.
constexpr std::pair<char, int> kLetterWeights[] = {
    {'a', 64}, {'b', 14}, {'c', 27}, {'d', 35}, {'e', 100}, {'f', 20}, {'g', 14}, {'h', 42}, {'i', 63},
    {'j', 3},  {'k', 6},  {'l', 35}, {'m', 20}, {'n', 56},  {'o', 56}, {'p', 17}, {'q', 4},  {'r', 49},
    {'s', 56}, {'t', 71}, {'u', 31}, {'v', 10}, {'w', 18},  {'x', 3},  {'y', 18}, {'z', 2},  {' ', 166},
};
constexpr int kWeightTotal = 1000;

// QFont's stretch is a whole percentage within these limits.
constexpr int kMinStretch = 1;
constexpr int kMaxStretch = 4000;
constexpr int kNoStretch = 100;

QFont UnstretchedFont(const PrintFontRequest& request) {
  QFont font;
  font.setFamilies(QStringList{QString::fromUtf8(kPrintFontFace.data(), static_cast<qsizetype>(kPrintFontFace.size()))});
  font.setPixelSize(std::max(1, request.characterHeight));
  font.setWeight(QFont::Normal);  // 400
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  // Design metrics, the same on paper, in the preview and in a PDF.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

}  // namespace

double WeightedAverageCharWidth(const QFont& font) {
  const QFontMetricsF fm(font);
  double sum = 0.0;
  for (const auto& [letter, weight] : kLetterWeights) sum += fm.horizontalAdvance(QChar(letter)) * weight;
  return sum / kWeightTotal;
}

QFont ReportFont(const PrintFontRequest& request) {
  QFont font = UnstretchedFont(request);
  const double natural = WeightedAverageCharWidth(font);
  if (request.averageWidth > 0 && natural > 0.0) {
    const long stretch = std::lround(kNoStretch * request.averageWidth / natural);
    font.setStretch(static_cast<int>(std::clamp<long>(stretch, kMinStretch, kMaxStretch)));
  }
  return font;
}

int QtPrintFontMetrics::LineHeight(const PrintFontRequest& font) const {
  const QFontMetrics fm(ReportFont(font));
  return fm.height() + fm.leading();
}

}  // namespace torvan::print
