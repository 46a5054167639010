#pragma once
// The value text of one marina-report item: given a recordset standing on the
// marina's row of the item's table and the item key, a short HTML text.
#include <QString>
#include <QStringList>

#include "platform/jet.h"

namespace qw {

// The value text of the item named key ("Fuel", "Slips", ... "Communication";
// compared exactly) from the current row of rs. naIfEmpty: an empty text
// becomes "n/a"; appendPeriod: "." is appended (after the "n/a"). A key that
// is not known gives an empty text. Never throws, logs or shows anything:
// a column that cannot be read (no current row, no such column) fails its
// test and the item's fallback text is used.
QString MakeValueString(const Recordset& rs, const QString& key, bool appendPeriod, bool naIfEmpty);

// The 55 item keys in the order in which they are matched.
QStringList ReportItemKeys();

}  // namespace qw
