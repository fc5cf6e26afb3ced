#pragma once
// Helpers of the transfer, port and page dialog tests: the virtual radio as a
// child process, a per-test folder for the per-user port setting, and
// choosing list entries with the keyboard.

#include <QApplication>
#include <QComboBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#ifdef TORVAN_SIM_PATH
#include "e2e/VirtualRadio.h"
#endif

namespace torvan::test {

// Keeps the per-user settings (the stored port) in `dir` while it lives, so
// that a test starts with no stored value and leaves nothing behind.
class ScopedUserSettings {
 public:
  explicit ScopedUserSettings(const QString& dir) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir);
  }
  ~ScopedUserSettings() {
    const QString normal = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, normal);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, normal);
  }
  ScopedUserSettings(const ScopedUserSettings&) = delete;
  ScopedUserSettings& operator=(const ScopedUserSettings&) = delete;
};

// Gives `window` the keyboard and waits until the application agrees (a
// window that was shown over it may still count as its active part).
inline bool ActivateWindow(QWidget* window) {
  window->activateWindow();
  return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 2000);
}

// Chooses entry `index` of a drop-down list as a user would: focus, Home,
// then Down.
inline void ChooseEntry(QComboBox* list, int index) {
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Home);
  for (int i = 0; i < index; ++i) QTest::keyClick(list, Qt::Key_Down);
}

#ifdef TORVAN_SIM_PATH
// torvan-radio-sim with `args`, running while the object lives.
class SimRadio : public Radio {
 public:
  explicit SimRadio(std::vector<std::string> args = {}) : Radio(std::move(args), /*captureErr=*/false) {}
  const std::string& Port() const { return path(); }
  QString QPort() const { return QString::fromStdString(path()); }
};
#endif

}  // namespace torvan::test
