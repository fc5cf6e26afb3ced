// A memory with damaged channels (bytes from another program, a line fault, a
// random file of the right size): opened and saved, nothing the user did not
// touch changes; a channel the user edits changes in that field alone.

#include <gtest/gtest.h>

#include <random>

#include "AppHarness.h"
#include "app/channels/TorvanView.h"
#include "core/channels/ImageDiff.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"

namespace torvan::test {
namespace {

// A new document's options and band, channel records and names of noise.
RadioImage DamagedImage(unsigned seed) {
  RadioImage image = RadioImage::NewDocument();
  std::mt19937 random(seed);
  const std::size_t channelBytesEnd = map::ChannelNameOffset(map::kChannelCount);
  for (std::size_t i = 0; i < channelBytesEnd; ++i) image[i] = static_cast<std::uint8_t>(random());
  return image;
}

TEST(DamagedChannels, SaveKeepsEveryByteNobodyChanged) {
  const RadioImage damaged = DamagedImage(15);
  AppHarness h;
  ASSERT_TRUE(SaveDat(h.File("damaged.dat"), damaged).ok());
  ASSERT_TRUE(h.Start({QString::fromStdString(h.File("damaged.dat"))}));
  const auto save = [&] {
    AppHarness::Activate(h.Frame());
    QTest::keyClick(h.Frame(), Qt::Key_S, Qt::ControlModifier);
    QApplication::processEvents();
    RadioImage saved;
    EXPECT_TRUE(LoadDat(h.File("damaged.dat"), saved).ok());
    return saved;
  };

  EXPECT_EQ(save(), damaged);  // many of these channels used to be wiped

  // One name given to a used channel: that channel's name bytes change, and
  // nothing else, not even its own record whose texts could not be written.
  CMSFlexGrid& grid = h.Frame()->ActiveView()->Grid();
  int channel = 0;
  while (grid.TextMatrix(RowOfChannel(channel), kColRxFrequency).empty()) ++channel;
  grid.SetTextMatrix(RowOfChannel(channel), kColName, "ZZ");
  const RadioImage saved = save();
  EXPECT_EQ(ChannelsWithChangedBytes(damaged, saved), std::vector<int>{channel});
  for (std::size_t k = 0; k < map::kChannelRecordSize; ++k) {
    EXPECT_EQ(saved[map::ChannelRecordOffset(channel) + k], damaged[map::ChannelRecordOffset(channel) + k]) << k;
  }
  EXPECT_EQ(DecodeChannel(saved, channel, DisplayLanguage::English)[TextIndex(kColName)], "ZZ");
}

}  // namespace
}  // namespace torvan::test
