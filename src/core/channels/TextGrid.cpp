#include "core/channels/TextGrid.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace torvan {

std::string RowLabel(int row) {
  if (row == 1) return "Pr";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%3d", row - 1);
  return buf;
}

namespace {

// Copies n bytes without a call for the short texts of grid cells: two
// overlapping words cover every length from 4 to 16.
void CopyShortText(char* dst, const char* src, std::size_t n) {
  if (n >= 8 && n <= 16) {
    std::uint64_t head = 0, tail = 0;
    std::memcpy(&head, src, 8);
    std::memcpy(&tail, src + n - 8, 8);
    std::memcpy(dst, &head, 8);
    std::memcpy(dst + n - 8, &tail, 8);
  } else if (n >= 4 && n < 8) {
    std::uint32_t head = 0, tail = 0;
    std::memcpy(&head, src, 4);
    std::memcpy(&tail, src + n - 4, 4);
    std::memcpy(dst, &head, 4);
    std::memcpy(dst + n - 4, &tail, 4);
  } else if (n < 4) {
    for (std::size_t i = 0; i < n; ++i) dst[i] = src[i];
  } else {
    std::memcpy(dst, src, n);
  }
}

}  // namespace

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

void MemoryTextGrid::CheckDataRow(int row) {
  if (row < 0 || row >= kGridRows) throw std::out_of_range("grid row");
}

void MemoryTextGrid::SetDataRow(int row, const DataRowViews& texts) {
  CheckDataRow(row);
  auto& cells = cells_[static_cast<std::size_t>(row)];
  for (std::size_t i = 0; i < texts.size(); ++i) {
    std::string& cell = cells[i + 1];
    const std::string_view text = texts[i];
    // A text of the same length (frequencies always are) is copied over the
    // old one without the general replace.
    if (cell.size() == text.size()) {
      CopyShortText(cell.data(), text.data(), text.size());
    } else {
      cell.assign(text);
    }
  }
}

void MemoryTextGrid::ReadDataRow(int row, DataRowViews& out, DataRowScratch& /*scratch*/) const {
  CheckDataRow(row);
  const auto& cells = cells_[static_cast<std::size_t>(row)];
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = cells[i + 1];
}

void MemoryTextGrid::SetTextMatrix(int row, int col, std::string_view text) {
  Cell(row, col).assign(text);  // in place: the cell's storage is reused
}

}  // namespace torvan
