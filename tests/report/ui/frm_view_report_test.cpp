// The report viewer driven headless over the demo database and the real
// result list: which marina each road shows, the commands of its menu bar,
// and what its unload leaves behind.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <gtest/gtest.h>

#include "common/store_faults.h"
#include "platform/program.h"
#include "report/report_database.h"
#include "report/ui/notes_box.h"
#include "viewer_fixture.h"

namespace {

using qw::frm_view_report;
using qw::ReportHandOver;

using ViewerTest = qw::testing::ViewerWindowTest;

// Two marinas of one name: the double-clicked one is shown, by row, whatever
// the row above it is named; a click on another entry shows that one.
TEST_F(ViewerTest, ListRoadShowsTheDoubleClickedMarinaAndAClickAnother) {
  ASSERT_LT(RowOf(2561), RowOf(468));
  for (int no : {468, 2561}) {
    SCOPED_TRACE(no);
    frm_view_report* v = DoubleClick(no);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->windowTitle(), "View Report");
    EXPECT_TRUE(v->isMaximized());
    EXPECT_TRUE(v->bclear);
    EXPECT_EQ(v->lstMarinaNames->count(), qw::frmList::Instance()->GetMarinasCount());
    EXPECT_EQ(v->ListIndex(), RowOf(no) - 1);
    EXPECT_EQ(v->lstMarinaNames->item(v->ListIndex())->text(), "Harbor Light Marina");
    EXPECT_EQ(v->CurrentMarinaNo(), no);
    EXPECT_EQ(v->DontShow().DontShowMarinaNo, no);
    EXPECT_TRUE(v->mnuprint->isEnabled());
    EXPECT_EQ(v->ReportPageHtml() + "\r\n", Page());
    EXPECT_EQ(v->wb->Url(), QUrl::fromLocalFile(qw::ReportPagePath()));
  }

  // Another entry: its report and its notes (2608 keeps two lines of notes).
  frm_view_report* v = frm_view_report::Loaded();
  ASSERT_TRUE(ShowEntry(v, RowOf(2608) - 1));
  EXPECT_EQ(v->CurrentMarinaNo(), 2608);
  EXPECT_TRUE(v->tbNotes->toPlainText().startsWith("Skipper's notes: fuel dock closes at 5."));
  EXPECT_EQ(v->notes->NotesMarinaNo(), 2608);

  // Leaving a marina stores only what was typed: notes read and left alone
  // keep their line ends; typed ones are stored to their marina.
  v->lstMarinaNames->setCurrentRow(0);
  EXPECT_TRUE(StoredNotes(2608).contains("\r\n"));
  v->lstMarinaNames->setCurrentRow(RowOf(2608) - 1);
  v->tbNotes->moveCursor(QTextCursor::End);
  v->tbNotes->insertPlainText("\nFuel by the gallon.");
  v->lstMarinaNames->setCurrentRow(0);
  EXPECT_TRUE(StoredNotes(2608).endsWith("\nFuel by the gallon."));
  ASSERT_TRUE(v->wb->WaitForLoad(30000));
  EXPECT_TRUE(boxes_.Shown().isEmpty());
}

// From a map, by MarinaNo: the entry of the marina when the list holds it,
// else no entry; one composition either way, with the marina's own hidden
// items and notes.
TEST_F(ViewerTest, MapRoadMatchesByMarinaNoAndComposesOnce) {
  where_ = " where (rpm_Vyk.[Geo Code] = 13)";  // the list holds 473, not 2608
  ASSERT_GT(RowOf(473), 0);
  ASSERT_EQ(RowOf(2608), 0);

  qw::AppScreens().showReport(ReportHandOver{ReportHandOver::Road::Map, 0, 2608});
  frm_view_report* v = Shown();
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(mapKeysCleared_, 1);
  EXPECT_EQ(v->ListIndex(), -1);
  EXPECT_EQ(v->CurrentMarinaNo(), 2608);
  EXPECT_EQ(v->DontShow().DontShowMarinaNo, 2608);
  EXPECT_EQ(v->notes->NotesMarinaNo(), 2608);
  EXPECT_TRUE(v->tbNotes->toPlainText().startsWith("Skipper's notes"));

  // 473 hides its Hospital line; on the map road it is found in the list.
  qw::AppScreens().showReport(ReportHandOver{ReportHandOver::Road::Map, 0, 473});
  ASSERT_TRUE(v->wb->WaitForLoad(30000));
  EXPECT_EQ(v->ListIndex(), RowOf(473) - 1);
  EXPECT_EQ(v->CurrentMarinaNo(), 473);
  EXPECT_TRUE(v->DontShow().hospital());
  EXPECT_FALSE(Page().contains("Hospital: "));
  EXPECT_EQ(v->notes->NotesMarinaNo(), 473);
  EXPECT_EQ(mapKeysCleared_, 1) << "a viewer loaded already does not load again";

  // Numbers that no table knows (a hand-edited key of a map): said so, no
  // page, and no notes to keep for them.
  for (const int no : {-5, 0, 99999}) {
    SCOPED_TRACE(no);
    boxes_.Clear();
    qw::AppScreens().showReport(ReportHandOver{ReportHandOver::Road::Map, 0, no});
    v->wb->WaitForLoad(30000);
    ASSERT_EQ(boxes_.Shown().size(), 1);
    EXPECT_EQ(boxes_.Shown()[0].text, QStringLiteral("Marina number %1 is not in the marina database.").arg(no));
    ExpectNoPage(v);
    EXPECT_EQ(v->notes->NotesMarinaNo(), 0);
    EXPECT_TRUE(v->tbNotes->toPlainText().isEmpty());
    EXPECT_TRUE(v->tbNotes->isReadOnly());
  }

  // The caller's name comes back as the database holds it.
  QString name = "Handed Over";
  v->DisplayReport(865, name);
  ASSERT_TRUE(v->wb->WaitForLoad(30000));
  EXPECT_EQ(name, "Sailor's Rest & Skipper's Wharf");
  EXPECT_EQ(v->DontShow().DontShowMarinaNo, 865);
  EXPECT_TRUE(v->Sections().MiddleSectionHtml.contains("Restaurants"));
}

TEST_F(ViewerTest, FullViewAndAdditionalPhotosToggleAndComeBack) {
  frm_view_report* v = DoubleClick(507);
  ASSERT_NE(v, nullptr);
  v->resize(1200, 900);
  const int columnRight = qw::TwipsToPixels(3480);
  EXPECT_EQ(v->wb->x(), columnRight);

  v->mnuFullview->trigger();
  EXPECT_EQ(v->mnuFullview->text(), "Normal");
  EXPECT_FALSE(v->lstMarinaNames->isVisibleTo(v));
  EXPECT_FALSE(v->tbNotes->isVisibleTo(v));
  EXPECT_EQ(v->wb->x(), 0);
  v->resize(1100, 800);  // full view survives a new size
  EXPECT_EQ(v->wb->x(), 0);
  v->mnuFullview->trigger();
  EXPECT_EQ(v->mnuFullview->text(), "Full View");
  EXPECT_TRUE(v->lstMarinaNames->isVisibleTo(v));
  EXPECT_EQ(v->wb->x(), columnRight);

  v->mnuaddphotos->trigger();
  ASSERT_TRUE(v->wb->WaitForLoad(30000));
  EXPECT_EQ(v->mnuaddphotos->text(), "Marina Report");
  EXPECT_EQ(v->wb->Url(), QUrl::fromLocalFile(qw::AdditionalPhotosPagePath()));
  v->mnuaddphotos->trigger();
  ASSERT_TRUE(v->wb->WaitForLoad(30000));
  EXPECT_EQ(v->mnuaddphotos->text(), "Additional Photos");
  EXPECT_EQ(v->wb->Url(), QUrl::fromLocalFile(qw::ReportPagePath()));

  // Another entry brings the report back from the photos page.
  v->mnuaddphotos->trigger();
  ASSERT_TRUE(ShowEntry(v, 0));
  EXPECT_EQ(v->mnuaddphotos->text(), "Additional Photos");
  EXPECT_EQ(v->wb->Url(), QUrl::fromLocalFile(qw::ReportPagePath()));

  // As small as the window goes, the list still ends above the notes' title.
  v->resize(100, 100);
  EXPECT_LT(v->lstMarinaNames->geometry().bottom(), v->lblNotes->y());
  EXPECT_LT(v->lblNotes->geometry().bottom(), v->tbNotes->y());
  EXPECT_GT(v->wb->width(), 0);

  // The menu bar as it opens.
  EXPECT_FALSE(v->miOptions->menuAction()->isEnabled());
  EXPECT_TRUE(v->w3mi->isChecked());
  EXPECT_FALSE(v->miAlignPanel->isChecked());
  EXPECT_FALSE(v->mnuRight->isVisible());
  QStringList captions;
  for (QAction* a : v->menuBar()->actions()) captions << a->text();
  EXPECT_EQ(captions, QStringList({"&File", "Options", "Return to Search", "Full View", "Additional Photos", "Print",
                                   "Return to Maps"}));
}

// Leaving the viewer: both pages deleted, the connection closed, bclear off;
// Return to Maps opens the marina's sub-region map, or returns to the search
// while there are no maps.
TEST_F(ViewerTest, ReturnToSearchOrMapsUnloadsAndCleansUp) {
  struct Case {
    bool maps;
    bool viaMaps;
  } const cases[] = {{false, false}, {false, true}, {true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.viaMaps);
    int shownMap = 0;
    qw::AppScreens().showSubRegionMap = nullptr;
    if (c.maps) qw::AppScreens().showSubRegionMap = [&](int geo) { shownMap = geo; return true; };
    searchShown_ = 0;
    listUnloaded_ = 0;
    frm_view_report* v = DoubleClick(487);
    ASSERT_NE(v, nullptr);
    ASSERT_TRUE(QFile::exists(qw::ReportPagePath()));
    ASSERT_TRUE(QFile::exists(qw::AdditionalPhotosPagePath()));
    ASSERT_NE(qw::ReportDatabase(), nullptr);

    (c.viaMaps ? v->mnucharts : v->mnubksearch)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frm_view_report::Loaded(), nullptr);
    EXPECT_FALSE(QFile::exists(qw::ReportPagePath()));
    EXPECT_FALSE(QFile::exists(qw::AdditionalPhotosPagePath()));
    EXPECT_EQ(qw::ReportDatabase(), nullptr);
    EXPECT_EQ(searchShown_, c.maps ? 0 : 1);
    EXPECT_EQ(shownMap, c.maps ? 13 : 0);
    EXPECT_EQ(listUnloaded_, c.maps ? 1 : 0);
  }
  // Find's hand-shake unloads a loaded viewer and loads none.
  DoubleClick(487);
  qw::AppScreens().unloadReportIfCleared();
  EXPECT_EQ(frm_view_report::Loaded(), nullptr);
  qw::AppScreens().unloadReportIfCleared();
  EXPECT_EQ(frm_view_report::Loaded(), nullptr);
}

// A page that cannot be written is reported, and the browser leaves the
// previous marina's page.
TEST_F(ViewerTest, APageThatCannotBeWrittenIsReportedAndNothingOldStays) {
  frm_view_report* v = DoubleClick(487);
  ASSERT_NE(v, nullptr);
  ASSERT_TRUE(QFile::remove(qw::ReportPagePath()));
  ASSERT_TRUE(QDir().mkdir(qw::ReportPagePath()));
  ShowEntry(v, RowOf(2608) - 1);
  ASSERT_EQ(boxes_.Shown().size(), 1);
  EXPECT_TRUE(boxes_.Shown()[0].text.contains(qw::ReportPagePath()));
  ExpectNoPage(v);
  EXPECT_EQ(v->CurrentMarinaNo(), 2608);
  QDir().rmdir(qw::ReportPagePath());
}

// A database that cannot be read as another marina is shown (another
// program's lock, the data folder or the file gone): the report is not shown
// read in part, and one message names the cause as the notes' message does,
// also when typed notes could not be stored either. Return to Maps looks for
// the sub-region before anything goes: the viewer and the maps stay.
TEST_F(ViewerTest, AnUnreadableDatabaseIsToldOnceByItsCauseAndNoPageStays) {
  using qw::testing::StoreFault;
  int mapsGone = 0;
  int mapShown = 0;
  qw::AppScreens().unloadOverview = [&] { ++mapsGone; };
  qw::AppScreens().unloadSubRegionMaps = [&] { ++mapsGone; };
  qw::AppScreens().showSubRegionMap = [&](int) { return ++mapShown > 0; };
  const QString folderAway = "the folder of the marina database, " + folder_.DataFolder() +
                             ", cannot be found (the disk holding it may have been removed).";
  const struct {
    StoreFault fault;
    QString cause;
    bool typed;  // notes typed for the marina shown before
  } cases[] = {
      {StoreFault::Lock, "another program holds a lock on the marina database.", false},
      {StoreFault::FolderAway, folderAway, false},
      {StoreFault::FileAway, "the marina database file " + folder_.DatabasePath() + " cannot be found.", false},
      {StoreFault::Lock, "another program holds a lock on the marina database.", true},
  };
  frm_view_report* v = DoubleClick(487);
  ASSERT_NE(v, nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(qw::testing::StoreFaultName(c.fault)) + (c.typed ? ", notes typed" : ""));
    ASSERT_TRUE(ShowEntry(v, RowOf(487) - 1));
    if (c.typed) v->tbNotes->setPlainText(QStringLiteral("Typed before the lock"));
    boxes_.Clear();
    {
      qw::testing::InjectedFault fault(c.fault, folder_.DatabasePath());
      ShowEntry(v, RowOf(2608) - 1);
      ASSERT_EQ(boxes_.Shown().size(), 1);
      const QString told = boxes_.Shown()[0].text;
      EXPECT_TRUE(told.startsWith(c.typed ? "Your personal notes for "
                                          : "The report could not be read from the "
                                            "marina database: "))
          << told.toStdString();
      EXPECT_TRUE(told.contains(c.cause)) << told.toStdString();
      ExpectNoPage(v);
      EXPECT_EQ(v->CurrentMarinaNo(), 2608);
      if (c.typed) continue;
      boxes_.Clear();
      v->mnucharts->trigger();
      ASSERT_EQ(boxes_.Shown().size(), 1);
      EXPECT_EQ(boxes_.Shown()[0].text,
                "The marina's sub-region could not be read from the marina database: " + c.cause);
      EXPECT_EQ(mapsGone, 0);
      EXPECT_EQ(mapShown, 0);
      EXPECT_EQ(frm_view_report::Loaded(), v);
    }
  }
  // Once the database can be read again, the same click shows the whole
  // report.
  boxes_.Clear();
  ASSERT_TRUE(ShowEntry(v, RowOf(487) - 1));
  EXPECT_TRUE(boxes_.Shown().isEmpty());
  EXPECT_TRUE(Page().contains(QStringLiteral("ICW SM")));
}

}  // namespace
