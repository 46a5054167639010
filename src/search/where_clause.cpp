#include "search/where_clause.h"

#include <QStringList>
#include <span>

#include "search/location_queries.h"

namespace qw {

namespace {

const QString kOnSite = QStringLiteral("[On-Site]");
const QString kOnCall = QStringLiteral("[On-Call]");
const QString kNearBy = QStringLiteral("NearBy");
const QString kWithinOneMile = QStringLiteral("[W/in 1 Mile]");
const QString kOneToThreeMiles = QStringLiteral("[1-3 Miles]");
const QString kApproxDistance = QStringLiteral("[Approx Distance]");
const QString kComments = QStringLiteral("Comments");

// The distance columns summed for a class: the class and every nearer one.
// "[1-3 Miles]" and "[Approx Distance]" share the five-column sum.
QString SumList(const QString& t, const QString& c) {
  static const QString columns[] = {kOnSite, kOnCall, kNearBy, kWithinOneMile, kOneToThreeMiles};
  int count = 0;
  if (c == kOnSite) count = 1;
  else if (c == kOnCall) count = 2;
  else if (c == kNearBy) count = 3;
  else if (c == kWithinOneMile) count = 4;
  else if (c == kOneToThreeMiles || c == kApproxDistance) count = 5;
  QStringList terms;
  for (int i = 0; i < count; ++i) terms << t + QLatin1Char('.') + columns[i];
  return terms.join(QStringLiteral(" + "));
}

QString Correlation(const QString& t) {
  return QStringLiteral(" FROM ") + t + QStringLiteral(" WHERE (rpm_Contact_Information.MarinaNo = ") + t +
         QStringLiteral(".MarinaNo) AND (");
}

QString SumForm(const QString& t, const QString& k, const QString& i, const QString& s) {
  return QStringLiteral("((SELECT SUM(") + s + QLatin1Char(')') + Correlation(t) + t + k + i +
         QStringLiteral("')) > 0)");
}

QString CountForm(const QString& t, const QString& k, const QString& i, const QString& x) {
  return QStringLiteral("((SELECT COUNT(") + t + QLatin1Char('.') + x + QLatin1Char(')') + Correlation(t) + t + k +
         i + QStringLiteral("') AND (Trim(") + t + QLatin1Char('.') + x + QStringLiteral(") <> '')) > 0)");
}

QString Condition(const QString& t, const QString& k, const QString& i, const QString& c, bool hasRemarkForm) {
  const QString s = SumList(t, c);
  if (c == kApproxDistance) {
    return QStringLiteral("((") + CountForm(t, k, i, kApproxDistance) + QStringLiteral(") OR (") +
           SumForm(t, k, i, s) + QStringLiteral("))");
  }
  if (c == kComments && hasRemarkForm) return CountForm(t, k, i, kComments);
  return SumForm(t, k, i, s);
}

using AmenityBuilder = QString (*)(const QString&, const QString&, const QString&);

// The term of one row in class column c: a single type's condition, or the
// group of its types' conditions.
QString RowTerm(AmenityBuilder build, const QString& table, const DistanceRow& row, const QString& c) {
  QString term = build(table, row.types.first(), c);
  if (row.types.size() == 1) return term;
  for (qsizetype n = 1; n < row.types.size(); ++n)
    term = QLatin1Char(' ') + term + QLatin1String(row.separator) + build(table, row.types.at(n), c);
  return QLatin1Char('(') + term + QLatin1Char(')');
}

bool IsDistanceCriterion(std::int16_t code) { return code >= 1 && code <= 6; }

// Accumulates the clause: terms joined by " AND ", the eatery-and-lodging
// group joined by " OR " and closed lazily by the next later-tab term.
class ClauseBuilder {
 public:
  void Add(const QString& term) { clause_ += term + QStringLiteral(" AND "); }

  void AddToEateryGroup(const QString& term) {
    if (!groupOpen_) clause_ += QLatin1Char('(');
    lastTab_ = 5;
    clause_ += term + QStringLiteral(" OR ");
    groupOpen_ = true;
  }

  void CloseEateryGroup() {
    if (lastTab_ == 5 && groupOpen_) {
      lastTab_ = 0;
      clause_.chop(4);
      clause_ += QStringLiteral(") AND ");
      groupOpen_ = false;
    }
  }

  QString Result() const {
    if (clause_.isEmpty()) return QString();
    QString text = clause_;
    text.chop(4);
    if (groupOpen_) return QStringLiteral(" where ") + text + QLatin1Char(')');
    return QStringLiteral(" where ") + text;
  }

 private:
  QString clause_;
  int lastTab_ = 0;
  bool groupOpen_ = false;
};

// A credit-card or courier group: " (" then each condition and " OR ", the
// last " OR" cut back to its blank, then ")  ".
class OrGroup {
 public:
  void Add(const QString& condition) {
    text_ += condition + QStringLiteral(" OR ");
    any_ = true;
  }
  void AppendTo(ClauseBuilder& clause) const {
    if (!any_) return;
    QString text = text_;
    text.chop(3);
    clause.Add(text + QStringLiteral(")  "));
  }

 private:
  QString text_ = QStringLiteral(" (");
  bool any_ = false;
};

// The proximity rows of one tab: each chosen element becomes its row's term.
template <std::size_t N>
void AddDistanceRows(ClauseBuilder& clause, const std::array<std::int16_t, N>& codes, std::span<const DistanceRow> rows,
                     AmenityBuilder build, const QString& table, bool closesEateryGroup) {
  for (std::size_t i = 0; i < rows.size() && i < N; ++i) {
    if (!IsDistanceCriterion(codes[i])) continue;
    if (closesEateryGroup) clause.CloseEateryGroup();
    clause.Add(RowTerm(build, table, rows[i], DistanceColumn(codes[i])));
  }
}

// The check boxes that ask for a type in any class or with a remark.
void AddAllClassesGroup(ClauseBuilder& clause, int value, const QString& table, const QString& type) {
  if (value != 1) return;
  clause.CloseEateryGroup();
  QStringList conditions;
  for (const QString& c : {kOnSite, kOnCall, kNearBy, kWithinOneMile, kOneToThreeMiles, kApproxDistance, kComments})
    conditions << AmenityCondition(table, type, c);
  clause.Add(QLatin1Char('(') + conditions.join(QStringLiteral(" OR ")) + QLatin1Char(')'));
}

// A general combo's term by its chosen position; "" for none.
QString EntryTerm(std::span<const ComboEntry> entries, int index) {
  if (index < 1 || index >= static_cast<int>(entries.size())) return QString();
  return QString::fromUtf8(entries[static_cast<std::size_t>(index)].term);
}

void AddGeneralCriteria(ClauseBuilder& clause, const SearchCriteria& c, const GeoCodeLookup& geoCode) {
  auto addIf = [&](const QString& term) {
    if (!term.isEmpty()) clause.Add(term);
  };

  if (!c.tbMarinaName.trimmed().isEmpty())
    clause.Add(QStringLiteral("rpm_marinaname_no.[Marina Name] LIKE '*") + QuoteDoubled(c.tbMarinaName) +
               QStringLiteral("*'"));

  if (!c.lbGeoCodes.isEmpty()) {
    // Names that no longer resolve are left out; when none resolves the term
    // matches nothing, so the search never widens to every sub-region.
    const QString codes = GetGeoCodeList(c.lbGeoCodes, geoCode);
    clause.Add(QStringLiteral(" rpm_Vyk.[Geo Code] in (") + (codes.isEmpty() ? QStringLiteral("NULL") : codes) +
               QLatin1Char(')'));
  }

  if (c.cboCity.ListIndex > 0 && c.cboCity.ListIndex < c.cboCity.Items.size())
    clause.Add(QStringLiteral("rpm_Contact_Information.City = '") + QuoteDoubled(c.cboCity.Text()) +
               QLatin1Char('\''));
  if (c.cboHarbor.ListIndex > 0 && c.cboHarbor.ListIndex < c.cboHarbor.Items.size())
    clause.Add(QStringLiteral("rpm_Nav_Info.Harbor = '") + QuoteDoubled(c.cboHarbor.Text()) + QLatin1Char('\''));

  const QString icwMin = c.txtbicwmin.trimmed();
  const QString icwMax = c.txtbicwmax.trimmed();
  const bool minSet = IsPlainNumber(icwMin);
  const bool maxSet = IsPlainNumber(icwMax);
  if (minSet && maxSet)
    clause.Add(QStringLiteral("((rpm_Nav_Info.[USCG Statute Mile] >= ") + icwMin +
               QStringLiteral(") AND (rpm_Nav_Info.[USCG Statute Mile] <= ") + icwMax + QStringLiteral("))"));
  else if (minSet)
    clause.Add(QStringLiteral("rpm_Nav_Info.[USCG Statute Mile] >= ") + icwMin);
  else if (maxSet)
    clause.Add(QStringLiteral("rpm_Nav_Info.[USCG Statute Mile] <= ") + icwMax);

  addIf(EntryTerm(kBellRatingEntries, c.cboBellRating));
  addIf(EntryTerm(kTotalSlipsEntries, c.cmbTotalSlips));
  addIf(EntryTerm(kFuelEntries, c.cboFuel));
  addIf(EntryTerm(kMooringsEntries, c.cboMoorings));
  addIf(EntryTerm(kDockageEntries, c.cboDockage));
  addIf(EntryTerm(kElectricityEntries, c.cboElectricity));
  addIf(EntryTerm(kBoatRatingEntries, c.cboBoatRating));

  if (c.chkPumpOut == 1)
    clause.Add(QStringLiteral(
        "((rpm_marina_operations.[On Site] = TRUE) OR (rpm_marina_operations.[On Call] = TRUE) OR "
        "(rpm_marina_operations.[Self Service] = TRUE) OR (rpm_marina_operations.[Full Service] = TRUE))"));
  if (c.chkMegaYachtFacilities == 1) clause.Add(QStringLiteral("rpm_marina_facilities.[Mega Yacht Facilities?] = TRUE"));
  if (c.chkSunset == 1) clause.Add(QStringLiteral("rpm_Vyk.[Sunset] = TRUE"));

  const QString minLoa = c.ebMinLOA.trimmed();
  if (IsPlainNumber(minLoa)) clause.Add(QStringLiteral("rpm_marina_facilities.[Maximum Length Overall] >= ") + minLoa);

  addIf(EntryTerm(kDepthEntries, c.cboDepth));
}

void AddAmenityCriteria(ClauseBuilder& clause, const SearchCriteria& c) {
  const AmenityCriteria& a = c.Amenity;

  // Tab 0: supplies, facilities, credit cards, boat storage.
  AddDistanceRows(clause, a.SupplyDistance, kSupplyRows, AmenityCondition, QStringLiteral("rpm_Boat_Supplies"),
                   false);
  for (std::size_t i = 0; i < a.FacilityChecks.size(); ++i)
    if (a.FacilityChecks[i] != 0) clause.Add(QString::fromUtf8(kFacilityRows[i].term));
  OrGroup cards;
  for (std::size_t i = 0; i < a.CreditCardChecks.size(); ++i)
    if (a.CreditCardChecks[i] != 0) cards.Add(QString::fromUtf8(kCreditCardRows[i].term));
  cards.AppendTo(clause);
  if (c.chkBoatStorage == 1)
    clause.Add(QStringLiteral("((Trim(rpm_Boat_and_Boatyard_Services_EI.[In Water]) <> '') OR "
                              "(Trim(rpm_Boat_and_Boatyard_Services_EI.[On Land]) <> ''))"));

  // Tab 1: services and couriers.
  for (std::size_t i = 0; i < a.ServiceChecks.size(); ++i)
    if (a.ServiceChecks[i] == 1) clause.Add(QString::fromUtf8(kServiceRows[i].term));
  OrGroup couriers;
  for (std::size_t i = 0; i < c.lstMail.size(); ++i)
    if (c.lstMail[i]) couriers.Add(QString::fromUtf8(kCourierEntries[i].term));
  couriers.AppendTo(clause);

  // Tabs 2 to 4.
  AddDistanceRows(clause, a.BoatyardDistance, kBoatyardRows, AmenityCondition,
                   QStringLiteral("rpm_Boat_and_Boatyard_Services"), false);
  AddDistanceRows(clause, a.RecreationDistance, kRecreationRows, AmenityCondition, QStringLiteral("rpm_Recreation"),
                   false);
  AddDistanceRows(clause, a.EntertainmentDistance, kEntertainmentRows, AmenityCondition,
                   QStringLiteral("rpm_Entertainment"), false);

  // Tab 5: any one chosen eatery or lodging kind is enough.
  for (std::size_t i = 0; i < a.EateryLodgingDistance.size(); ++i) {
    const std::int16_t code = a.EateryLodgingDistance[i];
    if (!IsDistanceCriterion(code)) continue;
    if (i >= std::size(kEateryLodgingRows)) break;
    const QString column = DistanceColumn(code);
    if (static_cast<int>(i) < kFirstLodgingRow)
      clause.AddToEateryGroup(
          RowTerm(RestaurantCondition, QStringLiteral("rpm_Restaurants"), kEateryLodgingRows[i], column));
    else
      clause.AddToEateryGroup(
          RowTerm(AccommodationCondition, QStringLiteral("rpm_Accommodations"), kEateryLodgingRows[i], column));
  }

  // Tabs 6 to 9: each term first closes an open eatery group.
  AddDistanceRows(clause, a.GeneralServiceDistance, kGeneralServiceRows, AmenityCondition,
                   QStringLiteral("rpm_General_Services"), true);
  AddDistanceRows(clause, a.ProvisioningDistance, kProvisioningRows, AmenityCondition,
                   QStringLiteral("rpm_Provisioning"), true);
  AddDistanceRows(clause, a.TransportationDistance, kTransportationRows, AmenityCondition,
                   QStringLiteral("rpm_Transportation"), true);
  AddAllClassesGroup(clause, c.chkAmtrak, QStringLiteral("rpm_Transportation"), QStringLiteral("Rail"));
  AddAllClassesGroup(clause, c.chkAirport, QStringLiteral("rpm_Transportation"), QStringLiteral("Nearest Airport"));
  AddDistanceRows(clause, a.MedicalDistance, kMedicalRows, AmenityCondition, QStringLiteral("rpm_Medical"), true);
  AddAllClassesGroup(clause, c.chk911, QStringLiteral("rpm_Medical"), QStringLiteral("911 Service"));
  AddAllClassesGroup(clause, c.chkHospital, QStringLiteral("rpm_Medical"), QStringLiteral("Hospital"));
}

}  // namespace

QString DistanceColumn(std::int16_t code) {
  switch (code) {
    case 0: return QStringLiteral("No preferences");
    case 1: return kOnSite;
    case 2: return kOnCall;
    case 3: return kNearBy;
    case 4: return kWithinOneMile;
    case 5: return kOneToThreeMiles;
    case 6: return kApproxDistance;
    default: return QString();
  }
}

QString AmenityCondition(const QString& amenityTable, const QString& itemType, const QString& columnName) {
  return Condition(amenityTable, QStringLiteral(".type = '"), itemType, columnName, true);
}

QString RestaurantCondition(const QString& amenityTable, const QString& itemType, const QString& columnName) {
  return Condition(amenityTable, QStringLiteral(".[Rest Type] = '"), itemType, columnName, false);
}

QString AccommodationCondition(const QString& amenityTable, const QString& itemType, const QString& columnName) {
  return Condition(amenityTable, QStringLiteral(".[Accommodation Type] = '"), itemType, columnName, false);
}

QString QuoteDoubled(const QString& text) {
  QString quoted = text;
  return quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString BuildWhereClause(const SearchCriteria& criteria, const GeoCodeLookup& geoCode) {
  ClauseBuilder clause;
  AddGeneralCriteria(clause, criteria, geoCode);
  AddAmenityCriteria(clause, criteria);
  return clause.Result();
}

}  // namespace qw
