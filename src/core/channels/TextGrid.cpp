#include "channels/TextGrid.h"

#include <cstdio>
#include <stdexcept>

namespace torvan {

std::string RowLabel(int row) {
  if (row == 1) return "Pr";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%3d", row - 1);
  return buf;
}

MemoryTextGrid::MemoryTextGrid() : cells_(kGridRows) {
  for (int r = 1; r < kGridRows; ++r) cells_[r][0] = RowLabel(r);
}

std::string& MemoryTextGrid::Cell(int row, int col) {
  if (row < 0 || row >= kGridRows || col < 0 || col >= kGridCols) throw std::out_of_range("grid cell");
  return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

const std::string& MemoryTextGrid::Cell(int row, int col) const {
  if (row < 0 || row >= kGridRows || col < 0 || col >= kGridCols) throw std::out_of_range("grid cell");
  return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

std::string MemoryTextGrid::TextMatrix(int row, int col) const { return Cell(row, col); }

std::string_view MemoryTextGrid::TextView(int row, int col, std::string& /*scratch*/) const { return Cell(row, col); }

void MemoryTextGrid::SetTextMatrix(int row, int col, std::string_view text) {
  Cell(row, col).assign(text);  // in place: the cell's storage is reused
}

}  // namespace torvan
