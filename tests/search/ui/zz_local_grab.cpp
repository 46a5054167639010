// Local screenshots (never committed).
#include "platform/ui/combo_box.h"
#include "platform/ui/check_box.h"
#include "platform/ui/text_box.h"
#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>
#include "common/testing.h"
#include "platform/ui/tab_control.h"
#include "search/ui/criteria_window.h"
#include "search/ui/geo_codes_window.h"
#include <QListWidget>
namespace qw {
TEST(LocalGrab, Tabs) {
  testing::TempProgramFolder folder;
  frmCriteria* w = CriteriaScreen();
  w->show();
  QApplication::processEvents();
  QDir().mkpath("/tmp/su_grab");
  for (int t = 0; t < 10; ++t) {
    w->SSTab1->SetTab(t);
    QApplication::processEvents();
    w->grab().save(QString("/tmp/su_grab/tab%1.png").arg(t));
  }
  frmGeoCodes picker(w->lbGeoCodes, w);
  picker.Form_Load();
  picker.show();
  QApplication::processEvents();
  picker.grab().save("/tmp/su_grab/picker.png");
  UnloadCriteriaScreen();
}
}
#include <QLabel>
#include <QGroupBox>
namespace qw {
TEST(LocalGrab, Measure) {
  testing::TempProgramFolder folder;
  frmCriteria* w = CriteriaScreen();
  for (auto* l : w->Frame9->findChildren<QLabel*>()) printf("%s %d %d hint %d parent %d\n", qPrintable(l->objectName()), l->x(), l->width(), l->sizeHint().width(), l->parentWidget()->width());
  UnloadCriteriaScreen();
}
}
namespace qw {
TEST(LocalGrab, Filled) {
  testing::TempProgramFolder folder;
  frmCriteria* w = CriteriaScreen();
  w->lbGeoCodes->addItems({"MA - CAPE COD", "MA - THE ISLANDS"});
  w->UpdateCityComboBox(); w->UpdateHarborCombo();
  w->cboCity->SetListIndex(3);
  w->cboBellRating->SetListIndex(2); w->chkSunset->SetValue(1); w->ebMinLOA->setText("40");
  w->SSTab1->SetTab(3);
  w->RowCombos("cmbRecr")[0]->SetListIndex(5);
  w->show(); QApplication::processEvents();
  w->grab().save("/tmp/su_grab/filled.png");
  UnloadCriteriaScreen();
}
}
#include "app/ui/main_window.h"
#include "search/ui/register.h"
#include "app/ui/screens.h"
namespace qw {
TEST(LocalGrab, Mdi) {
  testing::TempProgramFolder folder;
  MainWindow()->resize(1100, 700);
  MainWindow()->show();
  RegisterSearchScreens();
  AppScreens().showSearch();
  QApplication::processEvents();
  MainWindow()->grab().save("/tmp/su_grab/mdi.png");
  UnloadCriteriaScreen();
  DestroyMainWindow();
}
}
