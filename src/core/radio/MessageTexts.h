#pragma once
// The numbered messages of the string table. The desktop program takes them
// from its language pack; the core and the command line use this table, which
// holds the same texts.

#include <string_view>

#include "core/radio/ValueTexts.h"

namespace torvan {

enum class MessageId : int {
  OutOfRange = 61448,          // a frequency lies outside the band
  CommunicationError = 61451,  // handshake failed: Retry / Cancel
  AllDataCleared = 61452,      // File > New confirmation
  CouldNotOpenPort = 61453,
  ProgramInterrupt = 61454,    // transfer broken off
  ErrorDataValue = 61456,      // a frequency lies on neither channel raster
  Caution = 61458,             // caption of the cell-check warnings
};

// The message in the given language (UTF-8).
std::string_view MessageText(MessageId id, DisplayLanguage lang);

// Every id of the table, for packs and tests that need the whole table.
inline constexpr MessageId kAllMessageIds[] = {
    MessageId::OutOfRange,       MessageId::CommunicationError, MessageId::AllDataCleared,
    MessageId::CouldNotOpenPort, MessageId::ProgramInterrupt,   MessageId::ErrorDataValue,
    MessageId::Caution,
};

}  // namespace torvan
