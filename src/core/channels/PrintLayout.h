#pragma once
// The printed report as data, independent of any painting device. Page 1 lists
// the radio's optional features, the pages after it the used channels, seven
// labelled blocks to a page, and every page ends with the owner line and
// "Page %d of %d".
//
// Coordinates are twips (1/1440 inch) from the top-left corner of the page's
// printable area with y growing UPWARD, so lines further down the page have
// more negative y. Text stands at its top-left corner; nothing is clipped or
// wrapped. A painter turns the items into marks on a printer, a preview or a
// PDF, and measures the fonts for the layout (PrintFontMetrics).

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/channels/TextGrid.h"
#include "core/radio/RadioImage.h"
#include "core/radio/ValueTexts.h"

namespace torvan {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kChannelsPerPage = 7;
inline constexpr int kPageTableSize = 30;  // entry 0 and room for the 29 channel pages of 200 rows
inline constexpr int kOptionPage = 1;

// Both fonts of the report are requested by this face name; the painter's
// font system substitutes a metric-compatible face when it is missing.
inline constexpr std::string_view kPrintFontFace = "Times New Roman";
inline constexpr int kPrintFontWeight = 400;

// Which grid rows the channel pages print. Rebuilt from scratch by every count.
struct PrintPagePlan {
  // Grid rows 1..200 whose column 1 (receive frequency) is not "".
  int m_usedChannels = 0;
  // Entry 0 is 0; entry j >= 1 is the grid row of the (7 x j)-th used row, or
  // 200 when there are fewer used rows. Page p >= 2 prints the rows after
  // m_pageEndRows[p - 2] up to and including m_pageEndRows[p - 1].
  std::array<int, kPageTableSize> m_pageEndRows{};

  PrintPagePlan();  // 0 used channels, entry 0 = 0, entries 1..29 = 200
};

// Recounts `plan` from column 1 of grid rows 1..200 and returns the number of
// channel pages, (used rows + 6) / 7.
int CountChannelPages(const TextGrid& grid, PrintPagePlan& plan);

enum class PrintFontRole { Title, Body };

// A font of the report: "Times New Roman", weight 400, upright, modern family,
// with this character height (em height, not cell height) and average
// character width, both in twips.
struct PrintFontRequest {
  PrintFontRole role = PrintFontRole::Body;
  int characterHeight = 0;
  int averageWidth = 0;

  bool operator==(const PrintFontRequest&) const = default;
};

// Measures the report's fonts on the device that will show them.
class PrintFontMetrics {
 public:
  virtual ~PrintFontMetrics() = default;
  // Text height (ascent + descent) plus external leading of `font`, in twips.
  virtual int LineHeight(const PrintFontRequest& font) const = 0;
};

// The printable area of the device's page: its size in device pixels and the
// device's logical pixels per inch.
struct PrintableArea {
  int widthPixels = 0;
  int heightPixels = 0;
  int dpiX = 0;
  int dpiY = 0;

  // True when every member is positive, i.e. a page can be laid out on it.
  bool IsUsable() const { return widthPixels > 0 && heightPixels > 0 && dpiX > 0 && dpiY > 0; }
};

// The units of one page, in twips, all truncated toward zero.
struct PageMetrics {
  int PH = 0;  // one 45th of the printable height; the title font's character height
  int CW = 0;  // one 66th of the printable width; the column unit and title font width
  int LH = 0;  // line height of the title font
  int LB = 0;  // line height of the body font
  PrintFontRequest title;
  PrintFontRequest body;  // 0.8 of the title font in both directions
};

// Computes PH and CW from `area` and measures LH and LB with `fonts`.
// Throws std::invalid_argument when the area is not usable.
PageMetrics ComputePageMetrics(const PrintableArea& area, const PrintFontMetrics& fonts);

// A text whose top-left corner stands at (x, y).
struct PrintText {
  int x = 0;
  int y = 0;
  PrintFontRole font = PrintFontRole::Body;
  std::string text;

  bool operator==(const PrintText&) const = default;
};

// A horizontal rule from (x1, y) to (x2, y), drawn with the thinnest pen.
struct PrintRule {
  int x1 = 0;
  int x2 = 0;
  int y = 0;

  bool operator==(const PrintRule&) const = default;
};

// Everything on one page; rules are drawn first, then the texts in order.
struct PrintedPage {
  int number = 0;
  int lastPage = 0;
  PageMetrics metrics;
  std::vector<PrintRule> rules;
  std::vector<PrintText> texts;
};

// One line of the option page: its label and the value word from the image.
struct OptionPageLine {
  std::string label;
  std::string value;
};
inline constexpr int kOptionPageLines = 16;

// The 16 lines of the option page (Time Out Timer .. Battery Saver), their
// words in `lang`.
std::array<OptionPageLine, kOptionPageLines> OptionPageLines(const RadioImage& image, DisplayLanguage lang);

// The report of one document. It reads the grid as it stands whenever a page
// is laid out (a channel page recounts the used rows first, since the grid may
// change between pages) and reads the image; it changes neither.
class ReportLayout {
 public:
  // `grid` and `image` must outlive the layout. `ownerLine` is printed at the
  // foot of every page ("" prints nothing there).
  ReportLayout(const TextGrid& grid, const RadioImage& image, std::string ownerLine, DisplayLanguage lang);

  // Counts the channel pages and returns the number of the report's last
  // page: the option page plus the channel pages.
  int PreparePrinting();

  // Recounts the used rows into the plan; returns the number of channel pages.
  int CountChannelPages();
  const PrintPagePlan& plan() const { return plan_; }

  // Lays out page `page` (1 = the option page) of a report whose last page is
  // `lastPage`, on a printable area measured with `fonts`. Throws
  // std::out_of_range for a page outside 1..30 and std::invalid_argument for
  // an unusable area.
  PrintedPage LayOutPage(int page, int lastPage, const PrintableArea& area, const PrintFontMetrics& fonts);

 private:
  void PrintOptionPage(const PageMetrics& pm, PrintedPage& out) const;
  void PrintChannelPage(const PageMetrics& pm, PrintedPage& out);

  const TextGrid& grid_;
  const RadioImage& image_;
  std::string ownerLine_;
  DisplayLanguage lang_;
  PrintPagePlan plan_;
};

}  // namespace torvan
