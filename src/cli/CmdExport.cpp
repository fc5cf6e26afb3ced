// torvan-cli export IN.dat [-o OUT.csv] [--format torvan|chirp]
// [--lang English|Chinese]: the channel list as CSV, on standard output or into
// a file; our own format, or the chirp format of the common multi-radio tool.

#include <iostream>

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "cli/LanguageOption.h"
#include "core/channels/ChannelListImport.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"

namespace torvan::cli {
namespace {

constexpr const char* kVerb = "export";
constexpr const char* kFormatOption = "--format";

int RunExport(const std::vector<std::string>& argv) {
  const Args args(argv, {"-o", kLanguageOption, kFormatOption}, {});
  if (!args.ok()) return UsageError(kVerb, args.error());
  if (args.positionals().size() != 1) return UsageError(kVerb, "expected one image file (IN.dat)");
  DisplayLanguage lang;
  if (std::string error; !ReadLanguageOption(args, lang, error)) return UsageError(kVerb, error);
  ChannelListFormat format = ChannelListFormat::Torvan;
  if (const auto name = args.value(kFormatOption)) {
    if (*name == ChannelListFormatName(ChannelListFormat::Chirp)) {
      format = ChannelListFormat::Chirp;
    } else if (*name != ChannelListFormatName(ChannelListFormat::Torvan)) {
      return UsageError(kVerb, std::string(kFormatOption) + " must be torvan or chirp, not \"" + *name + "\"");
    }
  }

  const NamedFile in = InputNamed("IN.dat", args.positionals()[0]);
  std::optional<NamedFile> out;
  if (const auto o = args.value("-o")) out = OutputNamed("-o", *o);
  if (out) {
    if (const std::string overlap = OverlapError({*out}, {in}); !overlap.empty()) return UsageError(kVerb, overlap);
  }

  RadioImage image;
  if (const Status s = LoadDat(in.path, image); !s) return Fail(s.error());
  MemoryTextGrid grid;
  DecodeImage(image, grid, lang);
  const std::string csv = ExportChannelList(format, grid, image);

  if (out) {
    const Status s = WriteOutput(*out, csv);
    return s.ok() ? kExitOk : Fail(s.error());
  }
  std::cout << csv;
  std::cout.flush();
  if (!std::cout) return Fail("cannot write the CSV to standard output");
  return kExitOk;
}

TORVAN_CLI_COMMAND(CommandInfo{kVerb, "export IN.dat [-o OUT.csv] [--format torvan|chirp] [--lang English|Chinese]",
                               "write the channel list as CSV (standard output without -o): our own format with "
                               "English words unless --lang Chinese, or with --format chirp the generic CSV of the "
                               "common multi-radio programming tool",
                               RunExport, 30});

}  // namespace
}  // namespace torvan::cli
