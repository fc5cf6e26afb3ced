#pragma once
// RadioEmulator: the radio's side of the clone protocol, byte in, answer out.
// The virtual radio (torvan-radio-sim) runs it on a pseudo-terminal and the
// tests run it behind a scripted port. It knows nothing of time: the caller
// decides when an answer goes out (turnaround, baud pacing).

#include <bitset>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/files/Status.h"
#include "core/radio/RadioImage.h"

namespace torvan {

// Faults the virtual radio can show, to try the program's error paths.
struct RadioFaults {
  bool strayByte = false;   // one extra byte before the wake-up ACK
  bool silent = false;      // never answers
  bool shortId = false;     // 4 identification bytes instead of 8
  bool noFinalAck = false;  // no ACK after the identification exchange
  bool ackOnly = false;     // every byte it sends is an ACK (a line stuck sending 0x06)
  std::optional<std::uint16_t> nakBlock;    // answers the block at this address with 0x15
  std::optional<std::uint16_t> shortReply;  // only 6 bytes of the read reply at this address
  std::optional<std::uint16_t> hangupAt;    // hangs up when this block is requested
  std::optional<std::uint16_t> stuckBlock;  // acknowledges a write of this block but keeps the old bytes
  std::optional<std::uint16_t> wrongBlock;  // answers the read of this block with the next block
};

// Adds one fault given as "KIND" or "KIND=ADDR" (ADDR hex "0x0C80" or
// decimal "3200", a block address: a multiple of 8 below 0x2000).
Status ParseRadioFault(std::string_view text, RadioFaults& faults);

// The fault kinds, for usage texts.
inline constexpr std::string_view kRadioFaultKinds =
    "stray-byte, silent, short-id, no-final-ack, ack-only, nak-block=ADDR, short-reply=ADDR, hangup-at=ADDR, "
    "stuck-block=ADDR, wrong-block=ADDR";

class RadioEmulator {
 public:
  inline static constexpr std::uint8_t kNak = 0x15;
  inline static constexpr std::uint8_t kStrayByte = 0x00;
  // What the radio says about itself; the program neither examines nor keeps it.
  inline static constexpr std::uint8_t kIdentification[8] = {'T', 'O', 'R', 'V', 'A', 'N', 0x01, 0x00};
  inline static constexpr std::size_t kShortIdentification = 4;
  inline static constexpr std::size_t kShortReply = 6;

  struct Answer {
    std::vector<std::uint8_t> bytes;
    // A handshake answer: a real radio takes a few milliseconds to turn the
    // line around (the program clears its buffers right after its last ACK
    // of the handshake, which would throw away an instant answer).
    bool afterTurnaround = false;
    bool hangUp = false;          // close the line instead of answering
    bool writeCompleted = false;  // a whole write session has been stored
    std::optional<std::uint16_t> block;  // the block this answer belongs to, if any
  };

  explicit RadioEmulator(const RadioImage& memory, RadioFaults faults = {});

  // One byte from the program; the answer may be empty.
  Answer Receive(std::uint8_t byte);
  // The line has been quiet for a while: a half-received frame is dropped.
  void LineQuiet();

  const RadioImage& Memory() const { return memory_; }
  const RadioFaults& Faults() const { return faults_; }
  void SetFaults(const RadioFaults& faults) { faults_ = faults; }
  int CompletedWrites() const { return completedWrites_; }

 private:
  enum class State { WakeUp, Mode, IdentificationAck, Command, ReadAck };

  Answer Answered(std::uint8_t byte);
  Answer WakeUpByte(std::uint8_t byte);
  Answer CommandByte(std::uint8_t byte);
  Answer Frame();

  RadioImage memory_;
  RadioFaults faults_;
  State state_ = State::WakeUp;
  std::size_t wakeIndex_ = 0;
  bool modeLetterSeen_ = false;
  std::vector<std::uint8_t> frame_;
  std::uint16_t lastReadBlock_ = 0;
  // Blocks 0x0000..0x1FEF written since the handshake.
  std::bitset<map::kWriteBlocksEnd / map::kBlockSize> writtenBlocks_;
  int completedWrites_ = 0;
};

}  // namespace torvan
