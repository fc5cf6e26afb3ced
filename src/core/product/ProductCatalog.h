#pragma once
// The radio types, their bands and the product texts that Program.ini holds.
//
//   [Setup]
//   Language=English            names the section of product texts below
//   ShowLang=1                  0, empty or not a number: no Setup > Language command
//   AppName=...                 new-document name, port-setting key
//   Type1=...  .. Type19=...    radio types; the list ends at the first empty one
//   Field1=136-174MHz|400-470MHz   the bands of Type1, separated by "|"
//   [English]
//   AppName=... Company=... "About Title"=... Version=... Copyrights=... "Copyrights Owner"=...

#include <string>
#include <string_view>
#include <vector>

#include "core/config/IniStore.h"
#include "core/radio/RadioImage.h"

namespace torvan {

inline constexpr std::string_view kSetupSection = "Setup";
inline constexpr std::string_view kLanguageKey = "Language";
inline constexpr std::string_view kAppNameKey = "AppName";
inline constexpr std::string_view kShowLanguageKey = "ShowLang";
inline constexpr int kMaxRadioTypes = 19;
inline constexpr char kBandSeparator = '|';

// The names of keys Type1, Type2, ... of section Setup, up to Type19, ending
// before the first empty or missing one. Entry i is radio type index i.
std::vector<std::string> RadioTypeNames(const CIniStore& ini);

// The band entries offered for radio type index `typeIndex` (key Field with
// typeIndex + 1): the value split at every "|", entries not trimmed. An empty
// or missing value gives one empty entry.
std::vector<std::string> BandEntries(const CIniStore& ini, int typeIndex);

// The radio type name of an image for the window caption: key Type%d with the
// image's type byte + 1; empty when missing.
std::string RadioModelName(const CIniStore& ini, const RadioImage& image);

// The value of "Language" in section Setup, unchanged.
std::string LanguageName(const CIniStore& ini);
// Stores `name` as the "Language" of section Setup (read at the next start).
void SetLanguageName(CIniStore& ini, std::string_view name);

// Whether the Setup menu offers the Language command: "ShowLang" of section
// Setup read as a whole number (as atoi reads it) is not 0. Missing, empty or
// not a number hides the command.
bool LanguageCommandShown(const CIniStore& ini);

// The "AppName" of section Setup (new-document name, port-setting key).
std::string SetupAppName(const CIniStore& ini);

enum class ProductText { AppName, Company, AboutTitle, Version, Copyrights, CopyrightsOwner };

// The key of a product text: "AppName", "Company", "About Title", "Version",
// "Copyrights", "Copyrights Owner".
std::string_view ProductTextKey(ProductText t);

// A product text from the section named by the language (the "Language" value
// of Setup); empty when missing.
std::string ProductTextValue(const CIniStore& ini, ProductText t);
// The same from the section `languageName` (the language a program started
// with, or one chosen on a command line).
std::string ProductTextValue(const CIniStore& ini, std::string_view languageName, ProductText t);

}  // namespace torvan
