// A clone session, read or write, against a port whose far end is the radio
// emulator with the fuzzer in between: each read of the session may get the
// radio's answer, part of it, other bytes, nothing (a time-out) or a port
// error; writes, clears and the port's set-up may fail; the user may cancel,
// answer Retry a few times, or choose the other direction during the
// handshake. Pauses and time-outs cost no real time.
//
// Promises checked:
//  - every session ends (the host's Retry answers are few; everything else is
//    the session's own doing) and the host's EndProgress comes exactly once;
//  - the port is closed at every end, never used while closed;
//  - the document's image changes only by a complete read (then it holds the
//    data of the very replies the session accepted) or by the host's encode
//    before a write;
//  - a complete write sent every block 0x0000..0x1FE8 with the image's bytes,
//    then 0x1FF0..0x1FF2, and never a byte of 0x1FF3..0x1FFF;
//  - the message shown fits the outcome; progress never runs past its range.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/link/CloneSession.h"
#include "core/link/RadioEmulator.h"
#include "core/link/WireTrace.h"

namespace {

using namespace torvan;
using torvan::fuzz::ByteReader;

constexpr unsigned kMaxRetryAnswers = 2;

RadioImage Pattern(unsigned salt) {
  RadioImage img;
  for (std::size_t i = 0; i < kImageSize; ++i) img[i] = static_cast<std::uint8_t>((i * 7 + (i >> 8) + salt) & 0xFF);
  return img;
}

// How the port answers one read, by the fuzzer's control byte.
enum class ReadMode { Radio, Fewer, Foreign, PortError, Lost, TooMany };

ReadMode ModeOf(std::uint8_t control) {
  if (control < 160) return ReadMode::Radio;  // most reads: what the radio sent
  if (control < 192) return ReadMode::Fewer;
  if (control < 216) return ReadMode::Foreign;
  if (control < 232) return ReadMode::PortError;
  if (control < 248) return ReadMode::Lost;
  return ReadMode::TooMany;
}

// What happened on the line; outlives the port, which the session owns.
struct LineRecord {
  bool open = false;
  int opens = 0;
  int closes = 0;
  long long pausedMs = 0;
  // Blocks written: address and data, in the order sent.
  std::vector<std::pair<std::uint16_t, std::vector<std::uint8_t>>> written;
  // The data of the last whole read reply the session received, by address.
  std::map<std::uint16_t, std::vector<std::uint8_t>> replies;
};

class FuzzPort final : public SerialPort {
 public:
  FuzzPort(ByteReader& in, RadioEmulator& radio, std::uint8_t setupFaults, LineRecord& line)
      : in_(in), radio_(radio), setupFaults_(setupFaults), line_(line) {}

  Status Open(const std::string& name) override {
    FUZZ_CHECK(!line_.open, "opened twice");
    if (setupFaults_ & 1) return Status::Error(name + ": fuzz: cannot open");
    line_.open = true;
    ++line_.opens;
    return Status::Ok();
  }
  bool IsOpen() const override { return line_.open; }
  Status SetBufferSizes(const PortBufferSizes&) override { return Setup(2); }
  Status SetTimeouts(const PortTimeouts&) override { return Setup(4); }
  Status SetLineSettings(const LineSettings&) override { return Setup(8); }
  Status PurgeAll() override { return Empty(); }
  Status Clear() override { return Empty(); }

  Status Write(std::span<const std::uint8_t> bytes) override {
    FUZZ_CHECK(line_.open, "write on a closed port");
    FUZZ_CHECK(!bytes.empty() && bytes.size() <= clone::kCommandSize + map::kBlockSize, std::to_string(bytes.size()));
    const bool fails = hungUp_ || (setupFaults_ & 0x10 && in_.Byte() >= 0xF0);
    Record(bytes);
    if (fails) return Status::Error("fuzz: write failed");
    for (const std::uint8_t b : bytes) {
      const RadioEmulator::Answer a = radio_.Receive(b);
      if (a.hangUp) hungUp_ = true;
      pending_.insert(pending_.end(), a.bytes.begin(), a.bytes.end());
    }
    return Status::Ok();
  }

  PortReadResult Read(std::span<std::uint8_t> buffer) override {
    FUZZ_CHECK(line_.open, "read on a closed port");
    FUZZ_CHECK(!buffer.empty(), "a read of nothing");
    PortReadResult r;
    if (hungUp_) {
      r.status = Status::Error("fuzz: the line was hung up");
      return r;
    }
    const std::uint8_t control = in_.Byte();
    switch (ModeOf(control)) {
      case ReadMode::Radio:
        r.count = Give(buffer, buffer.size());
        break;
      case ReadMode::Fewer:
        r.count = Give(buffer, control % buffer.size());
        break;
      case ReadMode::Foreign:
        for (std::size_t n = control % buffer.size() + 1; r.count < n; ++r.count) buffer[r.count] = in_.Byte();
        break;
      case ReadMode::PortError:
        r.status = Status::Error("fuzz: port error");
        break;
      case ReadMode::Lost:
        pending_.clear();
        radio_.LineQuiet();
        break;
      case ReadMode::TooMany:
        // A driver that reports more than was asked for must not make the
        // session read past its buffer.
        r.count = Give(buffer, buffer.size()) + (control & 0x07) + 1;
        break;
    }
    if (r.status.ok()) NoteReply(buffer.first(std::min(r.count, buffer.size())));
    return r;
  }

  void Close() override {
    if (line_.open) ++line_.closes;
    line_.open = false;
  }
  void Pause(std::chrono::milliseconds ms) override {
    FUZZ_CHECK(ms.count() >= 0 && ms.count() <= 10, "a pause of " + std::to_string(ms.count()) + " ms");
    line_.pausedMs += ms.count();
  }

 private:
  Status Setup(std::uint8_t bit) {
    FUZZ_CHECK(line_.open, "set-up of a closed port");
    return (setupFaults_ & bit) ? Status::Error("fuzz: set-up failed") : Status::Ok();
  }
  Status Empty() {
    FUZZ_CHECK(line_.open, "clear of a closed port");
    if (setupFaults_ & 0x20 && in_.Byte() >= 0xF0) return Status::Error("fuzz: clear failed");  // bytes stay
    pending_.clear();
    return Status::Ok();
  }
  std::size_t Give(std::span<std::uint8_t> buffer, std::size_t n) {
    n = std::min(n, pending_.size());
    for (std::size_t i = 0; i < n; ++i) {
      buffer[i] = pending_.front();
      pending_.pop_front();
    }
    return n;
  }
  // Write requests and their data, as the session sends them: the command,
  // then the data as a second write.
  void Record(std::span<const std::uint8_t> bytes) {
    if (bytes.size() == clone::kCommandSize &&
        (bytes[0] == clone::kWriteCommand || bytes[0] == clone::kReadCommand)) {
      command_.assign(bytes.begin(), bytes.end());
      return;
    }
    if (command_.size() == clone::kCommandSize && command_[0] == clone::kWriteCommand) {
      FUZZ_CHECK(bytes.size() == command_[3], "write data of the wrong length");
      line_.written.emplace_back(static_cast<std::uint16_t>(command_[1] << 8 | command_[2]),
                           std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }
    command_.clear();
  }
  void NoteReply(std::span<const std::uint8_t> got) {
    if (command_.size() != clone::kCommandSize || command_[0] != clone::kReadCommand) return;
    if (got.size() == clone::kReadReplySize) {
      line_.replies[static_cast<std::uint16_t>(command_[1] << 8 | command_[2])] =
          std::vector<std::uint8_t>(got.begin() + clone::kReadReplyHeaderSize, got.end());
    }
    command_.clear();
  }

  ByteReader& in_;
  RadioEmulator& radio_;
  std::uint8_t setupFaults_;
  LineRecord& line_;
  bool hungUp_ = false;
  std::deque<std::uint8_t> pending_;
  std::vector<std::uint8_t> command_;
};

class FuzzHost final : public CloneHost {
 public:
  FuzzHost(CloneDirection direction, const RadioImage& grid) : direction(direction), grid_(grid) {}

  CloneDirection Direction() const override { return direction; }
  void EncodeImage(RadioImage& image) override {
    ++encodes;
    image = grid_;
  }
  void DecodeImage(const RadioImage& image) override {
    ++decodes;
    decoded = image;
  }
  void SetProgressRange(int max) override {
    maximum = max;
    position = 0;
  }
  void SetProgress(int pos) override {
    FUZZ_CHECK(pos == position + 1 && pos <= maximum, std::to_string(pos) + " of " + std::to_string(maximum));
    position = pos;
  }
  bool PumpStep() override {
    FUZZ_CHECK(ends == 0, "a pump step after the end");
    ++pumps;
    if (pumps == flipAt) direction = direction == CloneDirection::Read ? CloneDirection::Write : CloneDirection::Read;
    return pumps == cancelAt;
  }
  RetryAnswer AskRetryCancel(std::string_view) override {
    ++asks;
    if (retries == 0) return RetryAnswer::Cancel;
    --retries;
    return RetryAnswer::Retry;
  }
  void ShowMessage(MessageId id, std::string_view detail) override {
    FUZZ_CHECK(!detail.empty(), "a message without detail");
    shown.push_back(id);
  }
  void EndProgress() override { ++ends; }

  CloneDirection direction;
  int flipAt = -1;
  int cancelAt = -1;
  unsigned retries = 0;
  int pumps = 0, asks = 0, encodes = 0, decodes = 0, ends = 0;
  int maximum = -1, position = 0;
  std::vector<MessageId> shown;
  RadioImage decoded;

 private:
  RadioImage grid_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const std::uint8_t flags = in.Byte();
  const CloneDirection start = (flags & 1) ? CloneDirection::Write : CloneDirection::Read;
  const std::uint8_t setupA = in.Byte();
  const std::uint8_t setupFaults = setupA & in.Byte();  // each fault in about one run of four
  RadioFaults faults;
  faults.strayByte = (flags & 2) != 0;
  faults.shortId = (flags & 4) != 0;
  faults.noFinalAck = (flags & 8) != 0 && (flags & 16) != 0;
  const auto nak = static_cast<std::uint16_t>(in.Word() & 0x1FF8);
  if (flags & 32) faults.nakBlock = nak;

  const RadioImage radioMemory = Pattern(1);
  const RadioImage document = Pattern(2);
  const RadioImage grid = Pattern(3);  // what the host's encode puts into the image
  RadioEmulator radio(radioMemory, faults);
  FuzzHost host(start, grid);
  host.retries = in.Below(kMaxRetryAnswers);
  const auto cancelAt = static_cast<std::uint16_t>(in.Word());
  host.cancelAt = (flags & 64) ? cancelAt : -1;
  host.flipAt = (flags & 128) ? in.Below(12) + 1 : -1;

  RadioImage image = document;
  LineRecord line;
  int portsMade = 0;
  CloneSession session(host, image, "COM-FUZZ", [&]() -> std::unique_ptr<SerialPort> {
    ++portsMade;
    return std::make_unique<FuzzPort>(in, radio, setupFaults, line);
  });
  std::string traceText;
  std::chrono::nanoseconds virtualNow{0};
  WireTrace trace([&](std::string_view line) { traceText.assign(line); },
                  [&] { return virtualNow += std::chrono::microseconds(100); });
  if (setupFaults & 0x40) session.SetTrace(&trace);

  const CloneResult r = session.Run();

  // Every end: once, port closed.
  FUZZ_CHECK(host.ends == 1, std::to_string(host.ends) + " ends");
  FUZZ_CHECK(!session.Running(), "still running");
  FUZZ_CHECK(portsMade == 1, "one port per session");
  FUZZ_CHECK(!line.open && line.closes == line.opens && line.opens <= 1,
             std::to_string(line.opens) + " opens, " + std::to_string(line.closes) + " closes");

  const bool readDone = r.ok() && r.direction == CloneDirection::Read;
  const bool writeDone = r.ok() && r.direction == CloneDirection::Write;
  if (readDone) {
    FUZZ_CHECK(host.decodes == 1 && host.decoded == image, "a complete read decodes the new image once");
    FUZZ_CHECK(host.position == clone::kReadProgressMaximum, std::to_string(host.position));
    FUZZ_CHECK(line.replies.size() == kImageSize / map::kBlockSize, std::to_string(line.replies.size()) + " blocks");
    for (const auto& [address, bytes] : line.replies) {
      FUZZ_CHECK(std::equal(bytes.begin(), bytes.end(), image.data() + address),
                 "block " + std::to_string(address) + " is not the data of its reply");
    }
  } else {
    FUZZ_CHECK(host.decodes == 0, "decoded without a complete read");
    const RadioImage expected = host.encodes > 0 ? grid : document;
    FUZZ_CHECK(image == expected, "the image changed without a complete read");
  }
  if (writeDone) {
    FUZZ_CHECK(host.position == clone::kWriteProgressMaximum, std::to_string(host.position));
    // Every block once, in order, with the image's bytes; the band bytes last.
    FUZZ_CHECK(line.written.size() == map::kWriteBlocksEnd / map::kBlockSize + 1,
               std::to_string(line.written.size()) + " blocks written");
    for (std::size_t i = 0; i < line.written.size(); ++i) {
      const auto& [address, bytes] = line.written[i];
      const bool last = i + 1 == line.written.size();
      FUZZ_CHECK(address == (last ? map::kFinalWriteBlock : i * map::kBlockSize), "block " + std::to_string(i));
      FUZZ_CHECK(bytes.size() == (last ? map::kFinalWriteSize : map::kBlockSize), "block size");
      FUZZ_CHECK(std::equal(bytes.begin(), bytes.end(), image.data() + address), "block data");
    }
  }
  for (const auto& [address, bytes] : line.written) {
    FUZZ_CHECK(address + bytes.size() <= map::kFinalWriteBlock + map::kFinalWriteSize, "0x1FF3.. sent");
  }

  switch (r.outcome) {
    case CloneOutcome::Completed:
    case CloneOutcome::Cancelled:
      FUZZ_CHECK(host.shown.empty() && !r.message, "a message on success or cancel");
      break;
    case CloneOutcome::PortOpenFailed:
      FUZZ_CHECK(host.shown.size() == 1 && host.shown[0] == MessageId::CouldNotOpenPort, "61453");
      break;
    case CloneOutcome::Interrupted:
      FUZZ_CHECK(host.shown.size() == 1 && host.shown[0] == MessageId::ProgramInterrupt, "61454");
      break;
    case CloneOutcome::RetryCancelled:
      FUZZ_CHECK(host.shown.empty() && r.message == MessageId::CommunicationError && host.asks > 0, "61451");
      break;
  }
  FUZZ_CHECK(r.ok() == r.detail.empty(), "detail: " + r.detail);
  return 0;
}
