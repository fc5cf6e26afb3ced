#pragma once
// A language pack: the Qt binary resource "<Language>.rcc" beside the program.
// It holds the translation of menus, dialogs and tips, the numbered string
// table, and the pictures (toolbar, tree, close button, sizing cursor,
// background). Loading installs its translators; destruction removes them and
// unregisters the pack.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <memory>
#include <vector>

#include "app/base/StringTable.h"

class QTranslator;

namespace torvan {

class LanguagePack {
 public:
  LanguagePack();
  ~LanguagePack();
  LanguagePack(const LanguagePack&) = delete;
  LanguagePack& operator=(const LanguagePack&) = delete;

  // The pack file of `languageName` in `dir`: "<name>.rcc", found without
  // regard to the case of the name (as the language setting is). "" when none.
  static QString Find(const QString& dir, const QString& languageName);

  // Registers the pack and installs its translations. False when the file is
  // missing or is not a resource pack; nothing is installed then.
  bool Load(const QString& packPath);
  bool IsLoaded() const { return !path_.isEmpty(); }

  // The string table of the pack.
  const StringTable& Strings() const { return strings_; }

  // A picture of the pack by name ("new", "open", "close", "background" ...);
  // a null pixmap when the pack has none of that name.
  static QPixmap Picture(const QString& name);
  static QIcon Icon(const QString& name) { return QIcon(Picture(name)); }
  // The sizing cursor of the navigation bar.
  static QCursor SizingCursor();

 private:
  void Unload();

  QString path_;
  StringTable strings_;
  std::vector<std::unique_ptr<QTranslator>> translators_;
};

}  // namespace torvan
