// The clone session against a scripted port on a virtual clock: exact byte
// sequences, pauses and clears, the handshake's counters and branches, both
// block loops, cancel, and what a failed read leaves behind.

#include "core/link/CloneSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeLink.h"

namespace torvan::test {
namespace {

using Log = std::vector<std::string>;

// A memory whose every block is different, so that a misplaced block shows.
RadioImage Pattern(std::uint8_t salt) {
  RadioImage img;
  for (std::size_t i = 0; i < kImageSize; ++i) img[i] = static_cast<std::uint8_t>((i * 7 + (i >> 8) + salt) & 0xFF);
  return img;
}

struct Fixture {
  explicit Fixture(CloneDirection direction, RadioFaults faults = {}, const RadioImage& radioMemory = Pattern(1))
      : radio(line, radioMemory, faults), host(line, direction) {}

  CloneResult Run() {
    CloneSession session(host, image, "COM7", [this] { return std::make_unique<FakePort>(line); });
    return session.Run();
  }

  // The 4-byte requests of one letter ("52" read, "57" write); data writes
  // may start with the same byte but are longer.
  Log Requests(const std::string& letter) const {
    Log out;
    for (const auto& e : line.Entries("tx " + letter + " ")) {
      if (e.size() == std::string("tx 57 00 00 08").size()) out.push_back(e);
    }
    return out;
  }

  int WakeUps() const { return static_cast<int>(line.Entries("tx 41").size()); }  // 'A' ends a wake-up

  FakeLine line;
  EmulatedRadio radio;
  FakeHost host;
  RadioImage image = Pattern(99);
};

Log Repeat(const Log& part, int times) {
  Log out;
  for (int i = 0; i < times; ++i) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Log Concat(std::initializer_list<Log> parts) {
  Log out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// The handshake as the radio sees it, with every pause and clear.
Log ExpectedHandshake() {
  return Concat({Repeat({"pump", "pause 1"}, 6),
                 {"purge"},
                 {"pause 5", "clear", "tx 02", "pause 5", "clear", "tx 50", "pause 5", "clear", "tx 52", "pause 5",
                  "clear", "tx 4F", "pause 5", "clear", "tx 47", "pause 5", "clear", "tx 52", "pause 5", "clear",
                  "tx 41"},
                 {"rx 1: 06"},
                 {"pause 1", "clear", "tx 4D", "pause 1", "tx 02", "pause 1"},
                 {"rx 8: 54 4F 52 56 41 4E 01 00"},
                 {"clear", "tx 06", "clear", "pause 1", "rx 1: 06"}});
}

const Log kSetUp = {"open COM7", "buffers 1024 512", "timeouts 30 500 90 50 50", "line 9600 8N1"};

TEST(CloneSessionTest, ReadSendsTheHandshakeAndBlocksInTheirExactOrder) {
  Fixture f(CloneDirection::Read);
  ASSERT_TRUE(f.Run().ok());

  const RadioImage& m = f.radio.radio().Memory();
  auto reply = [&](std::uint16_t a) {
    return "rx 12: 57 " + HexBytes(std::vector<std::uint8_t>{static_cast<std::uint8_t>(a >> 8),
                                                            static_cast<std::uint8_t>(a & 0xFF)}) +
           " 08 " + HexBytes(std::span<const std::uint8_t>(m.data() + a, 8));
  };
  const Log expected = Concat({{"commit", "range 512"},
                               kSetUp,
                               ExpectedHandshake(),
                               {"clear", "tx 52 00 00 08", reply(0x0000), "clear", "tx 06", "rx 1: 06", "progress 1"},
                               Repeat({"pump"}, 9),
                               {"clear", "tx 52 00 08 08", reply(0x0008), "clear", "tx 06", "rx 1: 06"},
                               Repeat({"pump"}, 9),
                               {"clear", "tx 52 00 10 08"}});
  ASSERT_GE(f.line.log.size(), expected.size());
  EXPECT_EQ(Log(f.line.log.begin(), f.line.log.begin() + static_cast<long>(expected.size())), expected);
}

TEST(CloneSessionTest, ReadAsksForEveryBlockOnceAndReplacesTheImageAtTheEnd) {
  Fixture f(CloneDirection::Read);
  const CloneResult r = f.Run();
  ASSERT_TRUE(r.ok()) << r.detail;
  EXPECT_FALSE(r.message.has_value());

  const Log requests = f.Requests("52");
  ASSERT_EQ(requests.size(), 1024u);
  for (std::size_t i = 0; i < requests.size(); ++i) {
    const auto a = static_cast<std::uint16_t>(i * 8);
    EXPECT_EQ(requests[i], "tx 52 " + HexBytes(std::vector<std::uint8_t>{static_cast<std::uint8_t>(a >> 8),
                                                                         static_cast<std::uint8_t>(a & 0xFF)}) +
                               " 08");
  }
  EXPECT_EQ(f.host.maximum, 512);
  EXPECT_EQ(f.host.position, 512);
  EXPECT_EQ(f.line.Entries("progress").size(), 512u);
  EXPECT_EQ(f.host.pumps, 6 + 1024 * 9);
  EXPECT_EQ(f.image, f.radio.radio().Memory());
  EXPECT_EQ(f.host.decodes, 1);
  EXPECT_EQ(f.host.decoded, f.radio.radio().Memory());
  EXPECT_EQ(f.host.encodes, 0);
  const Log tail(f.line.log.end() - 3, f.line.log.end());
  EXPECT_EQ(tail, (Log{"decode", "close", "end"}));
}

TEST(CloneSessionTest, WriteSends1022BlocksThenTheBandBytesAndNeverTheLastThirteen) {
  const RadioImage before = Filled(0x5A);
  Fixture f(CloneDirection::Write, {}, before);
  const CloneResult r = f.Run();
  ASSERT_TRUE(r.ok()) << r.detail;

  // The encode comes before the port is opened.
  const auto encodeAt = std::find(f.line.log.begin(), f.line.log.end(), "encode");
  const auto openAt = std::find(f.line.log.begin(), f.line.log.end(), "open COM7");
  EXPECT_LT(encodeAt, openAt);
  EXPECT_EQ(f.host.encodes, 1);

  const Log commands = f.Requests("57");
  ASSERT_EQ(commands.size(), 1023u);
  EXPECT_EQ(commands.front(), "tx 57 00 00 08");
  EXPECT_EQ(commands[1021], "tx 57 1F E8 08");
  EXPECT_EQ(commands.back(), "tx 57 1F F0 03");

  // Block 0: clear, command, 1 ms, data, ACK, progress, nine pump steps.
  const auto first = std::find(f.line.log.begin(), f.line.log.end(), "tx 57 00 00 08");
  const Log block0 = Concat({{"clear", "tx 57 00 00 08", "pause 1",
                              "tx " + HexBytes(std::span<const std::uint8_t>(f.image.data(), 8)), "rx 1: 06",
                              "progress 1"},
                             Repeat({"pump"}, 9)});
  EXPECT_EQ(Log(first - 1, first - 1 + static_cast<long>(block0.size())), block0);

  // The final block: no clear, no pause, no progress, no pump steps.
  const Log tail(f.line.log.end() - 6, f.line.log.end());
  EXPECT_EQ(tail, (Log{"pump", "tx 57 1F F0 03", "tx " + HexBytes(std::span<const std::uint8_t>(f.image.data() + 0x1FF0, 3)),
                       "rx 1: 06", "close", "end"}));

  const RadioImage& radio = f.radio.radio().Memory();
  EXPECT_TRUE(std::equal(radio.data(), radio.data() + 0x1FF3, f.image.data()));
  for (std::size_t a = 0x1FF3; a < kImageSize; ++a) EXPECT_EQ(radio[a], 0x5A) << "address " << a;
  EXPECT_EQ(f.radio.radio().CompletedWrites(), 1);
  EXPECT_EQ(f.host.maximum, 511);
  EXPECT_EQ(f.host.position, 511);
  EXPECT_EQ(f.host.pumps, 6 + 1022 * 9);
  EXPECT_EQ(f.host.decodes, 0);
}

struct HandshakeCase {
  const char* name;
  RadioFaults faults;
  std::vector<RetryAnswer> answers;
  CloneOutcome outcome;
  int wakeUps;
  int questions;
};
void PrintTo(const HandshakeCase& c, std::ostream* os) { *os << c.name; }

class HandshakeTest : public ::testing::TestWithParam<HandshakeCase> {};

TEST_P(HandshakeTest, AttemptsAndQuestions) {
  const HandshakeCase& c = GetParam();
  Fixture f(CloneDirection::Read, c.faults);
  f.host.answers = c.answers;
  const CloneResult r = f.Run();
  EXPECT_EQ(r.outcome, c.outcome) << r.detail;
  EXPECT_EQ(f.WakeUps(), c.wakeUps);
  EXPECT_EQ(static_cast<int>(f.line.Entries("ask").size()), c.questions);
  EXPECT_EQ(f.line.closes, 1);
  EXPECT_EQ(f.host.ends, 1);
  if (c.outcome == CloneOutcome::RetryCancelled) {
    EXPECT_EQ(r.message, MessageId::CommunicationError);
    EXPECT_EQ(r.detail.rfind("COM7: ", 0), 0u) << r.detail;
    EXPECT_EQ(f.image, Pattern(99));
  } else {
    EXPECT_EQ(f.image, f.radio.radio().Memory());
  }
}

RadioFaults Silent() { RadioFaults f; f.silent = true; return f; }
RadioFaults Stray() { RadioFaults f; f.strayByte = true; return f; }
RadioFaults ShortId() { RadioFaults f; f.shortId = true; return f; }
RadioFaults NoFinalAck() { RadioFaults f; f.noFinalAck = true; return f; }

const auto R = RetryAnswer::Retry;

INSTANTIATE_TEST_SUITE_P(
    Branches, HandshakeTest,
    ::testing::Values(HandshakeCase{"StrayByteBeforeTheAckIsLetThrough", Stray(), {}, CloneOutcome::Completed, 1, 0},
                      HandshakeCase{"ShortIdentificationStillContinues", ShortId(), {}, CloneOutcome::Completed, 1, 0},
                      HandshakeCase{"SilentRadioAsksAfterFifteenAttempts", Silent(), {}, CloneOutcome::RetryCancelled, 15, 1},
                      HandshakeCase{"RetryStartsFifteenMore", Silent(), {R}, CloneOutcome::RetryCancelled, 30, 2},
                      HandshakeCase{"MissingFinalAckAsksAtOnce", NoFinalAck(), {}, CloneOutcome::RetryCancelled, 1, 1},
                      HandshakeCase{"EveryRetryIsOneMoreAttempt", NoFinalAck(), {R, R}, CloneOutcome::RetryCancelled, 3, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CloneSessionTest, SilentAttemptWaitsForTwoBytesThenPausesBeforeTheNext) {
  Fixture f(CloneDirection::Read, Silent());
  f.Run();
  EXPECT_EQ(f.line.Entries("rx 1: -").size(), 30u);  // two one-byte reads per attempt
  // After the second empty read: 2 ms, then the next attempt's pump steps.
  const auto second = std::find(f.line.log.begin(), f.line.log.end(), "rx 1: -") + 1;
  EXPECT_EQ(Log(second, second + 3), (Log{"rx 1: -", "pause 2", "pump"}));
  // Two full 590 ms time-outs per attempt, on the virtual clock.
  EXPECT_GE(f.line.now, Micros(15 * 2 * 590'000));
}

// The counter limits: a radio silent for some attempts (failure B), then
// either a port error on every read (failure A) or no final ACK.
struct CounterCase {
  const char* name;
  int silentAttempts;
  bool thenPortErrors;  // else: wakes up but never sends the final ACK
  CloneOutcome outcome;
  int attempts;
};
void PrintTo(const CounterCase& c, std::ostream* os) { *os << c.name; }

class CounterTest : public ::testing::TestWithParam<CounterCase> {};

TEST_P(CounterTest, FailuresShareOneCounter) {
  const CounterCase& c = GetParam();
  Fixture f(CloneDirection::Read, c.silentAttempts > 0 ? Silent() : RadioFaults{});
  auto radioEnd = f.line.farEnd;
  int wakeUps = 0;
  auto change = [&] {
    if (c.thenPortErrors) {
      f.line.hungUp = true;
    } else {
      f.radio.radio().SetFaults(NoFinalAck());
    }
  };
  if (c.silentAttempts == 0) change();
  // The change comes with the first byte of the next attempt's wake-up.
  f.line.farEnd = [&](std::span<const std::uint8_t> bytes) {
    if (c.silentAttempts > 0 && bytes.size() == 1 && bytes[0] == clone::kStx && ++wakeUps == c.silentAttempts + 1) {
      change();
    }
    radioEnd(bytes);
  };
  const CloneResult r = f.Run();
  EXPECT_EQ(r.outcome, c.outcome) << r.detail;
  EXPECT_EQ(f.WakeUps(), c.attempts);
  EXPECT_EQ(f.line.closes, 1);
  if (c.outcome == CloneOutcome::Interrupted) {
    EXPECT_EQ(r.message, MessageId::ProgramInterrupt);
    EXPECT_TRUE(f.line.Entries("ask").empty());
    EXPECT_EQ(r.detail, "COM7: no ACK after the identification (nothing received)");
  } else {
    EXPECT_EQ(r.message, MessageId::CommunicationError);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, CounterTest,
    ::testing::Values(CounterCase{"PortErrorsAskAfterFive", 0, true, CloneOutcome::RetryCancelled, 5},
                      CounterCase{"FourSilentThenPortErrors", 4, true, CloneOutcome::RetryCancelled, 5},
                      CounterCase{"FiveSilentThenPortError", 5, true, CloneOutcome::RetryCancelled, 6},
                      CounterCase{"TenSilentThenPortError", 10, true, CloneOutcome::RetryCancelled, 11},
                      CounterCase{"FourSilentThenNoFinalAckAsks", 4, false, CloneOutcome::RetryCancelled, 5},
                      CounterCase{"FiveSilentThenNoFinalAckEnds", 5, false, CloneOutcome::Interrupted, 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CloneSessionTest, PortErrorOnTheIdentificationAsksAtOnce) {
  Fixture f(CloneDirection::Read);
  f.line.failRead = [](std::size_t requested) { return requested == 8; };
  f.host.answers = {RetryAnswer::Retry};
  const CloneResult r = f.Run();
  EXPECT_EQ(r.outcome, CloneOutcome::RetryCancelled);
  EXPECT_EQ(f.WakeUps(), 2);
  ASSERT_EQ(f.host.messages.size(), 2u);
  EXPECT_EQ(f.host.messages[0].second, "COM7: no identification (port error: fake: port error) after 1 attempt");
}

struct BlockFailureCase {
  const char* name;
  CloneDirection direction;
  RadioFaults faults;
  std::string detail;  // the whole detail, or its start when it ends in "..."
};
void PrintTo(const BlockFailureCase& c, std::ostream* os) { *os << c.name; }

class BlockFailureTest : public ::testing::TestWithParam<BlockFailureCase> {};

TEST_P(BlockFailureTest, EndsWithProgramInterruptAndKeepsTheImage) {
  const BlockFailureCase& c = GetParam();
  Fixture f(c.direction, c.faults);
  const RadioImage radioBefore = f.radio.radio().Memory();
  const CloneResult r = f.Run();
  EXPECT_EQ(r.outcome, CloneOutcome::Interrupted);
  EXPECT_EQ(r.message, MessageId::ProgramInterrupt);
  if (c.detail.size() > 3 && c.detail.substr(c.detail.size() - 3) == "...") {
    EXPECT_EQ(r.detail.rfind(c.detail.substr(0, c.detail.size() - 3), 0), 0u) << r.detail;
  } else {
    EXPECT_EQ(r.detail, c.detail);
  }
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].first, MessageId::ProgramInterrupt);
  EXPECT_EQ(f.host.messages[0].second, r.detail);
  // The message comes first, then the port closes, then the dialog.
  const Log tail(f.line.log.end() - 3, f.line.log.end());
  EXPECT_EQ(tail, (Log{"message 61454", "close", "end"}));
  EXPECT_EQ(f.host.decodes, 0);
  if (c.direction == CloneDirection::Read) {
    EXPECT_EQ(f.image, Pattern(99)) << "a failed read must not change the document";
    EXPECT_EQ(f.radio.radio().Memory(), radioBefore);
  }
  EXPECT_EQ(f.radio.radio().CompletedWrites(), 0);
}

RadioFaults Nak(std::uint16_t a) { RadioFaults f; f.nakBlock = a; return f; }
RadioFaults ShortReply(std::uint16_t a) { RadioFaults f; f.shortReply = a; return f; }
RadioFaults HangUp(std::uint16_t a) { RadioFaults f; f.hangupAt = a; return f; }
RadioFaults WrongBlock(std::uint16_t a) { RadioFaults f; f.wrongBlock = a; return f; }
RadioFaults AckOnly() { RadioFaults f; f.ackOnly = true; return f; }

INSTANTIATE_TEST_SUITE_P(
    Blocks, BlockFailureTest,
    ::testing::Values(
        BlockFailureCase{"WriteNak", CloneDirection::Write, Nak(0x0C80), "COM7: no ACK after write of block 0x0C80 (received 0x15)"},
        BlockFailureCase{"WriteNakOnTheFinalBlock", CloneDirection::Write, Nak(0x1FF0), "COM7: no ACK after write of block 0x1FF0 (received 0x15)"},
        BlockFailureCase{"WriteHangUp", CloneDirection::Write, HangUp(0x0C80),
                         "COM7: no ACK after write of block 0x0C80 (port error: fake: port error; before that: write failed: ..."},
        BlockFailureCase{"ReadNak", CloneDirection::Read, Nak(0x0C80), "COM7: no ACK after read of block 0x0C80 (received 0x15)"},
        BlockFailureCase{"ReadShortReply", CloneDirection::Read, ShortReply(0x0C80), "COM7: short reply to read of block 0x0C80 (6 of 12 bytes)"},
        BlockFailureCase{"ReadShortReplyOnTheLastBlock", CloneDirection::Read, ShortReply(0x1FF8), "COM7: short reply to read of block 0x1FF8 (6 of 12 bytes)"},
        BlockFailureCase{"ReadHangUp", CloneDirection::Read, HangUp(0x0008), "COM7: no reply to read of block 0x0008 (port error: fake: port error)"},
        // Replies that are not the block asked for: another block's bytes, or
        // a line that sends nothing but ACKs.
        BlockFailureCase{"ReadAnsweredWithTheNextBlock", CloneDirection::Read, WrongBlock(0x0C80),
                         "COM7: wrong reply to read of block 0x0C80 (expected 57 0C 80 08, received 57 0C 88 08)"},
        BlockFailureCase{"ReadOfTheLastBlockAnsweredWithTheFirst", CloneDirection::Read, WrongBlock(0x1FF8),
                         "COM7: wrong reply to read of block 0x1FF8 (expected 57 1F F8 08, received 57 00 00 08)"},
        BlockFailureCase{"ReadAnsweredWithAcksOnly", CloneDirection::Read, AckOnly(),
                         "COM7: wrong reply to read of block 0x0000 (expected 57 00 00 08, received 06 06 06 06)"}),
    [](const auto& info) { return std::string(info.param.name); });

// Each of the four leading bytes of a read reply is checked: the letter of a
// write request, the address asked for, the block's length.
TEST(CloneSessionTest, ReplyWithAnotherLetterAddressOrLengthFailsTheRead) {
  const struct {
    std::size_t index;
    std::uint8_t value;
    const char* received;
  } cases[] = {{0, 'R', "52 0C 80 08"}, {1, 0x0D, "57 0D 80 08"}, {2, 0x88, "57 0C 88 08"}, {3, 0x10, "57 0C 80 10"}};
  for (const auto& c : cases) {
    Fixture f(CloneDirection::Read);
    const auto radio = f.line.farEnd;
    f.line.farEnd = [&](std::span<const std::uint8_t> bytes) {
      const std::size_t before = f.line.toProgram.size();
      radio(bytes);
      const std::uint8_t request[] = {'R', 0x0C, 0x80, 0x08};
      if (std::equal(bytes.begin(), bytes.end(), request, request + 4)) f.line.toProgram[before + c.index].second = c.value;
    };
    const CloneResult r = f.Run();
    EXPECT_EQ(r.outcome, CloneOutcome::Interrupted);
    EXPECT_EQ(r.detail, std::string("COM7: wrong reply to read of block 0x0C80 (expected 57 0C 80 08, received ") +
                            c.received + ")");
    EXPECT_EQ(f.image, Pattern(99)) << "a failed read must not change the document";
    EXPECT_EQ(f.Requests("52").size(), 0x0C80u / 8 + 1) << "no block is asked for after the wrong reply";
  }
}

struct CancelCase {
  const char* name;
  CloneDirection direction;
  int pump;  // 1-based pump step that returns the cancel flag
  int blocksAnswered;
};
void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.name; }

class CancelTest : public ::testing::TestWithParam<CancelCase> {};

TEST_P(CancelTest, ClosesThePortAtOnceWithoutAMessage) {
  const CancelCase& c = GetParam();
  Fixture f(c.direction);
  f.host.cancelAtPump = c.pump;
  const RadioImage radioBefore = f.radio.radio().Memory();
  const CloneResult r = f.Run();
  EXPECT_EQ(r.outcome, CloneOutcome::Cancelled);
  EXPECT_FALSE(r.message.has_value());
  EXPECT_TRUE(f.host.messages.empty());
  const Log tail(f.line.log.end() - 3, f.line.log.end());
  EXPECT_EQ(tail, (Log{"pump", "close", "end"}));
  EXPECT_EQ(f.host.pumps, c.pump);
  const char* letter = c.direction == CloneDirection::Read ? "52" : "57";
  EXPECT_EQ(static_cast<int>(f.Requests(letter).size()), c.blocksAnswered);
  if (c.direction == CloneDirection::Read) {
    EXPECT_EQ(f.image, Pattern(99));
    EXPECT_EQ(f.host.decodes, 0);
  } else {
    const RadioImage& radio = f.radio.radio().Memory();
    const std::size_t written = static_cast<std::size_t>(c.blocksAnswered) * 8;
    EXPECT_TRUE(std::equal(radio.data(), radio.data() + written, f.image.data()));
    EXPECT_TRUE(std::equal(radio.data() + written, radio.data() + kImageSize, radioBefore.data() + written));
  }
  // What the radio now holds, for the words of the cancel.
  const int sent = c.direction == CloneDirection::Write ? c.blocksAnswered : 0;
  EXPECT_EQ(r.blocksSent, sent);
  if (sent > 0) {
    EXPECT_EQ(r.lastBlockSent, (sent - 1) * 8);
  }
}

INSTANTIATE_TEST_SUITE_P(
    PumpSteps, CancelTest,
    ::testing::Values(CancelCase{"BeforeTheFirstWakeUp", CloneDirection::Read, 1, 0},
                      CancelCase{"AtTheLastHandshakeStep", CloneDirection::Write, 6, 0},
                      CancelCase{"HalfWayThroughARead", CloneDirection::Read, 6 + 9 * 100 + 1, 101},
                      CancelCase{"HalfWayThroughAWrite", CloneDirection::Write, 6 + 9 * 300 + 9, 301}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CloneSessionTest, PortThatCannotBeOpenedShows61453AndNeverSends) {
  for (const CloneDirection d : {CloneDirection::Read, CloneDirection::Write}) {
    Fixture f(d);
    f.line.openError = "No such file or directory";
    const CloneResult r = f.Run();
    EXPECT_EQ(r.outcome, CloneOutcome::PortOpenFailed);
    EXPECT_EQ(r.message, MessageId::CouldNotOpenPort);
    EXPECT_EQ(r.detail, "COM7: No such file or directory");
    EXPECT_TRUE(f.line.Entries("tx").empty());
    EXPECT_EQ(f.line.closes, 0);
    EXPECT_EQ(f.host.ends, 1);
    const Log expectedStart =
        d == CloneDirection::Write ? Log{"commit", "range 511", "encode", "open COM7", "message 61453", "end"}
                                   : Log{"commit", "range 512", "open COM7", "message 61453", "end"};
    EXPECT_EQ(f.line.log, expectedStart);
  }
}

TEST(CloneSessionTest, DirectionChosenDuringTheHandshakeDecidesTheBlockLoop) {
  {
    // Read offered, Write chosen while the handshake runs: the grid is
    // encoded before anything is written, and the bar runs to 511.
    Fixture f(CloneDirection::Read);
    f.host.onPump = [&](int pump) {
      if (pump == 3) f.host.direction = CloneDirection::Write;
    };
    const CloneResult r = f.Run();
    ASSERT_TRUE(r.ok()) << r.detail;
    EXPECT_EQ(r.direction, CloneDirection::Write);
    EXPECT_EQ(f.Requests("52").size(), 0u);
    EXPECT_EQ(f.Requests("57").size(), 1023u);
    EXPECT_EQ(f.host.encodes, 1);
    const auto encodeAt = std::find(f.line.log.begin(), f.line.log.end(), "encode");
    const auto firstWrite = std::find(f.line.log.begin(), f.line.log.end(), "tx 57 00 00 08");
    EXPECT_LT(encodeAt, firstWrite);
    EXPECT_EQ(f.host.maximum, 511);
    EXPECT_EQ(f.host.position, 511);
  }
  {
    Fixture f(CloneDirection::Write);
    f.host.onPump = [&](int pump) {
      if (pump == 2) f.host.direction = CloneDirection::Read;
    };
    const CloneResult r = f.Run();
    ASSERT_TRUE(r.ok()) << r.detail;
    EXPECT_EQ(r.direction, CloneDirection::Read);
    EXPECT_EQ(f.Requests("57").size(), 0u);
    EXPECT_EQ(f.Requests("52").size(), 1024u);
    EXPECT_EQ(f.image, f.radio.radio().Memory());
    EXPECT_EQ(f.host.maximum, 512);
  }
}

TEST(CloneSessionTest, SessionsOneAfterAnotherOnTheSameRadio) {
  Fixture f(CloneDirection::Write);
  ASSERT_TRUE(f.Run().ok());
  RadioImage written = f.image;
  f.image = Pattern(55);
  f.host.direction = CloneDirection::Read;
  ASSERT_TRUE(f.Run().ok());
  EXPECT_TRUE(std::equal(f.image.data(), f.image.data() + 0x1FF3, written.data()));
  EXPECT_EQ(f.line.opens, 2);
  EXPECT_EQ(f.line.closes, 2);
}

TEST(CloneSessionTest, TraceHasOneLinePerWireEventWithTheSessionTime) {
  Fixture f(CloneDirection::Read, Silent());
  std::vector<std::string> lines;
  WireTrace trace([&](std::string_view l) { lines.emplace_back(l); },
                  [&] { return std::chrono::duration_cast<std::chrono::nanoseconds>(f.line.now); });
  f.line.now = Micros(5'000'000);  // the session's own time starts at zero
  CloneSession session(f.host, f.image, "COM7", [&] { return std::make_unique<FakePort>(f.line); });
  session.SetTrace(&trace);
  session.Run();
  ASSERT_GE(lines.size(), 9u);
  // Six 1 ms pump pauses, then 5 ms before each wake-up byte.
  EXPECT_EQ(lines[0], "   11.000 TX 02");
  EXPECT_EQ(lines[1], "   16.000 TX 50");
  EXPECT_EQ(lines[6], "   41.000 TX 41");
  EXPECT_EQ(lines[7], "  631.000 RX (time-out: 0 of 1 bytes)");
  EXPECT_EQ(lines[8], " 1221.000 RX (time-out: 0 of 1 bytes)");
  EXPECT_EQ(lines.size(), 15u * 9u);
}

TEST(WireTraceTest, FormatsTimeBytesAndNotes) {
  const std::vector<std::uint8_t> bytes = {0x52, 0x00, 0x08, 0x08};
  EXPECT_EQ(WireTrace::FormatLine(12.345, "TX", bytes, ""), "   12.345 TX 52 00 08 08");
  EXPECT_EQ(WireTrace::FormatLine(0.0004, "RX", std::vector<std::uint8_t>{0x06}, ""), "    0.000 RX 06");
  EXPECT_EQ(WireTrace::FormatLine(123456.7891, "RX", {}, "port error: x"), "123456.789 RX (port error: x)");

  std::vector<std::string> lines;
  std::chrono::nanoseconds now{0};
  WireTrace trace([&](std::string_view l) { lines.emplace_back(l); }, [&] { return now; });
  now = std::chrono::milliseconds(7);
  trace.Start();
  now += std::chrono::microseconds(14001);
  trace.Received(std::span<const std::uint8_t>(bytes).first(2), 12, Status::Ok());
  trace.Received({}, 1, Status::Error("/dev/pts/9: the line was hung up"));
  trace.Sent(std::chrono::milliseconds(7) + std::chrono::microseconds(1500), bytes, Status::Error("EIO"));
  EXPECT_EQ(lines, (std::vector<std::string>{"   14.001 RX 52 00 (time-out: 2 of 12 bytes)",
                                             "   14.001 RX (port error: /dev/pts/9: the line was hung up)",
                                             "    1.500 TX 52 00 08 08 (port error: EIO)"}));
}

}  // namespace
}  // namespace torvan::test
