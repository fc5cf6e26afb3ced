#include "core/link/CloneSession.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace torvan {

namespace {

using namespace clone;

// Pauses of the protocol, in milliseconds.
constexpr int kPumpPause = 1;       // after each of the pump steps before an attempt
constexpr int kWakeUpBytePause = 5; // before each wake-up byte
constexpr int kStepPause = 1;       // between the steps of the mode exchange, before a block's data
constexpr int kFailurePause = 2;    // after a failed attempt

constexpr int kHandshakePumpSteps = 6;
// The retry counter starts at 1; a port error on the wake-up asks the
// question once it passes 5, a missing wake-up ACK once it passes 15; a
// missing final ACK ends the session once it is above 5.
constexpr int kPortErrorLimit = 5;
constexpr int kNoAckLimit = 15;
constexpr int kFinalAckLimit = 5;

constexpr std::uint16_t kProgressEvery = 16;  // one progress step per two blocks

std::string Hex16(unsigned v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%04X", v & 0xFFFFu);
  return buf;
}

std::string Hex8(unsigned v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", v & 0xFFu);
  return buf;
}

// "57 0C 80 08", as in the wire trace.
std::string HexBytes(std::span<const std::uint8_t> bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string s;
  for (const std::uint8_t b : bytes) {
    if (!s.empty()) s += ' ';
    s += kHex[b >> 4];
    s += kHex[b & 0x0F];
  }
  return s;
}

bool IsAck(const PortReadResult& r, std::uint8_t byte) { return r.status.ok() && r.count == 1 && byte == kAck; }

}  // namespace

CloneSession::CloneSession(CloneHost& host, RadioImage& image, std::string portName, PortFactory openPort)
    : host_(host), image_(image), portName_(std::move(portName)), openPort_(std::move(openPort)) {
  if (!openPort_) openPort_ = CreateSystemSerialPort;
}

std::string CloneSession::WithPort(const std::string& what) const { return portName_ + ": " + what; }

// What a one-byte read that should have been an ACK brought instead.
std::string CloneSession::Describe(const PortReadResult& r, std::span<const std::uint8_t> bytes) const {
  std::string s;
  if (!r.status.ok()) {
    s = "port error: " + r.status.error();
  } else if (r.count == 0) {
    s = "nothing received";
  } else {
    s = "received " + Hex8(bytes[0]);
  }
  if (!portTrouble_.empty()) s += "; before that: " + portTrouble_;
  return s;
}

void CloneSession::Send(std::span<const std::uint8_t> bytes) {
  const auto at = trace_ ? trace_->Now() : std::chrono::nanoseconds{0};
  // Only the radio's answers decide success; a failed write shows in the
  // read that follows, and its reason goes into that failure's detail.
  const Status s = port_->Write(bytes);
  if (!s.ok()) portTrouble_ = "write failed: " + s.error();
  if (trace_) trace_->Sent(at, bytes, s);
}

PortReadResult CloneSession::Receive(std::span<std::uint8_t> buffer) {
  PortReadResult r = port_->Read(buffer);
  r.count = std::min(r.count, buffer.size());
  if (trace_) trace_->Received(buffer.first(r.count), buffer.size(), r.status);
  return r;
}

void CloneSession::ClearBuffers() {
  const Status s = port_->Clear();
  if (!s.ok()) portTrouble_ = "clear failed: " + s.error();
}

void CloneSession::PurgeBuffers() {
  const Status s = port_->PurgeAll();
  if (!s.ok()) portTrouble_ = "purge failed: " + s.error();
}

void CloneSession::Pause(int milliseconds) { port_->Pause(std::chrono::milliseconds(milliseconds)); }

bool CloneSession::PumpSteps(int count) {
  for (int i = 0; i < count; ++i) {
    if (host_.PumpStep()) return true;
  }
  return false;
}

void CloneSession::StepProgress(std::uint16_t address) {
  if (address % kProgressEvery != 0) return;
  ++position_;
  host_.SetProgress(position_);
}

CloneResult CloneSession::End(CloneOutcome outcome, std::optional<MessageId> message, std::string detail) {
  // The message comes while the port is still open, as the user saw it
  // before: message, then close the port, then close the dialog.
  if (message && outcome != CloneOutcome::RetryCancelled) host_.ShowMessage(*message, detail);
  if (port_) {
    port_->Close();
    port_.reset();
  }
  host_.EndProgress();
  running_ = false;
  CloneResult r;
  r.outcome = outcome;
  r.message = message;
  r.detail = std::move(detail);
  r.direction = direction_;
  r.blocksSent = blocksSent_;
  r.lastBlockSent = lastBlockSent_;
  return r;
}

CloneResult CloneSession::Cancelled() { return End(CloneOutcome::Cancelled, std::nullopt, WithPort("cancelled")); }

CloneResult CloneSession::Interrupted(std::string what) {
  return End(CloneOutcome::Interrupted, MessageId::ProgramInterrupt, WithPort(what));
}

CloneResult CloneSession::Run() {
  if (running_) throw std::logic_error("a clone session is already running");
  running_ = true;
  position_ = 0;
  blocksSent_ = 0;
  lastBlockSent_ = 0;
  portTrouble_.clear();
  if (trace_) trace_->Start();

  host_.CommitEdit();
  direction_ = host_.Direction();
  const bool encoded = direction_ == CloneDirection::Write;
  if (encoded) {
    host_.SetProgressRange(kWriteProgressMaximum);
    host_.EncodeImage(image_);
  } else {
    host_.SetProgressRange(kReadProgressMaximum);
  }

  port_ = openPort_();
  if (!port_) return End(CloneOutcome::PortOpenFailed, MessageId::CouldNotOpenPort, WithPort("no serial port"));
  Status s = port_->Open(portName_);
  if (s.ok()) s = port_->SetBufferSizes(kBufferSizes);
  if (s.ok()) s = port_->SetTimeouts(kTimeouts);
  if (s.ok()) s = port_->SetLineSettings(kLineSettings);
  if (!s.ok()) {
    // The port's errors start with its name already.
    return End(CloneOutcome::PortOpenFailed, MessageId::CouldNotOpenPort, s.error());
  }

  if (auto ended = Handshake()) return std::move(*ended);

  // The user may have chosen the other command while the handshake ran.
  const CloneDirection now = host_.Direction();
  if (now != direction_) {
    direction_ = now;
    if (now == CloneDirection::Write) {
      host_.SetProgressRange(kWriteProgressMaximum);
      // Whatever goes to the radio must be what the grid shows.
      if (!encoded) host_.EncodeImage(image_);
    } else {
      host_.SetProgressRange(kReadProgressMaximum);
    }
  }
  return direction_ == CloneDirection::Write ? WriteBlocks() : ReadBlocks();
}

std::optional<CloneResult> CloneSession::Handshake() {
  enum class Failure { None, PortError, NoAck, Ask };
  int counter = 1;
  int attempts = 0;  // since the start or the last Retry, for the detail
  std::uint8_t byte = 0;
  const std::span<std::uint8_t> one(&byte, 1);

  for (;;) {
    ++attempts;
    Failure failure = Failure::None;
    std::string why;

    for (int i = 0; i < kHandshakePumpSteps; ++i) {
      if (host_.PumpStep()) return Cancelled();
      Pause(kPumpPause);
    }
    portTrouble_.clear();
    PurgeBuffers();
    for (const std::uint8_t b : kWakeUp) {
      Pause(kWakeUpBytePause);
      ClearBuffers();
      Send(std::span<const std::uint8_t>(&b, 1));
    }

    PortReadResult r = Receive(one);
    bool woken = IsAck(r, byte);
    if (!r.status.ok()) {
      failure = Failure::PortError;
      why = "no ACK to the wake-up (" + Describe(r, one) + ")";
    } else if (!woken) {
      // One stray byte in front of the ACK is let through.
      r = Receive(one);
      woken = IsAck(r, byte);
      if (!woken) {
        failure = Failure::NoAck;
        why = "no ACK to the wake-up (" + Describe(r, one) + ")";
      }
    }

    if (woken) {
      Pause(kStepPause);
      ClearBuffers();
      Send(std::span<const std::uint8_t>(&kModeLetter, 1));
      Pause(kStepPause);
      Send(std::span<const std::uint8_t>(&kModeArgument, 1));
      Pause(kStepPause);
      std::uint8_t identification[kIdentificationSize];
      r = Receive(identification);  // neither content nor count matters
      if (!r.status.ok()) {
        failure = Failure::Ask;
        why = "no identification (port error: " + r.status.error() + ")";
      } else {
        ClearBuffers();
        Send(std::span<const std::uint8_t>(&kAck, 1));
        ClearBuffers();
        Pause(kStepPause);
        r = Receive(one);
        if (IsAck(r, byte)) return std::nullopt;
        why = "no ACK after the identification (" + Describe(r, one) + ")";
        if (counter > kFinalAckLimit) return Interrupted(why);
        ++counter;
        failure = Failure::Ask;
      }
    }

    if (failure == Failure::PortError || failure == Failure::NoAck) {
      Pause(kFailurePause);
      ++counter;
      const int limit = failure == Failure::PortError ? kPortErrorLimit : kNoAckLimit;
      if (counter <= limit) continue;
    }

    const std::string detail =
        WithPort(why + " after " + std::to_string(attempts) + (attempts == 1 ? " attempt" : " attempts"));
    if (host_.AskRetryCancel(detail) == RetryAnswer::Cancel) {
      return End(CloneOutcome::RetryCancelled, MessageId::CommunicationError, detail);
    }
    counter = 1;
    attempts = 0;
  }
}

CloneResult CloneSession::WriteBlocks() {
  std::uint8_t ack = 0;
  const std::span<std::uint8_t> one(&ack, 1);
  for (std::uint16_t a = 0; a < map::kWriteBlocksEnd; a += map::kBlockSize) {
    const std::uint8_t command[kCommandSize] = {kWriteCommand, static_cast<std::uint8_t>(a >> 8),
                                                static_cast<std::uint8_t>(a & 0xFF),
                                                static_cast<std::uint8_t>(map::kBlockSize)};
    portTrouble_.clear();
    ClearBuffers();
    Send(command);
    Pause(kStepPause);
    Send(std::span<const std::uint8_t>(image_.data() + a, map::kBlockSize));
    ++blocksSent_;
    lastBlockSent_ = a;
    const PortReadResult r = Receive(one);
    if (!IsAck(r, ack)) return Interrupted("no ACK after write of block " + Hex16(a) + " (" + Describe(r, one) + ")");
    StepProgress(a);
    if (PumpSteps(kPumpStepsPerBlock)) return Cancelled();
  }

  // The final block: the band limits only. Bytes 0x1FF3..0x1FFF stay as the
  // radio has them.
  constexpr std::uint16_t kFinal = map::kFinalWriteBlock;
  const std::uint8_t command[kCommandSize] = {kWriteCommand, static_cast<std::uint8_t>(kFinal >> 8),
                                              static_cast<std::uint8_t>(kFinal & 0xFF),
                                              static_cast<std::uint8_t>(map::kFinalWriteSize)};
  portTrouble_.clear();
  Send(command);
  Send(std::span<const std::uint8_t>(image_.data() + kFinal, map::kFinalWriteSize));
  ++blocksSent_;
  lastBlockSent_ = kFinal;
  const PortReadResult r = Receive(one);
  if (!IsAck(r, ack)) return Interrupted("no ACK after write of block " + Hex16(kFinal) + " (" + Describe(r, one) + ")");
  return End(CloneOutcome::Completed, std::nullopt, {});
}

CloneResult CloneSession::ReadBlocks() {
  // The blocks go into a scratch copy: a read that fails or is cancelled
  // half way must not leave a mix of two radios in the document.
  RadioImage scratch = image_;
  std::uint8_t reply[kReadReplySize];
  std::uint8_t ack = 0;
  const std::span<std::uint8_t> one(&ack, 1);
  for (std::size_t next = 0; next < kImageSize; next += map::kBlockSize) {
    const auto a = static_cast<std::uint16_t>(next);
    const std::uint8_t command[kCommandSize] = {kReadCommand, static_cast<std::uint8_t>(a >> 8),
                                                static_cast<std::uint8_t>(a & 0xFF),
                                                static_cast<std::uint8_t>(map::kBlockSize)};
    portTrouble_.clear();
    ClearBuffers();
    Send(command);
    PortReadResult r = Receive(reply);
    if (!r.status.ok()) {
      std::string what = "no reply to read of block " + Hex16(a) + " (port error: " + r.status.error() + ")";
      return Interrupted(what);
    }
    if (r.count < kReadReplySize) {
      std::string what = "short reply to read of block " + Hex16(a) + " (" + std::to_string(r.count) + " of " +
                         std::to_string(kReadReplySize) + " bytes)";
      if (!portTrouble_.empty()) what += "; before that: " + portTrouble_;
      return Interrupted(what);
    }
    const std::uint8_t expected[kReadReplyHeaderSize] = {kReadReplyLetter, command[1], command[2],
                                                         static_cast<std::uint8_t>(map::kBlockSize)};
    if (!std::equal(expected, expected + kReadReplyHeaderSize, reply)) {
      return Interrupted("wrong reply to read of block " + Hex16(a) + " (expected " + HexBytes(expected) +
                         ", received " + HexBytes(std::span<const std::uint8_t>(reply, kReadReplyHeaderSize)) + ")");
    }
    std::copy_n(reply + kReadReplyHeaderSize, map::kBlockSize, scratch.data() + a);

    ClearBuffers();
    Send(std::span<const std::uint8_t>(&kAck, 1));
    r = Receive(one);
    if (!IsAck(r, ack)) return Interrupted("no ACK after read of block " + Hex16(a) + " (" + Describe(r, one) + ")");
    StepProgress(a);
    if (PumpSteps(kPumpStepsPerBlock)) return Cancelled();
  }
  image_ = scratch;
  host_.DecodeImage(image_);
  return End(CloneOutcome::Completed, std::nullopt, {});
}

}  // namespace torvan
