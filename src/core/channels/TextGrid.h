#pragma once
// The text grid that the channel codec, the edit rules and printing work on:
// 201 rows x 10 columns of texts, row 0 and column 0 fixed. Grid row r
// (1..200) shows channel r - 1. The desktop grid widget implements it, and so
// does the plain in-memory table below.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace torvan {

inline constexpr int kGridRows = 201;  // including the header row
inline constexpr int kGridCols = 10;   // including the label column

// Data columns of a channel row.
enum Column : int {
  kColLabel = 0,
  kColRxFrequency = 1,
  kColTxFrequency = 2,
  kColRxTone = 3,
  kColTxTone = 4,
  kColPower = 5,
  kColBusyLock = 6,
  kColScanAdd = 7,
  kColBandwidth = 8,
  kColName = 9,
};

// The data cells of one row: columns 1..9.
inline constexpr int kDataCols = 9;
using DataRowViews = std::array<std::string_view, kDataCols>;
using DataRowScratch = std::array<std::string, kDataCols>;

// Grid row of channel n (0..199), and back.
constexpr int RowOfChannel(int channel) { return channel + 1; }
constexpr int ChannelOfRow(int row) { return row - 1; }

// Label of data row r: "Pr" for row 1, "%3d" of r - 1 for rows 2..200.
std::string RowLabel(int row);

class TextGrid {
 public:
  virtual ~TextGrid() = default;
  // Text of any cell; "" for an empty cell. Rows 0..200, columns 0..9.
  virtual std::string TextMatrix(int row, int col) const = 0;
  virtual void SetTextMatrix(int row, int col, std::string_view text) = 0;

  // Bulk access to the nine data cells (columns 1..9) of row `row`, for the
  // channel codec, which reads or writes all 1800 of them at once. The
  // defaults go cell by cell; a grid may do better.
  //
  // Writes texts[i] into column i + 1.
  virtual void SetDataRow(int row, const DataRowViews& texts) {
    for (int i = 0; i < kDataCols; ++i) SetTextMatrix(row, i + 1, texts[static_cast<std::size_t>(i)]);
  }
  // Views of the texts of columns 1..9. They stay valid until a cell of the
  // row changes or `scratch` is used again: the default copies into
  // `scratch`; a grid that keeps std::strings may return views of its own.
  virtual void ReadDataRow(int row, DataRowViews& out, DataRowScratch& scratch) const {
    for (int i = 0; i < kDataCols; ++i) {
      const auto k = static_cast<std::size_t>(i);
      scratch[k] = TextMatrix(row, i + 1);
      out[k] = scratch[k];
    }
  }
};

// A plain in-memory grid of 201 x 10 texts: row labels in column 0, all other
// cells empty.
class MemoryTextGrid : public TextGrid {
 public:
  MemoryTextGrid();
  std::string TextMatrix(int row, int col) const override;
  void SetTextMatrix(int row, int col, std::string_view text) override;
  void SetDataRow(int row, const DataRowViews& texts) override;
  void ReadDataRow(int row, DataRowViews& out, DataRowScratch& scratch) const override;

 private:
  std::string& Cell(int row, int col);
  const std::string& Cell(int row, int col) const;
  static void CheckDataRow(int row);

  std::vector<std::array<std::string, kGridCols>> cells_;
};

}  // namespace torvan
