#include "core/link/RadioEmulator.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "core/link/CloneSession.h"

namespace torvan {

namespace {

using namespace clone;

constexpr std::size_t kMaxFrameData = 64;  // longest block the radio takes in one frame
constexpr std::size_t kWriteBlocks = map::kWriteBlocksEnd / map::kBlockSize;
static_assert(kWriteBlocks == 1022);

bool ParseAddress(std::string_view text, std::uint16_t& out) {
  unsigned base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  constexpr std::size_t kMaxDigits = 8;
  if (text.empty() || text.size() > kMaxDigits) return false;
  unsigned long v = 0;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    unsigned digit = 0;
    if (std::isdigit(u)) {
      digit = static_cast<unsigned>(c - '0');
    } else if (base == 16 && std::isxdigit(u)) {
      digit = static_cast<unsigned>(std::tolower(u) - 'a' + 10);
    } else {
      return false;
    }
    v = v * base + digit;
  }
  if (v >= kImageSize || v % map::kBlockSize != 0) return false;
  out = static_cast<std::uint16_t>(v);
  return true;
}

// A block address as the usage text writes it: "0x0C80".
std::string BlockText(std::uint16_t address) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(address));
  return buf;
}

}  // namespace

Status ParseRadioFault(std::string_view text, RadioFaults& faults) {
  const auto eq = text.find('=');
  const std::string_view kind = text.substr(0, eq);
  const bool hasArg = eq != std::string_view::npos;
  const std::string_view arg = hasArg ? text.substr(eq + 1) : std::string_view();

  struct Flag {
    std::string_view name;
    bool RadioFaults::*member;
  };
  static constexpr Flag kFlags[] = {{"stray-byte", &RadioFaults::strayByte},
                                    {"silent", &RadioFaults::silent},
                                    {"short-id", &RadioFaults::shortId},
                                    {"no-final-ack", &RadioFaults::noFinalAck},
                                    {"ack-only", &RadioFaults::ackOnly}};
  struct Block {
    std::string_view name;
    std::optional<std::uint16_t> RadioFaults::*member;
  };
  static constexpr Block kBlocks[] = {{"nak-block", &RadioFaults::nakBlock},
                                      {"short-reply", &RadioFaults::shortReply},
                                      {"hangup-at", &RadioFaults::hangupAt},
                                      {"stuck-block", &RadioFaults::stuckBlock},
                                      {"wrong-block", &RadioFaults::wrongBlock}};

  for (const auto& f : kFlags) {
    if (kind != f.name) continue;
    if (hasArg) return Status::Error("fault " + std::string(kind) + " takes no address");
    faults.*f.member = true;
    return Status::Ok();
  }
  for (const auto& b : kBlocks) {
    if (kind != b.name) continue;
    if (!hasArg) return Status::Error("fault " + std::string(kind) + " needs a block address: " + std::string(kind) + "=ADDR");
    std::uint16_t address = 0;
    if (!ParseAddress(arg, address)) {
      return Status::Error("fault " + std::string(kind) + ": \"" + std::string(arg) +
                           "\" is not a block address (0x0000 to 0x1FF8, a multiple of 8; hex with 0x or decimal)");
    }
    // One address a kind: a second one would silently replace the first.
    if (const auto& given = faults.*b.member; given && *given != address) {
      return Status::Error("fault " + std::string(kind) + " is given twice (" + BlockText(*given) + " and " +
                           BlockText(address) + "): the radio has it at one block only");
    }
    faults.*b.member = address;
    return Status::Ok();
  }
  return Status::Error("unknown fault \"" + std::string(kind) + "\" (known: " + std::string(kRadioFaultKinds) + ")");
}

RadioEmulator::RadioEmulator(const RadioImage& memory, RadioFaults faults) : memory_(memory), faults_(faults) {}

void RadioEmulator::LineQuiet() {
  frame_.clear();
  wakeIndex_ = 0;
}

RadioEmulator::Answer RadioEmulator::Receive(std::uint8_t byte) {
  if (faults_.silent) return {};
  Answer a = Answered(byte);
  if (faults_.ackOnly) std::fill(a.bytes.begin(), a.bytes.end(), kAck);
  return a;
}

RadioEmulator::Answer RadioEmulator::Answered(std::uint8_t byte) {
  switch (state_) {
    case State::WakeUp:
      return WakeUpByte(byte);
    case State::Mode:
      if (byte == kModeLetter) {
        modeLetterSeen_ = true;
        return {};
      }
      if (byte == kModeArgument && modeLetterSeen_) {
        state_ = State::IdentificationAck;
        Answer a;
        const std::size_t n = faults_.shortId ? kShortIdentification : sizeof kIdentification;
        a.bytes.assign(kIdentification, kIdentification + n);
        a.afterTurnaround = true;
        return a;
      }
      break;
    case State::IdentificationAck:
      if (byte == kAck) {
        if (faults_.noFinalAck) {
          state_ = State::WakeUp;
          return {};
        }
        state_ = State::Command;
        frame_.clear();
        writtenBlocks_.reset();
        Answer a;
        a.bytes = {kAck};
        a.afterTurnaround = true;
        return a;
      }
      break;
    case State::ReadAck:
      state_ = State::Command;
      if (byte == kAck) {
        Answer a;
        a.bytes = {faults_.nakBlock == lastReadBlock_ ? kNak : kAck};
        a.block = lastReadBlock_;
        return a;
      }
      return CommandByte(byte);
    case State::Command:
      return CommandByte(byte);
  }
  // Anything unexpected in the handshake: back to waiting for a wake-up,
  // which this very byte may begin.
  state_ = State::WakeUp;
  wakeIndex_ = 0;
  return WakeUpByte(byte);
}

RadioEmulator::Answer RadioEmulator::WakeUpByte(std::uint8_t byte) {
  if (byte == kWakeUp[wakeIndex_]) {
    if (++wakeIndex_ < sizeof kWakeUp) return {};
    wakeIndex_ = 0;
    state_ = State::Mode;
    modeLetterSeen_ = false;
    Answer a;
    if (faults_.strayByte) a.bytes.push_back(kStrayByte);
    a.bytes.push_back(kAck);
    a.afterTurnaround = true;
    return a;
  }
  wakeIndex_ = byte == kStx ? 1 : 0;
  return {};
}

RadioEmulator::Answer RadioEmulator::CommandByte(std::uint8_t byte) {
  if (frame_.empty()) {
    if (byte == kStx) {  // a new session begins
      state_ = State::WakeUp;
      wakeIndex_ = 1;
      return {};
    }
    if (byte != kReadCommand && byte != kWriteCommand) return {};  // line noise
  }
  frame_.push_back(byte);
  if (frame_.size() < kCommandSize) return {};
  const auto address = static_cast<std::uint16_t>((frame_[1] << 8) | frame_[2]);
  const std::size_t length = frame_[3];
  if (frame_.size() == kCommandSize) {
    if (faults_.hangupAt == address) {
      frame_.clear();
      Answer a;
      a.hangUp = true;
      a.block = address;
      return a;
    }
    if (length == 0 || length > kMaxFrameData || address + length > kImageSize) {
      frame_.clear();
      Answer a;
      a.bytes = {kNak};
      a.block = address;
      return a;
    }
  }
  if (frame_[0] == kWriteCommand && frame_.size() < kCommandSize + length) return {};
  return Frame();
}

RadioEmulator::Answer RadioEmulator::Frame() {
  const auto address = static_cast<std::uint16_t>((frame_[1] << 8) | frame_[2]);
  const std::size_t length = frame_[3];
  Answer a;
  a.block = address;
  if (frame_[0] == kReadCommand) {
    // 4 leading bytes in the form of a write request, then the data.
    std::uint16_t answered = address;
    if (faults_.wrongBlock == address) answered = static_cast<std::uint16_t>((address + length) % kImageSize);
    a.bytes.resize(kReadReplyHeaderSize + length);
    a.bytes[0] = kReadReplyLetter;
    a.bytes[1] = static_cast<std::uint8_t>(answered >> 8);
    a.bytes[2] = static_cast<std::uint8_t>(answered & 0xFF);
    a.bytes[3] = frame_[3];
    std::copy_n(memory_.data() + answered, std::min<std::size_t>(length, kImageSize - answered),
                a.bytes.begin() + kReadReplyHeaderSize);
    lastReadBlock_ = address;
    state_ = State::ReadAck;
    if (faults_.shortReply == address) {
      a.bytes.resize(kShortReply);
      state_ = State::Command;
    }
  } else if (faults_.nakBlock == address) {
    a.bytes = {kNak};
  } else {
    if (faults_.stuckBlock != address) {
      std::copy(frame_.begin() + kCommandSize, frame_.end(), memory_.data() + address);
    }
    if (length == map::kBlockSize && address < map::kWriteBlocksEnd && address % map::kBlockSize == 0) {
      writtenBlocks_.set(address / map::kBlockSize);
    }
    a.bytes = {kAck};
    if (address == map::kFinalWriteBlock && length == map::kFinalWriteSize && writtenBlocks_.all()) {
      a.writeCompleted = true;
      ++completedWrites_;
      writtenBlocks_.reset();
    }
  }
  frame_.clear();
  return a;
}

}  // namespace torvan
