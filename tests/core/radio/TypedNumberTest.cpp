// Numbers as people type them: read exactly, "." or "," as the decimal point.

#include "core/radio/TypedNumber.h"

#include <gtest/gtest.h>

namespace torvan {
namespace {

TEST(TypedNumber, ReadsExactlyWhatWasTyped) {
  const struct {
    const char* typed;
    bool found, plain;
    const char* text;     // TypedNumberText with 5 decimals
    std::uint64_t units;  // in 10^-5
    bool exact;
  } cases[] = {
      {"145.125", true, true, "145.12500", 14512500, true},
      {"410,125", true, true, "410.12500", 41012500, true},  // the decimal comma
      {"145", true, true, "145.00000", 14500000, true},
      {"145.", true, true, "145.00000", 14500000, true},
      {".5", true, true, "0.50000", 50000, true},
      {",5", true, true, "0.50000", 50000, true},
      {"0145.10", true, true, "145.10000", 14510000, true},
      {"145.00625", true, true, "145.00625", 14500625, true},
      {"128.0125", true, true, "128.01250", 12801250, true},  // no binary rounding
      // Digits below the unit are kept, not rounded away or cut off.
      {"410.1249999999", true, true, "410.1249999999", 41012499, false},
      {"410.12500009", true, true, "410.12500009", 41012500, false},
      {"410.125000000", true, true, "410.12500", 41012500, true},
      // Read the way atof reads: blanks, sign, exponent, trailing text.
      {"  146.5e0xyz", true, false, "146.50000", 14650000, true},
      {"1.45e2", true, false, "145.00000", 14500000, true},
      {"14500e-2", true, false, "145.00000", 14500000, true},
      {"+145", true, false, "145.00000", 14500000, true},
      {"-145.5", true, false, "-145.50000", 14550000, true},
      {"145.5 MHz", true, false, "145.50000", 14550000, true},
      {"1,410.125", true, false, "1.41000", 141000, true},  // the first point or comma is the decimal point
      {"145e", true, false, "145.00000", 14500000, true},   // an "e" without digits is no exponent
      {"-0", true, false, "0.00000", 0, true},
      {"abc", false, false, "0.00000", 0, true},
      {"", false, false, "0.00000", 0, true},
      {".", false, false, "0.00000", 0, true},
      {"-,", false, false, "0.00000", 0, true},
      {"e5", false, false, "0.00000", 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.typed + "\"");
    const TypedNumber n = ReadTypedNumber(c.typed);
    EXPECT_EQ(n.found, c.found);
    EXPECT_EQ(n.plain, c.plain);
    EXPECT_EQ(TypedNumberText(n, 5), c.text);
    const ScaledMagnitude m = ScaleTypedNumber(n, 5);
    EXPECT_FALSE(m.overflow);
    EXPECT_EQ(m.units, c.units);
    EXPECT_EQ(m.exact, c.exact);
  }
}

TEST(TypedNumber, HugeAndTinyNumbersStayBounded) {
  const TypedNumber huge = ReadTypedNumber("1e300");
  EXPECT_TRUE(ScaleTypedNumber(huge, 5).overflow);
  EXPECT_EQ(TypedNumberText(huge, 5), "1e300");  // not three hundred digits
  EXPECT_TRUE(ScaleTypedNumber(ReadTypedNumber("99999999999999999999"), 0).overflow);
  EXPECT_EQ(ScaleTypedNumber(ReadTypedNumber("9999999999999999999"), 0).units, 9999999999999999999u);
  const TypedNumber tiny = ReadTypedNumber("1e-999999999999");
  const ScaledMagnitude m = ScaleTypedNumber(tiny, 5);
  EXPECT_EQ(m.units, 0u);
  EXPECT_FALSE(m.exact);
  EXPECT_EQ(TypedNumberText(tiny, 5), "1e-999999999999");
  EXPECT_EQ(TypedNumberText(ReadTypedNumber("5e-7"), 5), "0.0000005");
  EXPECT_EQ(TypedNumberText(ReadTypedNumber("12"), 0), "12");
}

}  // namespace
}  // namespace torvan
