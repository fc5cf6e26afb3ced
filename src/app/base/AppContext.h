#pragma once
// The program-wide values that start-up sets and every window reads: the one
// settings store, the language, the help file, the band limits and the port of
// the next transfer. One context exists while the application object lives.

#include <QString>
#include <functional>
#include <memory>
#include <string_view>

#include "core/product/ProductCatalog.h"
#include "core/radio/BandLimits.h"
#include "core/radio/MessageTexts.h"
#include "core/radio/ValueTexts.h"
#include "app/base/StringTable.h"

namespace torvan {

class CIniStore;
class VirtualRadio;

struct AppContext {
  CIniStore* ini = nullptr;  // the one store over Program.ini
  QString programDir;        // the folder of the executable: Program.ini, packs, help
  QString programPath;       // the executable itself (for the restart)
  std::string languageName;  // "Language" of "Setup", unchanged: names the pack and the product texts
  DisplayLanguage language = DisplayLanguage::English;
  QString helpFileName;      // "enHelp.html" or "chHelp.html"
  BandLimits band;           // the program's one set of band limits; the last decode or product dialog sets it
  QString g_strComPort = QStringLiteral("COM1");  // the serial port of the next transfer
  // The virtual radio, once a transfer or COM Setup has asked for it; it runs
  // as long as this context (link/VirtualRadio.h).
  std::shared_ptr<VirtualRadio> virtualRadio;
  StringTable strings;       // the numbered messages of the loaded language pack
  QString messageCaption = QStringLiteral("Torvan");  // caption of message boxes: the company once started
  // Restarts the program after a language change (Program.ini written first).
  std::function<void()> restart;

  // A product text of the section of the language the program started in;
  // "" when missing.
  QString ProductString(ProductText t) const;
  // "AppName" of Program.ini's Setup: the name a new document proposes, the
  // key of the stored port choice; "" when missing.
  QString AppName() const;
  // A text of the two-language vocabulary in the active language.
  QString Text(torvan::Text t) const;
  // A numbered message of the language pack.
  QString Message(MessageId id) const { return strings.Message(id, language); }
};

// The context of the running application. Only valid while a CTorvanApp exists.
AppContext& App();
bool HasApp();

namespace detail {
void SetCurrentApp(AppContext* ctx);
}

}  // namespace torvan
