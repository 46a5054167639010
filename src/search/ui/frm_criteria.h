#pragma once
// frmCriteria, the search screen: the marina name, the location criteria, the
// general criteria and ten amenity tabs, the count of the last Find, and the
// buttons Find, Show and Clear All. The controls are the criteria; Criteria()
// reads them (with the amenity arrays) into one SearchCriteria value.
#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "host/ui/window_host.h"
#include "search/criteria.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace qw {

class CheckBox;
class ComboBox;
class TabControl;
class TextBox;

class frmCriteria : public QWidget, public OneInstance<frmCriteria> {
  Q_OBJECT

 public:
  static constexpr bool kMdiChild = true;
  explicit frmCriteria(QWidget* parent = nullptr);
  ~frmCriteria() override;

  // The window's load step (run once, by Instance()).
  void Form_Load();
  // Activation: the search screen becomes the current screen.
  void Form_Activate();

  // Location criteria.
  bool IsRegionSelected() const;
  bool RegionSelectedCount() const { return IsRegionSelected(); }
  void UpdateHarborCombo();
  // The [Geo Code] of a sub-region name; nullopt when it does not resolve.
  std::optional<std::int16_t> GetGeoCode(const QString& name) const;
  void UpdateCityComboBox();

  void cmdClear_Click();
  void cmdFind_Click();
  void cmdShow_Click();

  // Amenity tabs: the arrays of one tab into its rows (refill) and back
  // (store); the tab switch; building and destroying a tab's rows.
  void AssignValuesToControl(int tab);
  void AssignValuesFromControl(int tab);
  void SSTab1_Click(int previousTab);
  void LoadTabControls(int tab);
  void UnloadTabControls(int tab);
  void ClearAmenityCriteria();

  // Criteria files. LoadSettings tells the user when the file cannot be read
  // (CritLoad passes silent). SaveSettings returns false after telling the
  // user when the file could not be written.
  void LoadSettings(const QString& fileName, bool silent = false);
  bool SaveSettings(const QString& fileName);
  void CritLoad();

  // Everything set on the screen, as it stands (the shown tab's rows are
  // read as last stored: store them first with AssignValuesFromControl).
  SearchCriteria Criteria() const;
  // " where ..." or "" for the criteria now set.
  QString BuildWhereClause() const;
  // The text of a general combo box (by control name) or of ebMinLOA.
  QString ControlText(const QString& controlName) const;

  // Whether the next first focus of the marina-name box is still to come.
  bool ClearOnFirstFocus() const { return clearOnFirstFocus_; }

  // Controls.
  QGroupBox* MainFrame = nullptr;
  QLabel* Label3 = nullptr;
  TextBox* tbMarinaName = nullptr;
  QGroupBox* fraLocation = nullptr;
  QListWidget* lbGeoCodes = nullptr;
  QPushButton* cmdAddGeoCode = nullptr;
  QPushButton* cmdRemoveGeoCode = nullptr;
  QLabel* lblCity = nullptr;
  ComboBox* cboCity = nullptr;
  QLabel* lblHarbor = nullptr;
  ComboBox* cboHarbor = nullptr;
  QLabel* Label4 = nullptr;
  TextBox* txtbicwmin = nullptr;
  QLabel* Label6 = nullptr;
  TextBox* txtbicwmax = nullptr;
  QGroupBox* Frame1 = nullptr;
  QLabel* lblBellRating = nullptr;
  ComboBox* cboBellRating = nullptr;
  QLabel* Label9 = nullptr;
  ComboBox* cmbTotalSlips = nullptr;
  QLabel* lblMorrings = nullptr;
  ComboBox* cboMoorings = nullptr;
  QLabel* lblDepth = nullptr;
  QLabel* Label1 = nullptr;
  ComboBox* cboDepth = nullptr;
  QLabel* Label7 = nullptr;
  TextBox* ebMinLOA = nullptr;
  QLabel* lblDockage = nullptr;
  QLabel* Label2 = nullptr;
  ComboBox* cboDockage = nullptr;
  QLabel* lblFuel = nullptr;
  ComboBox* cboFuel = nullptr;
  QLabel* lblElectricity = nullptr;
  ComboBox* cboElectricity = nullptr;
  QLabel* Label5 = nullptr;
  ComboBox* cboBoatRating = nullptr;
  CheckBox* chkSunset = nullptr;
  CheckBox* chkPumpOut = nullptr;
  CheckBox* chkMegaYachtFacilities = nullptr;
  TabControl* SSTab1 = nullptr;
  QLabel* lblCount = nullptr;
  QPushButton* cmdFind = nullptr;
  QPushButton* cmdShow = nullptr;
  QPushButton* cmdClear = nullptr;
  // Containers and single controls of the tabs.
  QGroupBox* fraFacilities = nullptr;
  QGroupBox* fraCreditCards = nullptr;
  QGroupBox* fraServices = nullptr;
  QGroupBox* fraMailCarriers = nullptr;
  QGroupBox* Frame2 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QGroupBox* Frame8 = nullptr;
  QGroupBox* Frame9 = nullptr;
  QGroupBox* Frame4 = nullptr;
  QGroupBox* Frame5 = nullptr;
  QGroupBox* Frame6 = nullptr;
  QGroupBox* Frame7 = nullptr;
  CheckBox* chkBoatStorage = nullptr;
  QListWidget* lstMail = nullptr;
  CheckBox* chkAmtrak = nullptr;
  CheckBox* chkAirport = nullptr;
  CheckBox* chk911 = nullptr;
  CheckBox* chkHospital = nullptr;

  // The rows of one group of a tab as they exist now (element 0 always; the
  // others while the group's tab is selected). Names as the control arrays:
  // "cmbMFac", "chkMFac", "chkCredit", "chkDockAsst", "cmbBoat", "cmbRecr",
  // "cmbEnter", "cmbRest", "cmbGene", "cmbProv", "cmbTrans", "cmbMedi", and
  // the labels "lblMFac", "lblBoat", ...
  std::vector<ComboBox*> RowCombos(const QString& arrayName) const;
  std::vector<QLabel*> RowLabels(const QString& arrayName) const;
  std::vector<CheckBox*> RowChecks(const QString& arrayName) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  struct RowGroup;
  void BuildLayout();
  void BuildLocationFrame();
  void BuildGeneralFrame();
  void BuildTabs();
  void tbMarinaName_GotFocus();
  bool NumberCheck(TextBox* box);
  void cmdAddGeoCode_Click();
  void cmdRemoveGeoCode_Click();
  void cboCity_Click();
  // The codes of the names in lbGeoCodes, in list order; nullopt (after
  // reporting it) when a name no longer resolves.
  std::optional<QString> GeoCodeList(const QString& procName);
  void ApplyCriteria(const SearchCriteria& c);
  ComboBox* GeneralBox(const char* name) const;
  const RowGroup* Group(const QString& arrayName) const;

  std::vector<RowGroup*> groups_;
  bool clearOnFirstFocus_ = false;
};

}  // namespace qw
