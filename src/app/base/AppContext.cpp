#include "app/base/AppContext.h"

#include <cassert>

#include "core/config/IniStore.h"

namespace torvan {
namespace {
AppContext* g_current = nullptr;
}

QString AppContext::ProductString(ProductText t) const {
  if (!ini) return {};
  return QString::fromStdString(ProductTextValue(*ini, languageName, t));
}

QString AppContext::AppName() const {
  if (!ini) return {};
  return QString::fromStdString(SetupAppName(*ini));
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
