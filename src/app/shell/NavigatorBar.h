#pragma once
// CNavigatorBar: the bar on the main window's left edge that holds the
// navigation tree. Its caption is the company line, its close button ("Close")
// hides it, it cannot float or move, and the user widens or narrows it by
// dragging its right edge (or the main window's separator beside it): at least
// 11 pixels, at most half of the main window's width. The width the user gave
// it stays for the life of the bar: while hidden, and while the main window is
// too narrow for it (the bar then shows at half the main window's width and
// takes its own width again once the main window is wide enough).

#include <QDockWidget>
#include <QPointer>

class QRubberBand;
class QToolButton;
class QTreeWidget;
class QLabel;

namespace torvan {

class CNavigatorBar : public QDockWidget {
  Q_OBJECT
 public:
  static constexpr int kInitialWidth = 220;
  static constexpr int kMinWidth = 11;
  static constexpr int kSizingStripWidth = 6;

  CNavigatorBar(const QString& caption, QWidget* parent);

  QTreeWidget* Tree() const { return m_tree; }
  QToolButton* CloseButton() const { return m_closeButton; }
  QString Caption() const;
  // The width the user gave the bar (shown or hidden, squeezed or not).
  int BarWidth() const { return m_width; }
  // The widest the bar may be: half of the main window's width.
  int MaxWidth() const;
  // Gives the bar `width` pixels, clamped to [kMinWidth, MaxWidth()].
  void SetBarWidth(int width);
  // The main window changed its size: the bar shows its own width again, as
  // far as half of the main window's new width allows.
  void FollowMainWindow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int ClampWidth(int width) const;
  // Lays the bar out at its width, clamped to the main window's half.
  void ShowBarWidth();
  bool InSizingStrip(int x) const;

  QWidget* m_body;
  QTreeWidget* m_tree;
  QLabel* m_caption;
  QToolButton* m_closeButton;
  QRubberBand* m_dragLine;
  int m_width = kInitialWidth;
  bool m_sizing = false;
};

}  // namespace torvan
