#include "platform/grid_model.h"

namespace qw {

int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(heads_.size());
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= heads_.size()) return QVariant();
  if (role == Qt::DisplayRole || role == Qt::EditRole) return heads_[section].text;
  if (role == Qt::TextAlignmentRole) return ColumnAlignment(section);
  return QVariant();
}

bool GridTableModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) {
  if (orientation != Qt::Horizontal || section < 0 || section >= heads_.size()) return false;
  Head& head = heads_[section];
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    if (head.text == value.toString()) return true;  // a refill's header tells the views nothing new
    head.text = value.toString();
  } else if (role == Qt::TextAlignmentRole) {
    if (head.alignment == value) return true;
    head.alignment = value;
    // The column's cells follow their header.
    if (rowCount() > 0) emit dataChanged(index(0, section), index(rowCount() - 1, section), {Qt::TextAlignmentRole});
  } else {
    return false;
  }
  emit headerDataChanged(orientation, section, section);
  return true;
}

bool GridTableModel::insertColumns(int column, int count, const QModelIndex& parent) {
  if (parent.isValid() || column < 0 || column > heads_.size() || count < 0) return false;
  if (count == 0) return true;
  beginInsertColumns(QModelIndex(), column, column + count - 1);
  heads_.insert(column, count, Head{});
  CellColumnsInserted(column, count);
  endInsertColumns();
  return true;
}

bool GridTableModel::removeColumns(int column, int count, const QModelIndex& parent) {
  if (parent.isValid() || column < 0 || count < 0 || column + count > heads_.size()) return false;
  if (count == 0) return true;
  beginRemoveColumns(QModelIndex(), column, column + count - 1);
  heads_.remove(column, count);
  CellColumnsRemoved(column, count);
  endRemoveColumns();
  return true;
}

QVariant GridTableModel::ColumnAlignment(int column) const {
  if (column >= 0 && column < heads_.size() && heads_[column].alignment.isValid()) return heads_[column].alignment;
  return int(Qt::AlignLeft | Qt::AlignVCenter);
}

int GridCells::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant GridCells::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return QVariant();
  const Cell& cell = rows_[index.row()][index.column()];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return cell.text;
    case Qt::DecorationRole:
      return cell.picture;
    case kPictureAlignmentRole:
      return cell.pictureAlignment;
    case Qt::TextAlignmentRole:
      return ColumnAlignment(index.column());
    default:
      return QVariant();
  }
}

bool GridCells::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return false;
  Cell& cell = rows_[index.row()][index.column()];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      cell.text = value.toString();
      break;
    case Qt::DecorationRole:
      cell.picture = value.isNull() ? QVariant() : value;
      break;
    case kPictureAlignmentRole:
      cell.pictureAlignment = value.toInt();
      break;
    default:
      return false;
  }
  emit dataChanged(index, index, {role});
  return true;
}

bool GridCells::insertRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || row > rows_.size() || count < 0) return false;
  if (count == 0) return true;
  beginInsertRows(QModelIndex(), row, row + count - 1);
  rows_.insert(row, count, QList<Cell>(columnCount()));
  endInsertRows();
  return true;
}

bool GridCells::removeRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || count < 0 || row + count > rows_.size()) return false;
  if (count == 0) return true;
  beginRemoveRows(QModelIndex(), row, row + count - 1);
  rows_.remove(row, count);
  endRemoveRows();
  return true;
}

void GridCells::CellColumnsInserted(int column, int count) {
  for (QList<Cell>& cells : rows_) cells.insert(column, count, Cell{});
}

void GridCells::CellColumnsRemoved(int column, int count) {
  for (QList<Cell>& cells : rows_) cells.remove(column, count);
}

}  // namespace qw
