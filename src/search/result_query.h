#pragma once
// The marina query of the search: Find's count variant and the result list's
// list variant share one shape (select list, the joined tables, the WHERE
// part, the edition and sub-region filter, ORDER BY).
#include <QString>

#include "platform/jet.h"
#include "services/result.h"
#include "services/settings.h"

namespace qw {

enum class ResultQueryKind { Count, List };

// whereClause is BuildWhereClause's result ("" or " where ..."); the order
// is by marina name for ListOrder::Alphabetical, by geo code for any other.
QString BuildResultQuery(ResultQueryKind kind, const QString& whereClause, const AppSettings& settings,
                         ListOrder sortOrder);

// The sub-region range test of the configuration: SingleGeoCode > 0 allows
// only that code (not part of this test); otherwise the range GeoCodeFrom to
// GeoCodeTo applies when both are > 0 or when GeoCodeFrom is 0.
bool GeoCodeRangeApplies(const AppSettings& settings);

// Find's count: the number of all rows of countSql on db, or the engine's
// error when the query cannot be run.
Result<qint32> CountMarinas(Database& db, const QString& countSql);

// "Marinas Found: " and the count, as the count label shows it after Find.
QString MarinasFoundCaption(qint32 count);

}  // namespace qw
