#include "core/radio/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace torvan {
namespace {

TEST(NumberText, AtoFReadsLikeTheCLibrary) {
  struct Case {
    const char* text;
    double expected;
  } cases[] = {
      {"145.1", 145.1}, {"  145.1", 145.1}, {"+145", 145},  {"-3.5", -3.5},  {"145.1MHz", 145.1},
      {"1e2", 100},     {".5", 0.5},        {"", 0},        {"abc", 0},      {"None", 0},
      {"-", 0},         {".", 0},           {"1e-400", 0},  {"\t7", 7},      {"12,5", 12},
  };
  for (const auto& c : cases) EXPECT_EQ(AtoF(c.text), c.expected) << '"' << c.text << '"';
  EXPECT_TRUE(std::isinf(AtoF("1e400")));
}

TEST(NumberText, AtoIReadsLeadingDigits) {
  EXPECT_EQ(AtoI("023"), 23);
  EXPECT_EQ(AtoI("754I"), 754);
  EXPECT_EQ(AtoI(" -12x"), -12);
  EXPECT_EQ(AtoI("N"), 0);
  EXPECT_EQ(AtoI("99999999999999"), 2147483647);
}

TEST(NumberText, FormatIgnoresTheProcessLocale) {
  // A program running in a locale with a decimal comma still writes points.
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(FormatFixed(145.1, 5), "145.10000");
  EXPECT_EQ(FormatFixed(88.5, 1), "88.5");
  EXPECT_EQ(AtoF("145.125"), 145.125);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace torvan
