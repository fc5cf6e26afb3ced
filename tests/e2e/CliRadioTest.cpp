// torvan-cli read/write against torvan-radio-sim over a real pseudo-terminal:
// the whole road a user takes, every fault the virtual radio can show, and
// the messages and exit statuses a script sees.

#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <pty.h>
#include <sys/stat.h>

#include "ChildProcess.h"
#include "CliRun.h"
#include "OnTerminal.h"
#include "FileNodes.h"
#include "TempDir.h"
#include "VirtualRadio.h"
#include "core/files/InputFile.h"
#include "core/link/SerialPort.h"
#include "core/radio/DatFile.h"

namespace torvan::test {
namespace {

using namespace std::chrono_literals;

const std::string kCouldNotOpen =
    "Could not Open the Port,Please check whether the Port are occupied or the device are ok";
const std::string kCommunicationError = "Communication Error,Please check all the connections and the radio power";
const std::string kProgramInterrupt = "Program Interrupt, Please reset the radio and try again";

// The last line of a program's stderr.
std::string LastLine(const std::string& text) {
  std::string t = text;
  while (!t.empty() && t.back() == '\n') t.pop_back();
  const auto nl = t.rfind('\n');
  return nl == std::string::npos ? t : t.substr(nl + 1);
}

class CliRadioTest : public ::testing::Test {
 protected:
  std::string Save(const std::string& name, const RadioImage& img) {
    const std::string p = dir_.file(name);
    EXPECT_TRUE(SaveDat(p, img).ok());
    return p;
  }
  void ExpectPortFree(const std::string& path) {
    const Status s = ProbePort(path);
    EXPECT_TRUE(s.ok()) << "the port must be free again at once: " << s.error();
  }

  TempDir dir_;
};

TEST_F(CliRadioTest, ReadGivesTheRadiosWholeMemoryAndCanBeRepeated) {
  const RadioImage memory = Pattern(3);
  Radio radio({"--image", Save("radio.dat", memory)});
  ASSERT_FALSE(radio.path().empty());
  for (int round = 0; round < 2; ++round) {
    const std::string out = dir_.file("read" + std::to_string(round) + ".dat");
    const ProcessResult r = Cli({"read", "--port", radio.path(), "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "") << "no progress bar when stderr is not a terminal";
    EXPECT_EQ(Load(out), memory);
    ExpectPortFree(radio.path());
  }
  EXPECT_EQ(radio.Stop().exitCode, 0);
}

TEST_F(CliRadioTest, WriteStoresTheImageButNeverItsLastThirteenBytes) {
  const RadioImage before = Pattern(5);
  const RadioImage image = Pattern(77);
  const std::string saved = dir_.file("saved.dat");
  Radio radio({"--image", Save("before.dat", before), "--save", saved});
  const ProcessResult r = Cli({"write", "--port", radio.path(), Save("in.dat", image)});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ExpectPortFree(radio.path());
  // The radio saves after its last ACK: its file is complete once it ended.
  EXPECT_EQ(radio.Stop(SIGTERM).exitCode, 0);
  RadioImage expected = image;
  for (std::size_t a = 0x1FF3; a < kImageSize; ++a) expected[a] = before[a];
  EXPECT_EQ(Load(saved), expected);
}

TEST_F(CliRadioTest, VerifyReadsBackAndNamesTheFirstDifference) {
  const RadioImage image = Pattern(9);
  const std::string in = Save("in.dat", image);
  {
    Radio radio({});
    const ProcessResult r = Cli({"write", "--port", radio.path(), in, "--verify"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    ExpectPortFree(radio.path());
  }
  {
    // A memory cell that does not take the new bytes.
    Radio radio({"--fault", "stuck-block=0x0C80"});
    const ProcessResult r = Cli({"write", "--port", radio.path(), in, "--verify"});
    EXPECT_EQ(r.exitCode, 1);
    char expected[160];
    std::snprintf(expected, sizeof expected, "torvan-cli: verify failed at 0x0C80: the radio holds 0xFF, %s has 0x%02X",
                  in.c_str(), image[0x0C80]);
    EXPECT_EQ(LastLine(r.err), expected);
    ExpectPortFree(radio.path());
  }
}

struct FaultCase {
  const char* name;
  std::vector<std::string> radioArgs;
  const char* verb;  // "read" or "write"
  std::vector<std::string> cliArgs;
  int exitCode;
  std::string message;  // the last stderr line after "torvan-cli: ", {port} for the port
  bool radioHangsUp = false;
  // A write the radio acknowledges but does not store at this block.
  std::optional<std::uint16_t> stuckBlock = std::nullopt;
};
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

// The files of a folder, by name.
std::vector<std::string> FilesIn(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// What the radio stores from a complete write of `image` over `before`: all
// but the thirteen bytes after the band, and all but a stuck block.
RadioImage StoredByWrite(const RadioImage& image, const RadioImage& before, std::optional<std::uint16_t> stuck) {
  RadioImage expected = image;
  for (std::size_t a = map::kFinalWriteBlock + map::kFinalWriteSize; a < kImageSize; ++a) expected[a] = before[a];
  if (stuck) {
    for (std::size_t a = *stuck; a < *stuck + map::kBlockSize; ++a) expected[a] = before[a];
  }
  return expected;
}

class FaultTest : public CliRadioTest, public ::testing::WithParamInterface<FaultCase> {};

// Every fault kind of the virtual radio, reading and writing: the message and
// exit status a script sees, the port free again, and no file half written:
// a read leaves an existing output file as it was (or replaces it whole), a
// write leaves its input as it was, and nothing else appears in the folder.
TEST_P(FaultTest, MessageExitStatusAndNothingHalfWritten) {
  const FaultCase& c = GetParam();
  const bool reading = std::string(c.verb) == "read";
  const std::string saved = dir_.file("saved.dat");
  std::vector<std::string> radioArgs = c.radioArgs;
  radioArgs.insert(radioArgs.end(), {"--save", saved});
  Radio radio(radioArgs);
  ASSERT_FALSE(radio.path().empty());

  const std::string out = dir_.file("out.dat");
  const RadioImage oldOut = Pattern(42);
  const RadioImage image = Pattern(11);
  std::vector<std::string> args = {c.verb, "--port", radio.path()};
  if (reading) {
    Save("out.dat", oldOut);
    args.insert(args.end(), {"-o", out});
  } else {
    args.push_back(Save("in.dat", image));
  }
  args.insert(args.end(), c.cliArgs.begin(), c.cliArgs.end());
  const std::vector<std::string> filesBefore = FilesIn(dir_.path());
  const ProcessResult r = Cli(args);
  EXPECT_FALSE(r.timedOut);
  EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
  std::string message = c.message;
  for (auto at = message.find("{port}"); at != std::string::npos; at = message.find("{port}")) {
    message.replace(at, 6, radio.path());
  }
  if (c.exitCode == 0) {
    EXPECT_EQ(r.err, "");
  } else {
    const std::string last = LastLine(r.err);
    if (message.ends_with("...")) {
      // How a hang-up shows (end of file, I/O error) depends on the moment.
      message.resize(message.size() - 3);
      EXPECT_TRUE(last.starts_with("torvan-cli: " + message)) << last;
    } else {
      EXPECT_EQ(last, "torvan-cli: " + message);
    }
    EXPECT_FALSE(std::filesystem::exists(saved)) << "a failed write is not a complete write";
  }
  if (c.radioHangsUp) {
    // The radio closed its end and went away; the command still ended cleanly.
    EXPECT_EQ(radio.WaitForExit().exitCode, 0);
  } else {
    ExpectPortFree(radio.path());
    EXPECT_EQ(radio.Stop().exitCode, 0);
  }

  // The files, once the radio has ended (it saves its memory after its last
  // ACK, while the command may already have ended).
  if (reading) {
    // The radio of these tests holds the image of a new document.
    EXPECT_EQ(Load(out), c.exitCode == 0 ? RadioImage::NewDocument() : oldOut);
  } else {
    EXPECT_EQ(Load(dir_.file("in.dat")), image);
    if (c.exitCode == 0) {
      EXPECT_EQ(Load(saved), StoredByWrite(image, RadioImage::NewDocument(), c.stuckBlock));
    }
  }
  std::vector<std::string> filesAfter = FilesIn(dir_.path());
  std::erase(filesAfter, "saved.dat");
  EXPECT_EQ(filesAfter, filesBefore) << "no temporary or other file is left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Radio, FaultTest,
    ::testing::Values(
        FaultCase{"StrayByteBeforeTheAck", {"--fault", "stray-byte"}, "read", {}, 0, ""},
        FaultCase{"StrayByteBeforeTheAckOnWrite", {"--fault", "stray-byte"}, "write", {}, 0, ""},
        FaultCase{"ShortIdentification", {"--fault", "short-id"}, "read", {}, 0, ""},
        FaultCase{"ShortIdentificationOnWrite", {"--fault", "short-id"}, "write", {}, 0, ""},
        FaultCase{"NoFinalAck", {"--fault", "no-final-ack"}, "read", {}, 1,
                  kCommunicationError + ": {port}: no ACK after the identification (nothing received) after 1 attempt"},
        FaultCase{"NoFinalAckOnWrite", {"--fault", "no-final-ack"}, "write", {}, 1,
                  kCommunicationError + ": {port}: no ACK after the identification (nothing received) after 1 attempt"},
        FaultCase{"NakOnWrite", {"--fault", "nak-block=0x0C80"}, "write", {}, 1,
                  kProgramInterrupt + ": {port}: no ACK after write of block 0x0C80 (received 0x15)"},
        FaultCase{"NakOnTheFinalWriteBlock", {"--fault", "nak-block=0x1FF0"}, "write", {}, 1,
                  kProgramInterrupt + ": {port}: no ACK after write of block 0x1FF0 (received 0x15)"},
        FaultCase{"NakOnRead", {"--fault", "nak-block=3200"}, "read", {}, 1,
                  kProgramInterrupt + ": {port}: no ACK after read of block 0x0C80 (received 0x15)"},
        FaultCase{"ShortReply", {"--fault", "short-reply=0x0C80"}, "read", {}, 1,
                  kProgramInterrupt + ": {port}: short reply to read of block 0x0C80 (6 of 12 bytes)"},
        // A write has no replies to shorten.
        FaultCase{"ShortReplyOnWrite", {"--fault", "short-reply=0x0C80"}, "write", {}, 0, ""},
        // A read gets what the memory holds; a write cannot see a block that
        // was acknowledged but not stored (only --verify can, tested above).
        FaultCase{"StuckBlockOnRead", {"--fault", "stuck-block=0x0C80"}, "read", {}, 0, ""},
        FaultCase{"StuckBlockOnWrite", {"--fault", "stuck-block=0x0C80"}, "write", {}, 0, "", false, 0x0C80},
        FaultCase{"HangUpDuringRead", {"--fault", "hangup-at=0x0C80"}, "read", {}, 1,
                  kProgramInterrupt + ": {port}: no reply to read of block 0x0C80 (port error: {port}: ...", true},
        FaultCase{"HangUpDuringWrite", {"--fault", "hangup-at=0x0C80"}, "write", {}, 1,
                  kProgramInterrupt + ": {port}: no ACK after write of block 0x0C80 (port error: {port}: ...", true},
        // Nobody answers: fifteen attempts of two full one-byte time-outs each.
        FaultCase{"SilentRadio", {"--fault", "silent"}, "read", {"--retries", "0"}, 1,
                  kCommunicationError + ": {port}: no ACK to the wake-up (nothing received) after 15 attempts"},
        FaultCase{"SilentRadioOnWrite", {"--fault", "silent"}, "write", {"--retries", "0"}, 1,
                  kCommunicationError + ": {port}: no ACK to the wake-up (nothing received) after 15 attempts"},
        // Replies that are not the block asked for fail the read; a write
        // has no replies but ACKs, and goes through.
        FaultCase{"WrongBlockOnRead", {"--fault", "wrong-block=0x0C80"}, "read", {}, 1,
                  kProgramInterrupt +
                      ": {port}: wrong reply to read of block 0x0C80 (expected 57 0C 80 08, received 57 0C 88 08)"},
        FaultCase{"AckOnlyOnRead", {"--fault", "ack-only"}, "read", {}, 1,
                  kProgramInterrupt +
                      ": {port}: wrong reply to read of block 0x0000 (expected 57 00 00 08, received 06 06 06 06)"},
        FaultCase{"WrongBlockOnWrite", {"--fault", "wrong-block=0x0C80"}, "write", {}, 0, ""},
        FaultCase{"AckOnlyOnWrite", {"--fault", "ack-only"}, "write", {}, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The radio's end goes away in the middle of the blocks without a word (the
// virtual radio is killed, so its terminal closes): the transfer ends at once
// with the system's message, naming the block and the port error, and leaves
// no file half written.
class RadioGoneTest : public CliRadioTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RadioGoneTest, TransferEndsWithProgramInterruptAndNothingHalfWritten) {
  const std::string verb = GetParam();
  const bool reading = verb == "read";
  const std::string saved = dir_.file("saved.dat");
  // Paced: the blocks take about 20 s, so the kill lands among them.
  Radio radio({"--baud", "9600", "--save", saved});
  ASSERT_FALSE(radio.path().empty());
  const RadioImage oldOut = Pattern(42);
  const RadioImage image = Pattern(11);
  const std::string file = reading ? Save("out.dat", oldOut) : Save("in.dat", image);
  const std::vector<std::string> filesBefore = FilesIn(dir_.path());

  std::vector<std::string> args = {TORVAN_CLI_PATH, verb, "--port", radio.path()};
  if (reading) {
    args.insert(args.end(), {"-o", file});
  } else {
    args.push_back(file);
  }
  ChildProcess cli(args);
  ASSERT_TRUE(HoldsFile(cli.pid(), radio.path(), 10s)) << "torvan-cli never opened the port";
  // The handshake takes about 0.1 s, the blocks about 14 s (write) or 19 s
  // (read): the kill lands among the blocks even on a machine that is busy.
  std::this_thread::sleep_for(3s);
  EXPECT_EQ(radio.Stop(SIGKILL).signal, SIGKILL);
  const ProcessResult r = cli.Wait(kCommandLimit);
  EXPECT_FALSE(r.timedOut);
  EXPECT_EQ(r.exitCode, 1) << r.err;
  const std::regex message("torvan-cli: " + kProgramInterrupt + ": " + radio.path() + ": (no reply to|no ACK after) " +
                           verb + " of block 0x[0-9A-F]{4} \\(port error: .*");
  EXPECT_TRUE(std::regex_match(LastLine(r.err), message)) << r.err;
  EXPECT_EQ(Load(file), reading ? oldOut : image);
  EXPECT_EQ(FilesIn(dir_.path()), filesBefore) << "no file is written and none is left behind";
}

INSTANTIATE_TEST_SUITE_P(Radio, RadioGoneTest, ::testing::Values("read", "write"),
                         [](const auto& info) { return std::string(info.param); });

TEST_F(CliRadioTest, RetriesAnswerTheQuestionThenCancel) {
  Radio radio({"--fault", "no-final-ack"});
  const std::string trace = dir_.file("trace.log");
  const ProcessResult r = Cli({"read", "--port", radio.path(), "-o", dir_.file("out.dat"), "--retries", "2",
                               "--trace", trace});
  EXPECT_EQ(r.exitCode, 1);
  // Without a terminal the retries do not show: the failure is the one line.
  const std::string detail = radio.path() + ": no ACK after the identification (nothing received) after 1 attempt";
  EXPECT_EQ(r.err, "torvan-cli: " + kCommunicationError + ": " + detail + "\n");
  // Three handshakes on the wire: three wake-ups.
  const Result<std::string> file = ReadWholeFile(trace);
  ASSERT_TRUE(file.ok()) << file.error();
  const std::string& text = file.value();
  std::size_t wakeUps = 0;
  for (auto at = text.find(" TX 41\n"); at != std::string::npos; at = text.find(" TX 41\n", at + 1)) ++wakeUps;
  EXPECT_EQ(wakeUps, 3u);
}

TEST_F(CliRadioTest, PortThatCannotBeOpened) {
  const std::string out = dir_.file("out.dat");
  ProcessResult r = Cli({"read", "--port", "/dev/torvan-no-such-port", "-o", out});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "torvan-cli: " + kCouldNotOpen + ": /dev/torvan-no-such-port: No such file or directory\n");
  EXPECT_FALSE(std::filesystem::exists(out));

  // In use by another program: the test holds it.
  Radio radio({});
  auto holder = CreateSystemSerialPort();
  ASSERT_TRUE(holder->Open(radio.path()).ok());
  r = Cli({"write", "--port", radio.path(), Save("in.dat", Pattern(1))});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "torvan-cli: " + kCouldNotOpen + ": " + radio.path() + ": the port is in use by another program\n");
  holder->Close();
  r = Cli({"read", "--port", radio.path(), "-o", out});
  EXPECT_EQ(r.exitCode, 0) << r.err;
}

// A file the command cannot write (the output or the trace) stops it before
// anything goes over the wire: a read of the whole radio is not thrown away
// at the end, and the radio is not written by a command that then fails.
TEST_F(CliRadioTest, OutputThatCannotBeWrittenStopsTheCommandBeforeTheRadio) {
  const std::string in = Save("in.dat", Pattern(7));
  const std::string missing = dir_.file("no-such-folder");
  const struct {
    const char* name;
    std::vector<std::string> args;  // after the verb and --port
    std::string unwritable;
    const char* because;
    std::string mustNotExist;  // a file that only a session would have made
  } cases[] = {
      {"read, output in a missing folder", {"read", "-o", missing + "/out.dat", "--trace", dir_.file("t.log")},
       missing + "/out.dat", "No such file or directory", dir_.file("t.log")},
      {"read, output is a folder", {"read", "-o", dir_.path().string(), "--trace", dir_.file("t.log")},
       dir_.path().string(), "Is a directory", dir_.file("t.log")},
      {"read, trace in a missing folder", {"read", "-o", dir_.file("out.dat"), "--trace", missing + "/t.log"},
       missing + "/t.log", "No such file or directory", dir_.file("out.dat")},
      {"write, trace in a missing folder", {"write", in, "--trace", missing + "/t.log"}, missing + "/t.log",
       "No such file or directory", dir_.file("saved.dat")},
      {"write --verify, trace under a file", {"write", in, "--verify", "--trace", in + "/t.log"}, in + "/t.log",
       "Not a directory", dir_.file("saved.dat")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    {
      Radio radio({"--save", dir_.file("saved.dat")});
      std::vector<std::string> args = c.args;
      args.insert(args.begin() + 1, {"--port", radio.path()});
      const ProcessResult r = Cli(args);
      EXPECT_EQ(r.exitCode, 1) << r.err;
      EXPECT_EQ(r.err, "torvan-cli: cannot write " + c.unwritable + ": " + c.because + "\n");
      ExpectPortFree(radio.path());
      EXPECT_EQ(radio.Stop().exitCode, 0);
    }
    EXPECT_FALSE(std::filesystem::exists(c.mustNotExist)) << "the session ran";
  }
}

TEST_F(CliRadioTest, TraceHasOneLinePerWireEvent) {
  Radio radio({});
  const std::string trace = dir_.file("read.log");
  const ProcessResult r = Cli({"read", "--port", radio.path(), "-o", dir_.file("out.dat"), "--trace", trace});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Result<std::string> file = ReadWholeFile(trace);
  ASSERT_TRUE(file.ok()) << file.error();
  const std::string& text = file.value();
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  // Handshake: 7 wake-up bytes, ACK, 'M', 02, identification, ACK, ACK;
  // then four events for each of 1024 blocks.
  ASSERT_EQ(lines.size(), 13u + 4u * 1024u);
  const std::regex line(R"( *[0-9]+\.[0-9]{3} (TX|RX)( [0-9A-F]{2})+)");
  for (const auto& l : lines) ASSERT_TRUE(std::regex_match(l, line)) << l;
  EXPECT_TRUE(lines[0].ends_with(" TX 02"));
  EXPECT_TRUE(lines[13].ends_with(" TX 52 00 00 08"));
  EXPECT_TRUE(lines.back().ends_with(" RX 06"));
}

TEST_F(CliRadioTest, InterruptCancelsATransferCleanly) {
  // A paced radio: the read takes about 20 s, Ctrl-C comes long before.
  Radio radio({"--baud", "9600"});
  const std::string out = dir_.file("out.dat");
  ChildProcess cli({TORVAN_CLI_PATH, "read", "--port", radio.path(), "-o", out});
  ASSERT_TRUE(HoldsFile(cli.pid(), radio.path(), 10s)) << "torvan-cli never opened the port";
  std::this_thread::sleep_for(200ms);  // into the handshake or the blocks: both cancel
  cli.Signal(SIGINT);
  const ProcessResult r = cli.Wait(kCommandLimit);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "torvan-cli: read cancelled; " + out + " was not written\n");
  EXPECT_FALSE(std::filesystem::exists(out));
  ExpectPortFree(radio.path());
}

// Only a radio image goes to a radio, and the refusal comes before the port
// is opened: the port named here does not exist, so any attempt to open it
// would fail with another message.
TEST_F(CliRadioTest, WriteTakesOnlyARadioImage) {
  const std::string port = "/dev/torvan-no-such-port";
  const std::string csv = dir_.file("channels.csv");
  const ProcessResult exported = Cli({"export", Save("in.dat", Pattern(1)), "-o", csv});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  const auto csvBytes = std::filesystem::file_size(csv);
  RadioImage noBand = Pattern(2);
  noBand[0x1FF0] = 0x33;  // "302 - 332MHz" of a text file: 0x33 0x30 0x32
  noBand[0x1FF1] = 0x30;
  noBand[0x1FF2] = 0x32;
  RadioImage garbage = Pattern(3);
  garbage[0x1FF0] = garbage[0x1FF1] = garbage[0x1FF2] = 0xFF;
  const std::string longFile = Save("long.dat", Pattern(4));
  {
    std::ofstream more(longFile, std::ios::binary | std::ios::app);
    more << "trailing bytes";
  }
  const std::string zero = DeviceNode(dir_, MemoryDevice::Zero);
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{csv}, csv + " is not written to the radio: it holds " + std::to_string(csvBytes) +
                  " bytes, a radio image holds exactly 8192"},
      {{csv, "--force"}, csv + " is not written to the radio: it holds " + std::to_string(csvBytes) +
                             " bytes, a radio image holds exactly 8192"},
      {{longFile}, longFile + " is not written to the radio: it holds 8206 bytes, a radio image holds exactly 8192"},
      {{zero, "--force"},
       zero + " is not written to the radio: it holds more than 8192 bytes, a radio image holds exactly 8192"},
      {{Save("noband.dat", noBand)}, dir_.file("noband.dat") +
                                         " is not written to the radio: the band bytes at 0x1FF0-0x1FF2 (33 30 32) give "
                                         "a lower edge of 333 MHz, above the upper edge of 302 MHz (--force writes it "
                                         "all the same)"},
      {{Save("garbage.dat", garbage)}, dir_.file("garbage.dat") +
                                           " is not written to the radio: the band bytes at 0x1FF0-0x1FF2 (FF FF FF) "
                                           "are not decimal digits (--force writes it all the same)"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"write", "--port", port};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ProcessResult r = Cli(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "torvan-cli: " + c.error + "\n");
  }
  // --force writes an image whose band bytes are no band.
  const std::string saved = dir_.file("saved.dat");
  Radio radio({"--save", saved});
  const ProcessResult forced = Cli({"write", "--port", radio.path(), dir_.file("garbage.dat"), "--force"});
  EXPECT_EQ(forced.exitCode, 0) << forced.err;
  EXPECT_EQ(radio.Stop().exitCode, 0);
  EXPECT_EQ(Load(saved), StoredByWrite(garbage, RadioImage::NewDocument(), std::nullopt));
}

// A trace that cannot be written, late (the disk is full), is a warning: the
// transfer's own outcome decides the exit status.
TEST_F(CliRadioTest, TraceThatCannotBeWrittenIsAWarning) {
  const std::string full = DeviceNode(dir_, MemoryDevice::Full);
  const std::string warning =
      "torvan-cli: warning: the trace was not written: cannot write " + full + ": No space left on device\n";
  const RadioImage memory = Pattern(5);
  const std::string saved = dir_.file("saved.dat");
  Radio radio({"--image", Save("radio.dat", memory), "--save", saved});
  const std::string out = dir_.file("out.dat");
  ProcessResult r = Cli({"read", "--port", radio.path(), "-o", out, "--trace", full});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, warning);
  EXPECT_EQ(Load(out), memory);

  const RadioImage image = Pattern(6);
  r = Cli({"write", "--port", radio.path(), Save("in.dat", image), "--verify", "--trace", full});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, warning);
  EXPECT_EQ(radio.Stop().exitCode, 0);
  EXPECT_EQ(Load(saved), StoredByWrite(image, memory, std::nullopt));
  EXPECT_TRUE(IsCharacterDevice(full));

  // A transfer that failed still fails, and says so last.
  Radio nak({"--fault", "nak-block=0x0C80"});
  r = Cli({"write", "--port", nak.path(), dir_.file("in.dat"), "--trace", full});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, warning + "torvan-cli: " + kProgramInterrupt + ": " + nak.path() +
                       ": no ACK after write of block 0x0C80 (received 0x15)\n");
}

// SIGTERM and SIGHUP (a closed terminal, a stopped service) cancel a transfer
// as Ctrl+C does, at the next block, and the command says what the radio now
// holds.
TEST_F(CliRadioTest, SignalsCancelLikeCtrlC) {
  const RadioImage image = Pattern(8);
  const std::string in = Save("in.dat", image);
  for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
    for (const std::string verb : {"read", "write"}) {
      SCOPED_TRACE(verb + " " + std::to_string(sig));
      const std::string saved = dir_.file("saved.dat");
      std::filesystem::remove(saved);
      Radio radio({"--baud", "9600", "--save", saved});  // a read or write takes about 20 s
      const std::string out = dir_.file("out.dat");
      std::vector<std::string> args = {TORVAN_CLI_PATH, verb, "--port", radio.path()};
      if (verb == "read") {
        args.insert(args.end(), {"-o", out});
      } else {
        args.push_back(in);
      }
      ChildProcess cli(args);
      ASSERT_TRUE(HoldsFile(cli.pid(), radio.path(), 10s)) << "torvan-cli never opened the port";
      std::this_thread::sleep_for(1s);  // well into the blocks
      cli.Signal(sig);
      const ProcessResult r = cli.Wait(kCommandLimit);
      EXPECT_EQ(r.exitCode, 1) << r.err;
      if (verb == "read") {
        EXPECT_EQ(r.err, "torvan-cli: read cancelled; " + out + " was not written\n");
        EXPECT_FALSE(std::filesystem::exists(out));
      } else {
        const std::regex message(
            "torvan-cli: write cancelled after block 0x([0-9A-F]{4}) \\(([0-9]+) of 1023 blocks sent\\); the "
            "radio holds a partly written memory: write again\n");
        std::smatch m;
        ASSERT_TRUE(std::regex_match(r.err, m, message)) << r.err;
        EXPECT_EQ(std::stoul(m[1].str(), nullptr, 16), (std::stoul(m[2].str()) - 1) * 8);
      }
      ExpectPortFree(radio.path());
      EXPECT_EQ(radio.Stop().exitCode, 0);
      EXPECT_FALSE(std::filesystem::exists(saved)) << "the radio saw no complete write";
    }
  }
  // Cancelled while the radio has not answered yet: nothing was sent.
  Radio silent({"--fault", "silent"});
  ChildProcess cli({TORVAN_CLI_PATH, "write", "--port", silent.path(), in});
  ASSERT_TRUE(HoldsFile(cli.pid(), silent.path(), 10s));
  std::this_thread::sleep_for(300ms);
  cli.Signal(SIGTERM);
  const ProcessResult r = cli.Wait(kCommandLimit);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "torvan-cli: write cancelled before any block was sent; the radio's memory was not changed\n");
}

// Runs torvan-cli with its stderr on a terminal of its own.
ProcessResult CliOnTerminal(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {TORVAN_CLI_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunWithStderrOnTerminal(argv, kCommandLimit);
}

// Each retry shows on the progress display of a terminal, where the next
// drawing covers it; the failure is one line of its own, the last.
TEST_F(CliRadioTest, RetriesShowOnTheProgressDisplayOfATerminal) {
  Radio radio({"--fault", "no-final-ack"});
  const ProcessResult r =
      CliOnTerminal({"read", "--port", radio.path(), "-o", dir_.file("out.dat"), "--retries", "2"});
  EXPECT_EQ(r.exitCode, 1);
  const std::string detail = radio.path() + ": no ACK after the identification (nothing received) after 1 attempt";
  EXPECT_TRUE(r.err.ends_with("\ntorvan-cli: " + kCommunicationError + ": " + detail + "\n")) << r.err;
  // Before it, one line of redraws: the two retries.
  const std::string display = r.err.substr(0, r.err.find('\n'));
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
  EXPECT_NE(display.find("\rRead Data: retrying (1 retry left): " + radio.path()), std::string::npos) << display;
  EXPECT_NE(display.find("\rRead Data: retrying (0 retries left): " + radio.path()), std::string::npos) << display;
}

// "Permission denied" on a port names the device's own group, and only when
// joining that group would let the user in.
TEST_F(CliRadioTest, PermissionDeniedNamesTheDevicesGroup) {
  if (!IsRoot() || !std::filesystem::exists("/usr/bin/setpriv")) {
    GTEST_SKIP() << "needs root to give the terminal away and run the program as another user";
  }
  Radio radio({});
  const std::string port = radio.path();
  const struct {
    const char* what;
    mode_t mode;
    std::string groups;  // the user's groups
    std::string hint;
  } cases[] = {
      {"group root may use it", 0660, "--clear-groups", " (the user is not in group root, which may use the device)"},
      {"the user is in the group", 0600, "--groups=0", ""},
      {"only its owner may use it", 0600, "--clear-groups", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(::chown(port.c_str(), 0, 0), 0);
    ASSERT_EQ(::chmod(port.c_str(), c.mode), 0);
    const ProcessResult r = RunProcess({"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", c.groups,
                                        TORVAN_CLI_PATH, "read", "--port", port, "-o", "-"},
                                       kCommandLimit);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "torvan-cli: " + kCouldNotOpen + ": " + port + ": Permission denied" + c.hint + "\n");
  }
}

TEST_F(CliRadioTest, UsageErrors) {
  const std::string in = Save("in.dat", Pattern(1));
  const std::vector<std::vector<std::string>> cli = {
      {"read", "-o", "x.dat"},
      {"read", "--port", "/dev/null"},
      {"read", "--port", "/dev/null", "-o", "x.dat", "--retries", "many"},
      {"read", "--port", "/dev/null", "-o", "x.dat", "extra"},
      {"write", "--port", "/dev/null"},
      {"write", "--port", "/dev/null", in, "--verify=yes"},
      {"ports", "extra"},
  };
  for (const auto& args : cli) {
    const ProcessResult r = Cli(args);
    EXPECT_EQ(r.exitCode, 2) << args[0] << ": " << r.err;
    EXPECT_NE(r.err.find("usage: torvan-cli " + args[0]), std::string::npos) << r.err;
  }
  const std::vector<std::vector<std::string>> sim = {
      {"--fault", "loud"}, {"--fault", "nak-block=0x0C81"}, {"--baud", "0"}, {"--baud"}, {"--port", "x"},
      // A second address of one kind would quietly replace the first.
      {"--fault", "stuck-block=0x0C80", "--fault", "stuck-block=0x0C88"}};
  for (auto args : sim) {
    args.insert(args.begin(), TORVAN_SIM_PATH);
    const ProcessResult r = RunProcess(args, 10s);
    EXPECT_EQ(r.exitCode, 2) << args[1] << ": " << r.err;
    EXPECT_NE(r.err.find("usage: torvan-radio-sim"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "") << "no terminal is opened on a usage error";
  }
}

TEST_F(CliRadioTest, MissingInputFileIsAFailureNotAUsageError) {
  const ProcessResult w = Cli({"write", "--port", "/dev/null", dir_.file("missing.dat")});
  EXPECT_EQ(w.exitCode, 1);
  EXPECT_EQ(w.err, "torvan-cli: cannot open " + dir_.file("missing.dat") + ": No such file or directory\n");
  // The virtual radio refuses files it cannot use before it opens a terminal:
  // a --save it cannot write would otherwise fail only after a write session
  // that the program took for a success.
  const std::string missing = dir_.file("no-such-folder") + "/saved.dat";
  const struct {
    std::vector<std::string> args;
    std::string err;
  } sim[] = {
      {{"--image", dir_.file("missing.dat")}, "cannot open " + dir_.file("missing.dat") + ": No such file or directory"},
      {{"--save", missing}, "cannot write " + missing + ": No such file or directory"},
      {{"--save", dir_.path().string()}, "cannot write " + dir_.path().string() + ": Is a directory"},
  };
  for (auto c : sim) {
    c.args.insert(c.args.begin(), TORVAN_SIM_PATH);
    const ProcessResult s = RunProcess(c.args, 10s);
    EXPECT_EQ(s.exitCode, 1) << c.args[1] << " " << c.args[2];
    EXPECT_EQ(s.out, "");
    EXPECT_EQ(s.err, "torvan-radio-sim: " + c.err + "\n");
  }
}

}  // namespace
}  // namespace torvan::test
