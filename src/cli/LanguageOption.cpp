#include "cli/LanguageOption.h"

namespace torvan::cli {

bool ReadLanguageOption(const Args& args, DisplayLanguage& lang, std::string& error) {
  const auto value = args.value(kLanguageOption);
  if (!value || *value == "English") {
    lang = DisplayLanguage::English;
    return true;
  }
  if (*value == "Chinese") {
    lang = DisplayLanguage::Chinese;
    return true;
  }
  error = std::string(kLanguageOption) + " must be English or Chinese, not \"" + *value + "\"";
  return false;
}

}  // namespace torvan::cli
