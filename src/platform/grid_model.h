#pragma once
// The models behind a flex grid (platform/ui/flex_grid.h). The grid's row 0 is
// the model's horizontal header; its rows 1 to n are the model's rows 0 to
// n - 1. A cell shows its text (Qt::DisplayRole) aligned as its column's
// header, and a picture (Qt::DecorationRole) placed by kPictureAlignmentRole.
#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QVariant>

namespace qw {

// The placement of a cell's picture: 0 left and top, 1 left and vertically
// centred, 4 centred both ways.
inline constexpr int kPictureAlignmentRole = Qt::UserRole + 1;
inline constexpr int kPictureLeftTop = 0;
inline constexpr int kPictureLeftCentre = 1;
inline constexpr int kPictureCentre = 4;

// A table whose columns are made and named through its header: the header
// texts and alignments (the grid's row 0) live here; the cells are the
// derived model's. Its cells take their column's alignment.
class GridTableModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  // The text (DisplayRole or EditRole) or the alignment of a column's header.
  bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                     int role = Qt::EditRole) override;
  bool insertColumns(int column, int count, const QModelIndex& parent = QModelIndex()) override;
  bool removeColumns(int column, int count, const QModelIndex& parent = QModelIndex()) override;

 protected:
  // The alignment of the texts of a column, as its header says (left and
  // vertically centred unless set).
  QVariant ColumnAlignment(int column) const;
  // Columns of cells to make or drop, while the header's change is under way.
  virtual void CellColumnsInserted(int /*column*/, int /*count*/) {}
  virtual void CellColumnsRemoved(int /*column*/, int /*count*/) {}

 private:
  struct Head {
    QString text;
    QVariant alignment;
  };
  QList<Head> heads_;
};

// Cells written one by one: the grid's own store when no other model is set.
class GridCells : public GridTableModel {
 public:
  using GridTableModel::GridTableModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // Text (DisplayRole or EditRole), picture (DecorationRole; an invalid or
  // null value removes it) and picture alignment.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
  bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

 protected:
  void CellColumnsInserted(int column, int count) override;
  void CellColumnsRemoved(int column, int count) override;

 private:
  struct Cell {
    QString text;
    QVariant picture;
    int pictureAlignment = kPictureLeftTop;
  };
  QList<QList<Cell>> rows_;  // each row as wide as the header
};

}  // namespace qw
