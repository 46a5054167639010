#pragma once
// The result list's two grids as models over the rows of the last fill: the
// visible list (fgList) and the hidden ratings store (msgrid). Both share the
// one list of rows; a fill replaces it with a single reset.
#include <QList>
#include <QVariant>

#include "platform/grid_model.h"
#include "results/list_fill.h"

namespace qw {

// Rows of the list, model row i being list row i + 1.
class ListRowsModel : public GridTableModel {
 public:
  using GridTableModel::GridTableModel;

  // Shows rows in place of the earlier ones.
  void Fill(QList<ListRow> rows);
  const QList<ListRow>& Rows() const { return rows_; }
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;

 protected:
  // The row of a valid index of this model, else nullptr.
  const ListRow* RowAt(const QModelIndex& index) const;

 private:
  QList<ListRow> rows_;
};

// The visible list: MarinaNo, the three rating pictures, name, City, State,
// Harbor, then the optional cells, as many as the header has columns.
class ListModel : public ListRowsModel {
 public:
  // pictures: the image list, pictures 1 to 8 at 0 to 7, as the grid draws
  // them.
  explicit ListModel(QVariantList pictures, QObject* parent = nullptr);

  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  // The picture of a cell with its placement, or none.
  struct CellPicture {
    int number = 0;  // 1 to 8, 0 for none
    int alignment = kPictureLeftTop;
  };
  static CellPicture PictureOf(const ListRow& row, int column);
  static QString TextOf(const ListRow& row, int column);

  QVariantList pictures_;
};

// The ratings store: the bell, boatyard and sunset texts of each list row.
class ListRatingsModel : public ListRowsModel {
 public:
  explicit ListRatingsModel(QObject* parent = nullptr);

  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

}  // namespace qw
