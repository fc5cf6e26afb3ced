#include "app/link/ReadFirstOffer.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QMessageBox>
#include <span>

#include "app/base/AppContext.h"
#include "app/link/PortSetting.h"
#include "app/link/ProgressDialog.h"
#include "app/link/ReadBackupKeeper.h"
#include "app/radio/TorvanDoc.h"
#include "core/link/CloneSession.h"

namespace torvan {
namespace {

// The context of this file's texts in the translations.
class ReadFirstOfferTexts {
  Q_DECLARE_TR_FUNCTIONS(ReadFirstOffer)
};

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The transfer's host for the first read: the progress window, Cancel and the
// messages of the write's host; always a read; the document is neither
// encoded nor refreshed, and the window stays open for the write.
class FirstReadHost final : public CloneHost {
 public:
  explicit FirstReadHost(CloneHost& transfer) : m_transfer(transfer) {}

  CloneDirection Direction() const override { return CloneDirection::Read; }
  void SetProgressRange(int maximum) override { m_transfer.SetProgressRange(maximum); }
  void SetProgress(int position) override { m_transfer.SetProgress(position); }
  bool PumpStep() override { return m_transfer.PumpStep(); }
  RetryAnswer AskRetryCancel(std::string_view detail) override { return m_transfer.AskRetryCancel(detail); }
  void ShowMessage(MessageId id, std::string_view detail) override { m_transfer.ShowMessage(id, detail); }

 private:
  CloneHost& m_transfer;
};

void SayNothingWritten(QWidget* owner, const AppContext& app, const QString& why, const QString& detail) {
  QMessageBox box(QMessageBox::Warning, app.messageCaption, why, QMessageBox::Ok, owner);
  box.setInformativeText(detail);
  box.exec();
}

}  // namespace

void ReadFirstOffer::NoteRead(CTorvanDoc& doc) {
  if (!CameFromRead(doc)) m_readDocuments << QPointer<CTorvanDoc>(&doc);
}

bool ReadFirstOffer::CameFromRead(const CTorvanDoc& doc) const {
  for (const QPointer<CTorvanDoc>& d : m_readDocuments) {
    if (d.data() == &doc) return true;
  }
  return false;
}

bool ReadFirstOffer::Ask(QWidget* owner, bool& readFirst) const {
  QMessageBox box(QMessageBox::Question, m_app.messageCaption,
                  ReadFirstOfferTexts::tr("This document was not read from a radio since the program started. "
                                          "Writing it replaces the radio's current memory."),
                  QMessageBox::Ok | QMessageBox::Cancel, owner);
  box.setDefaultButton(QMessageBox::Ok);
  auto* check = new QCheckBox(ReadFirstOfferTexts::tr("Read and keep the radio's current memory first"), &box);
  check->setChecked(LoadSwitch(m_app.AppName(), kReadFirstSwitch));
  box.setCheckBox(check);
  if (box.exec() != QMessageBox::Ok) return false;
  readFirst = check->isChecked();
  SaveSwitch(m_app.AppName(), kReadFirstSwitch, readFirst);
  return true;
}

bool ReadFirstOffer::BeforeWrite(const CTorvanDoc& doc, CloneHost& host, CProgressDialog& dialog, QWidget* owner,
                                 const std::string& device, const QString& port) {
  if (CameFromRead(doc)) return true;
  bool readFirst = true;
  if (!Ask(owner, readFirst)) return false;
  if (!readFirst) return true;

  const QString writeTitle = dialog.windowTitle();
  dialog.setWindowTitle(m_app.Text(Text::ReadData));
  FirstReadHost firstRead(host);
  RadioImage memory;
  CloneSession session(firstRead, memory, device);
  const CloneResult result = session.Run();
  dialog.setWindowTitle(writeTitle);
  if (result.outcome == CloneOutcome::Cancelled) return false;
  if (!result.ok()) {
    SayNothingWritten(owner, m_app,
                      ReadFirstOfferTexts::tr("The radio's current memory could not be read first, so nothing was "
                                              "written to the radio."),
                      FromUtf8(result.detail));
    return false;
  }
  const KeptBackup kept = KeepReadBackup(std::span<const std::uint8_t>(memory.data(), kImageSize), BackupPortName(port));
  if (!kept.ok()) {
    SayNothingWritten(owner, m_app,
                      ReadFirstOfferTexts::tr("The radio's current memory was read but could not be kept, so nothing "
                                              "was written to the radio."),
                      FromUtf8(kept.warning));
    return false;
  }
  return true;
}

}  // namespace torvan
