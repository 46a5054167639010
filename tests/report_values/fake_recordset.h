#pragma once
// A recordset of one row (or none) over a map column -> value, for tests of
// the report items. A column not in the map is missing; a Null is written as
// FakeRecordset::Null(). Names are matched without regard to case.
#include <QMap>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <utility>

#include "platform/jet.h"

namespace qw::testing {

class FakeRecordset : public Recordset {
 public:
  FakeRecordset() = default;
  FakeRecordset(std::initializer_list<std::pair<QString, QVariant>> columns);

  // The value that stands for Null in the map.
  static QVariant Null() { return QVariant(); }

  // Sets (or adds) a column; QVariant() is Null.
  FakeRecordset& Set(const QString& column, const QVariant& value);
  // Leaves the row: every column becomes unreadable.
  void RemoveCurrentRow() { hasRow_ = false; }

  bool Eof() const override { return !hasRow_; }
  bool Bof() const override { return !hasRow_; }
  void MoveFirst() override {}
  void MoveNext() override { hasRow_ = false; }
  void MovePrevious() override { hasRow_ = false; }
  void MoveLast() override {}
  int RecordCount() const override { return hasRow_ ? 1 : 0; }
  int FieldCount() const override { return static_cast<int>(names_.size()); }
  QStringList FieldNames() const override { return names_; }
  Field Fields(const QString& name) const override;
  Field Fields(int index) const override;
  void Edit() override {}
  void AddNew() override {}
  void SetField(const QString& name, const QVariant& value) override { Set(name, value); }
  void Update() override {}
  void Close() override {}
  bool IsOpen() const override { return true; }

 private:
  QStringList names_;
  QMap<QString, QVariant> values_;  // by lower-case name
  bool hasRow_ = true;
};

}  // namespace qw::testing
