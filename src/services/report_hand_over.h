#pragma once
// What the report viewer is handed when a marina is to be shown: the road it
// came by, and the result list's row or the marina number. The result list
// and the maps hand it to Screens::showReport.
#include <QString>
#include <cstdint>

namespace qw {

struct ReportHandOver {
  enum class Road { List, Map };
  Road road = Road::List;
  // The double-clicked row of the result list (1 to its count); 0 when the
  // list had no row to click, and on the map road.
  int listRow = 0;
  // The marina's MarinaNo; 0 when there is none.
  std::int32_t marinaNo = 0;

  bool operator==(const ReportHandOver&) const = default;
};

// What the user is told of a marina number that the database does not hold
// (a hand-edited key of a map), as the number was given.
inline QString MarinaNotInDatabaseMessage(const QString& marinaNo) {
  return QStringLiteral("Marina number %1 is not in the marina database.").arg(marinaNo);
}

}  // namespace qw
