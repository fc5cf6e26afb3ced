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
#include <gtest/gtest.h>

#include "AppHarness.h"
#include "app/link/ProgressDialog.h"
#include "app/link/TransferController.h"
#include "app/radio/TorvanDoc.h"
#include "app/shell/MainFrame.h"
#include "core/radio/DatFile.h"
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

// A test of the desktop program against a virtual radio: the program, its
// own port setting, crafted.dat in its folder, and the radio at the port of
// the next transfer once Start has run.
class RadioAtThePort : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SaveDat(h.File("crafted.dat"), CraftedImage()).ok()); }

  // Starts the program (with `args`), then the virtual radio with `radioArgs`
  // as the port of the next transfer.
  void Start(const QStringList& args, std::vector<std::string> radioArgs) {
    ASSERT_TRUE(h.Start(args));
    radio = std::make_unique<SimRadio>(std::move(radioArgs));
    ASSERT_FALSE(radio->Port().empty());
    h.Frame()->Transfer().SetPort(radio->QPort());
  }
  CProgressDialog& Dialog() { return h.Frame()->Transfer().ProgressDialog(); }
  RadioImage& Image() { return h.Frame()->ActiveDocument()->Image(); }
  // A command key (Ctrl+`key`) on the main window.
  void Key(Qt::Key key) {
    ActivateWindow(h.Frame());
    QTest::keyClick(h.Frame(), key, Qt::ControlModifier);
    QApplication::processEvents();
  }

  AppHarness h;
  ScopedUserSettings settings{h.Dir() + "/config"};
  std::unique_ptr<SimRadio> radio;
};
#endif

}  // namespace torvan::test
