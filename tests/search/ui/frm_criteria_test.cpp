#include "search/ui/frm_criteria.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

#include "app/ui/mdi_frm_main.h"
#include "app/ui/ui_helpers.h"
#include "common/testing.h"
#include "data/marina_db.h"
#include "host/ui/frm_progress.h"
#include "host/ui/frm_wait.h"
#include "host/ui/screens.h"
#include "host/ui/window_host.h"
#include "platform/jet.h"
#include "platform/message_box.h"
#include "platform/ui/check_box.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/tab_control.h"
#include "platform/ui/text_box.h"
#include "search/criteria_file.h"
#include "search/ui/frm_geo_codes.h"
#include "search/ui/register.h"
#include "services/settings.h"
#include "services/user_store.h"

namespace qw {
namespace {

QStringList Items(const ComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->ListCount(); ++i) items.append(box->List(i));
  return items;
}

QStringList Entries(const QListWidget* list) {
  QStringList entries;
  for (int i = 0; i < list->count(); ++i) entries.append(list->item(i)->text());
  return entries;
}

// Runs f on the modal picker as soon as it is shown.
void OnPicker(std::function<void(frmGeoCodes&)> f) {
  QTimer::singleShot(0, [f] {
    auto* picker = qobject_cast<frmGeoCodes*>(QApplication::activeModalWidget());
    ASSERT_NE(picker, nullptr);
    f(*picker);
  });
}

void SelectPickerNames(frmGeoCodes& picker, const QStringList& names) {
  picker.lbAddGeoCodes->clearSelection();
  for (const QString& name : names) {
    const auto found = picker.lbAddGeoCodes->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    found.first()->setSelected(true);
  }
}

class SearchScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramAmenityCriteria() = AmenityCriteria{};
    w = frmCriteria::Instance();
  }
  void TearDown() override {
    UnloadScreen();
    AppScreens() = Screens{};
  }
  static void UnloadScreen() {
    frmCriteria::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Adds sub-regions through the picker, as the user does.
  void AddSubRegions(const QStringList& names) {
    OnPicker([names](frmGeoCodes& picker) {
      SelectPickerNames(picker, names);
      picker.cmdSelect->click();
      picker.OKButton->click();
    });
    w->cmdAddGeoCode->click();
  }

  testing::TempProgramFolder folder;
  ScriptedMsgBoxes boxes;
  frmCriteria* w = nullptr;
};

TEST_F(SearchScreenTest, ScreenCaptionsAndGeneralItemLists) {
  EXPECT_EQ(w->windowTitle(), "Search Screen");
  EXPECT_EQ(w->MainFrame->title(), "Search Settings");
  EXPECT_EQ(w->fraLocation->title(), "Location Search");
  EXPECT_EQ(w->cmdAddGeoCode->text(), "Select Sub-Region");
  EXPECT_EQ(w->cmdRemoveGeoCode->text(), "Remove Sub-Region");
  EXPECT_EQ(w->cmdFind->text(), "&Find Marinas");
  EXPECT_EQ(w->cmdShow->text(), "Show &Marinas");
  EXPECT_EQ(w->cmdClear->text(), "&Clear All");
  EXPECT_EQ(w->lblCount->text(), "Marinas Found:");
  EXPECT_EQ(w->Label7->text(), "LOA (in ft.) of at least:");
  EXPECT_EQ(w->chkMegaYachtFacilities->text(), "Mega-Yacht Facilities");
  EXPECT_TRUE(w->lbGeoCodes->toolTip().startsWith("To Add Region Click Select Region"));

  const std::pair<ComboBox*, QStringList> general[] = {
      {w->cboBellRating, {"", "2 or greater", "3 or greater", "4 or greater", "5"}},
      {w->cboBoatRating, {"", "1 or 2 travelifts", "2 travelifts"}},
      {w->cmbTotalSlips,
       {"", "1 or More", "More than 25", "More than 50", "More than 100", "More than 200", "More than 300"}},
      {w->cboDepth,
       {"", "3 feet or more", "4 feet or more", "5 feet or more", "6 feet or more", "7 feet or more",
        "8 feet or more", "9 feet or more", "10 feet or more"}},
      {w->cboFuel, {"", "Gas", "Diesel"}},
      {w->cboDockage, {"", "$1.00 or Less", "$1.50 or Less", "$2.00 or Less", "$2.50 or Less", "$3.00 or Less"}},
      {w->cboMoorings, {"", "1 or more", "10 or more", "25 or more", "50 or more"}},
      {w->cboElectricity, {"", "30 Amps", "50 Amps", "100 Amps", "200 Amps", "300 Amps", "3-Phase"}},
  };
  for (const auto& [box, items] : general) {
    EXPECT_EQ(Items(box), items) << box->objectName().toStdString();
    EXPECT_EQ(box->ListIndex(), 0) << box->objectName().toStdString();
  }
  // The location frame after the load: cleared, city and harbour greyed.
  EXPECT_EQ(w->lbGeoCodes->count(), 0);
  for (QWidget* c : std::initializer_list<QWidget*>{w->cboCity, w->lblCity, w->cboHarbor, w->lblHarbor}) {
    EXPECT_FALSE(c->isEnabled()) << c->objectName().toStdString();
  }
  // Every control lies inside its container.
  for (QWidget* c : w->MainFrame->findChildren<QWidget*>()) {
    if (c->parentWidget() == w->MainFrame || qobject_cast<QGroupBox*>(c->parentWidget())) {
      EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry())) << c->objectName().toStdString();
    }
  }
}

TEST_F(SearchScreenTest, EachTabBuildsItsRowsWithTheirCaptionsAndOnlyThose) {
  const QStringList tabs{"Marina Facilities", "Marina Services",  "Boatyard Services", "Recreation",
                         "Entertainment",     "Restaurants and Accommodations", "General Services",
                         "Provisioning",      "Transportation",   "Medical Services"};
  ASSERT_EQ(w->SSTab1->Tabs(), 10);
  for (int t = 0; t < 10; ++t) EXPECT_EQ(w->SSTab1->TabCaption(t), tabs[t]);

  struct Rows {
    int tab;
    const char* combos;
    const char* labels;
    QStringList captions;
  };
  const Rows proximity[] = {
      {0, "cmbMFac", "lblMFac", {"Ice", "Bait and Tackle", "Ships' Store", "Propane", "CNG"}},
      {2, "cmbBoat", "lblBoat",
       {"Haul-Out", "Launching Ramp", "Bottom Cleaning", "Engine Mechanic - Gas", "Engine Mechanic - Diesel",
        "Brightwork", "Rigger", "Hull Repairs", "Refrigeration", "Air Conditioning", "Sail Repairs",
        "Canvas Work", "Electrical Repairs", "Electronic Repairs", "Electronic Sales", "Divers",
        "Compound, Wash & Wax", "Propeller Repairs", "Inflatable Repairs", "Upholstery", "Metal Fabrication",
        "Painting", "Awlgrip", "Total Refits"}},
      {3, "cmbRecr", "lblRecr",
       {"Pool", "Beach", "Grills", "Picnic Area", "Playground", "Dive Shop", "Volley Ball", "Tennis Courts",
        "Golf Course", "Fitness Center", "Jogging Paths", "Boat Rentals", "Roller Blade/Bike Paths",
        "Horseback Riding", "Bowling", "Fishing Charter"}},
      {4, "cmbEnter", "lblEnter",
       {"Movie Theater", "Video Rental", "Video Arcade", "Museum", "Park", "Cultural Attract", "Sightseeing",
        "Special events", "Gallery"}},
      {5, "cmbRest", "lblRest",
       {"Restaurant", "Seafood Shacks", "Lite Fare", "Coffee Shop", "Snack Bar", "Pizzerias", "Fast Food Chains",
        "Hotels", "Motels", "Inn/Bed and Breakfast", "Condominium/Cottage"}},
      {6, "cmbGene", "lblGene",
       {"Bank/ATM", "Post Office", "Religious Services", "Beauty Salon", "Barber Shop", "Dry Cleaner", "Library",
        "Laundry", "Bookstore", "Pharmacy", "Newsstand", "Hardware Store", "Retail Shops", "Department Store",
        "Buying Club", "Copies Etc."}},
      {7, "cmbProv", "lblProv",
       {"Supermarkets", "Gourmet Shop", "Deli", "Wine/Beer", "Liquor Store", "Bakery", "Farmers' Market",
        "Green Grocer", "Convenience Store", "Fishmonger", "Meat Market", "Lobster Pound", "Health Food",
        "Crabs/Waterman", "Shrimper", "Oysterman"}},
      {8, "cmbTrans", "lblTrans",
       {"Courtesy Car/Van", "Rental Car", "Taxi", "Bikes", "Water Taxi", "Local Bus/Trolley", "InterCity Bus",
        "Ferry", "Airport Limo"}},
      {9, "cmbMedi", "lblMedi", {"Doctor", "Ambulance", "Dentist", "Chiropractor", "Holistic Services", "Veterinarian"}},
  };
  const Rows checks[] = {
      {0, "chkMFac", nullptr,
       {"Showers", "Laundry", "Toilets", "Cable TV", "Slipside Phone", "Dogs welcome", "Handicapped Access",
        "Discounts?"}},
      {0, "chkCredit", nullptr, {"American Express", "Discover", "Master/Visa", "Diners Club"}},
      {1, "chkDockAsst", nullptr,
       {"Docking Assistance", "Mail Hold", "Phone messages", "Fax in/out", "Dock Carts", "Concierge Services",
        "Trash Pickup", "Security", "Internet Access/Data Ports", "European Voltage"}},
  };
  const QStringList runTime{"", "On Site", "On Call", "Near", "W/in 1 mile", "1-3 miles", "3+ miles"};
  const QStringList design{"", "On Site", "On Call", "Near ", "W/in 1 mile", "1-3 miles", "3+ miles"};

  for (int t : {3, 0, 1, 2, 4, 5, 6, 7, 8, 9}) {
    w->SSTab1->SetTab(t);
    SCOPED_TRACE(t);
    for (const Rows& r : proximity) {
      const auto combos = w->RowCombos(r.combos);
      const auto labels = w->RowLabels(r.labels);
      if (r.tab != t) {
        EXPECT_EQ(combos.size(), 1u) << r.combos << ": only element 0 while another tab is shown";
        continue;
      }
      ASSERT_EQ(labels.size(), static_cast<size_t>(r.captions.size())) << r.labels;
      ASSERT_EQ(combos.size(), labels.size());
      for (int i = 0; i < r.captions.size(); ++i) {
        EXPECT_EQ(labels[i]->text(), r.captions[i]);
        EXPECT_EQ(Items(combos[i]), i == 0 ? design : runTime);
        EXPECT_TRUE(combos[i]->isVisibleTo(w));
        EXPECT_TRUE(combos[i]->parentWidget()->rect().contains(combos[i]->geometry())) << r.combos << i;
        const bool greyed = t == 7 && i >= 13;
        EXPECT_EQ(combos[i]->isEnabled(), !greyed) << r.combos << i;
        EXPECT_EQ(labels[i]->isEnabled(), !greyed) << r.labels << i;
      }
    }
    for (const Rows& r : checks) {
      const auto boxes = w->RowChecks(r.combos);
      if (r.tab != t) {
        EXPECT_EQ(boxes.size(), 1u) << r.combos;
        continue;
      }
      ASSERT_EQ(boxes.size(), static_cast<size_t>(r.captions.size())) << r.combos;
      for (int i = 0; i < r.captions.size(); ++i) {
        EXPECT_EQ(boxes[i]->text(), r.captions[i]);
        EXPECT_TRUE(boxes[i]->parentWidget()->rect().contains(boxes[i]->geometry())) << r.combos << i;
      }
    }
  }
  EXPECT_EQ(Entries(w->lstMail), (QStringList{"FedEx", "Express Mail", "UPS", "Airborne Express", "Saturday Delivery"}));
  EXPECT_EQ(w->chkAmtrak->text(), "Accessible by Rail");
  EXPECT_EQ(w->chkAirport->text(), "Accessible by Air");
  // Rows of one tab come out at the same places on every build.
  w->SSTab1->SetTab(2);
  const QRect last = w->RowCombos("cmbBoat").back()->geometry();
  w->SSTab1->SetTab(4);
  w->SSTab1->SetTab(2);
  EXPECT_EQ(w->RowCombos("cmbBoat").back()->geometry(), last);
  EXPECT_NE(w->RowCombos("cmbBoat")[8]->x(), w->RowCombos("cmbBoat")[16]->x()) << "three columns";
}

TEST_F(SearchScreenTest, ValuesSurviveTabSwitchesAndFindUsesTheShownTab) {
  w->SSTab1->SetTab(3);
  w->RowCombos("cmbRecr")[0]->SetListIndex(5);  // Pool, 1-3 miles
  w->SSTab1->SetTab(7);
  EXPECT_EQ(ProgramAmenityCriteria().RecreationDistance[0], 5) << "stored when the tab was left";
  w->RowCombos("cmbProv")[2]->SetListIndex(1);
  w->SSTab1->SetTab(3);
  EXPECT_EQ(w->RowCombos("cmbRecr")[0]->ListIndex(), 5);
  EXPECT_EQ(ProgramAmenityCriteria().ProvisioningDistance[2], 1);

  // Single controls keep their state, the Transportation ticks included.
  w->SSTab1->SetTab(8);
  w->chkAmtrak->SetValue(1);
  w->SSTab1->SetTab(1);
  w->lstMail->item(2)->setSelected(true);
  w->RowChecks("chkDockAsst")[9]->SetValue(1);
  w->SSTab1->SetTab(9);
  w->RowCombos("cmbMedi")[0]->SetListIndex(2);  // set on the shown tab, never left
  w->SSTab1->SetTab(8);
  EXPECT_EQ(w->chkAmtrak->Value(), 1) << "entering Transportation keeps Accessible by Rail";
  w->SSTab1->SetTab(9);
  w->RowCombos("cmbMedi")[0]->SetListIndex(2);

  QString whereAtFind;
  AppScreens().unloadReportIfCleared = [&] { whereAtFind = "called"; };
  w->cmdFind_Click();
  EXPECT_EQ(whereAtFind, "called");
  EXPECT_EQ(ProgramAmenityCriteria().MedicalDistance[0], 2) << "Find stores the shown tab first";
  const SearchCriteria c = w->Criteria();
  EXPECT_EQ(c.chkAmtrak, 1);
  EXPECT_TRUE(c.lstMail[2]);
  EXPECT_EQ(c.Amenity.ServiceChecks[9], 1);
  const QString where = w->BuildWhereClause();
  EXPECT_TRUE(where.contains("rpm_marina_services.UPS= True")) << where.toStdString();
  EXPECT_TRUE(where.contains("'Rail'")) << where.toStdString();
  EXPECT_TRUE(where.contains("'Doctor'")) << where.toStdString();
  EXPECT_TRUE(w->lblCount->text().startsWith("Marinas Found: ")) << w->lblCount->text().toStdString();
}

TEST_F(SearchScreenTest, ClearAllEmptiesEveryCriterionAndKeepsTabAndOrder) {
  AddSubRegions({"MA - CAPE COD"});
  ASSERT_TRUE(w->cboCity->isEnabled());
  w->cboCity->SetListIndex(1);
  w->tbMarinaName->setText("Harbor");
  w->txtbicwmin->setText("10");
  w->txtbicwmax->setText("20");
  w->ebMinLOA->setText("40");
  w->cboFuel->SetListIndex(2);
  w->cboDepth->SetListIndex(8);
  w->chkSunset->SetValue(1);
  w->chkPumpOut->SetValue(1);
  w->chkMegaYachtFacilities->SetValue(1);
  w->SSTab1->SetTab(0);
  w->chkBoatStorage->SetValue(1);
  w->RowChecks("chkCredit")[0]->SetValue(1);
  w->SSTab1->SetTab(8);
  w->chkAirport->SetValue(1);
  w->RowCombos("cmbTrans")[4]->SetListIndex(3);
  w->SSTab1->SetTab(3);
  w->RowCombos("cmbRecr")[1]->SetListIndex(4);
  w->lblCount->setText("Marinas Found: 12");
  SortOrder() = ListOrder::Alphabetical;

  w->cmdClear->click();

  EXPECT_EQ(w->SSTab1->Tab(), 3);
  EXPECT_EQ(SortOrder(), ListOrder::Alphabetical);
  EXPECT_EQ(w->lblCount->text(), "Marinas Found:");
  EXPECT_EQ(w->RowCombos("cmbRecr")[1]->ListIndex(), 0) << "the shown tab empties at once";
  EXPECT_FALSE(w->cboCity->isEnabled());
  EXPECT_FALSE(w->lblHarbor->isEnabled());
  EXPECT_EQ(Items(w->cboHarbor), QStringList{""});
  SearchCriteria expected;
  SearchCriteria now = w->Criteria();
  now.cboCity = expected.cboCity;  // the city list keeps its entries, at the empty one
  EXPECT_EQ(w->cboCity->ListIndex(), 0);
  EXPECT_EQ(now, expected);
  w->SSTab1->SetTab(8);
  EXPECT_EQ(w->RowCombos("cmbTrans")[4]->ListIndex(), 0);
  EXPECT_EQ(w->chkAirport->Value(), 0);
  EXPECT_EQ(w->BuildWhereClause(), "");
}

TEST_F(SearchScreenTest, NumberCheckRefusesAllButPlainNumbersAndKeepsTheText) {
  for (TextBox* box : {w->ebMinLOA, w->txtbicwmin, w->txtbicwmax}) {
    for (const char* good : {"12", "-5", "1.5", "  7  ", "", "   ", "+3", ".5", "1e3", "-2.5E-1"}) {
      box->setText(good);
      EXPECT_TRUE(box->Validate()) << good;
    }
    EXPECT_TRUE(boxes.Shown().isEmpty());
    for (const char* bad : {"abc", "12 ft", "0x10", "1,5", "3)", "$5", "1e"}) {
      boxes.Clear();
      box->setText(bad);
      EXPECT_FALSE(box->Validate()) << bad;
      ASSERT_EQ(boxes.Shown().size(), 1) << bad;
      EXPECT_EQ(boxes.Shown()[0].text, "Please enter Numbers only");
      EXPECT_EQ(boxes.Shown()[0].title, "Search Screen");
      EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::Information);
      EXPECT_EQ(box->text(), bad) << "the text stays for the user to correct";
    }
    box->setText(QString());
    boxes.Clear();
  }
  // Refused text never reaches the query.
  w->ebMinLOA->setText("1e3 ft");
  w->txtbicwmin->setText("5;");
  EXPECT_EQ(w->BuildWhereClause(), "");
}

TEST_F(SearchScreenTest, FirstFocusOfTheNameBoxKeepsWhatIsSet) {
  EXPECT_TRUE(w->ClearOnFirstFocus());
  w->chkSunset->SetValue(1);
  w->cboBellRating->SetListIndex(3);
  w->show();
  QApplication::setActiveWindow(w);
  w->tbMarinaName->setFocus(Qt::OtherFocusReason);
  QApplication::processEvents();
  EXPECT_FALSE(w->ClearOnFirstFocus());
  EXPECT_EQ(w->chkSunset->Value(), 1);
  EXPECT_EQ(w->cboBellRating->ListIndex(), 3);
}

TEST_F(SearchScreenTest, PickerOffersTheConfiguredRangeAndAddsEachNameOnce) {
  {
    frmGeoCodes picker(w->lbGeoCodes, w);
    EXPECT_EQ(picker.windowTitle(), "Add Geo Code");
    EXPECT_TRUE(picker.windowFlags().testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(picker.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    picker.Form_Load();
    ASSERT_EQ(picker.lbAddGeoCodes->count(), 12);
    EXPECT_EQ(picker.lbAddGeoCodes->item(0)->text(), "ME - DOWNEAST / ACADIA");
    SelectPickerNames(picker, {"MA - CAPE COD", "ME - MIDCOAST"});
    picker.cmdSelect_Click();
    picker.cmdSelect_Click();
    EXPECT_EQ(Entries(w->lbGeoCodes), (QStringList{"ME - MIDCOAST", "MA - CAPE COD"})) << "picker order, once";
    // It places itself at half its own width, and half its height plus 400 twips.
    picker.show();
    QApplication::processEvents();
    EXPECT_EQ(picker.pos(), QPoint(picker.frameGeometry().width() / 2, picker.frameGeometry().height() / 2 + 27));
  }
  {
    w->lbGeoCodes->addItem("ma - the islands");
    frmGeoCodes picker(w->lbGeoCodes, w);
    picker.Form_Load();
    EXPECT_EQ(picker.lbAddGeoCodes->selectedItems().size(), 2) << "chosen names appear selected";
    SelectPickerNames(picker, {"MA - CAPE COD", "MA - THE ISLANDS"});
    picker.cmdSelect_Click();
    picker.CancelButton_Click();
    EXPECT_EQ(Entries(w->lbGeoCodes),
              (QStringList{"ME - MIDCOAST", "MA - CAPE COD", "ma - the islands", "MA - THE ISLANDS"}));
  }
  Settings().SingleGeoCode = 7;
  {
    frmGeoCodes picker(w->lbGeoCodes, w);
    picker.Form_Load();
    EXPECT_EQ(Entries(picker.lbAddGeoCodes), QStringList{"ME - BOOTHBAY HARBOR REGION"});
  }
  Settings().SingleGeoCode = 0;
  Settings().GeoCodeFrom = 5;
  Settings().GeoCodeTo = 0;
  {
    frmGeoCodes picker(w->lbGeoCodes, w);
    picker.Form_Load();
    EXPECT_EQ(picker.lbAddGeoCodes->count(), 0);
  }
}

TEST_F(SearchScreenTest, CityAndHarbourListsFollowTheSubRegions) {
  AddSubRegions({"MA - CAPE COD", "MA - BUZZARDS BAY"});
  EXPECT_EQ(Entries(w->lbGeoCodes), (QStringList{"MA - CAPE COD", "MA - BUZZARDS BAY"}));
  for (QWidget* c : std::initializer_list<QWidget*>{w->cboCity, w->lblCity, w->cboHarbor, w->lblHarbor}) {
    EXPECT_TRUE(c->isEnabled()) << c->objectName().toStdString();
  }
  const QStringList cities = Items(w->cboCity);
  EXPECT_EQ(cities.first(), "");
  EXPECT_EQ(cities.count("Falmouth"), 2) << "a city of two sub-regions stays twice";
  EXPECT_EQ(w->cboCity->ListIndex(), 0);
  EXPECT_EQ(w->cboHarbor->ListIndex(), 0);
  const int allHarbours = w->cboHarbor->ListCount();
  EXPECT_GT(allHarbours, 3);

  // Choosing a city narrows the harbours to its own, one list per sub-region;
  // the empty entry widens them again.
  w->cboCity->SetListIndex(cities.indexOf("Falmouth"));
  auto db = Database::OpenDatabase(folder.DatabasePath(), -1, true, ConnectString());
  const int falmouthHarbours =
      db->OpenRecordset("SELECT COUNT(*) FROM (SELECT DISTINCT v.[Geo Code], n.Harbor FROM rpm_Vyk v, "
                        "rpm_Contact_Information c, rpm_nav_info n WHERE c.MarinaNo = v.MarinaNo AND n.MarinaNo = "
                        "v.MarinaNo AND v.[Geo Code] IN (11, 13) AND c.City = 'Falmouth')")
          ->Fields(0).Value().toInt();
  db.reset();
  EXPECT_GE(falmouthHarbours, 2);
  EXPECT_EQ(Items(w->cboHarbor).size(), 1 + falmouthHarbours) << Items(w->cboHarbor).join('|').toStdString();
  w->cboHarbor->SetListIndex(1);
  w->cboCity->SetListIndex(0);
  EXPECT_EQ(w->cboHarbor->ListCount(), allHarbours);
  EXPECT_EQ(w->cboHarbor->ListIndex(), 0);

  // Remove: nothing selected, then the first entry, then the last.
  w->cmdRemoveGeoCode->click();
  ASSERT_EQ(boxes.Shown().size(), 1);
  EXPECT_EQ(boxes.Shown()[0].text, "Select the Region to remove");
  EXPECT_EQ(boxes.Shown()[0].title, "Quaywise 2.2");
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(w->lbGeoCodes, &del);
  EXPECT_EQ(boxes.Shown().size(), 2);
  EXPECT_EQ(w->lbGeoCodes->count(), 2);

  w->lbGeoCodes->setCurrentRow(0);
  w->cmdRemoveGeoCode->click();
  EXPECT_EQ(Entries(w->lbGeoCodes), QStringList{"MA - BUZZARDS BAY"});
  EXPECT_EQ(Items(w->cboCity).count("Falmouth"), 1);
  EXPECT_FALSE(Items(w->cboCity).contains("Chatham"));
  w->lbGeoCodes->setCurrentRow(0);
  QApplication::sendEvent(w->lbGeoCodes, &del);
  EXPECT_EQ(w->lbGeoCodes->count(), 0);
  EXPECT_EQ(Items(w->cboCity), QStringList{""});
  EXPECT_EQ(Items(w->cboHarbor), QStringList{""});
  EXPECT_FALSE(w->cboCity->isEnabled());
  EXPECT_FALSE(w->cboHarbor->isEnabled());
  EXPECT_EQ(boxes.Shown().size(), 2);
}

TEST_F(SearchScreenTest, CityWithAnApostropheNarrowsTheHarboursAndFinds) {
  AddSubRegions({"ME - PORTLAND & SOUTHERN COAST"});
  const int orrs = Items(w->cboCity).indexOf("Orr's Island");
  ASSERT_GT(orrs, 0);
  w->cboCity->SetListIndex(orrs);
  EXPECT_EQ(Items(w->cboHarbor), (QStringList{"", "Harpswell Sound"}));
  w->cboHarbor->SetListIndex(1);
  w->cmdFind_Click();
  EXPECT_EQ(w->lblCount->text(), "Marinas Found: 1");
  EXPECT_TRUE(boxes.Shown().isEmpty());
}

TEST_F(SearchScreenTest, FindCountsAndAFailedCountClaimsNoNumber) {
  w->cmdFind->click();
  EXPECT_EQ(w->lblCount->text(), "Marinas Found: 227");
  w->chkSunset->SetValue(1);
  w->cmdFind_Click();
  EXPECT_EQ(w->lblCount->text(), "Marinas Found: 56");
  // A count query that cannot run is reported, and the label does not
  // pretend that nothing matched.
  boxes.Answer(MsgResult::No);
  Settings().EditionFilter = "In 7th Edition";
  w->tbMarinaName->setText("x");
  {
    DatabasePtr db = Database::OpenDatabase(folder.DatabasePath(), -1, false, QString());
    db->Execute("DROP TABLE rpm_marina_operations");
    db->Close();
  }
  w->cmdFind_Click();
  EXPECT_EQ(w->lblCount->text(), "Marinas Found:");
  ASSERT_EQ(boxes.Shown().size(), 1);
  EXPECT_EQ(boxes.Shown()[0].title, "Error");
  EXPECT_TRUE(boxes.Shown()[0].text.contains("Continue?"));
  EXPECT_TRUE(frmWait::Loaded() == nullptr) << "the wait window goes in every case";
}

TEST_F(SearchScreenTest, ShowStoresTheTabHandsOverAndHides) {
  w->show();
  w->SSTab1->SetTab(4);
  w->RowCombos("cmbEnter")[3]->SetListIndex(1);
  QStringList calls;
  AppScreens().updateList = [&] {
    calls << QStringLiteral("update %1").arg(ProgramAmenityCriteria().EntertainmentDistance[3]);
  };
  AppScreens().showList = [&] { calls << "show"; };
  AppScreens().unloadReportIfCleared = [&] { calls << "bclear"; };
  w->cmdShow->click();
  EXPECT_EQ(calls, (QStringList{"update 1", "show"}));
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(frmCriteria::Loaded(), w) << "hidden, not unloaded";
  EXPECT_EQ(w->RowCombos("cmbEnter")[3]->ListIndex(), 1);
}

TEST_F(SearchScreenTest, SavedCriteriaComeBackWhole) {
  AddSubRegions({"MA - CAPE COD", "MA - THE ISLANDS"});
  w->cboCity->SetListIndex(Items(w->cboCity).indexOf("Edgartown"));
  w->cboHarbor->SetListIndex(1);
  w->tbMarinaName->setText(" Bay ");
  w->txtbicwmin->setText(" 3 ");
  w->ebMinLOA->setText("45");
  w->cboElectricity->SetListIndex(6);
  w->cmbTotalSlips->SetListIndex(2);
  w->chkPumpOut->SetValue(1);
  w->chkMegaYachtFacilities->SetValue(1);
  w->SSTab1->SetTab(1);
  w->lstMail->item(0)->setSelected(true);
  w->RowChecks("chkDockAsst")[4]->SetValue(1);
  w->SSTab1->SetTab(6);
  w->RowCombos("cmbGene")[15]->SetListIndex(6);
  w->SSTab1->SetTab(9);
  w->chkHospital->SetValue(1);
  w->RowCombos("cmbMedi")[5]->SetListIndex(4);  // on the shown tab: Save stores it

  const QString file = folder.Path() + "/mine.vyk";
  ASSERT_TRUE(w->SaveSettings(file));
  const SearchCriteria saved = w->Criteria();
  EXPECT_EQ(saved.Amenity.MedicalDistance[5], 4);

  w->SSTab1->SetTab(6);
  w->cmdClear_Click();
  EXPECT_NE(w->Criteria(), saved);
  w->LoadSettings(file);
  EXPECT_EQ(w->lblCount->text(), "Marinas Found:");
  SearchCriteria loaded = w->Criteria();
  loaded.txtbicwmin = loaded.txtbicwmin;  // saved trimmed
  SearchCriteria expected = saved;
  expected.txtbicwmin = "3";
  EXPECT_EQ(loaded, expected);
  EXPECT_EQ(w->RowCombos("cmbGene")[15]->ListIndex(), 6) << "the shown tab displays the loaded values";
  EXPECT_TRUE(boxes.Shown().isEmpty());
}

TEST_F(SearchScreenTest, FilesThatCannotBeWrittenOrReadAreReported) {
  const QString good = folder.Path() + "/good.vyk";
  w->chkSunset->SetValue(1);
  ASSERT_TRUE(w->SaveSettings(good));
  const QByteArray before = [&] {
    QFile f(good);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();

  const QString bad = folder.Path() + "/no such folder/x.vyk";
  EXPECT_FALSE(w->SaveSettings(bad));
  ASSERT_EQ(boxes.Shown().size(), 1);
  EXPECT_EQ(boxes.Shown()[0].text, "Search settings could not be saved to " + bad);

  boxes.Clear();
  w->cboFuel->SetListIndex(1);
  w->LoadSettings(folder.Path() + "/missing.vyk");
  ASSERT_EQ(boxes.Shown().size(), 1);
  EXPECT_TRUE(boxes.Shown()[0].text.contains("missing.vyk"));
  EXPECT_EQ(w->cboFuel->ListIndex(), 0) << "cleared before the load";

  boxes.Clear();
  w->LoadSettings(folder.Path() + "/missing.vyk", /*silent=*/true);
  EXPECT_TRUE(boxes.Shown().isEmpty());
  QFile f(good);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), before);
}

TEST_F(SearchScreenTest, LoadedSubRegionsThatNoLongerResolveNeverWidenTheSearch) {
  // A city position without sub-regions chooses nothing from a stale list.
  w->SSTab1->SetTab(0);
  AddSubRegions({"MA - CAPE COD"});
  w->cmdClear_Click();
  folder.WriteFile("city.vyk", "\"cbocity\",3\r\n\"cboHarbor\",1\r\n");
  w->LoadSettings(folder.Path() + "/city.vyk");
  EXPECT_EQ(w->BuildWhereClause(), "");

  // A proximity code no box offers shows as no choice, not as the choice the
  // row held before, and so never becomes a criterion once the tab is stored.
  w->SSTab1->SetTab(2);
  w->RowCombos("cmbBoat")[0]->SetListIndex(1);
  w->SSTab1->SetTab(0);
  folder.WriteFile("odd.vyk", "\"cmbboat(0)\",9\r\n");
  w->LoadSettings(folder.Path() + "/odd.vyk");
  EXPECT_EQ(ProgramAmenityCriteria().BoatyardDistance[0], 9);
  w->SSTab1->SetTab(2);
  EXPECT_EQ(w->RowCombos("cmbBoat")[0]->ListIndex(), 0);
  w->cmdFind_Click();
  EXPECT_EQ(w->BuildWhereClause(), "");

  folder.WriteFile("old.vyk", "\"GeoCode(0)\",\"ME - GONE AWAY\"\r\n\"chkSunset\",999\r\n");
  boxes.Answer(MsgResult::No);
  boxes.Answer(MsgResult::No);
  w->LoadSettings(folder.Path() + "/old.vyk");
  ASSERT_FALSE(boxes.Shown().isEmpty()) << "the refresh reports the name it cannot look up";
  EXPECT_TRUE(boxes.Shown()[0].text.contains("No current record"));
  EXPECT_EQ(Entries(w->lbGeoCodes), QStringList{"ME - GONE AWAY"});
  EXPECT_EQ(w->chkSunset->Value(), 1);
  EXPECT_FALSE(w->cboCity->isEnabled());
  w->cmdFind_Click();
  EXPECT_EQ(w->lblCount->text(), "Marinas Found: 0");
}

TEST_F(SearchScreenTest, StartAlwaysShowsEmptyCriteriaAndReloadsSilently) {
  SetUserStoreFolder(folder.Path());
  AddSubRegions({"MA - THE ISLANDS"});
  w->chkSunset->SetValue(1);
  w->cboFuel->SetListIndex(2);
  w->SSTab1->SetTab(4);
  w->RowCombos("cmbEnter")[1]->SetListIndex(3);
  const QString file = folder.Path() + "/last.vyk";
  ASSERT_TRUE(w->SaveSettings(file));
  SaveSetting(kAppTitle, "SettingsFileName", "RootFolder", file);
  UnloadScreen();
  SortOrder() = ListOrder::Alphabetical;

  w = frmCriteria::Instance();
  SearchCriteria opened = w->Criteria();
  EXPECT_EQ(opened.cboCity.ListIndex, 0);
  EXPECT_EQ(opened.cboHarbor.ListIndex, 0);
  EXPECT_FALSE(w->cboCity->isEnabled());
  EXPECT_FALSE(w->cboHarbor->isEnabled());
  // The reload's cities and harbours stay listed, greyed and unchosen.
  opened.cboCity = SearchCriteria{}.cboCity;
  opened.cboHarbor = SearchCriteria{}.cboHarbor;
  EXPECT_EQ(opened, SearchCriteria{});
  EXPECT_EQ(w->BuildWhereClause(), "");
  EXPECT_EQ(w->lblCount->text(), "Marinas Found:");
  EXPECT_EQ(w->SSTab1->Tab(), 0);
  EXPECT_EQ(SortOrder(), ListOrder::Geographic);
  EXPECT_TRUE(boxes.Shown().isEmpty());

  // A stored name that no longer names a file: nothing is said.
  SaveSetting(kAppTitle, "SettingsFileName", "RootFolder", folder.Path() + "/gone.vyk");
  UnloadScreen();
  w = frmCriteria::Instance();
  EXPECT_TRUE(boxes.Shown().isEmpty());
  SetUserStoreFolder(QString());
}

TEST_F(SearchScreenTest, InsideTheMainWindowTheScreenIsAMaximisedChildThatSetsTheToolbar) {
  UnloadScreen();
  MDIFrmMain::Instance()->show();
  RegisterSearchScreens();
  ScreenMode() = ScreenKind::List;
  MDIFrmMain::Instance()->UpdateToolBox();
  ASSERT_EQ(uitest::ButtonsOnOff({4}), "x");
  AppScreens().showSearch();
  QApplication::processEvents();
  w = frmCriteria::Loaded();
  ASSERT_NE(w, nullptr);
  ASSERT_NE(FrameOf(w), w);
  EXPECT_TRUE(MDIFrmMain::Instance()->MdiArea()->subWindowList().contains(FrameOf(w)));
  EXPECT_TRUE(FrameOf(w)->isMaximized());
  MDIFrmMain::Instance()->MdiArea()->setActiveSubWindow(nullptr);
  MDIFrmMain::Instance()->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(FrameOf(w)));
  EXPECT_EQ(ScreenMode(), ScreenKind::Search);
  ASSERT_EQ(uitest::ButtonsOnOff({4, 3}), "ox") << "Find on in search mode, Search off";
  FrameOf(w)->close();  // the user closes the screen
  EXPECT_EQ(uitest::OnOff({MDIFrmMain::Instance()->ToolbarButton(3), MDIFrmMain::Instance()->mnuSearch}), "oo")
      << "Search brings it back";
  UnloadScreen();
  MDIFrmMain::Unload();
  w = frmCriteria::Instance();
}

TEST_F(SearchScreenTest, ScreenTableEntriesReachTheScreen) {
  RegisterSearchScreens();
  Screens& s = AppScreens();
  ASSERT_TRUE(s.showSearch && s.unloadSearch && s.hideSearch && s.find && s.show && s.loadCriteria &&
              s.saveCriteria && s.buildWhereClause && s.criteriaControlText);
  w->chkSunset->SetValue(1);
  w->cboDockage->SetListIndex(2);
  w->ebMinLOA->setText("30");
  EXPECT_EQ(s.criteriaControlText("cboDockage"), "$1.50 or Less");
  EXPECT_EQ(s.criteriaControlText("cmbTotalSlips"), "");
  EXPECT_EQ(s.criteriaControlText("ebMinLOA"), "30");
  EXPECT_TRUE(s.buildWhereClause().contains("rpm_Vyk.[Sunset] = TRUE"));
  ScreenMode() = ScreenKind::Map;
  s.showSearch();
  QApplication::processEvents();
  EXPECT_TRUE(w->isVisible());
  w->Form_Activate();
  EXPECT_EQ(ScreenMode(), ScreenKind::Search);
  s.hideSearch();
  EXPECT_FALSE(w->isVisible());
  // Find, Save and Open on a screen the user cannot see bring it up first.
  const QString file = folder.Path() + QStringLiteral("/shown.vyk");
  for (const std::function<void()>& command : std::initializer_list<std::function<void()>>{
           [&] { s.find(); }, [&] { EXPECT_TRUE(s.saveCriteria(file)); }, [&] { s.loadCriteria(file); }}) {
    s.hideSearch();
    command();
    EXPECT_TRUE(w->isVisible());
  }
  EXPECT_EQ(w->lblCount->text(), "Marinas Found:") << "the file's load ends with the count cleared";
  s.unloadSearch();
  EXPECT_EQ(frmCriteria::Loaded(), nullptr);
  // The arrays outlive the window; the next load clears them.
  ProgramAmenityCriteria().BoatyardDistance[3] = 2;
  s.hideSearch();
  w = frmCriteria::Loaded();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(ProgramAmenityCriteria(), AmenityCriteria{});
  EXPECT_EQ(SortOrder(), ListOrder::Geographic);
}

}  // namespace
}  // namespace qw
