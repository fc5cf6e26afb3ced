// Copy, Cut and Paste of CTorvanView. The clipboard holds plain text in the
// grid's words: one line per row, the cells separated by tabs, no header and
// no CH column, so that a spreadsheet takes it and gives it back, and so that
// a second running copy of the program can paste it.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <algorithm>

#include "app/base/AppContext.h"
#include "app/channels/TorvanView.h"
#include "app/radio/TorvanDoc.h"

namespace torvan {
namespace {

constexpr QChar kCellSeparator = u'\t';
constexpr QChar kLineSeparator = u'\n';

bool HoldsSeveralCells(const QString& text) {
  QString t = text;
  while (t.endsWith(kLineSeparator) || t.endsWith(u'\r')) t.chop(1);  // a spreadsheet ends its last line
  return t.contains(kCellSeparator) || t.contains(kLineSeparator) || t.contains(u'\r');
}

}  // namespace

QString CTorvanView::SelectionText() const {
  const QModelIndexList cells = m_grid.selectionModel() ? m_grid.selectionModel()->selectedIndexes() : QModelIndexList();
  if (cells.isEmpty()) return m_grid.Text();
  int left = kColName;
  int right = kColRxFrequency;
  for (const QModelIndex& i : cells) {
    left = std::min(left, i.column() + 1);
    right = std::max(right, i.column() + 1);
  }
  QStringList lines;
  for (int row : SelectedRows()) {
    QStringList line;
    for (int col = left; col <= right; ++col) line << m_grid.CellText(row, col);
    lines << line.join(kCellSeparator);
  }
  // One line per row, each ended as a spreadsheet ends it; a single cell
  // goes as its bare text.
  if (lines.size() == 1 && left == right) return lines.front();
  return lines.join(kLineSeparator) + kLineSeparator;
}

void CTorvanView::Copy() {
  OnLeaveCellGrid();
  QApplication::clipboard()->setText(SelectionText());
  OnEnterCellGrid();
}

void CTorvanView::Cut() {
  if (m_document.InTransfer()) return;
  OnLeaveCellGrid();
  QApplication::clipboard()->setText(SelectionText());
  QModelIndexList cells = m_grid.selectionModel()->selectedIndexes();
  if (cells.isEmpty()) cells << m_grid.model()->index(m_grid.Row() - 1, m_grid.Col() - 1);
  std::vector<int> rows;
  for (const QModelIndex& i : cells) rows.push_back(i.row() + 1);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  RecordStep(tr("Cut"), StepParts::Rows(rows), [&] {
    for (const QModelIndex& i : cells) {
      // Deleting the text of each cell; a list cell of a channel keeps its
      // choice (a channel has no empty power or tone).
      const int col = i.column() + 1;
      if (qobject_cast<QComboBox*>(EditorForColumn(col))) continue;
      CommitQuietly(i.row() + 1, col, QString());
    }
  }, GridCell{m_grid.Row(), m_grid.Col()});
  OnEnterCellGrid();
}

void CTorvanView::Paste() { PasteText(QApplication::clipboard()->text()); }

void CTorvanView::PasteText(const QString& text) {
  if (m_document.InTransfer()) return;
  OnLeaveCellGrid();
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(u'\r', kLineSeparator);
  if (t.endsWith(kLineSeparator)) t.chop(1);
  if (text.isEmpty()) {
    OnEnterCellGrid();
    return;  // nothing on the clipboard
  }
  std::vector<QStringList> lines;
  for (const QString& line : t.split(kLineSeparator)) lines.push_back(line.split(kCellSeparator));
  const int top = m_grid.Row();
  // Whole rows (nine cells a line) go in from the Rx column, wherever the
  // current cell is in the row.
  const bool wholeRows = std::all_of(lines.begin(), lines.end(), [](const QStringList& l) { return l.size() == kDataCols; });
  const int left = wholeRows ? kColRxFrequency : m_grid.Col();
  const int fitting = std::min(static_cast<int>(lines.size()), kGridRows - top);
  const int linesLeftOut = static_cast<int>(lines.size()) - fitting;
  int cellsLeftOut = 0;
  std::vector<int> rows;
  for (int r = top; r < top + fitting; ++r) rows.push_back(r);
  QStringList refusals;
  RecordStep(tr("Paste"), StepParts::Rows(rows), [&] {
    for (int i = 0; i < fitting; ++i) {
      const QStringList& cells = lines[static_cast<std::size_t>(i)];
      for (int c = 0; c < cells.size(); ++c) {
        const int col = left + c;
        if (col > kColName) {
          ++cellsLeftOut;
          continue;
        }
        if (auto why = CommitQuietly(top + i, col, cells[c])) refusals << *why;
      }
    }
  }, GridCell{top, left});
  // The pasted block stays selected.
  int right = left;
  for (int i = 0; i < fitting; ++i)
    right = std::max(right, std::min<int>(kColName, left + static_cast<int>(lines[static_cast<std::size_t>(i)].size()) - 1));
  if (fitting > 0) {
    GoToCell({top, left});
    m_grid.selectionModel()->select(QItemSelection(m_grid.model()->index(top - 1, left - 1),
                                                   m_grid.model()->index(top + fitting - 2, right - 1)),
                                    QItemSelectionModel::ClearAndSelect);
  }
  QStringList more;
  if (linesLeftOut > 0) {
    more << (linesLeftOut == 1 ? tr("The paste stopped at the last row: 1 line did not fit and was not pasted.")
                               : tr("The paste stopped at the last row: %1 lines did not fit and were not pasted.")
                                     .arg(linesLeftOut));
  }
  if (cellsLeftOut > 0) {
    more << (cellsLeftOut == 1 ? tr("1 cell lay beyond the last column and was not pasted.")
                               : tr("%1 cells lay beyond the last column and were not pasted.").arg(cellsLeftOut));
  }
  ShowNotTaken(refusals, more.join(QStringLiteral("\n")));
}

void CTorvanView::ShowNotTaken(const QStringList& refusals, const QString& more) {
  QString text;
  if (!refusals.isEmpty()) {
    const QString list = refusals.join(QStringLiteral("; "));
    text = refusals.size() == 1 ? tr("1 cell was not taken: %1").arg(list)
                                : tr("%1 cells were not taken: %2").arg(refusals.size()).arg(list);
  }
  if (!more.isEmpty()) text += (text.isEmpty() ? QString() : QStringLiteral("\n\n")) + more;
  if (text.isEmpty()) return;
  QMessageBox box(QMessageBox::Warning, m_app.Message(MessageId::Caution), text, QMessageBox::Ok, this);
  box.exec();
}

// --- Keys -----------------------------------------------------------------------------------

bool CTorvanView::ClipboardKeyForGrid(const QKeyEvent* k) const {
  if (k->matches(QKeySequence::Paste)) return HoldsSeveralCells(QApplication::clipboard()->text());
  if (k->matches(QKeySequence::Copy) || k->matches(QKeySequence::Cut)) {
    const QItemSelectionModel* sel = m_grid.selectionModel();
    return sel && sel->selectedIndexes().size() > 1;
  }
  return false;
}

bool CTorvanView::OnRowKey(QObject* watched, QKeyEvent* k) {
  const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
  const bool inEdit = qobject_cast<QLineEdit*>(watched) != nullptr;
  // An edit field keeps Ctrl+C/X/V for its own text unless the grid's cells
  // are meant; elsewhere the keys act on the cells.
  if (k->matches(QKeySequence::Copy) || k->matches(QKeySequence::Cut) || k->matches(QKeySequence::Paste)) {
    if (inEdit && !ClipboardKeyForGrid(k)) return false;
    if (k->matches(QKeySequence::Copy)) Copy();
    else if (k->matches(QKeySequence::Cut)) Cut();
    else Paste();
    return true;
  }
  if (mods == Qt::AltModifier && (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down)) {
    MoveRows(k->key() == Qt::Key_Up ? -1 : 1);
    return true;
  }
  if (mods == Qt::ControlModifier && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) {
    SetCurrentValueInSelectedRows();
    return true;
  }
  // Shift+arrows extend the selection of cells, also from a list (which
  // would take them for a change of its choice) and from an edit field whose
  // text is as it opened, all selected (where they would select text).
  const bool arrow = k->key() == Qt::Key_Up || k->key() == Qt::Key_Down || k->key() == Qt::Key_Left ||
                     k->key() == Qt::Key_Right;
  const auto* edit = qobject_cast<QLineEdit*>(watched);
  const bool editUntouched =
      edit && !EditorChanged(edit) && (edit->text().isEmpty() || edit->selectedText() == edit->text());
  if (mods == Qt::ShiftModifier && arrow && (qobject_cast<QComboBox*>(watched) || editUntouched)) {
    QKeyEvent copy(k->type(), k->key(), k->modifiers(), k->text(), k->isAutoRepeat(), k->count());
    QCoreApplication::sendEvent(&m_grid, &copy);
    return true;
  }
  return false;
}

}  // namespace torvan
