#include "app/channels/ChannelNameValidator.h"

#include "core/radio/NameCodes.h"

namespace torvan {
namespace {

constexpr char16_t kLastAscii = 0x7F;

}  // namespace

QValidator::State CChannelNameValidator::validate(QString& input, int& pos) const {
  QString kept;
  kept.reserve(input.size());
  int keptPos = pos;
  for (int i = 0; i < input.size(); ++i) {
    const char16_t u = input.at(i).unicode();
    char c = u <= kLastAscii ? static_cast<char>(u) : '\0';
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != '\0' && NameCharToCode(c) != kNameEnd) {
      kept.append(QLatin1Char(c));
    } else if (i < pos) {
      --keptPos;  // the caret stays behind what was typed before it
    }
  }
  input = kept;
  pos = keptPos;
  return Acceptable;
}

}  // namespace torvan
