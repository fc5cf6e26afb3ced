#include "app/channels/DocumentStep.h"

#include "app/channels/TorvanView.h"
#include "core/channels/TextGrid.h"

namespace torvan {

StepParts StepParts::Rows(std::vector<int> rows) {
  StepParts p;
  p.rows = std::move(rows);
  return p;
}

StepParts StepParts::AllRows() {
  StepParts p;
  for (int row = 1; row < kGridRows; ++row) p.rows.push_back(row);
  return p;
}

StepParts StepParts::Image() {
  StepParts p;
  p.image = true;
  return p;
}

StepParts StepParts::ImageAndBand() {
  StepParts p = Image();
  p.bandAndCaption = true;
  return p;
}

StepParts StepParts::Everything() {
  StepParts p = AllRows();
  p.image = true;
  p.bandAndCaption = true;
  return p;
}

DocumentStep::DocumentStep(CTorvanView& view, const QString& text, DocumentState before, DocumentState after,
                           GridCell cell)
    : QUndoCommand(text), m_view(view), m_before(std::move(before)), m_after(std::move(after)), m_cell(cell) {}

void DocumentStep::undo() {
  m_view.ApplyState(m_before, m_cell);
  m_done = false;
}

void DocumentStep::redo() {
  if (m_done) return;  // pushed after the change was made
  m_view.ApplyState(m_after, m_cell);
  m_done = true;
}

}  // namespace torvan
