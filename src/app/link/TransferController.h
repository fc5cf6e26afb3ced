#pragma once
// TransferController: the one owner of transfers with the radio. There is one
// cable, so the main window has one controller and there is at most one
// transfer at a time:
//   - Program > Read or Write offers the progress window for a document
//     window; while it is offered or its session runs, Read and Write change
//     only the direction of that transfer;
//   - the window's OK runs one clone session on that document's image, on the
//     port of the next transfer (a device, or the virtual radio, which the
//     controller starts when it is chosen and keeps for the program's run);
//   - runningChanged tells when a session starts and ends: meanwhile the
//     session holds the document's image and the port, and runs the event
//     loop between blocks.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include "app/link/ReadFirstOffer.h"
#include "app/link/VirtualRadio.h"
#include "core/link/CloneHost.h"

class QAction;
class QWidget;

namespace torvan {

struct AppContext;
class CProgressDialog;
class CTorvanView;

class TransferController : public QObject {
  Q_OBJECT
 public:
  // `owner` is the main window, which owns the controller: the progress
  // window shows over it.
  TransferController(AppContext& app, QWidget* owner);
  ~TransferController() override;

  // Program > Read and Write for the document window of `view` (the offered
  // transfer's window instead while one is offered or running). Write first
  // commits the cell being typed in that window.
  void OfferRead(CTorvanView* view);
  void OfferWrite(CTorvanView* view);

  CloneDirection Direction() const { return m_direction; }
  // True while the progress window is offered or its transfer runs.
  bool Offered() const;
  // True while a clone session runs.
  bool Running() const { return m_running; }
  // The document window the offered or running transfer is for, else nullptr.
  CTorvanView* View() const;

  // The port of the next transfer: a device name, or kVirtualRadioPort.
  QString Port() const { return m_port; }
  void SetPort(const QString& port) { m_port = port; }
  // Sets the port of the next transfer from the stored choice (every new
  // document window starts from it).
  void LoadStoredPort();
  // The virtual radio of this run of the program (not started until chosen).
  VirtualRadio& Simulator() { return m_simulator; }

  // The progress window, made on first use and kept.
  CProgressDialog& ProgressDialog();
  // Keys that also act while the progress window has the keyboard.
  void SetTransferKeys(const QList<QAction*>& keys);

 signals:
  // A clone session starts (true) or has ended (false).
  void runningChanged(bool running);

 private:
  void Offer(CTorvanView* view, CloneDirection direction);
  // The progress window's OK: one clone session.
  void Run();
  void OnViewDestroyed();

  AppContext& m_app;
  QWidget* m_owner;
  VirtualRadio m_simulator;
  ReadFirstOffer m_readFirst;  // before a write of a document not read from a radio
  QPointer<CProgressDialog> m_dialog;
  QPointer<CTorvanView> m_view;
  QList<QAction*> m_transferKeys;
  QString m_port = QStringLiteral("COM1");
  CloneDirection m_direction = CloneDirection::Read;
  bool m_running = false;
};

}  // namespace torvan
