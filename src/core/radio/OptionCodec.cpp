#include "core/radio/OptionCodec.h"

#include <cstdio>
#include <initializer_list>
#include <iterator>
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
    {{OptionField::Led, "LED", "LED", field::kLed, 3}, Coding::ThreeWay, 0},
    {{OptionField::Step, "Step", "步长", field::kStep, 5}, Coding::StepByte, kAllBits},
    {{OptionField::BatterySaver, "Battery Saver", "电池省电", field::kBatterySaver, 2},
     Coding::OnIsSet, 0},
    {{OptionField::EmergencyAlarm, "Emergency Alarm", "紧急报警", field::kEmergencyAlarm, 2},
     Coding::OnIsSet, 0},
    {{OptionField::KeypadLock, "Keypad Lock", "键盘锁定", field::kKeypadLock, 2}, Coding::OnIsClear, 0},
    {{OptionField::SquelchLevel, "Squelch Level", "静噪电平", field::kSquelchLevel, 10},
     Coding::IndexInBits, kLow4Bits},
    {{OptionField::TimeOutTimer, "Time-Out Timer", "超时定时器", field::kTimeOutTimer, 4},
     Coding::IndexInBits, kLow4Bits},
    {{OptionField::Mode, "Mode", "模式", field::kMode, 3}, Coding::ThreeWay, 0},
    {{OptionField::VoiceSensitivity, "Voice Sensitivity", "声控灵敏度", field::kVoiceSensitivity, 10},
     Coding::IndexInBits, kLow5Bits},
    {{OptionField::PriScanningTime, "Pri-Scanning Time", "预扫描时间", field::kPriScanningTime, 4},
     Coding::IndexInBits, kLow3Bits},
    {{OptionField::PriorityScan, "Priority Scan", "优先扫描", field::kPriorityScan, 2},
     Coding::OnIsClear, 0},
    {{OptionField::ScanMode, "Scan Mode", "扫描模式", field::kScanMode, 3}, Coding::ThreeWay, 0},
    // Its list is "Off", "On": index 0 ("Off") is the set bit.
    {{OptionField::ChannelDisplay, "Channel Display", "信道显示", field::kChannelDisplay, 2},
     Coding::OnIsSet, 0},
    {{OptionField::Beep, "Beep", "提示音", field::kBeep, 2}, Coding::OnIsSet, 0},
    {{OptionField::AniSwitch, "ANI Switch", "ANI 开关", field::kAniSwitch, 2}, Coding::OnIsSet, 0},
    {{OptionField::PttId, "PTT ID", "PTT ID", field::kPttId, 4}, Coding::IndexInBits, kAllBits},
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

// Each field owns its bits: no two share one, and no field lies in the bytes
// of the codes or the stun mark. So the dialog may read and store the fields
// in any order.
constexpr bool FieldsOwnTheirBits() {
  for (std::size_t i = 0; i < std::size(kFields); ++i) {
    const ImageField& a = kFields[i].info.imageField;
    if (a.offset == map::kStunMarker) return false;
    if (a.offset >= map::kAniCode && a.offset < map::kStunCode + map::kCodeSize) return false;
    for (std::size_t j = i + 1; j < std::size(kFields); ++j) {
      const ImageField& b = kFields[j].info.imageField;
      if (a.offset == b.offset && (a.Mask() & b.Mask()) != 0) return false;
    }
  }
  return true;
}
static_assert(FieldsOwnTheirBits(), "option fields do not overlap");

const FieldCoding& CodingOf(OptionField f) { return kFields[static_cast<std::size_t>(f)]; }

// The labels of the dialog's controls that are no list.
struct ControlLabel {
  OptionCodeControl control;
  std::string_view english, chinese;
};
constexpr ControlLabel kControlLabels[] = {
    {OptionCodeControl::AniCode, "ANI Code", "ANI 码"},
    {OptionCodeControl::StunCode, "Stun Code", "遥毙码"},
    {OptionCodeControl::RemoveStun, "Remove Stun", "解除遥毙"},
};

int IndexOfValue(const FieldCoding& fc, unsigned v) {
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

// The index that the stored value selects; kNoSelection when the list lacks
// it. Step's fallback to index 0 is left to the caller.
int StoredIndex(const RadioImage& image, const FieldCoding& fc) { return IndexOfValue(fc, image.Get(fc.info.imageField)); }

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

std::vector<std::string> Words(std::initializer_list<Text> texts, DisplayLanguage lang) {
  std::vector<std::string> out;
  for (Text t : texts) out.emplace_back(TextFor(t, lang));
  return out;
}

// A step in hundredths of a kilohertz as the list shows it: "5k", "6.25k", "12.5k".
std::string StepWord(int hundredths) {
  constexpr int kHundredths = 100;
  std::string word = std::to_string(hundredths / kHundredths);
  if (const int fraction = hundredths % kHundredths; fraction != 0) {
    word += '.';
    word += static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) word += static_cast<char>('0' + fraction % 10);
  }
  return word + "k";
}

// "Off" (or its Chinese form) followed by the numbers first..last.
std::vector<std::string> OffThenNumbers(std::initializer_list<int> numbers, DisplayLanguage lang) {
  std::vector<std::string> out{std::string(TextFor(Text::Off, lang))};
  for (int n : numbers) out.push_back(std::to_string(n));
  return out;
}

}  // namespace

const OptionFieldInfo& OptionInfo(OptionField f) { return CodingOf(f).info; }

std::string_view OptionLabel(OptionField f, DisplayLanguage lang) {
  const OptionFieldInfo& info = OptionInfo(f);
  return lang == DisplayLanguage::Chinese ? info.labelChinese : info.label;
}

std::string_view OptionLabel(OptionCodeControl control, DisplayLanguage lang) {
  for (const ControlLabel& c : kControlLabels) {
    if (c.control == control) return lang == DisplayLanguage::Chinese ? c.chinese : c.english;
  }
  return {};
}

int OptionIndexOfValue(OptionField f, unsigned value) {
  const FieldCoding& fc = CodingOf(f);
  return IndexOfValue(fc, value & (fc.info.imageField.Mask() >> fc.info.imageField.shift));
}

std::string OptionListWord(OptionField f, int index, DisplayLanguage lang) {
  const auto words = OptionListTexts(f, lang);
  if (index < 0 || static_cast<std::size_t>(index) >= words.size()) return {};
  return words[static_cast<std::size_t>(index)];
}

OptionValues ReadOptions(const RadioImage& image) {
  OptionValues v;
  for (const FieldCoding& fc : kFields) v[fc.info.id] = ReadIndex(image, fc);
  v.aniCode = ReadCode(image, map::kAniCode);
  v.stunCode = ReadCode(image, map::kStunCode);
  v.removeStun = image[map::kStunMarker] != map::kStunnedValue;
  return v;
}

void WriteOptions(const OptionValues& values, RadioImage& image) {
  // No two fields share a bit (checked above), so the order of the stores
  // changes nothing.
  constexpr std::uint8_t kNotStunned = 0x00;
  for (const FieldCoding& fc : kFields) {
    const OptionField f = fc.info.id;
    WriteIndex(values[f], f == OptionField::Step && values.stepPicked, image, fc);
  }
  WriteCode(values.aniCode, image, map::kAniCode);
  WriteCode(values.stunCode, image, map::kStunCode);
  image[map::kStunMarker] = values.removeStun ? kNotStunned : map::kStunnedValue;
}

std::vector<std::string> OptionListTexts(OptionField f, DisplayLanguage lang) {
  switch (f) {
    case OptionField::Led:
      return Words({Text::Off, Text::Auto, Text::On}, lang);
    case OptionField::Step: {
      std::vector<std::string> steps;
      for (int h : kStepHundredthsOfKHz) steps.push_back(StepWord(h));
      return steps;
    }
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
  std::string word = OptionListWord(f, values[f], lang);
  return word.empty() ? "?" : word;
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
