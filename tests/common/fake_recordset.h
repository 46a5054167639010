#pragma once
// A recordset over rows given in the test. A column the current row does not
// hold is missing; FakeRecordset::Null() stands for Null. Column names are
// matched without regard to case.
#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "platform/jet.h"

namespace qw::testing {

class FakeRecordset : public Recordset {
 public:
  using Row = QMap<QString, QVariant>;

  // One row of the columns given (none: one row without columns).
  FakeRecordset(std::initializer_list<std::pair<QString, QVariant>> columns = {});
  explicit FakeRecordset(QList<Row> rows);

  // The value that stands for Null.
  static QVariant Null() { return QVariant(); }

  // Sets (or adds) a column of the current row; Null() is Null.
  FakeRecordset& Set(const QString& column, const QVariant& value);
  // Deletes the current row: its columns become unreadable.
  void RemoveCurrentRow();

  bool Eof() const override { return pos_ >= rows_.size(); }
  bool Bof() const override { return pos_ < 0 || rows_.isEmpty(); }
  void MoveFirst() override { pos_ = 0; }
  void MoveNext() override { pos_ = std::min(pos_ + 1, static_cast<int>(rows_.size())); }
  void MovePrevious() override { pos_ = std::max(pos_ - 1, -1); }
  void MoveLast() override { pos_ = static_cast<int>(rows_.size()) - 1; }
  int RecordCount() const override { return static_cast<int>(rows_.size()); }
  int FieldCount() const override { return static_cast<int>(names_.size()); }
  QStringList FieldNames() const override { return names_; }
  Field Fields(const QString& name) const override;
  Field Fields(int index) const override;
  void Edit() override {}
  void AddNew() override {}
  void SetField(const QString& name, const QVariant& value) override { Set(name, value); }
  void Update() override {}
  void Close() override { closed_ = true; }
  bool IsOpen() const override { return !closed_; }

 private:
  void AddName(const QString& column);

  QList<Row> rows_;
  QStringList names_;
  int pos_ = 0;
  bool closed_ = false;
};

}  // namespace qw::testing
