#pragma once
// What the tests of torvan-cli against virtual radios share: a radio memory
// whose every byte differs from its neighbours, the load of a .dat file the
// test expects to be sound, and a run of torvan-cli within a limit below
// CTest's own. Needs TORVAN_CLI_PATH.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "core/radio/DatFile.h"
#include "core/radio/MemoryMap.h"
#include "core/radio/RadioImage.h"

namespace torvan::test {

inline constexpr auto kCommandLimit = std::chrono::seconds(40);  // CTest's own limit is 60 s

// A memory with a band (400-470 MHz), so that `write` takes it for a radio's;
// each salt gives another one.
inline RadioImage Pattern(unsigned salt) {
  RadioImage img;
  for (std::size_t i = 0; i < kImageSize; ++i) img[i] = static_cast<std::uint8_t>((i * 13 + (i >> 7) + salt) & 0xFF);
  const std::uint8_t band[] = {0x40, 0x47, 0x00};
  std::copy(band, band + map::kBandLimitsSize, img.data() + map::kBandLimits);
  return img;
}

// The image in `path`; a file that does not load fails the test.
inline RadioImage Load(const std::filesystem::path& path) {
  RadioImage img;
  const Status s = LoadDat(path, img);
  EXPECT_TRUE(s.ok()) << s.error();
  return img;
}

// torvan-cli with these arguments, to its end or to kCommandLimit.
inline ProcessResult Cli(std::vector<std::string> args) {
  args.insert(args.begin(), TORVAN_CLI_PATH);
  return RunProcess(args, kCommandLimit);
}

}  // namespace torvan::test
