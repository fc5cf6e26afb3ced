#pragma once
// The files a command reads and writes, as the user named them: "-" for an
// output is standard output; an output may not name one of the command's
// inputs, nor another of its outputs (also through links), since writing it
// would destroy what the command reads or writes.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/Status.h"

namespace torvan::cli {

inline constexpr std::string_view kStandardOutputName = "-";

// A file named on the command line: what the user typed (for messages) and
// the path it names.
struct NamedFile {
  std::string option;  // "-o", "--trace", or a description such as "IN.dat"
  std::string text;    // as typed
  std::filesystem::path path;
  bool standardOutput = false;  // an output named "-"
};

NamedFile InputNamed(std::string option, const std::string& text);
NamedFile OutputNamed(std::string option, const std::string& text);

// Empty when no output names an input or another output; otherwise the
// usage error: "--trace mine.dat is the input file mine.dat".
std::string OverlapError(const std::vector<NamedFile>& outputs, const std::vector<NamedFile>& inputs);

// Whether the output can be written now (standard output always can).
Status CheckOutput(const NamedFile& output);

// Writes `bytes` to the output: standard output, or the file (atomically,
// see core/files/AtomicFile.h).
Status WriteOutput(const NamedFile& output, std::span<const std::uint8_t> bytes);
Status WriteOutput(const NamedFile& output, std::string_view text);

}  // namespace torvan::cli
