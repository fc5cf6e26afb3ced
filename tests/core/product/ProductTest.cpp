// Radio types and bands from Program.ini, and the product dialog's rules.

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "core/product/MainWindowCaption.h"
#include "core/product/ProductCatalog.h"
#include "core/product/ProductChoice.h"

namespace torvan {
namespace {

using Strings = std::vector<std::string>;

// A store over a Program.ini with the given content, as the program opens it.
class Ini {
 public:
  explicit Ini(const std::string& content) {
    const std::string path = dir_.file("Program.ini");
    std::ofstream(path, std::ios::binary) << content;
    ok_ = store_.OpenPath(path, {}).ok();
  }
  const CIniStore& store() const { return store_; }
  CIniStore& store() { return store_; }
  bool ok() const { return ok_; }

 private:
  test::TempDir dir_;
  CIniStore store_;
  bool ok_ = false;
};

TEST(ProductCatalog, RadioTypeNames) {
  std::string twenty = "[Setup]\n";
  for (int n = 1; n <= 20; ++n) twenty += "Type" + std::to_string(n) + "=T" + std::to_string(n) + "\n";
  const std::pair<std::string, Strings> cases[] = {
      {"[Setup]\nType1=A\nType2=B\n", {"A", "B"}},
      {"[setup]\ntype2=B\nTYPE1=A\n", {"A", "B"}},
      {"[Setup]\nType1=A\nType2=\nType3=C\n", {"A"}},
      {"[Setup]\nType2=B\n", {}},
      {"[Setup]\nType1=A // comment\n", {"A "}},
      {"", {}},
      {twenty, {"T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8", "T9", "T10", "T11", "T12", "T13", "T14", "T15",
                "T16", "T17", "T18", "T19"}},
  };
  for (const auto& [content, names] : cases) {
    Ini ini(content);
    ASSERT_TRUE(ini.ok());
    EXPECT_EQ(RadioTypeNames(ini.store()), names) << content;
  }
}

TEST(ProductCatalog, BandEntries) {
  const std::pair<std::string, Strings> cases[] = {
      {"Field1=136-174MHz|400-470MHz", {"136-174MHz", "400-470MHz"}},
      {"Field1=400-470MHz", {"400-470MHz"}},
      {"Field1=", {""}},
      {"Type1=A", {""}},
      {"Field1=a||b|", {"a", "", "b", ""}},
      {"Field1= 136-174MHz | 400-470MHz ", {"136-174MHz ", " 400-470MHz"}},  // not trimmed inside
      {"Field1=136-174MHz|400-470MHz // old", {"136-174MHz", "400-470MHz "}},
  };
  for (const auto& [line, entries] : cases) {
    Ini ini("[Setup]\n" + line + "\nField2=350-390MHz\n");
    EXPECT_EQ(BandEntries(ini.store(), 0), entries) << line;
    EXPECT_EQ(BandEntries(ini.store(), 1), Strings{"350-390MHz"}) << line;
  }
  Ini ini("[Setup]\nField1=136-174MHz\n");
  EXPECT_EQ(FieldListEntries(ini.store(), 0, DisplayLanguage::English), (Strings{"136-174MHz", "Customize"}));
  EXPECT_EQ(FieldListEntries(ini.store(), 3, DisplayLanguage::Chinese), (Strings{"", "自定义"}));
}

TEST(ProductCatalog, ModelNameFromTheTypeByte) {
  Ini ini("[Setup]\nType1=UV-1\nType2=UV-2\n");
  const std::pair<std::uint8_t, const char*> cases[] = {{0, "UV-1"}, {1, "UV-2"}, {2, ""}, {0xFF, ""}};
  for (auto [byte, name] : cases) {
    RadioImage img = RadioImage::NewDocument();
    img[0x1FD6] = byte;
    EXPECT_EQ(RadioModelName(ini.store(), img), name) << int(byte);
  }
}

TEST(ProductCatalog, ProductTextsComeFromTheLanguageSection) {
  Ini ini(
      "[Setup]\nLanguage=Chinese\nAppName=Setup name\n"
      "[English]\nCompany=Torvan Radio\nAppName=Torvan\n"
      "[Chinese]\nCompany=托万\nAppName=托万写频\nAbout Title=关于\nVersion=V1.0\n"
      "Copyrights=(C) 2024\nCopyrights Owner=Torvan Ltd\n");
  EXPECT_EQ(LanguageName(ini.store()), "Chinese");
  EXPECT_EQ(SetupAppName(ini.store()), "Setup name");
  const std::pair<ProductText, const char*> cases[] = {
      {ProductText::AppName, "托万写频"},  {ProductText::Company, "托万"},
      {ProductText::AboutTitle, "关于"},   {ProductText::Version, "V1.0"},
      {ProductText::Copyrights, "(C) 2024"}, {ProductText::CopyrightsOwner, "Torvan Ltd"},
  };
  for (auto [t, value] : cases) EXPECT_EQ(ProductTextValue(ini.store(), t), value) << ProductTextKey(t);

  Ini noLanguage("[English]\nCompany=Torvan Radio\n");
  EXPECT_EQ(ProductTextValue(noLanguage.store(), ProductText::Company), "");

  // A named section, whatever "Language" says; a language chosen later is
  // the section the one-argument form reads from then on.
  EXPECT_EQ(ProductTextValue(ini.store(), "English", ProductText::Company), "Torvan Radio");
  EXPECT_EQ(ProductTextValue(ini.store(), "english", ProductText::AppName), "Torvan");
  EXPECT_EQ(ProductTextValue(ini.store(), "", ProductText::Company), "");
  SetLanguageName(ini.store(), "English");
  EXPECT_EQ(LanguageName(ini.store()), "English");
  EXPECT_EQ(ProductTextValue(ini.store(), ProductText::Company), "Torvan Radio");
}

TEST(ProductCatalog, ShowLangHidesTheLanguageCommandUnlessItIsANumberOtherThanZero) {
  const std::pair<const char*, bool> cases[] = {
      {"[Setup]\nShowLang=1\n", true},   {"[Setup]\nShowLang=0\n", false},  {"[Setup]\nShowLang=\n", false},
      {"[Setup]\n", false},               {"[Setup]\nShowLang=yes\n", false}, {"[Setup]\nShowLang= 2x\n", true},
      {"[Setup]\nShowLang=-1\n", true},  {"[setup]\nshowlang=1\n", true},   {"[Other]\nShowLang=1\n", false},
  };
  for (auto [content, shown] : cases) {
    Ini ini(content);
    ASSERT_TRUE(ini.ok());
    EXPECT_EQ(LanguageCommandShown(ini.store()), shown) << content;
  }
}

struct ParseCase {
  const char* text;
  int read;
  int lower, upper;  // starting from 1 and 2
};

TEST(ProductChoice, ParseBandEntryReadsLikeScanf) {
  const ParseCase cases[] = {
      {"400-470MHz", 2, 400, 470},
      {"136-174", 2, 136, 174},
      {" 136- 174MHz", 2, 136, 174},  // blanks before a number are skipped
      {"136 -174MHz", 1, 136, 2},     // but not before the "-"
      {"+136-+174MHz", 2, 136, 174},
      {"-5-10MHz", 2, -5, 10},
      {"400", 1, 400, 2},
      {"400-", 1, 400, 2},
      {"400-x", 1, 400, 2},
      {"400--", 1, 400, 2},
      {"abc", 0, 1, 2},
      {"", 0, 1, 2},
      {"-", 0, 1, 2},
      {"Customize", 0, 1, 2},
      {"99999999999-1", 2, 2147483647, 1},
  };
  for (const auto& c : cases) {
    int lower = 1, upper = 2;
    EXPECT_EQ(ParseBandEntry(c.text, lower, upper), c.read) << c.text;
    EXPECT_EQ(lower, c.lower) << c.text;
    EXPECT_EQ(upper, c.upper) << c.text;
  }
}

TEST(ProductChoice, InitialSelections) {
  RadioImage img = RadioImage::NewDocument();
  const std::pair<std::uint8_t, int> types[] = {{0, 0}, {1, 1}, {2, 0}, {5, 0}, {0xFF, 0}};
  for (auto [byte, selected] : types) {
    img[0x1FD6] = byte;
    EXPECT_EQ(InitialTypeSelection(2, img), selected) << int(byte);
  }
  EXPECT_EQ(InitialTypeSelection(0, img), 0);

  struct FindCase {
    Strings entries;
    BandLimits band;
    int found;
  };
  const FindCase finds[] = {
      {{"136-174MHz", "400-470MHz", "Customize"}, {400, 470}, 1},
      {{"136-174MHz", "400-470MHz", "Customize"}, {136, 174}, 0},
      {{"136-174MHz", "400-470MHz", "Customize"}, {350, 390}, -1},
      {{"400-470MHz", "x", "400-470MHz wide", "Customize"}, {400, 470}, 2},  // entry 0 is searched last
      {{"400-470mhz", "Customize"}, {400, 470}, 0},                          // letters without regard to case
      {{"400-47MHz", "400-4700MHz"}, {400, 470}, -1},  // near misses
      {{"", "Customize"}, {400, 470}, -1},
      {{}, {400, 470}, -1},
  };
  for (const auto& f : finds) EXPECT_EQ(FindBandEntry(f.entries, f.band), f.found) << f.band.ListText();
}

struct ApplyCase {
  const char* what;
  ProductChoice choice;
  DisplayLanguage lang;
  std::string error;  // "" when accepted; otherwise the start of the message
  std::uint8_t typeByte;
  BandLimits band;
};

TEST(ProductChoice, ApplyStoresTypeAndBand) {
  const auto en = DisplayLanguage::English;
  const auto zh = DisplayLanguage::Chinese;
  const BandLimits before{400, 420};
  const ApplyCase cases[] = {
      {"list band", {1, "136-174MHz", 400, 470}, en, "", 1, {136, 174}},
      {"custom band", {0, "Customize", 350, 390}, en, "", 0, {350, 390}},
      {"custom band in Chinese", {2, "自定义", 350, 390}, zh, "", 2, {350, 390}},
      {"custom band of one frequency", {0, "Customize", 400, 400}, en, "", 0, {400, 400}},
      {"custom band edges", {0, "Customize", 0, 999}, en, "", 0, {0, 999}},
      {"no type selected", {-1, "136-174MHz", 400, 470}, en, "", 0, {136, 174}},
      {"unreadable band keeps the band", {1, "VHF", 400, 470}, en, "", 1, before},
      {"empty band entry", {1, "", 400, 470}, en, "", 1, before},
      {"half a band", {1, "430", 400, 470}, en, "", 1, {430, 420}},
      {"upper below lower", {1, "Customize", 470, 400}, en, "Frequency input error", 0, before},
      {"upper below lower in Chinese", {1, "自定义", 470, 400}, zh, "起始频率应小于结束频率", 0, before},
      {"custom edge too high", {1, "Customize", 400, 1000}, en, "Frequency input error", 0, before},
      {"list edge too high", {1, "1000-2000MHz", 400, 470}, en, "band \"1000-2000MHz\"", 0, before},
      {"negative list edge", {1, "-5-10MHz", 400, 470}, en, "band \"-5-10MHz\"", 0, before},
      {"type byte overflow", {256, "136-174MHz", 400, 470}, en, "radio type 256", 0, before},
  };
  for (const auto& c : cases) {
    RadioImage img = RadioImage::NewDocument();
    const RadioImage original = img;
    BandLimits band = before;
    const Status s = ApplyProductChoice(c.choice, c.lang, img, band);
    if (c.error.empty()) {
      EXPECT_TRUE(s.ok()) << c.what << ": " << s.error();
    } else {
      EXPECT_EQ(s.error().substr(0, c.error.size()), c.error) << c.what;
      EXPECT_EQ(img, original) << c.what << ": a refused choice changes nothing";
    }
    EXPECT_EQ(img[0x1FD6], c.typeByte) << c.what;
    EXPECT_EQ(band, c.band) << c.what;
    EXPECT_EQ(band.Upper10Hz(), c.band.upperMHz * 100000u) << c.what;
  }
  // The exact message of a reversed custom band is the system's own text.
  RadioImage img = RadioImage::NewDocument();
  BandLimits band = before;
  EXPECT_EQ(ApplyProductChoice({0, "Customize", 470, 400}, en, img, band).error(), "Frequency input error");
}

TEST(MainWindowCaption, AfterADecodeAndAfterTheProductDialog) {
  using L = DisplayLanguage;
  struct Case {
    bool afterDialog;
    const char* name;
    const char* type;
    BandLimits band;
    L lang;
    const char* caption;
  };
  const Case cases[] = {
      {false, "Torvan", "TV-1", {400, 470}, L::English, "Torvan  [ Type:TV-1  Fre:400 - 470MHz ]"},
      {false, "", "", {136, 174}, L::Chinese, "  [ 类型:  频率:136 - 174MHz ]"},
      {true, "Torvan", "X", {136, 174}, L::English, "Torvan [ Type:X Fre:136 - 174MHz ]"},
      {true, "托万", "UV-5", {400, 470}, L::Chinese, "托万 [ 类型:UV-5 频率:400 - 470MHz ]"},
      {true, "", "", {0, 999}, L::English, " [ Type: Fre:0 - 999MHz ]"},
  };
  for (const Case& c : cases) {
    const std::string caption = c.afterDialog ? ProductDialogTitle(c.name, c.type, c.band, c.lang)
                                              : MainWindowCaption(c.name, c.type, c.band, c.lang);
    EXPECT_EQ(caption, c.caption) << c.name << " " << c.type << (c.afterDialog ? " after the dialog" : " after a decode");
  }
}

TEST(ProductChoice, CustomEntryInEitherLanguage) {
  const std::pair<const char*, bool> cases[] = {
      {"Customize", true}, {"自定义", true}, {"customize", false}, {"Customize ", false}, {"", false}};
  for (auto [text, custom] : cases) EXPECT_EQ(IsCustomEntry(text), custom) << text;
}

}  // namespace
}  // namespace torvan
