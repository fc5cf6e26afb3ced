#pragma once
// Help at a context number: every window, command and control with a help
// topic carries its number; F1 opens the help file of the active language at
// that topic in the program's help window.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class QTextBrowser;

namespace torvan {

struct AppContext;

// Gives `w` a help context (its control or command id).
void SetHelpId(QWidget* w, int id);
// The help context of `w` or of its nearest parent that has one; 0 when none.
int HelpIdOf(const QWidget* w);

// The window that shows the help file. One per program; created on first use.
class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  // Opens `helpFile` at topic `context` (the anchor named by the number; the
  // start of the file for 0 or an unknown number). A missing help file does
  // nothing, silently. Returns whether the file was shown.
  //
  // The window belongs to `owner`'s window (by default the modal dialog
  // running, else the active window): it stays in front of it, also when the
  // owner is a dialog in front of a maximised main window, and a modal owner
  // does not block it.
  static bool Show(const QString& helpFile, int context, QWidget* owner = nullptr);
  // The window, when it exists (for tests and for closing at program end).
  static HelpWindow* Instance();
  static void Destroy();

  QString CurrentAnchor() const;
  QString CurrentFile() const;

 private:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Makes the window stand in front of `owner`'s window.
  void BelongTo(QWidget* owner);
  QTextBrowser* browser_;
};

// Opens help at `context` in the help file of the program's language, in
// front of `owner` (see HelpWindow::Show).
void ShowHelp(const AppContext& app, int context, QWidget* owner = nullptr);

// Makes F1 inside `window` open help at the context that `context` returns
// when the key is pressed. `app` must outlive `window`.
void InstallHelpKey(QWidget* window, const AppContext& app, std::function<int()> context);

}  // namespace torvan
