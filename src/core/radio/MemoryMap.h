#pragma once
// The radio's 8192-byte memory, field by field. This is the one place that
// knows where anything lives; the codecs, the option coding and the printed
// option page all read their offsets and bit positions from here.
//
//  Channel record n (16 bytes at n * 16), multi-digit numbers in BCD with the
//  least significant digit pair first:
//
//   +----+----+----+----+----+----+----+----+----+----+----+----+----+----+----+----+
//   |  Rx frequency     |  Tx frequency     | Rx tone | Tx tone |flag| not used     |
//   | b0 | b1 | b2 | b3 | b4 | b5 | b6 | b7 | lo | hi | lo | hi | 12 | 13 | 14 | 15 |
//   +----+----+----+----+----+----+----+----+----+----+----+----+----+----+----+----+
//     b3 holds the two most significant digits (10 Hz units); b3 = 0x00/0xFF: empty.
//     flags: bit 5 high power, bit 2 scan add, bit 1 wide, bit 0 busy lock off.
//
//  Channel name n: 8 name codes at 0x0C90 + n * 8, 0xFF after the last.

#include <cstddef>
#include <cstdint>

namespace torvan {

inline constexpr std::size_t kImageSize = 8192;

namespace map {

// Channels -------------------------------------------------------------------
inline constexpr int kChannelCount = 200;
inline constexpr std::uint16_t kChannelBase = 0x0000;
inline constexpr std::size_t kChannelRecordSize = 16;
inline constexpr std::uint16_t kChannelNameBase = 0x0C90;
inline constexpr std::size_t kChannelNameSize = 8;

constexpr std::uint16_t ChannelRecordOffset(int channel) {
  return static_cast<std::uint16_t>(kChannelBase + channel * kChannelRecordSize);
}
constexpr std::uint16_t ChannelNameOffset(int channel) {
  return static_cast<std::uint16_t>(kChannelNameBase + channel * kChannelNameSize);
}

// Byte positions inside a channel record.
namespace record {
inline constexpr std::size_t kRxFrequency = 0;  // 4 bytes, BCD, byte 3 most significant
inline constexpr std::size_t kTxFrequency = 4;  // 4 bytes, same coding
inline constexpr std::size_t kFrequencySize = 4;
inline constexpr std::size_t kRxToneLow = 8;
inline constexpr std::size_t kRxToneHigh = 9;
inline constexpr std::size_t kTxToneLow = 10;
inline constexpr std::size_t kTxToneHigh = 11;
inline constexpr std::size_t kFlags = 12;
inline constexpr int kFlagBusyLockOff = 0;  // set: "Unlock"
inline constexpr int kFlagWide = 1;
inline constexpr int kFlagScanAdd = 2;
inline constexpr int kFlagHighPower = 5;
}  // namespace record

// The value bytes of an empty Rx/Tx frequency (most significant digit pair).
inline constexpr std::uint8_t kEmptyMarkerFF = 0xFF;
inline constexpr std::uint8_t kEmptyMarker00 = 0x00;

// Codes ----------------------------------------------------------------------
inline constexpr std::uint16_t kAniCode = 0x12F0;   // ASCII hex digits, 0xFF after the last
inline constexpr std::uint16_t kStunCode = 0x12F8;  // same form
inline constexpr std::size_t kCodeSize = 8;

// Single-byte settings -----------------------------------------------------------
inline constexpr std::uint16_t kRadioType = 0x1FD6;     // 0-based index of key Type%d (index + 1)
inline constexpr std::uint16_t kNewDocumentMark = 0x1FD7;  // written 0x00 by a new document only
inline constexpr std::uint16_t kStunMarker = 0x1FEB;    // 0xA5: radio stunned
inline constexpr std::uint8_t kStunnedValue = 0xA5;

// Band limits: three bytes of decimal digit nibbles (see BandLimits).
inline constexpr std::uint16_t kBandLimits = 0x1FF0;
inline constexpr std::size_t kBandLimitsSize = 3;

// The clone protocol writes 0x0000-0x1FEF in 8-byte blocks, then 0x1FF0-0x1FF2.
// Bytes 0x1FF3-0x1FFF are read from the radio but never written to it.
inline constexpr std::uint16_t kWriteBlocksEnd = 0x1FF0;
inline constexpr std::uint16_t kFinalWriteBlock = 0x1FF0;
inline constexpr std::size_t kFinalWriteSize = 3;
inline constexpr std::size_t kBlockSize = 8;

}  // namespace map

// A bit field inside one byte of the image: `width` bits starting at bit `shift`.
// Whole-byte fields have shift 0 and width 8.
struct ImageField {
  const char* name;
  std::uint16_t offset;
  std::uint8_t shift;
  std::uint8_t width;

  constexpr std::uint8_t Mask() const {
    return static_cast<std::uint8_t>(((1u << width) - 1u) << shift);
  }
};

// The option fields, each once. Dialog, option codec and print page use these.
namespace field {
inline constexpr ImageField kBeep{"Beep", 0x1FC0, 0, 1};
inline constexpr ImageField kSquelchLevel{"Squelch Level", 0x1FC1, 0, 8};
inline constexpr ImageField kTimeOutTimer{"Time-Out Timer", 0x1FC3, 0, 8};
inline constexpr ImageField kRadioType{"Radio Type", 0x1FD6, 0, 8};
inline constexpr ImageField kStep{"Step", 0x1FE0, 0, 8};
inline constexpr ImageField kChannelDisplay{"Channel Display", 0x1FE1, 7, 1};  // 1: off
inline constexpr ImageField kBusy{"Busy", 0x1FE1, 6, 1};                       // printed only
inline constexpr ImageField kScanMode{"Scan Mode", 0x1FE1, 4, 2};
inline constexpr ImageField kLed{"LED", 0x1FE1, 2, 2};
inline constexpr ImageField kKeypadLock{"Keypad Lock", 0x1FE1, 1, 1};
inline constexpr ImageField kPriorityScan{"Priority Scan", 0x1FE2, 6, 1};
inline constexpr ImageField kAniSwitch{"ANI Switch", 0x1FE2, 5, 1};  // 1: on; printed as "Encoder"
inline constexpr ImageField kMode{"Mode", 0x1FE2, 0, 2};
inline constexpr ImageField kVoiceSensitivity{"Voice Sensitivity", 0x1FE4, 0, 8};
inline constexpr ImageField kCallTone{"Call Tone", 0x1FE5, 0, 4};                   // printed only
inline constexpr ImageField kBatterySaverRatio{"Battery Saver Ratio", 0x1FE6, 0, 3};  // printed only
inline constexpr ImageField kPriScanningTime{"Pri-Scanning Time", 0x1FE7, 0, 8};
inline constexpr ImageField kBatterySaver{"Battery Saver", 0x1FE9, 0, 1};  // 1: on
inline constexpr ImageField kEmergencyAlarm{"Emergency Alarm", 0x1FEA, 0, 1};  // 1: on
inline constexpr ImageField kStunMarker{"Remove Stun", 0x1FEB, 0, 8};
inline constexpr ImageField kPttId{"PTT ID", 0x1FEC, 0, 2};
// The printed option page reads these bytes through narrower bit ranges.
inline constexpr ImageField kSquelchLevelPrinted{"Squelch Level", 0x1FC1, 0, 4};
inline constexpr ImageField kTimeOutTimerPrinted{"Time Out Timer", 0x1FC3, 0, 2};
inline constexpr ImageField kVoiceSensitivityPrinted{"Voice Sensitivity", 0x1FE4, 0, 5};
inline constexpr ImageField kPriScanningTimePrinted{"Pri-Scanning Time", 0x1FE7, 0, 2};
}  // namespace field

}  // namespace torvan
