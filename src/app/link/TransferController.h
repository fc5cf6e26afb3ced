#pragma once
// TransferController: the one owner of transfers with the radio. There is one
// cable, so the main window has one controller and there is at most one
// transfer at a time:
//   - Program > Read or Write offers the progress window for a document
//     window; while it is offered, Read and Write change only the direction
//     of that transfer, and the window's title and text always name the
//     direction OK runs; once the session runs its direction stays;
//   - the window's OK runs one clone session on that document's image, on the
//     port of the next transfer (a device, or the virtual radio, which the
//     controller starts when it is chosen and keeps for the program's run).
//     A read over a document with unsaved changes asks first (SetBeforeRead);
//     a write of an image that is no radio memory is refused before the port
//     opens;
//   - runningChanged tells when a session starts and ends: meanwhile the
//     session holds the document's image and the port, and runs the event
//     loop between blocks;
//   - transferEnded says how it ended, for the status bar; a write that
//     stopped after blocks went out warns that the radio's memory is
//     incomplete.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

#include "app/link/ReadFirstOffer.h"
#include "app/link/VirtualRadio.h"
#include "core/link/CloneHost.h"
#include "core/link/CloneSession.h"

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
  // Asked when OK starts a read into the document of `view`: false keeps the
  // document as it is, and the transfer stays offered.
  void SetBeforeRead(std::function<bool(CTorvanView& view)> ask) { m_beforeRead = std::move(ask); }

 signals:
  // A clone session starts (true) or has ended (false).
  void runningChanged(bool running);
  // A transfer ended (completed, cancelled, failed or refused); `message`
  // says so in a line for the status bar ("Read complete: 200 channels,
  // 19.4 s").
  void transferEnded(const QString& message);

 private:
  void Offer(CTorvanView* view, CloneDirection direction);
  // The progress window's OK: one clone session.
  void Run();
  void OnViewDestroyed();
  // The title and text of the progress window for the direction it runs.
  void ShowDirection();
  // A write is refused before the port opens when its image is no radio
  // memory (a file of another size, band bytes that are no band).
  bool MayWrite(CTorvanView& view);
  // How the session ended, in the status bar (and a warning for a write that
  // left the radio incomplete).
  void Report(const CloneResult& result, double seconds, const CTorvanView& view);

  AppContext& m_app;
  QWidget* m_owner;
  VirtualRadio m_simulator;
  ReadFirstOffer m_readFirst;  // before a write of a document not read from a radio
  QPointer<CProgressDialog> m_dialog;
  QPointer<CTorvanView> m_view;
  QList<QAction*> m_transferKeys;
  std::function<bool(CTorvanView&)> m_beforeRead;
  QString m_port = QStringLiteral("COM1");
  CloneDirection m_direction = CloneDirection::Read;
  bool m_running = false;
};

}  // namespace torvan
