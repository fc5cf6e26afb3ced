#include "core/radio/BandLimits.h"

namespace torvan {

BandLimits BandLimits::Decode(const RadioImage& img) {
  const unsigned b0 = img[map::kBandLimits];
  const unsigned b1 = img[map::kBandLimits + 1];
  const unsigned b2 = img[map::kBandLimits + 2];
  BandLimits b;
  b.lowerMHz = (b0 >> 4) * 100 + (b0 & 0x0F) * 10 + (b2 >> 4);
  b.upperMHz = (b1 >> 4) * 100 + (b1 & 0x0F) * 10 + (b2 & 0x0F);
  return b;
}

void BandLimits::Encode(RadioImage& img) const {
  img[map::kBandLimits] = static_cast<std::uint8_t>((lowerMHz / 100) * 16 + (lowerMHz % 100) / 10);
  img[map::kBandLimits + 1] = static_cast<std::uint8_t>((upperMHz / 100) * 16 + (upperMHz % 100) / 10);
  img[map::kBandLimits + 2] = static_cast<std::uint8_t>((lowerMHz % 10) * 16 + (upperMHz % 10));
}

std::string BandLimits::CaptionText() const {
  return std::to_string(lowerMHz) + " - " + std::to_string(upperMHz) + "MHz";
}

std::string BandLimits::ListText() const {
  return std::to_string(lowerMHz) + "-" + std::to_string(upperMHz) + "MHz";
}

}  // namespace torvan
