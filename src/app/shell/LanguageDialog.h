#pragma once
// CLanguageDialog: English or Chinese. OK with the other language than the
// running one writes "Language" of "Setup" and marks the dialog changed; the
// view then restarts the program.

#include <QDialog>

class QRadioButton;

namespace torvan {

class CLanguageDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CLanguageDialog(QWidget* parent = nullptr);

  // 0 English, 1 Chinese; -1 before the dialog was first shown.
  int Selection() const { return m_nSelection; }
  // Set by an OK that chose the other language; never cleared.
  bool Changed() const { return m_bChanged; }

  QRadioButton* EnglishButton() const { return m_english; }
  QRadioButton* ChineseButton() const { return m_chinese; }

  int exec() override;

 public slots:
  void accept() override;

 private:
  int m_nSelection = -1;
  bool m_bChanged = false;
  QRadioButton* m_english;
  QRadioButton* m_chinese;
};

}  // namespace torvan
