#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

#include <functional>

#include "app/ui/mdi_frm_main.h"
#include "app/ui/ui_helpers.h"
#include "data/marina_db.h"
#include "list_fixture.h"
#include "platform/ui/flex_grid.h"
#include "results/list_fill.h"
#include "results/ui/frm_list_all.h"
#include "results/ui/register.h"

namespace {

using qw::frmList;
using qw::testing::ListWindowTest;

struct Expected {
  int no;
  QVariant bell, boat, sunset;
  QString shortName, name;
  QVariant slips, loa;
};

// The rows the list query gives on the demo database, read directly.
QList<Expected> QueryRows(const QString& sql) {
  QList<Expected> rows;
  qw::DatabasePtr db = qw::OpenMarinaDatabase();
  qw::RecordsetPtr rs = db->OpenRecordset(sql);
  while (!rs->Eof()) {
    rows.append({rs->Fields("marinano").Value().toInt(), rs->Fields("Bell Rating").Value(),
                 rs->Fields("Boatyard Rating").Value(), rs->Fields("SunSet").Value(),
                 rs->Fields("Marina 30 char Name").Value().toString(), rs->Fields("Marina Name").Value().toString(),
                 rs->Fields("Total # Slips").Value(), rs->Fields("Maximum Length Overall").Value()});
    rs->MoveNext();
  }
  rs->Close();
  db->Close();
  return rows;
}

TEST_F(ListWindowTest, FillsFromTheDemoDatabaseWithPicturesByRating) {
  frmList* list = frmList::Instance();
  EXPECT_EQ(list->windowTitle(), "Selected List of Marinas...");
  const QList<Expected> expected = QueryRows(list->LastQuery());
  ASSERT_GT(expected.size(), 100);
  ASSERT_EQ(list->GetMarinasCount(), expected.size());
  EXPECT_EQ(list->fgList->Cols(), 8);
  EXPECT_EQ(list->fgList->TextMatrix(0, 4), "Marina Name" + QString(77, ' '));
  EXPECT_EQ(list->fgList->TextMatrix(0, 5), "City" + QString(30, ' '));
  EXPECT_EQ(list->fgList->ColWidth(0), 0);
  EXPECT_EQ(list->msgrid->Rows(), expected.size() + 1);  // sized to the fill
  ASSERT_EQ(list->ImageList.size(), 8);
  for (const QPixmap& p : list->ImageList) EXPECT_EQ(p.height(), 17);

  int bells = 0, boats = 0, sunsets = 0;
  for (int r = 1; r <= expected.size(); ++r) {
    const Expected& e = expected[r - 1];
    SCOPED_TRACE(r);
    EXPECT_EQ(list->GetMarinaNo(r), e.no);
    EXPECT_EQ(list->GetMarinaName(r), e.shortName.trimmed().isEmpty() ? e.name : e.shortName);
    const int bell = e.bell.toInt();
    const QPixmap bellPic = list->fgList->CellPicture(r, 1);
    if (bell >= 1 && bell <= 5) {
      ++bells;
      EXPECT_EQ(bellPic.cacheKey(), list->ImageList[bell - 1].cacheKey());
      EXPECT_EQ(list->fgList->CellPictureAlignment(r, 1), 1);
    } else {
      EXPECT_TRUE(bellPic.isNull());
    }
    const int boat = e.boat.toInt();
    if (boat >= 1 && boat <= 2) {
      ++boats;
      EXPECT_EQ(list->fgList->CellPicture(r, 2).cacheKey(), list->ImageList[boat + 4].cacheKey());
    } else {
      EXPECT_TRUE(list->fgList->CellPicture(r, 2).isNull());
    }
    if (e.sunset.toBool()) {
      ++sunsets;
      EXPECT_EQ(list->fgList->CellPicture(r, 3).cacheKey(), list->ImageList[7].cacheKey());
      EXPECT_EQ(list->fgList->CellPictureAlignment(r, 3), 4);
    } else {
      EXPECT_TRUE(list->fgList->CellPicture(r, 3).isNull());
    }
    EXPECT_EQ(list->msgrid->TextMatrix(r, 0), e.bell.isNull() ? "0" : QString::number(bell));
    EXPECT_EQ(list->msgrid->TextMatrix(r, 2), e.sunset.toBool() ? "1" : "0");
    EXPECT_EQ(list->fgList->TextMatrix(r, 1), "");
  }
  EXPECT_GT(bells, 0);
  EXPECT_GT(boats, 0);
  EXPECT_GT(sunsets, 0);
  // The connection is closed after the fill.
  ASSERT_TRUE(qw::MyDatabase());
  EXPECT_FALSE(qw::MyDatabase()->IsOpen());
}

TEST_F(ListWindowTest, EachFillTakesItsColumnsFromTheCriteriaOfThatMoment) {
  frmList* list = frmList::Instance();
  EXPECT_EQ(list->fgList->Cols(), 8);

  criteria_["ebMinLOA"] = " ";  // blanks count as filled
  criteria_["cmbTotalSlips"] = "Over 100";
  list->UpdateListAlternative();
  ASSERT_EQ(list->fgList->Cols(), 10);
  EXPECT_EQ(list->fgList->TextMatrix(0, 8), "Total # of Slips   ");
  EXPECT_EQ(list->fgList->TextMatrix(0, 9), "Max. LOA    ");
  EXPECT_EQ(list->fgList->TextMatrix(0, 5), "City" + QString(32, ' '));
  const QList<Expected> expected = QueryRows(list->LastQuery());
  ASSERT_EQ(list->GetMarinasCount(), expected.size());
  for (int r = 1; r <= expected.size(); ++r) {
    EXPECT_EQ(list->fgList->TextMatrix(r, 8), expected[r - 1].slips.isNull() ? "" : expected[r - 1].slips.toString());
    EXPECT_EQ(list->fgList->TextMatrix(r, 9), qw::ValueAsText(expected[r - 1].loa));
  }

  criteria_.clear();
  criteria_["cboDockage"] = "$3";
  list->UpdateListAlternative();
  ASSERT_EQ(list->fgList->Cols(), 9);
  EXPECT_EQ(list->fgList->TextMatrix(0, 8), "Dockage Fee  ");
  EXPECT_TRUE(list->fgList->TextMatrix(1, 8).isEmpty() || list->fgList->TextMatrix(1, 8).startsWith("$"));

  criteria_.clear();
  list->UpdateListAlternative();
  EXPECT_EQ(list->fgList->Cols(), 8);
  // The resize widths survive a refill.
  EXPECT_EQ(list->fgList->ColWidth(4), 2400);
  EXPECT_EQ(list->fgList->ColWidth(6), 500);
}

TEST_F(ListWindowTest, DoubleClickHandsOverTheClickedRowAndAccessorsAreSafe) {
  frmList* list = frmList::Instance();
  ASSERT_GE(list->GetMarinasCount(), 3);
  int opened = 0;
  qw::ReportHandOver handedOver;
  qw::AppScreens().showReport = [&](const qw::ReportHandOver& h) {
    ++opened;
    handedOver = h;
  };

  list->fgList->SetRow(3);
  list->fgList_DblClick();
  EXPECT_EQ(qw::SelectedMarinaName(), list->GetMarinaName(2));
  EXPECT_EQ(handedOver, (qw::ReportHandOver{qw::ReportHandOver::Road::List, 3, list->GetMarinaNo(3)}));
  EXPECT_EQ(opened, 1);

  // The first row hands over the header text.
  emit list->fgList->cellDoubleClicked(0, 4);
  EXPECT_EQ(qw::SelectedMarinaName(), "Marina Name" + QString(77, ' '));
  EXPECT_EQ(handedOver.listRow, 1);
  EXPECT_EQ(opened, 2);

  const int n = list->GetMarinasCount();
  EXPECT_EQ(list->GetMarinaName(0), "");
  EXPECT_EQ(list->GetMarinaName(n + 1), "");
  EXPECT_EQ(list->GetMarinaNo(-1), 0);
  EXPECT_EQ(list->GetMarinaNo(n + 1), 0);
  EXPECT_NE(list->GetMarinaNo(n), 0);

  // With no marina listed a double-click on the grid still opens the viewer,
  // which then has nothing to select.
  where_ = " where (rpm_Vyk.[Bell Rating] = 99)";
  list->UpdateListAlternative();
  ASSERT_EQ(list->GetMarinasCount(), 0);
  list->resize(600, 400);
  qw::uitest::DoubleClick(list->fgList->viewport());
  EXPECT_EQ(opened, 3);
  EXPECT_EQ(handedOver, qw::ReportHandOver{});
}

TEST_F(ListWindowTest, ARefillResetsEachGridOnceAndSignalsNothingPerRow) {
  frmList* list = frmList::Instance();
  ASSERT_GT(list->GetMarinasCount(), 100);
  int resets = 0, other = 0;
  for (QAbstractItemModel* model : {list->fgList->model(), list->msgrid->model()}) {
    QObject::connect(model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    for (auto change : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
      QObject::connect(model, change, [&] { ++other; });
    QObject::connect(model, &QAbstractItemModel::dataChanged, [&] { ++other; });
    QObject::connect(model, &QAbstractItemModel::headerDataChanged, [&] { ++other; });
  }
  list->UpdateListAlternative();
  EXPECT_EQ(resets, 2);
  EXPECT_EQ(other, 0);
}

TEST_F(ListWindowTest, SortsAlphabeticallyAndGeographically) {
  frmList* list = frmList::Instance();
  EXPECT_TRUE(list->LastQuery().endsWith(" ORDER BY rpm_Vyk.[Geo Code], rpm_Vyk.[N/S#]"));
  const QList<Expected> geographic = QueryRows(list->LastQuery());

  {
    qw::frmListAll dialog;
    EXPECT_EQ(dialog.lblMessage->text(), "How do you want to Sort the Marinas?");
    EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    dialog.cmdAlpha->click();  // refills at once
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  }
  EXPECT_EQ(qw::SortOrder(), qw::ListOrder::Alphabetical);
  EXPECT_TRUE(list->LastQuery().endsWith(" ORDER BY rpm_marinaname_no.[Marina Name]"));
  const QList<Expected> alphabetic = QueryRows(list->LastQuery());
  ASSERT_EQ(list->GetMarinasCount(), alphabetic.size());
  for (int r = 1; r < alphabetic.size(); ++r) {
    EXPECT_EQ(list->GetMarinaNo(r), alphabetic[r - 1].no);
    EXPECT_LE(QString::compare(alphabetic[r - 1].name, alphabetic[r].name, Qt::CaseInsensitive), 0);
  }

  {
    qw::frmListAll dialog;
    dialog.cmdGeo->click();  // sets the order only
  }
  EXPECT_EQ(qw::SortOrder(), qw::ListOrder::Geographic);
  EXPECT_EQ(list->GetMarinaNo(1), alphabetic[0].no);
  list->UpdateListAlternative();  // the Sort command's refill
  for (int r = 1; r <= geographic.size(); ++r) EXPECT_EQ(list->GetMarinaNo(r), geographic[r - 1].no);
}

TEST_F(ListWindowTest, EmptyResultAndAFailingQuery) {
  frmList* list = frmList::Instance();
  ASSERT_GT(list->GetMarinasCount(), 0);
  where_ = " where (rpm_Vyk.[Bell Rating] = 99)";
  list->UpdateListAlternative();
  EXPECT_EQ(list->GetMarinasCount(), 0);
  EXPECT_EQ(list->fgList->Rows(), 1);
  EXPECT_EQ(list->msgrid->Rows(), 1);
  EXPECT_FALSE(qw::MyDatabase()->IsOpen());
  EXPECT_TRUE(boxes_.Shown().isEmpty());

  // A query the engine refuses is reported, not passed off as no marinas.
  where_ = " where (rpm_Vyk.[No Such Column] = 1)";
  list->UpdateListAlternative();
  EXPECT_EQ(list->GetMarinasCount(), 0);
  ASSERT_FALSE(boxes_.Shown().isEmpty());
  EXPECT_FALSE(qw::MyDatabase()->IsOpen());

  // Show's fill of a list not loaded yet queries, and reports, once.
  frmList::Unload();
  qw::RegisterResultScreens();
  const qsizetype before = boxes_.Shown().size();
  qw::CallScreen(qw::AppScreens().updateList);
  EXPECT_EQ(boxes_.Shown().size(), before + 1);
  EXPECT_EQ(frmList::Loaded()->GetMarinasCount(), 0);
}

TEST_F(ListWindowTest, WindowLayoutBackButtonActivationAndUnload) {
  qw::RegisterResultScreens();
  qw::CallScreen(qw::AppScreens().updateList);
  frmList* list = frmList::Loaded();
  ASSERT_TRUE(list);
  EXPECT_EQ(list->lblMsg->text(), "Double-Click on a Marina Name to see the full Marina Report");
  EXPECT_EQ(list->cmdPrint->text(), "&Print Form");
  EXPECT_EQ(list->cmdOK->text(), "&Back to Search");
  EXPECT_EQ(list->cmdOK->toolTip(), "Return to Search Screen");
  EXPECT_FALSE(list->msgrid->isVisible());

  qw::CallScreen(qw::AppScreens().showList);
  EXPECT_TRUE(list->isVisible());
  list->resize(400, 300);  // narrower than the fixed columns
  for (const auto& [col, width] : {std::pair{4, 2400}, {5, 1500}, {6, 500}, {7, 2400}})
    EXPECT_EQ(list->fgList->ColWidth(col), width) << col;
  EXPECT_EQ(list->fgList->RowHeight(1), 300);
  EXPECT_EQ(list->fgList->RowHeight(0), 300);

  // Activation makes the list the current screen: its toolbar buttons on,
  // Maps off.
  qw::MDIFrmMain* main = qw::MDIFrmMain::Instance();
  qw::ScreenMode() = qw::ScreenKind::Search;
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(list, &activate);
  EXPECT_EQ(qw::ScreenMode(), qw::ScreenKind::List);
  EXPECT_EQ(qw::uitest::ButtonsOnOff({6, 7, 11}), "oox");
  for (int b = 1; b <= 5; ++b) main->ToolbarButton(b)->setEnabled(false);
  main->mnuFind->setEnabled(false);

  list->cmdOK->click();
  EXPECT_EQ(searchShown_, 1);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(frmList::Loaded(), list);  // only hidden

  qw::CallScreen(qw::AppScreens().unloadList);
  EXPECT_EQ(frmList::Loaded(), nullptr);
  EXPECT_EQ(qw::uitest::ButtonsOnOff({1, 2, 3, 4, 5}), "ooooo");
  EXPECT_TRUE(main->mnuFind->isEnabled());
  qw::CallScreen(qw::AppScreens().unloadList);  // nothing when not loaded
  qw::MDIFrmMain::Unload();
}

TEST_F(ListWindowTest, TheGridEndsAboveItsButtonsAtEverySize) {
  frmList* list = ShowListInMainWindow();
  ASSERT_TRUE(list);
  QWidget* frame = list->parentWidget();
  const struct {
    const char* name;
    std::function<void()> apply;
  } sizes[] = {
      {"maximised", [&] { frame->showMaximized(); }},
      {"normal", [&] { frame->showNormal(); frame->resize(frame->sizeHint()); }},
      {"small", [&] { frame->showNormal(); frame->resize(360, 220); }},
  };
  for (const auto& size : sizes) {
    SCOPED_TRACE(size.name);
    size.apply();
    QApplication::processEvents();
    const QRect grid = list->fgList->geometry();
    EXPECT_EQ(grid.top(), list->lblMsg->geometry().bottom() + 1);
    EXPECT_GT(grid.height(), 0);
    for (const QPushButton* button : {list->cmdPrint, list->cmdOK}) {
      EXPECT_LT(grid.bottom(), button->geometry().top()) << button->text().toStdString();
      EXPECT_LE(button->geometry().bottom(), list->rect().bottom()) << button->text().toStdString();
    }
    EXPECT_LT(list->cmdPrint->geometry().right(), list->cmdOK->geometry().left());
  }
  qw::MDIFrmMain::Unload();
}

TEST_F(ListWindowTest, InsideTheMainWindowBackHidesAndUnloadOrCloseRemovesItsFrame) {
  frmList* list = ShowListInMainWindow();
  ASSERT_TRUE(list);
  qw::MDIFrmMain* main = qw::MDIFrmMain::Loaded();
  auto* frame = qobject_cast<QMdiSubWindow*>(list->parentWidget());
  ASSERT_TRUE(frame);
  EXPECT_TRUE(frame->isVisible());
  // The frame opens at the window's design size, not collapsed to its title.
  EXPECT_GE(list->width(), list->sizeHint().width());
  EXPECT_GE(list->height(), list->sizeHint().height());

  list->cmdOK->click();
  EXPECT_FALSE(frame->isVisible());
  qw::CallScreen(qw::AppScreens().showList);  // the same window again
  EXPECT_EQ(frmList::Loaded(), list);
  EXPECT_TRUE(list->isVisible());

  qw::CallScreen(qw::AppScreens().unloadList);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(main->MdiArea()->subWindowList().isEmpty());

  qw::CallScreen(qw::AppScreens().showList);  // loads anew
  ASSERT_TRUE(frmList::Loaded());
  frmList::Loaded()->parentWidget()->close();
  EXPECT_EQ(frmList::Loaded(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(main->MdiArea()->subWindowList().isEmpty());
  qw::MDIFrmMain::Unload();
}

}  // namespace
