#pragma once
// The one-page report of a marina: an 8.25 by 11 inch page of absolutely
// placed tables (side strips, region tab, ratings, the upper boxes, the
// middle and bottom sections, ornaments), composed from the marina's rows.
#include <QString>
#include <QVariant>
#include <cstdint>

#include "report/dont_show.h"
#include "report/middle_bottom_sections.h"
#include "report/report_rows.h"

namespace qw {

// The rating icons found in the program folder (absolute paths; "" where the
// marina has no such rating or the file is missing).
struct RatingIcons {
  QString bell, boatyard, sunset;
};
RatingIcons FindRatingIcons(const QString& programFolder, const QVariant& bellRating, const QVariant& boatyardRating,
                            const QVariant& sunset);

struct ReportPageInput {
  QString marinaName;       // the name the caller knows; [Marina Name] replaces it when not Null
  QString edition;          // the edition title of the guide ("New England")
  ReportRows rows;
  RatingIcons icons;
  QString photoFile;        // the photo box's photo (absolute path, "" for none)
  QString programFolder;    // where the page ornaments lie
  QString middleAndBottom;  // the middle section and bottom band, placed after the contact box
};

// The marina's name as the report shows it: [Marina Name], or the caller's
// name when that is Null.
QString ReportMarinaName(const ReportPageInput& in);

// The guide title of the lower side strip.
QString GuideTitle(const QString& edition);

// The page text as it is written to the report file: every piece in
// document order, then every "&nbsp;&nbsp;&nbsp;" made "&nbsp;&nbsp; ".
QString ComposeReportPage(const ReportPageInput& in);

// What the report of one marina is made from, besides the database.
struct ReportRequest {
  std::int32_t marinaNo = 0;
  QString marinaName;     // the name the caller knows
  QString edition;        // the edition title
  QString photosFolder;   // the root of the user's photo folders
  QString programFolder;  // icons, ornaments and the program's photos/ folder
  DontShowFlags hidden;   // the items the marina's report leaves out
};

// The two pages of a marina's report and what the viewer keeps of it.
struct ReportPages {
  QString marinaName;  // as the report shows it ([Marina Name] when not Null)
  int geoCode = 0;
  QString harbor;      // without its end blanks
  QString reportHtml;  // the report page as written (ReportPageHtml)
  QString photosHtml;  // the Additional Photos page
  ReportSectionsState sections;  // the middle section and bottom band as composed
  bool inDatabase = false;  // the database holds the marina (ReportRows::inDatabase)
};

// Reads the marina's rows through db (the report's read-only connection),
// finds its icons and photos, composes the middle section and bottom band
// without the hidden items, and composes both pages.
ReportPages ComposeReportPages(Database& db, const ReportRequest& request);

}  // namespace qw
