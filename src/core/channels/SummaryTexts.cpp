#include "core/channels/SummaryTexts.h"

#include <cstdio>
#include <iterator>

namespace torvan {
namespace {

struct Pair {
  SummaryText id;
  std::string_view english, chinese;
};

constexpr Pair kWords[] = {
    {SummaryText::RadioTypeIndex, "Radio type index", "类型序号"},
    {SummaryText::Band, "Band", "频段"},
    {SummaryText::OptionalFeatures, "Optional features", "可选功能"},
    {SummaryText::ChannelsUsed, "Channels used", "已用信道"},
    {SummaryText::NoCode, "(none)", "(无)"},
    {SummaryText::NotStunned, "checked", "已勾选"},
    {SummaryText::Stunned, "unchecked (the radio is stunned)", "未勾选 (电台已遥毙)"},
    {SummaryText::ChannelAdded, "added", "新增"},
    {SummaryText::ChannelRemoved, "removed", "删除"},
};
static_assert(std::size(kWords) == static_cast<std::size_t>(SummaryText::Count_), "every summary word has a pair");

constexpr bool InOrder() {
  for (std::size_t i = 0; i < std::size(kWords); ++i) {
    if (static_cast<std::size_t>(kWords[i].id) != i) return false;
  }
  return true;
}
static_assert(InOrder(), "kWords follows the order of enum SummaryText");

}  // namespace

std::string_view SummaryWord(SummaryText t, DisplayLanguage lang) {
  const Pair& p = kWords[static_cast<std::size_t>(t)];
  return lang == DisplayLanguage::Chinese ? p.chinese : p.english;
}

std::string CountOfTotal(int count, int total, DisplayLanguage lang) {
  return std::to_string(count) + (lang == DisplayLanguage::Chinese ? " / " : " of ") + std::to_string(total);
}

std::string PrintableCode(std::string_view code, DisplayLanguage lang) {
  constexpr unsigned char kFirstPrintable = 0x20;
  constexpr unsigned char kDelete = 0x7F;
  if (code.empty()) return std::string(SummaryWord(SummaryText::NoCode, lang));
  std::string out;
  for (char ch : code) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= kFirstPrintable && c < kDelete) {
      out += ch;
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  return out;
}

}  // namespace torvan
