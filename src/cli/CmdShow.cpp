// torvan-cli show IN.dat [--lang English|Chinese]: a readable summary of an
// image: radio type index, band, every optional feature, the used channels.

#include <cstdio>
#include <iostream>
#include <sstream>

#include "cli/CliCommand.h"
#include "cli/LanguageOption.h"
#include "core/channels/SummaryTexts.h"
#include "core/radio/BandLimits.h"
#include "core/radio/ChannelCodec.h"
#include "core/files/PathText.h"
#include "core/radio/DatFile.h"
#include "core/radio/OptionCodec.h"

namespace torvan::cli {
namespace {

constexpr const char* kVerb = "show";
constexpr std::size_t kColumnGap = 2;

// Columns a text takes on a terminal: every character outside ASCII here is
// Chinese, which takes two.
std::size_t DisplayWidth(std::string_view s) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++width;
    } else if ((c & 0xC0) != 0x80) {
      width += 2;  // the first byte of a multi-byte character
    }
  }
  return width;
}

std::string PadRight(std::string_view s, std::size_t width) {
  std::string out(s);
  const std::size_t w = DisplayWidth(s);
  if (w < width) out.append(width - w, ' ');
  return out;
}

void PrintOptions(std::ostream& out, const RadioImage& image, DisplayLanguage lang) {
  const OptionValues values = ReadOptions(image);
  std::vector<std::pair<std::string, std::string>> lines;
  for (OptionField f : kAllOptionFields) lines.emplace_back(std::string(OptionLabel(f, lang)), OptionWord(image, f, lang));
  const auto label = [lang](OptionCodeControl control) { return std::string(OptionLabel(control, lang)); };
  lines.emplace_back(label(OptionCodeControl::AniCode), PrintableCode(values.aniCode, lang));
  lines.emplace_back(label(OptionCodeControl::StunCode), PrintableCode(values.stunCode, lang));
  lines.emplace_back(label(OptionCodeControl::RemoveStun),
                     SummaryWord(values.removeStun ? SummaryText::NotStunned : SummaryText::Stunned, lang));
  std::size_t width = 0;
  for (const auto& [name, word] : lines) width = std::max(width, DisplayWidth(name) + 1);
  out << SummaryWord(SummaryText::OptionalFeatures, lang) << ":\n";
  for (const auto& [name, word] : lines) out << "  " << PadRight(name + ":", width + 1) << word << '\n';
}

void PrintChannels(std::ostream& out, const RadioImage& image, DisplayLanguage lang) {
  MemoryTextGrid grid;
  DecodeImage(image, grid, lang);
  std::vector<std::vector<std::string>> table;
  std::vector<std::string> header;
  for (int col = kColLabel; col <= kColName; ++col) header.emplace_back(ColumnHeader(col, lang));
  table.push_back(header);
  for (int row = 1; row < kGridRows; ++row) {
    if (grid.TextMatrix(row, kColRxFrequency).empty()) continue;  // a used row has an Rx frequency
    std::vector<std::string> cells;
    for (int col = kColLabel; col <= kColName; ++col) cells.push_back(grid.TextMatrix(row, col));
    table.push_back(std::move(cells));
  }
  const std::size_t used = table.size() - 1;
  out << SummaryWord(SummaryText::ChannelsUsed, lang) << ": "
      << CountOfTotal(static_cast<int>(used), map::kChannelCount, lang) << '\n';
  if (used == 0) return;
  std::vector<std::size_t> widths(header.size(), 0);
  for (const auto& r : table) {
    for (std::size_t c = 0; c < r.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(r[c]));
  }
  for (const auto& r : table) {
    std::string line = "  ";
    for (std::size_t c = 0; c < r.size(); ++c) {
      line += c + 1 < r.size() ? PadRight(r[c], widths[c] + kColumnGap) : r[c];
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << line << '\n';
  }
}

int RunShow(const std::vector<std::string>& argv) {
  const Args args(argv, {kLanguageOption}, {});
  if (!args.ok()) return UsageError(kVerb, args.error());
  if (args.positionals().size() != 1) return UsageError(kVerb, "expected one image file (IN.dat)");
  DisplayLanguage lang;
  if (std::string error; !ReadLanguageOption(args, lang, error)) return UsageError(kVerb, error);

  RadioImage image;
  if (const Status s = LoadDat(PathFromUtf8(args.positionals()[0]), image); !s) return Fail(s.error());

  std::ostringstream out;
  out << SummaryWord(SummaryText::RadioTypeIndex, lang) << ": " << static_cast<unsigned>(image[map::kRadioType])
      << '\n';
  out << SummaryWord(SummaryText::Band, lang) << ": " << BandLimits::Decode(image).CaptionText() << '\n';
  out << '\n';
  PrintOptions(out, image, lang);
  out << '\n';
  PrintChannels(out, image, lang);
  std::cout << out.str();
  std::cout.flush();
  if (!std::cout) return Fail("cannot write to standard output");
  return kExitOk;
}

TORVAN_CLI_COMMAND(CommandInfo{kVerb, "show IN.dat [--lang English|Chinese]",
                               "print the radio type index, the band, every optional feature and the used channels, in the "
                               "words of the program in the chosen language",
                               RunShow, 20});

}  // namespace
}  // namespace torvan::cli
