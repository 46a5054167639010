#pragma once
// What the map interface's small windows show and ask of the database: the
// sub-region key list (Frmchartkey), the map keys grid (Frmmapkeysgrid), the
// hand-over's name look-up (ShowMapMarinaReport) and the hint box's mark
// (Frmalertchart over chart_information).
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "platform/jet.h"

namespace qw::maps {

// ---- Frmchartkey
inline const QString kChartKeyCaption = QStringLiteral("Double click to view Sub-Region Map");
// The grid's format string: the header row, and each column as wide as its header.
QString ChartKeyFormatString();
// Column 0 and column 1 of rows 1..12.
const QStringList& ChartKeyNumerals();
const QStringList& ChartKeyNames();
// K of the map a double-clicked cell's text opens (exact, case-sensitive
// numeral), or 0 for a name or header cell.
int ChartKeyTarget(const QString& cellText);

// ---- Frmmapkeysgrid
inline const QString kMapKeysGridCaption = QStringLiteral("Double Click Marina Name to view Marina Report");
inline const QStringList kMapKeysGridCaptions{"Map No.", "Marina Name", "Harbor", "Marina No"};
// The grid's query for a region name (one of the twelve fixed region names).
QString MapKeysQuery(const QString& regionName);
// The Marina No cell of a double-clicked row as a 16-bit marina number;
// nothing for an empty cell or text that is no such number.
std::optional<int> MarinaNoFromCell(const QString& cellText);

// ---- The marks' tooltips
// The name each mark shows when hovered, by MarinaNo: [Marina Name], or the
// short name where the full one is empty. Throws JetError when the query fails.
QHash<int, QString> MarkToolTipNames(Database& db);

// ---- ShowMapMarinaReport
QString MapMarinaNameQuery(int marinaNo);
// The name handed to the report: the short name as stored when its trimmed
// text is not empty, else the full name when not Null, else `previous`.
QString ChooseMapMarinaName(const Field& fullName, const Field& shortName, const QString& previous);
// Runs the look-up on db: the chosen name, or nothing when the marina has no
// row. Throws JetError when the query fails.
std::optional<QString> LookUpMapMarinaName(Database& db, int marinaNo, const QString& previous);

// ---- Frmalertchart
inline const QString kAlertChartCaption = QStringLiteral("VYK Information");
inline const QStringList kAlertChartLines{"1. Double click in the outline to select a Sub-Region; or",
                                          "2.  Click \"Key\" to show Sub-Region names; or",
                                          "3.  Click \"Search\" for Search Screen Interface."};
inline const QString kAlertChartCheckCaption = QStringLiteral("Don't show this message again.");
inline const QString kReadOnlyDatabaseMessage =
    QStringLiteral("You cannot use this function while you are accessing database from CD.");
// Any other failure to store the mark; the engine's description follows.
inline const QString kHintNotStoredMessage =
    QStringLiteral("Your choice not to show this message again could not be saved, so it will be shown next time.\n\n");

struct HintWrite {
  enum class Outcome { NotTicked, Written, ReadOnly, Failed };
  Outcome outcome = Outcome::NotTicked;
  QString error;  // the engine's description when Failed
};
// OK of the hint box: when ticked (and chkalert is 1), opens a writable
// connection through `open` and adds one chart_information row with
// checkalert = 1. A read-only database (3051) and any other failure come back
// as their outcome; nothing is written then.
HintWrite WriteChartHint(bool ticked, int chkalert, const std::function<DatabasePtr()>& open);

}  // namespace qw::maps
