// The view's transfer commands: Program > Read and Write offer the progress
// dialog, its OK runs one clone session (OnCloneStart), Setup > Com Setup
// chooses the port.

#include <QMessageBox>
#include <QPointer>

#include "app/channels/TorvanView.h"
#include "core/link/CloneSession.h"
#include "app/link/TransferHost.h"
#include "app/link/VirtualRadio.h"
#include "app/radio/TorvanDoc.h"
#include "app/base/AppContext.h"

namespace torvan {
namespace {

QString TitleText(Text t) {
  const std::string_view s = TextFor(t, HasApp() ? App().language : DisplayLanguage::English);
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// One session at a time in the whole program: there is one radio cable, and a
// session is not re-entrant.
bool g_sessionRunning = false;

}  // namespace

void CTorvanView::OnRead() {
  m_bWrite = 0;
  CProgressDialog& dialog = ProgressDialog();
  dialog.m_strTitle = TitleText(Text::ReadData);
  if (dialog.WindowExists()) return;
  dialog.Create();
}

void CTorvanView::OnWrite() {
  m_bWrite = 1;
  OnLeaveCellGrid();
  CProgressDialog& dialog = ProgressDialog();
  dialog.m_strTitle = TitleText(Text::WriteData);
  if (dialog.WindowExists()) return;
  dialog.Create();
}

void CTorvanView::OnCloneStart() {
  CProgressDialog& dialog = ProgressDialog();
  if (g_sessionRunning || !m_pDocument) {
    dialog.DestroyWindow();
    return;
  }
  TransferHost host(*this, dialog);

  // The virtual radio is started (when chosen) before anything else happens,
  // and a radio that cannot start is reported like a port that cannot open.
  QString device;
  QString error;
  if (!ResolvePortName(HasApp() ? App().g_strComPort : QStringLiteral("COM1"), device, error)) {
    host.CommitEdit();
    host.ShowMessage(MessageId::CouldNotOpenPort, error.toStdString());
    host.EndProgress();
    return;
  }

  g_sessionRunning = true;
  m_bTransferRunning = true;
  emit transferRunningChanged(true);
  CloneSession session(host, m_pDocument->Image(), device.toStdString());
  session.Run();  // every end was shown to the user by the host
  m_bTransferRunning = false;
  g_sessionRunning = false;
  emit transferRunningChanged(false);
}

void CTorvanView::OnComSetup() { ComSetupDialog().exec(); }

}  // namespace torvan
