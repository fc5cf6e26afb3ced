// The desktop entry, the icons and the AppStream description: what the
// desktop's menu and software centres read. The validators are Debian's
// desktop-file-validate and appstreamcli; where one is missing its test is
// skipped.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "e2e/ChildProcess.h"

namespace torvan::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kId = TORVAN_DESKTOP_ID;
const fs::path kDesktopDir = fs::path(TORVAN_SOURCE_DIR) / "resources/desktop";

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The tool's path when it is installed, else "".
std::string Tool(const char* name) {
  for (const char* dir : {"/usr/bin/", "/usr/local/bin/", "/bin/"}) {
    if (fs::exists(std::string(dir) + name)) return std::string(dir) + name;
  }
  return {};
}

TEST(DesktopEntry, PassesDesktopFileValidateWithoutAWord) {
  const std::string tool = Tool("desktop-file-validate");
  if (tool.empty()) GTEST_SKIP() << "desktop-file-validate is not installed (Debian: desktop-file-utils)";
  const ProcessResult r = RunProcess({tool, (kDesktopDir / (kId + ".desktop")).string()}, 30s);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out + r.err, "");  // hints and warnings too
}

#ifdef TORVAN_METAINFO_PATH
TEST(Metainfo, PassesAppstreamcliValidate) {
  const std::string tool = Tool("appstreamcli");
  if (tool.empty()) GTEST_SKIP() << "appstreamcli is not installed (Debian: appstream)";
  const ProcessResult r = RunProcess({tool, "validate", "--no-net", TORVAN_METAINFO_PATH}, 60s);
  EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
}

// The menu finds the icon by the entry's Icon key, the software centre the
// entry by the description's launchable: one name everywhere.
TEST(Metainfo, NamesTheDesktopEntryAndTheIconByOneId) {
  const std::string entry = Slurp(kDesktopDir / (kId + ".desktop"));
  EXPECT_NE(entry.find("\nIcon=" + kId + "\n"), std::string::npos) << entry;
  EXPECT_EQ(entry.find("MimeType"), std::string::npos) << ".dat is too common a name to claim";
  const std::string metainfo = Slurp(TORVAN_METAINFO_PATH);
  EXPECT_NE(metainfo.find("<id>" + kId + "</id>"), std::string::npos);
  EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" + kId + ".desktop</launchable>"), std::string::npos);
  EXPECT_NE(metainfo.find("<release version=\"" TORVAN_EXPECTED_VERSION "\""), std::string::npos);
  EXPECT_TRUE(fs::is_regular_file(kDesktopDir / "icons" / (kId + ".svg")));
}
#endif

// A PNG says its size in its IHDR chunk: bytes 16-23, two big-endian words.
TEST(Icons, EachPngHasTheSizeOfItsFolder) {
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    const std::string dim = std::to_string(size) + "x" + std::to_string(size);
    const fs::path png = kDesktopDir / "icons/hicolor" / dim / (kId + ".png");
    const std::string bytes = Slurp(png);
    ASSERT_GE(bytes.size(), 24u) << png;
    EXPECT_EQ(bytes.substr(1, 3), "PNG") << png;
    const auto word = [&](std::size_t at) {
      std::uint32_t v = 0;
      for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
      return v;
    };
    EXPECT_EQ(word(16), static_cast<std::uint32_t>(size)) << png;
    EXPECT_EQ(word(20), static_cast<std::uint32_t>(size)) << png;
  }
}

}  // namespace
}  // namespace torvan::test
