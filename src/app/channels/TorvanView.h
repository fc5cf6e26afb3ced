#pragma once
// CTorvanView: the channel page of a document — the form that holds the
// channel grid. The grid is the only copy of the channel data while the user
// edits: DecodeImage fills it from the document's image when the view is first
// shown, EncodeImage writes it back before a save (and before a radio write).
//
// The user edits a cell in a small editor laid exactly over it (an edit for
// the frequencies and the name, a drop-down list for the other columns). The
// editor opens when its cell is entered or clicked and is committed through
// the core's cell rules (channels/CellRules.h) when the cell is left, on
// Enter, when the grid scrolls, and before every encode. Each commit that
// changes a row is one step of the document's undo history.
// The editing part lives in TorvanViewEditing.cpp.

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/channels/DocumentStep.h"
#include "app/grid/FlexGrid.h"
#include "core/channels/CellRules.h"
#include "core/radio/RadioImage.h"

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QMenu;

namespace torvan {

struct AppContext;
class CTorvanDoc;

class CTorvanView : public QWidget {
  Q_OBJECT
 public:
  // The blue of the header row and the label column.
  static constexpr QRgb kFixedTextColor = qRgb(0, 50, 240);

  // `doc` and `app` outlive the view.
  CTorvanView(CTorvanDoc& doc, AppContext& app, QWidget* parent = nullptr);

  CTorvanDoc& GetDocument() const { return m_document; }
  CMSFlexGrid& Grid() { return m_grid; }
  const CMSFlexGrid& Grid() const { return m_grid; }
  const std::vector<std::string>& ToneTexts() const { return m_toneTexts; }

  // First time: sets up the grid (tone texts, size, colours, headers, labels,
  // alignment, widths). Every time: the frame icon from "title.ico" in the
  // current folder, and the image decoded into the grid.
  void OnInitialUpdate();

  // Image -> grid, program-wide band limits and the main window caption.
  // Not a step of its own: a read records the decode in its step.
  void DecodeImage();
  // Commits an open cell editor, then writes the band limits and all 200 rows
  // into the document's image (or into `image`).
  void EncodeImage();
  void EncodeImage(RadioImage& image);

  // Commits the open in-place editor into the current cell through the cell
  // rules: a frequency outside the band or off the channel raster is refused
  // with a warning and the row stays as it was; a new channel gets its
  // defaults. An editor whose text was not changed commits (and checks)
  // nothing. Without an open editor it does nothing, so calling it twice is
  // harmless. Write, the clone session and every encode call it first.
  void OnLeaveCellGrid();

  // The editor of grid column `col` (1..9; any other column gives the Rx
  // frequency editor); nullptr before the grid is set up.
  QWidget* EditorForColumn(int col) const;
  QWidget* EditorForColumn() const { return EditorForColumn(m_grid.Col()); }
  // The editor that is open (shown and not yet committed), or nullptr.
  QWidget* OpenEditor() const;

  // --- Undo steps (app/channels/DocumentStep.h) ----------------------------------
  // The state of `parts` now: the grid rows, the image, the band, the caption.
  DocumentState CaptureState(const StepParts& parts) const;
  // Puts `state` in place: an open editor is closed first without a commit
  // (its cell is about to change under it); then rows, image, band and
  // caption; then the keyboard goes to `cell` with its editor open (or, with
  // no cell, back to the editor that was open).
  void ApplyState(const DocumentState& state, GridCell cell = {});
  // Records a change already made as one step of the document's undo
  // history; nothing when `before` equals `after`. True when recorded.
  bool PushStep(const QString& text, DocumentState before, DocumentState after, GridCell cell = {});
  // Captures `parts`, runs `change`, captures them again and records the
  // step. True when the change changed anything.
  bool RecordStep(const QString& text, const StepParts& parts, const std::function<void()>& change,
                  GridCell cell = {});

  // Edit > Undo: typing in the open editor is undone first, as an edit field
  // undoes its own typing; with nothing typed there, the document's last step.
  void Undo();
  // Edit > Redo: the document's next step. Text typed in the open editor is a
  // new change: it is committed instead, and there is nothing left to redo.
  void Redo();

  // --- Main window caption ---------------------------------------------------------
  // The caption this document gives the main window (set by a decode and by
  // the product information's OK).
  QString MainCaption() const { return m_mainCaption; }
  void SetMainCaption(const QString& caption);

  // --- Channels outside the band -----------------------------------------------------
  // Marks (red, with a tooltip saying why) every frequency cell that lies
  // outside the program's band limits, after the band changed or channels
  // came from a file. Nothing is deleted: a marked channel stays as it is
  // until the user edits it.
  void RefreshBandMarks();
  // Used channels with a frequency outside the band.
  int ChannelsOutsideBand() const { return m_channelsOutsideBand; }

  // --- Selection, rows and the clipboard (TorvanViewRows.cpp, TorvanViewClipboard.cpp) ---
  // Each operation below commits an open editor first, is one step of the
  // undo history, and tells the user in one message what it could not do.
  // The rows with a selected cell, ascending; the current row when none is.
  std::vector<int> SelectedRows() const;
  // Selects the whole rows `rows` (the first of them becomes current).
  void SelectRows(const std::vector<int>& rows);
  // Edit > Select All: every cell.
  void SelectAllCells();
  // An empty channel at the current row; the rows below move down one.
  // Refused with a message when the last row holds a channel.
  void InsertRow();
  // The selected channels are removed; the rows below move up, empty rows
  // come in at the end.
  void DeleteRows();
  // The selected channels are emptied where they are.
  void ClearRows();
  // The selected rows swap with their neighbour above (-1) or below (+1) and
  // stay selected; nothing moves when one of them is at the edge.
  void MoveRows(int by);
  enum class SortKey { RxFrequency, Name };
  // Sorts the channels of the selected rows (of every row when at most one
  // row is selected) by `key`, stable, empty rows last.
  void SortChannels(SortKey key);
  // The selected cells as tab-separated text in the grid's words: one line
  // per selected row, the columns from the leftmost to the rightmost
  // selected one.
  QString SelectionText() const;
  void Copy();
  // Copy, then every selected cell emptied as if its text were deleted (list
  // cells of a channel keep their choice: they cannot be empty).
  void Cut();
  // Pastes the clipboard's text at the current cell (PasteText).
  void Paste();
  // Writes tab-separated `text` into the grid from the current cell on (from
  // the Rx column when its lines have all nine cells), each cell through the
  // same rules as typing it. Lines below the last row are not pasted; refused
  // cells are listed in one message. One undo step.
  void PasteText(const QString& text);
  // Bulk edit: `text` into column `col` of every selected used row, each cell
  // through the rules of typing; refused cells listed in one message.
  void SetInSelectedRows(int col, const QString& text);
  // Ctrl+Enter: the current cell's value (as its open editor shows it) into
  // every selected used row.
  void SetCurrentValueInSelectedRows();
  // The menu a right click on the grid shows (owned by the caller).
  void SetContextMenu(QMenu* menu) { m_contextMenu = menu; }

 signals:
  // The caption the main window takes (after a decode, a product dialog's
  // OK, an undo or redo of either).
  void mainCaptionChanged(const QString& caption);
  // The number of channels outside the band changed.
  void channelsOutsideBandChanged(int count);

 protected:
  // The keyboard hook of the grid and its editors: Enter and Tab commit and
  // move on, Shift+Tab moves back, Escape keeps the open editor as it is,
  // Ctrl+Z and Ctrl+Y (Ctrl+Shift+Z) undo and redo, and typing on the grid
  // opens the current cell's editor with what was typed.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void OnEnterCellGrid();
  void OnMouseDownGrid(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void OnScrollGrid();

 private:
  void SetUpGrid();

  // --- In-place editing (TorvanViewEditing.cpp) -------------------------------
  void CreateEditors();
  // Lays the current column's editor over the current cell, shows and focuses it.
  void PlaceEditor();
  // The commit of OnLeaveCellGrid; says whether a band or raster test failed.
  CommitResult CommitEditor();
  // The text a commit takes from `editor`.
  QString EditorText(const QWidget* editor) const;
  void HideEditor(QWidget* editor);
  // Closes every editor without a commit (a scroll, a decode).
  void HideAllEditors();
  void ShowCellWarning(MessageId id);
  // True when the open editor shows something else than when it opened.
  bool EditorChanged(const QWidget* editor) const;
  // Puts the open editor back to what it showed when it opened (one step of
  // its own typing for an edit field); false when there was nothing to undo.
  bool UndoTyping();
  // Moves the current cell to `cell` and opens its editor.
  void GoToCell(GridCell cell);
  // Marks the frequency cells of `row` outside the band; true when it holds a
  // used channel outside the band.
  bool RefreshBandMark(int row);
  void CountChannelsOutsideBand();
  // Enter (and Tab): commit, then on to the next cell unless a test failed.
  void OnEnterKey();
  void MoveToNextCell(int row, int col);
  void MoveToPreviousCell();
  bool IsEditor(const QObject* o) const;
  // The list whose dropped view `watched` is; nullptr for anything else.
  QComboBox* ListOfDroppedView(QObject* watched) const;
  // Keys in a dropped list: Enter and Tab commit and move on as with the list
  // closed, F1 opens the list's help; the rest stays with the list.
  bool OnDroppedListKey(QComboBox* list, QKeyEvent* k);
  // The row and the clipboard keys of the grid and its editors; true when
  // `k` was one of them and was acted on.
  bool OnRowKey(QObject* watched, QKeyEvent* k);
  // Whether a key of the clipboard goes to the grid rather than to the open
  // edit field: more than one cell selected (copy, cut) or more than one cell
  // on the clipboard (paste).
  bool ClipboardKeyForGrid(const QKeyEvent* k) const;

  // --- Rows (TorvanViewRows.cpp) -----------------------------------------------
  ChannelTexts RowTexts(int row) const;
  // Writes the cells of `row` that differ from what it shows now.
  void WriteRow(int row, const ChannelTexts& texts);
  // Rows from..kGridRows-1: the grid rows a shifting operation may write.
  static std::vector<int> RowsFrom(int from);
  // Commits `text` into cell (row, col) through the rules of typing, in the
  // form its editor would give it (a name as the name field makes it, a list
  // cell only as one of its items); writes the cells that changed. No
  // message and no step: the refusal comes back as text for the caller's
  // one message ("row 5 Rx Frequency 520.00000 is outside the band ...").
  std::optional<QString> CommitQuietly(int row, int col, const QString& text);
  // The one message of an operation that left something undone.
  void ShowNotTaken(const QStringList& refusals, const QString& more = {});

  CTorvanDoc& m_document;
  AppContext& m_app;
  CMSFlexGrid m_grid;
  bool m_gridSetUp = false;
  std::vector<std::string> m_toneTexts;

  // The nine in-place editors: children of m_grid, created by the set-up.
  QLineEdit* m_editRxFreq = nullptr;
  QLineEdit* m_editTxFreq = nullptr;
  QLineEdit* m_editName = nullptr;
  QComboBox* m_comboRxTone = nullptr;
  QComboBox* m_comboTxTone = nullptr;
  QComboBox* m_comboPower = nullptr;
  QComboBox* m_comboBusyLock = nullptr;
  QComboBox* m_comboBandwidth = nullptr;
  QComboBox* m_comboScanAdd = nullptr;
  QString m_openedText;           // the open editor's text when it opened
  QString m_mainCaption;
  std::vector<bool> m_rowOutsideBand = std::vector<bool>(kGridRows, false);
  int m_channelsOutsideBand = 0;
  bool m_committing = false;      // a warning of a commit is on screen
  bool m_passingThrough = false;  // a two-step move is in its first step
  bool m_scrollCommitQueued = false;  // a scroll's commit waits for its event to end
  QMenu* m_contextMenu = nullptr;     // the right click's menu, from the main window
};

}  // namespace torvan
