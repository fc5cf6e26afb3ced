#pragma once
// A scripted serial line for clone-session tests: a fake port on a virtual
// clock, a far end (usually the RadioEmulator) and a fake host, all writing
// into one log so that a test can compare the exact order of pauses, clears,
// bytes and pump steps. Time-outs cost no real time.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/link/CloneHost.h"
#include "core/link/RadioEmulator.h"
#include "core/link/SerialPort.h"

namespace torvan::test {

using Micros = std::chrono::microseconds;

inline std::string HexBytes(std::span<const std::uint8_t> bytes) {
  std::string s;
  char buf[4];
  for (const std::uint8_t b : bytes) {
    std::snprintf(buf, sizeof buf, s.empty() ? "%02X" : " %02X", b);
    s += buf;
  }
  return s;
}

// What both ends share: the clock, the bytes on their way, the log.
struct FakeLine {
  Micros now{0};
  std::vector<std::string> log;
  std::deque<std::pair<Micros, std::uint8_t>> toProgram;  // arrival time, byte

  // Called with the bytes of each write; answers with Deliver().
  std::function<void(std::span<const std::uint8_t>)> farEnd;

  std::optional<std::string> openError;  // Open fails with this text
  bool hungUp = false;                   // every read and write fails
  // A read of this many bytes fails with a port error (once per match).
  std::function<bool(std::size_t requested)> failRead;
  int opens = 0;
  int closes = 0;

  // Bytes from the far end: the first after `delay`, then one per `spacing`.
  void Deliver(std::span<const std::uint8_t> bytes, Micros delay = Micros(1000), Micros spacing = Micros(0)) {
    Micros t = now + delay;
    for (const std::uint8_t b : bytes) {
      toProgram.emplace_back(t, b);
      t += spacing;
    }
  }

  // Log entries of one kind, e.g. all "tx ..." lines.
  std::vector<std::string> Entries(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& e : log) {
      if (e.rfind(prefix, 0) == 0) out.push_back(e);
    }
    return out;
  }
};

class FakePort final : public SerialPort {
 public:
  explicit FakePort(FakeLine& line) : line_(line) {}

  Status Open(const std::string& name) override {
    line_.log.push_back("open " + name);
    if (line_.openError) return Status::Error(name + ": " + *line_.openError);
    open_ = true;
    ++line_.opens;
    return Status::Ok();
  }
  bool IsOpen() const override { return open_; }
  Status SetBufferSizes(const PortBufferSizes& s) override {
    line_.log.push_back("buffers " + std::to_string(s.input) + " " + std::to_string(s.output));
    return Status::Ok();
  }
  Status SetTimeouts(const PortTimeouts& t) override {
    timeouts_ = t;
    line_.log.push_back("timeouts " + std::to_string(t.readInterval.count()) + " " +
                        std::to_string(t.readTotalPerByte.count()) + " " + std::to_string(t.readTotalConstant.count()) +
                        " " + std::to_string(t.writeTotalPerByte.count()) + " " +
                        std::to_string(t.writeTotalConstant.count()));
    return Status::Ok();
  }
  Status SetLineSettings(const LineSettings& l) override {
    line_.log.push_back("line " + std::to_string(l.baud) + " " + std::to_string(l.dataBits) + "N" +
                        std::to_string(l.stopBits));
    return Status::Ok();
  }
  Status PurgeAll() override {
    line_.log.push_back("purge");
    DropArrived();
    return Status::Ok();
  }
  Status Clear() override {
    line_.log.push_back("clear");
    DropArrived();
    return Status::Ok();
  }
  Status Write(std::span<const std::uint8_t> bytes) override {
    line_.log.push_back("tx " + HexBytes(bytes));
    if (line_.hungUp) return Status::Error("fake: the line was hung up");
    if (line_.farEnd) line_.farEnd(bytes);
    return Status::Ok();
  }
  PortReadResult Read(std::span<std::uint8_t> buffer) override {
    PortReadResult r;
    const std::string head = "rx " + std::to_string(buffer.size()) + ":";
    if (line_.hungUp || (line_.failRead && line_.failRead(buffer.size()))) {
      r.status = Status::Error("fake: port error");
      line_.log.push_back(head + " error");
      return r;
    }
    // The time-out rules of the real port, on the virtual clock.
    const Micros deadline = line_.now + timeouts_.ReadTotal(buffer.size());
    while (r.count < buffer.size() && !line_.toProgram.empty()) {
      const Micros arrival = std::max(line_.now, line_.toProgram.front().first);
      const Micros limit = r.count == 0 ? deadline : std::min<Micros>(deadline, line_.now + timeouts_.readInterval);
      if (arrival > limit) break;
      line_.now = arrival;
      buffer[r.count++] = line_.toProgram.front().second;
      line_.toProgram.pop_front();
    }
    if (r.count < buffer.size()) {
      line_.now = r.count == 0 ? deadline : std::min<Micros>(deadline, line_.now + timeouts_.readInterval);
    }
    line_.log.push_back(head + (r.count ? " " + HexBytes(buffer.first(r.count)) : std::string(" -")));
    return r;
  }
  void Close() override {
    if (!open_) return;
    open_ = false;
    ++line_.closes;
    line_.log.push_back("close");
  }
  void Pause(std::chrono::milliseconds ms) override {
    line_.log.push_back("pause " + std::to_string(ms.count()));
    line_.now += ms;
  }

 private:
  // A clear empties the driver's buffer: bytes that have arrived by now.
  void DropArrived() {
    while (!line_.toProgram.empty() && line_.toProgram.front().first <= line_.now) line_.toProgram.pop_front();
  }

  FakeLine& line_;
  bool open_ = false;
  PortTimeouts timeouts_{};
};

// The far end as a radio: the emulator answers every byte; handshake answers
// come after a turnaround, block answers after one byte time.
class EmulatedRadio {
 public:
  EmulatedRadio(FakeLine& line, const RadioImage& memory, RadioFaults faults = {})
      : line_(line), radio_(memory, faults) {
    line_.farEnd = [this](std::span<const std::uint8_t> bytes) {
      for (const std::uint8_t b : bytes) {
        const auto a = radio_.Receive(b);
        if (a.hangUp) line_.hungUp = true;
        if (!a.bytes.empty()) line_.Deliver(a.bytes, a.afterTurnaround ? kTurnaround : kByteTime, kByteTime);
      }
    };
  }
  RadioEmulator& radio() { return radio_; }

  static constexpr Micros kTurnaround{3000};
  static constexpr Micros kByteTime{1042};

 private:
  FakeLine& line_;
  RadioEmulator radio_;
};

// An image of one repeated byte.
inline RadioImage Filled(std::uint8_t value) {
  RadioImage::Bytes b;
  b.fill(value);
  return RadioImage(b);
}

// A host that logs what the session asks of it and answers from a script.
class FakeHost final : public CloneHost {
 private:
  FakeLine& line_;

 public:
  explicit FakeHost(FakeLine& line, CloneDirection d = CloneDirection::Read) : line_(line), direction(d) {}

  CloneDirection direction;  // the test may change it at a pump step
  std::vector<RetryAnswer> answers;  // consumed in order; Cancel when empty
  int cancelAtPump = -1;             // the pump step (1-based) that returns cancel
  std::function<void(int pump)> onPump;  // e.g. change the direction half way
  int pumps = 0;
  int position = 0;
  int maximum = -1;
  int encodes = 0;
  int decodes = 0;
  int ends = 0;
  std::vector<std::pair<MessageId, std::string>> messages;  // shown and asked, in order
  RadioImage decoded;

  CloneDirection Direction() const override { return direction; }
  void CommitEdit() override { line_.log.push_back("commit"); }
  void EncodeImage(RadioImage&) override {
    ++encodes;
    line_.log.push_back("encode");
  }
  void DecodeImage(const RadioImage& image) override {
    ++decodes;
    decoded = image;
    line_.log.push_back("decode");
  }
  void SetProgressRange(int max) override {
    maximum = max;
    line_.log.push_back("range " + std::to_string(max));
  }
  void SetProgress(int pos) override {
    position = pos;
    line_.log.push_back("progress " + std::to_string(pos));
  }
  bool PumpStep() override {
    ++pumps;
    line_.log.push_back("pump");
    if (onPump) onPump(pumps);
    return pumps == cancelAtPump;
  }
  RetryAnswer AskRetryCancel(std::string_view detail) override {
    messages.emplace_back(MessageId::CommunicationError, std::string(detail));
    line_.log.push_back("ask");
    if (answers.empty()) return RetryAnswer::Cancel;
    const RetryAnswer a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  void ShowMessage(MessageId id, std::string_view detail) override {
    messages.emplace_back(id, std::string(detail));
    line_.log.push_back("message " + std::to_string(static_cast<int>(id)));
  }
  void EndProgress() override {
    ++ends;
    line_.log.push_back("end");
  }
};

}  // namespace torvan::test
