#pragma once
// TransferHost: what a clone session run from a document window needs — the
// view's direction flag, its editor commit, encode and decode; the progress
// dialog's bar, counter and cancel flag; the event loop for the pump steps;
// and the message boxes of the transfer.

#include "core/link/CloneHost.h"

class QWidget;

namespace torvan {

class CProgressDialog;
class CTorvanView;

class TransferHost final : public CloneHost {
 public:
  TransferHost(CTorvanView& view, CProgressDialog& dialog);

  CloneDirection Direction() const override;
  void CommitEdit() override;
  void EncodeImage(RadioImage& image) override;
  void DecodeImage(const RadioImage& image) override;
  void SetProgressRange(int maximum) override;
  void SetProgress(int position) override;
  bool PumpStep() override;
  RetryAnswer AskRetryCancel(std::string_view detail) override;
  void ShowMessage(MessageId id, std::string_view detail) override;
  void EndProgress() override;

 private:
  // The owner of the transfer's message boxes: the main window.
  QWidget* MessageOwner() const;

  CTorvanView& m_view;
  CProgressDialog& m_dialog;
};

}  // namespace torvan
