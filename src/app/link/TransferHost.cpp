#include "app/link/TransferHost.h"

#include <QApplication>
#include <QMessageBox>

#include "app/base/AppContext.h"
#include "app/channels/TorvanView.h"
#include "app/link/ProgressDialog.h"
#include "app/link/TransferController.h"

namespace torvan {
namespace {

QString FromView(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

TransferHost::TransferHost(const TransferController& controller, CTorvanView& view, CProgressDialog& dialog,
                           const AppContext& app, const RadioImage& imageBefore)
    : m_controller(controller), m_view(view), m_dialog(dialog), m_app(app), m_imageBefore(imageBefore) {}

CloneDirection TransferHost::Direction() const { return m_controller.Direction(); }

void TransferHost::CommitEdit() { m_view.OnLeaveCellGrid(); }

void TransferHost::EncodeImage(RadioImage& image) { m_view.EncodeImage(image); }

void TransferHost::DecodeImage(const RadioImage&) {
  // The session has put the radio's memory into the document's image; the
  // grid, the band and the caption follow. One step: undo puts back the
  // document as it was before the read.
  DocumentState before = m_view.CaptureState(StepParts::Everything());
  before.image = m_imageBefore;
  m_view.DecodeImage();
  m_view.PushStep(QCoreApplication::translate("torvan::TransferHost", "Read from the radio"), std::move(before),
                  m_view.CaptureState(StepParts::Everything()));
}

void TransferHost::SetProgressRange(int maximum) { m_dialog.SetRange(maximum); }

void TransferHost::SetProgress(int position) { m_dialog.SetPosition(position); }

bool TransferHost::PumpStep() {
  // Lets the dialog repaint and its Cancel (and the rest of the program) work.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  return m_dialog.CancelRequested();
}

QWidget* TransferHost::MessageOwner() const { return m_view.window(); }

RetryAnswer TransferHost::AskRetryCancel(std::string_view detail) {
  QMessageBox box(QMessageBox::Warning, m_app.messageCaption, m_app.Message(MessageId::CommunicationError),
                  QMessageBox::Retry | QMessageBox::Cancel, MessageOwner());
  box.setDefaultButton(QMessageBox::Retry);
  box.setInformativeText(FromView(detail));
  return box.exec() == QMessageBox::Retry ? RetryAnswer::Retry : RetryAnswer::Cancel;
}

void TransferHost::ShowMessage(MessageId id, std::string_view detail) {
  QMessageBox box(QMessageBox::Warning, m_app.messageCaption, m_app.Message(id), QMessageBox::Ok, MessageOwner());
  box.setInformativeText(FromView(detail));
  box.exec();
}

void TransferHost::EndProgress() { m_dialog.DestroyWindow(); }

}  // namespace torvan
