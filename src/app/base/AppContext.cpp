#include "app/base/AppContext.h"

#include <QDir>
#include <QFileInfo>
#include <cassert>

#include "core/config/IniStore.h"

namespace torvan {
namespace {
AppContext* g_current = nullptr;
}

QString AppContext::ProductText(std::string_view key) const {
  if (!ini) return {};
  return QString::fromStdString(ini->GetValue(languageName, key, ""));
}

QString AppContext::SetupValue(std::string_view key) const {
  if (!ini) return {};
  return QString::fromStdString(ini->GetValue("Setup", key, ""));
}

void AppContext::SetSetupValue(std::string_view key, std::string_view value) {
  if (!ini) return;
  const Status moved = MoveStoreToWritableFile(*ini, settingsFiles);
  settingsError = moved.error();
  ini->SetValue("Setup", key, value);
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

AppContext& App() {
  assert(g_current && "App() used while no application object exists");
  return *g_current;
}

bool HasApp() { return g_current != nullptr; }

namespace detail {
void SetCurrentApp(AppContext* ctx) { g_current = ctx; }
}  // namespace detail

}  // namespace torvan
