// The virtual radio's protocol side and its fault options.

#include "core/link/RadioEmulator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeLink.h"
#include "core/link/CloneSession.h"

namespace torvan::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Feeds bytes, collects every answer's bytes.
Bytes Feed(RadioEmulator& radio, const Bytes& in, RadioEmulator::Answer* last = nullptr) {
  Bytes out;
  for (const std::uint8_t b : in) {
    RadioEmulator::Answer a = radio.Receive(b);
    out.insert(out.end(), a.bytes.begin(), a.bytes.end());
    if (last) *last = a;
  }
  return out;
}

const Bytes kWake(std::begin(clone::kWakeUp), std::end(clone::kWakeUp));
const Bytes kIdent(std::begin(RadioEmulator::kIdentification), std::end(RadioEmulator::kIdentification));

void Handshake(RadioEmulator& radio) {
  ASSERT_EQ(Feed(radio, kWake), Bytes{0x06});
  ASSERT_EQ(Feed(radio, {'M', 0x02}), kIdent);
  ASSERT_EQ(Feed(radio, {0x06}), Bytes{0x06});
}

Bytes WriteFrame(std::uint16_t a, const Bytes& data) {
  Bytes f = {'W', static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a & 0xFF),
             static_cast<std::uint8_t>(data.size())};
  f.insert(f.end(), data.begin(), data.end());
  return f;
}

TEST(RadioEmulatorTest, AnswersAReadBlockAndItsAck) {
  RadioImage memory;
  for (int i = 0; i < 8; ++i) memory[0x0C80 + i] = static_cast<std::uint8_t>(0xA0 + i);
  RadioEmulator radio(memory);
  Handshake(radio);
  RadioEmulator::Answer a;
  EXPECT_EQ(Feed(radio, {'R', 0x0C, 0x80, 0x08}, &a),
            (Bytes{'W', 0x0C, 0x80, 0x08, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7}));
  EXPECT_FALSE(a.afterTurnaround);
  EXPECT_EQ(a.block, 0x0C80);
  EXPECT_EQ(Feed(radio, {0x06}), Bytes{0x06});
}

TEST(RadioEmulatorTest, HandshakeAnswersComeAfterTheTurnaround) {
  RadioEmulator radio(RadioImage{});
  RadioEmulator::Answer a;
  Feed(radio, kWake, &a);
  EXPECT_TRUE(a.afterTurnaround);
  Feed(radio, {'M', 0x02}, &a);
  EXPECT_TRUE(a.afterTurnaround);
  Feed(radio, {0x06}, &a);
  EXPECT_TRUE(a.afterTurnaround);
}

TEST(RadioEmulatorTest, WakeUpIsFoundAfterNoiseAndARestartedSequence) {
  RadioEmulator radio(RadioImage{});
  Bytes noisy = {0x55, 0x02, 'P', 'R', 0x02};  // a broken-off wake-up, then a whole one
  noisy.insert(noisy.end(), kWake.begin() + 1, kWake.end());
  EXPECT_EQ(Feed(radio, noisy), Bytes{0x06});
}

TEST(RadioEmulatorTest, CompleteWriteSessionStoresAllButTheLastThirteenBytesAndIsReportedOnce) {
  const RadioImage before = Filled(0x5A);
  RadioEmulator radio(before);
  Handshake(radio);
  RadioEmulator::Answer a;
  for (std::uint16_t addr = 0; addr < 0x1FF0; addr += 8) {
    const Bytes data(8, static_cast<std::uint8_t>(addr >> 3));
    ASSERT_EQ(Feed(radio, WriteFrame(addr, data), &a), Bytes{0x06});
    ASSERT_FALSE(a.writeCompleted);
  }
  EXPECT_EQ(Feed(radio, WriteFrame(0x1FF0, {0x13, 0x17, 0x64}), &a), Bytes{0x06});
  EXPECT_TRUE(a.writeCompleted);
  EXPECT_EQ(radio.CompletedWrites(), 1);
  EXPECT_EQ(radio.Memory()[0x0008], 0x01);
  EXPECT_EQ(radio.Memory()[0x1FF2], 0x64);
  EXPECT_EQ(radio.Memory()[0x1FF3], 0x5A);
  // The band block alone is not a complete write.
  EXPECT_EQ(Feed(radio, WriteFrame(0x1FF0, {0x40, 0x47, 0x00}), &a), Bytes{0x06});
  EXPECT_FALSE(a.writeCompleted);
}

TEST(RadioEmulatorTest, AWriteWithAMissingBlockIsNotComplete) {
  RadioEmulator radio(RadioImage{});
  Handshake(radio);
  RadioEmulator::Answer a;
  for (std::uint16_t addr = 0; addr < 0x1FF0; addr += 8) {
    if (addr == 0x0800) continue;
    Feed(radio, WriteFrame(addr, Bytes(8, 0x11)));
  }
  Feed(radio, WriteFrame(0x1FF0, {0x40, 0x42, 0x00}), &a);
  EXPECT_FALSE(a.writeCompleted);
}

struct FaultCase {
  const char* name;
  const char* fault;
  Bytes request;  // after the handshake
  Bytes answer;
};
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class FaultAnswerTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultAnswerTest, BlockFaults) {
  const FaultCase& c = GetParam();
  RadioFaults faults;
  ASSERT_TRUE(ParseRadioFault(c.fault, faults).ok());
  const RadioImage memory = Filled(0x77);
  RadioEmulator radio(memory, faults);
  Handshake(radio);
  EXPECT_EQ(Feed(radio, c.request), c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, FaultAnswerTest,
    ::testing::Values(
        FaultCase{"NakOnWrite", "nak-block=0x0C80", WriteFrame(0x0C80, Bytes(8, 1)), {0x15}},
        FaultCase{"NakOnReadAck", "nak-block=3200", {'R', 0x0C, 0x80, 0x08, 0x06},
                  {'W', 0x0C, 0x80, 0x08, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x15}},
        FaultCase{"OtherBlocksUnaffected", "nak-block=0x0C80", WriteFrame(0x0C88, Bytes(8, 1)), {0x06}},
        FaultCase{"ShortReply", "short-reply=0x0010", {'R', 0x00, 0x10, 0x08}, {'W', 0x00, 0x10, 0x08, 0x77, 0x77}},
        FaultCase{"BadFrameIsRefused", "stuck-block=0x0000", {'R', 0x1F, 0xFC, 0x08}, {0x15}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RadioEmulatorTest, HandshakeFaults) {
  {
    RadioFaults f;
    f.strayByte = true;
    RadioEmulator radio(RadioImage{}, f);
    EXPECT_EQ(Feed(radio, kWake), (Bytes{RadioEmulator::kStrayByte, 0x06}));
  }
  {
    RadioFaults f;
    f.shortId = true;
    RadioEmulator radio(RadioImage{}, f);
    Feed(radio, kWake);
    EXPECT_EQ(Feed(radio, {'M', 0x02}), Bytes(kIdent.begin(), kIdent.begin() + 4));
  }
  {
    RadioFaults f;
    f.noFinalAck = true;
    RadioEmulator radio(RadioImage{}, f);
    Feed(radio, kWake);
    Feed(radio, {'M', 0x02});
    EXPECT_EQ(Feed(radio, {0x06}), Bytes{});
    EXPECT_EQ(Feed(radio, kWake), Bytes{0x06});  // and it can be woken again
  }
  {
    RadioFaults f;
    f.silent = true;
    RadioEmulator radio(RadioImage{}, f);
    EXPECT_EQ(Feed(radio, kWake), Bytes{});
  }
}

TEST(RadioEmulatorTest, HangUpAndStuckBlock) {
  RadioFaults f;
  ASSERT_TRUE(ParseRadioFault("hangup-at=0x0010", f).ok());
  ASSERT_TRUE(ParseRadioFault("stuck-block=0x0008", f).ok());
  const RadioImage memory = Filled(0x33);
  RadioEmulator radio(memory, f);
  Handshake(radio);
  EXPECT_EQ(Feed(radio, WriteFrame(0x0008, Bytes(8, 0x44))), Bytes{0x06});
  EXPECT_EQ(radio.Memory()[0x0008], 0x33);
  RadioEmulator::Answer a;
  Feed(radio, {'R', 0x00, 0x10, 0x08}, &a);
  EXPECT_TRUE(a.hangUp);
  EXPECT_EQ(a.block, 0x0010);
}

// Replies that lie: the next block's reply for the one asked for, or ACKs
// in place of every byte.
TEST(RadioEmulatorTest, WrongBlockAndAckOnly) {
  RadioImage memory;
  for (std::size_t i = 0; i < kImageSize; ++i) memory[i] = static_cast<std::uint8_t>(i / 8);
  RadioFaults wrong;
  ASSERT_TRUE(ParseRadioFault("wrong-block=0x0010", wrong).ok());
  RadioEmulator radio(memory, wrong);
  Handshake(radio);
  EXPECT_EQ(Feed(radio, {'R', 0x00, 0x10, 0x08}), (Bytes{'W', 0x00, 0x18, 0x08, 3, 3, 3, 3, 3, 3, 3, 3}));
  EXPECT_EQ(Feed(radio, {0x06}), Bytes{0x06});
  EXPECT_EQ(Feed(radio, {'R', 0x00, 0x08, 0x08}), (Bytes{'W', 0x00, 0x08, 0x08, 1, 1, 1, 1, 1, 1, 1, 1}));

  RadioFaults acks;
  ASSERT_TRUE(ParseRadioFault("ack-only", acks).ok());
  RadioEmulator stuck(memory, acks);
  EXPECT_EQ(Feed(stuck, kWake), Bytes{0x06});
  EXPECT_EQ(Feed(stuck, {'M', 0x02}), Bytes(8, 0x06)) << "the identification too";
  EXPECT_EQ(Feed(stuck, {0x06}), Bytes{0x06});
  EXPECT_EQ(Feed(stuck, {'R', 0x00, 0x10, 0x08}), Bytes(12, 0x06));
  EXPECT_EQ(Feed(stuck, WriteFrame(0x0008, Bytes(8, 0x44))), Bytes{0x06});
  EXPECT_EQ(stuck.Memory()[0x0008], 0x44) << "what it is sent, it stores";
}

TEST(RadioEmulatorTest, QuietLineDropsAHalfFrame) {
  RadioEmulator radio(RadioImage{});
  Handshake(radio);
  Feed(radio, {'W', 0x00, 0x00, 0x08, 1, 2});
  radio.LineQuiet();
  EXPECT_EQ(Feed(radio, {'R', 0x00, 0x00, 0x08}).size(), 12u);
}

struct ParseCase {
  const char* text;
  const char* error;  // empty: accepted
};
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.text; }

class ParseFaultTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseFaultTest, Texts) {
  RadioFaults f;
  const Status s = ParseRadioFault(GetParam().text, f);
  EXPECT_EQ(s.error(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ParseFaultTest,
    ::testing::Values(
        ParseCase{"stray-byte", ""}, ParseCase{"silent", ""}, ParseCase{"short-id", ""}, ParseCase{"no-final-ack", ""},
        ParseCase{"nak-block=0x0C80", ""}, ParseCase{"short-reply=3200", ""}, ParseCase{"hangup-at=0X1ff8", ""},
        ParseCase{"stuck-block=0", ""},
        ParseCase{"silent=1", "fault silent takes no address"},
        ParseCase{"nak-block", "fault nak-block needs a block address: nak-block=ADDR"},
        ParseCase{"nak-block=0x2000",
                  "fault nak-block: \"0x2000\" is not a block address (0x0000 to 0x1FF8, a multiple of 8; hex with 0x or decimal)"},
        ParseCase{"hangup-at=0x0C81",
                  "fault hangup-at: \"0x0C81\" is not a block address (0x0000 to 0x1FF8, a multiple of 8; hex with 0x or decimal)"},
        ParseCase{"short-reply=12ab",
                  "fault short-reply: \"12ab\" is not a block address (0x0000 to 0x1FF8, a multiple of 8; hex with 0x or decimal)"},
        ParseCase{"ack-only", ""}, ParseCase{"wrong-block=0x1FF8", ""},
        ParseCase{"loud", "unknown fault \"loud\" (known: stray-byte, silent, short-id, no-final-ack, ack-only, "
                          "nak-block=ADDR, short-reply=ADDR, hangup-at=ADDR, stuck-block=ADDR, wrong-block=ADDR)"}));

TEST(ParseFaultTest, AddressesLandInTheirFields) {
  RadioFaults f;
  ASSERT_TRUE(ParseRadioFault("nak-block=0x0C80", f).ok());
  ASSERT_TRUE(ParseRadioFault("short-reply=16", f).ok());
  EXPECT_EQ(f.nakBlock, 0x0C80);
  EXPECT_EQ(f.shortReply, 0x0010);
  EXPECT_FALSE(f.hangupAt.has_value());
}

}  // namespace
}  // namespace torvan::test
