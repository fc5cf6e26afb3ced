#pragma once
// RadioImage: the radio's whole 8192-byte memory. Offset n is radio address n.

#include <array>
#include <cstdint>
#include <span>

#include "core/radio/MemoryMap.h"

namespace torvan {

class RadioImage {
 public:
  using Bytes = std::array<std::uint8_t, kImageSize>;

  // All 8192 bytes 0xFF (the erased state; not the new-document image).
  RadioImage() { bytes_.fill(0xFF); }
  explicit RadioImage(const Bytes& bytes) : bytes_(bytes) {}

  // The image a new document starts with: 0xFF everywhere except the defaults
  // of the option bytes, radio type 0 and band 400-420 MHz.
  static RadioImage NewDocument();

  std::uint8_t& operator[](std::size_t offset) { return bytes_[offset]; }
  std::uint8_t operator[](std::size_t offset) const { return bytes_[offset]; }

  // Checked access: throws std::out_of_range past 0x1FFF.
  std::uint8_t at(std::size_t offset) const { return bytes_.at(offset); }

  std::span<std::uint8_t, kImageSize> span() { return bytes_; }
  std::span<const std::uint8_t, kImageSize> span() const { return bytes_; }
  std::uint8_t* data() { return bytes_.data(); }
  const std::uint8_t* data() const { return bytes_.data(); }
  const Bytes& bytes() const { return bytes_; }

  // The value of a bit field, shifted down to bit 0.
  std::uint8_t Get(const ImageField& f) const {
    return static_cast<std::uint8_t>((bytes_[f.offset] & f.Mask()) >> f.shift);
  }
  // Replaces only the field's bits of its byte (read-modify-write).
  void Set(const ImageField& f, unsigned value) {
    const std::uint8_t mask = f.Mask();
    bytes_[f.offset] = static_cast<std::uint8_t>((bytes_[f.offset] & ~mask) |
                                                 ((value << f.shift) & mask));
  }

  bool operator==(const RadioImage&) const = default;

 private:
  Bytes bytes_;
};

// A BCD byte's value: high nibble x 10 + low nibble. Nibbles of 10-15 are not
// rejected; they count with their value (0xFF is 165), as the radio's own
// arithmetic does.
constexpr unsigned BcdValue(std::uint8_t b) { return (b >> 4) * 10u + (b & 0x0Fu); }

// Two decimal digits 0..99 as a BCD byte.
constexpr std::uint8_t ToBcd(unsigned v) { return static_cast<std::uint8_t>((v / 10) * 16 + v % 10); }

constexpr bool TestBit(std::uint8_t byte, int n) { return (byte >> n) & 1u; }
constexpr std::uint8_t WithBit(std::uint8_t byte, int n, bool on) {
  return static_cast<std::uint8_t>(on ? (byte | (1u << n)) : (byte & ~(1u << n)));
}

}  // namespace torvan
