#include <QPixmap>
#include <gtest/gtest.h>

#include "platform/ui/flex_grid.h"

namespace {

TEST(FlexGrid, CellsByRowColumnAndLinearIndex) {
  qw::FlexGrid grid;
  grid.SetCols(8);
  grid.SetRows(3);
  EXPECT_EQ(grid.Rows(), 3);
  EXPECT_EQ(grid.model()->rowCount(), 2);  // row 0 is the header
  EXPECT_TRUE(grid.SetTextArray(8 * 2 + 4, "Tern Landing"));
  EXPECT_EQ(grid.TextMatrix(2, 4), "Tern Landing");
  EXPECT_TRUE(grid.SetTextMatrix(0, 4, "Marina Name"));
  EXPECT_EQ(grid.TextArray(4), "Marina Name");
  // Outside the grid nothing is written.
  EXPECT_FALSE(grid.SetTextArray(8 * 3, "x"));
  EXPECT_FALSE(grid.SetTextMatrix(1, 8, "x"));
  EXPECT_FALSE(grid.SetTextMatrix(-1, 0, "x"));
  EXPECT_EQ(grid.TextMatrix(5, 5), "");
  // Fewer rows drop the cells of the removed rows.
  grid.SetRows(2);
  grid.SetRows(3);
  EXPECT_EQ(grid.TextMatrix(2, 4), "");
}

TEST(FlexGrid, FormatStringPicturesAndSizesInTwips) {
  qw::FlexGrid grid;
  grid.SetCols(3);
  grid.SetRows(2);
  grid.SetFormatString("|^Sunset    |<Marina Name                ");
  EXPECT_EQ(grid.TextMatrix(0, 1), "Sunset    ");
  EXPECT_EQ(grid.TextMatrix(0, 2), "Marina Name                ");
  const auto alignment = [&](const QVariant& value) { return value.toInt() & Qt::AlignHCenter; };
  EXPECT_EQ(alignment(grid.model()->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole)), Qt::AlignHCenter);
  EXPECT_GT(grid.ColWidth(2), grid.ColWidth(1));  // as wide as the texts
  EXPECT_EQ(grid.ColWidth(0), 0);
  grid.SetTextMatrix(1, 1, "x");
  EXPECT_EQ(alignment(grid.model()->index(0, 1).data(Qt::TextAlignmentRole)), Qt::AlignHCenter);

  grid.SetColWidth(2, 2400);
  EXPECT_EQ(grid.ColWidth(2), 2400);
  grid.SetColWidth(1, 500);  // 33.3 pixels: the twips stand as set
  EXPECT_EQ(grid.ColWidth(1), 500);
  grid.setColumnWidth(1, 40);  // a user drag wins
  EXPECT_EQ(grid.ColWidth(1), 600);
  grid.SetRowHeight(1, 300);
  grid.SetRowHeight(0, 300);
  EXPECT_EQ(grid.RowHeight(1), 300);
  EXPECT_EQ(grid.RowHeight(0), 300);

  QPixmap bell(19, 17);
  bell.fill(Qt::blue);
  grid.SetRow(1);
  grid.SetCol(1);
  grid.SetCellPicture(bell);
  grid.SetCellPictureAlignment(qw::FlexGrid::kPictureCentre);
  EXPECT_EQ(grid.CellPicture(1, 1).size(), QSize(19, 17));
  EXPECT_EQ(grid.CellPictureAlignment(1, 1), qw::FlexGrid::kPictureCentre);
  EXPECT_TRUE(grid.CellPicture(1, 2).isNull());
  grid.SetCellPicture(QPixmap());
  EXPECT_TRUE(grid.CellPicture(1, 1).isNull());

  grid.SetRedraw(false);
  EXPECT_FALSE(grid.updatesEnabled());
  grid.SetRedraw(true);
  EXPECT_TRUE(grid.updatesEnabled());
}

}  // namespace
