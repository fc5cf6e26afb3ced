#pragma once
// CloneHost: everything a clone session needs from its surroundings. The
// desktop program answers with its view, progress dialog and message boxes;
// the command line with a text progress bar and a retry count; the tests with
// a script.

#include <string_view>

#include "core/radio/MessageTexts.h"
#include "core/radio/RadioImage.h"

namespace torvan {

enum class CloneDirection { Read, Write };  // from the radio / to the radio
enum class RetryAnswer { Retry, Cancel };

class CloneHost {
 public:
  virtual ~CloneHost() = default;

  // The direction the user asked for, with the Read or Write command. The
  // session asks at the start and again after the handshake: the user may
  // have chosen the other command meanwhile.
  virtual CloneDirection Direction() const = 0;

  // Commits an open cell editor. Called first, in both directions.
  virtual void CommitEdit() {}
  // Fills `image` from the grid before a write (the channel codec's encode).
  virtual void EncodeImage(RadioImage& image) { (void)image; }
  // Refreshes the grid from `image` after a complete read (the codec's decode).
  virtual void DecodeImage(const RadioImage& image) { (void)image; }

  // The progress bar runs 0..maximum: 511 for a write, 512 for a read.
  virtual void SetProgressRange(int maximum) = 0;
  // The bar's new position after one step; the counter shows it as "%d".
  virtual void SetProgress(int position) = 0;

  // One pump step: handle at most one pending user-interface event, then
  // return the cancel flag (true: the user pressed Cancel).
  virtual bool PumpStep() = 0;

  // The CommunicationError message with Retry and Cancel. `detail` names the port and what
  // failed, for a details line or a log; the message itself comes first.
  virtual RetryAnswer AskRetryCancel(std::string_view detail) = 0;

  // The CouldNotOpenPort or ProgramInterrupt message with OK, and the detail
  // as above.
  virtual void ShowMessage(MessageId id, std::string_view detail) = 0;

  // The session has ended (every end, after the port was closed): close the
  // progress dialog.
  virtual void EndProgress() {}
};

}  // namespace torvan
