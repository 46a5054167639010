#include "fake_recordset.h"

namespace qw::testing {

FakeRecordset::FakeRecordset(std::initializer_list<std::pair<QString, QVariant>> columns) {
  for (const auto& [name, value] : columns) Set(name, value);
}

FakeRecordset& FakeRecordset::Set(const QString& column, const QVariant& value) {
  const QString key = column.toLower();
  if (!values_.contains(key)) names_ << column;
  values_.insert(key, value);
  return *this;
}

Field FakeRecordset::Fields(const QString& name) const {
  const QString key = name.toLower();
  if (!hasRow_ || !values_.contains(key)) return Field(Field::State::Missing, QVariant());
  const QVariant& v = values_.value(key);
  if (!v.isValid()) return Field(Field::State::Null, QVariant());
  return Field(Field::State::Value, v);
}

Field FakeRecordset::Fields(int index) const {
  if (index < 0 || index >= names_.size()) return Field(Field::State::Missing, QVariant());
  return Fields(names_.at(index));
}

}  // namespace qw::testing
