#include "maps/map_lists.h"

#include <cmath>
#include <limits>

#include "maps/map_table.h"

namespace qw::maps {

QString ChartKeyFormatString() {
  return QStringLiteral(" Sub-Region No| Sub-Region Name") + QString(39, QLatin1Char(' '));
}

const QStringList& ChartKeyNumerals() {
  static const QStringList numerals = [] {
    QStringList n;
    for (const SubRegionMap& m : SubRegionMaps()) n << m.numeral;
    return n;
  }();
  return numerals;
}

const QStringList& ChartKeyNames() {
  static const QStringList names{"ME - DOWNEAST / ACADIA ",         "ME - MIDCOAST",
                                 "ME - BOOTHBAY HARBOR REGION",     "ME - PORTLAND & SOUTHERN COAST",
                                 "NH/MA - THE NORTH SHORE",         "MA - BOSTON & THE SOUTH SHORE",
                                 "MA - CAPE COD",                   "MA -THE ISLANDS ",
                                 "MA - BUZZARDS BAY ",              "RI - NARRAGANSETT BAY / NEWPORT",
                                 "RI - WESTERN  NARRAGANSETT BAY ", "RI - BLOCK ISLAND SOUND"};
  return names;
}

int ChartKeyTarget(const QString& cellText) {
  const int i = ChartKeyNumerals().indexOf(cellText);
  return i < 0 ? 0 : i + 1;
}

QString MapKeysQuery(const QString& regionName) {
  return QStringLiteral("select mapno,marinaname,harbor,marinano from mapkeys where regionname='") + regionName +
         QLatin1Char('\'');
}

std::optional<int> MarinaNoFromCell(const QString& cellText) {
  bool ok = false;
  const double value = cellText.trimmed().toDouble(&ok);
  if (!ok) return std::nullopt;
  // A 16-bit conversion rounds halves to even and refuses what does not fit.
  const double rounded = std::nearbyint(value);
  if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max()) return std::nullopt;
  return static_cast<int>(rounded);
}

QHash<int, QString> MarkToolTipNames(Database& db) {
  QHash<int, QString> names;
  RecordsetPtr rs = db.OpenRecordset(
      QStringLiteral("select MarinaNo,[Marina Name],[Marina 30 char Name] from rpm_marinaname_no"));
  for (; !rs->Eof(); rs->MoveNext()) {
    const Field full = rs->Fields(1), shortName = rs->Fields(2);
    QString name = full.HasValue() ? full.Value().toString().trimmed() : QString();
    if (name.isEmpty() && shortName.HasValue()) name = shortName.Value().toString().trimmed();
    names.insert(rs->Fields(0).Value().toInt(), name);
  }
  rs->Close();
  return names;
}

QString MapMarinaNameQuery(int marinaNo) {
  return QStringLiteral(
             "select rpm_marinaname_no.[Marina Name],rpm_marinaname_no.[Marina 30 char Name] from rpm_marinaname_no "
             "where MarinaNo=") +
         QString::number(marinaNo);
}

QString ChooseMapMarinaName(const Field& fullName, const Field& shortName, const QString& previous) {
  const QString shortText = shortName.HasValue() ? shortName.Value().toString() : QString();
  if (!shortText.trimmed().isEmpty()) return shortText;
  if (fullName.HasValue()) return fullName.Value().toString();
  return previous;
}

std::optional<QString> LookUpMapMarinaName(Database& db, int marinaNo, const QString& previous) {
  RecordsetPtr rs = db.OpenRecordset(MapMarinaNameQuery(marinaNo));
  if (rs->Eof()) return std::nullopt;
  QString name = ChooseMapMarinaName(rs->Fields(0), rs->Fields(1), previous);
  rs->Close();
  return name;
}

HintWrite WriteChartHint(bool ticked, int chkalert, const std::function<DatabasePtr()>& open) {
  if (!ticked) return {};
  try {
    DatabasePtr db = open();
    RecordsetPtr rs = db->OpenRecordset(QStringLiteral("chart_information"));
    if (chkalert == 1) {
      rs->AddNew();
      rs->SetField(QStringLiteral("checkalert"), chkalert);
      rs->Update();
    }
    rs->Close();
    db->Close();
    return {chkalert == 1 ? HintWrite::Outcome::Written : HintWrite::Outcome::NotTicked, {}};
  } catch (const JetError& e) {
    if (e.number() == kJetCannotWrite) return {HintWrite::Outcome::ReadOnly, {}};
    return {HintWrite::Outcome::Failed, e.description()};
  }
}

}  // namespace qw::maps
