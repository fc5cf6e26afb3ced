// The in-memory grid and the bulk row access that the codec uses.

#include "core/channels/TextGrid.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace torvan {
namespace {

// A grid with only the two cell operations: the bulk access falls back to them,
// as a grid widget that does not override it does.
class CellOnlyGrid : public TextGrid {
 public:
  std::string TextMatrix(int row, int col) const override { return cells_.TextMatrix(row, col); }
  void SetTextMatrix(int row, int col, std::string_view text) override { cells_.SetTextMatrix(row, col, text); }

 private:
  MemoryTextGrid cells_;
};

TEST(TextGrid, RowLabelsAndEmptyCells) {
  const MemoryTextGrid g;
  EXPECT_EQ(g.TextMatrix(1, 0), "Pr");
  EXPECT_EQ(g.TextMatrix(2, 0), "  1");
  EXPECT_EQ(g.TextMatrix(200, 0), "199");
  EXPECT_EQ(g.TextMatrix(200, 9), "");
  EXPECT_THROW(g.TextMatrix(201, 1), std::out_of_range);
  EXPECT_THROW(g.TextMatrix(1, 10), std::out_of_range);
  DataRowViews views;
  DataRowScratch scratch;
  EXPECT_THROW(g.ReadDataRow(201, views, scratch), std::out_of_range);
}

TEST(TextGrid, RowWritesOverTextsOfEveryLength) {
  // Same-length texts take a short copy; every length must come out whole.
  for (std::size_t n = 0; n <= 40; ++n) {
    MemoryTextGrid memory;
    CellOnlyGrid cellOnly;
    for (TextGrid* g : {static_cast<TextGrid*>(&memory), static_cast<TextGrid*>(&cellOnly)}) {
      DataRowViews first, second;
      const std::string a(n, 'a');
      std::string b;
      for (std::size_t k = 0; k < n; ++k) b += static_cast<char>('A' + k % 26);
      first.fill(a);
      second.fill(b);
      second[8] = "X";  // a different length in the same row
      g->SetDataRow(7, first);
      g->SetDataRow(7, second);
      for (int col = 1; col <= 8; ++col) EXPECT_EQ(g->TextMatrix(7, col), b) << "length " << n << ", column " << col;
      EXPECT_EQ(g->TextMatrix(7, 9), "X");
      EXPECT_EQ(g->TextMatrix(7, 0), "  6") << "the label stays";
      EXPECT_EQ(g->TextMatrix(6, 1), "");
      EXPECT_EQ(g->TextMatrix(8, 1), "");

      DataRowViews read;
      DataRowScratch scratch;
      g->ReadDataRow(7, read, scratch);
      for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(read[i], b);
      EXPECT_EQ(read[8], "X");
    }
  }
}

}  // namespace
}  // namespace torvan
