#include "app/grid/FlexGrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <algorithm>
#include <cmath>

namespace torvan {
namespace {

// The alignment of a column before SetColAlignment.
constexpr Qt::Alignment kGeneralAlignment = Qt::AlignLeft | Qt::AlignVCenter;

// Text on a header must stand out from its background at least this much
// (the contrast ratio of relative luminances that keeps ordinary text readable).
constexpr double kMinTextContrast = 4.5;

double Luminance(const QColor& c) {
  const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
  return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Cell (0, 0): painted like a header section so that it matches its neighbours.
class CornerCell : public QWidget {
 public:
  explicit CornerCell(QWidget* parent) : QWidget(parent) {}
  QString text;
  QColor color;
  Qt::Alignment alignment = Qt::AlignCenter;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QStyleOptionHeader opt;
    opt.initFrom(this);
    opt.rect = rect();
    opt.text = text;
    opt.textAlignment = alignment;
    opt.position = QStyleOptionHeader::OnlyOneSection;
    opt.orientation = Qt::Horizontal;
    if (color.isValid()) opt.palette.setColor(QPalette::ButtonText, color);
    style()->drawControl(QStyle::CE_Header, &opt, &p, this);
  }
};

CornerCell* AsCorner(QWidget* w) { return static_cast<CornerCell*>(w); }

// The label column: its width is set by ColWidth(0), so its size hint need not
// measure 200 labels (which a plain header does every time the table lays out).
class LabelHeader : public QHeaderView {
 public:
  explicit LabelHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}
  QSize sizeHint() const override { return {minimumWidth(), length()}; }
};

}  // namespace

CMSFlexGrid::CMSFlexGrid(QWidget* parent)
    : QTableWidget(parent), corner_(new CornerCell(this)) {
  setVerticalHeader(new LabelHeader(this));
  setCornerButtonEnabled(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setSelectionMode(QAbstractItemView::SingleSelection);

  for (QHeaderView* h : {horizontalHeader(), verticalHeader()}) {
    h->setSectionsClickable(false);
    h->setHighlightSections(false);
    h->setSectionResizeMode(QHeaderView::Fixed);
  }
  horizontalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setDefaultSectionSize(kDefaultColWidth);
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  verticalHeader()->setFixedWidth(kDefaultColWidth);

  colAlignment_.assign(1, kGeneralAlignment);
  SetCols(2);
  SetRows(2);
}

// --- Size ----------------------------------------------------------------------

void CMSFlexGrid::SetRows(int rows) {
  // The view must hear of rows coming and going, also inside an update.
  const bool wasBlocked = model()->blockSignals(false);
  rows = std::max(rows, 2);
  const int oldRows = rowCount();
  setRowCount(rows - 1);
  // New rows are empty: only their labels get items now, their cells get one
  // with their first text (a decode of a few channels makes few items).
  model()->blockSignals(true);
  for (int r = oldRows; r < rows - 1; ++r) EnsureItem(r + 1, 0);
  model()->blockSignals(false);
  MoveCurrent(std::min(row_, rows - 1), col_);
  model()->blockSignals(wasBlocked);
}

void CMSFlexGrid::SetCols(int cols) {
  const bool wasBlocked = model()->blockSignals(false);
  cols = std::max(cols, 2);
  const int oldCols = columnCount();
  setColumnCount(cols - 1);
  colAlignment_.resize(static_cast<std::size_t>(cols), kGeneralAlignment);
  model()->blockSignals(true);
  for (int c = oldCols; c < cols - 1; ++c) EnsureItem(0, c + 1);
  model()->blockSignals(false);
  MoveCurrent(row_, std::min(col_, cols - 1));
  model()->blockSignals(wasBlocked);
}

// --- Texts ---------------------------------------------------------------------

QTableWidgetItem* CMSFlexGrid::ItemAt(int row, int col) const {
  if (row < 0 || col < 0 || row >= Rows() || col >= Cols()) return nullptr;
  if (row == 0 && col == 0) return nullptr;  // the corner is not an item
  if (row == 0) return horizontalHeaderItem(col - 1);
  if (col == 0) return verticalHeaderItem(row - 1);
  return item(row - 1, col - 1);
}

QTableWidgetItem* CMSFlexGrid::EnsureItem(int row, int col, const QString& text) {
  if (QTableWidgetItem* it = ItemAt(row, col)) return it;
  if (row < 0 || col < 0 || row >= Rows() || col >= Cols() || (row == 0 && col == 0)) return nullptr;
  // Made complete before the table takes it: one notification, not one per property.
  auto* it = new QTableWidgetItem(text);
  it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  it->setTextAlignment(ColAlignment(col));
  if (row == 0) {
    StyleFixedItem(it, col);
    setHorizontalHeaderItem(col - 1, it);
  } else if (col == 0) {
    StyleFixedItem(it, col);
    setVerticalHeaderItem(row - 1, it);
  } else {
    setItem(row - 1, col - 1, it);
  }
  return it;
}

void CMSFlexGrid::StyleFixedItem(QTableWidgetItem* item, int col) const {
  if (foreColorFixed_.isValid()) item->setForeground(FixedTextColor());
  item->setTextAlignment(ColAlignment(col));
}

QColor CMSFlexGrid::FixedTextColor() const {
  // The headers are painted on the palette's button colour (the corner cell too).
  const QColor background = palette().color(QPalette::Button);
  if (foreColorFixed_.isValid() && Contrast(foreColorFixed_, background) >= kMinTextContrast) return foreColorFixed_;
  return palette().color(QPalette::ButtonText);
}

void CMSFlexGrid::ColorFixedCells() {
  if (!foreColorFixed_.isValid()) return;
  const QColor c = FixedTextColor();
  BeginUpdate();
  for (int col = 1; col < Cols(); ++col)
    if (QTableWidgetItem* it = ItemAt(0, col)) it->setForeground(c);
  for (int row = 1; row < Rows(); ++row)
    if (QTableWidgetItem* it = ItemAt(row, 0)) it->setForeground(c);
  EndUpdate();
  AsCorner(corner_)->color = c;
  corner_->update();
}

void CMSFlexGrid::changeEvent(QEvent* event) {
  QTableWidget::changeEvent(event);
  // A new palette (a dark desktop theme) may make the fixed colour unreadable, or readable again.
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) ColorFixedCells();
}

QString CMSFlexGrid::CellText(int row, int col) const {
  if (row == 0 && col == 0) return AsCorner(corner_)->text;
  const QTableWidgetItem* it = ItemAt(row, col);
  return it ? it->text() : QString();
}

void CMSFlexGrid::SetCellText(int row, int col, const QString& text) {
  if (row == 0 && col == 0) {
    AsCorner(corner_)->text = text;
    corner_->update();
    return;
  }
  if (QTableWidgetItem* it = ItemAt(row, col)) {
    it->setText(text);
  } else if (!text.isEmpty()) {
    EnsureItem(row, col, text);  // a cell without an item reads empty: an empty text needs none
  }
}

void CMSFlexGrid::SetCellMark(int row, int col, const QString& why) {
  if (row < 1 || col < 1) return;  // only data cells are marked
  QTableWidgetItem* it = ItemAt(row, col);
  if (!it) {
    if (why.isEmpty()) return;
    it = EnsureItem(row, col);
  }
  if (it->toolTip() == why) return;
  it->setToolTip(why);
  it->setForeground(why.isEmpty() ? QBrush() : QBrush(QColor(kMarkColor)));
}

QString CMSFlexGrid::CellMark(int row, int col) const {
  const QTableWidgetItem* it = row >= 1 && col >= 1 ? ItemAt(row, col) : nullptr;
  return it ? it->toolTip() : QString();
}

std::string CMSFlexGrid::TextMatrix(int row, int col) const { return CellText(row, col).toStdString(); }

void CMSFlexGrid::SetTextMatrix(int row, int col, std::string_view text) {
  SetCellText(row, col, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void CMSFlexGrid::BeginUpdate() {
  if (updateDepth_++ == 0) model()->blockSignals(true);
}

void CMSFlexGrid::EndUpdate() {
  if (updateDepth_ == 0 || --updateDepth_ > 0) return;
  model()->blockSignals(false);
  viewport()->update();
  horizontalHeader()->viewport()->update();
  verticalHeader()->viewport()->update();
  corner_->update();
}

// --- Current cell ----------------------------------------------------------------

void CMSFlexGrid::SetRow(int row) {
  if (row < 1 || row >= Rows() || row == row_) return;
  setCurrentCell(row - 1, col_ - 1, MoveCommand());
}

void CMSFlexGrid::SetCol(int col) {
  if (col < 1 || col >= Cols() || col == col_) return;
  setCurrentCell(row_ - 1, col - 1, MoveCommand());
}

QItemSelectionModel::SelectionFlags CMSFlexGrid::MoveCommand() const {
  // A move by the program selects the new cell alone, as a click does: a
  // selection left behind would name rows the user has left.
  return selectionMode() == NoSelection ? QItemSelectionModel::NoUpdate : QItemSelectionModel::ClearAndSelect;
}

void CMSFlexGrid::MoveCurrent(int row, int col) {
  // Used while the grid changes size: no cell events.
  movingSilently_ = true;
  row_ = std::max(row, 1);
  col_ = std::max(col, 1);
  if (rowCount() > 0 && columnCount() > 0)
    setCurrentCell(row_ - 1, col_ - 1, QItemSelectionModel::NoUpdate);
  movingSilently_ = false;
}

void CMSFlexGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  const int row = current.row() + 1;
  const int col = current.column() + 1;
  const bool moves = current.isValid() && !movingSilently_ && (row != row_ || col != col_);
  // leaveCell comes before the table scrolls the new cell into view, so that
  // an editor over the cell being left is committed, not closed by the scroll.
  if (moves) emit leaveCell();
  QTableWidget::currentChanged(current, previous);
  if (!current.isValid()) return;
  if (movingSilently_) {
    row_ = row;
    col_ = col;
    return;
  }
  if (!moves) return;
  row_ = row;
  col_ = col;
  emit enterCell();
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event) {
  QTableWidget::mousePressEvent(event);
  const QPoint p = event->position().toPoint() + viewport()->pos();
  emit mouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void CMSFlexGrid::scrollContentsBy(int dx, int dy) {
  QTableWidget::scrollContentsBy(dx, dy);
  emit scroll();
}

// --- Columns ----------------------------------------------------------------------

int CMSFlexGrid::ColWidth(int col) const {
  if (col < 0 || col >= Cols()) return 0;
  return col == 0 ? verticalHeader()->width() : columnWidth(col - 1);
}

void CMSFlexGrid::SetColWidth(int col, int pixels) {
  if (col < 0 || col >= Cols() || pixels < 0) return;
  if (col == 0) {
    verticalHeader()->setFixedWidth(pixels);
    updateGeometries();
  } else {
    setColumnWidth(col - 1, pixels);
  }
}

Qt::Alignment CMSFlexGrid::ColAlignment(int col) const {
  if (col < 0 || col >= Cols()) return kGeneralAlignment;
  return colAlignment_[static_cast<std::size_t>(col)];
}

void CMSFlexGrid::SetColAlignment(int col, Qt::Alignment alignment) {
  if (col < 0 || col >= Cols()) return;
  colAlignment_[static_cast<std::size_t>(col)] = alignment;
  ApplyAlignment(col);
}

void CMSFlexGrid::ApplyAlignment(int col) {
  const Qt::Alignment al = ColAlignment(col);
  BeginUpdate();
  for (int r = 0; r < Rows(); ++r) {
    if (QTableWidgetItem* it = ItemAt(r, col)) it->setTextAlignment(al);
  }
  EndUpdate();
  if (col == 0) {
    AsCorner(corner_)->alignment = al;
    corner_->update();
  }
}

void CMSFlexGrid::SetForeColorFixed(const QColor& c) {
  foreColorFixed_ = c;
  ColorFixedCells();
}

// --- Geometry ----------------------------------------------------------------------

QRect CMSFlexGrid::CellRect(int row, int col) const {
  if (row < 0 || col < 0 || row >= Rows() || col >= Cols()) return {};
  const QRect vh = verticalHeader()->geometry();
  const QRect hh = horizontalHeader()->geometry();
  const QPoint vp = viewport()->pos();
  const int x = col == 0 ? vh.x() : vp.x() + columnViewportPosition(col - 1);
  const int w = col == 0 ? vh.width() : columnWidth(col - 1);
  const int y = row == 0 ? hh.y() : vp.y() + rowViewportPosition(row - 1);
  const int h = row == 0 ? hh.height() : rowHeight(row - 1);
  return {x, y, w, h};
}

QRect CMSFlexGrid::CellRect() const { return CellRect(row_, col_); }

void CMSFlexGrid::updateGeometries() {
  QTableWidget::updateGeometries();
  PlaceCorner();
}

void CMSFlexGrid::PlaceCorner() {
  if (!corner_) return;
  const QRect vh = verticalHeader()->geometry();
  const QRect hh = horizontalHeader()->geometry();
  corner_->setGeometry(vh.x(), hh.y(), vh.width(), hh.height());
  corner_->raise();
  corner_->show();
}

}  // namespace torvan
