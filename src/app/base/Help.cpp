#include "app/base/Help.h"

#include <QApplication>
#include <QFileInfo>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include "app/base/AppContext.h"

namespace torvan {
namespace {

constexpr const char* kHelpIdProperty = "torvanHelpId";
QPointer<HelpWindow> g_helpWindow;

}  // namespace

void SetHelpId(QWidget* w, int id) { w->setProperty(kHelpIdProperty, id); }

int HelpIdOf(const QWidget* w) {
  for (; w; w = w->parentWidget()) {
    const QVariant v = w->property(kHelpIdProperty);
    if (v.isValid()) return v.toInt();
  }
  return 0;
}

HelpWindow::HelpWindow(QWidget* parent)
    // A dialog-type window: window managers keep such a window in front of its owner.
    : QWidget(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint), browser_(new QTextBrowser(this)) {
  setWindowTitle(tr("Help"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  browser_->setOpenExternalLinks(false);
  resize(640, 560);
}

void HelpWindow::BelongTo(QWidget* owner) {
  QWidget* top = owner ? owner->window() : nullptr;
  if (top == this) return;  // F1 in the help window itself
  QWindow* ownerHandle = top ? top->windowHandle() : nullptr;
  winId();  // the native window, whose owner the window manager is told
  QWindow* handle = windowHandle();
  if (!handle || handle->transientParent() == ownerHandle) return;
  // The window manager reads the owner when the window is mapped.
  const bool shown = isVisible();
  if (shown) hide();
  handle->setTransientParent(ownerHandle);
  if (shown) show();
}

bool HelpWindow::Show(const QString& helpFile, int context, QWidget* owner) {
  if (helpFile.isEmpty() || !QFileInfo(helpFile).isFile()) return false;
  if (!g_helpWindow) g_helpWindow = new HelpWindow;
  if (!owner) owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
  g_helpWindow->BelongTo(owner);
  QUrl url = QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath());
  if (context != 0) url.setFragment(QString::number(context));
  // setSource does not reload the same file: clear first so that a changed
  // anchor always scrolls.
  g_helpWindow->browser_->setSource(QUrl());
  g_helpWindow->browser_->setSource(url);
  g_helpWindow->show();
  g_helpWindow->raise();
  g_helpWindow->activateWindow();
  return true;
}

HelpWindow* HelpWindow::Instance() { return g_helpWindow; }

void HelpWindow::Destroy() { delete g_helpWindow.data(); }

QString HelpWindow::CurrentAnchor() const { return browser_->source().fragment(); }
QString HelpWindow::CurrentFile() const { return browser_->source().toLocalFile(); }

void ShowHelp(const AppContext& app, int context, QWidget* owner) { HelpWindow::Show(app.HelpFile(), context, owner); }

void InstallHelpKey(QWidget* window, const AppContext& app, std::function<int()> context) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, window,
                   [&app, window, context = std::move(context)] { ShowHelp(app, context(), window); });
}

}  // namespace torvan
