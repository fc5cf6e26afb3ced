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

}  // namespace torvan
