#include "core/product/ProductCatalog.h"

#include "core/radio/NumberText.h"

namespace torvan {
namespace {

std::string NumberedKey(std::string_view prefix, int n) { return std::string(prefix) + std::to_string(n); }

constexpr std::string_view kTypeKeyPrefix = "Type";
constexpr std::string_view kFieldKeyPrefix = "Field";

}  // namespace

std::vector<std::string> RadioTypeNames(const CIniStore& ini) {
  std::vector<std::string> names;
  for (int n = 1; n <= kMaxRadioTypes; ++n) {
    std::string name = ini.GetValue(kSetupSection, NumberedKey(kTypeKeyPrefix, n));
    if (name.empty()) break;
    names.push_back(std::move(name));
  }
  return names;
}

std::vector<std::string> BandEntries(const CIniStore& ini, int typeIndex) {
  const std::string value = ini.GetValue(kSetupSection, NumberedKey(kFieldKeyPrefix, typeIndex + 1));
  std::vector<std::string> entries;
  std::size_t start = 0;
  for (std::size_t bar; (bar = value.find(kBandSeparator, start)) != std::string::npos; start = bar + 1) {
    entries.push_back(value.substr(start, bar - start));
  }
  entries.push_back(value.substr(start));
  return entries;
}

std::string RadioModelName(const CIniStore& ini, const RadioImage& image) {
  return ini.GetValue(kSetupSection, NumberedKey(kTypeKeyPrefix, image[map::kRadioType] + 1));
}

std::string LanguageName(const CIniStore& ini) { return ini.GetValue(kSetupSection, kLanguageKey); }

void SetLanguageName(CIniStore& ini, std::string_view name) { ini.SetValue(kSetupSection, kLanguageKey, name); }

bool LanguageCommandShown(const CIniStore& ini) { return AtoI(ini.GetValue(kSetupSection, kShowLanguageKey)) != 0; }

std::string SetupAppName(const CIniStore& ini) { return ini.GetValue(kSetupSection, kAppNameKey); }

std::string_view ProductTextKey(ProductText t) {
  switch (t) {
    case ProductText::AppName: return "AppName";
    case ProductText::Company: return "Company";
    case ProductText::AboutTitle: return "About Title";
    case ProductText::Version: return "Version";
    case ProductText::Copyrights: return "Copyrights";
    case ProductText::CopyrightsOwner: return "Copyrights Owner";
  }
  return {};
}

std::string ProductTextValue(const CIniStore& ini, ProductText t) {
  return ProductTextValue(ini, LanguageName(ini), t);
}

std::string ProductTextValue(const CIniStore& ini, std::string_view languageName, ProductText t) {
  return ini.GetValue(languageName, ProductTextKey(t));
}

}  // namespace torvan
