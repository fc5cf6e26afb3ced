#include "core/radio/OptionCodec.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

namespace torvan {
namespace {

// How a field's stored bits map to a list index.
enum class Coding {
  ThreeWay,     // 00 -> 0, 01 -> 1, 10 or 11 -> 2; stored back as 00, 01, 10
  OnIsSet,      // bit set -> index 0; index 0 stores 1, index 1 stores 0
  OnIsClear,    // bit clear -> index 0; index 0 stores 0, index 1 stores 1
  IndexInBits,  // the low bits (read mask) of the value are the index
  StepByte,     // the byte is the index; a value the list lacks shows index 0
};

struct FieldCoding {
  OptionFieldInfo info;
  Coding coding;
  unsigned readMask;  // IndexInBits: the bits of the value that make the index
};

constexpr unsigned kLow3Bits = 0x07;
constexpr unsigned kLow4Bits = 0x0F;
constexpr unsigned kLow5Bits = 0x1F;
constexpr unsigned kAllBits = 0xFF;

// In OptionField order.
constexpr FieldCoding kFields[] = {
    {{OptionField::Led, "LED", field::kLed, 3}, Coding::ThreeWay, 0},
    {{OptionField::Step, "Step", field::kStep, 5}, Coding::StepByte, kAllBits},
    {{OptionField::BatterySaver, "Battery Saver", field::kBatterySaver, 2},
     Coding::OnIsSet, 0},
    {{OptionField::EmergencyAlarm, "Emergency Alarm", field::kEmergencyAlarm, 2},
     Coding::OnIsSet, 0},
    {{OptionField::KeypadLock, "Keypad Lock", field::kKeypadLock, 2}, Coding::OnIsClear, 0},
    {{OptionField::SquelchLevel, "Squelch Level", field::kSquelchLevel, 10},
     Coding::IndexInBits, kLow4Bits},
    {{OptionField::TimeOutTimer, "Time-Out Timer", field::kTimeOutTimer, 4},
     Coding::IndexInBits, kLow4Bits},
    {{OptionField::Mode, "Mode", field::kMode, 3}, Coding::ThreeWay, 0},
    {{OptionField::VoiceSensitivity, "Voice Sensitivity", field::kVoiceSensitivity, 10},
     Coding::IndexInBits, kLow5Bits},
    {{OptionField::PriScanningTime, "Pri-Scanning Time", field::kPriScanningTime, 4},
     Coding::IndexInBits, kLow3Bits},
    {{OptionField::PriorityScan, "Priority Scan", field::kPriorityScan, 2},
     Coding::OnIsClear, 0},
    {{OptionField::ScanMode, "Scan Mode", field::kScanMode, 3}, Coding::ThreeWay, 0},
    // Its list is "Off", "On": index 0 ("Off") is the set bit.
    {{OptionField::ChannelDisplay, "Channel Display", field::kChannelDisplay, 2},
     Coding::OnIsSet, 0},
    {{OptionField::Beep, "Beep", field::kBeep, 2}, Coding::OnIsSet, 0},
    {{OptionField::AniSwitch, "ANI Switch", field::kAniSwitch, 2}, Coding::OnIsSet, 0},
    {{OptionField::PttId, "PTT ID", field::kPttId, 4}, Coding::IndexInBits, kAllBits},
};

static_assert(std::size(kFields) == kOptionFieldCount, "one coding per option field");

constexpr bool FieldsInOrder() {
  for (std::size_t i = 0; i < std::size(kFields); ++i) {
    if (static_cast<std::size_t>(kFields[i].info.id) != i) return false;
    if (kAllOptionFields[i] != kFields[i].info.id) return false;
  }
  return true;
}
static_assert(FieldsInOrder(), "kFields and kAllOptionFields follow the order of enum OptionField");

const FieldCoding& CodingOf(OptionField f) { return kFields[static_cast<std::size_t>(f)]; }

// The index that the stored value selects; kNoSelection when the list lacks
// it. Step's fallback to index 0 is left to the caller.
int StoredIndex(const RadioImage& image, const FieldCoding& fc) {
  const unsigned v = image.Get(fc.info.imageField);
  int index = kNoSelection;
  switch (fc.coding) {
    case Coding::ThreeWay:
      index = v >= 2 ? 2 : static_cast<int>(v);
      break;
    case Coding::OnIsSet:
      index = v ? 0 : 1;
      break;
    case Coding::OnIsClear:
      index = v ? 1 : 0;
      break;
    case Coding::IndexInBits:
    case Coding::StepByte:
      index = static_cast<int>(v & fc.readMask);
      break;
  }
  return index < fc.info.listSize ? index : kNoSelection;
}

int ReadIndex(const RadioImage& image, const FieldCoding& fc) {
  const int index = StoredIndex(image, fc);
  if (index == kNoSelection && fc.coding == Coding::StepByte) return 0;
  return index;
}

void WriteIndex(int index, bool picked, RadioImage& image, const FieldCoding& fc) {
  const bool inList = index >= 0 && index < fc.info.listSize;
  if (!inList) return;  // nothing chosen: the stored bits stay
  if (fc.coding == Coding::StepByte && index == 0 && !picked && StoredIndex(image, fc) == kNoSelection) {
    return;  // still the fallback that was shown for a byte the list lacks
  }
  unsigned v = 0;
  switch (fc.coding) {
    case Coding::ThreeWay:
    case Coding::OnIsClear:
    case Coding::IndexInBits:
    case Coding::StepByte:
      v = static_cast<unsigned>(index);
      break;
    case Coding::OnIsSet:
      v = index == 0 ? 1u : 0u;
      break;
  }
  image.Set(fc.info.imageField, v);
}

// A code field: the bytes before the first 0xFF, at most 8.
std::string ReadCode(const RadioImage& image, std::uint16_t offset) {
  constexpr std::uint8_t kEnd = 0xFF;
  std::string code;
  for (std::size_t k = 0; k < map::kCodeSize; ++k) {
    const std::uint8_t b = image[offset + k];
    if (b == kEnd) break;
    code.push_back(static_cast<char>(b));
  }
  return code;
}

void WriteCode(std::string_view code, RadioImage& image, std::uint16_t offset) {
  constexpr std::uint8_t kFill = 0xFF;
  for (std::size_t k = 0; k < map::kCodeSize; ++k) {
    image[offset + k] = k < code.size() ? static_cast<std::uint8_t>(code[k]) : kFill;
  }
}

// The dialog reads and stores its fields in this order.
enum class Item {
  RemoveStun, PttId, BatterySaver, Step, EmergencyAlarm, TimeOutTimer, SquelchLevel, Beep,
  AniSwitch, AniCode, StunCode, ChannelDisplay, PriorityScan, PriScanningTime, ScanMode, KeypadLock,
  Led, Mode, VoiceSensitivity,
};

constexpr Item kFieldOrder[] = {
    Item::RemoveStun,     Item::PttId,          Item::BatterySaver, Item::Step,
    Item::EmergencyAlarm, Item::TimeOutTimer,   Item::SquelchLevel, Item::Beep,
    Item::AniSwitch,      Item::AniCode,        Item::StunCode,     Item::ChannelDisplay,
    Item::PriorityScan,   Item::PriScanningTime, Item::ScanMode,    Item::KeypadLock,
    Item::Led,            Item::Mode,           Item::VoiceSensitivity,
};

// The list field of a step; Count_ for the codes and Remove Stun.
OptionField ListFieldOf(Item s) {
  switch (s) {
    case Item::PttId: return OptionField::PttId;
    case Item::BatterySaver: return OptionField::BatterySaver;
    case Item::Step: return OptionField::Step;
    case Item::EmergencyAlarm: return OptionField::EmergencyAlarm;
    case Item::TimeOutTimer: return OptionField::TimeOutTimer;
    case Item::SquelchLevel: return OptionField::SquelchLevel;
    case Item::Beep: return OptionField::Beep;
    case Item::AniSwitch: return OptionField::AniSwitch;
    case Item::ChannelDisplay: return OptionField::ChannelDisplay;
    case Item::PriorityScan: return OptionField::PriorityScan;
    case Item::PriScanningTime: return OptionField::PriScanningTime;
    case Item::ScanMode: return OptionField::ScanMode;
    case Item::KeypadLock: return OptionField::KeypadLock;
    case Item::Led: return OptionField::Led;
    case Item::Mode: return OptionField::Mode;
    case Item::VoiceSensitivity: return OptionField::VoiceSensitivity;
    case Item::RemoveStun:
    case Item::AniCode:
    case Item::StunCode:
      break;
  }
  return OptionField::Count_;
}

std::vector<std::string> Words(std::initializer_list<Text> texts, DisplayLanguage lang) {
  std::vector<std::string> out;
  for (Text t : texts) out.emplace_back(TextFor(t, lang));
  return out;
}

// "Off" (or its Chinese form) followed by the numbers first..last.
std::vector<std::string> OffThenNumbers(std::initializer_list<int> numbers, DisplayLanguage lang) {
  std::vector<std::string> out{std::string(TextFor(Text::Off, lang))};
  for (int n : numbers) out.push_back(std::to_string(n));
  return out;
}

}  // namespace

const OptionFieldInfo& OptionInfo(OptionField f) { return CodingOf(f).info; }

OptionValues ReadOptions(const RadioImage& image) {
  OptionValues v;
  for (Item s : kFieldOrder) {
    switch (s) {
      case Item::RemoveStun:
        v.removeStun = image[map::kStunMarker] != map::kStunnedValue;
        break;
      case Item::AniCode:
        v.aniCode = ReadCode(image, map::kAniCode);
        break;
      case Item::StunCode:
        v.stunCode = ReadCode(image, map::kStunCode);
        break;
      default: {
        const OptionField f = ListFieldOf(s);
        v[f] = ReadIndex(image, CodingOf(f));
        break;
      }
    }
  }
  return v;
}

void WriteOptions(const OptionValues& values, RadioImage& image) {
  constexpr std::uint8_t kNotStunned = 0x00;
  for (Item s : kFieldOrder) {
    switch (s) {
      case Item::RemoveStun:
        image[map::kStunMarker] = values.removeStun ? kNotStunned : map::kStunnedValue;
        break;
      case Item::AniCode:
        WriteCode(values.aniCode, image, map::kAniCode);
        break;
      case Item::StunCode:
        WriteCode(values.stunCode, image, map::kStunCode);
        break;
      default: {
        const OptionField f = ListFieldOf(s);
        WriteIndex(values[f], f == OptionField::Step && values.stepPicked, image, CodingOf(f));
        break;
      }
    }
  }
}

std::vector<std::string> OptionListTexts(OptionField f, DisplayLanguage lang) {
  switch (f) {
    case OptionField::Led:
      return Words({Text::Off, Text::Auto, Text::On}, lang);
    case OptionField::Step:
      return {"5k", "6.25k", "10k", "12.5k", "25k"};
    case OptionField::BatterySaver:
    case OptionField::EmergencyAlarm:
    case OptionField::Beep:
    case OptionField::AniSwitch:
      return Words({Text::On, Text::Off}, lang);
    case OptionField::KeypadLock:
      return Words({Text::Manual, Text::Auto}, lang);
    case OptionField::SquelchLevel:
      return {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    case OptionField::TimeOutTimer:
      return OffThenNumbers({1, 3, 10}, lang);
    case OptionField::Mode:
      return Words({Text::WordChannel, Text::WordFrequency, Text::WordMemory}, lang);
    case OptionField::VoiceSensitivity:
      return OffThenNumbers({1, 2, 3, 4, 5, 6, 7, 8, 9}, lang);
    case OptionField::PriScanningTime:
      return {"3s", "5s", "8s", "10s"};
    case OptionField::PriorityScan:
    case OptionField::ChannelDisplay:
      return Words({Text::Off, Text::On}, lang);
    case OptionField::ScanMode:
      return {"SE", "CO", "TO"};
    case OptionField::PttId:
      return Words({Text::PttOff, Text::PttBeginTx, Text::PttEndTx, Text::PttBoth}, lang);
    case OptionField::Count_:
      break;
  }
  return {};
}

std::string OptionWord(const OptionValues& values, OptionField f, DisplayLanguage lang) {
  const auto words = OptionListTexts(f, lang);
  const int i = values[f];
  if (i < 0 || static_cast<std::size_t>(i) >= words.size()) return "?";
  return words[static_cast<std::size_t>(i)];
}

bool OptionStoredValueKnown(const RadioImage& image, OptionField f) {
  return StoredIndex(image, CodingOf(f)) != kNoSelection;
}

std::string OptionWord(const RadioImage& image, OptionField f, DisplayLanguage lang) {
  const FieldCoding& fc = CodingOf(f);
  const int i = StoredIndex(image, fc);
  if (i == kNoSelection) {
    char raw[16];
    std::snprintf(raw, sizeof raw, "? (0x%02X)", static_cast<unsigned>(image.Get(fc.info.imageField)));
    return raw;
  }
  return OptionListTexts(f, lang)[static_cast<std::size_t>(i)];
}

bool NormalizeOptionCode(std::string_view typed, std::string& out) {
  if (typed.size() > kOptionCodeMaxLength) return false;
  std::string code;
  for (char c : typed) {
    if (c >= '0' && c <= '9') {
      code.push_back(c);
    } else if (c >= 'A' && c <= 'F') {
      code.push_back(c);
    } else if (c >= 'a' && c <= 'f') {
      code.push_back(static_cast<char>(c - 'a' + 'A'));
    } else {
      return false;
    }
  }
  out = std::move(code);
  return true;
}

}  // namespace torvan
