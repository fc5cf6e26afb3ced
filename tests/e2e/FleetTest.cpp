// Several radios at once: torvan-cli read and write with one --port per
// radio, against as many virtual radios over real pseudo-terminals. Each
// port's outcome is its own line, in the order the ports were given; a
// failing radio does not stop the others; Ctrl+C stops them all.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "BackupFolder.h"
#include "ChildProcess.h"
#include "CliRun.h"
#include "OnTerminal.h"
#include "TempDir.h"
#include "VirtualRadio.h"
#include "core/files/InputFile.h"
#include "core/link/SerialPort.h"
#include "core/radio/DatFile.h"

namespace torvan::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr std::size_t kRadios = 3;
// The trace of one whole read: four lines for each of the 1024 blocks, and
// those of the wake-up and the end.
constexpr std::ptrdiff_t kTraceLinesOfARead = 4 * 1024 + 13;

const std::string kProgramInterrupt = "Program Interrupt, Please reset the radio and try again";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The last `n` lines of a program's stderr.
std::vector<std::string> LastLines(const std::string& text, std::size_t n) {
  const std::vector<std::string> all = Lines(text);
  return std::vector<std::string>(all.end() - static_cast<std::ptrdiff_t>(std::min(n, all.size())), all.end());
}

std::vector<std::string> FilesIn(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The last component of a port's path: the name of its files.
std::string NameOf(const std::string& port) { return fs::path(port).filename().string(); }

std::string RegexQuoted(const std::string& text) {
  static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
  return std::regex_replace(text, special, R"(\$&)");
}

class FleetTest : public ::testing::Test {
 protected:
  std::string Save(const std::string& name, const RadioImage& img) {
    const std::string p = dir_.file(name);
    EXPECT_TRUE(SaveDat(p, img).ok());
    return p;
  }
  // Starts radio i with its memory saved to saved<i>.dat after a write.
  void StartRadios(const std::vector<std::vector<std::string>>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
      std::vector<std::string> a = args[i];
      a.insert(a.end(), {"--save", Saved(i)});
      radios_.push_back(std::make_unique<Radio>(a));
      ASSERT_FALSE(radios_.back()->path().empty());
    }
  }
  std::string Saved(std::size_t i) const { return dir_.file("saved" + std::to_string(i) + ".dat"); }
  std::string Port(std::size_t i) const { return radios_[i]->path(); }
  // "--port A --port B ..." for every radio.
  std::vector<std::string> PortArgs() const {
    std::vector<std::string> args;
    for (std::size_t i = 0; i < radios_.size(); ++i) args.insert(args.end(), {"--port", Port(i)});
    return args;
  }
  void ExpectPortsFree() {
    for (std::size_t i = 0; i < radios_.size(); ++i) {
      const Status s = ProbePort(Port(i));
      EXPECT_TRUE(s.ok()) << "port " << i << " must be free again at once: " << s.error();
    }
  }
  // Stops every radio; afterwards their saved files are complete.
  void StopRadios() {
    for (auto& r : radios_) EXPECT_EQ(r->Stop().exitCode, 0);
  }

  TempDir dir_;
  std::vector<std::unique_ptr<Radio>> radios_;
};

// What the radio stores from a complete write of `image` over `before`.
RadioImage StoredByWrite(const RadioImage& image, const RadioImage& before) {
  RadioImage expected = image;
  for (std::size_t a = map::kFinalWriteBlock + map::kFinalWriteSize; a < kImageSize; ++a) expected[a] = before[a];
  return expected;
}

// The radio in the middle refuses a block: it fails, the others are written
// and verified, and the lines come in the order of the ports, not of their
// ends. Without a terminal the progress is plain lines.
TEST_F(FleetTest, AFailingRadioDoesNotStopTheOthers) {
  const RadioImage image = Pattern(21);
  const std::string in = Save("in.dat", image);
  std::vector<RadioImage> before;
  std::vector<std::vector<std::string>> radioArgs;
  for (unsigned i = 0; i < kRadios; ++i) {
    before.push_back(Pattern(50 + i));
    radioArgs.push_back({"--image", Save("before" + std::to_string(i) + ".dat", before.back())});
  }
  radioArgs[1].insert(radioArgs[1].end(), {"--fault", "nak-block=0x0C80"});
  StartRadios(radioArgs);

  std::vector<std::string> args = {"write"};
  const std::vector<std::string> ports = PortArgs();
  args.insert(args.end(), ports.begin(), ports.end());
  args.insert(args.end(), {in, "--verify"});
  const ProcessResult r = Cli(args);
  EXPECT_FALSE(r.timedOut);
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(LastLines(r.err, kRadios),
            (std::vector<std::string>{Port(0) + ": written and verified",
                                      Port(1) + ": " + kProgramInterrupt +
                                          ": no ACK after write of block 0x0C80 (received 0x15)",
                                      Port(2) + ": written and verified"}))
      << r.err;
  const std::vector<std::string> lines = Lines(r.err);
  const std::regex progress("(" + RegexQuoted(Port(0)) + "|" + RegexQuoted(Port(1)) + "|" + RegexQuoted(Port(2)) +
                            "): (Write|Read) Data (25|50|75|100)%");
  for (std::size_t i = 0; i + kRadios < lines.size(); ++i) {
    EXPECT_TRUE(std::regex_match(lines[i], progress)) << lines[i];
  }
  EXPECT_NE(std::find(lines.begin(), lines.end(), Port(0) + ": Read Data 100%"), lines.end())
      << "the read-back shows too";

  ExpectPortsFree();
  StopRadios();
  EXPECT_EQ(Load(Saved(0)), StoredByWrite(image, before[0]));
  EXPECT_FALSE(fs::exists(Saved(1))) << "the radio saw no complete write";
  EXPECT_EQ(Load(Saved(2)), StoredByWrite(image, before[2]));
  EXPECT_EQ(Load(in), image);
}

// Each radio's memory into FOLDER/<port name>.dat, a trace per port, and a
// backup of each read.
TEST_F(FleetTest, ReadOfEveryRadioIntoAFolder) {
  std::vector<RadioImage> memory;
  std::vector<std::vector<std::string>> radioArgs;
  for (unsigned i = 0; i < kRadios; ++i) {
    memory.push_back(Pattern(30 + i));
    radioArgs.push_back({"--image", Save("memory" + std::to_string(i) + ".dat", memory.back())});
  }
  StartRadios(radioArgs);
  const fs::path folder = dir_.path() / "radios";
  fs::create_directory(folder);
  const fs::path backups = dir_.path() / "backups";
  const ScopedBackupFolder backupFolder(backups.string());

  std::vector<std::string> args = {"read"};
  const std::vector<std::string> ports = PortArgs();
  args.insert(args.end(), ports.begin(), ports.end());
  args.insert(args.end(), {"-o", folder.string() + "/", "--trace", dir_.file("t.log")});
  const ProcessResult r = Cli(args);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::vector<std::string> expected;
  std::vector<std::string> images;
  for (std::size_t i = 0; i < kRadios; ++i) {
    images.push_back(NameOf(Port(i)) + ".dat");
    expected.push_back(Port(i) + ": read into " + (folder / images.back()).string());
    EXPECT_EQ(Load(folder / images.back()), memory[i]) << Port(i);
    // Each trace holds its own port's session from its wake-up on.
    const Result<std::string> trace = ReadWholeFile(dir_.file("t.log." + NameOf(Port(i))));
    ASSERT_TRUE(trace.ok()) << trace.error();
    EXPECT_TRUE(Lines(trace.value()).front().ends_with(" TX 02")) << trace.value().substr(0, 80);
    EXPECT_EQ(std::count(trace.value().begin(), trace.value().end(), '\n'), kTraceLinesOfARead)
        << "one session's lines, no other port's";
  }
  EXPECT_EQ(LastLines(r.err, kRadios), expected) << r.err;
  std::sort(images.begin(), images.end());
  EXPECT_EQ(FilesIn(folder), images) << "nothing else, no temporary file";

  // One backup per radio, named by its port, holding what it read.
  std::map<std::string, std::string> backupOf;
  for (const std::string& name : FilesIn(backups)) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(name, m, std::regex(R"([0-9]{8}-[0-9]{6}-(.+)\.dat)"))) << name;
    backupOf[m[1].str()] = name;
  }
  ASSERT_EQ(backupOf.size(), kRadios);
  for (std::size_t i = 0; i < kRadios; ++i) {
    ASSERT_TRUE(backupOf.count(NameOf(Port(i)))) << Port(i);
    EXPECT_EQ(Load(backups / backupOf[NameOf(Port(i))]), memory[i]);
  }
  ExpectPortsFree();
}

// Ctrl+C, SIGTERM or SIGHUP stops every port at its next block, and each line
// says what its radio now holds.
TEST_F(FleetTest, InterruptStopsEveryRadio) {
  const std::string in = Save("in.dat", Pattern(8));
  StartRadios({{"--baud", "9600"}, {"--baud", "9600"}, {"--baud", "9600"}});  // a write takes about 14 s
  std::vector<std::string> args = {TORVAN_CLI_PATH, "write"};
  const std::vector<std::string> ports = PortArgs();
  args.insert(args.end(), ports.begin(), ports.end());
  args.push_back(in);
  ChildProcess cli(args);
  for (std::size_t i = 0; i < kRadios; ++i) {
    ASSERT_TRUE(HoldsFile(cli.pid(), Port(i), 10s)) << "torvan-cli never opened " << Port(i);
  }
  std::this_thread::sleep_for(1s);  // well into the blocks
  cli.Signal(SIGTERM);
  const ProcessResult r = cli.Wait(kCommandLimit);
  EXPECT_EQ(r.exitCode, 1) << r.err;
  const std::vector<std::string> last = LastLines(r.err, kRadios);
  ASSERT_EQ(last.size(), kRadios);
  for (std::size_t i = 0; i < kRadios; ++i) {
    const std::regex line(RegexQuoted(Port(i)) +
                          ": write cancelled after block 0x[0-9A-F]{4} \\([0-9]+ of 1023 blocks sent\\); the radio "
                          "holds a partly written memory: write again");
    EXPECT_TRUE(std::regex_match(last[i], line)) << last[i];
  }
  ExpectPortsFree();
  StopRadios();
  for (std::size_t i = 0; i < kRadios; ++i) EXPECT_FALSE(fs::exists(Saved(i))) << "no radio saw a complete write";
}

// Ports that cannot run side by side, and outputs that cannot take several
// radios, are refused before any radio is touched.
TEST_F(FleetTest, PortsAndOutputsThatCannotTakeSeveralRadios) {
  const std::string in = Save("in.dat", Pattern(1));
  StartRadios({{}, {}});
  fs::create_directories(dir_.path() / "one");
  fs::create_directories(dir_.path() / "two");
  const std::string one = dir_.file("one/ttyX");
  const std::string two = dir_.file("two/ttyX");
  const std::string twoUpper = dir_.file("two/TTYX");
  const std::string alias = dir_.file("alias");
  fs::create_symlink(Port(0), one);
  fs::create_symlink(Port(1), two);
  fs::create_symlink(Port(1), twoUpper);
  fs::create_symlink(Port(0), alias);
  const std::string folder = dir_.file("radios");
  fs::create_directory(folder);
  const std::string file = Save("file.dat", Pattern(2));
  const struct {
    std::vector<std::string> args;
    std::string error;
  } usage[] = {
      {{"read", "--port", Port(0), "--port", Port(0), "-o", folder},
       "--port " + Port(0) + " and --port " + Port(0) + " are the same port: give each port once"},
      {{"write", "--port", Port(0), "--port", alias, in},
       "--port " + Port(0) + " and --port " + alias + " are the same port: give each port once"},
      {{"read", "--port", one, "--port", two, "-o", folder},
       "--port " + one + " and --port " + two +
           " have the same name ttyX, which names the files of each port: use a link of another name for one of them"},
      {{"write", "--port", one, "--port", twoUpper, in},
       "--port " + one + " and --port " + twoUpper +
           " have the same name TTYX, which names the files of each port: use a link of another name for one of them"},
      {{"read", "--port", Port(0), "--port", Port(1), "-o", "-"},
       "-o - takes the memory of one port; with several ports -o names a folder, and each port's memory goes to "
       "FOLDER/<port name>.dat"},
      {{"read", "--port", Port(0), "--port", Port(1), "-o", file},
       "-o " + file + " is not a folder; with several ports -o names a folder, and each port's memory goes to "
                      "FOLDER/<port name>.dat"},
      {{"read", "--port", Port(0), "--port", Port(1), "-o", folder, "--trace", "-"},
       "--trace - (standard output) takes the trace of one port; with several ports give a file name: each port's "
       "trace goes to NAME.<port name>"},
  };
  // A port's trace that would be the image to write.
  const std::string image = Save("img." + NameOf(Port(1)), Pattern(3));
  for (const auto& c : usage) {
    const ProcessResult r = Cli(c.args);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(Lines(r.err).front(), "torvan-cli " + c.args[0] + ": " + c.error);
    EXPECT_NE(r.err.find("usage: torvan-cli " + c.args[0]), std::string::npos) << r.err;
  }
  const ProcessResult overTheInput =
      Cli({"write", "--port", Port(0), "--port", Port(1), image, "--trace", dir_.file("img")});
  EXPECT_EQ(overTheInput.exitCode, 2);
  EXPECT_EQ(Lines(overTheInput.err).front(), "torvan-cli write: --trace " + image + " is the input file " + image +
                                                 ": writing it would destroy what the command reads");
  EXPECT_EQ(Load(image), Pattern(3));

  // A folder that is not there: a failure, before any radio is touched.
  const std::string missing = dir_.file("no-such-folder");
  const ProcessResult r = Cli({"read", "--port", Port(0), "--port", Port(1), "-o", missing});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "torvan-cli: cannot write " + missing + "/" + NameOf(Port(0)) +
                       ".dat: No such file or directory\n");
  ExpectPortsFree();
  StopRadios();
  for (std::size_t i = 0; i < radios_.size(); ++i) EXPECT_FALSE(fs::exists(Saved(i)));
}

// On a terminal each port has one line, redrawn in place (never wider than
// the terminal, so that a redraw covers it), and the block is cleared at the
// end: what stays on the screen are the result lines.
TEST_F(FleetTest, OnATerminalEachRadioHasALineRedrawnInPlace) {
  const std::string in = Save("in.dat", Pattern(4));
  StartRadios({{}, {"--fault", "nak-block=0x0C80"}, {}});
  const std::string results = Port(0) + ": written and verified\n" + Port(1) + ": " + kProgramInterrupt +
                              ": no ACK after write of block 0x0C80 (received 0x15)\n" + Port(2) +
                              ": written and verified\n";
  const std::string block = Port(0) + ":\n" + Port(1) + ":\n" + Port(2) + ":\n";
  const std::string clear = "\x1b[3A\r\x1b[J";
  const std::regex redraw("\x1b\\[([1-3])A\r([^\x1b\n]*)\x1b\\[K\x1b\\[\\1B\r");
  for (const unsigned short columns : {120, 40}) {
    SCOPED_TRACE(std::to_string(columns) + " columns");
    std::vector<std::string> args = {TORVAN_CLI_PATH, "write"};
    const std::vector<std::string> ports = PortArgs();
    args.insert(args.end(), ports.begin(), ports.end());
    args.insert(args.end(), {in, "--verify"});
    const ProcessResult r = RunWithStderrOnTerminal(args, kCommandLimit, columns);
    EXPECT_EQ(r.exitCode, 1);
    ASSERT_TRUE(r.err.starts_with(block)) << r.err.substr(0, 200);
    const std::size_t end = r.err.rfind(clear);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(r.err.substr(end + clear.size()), results);

    // Between them nothing but redraws of one port's line each.
    const std::string draws = r.err.substr(block.size(), end - block.size());
    std::vector<std::string> lastDrawn(kRadios);
    std::size_t at = 0;
    std::smatch m;
    while (at < draws.size() && std::regex_search(draws.cbegin() + static_cast<std::ptrdiff_t>(at), draws.cend(), m,
                                                  redraw, std::regex_constants::match_continuous)) {
      const std::size_t index = kRadios - std::stoul(m[1].str());
      const std::string line = m[2].str();
      EXPECT_TRUE(line.starts_with(Port(index) + ": ")) << line;
      EXPECT_LT(line.size(), columns) << line;
      lastDrawn[index] = line;
      at += static_cast<std::size_t>(m.length(0));
    }
    EXPECT_EQ(at, draws.size()) << "not a redraw: " << draws.substr(at, 80);
    // Each port's line ends showing its result, as far as the width allows.
    const std::vector<std::string> resultLines = Lines(results);
    for (std::size_t i = 0; i < kRadios; ++i) {
      EXPECT_EQ(lastDrawn[i], resultLines[i].substr(0, std::min<std::size_t>(resultLines[i].size(), columns - 1u)));
    }
  }
  ExpectPortsFree();
}

// A terminal with no line to spare below the ports' lines cannot have them
// redrawn in place (the cursor stops at its top): plain lines instead, as in a
// log file.
TEST_F(FleetTest, OnATerminalTooShortForEveryRadioTheLinesArePlain) {
  const std::string in = Save("in.dat", Pattern(5));
  StartRadios({{}, {}, {}});
  std::vector<std::string> args = {TORVAN_CLI_PATH, "write"};
  const std::vector<std::string> ports = PortArgs();
  args.insert(args.end(), ports.begin(), ports.end());
  args.push_back(in);
  const ProcessResult r = RunWithStderrOnTerminal(args, kCommandLimit, 80, static_cast<unsigned short>(kRadios));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << "no cursor movement: " << r.err.substr(0, 200);
  const std::vector<std::string> lines = Lines(r.err);
  ASSERT_EQ(lines.size(), kRadios * 4 + kRadios) << r.err;
  for (std::size_t i = 0; i < kRadios; ++i) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), Port(i) + ": Write Data 100%"), lines.end()) << r.err;
  }
  EXPECT_EQ(LastLines(r.err, kRadios), (std::vector<std::string>{Port(0) + ": written", Port(1) + ": written",
                                                                 Port(2) + ": written"}));
}

}  // namespace
}  // namespace torvan::test
