#pragma once
// CTorvanView: the channel page of a document — the form that holds the
// channel grid. The grid is the only copy of the channel data while the user
// edits: DecodeImage fills it from the document's image when the view is first
// shown, EncodeImage writes it back before a save (and before a radio write).
//
// Room for what builds on the view: the in-place editors are created in
// SetUpGrid as children of m_grid and committed by OnLeaveCellGrid; the
// transfer commands, the progress dialog and the port setup dialog are view
// members too (see OnEnterCellGrid / OnMouseDownGrid / OnScrollGrid for the
// grid events they hook into).

#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "grid/FlexGrid.h"
#include "shell/LanguageDialog.h"

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

  // Commits the open in-place editor into the current cell. Without an open
  // editor it does nothing, so calling it twice is harmless.
  void OnLeaveCellGrid();

  // Setup > Language: the language dialog, and on a change the restart.
  void OnLanguage();

  CLanguageDialog& LanguageDialog() { return m_languageDialog; }

 signals:
  // The caption the main window takes after a decode.
  void mainCaptionChanged(const QString& caption);

 private slots:
  void OnEnterCellGrid();
  void OnMouseDownGrid(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void OnScrollGrid();

 private:
  void SetUpGrid();

  CTorvanDoc* m_pDocument;
  CMSFlexGrid m_grid;
  std::array<int, kPrintPageTableSize> m_pageEndRows{};
  int m_usedChannels = 0;
  int m_bWrite = 0;
  int m_bFirstUpdate = 1;
  CLanguageDialog m_languageDialog;
  std::vector<std::string> m_toneTexts;
};

}  // namespace torvan
