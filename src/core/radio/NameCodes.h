#pragma once
// Channel-name alphabet: code 0-9 "0"-"9", 10-35 "A"-"Z", 36 "-", 38 "_".
// Every other code (0xFF included) ends the name.

#include <cstdint>

namespace torvan {

inline constexpr std::uint8_t kNameEnd = 0xFF;
inline constexpr int kMaxNameLength = 6;  // what the name editor accepts; 8 are stored

// The character of a code, or 0 for a code that ends the name.
char NameCodeToChar(std::uint8_t code);
// The code of a character, or 0xFF when it has none (lower case, blanks, and
// every byte from 0x80 up).
std::uint8_t NameCharToCode(char c);

}  // namespace torvan
