// Channel records and names <-> grid texts.

#include "core/radio/ChannelCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "core/radio/ToneTable.h"

namespace torvan {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr auto kEn = DisplayLanguage::English;
constexpr auto kZh = DisplayLanguage::Chinese;

Bytes Record(const RadioImage& img, int channel) {
  const auto* p = img.data() + map::ChannelRecordOffset(channel);
  return Bytes(p, p + map::kChannelRecordSize);
}
Bytes Name(const RadioImage& img, int channel) {
  const auto* p = img.data() + map::ChannelNameOffset(channel);
  return Bytes(p, p + map::kChannelNameSize);
}
void PutRecord(RadioImage& img, int channel, const Bytes& rec) {
  for (std::size_t k = 0; k < rec.size(); ++k) img[map::ChannelRecordOffset(channel) + k] = rec[k];
}

ChannelTexts Row(std::string rx, std::string tx, std::string rxTone = "None", std::string txTone = "None",
                 std::string power = "High", std::string busy = "Unlock", std::string scan = "Yes",
                 std::string width = "Wide", std::string name = "") {
  return {rx, tx, rxTone, txTone, power, busy, scan, width, name};
}

TEST(ChannelCodec, FrequencyBytesDecode) {
  const struct {
    Bytes bytes;
    const char* text;
  } cases[] = {
      {{0x00, 0x25, 0x01, 0x43}, "430.12500"},
      {{0x50, 0x12, 0x80, 0x12}, "128.01250"},
      {{0xFF, 0xFF, 0xFF, 0x43}, "446.66665"},  // each 0xFF counts as 165
      {{0x25, 0x06, 0x50, 0x14}, "145.00625"},
      {{0x00, 0x00, 0x00, 0x01}, "10.00000"},
  };
  for (const auto& c : cases) EXPECT_EQ(FrequencyText(c.bytes.data()), c.text);
}

TEST(ChannelCodec, FrequencyTextsEncode) {
  const Bytes none = {0xFF, 0xFF, 0xFF, 0xFF};
  const struct {
    const char* text;
    Bytes bytes;
  } cases[] = {
      {"430.125", {0x00, 0x25, 0x01, 0x43}},
      {"430.12500", {0x00, 0x25, 0x01, 0x43}},
      {"128.0125", {0x50, 0x12, 0x80, 0x12}},  // not 0x49 in byte 0
      {"145.00625", {0x25, 0x06, 0x50, 0x14}},
      {"999.99999", {0x99, 0x99, 0x99, 0x99}},
      {"145.5 MHz", {0x00, 0x00, 0x55, 0x14}},  // read the way atof reads
      {"", none},
      {"abc", none},
      {"0", none},
      // Values the eight digits cannot hold are no value, never wrapped bytes.
      {"-145.5", none},
      {"1000", none},
      {"1646.66665", none},
      {"1e300", none},
      // Below 10 MHz the top pair would be 0x00: an empty channel, no Tx.
      {"9.99999", none},
      {"0.0025", none},
      {"10", {0x00, 0x00, 0x00, 0x01}},
  };
  for (const auto& c : cases) {
    Bytes out(4, 0x11);
    EncodeFrequencyText(c.text, out.data());
    EXPECT_EQ(out, c.bytes) << '"' << c.text << '"';
  }
}

TEST(ChannelCodec, ToneBytesDecode) {
  const struct {
    std::uint8_t high, low;
    const char* english;
    const char* chinese;
  } cases[] = {
      {0x08, 0x85, "88.5", "88.5"},    {0x08, 0x86, "88.6", "88.6"},    {0x10, 0x00, "100.0", "100.0"},
      {0x80, 0x23, "D023N", "D023N"},  {0xC0, 0x23, "D023I", "D023I"},  {0xC7, 0x54, "D754I", "D754I"},
      {0x87, 0x54, "D754N", "D754N"},  {0x00, 0x85, "None", "无"},      {0xFF, 0x12, "None", "无"},
      {0x80, 0x05, "D05N", "D05N"},  // "D0" and the code: codes below 10 show two digits
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToneText(c.high, c.low, kEn), c.english);
    EXPECT_EQ(ToneText(c.high, c.low, kZh), c.chinese);
  }
}

TEST(ChannelCodec, ToneTextsEncode) {
  const struct {
    const char* text;
    std::uint8_t high, low;
  } cases[] = {
      {"None", 0xFF, 0xFF},   {"无", 0xFF, 0xFF},     {"", 0xFF, 0xFF},      {"67.0", 0x06, 0x70},
      {"88.5", 0x08, 0x85},   {"254.1", 0x25, 0x41},  {"799.9", 0x79, 0x99}, {"D023N", 0x80, 0x23},
      {"D754N", 0x87, 0x54},  {"D023I", 0xC0, 0x23},  {"D754I", 0xC7, 0x54},
      {"D023", 0xC0, 0x23},   // no polarity letter: inverted
      // The number of the rest is read whole, also when its fourth character
      // is a digit too.
      {"D0234", 0xC2, 0x34},  {"D1234", 0xCC, 0x34},  {"D0234N", 0x82, 0x34},
      {"-88.5", 0xFF, 0xFF},  // the bytes cannot hold these: no tone
      {"800.0", 0xFF, 0xFF},  // would read back as DCS
      {"D-23N", 0xFF, 0xFF},  {"D9999N", 0xFF, 0xFF},
  };
  for (const auto& c : cases) {
    std::uint8_t high = 0x11, low = 0x11;
    EncodeToneText(c.text, high, low);
    EXPECT_EQ(high, c.high) << '"' << c.text << '"';
    EXPECT_EQ(low, c.low) << '"' << c.text << '"';
  }
}

TEST(ChannelCodec, EveryToneOfTheListRoundTrips) {
  for (auto lang : {kEn, kZh}) {
    for (const std::string& text : LoadToneTexts(lang)) {
      std::uint8_t high = 0, low = 0;
      EncodeToneText(text, high, low);
      EXPECT_EQ(ToneText(high, low, lang), text);
    }
  }
}

TEST(ChannelCodec, EmptyChannelRules) {
  RadioImage img;
  // Byte 3 = 0x00 makes the whole row empty whatever the other bytes hold.
  PutRecord(img, 0, {0x00, 0x25, 0x01, 0x00, 0x00, 0x25, 0x01, 0x43, 0x85, 0x08, 0, 0, 0x27, 0, 0, 0});
  EXPECT_EQ(DecodeChannel(img, 0, kEn), ChannelTexts{});
  // Byte 7 = 0xFF or 0x00: no Tx frequency.
  PutRecord(img, 1, {0x00, 0x25, 0x01, 0x43, 0x00, 0x25, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x27, 0, 0, 0});
  PutRecord(img, 2, {0x00, 0x25, 0x01, 0x43, 0x00, 0x25, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x27, 0, 0, 0});
  EXPECT_EQ(DecodeChannel(img, 1, kEn), Row("430.12500", ""));
  EXPECT_EQ(DecodeChannel(img, 2, kEn), Row("430.12500", ""));

  // An empty Tx cell stores 0xFF in bytes 4-7.
  EncodeChannel(Row("430.125", ""), 3, img);
  EXPECT_EQ(Bytes(img.data() + 0x34, img.data() + 0x38), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));

  // An empty Rx cell: sixteen 0xFF bytes; the name bytes stay.
  img[map::ChannelNameOffset(4)] = 10;
  PutRecord(img, 4, Bytes(16, 0x12));
  EncodeChannel(ChannelTexts{}, 4, img);
  EXPECT_EQ(Record(img, 4), Bytes(16, 0xFF));
  EXPECT_EQ(img[map::ChannelNameOffset(4)], 10);
  EXPECT_EQ(DecodeChannel(img, 4, kEn), ChannelTexts{});
}

// A record from elsewhere whose Rx reads as 1000 MHz or more (found by
// fuzzing .dat files): nobody changed it, so it is saved as it was, on every
// save, although the encode could not write its text afresh.
TEST(ChannelCodec, UntouchedChannelWhoseTextCannotBeStoredKeepsItsBytes) {
  RadioImage opened = RadioImage::NewDocument();
  const Bytes record = {0xFF, 0xFF, 0x9A, 0x9A, 0x00, 0x50, 0x14, 0x1F, 0x00, 0x50, 0x14, 0x1F, 0x85, 0x08, 0xC0, 0x57};
  PutRecord(opened, 39, record);
  opened[map::ChannelNameOffset(39)] = 10;
  opened[map::ChannelNameOffset(39) + 1] = 0x25;  // a code without a character ends the name ...
  opened[map::ChannelNameOffset(39) + 2] = 12;    // ... and what follows it stays too
  ASSERT_EQ(DecodeChannel(opened, 39, kEn)[TextIndex(kColRxFrequency)], "1010.16665");

  RadioImage saved = opened;
  for (int round = 0; round < 2; ++round) {
    for (auto lang : {kEn, kZh}) {
      MemoryTextGrid grid;
      const BandLimits band = DecodeImage(saved, grid, lang);
      EncodeImage(grid, band, saved);
      EXPECT_EQ(saved, opened) << "round " << round;
    }
  }
  RadioImage one = opened;
  EncodeChannel(DecodeChannel(opened, 39, kZh), 39, one);
  EXPECT_EQ(one, opened);
}

// Any 8192 bytes, decoded and encoded again without a change, come back byte
// for byte: on random images 79 of 200 channels used to be wiped.
TEST(ChannelCodec, AnyImageEncodesBackToItsOwnBytes) {
  std::mt19937 random(20261210);
  for (int trial = 0; trial < 40; ++trial) {
    RadioImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) image[i] = static_cast<std::uint8_t>(random());
    for (auto lang : {kEn, kZh}) {
      MemoryTextGrid grid;
      const BandLimits band = DecodeImage(image, grid, lang);
      RadioImage out = image;
      EncodeImage(grid, band, out);
      for (int n = 0; n < map::kChannelCount; ++n) {
        ASSERT_EQ(Record(out, n), Record(image, n)) << "trial " << trial << " channel " << n;
        ASSERT_EQ(Name(out, n), Name(image, n)) << "trial " << trial << " channel " << n;
      }
      ASSERT_EQ(out, image) << "trial " << trial;  // the band bytes too
    }
  }
}

// A changed field is encoded; the fields nobody changed keep their bytes,
// also in a channel whose other texts the encode could not write.
TEST(ChannelCodec, OnlyChangedFieldsAreEncodedAfresh) {
  // Rx 1010.16665 (cannot be written), Tx 145.0, Rx tone "no tone" as 0x00 0x12,
  // Tx tone 166.5 from a high byte with a nibble above 9, flags 0x5A, name "A".
  const Bytes damaged = {0xFF, 0xFF, 0x9A, 0x9A, 0x00, 0x00, 0x50, 0x14, 0x12, 0x00, 0xFF, 0x0F, 0x5A, 1, 2, 3};
  const Bytes nameBytes = {10, 0xFF, 12, 13, 0xFF, 0xFF, 0xFF, 0xFF};
  const struct {
    const char* name;
    int col;
    const char* text;
    std::size_t offset;  // in the record, or 16 for the name
    Bytes bytes;
  } cases[] = {
      {"name", kColName, "BC", 16, {11, 12, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"Tx", kColTxFrequency, "146.5", 4, {0x00, 0x00, 0x65, 0x14}},
      {"Tx emptied", kColTxFrequency, "", 4, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"Rx tone", kColRxTone, "88.5", 8, {0x85, 0x08}},
      {"Tx tone", kColTxTone, "D023N", 10, {0x23, 0x80}},
      {"power", kColPower, "High", 12, {0x7A}},
      {"Rx", kColRxFrequency, "145.5", 0, {0x00, 0x00, 0x55, 0x14}},
  };
  for (const auto& c : cases) {
    for (auto lang : {kEn, kZh}) {
      SCOPED_TRACE(c.name);
      RadioImage img = RadioImage::NewDocument();
      PutRecord(img, 7, damaged);
      for (std::size_t k = 0; k < 8; ++k) img[map::ChannelNameOffset(7) + k] = nameBytes[k];
      ChannelTexts texts = DecodeChannel(img, 7, lang);
      texts[TextIndex(c.col)] = c.text;
      RadioImage out = img;
      EncodeChannel(texts, 7, out);
      Bytes wantRecord = damaged;
      Bytes wantName = nameBytes;
      if (c.offset == 16) {
        wantName = c.bytes;
      } else {
        std::copy(c.bytes.begin(), c.bytes.end(), wantRecord.begin() + static_cast<std::ptrdiff_t>(c.offset));
      }
      EXPECT_EQ(Record(out, 7), wantRecord);
      EXPECT_EQ(Name(out, 7), wantName);
    }
  }
  // A new Rx text the record cannot hold still stores an empty channel.
  RadioImage img = RadioImage::NewDocument();
  PutRecord(img, 7, damaged);
  ChannelTexts texts = DecodeChannel(img, 7, kEn);
  texts[TextIndex(kColRxFrequency)] = "1200.00000";
  EncodeChannel(texts, 7, img);
  EXPECT_EQ(Record(img, 7), Bytes(16, 0xFF));
}

// An empty channel's record may hold anything after its empty marker; left
// empty, it keeps those bytes. Made a channel, it takes the typed texts.
TEST(ChannelCodec, EmptyChannelLeftEmptyKeepsItsBytes) {
  RadioImage img = RadioImage::NewDocument();
  const Bytes junk = {0x00, 0x25, 0x01, 0x00, 0x00, 0x25, 0x01, 0x43, 0x85, 0x08, 0, 0, 0x27, 0, 0, 0};
  PutRecord(img, 3, junk);
  RadioImage out = img;
  EncodeChannel(ChannelTexts{}, 3, out);
  EXPECT_EQ(Record(out, 3), junk);
  EncodeChannel(Row("430.125", ""), 3, out);
  EXPECT_EQ(Record(out, 3), (Bytes{0x00, 0x25, 0x01, 0x43, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x27, 0, 0, 0}));
}

TEST(ChannelCodec, FlagBitsChangeOneByOne) {
  const struct {
    std::uint8_t before;
    ChannelTexts texts;
    std::uint8_t after;
  } cases[] = {
      // Bits 7, 6, 4, 3 survive.
      {0xD8, Row("145", "", "None", "None", "Low", "Lock", "No", "Narrow"), 0xD8},
      {0xD8, Row("145", "", "None", "None", "High", "Unlock", "Yes", "Wide"), 0xFF},
      {0x00, Row("145", "", "None", "None", "High", "Unlock", "Yes", "Wide"), 0x27},
      {0xFF, Row("145", "", "None", "None", "低", "锁定", "无", "窄"), 0xD8},
      {0x00, Row("145", "", "None", "None", "高", "未锁定", "有", "宽"), 0x27},
      // Other texts: power and busy lock clear, scan add and wide set.
      {0x27, Row("145", "", "None", "None", "high", "?", "", "x"), 0x06},
      {0x00, Row("145", "", "None", "None", "", "", "no", "narrow"), 0x06},
  };
  for (const auto& c : cases) {
    RadioImage img;
    img[map::ChannelRecordOffset(0) + map::record::kFlags] = c.before;
    EncodeChannel(c.texts, 0, img);
    EXPECT_EQ(img[map::ChannelRecordOffset(0) + map::record::kFlags], c.after)
        << c.texts[4] << ' ' << c.texts[5] << ' ' << c.texts[6] << ' ' << c.texts[7];
  }
}

TEST(ChannelCodec, ChannelThatWasEmptyKeepsItsHighFlagBitsSet) {
  RadioImage img;  // all 0xFF: every channel empty
  EncodeChannel(Row("145", "", "None", "None", "Low", "Lock", "No", "Narrow"), 7, img);
  EXPECT_EQ(img[map::ChannelRecordOffset(7) + map::record::kFlags], 0xD8);
  // Bytes 13-15 are carried.
  EXPECT_EQ(Record(img, 7)[13], 0xFF);
}

TEST(ChannelCodec, Names) {
  const struct {
    const char* text;
    Bytes codes;
    const char* decoded;
  } cases[] = {
      {"AB-C_9", {10, 11, 36, 12, 38, 9, 0xFF, 0xFF}, "AB-C_9"},
      {"", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, ""},
      {"ABcD", {10, 11, 0xFF, 13, 0xFF, 0xFF, 0xFF, 0xFF}, "AB"},  // lower case ends the name
      {"A B", {10, 0xFF, 11, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "A"},
      {"ABCDEFGHIJ", {10, 11, 12, 13, 14, 15, 16, 17}, "ABCDEFGH"},  // eight stored
      {"\xE6\x97\xA0", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, ""},
  };
  for (const auto& c : cases) {
    RadioImage img;
    ChannelTexts t = Row("145", "");
    t[TextIndex(kColName)] = c.text;
    EncodeChannel(t, 199, img);
    EXPECT_EQ(Name(img, 199), c.codes) << c.text;
    EXPECT_EQ(DecodeChannel(img, 199, kEn)[TextIndex(kColName)], c.decoded) << c.text;
  }
  RadioImage img;
  for (int k = 0; k < 8; ++k) img[map::ChannelNameOffset(5) + k] = static_cast<std::uint8_t>(k == 7 ? 38 : 35 - k);
  PutRecord(img, 5, {0, 0, 0, 0x14});
  EXPECT_EQ(DecodeChannel(img, 5, kEn)[TextIndex(kColName)], "ZYXWVUT_");
}

TEST(ChannelCodec, DecodesWordsInTheActiveLanguage) {
  RadioImage img;
  PutRecord(img, 0, {0x00, 0x50, 0x12, 0x14, 0x00, 0x50, 0x12, 0x14, 0x85, 0x08, 0xFF, 0xFF, 0x27});
  PutRecord(img, 1, {0x00, 0x50, 0x12, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0x23, 0xC0, 0xFF, 0xFF, 0x00});
  EXPECT_EQ(DecodeChannel(img, 0, kEn), Row("141.25000", "141.25000", "88.5", "None", "High", "Unlock", "Yes", "Wide"));
  EXPECT_EQ(DecodeChannel(img, 0, kZh), Row("141.25000", "141.25000", "88.5", "无", "高", "未锁定", "有", "宽"));
  EXPECT_EQ(DecodeChannel(img, 1, kEn), Row("141.25000", "", "D023I", "None", "Low", "Lock", "No", "Narrow"));
  // Chinese "None" and Scan Add "No" are the same word; the column decides.
  const ChannelTexts zh = DecodeChannel(img, 1, kZh);
  EXPECT_EQ(zh, Row("141.25000", "", "D023I", "无", "低", "锁定", "无", "窄"));
  RadioImage back = img;
  EncodeChannel(zh, 1, back);
  EXPECT_EQ(Record(back, 1), Record(img, 1));
}

// A full image written by the codec: 200 channels of every kind.
RadioImage GoldenImage() {
  const auto tones = LoadToneTexts(kEn);
  const char* const powers[] = {"High", "Low"};
  const char* const locks[] = {"Lock", "Unlock"};
  const char* const scans[] = {"Yes", "No"};
  const char* const widths[] = {"Wide", "Narrow"};
  const char* const names[] = {"", "A", "CH-1", "ZZ_99", "R2D2", "X"};
  MemoryTextGrid grid;
  for (int n = 0; n < map::kChannelCount; ++n) {
    if (n % 17 == 16) continue;  // some empty channels
    const std::uint32_t rx = 13600000 + static_cast<std::uint32_t>(n) * 18750;
    const std::string rxText = std::to_string(rx / 100000) + "." + std::to_string(100000 + rx % 100000).substr(1);
    const ChannelTexts t = {rxText,
                            n % 5 == 0 ? std::string() : rxText,
                            tones[static_cast<std::size_t>(n * 7) % tones.size()],
                            tones[static_cast<std::size_t>(n * 13 + 3) % tones.size()],
                            powers[n % 2],
                            locks[(n / 2) % 2],
                            scans[(n / 3) % 2],
                            widths[(n / 5) % 2],
                            names[n % 6]};
    for (int col = 1; col <= 9; ++col) grid.SetTextMatrix(RowOfChannel(n), col, t[TextIndex(col)]);
  }
  RadioImage img = RadioImage::NewDocument();
  EncodeImage(grid, BandLimits{136, 174}, img);
  return img;
}

TEST(ChannelCodec, GoldenImageDecodesAndEncodesByteIdentical) {
  const RadioImage golden = GoldenImage();
  for (auto lang : {kEn, kZh}) {
    MemoryTextGrid grid;
    const BandLimits band = DecodeImage(golden, grid, lang);
    EXPECT_EQ(band, (BandLimits{136, 174}));
    RadioImage again = golden;
    EncodeImage(grid, band, again);
    EXPECT_EQ(again, golden);
    // And into a blank image too: every byte the codec owns comes from the grid.
    RadioImage fresh = RadioImage::NewDocument();
    EncodeImage(grid, band, fresh);
    for (int n = 0; n < map::kChannelCount; ++n) {
      if (grid.TextMatrix(RowOfChannel(n), 1).empty()) continue;
      EXPECT_EQ(Record(fresh, n), Record(golden, n)) << n;
      EXPECT_EQ(Name(fresh, n), Name(golden, n)) << n;
    }
  }
}

// A grid that offers only the two cell operations, as a grid widget may.
class CellOnlyGrid : public TextGrid {
 public:
  std::string TextMatrix(int row, int col) const override { return cells_.TextMatrix(row, col); }
  void SetTextMatrix(int row, int col, std::string_view text) override { cells_.SetTextMatrix(row, col, text); }

 private:
  MemoryTextGrid cells_;
};

TEST(ChannelCodec, GridWithOnlyCellAccessGetsTheSameTextsAndBytes) {
  const RadioImage golden = GoldenImage();
  MemoryTextGrid memory;
  CellOnlyGrid cellOnly;
  DecodeImage(golden, memory, kZh);
  DecodeImage(golden, cellOnly, kZh);
  for (int r = 1; r <= 200; ++r) {
    for (int c = 1; c <= 9; ++c) ASSERT_EQ(cellOnly.TextMatrix(r, c), memory.TextMatrix(r, c)) << r << ',' << c;
  }
  RadioImage out = RadioImage::NewDocument();
  EncodeImage(cellOnly, BandLimits{136, 174}, out);
  EXPECT_EQ(out, golden);
}

TEST(ChannelCodec, GridOfOneLanguageEncodesTheSameUnderTheOther) {
  const RadioImage golden = GoldenImage();
  MemoryTextGrid en, zh;
  DecodeImage(golden, en, kEn);
  DecodeImage(golden, zh, kZh);
  RadioImage fromEn = RadioImage::NewDocument(), fromZh = RadioImage::NewDocument();
  EncodeImage(en, BandLimits{136, 174}, fromEn);
  EncodeImage(zh, BandLimits{136, 174}, fromZh);
  EXPECT_EQ(fromEn, fromZh);
  EXPECT_EQ(fromEn, golden);
  EXPECT_NE(en.TextMatrix(1, kColPower), zh.TextMatrix(1, kColPower));
}

TEST(ChannelCodec, DecodeImageFillsEveryRowAndTheBand) {
  RadioImage img = RadioImage::NewDocument();
  img[0x1FF0] = 0x13;
  img[0x1FF1] = 0x17;
  img[0x1FF2] = 0x64;
  PutRecord(img, 199, {0x00, 0x25, 0x01, 0x43, 0x00, 0x25, 0x01, 0x43, 0xFF, 0xFF, 0xFF, 0xFF, 0x00});
  MemoryTextGrid grid;
  for (int r = 1; r <= 200; ++r) grid.SetTextMatrix(r, 1, "stale");
  EXPECT_EQ(DecodeImage(img, grid, kEn), (BandLimits{136, 174}));
  for (int r = 1; r < 200; ++r) EXPECT_EQ(grid.TextMatrix(r, 1), "") << r;
  EXPECT_EQ(grid.TextMatrix(200, 1), "430.12500");
  EXPECT_EQ(grid.TextMatrix(200, 5), "Low");
  EXPECT_EQ(grid.TextMatrix(200, 0), "199") << "labels untouched";

  // The encode writes the band it is given.
  RadioImage out = img;
  EncodeImage(grid, BandLimits{400, 470}, out);
  EXPECT_EQ(out[0x1FF0], 0x40);
  EXPECT_EQ(out[0x1FF1], 0x47);
  EXPECT_EQ(out[0x1FF2], 0x00);
}

}  // namespace
}  // namespace torvan
