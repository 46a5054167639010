#pragma once
// The rows a marina's report page is made of, read once from the report
// connection and then held in memory, so that the page can be composed (and
// tested) without a database.
#include <QString>
#include <QStringList>
#include <QVariant>

#include "platform/jet.h"

namespace qw {

// One row (or none) held in memory and read like a recordset standing on it.
// Columns are found without regard to case; a column set to a null QVariant
// reads as Null, one never set as missing. It cannot be written.
class RowRecordset : public Recordset {
 public:
  RowRecordset() = default;  // no row: every column is missing
  // The current row of rs (no row when rs has none).
  static RowRecordset CopyCurrentRow(const Recordset& rs);

  // Adds or replaces a column and makes the recordset stand on its row.
  RowRecordset& Set(const QString& column, const QVariant& value);
  bool HasRow() const { return hasRow_; }

  bool Eof() const override { return !hasRow_ || pos_ != 0; }
  bool Bof() const override { return !hasRow_ || pos_ != 0; }
  void MoveFirst() override { pos_ = 0; }
  void MoveNext() override { pos_ = 1; }
  void MovePrevious() override { pos_ = -1; }
  void MoveLast() override { pos_ = 0; }
  int RecordCount() const override { return hasRow_ ? 1 : 0; }
  int FieldCount() const override { return static_cast<int>(names_.size()); }
  QStringList FieldNames() const override { return names_; }
  Field Fields(const QString& name) const override;
  Field Fields(int index) const override;
  void Edit() override { ReadOnly(); }
  void AddNew() override { ReadOnly(); }
  void SetField(const QString&, const QVariant&) override { ReadOnly(); }
  void Update() override { ReadOnly(); }
  void Close() override {}
  bool IsOpen() const override { return true; }

 private:
  [[noreturn]] static void ReadOnly();
  QStringList names_;
  QList<QVariant> values_;
  bool hasRow_ = false;
  int pos_ = 0;
};

// What the report page shows of one marina, as read from the database. A
// table without the marina's row leaves its part empty (Null values, rows
// without a current row).
struct ReportRows {
  QVariant statuteMile;  // rpm_nav_info.[USCG Statute Mile]
  QVariant fullName;     // rpm_marinaname_no.[Marina Name]
  QVariant shortName;    // rpm_marinaname_no.[Marina 30 char Name]
  QString harbor;        // rpm_nav_info.Harbor as stored (Null reads "")
  int geoCode = 0;       // rpm_Vyk.[Geo Code], 0 when Null or missing
  QVariant bellRating, boatyardRating, sunset;  // rpm_Vyk
  QString regionName;    // GetRegionName(geoCode)
  RowRecordset nav, facilities, operations, contact;  // "select * from <table> where MarinaNo=<no>"
  // Whether the database holds the marina at all: a row of it in any of the
  // tables read (a marina number handed over that no table knows has none).
  bool inDatabase = false;
};

// [Geo Code Name] of the geo code's rpm_Geo_Code_CD row as text; "" when the
// row or the name is missing. Throws JetError when the query fails.
QString GetRegionName(Database& db, int geoCode);

// Reads the marina's rows through db. A failing query leaves its part empty;
// a file that cannot be read just now (IsReadFailure) throws its JetError, so
// that a busy file is never taken for a marina without rows.
ReportRows ReadReportRows(Database& db, int marinaNo);

}  // namespace qw
