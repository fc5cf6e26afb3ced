// torvan-cli diff A.dat B.dat [--lang English|Chinese]: the differences of two
// images as a person reads them, one line each (core/channels/ImageDiff.h).
// Exit status as diff(1) has it: 0 the images are equal, 1 they differ, 2 a
// usage error or a file that cannot be read.

#include <iostream>
#include <sstream>

#include "cli/CliCommand.h"
#include "cli/LanguageOption.h"
#include "core/channels/ImageDiff.h"
#include "core/files/PathText.h"
#include "core/radio/DatFile.h"

namespace torvan::cli {
namespace {

constexpr const char* kVerb = "diff";
constexpr int kExitEqual = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitTrouble = 2;

int Trouble(const std::string& message) {
  std::cerr << "torvan-cli: " << OneLine(message) << '\n';
  return kExitTrouble;
}

int RunDiff(const std::vector<std::string>& argv) {
  const Args args(argv, {kLanguageOption}, {});
  if (!args.ok()) return UsageError(kVerb, args.error());
  if (args.positionals().size() != 2) return UsageError(kVerb, "expected two image files (A.dat B.dat)");
  DisplayLanguage lang;
  if (std::string error; !ReadLanguageOption(args, lang, error)) return UsageError(kVerb, error);

  RadioImage a, b;
  if (const Status s = LoadDat(PathFromUtf8(args.positionals()[0]), a); !s) return Trouble(s.error());
  if (const Status s = LoadDat(PathFromUtf8(args.positionals()[1]), b); !s) return Trouble(s.error());
  const std::vector<std::string> lines = DiffImages(a, b, lang);
  std::ostringstream out;
  for (const std::string& line : lines) out << line << '\n';
  std::cout << out.str();
  std::cout.flush();
  if (!std::cout) return Trouble("cannot write to standard output");
  return lines.empty() ? kExitEqual : kExitDifferent;
}

TORVAN_CLI_COMMAND(CommandInfo{kVerb, "diff A.dat B.dat [--lang English|Chinese]",
                               "print the differences of two images, one line each, in the words of the program; "
                               "exit 0 when they are equal, 1 when they differ, 2 on a usage error or a file that "
                               "cannot be read (as diff does)",
                               RunDiff, 25});

}  // namespace
}  // namespace torvan::cli
