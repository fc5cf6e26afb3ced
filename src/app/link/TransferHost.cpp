#include "app/link/TransferHost.h"

#include <QApplication>
#include <QMessageBox>

#include "app/channels/TorvanView.h"
#include "app/link/ProgressDialog.h"
#include "core/radio/ChannelCodec.h"
#include "app/radio/TorvanDoc.h"
#include "app/base/AppContext.h"

namespace torvan {
namespace {

QString FromView(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

TransferHost::TransferHost(CTorvanView& view, CProgressDialog& dialog) : m_view(view), m_dialog(dialog) {}

CloneDirection TransferHost::Direction() const {
  return m_view.WriteDirection() ? CloneDirection::Write : CloneDirection::Read;
}

void TransferHost::CommitEdit() { m_view.OnLeaveCellGrid(); }

void TransferHost::EncodeImage(RadioImage& image) {
  CTorvanDoc* doc = m_view.GetDocument();
  if (doc && &image == &doc->Image()) {
    m_view.EncodeImage();
    return;
  }
  // Not the document's image: encode the grid into it all the same.
  m_view.OnLeaveCellGrid();
  torvan::EncodeImage(m_view.Grid(), HasApp() ? App().band : BandLimits::Decode(image), image);
}

void TransferHost::DecodeImage(const RadioImage&) {
  // The session has put the radio's memory into the document's image.
  m_view.DecodeImage();
}

void TransferHost::SetProgressRange(int maximum) { m_dialog.SetRange(maximum); }

void TransferHost::SetProgress(int position) { m_dialog.SetPosition(position); }

bool TransferHost::PumpStep() {
  // Lets the dialog repaint and its Cancel (and the rest of the program) work.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  return m_dialog.m_bCancel != 0;
}

QWidget* TransferHost::MessageOwner() const { return m_view.window(); }

RetryAnswer TransferHost::AskRetryCancel(std::string_view detail) {
  const QString caption = HasApp() ? App().messageCaption : QString();
  const QString text = HasApp() ? App().Message(MessageId::CommunicationError)
                                : FromView(MessageText(MessageId::CommunicationError, DisplayLanguage::English));
  QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Retry | QMessageBox::Cancel, MessageOwner());
  box.setDefaultButton(QMessageBox::Retry);
  box.setInformativeText(FromView(detail));
  return box.exec() == QMessageBox::Retry ? RetryAnswer::Retry : RetryAnswer::Cancel;
}

void TransferHost::ShowMessage(MessageId id, std::string_view detail) {
  const QString caption = HasApp() ? App().messageCaption : QString();
  const QString text = HasApp() ? App().Message(id) : FromView(MessageText(id, DisplayLanguage::English));
  QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, MessageOwner());
  box.setInformativeText(FromView(detail));
  box.exec();
}

void TransferHost::EndProgress() { m_dialog.DestroyWindow(); }

}  // namespace torvan
