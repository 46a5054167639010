#include "search/result_query.h"

namespace qw {

namespace {

const char kCountSelect[] =
    "select rpm_Contact_Information.marinano, rpm_marinaname_no.[Marina Name],"
    "rpm_Contact_Information.City, rpm_Contact_Information.State, rpm_Vyk.[Bell rating], rpm_nav_Info.Harbor, "
    "rpm_nav_Info.[USCG Statute Mile], ['97 Editions].[In Disk] FROM ";

const char kListSelect[] =
    "select rpm_Contact_Information.marinano, rpm_marinaname_no.[Marina 30 char Name],rpm_marinaname_no.[Marina Name],"
    "rpm_Contact_Information.City, rpm_Contact_Information.State,"
    "rpm_Vyk.[Bell rating], rpm_Vyk.[Boatyard Rating], rpm_Vyk.[Sunset], rpm_nav_Info.[USCG Statute Mile],"
    "rpm_nav_Info.[Harbor], ['97 Editions].[In Disk],rpm_marina_facilities.[Total # Slips],"
    "rpm_marina_facilities.[Total # of Moorings],rpm_marina_facilities.[Maximum Length Overall],"
    "rpm_marina_facilities.[In Season Slips--Nightly Rate] from";

const char kFromPart[] =
    "(((((((rpm_Contact_Information LEFT JOIN rpm_nav_info ON rpm_Contact_Information.MarinaNo = "
    "rpm_nav_info.MarinaNo) "
    "LEFT JOIN rpm_marinaname_no ON rpm_Contact_Information.MarinaNo = rpm_marinaname_no.MarinaNo) "
    "LEFT JOIN rpm_Vyk ON rpm_Contact_Information.MarinaNo = rpm_Vyk.MarinaNo) "
    "LEFT JOIN rpm_marina_facilities ON rpm_Contact_Information.MarinaNo = rpm_marina_facilities.MarinaNo) "
    "LEFT JOIN rpm_marina_services ON rpm_Contact_Information.MarinaNo = rpm_marina_services.MarinaNo) "
    "LEFT JOIN rpm_Boat_and_Boatyard_Services_EI ON rpm_Contact_Information.MarinaNo = "
    "rpm_Boat_and_Boatyard_Services_EI.MarinaNo) "
    "LEFT JOIN ['97 Editions] ON rpm_Vyk.MarinaNo = ['97 Editions].MarinaNo) "
    "LEFT JOIN rpm_marina_operations ON rpm_Contact_Information.MarinaNo = rpm_marina_operations.MarinaNo";

QString Number(int n) { return QString::number(n); }

// The range term "((rpm_Vyk.[Geo Code]>= a) And (rpm_Vyk.[Geo Code]<= b))".
QString RangeTerm(const AppSettings& s) {
  return QStringLiteral("((rpm_Vyk.[Geo Code]>= ") + Number(s.GeoCodeFrom) + QStringLiteral(") And (rpm_Vyk.[Geo Code]<= ") +
         Number(s.GeoCodeTo) + QStringLiteral("))");
}

// The edition and sub-region filter appended after the WHERE part.
QString EditionAndRegionFilter(ResultQueryKind kind, bool hasWhere, const AppSettings& s) {
  const bool single = s.SingleGeoCode > 0;
  const bool range = !single && GeoCodeRangeApplies(s);
  const QString n = Number(s.SingleGeoCode);

  if (s.EditionFilter == QLatin1String("In 6th Edition")) {
    if (hasWhere) {
      QString text = QStringLiteral("And (['97 Editions].[In Disk] = TRUE)");
      if (single) text += QStringLiteral(" And (rpm_Vyk.[Geo Code] = ") + n + QLatin1Char(')');
      else if (range) text += QStringLiteral(" And ") + RangeTerm(s);
      return text;
    }
    QString text = QStringLiteral(" where ['97 Editions].[In Disk] = TRUE");
    if (single) text += QStringLiteral(" And (rpm_Vyk.[Geo Code]= ") + n + QLatin1Char(')');
    else if (range) text += QStringLiteral(" And ") + RangeTerm(s);
    return text;
  }

  if (s.EditionFilter == QLatin1String("In 7th Edition")) {
    if (hasWhere) {
      QString text = QStringLiteral("And (rpm_Vyk.[In 7th Edition] = TRUE)");
      if (single) text += QStringLiteral(" And (rpm_Vyk.[Geo Code] = ") + n + QLatin1Char(')');
      else if (range) text += QStringLiteral(" And ") + RangeTerm(s);
      return text;
    }
    QString text = QStringLiteral(" where rpm_Vyk.[In 7th Edition] = TRUE");
    if (single) text += QStringLiteral(" And (rpm_Vyk.[Geo Code] = ") + n + QLatin1Char(')');
    else if (range) text += (kind == ResultQueryKind::List ? QStringLiteral(" And") : QStringLiteral(" And ")) + RangeTerm(s);
    return text;
  }

  if (!single) return QString();
  return (hasWhere ? QStringLiteral("And (rpm_Vyk.[Geo Code] = ") : QStringLiteral(" where (rpm_Vyk.[Geo Code] = ")) + n +
         QLatin1Char(')');
}

}  // namespace

bool GeoCodeRangeApplies(const AppSettings& s) {
  return (s.GeoCodeFrom > 0 && s.GeoCodeTo > 0) || s.GeoCodeFrom == 0;
}

QString BuildResultQuery(ResultQueryKind kind, const QString& whereClause, const AppSettings& settings,
                         ListOrder sortOrder) {
  QString sql = QLatin1String(kind == ResultQueryKind::Count ? kCountSelect : kListSelect);
  sql += QLatin1String(kFromPart);
  sql += whereClause;
  const bool hasWhere = sql.contains(QLatin1String("where"), Qt::CaseSensitive);
  sql += EditionAndRegionFilter(kind, hasWhere, settings);
  if (sortOrder == ListOrder::Alphabetical)
    sql += QStringLiteral(" ORDER BY rpm_marinaname_no.[Marina Name]");
  else if (kind == ResultQueryKind::Count)
    sql += QStringLiteral(" ORDER BY rpm_Vyk.[Geo Code]");
  else
    sql += QStringLiteral(" ORDER BY rpm_Vyk.[Geo Code], rpm_Vyk.[N/S#]");
  return sql;
}

Result<qint32> CountMarinas(Database& db, const QString& countSql) {
  return Attempt([&] {
    // Count every row of the query without fetching the rows themselves.
    RecordsetPtr rs = db.OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM (") + countSql + QStringLiteral(")"));
    const qint32 count = rs->Fields(0).Value().toInt();
    rs->Close();
    return count;
  });
}

QString MarinasFoundCaption(qint32 count) { return QStringLiteral("Marinas Found: ") + QString::number(count); }

}  // namespace qw
