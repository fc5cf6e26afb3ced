#pragma once
// CMSFlexGrid: the channel table widget. A QTableWidget whose fixed header row
// (row 0) and label column (column 0) are the table's headers, addressed the
// way the rest of the program addresses a grid: rows 0..Rows-1 and columns
// 0..Cols-1 including the fixed ones, a current cell (Row, Col) whose change
// fires leaveCell (while Row/Col still name the old cell) and then enterCell,
// column widths in twips, and the geometry of the current cell for editors
// laid over it.

#include <QColor>
#include <QRect>
#include <QTableWidget>
#include <string>
#include <string_view>
#include <vector>

#include "core/channels/TextGrid.h"

namespace torvan {

class CMSFlexGrid : public QTableWidget, public TextGrid {
  Q_OBJECT
 public:
  // Cell alignment codes of ColAlignment.
  enum Alignment : int {
    kAlignLeftTop = 0, kAlignLeftCenter = 1, kAlignLeftBottom = 2,
    kAlignCenterTop = 3, kAlignCenterCenter = 4, kAlignCenterBottom = 5,
    kAlignRightTop = 6, kAlignRightCenter = 7, kAlignRightBottom = 8,
    kAlignGeneral = 9,
  };
  // Selection highlighting of HighLight.
  enum HighLightMode : int { kHighLightNever = 0, kHighLightAlways = 1, kHighLightWithFocus = 2 };

  explicit CMSFlexGrid(QWidget* parent = nullptr);

  // --- Size (counts include the fixed row and column) -----------------------
  int Rows() const { return rowCount() + 1; }
  void SetRows(int rows);
  int Cols() const { return columnCount() + 1; }
  void SetCols(int cols);
  int FixedRows() const { return 1; }
  int FixedCols() const { return 1; }

  // --- Texts ------------------------------------------------------------------
  std::string TextMatrix(int row, int col) const override;
  void SetTextMatrix(int row, int col, std::string_view text) override;
  QString CellText(int row, int col) const;
  void SetCellText(int row, int col, const QString& text);
  // Text of the current cell.
  QString Text() const { return CellText(row_, col_); }
  void SetText(const QString& text) { SetCellText(row_, col_, text); }

  // Many cell changes at once (a decode writes 1800 cells): between
  // BeginUpdate and EndUpdate no per-cell notification or repaint happens;
  // EndUpdate repaints once. Calls nest.
  void BeginUpdate();
  void EndUpdate();

  // --- Current cell -----------------------------------------------------------
  int Row() const { return row_; }
  int Col() const { return col_; }
  // Moving the current cell fires leaveCell then enterCell; setting the same
  // cell again fires nothing. Only non-fixed cells can be current.
  void SetRow(int row);
  void SetCol(int col);

  // --- Columns ----------------------------------------------------------------
  // Width in twips. Before any SetColWidth every column reads the widget's
  // default width.
  int ColWidth(int col) const;
  void SetColWidth(int col, int twips);
  int ColAlignment(int col) const;
  void SetColAlignment(int col, int alignment);
  static int DefaultColWidthPixels() { return kDefaultColWidthPx; }

  int HighLight() const { return highLight_; }
  void SetHighLight(int mode);
  QColor ForeColorFixed() const { return foreColorFixed_; }
  void SetForeColorFixed(const QColor& c);

  // --- Geometry of the current cell -------------------------------------------
  // In twips, relative to the grid's client area (fixed row and column included).
  int CellLeft() const;
  int CellTop() const;
  int CellWidth() const;
  int CellHeight() const;
  // The same in pixels, in the coordinates of this widget: where an editor
  // that is a child of the grid lies exactly over the current cell.
  QRect CellRect() const;
  QRect CellRect(int row, int col) const;

  int TwipsToPixelsX(int twips) const;
  int TwipsToPixelsY(int twips) const;
  int PixelsToTwipsX(int px) const;
  int PixelsToTwipsY(int px) const;

 signals:
  void enterCell();
  void leaveCell();  // Row/Col still name the cell being left; fired before any scroll to the new cell
  // Any mouse button pressed over the grid, after the press moved the current cell.
  void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void scroll();

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void mousePressEvent(QMouseEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void updateGeometries() override;

 private:
  static constexpr int kDefaultColWidthPx = 100;

  QTableWidgetItem* ItemAt(int row, int col) const;
  // The item of a cell, made with `text` (and the column's alignment and the
  // fixed cells' colour) when the cell has none yet. Cells of the fixed row
  // and column always have one; other cells get one with their first text.
  QTableWidgetItem* EnsureItem(int row, int col, const QString& text = QString());
  Qt::Alignment QtAlignment(int col) const;
  void ApplyAlignment(int col);
  void StyleFixedItem(QTableWidgetItem* item, int col) const;
  void PlaceCorner();
  void MoveCurrent(int row, int col);

  int row_ = 1;
  int col_ = 1;
  int updateDepth_ = 0;
  bool movingSilently_ = false;
  int highLight_ = kHighLightAlways;
  QColor foreColorFixed_;
  std::vector<int> colTwips_;  // -1: never set, reads the default
  std::vector<int> colAlignment_;
  QWidget* corner_;  // cell (0, 0)
};

}  // namespace torvan
