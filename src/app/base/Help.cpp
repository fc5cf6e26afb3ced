#include "app/base/Help.h"

#include <QApplication>
#include <QFileInfo>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

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

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
  setWindowTitle(tr("Help"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  browser_->setOpenExternalLinks(false);
  resize(640, 560);
}

bool HelpWindow::Show(const QString& helpFile, int context) {
  if (helpFile.isEmpty() || !QFileInfo(helpFile).isFile()) return false;
  if (!g_helpWindow) g_helpWindow = new HelpWindow;
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

void ShowHelp(const AppContext& app, int context) { HelpWindow::Show(app.HelpFile(), context); }

void InstallHelpKey(QWidget* window, const AppContext& app, std::function<int()> context) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, window,
                   [&app, context = std::move(context)] { ShowHelp(app, context()); });
}

}  // namespace torvan
