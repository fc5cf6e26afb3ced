#pragma once
// CAboutDialog: the program icon ("title.ico" of the current folder when there
// is one) and the product texts: caption "About Title", then "Version",
// "Copyrights" and "Copyrights Owner"; below them the program's own version
// ("torvan 1.1.0"), which bug reports need whatever the product texts say.

#include <QDialog>

class QLabel;

namespace torvan {

struct AppContext;

class CAboutDialog : public QDialog {
  Q_OBJECT
 public:
  CAboutDialog(const AppContext& app, QWidget* parent);

  QString VersionLine() const;
  QString CopyrightLine() const;
  QString OwnerLine() const;
  QString ProgramVersionLine() const;

 private:
  QLabel* m_icon;
  QLabel* m_version;
  QLabel* m_copyrights;
  QLabel* m_owner;
  QLabel* m_program;
};

}  // namespace torvan
