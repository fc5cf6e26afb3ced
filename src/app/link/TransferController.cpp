#include "app/link/TransferController.h"

#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/channels/TorvanView.h"
#include "app/link/PortSetting.h"
#include "app/link/ProgressDialog.h"
#include "app/link/ReadBackupKeeper.h"
#include "app/link/TransferHost.h"
#include "app/radio/TorvanDoc.h"
#include "core/link/CloneSession.h"

namespace torvan {

TransferController::TransferController(AppContext& app, QWidget* owner)
    : m_app(app), m_owner(owner), m_simulator(VirtualRadio::ProgramIn(app.programDir)), m_readFirst(app) {}

TransferController::~TransferController() = default;

bool TransferController::Offered() const { return m_dialog && m_dialog->WindowExists(); }

CTorvanView* TransferController::View() const { return Offered() ? m_view.data() : nullptr; }

void TransferController::OfferRead(CTorvanView* view) { Offer(view, CloneDirection::Read); }

void TransferController::OfferWrite(CTorvanView* view) { Offer(view, CloneDirection::Write); }

void TransferController::Offer(CTorvanView* view, CloneDirection direction) {
  if (!Offered() && m_view != view) {
    if (m_view) disconnect(m_view, nullptr, this, nullptr);
    m_view = view;
    // A document window that goes while its transfer is only offered takes
    // the offer with it.
    if (view) connect(view, &QObject::destroyed, this, &TransferController::OnViewDestroyed);
  }
  if (!m_view) return;
  m_direction = direction;
  const bool write = direction == CloneDirection::Write;
  if (write) m_view->OnLeaveCellGrid();
  CProgressDialog& dialog = ProgressDialog();
  dialog.SetHelpTopic(write ? cmd::kWrite : cmd::kRead);
  if (dialog.WindowExists()) return;
  dialog.Create(m_app.Text(write ? Text::WriteData : Text::ReadData));
}

void TransferController::OnViewDestroyed() {
  if (!m_running && m_dialog) m_dialog->DestroyWindow();
}

void TransferController::LoadStoredPort() { m_port = StartupPortName(LoadPortSetting(m_app.AppName())); }

CProgressDialog& TransferController::ProgressDialog() {
  if (!m_dialog) {
    m_dialog = new CProgressDialog(m_app, m_owner);
    m_dialog->addActions(m_transferKeys);
    // Queued: the transfer starts once the click on OK is over.
    connect(m_dialog, &CProgressDialog::startRequested, this, &TransferController::Run, Qt::QueuedConnection);
  }
  return *m_dialog;
}

void TransferController::SetTransferKeys(const QList<QAction*>& keys) {
  m_transferKeys = keys;
  if (m_dialog) m_dialog->addActions(keys);
}

void TransferController::Run() {
  CProgressDialog& dialog = ProgressDialog();
  // The window's document went away before the start (File > New), or a
  // session runs already (a session is not re-entrant).
  if (!m_view || m_running) {
    dialog.DestroyWindow();
    return;
  }
  CTorvanView& view = *m_view;
  TransferHost host(*this, view, dialog, m_app);

  // The virtual radio is started (when chosen) before anything else happens,
  // and a radio that cannot start is reported like a port that cannot open.
  QString device;
  QString error;
  if (!ResolvePortName(m_simulator, m_port, device, error)) {
    host.CommitEdit();
    host.ShowMessage(MessageId::CouldNotOpenPort, error.toStdString());
    host.EndProgress();
    return;
  }

  m_running = true;
  emit runningChanged(true);
  const QString port = m_port;  // COM Setup may choose another meanwhile
  if (m_direction == CloneDirection::Write &&
      !m_readFirst.BeforeWrite(view.GetDocument(), host, dialog, m_owner, device.toStdString(), port)) {
    m_running = false;
    emit runningChanged(false);
    host.EndProgress();
    return;
  }
  CloneSession session(host, view.GetDocument().Image(), device.toStdString());
  const CloneResult result = session.Run();
  m_running = false;
  emit runningChanged(false);
  if (result.ok() && result.direction == CloneDirection::Read) {
    m_readFirst.NoteRead(view.GetDocument());
    KeepBackupOfRead(m_app, m_owner, view.GetDocument().Image(), port);
  }
}

}  // namespace torvan
