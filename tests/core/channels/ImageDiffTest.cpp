// Two images compared as a person reads them.

#include "core/channels/ImageDiff.h"

#include <gtest/gtest.h>

#include "core/radio/ChannelCodec.h"
#include "core/radio/OptionCodec.h"

namespace torvan {
namespace {

constexpr auto kEn = DisplayLanguage::English;
constexpr auto kZh = DisplayLanguage::Chinese;
using Lines = std::vector<std::string>;

void Put(RadioImage& img, std::size_t offset, std::initializer_list<std::uint8_t> bytes) {
  for (std::uint8_t b : bytes) img[offset++] = b;
}

// A 136-174 MHz radio with three channels.
RadioImage Before() {
  RadioImage img = RadioImage::NewDocument();
  MemoryTextGrid grid;
  const ChannelTexts rows[] = {
      {"146.52000", "146.52000", "None", "None", "High", "Unlock", "Yes", "Wide", "CALL"},
      {"147.33000", "147.93000", "100.0", "100.0", "Low", "Lock", "No", "Narrow", "RPT"},
      {"145.50000", "", "None", "D023N", "High", "Unlock", "Yes", "Wide", ""},
  };
  const int channels[] = {5, 7, 9};
  for (int i = 0; i < 3; ++i) {
    for (int col = 1; col <= 9; ++col) grid.SetTextMatrix(RowOfChannel(channels[i]), col, rows[i][TextIndex(col)]);
  }
  EncodeImage(grid, BandLimits{136, 174}, img);
  return img;
}

TEST(ImageDiff, EqualImagesHaveNoDifference) {
  EXPECT_EQ(DiffImages(Before(), Before(), kEn), Lines{});
  EXPECT_EQ(ChannelsWithChangedBytes(Before(), Before()), std::vector<int>{});
}

TEST(ImageDiff, EachDifferenceIsOneLine) {
  const struct {
    const char* name;
    void (*change)(RadioImage&);
    Lines english;
    Lines chinese;
  } cases[] = {
      {"Rx frequency", [](RadioImage& b) { Put(b, 5 * 16, {0x00, 0x50, 0x65, 0x14}); },
       {"CH 5 Rx Frequency: 146.52000 -> 146.55000"}, {"信道 5 接收频率: 146.52000 -> 146.55000"}},
      {"power and name", [](RadioImage& b) {
         b[7 * 16 + 12] |= 0x20;
         Put(b, map::ChannelNameOffset(7), {27, 25, 29, 1});
       },
       {"CH 7 Power: Low -> High", "CH 7 Cha Name: RPT -> RPT1"}, {"信道 7 功率: 低 -> 高", "信道 7 信道名字: RPT -> RPT1"}},
      {"Tx emptied", [](RadioImage& b) { Put(b, 7 * 16 + 4, {0xFF, 0xFF, 0xFF, 0xFF}); },
       {"CH 7 Tx Frequency: 147.93000 -> \"\""}, {"信道 7 发射频率: 147.93000 -> \"\""}},
      {"added", [](RadioImage& b) {
         Put(b, 12 * 16, {0x00, 0x00, 0x33, 0x14, 0x00, 0x00, 0x93, 0x14, 0x85, 0x08, 0xFF, 0xFF, 0x27});
         Put(b, map::ChannelNameOffset(12), {27, 25, 29, 1, 0xFF});
       },
       {"CH 12: added 143.30000 149.30000 88.5 None High Unlock Yes Wide RPT1"},
       {"信道 12: 新增 143.30000 149.30000 88.5 无 高 未锁定 有 宽 RPT1"}},
      {"removed", [](RadioImage& b) { Put(b, 9 * 16, {0xFF, 0xFF, 0xFF, 0xFF}); }, {"CH 9: removed"}, {"信道 9: 删除"}},
      {"Pr", [](RadioImage& b) { Put(b, 0, {0x00, 0x00, 0x50, 0x14}); },
       {"CH Pr: added 145.00000 \"\" None None High Unlock Yes Wide \"\""},
       {"信道 Pr: 新增 145.00000 \"\" 无 无 高 未锁定 有 宽 \"\""}},
      {"band", [](RadioImage& b) { Put(b, 0x1FF0, {0x40, 0x42, 0x00}); }, {"Band: 136 - 174MHz -> 400 - 420MHz"},
       {"频段: 136 - 174MHz -> 400 - 420MHz"}},
      {"radio type", [](RadioImage& b) { b[0x1FD6] = 3; }, {"Radio type index: 0 -> 3"}, {"类型序号: 0 -> 3"}},
      {"options", [](RadioImage& b) {
         b[0x1FC1] = 0x03;
         b[0x1FE1] = static_cast<std::uint8_t>((b[0x1FE1] & ~0x0C) | 0x08);
       },
       {"LED: Auto -> On", "Squelch Level: 5 -> 3"}, {"LED: 自动 -> 开", "静噪电平: 5 -> 3"}},
      {"codes and stun", [](RadioImage& b) {
         Put(b, 0x12F0, {'1', '2', 'A', 'B'});
         b[0x1FEB] = 0xA5;
       },
       {"ANI Code: (none) -> 12AB", "Remove Stun: checked -> unchecked (the radio is stunned)"},
       {"ANI 码: (无) -> 12AB", "解除遥毙: 已勾选 -> 未勾选 (电台已遥毙)"}},
      {"unknown option value", [](RadioImage& b) { b[0x1FC1] = 0x0C; }, {"Squelch Level: 5 -> ? (0x0C)"},
       {"静噪电平: 5 -> ? (0x0C)"}},
      // Bytes no decoded field shows.
      {"a byte beyond every field", [](RadioImage& b) { b[0x1FF5] = 0x01; }, {"0x1FF5: FF -> 01"}, {"0x1FF5: FF -> 01"}},
      {"a squelch byte's other bits", [](RadioImage& b) { b[0x1FC1] = 0x35; }, {"0x1FC1: 05 -> 35"}, {"0x1FC1: 05 -> 35"}},
      {"a flag bit nobody shows", [](RadioImage& b) { b[5 * 16 + 12] ^= 0x08; }, {"0x005C: FF -> F7"}, {"0x005C: FF -> F7"}},
      {"a flag bit with one shown", [](RadioImage& b) { b[5 * 16 + 12] ^= 0x28; },
       {"CH 5 Power: High -> Low", "0x005C: FF -> D7"}, {"信道 5 功率: 高 -> 低", "0x005C: FF -> D7"}},
      {"another form of no tone", [](RadioImage& b) { Put(b, 5 * 16 + 8, {0x12, 0x00}); },
       {"0x0058: FF -> 12", "0x0059: FF -> 00"}, {"0x0058: FF -> 12", "0x0059: FF -> 00"}},
      {"name codes after the end", [](RadioImage& b) { b[map::ChannelNameOffset(9) + 5] = 3; }, {"0x0CDD: FF -> 03"},
       {"0x0CDD: FF -> 03"}},
      {"an empty channel's bytes", [](RadioImage& b) { b[20 * 16 + 1] = 0x42; }, {"0x0141: FF -> 42"}, {"0x0141: FF -> 42"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RadioImage after = Before();
    c.change(after);
    EXPECT_EQ(DiffImages(Before(), after, kEn), c.english);
    EXPECT_EQ(DiffImages(Before(), after, kZh), c.chinese);
  }
}

TEST(ImageDiff, ChannelsWithChangedBytesCountsRecordsAndNames) {
  RadioImage after = Before();
  after[3 * 16 + 15] = 0x00;                     // a byte no text shows still counts
  after[map::ChannelNameOffset(150) + 7] = 0x00;  // so does a name byte
  after[0x1FC1] = 0x00;                           // an option is no channel
  EXPECT_EQ(ChannelsWithChangedBytes(Before(), after), (std::vector<int>{3, 150}));
}

}  // namespace
}  // namespace torvan
