#include "core/radio/RadioImage.h"

#include <gtest/gtest.h>

#include "core/radio/BandLimits.h"

namespace torvan {
namespace {

TEST(RadioImage, NewDocumentImage) {
  const RadioImage img = RadioImage::NewDocument();
  const std::pair<std::uint16_t, std::uint8_t> set[] = {
      {0x1FC1, 0x05}, {0x1FC3, 0x01}, {0x1FD6, 0x00}, {0x1FD7, 0x00}, {0x1FE0, 0x04}, {0x1FE1, 0xD4},
      {0x1FE2, 0x01}, {0x1FE4, 0x00}, {0x1FE5, 0x01}, {0x1FE6, 0x02}, {0x1FE7, 0x00}, {0x1FEA, 0xFF},
      {0x1FEB, 0x00}, {0x1FEC, 0xFC}, {0x1FF0, 0x40}, {0x1FF1, 0x42}, {0x1FF2, 0x00},
  };
  RadioImage expected;  // all 0xFF
  for (auto [off, v] : set) expected[off] = v;
  EXPECT_EQ(img, expected);
  EXPECT_EQ(BandLimits::Decode(img), (BandLimits{400, 420}));
}

TEST(RadioImage, FieldsChangeOnlyTheirOwnBits) {
  RadioImage img;
  img[0x1FE1] = 0b1010'0101;
  img.Set(field::kLed, 2);  // bits 3-2
  EXPECT_EQ(img[0x1FE1], 0b1010'1001);
  EXPECT_EQ(img.Get(field::kLed), 2);
  img.Set(field::kScanMode, 7);  // masked to two bits
  EXPECT_EQ(img[0x1FE1], 0b1011'1001);
  EXPECT_EQ(img.Get(field::kChannelDisplay), 1);
  EXPECT_EQ(img.Get(field::kKeypadLock), 0);
}

TEST(RadioImage, BcdValueCountsInvalidNibbles) {
  EXPECT_EQ(BcdValue(0x43), 43u);
  EXPECT_EQ(BcdValue(0xFF), 165u);
  EXPECT_EQ(ToBcd(85), 0x85);
}

struct BandCase {
  std::uint8_t b0, b1, b2;
  unsigned lower, upper;
  bool roundTrips;
};

TEST(BandLimits, DecodeAndEncode) {
  const BandCase cases[] = {
      {0x40, 0x47, 0x00, 400, 470, true},
      {0x13, 0x17, 0x64, 136, 174, true},
      {0x40, 0x47, 0x05, 400, 475, true},
      {0x40, 0x42, 0x00, 400, 420, true},
      {0x00, 0x99, 0x09, 0, 999, true},
      {0xFF, 0xFF, 0xFF, 1665, 1665, false},  // nibbles over 9 count with their value
  };
  for (const auto& c : cases) {
    RadioImage img;
    img[0x1FF0] = c.b0;
    img[0x1FF1] = c.b1;
    img[0x1FF2] = c.b2;
    const BandLimits b = BandLimits::Decode(img);
    EXPECT_EQ(b.lowerMHz, c.lower);
    EXPECT_EQ(b.upperMHz, c.upper);
    EXPECT_EQ(b.Lower10Hz(), c.lower * 100000u);
    if (c.roundTrips) {
      RadioImage out;
      b.Encode(out);
      EXPECT_EQ(out[0x1FF0], c.b0);
      EXPECT_EQ(out[0x1FF1], c.b1);
      EXPECT_EQ(out[0x1FF2], c.b2);
    }
  }
  EXPECT_EQ((BandLimits{400, 470}).CaptionText(), "400 - 470MHz");
  EXPECT_EQ((BandLimits{136, 174}).ListText(), "136-174MHz");
}

}  // namespace
}  // namespace torvan
