#include "app/base/AppContext.h"

#include <QDir>

#include "core/config/IniStore.h"

namespace torvan {

QString AppContext::ProductString(ProductText t) const {
  return QString::fromStdString(ProductTextValue(ini, languageName, t));
}

QString AppContext::AppName() const { return QString::fromStdString(SetupAppName(ini)); }

QString AppContext::Text(torvan::Text t) const {
  const std::string_view s = TextFor(t, language);
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString AppContext::HelpFile() const { return QDir(programDir).filePath(helpFileName); }

}  // namespace torvan
