#pragma once
// Report items checked from tables of rows: a failure names the item's key
// and the columns of the row it was asked for.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "common/fake_recordset.h"
#include "report_values/make_value_string.h"
#include "search/qstring_printer.h"

namespace qw::testing {

inline const QVariant kNull = FakeRecordset::Null();

struct ItemCase {
  FakeRecordset row;
  QString expected;
  bool naIfEmpty = true;
};

// The row's columns as name=value, Null as NULL and texts quoted.
inline std::string Describe(const FakeRecordset& row) {
  QStringList columns;
  for (const QString& name : row.FieldNames()) {
    const QVariant v = row.Fields(name).Value();
    const QString shown = v.isNull()                         ? QStringLiteral("NULL")
                          : v.typeId() == QMetaType::QString ? '"' + v.toString() + '"'
                                                             : v.toString();
    columns << name + '=' + shown;
  }
  return '{' + columns.join(QStringLiteral(", ")).toStdString() + '}';
}

inline void ExpectItem(const QString& key, std::initializer_list<ItemCase> cases) {
  for (const ItemCase& c : cases) {
    EXPECT_EQ(MakeValueString(c.row, key, false, c.naIfEmpty), c.expected)
        << key.toStdString() << " of " << Describe(c.row) << (c.naIfEmpty ? "" : " (no n/a)");
  }
}

}  // namespace qw::testing
