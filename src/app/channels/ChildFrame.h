#pragma once
// CChildFrame: the document window (an MDI child). It owns its document and
// holds the document's view. Its close box hides it; only File > New and the
// end of the program destroy it. Its title is the document's name, with "*"
// while the document holds unsaved changes.

#include <QMdiSubWindow>
#include <memory>

namespace torvan {

struct AppContext;
class CTorvanDoc;
class CTorvanView;

class CChildFrame : public QMdiSubWindow {
  Q_OBJECT
 public:
  CChildFrame(std::unique_ptr<CTorvanDoc> doc, AppContext& app, QWidget* parent = nullptr);
  ~CChildFrame() override;

  CTorvanDoc* Document() const { return m_document.get(); }
  CTorvanView* View() const { return m_view; }

  // `title` as a window title with the mark of unsaved changes ("[*]") after
  // it: a window shows it as "*" while it is modified, as nothing otherwise.
  static QString WindowTitle(const QString& title);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<CTorvanDoc> m_document;
  CTorvanView* m_view;
};

}  // namespace torvan
