#include "app/shell/RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <utility>

#include "app/link/PortSetting.h"

namespace torvan {
namespace {

constexpr const char* kGroup = "Recent File List";
constexpr const char* kValuePrefix = "File";

QString ValueName(int index) { return QLatin1String(kValuePrefix) + QString::number(index + 1); }

// File names compare as the file system does.
constexpr Qt::CaseSensitivity kFileNameCase =
#ifdef Q_OS_WIN
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

}  // namespace

RecentFileList::RecentFileList(QString appName) : m_appName(std::move(appName)) {
  const auto key = OpenUserKey(m_appName);
  key->beginGroup(QLatin1String(kGroup));
  for (int i = 0; i < kMaxFiles; ++i) {
    const QString path = key->value(ValueName(i)).toString();
    if (!path.isEmpty() && IndexOf(path) < 0) m_paths << path;
  }
}

int RecentFileList::IndexOf(const QString& path) const {
  for (int i = 0; i < m_paths.size(); ++i)
    if (m_paths.at(i).compare(path, kFileNameCase) == 0) return i;
  return -1;
}

void RecentFileList::Add(const QString& path) {
  const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  if (const int i = IndexOf(full); i >= 0) m_paths.removeAt(i);
  m_paths.prepend(full);
  while (m_paths.size() > kMaxFiles) m_paths.removeLast();
  Store();
}

void RecentFileList::Remove(const QString& path) {
  const int i = IndexOf(path);
  if (i < 0) return;
  m_paths.removeAt(i);
  Store();
}

void RecentFileList::Store() const {
  const auto key = OpenUserKey(m_appName);
  key->beginGroup(QLatin1String(kGroup));
  for (int i = 0; i < kMaxFiles; ++i) {
    if (i < m_paths.size()) key->setValue(ValueName(i), m_paths.at(i));
    else key->remove(ValueName(i));
  }
  key->endGroup();
  key->sync();
}

}  // namespace torvan
