#pragma once
// CRefusedLinesDialog: the one question of an import whose file holds lines
// this radio cannot store. It lists every refused line with its number and
// reason (scrollable when there are many) and offers "Import the rest" or
// "Cancel"; Cancel imports nothing. "Import the rest" is offered only while
// some line can be imported.

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace torvan {

struct AppContext;

class CRefusedLinesDialog : public QDialog {
  Q_OBJECT
 public:
  // `file` names the file in the question; `refused` holds one text per
  // refused line ("line 7: ..."), in file order; `lines` counts the file's
  // channel lines, refused or not. `app` outlives the dialog (F1).
  CRefusedLinesDialog(const QString& file, const QStringList& refused, int lines, const AppContext& app,
                      QWidget* parent = nullptr);

  QStringList Lines() const { return m_refused; }
  QPushButton* ImportButton() const { return m_import; }
  QPushButton* CancelButton() const { return m_cancel; }

 private:
  QStringList m_refused;
  QPushButton* m_import = nullptr;
  QPushButton* m_cancel = nullptr;
};

}  // namespace torvan
