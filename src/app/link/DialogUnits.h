#pragma once
// Dialog units: the port and progress windows are laid out in the units of a
// classic dialog template, which scale with the dialog's font (a horizontal
// unit is a quarter of the font's average character width, a vertical unit an
// eighth of its height), so they keep their proportions in either language.

#include <QFontMetrics>
#include <QRect>
#include <QWidget>

namespace torvan {

class DialogUnits {
 public:
  explicit DialogUnits(const QWidget& dialog) {
    const QFontMetrics fm(dialog.font());
    // The average width of the 52 letters, as the classic templates measure it.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = (fm.horizontalAdvance(letters) / 26 + 1) / 2;
    baseY_ = fm.height();
  }

  int X(int units) const { return (units * baseX_ + kQuarter / 2) / kQuarter; }
  int Y(int units) const { return (units * baseY_ + kEighth / 2) / kEighth; }
  QRect Rect(int x, int y, int w, int h) const { return QRect(X(x), Y(y), X(w), Y(h)); }

 private:
  static constexpr int kQuarter = 4;
  static constexpr int kEighth = 8;
  int baseX_ = 0;
  int baseY_ = 0;
};

}  // namespace torvan
