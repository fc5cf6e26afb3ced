#pragma once
// The program-wide values that start-up sets and every window reads: the one
// settings store, the language, the help file, the band limits, the texts of
// the language pack. The application object owns the one context and hands it
// to the main window, which hands it on to every window it makes; it outlives
// them all.

#include <QString>
#include <QStringList>
#include <functional>
#include <string>

#include "app/base/StringTable.h"
#include "core/config/SettingsFiles.h"
#include "core/product/ProductCatalog.h"
#include "core/radio/BandLimits.h"
#include "core/radio/MessageTexts.h"
#include "core/radio/ValueTexts.h"

namespace torvan {

class CIniStore;

struct AppContext {
  AppContext(CIniStore& store, QString dir, QString path)
      : ini(store), programDir(std::move(dir)), programPath(std::move(path)) {}
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  CIniStore& ini;             // the one store over Program.ini
  const QString programDir;   // the folder of the executable (and of the virtual radio)
  const QString programPath;  // the executable itself (for the restart)
  // The folders of the shipped files (Program.ini, packs, help) in the order
  // they are searched: beside the executable, then ../share/torvan.
  QStringList programFolders;
  SettingsFiles settingsFiles;  // the Program.ini read, and where changes go
  std::string settingsError;    // why the store could not move to the per-user copy
  std::string languageName;  // "Language" of "Setup", unchanged: names the pack and the product texts
  DisplayLanguage language = DisplayLanguage::English;
  QString helpFileName;      // "enHelp.html" or "chHelp.html"
  BandLimits band;           // the program's one set of band limits; the last decode or product dialog sets it
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
  // Stores the language of the next start. Where changes go to a per-user
  // copy, the store moves there first; when it cannot, the change stays in
  // memory only and settingsError says why.
  void SetLanguageName(std::string_view name);
  // `name` in the first of programFolders that has it; in programDir when none has.
  QString ProgramFile(const QString& name) const;
  // A text of the two-language vocabulary in the active language.
  QString Text(torvan::Text t) const;
  // A numbered message of the language pack.
  QString Message(MessageId id) const { return strings.Message(id, language); }
  // The help file of the active language, where the shipped files lie.
  QString HelpFile() const;
};

}  // namespace torvan
