#pragma once
// The program-wide values that start-up sets and every window reads: the one
// settings store, the language, the help file, the band limits and the port of
// the next transfer. One context exists while the application object lives.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string_view>

#include "core/config/SettingsFiles.h"
#include "core/radio/BandLimits.h"
#include "core/radio/MessageTexts.h"
#include "core/radio/ValueTexts.h"
#include "app/base/StringTable.h"

namespace torvan {

class CIniStore;
class VirtualRadio;

struct AppContext {
  CIniStore* ini = nullptr;  // the one store over Program.ini
  QString programDir;        // the folder of the executable (and of the virtual radio)
  QString programPath;       // the executable itself (for the restart)
  // The folders of the shipped files (Program.ini, packs, help) in the order
  // they are searched: beside the executable, then ../share/torvan.
  QStringList programFolders;
  SettingsFiles settingsFiles;  // the Program.ini read, and where changes go
  std::string settingsError;    // why the store could not move to the per-user copy
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

  // A product text of the active language's section ("Company", "AppName",
  // "About Title", "Version", "Copyrights", "Copyrights Owner"); "" when missing.
  QString ProductText(std::string_view key) const;
  // A value of section "Setup"; "" when missing.
  QString SetupValue(std::string_view key) const;
  // Changes a value of section "Setup". Where changes go to a per-user copy,
  // the store moves there first; when it cannot, the change stays in memory
  // only and settingsError says why.
  void SetSetupValue(std::string_view key, std::string_view value);
  // `name` in the first of programFolders that has it; in programDir when none has.
  QString ProgramFile(const QString& name) const;
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
