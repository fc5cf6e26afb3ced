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
// Enter, and before every encode; scrolling closes it without a commit.
// The editing part lives in TorvanViewEditing.cpp.

#include <QWidget>
#include <string>
#include <vector>

#include "app/grid/FlexGrid.h"
#include "core/channels/CellRules.h"
#include "core/radio/RadioImage.h"

class QComboBox;
class QKeyEvent;
class QLineEdit;

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
  void DecodeImage();
  // Commits an open cell editor, then writes the band limits and all 200 rows
  // into the document's image (or into `image`).
  void EncodeImage();
  void EncodeImage(RadioImage& image);

  // Commits the open in-place editor into the current cell through the cell
  // rules: a frequency outside the band or off the channel raster is refused
  // with a warning and empties the row (Rx) or the cell (Tx); a new channel
  // gets its defaults. Without an open editor it does nothing, so calling it
  // twice is harmless. Write, the clone session and every encode call it first.
  void OnLeaveCellGrid();

  // The editor of grid column `col` (1..9; any other column gives the Rx
  // frequency editor); nullptr before the grid is set up.
  QWidget* EditorForColumn(int col) const;
  QWidget* EditorForColumn() const { return EditorForColumn(m_grid.Col()); }
  // The editor that is open (shown and not yet committed), or nullptr.
  QWidget* OpenEditor() const;

 signals:
  // The caption the main window takes after a decode.
  void mainCaptionChanged(const QString& caption);

 protected:
  // The keyboard hook of the grid and its editors: Enter and Tab commit and
  // move on, Shift+Tab moves back, Escape keeps the open editor as it is, and
  // typing on the grid opens the current cell's editor with what was typed.
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
  bool m_committing = false;      // a warning of a commit is on screen
  bool m_passingThrough = false;  // a two-step move is in its first step
};

}  // namespace torvan
