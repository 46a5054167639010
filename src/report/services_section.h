#pragma once
// The amenity blocks of the report's middle section: one marina's rows of one
// amenity table, in the display order of dumyServices, as six HTML text runs,
// one per distance class.
#include <QString>
#include <array>
#include <cstdint>

namespace qw {

class Database;
class Recordset;
struct DontShowFlags;

// The six distance-class texts, index 0 to 5 = class 1 to 6: on site, on
// call, near, within one mile, one to three miles, farther.
using DistanceClassTexts = std::array<QString, 6>;

// The distance class of an amenity, eatery or lodging row: the first of
// [On-Site], [On-Call], Nearby, [W/in 1 Mile], [1-3 Miles] that equals 1 gives
// 1 to 5; otherwise [Approx Distance] not empty once blanks are trimmed gives
// 6; otherwise 0 (not listed). Null and unreadable columns never count.
int DistanceClassOf(const Recordset& row);

// A column of the current row as text (numbers in their general form); Null
// and unreadable columns give "".
QString FieldText(const Recordset& row, const QString& column);
// Whether a number column of the current row holds exactly 1.
bool FieldEqualsOne(const Recordset& row, const QString& column);

// Appends to each of the six texts the shown items of amenityTable
// ("rpm_Boat_Supplies", ... "rpm_medical", matched exactly) for the marina,
// items joined by ", ", and ends by trimming each text and removing one
// trailing ",". Merges the three ice items (boat supplies only) and the two
// engine mechanics; leaves out hidden items and the ones the report prints
// itself (airport, hospital); records the 911 note in service911Text. A row
// with a Null type is skipped; a Null [On-Call] counts as 0. A query that
// cannot run leaves the texts as they were before the failure; a file that
// cannot be read just now (IsReadFailure) throws its JetError.
void BuildServicesText(Database& db, const QString& amenityTable, std::int32_t marinaNo, const DontShowFlags& flags,
                       DistanceClassTexts& texts, QString& service911Text);

// The name of amenityTable in dumyServices.TableName, "" for a table that is
// not an amenity table.
QString AmenityShortName(const QString& amenityTable);

// A comment whose first parenthesised group is a three-digit area code gets
// that group written as the code and a hyphen ("(508) 555-0142" ->
// "508-555-0142"); repeated while the first group is such a code. Other
// parentheses stay.
QString DashPhoneNumber(QString text);

}  // namespace qw
