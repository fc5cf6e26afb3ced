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

std::string MemoryTextGrid::TextMatrix(int row, int col) const {
  if (row < 0 || row >= kGridRows || col < 0 || col >= kGridCols) throw std::out_of_range("grid cell");
  return cells_[row][col];
}

void MemoryTextGrid::SetTextMatrix(int row, int col, std::string_view text) {
  if (row < 0 || row >= kGridRows || col < 0 || col >= kGridCols) throw std::out_of_range("grid cell");
  cells_[row][col] = std::string(text);
}

}  // namespace torvan
