// torvan-cli and torvan-radio-sim writing files that are not plain new files:
// device nodes, FIFOs, standard output, links, read-only files, names of every
// legal length, outputs that name the command's own inputs, options given
// twice. The real programs, as a user runs them.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "FileNodes.h"
#include "TempDir.h"
#include "VirtualRadio.h"
#include "core/radio/DatFile.h"

namespace torvan::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr auto kLimit = 40s;

ProcessResult Cli(std::vector<std::string> args) {
  args.insert(args.begin(), TORVAN_CLI_PATH);
  return RunProcess(args, kLimit);
}

std::string ReadRaw(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  ASSERT_TRUE(out.good()) << path;
}

std::string NewImageBytes() {
  const RadioImage img = RadioImage::NewDocument();
  return std::string(img.data(), img.data() + kImageSize);
}

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

class FileTargets : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SaveDat(in_, RadioImage::NewDocument()).ok());
    WriteRaw(csv_, "CH,Rx Frequency\nPr,401.12500\n");
  }

  TempDir dir_;
  const std::string in_ = dir_.file("in.dat");
  const std::string csv_ = dir_.file("in.csv");
};

// Devices, FIFOs and standard output are written in place: a device stays a
// device, a FIFO's reader gets the bytes, and "-" or /dev/stdout is the
// command's standard output.
TEST_F(FileTargets, OutputsThatAreNotFilesAreWrittenInPlace) {
  const std::string null = DeviceNode(dir_, MemoryDevice::Null);
  const std::string full = DeviceNode(dir_, MemoryDevice::Full);
  const std::string fifo = dir_.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const std::string csv = Cli({"export", in_}).out;
  ASSERT_FALSE(csv.empty());

  const struct {
    const char* what;
    std::vector<std::string> args;
    int exitCode;
    std::string out;  // what standard output must hold
    std::string err;
  } cases[] = {
      {"new onto a null device", {"new", null}, 0, "", ""},
      {"new onto a full device", {"new", full}, 1, "", "torvan-cli: cannot write " + full + ": No space left on device\n"},
      {"new onto -", {"new", "-"}, 0, NewImageBytes(), ""},
      {"new onto a link to its standard output", {"new", StandardOutputName(dir_)}, 0, NewImageBytes(), ""},
      {"export onto -", {"export", in_, "-o", "-"}, 0, csv, ""},
      {"export onto a null device", {"export", in_, "-o", null}, 0, "", ""},
      {"import onto -", {"import", in_, csv_, "-o", "-"}, 0, "", ""},  // the image: checked below
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ProcessResult r = Cli(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    if (std::string(c.what) == "import onto -") {
      EXPECT_EQ(r.out.size(), kImageSize);
      EXPECT_EQ(r.err, "read 1 channel line, changed 1 channel, wrote standard output\n");
    } else {
      EXPECT_TRUE(r.out == c.out) << r.out.size() << " bytes on standard output";
      EXPECT_EQ(r.err, c.err);
    }
  }
  EXPECT_TRUE(IsCharacterDevice(null));
  EXPECT_TRUE(IsCharacterDevice(full));

  // A FIFO: the program that reads it gets the image, and it stays a FIFO.
  std::future<std::string> reader = std::async(std::launch::async, [&] { return test::ReadFifo(fifo); });
  const ProcessResult r = Cli({"new", fifo});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(reader.get() == NewImageBytes());
  EXPECT_TRUE(IsFifo(fifo));
}

// The virtual radio's --save onto a device, and a read's output onto standard
// output with its trace onto a device.
TEST_F(FileTargets, RadioSaveAndReadOutputOntoDevicesAndStandardOutput) {
  const std::string null = DeviceNode(dir_, MemoryDevice::Null);
  Radio radio({"--save", null});
  ASSERT_FALSE(radio.path().empty());
  ProcessResult r = Cli({"write", "--port", radio.path(), in_});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  r = Cli({"read", "--port", radio.path(), "-o", "-", "--trace", null});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(r.out == NewImageBytes()) << r.out.size() << " bytes";
  const ProcessResult stopped = radio.Stop();
  EXPECT_EQ(stopped.exitCode, 0);
  EXPECT_EQ(stopped.err, "") << "the radio saved without complaint";
  EXPECT_TRUE(IsCharacterDevice(null));
}

// A link stays a link and the file it points to is replaced; a replaced file
// keeps its mode; a file its permission bits do not let us write is refused,
// by root as well, and a read finds that out before the radio is read.
TEST_F(FileTargets, LinksModesAndReadOnlyFiles) {
  fs::create_directory(dir_.file("real"));
  WriteRaw(dir_.file("real/target.dat"), "old");
  fs::create_symlink("real/target.dat", dir_.file("link.dat"));
  ProcessResult r = Cli({"new", dir_.file("link.dat")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(IsSymlink(dir_.file("link.dat")));
  EXPECT_TRUE(ReadRaw(dir_.file("real/target.dat")) == NewImageBytes());

  WriteRaw(dir_.file("shared.dat"), "old");
  ::chmod(dir_.file("shared.dat").c_str(), 0664);
  r = Cli({"new", dir_.file("shared.dat")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ModeOf(dir_.file("shared.dat")), 0664u);

  const std::string readOnly = dir_.file("readonly.dat");
  WriteRaw(readOnly, "old");
  ::chmod(readOnly.c_str(), 0444);
  r = Cli({"new", readOnly});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "torvan-cli: cannot write " + readOnly + ": Permission denied\n");
  Radio radio({"--save", dir_.file("saved.dat")});
  r = Cli({"read", "--port", radio.path(), "-o", readOnly});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "torvan-cli: cannot write " + readOnly + ": Permission denied\n");
  EXPECT_EQ(ReadRaw(readOnly), "old");
  EXPECT_EQ(ModeOf(readOnly), 0444u);
}

// File names of every legal length are written: the temporary file's name
// does not grow with them.
TEST_F(FileTargets, LongestLegalNames) {
  for (const std::size_t length : {244u, 250u, 255u}) {
    const std::string path = dir_.file(std::string(length - 4, 'n') + ".dat");
    const ProcessResult r = Cli({"new", path});
    EXPECT_EQ(r.exitCode, 0) << length << ": " << r.err;
    EXPECT_TRUE(ReadRaw(path) == NewImageBytes()) << length;
  }
}

// An output that names one of the command's inputs, or another of its
// outputs, directly or through a link, is a usage error that touches nothing.
TEST_F(FileTargets, OutputOverAnInputIsAUsageError) {
  fs::create_symlink(in_, dir_.file("soft.dat"));
  fs::create_hard_link(in_, dir_.file("hard.dat"));
  const std::string port = "/dev/torvan-no-such-port";  // never reached
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"write", "--port", port, in_, "--trace", in_}, "--trace " + in_ + " is the input file " + in_},
      {{"write", "--port", port, in_, "--trace", dir_.file("soft.dat")},
       "--trace " + dir_.file("soft.dat") + " is the input file " + in_},
      {{"write", "--port", port, in_, "--trace", dir_.file("hard.dat")},
       "--trace " + dir_.file("hard.dat") + " is the input file " + in_},
      {{"read", "--port", port, "-o", in_, "--trace", dir_.file("soft.dat")},
       "-o and --trace name the same file (" + dir_.file("soft.dat") + ")"},
      {{"read", "--port", port, "-o", "-", "--trace", "-"}, "-o and --trace name the same file (-)"},
      {{"export", in_, "-o", dir_.file("soft.dat")}, "-o " + dir_.file("soft.dat") + " is the input file " + in_},
      {{"import", in_, csv_, "-o", csv_}, "-o " + csv_ + " is the input file " + csv_},
  };
  const std::string image = ReadRaw(in_);
  const std::string rows = ReadRaw(csv_);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.message);
    const ProcessResult r = Cli(c.args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.starts_with("torvan-cli " + c.args[0] + ": " + c.message)) << r.err;
    EXPECT_NE(r.err.find("usage: torvan-cli " + c.args[0]), std::string::npos) << r.err;
    EXPECT_TRUE(ReadRaw(in_) == image);
    EXPECT_EQ(ReadRaw(csv_), rows);
  }
  // An import may update its own image in place: it is read whole first.
  const ProcessResult inPlace = Cli({"import", in_, csv_, "-o", in_});
  EXPECT_EQ(inPlace.exitCode, 0) << inPlace.err;
  EXPECT_TRUE(ReadRaw(in_) != image) << "the channel was applied";
}

// An option given twice would quietly take one of the values: a usage error
// instead. Only what is documented as repeatable (the radio's --fault, the
// ports of read and write) adds up.
TEST_F(FileTargets, OptionsGivenTwiceAreUsageErrors) {
  const std::string a = dir_.file("a.out");
  const std::string b = dir_.file("b.out");
  const std::vector<std::vector<std::string>> cli = {
      // --port is repeatable for read and write (several radios at once).
      {"read", "--port", "/dev/null", "-o", a, "--trace", a, "--trace", b},
      {"write", "--port", "/dev/null", "--port", "/dev/zero", in_, "--retries", "1", "--retries", "1"},
      {"read", "--port", "/dev/null", "-o", a, "-o", b},
      {"read", "--port", "/dev/null", "-o", a, "--retries", "1", "--retries=2"},
      {"write", "--port", "/dev/null", in_, "--verify", "--verify"},
      {"export", in_, "-o", a, "-o", b},
      {"show", in_, "--lang", "English", "--lang", "Chinese"},
      {"import", in_, csv_, "-o", a, "-o", b},
  };
  for (const auto& args : cli) {
    const ProcessResult r = Cli(args);
    EXPECT_EQ(r.exitCode, 2) << args[0] << ": " << r.err;
    EXPECT_NE(r.err.find("is given more than once"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("usage: torvan-cli " + args[0]), std::string::npos) << r.err;
  }
  const std::vector<std::vector<std::string>> sim = {
      {"--image", in_, "--image", in_}, {"--save", a, "--save", b}, {"--baud", "9600", "--baud", "1200"}};
  for (auto args : sim) {
    args.insert(args.begin(), TORVAN_SIM_PATH);
    const ProcessResult r = RunProcess(args, 10s);
    EXPECT_EQ(r.exitCode, 2) << args[1] << ": " << r.err;
    EXPECT_NE(r.err.find("is given more than once"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "") << "no terminal is opened on a usage error";
  }
  EXPECT_FALSE(fs::exists(a));
  EXPECT_FALSE(fs::exists(b));
  // --fault is repeatable.
  Radio radio({"--fault", "stray-byte", "--fault", "short-id"});
  EXPECT_FALSE(radio.path().empty());
}

}  // namespace
}  // namespace torvan::test
