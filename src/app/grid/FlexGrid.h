#pragma once
// CMSFlexGrid: the channel table widget. A QTableWidget whose fixed header row
// (row 0) and label column (column 0) are the table's headers, addressed the
// way the rest of the program addresses a grid: rows 0..Rows-1 and columns
// 0..Cols-1 including the fixed ones, a current cell (Row, Col) whose change
// fires leaveCell (while Row/Col still name the old cell) and then enterCell,
// a width and an alignment per column, and the geometry of the current cell
// for editors laid over it.

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
  // The width of a column before SetColWidth, in pixels.
  static constexpr int kDefaultColWidth = 100;

  explicit CMSFlexGrid(QWidget* parent = nullptr);

  // --- Size (counts include the fixed row and column) -----------------------
  int Rows() const { return rowCount() + 1; }
  void SetRows(int rows);
  int Cols() const { return columnCount() + 1; }
  void SetCols(int cols);

  // --- Texts ------------------------------------------------------------------
  std::string TextMatrix(int row, int col) const override;
  void SetTextMatrix(int row, int col, std::string_view text) override;
  QString CellText(int row, int col) const;
  void SetCellText(int row, int col, const QString& text);
  // Text of the current cell.
  QString Text() const { return CellText(row_, col_); }

  // Marks a data cell whose value needs the user's eye: its text in red and
  // `why` as its tooltip. An empty `why` takes the mark away.
  void SetCellMark(int row, int col, const QString& why);
  // The reason a cell is marked; empty when it is not.
  QString CellMark(int row, int col) const;

  // Many cell changes at once (a decode writes 1800 cells): between
  // BeginUpdate and EndUpdate no per-cell notification or repaint happens;
  // EndUpdate repaints once. Calls nest.
  void BeginUpdate();
  void EndUpdate();

  // The text colour of a marked cell.
  static constexpr QRgb kMarkColor = qRgb(220, 0, 0);

  // --- Current cell -----------------------------------------------------------
  int Row() const { return row_; }
  int Col() const { return col_; }
  // Moving the current cell fires leaveCell then enterCell; setting the same
  // cell again fires nothing. Only non-fixed cells can be current. With a
  // selection mode, the new current cell becomes the selection.
  void SetRow(int row);
  void SetCol(int col);

  // --- Columns ----------------------------------------------------------------
  // Width in pixels (column 0: the label column). Before any SetColWidth
  // every column is kDefaultColWidth wide.
  int ColWidth(int col) const;
  void SetColWidth(int col, int pixels);
  // The alignment of every cell of a column, those written later included;
  // left and vertically centred before any SetColAlignment.
  Qt::Alignment ColAlignment(int col) const;
  void SetColAlignment(int col, Qt::Alignment alignment);
  // The text colour of the header row and the label column.
  void SetForeColorFixed(const QColor& c);
  // The colour those texts are drawn in: the one set while it is readable on
  // the headers' background of the current palette, otherwise the palette's
  // own header text colour (a dark palette turns blue text unreadable).
  QColor FixedTextColor() const;

  // --- Geometry ---------------------------------------------------------------
  // A cell's rectangle in the coordinates of this widget (the fixed row and
  // column included): where an editor that is a child of the grid lies
  // exactly over it.
  QRect CellRect() const;
  QRect CellRect(int row, int col) const;

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
  void changeEvent(QEvent* event) override;

 private:
  QTableWidgetItem* ItemAt(int row, int col) const;
  // The item of a cell, made with `text` (and the column's alignment and the
  // fixed cells' colour) when the cell has none yet. Cells of the fixed row
  // and column always have one; other cells get one with their first text.
  QTableWidgetItem* EnsureItem(int row, int col, const QString& text = QString());
  void ApplyAlignment(int col);
  void StyleFixedItem(QTableWidgetItem* item, int col) const;
  // Gives every fixed cell FixedTextColor().
  void ColorFixedCells();
  void PlaceCorner();
  void MoveCurrent(int row, int col);
  // How SetRow and SetCol change the selection.
  QItemSelectionModel::SelectionFlags MoveCommand() const;

  int row_ = 1;
  int col_ = 1;
  int updateDepth_ = 0;
  bool movingSilently_ = false;
  QColor foreColorFixed_;
  std::vector<Qt::Alignment> colAlignment_;
  QWidget* corner_;  // cell (0, 0)
};

}  // namespace torvan
