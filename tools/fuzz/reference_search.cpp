#include "reference_search.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <algorithm>
#include <cmath>
#include <clocale>
#include <locale.h>
#include <cstdlib>
#include <functional>
#include <span>
#include <stdexcept>

namespace qw::fuzz {
namespace {

// The per-marina tables of the result query, joined on MarinaNo.
const char* const kMarinaTables[] = {"rpm_Contact_Information", "rpm_nav_info",          "rpm_marinaname_no",
                                     "rpm_Vyk",                 "rpm_marina_facilities", "rpm_marina_services",
                                     "rpm_Boat_and_Boatyard_Services_EI", "rpm_marina_operations"};

// The amenity tables and the column that names an amenity's type.
const std::pair<const char*, const char*> kAmenityTables[] = {
    {"rpm_Boat_Supplies", "type"}, {"rpm_Boat_and_Boatyard_Services", "type"}, {"rpm_Recreation", "type"},
    {"rpm_Entertainment", "type"}, {"rpm_General_Services", "type"},           {"rpm_Provisioning", "type"},
    {"rpm_Transportation", "type"}, {"rpm_Medical", "type"},                   {"rpm_Restaurants", "Rest Type"},
    {"rpm_Accommodations", "Accommodation Type"}};

// The search's amenity items, tab by tab: each item names the types it
// stands for, separated by "|".
const char* const kSupplies[] = {"Ice Block?|Ice Cube?|Ice Shaved?", "Bait and Tackle|Live Bait",
                                 "Ships' Store|Marine Discount Store|Boat/US|West Marine", "Propane", "CNG"};
const char* const kBoatyard[] = {"Travelift|Forklift|Railway|Crane", "Launching Ramp", "Bottom Cleaning",
                                 "Engine Mechanic - Gas", "Engine Mechanic - Diesel", "Brightwork", "Rigger",
                                 "Hull Repairs", "Refrigeration", "Air Conditioning", "Sail Loft", "Canvas Work",
                                 "Electrical Repairs", "Electronics Repairs", "Electronic Sales", "Divers",
                                 "Compound, Wash & Wax", "Propeller Repairs", "Inflatable Repairs", "Upholstery",
                                 "Metal Fabrication", "Painting", "Awlgrip", "Total Refits"};
const char* const kRecreation[] = {"Pool|Heated Pool", "Beach", "Grills", "Picnic Area", "Playground", "Dive Shop",
                                   "Volleyball", "Tennis Courts", "Golf Course", "Fitness Center", "Jogging Paths",
                                   "Boat Rentals", "Roller Blade/Bike Paths", "Horseback Riding", "Bowling",
                                   "Fishing Charter|Head(Group) Fishing Boats"};
const char* const kEntertainment[] = {"Movie Theater", "Video Rental", "Video Arcade", "Museum", "Park",
                                      "Cultural Attract", "Sightseeing", "Special Events", "Gallery"};
const char* const kEateries[] = {"Restaurant", "Shack|Seafood Shack|Crab House", "Lite Fare", "Coffee Shop",
                                 "Snack Bar", "Pizzeria", "Fast Food"};
const char* const kLodgings[] = {"Hotel", "Motel", "Inn/B&B", "Condo/Cottage"};
const char* const kGeneral[] = {"Bank/ATM", "Post Office", "Catholic Church|Protestant Church|Synagogue|Other",
                                "Beauty Salon", "Barber Shop", "Dry Cleaners", "Library", "Laundry", "Bookstore",
                                "Pharmacy", "Newsstand", "Hardware Store", "Retail Shops", "Department Store",
                                "Buying Club", "Copies Etc."};
const char* const kProvisioning[] = {"Supermarket", "Gourmet Shop", "Delicatessen", "Wine/Beer", "Liquor Store",
                                     "Bakery", "Farmers' Market", "Green Grocer", "Convenience Store", "Fishmonger",
                                     "Meat Market", "Lobster Pound", "Health Food", "Crabs/Waterman", "Shrimper",
                                     "Oysterman"};
const char* const kTransportation[] = {"Courtesy Car Or Van Service for Guests", "Rental Car", "Taxi", "Bikes",
                                       "Water Taxi", "Local Bus", "InterCity Bus", "Ferry Service", "Airport Limo"};
const char* const kMedical[] = {"Doctor", "Ambulance", "Dentist", "Chiropractor", "Holistic Services",
                                "Veterinarian"};

bool IsNull(const QVariant& v) { return !v.isValid() || v.isNull(); }

// A stored number; nothing for Null or text that is not a number.
std::optional<double> Number(const QVariant& v) {
  if (IsNull(v)) return std::nullopt;
  if (v.typeId() == QMetaType::QString) {
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
  }
  return v.toDouble();
}

// Comparisons with a number: Null never passes.
bool Is(const QVariant& v, double n) { return Number(v) == n; }
bool AtLeast(const QVariant& v, double n) {
  const auto x = Number(v);
  return x && *x >= n;
}
bool Above(const QVariant& v, double n) {
  const auto x = Number(v);
  return x && *x > n;
}
bool AtMost(const QVariant& v, double n) {
  const auto x = Number(v);
  return x && *x <= n;
}
bool Truthy(const QVariant& v) { return Number(v).value_or(0) != 0; }

QString TrimBlanks(const QString& text) {
  qsizetype a = 0, b = text.size();
  while (a < b && text[a] == QLatin1Char(' ')) ++a;
  while (b > a && text[b - 1] == QLatin1Char(' ')) --b;
  return text.mid(a, b - a);
}
bool NotBlank(const QVariant& v) { return !IsNull(v) && !TrimBlanks(v.toString()).isEmpty(); }

char32_t FoldAscii(char32_t c) { return c >= U'A' && c <= U'Z' ? c + 32 : c; }

bool EqualNoCase(const QVariant& v, const QString& text) {
  if (IsNull(v)) return false;
  const QList<uint> a = v.toString().toUcs4();
  const QList<uint> b = text.toUcs4();
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

// A number typed into a numeric box, as the engine reads the literal (a
// decimal point whatever the locale; out of range gives an infinity or 0).
double TypedNumber(const QString& text) {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
  return strtod_l(text.trimmed().toLatin1().constData(), nullptr, c);
}

// Codes 1 to 6 ask for a distance class; anything else asks for nothing.
bool IsClass(int code) { return code >= 1 && code <= 6; }

}  // namespace

ReferenceSearch::ReferenceSearch(const QString& databasePath) {
  const QString name = QStringLiteral("reference-") + QUuid::createUuid().toString();
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(databasePath);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open()) throw std::runtime_error("cannot open " + databasePath.toStdString());
    auto load = [&](const QString& table, const std::function<void(const Row&)>& each) {
      QSqlQuery q(db);
      if (!q.exec(QStringLiteral("SELECT * FROM [%1]").arg(table)))
        throw std::runtime_error(q.lastError().text().toStdString());
      while (q.next()) {
        Row row;
        const QSqlRecord r = q.record();
        for (int i = 0; i < r.count(); ++i) row.insert(r.fieldName(i).toLower(), r.value(i));
        each(row);
      }
    };
    QHash<QString, QHash<int, Row>> byTable;
    for (const char* table : kMarinaTables)
      load(QLatin1String(table), [&](const Row& row) {
        byTable[QString::fromLatin1(table).toLower()].insert(row.value(QStringLiteral("marinano")).toInt(), row);
      });
    QHash<int, Row> editions;
    load(QStringLiteral("'97 Editions"),
         [&](const Row& row) { editions.insert(row.value(QStringLiteral("marinano")).toInt(), row); });
    for (const Row& contact : byTable.value(QStringLiteral("rpm_contact_information"))) {
      Marina m;
      m.no = contact.value(QStringLiteral("marinano")).toInt();
      for (auto t = byTable.cbegin(); t != byTable.cend(); ++t)
        if (t->contains(m.no)) m.tables.insert(t.key(), t->value(m.no));
      // The edition table joins on the sub-region table's marina number.
      if (m.tables.contains(QStringLiteral("rpm_vyk")) && editions.contains(m.no))
        m.tables.insert(QStringLiteral("'97 editions"), editions.value(m.no));
      marinas_.push_back(m);
    }
    for (const auto& amenityTable : kAmenityTables) {
      const char* const table = amenityTable.first;
      const QString typeColumn = QString::fromLatin1(amenityTable.second).toLower();
      auto& rows = amenities_[QString::fromLatin1(table)];
      load(QLatin1String(table), [&](const Row& row) {
        AmenityRow a;
        a.type = row.value(typeColumn);
        const char* const flags[] = {"on-site", "on-call", "nearby", "w/in 1 mile", "1-3 miles"};
        for (int i = 0; i < 5; ++i) a.flags[static_cast<std::size_t>(i)] = row.value(QLatin1String(flags[i]));
        a.approx = row.value(QStringLiteral("approx distance"));
        a.comments = row.value(QStringLiteral("comments"));
        rows[row.value(QStringLiteral("marinano")).toInt()].push_back(a);
      });
    }
    load(QStringLiteral("rpm_Geo_Code_CD"), [&](const Row& row) {
      geoCodes_.emplace_back(row.value(QStringLiteral("geo code")).toInt(),
                             row.value(QStringLiteral("geo code name")).toString());
    });
    std::sort(geoCodes_.begin(), geoCodes_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  }
  QSqlDatabase::removeDatabase(name);

  for (const Marina& m : marinas_) {
    marinaNames_ << Value(m, "rpm_marinaname_no", "marina name").toString();
    cities_ << Value(m, "rpm_contact_information", "city").toString();
    harbors_ << Value(m, "rpm_nav_info", "harbor").toString();
  }
  for (const auto& geo : geoCodes_) geoNames_ << geo.second;
}

bool ReferenceSearch::Like(const QString& text, const QString& pattern) {
  const QList<uint> t = text.toUcs4();
  const QList<uint> p = pattern.toUcs4();
  qsizetype ti = 0, pi = 0, starP = -1, starT = 0;
  while (ti < t.size()) {
    if (pi < p.size() && p[pi] == U'*') {
      starP = pi++;
      starT = ti;
    } else if (pi < p.size() && (p[pi] == U'?' || FoldAscii(p[pi]) == FoldAscii(t[ti]))) {
      ++pi;
      ++ti;
    } else if (starP >= 0) {
      pi = starP + 1;
      ti = ++starT;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == U'*') ++pi;
  return pi == p.size();
}

std::optional<int> ReferenceSearch::GeoCode(const QString& name) const {
  for (const auto& [code, geoName] : geoCodes_)
    if (Like(geoName, name)) return code;
  return std::nullopt;
}

QVariant ReferenceSearch::Value(const Marina& m, const char* table, const char* column) const {
  const auto row = m.tables.constFind(QLatin1String(table));
  if (row == m.tables.constEnd()) return QVariant();
  return row->value(QLatin1String(column));
}

int ReferenceSearch::Count(const SearchCriteria& c, const AppSettings& s) const {
  int count = 0;
  for (const Marina& m : marinas_)
    if (Matches(m, c, s)) ++count;
  return count;
}

bool ReferenceSearch::Matches(const Marina& m, const SearchCriteria& c, const AppSettings& s) const {
  return GeneralMatch(m, c) && AmenityMatch(m, c) && FilterMatch(m, s);
}

bool ReferenceSearch::GeneralMatch(const Marina& m, const SearchCriteria& c) const {
  auto v = [&](const char* table, const char* column) { return Value(m, table, column); };

  if (!c.tbMarinaName.trimmed().isEmpty()) {
    const QVariant name = v("rpm_marinaname_no", "marina name");
    if (IsNull(name) || !Like(name.toString(), QLatin1Char('*') + c.tbMarinaName + QLatin1Char('*'))) return false;
  }
  if (!c.lbGeoCodes.isEmpty()) {
    bool found = false;
    for (const QString& name : c.lbGeoCodes)
      if (const auto code = GeoCode(name); code && Is(v("rpm_vyk", "geo code"), *code)) found = true;
    if (!found) return false;
  }
  auto chosen = [](const ComboChoice& combo) { return combo.ListIndex > 0 && combo.ListIndex < combo.Items.size(); };
  if (chosen(c.cboCity) && !EqualNoCase(v("rpm_contact_information", "city"), c.cboCity.Items[c.cboCity.ListIndex]))
    return false;
  if (chosen(c.cboHarbor) && !EqualNoCase(v("rpm_nav_info", "harbor"), c.cboHarbor.Items[c.cboHarbor.ListIndex]))
    return false;

  const QVariant mile = v("rpm_nav_info", "uscg statute mile");
  if (IsPlainNumber(c.txtbicwmin.trimmed()) && !AtLeast(mile, TypedNumber(c.txtbicwmin))) return false;
  if (IsPlainNumber(c.txtbicwmax.trimmed()) && !AtMost(mile, TypedNumber(c.txtbicwmax))) return false;

  const QVariant bell = v("rpm_vyk", "bell rating");
  switch (c.cboBellRating) {
    case 1: case 2: case 3: if (!AtLeast(bell, c.cboBellRating + 1)) return false; break;
    case 4: if (!Is(bell, 5)) return false; break;
    default: break;
  }
  const double slips[] = {1, 25, 50, 100, 200, 300};
  const QVariant slipCount = v("rpm_marina_facilities", "total # slips");
  if (c.cmbTotalSlips == 1 && !AtLeast(slipCount, 1)) return false;
  if (c.cmbTotalSlips >= 2 && c.cmbTotalSlips <= 6 && !Above(slipCount, slips[c.cmbTotalSlips - 1])) return false;
  if (c.cboFuel == 1 && !Is(v("rpm_marina_facilities", "gasoline?"), 1)) return false;
  if (c.cboFuel == 2 && !Is(v("rpm_marina_facilities", "diesel?"), 1)) return false;
  const double moorings[] = {1, 10, 25, 50};
  if (c.cboMoorings >= 1 && c.cboMoorings <= 4 &&
      !AtLeast(v("rpm_marina_facilities", "total # of moorings"), moorings[c.cboMoorings - 1]))
    return false;
  const double rates[] = {1, 1.5, 2, 2.5, 3};
  if (c.cboDockage >= 1 && c.cboDockage <= 5 &&
      !AtMost(v("rpm_marina_facilities", "in season slips--nightly rate"), rates[c.cboDockage - 1]))
    return false;
  const char* const power[] = {"30 amp $", "50 amp $", "100 amp $", "200 amp $", "300 amp $", "3 phase $"};
  if (c.cboElectricity >= 1 && c.cboElectricity <= 6 &&
      !NotBlank(v("rpm_marina_facilities", power[c.cboElectricity - 1])))
    return false;
  const QVariant yard = v("rpm_vyk", "boatyard rating");
  if (c.cboBoatRating == 1 && !AtLeast(yard, 1)) return false;
  if (c.cboBoatRating == 2 && !Is(yard, 2)) return false;
  if (c.chkPumpOut == 1) {
    bool any = false;
    for (const char* mode : {"on site", "on call", "self service", "full service"})
      any = any || Is(v("rpm_marina_operations", mode), 1);
    if (!any) return false;
  }
  if (c.chkMegaYachtFacilities == 1 && !Is(v("rpm_marina_facilities", "mega yacht facilities?"), 1)) return false;
  if (c.chkSunset == 1 && !Is(v("rpm_vyk", "sunset"), 1)) return false;
  if (IsPlainNumber(c.ebMinLOA.trimmed()) &&
      !AtLeast(v("rpm_marina_facilities", "maximum length overall"), TypedNumber(c.ebMinLOA)))
    return false;
  if (c.cboDepth >= 1 && c.cboDepth <= 8 && !AtLeast(v("rpm_nav_info", "deepest slip"), c.cboDepth + 2) &&
      !AtLeast(v("rpm_nav_info", "deepest mooring"), c.cboDepth + 2))
    return false;
  return true;
}

bool ReferenceSearch::HasAmenity(const Marina& m, const QString& table, const QString& type, int code) const {
  const auto tableRows = amenities_.constFind(table);
  if (tableRows == amenities_.constEnd()) return false;
  const auto marinaRows = tableRows->constFind(m.no);
  if (marinaRows == tableRows->constEnd()) return false;
  const std::vector<AmenityRow>& rows = *marinaRows;
  const int flags = code == 0 ? 0 : std::min(code, 5);
  double sum = 0;
  bool summed = false, approx = false, remark = false;
  for (const AmenityRow& row : rows) {
    if (!EqualNoCase(row.type, type)) continue;
    approx = approx || NotBlank(row.approx);
    remark = remark || NotBlank(row.comments);
    double rowSum = 0;
    bool complete = true;
    for (int i = 0; i < flags; ++i) {
      const auto n = Number(row.flags[static_cast<std::size_t>(i)]);
      complete = complete && n.has_value();
      rowSum += n.value_or(0);
    }
    if (!complete) continue;  // a Null flag leaves the row out of the sum
    sum += rowSum;
    summed = true;
  }
  if (code == 0) return remark;
  return (summed && sum > 0) || (code == 6 && approx);
}

bool ReferenceSearch::AmenityMatch(const Marina& m, const SearchCriteria& c) const {
  const AmenityCriteria& a = c.Amenity;
  auto v = [&](const char* table, const char* column) { return Value(m, table, column); };
  // An item asks for any one of its types in the class.
  auto item = [&](const QString& table, const char* types, int code) {
    for (const QString& type : QString::fromUtf8(types).split(QLatin1Char('|')))
      if (HasAmenity(m, table, type, code)) return true;
    return false;
  };
  auto tab = [&](const char* table, std::span<const char* const> items, std::span<const std::int16_t> codes) {
    for (std::size_t i = 0; i < items.size() && i < codes.size(); ++i)
      if (IsClass(codes[i]) && !item(QLatin1String(table), items[i], codes[i])) return false;
    return true;
  };
  auto anyClass = [&](const char* table, const char* type) {
    for (int code = 0; code <= 6; ++code)
      if (HasAmenity(m, QLatin1String(table), QLatin1String(type), code)) return true;
    return false;
  };

  if (!tab("rpm_Boat_Supplies", kSupplies, a.SupplyDistance)) return false;
  const char* const facilityFlags[] = {"showers?", "laundry?", "toilets?", "cable tv?", "dock side phone?"};
  for (int i = 0; i < 5; ++i)
    if (a.FacilityChecks[static_cast<std::size_t>(i)] != 0 && !Is(v("rpm_marina_facilities", facilityFlags[i]), 1))
      return false;
  if (a.FacilityChecks[5] != 0 && !Is(v("rpm_marina_operations", "pets allowed?"), 1)) return false;
  if (a.FacilityChecks[6] != 0 && !Is(v("rpm_marina_facilities", "handicapped access?"), 1)) return false;
  if (a.FacilityChecks[7] != 0) {
    bool discount = Truthy(v("rpm_marina_operations", "boat us cooperating marina"));
    for (const char* column :
         {"dockage discount", "fuel disscount", "repair discount", "other discount programs", "other discount"})
      discount = discount || NotBlank(v("rpm_marina_operations", column));
    if (!discount) return false;
  }
  const char* const cards[] = {"amex", "discover", "master/visa", "diners club"};
  bool anyCard = false, cardAsked = false;
  for (int i = 0; i < 4; ++i) {
    if (a.CreditCardChecks[static_cast<std::size_t>(i)] == 0) continue;
    cardAsked = true;
    anyCard = anyCard || Is(v("rpm_marina_operations", cards[i]), 1);
  }
  if (cardAsked && !anyCard) return false;
  if (c.chkBoatStorage == 1 && !NotBlank(v("rpm_boat_and_boatyard_services_ei", "in water")) &&
      !NotBlank(v("rpm_boat_and_boatyard_services_ei", "on land")))
    return false;

  const char* const services[] = {"docking assistance", "mail & package hold", "phone messages", "fax--in and out",
                                  "dock carts", "concierge services", "trash pick-up", "security",
                                  "data ports(send/receive email)"};
  for (int i = 0; i < 9; ++i)
    if (a.ServiceChecks[static_cast<std::size_t>(i)] == 1 && !Is(v("rpm_marina_services", services[i]), 1))
      return false;
  if (a.ServiceChecks[9] == 1 && !Is(v("rpm_marina_facilities", "european voltage?"), 1)) return false;
  const char* const couriers[] = {"fedex", "express mail", "ups", "airborne", "saturday delivery?"};
  bool anyCourier = false, courierAsked = false;
  for (int i = 0; i < 5; ++i) {
    if (!c.lstMail[static_cast<std::size_t>(i)]) continue;
    courierAsked = true;
    anyCourier = anyCourier || Is(v("rpm_marina_services", couriers[i]), 1);
  }
  if (courierAsked && !anyCourier) return false;

  if (!tab("rpm_Boat_and_Boatyard_Services", kBoatyard, a.BoatyardDistance)) return false;
  if (!tab("rpm_Recreation", kRecreation, a.RecreationDistance)) return false;
  if (!tab("rpm_Entertainment", kEntertainment, a.EntertainmentDistance)) return false;

  // Any one chosen eatery or lodging kind is enough.
  bool eateryAsked = false, eatery = false;
  for (std::size_t i = 0; i < a.EateryLodgingDistance.size(); ++i) {
    const int code = a.EateryLodgingDistance[i];
    if (!IsClass(code)) continue;
    eateryAsked = true;
    eatery = eatery || (i < std::size(kEateries) ? item(QStringLiteral("rpm_Restaurants"), kEateries[i], code)
                                                 : item(QStringLiteral("rpm_Accommodations"),
                                                        kLodgings[i - std::size(kEateries)], code));
  }
  if (eateryAsked && !eatery) return false;

  if (!tab("rpm_General_Services", kGeneral, a.GeneralServiceDistance)) return false;
  if (!tab("rpm_Provisioning", kProvisioning, a.ProvisioningDistance)) return false;
  if (!tab("rpm_Transportation", kTransportation, a.TransportationDistance)) return false;
  if (c.chkAmtrak == 1 && !anyClass("rpm_Transportation", "Rail")) return false;
  if (c.chkAirport == 1 && !anyClass("rpm_Transportation", "Nearest Airport")) return false;
  if (!tab("rpm_Medical", kMedical, a.MedicalDistance)) return false;
  if (c.chk911 == 1 && !anyClass("rpm_Medical", "911 Service")) return false;
  if (c.chkHospital == 1 && !anyClass("rpm_Medical", "Hospital")) return false;
  return true;
}

bool ReferenceSearch::FilterMatch(const Marina& m, const AppSettings& s) const {
  const QVariant geo = Value(m, "rpm_vyk", "geo code");
  const bool single = s.SingleGeoCode > 0;
  const bool range = (s.GeoCodeFrom > 0 && s.GeoCodeTo > 0) || s.GeoCodeFrom == 0;
  bool edition = true;
  if (s.EditionFilter == QLatin1String("In 6th Edition"))
    edition = Is(Value(m, "'97 editions", "in disk"), 1);
  else if (s.EditionFilter == QLatin1String("In 7th Edition"))
    edition = Is(Value(m, "rpm_vyk", "in 7th edition"), 1);
  else if (!single)
    return true;  // no edition and no sub-region term
  if (!edition) return false;
  if (single) return Is(geo, s.SingleGeoCode);
  if (range) return AtLeast(geo, s.GeoCodeFrom) && AtMost(geo, s.GeoCodeTo);
  return true;
}

}  // namespace qw::fuzz
