#include "app/base/AppContext.h"

#include <QDir>
#include <QFileInfo>

#include "core/config/IniStore.h"

namespace torvan {

QString AppContext::ProductString(ProductText t) const {
  return QString::fromStdString(ProductTextValue(ini, languageName, t));
}

QString AppContext::AppName() const { return QString::fromStdString(SetupAppName(ini)); }

void AppContext::SetLanguageName(std::string_view name) {
  const Status moved = MoveStoreToWritableFile(ini, settingsFiles);
  settingsError = moved.error();
  torvan::SetLanguageName(ini, name);
}

QString AppContext::ProgramFile(const QString& name) const {
  for (const QString& folder : programFolders) {
    const QString candidate = QDir(folder).filePath(name);
    if (QFileInfo(candidate).isFile()) return candidate;
  }
  return QDir(programDir).filePath(name);
}

QString AppContext::Text(torvan::Text t) const {
  const std::string_view s = TextFor(t, language);
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString AppContext::HelpFile() const { return ProgramFile(helpFileName); }

}  // namespace torvan
