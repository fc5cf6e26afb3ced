#pragma once
// CProgressDialog: the modeless window of a transfer with the radio. Program >
// Read or Write offers it; its OK starts the transfer (a queued call of the
// view's OnCloneStart, which runs the clone session); the session moves its
// bar and counter and closes it when it ends. Cancel before OK closes it and
// nothing is sent; Cancel during the transfer sets m_bCancel, which the session
// sees at its next pump step.
//
// The view creates one dialog object and keeps it; the window exists (is
// shown) only while a transfer is offered or running.

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

namespace torvan {

class CTorvanView;

class CProgressDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CProgressDialog(CTorvanView* view);

  // Shows the window centred over its owner with a fresh state (OnInitDialog).
  void Create();
  // True while a transfer is offered or running.
  bool WindowExists() const { return isVisible(); }
  // Closes the window; the object stays for the next transfer.
  void DestroyWindow();

  // The session's view of the dialog: the bar and the counter follow the
  // position.
  void SetRange(int maximum);
  void SetPosition(int position);

  QPushButton* OkButton() const { return m_ok; }
  QPushButton* CancelButton() const { return m_cancel; }
  QLabel* Counter() const { return m_counter; }

  int m_bCancel = 0;         // 1 once the user pressed Cancel
  CTorvanView* m_pView;      // receives the start of the transfer
  QString m_strTitle;        // the window title for the next Create
  QProgressBar* m_progress;

 public slots:
  // OK and Enter: start the transfer.
  void accept() override { OnOK(); }
  // Cancel, Escape and the close box.
  void reject() override { OnCancel(); }

 private:
  void OnInitDialog();
  void OnOK();
  void OnCancel();

  QPushButton* m_ok;
  QPushButton* m_cancel;
  QLabel* m_counter;
};

}  // namespace torvan
