#pragma once
// The main window's caption in its two forms: after a document was decoded
// (opened, read from the radio) and after the product dialog's OK. They differ
// in their blanks, and so do the two languages:
//   after a decode   "Torvan  [ Type:TV-1  Fre:400 - 470MHz ]"
//   after the dialog "Torvan [ Type:TV-1 Fre:400 - 470MHz ]"

#include <string>
#include <string_view>

#include "core/radio/BandLimits.h"
#include "core/radio/ValueTexts.h"

namespace torvan {

// name + "  [ Type:" + model + "  Fre:" + "L - UMHz" + " ]" (Chinese fragments under Chinese).
std::string MainWindowCaption(std::string_view appName, std::string_view model, const BandLimits& band,
                              DisplayLanguage lang);

// appName + " [ Type:" + typeText + " Fre:" + "L - UMHz" + " ]" (Chinese fragments under Chinese).
std::string ProductDialogTitle(std::string_view appName, std::string_view typeText, const BandLimits& band,
                               DisplayLanguage lang);

}  // namespace torvan
