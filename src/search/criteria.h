#pragma once
// Everything the user sets on the search screen, as one plain value: the
// window reads its controls into it, and the WHERE-clause builder, the
// criteria files and the result list work on it. Member names are those of
// the controls they mirror.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <span>

#include "search/criteria_lists.h"

namespace qw {

// The amenity criteria of the ten tabs. Element i belongs to row i of its
// group. Distance arrays hold proximity codes (1 "On Site" ... 6 "3+ miles";
// 0 and -1 mean no criterion); the three check arrays hold 1 ticked, 0 not.
// RecreationDistance[16] and GeneralServiceDistance[16] have no row and no
// search meaning; they are cleared, saved and loaded like the rest.
struct AmenityCriteria {
  std::array<std::int16_t, 5> SupplyDistance{};
  std::array<std::int16_t, 8> FacilityChecks{};
  std::array<std::int16_t, 4> CreditCardChecks{};
  std::array<std::int16_t, 10> ServiceChecks{};
  std::array<std::int16_t, 24> BoatyardDistance{};
  std::array<std::int16_t, 17> RecreationDistance{};
  std::array<std::int16_t, 9> EntertainmentDistance{};
  std::array<std::int16_t, 11> EateryLodgingDistance{};
  std::array<std::int16_t, 17> GeneralServiceDistance{};
  std::array<std::int16_t, 16> ProvisioningDistance{};
  std::array<std::int16_t, 9> TransportationDistance{};
  std::array<std::int16_t, 6> MedicalDistance{};

  bool operator==(const AmenityCriteria&) const = default;
};

// The program-wide arrays: they outlive the search window (its unload keeps
// them; its load ends with Clear All, which zeroes them).
AmenityCriteria& ProgramAmenityCriteria();

// A combo box whose entries come from the database (city, harbour): its
// entries and the position chosen (-1 none; 0 is the empty entry).
struct ComboChoice {
  QStringList Items;
  int ListIndex = 0;
  // The chosen entry's text; "" when nothing valid is chosen.
  QString Text() const;
  bool operator==(const ComboChoice&) const = default;
};

// Check box values: 0 unticked, 1 ticked, 2 greyed.
struct SearchCriteria {
  QString tbMarinaName;
  // Location.
  QStringList lbGeoCodes;  // sub-region names, in the order added
  ComboChoice cboCity{{QString()}, 0};
  ComboChoice cboHarbor{{QString()}, 0};
  QString txtbicwmin;
  QString txtbicwmax;
  // General criteria: the chosen position in each box (entries in
  // criteria_lists.h; 0 the empty entry, -1 nothing chosen).
  int cboBellRating = 0;
  int cboBoatRating = 0;
  int cmbTotalSlips = 0;
  int cboDepth = 0;
  int cboFuel = 0;
  int cboDockage = 0;
  int cboMoorings = 0;
  int cboElectricity = 0;
  QString ebMinLOA;
  int chkPumpOut = 0;
  int chkSunset = 0;
  int chkMegaYachtFacilities = 0;
  // The six single controls of the amenity tabs.
  int chkBoatStorage = 0;
  std::array<bool, std::size(kCourierEntries)> lstMail{};  // entries of kCourierEntries, marked or not
  int chkAmtrak = 0;
  int chkAirport = 0;
  int chk911 = 0;
  int chkHospital = 0;
  // The amenity arrays.
  AmenityCriteria Amenity;

  bool operator==(const SearchCriteria&) const = default;
};

// The eight general-criteria combo boxes, in the order Clear All empties
// them: control name, member, entries.
struct GeneralCombo {
  const char* name;
  int SearchCriteria::*index;
  std::span<const ComboEntry> entries;
};
std::span<const GeneralCombo> GeneralCombos();

// Text of the general combo box named by its control name ("cboFuel",
// "cmbTotalSlips", ...) for the chosen position; "" when unknown or empty.
QString GeneralComboText(const SearchCriteria& criteria, const QString& controlName);

// Check values of the criteria files: 999 for a ticked box (1) or a marked
// list entry (-1), 888 for anything else; and back, 1 for 999, else 0.
std::int16_t CheckVal(std::int16_t value);
std::int16_t TFValue(std::int16_t value);

// The number check of the numeric boxes (minimum length, statute miles):
// optional sign, digits with an optional decimal point, an optional exponent
// ("1e3", "-2.5E-1", ".5e+2"), blanks around. No digit grouping, hex,
// currency signs, units or blanks inside. Only such text is ever put into a
// query.
bool IsPlainNumber(const QString& text);

}  // namespace qw
