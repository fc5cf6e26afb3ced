#include "core/radio/RadioWriteCheck.h"

#include <cstdio>
#include <string>

#include "core/radio/BandLimits.h"
#include "core/radio/MemoryMap.h"

namespace torvan {

namespace {

constexpr unsigned kLastDecimalDigit = 9;

std::string BandBytesText(const RadioImage& image) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%04X-0x%04X (%02X %02X %02X)", map::kBandLimits,
                static_cast<unsigned>(map::kBandLimits + map::kBandLimitsSize - 1), image[map::kBandLimits],
                image[map::kBandLimits + 1], image[map::kBandLimits + 2]);
  return text;
}

}  // namespace

Status CheckImageForRadio(const RadioImage& image, BandCheck band) {
  if (band == BandCheck::Skipped) return Status::Ok();
  for (std::size_t i = 0; i < map::kBandLimitsSize; ++i) {
    const std::uint8_t b = image[map::kBandLimits + i];
    if ((b >> 4) > kLastDecimalDigit || (b & 0x0F) > kLastDecimalDigit) {
      return Status::Error("the band bytes at " + BandBytesText(image) + " are not decimal digits");
    }
  }
  const BandLimits limits = BandLimits::Decode(image);
  if (limits.lowerMHz > limits.upperMHz) {
    return Status::Error("the band bytes at " + BandBytesText(image) + " give a lower edge of " +
                         std::to_string(limits.lowerMHz) + " MHz, above the upper edge of " +
                         std::to_string(limits.upperMHz) + " MHz");
  }
  return Status::Ok();
}

Status CheckImageForRadio(const RadioImage& image, const DatLoad& loadedFrom, BandCheck band) {
  if (!loadedFrom.ok()) return loadedFrom.status;
  if (loadedFrom.kind != DatFileKind::Complete) {
    const std::string size = loadedFrom.bytesExact ? std::to_string(loadedFrom.bytes)
                                                   : "more than " + std::to_string(kImageSize);
    return Status::Error("it holds " + size + " bytes, a radio image holds exactly " + std::to_string(kImageSize));
  }
  return CheckImageForRadio(image, band);
}

}  // namespace torvan
