#include "results/list_model.h"

namespace qw {

void ListRowsModel::Fill(QList<ListRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int ListRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

const ListRow* ListRowsModel::RowAt(const QModelIndex& index) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return nullptr;
  return &rows_[index.row()];
}

ListModel::ListModel(QVariantList pictures, QObject* parent)
    : ListRowsModel(parent), pictures_(std::move(pictures)) {}

ListModel::CellPicture ListModel::PictureOf(const ListRow& row, int column) {
  switch (column) {
    case kListColBell:
      return {row.bellPicture, kPictureLeftCentre};
    case kListColBoatyard:
      return {row.boatyardPicture, kPictureLeftCentre};
    case kListColSunset:
      return {row.sunsetPicture ? kSunsetPicture : 0, kPictureCentre};
    default:
      return {};
  }
}

QString ListModel::TextOf(const ListRow& row, int column) {
  switch (column) {
    case kListColMarinaNo: return QString::number(row.marinaNo);
    case kListColName: return row.name;
    case kListColCity: return row.city;
    case kListColState: return row.state;
    case kListColHarbor: return row.harbor;
    default: return column >= kListFixedCols ? row.optional.value(column - kListFixedCols) : QString();
  }
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
  const ListRow* row = RowAt(index);
  if (!row) return QVariant();
  switch (role) {
    case Qt::DisplayRole:
      return TextOf(*row, index.column());
    case Qt::DecorationRole: {
      const int number = PictureOf(*row, index.column()).number;
      return number > 0 ? pictures_.value(number - 1) : QVariant();
    }
    case kPictureAlignmentRole: {
      const CellPicture picture = PictureOf(*row, index.column());
      return picture.number > 0 ? QVariant(picture.alignment) : QVariant();
    }
    case Qt::TextAlignmentRole:
      return ColumnAlignment(index.column());
    default:
      return QVariant();
  }
}

ListRatingsModel::ListRatingsModel(QObject* parent) : ListRowsModel(parent) { insertColumns(0, 3); }

QVariant ListRatingsModel::data(const QModelIndex& index, int role) const {
  const ListRow* row = RowAt(index);
  if (!row || role != Qt::DisplayRole) return QVariant();
  switch (index.column()) {
    case 0: return row->bellText;
    case 1: return row->boatyardText;
    default: return row->sunsetText;
  }
}

}  // namespace qw
