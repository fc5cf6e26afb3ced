#pragma once
// The --lang option of the verbs that write texts: English or Chinese.

#include <string>

#include "cli/CliCommand.h"
#include "core/radio/ValueTexts.h"

namespace torvan::cli {

inline constexpr const char* kLanguageOption = "--lang";

// The language named by --lang: "English" or "Chinese" exactly; English when
// the option is absent. Any other value: false, with `error` set.
bool ReadLanguageOption(const Args& args, DisplayLanguage& lang, std::string& error);

}  // namespace torvan::cli
