// The toolkit's grid and progress bar on their own: what the commands rely
// on beyond what the window tests see.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProgressBar>

#include "toolkit/ProgressBar.h"
#include "toolkit/StringGrid.h"

namespace {

TEST(StringGridTest, CellsKeepTheirTextsThroughRewritesRowCountsAndCompaction) {
  TStringGrid grid;
  grid.SetColCount(6);
  grid.SetRowCount(3);
  grid.Cells[0][0] = QStringLiteral("File");
  grid.Cells[3][2] = "a much longer name than before";
  grid.Cells[3][2] = "short";  // fits where the longer text was
  EXPECT_EQ(grid.Cell(3, 2), QStringLiteral("short"));
  EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("File"));

  // Rewrite every cell many times with growing texts: the packed store
  // compacts itself on the way and no text may change under it.
  grid.SetRowCount(2001);
  for (int round = 0; round < 40; ++round) {
    for (int row = 1; row <= 2000; ++row) {
      grid.Cells[3][row] = "name " + std::to_string(row) + std::string(round % 7, 'x');
    }
  }
  for (int row = 1; row <= 2000; ++row) {
    ASSERT_EQ(grid.CellText(3, row), "name " + std::to_string(row) + std::string(39 % 7, 'x'));
  }
  EXPECT_EQ(grid.Cell(0, 0), QStringLiteral("File"));

  grid.SetRowCount(3);  // rows that stay keep their cells, new ones are empty
  grid.SetRowCount(5);
  EXPECT_EQ(grid.CellText(3, 2), "name 2xxxx");
  EXPECT_EQ(grid.CellText(3, 4), "");
  EXPECT_EQ(grid.CellText(9, 1), "");  // outside the grid: nothing, no crash
  grid.Cells[9][1] = "ignored";

  grid.ClearCells(0, 4, 1, 4);
  EXPECT_EQ(grid.CellText(3, 2), "");
  EXPECT_EQ(grid.Cell(0, 0), QStringLiteral("File"));
}

TEST(StringGridTest, SelectedRowStaysWithinTheBodyRows) {
  TStringGrid grid;
  grid.SetRowCount(10);
  grid.SetRow(7);
  EXPECT_EQ(grid.Row(), 7);
  grid.SetRow(0);  // the header row cannot be selected
  EXPECT_EQ(grid.Row(), 7);
  grid.SetRowCount(4);
  EXPECT_EQ(grid.Row(), 3);
  grid.SetRowCount(1000);
  EXPECT_EQ(grid.Row(), 3);
}

TEST(StringGridTest, TextsThatAreNotUtf8AreShownAsLatin1) {
  TStringGrid grid;
  grid.Cells[1][1] = std::string_view("caf\xe9", 4);
  EXPECT_EQ(grid.Cell(1, 1), QString::fromUtf8("caf\xc3\xa9"));
  grid.Cells[1][1] = QString::fromUtf8("\xc5\xbc\xc3\xb3\xc5\x82w");
  EXPECT_EQ(grid.Cell(1, 1), QString::fromUtf8("\xc5\xbc\xc3\xb3\xc5\x82w"));
}

TEST(ProgressBarTest, PositionStaysWithinMaxAndAnEmptyMaxIsNoBusyIndicator) {
  TProgressBar bar;
  EXPECT_EQ(bar.Max(), 100);
  bar.SetPosition(150);
  EXPECT_EQ(bar.Position(), 100);
  bar.SetMax(0);
  EXPECT_EQ(bar.Position(), 0);
  QCoreApplication::processEvents();  // the bar is shown once the handler returns
  EXPECT_GT(bar.maximum(), bar.minimum());
  EXPECT_EQ(bar.value(), 0);
  bar.SetMax(3);
  for (int i = 0; i < 3; ++i) bar.SetPosition(i);
  QCoreApplication::processEvents();
  EXPECT_EQ(bar.maximum(), 3);
  EXPECT_EQ(bar.value(), 2);
}

}  // namespace
