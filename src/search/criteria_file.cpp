#include "search/criteria_file.h"

#include <QSet>
#include <cmath>
#include <span>

#include "platform/program.h"
#include "platform/record_file.h"

namespace qw {

namespace {

// More sub-region names than any edition has; a file naming more is not one
// this program wrote, and each name costs a database look-up per search.
constexpr qsizetype kMaxGeoCodeNames = 100;

// An amenity array as the file names it: prefix, index, ")".
struct ArrayRecord {
  const char* prefix;
  std::span<std::int16_t> (*elements)(AmenityCriteria&);
  bool isCheck;
};

template <std::size_t N>
std::span<std::int16_t> Span(std::array<std::int16_t, N>& a) {
  return std::span<std::int16_t>(a.data(), N);
}

const ArrayRecord kSupply{"cmbmfac(", [](AmenityCriteria& a) { return Span(a.SupplyDistance); }, false};
const ArrayRecord kFacility{"chkmfac(", [](AmenityCriteria& a) { return Span(a.FacilityChecks); }, true};
const ArrayRecord kCredit{"chkcredit(", [](AmenityCriteria& a) { return Span(a.CreditCardChecks); }, true};
const ArrayRecord kService{"chkDockAsst(", [](AmenityCriteria& a) { return Span(a.ServiceChecks); }, true};
const ArrayRecord kBoatyard{"cmbboat(", [](AmenityCriteria& a) { return Span(a.BoatyardDistance); }, false};
const ArrayRecord kRecreation{"cmbrecr(", [](AmenityCriteria& a) { return Span(a.RecreationDistance); }, false};
const ArrayRecord kEntertainment{"cmbenter(", [](AmenityCriteria& a) { return Span(a.EntertainmentDistance); },
                                 false};
const ArrayRecord kEatery{"cmbrest(", [](AmenityCriteria& a) { return Span(a.EateryLodgingDistance); }, false};
const ArrayRecord kGeneral{"cmbgene(", [](AmenityCriteria& a) { return Span(a.GeneralServiceDistance); }, false};
const ArrayRecord kProvisioning{"cmbprov(", [](AmenityCriteria& a) { return Span(a.ProvisioningDistance); }, false};
const ArrayRecord kTransportation{"cmbtrans(", [](AmenityCriteria& a) { return Span(a.TransportationDistance); },
                                  false};
const ArrayRecord kMedical{"cmbmedi(", [](AmenityCriteria& a) { return Span(a.MedicalDistance); }, false};

const ArrayRecord* const kArrayRecords[] = {&kSupply,     &kFacility,      &kCredit,  &kService,
                                            &kBoatyard,   &kRecreation,    &kEntertainment, &kEatery,
                                            &kGeneral,    &kProvisioning,  &kTransportation, &kMedical};

// The general-criteria combo boxes in file order.
const char* const kComboRecordOrder[] = {"cboFuel",  "cboMoorings", "cboBellRating", "cboElectricity",
                                         "cboDepth", "cboDockage",  "cboBoatRating", "cmbTotalSlips"};

const GeneralCombo* Combo(const QString& name) {
  for (const GeneralCombo& combo : GeneralCombos())
    if (name == QLatin1String(combo.name)) return &combo;
  return nullptr;
}

// The single check boxes restored by key (chkPumpOut has its own rule).
struct CheckRecord {
  const char* key;
  int SearchCriteria::*value;
};
const CheckRecord kCheckRecords[] = {
    {"chkSunset", &SearchCriteria::chkSunset},   {"chkBoatStorage", &SearchCriteria::chkBoatStorage},
    {"chkAmtrak", &SearchCriteria::chkAmtrak},   {"chkAirport", &SearchCriteria::chkAirport},
    {"chk911", &SearchCriteria::chk911},         {"chkHospital", &SearchCriteria::chkHospital},
};

class Records {
 public:
  void Text(const QString& key, const QString& value) { writer_.WriteRecord({key, value}); }
  void Number(const QString& key, int value) { writer_.WriteRecord({key, value}); }
  void Check(const QString& key, int value) { Number(key, CheckVal(static_cast<std::int16_t>(value))); }
  void Array(const ArrayRecord& record, AmenityCriteria& amenity) {
    const std::span<std::int16_t> elements = record.elements(amenity);
    for (std::size_t i = 0; i < elements.size(); ++i) {
      const QString key = QLatin1String(record.prefix) + QString::number(i) + QLatin1Char(')');
      Number(key, record.isCheck ? CheckVal(elements[i]) : elements[i]);
    }
  }
  QByteArray Data() const { return writer_.Data(); }

 private:
  RecordWriter writer_;
};

// A number field read as the file's reader reads it: the number the text
// begins with (0 when none), to the nearest whole number; nullopt when that
// does not fit a 16-bit integer.
std::optional<std::int16_t> FieldNumber(const QString& text) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
  const qsizetype start = i;
  if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) ++i;
  qsizetype digits = 0;
  while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) ++i, ++digits;
  if (i < n && text[i] == QLatin1Char('.')) {
    ++i;
    while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
    qsizetype j = i + 1;
    if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) ++j;
    const qsizetype expStart = j;
    while (j < n && text[j] >= QLatin1Char('0') && text[j] <= QLatin1Char('9')) ++j;
    if (j > expStart) i = j;
  }
  bool ok = false;
  const double value = text.mid(start, i - start).toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);
  if (rounded < INT16_MIN || rounded > INT16_MAX) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

// The index of an array key "prefix" digits ")"; nullopt for anything else.
std::optional<qsizetype> ArrayIndex(const QString& key, const char* prefix) {
  const QLatin1String p(prefix);
  if (!key.startsWith(p, Qt::CaseSensitive) || !key.endsWith(QLatin1Char(')'))) return std::nullopt;
  const QString digits = key.mid(p.size(), key.size() - p.size() - 1);
  if (digits.isEmpty() || digits.size() > 6) return std::nullopt;
  for (QChar ch : digits)
    if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) return std::nullopt;
  return digits.toLongLong();
}

class Loader {
 public:
  void Apply(const QString& key, const QString& value) {
    if (Known(key)) anyCriterion_ = true;
    if (key == QLatin1String("tbMarinaName")) c_.tbMarinaName = value;
    if (key == QLatin1String("txtbICWMin")) c_.txtbicwmin = value;
    if (key == QLatin1String("txtbICWMax")) c_.txtbicwmax = value;
    if (key == QLatin1String("ebMinLOA")) c_.ebMinLOA = value;
    if (key.contains(QLatin1String("geocode"), Qt::CaseInsensitive)) AddGeoCode(value);

    const std::optional<std::int16_t> number = FieldNumber(value);
    if (!number) return;
    const int n = *number;
    if (key == QLatin1String("cbocity")) {
      c_.cboCity.ListIndex = n;
      c_.cboHarbor.ListIndex = 0;  // the harbour list is refilled for the city
    }
    if (key == QLatin1String("cboHarbor")) c_.cboHarbor.ListIndex = n;
    if (const GeneralCombo* combo = Combo(key); combo && n >= -1 && n < static_cast<int>(combo->entries.size())) c_.*combo->index = n;
    if (key == QLatin1String("chkPumpOut")) {
      (pumpOutSeen_ ? c_.chkMegaYachtFacilities : c_.chkPumpOut) = TFValue(*number);
      pumpOutSeen_ = true;
    }
    for (const CheckRecord& check : kCheckRecords)
      if (key == QLatin1String(check.key)) c_.*check.value = TFValue(*number);
    for (std::size_t i = 0; i < c_.lstMail.size(); ++i)
      if (key == QStringLiteral("lstMail") + QString::number(i + 1)) c_.lstMail[i] = TFValue(*number) == 1;
    for (const ArrayRecord* record : kArrayRecords) {
      const std::optional<qsizetype> index = ArrayIndex(key, record->prefix);
      if (!index) continue;
      const std::span<std::int16_t> elements = record->elements(c_.Amenity);
      if (*index < static_cast<qsizetype>(elements.size()))
        elements[static_cast<std::size_t>(*index)] = record->isCheck ? TFValue(*number) : *number;
    }
  }

  SearchCriteria Result() const { return c_; }
  // Whether a record named a criterion: a file of another kind names none.
  bool AnyCriterion() const { return anyCriterion_; }

 private:
  static bool Known(const QString& key) {
    static const QStringList kKeys = {"tbMarinaName", "txtbICWMin", "txtbICWMax", "ebMinLOA", "cbocity",
                                      "cboHarbor",    "chkPumpOut", "lstMail1",   "lstMail2", "lstMail3",
                                      "lstMail4"};
    if (kKeys.contains(key) || key.contains(QLatin1String("geocode"), Qt::CaseInsensitive) || Combo(key)) return true;
    for (const CheckRecord& check : kCheckRecords)
      if (key == QLatin1String(check.key)) return true;
    for (const ArrayRecord* record : kArrayRecords)
      if (ArrayIndex(key, record->prefix)) return true;
    return false;
  }

  void AddGeoCode(const QString& name) {
    // The city and harbour lists are refilled for the new sub-regions, which
    // puts both back on their empty entry.
    c_.cboCity.ListIndex = 0;
    c_.cboHarbor.ListIndex = 0;
    if (seenGeoCodes_.contains(name) || c_.lbGeoCodes.size() >= kMaxGeoCodeNames) return;
    seenGeoCodes_.insert(name);
    c_.lbGeoCodes << name;
  }

  SearchCriteria c_;
  QSet<QString> seenGeoCodes_;
  bool pumpOutSeen_ = false;
  bool anyCriterion_ = false;
};

}  // namespace

QByteArray SaveSettings(const SearchCriteria& c) {
  AmenityCriteria amenity = c.Amenity;  // read through the same accessors as loading
  Records r;
  r.Text(QStringLiteral("tbMarinaName"), c.tbMarinaName);
  for (qsizetype i = 0; i < c.lbGeoCodes.size(); ++i)
    r.Text(QStringLiteral("GeoCode(%1)").arg(i), c.lbGeoCodes.at(i));
  r.Number(QStringLiteral("cbocity"), c.cboCity.ListIndex);
  r.Number(QStringLiteral("cboHarbor"), c.cboHarbor.ListIndex);
  r.Text(QStringLiteral("txtbICWMin"), c.txtbicwmin.trimmed());
  r.Text(QStringLiteral("txtbICWMax"), c.txtbicwmax.trimmed());
  r.Text(QStringLiteral("ebMinLOA"), c.ebMinLOA.trimmed());
  for (const char* name : kComboRecordOrder) r.Number(QLatin1String(name), c.*Combo(QLatin1String(name))->index);
  r.Check(QStringLiteral("chkPumpOut"), c.chkPumpOut);
  r.Check(QStringLiteral("chkSunset"), c.chkSunset);
  r.Check(QStringLiteral("chkPumpOut"), c.chkMegaYachtFacilities);  // the mega-yacht box, under the pump-out key
  r.Array(kSupply, amenity);
  r.Array(kFacility, amenity);
  r.Array(kCredit, amenity);
  r.Array(kService, amenity);
  for (std::size_t i = 0; i < c.lstMail.size(); ++i)
    r.Check(QStringLiteral("lstMail%1").arg(i + 1), c.lstMail[i] ? -1 : 0);
  r.Array(kBoatyard, amenity);
  r.Check(QStringLiteral("chkBoatStorage"), c.chkBoatStorage);
  r.Array(kRecreation, amenity);
  r.Array(kEntertainment, amenity);
  r.Array(kEatery, amenity);
  r.Array(kGeneral, amenity);
  r.Array(kProvisioning, amenity);
  r.Array(kTransportation, amenity);
  r.Check(QStringLiteral("chkAmtrak"), c.chkAmtrak);
  r.Check(QStringLiteral("chkAirport"), c.chkAirport);
  r.Array(kMedical, amenity);
  r.Check(QStringLiteral("chk911"), c.chk911);
  r.Check(QStringLiteral("chkHospital"), c.chkHospital);
  return r.Data();
}

namespace {

// Key and value fields in pairs until the data ends or turns malformed.
Loader ReadRecords(RecordReader& reader) {
  Loader loader;
  QString key;
  QString value;
  while (reader.ReadField(key) && reader.ReadField(value)) loader.Apply(key, value);
  return loader;
}

}  // namespace

SearchCriteria LoadSettings(const QByteArray& content) {
  RecordReader reader(content);
  return ReadRecords(reader).Result();
}

bool SaveSettingsFile(const QString& fileName, const SearchCriteria& criteria) {
  return WriteWholeFile(fileName, SaveSettings(criteria)).isEmpty();
}

std::optional<SearchCriteria> LoadSettingsFile(const QString& fileName) {
  std::optional<RecordReader> reader = RecordReader::FromFile(fileName);
  if (!reader) return std::nullopt;
  const Loader loader = ReadRecords(*reader);
  if (!loader.AnyCriterion()) return std::nullopt;
  return loader.Result();
}

}  // namespace qw
