// torvan-cli with channel lists from elsewhere (the chirp format, spreadsheets),
// --skip-bad, damaged images in and out, and diff: run as a user runs them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "CliRun.h"
#include "TempDir.h"
#include "core/radio/DatFile.h"
#include "core/radio/MemoryMap.h"

namespace torvan {
namespace {

using test::CliResult;
namespace fs = std::filesystem;

const std::string kChirpHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,"
    "Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

class CliInterchange : public ::testing::Test {
 protected:
  CliResult Run(const std::vector<std::string>& args) { return test::RunCli(args, dir_.path().string()); }
  std::string Path(const std::string& name) const { return dir_.file(name); }
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
  // A new document's image for a 136-174 MHz radio.
  void WriteVhfImage(const std::string& name) const {
    RadioImage img = RadioImage::NewDocument();
    img[map::kBandLimits] = 0x13;
    img[map::kBandLimits + 1] = 0x17;
    img[map::kBandLimits + 2] = 0x64;
    WriteImage(name, img);
  }

  test::TempDir dir_;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const std::string kChirpList = kChirpHeader + "\n" +
    "0,CALL,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n"
    "1,W1XYZ,147.330000,+,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n"
    "2,Club Rptr,146.940000,-,0.600000,TSQL,123.0,123.0,023,NN,023,Tone->Tone,FM,5.00,,1.0W,,,,,\n"
    "3,FIRE,154.430000,,0.000000,DTCS,88.5,88.5,134,NR,134,Tone->Tone,NFM,12.50,S,5.0W,,,,,\n";

TEST_F(CliInterchange, ChirpListIsImportedAndShown) {
  WriteVhfImage("new.dat");
  WriteText("list.csv", kChirpList);
  const CliResult r = Run({"import", "new.dat", "list.csv", "-o", "radio.dat"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "read 4 channel lines, changed 4 channels, wrote radio.dat\n");
  // The long name was shortened, and the user is told.
  EXPECT_EQ(r.err, "torvan-cli: list.csv: line 4: Name \"Club Rptr\" is stored as \"CLUBRP\"\n");

  const CliResult show = Run({"show", "radio.dat"});
  ASSERT_EQ(show.exitCode, 0) << show.err;
  const auto lines = Lines(show.out);
  const auto words = [](const std::string& line) {
    std::vector<std::string> w;
    std::istringstream in(line);
    for (std::string x; in >> x;) w.push_back(x);
    return w;
  };
  auto row = [&](const std::string& label) {
    for (const auto& l : lines) {
      if (const auto w = words(l); !w.empty() && w[0] == label && w.size() > 1 && w[1] != "of") return l;
    }
    return std::string("<no row " + label + ">");
  };
  EXPECT_TRUE(Contains(show.out, "Channels used: 4 of 200"));
  using W = std::vector<std::string>;
  EXPECT_EQ(words(row("Pr")), (W{"Pr", "146.52000", "146.52000", "None", "None", "High", "Unlock", "Yes", "Wide", "CALL"}));
  EXPECT_EQ(words(row("1")), (W{"1", "147.33000", "147.93000", "None", "100.0", "High", "Unlock", "Yes", "Wide", "W1XYZ"}));
  EXPECT_EQ(words(row("2")), (W{"2", "146.94000", "146.34000", "123.0", "123.0", "Low", "Unlock", "Yes", "Wide", "CLUBRP"}));
  EXPECT_EQ(words(row("3")), (W{"3", "154.43000", "154.43000", "D134I", "D134N", "High", "Unlock", "No", "Narrow", "FIRE"}));

  // Out again in the chirp format: the same lines, the image's step.
  const CliResult out = Run({"export", "radio.dat", "--format", "chirp"});
  ASSERT_EQ(out.exitCode, 0) << out.err;
  std::string expected = kChirpList;
  for (auto at = expected.find(",5.00,"); at != std::string::npos; at = expected.find(",5.00,", at)) {
    expected.replace(at, 6, ",25.00,");
  }
  expected.replace(expected.find(",12.50,"), 7, ",25.00,");
  expected.replace(expected.find("Club Rptr"), 9, "CLUBRP");
  EXPECT_EQ(out.out, expected);
}

TEST_F(CliInterchange, SkipBadImportsTheRestAndNamesEachSkippedLine) {
  WriteVhfImage("new.dat");
  const std::string csv = kChirpHeader + "\n" +
                          "1,A,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n"
                          "2,B,446.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n"
                          "3,C,146.550000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,5.0W,,,,,\n"
                          "4,D,173.500000,+,0.600000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n"
                          "5,E,146.580000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n";
  WriteText("list.csv", csv);

  const CliResult strict = Run({"import", "new.dat", "list.csv", "-o", "out.dat"});
  EXPECT_EQ(strict.exitCode, 1);
  EXPECT_EQ(strict.err,
            "torvan-cli: list.csv: line 3: Out of range,please input again. Rx Frequency 446.00000 is outside the band "
            "136 - 174MHz (and 2 more lines; --skip-bad imports the rest)\n");
  EXPECT_EQ(strict.out, "");
  EXPECT_FALSE(fs::exists(Path("out.dat")));

  const CliResult r = Run({"import", "new.dat", "list.csv", "-o", "out.dat", "--skip-bad"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "read 5 channel lines, skipped 3, changed 2 channels, wrote out.dat\n");
  const auto err = Lines(r.err);
  ASSERT_EQ(err.size(), 3u) << r.err;
  EXPECT_EQ(err[0], "torvan-cli: list.csv: line 3: Out of range,please input again. Rx Frequency 446.00000 is outside "
                    "the band 136 - 174MHz (skipped)");
  EXPECT_EQ(err[1], "torvan-cli: list.csv: line 4: Mode \"AM\" cannot be stored: this radio has FM and NFM (skipped)");
  EXPECT_EQ(err[2], "torvan-cli: list.csv: line 5: Out of range,please input again. Tx Frequency 174.10000 is outside "
                    "the band 136 - 174MHz (skipped)");
  const CliResult show = Run({"show", "out.dat"});
  EXPECT_TRUE(Contains(show.out, "Channels used: 2 of 200")) << show.out;
  EXPECT_TRUE(Contains(show.out, "146.58000")) << show.out;
}

TEST_F(CliInterchange, OwnCsvAsASpreadsheetSavesIt) {
  WriteVhfImage("new.dat");
  WriteText("sheet.csv",
            "\xEF\xBB\xBF" "CH;Rx Frequency;Tx Frequency;Rx Tone;Tx Tone;Power;Busy Lock;Scan Add;Bandwidth;Cha Name\r\n"
            "Pr;145,5;145,5;none;100;low;unlock;yes;narrow;call\r\n"
            "1;410,125;;;;;;;;\r\n");
  const CliResult strict = Run({"import", "new.dat", "sheet.csv", "-o", "out.dat"});
  EXPECT_EQ(strict.exitCode, 1);
  EXPECT_TRUE(Contains(strict.err, "line 3: Out of range,please input again. Rx Frequency 410.12500 is outside the band"))
      << strict.err;
  const CliResult r = Run({"import", "new.dat", "sheet.csv", "-o", "out.dat", "--skip-bad"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const CliResult csv = Run({"export", "out.dat"});
  EXPECT_EQ(Lines(csv.out).at(1), "Pr,145.50000,145.50000,None,100.0,Low,Unlock,Yes,Narrow,CALL");
}

TEST_F(CliInterchange, ExportFormatIsChecked) {
  WriteVhfImage("new.dat");
  const CliResult r = Run({"export", "new.dat", "--format", "xml"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(Contains(r.err, "--format must be torvan or chirp, not \"xml\"")) << r.err;
  const CliResult empty = Run({"export", "new.dat", "--format", "chirp", "-o", "list.csv"});
  ASSERT_EQ(empty.exitCode, 0) << empty.err;
  EXPECT_EQ(ReadText("list.csv"), kChirpHeader + "\n");
  const CliResult own = Run({"export", "new.dat", "--format", "torvan"});
  EXPECT_EQ(Lines(own.out).size(), 201u);
}

// Any 8192 bytes (a damaged image, a file from elsewhere): the export imports
// back to the same bytes, a header-only CSV changes nothing, and the summary
// counts only channels whose bytes changed.
TEST_F(CliInterchange, AnyImageSurvivesExportThenImport) {
  std::mt19937 random(8192);
  for (int trial = 0; trial < 3; ++trial) {
    RadioImage img;
    for (std::size_t i = 0; i < kImageSize; ++i) img[i] = static_cast<std::uint8_t>(random());
    WriteImage("in.dat", img);
    WriteText("header.csv", "CH,Rx Frequency,Tx Frequency,Rx Tone,Tx Tone,Power,Busy Lock,Scan Add,Bandwidth,Cha Name\n");
    for (const std::string lang : {"English", "Chinese"}) {
      ASSERT_EQ(Run({"export", "in.dat", "-o", "t.csv", "--lang", lang}).exitCode, 0);
      for (const std::string csv : {"t.csv", "header.csv"}) {
        const CliResult r = Run({"import", "in.dat", csv, "-o", "out.dat"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(Contains(r.out, "changed 0 channels")) << csv << ": " << r.out;
        EXPECT_EQ(ReadImage("out.dat"), img) << "trial " << trial << ", " << lang << ", " << csv;
      }
    }
  }
}

TEST_F(CliInterchange, DiffTellsTheDifferencesAndExitsAsDiffDoes) {
  WriteVhfImage("a.dat");
  WriteText("list.csv", kChirpList);
  ASSERT_EQ(Run({"import", "a.dat", "list.csv", "-o", "b.dat"}).exitCode, 0);
  RadioImage c = ReadImage("b.dat");
  c[0x1FC1] = 0x03;       // squelch 5 -> 3
  c[0x1FF5] = 0x01;       // a byte no field shows
  c[1 * 16 + 1] = 0x50;   // CH 1 Rx 147.33000 -> 147.35000
  WriteImage("c.dat", c);
  WriteText("short.dat", std::string(100, '\xFF'));

  const struct {
    std::vector<std::string> args;
    int exit;
    std::string out;
    const char* err;
  } cases[] = {
      {{"diff", "a.dat", "a.dat"}, 0, "", ""},
      {{"diff", "b.dat", "c.dat"}, 1,
       "Squelch Level: 5 -> 3\nCH 1 Rx Frequency: 147.33000 -> 147.35000\n0x1FF5: FF -> 01\n", ""},
      {{"diff", "b.dat", "c.dat", "--lang", "Chinese"}, 1,
       "静噪电平: 5 -> 3\n信道 1 接收频率: 147.33000 -> 147.35000\n0x1FF5: FF -> 01\n", ""},
      {{"diff", "a.dat", "missing.dat"}, 2, "", "cannot open"},
      {{"diff", "short.dat", "a.dat"}, 2, "", "short.dat is not a radio image"},
      {{"diff", "a.dat"}, 2, "", "torvan-cli diff: expected two image files"},
      {{"diff", "a.dat", "b.dat", "--lang", "French"}, 2, "", "--lang must be English or Chinese"},
  };
  for (const auto& c : cases) {
    std::string cmd;
    for (const auto& a : c.args) cmd += a + " ";
    const CliResult r = Run(c.args);
    EXPECT_EQ(r.exitCode, c.exit) << cmd << r.err;
    EXPECT_EQ(r.out, c.out) << cmd;
    EXPECT_TRUE(Contains(r.err, c.err)) << cmd << r.err;
    if (*c.err == '\0') {
      EXPECT_EQ(r.err, "") << cmd;
    }
  }
  const CliResult added = Run({"diff", "a.dat", "b.dat"});
  EXPECT_EQ(added.exitCode, 1);
  EXPECT_EQ(Lines(added.out).at(0), "CH Pr: added 146.52000 146.52000 None None High Unlock Yes Wide CALL");
  EXPECT_EQ(Lines(added.out).size(), 4u) << added.out;
}

TEST_F(CliInterchange, ShowSpeaksTheChosenLanguage) {
  WriteVhfImage("new.dat");
  const CliResult zh = Run({"show", "new.dat", "--lang", "Chinese"});
  ASSERT_EQ(zh.exitCode, 0) << zh.err;
  for (const char* line : {"类型序号: 0", "频段: 136 - 174MHz", "可选功能:", "  步长:", "  提示音:", "  ANI 开关:",
                           "  ANI 码:", "  遥毙码:", "(无)", "  解除遥毙:", "已勾选", "已用信道: 0 / 200"}) {
    EXPECT_TRUE(Contains(zh.out, line)) << line << "\n" << zh.out;
  }
  for (const char* english : {"Step", "Beep", "Band", "Channels", "checked", "none"}) {
    EXPECT_FALSE(Contains(zh.out, english)) << english << "\n" << zh.out;
  }
}

}  // namespace
}  // namespace torvan
