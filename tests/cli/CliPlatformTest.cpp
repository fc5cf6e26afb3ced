// torvan-cli where systems differ: file names in Chinese on the command line
// (on Windows they arrive as the wide command line, which the ANSI code page
// could not hold), standard output that carries bytes, and a build without Qt.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CliRun.h"
#include "TempDir.h"
#include "core/files/PathText.h"
#include "core/radio/DatFile.h"
#include "core/radio/RadioImage.h"

namespace torvan {
namespace {

using test::CliResult;
namespace fs = std::filesystem;

const std::string kChannels = "\xE9\xA2\x91\xE9\x81\x93.dat";           // 频道.dat
const std::string kList = "\xE9\xA2\x91\xE9\x81\x93 \xE8\xA1\xA8.csv";  // 频道 表.csv
const std::string kFolder = "\xE7\x94\xB5\xE5\x8F\xB0";                 // 电台
const std::string kCopy = kFolder + "/\xE6\x96\xB0.dat";                // 电台/新.dat
const std::string kMissing = "\xE7\xBC\xBA\xE5\xB0\x91.dat";            // 缺少.dat

class CliPlatform : public ::testing::Test {
 protected:
  CliResult Run(const std::vector<std::string>& args) { return test::RunCli(args, Folder()); }
  CliResult RunBytes(const std::vector<std::string>& args) { return test::RunCliBytes(args, Folder()); }
  std::string Folder() const { return PathText(dir_.path()); }
  fs::path Path(const std::string& utf8) const { return dir_.path() / PathFromUtf8(utf8); }
  std::string ReadBytes(const std::string& utf8) const {
    std::ifstream in(Path(utf8), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  test::TempDir dir_;
};

// Each command takes and writes files named in Chinese, in a folder named in
// Chinese, and names them so in its messages.
TEST_F(CliPlatform, ChineseFileNamesWorkInEveryCommand) {
  ASSERT_TRUE(fs::create_directory(Path(kFolder)));
  const struct {
    std::vector<std::string> args;
    int exit;
    std::string out;  // a line the output holds
    std::string err;  // the whole of stderr
    std::string writes;
  } steps[] = {
      {{"new", kChannels}, 0, "", "", kChannels},
      {{"show", kChannels}, 0, "Band: 400 - 420MHz", "", ""},
      {{"export", kChannels, "-o", kList}, 0, "", "", kList},
      {{"import", kChannels, kList, "-o", kCopy}, 0, "wrote " + kCopy, "", kCopy},
      {{"diff", kChannels, kCopy}, 0, "", "", ""},
      {{"show", kMissing}, 1, "", "torvan-cli: cannot open " + kMissing + ": No such file or directory\n", ""},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.args[0] + " " + step.args[1]);
    const CliResult r = Run(step.args);
    EXPECT_EQ(r.exitCode, step.exit) << r.err;
    if (!step.out.empty()) EXPECT_NE(r.out.find(step.out), std::string::npos) << r.out;
    EXPECT_EQ(r.err, step.err);
    if (!step.writes.empty()) EXPECT_TRUE(fs::is_regular_file(Path(step.writes)));
  }
  RadioImage image;
  ASSERT_TRUE(LoadDat(Path(kCopy), image).ok());
  EXPECT_EQ(image, RadioImage::NewDocument());
  EXPECT_FALSE(fs::exists(Path(kMissing)));
}

// Standard output carries an image or a list byte for byte, as a file does:
// no line ends are translated on the way out.
TEST_F(CliPlatform, StandardOutputGetsTheBytesAFileGets) {
  ASSERT_TRUE(SaveDat(Path("in.dat"), RadioImage::NewDocument()).ok());
  const struct {
    std::vector<std::string> toStdout;
    std::vector<std::string> toFile;
    std::string file;
  } cases[] = {
      {{"new", "-"}, {"new", "new.dat"}, "new.dat"},
      {{"export", "in.dat"}, {"export", "in.dat", "-o", "list.csv"}, "list.csv"},
      {{"export", "in.dat", "--format", "chirp"}, {"export", "in.dat", "--format", "chirp", "-o", "c.csv"}, "c.csv"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const CliResult out = RunBytes(c.toStdout);
    ASSERT_EQ(out.exitCode, 0) << out.err;
    ASSERT_EQ(Run(c.toFile).exitCode, 0);
    EXPECT_EQ(out.out, ReadBytes(c.file));
    EXPECT_EQ(out.out.find("\r\n"), std::string::npos);
  }
}

// A build without Qt has no port list and no printer: asked for one, it says
// so instead of calling the command unknown.
TEST_F(CliPlatform, CommandsThatNeedQtSayTheyAreLeftOut) {
  if (TORVAN_CLI_HAS_QT_VERBS) GTEST_SKIP() << "this build has the commands that need Qt";
  for (const std::vector<std::string> args : {std::vector<std::string>{"ports"},
                                               std::vector<std::string>{"print", "in.dat", "-o", "out.pdf"}}) {
    SCOPED_TRACE(args[0]);
    const CliResult r = Run(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "torvan-cli: " + args[0] +
                         " is not in this build of torvan-cli: it needs Qt, and this build was made without it\n");
  }
  EXPECT_FALSE(fs::exists(Path("out.pdf")));
}

}  // namespace
}  // namespace torvan
