// Tone list, name alphabet, the two-language vocabulary and the message table.

#include <gtest/gtest.h>

#include <set>

#include "core/radio/MessageTexts.h"
#include "core/radio/NameCodes.h"
#include "core/radio/ToneTable.h"
#include "core/radio/ValueTexts.h"

namespace torvan {
namespace {

TEST(ToneTable, HoldsTheChoicesInListOrder) {
  for (auto lang : {DisplayLanguage::English, DisplayLanguage::Chinese}) {
    const auto t = LoadToneTexts(lang);
    ASSERT_EQ(t.size(), 261u);
    EXPECT_EQ(t[0], lang == DisplayLanguage::English ? "None" : "无");
    EXPECT_EQ(t[1], "67.0");
    EXPECT_EQ(t[13], "100.0");
    EXPECT_EQ(t[50], "254.1");
    EXPECT_EQ(t[51], "D023N");
    EXPECT_EQ(t[155], "D754N");
    EXPECT_EQ(t[156], "D023I");
    EXPECT_EQ(t[260], "D754I");
  }
  const auto en = LoadToneTexts(DisplayLanguage::English);
  const auto zh = LoadToneTexts(DisplayLanguage::Chinese);
  EXPECT_TRUE(std::equal(en.begin() + 1, en.end(), zh.begin() + 1));
  EXPECT_EQ(std::set<std::string>(en.begin(), en.end()).size(), 261u) << "no duplicates";
  for (std::size_t i = 1; i < kCtcssTenthsHz.size(); ++i) EXPECT_LT(kCtcssTenthsHz[i - 1], kCtcssTenthsHz[i]);
  for (std::size_t i = 1; i < kDcsCodes.size(); ++i) EXPECT_LT(kDcsCodes[i - 1], kDcsCodes[i]);
}

TEST(NameCodes, AlphabetBothWays) {
  const std::pair<std::uint8_t, char> table[] = {{0, '0'},  {9, '9'},  {10, 'A'}, {35, 'Z'},
                                                 {36, '-'}, {38, '_'}};
  for (auto [code, ch] : table) {
    EXPECT_EQ(NameCodeToChar(code), ch);
    EXPECT_EQ(NameCharToCode(ch), code);
  }
  for (std::uint8_t code : {37, 39, 100, 0xFE, 0xFF}) EXPECT_EQ(NameCodeToChar(code), 0) << int(code);
  for (char ch : {'a', 'z', ' ', '.', '/', '\x80', '\xE6', '\xFF'}) EXPECT_EQ(NameCharToCode(ch), 0xFF) << int(ch);
}

TEST(NameCodes, TypedNamesTakeTheStoredForm) {
  struct Case {
    std::string_view typed;
    std::size_t caret;
    std::string_view text;
    std::size_t caretAfter;
    bool caseChanged, dropped;
  };
  const Case cases[] = {
      {"RPT-1_", 6, "RPT-1_", 6, false, false},
      {"rpt1", 2, "RPT1", 2, true, false},
      {"a b.c", 5, "ABC", 3, true, true},          // a blank and a dot go, the caret follows
      {"\xE9\x87\x8D" "AB", 3, "AB", 0, false, true},  // each byte of a non-ASCII character goes
      {"ABCDEFGH", 8, "ABCDEFGH", 8, false, false},  // the length is the caller's to judge
      {"", 0, "", 0, false, false},
  };
  for (const Case& c : cases) {
    const NormalisedName n = NormaliseChannelName(c.typed, c.caret);
    EXPECT_EQ(n.text, c.text) << c.typed;
    EXPECT_EQ(n.caret, c.caretAfter) << c.typed;
    EXPECT_EQ(n.caseChanged, c.caseChanged) << c.typed;
    EXPECT_EQ(n.dropped, c.dropped) << c.typed;
  }
}

TEST(ValueTexts, LanguageFlagIsExactAndCaseSensitive) {
  EXPECT_EQ(DisplayLanguageFromName("Chinese"), DisplayLanguage::Chinese);
  for (const char* v : {"chinese", "CHINESE", "English", "", " Chinese", "Chinese "})
    EXPECT_EQ(DisplayLanguageFromName(v), DisplayLanguage::English) << '"' << v << '"';
}

TEST(ValueTexts, PairsTheBothLanguagesRecognise) {
  EXPECT_EQ(TextFor(Text::Unlock, DisplayLanguage::Chinese), "未锁定");
  EXPECT_EQ(TextFor(Text::CaptionType, DisplayLanguage::English), "  [ Type:");
  EXPECT_EQ(TextFor(Text::TitleFre, DisplayLanguage::Chinese), " 频率:");
  EXPECT_EQ(TextFor(Text::PrintBusy, DisplayLanguage::English), "Busy");
  EXPECT_EQ(TextFor(Text::PrintBusy, DisplayLanguage::Chinese), "繁忙:");
  // The Chinese "No" and "None" are the same word; the column tells them apart.
  EXPECT_EQ(TextFor(Text::No, DisplayLanguage::Chinese), TextFor(Text::None, DisplayLanguage::Chinese));
  EXPECT_TRUE(IsTextInEitherLanguage("Wide", Text::Wide));
  EXPECT_TRUE(IsTextInEitherLanguage("宽", Text::Wide));
  EXPECT_FALSE(IsTextInEitherLanguage("wide", Text::Wide));
  EXPECT_EQ(ColumnHeader(0, DisplayLanguage::English), "CH");
  EXPECT_EQ(ColumnHeader(9, DisplayLanguage::English), "Cha Name");
  EXPECT_EQ(ColumnHeader(9, DisplayLanguage::Chinese), "信道名字");
}

TEST(MessageTexts, EnglishTextsOfTheStringTable) {
  EXPECT_EQ(MessageText(MessageId::OutOfRange, DisplayLanguage::English), "Out of range,please input again.");
  EXPECT_EQ(MessageText(MessageId::CouldNotOpenPort, DisplayLanguage::English),
            "Could not Open the Port,Please check whether the Port are occupied or the device are ok");
  EXPECT_EQ(MessageText(MessageId::ProgramInterrupt, DisplayLanguage::English),
            "Program Interrupt, Please reset the radio and try again");
  EXPECT_EQ(MessageText(MessageId::Caution, DisplayLanguage::English), "Caution");
  for (auto id : kAllMessageIds) {
    EXPECT_FALSE(MessageText(id, DisplayLanguage::Chinese).empty());
    EXPECT_NE(MessageText(id, DisplayLanguage::Chinese), MessageText(id, DisplayLanguage::English));
  }
}

}  // namespace
}  // namespace torvan
