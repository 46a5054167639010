#pragma once
// A grid addressed by (row, column) and by the linear index Cols * row + col,
// with row 0 as its fixed header row, widths and heights in twips, cell
// pictures with an alignment, and a header format string.
//
// The grid is a view over a model (platform/grid_model.h): its own store of
// cells written one by one, or a model that a window sets and fills as a
// whole. Reading works on either; writing goes through the model, which may
// refuse it.
#include <QHash>
#include <QPixmap>
#include <QTableView>

#include "platform/grid_model.h"

namespace qw {

class FlexGrid : public QTableView {
  Q_OBJECT

 public:
  // Cell picture alignments.
  static constexpr int kPictureLeftTop = qw::kPictureLeftTop;
  static constexpr int kPictureLeftCentre = qw::kPictureLeftCentre;
  static constexpr int kPictureCentre = qw::kPictureCentre;

  explicit FlexGrid(QWidget* parent = nullptr);

  // Rows counts the header row.
  int Rows() const;
  void SetRows(int rows);
  int Cols() const;
  void SetCols(int cols);

  // The current cell (row 1 is the first data row).
  int Row() const { return row_; }
  void SetRow(int row) { row_ = row; }
  int Col() const { return col_; }
  void SetCol(int col) { col_ = col; }

  QString TextMatrix(int row, int col) const;
  // False (nothing written) for a cell outside the grid or one the model
  // does not let be written.
  bool SetTextMatrix(int row, int col, const QString& text);
  QString TextArray(int index) const;
  bool SetTextArray(int index, const QString& text);

  // The picture of the current cell; a null pixmap removes it.
  void SetCellPicture(const QPixmap& picture);
  void SetCellPictureAlignment(int alignment);
  QPixmap CellPicture(int row, int col) const;
  int CellPictureAlignment(int row, int col) const;

  int ColWidth(int col) const;  // twips
  void SetColWidth(int col, int twips);
  int RowHeight(int row) const;  // twips
  void SetRowHeight(int row, int twips);
  // Every row, the header row included, and the rows a later fill brings.
  void SetRowHeights(int twips);

  void SetRedraw(bool redraw);
  bool Redraw() const { return redraw_; }

  // Segments separated by "|", one per column from column 0: an optional
  // "<" (left) or "^" (centred), then the header text; the column is made as
  // wide as its text.
  void SetFormatString(const QString& format);

 signals:
  // A double-click on the grid: on a data row Row() and Col() are the
  // clicked cell; elsewhere (below the rows) they stay the current cell.
  void DblClick();
  // A double-click on a data cell, by the model's row (grid row - 1) and
  // column; DblClick follows.
  void cellDoubleClicked(int row, int column);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  // The model index of a data cell, or an invalid one for the header row and
  // cells outside the grid.
  QModelIndex CellIndex(int row, int col) const;
  bool InGrid(int row, int col) const;

  // Sizes as set in twips, kept while the pixel size they gave stands.
  QHash<int, int> colTwips_;
  QHash<int, int> rowTwips_;
  int rowsTwips_ = -1;  // the height given to every row, when given
  int row_ = 0;
  int col_ = 0;
  bool redraw_ = true;
};

}  // namespace qw
