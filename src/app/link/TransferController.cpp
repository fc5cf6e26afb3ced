#include "app/link/TransferController.h"

#include <QElapsedTimer>
#include <QMessageBox>

#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/channels/TorvanView.h"
#include "app/link/PortSetting.h"
#include "app/link/ProgressDialog.h"
#include "app/link/ReadBackupKeeper.h"
#include "app/link/TransferHost.h"
#include "app/radio/TorvanDoc.h"
#include "core/link/CloneSession.h"
#include "core/radio/MemoryMap.h"
#include "core/radio/RadioWriteCheck.h"

namespace torvan {
namespace {

// The blocks of a whole write: 0x0000-0x1FEF in blocks of 8, then the final one.
constexpr int kBlocksOfAWrite = static_cast<int>(map::kWriteBlocksEnd / map::kBlockSize) + 1;
constexpr double kMillisecondsPerSecond = 1000.0;

int UsedChannels(const CMSFlexGrid& grid) {
  int used = 0;
  for (int row = 1; row < kGridRows; ++row) used += grid.TextMatrix(row, kColRxFrequency).empty() ? 0 : 1;
  return used;
}

}  // namespace

TransferController::TransferController(AppContext& app, QWidget* owner)
    : m_app(app), m_owner(owner), m_simulator(VirtualRadio::ProgramIn(app.programDir)), m_readFirst(app) {}

TransferController::~TransferController() = default;

bool TransferController::Offered() const { return m_dialog && m_dialog->WindowExists(); }

CTorvanView* TransferController::View() const { return Offered() ? m_view.data() : nullptr; }

void TransferController::OfferRead(CTorvanView* view) { Offer(view, CloneDirection::Read); }

void TransferController::OfferWrite(CTorvanView* view) { Offer(view, CloneDirection::Write); }

void TransferController::Offer(CTorvanView* view, CloneDirection direction) {
  if (m_running) {
    // The session keeps the direction it started with: its window comes to
    // the front instead.
    ProgressDialog().raise();
    ProgressDialog().activateWindow();
    return;
  }
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
  if (dialog.WindowExists()) {
    ShowDirection();  // the window offered names what OK now does
    return;
  }
  dialog.Create(QString(), QString());
  ShowDirection();
}

void TransferController::ShowDirection() {
  const bool write = m_direction == CloneDirection::Write;
  QString text;
  if (m_running) {
    text = write ? tr("Writing this document into the radio...") : tr("Reading the radio's memory...");
  } else {
    text = write ? tr("OK writes this document into the radio.") : tr("OK reads the radio's memory into this document.");
  }
  ProgressDialog().SetTexts(m_app.Text(write ? Text::WriteData : Text::ReadData), text);
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

bool TransferController::MayWrite(CTorvanView& view) {
  // What the session would send: the grid encoded into the image.
  RadioImage outgoing = view.GetDocument().Image();
  view.EncodeImage(outgoing);
  const std::optional<DatLoad>& from = view.GetDocument().LoadedFrom();
  const Status fit = from ? CheckImageForRadio(outgoing, *from, BandCheck::Required)
                          : CheckImageForRadio(outgoing, BandCheck::Required);
  if (fit.ok()) return true;
  QMessageBox box(QMessageBox::Warning, m_app.messageCaption,
                  tr("This document is not a radio memory and is not written to the radio."), QMessageBox::Ok,
                  m_owner);
  box.setInformativeText(QString::fromStdString(fit.error()));
  box.exec();
  return false;
}

void TransferController::Run() {
  CProgressDialog& dialog = ProgressDialog();
  // The window's document went away before the start (File > New), or a
  // session runs already (a session is not re-entrant).
  if (!m_view || m_running) {
    dialog.DestroyWindow();
    return;
  }
  const bool write = m_direction == CloneDirection::Write;
  if (write && !MayWrite(*m_view)) {
    dialog.DestroyWindow();
    emit transferEnded(tr("Write refused: the radio was not changed."));
    return;
  }
  if (!write && m_beforeRead && !m_beforeRead(*m_view)) {
    if (m_view) dialog.Reoffer();  // the document stays as it was, and so does the offer
    return;
  }
  if (!m_view) {  // gone while the question was up
    dialog.DestroyWindow();
    return;
  }
  CTorvanView& view = *m_view;
  CTorvanDoc& doc = view.GetDocument();
  TransferHost host(*this, view, dialog, m_app, doc.Image());

  // The virtual radio is started (when chosen) before anything else happens,
  // and a radio that cannot start is reported like a port that cannot open.
  QString device;
  QString error;
  if (!ResolvePortName(m_simulator, m_port, device, error)) {
    host.CommitEdit();
    host.ShowMessage(MessageId::CouldNotOpenPort, error.toStdString());
    host.EndProgress();
    CloneResult notOpened;
    notOpened.outcome = CloneOutcome::PortOpenFailed;
    notOpened.direction = m_direction;
    Report(notOpened, 0, view);
    return;
  }

  m_running = true;
  doc.SetInTransfer(true);
  ShowDirection();
  emit runningChanged(true);
  const QString port = m_port;  // COM Setup may choose another meanwhile
  if (m_direction == CloneDirection::Write &&
      !m_readFirst.BeforeWrite(doc, host, dialog, m_owner, device.toStdString(), port)) {
    doc.SetInTransfer(false);
    m_running = false;
    emit runningChanged(false);
    host.EndProgress();
    return;
  }
  QElapsedTimer clock;
  clock.start();
  CloneSession session(host, doc.Image(), device.toStdString());
  const CloneResult result = session.Run();
  const double seconds = static_cast<double>(clock.elapsed()) / kMillisecondsPerSecond;
  doc.SetInTransfer(false);
  m_running = false;
  emit runningChanged(false);
  if (result.ok() && result.direction == CloneDirection::Read) {
    m_readFirst.NoteRead(doc);
    KeepBackupOfRead(m_app, m_owner, doc.Image(), port);
  }
  Report(result, seconds, view);
}

void TransferController::Report(const CloneResult& result, double seconds, const CTorvanView& view) {
  const bool write = result.direction == CloneDirection::Write;
  if (result.ok()) {
    const QString done = write ? tr("Write complete: %1 channels, %2 s") : tr("Read complete: %1 channels, %2 s");
    emit transferEnded(done.arg(UsedChannels(view.Grid())).arg(seconds, 0, 'f', 1));
    return;
  }
  if (write && result.blocksSent > 0) {
    // Part of the radio's memory is new and part old: the radio must not be
    // used like that, and nothing else would tell the user.
    QMessageBox box(QMessageBox::Warning, m_app.messageCaption,
                    tr("The write stopped before its end: the radio now holds an incomplete memory, part new and "
                       "part old. Write the radio again before using it."),
                    QMessageBox::Ok, m_owner);
    box.setInformativeText(tr("%1 of %2 blocks were written.").arg(result.blocksSent).arg(kBlocksOfAWrite));
    box.exec();
    if (m_owner) m_owner->activateWindow();  // the keyboard goes back to the main window
    emit transferEnded(tr("Write stopped: the radio holds an incomplete memory. Write it again."));
    return;
  }
  const bool cancelled = result.outcome == CloneOutcome::Cancelled;
  if (write) {
    emit transferEnded(cancelled ? tr("Write cancelled: the radio was not changed.")
                                 : tr("Write failed: the radio was not changed."));
  } else {
    emit transferEnded(cancelled ? tr("Read cancelled: the document was not changed.")
                                 : tr("Read failed: the document was not changed."));
  }
}

}  // namespace torvan
