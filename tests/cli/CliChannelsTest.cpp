// torvan-cli new, show, export and import, run as a user runs them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CliRun.h"
#include "TempDir.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"

namespace torvan {
namespace {

using test::CliResult;
using test::RunCli;
namespace fs = std::filesystem;

const std::string kHeader =
    "CH,Rx Frequency,Tx Frequency,Rx Tone,Tx Tone,Power,Busy Lock,Scan Add,Bandwidth,Cha Name";

class Cli : public ::testing::Test {
 protected:
  CliResult Run(const std::vector<std::string>& args) { return RunCli(args, dir_.path().string()); }
  std::string Path(const std::string& name) const { return dir_.file(name); }
  bool Exists(const std::string& name) const { return fs::exists(dir_.path() / name); }

  void WriteText(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
  }
  std::string ReadText(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void WriteImage(const std::string& name, const RadioImage& img) const { ASSERT_TRUE(SaveDat(Path(name), img).ok()); }
  RadioImage ReadImage(const std::string& name) const {
    RadioImage img;
    EXPECT_TRUE(LoadDat(Path(name), img).ok()) << name;
    return img;
  }

  test::TempDir dir_;
};

// A new-document image with `bytes` written at `offset`.
RadioImage ImageWith(std::uint16_t offset, std::vector<std::uint8_t> bytes) {
  RadioImage img = RadioImage::NewDocument();
  for (std::size_t k = 0; k < bytes.size(); ++k) img[offset + k] = bytes[k];
  return img;
}

void SetBand(RadioImage& img, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
  img[map::kBandLimits] = b0;
  img[map::kBandLimits + 1] = b1;
  img[map::kBandLimits + 2] = b2;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

// The value after "Label:" on the line of a show output, blanks trimmed.
std::string ShowField(const std::string& out, const std::string& label) {
  for (const std::string& line : Lines(out)) {
    const auto start = line.find_first_not_of(' ');
    if (start == std::string::npos || line.compare(start, label.size() + 1, label + ":") != 0) continue;
    const auto value = line.find_first_not_of(' ', start + label.size() + 1);
    return value == std::string::npos ? "" : line.substr(value);
  }
  return "<no line " + label + ">";
}

std::vector<std::uint8_t> Bytes(const RadioImage& img, std::size_t offset, std::size_t n) {
  return std::vector<std::uint8_t>(img.data() + offset, img.data() + offset + n);
}

TEST_F(Cli, NewWritesTheNewDocumentImage) {
  const CliResult r = Run({"new", "new.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(fs::file_size(Path("new.dat")), 8192u);
  const RadioImage img = ReadImage("new.dat");
  EXPECT_EQ(img, RadioImage::NewDocument());
  EXPECT_EQ(Bytes(img, 0x1FF0, 3), (std::vector<std::uint8_t>{0x40, 0x42, 0x00}));
  EXPECT_EQ(img[0x1FC1], 0x05);
  EXPECT_EQ(img[0x1FE1], 0xD4);
  EXPECT_EQ(Bytes(img, 0, 16), std::vector<std::uint8_t>(16, 0xFF));
}

TEST_F(Cli, ShowSummarisesANewImage) {
  ASSERT_EQ(Run({"new", "new.dat"}).exitCode, 0);
  const CliResult r = Run({"show", "new.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const std::pair<const char*, const char*> fields[] = {
      {"Radio type index", "0"}, {"Band", "400 - 420MHz"},   {"LED", "Auto"},
      {"Step", "25k"},           {"Battery Saver", "On"},    {"Emergency Alarm", "On"},
      {"Keypad Lock", "Manual"}, {"Squelch Level", "5"},     {"Time-Out Timer", "1"},
      {"Mode", "Frequency"},     {"Voice Sensitivity", "Off"}, {"Pri-Scanning Time", "3s"},
      {"Priority Scan", "Off"},  {"Scan Mode", "CO"},        {"Channel Display", "Off"},
      {"Beep", "On"},            {"ANI Switch", "Off"},      {"PTT ID", "Off"},
      {"ANI Code", "(none)"},    {"Stun Code", "(none)"},    {"Remove Stun", "checked"},
      {"Channels used", "0 of 200"},
  };
  for (auto [label, value] : fields) EXPECT_EQ(ShowField(r.out, label), value) << label;
}

TEST_F(Cli, ShowListsUsedChannelsInTheChosenLanguage) {
  RadioImage img = ImageWith(0x0010, {0x00, 0x25, 0x01, 0x43, 0xFF, 0xFF, 0xFF, 0xFF, 0x23, 0xC0, 0xFF, 0xFF, 0x27});
  img[map::kRadioType] = 3;
  SetBand(img, 0x13, 0x17, 0x64);
  WriteImage("in.dat", img);
  const CliResult en = Run({"show", "in.dat"});
  ASSERT_EQ(en.exitCode, 0) << en.err;
  EXPECT_EQ(ShowField(en.out, "Radio type index"), "3");
  EXPECT_EQ(ShowField(en.out, "Band"), "136 - 174MHz");
  EXPECT_EQ(ShowField(en.out, "Channels used"), "1 of 200");
  const CliResult zh = Run({"show", "in.dat", "--lang", "Chinese"});
  ASSERT_EQ(zh.exitCode, 0) << zh.err;
  // The option dialog's own labels in the chosen language.
  EXPECT_EQ(ShowField(zh.out, "步长"), "25k");
  EXPECT_EQ(ShowField(zh.out, "提示音"), "开");
  EXPECT_EQ(ShowField(zh.out, "频段"), "136 - 174MHz");
  // One header line and one channel line, columns lined up.
  std::vector<std::string> en_rows, zh_rows;
  for (const auto& l : Lines(en.out)) {
    if (l.find("430.12500") != std::string::npos || l.find("Rx Frequency") != std::string::npos) en_rows.push_back(l);
  }
  for (const auto& l : Lines(zh.out)) {
    if (l.find("430.12500") != std::string::npos || l.find("接收频率") != std::string::npos) zh_rows.push_back(l);
  }
  ASSERT_EQ(en_rows.size(), 2u) << en.out;
  EXPECT_EQ(en_rows[1].find("430.12500"), en_rows[0].find("Rx Frequency"));
  EXPECT_NE(en_rows[1].find("D023I"), std::string::npos);
  EXPECT_NE(en_rows[1].find("Unlock"), std::string::npos);
  ASSERT_EQ(zh_rows.size(), 2u) << zh.out;
  EXPECT_NE(zh_rows[1].find("未锁定"), std::string::npos);
  EXPECT_NE(zh_rows[1].find("无"), std::string::npos);
}

TEST_F(Cli, ExportWritesTheDecodedTexts) {
  RadioImage img = RadioImage::NewDocument();
  const std::vector<std::uint8_t> records[] = {
      {0x00, 0x25, 0x01, 0x43, 0x00, 0x25, 0x01, 0x43, 0x85, 0x08, 0x23, 0xC0, 0x27},
      {0xFF, 0xFF, 0xFF, 0x43, 0xFF, 0xFF, 0xFF, 0xFF, 0x23, 0x80, 0x00, 0x00, 0x00},
  };
  for (std::size_t n = 0; n < 2; ++n) {
    for (std::size_t k = 0; k < records[n].size(); ++k) img[n * 16 + k] = records[n][k];
  }
  WriteImage("in.dat", img);
  const CliResult r = Run({"export", "in.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 201u);
  EXPECT_EQ(lines[0], kHeader);
  EXPECT_EQ(lines[1], "Pr,430.12500,430.12500,88.5,D023I,High,Unlock,Yes,Wide,");
  EXPECT_EQ(lines[2], "1,446.66665,,D023N,None,Low,Lock,No,Narrow,");
  EXPECT_EQ(lines[200], "199,,,,,,,,,");

  const CliResult zh = Run({"export", "in.dat", "-o", "out.csv", "--lang", "Chinese"});
  ASSERT_EQ(zh.exitCode, 0) << zh.err;
  EXPECT_EQ(zh.out, "");
  EXPECT_EQ(Lines(ReadText("out.csv"))[2], "1,446.66665,,D023N,无,低,锁定,无,窄,");
}

TEST_F(Cli, ImportStoresTheBytesOfTheTypedTexts) {
  const struct {
    const char* name;
    std::vector<std::uint8_t> band;
    std::string row;
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"430.125", {0x40, 0x47, 0x00}, "Pr,430.125,,None,None,High,Unlock,Yes,Wide,", 0, {0x00, 0x25, 0x01, 0x43}},
      {"128.0125", {0x10, 0x20, 0x00}, "Pr,128.0125,,None,None,High,Unlock,Yes,Wide,", 0, {0x50, 0x12, 0x80, 0x12}},
      {"D023I", {0x40, 0x47, 0x00}, "Pr,430.125,,D023I,None,High,Unlock,Yes,Wide,", 8, {0x23, 0xC0, 0xFF, 0xFF}},
      {"88.5 on Tx", {0x40, 0x47, 0x00}, "Pr,430.125,,None,88.5,High,Unlock,Yes,Wide,", 8, {0xFF, 0xFF, 0x85, 0x08}},
      {"flags", {0x40, 0x47, 0x00}, "Pr,430.125,,None,None,Low,Lock,No,Narrow,", 12, {0xD8}},
      {"name", {0x40, 0x47, 0x00}, "Pr,430.125,,None,None,High,Unlock,Yes,Wide,AB-C_9", 0x0C90,
       {10, 11, 36, 12, 38, 9, 0xFF, 0xFF}},
      {"band 136-174 kept", {0x13, 0x17, 0x64}, "Pr,145.00625,,None,None,High,Unlock,Yes,Wide,", 0x1FF0,
       {0x13, 0x17, 0x64}},
  };
  for (const auto& c : cases) {
    RadioImage img = RadioImage::NewDocument();
    SetBand(img, c.band[0], c.band[1], c.band[2]);
    WriteImage("in.dat", img);
    WriteText("in.csv", kHeader + "\n" + c.row + "\n");
    const CliResult r = Run({"import", "in.dat", "in.csv", "-o", "out.dat"});
    ASSERT_EQ(r.exitCode, 0) << c.name << ": " << r.err;
    EXPECT_EQ(r.out, "read 1 channel line, changed 1 channel, wrote out.dat\n");
    EXPECT_EQ(Bytes(ReadImage("out.dat"), c.offset, c.bytes.size()), c.bytes) << c.name;
  }
}

TEST_F(Cli, ExportThenImportGivesTheSameImage) {
  // An image the codec wrote, with a damaged byte or two it keeps as they are.
  RadioImage img = RadioImage::NewDocument();
  SetBand(img, 0x13, 0x17, 0x64);
  MemoryTextGrid grid;
  for (int n = 0; n < 200; n += 3) {
    const std::string f = std::to_string(136 + n / 6) + ".125";
    const ChannelTexts t = {f, n % 2 ? f : "", "88.5", "D754N", "Low", "Unlock", "No", "Wide", "N" + std::to_string(n)};
    for (int col = 1; col <= 9; ++col) grid.SetTextMatrix(RowOfChannel(n), col, t[TextIndex(col)]);
  }
  EncodeImage(grid, BandLimits{136, 174}, img);
  img[0x1300] = 0x5A;
  WriteImage("in.dat", img);
  for (const char* lang : {"English", "Chinese"}) {
    ASSERT_EQ(Run({"export", "in.dat", "-o", "t.csv", "--lang", lang}).exitCode, 0);
    const CliResult r = Run({"import", "in.dat", "t.csv", "-o", "out.dat"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadImage("out.dat"), img) << lang;
    // Onto a new image in the same band, every channel comes out the same.
    RadioImage blank = RadioImage::NewDocument();
    SetBand(blank, 0x13, 0x17, 0x64);
    WriteImage("blank.dat", blank);
    ASSERT_EQ(Run({"import", "blank.dat", "t.csv", "-o", "fresh.dat"}).exitCode, 0);
    EXPECT_EQ(Bytes(ReadImage("fresh.dat"), 0, 0x1300), Bytes(img, 0, 0x1300)) << lang;
  }
}

TEST_F(Cli, FailuresExitWithOneLineAndWriteNothing) {
  WriteText("short.dat", std::string(100, '\xFF'));
  RadioImage img = RadioImage::NewDocument();
  SetBand(img, 0x13, 0x17, 0x64);
  WriteImage("in.dat", img);
  const std::string good = "Pr,145.5,145.5,None,None,High,Unlock,Yes,Wide,\n";
  WriteText("raster.csv", kHeader + "\n" + good + "14,145.001,,,,,,,,\n");
  WriteText("band.csv", kHeader + "\n" + good + "3,430,,,,,,,,\n");
  WriteText("tone.csv", kHeader + "\n" + good + "3,145.5,,D023,,,,,,\n");
  WriteText("ragged.csv", kHeader + "\n" + good + "3,145.5\n");
  WriteText("txonly.csv", kHeader + "\n" + good + "3,,145.5,,,,,,,\n");
  WriteText("nohdr.csv", "Pr,145.5\n");
  WriteText("binary.csv", kHeader + "\n" + good + "3,\xFF\xFE,,,,,,,,\n");
  // Control characters inside quoted fields reach the message: shown, not obeyed.
  WriteText("newline.csv", kHeader + "\n" + good + "3,145.5,,,,,,,,\"AB\nC\"\n");
  WriteText("return.csv", kHeader + "\n" + good + "3,145.5,,,,,,,,\"AB\rC\"\n");
  // (Not "nul.csv": on Windows that is the null device, whatever the extension.)
  WriteText("nulbyte.csv", kHeader + "\n" + good + "3,145.5,,,,,,,," + std::string("A\0B", 3) + "\n");
  const struct {
    std::vector<std::string> args;
    int exit;
    const char* err;
    const char* output;  // must not exist afterwards
  } cases[] = {
      {{"show", "short.dat"}, 1, "short.dat is not a radio image: it holds 100 bytes", nullptr},
      {{"export", "short.dat", "-o", "o.csv"}, 1, "short.dat is not a radio image", "o.csv"},
      {{"import", "short.dat", "raster.csv", "-o", "o.dat"}, 1, "short.dat is not a radio image", "o.dat"},
      {{"show", "missing.dat"}, 1, "cannot open", nullptr},
      {{"import", "in.dat", "missing.csv", "-o", "o.dat"}, 1, "cannot open", "o.dat"},
      {{"import", "in.dat", "raster.csv", "-o", "o.dat"}, 1,
       "raster.csv: line 3: Error data Value, please input according the step value(6.25K/5k). Rx Frequency "
       "145.00100 is not on the 2.5 kHz or 6.25 kHz raster",
       "o.dat"},
      {{"import", "in.dat", "band.csv", "-o", "o.dat"}, 1,
       "band.csv: line 3: Out of range,please input again. Rx Frequency 430.00000 is outside the band 136 - 174MHz",
       "o.dat"},
      {{"import", "in.dat", "tone.csv", "-o", "o.dat"}, 1, "tone.csv: line 3: Rx Tone \"D023\" is not a tone", "o.dat"},
      {{"import", "in.dat", "ragged.csv", "-o", "o.dat"}, 1, "line 3: 2 fields where the header has 10", "o.dat"},
      {{"import", "in.dat", "txonly.csv", "-o", "o.dat"}, 1, "line 3: Tx Frequency \"145.5\" is given for a channel",
       "o.dat"},
      {{"import", "in.dat", "nohdr.csv", "-o", "o.dat"}, 1, "nohdr.csv: line 1: no CH column", "o.dat"},
      {{"import", "in.dat", "binary.csv", "-o", "o.dat"}, 1, "binary.csv: line 3: the text is not UTF-8", "o.dat"},
      {{"import", "in.dat", "newline.csv", "-o", "o.dat"}, 1, "line 3: Cha Name \"AB\\nC\" may hold only", "o.dat"},
      {{"import", "in.dat", "return.csv", "-o", "o.dat"}, 1, "line 3: Cha Name \"AB\\rC\" may hold only", "o.dat"},
      {{"import", "in.dat", "nulbyte.csv", "-o", "o.dat"}, 1, "line 3: Cha Name \"A\\x00B\" may hold only",
       "o.dat"},
      {{"export", "in.dat", "-o", "no/such/folder/o.csv"}, 1, "cannot write no/such/folder/o.csv", nullptr},
      {{"import", "in.dat", "raster.csv", "-o", "no/such/folder/o.dat"}, 1, "line 3", nullptr},
      // Usage errors.
      {{"show"}, 2, "torvan-cli show: expected one image file", nullptr},
      {{"show", "in.dat", "--lang", "French"}, 2, "--lang must be English or Chinese, not \"French\"", nullptr},
      {{"show", "in.dat", "--lang"}, 2, "option --lang needs a value", nullptr},
      {{"export", "in.dat", "x.dat"}, 2, "torvan-cli export: expected one image file", nullptr},
      {{"export", "in.dat", "--verbose"}, 2, "unknown option --verbose", nullptr},
      {{"import", "in.dat", "raster.csv"}, 2, "torvan-cli import: the output image needs -o OUT.dat", nullptr},
      {{"import", "in.dat", "-o", "o.dat"}, 2, "expected an image file and a CSV file", "o.dat"},
  };
  for (const auto& c : cases) {
    std::string cmd;
    for (const auto& a : c.args) cmd += a + " ";
    const CliResult r = Run(c.args);
    EXPECT_EQ(r.exitCode, c.exit) << cmd << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << cmd << "\n" << r.err;
    EXPECT_EQ(r.out, "") << cmd;
    if (c.exit == 1) {
      EXPECT_EQ(r.err.rfind("torvan-cli: ", 0), 0u) << r.err;
      EXPECT_EQ(Lines(r.err).size(), 1u) << cmd << "\n" << r.err;
      const std::string line = r.err.substr(0, r.err.size() - 1);
      EXPECT_FALSE(std::any_of(line.begin(), line.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }))
          << cmd << ": a control character on the terminal";
    }
    if (c.output) {
      EXPECT_FALSE(Exists(c.output)) << cmd;
    }
  }
}

TEST_F(Cli, ImportNeverLeavesAPartialFileOverAnOldOne) {
  ASSERT_EQ(Run({"new", "in.dat"}).exitCode, 0);
  WriteText("old.dat", "old contents");
  WriteText("bad.csv", kHeader + "\nPr,999,,,,,,,,\n");
  EXPECT_EQ(Run({"import", "in.dat", "bad.csv", "-o", "old.dat"}).exitCode, 1);
  EXPECT_EQ(ReadText("old.dat"), "old contents");
  for (const auto& e : fs::directory_iterator(dir_.path())) {
    EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
  }
}

}  // namespace
}  // namespace torvan
