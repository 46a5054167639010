// The map windows in the main window: the marks as the user meets them, the
// hand-over to the report, the key list, the keys grid, the hint box and
// the roads from the toolbar, the start choice and the report back to a map.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <map>

#include "app/ui/choice_dialog.h"
#include "app/ui/mdi_frm_main.h"
#include "app/ui/ui_helpers.h"
#include "common/testing.h"
#include "data/marina_db.h"
#include "host/ui/screens.h"
#include "maps/map_keys.h"
#include "maps/map_lists.h"
#include "maps/ui/frm_alert_chart.h"
#include "maps/ui/frm_chart_key.h"
#include "maps/ui/frm_map_keys_grid.h"
#include "maps/ui/frm_overview_chart.h"
#include "maps/ui/frm_subregion.h"
#include "maps/ui/map_controls.h"
#include "maps/ui/map_key.h"
#include "maps/ui/register.h"
#include "platform/message_box.h"
#include "platform/ui/browser.h"
#include "platform/ui/check_box.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/window_frame.h"
#include "report/ui/frm_view_report.h"
#include "report/ui/register.h"

namespace qw {
namespace {

using maps::MapKeys;
using maps::MapSelected;

// A mouse button pressed and let go at a point of a picture box, on whatever
// control lies on top there.
void MouseAt(QWidget* picture, QPoint at, Qt::MouseButton button) {
  QWidget* target = picture->childAt(at);
  if (!target) target = picture;
  const QPointF local = target->mapFrom(picture, at);
  QMouseEvent press(QEvent::MouseButtonPress, local, target->mapToGlobal(local), button, button, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, local, target->mapToGlobal(local), button, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QApplication::sendEvent(target, &release);
}

void Settle() {
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool AnyMapLoaded() {
  for (int k = 1; k <= 12; ++k)
    if (LoadedSubRegionMap(k)) return true;
  return false;
}

class MapWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = AppScreens();
    RegisterMapScreens();
    AppScreens().showReport = [this](const ReportHandOver& h) { handOvers_.push_back(h); };
    AppScreens().hideSearch = [this] { calls_ << "hideSearch"; };
    AppScreens().unloadSearch = [this] { calls_ << "unloadSearch"; };
    AppScreens().showSearch = [this] { calls_ << "showSearch"; };
    maps::ClearMapFormload();
    MapSelected() = {};
    main_ = MDIFrmMain::Instance();
    main_->show();
  }
  void TearDown() override {
    frm_view_report::Unload();
    Frmalertchart::Unload();
    Frmchartkey::Unload();
    Frmmapkeysgrid::Unload();
    frmOverviewChart::Unload();
    UnloadSubRegionMaps();
    MDIFrmMain::Unload();
    Settle();
    maps::ClearMapFormload();
    AppScreens() = saved_;
  }

  QString NameOf(int marinaNo) {
    auto db = OpenMarinaDatabase();
    auto rs = db->OpenRecordset(QStringLiteral("SELECT [Marina Name] FROM rpm_marinaname_no WHERE MarinaNo = %1").arg(marinaNo));
    return rs->Eof() ? QString() : rs->Fields(0).Value().toString().trimmed();
  }

  testing::TempProgramFolder folder_;
  ScriptedMsgBoxes boxes_;
  Screens saved_;
  MDIFrmMain* main_ = nullptr;
  std::vector<ReportHandOver> handOvers_;
  QStringList calls_;
};

TEST_F(MapWindows, EveryMarkLiesAtItsRectangleWithItsMarinasNameAndTheHand) {
  std::map<int, int> counts;
  for (const maps::SubRegionMap& map : maps::SubRegionMaps()) {
    SubRegionMapWindow* w = ShowSubRegionMap(map.k);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), map.windowName);
    for (const maps::MapMark& mark : map.marks) {
      SCOPED_TRACE(qPrintable(map.windowName + " " + mark.ControlName()));
      MapHotSpot* img = w->Img(mark.number);
      ASSERT_NE(img, nullptr);
      EXPECT_EQ(img->objectName(), mark.ControlName());
      const maps::TwipsRect& r = mark.rect;
      EXPECT_EQ(img->geometry(), QRect(r.left / 15, r.top / 15, r.width / 15, r.height / 15));
      EXPECT_EQ(img->cursor().shape(), Qt::PointingHandCursor);
      EXPECT_EQ(img->toolTip(), NameOf(mark.marinaNo));
      EXPECT_FALSE(img->toolTip().isEmpty());
      ++counts[map.k];
    }
  }
  for (int k = 1; k <= 12; ++k) {
    SubRegionMapWindow* w = LoadedSubRegionMap(k);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(static_cast<int>(w->Marks.size()), counts[k]);
    EXPECT_EQ(w->Label1->text(), maps::MapNumber(k)->title);
    EXPECT_EQ(w->windowTitle(), "");
    // Where marks overlap, the one defined later lies on top and takes the point.
    const auto& marks = w->Map().marks;
    for (size_t i = 0; i < marks.size(); ++i)
      for (size_t j = i + 1; j < marks.size(); ++j) {
        const QRect common = marks[i].rect.Pixels() & marks[j].rect.Pixels();
        if (common.isEmpty()) continue;
        const maps::MapMark* top = maps::MarkAt(w->Map(), common.center());
        EXPECT_EQ(w->Picture1->childAt(common.center()), w->Img(top->number)) << k << " " << top->number;
      }
  }
}

TEST_F(MapWindows, AClickOnAMarkHandsItsMarinaToTheReportAndClosesTheMaps) {
  SubRegionMapWindow* cape = ShowSubRegionMap(7);
  ASSERT_TRUE(uitest::WaitFor([] { return ActiveChildName() == "Frmsubregion7"; }));
  EXPECT_EQ(MapKeys().formload[6], "Subregion7");
  EXPECT_EQ(uitest::ButtonsOnOff({11, 12}), "oo");

  // The title, bare picture and a right-click on a mark do nothing.
  const QPoint hyannis = cape->Img(10)->geometry().center();
  MouseAt(cape->Picture1, hyannis, Qt::RightButton);
  MouseAt(cape->Picture1, cape->Label1->geometry().center(), Qt::RightButton);
  MouseAt(cape->Picture1, {300, 200}, Qt::LeftButton);
  EXPECT_TRUE(handOvers_.empty());
  EXPECT_EQ(Frmmapkeysgrid::Loaded(), nullptr);

  MouseAt(cape->Picture1, hyannis, Qt::LeftButton);
  ASSERT_EQ(handOvers_.size(), 1u);
  EXPECT_EQ(handOvers_[0], (ReportHandOver{ReportHandOver::Road::Map, 0, 2570}));
  EXPECT_EQ(MapSelected().marinaNo, 2570);
  EXPECT_EQ(MapSelected().name, *maps::LookUpMapMarinaName(*OpenMarinaDatabase(), 2570, ""));
  EXPECT_EQ(calls_, (QStringList{"hideSearch", "unloadSearch"}));
  Settle();
  EXPECT_FALSE(AnyMapLoaded());
  EXPECT_EQ(MapKeys().formload[6], "Subregion7") << "unloading keeps the key the report reads";

  // Where two marks overlap, the later one's marina goes: Img12 over Img11 on map III.
  SubRegionMapWindow* boothbay = ShowSubRegionMap(3);
  MouseAt(boothbay->Picture1, {364, 276}, Qt::LeftButton);
  ASSERT_EQ(handOvers_.size(), 2u);
  EXPECT_EQ(handOvers_[1].marinaNo, 2566);
}

// The whole road with the real viewer: back on the map, the map is the active
// screen again, with its key and the Key button.
TEST_F(MapWindows, ReturnToMapsMakesTheMapTheActiveScreenAgain) {
  RegisterReportScreens();
  SubRegionMapWindow* cape = ShowSubRegionMap(7);
  ASSERT_TRUE(uitest::WaitFor([] { return ActiveChildName() == "Frmsubregion7"; }));
  MouseAt(cape->Picture1, cape->Img(10)->geometry().center(), Qt::LeftButton);
  Settle();
  frm_view_report* viewer = frm_view_report::Loaded();
  ASSERT_NE(viewer, nullptr);
  ASSERT_TRUE(viewer->wb->WaitForLoad(30000));
  EXPECT_EQ(viewer->CurrentMarinaNo(), 2570);
  // A marina chosen while the viewer is minimised brings it back.
  viewer->showMinimized();
  AppScreens().showReport(ReportHandOver{ReportHandOver::Road::Map, 0, 2570});
  EXPECT_FALSE(viewer->isMinimized());
  QApplication::setActiveWindow(viewer);
  viewer->mnucharts->trigger();
  Settle();
  EXPECT_EQ(frm_view_report::Loaded(), nullptr);
  ASSERT_TRUE(uitest::WaitFor([] { return ActiveChildName() == "Frmsubregion7"; }));
  EXPECT_EQ(uitest::ButtonsOnOff({11, 12}), "oo");
  EXPECT_EQ(MapKeys().formload[6], "Subregion7");
}

TEST_F(MapWindows, AMapWithoutItsPictureSaysWhichOneIsMissing) {
  const QString name = maps::MapNumber(3)->picture;
  const QString path = folder_.Path() + QLatin1Char('/') + name;
  QDir(folder_.Path()).mkpath(QFileInfo(path).path());
  const struct {
    const char* name;
    QByteArray content;  // "-" for no file, "built" for the built program's
  } cases[] = {{"missing", "-"}, {"empty", ""}, {"damaged", "JFIF but not a picture"}, {"shown", "built"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(path);
    if (c.content == "built") {
      ASSERT_TRUE(QFile::copy(testing::BuiltProgramFolder() + QLatin1Char('/') + name, path));
    } else if (c.content != "-") {
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(c.content);
    }
    SubRegionMapWindow* w = ShowSubRegionMap(3);
    ASSERT_NE(w, nullptr);
    const bool shown = c.content == "built";
    EXPECT_EQ(w->Picture1->pixmap().isNull(), !shown);
    EXPECT_EQ(w->Picture1->text(),
              shown ? QString() : QStringLiteral("The map picture %1 is missing or cannot be read.").arg(path));
    UnloadSubRegionMaps();
    Settle();
  }
}

TEST_F(MapWindows, TheHandOverGoesOnWithoutDatabaseNameRowOrMap) {
  MapSelected() = {12, "Before"};  // no name row
  ShowMapMarinaReport();
  EXPECT_EQ(MapSelected().name, "Before");
  MapSelected().marinaNo = 2570;
  QFile::remove(folder_.DatabasePath());  // no database
  ShowMapMarinaReport();
  EXPECT_EQ(MapSelected().name, "Before");
  ASSERT_EQ(handOvers_.size(), 2u);
  EXPECT_EQ(handOvers_[1].marinaNo, 2570);
  for (const QString& key : MapKeys().formload) EXPECT_EQ(key, "") << "no map was active";
  EXPECT_TRUE(boxes_.Shown().isEmpty());
}

TEST_F(MapWindows, OverviewKeyListAndToolbarLeadToEveryMapAndBack) {
  main_->resize(1280, 1000);  // room for a map window at its designed size
  main_->Toolbar1_ButtonClick(11);  // Maps
  frmOverviewChart* overview = frmOverviewChart::Loaded();
  ASSERT_NE(overview, nullptr);
  EXPECT_EQ(frmOverviewChart::keyvalue(), "Overviewchart");
  ASSERT_TRUE(uitest::WaitFor([] { return ScreenMode() == ScreenKind::Map; }));
  EXPECT_FALSE(main_->ToolbarButton(11)->isEnabled());
  EXPECT_EQ(overview->lblsubRegion[3]->toolTip(), "MAINE - PORTLAND & SOUTH COAST  ");
  EXPECT_EQ(overview->Label1->text(), "Quaywise 12 Sub-Regions");
  // Restored, the window takes its designed size at the area's top-left
  // corner; the picture box follows the middle of the window's frame.
  auto* frame = qobject_cast<QMdiSubWindow*>(overview->parentWidget());
  ASSERT_NE(frame, nullptr);
  frame->showNormal();
  EXPECT_EQ(overview->size(), MapWindowDesignSize());
  EXPECT_EQ(frame->pos(), QPoint(0, 0));
  frame->resize(300, 200);
  EXPECT_EQ(overview->Picture1->pos(), QPoint(150 - overview->Picture1->width() / 2, 100 - overview->Picture1->height() / 2));

  // Key opens the key list while the overview is current; a name opens nothing.
  main_->Toolbar1_ButtonClick(12);
  Frmchartkey* key = Frmchartkey::Loaded();
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->windowTitle(), "Double click to view Sub-Region Map");
  EXPECT_EQ(key->MSchart->TextMatrix(0, 0), " Sub-Region No");
  EXPECT_EQ(key->MSchart->TextMatrix(8, 1), "MA -THE ISLANDS ");
  EXPECT_EQ(key->MSchart->TextMatrix(12, 0), "XII");
  // All twelve sub-regions show at once, whole, inside the window.
  const QRect last = key->MSchart->visualRect(key->MSchart->model()->index(11, 1));
  EXPECT_TRUE(key->rect().contains(key->MSchart->viewport()->mapTo(key, last.bottomRight())));
  uitest::DoubleClick(key->MSchart->horizontalHeader()->viewport());  // a header cell opens nothing either
  EXPECT_EQ(frmOverviewChart::keyvalue(), "");
  EXPECT_NE(frmOverviewChart::Loaded(), nullptr);
  frmOverviewChart::setKeyvalue("Overviewchart");
  key->MSchart->SetRow(7);
  key->MSchart->SetCol(1);
  key->MSchart_DblClick();
  EXPECT_EQ(frmOverviewChart::keyvalue(), "");
  EXPECT_NE(frmOverviewChart::Loaded(), nullptr);
  EXPECT_FALSE(AnyMapLoaded());
  // A numeral opens its map and closes the overview with the key list.
  key->MSchart->SetCol(0);
  key->MSchart->SetRow(8);
  key->MSchart_DblClick();
  Settle();
  EXPECT_NE(LoadedSubRegionMap(8), nullptr);
  EXPECT_EQ(frmOverviewChart::Loaded(), nullptr);
  EXPECT_EQ(Frmchartkey::Loaded(), nullptr);
  EXPECT_EQ(MapKeys().formload[7], "Subregion8");
  LoadedSubRegionMap(8)->parentWidget()->showNormal();
  EXPECT_EQ(LoadedSubRegionMap(8)->size(), MapWindowDesignSize());

  // Maps again, and a double-click on a sub-region of the overview.
  main_->Toolbar1_ButtonClick(11);
  Settle();
  EXPECT_FALSE(AnyMapLoaded());
  EXPECT_EQ(MapKeys().formload[7], "Subregion8") << "unloading a map keeps its key";
  uitest::DoubleClick(frmOverviewChart::Loaded()->lblsubRegion[10]);
  Settle();
  EXPECT_EQ(frmOverviewChart::Loaded(), nullptr);
  ASSERT_NE(LoadedSubRegionMap(11), nullptr);
  ASSERT_TRUE(uitest::WaitFor([] { return MapKeys().formload[10] == "Subregion11"; }));
  EXPECT_EQ(MapKeys().formload[7], "");

  // Key now opens the keys grid of that map's region.
  main_->Toolbar1_ButtonClick(12);
  Frmmapkeysgrid* grid = Frmmapkeysgrid::Loaded();
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->LastQuery(),
            "select mapno,marinaname,harbor,marinano from mapkeys where regionname='WESTERN  NARRAGANSETT BAY'");
  EXPECT_EQ(grid->DBmapkeys->rowCount(), 13);
  EXPECT_EQ(grid->DBmapkeys->horizontalHeaderItem(3)->text(), "Marina No");
  EXPECT_TRUE(grid->DBmapkeys->selectionModel()->isRowSelected(0)) << "the current row is highlighted";
  // Key again brings a minimised grid back, as it does the key list.
  grid->showMinimized();
  main_->Toolbar1_ButtonClick(12);
  EXPECT_EQ(Frmmapkeysgrid::Loaded(), grid);
  EXPECT_FALSE(grid->isMinimized());

  // Back to Search closes every map window and clears the keys.
  main_->Toolbar1_ButtonClick(3);
  Settle();
  EXPECT_FALSE(AnyMapLoaded());
  EXPECT_EQ(Frmmapkeysgrid::Loaded(), nullptr);
  for (const QString& k : MapKeys().formload) EXPECT_EQ(k, "");
  EXPECT_TRUE(calls_.contains("showSearch"));

  // The overview's close box unloads it, and the key list with it.
  main_->Toolbar1_ButtonClick(11);
  frmOverviewChart::Loaded()->Picture1_MouseUp(Qt::RightButton);
  ASSERT_NE(Frmchartkey::Loaded(), nullptr);
  Frmchartkey::Loaded()->showMinimized();
  main_->Toolbar1_ButtonClick(12);
  EXPECT_FALSE(Frmchartkey::Loaded()->isMinimized());
  frmOverviewChart::Loaded()->parentWidget()->close();
  Settle();
  EXPECT_EQ(frmOverviewChart::Loaded(), nullptr);
  EXPECT_EQ(Frmchartkey::Loaded(), nullptr);
  EXPECT_TRUE(main_->ToolbarButton(11)->isEnabled()) << "the maps can be opened again";
}

TEST_F(MapWindows, KeysGridOpensTheReportOfARowOnly) {
  ShowSubRegionMap(9);
  ASSERT_TRUE(uitest::WaitFor([] { return ActiveChildName() == "Frmsubregion9"; }));
  ShowMapKeysGrid();
  Frmmapkeysgrid* grid = Frmmapkeysgrid::Loaded();
  ASSERT_EQ(grid->DBmapkeys->rowCount(), 19);
  QApplication::processEvents();
  EXPECT_LE(grid->DBmapkeys->columnViewportPosition(3) + grid->DBmapkeys->columnWidth(3),
            grid->DBmapkeys->viewport()->width())
      << "the four columns fit side by side";
  grid->DBmapkeys->setCurrentCell(-1, -1);
  grid->DBmapkeys_DblClick();  // no row
  grid->DBmapkeys->setCurrentCell(2, 0);
  grid->DBmapkeys->item(2, 3)->setText("Harbor Light");
  grid->DBmapkeys_DblClick();  // no number
  grid->DBmapkeys->item(2, 3)->setText("40000");
  grid->DBmapkeys_DblClick();  // no 16-bit number
  EXPECT_TRUE(handOvers_.empty());
  EXPECT_EQ(Frmmapkeysgrid::Loaded(), grid);
  // A row's number that no marina can have is told; no row, nothing.
  QStringList told;
  for (const MsgBoxCall& box : boxes_.Shown()) told << box.text;
  EXPECT_EQ(told, QStringList({"Marina number Harbor Light is not in the marina database.",
                               "Marina number 40000 is not in the marina database."}));
  boxes_.Clear();

  const int marinaNo = grid->DBmapkeys->item(4, 3)->text().toInt();
  grid->DBmapkeys->setCurrentCell(4, 2);  // the Harbor cell does as well as any
  uitest::DoubleClick(grid->DBmapkeys->viewport());
  ASSERT_EQ(handOvers_.size(), 1u);
  EXPECT_EQ(handOvers_[0].marinaNo, marinaNo);
  Settle();
  EXPECT_EQ(Frmmapkeysgrid::Loaded(), nullptr);
  EXPECT_FALSE(AnyMapLoaded());
  EXPECT_EQ(MapKeys().formload[8], "Subregion9");

  // The record selector at a row's left edge opens that row's report too.
  ShowSubRegionMap(9);
  ASSERT_TRUE(uitest::WaitFor([] { return ActiveChildName() == "Frmsubregion9"; }));
  ShowMapKeysGrid();
  grid = Frmmapkeysgrid::Loaded();
  QHeaderView* selectors = grid->DBmapkeys->verticalHeader();
  uitest::DoubleClick(selectors->viewport(), QPointF(selectors->width() / 2.0, selectors->sectionViewportPosition(6) +
                                                                                  selectors->sectionSize(6) / 2.0));
  ASSERT_EQ(handOvers_.size(), 2u);
  EXPECT_EQ(handOvers_[1].marinaNo, grid->DBmapkeys->item(6, 3)->text().toInt());
}

TEST_F(MapWindows, ReturnToMapsOpensTheMapOfTheGeoCode) {
  EXPECT_FALSE(AppScreens().showSubRegionMap(4));
  EXPECT_FALSE(AppScreens().showSubRegionMap(17));
  EXPECT_FALSE(AnyMapLoaded());
  EXPECT_TRUE(AppScreens().showSubRegionMap(11));
  SubRegionMapWindow* cape = LoadedSubRegionMap(7);
  ASSERT_NE(cape, nullptr);
  EXPECT_TRUE(cape->isVisible());
  EXPECT_EQ(cape->formload(), "Subregion7");
  EXPECT_TRUE(uitest::WaitFor([this, cape] { return main_->MdiArea()->activeSubWindow() == cape->parentWidget(); }));
}

TEST_F(MapWindows, StartChoiceMapRoadShowsTheHintUntilItIsTurnedOff) {
  auto rows = [this] {
    return OpenMarinaDatabase()->OpenRecordset("SELECT COUNT(*) FROM chart_information")->Fields(0).Value().toInt();
  };
  ASSERT_EQ(rows(), 0);
  int hints = 0;
  const auto answer = [&hints](bool tick) {
    QTimer::singleShot(0, [&hints, tick] {
      auto* box = qobject_cast<Frmalertchart*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      ++hints;
      EXPECT_EQ(box->windowTitle(), "VYK Information");
      EXPECT_EQ(box->Label2->text(), "2.  Click \"Key\" to show Sub-Region names; or");
      EXPECT_EQ(box->Chalert->Value(), 0) << "the box starts clear";
      if (tick) box->Chalert->click();
      box->OKButton->click();
    });
  };
  answer(false);
  ShowChoiceDialog()->Commaps_Click();
  EXPECT_EQ(hints, 1);
  EXPECT_NE(frmOverviewChart::Loaded(), nullptr);
  EXPECT_EQ(rows(), 0);

  answer(true);
  ShowChoiceDialog()->Label2_Click();
  EXPECT_EQ(hints, 2);
  EXPECT_EQ(Frmalertchart::chkalert(), 1);
  EXPECT_EQ(rows(), 1);

  ShowChoiceDialog()->Commaps_Click();  // the hint stays away
  EXPECT_EQ(hints, 2);
  EXPECT_TRUE(boxes_.Shown().isEmpty());
}

TEST_F(MapWindows, HintBoxTellsWhyTheMarkWasNotStored) {
  struct Case {
    bool readOnly;
    QString text;
    MsgIcon icon;
  };
  const Case cases[] = {
      {true, "You cannot use this function while you are accessing database from CD.", MsgIcon::Information},
      {false, maps::kHintNotStoredMessage, MsgIcon::Exclamation},
  };
  for (const Case& c : cases) {
    boxes_.Clear();
    if (c.readOnly)
      QFile::setPermissions(folder_.DatabasePath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    else
      QFile::remove(folder_.DatabasePath());
    Frmalertchart* box = Frmalertchart::Instance();
    box->Chalert->click();
    box->OKButton->click();
    ASSERT_EQ(boxes_.Shown().size(), 1);
    EXPECT_TRUE(boxes_.Shown()[0].text.startsWith(c.text)) << qPrintable(boxes_.Shown()[0].text);
    EXPECT_EQ(boxes_.Shown()[0].title, kAppTitle);
    EXPECT_EQ(boxes_.Shown()[0].icon, c.icon);
    Frmalertchart::Unload();
    Settle();
  }
}

// Every window of its own over the maps and the report can be left on a bare
// display, without a window manager: by the desktop's close keys and by a
// close control on the screen; the keyboard goes back where it came from.
TEST_F(MapWindows, EveryWindowClosesByItsKeysAndCloseControlWithoutAWindowManager) {
  const AssumeWindowManager bare(false);
  RegisterReportScreens();
  AppScreens().showReport(ReportHandOver{ReportHandOver::Road::Map, 0, 2570});
  QPointer<frm_view_report> viewer = frm_view_report::Loaded();
  ASSERT_NE(viewer, nullptr);
  ASSERT_TRUE(viewer->wb->WaitForLoad(30000));

  const auto key = [](int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    return [k, m](QWidget* w) {
      QWidget* focus = QApplication::focusWidget();
      QTest::keyClick(focus && focus->window() == w ? focus : w, Qt::Key(k), m);
    };
  };
  const auto strip = [](QWidget* w) {
    auto* close = w->findChild<QToolButton*>(QStringLiteral("qw_caption_close"));
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(close->isVisible());
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("qw_caption"))->text(), w->windowTitle());
    close->click();
  };
  using Closer = std::pair<QString, std::function<void(QWidget*)>>;  // how, and what does it
  const QList<Closer> keys{{"Escape", key(Qt::Key_Escape)},
                           {"Ctrl+W", key(Qt::Key_W, Qt::ControlModifier)},
                           {"Alt+F4", key(Qt::Key_F4, Qt::AltModifier)}};
  const QString photo = folder_.Path() + "/Photos/11/2570/11-2570-@1.jpg";
  struct Window {
    QString name;
    std::function<QWidget*()> open;
    std::function<void(QWidget*)> closeControl;
    std::function<QWidget*()> backTo;
  };
  const QList<Window> windows{
      {"photo window", [&] { return viewer->ShowPhoto(QUrl::fromLocalFile(photo)); },
       [](QWidget* w) { qobject_cast<BrowserPopup*>(w)->cmdClose->click(); }, [&] { return viewer.data(); }},
      {"keys grid", [] { return ShowMapKeysGrid(), Frmmapkeysgrid::Loaded(); }, strip, [this] { return main_; }},
      {"key list", [] { return ShowChartKey(), Frmchartkey::Loaded(); }, strip, [this] { return main_; }}};
  for (const Window& window : windows) {
    auto closers = keys;
    closers.append({"close control", window.closeControl});
    for (const auto& [how, close] : closers) {
      SCOPED_TRACE(qPrintable(window.name + " by " + how));
      QPointer<QWidget> w = window.open();
      ASSERT_NE(w, nullptr);
      ASSERT_TRUE(uitest::WaitFor([&] { return w->isActiveWindow(); }));
      close(w);
      Settle();
      EXPECT_TRUE(uitest::WaitFor([&] { return w.isNull(); }));
      EXPECT_TRUE(uitest::WaitFor([&] { return window.backTo()->isActiveWindow(); })) << "the keyboard goes back";
    }
  }
  // The photo window takes the screen's free area (maximised, which a window
  // manager fits inside its frame), named after the marina.
  QPointer<BrowserPopup> shown = viewer->ShowPhoto(QUrl::fromLocalFile(photo));
  EXPECT_EQ(shown->windowTitle(), NameOf(2570) + " - 11-2570-@1.jpg");
  EXPECT_EQ(shown->lblCaption->text(), shown->windowTitle());
  EXPECT_TRUE(shown->isMaximized());
  EXPECT_EQ(shown->size(), shown->screen()->availableGeometry().size());
  delete shown;

  // The hint box, a dialog, closes by Escape and by the close control drawn
  // with its caption.
  for (const auto& [how, close] : {keys[0], Closer{"close control", strip}}) {
    SCOPED_TRACE(qPrintable("hint box by " + how));
    Frmalertchart* box = Frmalertchart::Instance();
    box->show();
    ASSERT_TRUE(uitest::WaitFor([&] { return box->isActiveWindow(); }));
    close(box);
    EXPECT_FALSE(box->isVisible());
    Frmalertchart::Unload();
    Settle();
  }
}

// On a screen scaled above 1 each map shows the picture drawn at twice the
// size, at the same logical size as the plain one; a picture without its
// sharp twin is shown as it is.
TEST(MapPictures, EachPictureSuitsTheScreensPixelRatio) {
  const QString maps = QStringLiteral(QUAYWISE_SOURCE_DIR "/assets/maps/");
  QStringList files{QStringLiteral("OverviewChart.jpg")};
  for (int k = 1; k <= 12; ++k) files << QStringLiteral("SubRegion%1.jpg").arg(k);
  QTemporaryDir plainOnly;
  ASSERT_TRUE(QFile::copy(maps + files[1], plainOnly.filePath(files[1])));
  struct Case {
    QString path;
    qreal ratio, loadedRatio;
  };
  std::vector<Case> cases;
  for (const QString& f : files)
    for (qreal ratio : {1.0, 1.5, 2.0}) cases.push_back({maps + f, ratio, ratio > 1 ? 2.0 : 1.0});
  cases.push_back({plainOnly.filePath(files[1]), 2.0, 1.0});
  for (const Case& c : cases) {
    const QPixmap picture = LoadMapPicture(c.path, c.ratio);
    const QSize logical = c.path.endsWith(QStringLiteral("OverviewChart.jpg")) ? maps::kOverviewPictureSize
                                                                               : maps::kSubRegionPictureSize;
    EXPECT_EQ(picture.devicePixelRatio(), c.loadedRatio) << qPrintable(c.path) << " " << c.ratio;
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), logical) << qPrintable(c.path) << " " << c.ratio;
  }
  EXPECT_TRUE(LoadMapPicture(plainOnly.filePath(QStringLiteral("missing.jpg")), 2.0).isNull());
}

}  // namespace
}  // namespace qw
