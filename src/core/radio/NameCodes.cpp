#include "core/radio/NameCodes.h"

namespace torvan {

char NameCodeToChar(std::uint8_t code) {
  if (code <= 9) return static_cast<char>('0' + code);
  if (code <= 35) return static_cast<char>('A' + (code - 10));
  if (code == 36) return '-';
  if (code == 38) return '_';
  return 0;
}

std::uint8_t NameCharToCode(char c) {
  // Compared as a signed byte: UTF-8 lead and continuation bytes have no code.
  const signed char s = static_cast<signed char>(c);
  if (s >= '0' && s <= '9') return static_cast<std::uint8_t>(s - '0');
  if (s >= 'A' && s <= 'Z') return static_cast<std::uint8_t>(10 + (s - 'A'));
  if (s == '-') return 36;
  if (s == '_') return 38;
  return kNameEnd;
}

NormalisedName NormaliseChannelName(std::string_view typed, std::size_t caret) {
  NormalisedName out;
  out.text.reserve(typed.size());
  out.caret = caret;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    char c = typed[i];
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
      out.caseChanged = true;
    }
    if (NameCharToCode(c) != kNameEnd) {
      out.text.push_back(c);
    } else {
      out.dropped = true;
      if (i < caret) --out.caret;  // the caret stays behind what was typed before it
    }
  }
  return out;
}

}  // namespace torvan
