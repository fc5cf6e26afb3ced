#include "PrintTestSupport.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <stdexcept>

#include "core/radio/ChannelCodec.h"

namespace torvan::test {
namespace {

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Frequency(int mhz, int channel) {
  std::ostringstream s;
  s << mhz << '.' << std::setw(3) << std::setfill('0') << channel << "00";
  return s.str();
}

}  // namespace

std::string RxTextOf(int channel) { return Frequency(430, channel); }

RadioImage ImageWithChannels(const std::vector<int>& channels) {
  RadioImage image = RadioImage::NewDocument();
  for (int n : channels) {
    const ChannelTexts texts = {RxTextOf(n), Frequency(440, n), "88.5", "D023N", "High", "Lock",
                                "Yes", "Wide", "CH" + std::to_string(n)};
    EncodeChannel(texts, n, image);
  }
  return image;
}

RunResult RunProgram(const std::vector<std::string>& argv, const std::string& workDir) {
  std::string cmd;
  for (const auto& a : argv) cmd += Quote(a) + ' ';
  const std::string outPath = workDir + "/run.out";
  const std::string errPath = workDir + "/run.err";
  cmd += "> " + Quote(outPath) + " 2> " + Quote(errPath) + " < /dev/null";
  const int status = std::system(cmd.c_str());
  RunResult r;
  if (status != -1 && WIFEXITED(status)) r.exitCode = WEXITSTATUS(status);
  r.out = Slurp(outPath);
  r.err = Slurp(errPath);
  return r;
}

std::vector<std::string> PdfPages(const std::string& pdfPath, const std::string& workDir) {
  const RunResult r = RunProgram({TORVAN_PDFTOTEXT_PATH, "-enc", "UTF-8", pdfPath, "-"}, workDir);
  if (r.exitCode != 0) throw std::runtime_error("pdftotext " + pdfPath + " failed: " + r.err);
  // pdftotext ends every page with a form feed.
  std::vector<std::string> pages;
  std::string page;
  for (char c : r.out) {
    if (c == '\f') {
      pages.push_back(page);
      page.clear();
    } else {
      page += c;
    }
  }
  return pages;
}

}  // namespace torvan::test
