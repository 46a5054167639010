#include "search/where_clause.h"

#include <QStringList>
#include <span>

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

// One amenity item: the types it stands for, and the separator of a group.
struct Item {
  QStringList types;
  const char* separator = " OR ";
};

// The term of one item in class column c: a single type's condition, or the
// group of its types' conditions.
QString ItemTerm(AmenityBuilder build, const QString& table, const Item& item, const QString& c) {
  QString term = build(table, item.types.first(), c);
  if (item.types.size() == 1) return term;
  for (qsizetype n = 1; n < item.types.size(); ++n)
    term = QLatin1Char(' ') + term + QLatin1String(item.separator) + build(table, item.types.at(n), c);
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

// Distance items of one tab: each chosen element becomes its item's term.
template <std::size_t N>
void AddDistanceItems(ClauseBuilder& clause, const std::array<std::int16_t, N>& codes, std::span<const Item> items,
                      AmenityBuilder build, const QString& table, bool closesEateryGroup) {
  for (std::size_t i = 0; i < items.size() && i < N; ++i) {
    if (!IsDistanceCriterion(codes[i])) continue;
    if (closesEateryGroup) clause.CloseEateryGroup();
    clause.Add(ItemTerm(build, table, items[i], DistanceColumn(codes[i])));
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

const Item kSupplyItems[] = {
    {{"Ice Block?", "Ice Cube?", "Ice Shaved?"}},
    {{"Bait and Tackle", "Live Bait"}},
    {{"Ships'' Store", "Marine Discount Store", "Boat/US", "West Marine"}, " or "},
    {{"Propane"}},
    {{"CNG"}},
};

const char* const kFacilityTerms[] = {
    "rpm_marina_facilities.[Showers?] = TRUE",
    "rpm_marina_facilities.[Laundry?] = TRUE",
    "rpm_marina_facilities.[Toilets?] = TRUE",
    "rpm_marina_facilities.[Cable TV?] = TRUE",
    "rpm_marina_facilities.[Dock Side Phone?]  = TRUE",
    "rpm_marina_operations.[Pets Allowed?]  = TRUE",
    "rpm_marina_facilities.[Handicapped Access?]  = TRUE",
    "(rpm_marina_operations.[Boat US Cooperating Marina]"
    " OR (Trim(rpm_marina_operations.[Dockage Discount]) <> '')"
    " OR (Trim(rpm_marina_operations.[Fuel Disscount]) <> '')"
    " OR (Trim(rpm_marina_operations.[Repair Discount]) <> '')"
    " OR (Trim(rpm_marina_operations.[Other Discount Programs]) <> '')"
    " OR (Trim(rpm_marina_operations.[Other Discount]) <> ''))",
};

const char* const kCreditCardTerms[] = {
    "rpm_marina_operations.Amex=True",
    "rpm_marina_operations.Discover=True",
    "rpm_marina_operations.[master/visa]=True",
    "rpm_marina_operations.[diners club]=True",
};

const char* const kServiceTerms[] = {
    "rpm_marina_services.[Docking Assistance] =True",
    "rpm_marina_services.[Mail & Package Hold] =True",
    "rpm_marina_services.[Phone Messages] =True",
    "rpm_marina_services.[Fax--In And Out] =True",
    "rpm_marina_services.[Dock Carts] =True",
    "rpm_marina_services.[Concierge Services] =True",
    "rpm_marina_services.[Trash Pick-Up] =True",
    "rpm_marina_services.Security =True",
    "rpm_marina_services.[Data Ports(send/Receive email)] =True",
    "rpm_marina_facilities.[European Voltage?] =True",
};

const char* const kCourierTerms[] = {
    "rpm_marina_services.Fedex= True",
    "rpm_marina_services.[Express Mail]= True",
    "rpm_marina_services.UPS= True",
    "rpm_marina_services.AirBorne= True",
    "rpm_marina_services.[Saturday Delivery?]= True",
};

const Item kBoatyardItems[] = {
    {{"Travelift", "Forklift", "Railway", "Crane"}},
    {{"Launching Ramp"}}, {{"Bottom Cleaning"}}, {{"Engine Mechanic - Gas"}}, {{"Engine Mechanic - Diesel"}},
    {{"Brightwork"}}, {{"Rigger"}}, {{"Hull Repairs"}}, {{"Refrigeration"}}, {{"Air Conditioning"}},
    {{"Sail Loft"}}, {{"Canvas Work"}}, {{"Electrical Repairs"}}, {{"Electronics Repairs"}},
    {{"Electronic Sales"}}, {{"Divers"}}, {{"Compound, Wash & Wax"}}, {{"Propeller Repairs"}},
    {{"Inflatable Repairs"}}, {{"Upholstery"}}, {{"Metal Fabrication"}}, {{"Painting"}}, {{"Awlgrip"}},
    {{"Total Refits"}},
};

const Item kRecreationItems[] = {
    {{"Pool", "Heated Pool"}},
    {{"Beach"}}, {{"Grills"}}, {{"Picnic Area"}}, {{"Playground"}}, {{"Dive Shop"}}, {{"Volleyball"}},
    {{"Tennis Courts"}}, {{"Golf Course"}}, {{"Fitness Center"}}, {{"Jogging Paths"}}, {{"Boat Rentals"}},
    {{"Roller Blade/Bike Paths"}}, {{"Horseback Riding"}}, {{"Bowling"}},
    {{"Fishing Charter", "Head(Group) Fishing Boats"}},
};

const Item kEntertainmentItems[] = {
    {{"Movie Theater"}}, {{"Video Rental"}}, {{"Video Arcade"}}, {{"Museum"}}, {{"Park"}},
    {{"Cultural Attract"}}, {{"Sightseeing"}}, {{"Special Events"}}, {{"Gallery"}},
};

const Item kEateryItems[] = {
    {{"Restaurant"}}, {{"Shack", "Seafood Shack", "Crab House"}}, {{"Lite Fare"}}, {{"Coffee Shop"}},
    {{"Snack Bar"}}, {{"Pizzeria"}}, {{"Fast Food"}},
};

const Item kLodgingItems[] = {
    {{"Hotel"}}, {{"Motel"}}, {{"Inn/B&B"}}, {{"Condo/Cottage"}},
};

const Item kGeneralServiceItems[] = {
    {{"Bank/ATM"}}, {{"Post Office"}},
    {{"Catholic Church", "Protestant Church", "Synagogue", "Other"}},
    {{"Beauty Salon"}}, {{"Barber Shop"}}, {{"Dry Cleaners"}}, {{"Library"}}, {{"Laundry"}}, {{"Bookstore"}},
    {{"Pharmacy"}}, {{"Newsstand"}}, {{"Hardware Store"}}, {{"Retail Shops"}}, {{"Department Store"}},
    {{"Buying Club"}}, {{"Copies Etc."}},
};

const Item kProvisioningItems[] = {
    {{"Supermarket"}}, {{"Gourmet Shop"}}, {{"Delicatessen"}}, {{"Wine/Beer"}}, {{"Liquor Store"}},
    {{"Bakery"}}, {{"Farmers'' Market"}}, {{"Green Grocer"}}, {{"Convenience Store"}}, {{"Fishmonger"}},
    {{"Meat Market"}}, {{"Lobster Pound"}}, {{"Health Food"}}, {{"Crabs/Waterman"}}, {{"Shrimper"}},
    {{"Oysterman"}},
};

const Item kTransportationItems[] = {
    {{"Courtesy Car Or Van Service for Guests"}}, {{"Rental Car"}}, {{"Taxi"}}, {{"Bikes"}}, {{"Water Taxi"}},
    {{"Local Bus"}}, {{"InterCity Bus"}}, {{"Ferry Service"}}, {{"Airport Limo"}},
};

const Item kMedicalItems[] = {
    {{"Doctor"}}, {{"Ambulance"}}, {{"Dentist"}}, {{"Chiropractor"}}, {{"Holistic Services"}}, {{"Veterinarian"}},
};

// A general combo's term by its chosen position; "" for none.
QString IndexedTerm(int index, std::span<const char* const> terms) {
  if (index < 1 || index > static_cast<int>(terms.size())) return QString();
  return QString::fromUtf8(terms[static_cast<std::size_t>(index - 1)]);
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
    QStringList codes;
    for (const QString& name : c.lbGeoCodes) {
      const std::optional<std::int16_t> code = geoCode ? geoCode(name) : std::nullopt;
      if (code) codes << QString::number(*code);
    }
    clause.Add(QStringLiteral(" rpm_Vyk.[Geo Code] in (") +
               (codes.isEmpty() ? QStringLiteral("NULL") : codes.join(QStringLiteral(", "))) + QLatin1Char(')'));
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

  static const char* const bell[] = {"rpm_Vyk.[bell rating] >=2", "rpm_Vyk.[bell rating] >=3",
                                     "rpm_Vyk.[bell rating] >= 4", "rpm_Vyk.[bell rating] =5"};
  addIf(IndexedTerm(c.cboBellRating, bell));

  static const char* const slips[] = {
      "rpm_marina_facilities.[Total # Slips] >= 1",  "rpm_marina_facilities.[Total # Slips] > 25",
      "rpm_marina_facilities.[Total # Slips] > 50",  "rpm_marina_facilities.[Total # Slips] > 100",
      "rpm_marina_facilities.[Total # Slips] > 200", "rpm_marina_facilities.[Total # Slips] > 300"};
  addIf(IndexedTerm(c.cmbTotalSlips, slips));

  static const char* const fuel[] = {"rpm_marina_facilities.[gasoline?] = True",
                                     "rpm_marina_facilities.[diesel?] = True "};
  addIf(IndexedTerm(c.cboFuel, fuel));

  static const char* const moorings[] = {
      "RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) >= 1",
      "RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) >= 10",
      "RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) >= 25",
      "RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) >= 50"};
  addIf(IndexedTerm(c.cboMoorings, moorings));

  static const char* const dockage[] = {
      "rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 1",
      "rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 1.5",
      "rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 2",
      "rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 2.5",
      "rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 3"};
  addIf(IndexedTerm(c.cboDockage, dockage));

  static const char* const electricity[] = {
      "RTRIM(LTRIM(rpm_marina_facilities.[30 Amp $])) <> ''",  "RTRIM(LTRIM(rpm_marina_facilities.[50 Amp $])) <> ''",
      "RTRIM(LTRIM(rpm_marina_facilities.[100 Amp $])) <> ''", "RTRIM(LTRIM(rpm_marina_facilities.[200 Amp $])) <> ''",
      "RTRIM(LTRIM(rpm_marina_facilities.[300 Amp $])) <> ''", "RTRIM(LTRIM(rpm_marina_facilities.[3 Phase $])) <> ''"};
  addIf(IndexedTerm(c.cboElectricity, electricity));

  static const char* const boatyard[] = {"rpm_Vyk.[Boatyard Rating] >=1", "rpm_Vyk.[Boatyard Rating] =2"};
  addIf(IndexedTerm(c.cboBoatRating, boatyard));

  if (c.chkPumpOut == 1)
    clause.Add(QStringLiteral(
        "((rpm_marina_operations.[On Site] = TRUE) OR (rpm_marina_operations.[On Call] = TRUE) OR "
        "(rpm_marina_operations.[Self Service] = TRUE) OR (rpm_marina_operations.[Full Service] = TRUE))"));
  if (c.chkMegaYachtFacilities == 1) clause.Add(QStringLiteral("rpm_marina_facilities.[Mega Yacht Facilities?] = TRUE"));
  if (c.chkSunset == 1) clause.Add(QStringLiteral("rpm_Vyk.[Sunset] = TRUE"));

  const QString minLoa = c.ebMinLOA.trimmed();
  if (IsPlainNumber(minLoa)) clause.Add(QStringLiteral("rpm_marina_facilities.[Maximum Length Overall] >= ") + minLoa);

  if (c.cboDepth >= 1 && c.cboDepth <= 8) {
    const QString feet = QString::number(c.cboDepth + 2);
    clause.Add(QStringLiteral("((rpm_nav_info.[Deepest Slip] >= ") + feet +
               QStringLiteral(") OR (rpm_nav_info.[Deepest Mooring] >= ") + feet + QStringLiteral("))"));
  }
}

void AddAmenityCriteria(ClauseBuilder& clause, const SearchCriteria& c) {
  const AmenityCriteria& a = c.Amenity;

  // Tab 0: supplies, facilities, credit cards, boat storage.
  AddDistanceItems(clause, a.SupplyDistance, kSupplyItems, AmenityCondition, QStringLiteral("rpm_Boat_Supplies"),
                   false);
  for (std::size_t i = 0; i < a.FacilityChecks.size(); ++i)
    if (a.FacilityChecks[i] != 0) clause.Add(QString::fromUtf8(kFacilityTerms[i]));
  OrGroup cards;
  for (std::size_t i = 0; i < a.CreditCardChecks.size(); ++i)
    if (a.CreditCardChecks[i] != 0) cards.Add(QString::fromUtf8(kCreditCardTerms[i]));
  cards.AppendTo(clause);
  if (c.chkBoatStorage == 1)
    clause.Add(QStringLiteral("((Trim(rpm_Boat_and_Boatyard_Services_EI.[In Water]) <> '') OR "
                              "(Trim(rpm_Boat_and_Boatyard_Services_EI.[On Land]) <> ''))"));

  // Tab 1: services and couriers.
  for (std::size_t i = 0; i < a.ServiceChecks.size(); ++i)
    if (a.ServiceChecks[i] == 1) clause.Add(QString::fromUtf8(kServiceTerms[i]));
  OrGroup couriers;
  for (std::size_t i = 0; i < c.lstMail.size(); ++i)
    if (c.lstMail[i]) couriers.Add(QString::fromUtf8(kCourierTerms[i]));
  couriers.AppendTo(clause);

  // Tabs 2 to 4.
  AddDistanceItems(clause, a.BoatyardDistance, kBoatyardItems, AmenityCondition,
                   QStringLiteral("rpm_Boat_and_Boatyard_Services"), false);
  AddDistanceItems(clause, a.RecreationDistance, kRecreationItems, AmenityCondition, QStringLiteral("rpm_Recreation"),
                   false);
  AddDistanceItems(clause, a.EntertainmentDistance, kEntertainmentItems, AmenityCondition,
                   QStringLiteral("rpm_Entertainment"), false);

  // Tab 5: any one chosen eatery or lodging kind is enough.
  for (std::size_t i = 0; i < a.EateryLodgingDistance.size(); ++i) {
    const std::int16_t code = a.EateryLodgingDistance[i];
    if (!IsDistanceCriterion(code)) continue;
    const QString column = DistanceColumn(code);
    if (i < std::size(kEateryItems))
      clause.AddToEateryGroup(ItemTerm(RestaurantCondition, QStringLiteral("rpm_Restaurants"), kEateryItems[i], column));
    else
      clause.AddToEateryGroup(ItemTerm(AccommodationCondition, QStringLiteral("rpm_Accommodations"),
                                       kLodgingItems[i - std::size(kEateryItems)], column));
  }

  // Tabs 6 to 9: each term first closes an open eatery group.
  AddDistanceItems(clause, a.GeneralServiceDistance, kGeneralServiceItems, AmenityCondition,
                   QStringLiteral("rpm_General_Services"), true);
  AddDistanceItems(clause, a.ProvisioningDistance, kProvisioningItems, AmenityCondition,
                   QStringLiteral("rpm_Provisioning"), true);
  AddDistanceItems(clause, a.TransportationDistance, kTransportationItems, AmenityCondition,
                   QStringLiteral("rpm_Transportation"), true);
  AddAllClassesGroup(clause, c.chkAmtrak, QStringLiteral("rpm_Transportation"), QStringLiteral("Rail"));
  AddAllClassesGroup(clause, c.chkAirport, QStringLiteral("rpm_Transportation"), QStringLiteral("Nearest Airport"));
  AddDistanceItems(clause, a.MedicalDistance, kMedicalItems, AmenityCondition, QStringLiteral("rpm_Medical"), true);
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
