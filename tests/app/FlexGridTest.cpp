// The grid widget on its own: cell events, current cell, texts, geometry.

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPalette>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "app/grid/FlexGrid.h"

namespace torvan::test {
namespace {

class Grid : public testing::Test {
 protected:
  void SetUp() override {
    g.SetRows(201);
    g.SetCols(10);
    g.resize(900, 500);
    g.show();
    QApplication::processEvents();
  }
  CMSFlexGrid g;
};

TEST_F(Grid, LeaveFiresWhileRowAndColStillNameTheOldCell) {
  std::vector<std::string> events;
  QObject::connect(&g, &CMSFlexGrid::leaveCell, [&] {
    events.push_back("leave " + std::to_string(g.Row()) + "," + std::to_string(g.Col()));
  });
  QObject::connect(&g, &CMSFlexGrid::enterCell, [&] {
    events.push_back("enter " + std::to_string(g.Row()) + "," + std::to_string(g.Col()));
  });
  EXPECT_EQ(g.Row(), 1);
  EXPECT_EQ(g.Col(), 1);
  g.SetCol(9);
  g.SetRow(200);
  g.SetRow(200);  // the same cell again: nothing
  g.SetCol(0);    // a fixed column cannot be current
  EXPECT_EQ(events, (std::vector<std::string>{"leave 1,1", "enter 1,9", "leave 1,9", "enter 200,9"}));
}

TEST_F(Grid, ClickMovesTheCurrentCellThenReportsTheMouse) {
  std::vector<std::string> events;
  QObject::connect(&g, &CMSFlexGrid::enterCell, [&] { events.push_back("enter"); });
  QObject::connect(&g, &CMSFlexGrid::mouseDown, [&](Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
    events.push_back(b == Qt::RightButton ? "right down" : "down " + std::to_string(g.Row()) + "," +
                                                                std::to_string(g.Col()));
  });
  const QRect cell = g.CellRect(3, 4);
  QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cell.center() - g.viewport()->pos());
  // A click on the cell that is already current reports the mouse again.
  QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cell.center() - g.viewport()->pos());
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "down 3,4", "down 3,4"}));
}

TEST_F(Grid, TextsOfFixedAndDataCells) {
  g.SetTextMatrix(0, 0, "CH");
  g.SetTextMatrix(0, 9, "信道名字");
  g.SetTextMatrix(200, 0, "199");
  g.SetTextMatrix(17, 3, "88.5");
  EXPECT_EQ(g.TextMatrix(0, 0), "CH");
  EXPECT_EQ(g.TextMatrix(0, 9), "信道名字");
  EXPECT_EQ(g.TextMatrix(200, 0), "199");
  EXPECT_EQ(g.TextMatrix(17, 3), "88.5");
  EXPECT_EQ(g.TextMatrix(17, 4), "");
  g.SetRow(17);
  g.SetCol(3);
  EXPECT_EQ(g.Text(), "88.5");
  // Texts written inside an update are there once it ends.
  g.BeginUpdate();
  g.SetTextMatrix(5, 5, "High");
  g.EndUpdate();
  EXPECT_EQ(g.item(4, 4)->text(), "High");
}

TEST_F(Grid, EmptyCellsReadEmptyAndTakeTheColumnsLookWhenWritten) {
  // Alignment and colours set while the cells are still empty hold for texts
  // written into them later, inside an update or not.
  g.SetColAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
  g.SetForeColorFixed(QColor(0, 50, 240));
  g.SetTextMatrix(9, 4, "Low");
  g.BeginUpdate();
  g.SetTextMatrix(10, 4, "High");
  g.SetTextMatrix(11, 4, "");
  g.EndUpdate();
  EXPECT_EQ(g.TextMatrix(9, 4), "Low");
  EXPECT_EQ(g.TextMatrix(10, 4), "High");
  EXPECT_EQ(g.TextMatrix(11, 4), "");
  EXPECT_EQ(g.TextMatrix(12, 4), "");
  for (int row : {9, 10}) EXPECT_EQ(g.item(row - 1, 3)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter)) << row;
  // Writing outside the grid changes nothing (and leaves nothing behind).
  g.SetTextMatrix(201, 4, "x");
  g.SetTextMatrix(5, 10, "x");
  EXPECT_EQ(g.TextMatrix(201, 4), "");
  EXPECT_EQ(g.Rows(), 201);
  EXPECT_EQ(g.Cols(), 10);
  // Rows that go and come back are empty, with labels in the fixed colour.
  g.SetTextMatrix(150, 4, "Low");
  g.SetRows(100);
  g.SetRows(201);
  EXPECT_EQ(g.TextMatrix(150, 4), "");
  g.SetTextMatrix(150, 0, "149");
  EXPECT_EQ(g.verticalHeaderItem(149)->text(), "149");
  EXPECT_EQ(g.verticalHeaderItem(149)->foreground().color(), QColor(0, 50, 240));
}

// Pixels of a strongly blue text (the fixed colour) in a part of the grid.
int BluePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.blue() > c.red() + 80 && c.blue() > c.green() + 80) ++n;
    }
  return n;
}

QPalette DarkPalette() {
  QPalette p;
  for (auto role : {QPalette::Window, QPalette::Button}) p.setColor(role, QColor(53, 53, 53));
  p.setColor(QPalette::Base, QColor(42, 42, 42));
  for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) p.setColor(role, QColor(230, 230, 230));
  return p;
}

TEST_F(Grid, FixedTextIsBlueOnALightPaletteAndReadableOnADarkOne) {
  const QColor blue(0, 50, 240);
  g.SetTextMatrix(0, 0, "CH");
  g.SetTextMatrix(0, 1, "Rx Frequency");
  g.SetTextMatrix(5, 0, "4");
  g.SetForeColorFixed(blue);
  const QPalette light = g.palette();
  const auto corner = [this] { return g.grab(g.CellRect(0, 0)).toImage(); };
  struct Case {
    const char* name;
    QPalette palette;
    bool blue;
  };
  for (const Case& c : {Case{"light", light, true}, Case{"dark", DarkPalette(), false}, Case{"light again", light, true}}) {
    g.setPalette(c.palette);
    QApplication::processEvents();
    const QColor expected = c.blue ? blue : c.palette.color(QPalette::ButtonText);
    EXPECT_EQ(g.FixedTextColor(), expected) << c.name;
    EXPECT_EQ(g.horizontalHeaderItem(0)->foreground().color(), expected) << c.name;
    EXPECT_EQ(g.verticalHeaderItem(4)->foreground().color(), expected) << c.name;
    // What the user sees in the corner: "CH" in blue, or no blue at all on the dark headers.
    const int bluePixels = BluePixels(corner());
    if (c.blue) EXPECT_GT(bluePixels, 0) << c.name;
    else EXPECT_EQ(bluePixels, 0) << c.name;
  }
  // Rows made later take the colour of the palette in use.
  g.setPalette(DarkPalette());
  g.SetRows(100);
  g.SetRows(201);
  EXPECT_EQ(g.verticalHeaderItem(150)->foreground().color(), DarkPalette().color(QPalette::ButtonText));
}

TEST_F(Grid, CellGeometryFollowsScrolling) {
  g.SetRow(1);
  const QRect first = g.CellRect();
  EXPECT_EQ(first.topLeft(), g.viewport()->pos());
  EXPECT_EQ(first.size(), QSize(g.columnWidth(0), g.rowHeight(0)));
  QSignalSpy scrolled(&g, &CMSFlexGrid::scroll);
  g.verticalScrollBar()->setValue(10);
  EXPECT_GE(scrolled.count(), 1);
  EXPECT_LT(g.CellRect().y(), first.y());  // the current cell moved up out of sight
}

TEST_F(Grid, ColumnWidthsMoveTheColumnsTheLabelsAndTheCorner) {
  EXPECT_EQ(g.ColWidth(4), CMSFlexGrid::kDefaultColWidth);
  EXPECT_EQ(g.ColWidth(0), CMSFlexGrid::kDefaultColWidth);
  g.SetColWidth(4, 110);
  g.SetColWidth(0, 40);
  QApplication::processEvents();
  EXPECT_EQ(g.ColWidth(4), 110);
  EXPECT_EQ(g.columnWidth(3), 110);
  EXPECT_EQ(g.CellRect(1, 5).x(), g.CellRect(1, 4).right() + 1);
  // The label column and the corner above it are as wide as column 0 is set,
  // and the first data column starts right after them.
  EXPECT_EQ(g.verticalHeader()->width(), 40);
  EXPECT_EQ(g.CellRect(0, 0).width(), 40);
  EXPECT_EQ(g.CellRect(1, 1).x(), g.CellRect(1, 0).right() + 1);
}

}  // namespace
}  // namespace torvan::test
