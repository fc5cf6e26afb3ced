#include "core/product/MainWindowCaption.h"

namespace torvan {
namespace {

std::string Caption(std::string_view name, Text typeLabel, std::string_view type, Text freLabel,
                    const BandLimits& band, DisplayLanguage lang) {
  std::string caption(name);
  caption += TextFor(typeLabel, lang);
  caption += type;
  caption += TextFor(freLabel, lang);
  caption += band.CaptionText();
  caption += TextFor(Text::CaptionClose, lang);
  return caption;
}

}  // namespace

std::string MainWindowCaption(std::string_view appName, std::string_view model, const BandLimits& band,
                              DisplayLanguage lang) {
  return Caption(appName, Text::CaptionType, model, Text::CaptionFre, band, lang);
}

std::string ProductDialogTitle(std::string_view appName, std::string_view typeText, const BandLimits& band,
                               DisplayLanguage lang) {
  return Caption(appName, Text::TitleType, typeText, Text::TitleFre, band, lang);
}

}  // namespace torvan
