#include "search/location_queries.h"

#include "search/result_query.h"
#include "search/where_clause.h"

namespace qw {

std::optional<QString> GeoCodePickerQuery(const AppSettings& s) {
  if (s.SingleGeoCode > 0)
    return QStringLiteral("SELECT * FROM rpm_Geo_Code_CD where (rpm_Geo_Code_CD.[Geo Code]= ") +
           QString::number(s.SingleGeoCode) + QStringLiteral(") ORDER BY [Geo Code]");
  if (GeoCodeRangeApplies(s))
    return QStringLiteral("SELECT * FROM rpm_Geo_Code_CD where ((rpm_Geo_Code_CD.[Geo Code]>= ") +
           QString::number(s.GeoCodeFrom) + QStringLiteral(") And (rpm_Geo_Code_CD.[Geo Code]<= ") +
           QString::number(s.GeoCodeTo) + QStringLiteral(")) ORDER BY [Geo Code]");
  return std::nullopt;
}

QString GeoCodeLookupQuery(const QString& geoCodeName) {
  return QStringLiteral("SELECT * FROM rpm_Geo_Code_CD WHERE [Geo Code Name] LIKE '") + QuoteDoubled(geoCodeName) +
         QLatin1Char('\'');
}

QString GeoCodeListText(const QList<std::int16_t>& codes) {
  QStringList texts;
  for (std::int16_t code : codes) texts << QString::number(code);
  return texts.join(QStringLiteral(", "));
}

QString GetGeoCodeList(const QStringList& names,
                       const std::function<std::optional<std::int16_t>(const QString&)>& lookup) {
  QList<std::int16_t> codes;
  for (const QString& name : names)
    if (const std::optional<std::int16_t> code = lookup ? lookup(name) : std::nullopt) codes << *code;
  return GeoCodeListText(codes);
}

QString CityListQuery(const QString& geoCodeList) {
  return QStringLiteral("SELECT DISTINCT rpm_Vyk.[Geo Code], rpm_Contact_Information.City") +
         QStringLiteral(" FROM rpm_Vyk LEFT JOIN rpm_Contact_Information ON rpm_Vyk.MarinaNo = "
                        "rpm_Contact_Information.MarinaNo") +
         QStringLiteral(" WHERE ([Geo Code] in (") + geoCodeList +
         QStringLiteral(")) ORDER BY [Geo Code], rpm_Contact_Information.City");
}

QString HarborListQuery(const QString& geoCodeList, const std::optional<QString>& city) {
  if (city)
    return QStringLiteral("SELECT DISTINCT rpm_Vyk.[Geo Code], rpm_Contact_Information.City, rpm_nav_info.Harbor") +
           QStringLiteral(" FROM (rpm_Vyk LEFT JOIN rpm_Contact_Information ON rpm_Contact_Information.MarinaNo = "
                          "rpm_Vyk.MarinaNo) LEFT JOIN rpm_nav_info ON rpm_Vyk.MarinaNo = rpm_nav_info.MarinaNo ") +
           QStringLiteral(" WHERE (([Geo Code] in (") + geoCodeList + QStringLiteral(")) and (City LIKE '") +
           QuoteDoubled(*city) +
           QStringLiteral("')) ORDER BY [Geo Code], rpm_nav_info.Harbor");
  return QStringLiteral("SELECT DISTINCT rpm_Vyk.[Geo Code], rpm_nav_info.Harbor") +
         QStringLiteral(" FROM rpm_Vyk LEFT JOIN rpm_nav_info ON rpm_Vyk.MarinaNo = rpm_nav_info.MarinaNo") +
         QStringLiteral(" WHERE ([Geo Code] in (") + geoCodeList +
         QStringLiteral(")) ORDER BY [Geo Code], rpm_nav_info.Harbor");
}

QStringList ReadGeoCodeNames(Database& db, const QString& pickerQuery) {
  QStringList names;
  RecordsetPtr rs = db.OpenRecordset(pickerQuery);
  for (; !rs->Eof(); rs->MoveNext()) {
    const Field name = rs->Fields(QStringLiteral("Geo Code Name"));
    if (name.HasValue()) names << name.Value().toString();
  }
  rs->Close();
  return names;
}

std::optional<std::int16_t> LookupGeoCode(Database& db, const QString& geoCodeName) {
  RecordsetPtr rs = db.OpenRecordset(GeoCodeLookupQuery(geoCodeName));
  std::optional<std::int16_t> code;
  if (!rs->Eof()) {
    const Field field = rs->Fields(QStringLiteral("Geo Code"));
    bool ok = false;
    const int value = field.HasValue() ? field.Value().toInt(&ok) : 0;
    if (ok && value >= INT16_MIN && value <= INT16_MAX) code = static_cast<std::int16_t>(value);
  }
  rs->Close();
  return code;
}

QStringList ReadTrimmedColumn(Database& db, const QString& sql, const QString& column) {
  QStringList values;
  RecordsetPtr rs = db.OpenRecordset(sql);
  for (; !rs->Eof(); rs->MoveNext()) {
    const Field field = rs->Fields(column);
    if (!field.HasValue()) continue;
    const QString text = field.Value().toString().trimmed();
    if (!text.isEmpty()) values << text;
  }
  rs->Close();
  return values;
}

}  // namespace qw
