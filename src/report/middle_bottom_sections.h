#pragma once
// The report's middle section (seven sub-sections of amenity lines by
// distance class, set in two balanced columns) and its bottom band (setting,
// marina notes, notable), composed as the HTML that goes into the page.
#include <QString>
#include <cstdint>

#include "report/two_columns.h"

namespace qw {

class Database;
struct DontShowFlags;

// What the composition of the two sections leaves for the rest of the report.
struct ReportSectionsState {
  QString MiddleSectionHtml;  // the whole middle section, before the split
  QString BottomSectionHtml;  // the whole bottom band
  ShiftBar scrShiftMiddle;    // range and starting position of the middle split
  ShiftBar scrShiftBottom;    // the same for the bottom band (kept, not used)
  QString LeftMiddleText;     // the middle section's two columns as placed
  QString RightMiddleText;
  QString LeftBottomText;     // the bottom band divided the same way (the
  QString RightBottomText;    // page shows the band whole)
  QString Service911Text;     // the medical block's 911 note, "" when none
};

// Composes the middle section and the bottom band of marina marinaNo from
// reportDb, with the items hidden that flags hides, fills `out` and returns the
// page text that goes at this point of the report: the two middle column
// tables, the grey bottom band and the bottom text table. Throws JetError only
// when the file cannot be read just now (IsReadFailure).
QString AppendMiddleAndBottomSections(Database& reportDb, std::int32_t marinaNo, const DontShowFlags& flags,
                                      ReportSectionsState& out);

// The middle section's HTML alone (no split, no tables); service911Text gets
// the 911 note.
QString BuildMiddleSectionHtml(Database& reportDb, std::int32_t marinaNo, const DontShowFlags& flags,
                               QString& service911Text);

// The bottom band's HTML alone: three paragraphs, "n/a" for a missing text.
QString BuildBottomSectionHtml(Database& reportDb, std::int32_t marinaNo);

}  // namespace qw
