#include "core/radio/RadioImage.h"

namespace torvan {

RadioImage RadioImage::NewDocument() {
  RadioImage img;  // 0xFF: empty channels and names, Beep and Battery Saver on, no codes
  struct Default {
    std::uint16_t offset;
    std::uint8_t value;
  };
  static constexpr Default kDefaults[] = {
      {field::kSquelchLevel.offset, 0x05},     // Squelch Level 5
      {field::kTimeOutTimer.offset, 0x01},     // Time-Out Timer "1"
      {map::kRadioType, 0x00},                 // radio type index 0
      {map::kNewDocumentMark, 0x00},
      {field::kStep.offset, 0x04},             // Step "25k"
      {0x1FE1, 0xD4},                          // Channel Display off, Scan Mode CO, LED Auto, Keypad Manual
      {0x1FE2, 0x01},                          // Priority Scan off, ANI Switch off, Mode Frequency
      {field::kVoiceSensitivity.offset, 0x00},
      {field::kCallTone.offset, 0x01},
      {field::kBatterySaverRatio.offset, 0x02},
      {field::kPriScanningTime.offset, 0x00},  // "3s"
      {field::kEmergencyAlarm.offset, 0xFF},   // on
      {map::kStunMarker, 0x00},                // not stunned
      {field::kPttId.offset, 0xFC},            // PTT ID off
      {map::kBandLimits + 0, 0x40},            // band 400-420 MHz
      {map::kBandLimits + 1, 0x42},
      {map::kBandLimits + 2, 0x00},
  };
  for (const auto& d : kDefaults) img[d.offset] = d.value;
  return img;
}

}  // namespace torvan
