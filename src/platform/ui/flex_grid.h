#pragma once
// A grid addressed by (row, column) and by the linear index Cols * row + col,
// with row 0 as its fixed header row, widths and heights in twips, cell
// pictures with an alignment, and a header format string.
#include <QHash>
#include <QPixmap>
#include <QTableWidget>

namespace qw {

class FlexGrid : public QTableWidget {
  Q_OBJECT

 public:
  // Cell picture alignments.
  static constexpr int kPictureLeftTop = 0;
  static constexpr int kPictureLeftCentre = 1;
  static constexpr int kPictureCentre = 4;

  explicit FlexGrid(QWidget* parent = nullptr);

  // Rows counts the header row.
  int Rows() const { return rowCount() + 1; }
  void SetRows(int rows);
  int Cols() const { return columnCount(); }
  void SetCols(int cols);

  // The current cell (row 1 is the first data row).
  int Row() const { return row_; }
  void SetRow(int row) { row_ = row; }
  int Col() const { return col_; }
  void SetCol(int col) { col_ = col; }

  QString TextMatrix(int row, int col) const;
  // False (nothing written) for a cell outside the grid.
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

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QTableWidgetItem* DataItem(int row, int col, bool create);

  // Sizes as set in twips, kept while the pixel size they gave stands.
  QHash<int, int> colTwips_;
  QHash<int, int> rowTwips_;
  int row_ = 0;
  int col_ = 0;
  bool redraw_ = true;
};

}  // namespace qw
