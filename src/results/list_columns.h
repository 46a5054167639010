#pragma once
// The optional columns of the result list (Slips, Moorings, Dockage Fee,
// Max. LOA): which of them the search criteria call for, the grid's header
// format string, and the text of an optional cell.
#include <QList>
#include <QString>

#include "platform/jet.h"

namespace qw {

enum class OptionalColumn { Slips, Moorings, DockageFee, MaxLoa };

// The filled criteria, in the fixed column order.
struct OptionalColumns {
  bool slips = false;
  bool moorings = false;
  bool dockageFee = false;
  bool maxLoa = false;

  int Count() const { return int(slips) + int(moorings) + int(dockageFee) + int(maxLoa); }
  QList<OptionalColumn> InOrder() const;
  bool operator==(const OptionalColumns&) const = default;
};

// A criterion is filled when its control's text is not empty (blanks count).
OptionalColumns FilledCriteria(const QString& totalSlipsText, const QString& mooringsText,
                               const QString& dockageText, const QString& minLoaText);

// The grid's header format string for the given columns ("|" separated
// segments from column 0, "<" left and "^" centred).
QString ListHeaderFormatString(const OptionalColumns& columns);

// The list query's column that an optional column shows.
QString OptionalSourceField(OptionalColumn column);

// The cell text of an optional column for one field of the list query: ""
// for Null or an unreadable field, "$" and "#0.00" for the dockage fee, else
// the value as text.
QString OptionalCellText(OptionalColumn column, const Field& field);

// A stored value as text: a number in its general form (150, 45.5), a text
// as it stands.
QString ValueAsText(const QVariant& value);

}  // namespace qw
