#include "search/ui/frm_criteria.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <functional>

#include "data/marina_db.h"
#include "host/ui/screens.h"
#include "platform/jet.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "platform/ui/check_box.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/tab_control.h"
#include "platform/ui/text_box.h"
#include "platform/ui/twips.h"
#include "platform/ui/wait_cursor.h"
#include "search/criteria_file.h"
#include "search/location_queries.h"
#include "search/result_query.h"
#include "search/ui/frm_geo_codes.h"
#include "search/where_clause.h"
#include "services/error_handler.h"
#include "services/settings.h"
#include "services/user_store.h"

namespace qw {

namespace {

const QString kCaption = QStringLiteral("Search Screen");
const QString kModule = QStringLiteral("frmCriteria");
const QString kFoundCaption = QStringLiteral("Marinas Found:");

// Twips of the design.
constexpr int kComboHeight = 315;
constexpr int kTextHeight = 315;

// A control of the window, named as the window names it.
template <typename W, typename... Args>
W* Make(QWidget* parent, const char* name, Args&&... args) {
  auto* w = new W(std::forward<Args>(args)..., parent);
  w->setObjectName(QLatin1String(name));
  return w;
}
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption) {
  return Make<QLabel>(parent, name, caption);
}
QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption) {
  return Make<QGroupBox>(parent, name, caption);
}
ComboBox* MakeCombo(QWidget* parent, const char* name) { return Make<ComboBox>(parent, name); }
CheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption) {
  return Make<CheckBox>(parent, name, caption);
}
TextBox* MakeText(QWidget* parent, const char* name) { return Make<TextBox>(parent, name); }
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = Make<QPushButton>(parent, name, caption);
  button->setAutoDefault(false);
  return button;
}

// A label placed at its rectangle, widened to its text when the text is
// longer (a label never cuts its caption), vertically centred.
void PlaceLabel(QLabel* label, int left, int top, int width, int height) {
  PlaceTwips(label, left, top, width, height);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  const int needed = label->sizeHint().width();
  if (label->width() < needed) label->resize(needed, label->height());
}

// A check box at its rectangle, made taller downwards when its indicator
// needs it: it keeps its top, so that the first row clears the border line
// of its frame and lines up with the boxes beside it.
void PlaceCheck(QWidget* check, int left, int top, int width, int height) {
  QRect r = TwipsRect(left, top, width, height);
  r.setHeight(std::max(r.height(), check->sizeHint().height()));
  check->setGeometry(r);
}

RuntimeError NoCurrentRecord() {
  RuntimeError err;
  err.number = kJetNoCurrentRecord;
  err.source = kModule;
  err.description = QStringLiteral("No current record");
  return err;
}

}  // namespace

// One control array of an amenity tab: its rows and where they go.
struct frmCriteria::RowGroup {
  QString name;       // combo or check array ("cmbBoat", "chkMFac")
  QString labelName;  // label array of a proximity group ("lblBoat"), else ""
  int tab = 0;
  bool check = false;
  QStringList captions;
  std::span<std::int16_t> (*values)(AmenityCriteria&) = nullptr;
  QWidget* container = nullptr;
  // Element 0 (twips): combo box or check box, and the label.
  int left = 0, top = 0, width = 0, height = kComboHeight;
  int labelLeft = 0, labelTop = 0, labelWidth = 0, labelHeight = 0;  // labelWidth 0: fit the caption
  int step = 325;
  int perColumn = 1000;
  std::vector<std::pair<int, int>> shifts;  // per further column: box shift, label shift
  int laterColumnWidth = 0;                 // box width from the second column on (0: the same)
  int firstDisabledRow = -1;                // rows from here on are shown disabled
  std::vector<ComboBox*> combos;
  std::vector<QLabel*> labels;
  std::vector<CheckBox*> checks;

  int Rows() const { return static_cast<int>(captions.size()); }
  int Built() const { return static_cast<int>(check ? checks.size() : combos.size()); }

  // The place of row i (twips): box left, box top, box width, label left, label top.
  struct Place {
    int left, top, width, labelLeft, labelTop;
  };
  Place PlaceOf(int i) const {
    const int column = i / perColumn;
    const int row = i % perColumn;
    Place p{left, top + row * step, width, labelLeft, labelTop + row * step};
    for (int c = 0; c < column && c < static_cast<int>(shifts.size()); ++c) {
      p.left += shifts[c].first;
      p.labelLeft += shifts[c].second;
    }
    if (column > 0 && laterColumnWidth > 0) p.width = laterColumnWidth;
    return p;
  }
};

frmCriteria::frmCriteria(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frmCriteria"));
  setWindowTitle(kCaption);
  // The design's rectangles suit a compact dialog font.
  QFont f = font();
  f.setPointSizeF(8);
  f.setStretch(QFont::SemiCondensed);
  setFont(f);
  BuildLayout();
}

frmCriteria::~frmCriteria() {
  for (RowGroup* g : groups_) delete g;
}

void frmCriteria::BuildLayout() {
  setMinimumSize(TwipsToPixels(11800), TwipsToPixels(7400));
  resize(minimumSize());
  MainFrame = MakeFrame(this, "MainFrame", QStringLiteral("Search Settings"));
  PlaceTwips(MainFrame, 120, 0, 11535, 7270);

  Label3 = MakeLabel(MainFrame, "Label3", QStringLiteral("Marina Name:"));
  PlaceTwips(Label3, 780, 295, 1200, 255);
  Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  tbMarinaName = MakeText(MainFrame, "tbMarinaName");
  PlaceTwips(tbMarinaName, 2040, 280, 4215, 285);
  Label3->setBuddy(tbMarinaName);

  BuildLocationFrame();
  BuildGeneralFrame();
  BuildTabs();

  lblCount = MakeLabel(MainFrame, "lblCount", kFoundCaption);
  PlaceTwips(lblCount, 4560, 6840, 2600, 325);
  lblCount->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  cmdFind = MakeButton(MainFrame, "cmdFind", QStringLiteral("&Find Marinas"));
  PlaceTwips(cmdFind, 7320, 6840, 1200, 325);
  cmdShow = MakeButton(MainFrame, "cmdShow", QStringLiteral("Show &Marinas"));
  PlaceTwips(cmdShow, 8640, 6840, 1200, 325);
  cmdClear = MakeButton(MainFrame, "cmdClear", QStringLiteral("&Clear All"));
  PlaceTwips(cmdClear, 9960, 6840, 1200, 325);

  connect(cmdFind, &QPushButton::clicked, this, &frmCriteria::cmdFind_Click);
  connect(cmdShow, &QPushButton::clicked, this, &frmCriteria::cmdShow_Click);
  connect(cmdClear, &QPushButton::clicked, this, &frmCriteria::cmdClear_Click);
  connect(tbMarinaName, &TextBox::GotFocus, this, &frmCriteria::tbMarinaName_GotFocus);
  for (TextBox* box : {ebMinLOA, txtbicwmin, txtbicwmax}) {
    box->SetValidate([this, box] { return NumberCheck(box); });
  }

  // Tab order: the name first, then the screen from top to bottom.
  QWidget* order[] = {tbMarinaName, lbGeoCodes,     cmdAddGeoCode, cmdRemoveGeoCode, cboCity,
                      cboHarbor,    txtbicwmin,     txtbicwmax,    cboBellRating,    cmbTotalSlips,
                      cboMoorings,  cboDepth,       ebMinLOA,      cboDockage,       cboFuel,
                      cboElectricity, cboBoatRating, chkSunset,    chkPumpOut,       chkMegaYachtFacilities,
                      SSTab1,       cmdFind,        cmdShow,       cmdClear};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void frmCriteria::BuildLocationFrame() {
  fraLocation = MakeFrame(MainFrame, "fraLocation", QStringLiteral("Location Search"));
  PlaceTwips(fraLocation, 300, 600, 10995, 1215);

  lbGeoCodes = new QListWidget(fraLocation);
  lbGeoCodes->setObjectName(QStringLiteral("lbGeoCodes"));
  lbGeoCodes->setToolTip(QStringLiteral("To Add Region Click Select Region, To Remove Region Select the Region "
                                        "and Press Delete Key or Click Remove Region"));
  lbGeoCodes->setSelectionMode(QAbstractItemView::SingleSelection);
  PlaceTwips(lbGeoCodes, 150, 270, 3360, 825);
  lbGeoCodes->installEventFilter(this);

  cmdAddGeoCode = MakeButton(fraLocation, "cmdAddGeoCode", QStringLiteral("Select Sub-Region"));
  PlaceTwips(cmdAddGeoCode, 3630, 270, 1650, 360);
  cmdRemoveGeoCode = MakeButton(fraLocation, "cmdRemoveGeoCode", QStringLiteral("Remove Sub-Region"));
  PlaceTwips(cmdRemoveGeoCode, 3630, 735, 1650, 360);

  lblCity = MakeLabel(fraLocation, "lblCity", QStringLiteral("City:"));
  PlaceLabel(lblCity, 5520, 300, 660, 255);
  cboCity = MakeCombo(fraLocation, "cboCity");
  PlaceTwips(cboCity, 6180, 270, 2280, kComboHeight);
  cboCity->AddItem(QStringLiteral(" "));
  lblHarbor = MakeLabel(fraLocation, "lblHarbor", QStringLiteral("Harbor:"));
  PlaceLabel(lblHarbor, 5520, 765, 660, 255);
  cboHarbor = MakeCombo(fraLocation, "cboHarbor");
  PlaceTwips(cboHarbor, 6180, 735, 2280, kComboHeight);

  Label4 = MakeLabel(fraLocation, "Label4", QStringLiteral("ICW SM Beg:"));
  PlaceLabel(Label4, 8640, 300, 1020, 255);
  txtbicwmin = MakeText(fraLocation, "txtbicwmin");
  PlaceTwips(txtbicwmin, 9720, 270, 1080, kTextHeight);
  Label6 = MakeLabel(fraLocation, "Label6", QStringLiteral("ICW SM End:"));
  PlaceLabel(Label6, 8640, 765, 1020, 255);
  txtbicwmax = MakeText(fraLocation, "txtbicwmax");
  PlaceTwips(txtbicwmax, 9720, 735, 1080, kTextHeight);

  connect(cmdAddGeoCode, &QPushButton::clicked, this, &frmCriteria::cmdAddGeoCode_Click);
  connect(cmdRemoveGeoCode, &QPushButton::clicked, this, &frmCriteria::cmdRemoveGeoCode_Click);
  connect(cboCity, &ComboBox::Click, this, &frmCriteria::cboCity_Click);
}

void frmCriteria::BuildGeneralFrame() {
  Frame1 = MakeFrame(MainFrame, "Frame1", QString());
  PlaceTwips(Frame1, 300, 1800, 11025, 1230);

  // Four columns of three rows, each label left of its box; the columns take
  // the width their captions need.
  auto combo = [this](QLabel*& label, const char* labelName, const QString& caption, ComboBox*& box,
                      const char* boxName) {
    label = MakeLabel(Frame1, labelName, caption);
    box = MakeCombo(Frame1, boxName);
    label->setBuddy(box);
  };
  combo(lblBellRating, "lblBellRating", QStringLiteral("Bell Rating:"), cboBellRating, "cboBellRating");
  combo(Label9, "Label9", QStringLiteral("Slips"), cmbTotalSlips, "cmbTotalSlips");
  combo(lblMorrings, "lblMorrings", QStringLiteral("Moorings"), cboMoorings, "cboMoorings");
  combo(lblDepth, "lblDepth", QStringLiteral("Reported Depth:"), cboDepth, "cboDepth");
  combo(lblDockage, "lblDockage", QStringLiteral("Dockage Fee:"), cboDockage, "cboDockage");
  combo(lblFuel, "lblFuel", QStringLiteral("Fuel:"), cboFuel, "cboFuel");
  combo(lblElectricity, "lblElectricity", QStringLiteral("Electricity:"), cboElectricity, "cboElectricity");
  combo(Label5, "Label5", QStringLiteral("Boatyard Onsite:"), cboBoatRating, "cboBoatRating");
  Label7 = MakeLabel(Frame1, "Label7", QStringLiteral("LOA (in ft.) of at least:"));
  ebMinLOA = MakeText(Frame1, "ebMinLOA");
  Label7->setBuddy(ebMinLOA);
  QFont note = font();
  note.setPointSizeF(7);
  Label1 = MakeLabel(Frame1, "Label1", QStringLiteral("(Deepest slip/mooring)"));
  Label1->setFont(note);
  Label2 = MakeLabel(Frame1, "Label2", QStringLiteral("(per ft/per night)"));
  Label2->setFont(note);
  chkSunset = MakeCheck(Frame1, "chkSunset", QStringLiteral("Sunset"));
  chkPumpOut = MakeCheck(Frame1, "chkPumpOut", QStringLiteral("Pumpout"));
  chkMegaYachtFacilities = MakeCheck(Frame1, "chkMegaYachtFacilities", QStringLiteral("Mega-Yacht Facilities"));

  const int rowTop[3] = {TwipsToPixels(150), TwipsToPixels(480), TwipsToPixels(810)};
  const int boxHeight = TwipsToPixels(kComboHeight);
  struct Column {
    QLabel* labels[3];
    QWidget* boxes[3];
    int boxWidth;  // twips
  };
  const Column columns[3] = {
      {{lblBellRating, Label9, lblMorrings}, {cboBellRating, cmbTotalSlips, cboMoorings}, 1500},
      {{lblDepth, Label7, lblDockage}, {cboDepth, ebMinLOA, cboDockage}, 1500},
      {{lblFuel, lblElectricity, Label5}, {cboFuel, cboElectricity, cboBoatRating}, 1680},
  };
  int checksWidth = 0;
  for (CheckBox* c : {chkSunset, chkPumpOut, chkMegaYachtFacilities}) checksWidth = std::max(checksWidth, c->sizeHint().width());
  int used = checksWidth + 10;
  int labelWidth[3];
  for (int c = 0; c < 3; ++c) {
    labelWidth[c] = 0;
    for (QLabel* l : columns[c].labels) labelWidth[c] = std::max(labelWidth[c], l->sizeHint().width());
    used += labelWidth[c] + 4 + TwipsToPixels(columns[c].boxWidth);
  }
  const int gap = std::max(6, (Frame1->width() - used) / 4);
  int x = gap;
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 3; ++r) {
      columns[c].labels[r]->setGeometry(x, rowTop[r], labelWidth[c], boxHeight);
      columns[c].labels[r]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      columns[c].boxes[r]->setGeometry(x + labelWidth[c] + 4, rowTop[r], TwipsToPixels(columns[c].boxWidth),
                                       boxHeight);
    }
    x += labelWidth[c] + 4 + TwipsToPixels(columns[c].boxWidth) + gap;
  }
  // The notes sit under their labels, which move up to make room.
  for (auto [label, noteLabel] : {std::pair{lblDepth, Label1}, std::pair{lblDockage, Label2}}) {
    const QRect r = label->geometry();
    label->setGeometry(r.x(), r.y() - 6, r.width(), r.height() - 4);
    noteLabel->setGeometry(r.x(), r.y() + r.height() - 9, std::max(r.width(), noteLabel->sizeHint().width()),
                           noteLabel->sizeHint().height());
  }
  CheckBox* checks[3] = {chkSunset, chkPumpOut, chkMegaYachtFacilities};
  for (int r = 0; r < 3; ++r) checks[r]->setGeometry(x, rowTop[r], checksWidth, boxHeight);
}

void frmCriteria::BuildTabs() {
  SSTab1 = new TabControl(MainFrame);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  PlaceTwips(SSTab1, 240, 3120, 11055, 3660);
  SSTab1->SetTabs(kAmenityTabCaptions, 5);
  connect(SSTab1, &TabControl::Click, this, &frmCriteria::SSTab1_Click);

  auto page = [this](int tab) { return SSTab1->Page(tab); };
  fraFacilities = MakeFrame(page(0), "fraFacilities", QStringLiteral("Facilities"));
  PlaceTwips(fraFacilities, 180, 900, 7000, 2655);
  fraCreditCards = MakeFrame(page(0), "fraCreditCards", QStringLiteral("Credit Cards"));
  PlaceTwips(fraCreditCards, 7320, 900, 3400, 2655);
  fraServices = MakeFrame(page(1), "fraServices", QStringLiteral("Services"));
  PlaceTwips(fraServices, 180, 900, 7000, 2655);
  fraMailCarriers = MakeFrame(page(1), "fraMailCarriers", QStringLiteral("Courier Services"));
  PlaceTwips(fraMailCarriers, 7320, 900, 3400, 2655);
  struct {
    QGroupBox** frame;
    const char* name;
    int tab;
  } frames[] = {{&Frame2, "Frame2", 2}, {&Frame3, "Frame3", 3}, {&Frame8, "Frame8", 4}, {&Frame9, "Frame9", 5},
                {&Frame4, "Frame4", 6}, {&Frame5, "Frame5", 7}, {&Frame6, "Frame6", 8}, {&Frame7, "Frame7", 9}};
  for (auto& f : frames) {
    *f.frame = MakeFrame(page(f.tab), f.name, QString());
    PlaceTwips(*f.frame, 120, 850, 10650, 2760);
  }

  // Single controls.
  chkBoatStorage = MakeCheck(fraFacilities, "chkBoatStorage", kBoatStorageCaption);
  PlaceCheck(chkBoatStorage, 3240, 1440, 1935, 255);
  lstMail = new QListWidget(fraMailCarriers);
  lstMail->setObjectName(QStringLiteral("lstMail"));
  lstMail->setSelectionMode(QAbstractItemView::MultiSelection);
  lstMail->addItems(Captions(kCourierEntries));
  PlaceTwips(lstMail, 216, 288, 1860, 1230);
  chkAmtrak = MakeCheck(page(8), "chkAmtrak", kAmtrakCaption);
  PlaceCheck(chkAmtrak, 5290, 2620, 2385, 255);
  chkAirport = MakeCheck(page(8), "chkAirport", kAirportCaption);
  PlaceCheck(chkAirport, 5290, 3040, 2385, 255);
  chkAmtrak->raise();
  chkAirport->raise();
  chk911 = MakeCheck(Frame7, "chk911", k911Caption);
  PlaceCheck(chk911, 2940, 100, 1500, 255);
  chkHospital = MakeCheck(Frame7, "chkHospital", kHospitalCaption);
  PlaceCheck(chkHospital, 2940, 475, 1500, 255);

  // Fixed labels of the restaurants tab.
  QFont underlined = font();
  underlined.setUnderline(true);
  QLabel* label8 = MakeLabel(Frame9, "Label8", QStringLiteral("Eateries"));
  label8->setFont(underlined);
  PlaceLabel(label8, 2040, 120, 615, 255);
  QLabel* label10 = MakeLabel(Frame9, "Label10", QStringLiteral("Accommodations"));
  label10->setFont(underlined);
  PlaceLabel(label10, 5880, 120, 1215, 255);
  QLabel* label13 = MakeLabel(Frame9, "Label13", QStringLiteral("Note:"));
  label13->setFont(underlined);
  PlaceLabel(label13, 4560, 1920, 495, 255);
  QLabel* label11 = MakeLabel(
      Frame9, "Label11",
      QStringLiteral("On this tab, search will find marinas that have at least one of the types of eateries or"));
  PlaceLabel(label11, 4560, 2160, 6135, 255);
  QLabel* label12 =
      MakeLabel(Frame9, "Label12", QStringLiteral("accommodations for which a proximity criteria has been set."));
  PlaceLabel(label12, 4560, 2400, 4455, 255);
  // The note moves left as a block when its long line would leave the frame.
  const int overflow = label11->geometry().right() - (Frame9->width() - 6);
  if (overflow > 0) {
    for (QLabel* l : {label13, label11, label12}) l->move(l->x() - overflow, l->y());
  }

  // The control arrays, in the order of their arrays.
  using A = AmenityCriteria;
  auto group = [this](RowGroup g) { groups_.push_back(new RowGroup(std::move(g))); };
  RowGroup g;
  g = RowGroup{};
  g.name = "cmbMFac"; g.labelName = "lblMFac"; g.tab = 0; g.captions = Captions(kSupplyRows);
  g.values = [](A& a) { return std::span<std::int16_t>(a.SupplyDistance); };
  g.container = fraFacilities;
  g.left = 1440; g.top = 240; g.width = 1632; g.labelLeft = 156; g.labelTop = 252; g.labelHeight = 255;
  group(g);
  g = RowGroup{};
  g.name = "chkMFac"; g.tab = 0; g.check = true; g.captions = Captions(kFacilityRows);
  g.values = [](A& a) { return std::span<std::int16_t>(a.FacilityChecks); };
  g.container = fraFacilities;
  g.left = 3240; g.top = 240; g.width = 1035; g.height = 195; g.step = 300; g.perColumn = 4;
  g.shifts = {{1500, 0}}; g.laterColumnWidth = 2100;
  group(g);
  g = RowGroup{};
  g.name = "chkCredit"; g.tab = 0; g.check = true; g.captions = Captions(kCreditCardRows);
  g.values = [](A& a) { return std::span<std::int16_t>(a.CreditCardChecks); };
  g.container = fraCreditCards;
  g.left = 210; g.top = 240; g.width = 1965; g.height = 255;
  group(g);
  g = RowGroup{};
  g.name = "chkDockAsst"; g.tab = 1; g.check = true; g.captions = Captions(kServiceRows);
  g.values = [](A& a) { return std::span<std::int16_t>(a.ServiceChecks); };
  g.container = fraServices;
  g.left = 90; g.top = 325; g.width = 2800; g.height = 300; g.perColumn = 5; g.shifts = {{2800, 0}};
  group(g);

  struct Proximity {
    const char* name;
    const char* labelName;
    int tab;
    QStringList captions;
    std::span<std::int16_t> (*values)(A&);
    QGroupBox* container;
    int left, top, width, labelLeft, labelTop, labelWidth, perColumn;
    std::vector<std::pair<int, int>> shifts;
  };
  const Proximity proximity[] = {
      {"cmbBoat", "lblBoat", 2, Captions(kBoatyardRows), [](A& a) { return std::span<std::int16_t>(a.BoatyardDistance); },
       Frame2, 2000, 100, 1500, 100, 150, 1995, 8, {{3500, 3800}, {3600, 3400}}},
      {"cmbRecr", "lblRecr", 3, Captions(kRecreationRows),
       [](A& a) { return std::span<std::int16_t>(a.RecreationDistance); }, Frame3, 2000, 100, 1785, 300, 150, 1215,
       8, {{4650, 4250}}},
      {"cmbEnter", "lblEnter", 4, Captions(kEntertainmentRows),
       [](A& a) { return std::span<std::int16_t>(a.EntertainmentDistance); }, Frame8, 2070, 100, 1785, 100, 150,
       2175, 5, {{4500, 4500}}},
      {"cmbRest", "lblRest", 5, Captions(kEateryLodgingRows),
       [](A& a) { return std::span<std::int16_t>(a.EateryLodgingDistance); }, Frame9, 2250, 400, 1785, 420, 450,
       1665, 7, {{4200, 4200}}},
      {"cmbGene", "lblGene", 6, Captions(kGeneralServiceRows),
       [](A& a) { return std::span<std::int16_t>(a.GeneralServiceDistance); }, Frame4, 2340, 100, 1785, 330, 150,
       1815, 8, {{4500, 4200}}},
      {"cmbProv", "lblProv", 7, Captions(kProvisioningRows),
       [](A& a) { return std::span<std::int16_t>(a.ProvisioningDistance); }, Frame5, 1620, 100, 1785, 300, 150,
       2145, 6, {{3550, 3550}, {3550, 3550}}},
      {"cmbTrans", "lblTrans", 8, Captions(kTransportationRows),
       [](A& a) { return std::span<std::int16_t>(a.TransportationDistance); }, Frame6, 1800, 100, 1785, 240, 150,
       1275, 5, {{4750, 5000}}},
      {"cmbMedi", "lblMedi", 9, Captions(kMedicalRows), [](A& a) { return std::span<std::int16_t>(a.MedicalDistance); },
       Frame7, 4900, 800, 1785, 2940, 800, 1155, 4, {{4000, 4250}}},
  };
  for (const Proximity& p : proximity) {
    g = RowGroup{};
    g.name = p.name; g.labelName = p.labelName; g.tab = p.tab; g.captions = p.captions; g.values = p.values;
    g.container = p.container;
    g.left = p.left; g.top = p.top; g.width = p.width;
    g.labelLeft = p.labelLeft; g.labelTop = p.labelTop; g.labelWidth = p.labelWidth; g.labelHeight = 225;
    g.perColumn = p.perColumn; g.shifts = p.shifts;
    if (p.tab == 7) g.firstDisabledRow = kFirstDisabledProvisioningRow;
    group(g);
  }

  // Element 0 of every group is part of the window's design.
  for (RowGroup* grp : groups_) {
    if (grp->check) {
      grp->checks.push_back(MakeCheck(grp->container, grp->name.toLatin1().constData(), grp->captions.at(0)));
    } else {
      ComboBox* combo = MakeCombo(grp->container, grp->name.toLatin1().constData());
      combo->AddItems(kProximityItemsFirstRow);
      grp->combos.push_back(combo);
      grp->labels.push_back(MakeLabel(grp->container, grp->labelName.toLatin1().constData(), grp->captions.at(0)));
    }
  }
}

// ---------------------------------------------------------------------------
// Load, activation, Clear All, number checks

void frmCriteria::Form_Load() {
  auto step = [](const std::function<void()>& work) {
    try {
      work();
    } catch (const std::exception& e) {
      ErrorHandler(kModule, QStringLiteral("Form_Load"), RuntimeError::From(e));
    }
  };
  step([this] { SSTab1->SetTab(0); });
  step([this] { CritLoad(); });
  clearOnFirstFocus_ = true;
  step([this] {
    for (const GeneralCombo& box : GeneralCombos()) GeneralBox(box.name)->AddItems(Captions(box.entries));
  });
  step([this] {
    LoadTabControls(0);
    AssignValuesToControl(0);
  });
  step([this] { SSTab1->SetTab(0); });
  SortOrder() = ListOrder::Geographic;
  step([this] {
    cboCity->SetListIndex(0);
    cboHarbor->SetListIndex(0);
  });
  step([this] { cmdClear_Click(); });
}

bool frmCriteria::eventFilter(QObject* watched, QEvent* e) {
  if (watched == lbGeoCodes && e->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete) {
    cmdRemoveGeoCode_Click();
    return true;
  }
  return QWidget::eventFilter(watched, e);
}

void frmCriteria::Form_Activate() { ActivateScreen(ScreenKind::Search); }

void frmCriteria::closeEvent(QCloseEvent* e) {
  // Closed by the user, the screen is unloaded; the toolbar then offers Back
  // to Search, which brings it back, instead of Find and Show for a screen
  // that is gone.
  e->accept();
  if (Loaded() != this) return;
  Unload();
  ChangeToolBox(ToolBoxForSearchClosed);
}

void frmCriteria::cmdClear_Click() {
  lblCount->setText(kFoundCaption);
  tbMarinaName->setText(QString());
  lbGeoCodes->clear();
  cboHarbor->SetListIndex(0);
  cboCity->SetListIndex(0);
  for (QWidget* w : std::initializer_list<QWidget*>{cboCity, lblCity, cboHarbor, lblHarbor}) w->setEnabled(false);
  txtbicwmin->setText(QString());
  txtbicwmax->setText(QString());
  for (const GeneralCombo& box : GeneralCombos()) GeneralBox(box.name)->SetListIndex(0);
  chkPumpOut->SetValue(0);
  chkSunset->SetValue(0);
  chkMegaYachtFacilities->SetValue(0);
  ebMinLOA->setText(QString());
  ClearAmenityCriteria();
  AssignValuesToControl(SSTab1->Tab());
}

void frmCriteria::tbMarinaName_GotFocus() {
  // The load has just cleared every criterion; clearing again here would
  // only erase what the user has set or opened since.
  clearOnFirstFocus_ = false;
}

bool frmCriteria::NumberCheck(TextBox* box) {
  const QString text = box->text();
  if (text.trimmed().isEmpty() || IsPlainNumber(text)) return true;
  MsgBox(QStringLiteral("Please enter Numbers only"), MsgButtons::OK, MsgIcon::Information, kCaption);
  return false;
}

// ---------------------------------------------------------------------------
// Location criteria

bool frmCriteria::IsRegionSelected() const { return lbGeoCodes->count() > 0; }

std::optional<std::int16_t> frmCriteria::GetGeoCode(const QString& name) const { return qw::GetGeoCode(name); }

std::optional<QString> frmCriteria::GeoCodeList(const QString& procName) {
  QList<std::int16_t> codes;
  for (int i = 0; i < lbGeoCodes->count(); ++i) {
    const std::optional<std::int16_t> code = GetGeoCode(lbGeoCodes->item(i)->text());
    if (!code) {
      ErrorHandler(kModule, procName, NoCurrentRecord());
      return std::nullopt;
    }
    codes.append(*code);
  }
  return GeoCodeListText(codes);
}

void frmCriteria::UpdateCityComboBox() {
  const QString proc = QStringLiteral("cboRegion_Click");
  const WaitCursor wait;
  cboCity->Clear();
  cboCity->AddItem(QString());
  lblCity->setEnabled(false);
  cboCity->setEnabled(false);
  cboCity->SetListIndex(0);  // a change: the harbour list follows
  cboHarbor->SetListIndex(0);
  lblHarbor->setEnabled(false);
  cboHarbor->setEnabled(false);
  const std::optional<QString> list = GeoCodeList(proc);
  if (!list || list->isEmpty()) return;
  OpenMyDatabase(Settings().DatabaseFileName);
  DatabasePtr db = MyDatabase();
  if (!db || !db->IsOpen()) return;
  try {
    const QStringList cities = ReadTrimmedColumn(*db, CityListQuery(*list), QStringLiteral("City"));
    if (!cities.isEmpty()) {
      cboCity->AddItems(cities);
      for (QWidget* w : std::initializer_list<QWidget*>{lblCity, cboCity, lblHarbor, cboHarbor}) w->setEnabled(true);
      cboCity->SetListIndex(0);
      cboHarbor->SetListIndex(0);
    }
  } catch (const std::exception& e) {
    ErrorHandler(kModule, proc, RuntimeError::From(e));
  }
  db->Close();
}

void frmCriteria::UpdateHarborCombo() {
  {
    const WaitCursor wait;
    cboHarbor->Clear();
    cboHarbor->AddItem(QString());
    const std::optional<QString> list = GeoCodeList(QString());
    if (list && !list->isEmpty()) {
      OpenMyDatabase(Settings().DatabaseFileName);
      DatabasePtr db = MyDatabase();
      if (db && db->IsOpen()) {
        try {
          const std::optional<QString> city =
              cboCity->ListIndex() > 0 ? std::optional<QString>(cboCity->Text()) : std::nullopt;
          cboHarbor->AddItems(
              ReadTrimmedColumn(*db, HarborListQuery(*list, city), QStringLiteral("Harbor")));
          db->Close();
          cboHarbor->setEnabled(true);
          lblHarbor->setEnabled(true);
        } catch (const std::exception& e) {
          ErrorHandler(kModule, QString(), RuntimeError::From(e));
          db->Close();
        }
      }
    }
  }
  cboHarbor->SetListIndex(0);
}

void frmCriteria::cboCity_Click() { UpdateHarborCombo(); }

void frmCriteria::cmdAddGeoCode_Click() {
  frmGeoCodes::Instance()->exec();
  frmGeoCodes::Unload();
  UpdateCityComboBox();
  UpdateHarborCombo();
}

void frmCriteria::cmdRemoveGeoCode_Click() {
  const int row = lbGeoCodes->currentRow();
  if (row < 0 || !lbGeoCodes->item(row)->isSelected()) {
    MsgBox(QStringLiteral("Select the Region to remove"), MsgButtons::OK);
    return;
  }
  delete lbGeoCodes->takeItem(row);
  lbGeoCodes->setCurrentRow(-1);
  lbGeoCodes->clearSelection();
  UpdateCityComboBox();
  UpdateHarborCombo();
}

// ---------------------------------------------------------------------------
// Amenity tabs

const frmCriteria::RowGroup* frmCriteria::Group(const QString& arrayName) const {
  for (const RowGroup* g : groups_) {
    if (g->name == arrayName || (!g->labelName.isEmpty() && g->labelName == arrayName)) return g;
  }
  return nullptr;
}

std::vector<ComboBox*> frmCriteria::RowCombos(const QString& arrayName) const {
  const RowGroup* g = Group(arrayName);
  return g ? g->combos : std::vector<ComboBox*>{};
}

std::vector<QLabel*> frmCriteria::RowLabels(const QString& arrayName) const {
  const RowGroup* g = Group(arrayName);
  return g ? g->labels : std::vector<QLabel*>{};
}

std::vector<CheckBox*> frmCriteria::RowChecks(const QString& arrayName) const {
  const RowGroup* g = Group(arrayName);
  return g ? g->checks : std::vector<CheckBox*>{};
}

void frmCriteria::SSTab1_Click(int previousTab) {
  AssignValuesFromControl(previousTab);
  UnloadTabControls(previousTab);
  LoadTabControls(SSTab1->Tab());
  AssignValuesToControl(SSTab1->Tab());
}

void frmCriteria::AssignValuesFromControl(int tab) {
  AmenityCriteria& arrays = ProgramAmenityCriteria();
  for (RowGroup* g : groups_) {
    if (g->tab != tab) continue;
    std::span<std::int16_t> values = g->values(arrays);
    for (int i = 0; i < g->Built() && i < static_cast<int>(values.size()); ++i) {
      values[i] = static_cast<std::int16_t>(g->check ? g->checks[i]->Value() : g->combos[i]->ListIndex());
    }
  }
}

void frmCriteria::AssignValuesToControl(int tab) {
  AmenityCriteria& arrays = ProgramAmenityCriteria();
  for (RowGroup* g : groups_) {
    if (g->tab != tab) continue;
    std::span<std::int16_t> values = g->values(arrays);
    for (int i = 0; i < g->Built() && i < static_cast<int>(values.size()); ++i) {
      if (g->check) g->checks[i]->SetValue(values[i]);
      // A code the box does not offer (from an edited file) is no criterion:
      // show the empty entry rather than the box's previous choice.
      else if (!g->combos[i]->SetListIndex(values[i])) g->combos[i]->SetListIndex(0);
    }
    if (g->firstDisabledRow >= 0) {
      for (int i = g->firstDisabledRow; i < static_cast<int>(g->combos.size()); ++i) g->combos[i]->setEnabled(false);
    }
  }
}

void frmCriteria::LoadTabControls(int tab) {
  // The tab shows its rows only once they are complete. Building a tab never
  // resets its single controls: "Accessible by Rail" and "Accessible by Air"
  // keep a tick the user (or a criteria file) set until Clear All.
  SSTab1->setUpdatesEnabled(false);
  for (RowGroup* g : groups_) {
    if (g->tab != tab) continue;
    for (int i = 0; i < g->Rows(); ++i) {
      const RowGroup::Place p = g->PlaceOf(i);
      const bool disabled = g->firstDisabledRow >= 0 && i >= g->firstDisabledRow;
      if (g->check) {
        if (i >= g->Built()) {
          CheckBox* check = MakeCheck(g->container, g->name.toLatin1().constData(), g->captions.at(i));
          if (tab == 1) check->SetValue(0);
          g->checks.push_back(check);
        }
        PlaceCheck(g->checks[i], p.left, p.top, p.width, g->height);
        g->checks[i]->show();
        continue;
      }
      if (i >= g->Built()) {
        ComboBox* combo = MakeCombo(g->container, g->name.toLatin1().constData());
        combo->AddItems(kProximityItems);
        if (tab >= 2) combo->SetListIndex(0);
        g->combos.push_back(combo);
        g->labels.push_back(MakeLabel(g->container, g->labelName.toLatin1().constData(), g->captions.at(i)));
      }
      PlaceTwips(g->combos[i], p.left, p.top, p.width, kComboHeight);
      // A box whose design place reaches past its frame's edge ends inside it.
      const int spill = g->combos[i]->geometry().right() - (g->container->width() - 4);
      if (spill > 0) g->combos[i]->resize(g->combos[i]->width() - spill, g->combos[i]->height());
      if (g->labelWidth > 0) PlaceLabel(g->labels[i], p.labelLeft, p.labelTop, g->labelWidth, g->labelHeight);
      else PlaceLabel(g->labels[i], p.labelLeft, p.labelTop, 0, g->labelHeight);
      // A caption that would run under its box is set a little narrower.
      QLabel* label = g->labels[i];
      if (label->x() + label->sizeHint().width() > g->combos[i]->x() - 3) {
        QFont narrow = label->font();
        narrow.setStretch(QFont::Condensed);
        label->setFont(narrow);
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
      }
      g->labels[i]->setEnabled(!disabled);
      g->combos[i]->setEnabled(!disabled);
      g->labels[i]->show();
      g->combos[i]->show();
      g->combos[i]->raise();  // a long caption runs under its box, never over it
    }
  }
  SSTab1->setUpdatesEnabled(true);
}

void frmCriteria::UnloadTabControls(int tab) {
  for (RowGroup* g : groups_) {
    if (g->tab != tab) continue;
    auto trim = [](auto& elements) {
      while (elements.size() > 1) {
        delete elements.back();
        elements.pop_back();
      }
    };
    trim(g->combos);
    trim(g->labels);
    trim(g->checks);
  }
}

void frmCriteria::ClearAmenityCriteria() {
  ProgramAmenityCriteria() = AmenityCriteria{};
  chkBoatStorage->SetValue(0);
  lstMail->clearSelection();
  chkAmtrak->SetValue(0);
  chkAirport->SetValue(0);
  chk911->SetValue(0);
  chkHospital->SetValue(0);
}

// ---------------------------------------------------------------------------
// The criteria as one value

ComboBox* frmCriteria::GeneralBox(const char* name) const {
  return MainFrame->findChild<ComboBox*>(QLatin1String(name));
}

SearchCriteria frmCriteria::Criteria() const {
  SearchCriteria c;
  c.tbMarinaName = tbMarinaName->text();
  for (int i = 0; i < lbGeoCodes->count(); ++i) c.lbGeoCodes.append(lbGeoCodes->item(i)->text());
  auto choice = [](const ComboBox* box) {
    ComboChoice ch;
    ch.Items.clear();
    for (int i = 0; i < box->ListCount(); ++i) ch.Items.append(box->List(i));
    ch.ListIndex = box->ListIndex();
    return ch;
  };
  c.cboCity = choice(cboCity);
  c.cboHarbor = choice(cboHarbor);
  c.txtbicwmin = txtbicwmin->text();
  c.txtbicwmax = txtbicwmax->text();
  for (const GeneralCombo& box : GeneralCombos()) c.*box.index = GeneralBox(box.name)->ListIndex();
  c.ebMinLOA = ebMinLOA->text();
  c.chkPumpOut = chkPumpOut->Value();
  c.chkSunset = chkSunset->Value();
  c.chkMegaYachtFacilities = chkMegaYachtFacilities->Value();
  c.chkBoatStorage = chkBoatStorage->Value();
  for (int i = 0; i < lstMail->count() && i < static_cast<int>(c.lstMail.size()); ++i) {
    c.lstMail[i] = lstMail->item(i)->isSelected();
  }
  c.chkAmtrak = chkAmtrak->Value();
  c.chkAirport = chkAirport->Value();
  c.chk911 = chk911->Value();
  c.chkHospital = chkHospital->Value();
  c.Amenity = ProgramAmenityCriteria();
  return c;
}

QString frmCriteria::BuildWhereClause() const {
  return qw::BuildWhereClause(Criteria(), [this](const QString& name) { return GetGeoCode(name); });
}

QString frmCriteria::ControlText(const QString& controlName) const {
  if (controlName == QLatin1String("ebMinLOA")) return ebMinLOA->text();
  return GeneralComboText(Criteria(), controlName);
}

void frmCriteria::ApplyCriteria(const SearchCriteria& c) {
  tbMarinaName->setText(c.tbMarinaName);
  // City and harbour are positions in the lists of the loaded sub-regions;
  // without sub-regions those lists hold nothing to choose.
  if (!c.lbGeoCodes.isEmpty()) {
    lbGeoCodes->addItems(c.lbGeoCodes);
    UpdateCityComboBox();
    UpdateHarborCombo();
    const int city = cboCity->ListIndex();
    cboCity->SetListIndex(c.cboCity.ListIndex);
    if (cboCity->ListIndex() == city) UpdateHarborCombo();  // a change has refreshed it already
    cboHarbor->SetListIndex(c.cboHarbor.ListIndex);
  }
  txtbicwmin->setText(c.txtbicwmin);
  txtbicwmax->setText(c.txtbicwmax);
  ebMinLOA->setText(c.ebMinLOA);
  for (const GeneralCombo& box : GeneralCombos()) GeneralBox(box.name)->SetListIndex(c.*box.index);
  chkPumpOut->SetValue(c.chkPumpOut);
  chkSunset->SetValue(c.chkSunset);
  chkMegaYachtFacilities->SetValue(c.chkMegaYachtFacilities);
  chkBoatStorage->SetValue(c.chkBoatStorage);
  for (int i = 0; i < lstMail->count() && i < static_cast<int>(c.lstMail.size()); ++i) {
    lstMail->item(i)->setSelected(c.lstMail[i]);
  }
  chkAmtrak->SetValue(c.chkAmtrak);
  chkAirport->SetValue(c.chkAirport);
  chk911->SetValue(c.chk911);
  chkHospital->SetValue(c.chkHospital);
  ProgramAmenityCriteria() = c.Amenity;
}

// ---------------------------------------------------------------------------
// Find and Show

void frmCriteria::cmdFind_Click() {
  // The notes of a viewer it closes and the count wait for another program's
  // lock once in all.
  const LockWaitBudget budget;
  CallScreen(AppScreens().unloadReportIfCleared);
  AssignValuesFromControl(SSTab1->Tab());
  const WaitCursor wait;
  lblCount->setText(QStringLiteral("Searching marinas..."));
  ShowWaitWindow();
  const QString where = BuildWhereClause();
  OpenMyDatabase(Settings().DatabaseFileName);
  const QString sql = BuildResultQuery(ResultQueryKind::Count, where, Settings(), SortOrder());
  DatabasePtr db = MyDatabase();
  std::optional<Result<qint32>> count;  // none when the open failed (and has been reported)
  if (db && db->IsOpen()) {
    count = CountMarinas(*db, sql);
    db->Close();
  }
  UnloadWaitWindow();
  if (count && count->ok()) {
    lblCount->setText(MarinasFoundCaption(count->value()));
    return;
  }
  // No count: the label must not claim that nothing matched.
  lblCount->setText(kFoundCaption);
  if (count) {
    RuntimeError err = count->error();
    err.source = kModule;
    ErrorHandler(kModule, QStringLiteral("cmdFind_Click"), err);
  }
}

void frmCriteria::cmdShow_Click() {
  ShowWaitWindow();
  AssignValuesFromControl(SSTab1->Tab());
  CallScreen(AppScreens().updateList);
  UnloadWaitWindow();
  CallScreen(AppScreens().showList);
  FrameOf(this)->hide();
}

// ---------------------------------------------------------------------------
// Criteria files

void frmCriteria::LoadSettings(const QString& fileName, bool silent) {
  cmdClear_Click();
  const std::optional<SearchCriteria> loaded = LoadSettingsFile(fileName);
  if (!loaded) {
    if (!silent) {
      MsgBox(QStringLiteral("Search settings could not be read from ") + fileName, MsgButtons::OK,
             MsgIcon::Exclamation);
    }
    return;
  }
  ApplyCriteria(*loaded);
  lblCount->setText(kFoundCaption);
  AssignValuesToControl(SSTab1->Tab());
}

bool frmCriteria::SaveSettings(const QString& fileName) {
  AssignValuesFromControl(SSTab1->Tab());
  if (SaveSettingsFile(fileName, Criteria())) return true;
  MsgBox(QStringLiteral("Search settings could not be saved to ") + fileName, MsgButtons::OK, MsgIcon::Exclamation);
  return false;
}

void frmCriteria::CritLoad() {
  const QString fileName = LastCriteriaFile(ProgramFolder());
  if (QFileInfo(fileName).isFile()) LoadSettings(fileName, true);
}

}  // namespace qw
