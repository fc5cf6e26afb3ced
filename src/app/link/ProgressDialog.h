#pragma once
// CProgressDialog: the modeless window of a transfer with the radio. Program >
// Read or Write offers it; its title and a line of text say which direction
// OK runs; its OK asks for the transfer to start (startRequested); the
// session moves its bar and counter and closes it when it ends. Cancel before OK closes it and nothing is sent; Cancel during the
// transfer is remembered (CancelRequested), and the session sees it at its
// next pump step.
//
// The transfer controller makes one dialog and keeps it; the window exists
// (is shown) only while a transfer is offered or running.

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

namespace torvan {

struct AppContext;

class CProgressDialog : public QDialog {
  Q_OBJECT
 public:
  // `owner` is the main window: the dialog shows centred over it and gives
  // the keyboard back to it when it closes.
  CProgressDialog(const AppContext& app, QWidget* owner);

  // Shows the window centred over its owner with a fresh state (bar and
  // counter at 0, OK enabled, no cancel), `title` and `text`.
  void Create(const QString& title, const QString& text);
  // The title and the line of text, while the window is shown.
  void SetTexts(const QString& title, const QString& text);
  // OK asked for a start that did not happen (the user kept the document):
  // the transfer is offered again as it was.
  void Reoffer();
  // True while a transfer is offered or running.
  bool WindowExists() const { return isVisible(); }
  // Closes the window; the object stays for the next transfer.
  void DestroyWindow();

  // The session's view of the dialog: the bar and the counter follow the
  // position.
  void SetRange(int maximum);
  void SetPosition(int position);
  // True once Cancel (or Escape, or the close box) was pressed since Create.
  bool CancelRequested() const { return m_cancelRequested; }
  // The help topic F1 opens: the command that offered the transfer.
  void SetHelpTopic(int context) { m_helpTopic = context; }

  QPushButton* OkButton() const { return m_ok; }
  QPushButton* CancelButton() const { return m_cancel; }
  QLabel* Counter() const { return m_counter; }
  QLabel* Text() const { return m_text; }
  QProgressBar* Bar() const { return m_progress; }

 signals:
  // OK (or Enter) while the transfer is offered: it is to start. Once per
  // showing; OK is disabled from then on.
  void startRequested();

 public slots:
  // OK and Enter: start the transfer.
  void accept() override { OnOK(); }
  // Cancel, Escape and the close box.
  void reject() override { OnCancel(); }

 private:
  void OnOK();
  void OnCancel();

  QProgressBar* m_progress;
  QPushButton* m_ok;
  QPushButton* m_cancel;
  QLabel* m_counter;
  QLabel* m_text;
  bool m_cancelRequested = false;
  int m_helpTopic = 0;
};

}  // namespace torvan
