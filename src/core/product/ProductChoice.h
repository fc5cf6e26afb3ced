#pragma once
// The rules of the product information dialog: which entries its two lists
// show, which entries it selects when it opens, and what its OK does to the
// image's radio type byte and the program's band limits.

#include <string>
#include <string_view>
#include <vector>

#include "core/config/IniStore.h"
#include "core/files/Status.h"
#include "core/radio/BandLimits.h"
#include "core/radio/RadioImage.h"
#include "core/radio/ValueTexts.h"

namespace torvan {

// The highest band edge the three decimal digits of the image can hold.
inline constexpr int kMaxBandEdgeMHz = 999;

// Reads a band entry the way the pattern "%d-%dMHz" of C's sscanf does: blanks
// before each number are skipped, a number may carry a sign, the two must be
// separated by exactly "-". Reading stops at the first field that cannot be
// read; an edge that was not read keeps its value. Returns the number of edges
// read (0, 1 or 2). Numbers too large for an int saturate.
int ParseBandEntry(std::string_view text, int& lower, int& upper);

// True for the custom-band entry "Customize" in either language.
bool IsCustomEntry(std::string_view fieldText);

// The "Field" list of radio type index `typeIndex`: its band entries, then the
// custom entry in the given language.
std::vector<std::string> FieldListEntries(const CIniStore& ini, int typeIndex, DisplayLanguage lang);

// The "Type" entry the dialog selects when it opens: the image's type byte
// when the list has such an entry, else 0.
int InitialTypeSelection(int typeCount, const RadioImage& image);

// The "Field" entry the dialog selects for the current band when it opens: the
// first entry that begins with "L-UMHz" (letters compared without regard to
// case), searching from entry 1 to the end and then entry 0. -1 when none does;
// the dialog then selects the custom entry and shows the band in its edits.
int FindBandEntry(const std::vector<std::string>& entries, const BandLimits& band);

// What the user chose when pressing OK.
struct ProductChoice {
  int typeIndex = 0;      // selected "Type" entry; -1 when none is selected
  std::string fieldText;  // the text of the "Field" box: a band entry or the custom entry
  int customLower = 400;  // the lower and upper edge edits (MHz), used for the custom entry
  int customUpper = 470;
};

// The dialog's OK. A band entry is read into `band` as ParseBandEntry reads it
// (edges it cannot read stay); the custom entry takes the two edits. Then the
// type index (0 when none is selected) goes into the image's type byte.
//
// Nothing changes when the choice is refused: a custom band whose upper edge is
// below its lower edge gives the "Frequency input error" text of `lang`; an
// edge outside 0..999 MHz (which the band bytes cannot hold) and a type index
// that the type byte cannot hold give an error that names them.
Status ApplyProductChoice(const ProductChoice& choice, DisplayLanguage lang, RadioImage& image, BandLimits& band);

}  // namespace torvan
