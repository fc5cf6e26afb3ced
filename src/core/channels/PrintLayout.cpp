#include "core/channels/PrintLayout.h"

#include <initializer_list>
#include <stdexcept>
#include <utility>

#include "core/radio/MemoryMap.h"
#include "core/radio/NumberText.h"
#include "core/radio/OptionCodec.h"

namespace torvan {
namespace {

// The page is divided into 45 rows of PH and 66 columns of CW.
constexpr int kPageHeightDivisions = 45;
constexpr int kPageWidthDivisions = 66;
constexpr double kBodyFontScale = 0.8;

// Vertical places, in lines of the page's fonts.
constexpr int kFooterLine = 36;       // owner line and page number at -36 LH
constexpr int kFunctionLine = 4;      // "Function" at -4 LB on the option page
constexpr int kFirstOptionLine = 5;   // option lines n = 5..20
constexpr int kBlockHeaderLine = 4;   // a channel block's lines n = 4..8
constexpr double kBlockPitch = 5.7;   // blocks stand 5.7 body lines apart

// The double rule under the title, in twips below the second title line.
constexpr int kUpperRuleGap = 50;
constexpr int kLowerRuleGap = 120;

// Columns, in CW.
constexpr int kRuleLeft = 5;
constexpr int kRuleRight = 60;
constexpr int kTitleColumn = 6;
constexpr int kOptionLabelColumn = 9;
constexpr int kOptionValueColumn = 35;
constexpr int kBlockHeaderColumn = 4;
constexpr int kBlockLabelColumn = 5;
constexpr int kBlockValueColumn = 22;
constexpr int kBlockSecondLabelColumn = 36;
constexpr int kBlockSecondValueColumn = 55;
constexpr int kOwnerColumn = 10;
constexpr int kPageNumberColumn = 45;

constexpr std::string_view kPageNumberFormat = "Page %d of %d";

// `format` with its "%d" marks replaced by `numbers` in order.
std::string FormatNumbers(std::string_view format, std::initializer_list<int> numbers) {
  std::string out;
  auto next = numbers.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 'd' && next != numbers.end()) {
      out += std::to_string(*next++);
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

std::string Word(Text t, DisplayLanguage lang) { return std::string(TextFor(t, lang)); }

// 1 -> "On", 0 -> "Off" (or the other way round when `oneMeansOff`).
std::string OnOff(unsigned bit, bool oneMeansOff, DisplayLanguage lang) {
  const bool on = (bit != 0) != oneMeansOff;
  return Word(on ? Text::On : Text::Off, lang);
}

std::string CallToneWord(unsigned v, DisplayLanguage lang) {
  constexpr unsigned kCallTone1750 = 9;
  if (v == 0) return Word(Text::Off, lang);
  if (v == kCallTone1750) return "1750";
  return std::to_string(v);
}

// The word of the option dialog's list that a printed value selects; values
// past the list (a voice sensitivity above 9) print as their number.
std::string ListWord(OptionField f, unsigned v, DisplayLanguage lang) {
  std::string word = OptionListWord(f, OptionIndexOfValue(f, v), lang);
  return word.empty() ? std::to_string(v) : word;
}

// The page names the step bytes in an order of its own, unlike the option
// dialog's list; bytes past the list print "25k".
std::string StepWord(unsigned v) {
  static constexpr const char* kSteps[] = {"5k", "10k", "6.5k", "12.5k"};
  return v < std::size(kSteps) ? kSteps[v] : "25k";
}

std::string BatterySaverWord(unsigned v, DisplayLanguage lang) {
  constexpr double kRatioUnit = 0.2;
  return v == 0 ? Word(Text::Off, lang) : FormatFixed(v * kRatioUnit, 1);
}

}  // namespace

PrintPagePlan::PrintPagePlan() {
  m_pageEndRows.fill(kGridRows - 1);
  m_pageEndRows[0] = 0;
}

int CountChannelPages(const TextGrid& grid, PrintPagePlan& plan) {
  plan = PrintPagePlan();
  int j = 0;
  for (int r = 1; r < kGridRows; ++r) {
    if (grid.TextMatrix(r, kColRxFrequency).empty()) continue;
    ++plan.m_usedChannels;
    if (plan.m_usedChannels % kChannelsPerPage == 0) plan.m_pageEndRows[++j] = r;
  }
  return (plan.m_usedChannels + kChannelsPerPage - 1) / kChannelsPerPage;
}

PageMetrics ComputePageMetrics(const PrintableArea& area, const PrintFontMetrics& fonts) {
  if (!area.IsUsable()) {
    throw std::invalid_argument("printable area " + std::to_string(area.widthPixels) + " x " +
                                std::to_string(area.heightPixels) + " pixels at " + std::to_string(area.dpiX) +
                                " x " + std::to_string(area.dpiY) + " dpi cannot hold a page");
  }
  // 64-bit so that a large device page cannot overflow before the division.
  const long long heightTwips = static_cast<long long>(area.heightPixels) * kTwipsPerInch / area.dpiY;
  const long long widthTwips = static_cast<long long>(area.widthPixels) * kTwipsPerInch / area.dpiX;
  PageMetrics pm;
  pm.PH = static_cast<int>(heightTwips / kPageHeightDivisions);
  pm.CW = static_cast<int>(widthTwips / kPageWidthDivisions);
  pm.title = {PrintFontRole::Title, pm.PH, pm.CW};
  pm.body = {PrintFontRole::Body, static_cast<int>(pm.PH * kBodyFontScale), static_cast<int>(pm.CW * kBodyFontScale)};
  pm.LH = fonts.LineHeight(pm.title);
  pm.LB = fonts.LineHeight(pm.body);
  return pm;
}

std::array<OptionPageLine, kOptionPageLines> OptionPageLines(const RadioImage& image, DisplayLanguage lang) {
  using namespace field;
  return {{
      {Word(Text::PrintTimeOutTimer, lang), ListWord(OptionField::TimeOutTimer, image.Get(kTimeOutTimerPrinted), lang)},
      {Word(Text::PrintSquelchLevel, lang), std::to_string(image.Get(kSquelchLevelPrinted))},
      {Word(Text::PrintBeep, lang), ListWord(OptionField::Beep, image.Get(kBeep), lang)},
      {Word(Text::PrintCallTone, lang), CallToneWord(image.Get(kCallTone), lang)},
      {Word(Text::PrintChannelDisplay, lang), ListWord(OptionField::ChannelDisplay, image.Get(kChannelDisplay), lang)},
      {Word(Text::PrintPriorityScan, lang), ListWord(OptionField::PriorityScan, image.Get(kPriorityScan), lang)},
      {Word(Text::PrintBusy, lang), OnOff(image.Get(kBusy), true, lang)},
      {Word(Text::PrintPriScanningTime, lang),
       ListWord(OptionField::PriScanningTime, image.Get(kPriScanningTimePrinted), lang)},
      {Word(Text::PrintScanMode, lang), ListWord(OptionField::ScanMode, image.Get(kScanMode), lang)},
      {Word(Text::PrintKeypadLock, lang), ListWord(OptionField::KeypadLock, image.Get(kKeypadLock), lang)},
      {"LED", ListWord(OptionField::Led, image.Get(kLed), lang)},
      {Word(Text::PrintMode, lang), ListWord(OptionField::Mode, image.Get(kMode), lang)},
      {Word(Text::Encoder, lang), ListWord(OptionField::AniSwitch, image.Get(kAniSwitch), lang)},
      {Word(Text::PrintVoiceSensitivity, lang),
       ListWord(OptionField::VoiceSensitivity, image.Get(kVoiceSensitivityPrinted), lang)},
      {Word(Text::PrintStep, lang), StepWord(image.Get(kStep))},
      {Word(Text::PrintBatterySaver, lang), BatterySaverWord(image.Get(kBatterySaverRatio), lang)},
  }};
}

ReportLayout::ReportLayout(const TextGrid& grid, const RadioImage& image, std::string ownerLine, DisplayLanguage lang)
    : grid_(grid), image_(image), ownerLine_(std::move(ownerLine)), lang_(lang) {}

int ReportLayout::PreparePrinting() { return CountChannelPages() + kOptionPage; }

int ReportLayout::CountChannelPages() { return torvan::CountChannelPages(grid_, plan_); }

PrintedPage ReportLayout::LayOutPage(int page, int lastPage, const PrintableArea& area, const PrintFontMetrics& fonts) {
  if (page < kOptionPage || page > kPageTableSize) {
    throw std::out_of_range("page " + std::to_string(page) + " is outside the report's pages 1.." +
                            std::to_string(kPageTableSize));
  }
  PrintedPage out;
  out.number = page;
  out.lastPage = lastPage;
  out.metrics = ComputePageMetrics(area, fonts);
  const PageMetrics& pm = out.metrics;

  out.rules.push_back({kRuleLeft * pm.CW, kRuleRight * pm.CW, -2 * pm.LH - kUpperRuleGap});
  out.rules.push_back({kRuleLeft * pm.CW, kRuleRight * pm.CW, -2 * pm.LH - kLowerRuleGap});
  out.rules.push_back({kRuleLeft * pm.CW, kRuleRight * pm.CW, pm.LH / 2 - kFooterLine * pm.LH});

  if (page == kOptionPage) {
    PrintOptionPage(pm, out);
  } else {
    PrintChannelPage(pm, out);
  }

  out.texts.push_back({kOwnerColumn * pm.CW, -kFooterLine * pm.LH, PrintFontRole::Title, ownerLine_});
  out.texts.push_back({kPageNumberColumn * pm.CW, -kFooterLine * pm.LH, PrintFontRole::Title,
                       FormatNumbers(kPageNumberFormat, {page, lastPage})});
  return out;
}

void ReportLayout::PrintOptionPage(const PageMetrics& pm, PrintedPage& out) const {
  out.texts.push_back({kTitleColumn * pm.CW, -pm.LH, PrintFontRole::Title, Word(Text::PrintOption, lang_)});
  out.texts.push_back(
      {kTitleColumn * pm.CW, -kFunctionLine * pm.LB, PrintFontRole::Body, Word(Text::PrintFunction, lang_)});
  int n = kFirstOptionLine;
  for (auto& line : OptionPageLines(image_, lang_)) {
    out.texts.push_back({kOptionLabelColumn * pm.CW, -n * pm.LB, PrintFontRole::Body, std::move(line.label)});
    out.texts.push_back({kOptionValueColumn * pm.CW, -n * pm.LB, PrintFontRole::Body, std::move(line.value)});
    ++n;
  }
}

void ReportLayout::PrintChannelPage(const PageMetrics& pm, PrintedPage& out) {
  CountChannelPages();  // the grid may have changed since the print began
  out.texts.push_back({kTitleColumn * pm.CW, -pm.LH, PrintFontRole::Title, Word(Text::PrintChannel, lang_)});

  const int page = out.number;
  const int firstRow = plan_.m_pageEndRows[page - 2] + 1;
  const int lastRow = plan_.m_pageEndRows[page - 1];
  int k = -1;
  for (int r = firstRow; r <= lastRow; ++r) {
    const std::string rx = grid_.TextMatrix(r, kColRxFrequency);
    if (rx.empty()) continue;
    ++k;
    const int m = k % kChannelsPerPage;
    const int blockTop = static_cast<int>(m * kBlockPitch * pm.LB);
    auto y = [&](int n) { return -n * pm.LB - blockTop; };
    auto cell = [&](int col) { return grid_.TextMatrix(r, col); };
    auto add = [&](int column, int n, std::string text) {
      out.texts.push_back({column * pm.CW, y(n), PrintFontRole::Body, std::move(text)});
    };

    int n = kBlockHeaderLine;
    add(kBlockHeaderColumn, n++, FormatNumbers(TextFor(Text::PrintChannelN, lang_), {ChannelOfRow(r)}));

    add(kBlockLabelColumn, n, Word(Text::PrintReceiveFrequency, lang_));
    add(kBlockValueColumn, n, rx);
    add(kBlockSecondLabelColumn, n, Word(Text::PrintTransceiveFrequency, lang_));
    add(kBlockSecondValueColumn, n++, cell(kColTxFrequency));

    add(kBlockLabelColumn, n, Word(Text::PrintDecode, lang_));
    add(kBlockValueColumn, n, cell(kColRxTone));
    add(kBlockSecondLabelColumn, n, Word(Text::PrintEncode, lang_));
    add(kBlockSecondValueColumn, n++, cell(kColTxTone));

    add(kBlockLabelColumn, n, Word(Text::PrintPower, lang_));
    add(kBlockValueColumn, n, cell(kColPower));
    add(kBlockSecondLabelColumn, n, Word(Text::PrintChannelLock, lang_));
    add(kBlockSecondValueColumn, n++, cell(kColBusyLock));

    add(kBlockLabelColumn, n, Word(Text::PrintChannelName, lang_));
    add(kBlockValueColumn, n, cell(kColName));
  }
}

}  // namespace torvan
