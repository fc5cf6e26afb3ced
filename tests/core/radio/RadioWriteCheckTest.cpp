// Which images may go to a radio: exactly 8192 bytes from the file, band
// bytes that are six decimal digits with the lower edge not above the upper.

#include "core/radio/RadioWriteCheck.h"

#include <gtest/gtest.h>

#include <string>

#include "core/radio/MemoryMap.h"

namespace torvan {
namespace {

RadioImage WithBand(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
  RadioImage img = RadioImage::NewDocument();
  img[map::kBandLimits] = b0;
  img[map::kBandLimits + 1] = b1;
  img[map::kBandLimits + 2] = b2;
  return img;
}

TEST(RadioWriteCheck, BandBytes) {
  const struct {
    std::uint8_t b0, b1, b2;
    std::string error;  // "" when the image may be written
  } cases[] = {
      {0x40, 0x47, 0x00, ""},  // 400-470 MHz
      {0x13, 0x17, 0x64, ""},  // 136-174 MHz
      {0x40, 0x40, 0x00, ""},  // one edge: lower equal to upper
      {0x00, 0x00, 0x00, ""},
      {0x99, 0x99, 0x99, ""},
      {0x47, 0x40, 0x00,
       "the band bytes at 0x1FF0-0x1FF2 (47 40 00) give a lower edge of 470 MHz, above the upper edge of 400 MHz"},
      {0x40, 0x40, 0x10,
       "the band bytes at 0x1FF0-0x1FF2 (40 40 10) give a lower edge of 401 MHz, above the upper edge of 400 MHz"},
      {0xFF, 0xFF, 0xFF, "the band bytes at 0x1FF0-0x1FF2 (FF FF FF) are not decimal digits"},
      {0x3A, 0x47, 0x00, "the band bytes at 0x1FF0-0x1FF2 (3A 47 00) are not decimal digits"},
      {0x40, 0x47, 0x0A, "the band bytes at 0x1FF0-0x1FF2 (40 47 0A) are not decimal digits"},
      {0x33, 0x30, 0x32, "the band bytes at 0x1FF0-0x1FF2 (33 30 32) give a lower edge of 333 MHz, above the upper "
                         "edge of 302 MHz"},
  };
  DatLoad exact;
  exact.bytes = kImageSize;
  for (const auto& c : cases) {
    const RadioImage img = WithBand(c.b0, c.b1, c.b2);
    SCOPED_TRACE(c.error);
    const Status made = CheckImageForRadio(img, BandCheck::Required);
    EXPECT_EQ(made.ok() ? std::string() : made.error(), c.error);
    const Status loaded = CheckImageForRadio(img, exact, BandCheck::Required);
    EXPECT_EQ(loaded.ok() ? std::string() : loaded.error(), c.error);
    EXPECT_TRUE(CheckImageForRadio(img, BandCheck::Skipped).ok()) << "--force writes any band";
  }
}

// The size of the file is checked always, --force or not: the first 8192
// bytes of something longer are no image.
TEST(RadioWriteCheck, FileSize) {
  const RadioImage good = WithBand(0x40, 0x47, 0x00);
  const struct {
    DatFileKind kind;
    std::uintmax_t bytes;
    bool exact;
    std::string error;
  } cases[] = {
      {DatFileKind::Complete, 8192, true, ""},
      {DatFileKind::TooLong, 9408, true, "it holds 9408 bytes, a radio image holds exactly 8192"},
      {DatFileKind::TooLong, 8193, false, "it holds more than 8192 bytes, a radio image holds exactly 8192"},
  };
  for (const auto& c : cases) {
    DatLoad load;
    load.kind = c.kind;
    load.bytes = c.bytes;
    load.bytesExact = c.exact;
    for (const BandCheck band : {BandCheck::Required, BandCheck::Skipped}) {
      const Status s = CheckImageForRadio(good, load, band);
      EXPECT_EQ(s.ok() ? std::string() : s.error(), c.error);
    }
  }
  DatLoad failed;
  failed.kind = DatFileKind::TooShort;
  failed.status = Status::Error("x.dat is not a radio image: it holds 10 bytes, a radio image has 8192");
  EXPECT_EQ(CheckImageForRadio(good, failed, BandCheck::Skipped).error(), failed.status.error());
}

}  // namespace
}  // namespace torvan
