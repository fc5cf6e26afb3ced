#include "AppHarness.h"
#include "core/channels/TextGrid.h"
#include "core/radio/BandLimits.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/MemoryMap.h"

namespace torvan::test {

RadioImage CraftedImage() {
  RadioImage image = RadioImage::NewDocument();
  MemoryTextGrid grid;
  const char* rows[][9] = {
      {"145.50000", "145.50000", "None", "None", "High", "Unlock", "Yes", "Wide", "CALL"},
      {"146.52500", "", "88.5", "D023N", "Low", "Lock", "No", "Narrow", "AB-C_9"},
  };
  for (int c = 0; c < 9; ++c) grid.SetTextMatrix(1, c + 1, rows[0][c]);  // channel Pr
  for (int c = 0; c < 9; ++c) grid.SetTextMatrix(200, c + 1, rows[1][c]);  // channel 199
  image[map::kRadioType] = 1;  // Type2 = TV-136
  EncodeImage(grid, BandLimits{136, 174}, image);
  return image;
}

}  // namespace torvan::test
