#pragma once
// CLanguageDialog: English or Chinese. OK with the other language than the
// running one writes "Language" of "Setup" and marks the dialog changed; the
// main window then restarts the program.

#include <QDialog>

class QRadioButton;

namespace torvan {

struct AppContext;

class CLanguageDialog : public QDialog {
  Q_OBJECT
 public:
  CLanguageDialog(AppContext& app, QWidget* parent);

  // 0 English, 1 Chinese; -1 before the dialog was first shown.
  int Selection() const { return m_selection; }
  // Set by an OK that chose the other language; cleared only by TakeBack.
  bool Changed() const { return m_changed; }
  // The change was not carried out (the user kept the program running with
  // unsaved changes): "Language" gets the running language back.
  void TakeBack();

  QRadioButton* EnglishButton() const { return m_english; }
  QRadioButton* ChineseButton() const { return m_chinese; }

  int exec() override;

 public slots:
  void accept() override;

 private:
  AppContext& m_app;
  int m_selection = -1;
  bool m_changed = false;
  QRadioButton* m_english;
  QRadioButton* m_chinese;
};

}  // namespace torvan
