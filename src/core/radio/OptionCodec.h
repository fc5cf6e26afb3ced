#pragma once
// The option codec: the radio's optional features (the option bytes near the
// end of the image and the ANI / Stun codes) <-> the choices of the option
// dialog. A choice is the index into the field's drop-down list; the coding
// goes by index, so the English and Chinese lists keep the same order.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/radio/MemoryMap.h"
#include "core/radio/RadioImage.h"
#include "core/radio/ValueTexts.h"

namespace torvan {

// The drop-down lists of the option dialog, in the dialog's order.
enum class OptionField {
  Led,
  Step,
  BatterySaver,
  EmergencyAlarm,
  KeypadLock,
  SquelchLevel,
  TimeOutTimer,
  Mode,
  VoiceSensitivity,
  PriScanningTime,
  PriorityScan,
  ScanMode,
  ChannelDisplay,
  Beep,
  AniSwitch,
  PttId,
  Count_
};

inline constexpr std::size_t kOptionFieldCount = static_cast<std::size_t>(OptionField::Count_);

// Every list field in dialog order, for loops over all of them.
inline constexpr std::array<OptionField, kOptionFieldCount> kAllOptionFields = {
    OptionField::Led,          OptionField::Step,           OptionField::BatterySaver,
    OptionField::EmergencyAlarm, OptionField::KeypadLock,   OptionField::SquelchLevel,
    OptionField::TimeOutTimer, OptionField::Mode,           OptionField::VoiceSensitivity,
    OptionField::PriScanningTime, OptionField::PriorityScan, OptionField::ScanMode,
    OptionField::ChannelDisplay, OptionField::Beep,         OptionField::AniSwitch,
    OptionField::PttId,
};

// The longest ANI or Stun code, in characters (the size of its image field).
inline constexpr std::size_t kOptionCodeMaxLength = map::kCodeSize;

struct OptionFieldInfo {
  OptionField id;
  std::string_view label;         // the dialog's English label, e.g. "LED"
  std::string_view labelChinese;  // the same label in the Chinese dialog, e.g. "步长" for "Step"
  ImageField imageField;          // where the choice lives in the image
  int listSize;                   // number of entries of the drop-down list
};

const OptionFieldInfo& OptionInfo(OptionField f);

// The option dialog's controls that are no list.
enum class OptionCodeControl { AniCode, StunCode, RemoveStun };
inline constexpr OptionCodeControl kAllOptionCodeControls[] = {OptionCodeControl::AniCode, OptionCodeControl::StunCode,
                                                               OptionCodeControl::RemoveStun};

// The label of a control of the option dialog in the language of the dialog's
// texts, as the dialog shows it. What the command line prints about options
// uses these, so that a user sees the same words as in the program.
std::string_view OptionLabel(OptionField f, DisplayLanguage lang);
std::string_view OptionLabel(OptionCodeControl c, DisplayLanguage lang);

// "No selection": the list shows no entry.
inline constexpr int kNoSelection = -1;

// The state of the option dialog.
struct OptionValues {
  // Index into each field's list (by OptionField), or kNoSelection.
  std::array<int, kOptionFieldCount> index{};
  std::string aniCode;   // the characters as stored, at most 8
  std::string stunCode;  // same form
  bool removeStun = false;
  // True when the user picked a Step entry: then even the first entry ("5k")
  // is stored over a Step byte the list lacks (see WriteOptions).
  bool stepPicked = false;

  int& operator[](OptionField f) { return index[static_cast<std::size_t>(f)]; }
  int operator[](OptionField f) const { return index[static_cast<std::size_t>(f)]; }
  bool operator==(const OptionValues&) const = default;
};

// Reads every option of the image as the dialog shows it when it opens.
// A stored value that the field's list does not have gives kNoSelection, except
// for Step, which then shows index 0.
OptionValues ReadOptions(const RadioImage& image);

// Stores every option into the image as the dialog's OK does, changing only
// each field's own bits of a shared byte; whole-byte fields are replaced by the
// index (Squelch 0x35 shown as "5" is stored back as 0x05).
//
// Unknown stored values are kept: a field keeps its stored bits when its index
// is kNoSelection or outside its list, and Step keeps its byte when its index
// is still the 0 that ReadOptions falls back to for a byte the list lacks,
// unless `stepPicked` says the user chose that entry.
// So reading and writing back an image without changes keeps every byte that
// the dialog could not show.
//
// Codes: character k for k below the length (at most 8 are stored), 0xFF for
// the rest. Remove Stun: checked stores 0x00, unchecked 0xA5 (stunned).
void WriteOptions(const OptionValues& values, RadioImage& image);

// The list words of a field in list order, in the given language. This is
// the one table of option words: the dialog's lists, the command line and the
// printed option page all take their words from it.
std::vector<std::string> OptionListTexts(OptionField f, DisplayLanguage lang);

// The word of entry `index` of a field's list; empty when the list has no
// such entry.
std::string OptionListWord(OptionField f, int index, DisplayLanguage lang);

// The list index that a stored value of field `f` (its bits, shifted down)
// selects by the dialog's reading rule; kNoSelection when the list lacks it
// (Step included: its fallback to index 0 is ReadOptions' own).
int OptionIndexOfValue(OptionField f, unsigned value);

// The Step list's channel steps in hundredths of a kilohertz, in list order:
// 5, 6.25, 10, 12.5 and 25 kHz. The list words are made from them.
inline constexpr std::array<int, 5> kStepHundredthsOfKHz = {500, 625, 1000, 1250, 2500};

// The word of a field's current choice; "?" for no selection.
std::string OptionWord(const OptionValues& values, OptionField f, DisplayLanguage lang);

// The word of the value stored in the image; a stored value that the list
// lacks (Step included) gives "?" and the field's raw value, e.g. "? (0x0C)".
std::string OptionWord(const RadioImage& image, OptionField f, DisplayLanguage lang);

// True when the image holds a value of field `f` that its list has.
bool OptionStoredValueKnown(const RadioImage& image, OptionField f);

// A code as the dialog's edit accepts it: at most 8 hexadecimal digits, with
// letters in upper case. Returns false (and leaves `out` alone) otherwise.
bool NormalizeOptionCode(std::string_view typed, std::string& out);

}  // namespace torvan
