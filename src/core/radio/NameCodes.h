#pragma once
// Channel-name alphabet: code 0-9 "0"-"9", 10-35 "A"-"Z", 36 "-", 38 "_".
// Every other code (0xFF included) ends the name.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace torvan {

inline constexpr std::uint8_t kNameEnd = 0xFF;
inline constexpr int kMaxNameLength = 6;  // what the name editor accepts; 8 are stored

// The character of a code, or 0 for a code that ends the name.
char NameCodeToChar(std::uint8_t code);
// The code of a character, or 0xFF when it has none (lower case, blanks, and
// every byte from 0x80 up).
std::uint8_t NameCharToCode(char c);

// A name as the user typed it, in the form the radio stores: letters in
// upper case, every character without a name code dropped (blanks,
// punctuation other than "-" and "_", each byte of a non-ASCII character).
// The length is not cut: callers decide what a name longer than
// kMaxNameLength means for them.
struct NormalisedName {
  std::string text;
  std::size_t caret = 0;       // the typed caret, moved with the text before it
  bool caseChanged = false;    // a lower-case letter became upper case
  bool dropped = false;        // a character without a name code was removed
};
NormalisedName NormaliseChannelName(std::string_view typed, std::size_t caret = 0);

}  // namespace torvan
