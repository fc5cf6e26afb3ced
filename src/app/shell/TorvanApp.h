#pragma once
// CTorvanApp: starts the program. InitInstance, in this order: Program.ini
// through the one settings store; the language name, the display language and
// the help file; the language pack beside the program (missing: "Load language
// DLL fail" and the program ends); the main window; the first document (empty,
// or the file named on the command line); the window shown maximized; the
// product texts in the message captions and the Help menu; "ShowLang".

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "app/base/AppContext.h"
#include "app/base/LanguagePack.h"

namespace torvan {

class CIniStore;
class CMainFrame;

class CTorvanApp : public QObject {
  Q_OBJECT
 public:
  struct Options {
    QString programDir;   // the executable's folder: the shipped files lie here or in ../share/torvan
    QString programPath;  // the executable, started again after a language change
    QStringList args;     // command-line arguments after the program name
  };
  // Starts a program detached; the restart after a language change uses it.
  using ProcessStarter = std::function<bool(const QString& program, const QStringList& args)>;

  // `ini` is the program's one settings store; it must outlive the application.
  CTorvanApp(CIniStore& ini, Options options);
  ~CTorvanApp() override;

  // False: the program ends at once (no language pack, no main window, the
  // first document failed).
  bool InitInstance();

  CMainFrame* MainFrame() const { return m_mainFrame.get(); }
  AppContext& Context() { return m_context; }

  void SetProcessStarter(ProcessStarter starter) { m_startProcess = std::move(starter); }
  // The user's own folder for the program's settings, before InitInstance: a
  // Program.ini that may not be written is copied there on the first change
  // and read from there afterwards. None by default.
  void SetUserConfigDir(QString dir) { m_userConfigDir = std::move(dir); }

  // Writes Program.ini, starts the program again, closes the main window and
  // quits. When Program.ini could not be written or the program could not be
  // started, says so and goes on running.
  void RestartProgram();

 private:
  CIniStore& m_ini;
  Options m_options;
  AppContext m_context;
  LanguagePack m_pack;
  std::unique_ptr<CMainFrame> m_mainFrame;
  ProcessStarter m_startProcess;
  QString m_userConfigDir;
};

}  // namespace torvan
