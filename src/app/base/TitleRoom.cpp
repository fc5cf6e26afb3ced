#include "app/base/TitleRoom.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace torvan {
namespace {

// The icon and the buttons a title bar may show next to the title.
constexpr int kTitleBarPictures = 5;
// The frame's edges and the gaps between its parts, together.
constexpr int kTitleBarPadding = 24;

// Widens its window whenever it is shown or its title changes.
class TitleKeeper : public QObject {
 public:
  explicit TitleKeeper(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
    Apply();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_) {
      switch (event->type()) {
        case QEvent::Show:
        case QEvent::WindowTitleChange:
        case QEvent::LayoutRequest:
          Apply();
          break;
        default: break;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Apply() {
    // An explicit minimum width takes over from the layout's: keep the
    // layout's needs in it.
    const int need = std::max(TitleRoom(*window_), window_->minimumSizeHint().width());
    if (window_->maximumWidth() < need) window_->setMaximumWidth(need);
    if (window_->minimumWidth() != need) window_->setMinimumWidth(need);
  }

  QWidget* window_;
};

}  // namespace

int TitleRoom(const QWidget& window) {
  // The window manager's font is not known to the program: the font Qt gives
  // title bars, in bold as most window managers draw titles.
  QFont font = QApplication::font("QMdiSubWindowTitleBar");
  font.setBold(true);
  const int text = QFontMetrics(font).horizontalAdvance(window.windowTitle());
  const int picture = std::max(window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window),
                               QFontMetrics(font).height());
  return text + kTitleBarPictures * picture + kTitleBarPadding;
}

void KeepTitleWhole(QWidget* window) {
  if (window) new TitleKeeper(window);
}

}  // namespace torvan
