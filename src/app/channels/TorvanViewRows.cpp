// The row operations of CTorvanView: the selection, Insert Row, Delete Rows,
// Clear, Move Up / Move Down, the sorts and the bulk edit of selected rows.
// Each one is one step of the document's undo history (RecordStep), listing
// every grid row it may write, so that an undo puts back the exact rows.

#include <QItemSelection>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <algorithm>
#include <set>

#include "app/base/AppContext.h"
#include "app/channels/TorvanView.h"
#include "app/radio/TorvanDoc.h"

namespace torvan {
namespace {

bool IsEmptyRow(const ChannelTexts& texts) {
  return std::all_of(texts.begin(), texts.end(), [](const std::string& t) { return t.empty(); });
}

// A row holds a channel when it has a receive frequency (the rule a commit
// and a save go by).
bool IsUsedRow(const ChannelTexts& texts) { return !texts[TextIndex(kColRxFrequency)].empty(); }

}  // namespace

// --- Rows as texts ------------------------------------------------------------------

ChannelTexts CTorvanView::RowTexts(int row) const {
  ChannelTexts texts;
  for (int c = kColRxFrequency; c <= kColName; ++c) texts[TextIndex(c)] = m_grid.TextMatrix(row, c);
  return texts;
}

void CTorvanView::WriteRow(int row, const ChannelTexts& texts) {
  for (int c = kColRxFrequency; c <= kColName; ++c) {
    if (m_grid.TextMatrix(row, c) != texts[TextIndex(c)]) m_grid.SetTextMatrix(row, c, texts[TextIndex(c)]);
  }
}

std::vector<int> CTorvanView::RowsFrom(int from) {
  std::vector<int> rows;
  for (int r = std::max(from, 1); r < kGridRows; ++r) rows.push_back(r);
  return rows;
}

// --- Selection -------------------------------------------------------------------------

std::vector<int> CTorvanView::SelectedRows() const {
  std::set<int> rows;
  if (const QItemSelectionModel* sel = m_grid.selectionModel()) {
    for (const QModelIndex& i : sel->selectedIndexes()) rows.insert(i.row() + 1);
  }
  if (rows.empty()) rows.insert(m_grid.Row());
  return {rows.begin(), rows.end()};
}

void CTorvanView::SelectRows(const std::vector<int>& rows) {
  if (rows.empty()) return;
  // The first of them becomes current (which selects it alone), then the
  // whole rows are selected.
  if (rows.front() != m_grid.Row()) {
    OnLeaveCellGrid();
    GoToCell({rows.front(), m_grid.Col()});
  }
  QItemSelection selection;
  for (int r : rows) {
    selection.select(m_grid.model()->index(r - 1, 0), m_grid.model()->index(r - 1, kDataCols - 1));
  }
  m_grid.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CTorvanView::SelectAllCells() { m_grid.selectAll(); }

// --- Insert, delete, clear, move ------------------------------------------------------------

void CTorvanView::InsertRow() {
  if (m_document.InTransfer()) return;
  OnLeaveCellGrid();
  const int at = m_grid.Row();
  const int last = kGridRows - 1;
  if (!IsEmptyRow(RowTexts(last))) {
    QMessageBox::warning(this, m_app.Message(MessageId::Caution),
                         tr("No row can be inserted: the last row (%1) holds a channel, which would be pushed "
                            "out. Delete or move it first.")
                             .arg(QString::fromStdString(RowLabel(last)).trimmed()));
    OnEnterCellGrid();
    return;
  }
  RecordStep(tr("Insert Row"), StepParts::Rows(RowsFrom(at)), [&] {
    for (int r = last; r > at; --r) WriteRow(r, RowTexts(r - 1));
    WriteRow(at, ChannelTexts{});
  }, GridCell{at, m_grid.Col()});
  OnEnterCellGrid();
}

void CTorvanView::DeleteRows() {
  if (m_document.InTransfer()) return;
  OnLeaveCellGrid();
  const std::vector<int> selected = SelectedRows();
  const int first = selected.front();
  RecordStep(tr("Delete Rows"), StepParts::Rows(RowsFrom(first)), [&] {
    std::vector<ChannelTexts> kept;
    for (int r = first; r < kGridRows; ++r) {
      if (!std::binary_search(selected.begin(), selected.end(), r)) kept.push_back(RowTexts(r));
    }
    kept.resize(static_cast<std::size_t>(kGridRows - first));  // empty rows come in at the end
    for (int r = first; r < kGridRows; ++r) WriteRow(r, kept[static_cast<std::size_t>(r - first)]);
  }, GridCell{first, m_grid.Col()});
  GoToCell({first, m_grid.Col()});
}

void CTorvanView::ClearRows() {
  if (m_document.InTransfer()) return;
  OnLeaveCellGrid();
  const std::vector<int> selected = SelectedRows();
  RecordStep(tr("Clear"), StepParts::Rows(selected), [&] {
    for (int r : selected) WriteRow(r, ChannelTexts{});
  }, GridCell{m_grid.Row(), m_grid.Col()});
  OnEnterCellGrid();
}

void CTorvanView::MoveRows(int by) {
  if (m_document.InTransfer() || (by != -1 && by != 1)) return;
  OnLeaveCellGrid();
  const std::vector<int> selected = SelectedRows();
  if ((by < 0 && selected.front() == 1) || (by > 0 && selected.back() == kGridRows - 1)) {
    OnEnterCellGrid();  // at the edge: nothing moves, the selection stays
    return;
  }
  // The rows a move writes: each selected row and the neighbour it swaps with.
  std::set<int> touched;
  for (int r : selected) {
    touched.insert(r);
    touched.insert(r + by);
  }
  const int current = m_grid.Row();
  const int col = m_grid.Col();
  RecordStep(by < 0 ? tr("Move Up") : tr("Move Down"), StepParts::Rows({touched.begin(), touched.end()}), [&] {
    // Moving up, the rows are taken from the top; moving down, from the
    // bottom, so that a block of selected rows moves as one.
    std::vector<int> order = selected;
    if (by > 0) std::reverse(order.begin(), order.end());
    for (int r : order) {
      const ChannelTexts moving = RowTexts(r);
      WriteRow(r, RowTexts(r + by));
      WriteRow(r + by, moving);
    }
  }, GridCell{current + by, col});
  std::vector<int> moved;
  for (int r : selected) moved.push_back(r + by);
  const bool currentSelected = std::binary_search(selected.begin(), selected.end(), current);
  GoToCell({currentSelected ? current + by : moved.front(), col});
  QItemSelection selection;
  for (int r : moved) selection.select(m_grid.model()->index(r - 1, 0), m_grid.model()->index(r - 1, kDataCols - 1));
  m_grid.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// --- Sort -------------------------------------------------------------------------------------

void CTorvanView::SortChannels(SortKey key) {
  if (m_document.InTransfer()) return;
  OnLeaveCellGrid();
  std::vector<int> rows = SelectedRows();
  if (rows.size() < 2) rows = RowsFrom(1);  // no rows chosen: the whole table
  RecordStep(key == SortKey::Name ? tr("Sort by Name") : tr("Sort by Rx Frequency"), StepParts::Rows(rows), [&] {
    std::vector<ChannelTexts> channels;
    for (int r : rows) channels.push_back(RowTexts(r));
    const auto frequency = [](const ChannelTexts& t) {
      return ConvertFrequency(t[TextIndex(kColRxFrequency)]).count;
    };
    // Used rows first; among them the key; rows without a name after the
    // named ones. Stable: equal keys keep their order.
    std::stable_sort(channels.begin(), channels.end(), [&](const ChannelTexts& a, const ChannelTexts& b) {
      if (IsUsedRow(a) != IsUsedRow(b)) return IsUsedRow(a);
      if (!IsUsedRow(a)) return false;
      if (key == SortKey::RxFrequency) return frequency(a) < frequency(b);
      const std::string& na = a[TextIndex(kColName)];
      const std::string& nb = b[TextIndex(kColName)];
      if (na.empty() != nb.empty()) return !na.empty();
      return na < nb;
    });
    for (std::size_t i = 0; i < rows.size(); ++i) WriteRow(rows[i], channels[i]);
  }, GridCell{m_grid.Row(), m_grid.Col()});
  OnEnterCellGrid();
}

// --- Bulk edit -----------------------------------------------------------------------------------

void CTorvanView::SetInSelectedRows(int col, const QString& text) {
  if (m_document.InTransfer() || col < kColRxFrequency || col > kColName) return;
  // The open editor of this column holds `text`: it goes in with the other
  // rows, in the same step, not as a step of its own.
  QWidget* open = OpenEditor();
  if (open && open == EditorForColumn(col) && m_grid.Col() == col) HideEditor(open);
  else OnLeaveCellGrid();
  std::vector<int> used;
  for (int r : SelectedRows()) {
    if (IsUsedRow(RowTexts(r))) used.push_back(r);
  }
  QStringList refusals;
  const std::string_view header = ColumnHeader(col, m_app.language);
  RecordStep(tr("%1 of %n channels", nullptr, static_cast<int>(used.size()))
                 .arg(QString::fromUtf8(header.data(), static_cast<qsizetype>(header.size()))),
             StepParts::Rows(used), [&] {
               for (int r : used) {
                 if (auto why = CommitQuietly(r, col, text)) refusals << *why;
               }
             }, GridCell{m_grid.Row(), m_grid.Col()});
  OnEnterCellGrid();
  ShowNotTaken(refusals);
}

void CTorvanView::SetCurrentValueInSelectedRows() {
  QWidget* open = OpenEditor();
  SetInSelectedRows(m_grid.Col(), open ? EditorText(open) : m_grid.Text());
}

}  // namespace torvan
