#include "app/channels/ChannelNameValidator.h"

#include "core/radio/NameCodes.h"

namespace torvan {
namespace {

constexpr char16_t kLastAscii = 0x7F;
constexpr char kNoCode = '\x80';  // stands for a character beyond ASCII: one byte, no name code

}  // namespace

QValidator::State CChannelNameValidator::validate(QString& input, int& pos) const {
  // One byte per typed character, so that the caret counts the same in both.
  std::string typed;
  typed.reserve(static_cast<std::size_t>(input.size()));
  for (QChar ch : input) {
    const char16_t u = ch.unicode();
    typed.push_back(u <= kLastAscii ? static_cast<char>(u) : kNoCode);
  }
  const NormalisedName name = NormaliseChannelName(typed, static_cast<std::size_t>(std::max(pos, 0)));
  input = QString::fromLatin1(name.text.data(), static_cast<qsizetype>(name.text.size()));
  pos = static_cast<int>(name.caret);
  return Acceptable;
}

}  // namespace torvan
