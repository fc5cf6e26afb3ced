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
#include <array>
#include <string>
#include <vector>

#include "core/channels/CellRules.h"
#include "app/grid/FlexGrid.h"
#include "app/link/ComSetupDialog.h"
#include "app/link/ProgressDialog.h"
#include "app/shell/LanguageDialog.h"

class QComboBox;
class QKeyEvent;
class QLineEdit;

namespace torvan {

class CTorvanDoc;

class CTorvanView : public QWidget {
  Q_OBJECT
 public:
  // Pages of a channel print: entry 0 is 0, entries 1..29 start at 200.
  static constexpr int kPrintPageTableSize = 30;
  // The blue of the header row and the label column.
  static constexpr QRgb kFixedTextColor = qRgb(0, 50, 240);

  explicit CTorvanView(CTorvanDoc* doc, QWidget* parent = nullptr);

  CTorvanDoc* GetDocument() const { return m_pDocument; }
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
  // into the document's image.
  void EncodeImage();

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

  // Setup > Language: the language dialog, and on a change the restart.
  void OnLanguage();

  // The view's dialogs (language, port, transfer progress) are made on first
  // use and kept as long as the view.
  CLanguageDialog& LanguageDialog();

  // --- Transfers with the radio and the port (link/ViewTransfer.cpp) ----------
  // Program > Read / Write: set the direction and offer the progress dialog;
  // while it is offered or its transfer runs, only the direction changes.
  void OnRead();
  void OnWrite();
  // The transfer the progress dialog's OK starts: one clone session with the
  // radio on the port of the next transfer.
  void OnCloneStart();
  // Setup > Com Setup.
  void OnComSetup();
  bool WriteDirection() const { return m_bWrite != 0; }
  // True while the progress dialog is offered or its transfer runs.
  bool TransferOffered() const { return m_pProgressDialog && m_pProgressDialog->WindowExists(); }
  // True while a clone session runs (it holds the document's image and the port).
  bool TransferRunning() const { return m_bTransferRunning; }
  CProgressDialog& ProgressDialog();
  CComSetupDialog& ComSetupDialog();
  // Keys that also act while the progress window has the keyboard.
  void SetTransferKeys(const QList<QAction*>& keys);

 signals:
  // The caption the main window takes after a decode.
  void mainCaptionChanged(const QString& caption);
  // A clone session starts (true) or has ended (false).
  void transferRunningChanged(bool running);

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

  CTorvanDoc* m_pDocument;
  CMSFlexGrid m_grid;
  std::array<int, kPrintPageTableSize> m_pageEndRows{};
  int m_usedChannels = 0;
  int m_bWrite = 0;
  int m_bFirstUpdate = 1;
  CLanguageDialog* m_languageDialog = nullptr;
  std::vector<std::string> m_toneTexts;
  CProgressDialog* m_pProgressDialog = nullptr;  // a child: reused for every transfer
  CComSetupDialog* m_comSetupDialog = nullptr;
  QList<QAction*> m_transferKeys;
  bool m_bTransferRunning = false;

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
  bool m_bCommitting = false;      // a warning of a commit is on screen
  bool m_bPassingThrough = false;  // a two-step move is in its first step
};

}  // namespace torvan
