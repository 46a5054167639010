// A report read from the demo database and written to the page files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "common/testing.h"
#include "platform/jet.h"
#include "platform/program.h"
#include "report/report_files.h"
#include "report/report_page.h"

namespace {

qw::ReportRequest Request(int marinaNo) {
  qw::ReportRequest r;
  r.marinaNo = marinaNo;
  r.marinaName = QStringLiteral("Handed Over");
  r.edition = QStringLiteral("New England");
  r.photosFolder = qw::testing::BuiltProgramFolder() + QStringLiteral("/Photos");
  r.programFolder = qw::testing::BuiltProgramFolder();
  return r;
}

TEST(ReportDatabase, DemoMarinasComposed) {
  const qw::DatabasePtr db =
      qw::Database::OpenDatabase(qw::testing::DemoDatabasePath(), -1, true, QStringLiteral(";PWD=x"));
  const qw::ReportRows rows = qw::ReadReportRows(*db, 487);
  EXPECT_EQ(rows.statuteMile.toDouble(), 12.5);
  EXPECT_EQ(rows.geoCode, 13);
  EXPECT_EQ(rows.regionName, "MA - BUZZARDS BAY");
  EXPECT_TRUE(rows.contact.HasRow());

  const qw::ReportPages p865 = qw::ComposeReportPages(*db, Request(865));
  EXPECT_EQ(p865.marinaName, "Sailor's Rest & Skipper's Wharf");
  EXPECT_TRUE(p865.reportHtml.contains("&nbsp;&nbsp;Sailor&acute;s Rest &amp; Skipper&acute;s Wharf&nbsp;&nbsp;</div>"));
  // The middle section and bottom band sit between the contact box and the
  // ornaments, and the viewer keeps them.
  EXPECT_TRUE(p865.sections.MiddleSectionHtml.contains("Restaurants"));
  const qsizetype middle = p865.reportHtml.indexOf("top:4.15in");
  EXPECT_GT(middle, p865.reportHtml.indexOf("Tourist Info"));
  EXPECT_LT(middle, p865.reportHtml.indexOf("bpin.gif"));
  EXPECT_TRUE(p865.reportHtml.contains("/Photos/6/865/6-865-@1.jpg"));

  // 581 has the program's own photo; 507 its further photos, eight of them.
  EXPECT_TRUE(qw::ComposeReportPages(*db, Request(581)).reportHtml.contains("/photos/8-581.jpg'"));
  const qw::ReportPages p507 = qw::ComposeReportPages(*db, Request(507));
  EXPECT_EQ(p507.photosHtml.count("<IMG SRC="), 8);
  EXPECT_TRUE(p507.photosHtml.contains("/Photos/12/507/12-507-10.jpg'"));
  EXPECT_TRUE(p507.photosHtml.contains("/Photos/12/507/12-507-3.jpg'"));
  EXPECT_FALSE(p507.photosHtml.contains("/Photos/12/507/12-507-2"));

  // A marina the database does not hold still gives a page.
  const qw::ReportPages none = qw::ComposeReportPages(*db, Request(9999));
  EXPECT_EQ(none.marinaName, "Handed Over");
  EXPECT_TRUE(none.reportHtml.endsWith("</BODY></HTML>"));
  EXPECT_FALSE(none.inDatabase);  // which the viewer says instead of showing it
  EXPECT_TRUE(p507.inDatabase);
}

TEST(ReportDatabase, PagesWrittenOrReported) {
  const qw::testing::TempProgramFolder folder(false);
  const QString report = QStringLiteral("<html>Caf\u00e9</html>");
  qw::PageFilesWritten written = qw::WriteReportPages(report, QStringLiteral("<html>2</html>"));
  ASSERT_TRUE(written.ok) << written.error.toStdString();
  QFile page(folder.Path() + QStringLiteral("/tmp.htm"));
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  EXPECT_EQ(page.readAll(), QByteArray("\xEF\xBB\xBF<html>Caf\xC3\xA9</html>\r\n"));
  page.close();

  // A page that cannot be written is reported; the other is still replaced.
  ASSERT_TRUE(QFile::remove(folder.Path() + QStringLiteral("/tmp.htm")));
  ASSERT_TRUE(QDir(folder.Path()).mkdir(QStringLiteral("tmp.htm")));
  written = qw::WriteReportPages(report, QStringLiteral("<html>3</html>"));
  EXPECT_FALSE(written.ok);
  EXPECT_TRUE(written.error.contains(folder.Path() + QStringLiteral("/tmp.htm")));
  QFile photos(folder.Path() + QStringLiteral("/tmp2.htm"));
  ASSERT_TRUE(photos.open(QIODevice::ReadOnly));
  EXPECT_EQ(photos.readAll(), QByteArray("\xEF\xBB\xBF<html>3</html>\r\n"));
  photos.close();

  // A page the disk takes only part of is reported with the reason, and no
  // cut page is left to be shown.
  ASSERT_TRUE(QDir(folder.Path()).rmdir(QStringLiteral("tmp.htm")));
  const QString large = QStringLiteral("<html>%1</html>").arg(QString(20000, u'x'));
  {
    const qw::testing::FileSizeLimit limit(8192);
    written = qw::WriteReportPages(large, QStringLiteral("<html>4</html>"));
  }
  EXPECT_FALSE(written.reportWritten);
  EXPECT_EQ(written.error, QStringLiteral("The page could not be written to %1/tmp.htm: %2.")
                               .arg(folder.Path(), qw::testing::FileSizeLimit::Reason()));
  EXPECT_FALSE(QFile::exists(folder.Path() + QStringLiteral("/tmp.htm")));

  qw::DeleteReportPages();
  EXPECT_FALSE(QFile::exists(folder.Path() + QStringLiteral("/tmp2.htm")));
}

}  // namespace
