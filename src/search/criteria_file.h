#pragma once
// Saved criteria files (*.vyk): key and value records, one a line, in a fixed
// order. The window gathers a SearchCriteria (storing the shown tab first),
// saves it with SaveSettings, and restores one with LoadSettings:
//  - city and harbour are stored as positions in lists the window refills
//    from the database: after a load, the window refills the city list from
//    lbGeoCodes, selects cboCity.ListIndex when that position exists, refills
//    the harbour list, then selects cboHarbor.ListIndex when it exists (the
//    loaded Items are empty);
//  - a load starts from cleared criteria (Clear All), and the count label then
//    reads "Marinas Found:".
#include <QByteArray>
#include <QString>
#include <optional>

#include "search/criteria.h"

namespace qw {

// The records of criteria, in file order, as the file's bytes.
QByteArray SaveSettings(const SearchCriteria& criteria);
// Criteria from a file's bytes, starting from cleared criteria. Unknown keys,
// values that do not fit and array indexes outside their array are ignored;
// reading ends at the first malformed field.
SearchCriteria LoadSettings(const QByteArray& content);

// The same on files. Saving returns false when the file cannot be written;
// loading returns nullopt when the file cannot be read or no record of it
// names a criterion (a file of another kind, an empty file).
bool SaveSettingsFile(const QString& fileName, const SearchCriteria& criteria);
std::optional<SearchCriteria> LoadSettingsFile(const QString& fileName);

}  // namespace qw
