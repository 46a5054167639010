#pragma once
// A recordset over rows given in the test, for the list's row reading.
#include <QMap>
#include <QVariant>

#include "platform/jet.h"

namespace qw::testing {

class FakeRecordset : public Recordset {
 public:
  using Row = QMap<QString, QVariant>;  // a null QVariant is Null
  explicit FakeRecordset(QList<Row> rows) : rows_(std::move(rows)) {}
  bool Eof() const override { return pos_ >= rows_.size(); }
  bool Bof() const override { return pos_ < 0; }
  void MoveFirst() override { pos_ = 0; }
  void MoveNext() override { ++pos_; }
  void MovePrevious() override { --pos_; }
  void MoveLast() override { pos_ = rows_.size() - 1; }
  int RecordCount() const override { return rows_.size(); }
  int FieldCount() const override { return Eof() ? 0 : rows_[pos_].size(); }
  QStringList FieldNames() const override { return Eof() ? QStringList() : rows_[pos_].keys(); }
  Field Fields(const QString& name) const override {
    if (pos_ < 0 || Eof()) return Field();
    for (auto it = rows_[pos_].begin(); it != rows_[pos_].end(); ++it)
      if (it.key().compare(name, Qt::CaseInsensitive) == 0)
        return it.value().isNull() ? Field(Field::State::Null, QVariant()) : Field(Field::State::Value, it.value());
    return Field();
  }
  Field Fields(int) const override { return Field(); }
  void Edit() override {}
  void AddNew() override {}
  void SetField(const QString&, const QVariant&) override {}
  void Update() override {}
  void Close() override { closed_ = true; }
  bool IsOpen() const override { return !closed_; }

 private:
  QList<Row> rows_;
  int pos_ = 0;
  bool closed_ = false;
};

}  // namespace qw::testing
