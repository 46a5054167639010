#pragma once
// Queries of the location criteria: the sub-region picker's list, the
// name-to-code look-up, and the city and harbour lists of the chosen
// sub-regions. Builders are pure text; the runners take an open connection.
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/jet.h"
#include "services/settings.h"

namespace qw {

// The picker's query over rpm_Geo_Code_CD by the configuration's sub-region
// settings; nullopt when no range applies (the picker then offers nothing).
std::optional<QString> GeoCodePickerQuery(const AppSettings& settings);

// The look-up of one sub-region name (apostrophes doubled).
QString GeoCodeLookupQuery(const QString& geoCodeName);

// The codes joined by ", " in list order ("" for none).
QString GeoCodeListText(const QList<std::int16_t>& codes);

// The geo-code list of the chosen sub-region names, each looked up in turn;
// names that no longer resolve are left out.
QString GetGeoCodeList(const QStringList& names, const std::function<std::optional<std::int16_t>(const QString&)>& lookup);

// The city list of the sub-regions in geoCodeList: by sub-region, and
// alphabetical (without regard to letter case) within each.
QString CityListQuery(const QString& geoCodeList);

// The harbour list of the sub-regions in geoCodeList, ordered like the city
// list; narrowed to the marinas of city when a city is given (its apostrophes
// doubled). Criteria files store positions in these ordered lists.
QString HarborListQuery(const QString& geoCodeList, const std::optional<QString>& city);

// Runners over an open connection. Each throws JetError when the query fails.
// The [Geo Code Name] of every picker row, as stored, in code order.
QStringList ReadGeoCodeNames(Database& db, const QString& pickerQuery);
// The [Geo Code] of the first row matching the name; nullopt when none does.
std::optional<std::int16_t> LookupGeoCode(Database& db, const QString& geoCodeName);
// Non-blank values of column (City or Harbor) of every row, trimmed, in result
// order, repeats kept.
QStringList ReadTrimmedColumn(Database& db, const QString& sql, const QString& column);

// Name-to-code look-up on a connection of its own to the marina database
// (DataFolder/DatabaseFileName): nullopt when it cannot be opened or the
// name does not resolve. Suits BuildWhereClause.
std::optional<std::int16_t> GetGeoCode(const QString& geoCodeName);

}  // namespace qw
