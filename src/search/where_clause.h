#pragma once
// The WHERE part of the marina query, built from the search criteria, and
// the correlated sub-queries that test one amenity by distance class.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "search/criteria.h"

namespace qw {

// Proximity code -> distance column: 0 "No preferences", 1 "[On-Site]",
// 2 "[On-Call]", 3 "NearBy", 4 "[W/in 1 Mile]", 5 "[1-3 Miles]",
// 6 "[Approx Distance]", anything else "".
QString DistanceColumn(std::int16_t code);

// One amenity predicate, true for the marinas of the outer query that have
// itemType in distance class columnName or a nearer one. itemType goes between
// single quotes as given (double its apostrophes first). AmenityCondition also
// takes "Comments": a non-blank remark on the item.
QString AmenityCondition(const QString& amenityTable, const QString& itemType, const QString& columnName);
QString RestaurantCondition(const QString& amenityTable, const QString& itemType, const QString& columnName);
QString AccommodationCondition(const QString& amenityTable, const QString& itemType, const QString& columnName);

// Sub-region name -> its [Geo Code]; nullopt when the name no longer resolves.
using GeoCodeLookup = std::function<std::optional<std::int16_t>(const QString& name)>;

// "" when no criterion is set, else " where " and the conditions.
QString BuildWhereClause(const SearchCriteria& criteria, const GeoCodeLookup& geoCode);

// "'" -> "''", for text put between single quotes.
QString QuoteDoubled(const QString& text);

}  // namespace qw
