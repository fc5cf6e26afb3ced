#pragma once
// RecentFileList: the files last opened or saved, newest first, at most
// kMaxFiles, as the File menu lists them. Kept for the user across runs under
// the program's settings key ("Software\<AppName>", see link/PortSetting.h),
// group "Recent File List", values "File1" (newest) to "File4".

#include <QString>
#include <QStringList>

namespace torvan {

class RecentFileList {
 public:
  static constexpr int kMaxFiles = 4;

  // Reads the list stored for `appName`; empty and unreadable values are left out.
  explicit RecentFileList(QString appName);

  const QStringList& Paths() const { return m_paths; }
  // Puts `path` (made absolute) first, dropping its older place and the
  // oldest file beyond kMaxFiles, and stores the list.
  void Add(const QString& path);
  // Takes `path` out of the list and stores the list.
  void Remove(const QString& path);

 private:
  void Store() const;
  int IndexOf(const QString& path) const;

  QString m_appName;
  QStringList m_paths;
};

}  // namespace torvan
