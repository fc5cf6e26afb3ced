// The printed report as data: page counting, page metrics, the option page's
// words, channel blocks and the footer.

#include "core/channels/PrintLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/radio/MemoryMap.h"

namespace torvan {
namespace {

// Line height = 9/8 of the character height plus a leading that differs by
// role, so that LH and LB cannot be mistaken for each other or for PH.
class FakeFontMetrics : public PrintFontMetrics {
 public:
  int LineHeight(const PrintFontRequest& f) const override {
    asked.push_back(f);
    return f.characterHeight * 9 / 8 + (f.role == PrintFontRole::Title ? 10 : 4);
  }
  mutable std::vector<PrintFontRequest> asked;
};

// 8 x 11 inches at 600 x 300 dpi: 11520 x 15840 twips.
// CW = 11520 / 66 = 174 (174.5), PH = 15840 / 45 = 352.
constexpr PrintableArea kArea{4800, 3300, 600, 300};
constexpr int kCW = 174;
constexpr int kPH = 352;
constexpr int kLH = kPH * 9 / 8 + 10;               // 406
constexpr int kLB = static_cast<int>(kPH * 0.8) * 9 / 8 + 4;  // 281 -> 320

// Fills grid row r as a used channel whose texts name the row.
void UseRow(MemoryTextGrid& grid, int r) {
  const std::string n = std::to_string(r);
  grid.SetTextMatrix(r, kColRxFrequency, "400." + n);
  grid.SetTextMatrix(r, kColTxFrequency, "410." + n);
  grid.SetTextMatrix(r, kColRxTone, "rxtone" + n);
  grid.SetTextMatrix(r, kColTxTone, "txtone" + n);
  grid.SetTextMatrix(r, kColPower, "power" + n);
  grid.SetTextMatrix(r, kColBusyLock, "lock" + n);
  grid.SetTextMatrix(r, kColScanAdd, "scan" + n);
  grid.SetTextMatrix(r, kColBandwidth, "bw" + n);
  grid.SetTextMatrix(r, kColName, "NAME" + n);
}

void EmptyRow(MemoryTextGrid& grid, int r) {
  for (int c = 1; c < kGridCols; ++c) grid.SetTextMatrix(r, c, "");
}

std::vector<int> Rows(int first, int last) {
  std::vector<int> v;
  for (int r = first; r <= last; ++r) v.push_back(r);
  return v;
}

const PrintText* Find(const PrintedPage& page, std::string_view text) {
  const auto it = std::find_if(page.texts.begin(), page.texts.end(), [&](const PrintText& t) { return t.text == text; });
  return it == page.texts.end() ? nullptr : &*it;
}

// The block headers ("Channel %d:", prefix + digits + ":") of a page, in order.
std::vector<PrintText> BlockHeaders(const PrintedPage& page, std::string_view prefix = "Channel ") {
  std::vector<PrintText> v;
  for (const auto& t : page.texts) {
    if (t.text.size() < prefix.size() + 2 || t.text.compare(0, prefix.size(), prefix) != 0 || t.text.back() != ':')
      continue;
    const std::string number = t.text.substr(prefix.size(), t.text.size() - prefix.size() - 1);
    if (std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) v.push_back(t);
  }
  return v;
}

struct Report {
  int lastPage = 0;
  std::vector<PrintedPage> pages;
};

Report LayOutAll(const TextGrid& grid, const RadioImage& image, DisplayLanguage lang = DisplayLanguage::English,
                 std::string owner = "Owner Ltd.") {
  FakeFontMetrics fonts;
  ReportLayout layout(grid, image, std::move(owner), lang);
  Report r;
  r.lastPage = layout.PreparePrinting();
  for (int p = 1; p <= r.lastPage; ++p) r.pages.push_back(layout.LayOutPage(p, r.lastPage, kArea, fonts));
  return r;
}

TEST(PrintPagePlan, CountsUsedRowsIntoPageEnds) {
  struct Case {
    const char* what;
    std::vector<int> usedRows;
    int pages;
    std::vector<int> pageEndsFrom1;  // entries 1.. that are not 200
  };
  std::vector<int> everyOther;
  for (int r = 2; r <= 200; r += 2) everyOther.push_back(r);
  const Case cases[] = {
      {"none", {}, 0, {}},
      {"seven", Rows(1, 7), 1, {7}},
      {"eight", Rows(1, 8), 2, {7}},
      {"only row 200", {200}, 1, {}},
      {"gaps count used rows, not row numbers", {3, 9, 20, 21, 22, 40, 41, 90}, 2, {41}},
      {"every other row", everyOther, 15, {14, 28, 42, 56, 70, 84, 98, 112, 126, 140, 154, 168, 182, 196}},
      {"all 200", Rows(1, 200), 29, [] {
         std::vector<int> v;
         for (int j = 1; j <= 28; ++j) v.push_back(7 * j);
         return v;
       }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryTextGrid grid;
    for (int r : c.usedRows) UseRow(grid, r);
    PrintPagePlan plan;
    plan.m_usedChannels = 99;
    plan.m_pageEndRows.fill(5);  // stale values must not survive a count
    EXPECT_EQ(CountChannelPages(grid, plan), c.pages);
    EXPECT_EQ(plan.m_usedChannels, static_cast<int>(c.usedRows.size()));
    EXPECT_EQ(plan.m_pageEndRows[0], 0);
    for (int j = 1; j < kPageTableSize; ++j) {
      const int expected = j <= static_cast<int>(c.pageEndsFrom1.size()) ? c.pageEndsFrom1[j - 1] : 200;
      EXPECT_EQ(plan.m_pageEndRows[j], expected) << "entry " << j;
    }
  }
}

TEST(PrintPagePlan, ARowIsUsedByItsReceiveFrequencyAlone) {
  MemoryTextGrid grid;
  grid.SetTextMatrix(5, kColTxFrequency, "400.00000");
  grid.SetTextMatrix(6, kColName, "X");
  grid.SetTextMatrix(7, kColRxFrequency, "400.00000");
  PrintPagePlan plan;
  EXPECT_EQ(CountChannelPages(grid, plan), 1);
  EXPECT_EQ(plan.m_usedChannels, 1);
}

TEST(PageMetrics, ComeFromThePrintableAreaInTwips) {
  FakeFontMetrics fonts;
  const PageMetrics pm = ComputePageMetrics(kArea, fonts);
  EXPECT_EQ(pm.PH, kPH);
  EXPECT_EQ(pm.CW, kCW);
  EXPECT_EQ(pm.title, (PrintFontRequest{PrintFontRole::Title, 352, 174}));
  EXPECT_EQ(pm.body, (PrintFontRequest{PrintFontRole::Body, 281, 139}));  // 281.6, 139.2 truncated
  EXPECT_EQ(pm.LH, kLH);
  EXPECT_EQ(pm.LB, kLB);

  // Each division truncates: 1000 px at 300 dpi is 4800 twips; 4800 / 45 = 106.7.
  // 1001 px at 96 dpi is 15015 twips; 15015 / 66 = 227.5.
  const PageMetrics small = ComputePageMetrics({1001, 1000, 96, 300}, fonts);
  EXPECT_EQ(small.PH, 106);
  EXPECT_EQ(small.CW, 227);
  EXPECT_EQ(small.body.characterHeight, 84);  // 84.8
  EXPECT_EQ(small.body.averageWidth, 181);    // 181.6

  // A printer page of 10000 x 14000 pixels at 1200 dpi does not overflow.
  const PageMetrics big = ComputePageMetrics({10000, 14000, 1200, 1200}, fonts);
  EXPECT_EQ(big.PH, 14000 * 1440 / 1200 / 45);
  EXPECT_EQ(big.CW, 10000 * 1440 / 1200 / 66);
}

TEST(PageMetrics, RefuseAnAreaWithoutSizeOrResolution) {
  FakeFontMetrics fonts;
  for (const PrintableArea& a : {PrintableArea{0, 100, 96, 96}, PrintableArea{100, 0, 96, 96},
                                 PrintableArea{100, 100, 0, 96}, PrintableArea{100, 100, 96, -1}}) {
    EXPECT_THROW(ComputePageMetrics(a, fonts), std::invalid_argument);
  }
}

TEST(ReportLayout, PagesForZeroSevenAndEightChannels) {
  const RadioImage image = RadioImage::NewDocument();
  struct Case {
    int used;
    int lastPage;
    std::vector<int> blocksPerChannelPage;
  };
  for (const Case& c : {Case{0, 1, {}}, Case{7, 2, {7}}, Case{8, 3, {7, 1}}, Case{14, 3, {7, 7}},
                        Case{200, 30, {}}}) {
    SCOPED_TRACE(c.used);
    MemoryTextGrid grid;
    for (int r = 1; r <= c.used; ++r) UseRow(grid, r);
    const Report rep = LayOutAll(grid, image);
    ASSERT_EQ(rep.lastPage, c.lastPage);
    int printed = 0;
    for (std::size_t i = 0; i < rep.pages.size(); ++i) {
      const PrintedPage& page = rep.pages[i];
      const std::string footer = "Page " + std::to_string(i + 1) + " of " + std::to_string(c.lastPage);
      const PrintText* f = Find(page, footer);
      ASSERT_NE(f, nullptr) << footer;
      EXPECT_EQ(f->x, 45 * kCW);
      EXPECT_EQ(f->y, -36 * kLH);
      EXPECT_EQ(f->font, PrintFontRole::Title);
      const auto blocks = BlockHeaders(page);
      if (i == 0) {
        EXPECT_TRUE(blocks.empty());
        continue;
      }
      if (!c.blocksPerChannelPage.empty()) {
        EXPECT_EQ(static_cast<int>(blocks.size()), c.blocksPerChannelPage[i - 1]) << "page " << i + 1;
      }
      for (const auto& b : blocks) EXPECT_EQ(b.text, "Channel " + std::to_string(printed++) + ":");
    }
    EXPECT_EQ(printed, c.used) << "every used channel is printed once, in order";
  }
}

TEST(ReportLayout, BlocksStandAtTheirSlotOfSeven) {
  MemoryTextGrid grid;
  for (int r = 1; r <= 8; ++r) UseRow(grid, r);
  const Report rep = LayOutAll(grid, RadioImage::NewDocument());
  ASSERT_EQ(rep.pages.size(), 3u);
  const auto page2 = BlockHeaders(rep.pages[1]);
  ASSERT_EQ(page2.size(), 7u);
  for (int m = 0; m < 7; ++m) {
    EXPECT_EQ(page2[m].x, 4 * kCW);
    // y(4) = -4 LB - trunc(m x 5.7 x LB); LB = 320 makes 5.7 x LB = 1824 exactly,
    // so check an uneven one separately below.
    EXPECT_EQ(page2[m].y, -4 * kLB - static_cast<int>(m * 5.7 * kLB)) << "m = " << m;
  }
  // The eighth channel opens the third page at the top slot (m = 0).
  const auto page3 = BlockHeaders(rep.pages[2]);
  ASSERT_EQ(page3.size(), 1u);
  EXPECT_EQ(page3[0].text, "Channel 7:");
  EXPECT_EQ(page3[0].y, -4 * kLB);
}

TEST(ReportLayout, BlockLinesAndColumns) {
  // A body line height of 123 twips makes the slot offsets uneven:
  // 5.7 x 123 = 701.1 and 3 x 5.7 x 123 = 2103.3.
  class Metrics : public PrintFontMetrics {
   public:
    int LineHeight(const PrintFontRequest& f) const override { return f.role == PrintFontRole::Body ? 123 : 150; }
  } fonts;
  MemoryTextGrid grid;
  for (int r : {10, 20, 30, 40}) UseRow(grid, r);
  ReportLayout layout(grid, RadioImage::NewDocument(), "", DisplayLanguage::English);
  const int last = layout.PreparePrinting();
  ASSERT_EQ(last, 2);
  const PrintedPage page = layout.LayOutPage(2, last, kArea, fonts);
  const int LB = 123;

  struct Expect {
    std::string text;
    int column;
    int line;
  };
  const int m = 3;  // row 40 is the fourth used row
  const int top = 2103;
  const Expect expected[] = {
      {"Channel 39:", 4, 4},
      {"Receive Frequency:", 5, 5},  {"400.40", 22, 5}, {"Transceive Frequency:", 36, 5}, {"410.40", 55, 5},
      {"QT/DQT Decode:", 5, 6},      {"rxtone40", 22, 6}, {"QT/DQT Encode:", 36, 6},     {"txtone40", 55, 6},
      {"Power:", 5, 7},              {"power40", 22, 7}, {"Channel Lock:", 36, 7},       {"lock40", 55, 7},
      {"Channel Name:", 5, 8},       {"NAME40", 22, 8},
  };
  ASSERT_EQ(static_cast<int>(m * 5.7 * LB), top);
  for (const auto& e : expected) {
    // Labels repeat in every block: take the one at this block's line.
    const auto it = std::find_if(page.texts.begin(), page.texts.end(), [&](const PrintText& t) {
      return t.text == e.text && t.y == -e.line * LB - top;
    });
    ASSERT_NE(it, page.texts.end()) << e.text;
    EXPECT_EQ(it->x, e.column * kCW) << e.text;
    EXPECT_EQ(it->font, PrintFontRole::Body) << e.text;
  }
  const auto second = std::find_if(page.texts.begin(), page.texts.end(),
                                   [](const PrintText& t) { return t.text == "Channel 19:"; });
  ASSERT_NE(second, page.texts.end());
  EXPECT_EQ(second->y, -4 * LB - 701);

  // Scan add and bandwidth are not printed.
  for (const auto& t : page.texts) {
    EXPECT_EQ(t.text.find("scan"), std::string::npos) << t.text;
    EXPECT_EQ(t.text.find("bw"), std::string::npos) << t.text;
  }
}

TEST(ReportLayout, BlocksAreNumberedByRowLabel) {
  struct Case {
    int row;
    const char* header;
  };
  for (const Case& c : {Case{1, "Channel 0:"}, Case{2, "Channel 1:"}, Case{200, "Channel 199:"}}) {
    MemoryTextGrid grid;
    UseRow(grid, c.row);
    const Report rep = LayOutAll(grid, RadioImage::NewDocument());
    ASSERT_EQ(rep.lastPage, 2) << c.header;
    const auto blocks = BlockHeaders(rep.pages[1]);
    ASSERT_EQ(blocks.size(), 1u) << c.header;
    EXPECT_EQ(blocks[0].text, c.header);
    EXPECT_EQ(blocks[0].y, -4 * kLB);
  }
}

TEST(ReportLayout, ThirtyChannelsThenTenPrintTwoChannelPages) {
  MemoryTextGrid grid;
  for (int r = 1; r <= 30; ++r) UseRow(grid, r);
  const RadioImage image = RadioImage::NewDocument();
  EXPECT_EQ(LayOutAll(grid, image).lastPage, 6);
  for (int r = 1; r <= 30; ++r) {
    if (r % 3 != 0) EmptyRow(grid, r);
  }
  const Report rep = LayOutAll(grid, image);
  ASSERT_EQ(rep.lastPage, 3);
  std::vector<std::string> printed;
  for (std::size_t p = 1; p < rep.pages.size(); ++p) {
    for (const auto& b : BlockHeaders(rep.pages[p])) printed.push_back(b.text);
  }
  std::vector<std::string> expected;
  for (int r = 3; r <= 30; r += 3) expected.push_back("Channel " + std::to_string(r - 1) + ":");
  EXPECT_EQ(printed, expected);
}

TEST(ReportLayout, AChannelPageRecountsTheGridItPrints) {
  // The print starts with rows 1..14 (three pages); before page 2 is drawn the
  // first seven rows are emptied. Page 2 must print what the grid now holds.
  MemoryTextGrid grid;
  for (int r = 1; r <= 14; ++r) UseRow(grid, r);
  FakeFontMetrics fonts;
  ReportLayout layout(grid, RadioImage::NewDocument(), "", DisplayLanguage::English);
  const int last = layout.PreparePrinting();
  ASSERT_EQ(last, 3);
  for (int r = 1; r <= 7; ++r) EmptyRow(grid, r);
  const auto page2 = BlockHeaders(layout.LayOutPage(2, last, kArea, fonts));
  ASSERT_EQ(page2.size(), 7u);
  EXPECT_EQ(page2.front().text, "Channel 7:");
  EXPECT_EQ(page2.back().text, "Channel 13:");
  EXPECT_TRUE(BlockHeaders(layout.LayOutPage(3, last, kArea, fonts)).empty());
  EXPECT_EQ(layout.plan().m_usedChannels, 7);
}

TEST(ReportLayout, RulesTitlesAndFooter) {
  MemoryTextGrid grid;
  UseRow(grid, 5);
  const Report rep = LayOutAll(grid, RadioImage::NewDocument(), DisplayLanguage::English, "ACME Radio");
  ASSERT_EQ(rep.pages.size(), 2u);
  const std::vector<PrintRule> rules = {
      {5 * kCW, 60 * kCW, -2 * kLH - 50},
      {5 * kCW, 60 * kCW, -2 * kLH - 120},
      {5 * kCW, 60 * kCW, kLH / 2 - 36 * kLH},
  };
  for (const auto& page : rep.pages) {
    SCOPED_TRACE(page.number);
    EXPECT_EQ(page.rules, rules);
    const PrintText* owner = Find(page, "ACME Radio");
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(*owner, (PrintText{10 * kCW, -36 * kLH, PrintFontRole::Title, "ACME Radio"}));
  }
  EXPECT_EQ(*Find(rep.pages[0], "Option"), (PrintText{6 * kCW, -kLH, PrintFontRole::Title, "Option"}));
  EXPECT_EQ(*Find(rep.pages[0], "Function"), (PrintText{6 * kCW, -4 * kLB, PrintFontRole::Body, "Function"}));
  EXPECT_EQ(*Find(rep.pages[1], "Channel"), (PrintText{6 * kCW, -kLH, PrintFontRole::Title, "Channel"}));
  EXPECT_EQ(Find(rep.pages[1], "Option"), nullptr);
}

TEST(ReportLayout, PagesOutsideTheTableAreRefused) {
  MemoryTextGrid grid;
  FakeFontMetrics fonts;
  ReportLayout layout(grid, RadioImage::NewDocument(), "", DisplayLanguage::English);
  EXPECT_THROW(layout.LayOutPage(0, 1, kArea, fonts), std::out_of_range);
  EXPECT_THROW(layout.LayOutPage(31, 31, kArea, fonts), std::out_of_range);
  // A page past the channels (the grid emptied during the print) has no blocks.
  EXPECT_TRUE(BlockHeaders(layout.LayOutPage(30, 30, kArea, fonts)).empty());
}

TEST(OptionPage, LinesStandInTwoColumns) {
  const Report rep = LayOutAll(MemoryTextGrid(), RadioImage::NewDocument());
  const auto lines = OptionPageLines(RadioImage::NewDocument(), DisplayLanguage::English);
  const PrintedPage& page = rep.pages[0];
  for (int i = 0; i < kOptionPageLines; ++i) {
    const int y = -(5 + i) * kLB;
    const auto at = [&](int x) {
      return std::find_if(page.texts.begin(), page.texts.end(),
                          [&](const PrintText& t) { return t.x == x && t.y == y; });
    };
    const auto label = at(9 * kCW);
    const auto value = at(35 * kCW);
    ASSERT_NE(label, page.texts.end()) << i;
    ASSERT_NE(value, page.texts.end()) << i;
    EXPECT_EQ(label->text, lines[i].label);
    EXPECT_EQ(value->text, lines[i].value);
  }
}

TEST(OptionPage, NewDocumentReadsAsItsDefaults) {
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Time Out Timer:", "1"}, {"Squelch Level:", "5"},  {"Beep:", "On"},          {"Call Tone:", "1"},
      {"Channel Display:", "Off"}, {"Priority Scan:", "Off"}, {"Busy", "Off"},     {"Pri-Scanning Time:", "3s"},
      {"Scan Mode:", "CO"},     {"Keypad Lock:", "Manual"}, {"LED", "Auto"},       {"Mode:", "Frequency"},
      {"Encoder", "Off"},       {"Voice Sensitivity:", "Off"}, {"Step:", "25k"},  {"Battery Saver:", "0.4"},
  };
  const auto lines = OptionPageLines(RadioImage::NewDocument(), DisplayLanguage::English);
  for (int i = 0; i < kOptionPageLines; ++i) {
    EXPECT_EQ(lines[i].label, expected[i].first) << i;
    EXPECT_EQ(lines[i].value, expected[i].second) << expected[i].first;
  }
}

TEST(OptionPage, ValueWordsFromTheirBits) {
  struct Case {
    std::uint16_t offset;
    std::uint8_t byte;
    int line;  // 0 = Time Out Timer .. 15 = Battery Saver
    const char* value;
  };
  const Case cases[] = {
      {0x1FC3, 0x00, 0, "Off"},  {0x1FC3, 0x02, 0, "3"},   {0x1FC3, 0x03, 0, "10"},  {0x1FC3, 0xF1, 0, "1"},
      {0x1FC1, 0x09, 1, "9"},    {0x1FC1, 0x35, 1, "5"},   {0x1FC1, 0x0C, 1, "12"},
      {0x1FC0, 0xFE, 2, "Off"},  {0x1FC0, 0x01, 2, "On"},
      {0x1FE5, 0x00, 3, "Off"},  {0x1FE5, 0x09, 3, "1750"}, {0x1FE5, 0xF9, 3, "1750"}, {0x1FE5, 0x0F, 3, "15"},
      {0x1FE1, 0x80, 4, "Off"},  {0x1FE1, 0x7F, 4, "On"},
      {0x1FE2, 0x40, 5, "On"},   {0x1FE2, 0xBF, 5, "Off"},
      {0x1FE1, 0x40, 6, "Off"},  {0x1FE1, 0xBF, 6, "On"},
      {0x1FE7, 0x01, 7, "5s"},   {0x1FE7, 0x02, 7, "8s"},  {0x1FE7, 0xFF, 7, "10s"},
      {0x1FE1, 0x00, 8, "SE"},   {0x1FE1, 0x20, 8, "TO"},  {0x1FE1, 0x30, 8, "TO"},
      {0x1FE1, 0x02, 9, "Auto"}, {0x1FE1, 0xFD, 9, "Manual"},
      {0x1FE1, 0x00, 10, "Off"}, {0x1FE1, 0x08, 10, "On"}, {0x1FE1, 0x0C, 10, "On"},
      {0x1FE2, 0x00, 11, "Channel"}, {0x1FE2, 0x02, 11, "Memory"}, {0x1FE2, 0x03, 11, "Memory"},
      {0x1FE2, 0x20, 12, "On"},  {0x1FE2, 0xDF, 12, "Off"},
      {0x1FE4, 0x09, 13, "9"},   {0x1FE4, 0x20, 13, "Off"}, {0x1FE4, 0x3F, 13, "31"},
      {0x1FE0, 0x00, 14, "5k"},  {0x1FE0, 0x01, 14, "10k"}, {0x1FE0, 0x02, 14, "6.5k"},
      {0x1FE0, 0x03, 14, "12.5k"}, {0x1FE0, 0x05, 14, "25k"}, {0x1FE0, 0xFF, 14, "25k"},
      {0x1FE6, 0x00, 15, "Off"}, {0x1FE6, 0x01, 15, "0.2"}, {0x1FE6, 0x05, 15, "1.0"},
      {0x1FE6, 0x07, 15, "1.4"}, {0x1FE6, 0xF8, 15, "Off"}, {0x1FE6, 0xFB, 15, "0.6"},
  };
  for (const auto& c : cases) {
    RadioImage image = RadioImage::NewDocument();
    image[c.offset] = c.byte;
    const auto lines = OptionPageLines(image, DisplayLanguage::English);
    EXPECT_EQ(lines[c.line].value, c.value) << std::hex << "byte 0x" << c.offset << " = 0x" << int(c.byte);
  }
}

TEST(ChineseReport, LabelsAndWordsInChinese) {
  RadioImage image = RadioImage::NewDocument();
  image[0x1FE2] = 0x02;  // Mode "Memory"
  const auto lines = OptionPageLines(image, DisplayLanguage::Chinese);
  EXPECT_EQ(lines[0].label, "超时定时器:");
  EXPECT_EQ(lines[2].value, "开");
  EXPECT_EQ(lines[4].value, "关");
  EXPECT_EQ(lines[6].label, "繁忙:");
  EXPECT_EQ(lines[9].value, "手动");
  EXPECT_EQ(lines[10].label, "LED");
  EXPECT_EQ(lines[10].value, "自动");
  EXPECT_EQ(lines[11].value, "存储");
  EXPECT_EQ(lines[12].label, "编码器");
  EXPECT_EQ(lines[14].value, "25k");
  EXPECT_EQ(lines[15].value, "0.4");

  MemoryTextGrid grid;
  UseRow(grid, 1);
  UseRow(grid, 12);
  const Report rep = LayOutAll(grid, image, DisplayLanguage::Chinese);
  ASSERT_EQ(rep.pages.size(), 2u);
  EXPECT_NE(Find(rep.pages[0], "可选功能"), nullptr);
  EXPECT_NE(Find(rep.pages[0], "功能"), nullptr);
  EXPECT_EQ(Find(rep.pages[0], "Option"), nullptr);
  const PrintedPage& channels = rep.pages[1];
  EXPECT_NE(Find(channels, "信道"), nullptr);
  const auto blocks = BlockHeaders(channels, "信道");
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].text, "信道0:");
  EXPECT_EQ(blocks[1].text, "信道11:");
  for (const char* label : {"接收频率:", "发射频率:", "QT/DQT解码:", "QT/DQT编码:", "功率:", "信道锁定:", "信道名字:"})
    EXPECT_NE(Find(channels, label), nullptr) << label;
  // The page number reads the same in both languages.
  EXPECT_NE(Find(channels, "Page 2 of 2"), nullptr);
}

}  // namespace
}  // namespace torvan
