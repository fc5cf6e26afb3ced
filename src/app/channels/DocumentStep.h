#pragma once
// DocumentStep: one step of a document's undo history. A change is kept as
// the state of what it touched, before and after it: the grid rows it changed
// (their nine texts each) and, for changes that reach that far, the
// document's image bytes, the program's band limits and the main window's
// caption. Undo puts the "before" state back and redo the "after" state,
// through the document's view (CTorvanView::ApplyState), so that the grid,
// the image, the band and the caption always agree.
//
// Every change to a document is recorded the same way, as one step however
// many rows it touches. A change made in one go goes through RecordStep,
// which captures the parts before, runs the change, captures them after and
// pushes one step when anything differs:
//
//   // Delete rows 5..9 (the grid rows shift up: every row from 5 on changes).
//   std::vector<int> rows;
//   for (int r = 5; r < kGridRows; ++r) rows.push_back(r);
//   view.RecordStep(tr("Delete Rows"), StepParts::Rows(rows), [&] {
//     ... SetTextMatrix on the grid rows ...
//   });
//
//   // Import a channel list: every row, one step.
//   view.RecordStep(tr("Import Channels"), StepParts::AllRows(), [&] { ... });
//
// The change writes the grid (the grid is what a save encodes); list in
// `parts` every row it may write: rows it does not list are not put back by
// an undo. A change that reaches the image bytes, the band or the caption
// asks for them too (StepParts::Image, ImageAndBand, Everything). The step
// is redone and undone through CTorvanView::ApplyState, which closes an open
// editor without a commit first; call OnLeaveCellGrid before RecordStep when
// the editor's text belongs to the state before the change.
//
// A change that happens elsewhere (a read from the radio, running its own
// event loop) is recorded with CaptureState before and after it and PushStep.
// Nothing is recorded when before and after are equal, so the document stays
// clean after a change that changed nothing.

#include <QString>
#include <QUndoCommand>
#include <map>
#include <optional>
#include <vector>

#include "core/radio/BandLimits.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/RadioImage.h"

namespace torvan {

class CTorvanView;

// What a step records.
struct StepParts {
  std::vector<int> rows;        // grid rows (1..200) the change may touch
  bool image = false;           // the document's image bytes
  bool bandAndCaption = false;  // the program's band limits and the main window caption

  // A change of grid rows only (a cell, a row operation).
  static StepParts Rows(std::vector<int> rows);
  // A change of every row (an import of a channel list).
  static StepParts AllRows();
  // A change of image bytes only (the optional features' OK).
  static StepParts Image();
  // The image, the band and the caption (the product information's OK).
  static StepParts ImageAndBand();
  // The whole document: every row, the image, the band, the caption (a read).
  static StepParts Everything();
};

// What a step touched, at one moment. Parts a step does not record are absent.
struct DocumentState {
  std::map<int, ChannelTexts> rows;  // by grid row
  std::optional<RadioImage> image;
  std::optional<BandLimits> band;
  std::optional<QString> caption;

  bool operator==(const DocumentState&) const = default;
};

// A grid cell (row 1..200, column 1..9); row 0 for none.
struct GridCell {
  int row = 0;
  int col = 0;
  bool IsCell() const { return row > 0 && col > 0; }
};

class DocumentStep : public QUndoCommand {
 public:
  // A change already made: the step's first redo (the stack's push) does
  // nothing. `cell` is where the keyboard goes after an undo or a redo (the
  // cell that was typed in); none keeps the current cell.
  DocumentStep(CTorvanView& view, const QString& text, DocumentState before, DocumentState after, GridCell cell = {});

  void undo() override;
  void redo() override;

  const DocumentState& Before() const { return m_before; }
  const DocumentState& After() const { return m_after; }

 private:
  CTorvanView& m_view;
  DocumentState m_before;
  DocumentState m_after;
  GridCell m_cell;
  bool m_done = true;  // the change is in place as the step is pushed
};

}  // namespace torvan
