#pragma once
// CloneSession: moves the whole radio image between a document and the radio
// over a serial port, in one direction per run.
//
// On the wire (ACK = 0x06 in both directions):
//   handshake  program: 02 'P' 'R' 'O' 'G' 'R' 'A'   radio: ACK
//              program: 'M' 02                       radio: 8 identification bytes
//              program: ACK                          radio: ACK
//   read       program: 'R' addrHi addrLo 08         radio: 'W' addrHi addrLo 08 + 8 data bytes
//              program: ACK                          radio: ACK        (1024 blocks)
//   write      program: 'W' addrHi addrLo 08, 8 data radio: ACK        (1022 blocks)
//              program: 'W' 1F F0 03, 3 data         radio: ACK        (bytes 0x1FF3.. never sent)
//
// The radio answers a read in the form of a write request for the same
// block. A reply with another letter, address or size is a failed block: a
// radio or a line that answers with some other block's bytes, or with a
// stream of ACKs, must not end in an image that looks read.
//
// Between blocks the session hands control to its host (pump steps), which
// is how the progress dialog repaints and its Cancel works.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "core/link/CloneHost.h"
#include "core/link/SerialPort.h"
#include "core/link/WireTrace.h"
#include "core/radio/MessageTexts.h"
#include "core/radio/RadioImage.h"

namespace torvan {

namespace clone {
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kWakeUp[] = {kStx, 'P', 'R', 'O', 'G', 'R', 'A'};
inline constexpr std::uint8_t kModeLetter = 'M';
inline constexpr std::uint8_t kModeArgument = 0x02;
inline constexpr std::uint8_t kReadCommand = 'R';
inline constexpr std::uint8_t kWriteCommand = 'W';
inline constexpr std::size_t kCommandSize = 4;          // letter, address high, address low, length
inline constexpr std::size_t kIdentificationSize = 8;
inline constexpr std::uint8_t kReadReplyLetter = kWriteCommand;
inline constexpr std::size_t kReadReplyHeaderSize = 4;  // letter, address high, address low, length
inline constexpr std::size_t kReadReplySize = kReadReplyHeaderSize + map::kBlockSize;

inline constexpr int kWriteProgressMaximum = 511;
inline constexpr int kReadProgressMaximum = 512;
inline constexpr int kPumpStepsPerBlock = 9;

// The serial settings of every session.
inline constexpr PortBufferSizes kBufferSizes{1024, 512};
inline constexpr PortTimeouts kTimeouts{std::chrono::milliseconds(30), std::chrono::milliseconds(500),
                                        std::chrono::milliseconds(90), std::chrono::milliseconds(50),
                                        std::chrono::milliseconds(50)};
inline constexpr LineSettings kLineSettings{9600, 8, Parity::None, 1};
}  // namespace clone

enum class CloneOutcome {
  Completed,       // every block acknowledged (a read has replaced the image)
  Cancelled,       // the host's cancel flag at a pump step; no message
  PortOpenFailed,  // CouldNotOpenPort shown
  Interrupted,     // ProgramInterrupt shown: a block or the final handshake ACK failed
  RetryCancelled,  // CommunicationError answered with Cancel
};

struct CloneResult {
  CloneOutcome outcome = CloneOutcome::Completed;
  // The message the user was shown for this end (none on success or cancel).
  std::optional<MessageId> message;
  // What failed and where, starting with the port: "/dev/ttyUSB0: no ACK
  // after write of block 0x0C80 (received 0x15)". Empty on success.
  std::string detail;
  // The direction of the block loop that ran (or would have run).
  CloneDirection direction = CloneDirection::Read;
  // A write: the blocks whose data went out on the wire (1023 when
  // complete); 0 means the radio's memory was not touched.
  int blocksSent = 0;
  // A write: the address of the last block whose data went out.
  std::uint16_t lastBlockSent = 0;

  bool ok() const { return outcome == CloneOutcome::Completed; }
};

using PortFactory = std::function<std::unique_ptr<SerialPort>()>;

class CloneSession {
 public:
  // `image` is the document's image: a write sends it (after the host's
  // encode), a read replaces it, but only once the last block has been
  // acknowledged. `openPort` makes the port (the system's by default).
  CloneSession(CloneHost& host, RadioImage& image, std::string portName, PortFactory openPort = {});

  // Optional: every byte on the wire goes to `trace` (not owned; may be null).
  void SetTrace(WireTrace* trace) { trace_ = trace; }

  // Runs one whole session, from opening the port to closing it. The port is
  // closed and the host's EndProgress called at every end. Not re-entrant:
  // the host must not start another session from a pump step.
  CloneResult Run();

  bool Running() const { return running_; }

 private:
  std::optional<CloneResult> Handshake();
  CloneResult WriteBlocks();
  CloneResult ReadBlocks();

  // Wire helpers: trace every byte; the port's own results feed the details.
  void Send(std::span<const std::uint8_t> bytes);
  PortReadResult Receive(std::span<std::uint8_t> buffer);
  void ClearBuffers();
  void PurgeBuffers();
  void Pause(int milliseconds);
  bool PumpSteps(int count);  // true: cancelled
  void StepProgress(std::uint16_t address);

  CloneResult End(CloneOutcome outcome, std::optional<MessageId> message, std::string detail);
  CloneResult Cancelled();
  CloneResult Interrupted(std::string what);
  std::string Describe(const PortReadResult& r, std::span<const std::uint8_t> bytes) const;
  std::string WithPort(const std::string& what) const;

  CloneHost& host_;
  RadioImage& image_;
  std::string portName_;
  PortFactory openPort_;
  WireTrace* trace_ = nullptr;

  std::unique_ptr<SerialPort> port_;
  CloneDirection direction_ = CloneDirection::Read;
  int position_ = 0;
  int blocksSent_ = 0;
  std::uint16_t lastBlockSent_ = 0;
  std::string portTrouble_;  // the last failed write/clear, for the detail of the failure that follows
  bool running_ = false;
};

}  // namespace torvan
