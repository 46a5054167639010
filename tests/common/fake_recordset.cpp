#include "common/fake_recordset.h"

namespace qw::testing {

FakeRecordset::FakeRecordset(std::initializer_list<std::pair<QString, QVariant>> columns) : rows_{Row()} {
  for (const auto& [column, value] : columns) Set(column, value);
}

FakeRecordset::FakeRecordset(QList<Row> rows) : rows_(std::move(rows)) {
  for (const Row& row : rows_)
    for (const QString& column : row.keys()) AddName(column);
}

void FakeRecordset::AddName(const QString& column) {
  if (!names_.contains(column, Qt::CaseInsensitive)) names_ << column;
}

FakeRecordset& FakeRecordset::Set(const QString& column, const QVariant& value) {
  if (Eof() || Bof()) return *this;
  AddName(column);
  Row& row = rows_[pos_];
  for (const QString& key : row.keys()) {
    if (key.compare(column, Qt::CaseInsensitive) == 0) row.remove(key);
  }
  row.insert(column, value);
  return *this;
}

void FakeRecordset::RemoveCurrentRow() {
  if (!Eof() && !Bof()) rows_.removeAt(pos_);
}

Field FakeRecordset::Fields(const QString& name) const {
  if (Eof() || Bof()) return Field(Field::State::Missing, QVariant());
  const Row& row = rows_[pos_];
  for (auto it = row.begin(); it != row.end(); ++it) {
    if (it.key().compare(name, Qt::CaseInsensitive) != 0) continue;
    return it.value().isValid() ? Field(Field::State::Value, it.value()) : Field(Field::State::Null, QVariant());
  }
  return Field(Field::State::Missing, QVariant());
}

Field FakeRecordset::Fields(int index) const {
  if (index < 0 || index >= names_.size()) return Field(Field::State::Missing, QVariant());
  return Fields(names_.at(index));
}

}  // namespace qw::testing
