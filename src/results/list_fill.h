#pragma once
// The result list's rows as the list query delivers them: one plain value per
// marina with the cell texts, the rating pictures and the ratings store texts.
// The list's models (results/list_model.h) show them.
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "platform/jet.h"
#include "results/list_columns.h"
#include "services/result.h"

namespace qw {

// Grid columns of the list.
inline constexpr int kListColMarinaNo = 0;
inline constexpr int kListColBell = 1;
inline constexpr int kListColBoatyard = 2;
inline constexpr int kListColSunset = 3;
inline constexpr int kListColName = 4;
inline constexpr int kListColCity = 5;
inline constexpr int kListColState = 6;
inline constexpr int kListColHarbor = 7;
inline constexpr int kListFixedCols = 8;

// Pictures of the grid's image list, numbered from 1.
inline constexpr int kSunsetPicture = 8;

struct ListRow {
  std::int32_t marinaNo = 0;  // column 0; 0 when unreadable
  int bellPicture = 0;      // 1..5, 0 for none
  int boatyardPicture = 0;  // 6..7, 0 for none
  bool sunsetPicture = false;
  QString name, city, state, harbor;
  QStringList optional;  // one text per optional column, in column order
  // The ratings store's texts: bell, boatyard, sunset ("0" when missing).
  QString bellText, boatyardText, sunsetText;
  bool operator==(const ListRow&) const = default;
};
}  // namespace qw
// Its members move as plain bytes: a growing list of rows is moved at once.
Q_DECLARE_TYPEINFO(qw::ListRow, Q_RELOCATABLE_TYPE);
namespace qw {

// Reads the current record of the list query. Also leaves the row's ratings
// in RowBellRating, RowBoatyardRating and RowSunset.
ListRow ReadListRow(const Recordset& record, const OptionalColumns& columns);

// The list query's text for the search screen's WHERE text and the current
// settings and sort order.
QString ListQueryText(const QString& whereClause);

// Runs sql on db and reads every row, forward and once, or gives the error
// when the query could not be run or read; the query has ended when it
// returns, whatever happens.
Result<QList<ListRow>> RunListQuery(Database& db, const QString& sql, const OptionalColumns& columns);

}  // namespace qw
