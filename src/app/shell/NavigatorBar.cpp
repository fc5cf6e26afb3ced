#include "app/shell/NavigatorBar.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/base/LanguagePack.h"

namespace torvan {
namespace {
constexpr int kCaptionHeight = 22;
constexpr int kTreeFontPixels = 14;
constexpr int kTreeIndentation = 14;
// The close button's tip is built into the program, not a text of the
// language pack: it reads the same in every language.
constexpr const char* kCloseTip = "Close";

// The caption line's text: when the bar is narrower than the text, it ends in
// an ellipsis rather than in half a letter; its tip shows it whole.
class CaptionLabel : public QLabel {
 public:
  explicit CaptionLabel(const QString& text) : QLabel(text) { setToolTip(text); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QRect room = contentsRect();
    p.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
               fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
  }
};

// A part of the bar that lets the bar become narrower than its contents
// (down to the bar's own minimum): the caption and the tree are cut instead.
class Shrinkable : public QWidget {
 public:
  explicit Shrinkable(QWidget* parent) : QWidget(parent) {}
  QSize minimumSizeHint() const override { return {1, QWidget::minimumSizeHint().height()}; }
};
}  // namespace

CNavigatorBar::CNavigatorBar(const QString& caption, QWidget* parent)
    : QDockWidget(parent),
      m_body(new Shrinkable(this)),
      m_tree(new QTreeWidget(m_body)),
      m_caption(new CaptionLabel(caption)),
      m_closeButton(new QToolButton),
      m_dragLine(nullptr) {
  setObjectName(QStringLiteral("NavigatorBar"));
  setWindowTitle(caption);
  setFeatures(QDockWidget::DockWidgetClosable);
  setAllowedAreas(Qt::LeftDockWidgetArea);
  SetHelpId(this, ctrl::kNavigatorBar);
  SetHelpId(m_tree, ctrl::kNavigatorTree);

  // The bar's font is the program's ordinary font at 14 pixels.
  QFont font = this->font();
  font.setPixelSize(kTreeFontPixels);

  // Caption line: the company text and the close button.
  auto* title = new Shrinkable(this);
  title->setFixedHeight(kCaptionHeight + 4);
  auto* titleLayout = new QHBoxLayout(title);
  titleLayout->setContentsMargins(6, 2, 4, 2);
  m_caption->setFont(font);
  m_caption->setMinimumWidth(0);
  m_caption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  m_closeButton->setIcon(LanguagePack::Icon(QStringLiteral("close")));
  m_closeButton->setIconSize(QSize(16, 16));
  m_closeButton->setAutoRaise(true);
  m_closeButton->setToolTip(QString::fromLatin1(kCloseTip));
  m_closeButton->setFocusPolicy(Qt::NoFocus);
  titleLayout->addWidget(m_caption, 1);
  titleLayout->addWidget(m_closeButton);
  title->setMinimumWidth(1);  // the bar may be narrower than its caption line
  titleLayout->setSizeConstraint(QLayout::SetNoConstraint);
  setTitleBarWidget(title);
  connect(m_closeButton, &QToolButton::clicked, this, &QDockWidget::close);

  // Body: the tree, with the sizing strip along the right edge.
  m_tree->setFont(font);
  m_tree->setHeaderHidden(true);
  m_tree->setIndentation(kTreeIndentation);
  m_tree->setRootIsDecorated(true);
  m_tree->setMinimumWidth(1);
  auto* bodyLayout = new QHBoxLayout(m_body);
  bodyLayout->setContentsMargins(3, 0, kSizingStripWidth, 0);
  bodyLayout->addWidget(m_tree);
  m_body->setMinimumWidth(1);
  bodyLayout->setSizeConstraint(QLayout::SetNoConstraint);
  m_body->setMouseTracking(true);
  m_body->installEventFilter(this);
  setWidget(m_body);
  setMinimumWidth(kMinWidth);
}

QString CNavigatorBar::Caption() const { return m_caption->text(); }

int CNavigatorBar::MaxWidth() const {
  const QWidget* main = parentWidget();
  return std::max(kMinWidth, main ? main->width() / 2 : kInitialWidth);
}

int CNavigatorBar::ClampWidth(int width) const { return std::clamp(width, kMinWidth, MaxWidth()); }

void CNavigatorBar::SetBarWidth(int width) {
  m_width = ClampWidth(width);
  ShowBarWidth();
}

void CNavigatorBar::ShowBarWidth() {
  setMaximumWidth(MaxWidth());
  if (auto* main = qobject_cast<QMainWindow*>(parentWidget())) main->resizeDocks({this}, {ClampWidth(m_width)}, Qt::Horizontal);
}

void CNavigatorBar::FollowMainWindow() {
  // The main window's layout squeezes the bar when it shrinks, and leaves it
  // squeezed when it grows again: the bar's own width is laid out anew.
  if (isVisible() && width() != ClampWidth(m_width)) ShowBarWidth();
  else setMaximumWidth(MaxWidth());
}

bool CNavigatorBar::InSizingStrip(int x) const { return x >= m_body->width() - kSizingStripWidth; }

bool CNavigatorBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_body) return QDockWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseMove: {
      const auto* me = static_cast<QMouseEvent*>(event);
      const int x = me->position().toPoint().x();
      if (m_sizing) {
        // The line shows where the edge will be: the same limits as the width.
        const int edge = ClampWidth(mapFromGlobal(m_body->mapToGlobal(QPoint(x, 0))).x());
        if (!m_dragLine) m_dragLine = new QRubberBand(QRubberBand::Line, parentWidget());
        const QPoint top = mapTo(parentWidget(), QPoint(edge, 0));
        m_dragLine->setGeometry(top.x(), top.y(), 2, height());
        m_dragLine->show();
      } else {
        m_body->setCursor(InSizingStrip(x) ? LanguagePack::SizingCursor() : QCursor(Qt::ArrowCursor));
      }
      return true;
    }
    case QEvent::MouseButtonPress: {
      const auto* me = static_cast<QMouseEvent*>(event);
      if (me->button() == Qt::LeftButton && InSizingStrip(me->position().toPoint().x())) {
        m_sizing = true;
        return true;
      }
      break;
    }
    case QEvent::MouseButtonRelease: {
      const auto* me = static_cast<QMouseEvent*>(event);
      if (m_dragLine) m_dragLine->hide();
      if (m_sizing && me->button() == Qt::LeftButton) {
        m_sizing = false;
        SetBarWidth(mapFromGlobal(m_body->mapToGlobal(me->position().toPoint())).x());
        return true;
      }
      break;
    }
    case QEvent::MouseButtonDblClick:
      return true;  // no docking or floating
    default:
      break;
  }
  return QDockWidget::eventFilter(watched, event);
}

void CNavigatorBar::resizeEvent(QResizeEvent* event) {
  QDockWidget::resizeEvent(event);
  // Resized while the mouse button is down in the program: the user drags
  // the main window's separator beside the bar, and this is the width chosen.
  // (A main window resized by the window manager's frame, or maximised, does
  // not press a button in the program: that squeezes or widens only.)
  if (isVisible() && !m_sizing && (QGuiApplication::mouseButtons() & Qt::LeftButton)) m_width = width();
}

void CNavigatorBar::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  // Shown again: the width it had before it was hidden.
  ShowBarWidth();
}

}  // namespace torvan
