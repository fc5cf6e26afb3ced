#include "app/channels/ChildFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

#include "app/base/LanguagePack.h"
#include "app/channels/TorvanView.h"
#include "app/radio/TorvanDoc.h"

namespace torvan {

CChildFrame::CChildFrame(std::unique_ptr<CTorvanDoc> doc, AppContext& app, QWidget* parent)
    : QMdiSubWindow(parent), m_document(std::move(doc)), m_view(new CTorvanView(*m_document, app)) {
  setWidget(m_view);
  setWindowIcon(LanguagePack::Icon(QStringLiteral("tree-page")));
  // The document's name, marked the way the platform marks unsaved changes.
  setWindowTitle(WindowTitle(m_document->Title()));
  connect(m_document.get(), &CTorvanDoc::titleChanged, this,
          [this](const QString& title) { setWindowTitle(WindowTitle(title)); });
  setWindowModified(m_document->IsModified());
  connect(m_document.get(), &CTorvanDoc::modifiedChanged, this, &QWidget::setWindowModified);
  // Ctrl+W is Program > Write: the window's own Close keeps only Ctrl+F4.
  if (QMenu* menu = systemMenu()) {
    for (QAction* a : menu->actions()) {
      if (a->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W))) a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    }
  }
}

QString CChildFrame::WindowTitle(const QString& title) {
  QString t = title;
  t.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));  // a name's own "[*]" stays as it is
  return t + QStringLiteral("[*]");
}

CChildFrame::~CChildFrame() {
  // The view goes with the frame's children, after the document: it must not
  // outlive the document it shows.
  delete m_view;
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  event->ignore();
  hide();
}

}  // namespace torvan
