// The chirp format: each Duplex, Tone and CrossMode case both ways, the other
// columns, refused lines, and a real-looking list in and out again.

#include "core/channels/ChirpCsv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <sstream>

#include "core/channels/ChannelListImport.h"
#include "core/channels/CsvExchange.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/OptionCodec.h"

namespace torvan {
namespace {

constexpr auto kEn = DisplayLanguage::English;
constexpr auto kZh = DisplayLanguage::Chinese;
constexpr BandLimits kVhf{136, 174};
const std::string kHeader(kChirpHeader);

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, ',')) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

ChannelTexts RowOf(const TextGrid& grid, int channel) {
  ChannelTexts t;
  for (int col = 1; col <= 9; ++col) t[TextIndex(col)] = grid.TextMatrix(RowOfChannel(channel), col);
  return t;
}
void SetRow(TextGrid& grid, int channel, const ChannelTexts& t) {
  for (int col = 1; col <= 9; ++col) grid.SetTextMatrix(RowOfChannel(channel), col, t[TextIndex(col)]);
}

// The fields of the export of one channel, by column name.
std::map<std::string, std::string> ExportedFields(const ChannelTexts& texts, const RadioImage& image = RadioImage::NewDocument()) {
  MemoryTextGrid grid;
  SetRow(grid, 12, texts);
  const auto lines = Lines(ExportChirpCsv(grid, image));
  EXPECT_EQ(lines.size(), 2u);
  const auto names = Split(kHeader);
  const auto values = Split(lines.at(1));
  EXPECT_EQ(values.size(), names.size()) << lines.at(1);
  std::map<std::string, std::string> fields;
  for (std::size_t i = 0; i < names.size() && i < values.size(); ++i) fields[names[i]] = values[i];
  return fields;
}

// A one-line file from column values; the columns not given are the export's
// placeholders.
std::string ChirpLine(std::map<std::string, std::string> given) {
  std::map<std::string, std::string> f = {
      {"Location", "12"},  {"Name", ""},      {"Frequency", "146.520000"}, {"Duplex", ""},
      {"Offset", "0.000000"}, {"Tone", ""},   {"rToneFreq", "88.5"},       {"cToneFreq", "88.5"},
      {"DtcsCode", "023"}, {"DtcsPolarity", "NN"}, {"RxDtcsCode", "023"}, {"CrossMode", "Tone->Tone"},
      {"Mode", "FM"},      {"TStep", "5.00"}, {"Skip", ""},                {"Power", "5.0W"},
  };
  for (auto& [k, v] : given) f[k] = v;
  std::string line;
  for (const auto& name : Split(kHeader)) {
    if (!line.empty()) line += ',';
    line += f[name];
  }
  return kHeader + "\n" + line + "\n";
}

ChannelListPlan Plan(const std::string& csv, const TextGrid& grid, DisplayLanguage lang = kEn) {
  ChannelListPlan plan;
  const Status s = PlanChannelListImport(csv, grid, kVhf, lang, plan);
  EXPECT_TRUE(s.ok()) << s.error();
  return plan;
}

// The channel texts a one-line file gives channel 12 of an empty grid.
ChannelTexts Imported(const std::string& csv) {
  MemoryTextGrid grid;
  const ChannelListPlan plan = Plan(csv, grid);
  EXPECT_EQ(plan.format, ChannelListFormat::Chirp);
  for (const auto& r : plan.refused) ADD_FAILURE() << r.Message();
  ApplyChannelListPlan(plan, grid);
  return RowOf(grid, 12);
}

ChannelTexts Row(std::string rx, std::string tx, std::string rxTone = "None", std::string txTone = "None",
                 std::string power = "High", std::string scan = "Yes", std::string width = "Wide",
                 std::string name = "") {
  return {rx, tx, rxTone, txTone, power, "Unlock", scan, width, name};
}

TEST(ChirpCsv, DuplexBothWays) {
  const struct {
    const char* rx;
    const char* tx;
    const char* frequency;
    const char* duplex;
    const char* offset;
  } cases[] = {
      {"146.52000", "146.52000", "146.520000", "", "0.000000"},
      {"147.33000", "147.93000", "147.330000", "+", "0.600000"},
      {"146.94000", "146.34000", "146.940000", "-", "0.600000"},
      {"146.52000", "", "146.520000", "off", "0.000000"},
      {"145.00625", "145.60625", "145.006250", "+", "0.600000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.rx) + " / " + c.tx);
    const auto f = ExportedFields(Row(c.rx, c.tx));
    EXPECT_EQ(f.at("Frequency"), c.frequency);
    EXPECT_EQ(f.at("Duplex"), c.duplex);
    EXPECT_EQ(f.at("Offset"), c.offset);
    EXPECT_EQ(Imported(ChirpLine({{"Frequency", c.frequency}, {"Duplex", c.duplex}, {"Offset", c.offset}})),
              Row(c.rx, c.tx));
  }
  // Read only: split gives Tx itself; the offset of "" and "off" is ignored;
  // the arithmetic is exact decimal.
  EXPECT_EQ(Imported(ChirpLine({{"Duplex", "split"}, {"Offset", "145.000000"}})), Row("146.52000", "145.00000"));
  EXPECT_EQ(Imported(ChirpLine({{"Duplex", ""}, {"Offset", "5.000000"}})), Row("146.52000", "146.52000"));
  EXPECT_EQ(Imported(ChirpLine({{"Duplex", "OFF"}, {"Offset", "5.000000"}})), Row("146.52000", ""));
  EXPECT_EQ(Imported(ChirpLine({{"Frequency", "145.0125"}, {"Duplex", "-"}, {"Offset", "0.0025"}})),
            Row("145.01250", "145.01000"));
}

TEST(ChirpCsv, ToneAndCrossModeBothWays) {
  const struct {
    const char* rxTone;
    const char* txTone;
    // Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode
    std::array<const char*, 7> chirp;
  } cases[] = {
      {"None", "None", {"", "88.5", "88.5", "023", "NN", "023", "Tone->Tone"}},
      {"None", "100.0", {"Tone", "100.0", "88.5", "023", "NN", "023", "Tone->Tone"}},
      {"123.0", "123.0", {"TSQL", "123.0", "123.0", "023", "NN", "023", "Tone->Tone"}},
      {"D023N", "D023N", {"DTCS", "88.5", "88.5", "023", "NN", "023", "Tone->Tone"}},
      {"D023I", "D023N", {"DTCS", "88.5", "88.5", "023", "NR", "023", "Tone->Tone"}},
      {"D754I", "D754I", {"DTCS", "88.5", "88.5", "754", "RR", "754", "Tone->Tone"}},
      {"123.0", "100.0", {"Cross", "100.0", "123.0", "023", "NN", "023", "Tone->Tone"}},
      {"D023N", "100.0", {"Cross", "100.0", "88.5", "023", "NN", "023", "Tone->DTCS"}},
      {"100.0", "D025N", {"Cross", "88.5", "100.0", "025", "NN", "023", "DTCS->Tone"}},
      {"100.0", "None", {"Cross", "88.5", "100.0", "023", "NN", "023", "->Tone"}},
      {"D754I", "None", {"Cross", "88.5", "88.5", "023", "NR", "754", "->DTCS"}},
      {"None", "D025I", {"Cross", "88.5", "88.5", "025", "RN", "023", "DTCS->"}},
      {"D754I", "D023N", {"Cross", "88.5", "88.5", "023", "NR", "754", "DTCS->DTCS"}},
  };
  const char* const columns[] = {"Tone", "rToneFreq", "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode",
                                 "CrossMode"};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("Rx ") + c.rxTone + ", Tx " + c.txTone);
    const ChannelTexts texts = Row("146.52000", "146.52000", c.rxTone, c.txTone);
    const auto f = ExportedFields(texts);
    std::map<std::string, std::string> line;
    for (std::size_t i = 0; i < 7; ++i) {
      EXPECT_EQ(f.at(columns[i]), c.chirp[i]) << columns[i];
      line[columns[i]] = c.chirp[i];
    }
    EXPECT_EQ(Imported(ChirpLine(line)), texts);
  }
  // Read only: "Tone->" is a Tx tone alone; values a mode does not use are
  // ignored; DTCS takes DtcsCode for Rx where RxDtcsCode is empty or missing;
  // words in any case.
  EXPECT_EQ(Imported(ChirpLine({{"Tone", "Cross"}, {"CrossMode", "Tone->"}, {"rToneFreq", "67.0"}})),
            Row("146.52000", "146.52000", "None", "67.0"));
  EXPECT_EQ(Imported(ChirpLine({{"Tone", "TSQL"}, {"rToneFreq", "xyz"}, {"cToneFreq", "100.0"}})),
            Row("146.52000", "146.52000", "100.0", "100.0"));
  EXPECT_EQ(Imported(ChirpLine({{"Tone", "dtcs"}, {"DtcsCode", "071"}, {"RxDtcsCode", ""}, {"DtcsPolarity", "rn"}})),
            Row("146.52000", "146.52000", "D071N", "D071I"));
  const std::string noRxDtcs = "Location,Frequency,Tone,DtcsCode,DtcsPolarity\n12,146.52,DTCS,371,NN\n";
  EXPECT_EQ(Imported(noRxDtcs), Row("146.52000", "146.52000", "D371N", "D371N"));
  EXPECT_EQ(Imported(ChirpLine({{"Tone", "Tone"}, {"rToneFreq", "100"}})), Row("146.52000", "146.52000", "None", "100.0"));
}

TEST(ChirpCsv, ModeSkipPowerAndName) {
  EXPECT_EQ(Imported(ChirpLine({{"Mode", "NFM"}})), Row("146.52000", "146.52000", "None", "None", "High", "Yes", "Narrow"));
  EXPECT_EQ(Imported(ChirpLine({{"Skip", "S"}})), Row("146.52000", "146.52000", "None", "None", "High", "No"));
  EXPECT_EQ(Imported(ChirpLine({{"Skip", "P"}})), Row("146.52000", "146.52000"));
  const struct {
    const char* power;
    const char* word;
  } powers[] = {{"5.0W", "High"}, {"1.0W", "Low"}, {"2.5W", "High"}, {"2.49W", "Low"}, {"0.5", "Low"},
                {"50W", "High"},  {"low", "Low"},  {"HIGH", "High"},  {"", "High"},    {"4 W", "High"}};
  for (const auto& p : powers) {
    EXPECT_EQ(Imported(ChirpLine({{"Power", p.power}}))[TextIndex(kColPower)], p.word) << p.power;
  }
  EXPECT_EQ(ExportedFields(Row("146.52000", "146.52000", "None", "None", "Low", "No", "Narrow")).at("Power"), "1.0W");
  const auto f = ExportedFields(Row("146.52000", "146.52000", "None", "None", "High", "No", "Narrow", "RPT-1"));
  EXPECT_EQ(f.at("Power"), "5.0W");
  EXPECT_EQ(f.at("Skip"), "S");
  EXPECT_EQ(f.at("Mode"), "NFM");
  EXPECT_EQ(f.at("Name"), "RPT-1");
  EXPECT_EQ(f.at("Location"), "12");
  EXPECT_EQ(f.at("Comment"), "");
  EXPECT_EQ(f.at("DVCODE"), "");

  // Names as the radio stores them; a name stored otherwise is noted.
  const struct {
    const char* written;
    const char* stored;
    bool noted;
  } names[] = {{"W1AW", "W1AW", false}, {"w1aw", "W1AW", true}, {"Repeater 1", "REPEAT", true},
               {"A.B/C", "ABC", true},  {"", "", false}};
  for (const auto& n : names) {
    MemoryTextGrid grid;
    const ChannelListPlan plan = Plan(ChirpLine({{"Name", n.written}}), grid);
    ASSERT_TRUE(plan.refused.empty());
    EXPECT_EQ(plan.rows[12][TextIndex(kColName)], n.stored) << n.written;
    ASSERT_EQ(plan.notes.size(), n.noted ? 1u : 0u) << n.written;
    if (n.noted) {
      EXPECT_EQ(plan.notes[0].Message(),
                "line 2: Name \"" + std::string(n.written) + "\" is stored as \"" + n.stored + "\"");
    }
  }
}

TEST(ChirpCsv, TheStepComesFromTheImage) {
  const char* const steps[] = {"5.00", "6.25", "10.00", "12.50", "25.00"};
  for (int index = 0; index < 5; ++index) {
    RadioImage image = RadioImage::NewDocument();
    image.Set(OptionInfo(OptionField::Step).imageField, static_cast<unsigned>(index));
    EXPECT_EQ(ExportedFields(Row("146.52000", ""), image).at("TStep"), steps[index]);
  }
}

TEST(ChirpCsv, RefusedLinesSayWhy) {
  const struct {
    std::map<std::string, std::string> line;
    const char* reason;
  } cases[] = {
      {{{"Location", "200"}}, "Location \"200\" is not a channel (0 for Pr, 1 to 199)"},
      {{{"Location", "-1"}}, "Location \"-1\" is not a channel"},
      {{{"Location", "Pr"}}, "Location \"Pr\" is not a channel"},
      {{{"Frequency", ""}}, "Frequency \"\" is not a frequency in MHz"},
      {{{"Frequency", "146.52 MHz"}}, "Frequency \"146.52 MHz\" is not a frequency in MHz"},
      {{{"Frequency", "446.00625"}},
       "Out of range,please input again. Rx Frequency 446.00625 is outside the band 136 - 174MHz"},
      {{{"Frequency", "146.521"}},
       "Error data Value, please input according the step value(6.25K/5k). Rx Frequency 146.52100 is not on the "
       "2.5 kHz or 6.25 kHz raster"},
      {{{"Frequency", "173.5"}, {"Duplex", "+"}, {"Offset", "0.600000"}},
       "Out of range,please input again. Tx Frequency 174.10000 is outside the band 136 - 174MHz"},
      {{{"Frequency", "136.5"}, {"Duplex", "-"}, {"Offset", "200"}},
       "Out of range,please input again. Tx Frequency -63.50000 cannot be stored"},
      {{{"Duplex", "+"}, {"Offset", "0.6 MHz"}}, "Offset \"0.6 MHz\" is not a frequency in MHz"},
      {{{"Duplex", "x"}}, "Duplex \"x\" is not one of \"\" (Tx = Rx), +, -, split, off"},
      {{{"Mode", "AM"}}, "Mode \"AM\" cannot be stored: this radio has FM and NFM"},
      {{{"Mode", "DV"}}, "Mode \"DV\" cannot be stored"},
      {{{"Tone", "Tone"}, {"rToneFreq", "88.55"}}, "rToneFreq \"88.55\" is not a tone in Hz (such as 88.5)"},
      {{{"Tone", "TSQL"}, {"cToneFreq", "900.0"}},
       "Rx Tone 900.0 Hz cannot be stored: CTCSS tones lie from 10.0 to 799.9 Hz"},
      {{{"Tone", "DTCS"}, {"DtcsCode", "23a"}}, "DtcsCode \"23a\" is not a DCS code (such as 023)"},
      {{{"Tone", "DTCS"}, {"DtcsCode", "1023"}}, "Tx Tone DCS code 1023 cannot be stored"},
      {{{"Tone", "DTCS"}, {"DtcsPolarity", "NX"}}, "DtcsPolarity \"NX\" is not two letters N (normal) or R (reverse)"},
      {{{"Tone", "Cross"}, {"CrossMode", "Tone-DTCS"}}, "CrossMode \"Tone-DTCS\" is not one of"},
      {{{"Tone", "Cross"}, {"CrossMode", "->"}}, "CrossMode \"->\" is not one of"},
      {{{"Tone", "DTCS-R"}}, "Tone \"DTCS-R\" is not one of"},
      {{{"Skip", "X"}}, "Skip \"X\" is not one of"},
      {{{"Power", "strong"}}, "Power \"strong\" is not High, Low or a power in watts (such as 5.0W)"},
  };
  for (const auto& c : cases) {
    MemoryTextGrid grid;
    const ChannelListPlan plan = Plan(ChirpLine(c.line), grid);
    ASSERT_EQ(plan.refused.size(), 1u) << c.reason;
    EXPECT_EQ(plan.refused[0].line, 2);
    EXPECT_EQ(plan.refused[0].text.rfind(c.reason, 0), 0u) << plan.refused[0].text;
    EXPECT_TRUE(plan.changed.empty()) << c.reason;
  }
}

// A list as they circulate: simplex, repeaters with + and - offsets, TSQL,
// DTCS, narrow channels, some skipped, in no particular order of locations.
std::string FortyChannelList() {
  std::string csv = kHeader + "\n";
  for (int i = 0; i < 40; ++i) {
    const int location = (i * 7) % 200;
    const std::uint32_t rx = 14400000 + static_cast<std::uint32_t>(i) * 10000 + (i % 3 == 0 ? 625 : 0);
    char frequency[32];
    std::snprintf(frequency, sizeof frequency, "%u.%06u", rx / 100000, (rx % 100000) * 10);
    const char* duplex = i % 4 == 1 ? "+" : i % 4 == 2 ? "-" : i % 8 == 3 ? "off" : "";
    const char* offset = (i % 4 == 1 || i % 4 == 2) ? "0.600000" : "0.000000";
    std::string tone = "", r = "88.5", cf = "88.5", dtcs = "023", pol = "NN", rxDtcs = "023", cross = "Tone->Tone";
    switch (i % 5) {
      case 1: tone = "Tone"; r = "100.0"; break;
      case 2: tone = "TSQL"; r = cf = "123.0"; break;
      case 3: tone = "DTCS"; dtcs = rxDtcs = "134"; pol = i % 2 ? "NR" : "NN"; break;
      case 4: if (i % 10 == 4) { tone = "Cross"; r = "67.0"; dtcs = "023"; rxDtcs = "411"; cross = "Tone->DTCS"; } break;
      default: break;
    }
    const std::string name = i % 6 == 5 ? "" : "CH" + std::to_string(i);
    csv += std::to_string(location) + "," + name + "," + frequency + "," + duplex + "," + offset + "," + tone + "," +
           r + "," + cf + "," + dtcs + "," + pol + "," + rxDtcs + "," + cross + "," + (i % 7 == 3 ? "NFM" : "FM") +
           ",25.00," + (i % 9 == 2 ? "S" : "") + "," + (i % 2 ? "1.0W" : "5.0W") + ",,,,,\n";
  }
  return csv;
}

TEST(ChirpCsv, AListOfFortyChannelsGoesInAndComesOutTheSame) {
  const std::string list = FortyChannelList();
  RadioImage image = RadioImage::NewDocument();
  kVhf.Encode(image);
  for (auto lang : {kEn, kZh}) {
    MemoryTextGrid grid;
    DecodeImage(image, grid, lang);
    const ChannelListPlan plan = Plan(list, grid, lang);
    EXPECT_EQ(plan.lines, 40);
    for (const auto& r : plan.refused) ADD_FAILURE() << r.Message();
    EXPECT_TRUE(plan.notes.empty());
    EXPECT_EQ(ApplyChannelListPlan(plan, grid), 40);
    // A few by hand: a repeater with a + offset and a tone, a DTCS channel
    // with reversed Rx polarity, a narrow skipped one.
    const std::string none(TextFor(Text::None, lang));
    auto word = [lang](Text t) { return std::string(TextFor(t, lang)); };
    EXPECT_EQ(RowOf(grid, 7), (ChannelTexts{"144.10000", "144.70000", none, "100.0", word(Text::Low),
                                            word(Text::Unlock), word(Text::Yes), word(Text::Wide), "CH1"}));
    EXPECT_EQ(RowOf(grid, 21), (ChannelTexts{"144.30625", "", "D134I", "D134N", word(Text::Low),
                                             word(Text::Unlock), word(Text::Yes), word(Text::Narrow), "CH3"}));
    EXPECT_EQ(RowOf(grid, 14), (ChannelTexts{"144.20000", "143.60000", "123.0", "123.0", word(Text::High),
                                             word(Text::Unlock), word(Text::No), word(Text::Wide), "CH2"}));

    RadioImage stored = image;
    EncodeImage(grid, kVhf, stored);
    MemoryTextGrid reread;
    DecodeImage(stored, reread, lang);
    // The export writes the list back as it came, in the order of the channels.
    std::vector<std::string> exported = Lines(ExportChirpCsv(reread, stored));
    std::vector<std::string> given = Lines(list);
    EXPECT_EQ(exported.front(), given.front());
    std::sort(exported.begin(), exported.end());
    std::sort(given.begin(), given.end());
    EXPECT_EQ(exported, given);

    // And imported onto the image it came from, it changes nothing.
    const ChannelListPlan again = Plan(ExportChirpCsv(reread, stored), reread, lang);
    EXPECT_TRUE(again.refused.empty());
    EXPECT_TRUE(again.changed.empty());
  }
}

TEST(ChirpCsv, BusyLockStaysAndUnchangedValuesAreNotCheckedAgain) {
  // A used channel outside today's band, locked, with a tone the list does not offer.
  MemoryTextGrid grid;
  SetRow(grid, 5, {"430.12500", "", "D05N", "166.5", "Low", "Lock", "No", "Narrow", "FAR"});
  const std::string exported = ExportChirpCsv(grid, RadioImage::NewDocument());
  const ChannelListPlan same = Plan(exported, grid);
  EXPECT_TRUE(same.refused.empty()) << same.refused[0].Message();
  EXPECT_TRUE(same.changed.empty());

  // Changing only the power keeps every other text, Lock included.
  std::string powered = exported;
  powered.replace(powered.find("1.0W"), 4, "5.0W");
  ChannelListPlan plan = Plan(powered, grid);
  ASSERT_TRUE(plan.refused.empty());
  EXPECT_EQ(plan.rows[5], (ChannelTexts{"430.12500", "", "D05N", "166.5", "High", "Lock", "No", "Narrow", "FAR"}));
  // Changing its frequency checks the band.
  std::string moved = exported;
  moved.replace(moved.find("430.125000"), 10, "430.250000");
  plan = Plan(moved, grid);
  ASSERT_EQ(plan.refused.size(), 1u);
  EXPECT_NE(plan.refused[0].text.find("outside the band 136 - 174MHz"), std::string::npos);
}

TEST(ChirpCsv, FormatIsRecognisedByTheHeader) {
  MemoryTextGrid grid;
  EXPECT_EQ(Plan("location;frequency\n3;\"146,52\"\n", grid).format, ChannelListFormat::Chirp);
  EXPECT_EQ(Plan("\xEF\xBB\xBFLocation,Name,Frequency\r\n3,,146.52\r\n", grid).rows[3][0], "146.52000");
  EXPECT_EQ(Plan("CH,Rx Frequency\n3,146.52\n", grid).format, ChannelListFormat::Torvan);
  // Location alone is no chirp header: our own format then wants CH.
  ChannelListPlan plan;
  const Status s = PlanChannelListImport("Location,Name\n3,A\n", grid, kVhf, kEn, plan);
  EXPECT_EQ(s.error().rfind("line 1: no CH column", 0), 0u) << s.error();
  // Twice the same Location: the second is refused.
  const ChannelListPlan twice = Plan("Location,Frequency\n3,146.52\n3,146.55\n", grid);
  ASSERT_EQ(twice.refused.size(), 1u);
  EXPECT_EQ(twice.refused[0].Message(), "line 3: Location 3 appears twice (also on line 2)");
  EXPECT_EQ(twice.rows[3][0], "146.52000");
}

}  // namespace
}  // namespace torvan
