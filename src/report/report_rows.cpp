#include "report/report_rows.h"

namespace qw {

RowRecordset RowRecordset::CopyCurrentRow(const Recordset& rs) {
  RowRecordset row;
  if (rs.Eof() || rs.Bof()) return row;
  const QStringList names = rs.FieldNames();
  for (int i = 0; i < names.size(); ++i) {
    const Field f = rs.Fields(i);
    row.Set(names.at(i), f.HasValue() ? f.Value() : QVariant());
  }
  row.hasRow_ = true;
  return row;
}

RowRecordset& RowRecordset::Set(const QString& column, const QVariant& value) {
  hasRow_ = true;
  for (int i = 0; i < names_.size(); ++i) {
    if (names_.at(i).compare(column, Qt::CaseInsensitive) == 0) {
      values_[i] = value;
      return *this;
    }
  }
  names_ << column;
  values_ << value;
  return *this;
}

Field RowRecordset::Fields(const QString& name) const {
  for (int i = 0; i < names_.size(); ++i)
    if (names_.at(i).compare(name, Qt::CaseInsensitive) == 0) return Fields(i);
  return Field();
}

Field RowRecordset::Fields(int index) const {
  if (Eof() || index < 0 || index >= values_.size()) return Field();
  const QVariant& v = values_.at(index);
  return v.isNull() ? Field(Field::State::Null, QVariant()) : Field(Field::State::Value, v);
}

void RowRecordset::ReadOnly() {
  throw JetError(kJetObjectReadOnly, QStringLiteral("DAO.Recordset"),
                 QStringLiteral("The row of a report is held in memory and cannot be written."));
}

namespace {

// The first row of a query; no row when the query fails or returns none.
RowRecordset FirstRow(Database& db, const QString& sql) {
  try {
    const RecordsetPtr rs = db.OpenRecordset(sql);
    return RowRecordset::CopyCurrentRow(*rs);
  } catch (const JetError& e) {
    if (IsReadFailure(e.number())) throw;  // an unreadable file is not a missing row
    return RowRecordset();
  }
}

QVariant Value(const RowRecordset& row, const QString& column) {
  const Field f = row.Fields(column);
  return f.HasValue() ? f.Value() : QVariant();
}

}  // namespace

QString GetRegionName(Database& db, int geoCode) {
  const RecordsetPtr rs = db.OpenRecordset(QStringLiteral("SELECT * FROM rpm_Geo_Code_CD WHERE [Geo Code] = %1").arg(geoCode));
  const Field f = rs->Fields(QStringLiteral("Geo Code Name"));
  return f.HasValue() ? f.Value().toString() : QString();
}

ReportRows ReadReportRows(Database& db, int marinaNo) {
  ReportRows r;
  const QString no = QString::number(marinaNo);
  const RowRecordset mile = FirstRow(
      db, QStringLiteral("Select rpm_nav_info.[USCG Statute Mile],rpm_marinaname_no.[Marina Name] from "
                         "rpm_nav_info,rpm_marinaname_no where rpm_marinaname_no.[MarinaNo]=rpm_nav_info.[MarinaNo] "
                         "and rpm_nav_info.[MarinaNo] = ") + no);
  r.statuteMile = Value(mile, QStringLiteral("USCG Statute Mile"));
  r.fullName = Value(mile, QStringLiteral("Marina Name"));
  r.harbor = Value(FirstRow(db, QStringLiteral("Select Harbor from rpm_nav_info where MarinaNo = ") + no),
                   QStringLiteral("Harbor"))
                 .toString();
  const RowRecordset vyk = FirstRow(
      db, QStringLiteral("select [Geo Code], [Bell Rating],[Boatyard Rating], Sunset from rpm_Vyk where MarinaNo = ") + no);
  r.geoCode = Value(vyk, QStringLiteral("Geo Code")).toInt();
  r.bellRating = Value(vyk, QStringLiteral("Bell Rating"));
  r.boatyardRating = Value(vyk, QStringLiteral("Boatyard Rating"));
  r.sunset = Value(vyk, QStringLiteral("Sunset"));
  try {
    r.regionName = GetRegionName(db, r.geoCode);
  } catch (const JetError& e) {
    if (IsReadFailure(e.number())) throw;
    // A geo code without its row leaves the region tab empty; the report goes on.
  }
  const auto table = [&](const char* name) {
    return FirstRow(db, QStringLiteral("select * from %1 where MarinaNo=%2").arg(QLatin1String(name), no));
  };
  r.nav = table("rpm_nav_info");
  r.facilities = table("rpm_marina_facilities");
  r.operations = table("rpm_marina_operations");
  r.contact = table("rpm_Contact_Information");
  const RowRecordset names = table("rpm_marinaname_no");
  r.shortName = Value(names, QStringLiteral("Marina 30 char Name"));
  r.inDatabase = vyk.HasRow() || names.HasRow() || r.nav.HasRow() || r.facilities.HasRow() ||
                 r.operations.HasRow() || r.contact.HasRow();
  return r;
}

}  // namespace qw
