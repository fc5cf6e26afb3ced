#include "core/radio/DecimalMultiply.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

#include "core/radio/NumberText.h"

namespace torvan {
namespace {

struct Product {
  double a, b, expected;
};

TEST(DecimalMultiply, ScalesByPowersOfTenExactly) {
  const Product cases[] = {
      {128.0125, 100000, 12801250},     // plain doubles give 12801249.999999998
      {145.00625, 100000, 14500625},    // would fall one count short and fail the raster
      {430.125, 100000, 43012500},
      {43012500, 0.00001, 430.125},
      {88.5, 10, 885},
      {885, 0.1, 88.5},
      {0.00001, 99999999, 999.99999},
      {-145.1, 100000, -14510000},
      {0, 100000, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecimalMultiply(c.a, c.b), c.expected) << c.a << " x " << c.b;
  }
}

TEST(DecimalMultiply, EveryFiveDecimalFrequencyScalesToItsCount) {
  // Every value with up to five decimals in the band range converts exactly:
  // formatting the count back gives the text we started from.
  for (long count = 13600000; count <= 13610000; count += 1) {
    char text[32];
    std::snprintf(text, sizeof text, "%ld.%05ld", count / 100000, count % 100000);
    const double v = AtoF(text);
    ASSERT_EQ(TruncateToInt32(DecimalMultiply(v, 100000)), count) << text;
  }
}

TEST(DecimalMultiply, TruncationOutsideInt32GivesIntMin) {
  EXPECT_EQ(TruncateToInt32(1e300), INT_MIN);
  EXPECT_EQ(TruncateToInt32(-1e300), INT_MIN);
  EXPECT_EQ(TruncateToInt32(0.0 / 0.0), INT_MIN);
  EXPECT_EQ(TruncateToInt32(-14510000.7), -14510000);
  EXPECT_EQ(TruncateToInt32(2147483647.9), 2147483647);
}

}  // namespace
}  // namespace torvan
