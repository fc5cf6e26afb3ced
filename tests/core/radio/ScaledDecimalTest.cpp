// The short paths of count <-> text must give exactly what the long way
// (DecimalMultiply, then FormatFixed or truncation) gives.

#include "core/radio/ScaledDecimal.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "core/radio/DecimalMultiply.h"
#include "core/radio/NumberText.h"

namespace torvan {
namespace {

std::string LongFormat(std::uint32_t count, int decimals) {
  const double scale = decimals == kFrequencyDecimals ? 0.00001 : 0.1;
  return FormatFixed(DecimalMultiply(count, scale), decimals);
}

std::int32_t LongParse(std::string_view text, int decimals) {
  return TruncateToInt32(DecimalMultiply(AtoF(text), decimals == kFrequencyDecimals ? 100000.0 : 10.0));
}

TEST(ScaledDecimal, FormatsCounts) {
  struct Case {
    std::uint32_t count;
    int decimals;
    const char* text;
  } cases[] = {
      {43012500, 5, "430.12500"}, {12801250, 5, "128.01250"}, {44666665, 5, "446.66665"},
      {1, 5, "0.00001"},          {0, 5, "0.00000"},          {166666665, 5, "1666.66665"},
      {885, 1, "88.5"},           {1000, 1, "100.0"},         {16665, 1, "1666.5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatScaled(c.count, c.decimals), c.text) << c.count;
    EXPECT_EQ(LongFormat(c.count, c.decimals), c.text) << c.count;
  }
}

TEST(ScaledDecimal, FormatAgreesWithTheLongWayOverEveryDecodableCount) {
  // Four BCD bytes with any nibbles give counts up to 166666665.
  std::mt19937 rng(12345);
  std::uniform_int_distribution<std::uint32_t> any(0, 166666665);
  for (int i = 0; i < 20000; ++i) {
    const std::uint32_t c = any(rng);
    ASSERT_EQ(FormatScaled(c, kFrequencyDecimals), LongFormat(c, kFrequencyDecimals)) << c;
  }
  for (std::uint32_t c = 0; c <= 16665; ++c) ASSERT_EQ(FormatScaled(c, kToneDecimals), LongFormat(c, kToneDecimals)) << c;
}

TEST(ScaledDecimal, ParsesTextsLikeAtofAndDecimalScaling) {
  struct Case {
    const char* text;
    int decimals;
    std::int32_t count;
  } cases[] = {
      {"430.125", 5, 43012500},
      {"128.0125", 5, 12801250},  // binary floating point would give 12801249
      {"145.00625", 5, 14500625},
      {"145.001234", 5, 14500123},  // more decimals than the unit: truncated
      {"145.", 5, 14500000},
      {".5", 5, 50000},
      {" 145.5", 5, 14550000},     // atof skips leading blanks
      {"145.5MHz", 5, 14550000},   // and stops at the first other character
      {"1e2", 5, 10000000},
      {"-145.1", 5, -14510000},
      {"", 5, 0},
      {"abc", 5, 0},
      {"None", 1, 0},
      {"88.5", 1, 885},
      {"88.55", 1, 885},
      {"21474.83647", 5, INT_MAX},
      {"21474.83648", 5, INT_MIN},  // past 32 bits
      {"99999999999999999999", 5, INT_MIN},
      {"1e400", 5, INT_MIN},
      {"000000000000000145.5", 5, 14550000},  // too many digits for the short path
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseScaled(c.text, c.decimals), c.count) << '"' << c.text << '"';
    EXPECT_EQ(LongParse(c.text, c.decimals), c.count) << '"' << c.text << '"';
  }
}

TEST(ScaledDecimal, ParseAgreesWithTheLongWayOnGeneratedTexts) {
  std::mt19937 rng(777);
  std::uniform_int_distribution<int> len(1, 9), digit(0, 9), decimals(0, 7);
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    for (int k = len(rng); k > 0; --k) text += static_cast<char>('0' + digit(rng));
    if (const int d = decimals(rng); d > 0) {
      text += '.';
      for (int k = 0; k < d; ++k) text += static_cast<char>('0' + digit(rng));
    }
    for (int dec : {kFrequencyDecimals, kToneDecimals}) {
      ASSERT_EQ(ParseScaled(text, dec), LongParse(text, dec)) << text << " decimals " << dec;
    }
  }
}

}  // namespace
}  // namespace torvan
