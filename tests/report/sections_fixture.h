#pragma once
// A copy of the demo database with a writable connection, for tests of the
// report's section builders: rows are added for marina kMarina, which the demo
// data does not hold, so each test starts from a marina with no rows at all.
#include <QString>
#include <QVariant>
#include <initializer_list>

#include "common/testing.h"
#include "platform/jet.h"
#include "report/dont_show.h"
#include "search/qstring_printer.h"

namespace qw::testing {

class SectionsDb {
 public:
  static constexpr int kMarina = 30000;

  SectionsDb();
  Database& db() { return *db_; }
  void Exec(const QString& sql);

  // One row of an amenity table for kMarina. flags: five characters for
  // [On-Site], [On-Call], Nearby, [W/in 1 Mile], [1-3 Miles]: '1', '0' or 'n'
  // (Null). An invalid QVariant is Null.
  void Amenity(const QString& table, const QVariant& type, const char* flags, const QVariant& approx = {},
               const QVariant& comments = {});
  // One eatery (rpm_Restaurants) or lodging (rpm_Accommodations) row; prices
  // are B$, L$, D$ for eateries and $ for lodgings (extra ones ignored).
  void Eatery(const QVariant& type, const QVariant& name, const char* flags, const QVariant& phone = {},
              std::initializer_list<QVariant> prices = {}, const QVariant& approx = {}, const QVariant& comments = {});
  void Lodging(const QVariant& type, const QVariant& name, const char* flags, const QVariant& phone = {},
               const QVariant& price = {}, const QVariant& approx = {}, const QVariant& comments = {});

 private:
  TempProgramFolder folder_;
  DatabasePtr db_;
};

// Flags with the named rpm_display columns set.
DontShowFlags Hiding(std::initializer_list<const char*> columns);

// A value as an SQL literal: NULL, a number, or a quoted text.
QString SqlLiteral(const QVariant& value);

}  // namespace qw::testing
