#pragma once
// Runs the desktop program inside a test: a temporary copy of the program's
// folder, the one settings store, the application object, and helpers that
// press keys, click, and answer modal windows the way a user would.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "TempDir.h"
#include "core/config/IniStore.h"
#include "core/radio/RadioImage.h"
#include "app/shell/LanguageDialog.h"
#include "app/shell/MainFrame.h"
#include "app/shell/TorvanApp.h"

namespace torvan::test {

inline constexpr const char* kEnglishIni =
    "[Setup]\nLanguage=English\nShowLang=1\nAppName=Torvan\n"
    "Type1=TV-400\nField1=400-470MHz|400-420MHz\nType2=TV-136\nField2=136-174MHz\n"
    "[English]\nCompany=Kestrel Bay Communications\nAppName=Torvan FM Programmer\nAbout Title=About Torvan\n"
    "Version=Version 1.0\nCopyrights=Copyright (C) 2026\nCopyrights Owner=Kestrel Bay Ltd.\n"
    "[Chinese]\nCompany=鸥湾通讯\nAppName=Torvan 写频软件\nAbout Title=关于 Torvan\n"
    "Version=版本 1.0\nCopyrights=版权所有 (C) 2026\nCopyrights Owner=鸥湾通讯有限公司\n";

// The shipped ini with "Language" replaced.
inline std::string IniWithLanguage(const std::string& language) {
  std::string ini = kEnglishIni;
  ini.replace(ini.find("Language=English"), 16, "Language=" + language);
  return ini;
}

// What the program's folder holds.
struct AppSetup {
  std::optional<std::string> ini = std::string(kEnglishIni);  // nullopt: no Program.ini
  bool englishPack = true;
  bool chinesePack = true;
};

class AppHarness {
 public:
  using Setup = AppSetup;

  explicit AppHarness(const Setup& setup = Setup()) : oldCurrent_(QDir::currentPath()) {
    const QDir program(QStringLiteral(TORVAN_PROGRAM_DIR));
    const QString dir = QString::fromStdString(dir_.path().string());
    const auto copy = [&](const char* name) { QFile::copy(program.filePath(name), QDir(dir).filePath(name)); };
    if (setup.englishPack) copy("English.rcc");
    if (setup.chinesePack) copy("Chinese.rcc");
    copy("enHelp.html");
    copy("chHelp.html");
    if (setup.ini) WriteFile("Program.ini", *setup.ini);
    QDir::setCurrent(dir);  // title.ico and background.bmp are looked for here
    CIniStore::SetProgramStartPath(dir_.file("torvan"));
  }

  ~AppHarness() {
    // Answer anything still open so that nothing waits on a dead test.
    while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    app_.reset();
    ini_.reset();
    QDir::setCurrent(oldCurrent_);
  }

  // Starts the program (InitInstance) with `args` on its command line.
  bool Start(const QStringList& args = {}) {
    ini_ = std::make_unique<CIniStore>();
    app_ = std::make_unique<CTorvanApp>(*ini_, CTorvanApp::Options{Dir(), Dir() + "/torvan", args});
    app_->SetProcessStarter([this](const QString& program, const QStringList&) {
      started_ << program;
      return startSucceeds_;
    });
    const bool ok = app_->InitInstance();
    if (ok) {
      Frame()->activateWindow();
      QApplication::processEvents();
    }
    return ok;
  }

  CMainFrame* Frame() const { return app_ ? app_->MainFrame() : nullptr; }
  CTorvanApp& App() { return *app_; }
  CIniStore& Ini() { return *ini_; }
  const QStringList& StartedPrograms() const { return started_; }
  // Whether starting a program (the restart) works.
  void SetStartSucceeds(bool ok) { startSucceeds_ = ok; }

  QString Dir() const { return QString::fromStdString(dir_.path().string()); }
  std::string File(const std::string& name) const { return dir_.file(name); }
  void WriteFile(const std::string& name, const std::string& content) const {
    QFile f(QString::fromStdString(dir_.file(name)));
    if (f.open(QIODevice::WriteOnly)) f.write(content.data(), static_cast<qint64>(content.size()));
  }
  QByteArray ReadFile(const std::string& name) const {
    QFile f(QString::fromStdString(dir_.file(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  bool Exists(const std::string& name) const { return QFile::exists(QString::fromStdString(dir_.file(name))); }

  // Offers each modal window that shows to `answer` until it takes one
  // (returns true). Polls, so the action that opens the window may block in
  // its own event loop.
  static void WhenModal(std::function<bool(QWidget*)> answer) {
    auto* timer = new QTimer;
    auto shared = std::make_shared<std::function<bool(QWidget*)>>(std::move(answer));
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, shared, tries] {
      QWidget* modal = QApplication::activeModalWidget();
      // Answer only a window that is really up, as a user would.
      if (modal && modal->isVisible() && QTest::qWaitForWindowExposed(modal, 1000) && Activate(modal) &&
          (*shared)(modal)) {
        timer->stop();
        timer->deleteLater();
      } else if (++*tries > 500) {  // 5 s without the expected window: give up
        timer->stop();
        timer->deleteLater();
      }
    });
    timer->start(10);
  }

  static bool Activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window, 1000);
  }

  // Answers the next message box by clicking `button`; its text lands in `text`.
  static void AnswerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr) {
    WhenModal([button, text](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (!box) return false;
      if (text) *text = box->text();
      // The keyboard: focus the button and press Space, as a user tabbing to it would.
      if (QAbstractButton* b = box->button(button)) {
        b->setFocus();
        QTest::keyClick(b, Qt::Key_Space);
      }
      return true;
    });
  }

  // Answers the next language dialog: Chinese chosen from the keyboard, then
  // OK. `before` runs first, when the dialog is there (to answer what follows).
  static void ChooseChineseInLanguageDialog(std::function<void()> before = {}) {
    WhenModal([before](QWidget* w) {
      auto* dialog = qobject_cast<CLanguageDialog*>(w);
      if (!dialog) return false;
      if (before) before();
      dialog->ChineseButton()->setFocus();
      QTest::keyClick(dialog->ChineseButton(), Qt::Key_Space);
      QTest::keyClick(dialog, Qt::Key_Return);
      return true;
    });
  }

  // Opens a top-level menu of the menu bar and clicks one of its items.
  void ClickMenu(int menuIndex, QAction* item) {
    QMenuBar* bar = Frame()->menuBar();
    QMenu* menu = Frame()->Menus().at(menuIndex);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000)) return;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    QApplication::processEvents();
  }

 private:
  TempDir dir_;
  QString oldCurrent_;
  std::unique_ptr<CIniStore> ini_;
  std::unique_ptr<CTorvanApp> app_;
  QStringList started_;
  bool startSucceeds_ = true;
};

// A radio image with a few channels in the form the program writes them.
RadioImage CraftedImage();

// A window's title as text, without the mark of unsaved changes ("[*]",
// shown as "*" while the window is modified; "[*][*]" stands for "[*]").
inline QString TitleText(const QWidget* w) {
  QString t = w->windowTitle();
  t.replace(QStringLiteral("[*][*]"), QStringLiteral("\x01"));
  t.remove(QStringLiteral("[*]"));
  t.replace(QChar(1), QStringLiteral("[*]"));
  return t;
}

}  // namespace torvan::test
