#pragma once
// CChildFrame: the document window (an MDI child). It owns its document and
// holds the document's view. Its close box hides it; only File > New and the
// end of the program destroy it.

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

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<CTorvanDoc> m_document;
  CTorvanView* m_view;
};

}  // namespace torvan
