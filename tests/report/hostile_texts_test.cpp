// Database texts that try to run script, break the page or link elsewhere,
// each written into one column of a demo marina and composed into its report
// pages: plain-text columns come out escaped, markup columns cleaned, and the
// page around them keeps its own tables.
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "report/report_page.h"
#include "sections_fixture.h"

namespace qw {
namespace {

constexpr int kMarina = 512;  // restaurants, boatyard row, airport and hospital lines
const QString kHostile = QStringLiteral(
    "Fish & Chips </td></TABLE> Co <script>window.open('http://x')</script> Depth <5 ft \"q\" 'a' "
    "<img src=x onerror=\"alert(1)\"> <a href=\"javascript:alert(1)\" onclick='x()'>j</a> <I>try the chowder");

QString Compose(Database& db) {
  ReportRequest r;
  r.marinaNo = kMarina;
  r.marinaName = QStringLiteral("Handed Over");
  r.edition = QStringLiteral("New England");
  r.programFolder = testing::BuiltProgramFolder();
  r.hidden.DontShowMarinaNo = kMarina;
  LoadDontShowFlags(r.hidden, db);
  const ReportPages pages = ComposeReportPages(db, r);
  return pages.reportHtml + pages.photosHtml;
}

// The page's own frame: its tables, rows, cells and blocks, in order.
QStringList Frame(const QString& page) {
  static const QRegularExpression tag(QStringLiteral("</?(table|tr|td|div)\\b"), QRegularExpression::CaseInsensitiveOption);
  QStringList frame;
  for (const auto& m : tag.globalMatch(page)) frame << m.captured(0).toLower();
  return frame;
}

// What in the page could run or lead elsewhere: script elements, event
// attributes (but the body's own context-menu guard), links and sources of
// other schemes than web, mail and local files.
QStringList Unsafe(const QString& page) {
  static const QRegularExpression tag(QStringLiteral("<([A-Za-z][A-Za-z0-9]*)((?:[^>\"']|\"[^\"]*\"|'[^']*')*)>"));
  static const QRegularExpression attribute(QStringLiteral("([^\\s=/>]+)(?:\\s*=\\s*(\"[^\"]*\"|'[^']*'|[^\\s>]+))?"));
  static const QRegularExpression safeAddress(QStringLiteral("^[\"']?(https?:|mailto:|file:)"),
                                              QRegularExpression::CaseInsensitiveOption);
  QStringList found;
  for (const auto& t : tag.globalMatch(page)) {
    const QString name = t.captured(1).toLower();
    if (name == QLatin1String("script") || name == QLatin1String("iframe") || name == QLatin1String("object"))
      found << t.captured(0);
    for (const auto& a : attribute.globalMatch(t.captured(2))) {
      const QString key = a.captured(1).toLower();
      if (key.startsWith(QLatin1String("on")) && key != QLatin1String("oncontextmenu")) found << t.captured(0);
      if ((key == QLatin1String("href") || key == QLatin1String("src")) && !safeAddress.match(a.captured(2)).hasMatch())
        found << t.captured(0);
    }
  }
  return found;
}

TEST(HostileTexts, EscapedOrCleanedWhereverTheyStand) {
  testing::SectionsDb demo;
  const QString baseline = Compose(demo.db());
  ASSERT_TRUE(Unsafe(baseline).isEmpty()) << Unsafe(baseline).join('\n').toStdString();
  const QString n = QString::number(kMarina);

  const struct {
    const char* family;
    QString update;     // puts kHostile into the column
    bool whole = true;  // the text is shown whole (a phone is reformatted)
  } cases[] = {
      {"marina name (side strip, heading, photos page)", "UPDATE rpm_marinaname_no SET [Marina Name] = %1, [Marina 30 char Name] = %1 WHERE MarinaNo = " + n},
      {"harbour (footers)", "UPDATE rpm_nav_info SET Harbor = %1 WHERE MarinaNo = " + n},
      {"item value: manager", "UPDATE rpm_marina_operations SET [Marina Manager/Director] = %1 WHERE MarinaNo = " + n},
      {"item value: fuel brand", "UPDATE rpm_marina_facilities SET [Fuel?] = 1, Brand = %1 WHERE MarinaNo = " + n},
      {"item value: e-mail (link and text)", "UPDATE rpm_Contact_Information SET [E-mail] = %1 WHERE MarinaNo = " + n},
      {"dealer list", "UPDATE rpm_Boat_and_Boatyard_Services_EI SET [Dealer For] = %1 WHERE MarinaNo = " + n},
      {"eatery name", "UPDATE rpm_Restaurants SET Name = %1 WHERE MarinaNo = " + n},
      {"eatery phone", "UPDATE rpm_Restaurants SET [Telephone #] = '555 ' || %1 WHERE MarinaNo = " + n, false},
      {"eatery price", "UPDATE rpm_Restaurants SET [D$] = %1 WHERE MarinaNo = " + n},
      {"eatery distance", "UPDATE rpm_Restaurants SET [Approx Distance] = %1 WHERE MarinaNo = " + n},
      {"eatery comment", "UPDATE rpm_Restaurants SET Comments = %1 WHERE MarinaNo = " + n},
      {"amenity name", "UPDATE dumyServices SET serviceName = %1 WHERE serviceName = 'Grills'; "
                       "UPDATE rpm_Recreation SET type = %1 WHERE type = 'Grills'"},
      {"amenity comment", "UPDATE rpm_Recreation SET Comments = %1 WHERE MarinaNo = " + n},
      {"amenity distance", "UPDATE rpm_Recreation SET [Approx Distance] = %1 WHERE MarinaNo = " + n},
      {"airport comment", "UPDATE rpm_Transportation SET Comments = %1 WHERE type = 'Nearest Airport' AND MarinaNo = " + n},
      {"hospital distance", "UPDATE rpm_Medical SET [Approx Distance] = %1 WHERE type = 'Hospital' AND MarinaNo = " + n},
      {"heads' other amenities", "UPDATE rpm_marina_facilities SET [Other Amenities] = %1 WHERE MarinaNo = " + n},
      {"navigation directions", "UPDATE rpm_nav_info SET [Navigational Directions from ICW] = %1 WHERE MarinaNo = " + n},
      {"setting, notes, notable", "UPDATE rpm_extras SET Environs = %1, [Marina Notes] = %1, Notable = %1 WHERE MarinaNo = " + n},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.family);
    testing::SectionsDb hostile;
    for (const QString& sql : c.update.arg(testing::SqlLiteral(kHostile)).split(QStringLiteral("; ")))
      hostile.Exec(sql);
    const QString page = Compose(hostile.db());
    EXPECT_NE(page, baseline);
    EXPECT_EQ(Frame(page), Frame(baseline));
    EXPECT_TRUE(Unsafe(page).isEmpty()) << Unsafe(page).join('\n').toStdString();
    if (c.whole) {
      EXPECT_TRUE(page.contains(QStringLiteral("Fish &amp; Chips")));
      EXPECT_TRUE(page.contains(QStringLiteral("Depth &lt;5 ft")));
    }
    // Every eatery stays listed, whatever its comment leaves open.
    if (!c.update.contains(QLatin1String("SET Name"))) {
      for (const char* eatery : {"Windward Tavern", "Heron Drive-In"}) EXPECT_TRUE(page.contains(QLatin1String(eatery)));
    }
  }
}

}  // namespace
}  // namespace qw
