// Committing an editor's text into a channel row.

#include "core/channels/CellRules.h"

#include <gtest/gtest.h>

namespace torvan {
namespace {

constexpr auto kEn = DisplayLanguage::English;
constexpr auto kZh = DisplayLanguage::Chinese;
constexpr BandLimits kUhf{400, 470};
constexpr BandLimits kVhf{136, 174};

const ChannelTexts kUsedVhf = {"145.50000", "146.10000", "88.5", "D023N", "Low", "Lock", "No", "Narrow", "RPT"};

TEST(CellRules, FrequencyConversion) {
  const struct {
    const char* typed;
    const char* text;  // nullptr: not checked
    std::uint32_t count;
  } cases[] = {
      {"145.1", "145.10000", 14510000},
      {"145.00625", "145.00625", 14500625},  // decimal scaling: not one count short
      {"128.0125", "128.01250", 12801250},
      // Digits below 10 Hz are shown as they are checked, never cut off or
      // rounded into a different number.
      {"145.001234", "145.001234", 14500123},
      {"410.1249999999", "410.1249999999", 41012499},
      {"410.12500009", "410.12500009", 41012500},
      {"410.125000", "410.12500", 41012500},
      // A comma is the decimal point too, as many users type it.
      {"410,125", "410.12500", 41012500},
      {"145,00625", "145.00625", 14500625},
      {" 145.5abc", "145.50000", 14550000},  // read the way atof reads
      {"abc", "0.00000", 0},
      {"-145", "-145.00000", static_cast<std::uint32_t>(-14500000)},  // negative: huge unsigned
      {"1e300", nullptr, 0x80000000u},  // past 32 bits: above every band
  };
  for (const auto& c : cases) {
    const ConvertedFrequency f = ConvertFrequency(c.typed);
    if (c.text) {
      EXPECT_EQ(f.text, c.text) << c.typed;
    }
    EXPECT_EQ(f.count, c.count) << c.typed;
  }
}

TEST(CellRules, BandThenRasterTest) {
  const struct {
    const char* typed;
    BandLimits band;
    std::optional<MessageId> message;
  } cases[] = {
      {"400", kUhf, std::nullopt},
      {"470", kUhf, std::nullopt},
      {"470.0025", kUhf, MessageId::OutOfRange},
      {"399.9975", kUhf, MessageId::OutOfRange},
      {"145.00625", kVhf, std::nullopt},  // 6.25 kHz raster
      {"145.0025", kVhf, std::nullopt},   // 2.5 kHz raster
      {"145.0125", kVhf, std::nullopt},   // 12.5 kHz
      {"145.001", kVhf, MessageId::ErrorDataValue},
      {"135.001", kVhf, MessageId::OutOfRange},  // band test first
      {"abc", kVhf, MessageId::OutOfRange},
      {"-145", kVhf, MessageId::OutOfRange},
      {"99999999999", kVhf, MessageId::OutOfRange},
      {"1e300", kVhf, MessageId::OutOfRange},
      // A band from damaged bytes (0xFF nibbles: 1665 MHz) still cannot let
      // through what a record cannot hold, and 0 MHz is no frequency.
      {"1665", BandLimits{0, 1665}, MessageId::OutOfRange},
      {"0", BandLimits{0, 1665}, MessageId::OutOfRange},
      {"999.99", BandLimits{0, 1665}, std::nullopt},
      // Nor below 10 MHz, where the record's top digit pair would be 0x00
      // and the channel would read back empty.
      {"9.9975", BandLimits{0, 999}, MessageId::OutOfRange},
      {"0.0025", BandLimits{0, 999}, MessageId::OutOfRange},
      {"10", BandLimits{0, 999}, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckFrequency(ConvertFrequency(c.typed), c.band), c.message) << c.typed << " in " << c.band.CaptionText();
  }
}

// The value checked is the value typed: digits below 10 Hz make a frequency
// that no channel can hold, refused whichever way a cut or a rounding would
// have gone.
TEST(CellRules, DigitsBelowTenHertzAreCheckedNotCutOff) {
  const struct {
    const char* typed;
    BandLimits band;
    std::optional<MessageId> message;
  } cases[] = {
      {"410.1249999999", kUhf, MessageId::ErrorDataValue},  // was refused as if it were 410.12499
      {"410.12500009", kUhf, MessageId::ErrorDataValue},    // was taken as 410.12500
      {"410.125000000", kUhf, std::nullopt},
      {"410,125", kUhf, std::nullopt},
      {"470.000001", kUhf, MessageId::OutOfRange},  // above the upper edge, however little
      {"469.999999", kUhf, MessageId::ErrorDataValue},
      {"400.000001", kUhf, MessageId::ErrorDataValue},
      {"399.999999", kUhf, MessageId::OutOfRange},
      {"999.999991", BandLimits{0, 1665}, MessageId::OutOfRange},  // past what a record holds
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckFrequency(ConvertFrequency(c.typed), c.band), c.message) << c.typed;
    ChannelTexts row = kUsedVhf;
    const CommitResult r = CommitCell(row, kColRxFrequency, c.typed, c.band, kEn);
    EXPECT_EQ(r.message, c.message) << c.typed;
    if (!c.message) {
      EXPECT_EQ(row[TextIndex(kColRxFrequency)], "410.12500") << c.typed;
    }
  }
}

TEST(CellRules, RxFrequencyCommits) {
  const ChannelTexts empty{};
  const struct {
    const char* name;
    ChannelTexts before;
    const char* typed;
    DisplayLanguage lang;
    ChannelTexts after;
    std::optional<MessageId> message;
  } cases[] = {
      {"new channel gets defaults", empty, "145.1", kEn,
       {"145.10000", "145.10000", "None", "None", "High", "Unlock", "Yes", "Wide", ""}, std::nullopt},
      {"new channel gets Chinese defaults", empty, "145.1", kZh,
       {"145.10000", "145.10000", "无", "无", "高", "未锁定", "有", "宽", ""}, std::nullopt},
      {"used row changes only Rx", kUsedVhf, "145.0025", kEn,
       {"145.00250", "146.10000", "88.5", "D023N", "Low", "Lock", "No", "Narrow", "RPT"}, std::nullopt},
      {"decimal comma", kUsedVhf, "145,0025", kEn,
       {"145.00250", "146.10000", "88.5", "D023N", "Low", "Lock", "No", "Narrow", "RPT"}, std::nullopt},
      {"empty text empties the row", kUsedVhf, "", kEn, empty, std::nullopt},
      // A refused frequency keeps the channel as it was: a typo loses nothing.
      {"off raster keeps the row", kUsedVhf, "145.001", kEn, kUsedVhf, MessageId::ErrorDataValue},
      {"out of band keeps the row", kUsedVhf, "430", kEn, kUsedVhf, MessageId::OutOfRange},
      {"not a number keeps the row", kUsedVhf, "abc", kEn, kUsedVhf, MessageId::OutOfRange},
      {"failure on an empty row", empty, "-5", kEn, empty, MessageId::OutOfRange},
  };
  for (const auto& c : cases) {
    ChannelTexts row = c.before;
    const CommitResult r = CommitCell(row, kColRxFrequency, c.typed, kVhf, c.lang);
    EXPECT_EQ(row, c.after) << c.name;
    EXPECT_EQ(r.message, c.message) << c.name;
    EXPECT_EQ(r.testFailed, c.message.has_value()) << c.name;
  }
}

TEST(CellRules, TxFrequencyCommits) {
  const ChannelTexts empty{};
  ChannelTexts noTx = kUsedVhf;
  noTx[TextIndex(kColTxFrequency)] = "";
  ChannelTexts newTx = kUsedVhf;
  newTx[TextIndex(kColTxFrequency)] = "144.80000";
  const struct {
    const char* name;
    ChannelTexts before;
    const char* typed;
    ChannelTexts after;
    std::optional<MessageId> message;
  } cases[] = {
      {"sets Tx", kUsedVhf, "144.8", newTx, std::nullopt},
      {"empty text: no Tx", kUsedVhf, "", noTx, std::nullopt},
      {"off raster keeps the old Tx", kUsedVhf, "144.801", kUsedVhf, MessageId::ErrorDataValue},
      {"out of band keeps the old Tx", kUsedVhf, "440", kUsedVhf, MessageId::OutOfRange},
      {"refused without a Tx keeps none", noTx, "440", noTx, MessageId::OutOfRange},
      {"no Tx without Rx", empty, "144.8", empty, std::nullopt},
      {"checks run without Rx too", empty, "144.801", empty, MessageId::ErrorDataValue},
  };
  for (const auto& c : cases) {
    ChannelTexts row = c.before;
    const CommitResult r = CommitCell(row, kColTxFrequency, c.typed, kVhf, kEn);
    EXPECT_EQ(row, c.after) << c.name;
    EXPECT_EQ(r.message, c.message) << c.name;
    EXPECT_EQ(r.testFailed, c.message.has_value()) << c.name;
  }
}

TEST(CellRules, AttributeCommits) {
  for (int col = kColRxTone; col <= kColName; ++col) {
    ChannelTexts used = kUsedVhf;
    EXPECT_FALSE(CommitCell(used, col, "X1", kVhf, kEn).message);
    EXPECT_EQ(used[TextIndex(col)], "X1") << col;
    for (int other = kColRxFrequency; other <= kColName; ++other) {
      if (other != col) {
        EXPECT_EQ(used[TextIndex(other)], kUsedVhf[TextIndex(other)]) << col << '/' << other;
      }
    }

    ChannelTexts empty{};
    EXPECT_FALSE(CommitCell(empty, col, "X1", kVhf, kEn).testFailed);
    EXPECT_EQ(empty, ChannelTexts{}) << "an empty channel takes no attribute, column " << col;

    // A row with only a Tx text (not made by the rules, but possible in a grid) takes attributes.
    ChannelTexts txOnly{};
    txOnly[TextIndex(kColTxFrequency)] = "145.00000";
    CommitCell(txOnly, col, "X1", kVhf, kEn);
    EXPECT_EQ(txOnly[TextIndex(col)], "X1") << col;
  }
  ChannelTexts row = kUsedVhf;
  for (int col : {0, 10, -1}) {
    EXPECT_FALSE(CommitCell(row, col, "", kVhf, kEn).message);
    EXPECT_EQ(row, kUsedVhf);
  }
}

TEST(CellRules, CommitOnAGridRowWritesOnlyThatRow) {
  MemoryTextGrid grid;
  CommitCell(grid, 5, kColRxFrequency, "430", kUhf, kEn);
  EXPECT_EQ(grid.TextMatrix(5, kColTxFrequency), "430.00000");
  EXPECT_EQ(grid.TextMatrix(5, kColBandwidth), "Wide");
  EXPECT_EQ(grid.TextMatrix(5, 0), "  4");
  EXPECT_EQ(grid.TextMatrix(4, kColRxFrequency), "");
  EXPECT_EQ(grid.TextMatrix(6, kColRxFrequency), "");
  const CommitResult r = CommitCell(grid, 5, kColTxFrequency, "470.0025", kUhf, kEn);
  EXPECT_TRUE(r.testFailed);
  EXPECT_EQ(r.message, MessageId::OutOfRange);
  EXPECT_EQ(grid.TextMatrix(5, kColTxFrequency), "430.00000");
  EXPECT_EQ(grid.TextMatrix(5, kColRxFrequency), "430.00000");
}

}  // namespace
}  // namespace torvan
