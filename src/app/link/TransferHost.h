#pragma once
// TransferHost: what a clone session run from a document window needs: the
// controller's direction; the view's editor commit, encode and decode (a
// complete read is one step of the document's undo history); the progress
// window's bar, counter and cancel; the event loop for the pump steps; and
// the message boxes of the transfer.

#include "core/link/CloneHost.h"
#include "core/radio/RadioImage.h"

class QWidget;

namespace torvan {

struct AppContext;
class CProgressDialog;
class CTorvanView;
class TransferController;

class TransferHost final : public CloneHost {
 public:
  // `imageBefore` is the document's image as the session starts: what an
  // undo of the read puts back.
  TransferHost(const TransferController& controller, CTorvanView& view, CProgressDialog& dialog,
               const AppContext& app, const RadioImage& imageBefore);

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

  const TransferController& m_controller;
  CTorvanView& m_view;
  CProgressDialog& m_dialog;
  const AppContext& m_app;
  RadioImage m_imageBefore;
};

}  // namespace torvan
