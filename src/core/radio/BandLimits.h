#pragma once
// BandLimits: the radio's band edges in whole MHz (0-999), and the same edges
// in the 10 Hz units of channel frequencies.

#include <cstdint>
#include <string>

#include "core/radio/RadioImage.h"

namespace torvan {

inline constexpr std::uint32_t kTenHzPerMHz = 100000;

struct BandLimits {
  unsigned lowerMHz = 400;
  unsigned upperMHz = 420;

  std::uint32_t Lower10Hz() const { return lowerMHz * kTenHzPerMHz; }
  std::uint32_t Upper10Hz() const { return upperMHz * kTenHzPerMHz; }

  // Reads bytes 0x1FF0-0x1FF2: lower = L2 L1 L0 and upper = U2 U1 U0 stored as
  // [L2|L1] [U2|U1] [L0|U0]. Nibbles are not checked (0xF counts as 15).
  static BandLimits Decode(const RadioImage& img);
  // Writes the three band bytes: [lower/100 | lower%100/10] [upper/100 |
  // upper%100/10] [lower%10 | upper%10], each kept to its low 8 bits. Edges of
  // 0..999 round-trip; larger ones (decoded from nibbles above 9) do not.
  void Encode(RadioImage& img) const;

  // "400 - 470MHz", as in the window caption.
  std::string CaptionText() const;
  // "400-470MHz", as in the band lists of Program.ini.
  std::string ListText() const;

  bool operator==(const BandLimits&) const = default;
};

}  // namespace torvan
