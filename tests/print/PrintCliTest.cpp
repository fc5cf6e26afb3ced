// torvan-cli print end to end: the real program prints a crafted .dat to a
// PDF, whose text pdftotext reads back page by page.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "PrintTestSupport.h"
#include "TempDir.h"
#include "core/radio/DatFile.h"

namespace torvan::test {
namespace {

bool Has(const std::string& page, const std::string& text) { return page.find(text) != std::string::npos; }

class PrintCliTest : public ::testing::Test {
 protected:
  // Channels 0..7 and 150: the option page and two channel pages. Options
  // that the page words name: Step byte 2, battery-saver ratio 5, LED on.
  void SetUp() override {
    RadioImage image = ImageWithChannels({0, 1, 2, 3, 4, 5, 6, 150});
    image[0x1FE0] = 0x02;
    image[0x1FE6] = 0x05;
    image[0x1FE1] = static_cast<std::uint8_t>((image[0x1FE1] & ~0x0C) | 0x08);
    const Status s = SaveDat(dat_, image);
    ASSERT_TRUE(s.ok()) << s.error();
  }

  RunResult Print(std::vector<std::string> extra, const std::string& program = TORVAN_CLI_PATH) {
    std::vector<std::string> argv = {program, "print"};
    argv.insert(argv.end(), extra.begin(), extra.end());
    return RunProgram(argv, dir_.path().string());
  }

  TempDir dir_;
  std::string dat_ = dir_.file("radio.dat");
  std::string pdf_ = dir_.file("radio.pdf");
};

TEST_F(PrintCliTest, PrintsTheReportInEitherLanguage) {
  struct Case {
    const char* lang;
    std::vector<std::string> optionPage;
    std::vector<std::string> channelPage;
  };
  const Case cases[] = {
      {"English",
       {"Option", "Function", "Time Out Timer:", "Step:", "6.5k", "Battery Saver:", "1.0", "LED", "On", "Encoder",
        "Page 1 of 3", "Dealer & Co."},
       {"Channel", "Channel 0:", "Channel 6:", "Receive Frequency:", RxTextOf(6), "Transceive Frequency:",
        "QT/DQT Decode:", "88.5", "QT/DQT Encode:", "D023N", "Power:", "High", "Channel Lock:", "Lock",
        "Channel Name:", "CH6", "Page 2 of 3", "Dealer & Co."}},
      {"Chinese",
       {"可选功能", "功能", "超时定时器:", "步长:", "6.5k", "电池省电:", "1.0", "LED", "开", "编码器", "繁忙:",
        "Page 1 of 3", "Dealer & Co."},
       {"信道0:", "信道6:", "接收频率:", RxTextOf(6), "发射频率:", "QT/DQT解码:", "QT/DQT编码:", "功率:", "高",
        "信道锁定:", "锁定", "信道名字:", "CH6", "Page 2 of 3"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lang);
    const RunResult r = Print({dat_, "-o", pdf_, "--lang", c.lang, "--owner", "Dealer & Co."});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto pages = PdfPages(pdf_, dir_.path().string());
    ASSERT_EQ(pages.size(), 3u);
    for (const auto& t : c.optionPage) EXPECT_TRUE(Has(pages[0], t)) << t << " in\n" << pages[0];
    for (const auto& t : c.channelPage) EXPECT_TRUE(Has(pages[1], t)) << t << " in\n" << pages[1];
    // The eighth used channel (row 151) opens the third page.
    EXPECT_TRUE(Has(pages[2], std::string(c.lang) == "English" ? "Channel 150:" : "信道150:")) << pages[2];
    EXPECT_TRUE(Has(pages[2], "Page 3 of 3"));
    EXPECT_FALSE(Has(pages[1], "150:"));
  }
}

TEST_F(PrintCliTest, LanguageAndOwnerComeFromProgramIniBesideTheProgram) {
  // A copy of the program with its own Program.ini.
  const auto bin = dir_.path() / "bin";
  std::filesystem::create_directory(bin);
  const auto program = bin / "torvan-cli";
  std::filesystem::copy_file(TORVAN_CLI_PATH, program);
  std::ofstream(bin / "Program.ini") << "[Setup]\nLanguage=Chinese\n\n[English]\nCopyrights Owner=English Owner\n\n"
                                        "[Chinese]\nCopyrights Owner=中文所有者\n";

  RunResult r = Print({dat_, "-o", pdf_}, program.string());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto pages = PdfPages(pdf_, dir_.path().string());
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_TRUE(Has(pages[0], "可选功能"));
  EXPECT_TRUE(Has(pages[0], "中文所有者"));

  // --lang picks the language and its section; --owner wins over both.
  r = Print({dat_, "-o", pdf_, "--lang", "English"}, program.string());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  pages = PdfPages(pdf_, dir_.path().string());
  EXPECT_TRUE(Has(pages[0], "Option"));
  EXPECT_TRUE(Has(pages[0], "English Owner"));
  r = Print({dat_, "-o", pdf_, "--owner", "Given"}, program.string());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  pages = PdfPages(pdf_, dir_.path().string());
  EXPECT_TRUE(Has(pages[1], "Given"));
  EXPECT_FALSE(Has(pages[1], "中文所有者"));
  EXPECT_TRUE(Has(pages[1], "信道0:"));

  // Without a Program.ini the program prints in English with no owner line,
  // and does not create one.
  std::filesystem::remove(bin / "Program.ini");
  r = Print({dat_, "-o", pdf_}, program.string());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  pages = PdfPages(pdf_, dir_.path().string());
  EXPECT_TRUE(Has(pages[0], "Option"));
  EXPECT_FALSE(std::filesystem::exists(bin / "Program.ini"));
}

TEST_F(PrintCliTest, BadInputFailsWithOneLineAndNoFile) {
  std::ofstream(dir_.file("short.dat")) << "too short";
  struct Case {
    const char* what;
    std::vector<std::string> args;
    int exitCode;
    std::string errorHas;
  };
  const Case cases[] = {
      {"missing input", {dir_.file("none.dat"), "-o", pdf_}, 1, "none.dat"},
      {"short input", {dir_.file("short.dat"), "-o", pdf_}, 1, "short.dat"},
      {"output folder missing", {dat_, "-o", dir_.file("no/radio.pdf")}, 1, "no/radio.pdf"},
      {"no output", {dat_}, 2, "-o"},
      {"two inputs", {dat_, dat_, "-o", pdf_}, 2, "one input"},
      {"unknown language", {dat_, "-o", pdf_, "--lang", "chinese"}, 2, "chinese"},
      {"unknown paper", {dat_, "-o", pdf_, "--paper", "A5"}, 2, "A5"},
      {"unknown option", {dat_, "-o", pdf_, "--colour"}, 2, "--colour"},
      {"output over the input", {dat_, "-o", dat_}, 2, "-o " + dat_ + " is the input file " + dat_},
      {"output given twice", {dat_, "-o", pdf_, "-o", dir_.file("other.pdf")}, 2, "option -o is given more than once"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const RunResult r = Print(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_TRUE(Has(r.err, c.errorHas)) << r.err;
    if (c.exitCode == 1) {
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(pdf_));
    EXPECT_FALSE(std::filesystem::exists(dir_.file("other.pdf")));
    RadioImage still;
    EXPECT_TRUE(LoadDat(dat_, still).ok()) << "the input stays a radio image";
  }
}

// "-o -" is standard output: the PDF goes down a pipe, the same report.
TEST_F(PrintCliTest, StandardOutputTakesThePdf) {
  const RunResult r = Print({dat_, "-o", "-"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  ASSERT_TRUE(r.out.starts_with("%PDF-")) << r.out.substr(0, 16);
  {
    std::ofstream(pdf_, std::ios::binary) << r.out;
  }
  const auto pages = PdfPages(pdf_, dir_.path().string());
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_TRUE(Has(pages[1], "Channel 6:"));
}

}  // namespace
}  // namespace torvan::test
