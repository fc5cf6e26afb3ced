// The option codec: image bytes <-> the choices of the option dialog.

#include "core/radio/OptionCodec.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>

namespace torvan {
namespace {

using F = OptionField;

std::string FieldName(F f) { return std::string(OptionInfo(f).label); }

TEST(OptionCodec, NewDocumentOpensWithItsDefaults) {
  const OptionValues v = ReadOptions(RadioImage::NewDocument());
  const std::pair<F, const char*> expected[] = {
      {F::Led, "Auto"},          {F::Step, "25k"},           {F::BatterySaver, "On"},
      {F::EmergencyAlarm, "On"}, {F::KeypadLock, "Manual"},  {F::SquelchLevel, "5"},
      {F::TimeOutTimer, "1"},    {F::Mode, "Frequency"},     {F::VoiceSensitivity, "Off"},
      {F::PriScanningTime, "3s"}, {F::PriorityScan, "Off"}, {F::ScanMode, "CO"},
      {F::ChannelDisplay, "Off"}, {F::Beep, "On"},          {F::AniSwitch, "Off"},
      {F::PttId, "Off"},
  };
  for (auto [f, word] : expected) EXPECT_EQ(OptionWord(v, f, DisplayLanguage::English), word) << FieldName(f);
  EXPECT_EQ(v.aniCode, "");
  EXPECT_EQ(v.stunCode, "");
  EXPECT_TRUE(v.removeStun);
}

// Open column: the field's stored value (shifted down) selects an index.
struct OpenCase {
  F field;
  unsigned stored;
  int index;
};

TEST(OptionCodec, OpenMapsEveryStoredValue) {
  const OpenCase cases[] = {
      {F::Led, 0, 0}, {F::Led, 1, 1}, {F::Led, 2, 2}, {F::Led, 3, 2},
      {F::Step, 0, 0}, {F::Step, 3, 3}, {F::Step, 4, 4}, {F::Step, 5, 0}, {F::Step, 0xFF, 0},
      {F::BatterySaver, 1, 0}, {F::BatterySaver, 0, 1},
      {F::EmergencyAlarm, 1, 0}, {F::EmergencyAlarm, 0, 1},
      {F::KeypadLock, 0, 0}, {F::KeypadLock, 1, 1},
      {F::SquelchLevel, 0x00, 0}, {F::SquelchLevel, 0x09, 9}, {F::SquelchLevel, 0x35, 5},
      {F::SquelchLevel, 0x0A, kNoSelection}, {F::SquelchLevel, 0xFF, kNoSelection},
      {F::TimeOutTimer, 0x03, 3}, {F::TimeOutTimer, 0x41, 1}, {F::TimeOutTimer, 0x04, kNoSelection},
      {F::Mode, 0, 0}, {F::Mode, 1, 1}, {F::Mode, 2, 2}, {F::Mode, 3, 2},
      {F::VoiceSensitivity, 0x00, 0}, {F::VoiceSensitivity, 0x09, 9}, {F::VoiceSensitivity, 0xE3, 3},
      {F::VoiceSensitivity, 0x0A, kNoSelection}, {F::VoiceSensitivity, 0x1F, kNoSelection},
      {F::PriScanningTime, 0x03, 3}, {F::PriScanningTime, 0x0A, 2}, {F::PriScanningTime, 0x08, 0},
      {F::PriScanningTime, 0x04, kNoSelection},
      {F::PriorityScan, 0, 0}, {F::PriorityScan, 1, 1},
      {F::ScanMode, 0, 0}, {F::ScanMode, 1, 1}, {F::ScanMode, 2, 2}, {F::ScanMode, 3, 2},
      {F::ChannelDisplay, 1, 0}, {F::ChannelDisplay, 0, 1},
      {F::Beep, 1, 0}, {F::Beep, 0, 1},
      {F::AniSwitch, 1, 0}, {F::AniSwitch, 0, 1},
      {F::PttId, 0, 0}, {F::PttId, 1, 1}, {F::PttId, 2, 2}, {F::PttId, 3, 3},
  };
  for (const auto& c : cases) {
    RadioImage img = RadioImage::NewDocument();
    img.Set(OptionInfo(c.field).imageField, c.stored);
    EXPECT_EQ(ReadOptions(img)[c.field], c.index) << FieldName(c.field) << " stored " << c.stored;
  }
}

// OK column: an index stores the field's value (shifted down).
struct OkCase {
  F field;
  int index;
  unsigned stored;
};

TEST(OptionCodec, OkStoresEveryChoice) {
  const OkCase cases[] = {
      {F::Led, 0, 0}, {F::Led, 1, 1}, {F::Led, 2, 2},
      {F::Step, 0, 0}, {F::Step, 1, 1}, {F::Step, 4, 4},
      {F::BatterySaver, 0, 1}, {F::BatterySaver, 1, 0},
      {F::EmergencyAlarm, 0, 1}, {F::EmergencyAlarm, 1, 0},
      {F::KeypadLock, 0, 0}, {F::KeypadLock, 1, 1},
      {F::SquelchLevel, 0, 0x00}, {F::SquelchLevel, 9, 0x09},
      {F::TimeOutTimer, 0, 0x00}, {F::TimeOutTimer, 3, 0x03},
      {F::Mode, 0, 0}, {F::Mode, 1, 1}, {F::Mode, 2, 2},
      {F::VoiceSensitivity, 0, 0x00}, {F::VoiceSensitivity, 9, 0x09},
      {F::PriScanningTime, 0, 0x00}, {F::PriScanningTime, 3, 0x03},
      {F::PriorityScan, 0, 0}, {F::PriorityScan, 1, 1},
      {F::ScanMode, 0, 0}, {F::ScanMode, 1, 1}, {F::ScanMode, 2, 2},
      {F::ChannelDisplay, 0, 1}, {F::ChannelDisplay, 1, 0},
      {F::Beep, 0, 1}, {F::Beep, 1, 0},
      {F::AniSwitch, 0, 1}, {F::AniSwitch, 1, 0},
      {F::PttId, 0, 0}, {F::PttId, 1, 1}, {F::PttId, 2, 2}, {F::PttId, 3, 3},
  };
  for (const auto& c : cases) {
    RadioImage img = RadioImage::NewDocument();
    OptionValues v = ReadOptions(img);
    v[c.field] = c.index;
    WriteOptions(v, img);
    EXPECT_EQ(img.Get(OptionInfo(c.field).imageField), c.stored) << FieldName(c.field) << " index " << c.index;
    EXPECT_EQ(ReadOptions(img), v) << FieldName(c.field) << " index " << c.index << " reads back";
  }
}

TEST(OptionCodec, OkRewritesWholeBytesWithTheIndexOnly) {
  struct Case {
    std::uint16_t offset;
    std::uint8_t before, after;
  };
  const Case cases[] = {
      {0x1FC1, 0x35, 0x05},  // Squelch Level
      {0x1FC3, 0x41, 0x01},  // Time-Out Timer
      {0x1FE4, 0xE3, 0x03},  // Voice Sensitivity
      {0x1FE7, 0x0A, 0x02},  // Pri-Scanning Time: read by its low 3 bits
  };
  for (const auto& c : cases) {
    RadioImage img = RadioImage::NewDocument();
    img[c.offset] = c.before;
    WriteOptions(ReadOptions(img), img);
    EXPECT_EQ(img[c.offset], c.after) << std::hex << c.offset;
  }
}

// Changing one field of a shared byte changes only that field's bits; the bits
// that no option field owns (0x1FE1 bit 0, 0x1FE2 bits 7 and 4-2, the rest of
// the single-bit bytes) keep what they held.
TEST(OptionCodec, SharedBytesChangeOnlyTheFieldsBits) {
  for (F f : kAllOptionFields) {
    const ImageField& field = OptionInfo(f).imageField;
    if (field.width == 8) continue;  // whole-byte fields are replaced
    std::uint8_t owned = 0;          // bits of this byte that some option field owns
    for (F g : kAllOptionFields) {
      if (OptionInfo(g).imageField.offset == field.offset) owned |= OptionInfo(g).imageField.Mask();
    }
    for (std::uint8_t background : {0x00, 0xFF, 0xA5, 0x5A}) {
      RadioImage unchanged = RadioImage::NewDocument();
      unchanged[field.offset] = background;
      const OptionValues read = ReadOptions(unchanged);
      WriteOptions(read, unchanged);
      for (int index = 0; index < OptionInfo(f).listSize; ++index) {
        RadioImage img = RadioImage::NewDocument();
        img[field.offset] = background;
        OptionValues v = read;
        v[f] = index;
        WriteOptions(v, img);
        const auto others = static_cast<std::uint8_t>(~field.Mask());
        EXPECT_EQ(img[field.offset] & others, unchanged[field.offset] & others)
            << FieldName(f) << " index " << index << " background " << int(background);
        EXPECT_EQ(img[field.offset] & ~owned & 0xFF, background & ~owned & 0xFF)
            << FieldName(f) << " index " << index << " background " << int(background);
      }
    }
  }
}

TEST(OptionCodec, LedAutoToOnLeavesBitZeroAlone) {
  for (std::uint8_t bit0 : {0, 1}) {
    RadioImage img = RadioImage::NewDocument();
    img[0x1FE1] = static_cast<std::uint8_t>(0xD4 | bit0);
    OptionValues v = ReadOptions(img);
    ASSERT_EQ(OptionWord(v, F::Led, DisplayLanguage::English), "Auto");
    v[F::Led] = 2;
    WriteOptions(v, img);
    EXPECT_EQ((img[0x1FE1] >> 2) & 0x3, 0b10);
    EXPECT_EQ(img[0x1FE1], static_cast<std::uint8_t>(0xD8 | bit0));
  }
}

TEST(OptionCodec, CodesAreStoredAsCharactersThenFill) {
  struct Case {
    std::string code;
    std::array<std::uint8_t, 8> bytes;
  };
  const Case cases[] = {
      {"12AB", {0x31, 0x32, 0x41, 0x42, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"0123ABCD", {0x30, 0x31, 0x32, 0x33, 0x41, 0x42, 0x43, 0x44}},
      {"F", {0x46, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const auto& c : cases) {
    RadioImage img = RadioImage::NewDocument();
    OptionValues v = ReadOptions(img);
    v.aniCode = c.code;
    v.stunCode = c.code;
    WriteOptions(v, img);
    for (std::size_t k = 0; k < 8; ++k) {
      EXPECT_EQ(img[0x12F0 + k], c.bytes[k]) << '"' << c.code << "\" ANI byte " << k;
      EXPECT_EQ(img[0x12F8 + k], c.bytes[k]) << '"' << c.code << "\" Stun byte " << k;
    }
    EXPECT_EQ(ReadOptions(img).aniCode, c.code);
    EXPECT_EQ(ReadOptions(img).stunCode, c.code);
  }
}

TEST(OptionCodec, CodesReadUpToTheFirstFillByte) {
  RadioImage img = RadioImage::NewDocument();
  const std::uint8_t ani[8] = {'7', '7', 0xFF, '1', '2', 0xFF, 0xFF, 0xFF};
  const std::uint8_t stun[8] = {'1', '2', '3', '4', '5', '6', '7', '8'};
  for (int k = 0; k < 8; ++k) {
    img[0x12F0 + k] = ani[k];
    img[0x12F8 + k] = stun[k];
  }
  img[0x1300] = '9';  // the byte after the Stun code is not part of it
  const OptionValues v = ReadOptions(img);
  EXPECT_EQ(v.aniCode, "77");
  EXPECT_EQ(v.stunCode, "12345678");

  // A longer text stores its first eight characters and never spills over.
  OptionValues longer = v;
  longer.aniCode = "ABCDEF0123";
  WriteOptions(longer, img);
  EXPECT_EQ(ReadOptions(img).aniCode, "ABCDEF01");
  EXPECT_EQ(ReadOptions(img).stunCode, "12345678");
  EXPECT_EQ(img[0x1300], '9');
}

TEST(OptionCodec, RemoveStun) {
  struct Case {
    std::uint8_t marker;
    bool opensChecked;
    bool check;
    std::uint8_t stored;
  };
  const Case cases[] = {
      {0xA5, false, true, 0x00},   // stunned radio, user removes the stun
      {0xA5, false, false, 0xA5},  // stays stunned
      {0x00, true, true, 0x00},
      {0xFF, true, true, 0x00},
      {0x5A, true, true, 0x00},
      {0x00, true, false, 0xA5},   // unchecking stuns the radio
  };
  for (const auto& c : cases) {
    RadioImage img = RadioImage::NewDocument();
    img[0x1FEB] = c.marker;
    OptionValues v = ReadOptions(img);
    EXPECT_EQ(v.removeStun, c.opensChecked) << int(c.marker);
    v.removeStun = c.check;
    WriteOptions(v, img);
    EXPECT_EQ(img[0x1FEB], c.stored) << int(c.marker);
  }
}

TEST(OptionCodec, UnknownStoredValuesAreKept) {
  struct Case {
    F field;
    std::uint8_t stored;  // whole byte
  };
  const Case cases[] = {
      {F::SquelchLevel, 0x0C},    {F::SquelchLevel, 0xFF},   {F::TimeOutTimer, 0x07},
      {F::VoiceSensitivity, 0x1F}, {F::VoiceSensitivity, 0xFF}, {F::PriScanningTime, 0x0C},
      {F::Step, 0x07},            {F::Step, 0xFF},
  };
  for (const auto& c : cases) {
    const std::uint16_t offset = OptionInfo(c.field).imageField.offset;
    RadioImage img = RadioImage::NewDocument();
    img[offset] = c.stored;
    EXPECT_FALSE(OptionStoredValueKnown(img, c.field)) << FieldName(c.field);
    const OptionValues v = ReadOptions(img);
    EXPECT_EQ(v[c.field], c.field == F::Step ? 0 : kNoSelection) << FieldName(c.field);
    WriteOptions(v, img);
    EXPECT_EQ(img[offset], c.stored) << FieldName(c.field);

    // A real choice replaces the unknown value.
    OptionValues chosen = v;
    chosen[c.field] = 1;
    WriteOptions(chosen, img);
    EXPECT_EQ(img[offset], 0x01) << FieldName(c.field);
  }
}

TEST(OptionCodec, StepFirstEntryPickedByTheUserReplacesAnUnknownByte) {
  for (const std::uint8_t stored : {0x07, 0xFF}) {
    RadioImage img = RadioImage::NewDocument();
    img[0x1FE0] = stored;
    OptionValues v = ReadOptions(img);
    ASSERT_EQ(v[F::Step], 0);  // shown as "5k"
    v.stepPicked = true;       // and "5k" chosen in the list
    WriteOptions(v, img);
    EXPECT_EQ(img[0x1FE0], 0x00) << "stored " << int(stored);
  }
}

TEST(OptionCodec, IndexOutsideTheListChangesNothing) {
  for (F f : kAllOptionFields) {
    for (int index : {kNoSelection, OptionInfo(f).listSize, 1000}) {
      RadioImage img = RadioImage::NewDocument();
      const RadioImage before = img;
      OptionValues v = ReadOptions(img);
      v[f] = index;
      WriteOptions(v, img);
      EXPECT_EQ(img, before) << FieldName(f) << " index " << index;
    }
  }
}

// Any image read and written back unchanged: bytes outside the option fields
// stay, and a second round trip changes nothing more.
TEST(OptionCodec, RoundTripTouchesOnlyOptionFields) {
  std::set<std::size_t> fieldBytes;
  for (F f : kAllOptionFields) fieldBytes.insert(OptionInfo(f).imageField.offset);
  for (std::size_t k = 0; k < 16; ++k) fieldBytes.insert(0x12F0 + k);
  fieldBytes.insert(0x1FEB);

  std::mt19937 rng(20240501);  // fixed seed: the same images every run
  for (int n = 0; n < 50; ++n) {
    RadioImage img;
    for (auto& b : img.span()) b = static_cast<std::uint8_t>(rng());
    RadioImage once = img;
    WriteOptions(ReadOptions(once), once);
    for (std::size_t off = 0; off < kImageSize; ++off) {
      if (!fieldBytes.count(off)) {
        ASSERT_EQ(once[off], img[off]) << "image " << n << " offset " << off;
      }
    }
    RadioImage twice = once;
    WriteOptions(ReadOptions(twice), twice);
    EXPECT_EQ(twice, once) << "image " << n;
  }
  // The new-document image is already in the form that OK writes.
  RadioImage fresh = RadioImage::NewDocument();
  WriteOptions(ReadOptions(fresh), fresh);
  EXPECT_EQ(fresh, RadioImage::NewDocument());
}

TEST(OptionCodec, ListsInBothLanguages) {
  for (F f : kAllOptionFields) {
    const auto en = OptionListTexts(f, DisplayLanguage::English);
    const auto zh = OptionListTexts(f, DisplayLanguage::Chinese);
    EXPECT_EQ(static_cast<int>(en.size()), OptionInfo(f).listSize) << FieldName(f);
    EXPECT_EQ(en.size(), zh.size()) << FieldName(f);
    EXPECT_EQ(std::set<std::string>(en.begin(), en.end()).size(), en.size()) << FieldName(f) << ": no duplicates";
  }
  using L = std::vector<std::string>;
  EXPECT_EQ(OptionListTexts(F::Step, DisplayLanguage::Chinese), (L{"5k", "6.25k", "10k", "12.5k", "25k"}));
  EXPECT_EQ(OptionListTexts(F::PttId, DisplayLanguage::English), (L{"Off", "Begin Tx", "End Tx", "Both"}));
  EXPECT_EQ(OptionListTexts(F::PttId, DisplayLanguage::Chinese), (L{"关闭", "开始发射", "结束发射", "两者"}));
  EXPECT_EQ(OptionListTexts(F::Beep, DisplayLanguage::Chinese), (L{"开", "关"}));
  EXPECT_EQ(OptionListTexts(F::Led, DisplayLanguage::English), (L{"Off", "Auto", "On"}));
  EXPECT_EQ(OptionListTexts(F::Led, DisplayLanguage::Chinese), (L{"关", "自动", "开"}));
  EXPECT_EQ(OptionListTexts(F::Mode, DisplayLanguage::Chinese), (L{"信道", "频率", "存储"}));
  EXPECT_EQ(OptionListTexts(F::KeypadLock, DisplayLanguage::Chinese), (L{"手动", "自动"}));
  EXPECT_EQ(OptionListTexts(F::TimeOutTimer, DisplayLanguage::Chinese), (L{"关", "1", "3", "10"}));
  EXPECT_EQ(OptionListTexts(F::VoiceSensitivity, DisplayLanguage::English),
            (L{"Off", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  EXPECT_EQ(OptionListTexts(F::ScanMode, DisplayLanguage::Chinese), (L{"SE", "CO", "TO"}));
  EXPECT_EQ(OptionListTexts(F::ChannelDisplay, DisplayLanguage::English), (L{"Off", "On"}));
}

TEST(OptionCodec, Labels) {
  EXPECT_EQ(OptionInfo(F::PriScanningTime).label, "Pri-Scanning Time");
}

// The texts of the dialog's translation source (Qt Linguist), context
// torvan::COptionDialog: English source -> Chinese translation.
std::map<std::string, std::string> DialogTranslations() {
  std::ifstream in(TORVAN_ZH_TS_PATH, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  const std::string ts = all.str();
  const std::string context = "<name>torvan::COptionDialog</name>";
  const auto start = ts.find(context);
  const auto end = ts.find("</context>", start);
  std::map<std::string, std::string> out;
  if (start == std::string::npos || end == std::string::npos) return out;
  const auto between = [&](std::size_t& at, const std::string& open, const std::string& close) {
    const auto a = ts.find(open, at);
    if (a == std::string::npos || a > end) return std::optional<std::string>();
    const auto b = ts.find(close, a);
    at = b + close.size();
    return std::optional<std::string>(ts.substr(a + open.size(), b - a - open.size()));
  };
  for (std::size_t at = start;;) {
    const auto source = between(at, "<source>", "</source>");
    const auto translation = between(at, "<translation>", "</translation>");
    if (!source || !translation) break;
    out[*source] = *translation;
  }
  return out;
}

// The command line prints option labels from the core's table: each must be
// what the dialog shows, in both languages.
TEST(OptionCodec, LabelsAreTheDialogsOwnInBothLanguages) {
  const auto dialog = DialogTranslations();
  ASSERT_FALSE(dialog.empty()) << "no option dialog texts in " << TORVAN_ZH_TS_PATH;
  std::vector<std::pair<std::string, std::string>> labels;
  for (F f : kAllOptionFields)
    labels.emplace_back(OptionLabel(f, DisplayLanguage::English), OptionLabel(f, DisplayLanguage::Chinese));
  for (OptionCodeControl c : kAllOptionCodeControls)
    labels.emplace_back(OptionLabel(c, DisplayLanguage::English), OptionLabel(c, DisplayLanguage::Chinese));
  for (const auto& [english, chinese] : labels) {
    ASSERT_TRUE(dialog.count(english)) << " \"" << english << "\" is no label of the dialog";
    EXPECT_EQ(chinese, dialog.at(english)) << english;
  }
  EXPECT_EQ(OptionLabel(F::Step, DisplayLanguage::Chinese), "步长");
  EXPECT_EQ(OptionLabel(F::Step, DisplayLanguage::English), "Step");
  EXPECT_EQ(OptionListWord(F::Led, 2, DisplayLanguage::Chinese), "开");
  EXPECT_EQ(OptionListWord(F::Led, 3, DisplayLanguage::English), "");
  EXPECT_EQ(OptionListWord(F::Led, kNoSelection, DisplayLanguage::English), "");
}

TEST(OptionCodec, WordsOfStoredValues) {
  RadioImage img = RadioImage::NewDocument();
  EXPECT_EQ(OptionWord(img, F::Mode, DisplayLanguage::Chinese), "频率");
  EXPECT_EQ(OptionWord(img, F::Step, DisplayLanguage::English), "25k");
  img[0x1FC1] = 0x0C;
  img[0x1FE0] = 0x07;
  EXPECT_EQ(OptionWord(img, F::SquelchLevel, DisplayLanguage::English), "? (0x0C)");
  EXPECT_EQ(OptionWord(img, F::Step, DisplayLanguage::English), "? (0x07)");
  EXPECT_EQ(OptionWord(ReadOptions(img), F::SquelchLevel, DisplayLanguage::English), "?");
  EXPECT_EQ(OptionWord(ReadOptions(img), F::Step, DisplayLanguage::English), "5k");
}

TEST(OptionCodec, NormalizeCode) {
  struct Case {
    const char* typed;
    bool ok;
    const char* code;
  };
  const Case cases[] = {
      {"12ab", true, "12AB"}, {"", true, ""},        {"deadBEEF", true, "DEADBEEF"},
      {"123456789", false, ""}, {"12 3", false, ""}, {"G1", false, ""}, {"\xE4\xB8\x80", false, ""},
  };
  for (const auto& c : cases) {
    std::string out = "unchanged";
    EXPECT_EQ(NormalizeOptionCode(c.typed, out), c.ok) << c.typed;
    EXPECT_EQ(out, c.ok ? c.code : "unchanged") << c.typed;
  }
}

}  // namespace
}  // namespace torvan
