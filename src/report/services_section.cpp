#include "report/services_section.h"

#include <optional>

#include "platform/html_text.h"
#include "platform/jet.h"
#include "platform/vb_text.h"
#include "report/dont_show.h"
#include "report/round_half_even.h"
#include "report_values/text_routines.h"

namespace qw {
namespace {

// A number column holding exactly 1; Null, text that is no number and
// unreadable columns do not.
bool EqualsOne(const Field& field) {
  if (!field.HasValue()) return false;
  bool ok = false;
  const double d = field.Value().toDouble(&ok);
  return ok && d == 1.0;
}

// A column read as a whole number; Null or anything that is no number is 0.
double WholeNumber(const Field& field) {
  if (!field.HasValue()) return 0;
  bool ok = false;
  const double d = field.Value().toDouble(&ok);
  return ok ? RoundHalfEven(d) : 0;
}

const QString kDieselMechanic = QStringLiteral("Engine Mechanic - Diesel");
const QString kGasMechanic = QStringLiteral("Engine Mechanic - Gas");
const QString k911 = QStringLiteral("911 Service");

// Whether the marina's diesel mechanic row (its first row) falls in class k:
// the column of class k holds 1 (class 6: a distance), and no column of an
// earlier class holds 1. Each column is read with its own look-up; no row, or
// one that cannot be read, is no diesel mechanic.
bool DieselMechanicInClass(Database& db, std::int32_t marinaNo, int k) {
  static const char* const kColumns[] = {"[On-Site]", "[On-Call]", "[Nearby]", "[W/in 1 Mile]", "[1-3 Miles]",
                                         "[Approx Distance]"};
  const auto lookUp = [&](int cls) -> std::optional<Field> {
    try {
      const RecordsetPtr rs = db.OpenRecordset(QStringLiteral("SELECT ") + QLatin1String(kColumns[cls - 1]) +
                                               QStringLiteral(" From rpm_Boat_and_Boatyard_Services WHERE  "
                                                              "type='Engine Mechanic - Diesel' and MarinaNo=") +
                                               QString::number(marinaNo));
      if (rs->Eof()) return std::nullopt;
      return rs->Fields(0);
    } catch (const JetError& e) {
      if (IsReadFailure(e.number())) throw;
      return std::nullopt;
    }
  };
  const std::optional<Field> own = lookUp(k);
  if (!own) return false;
  if (k == 6) {
    if (!own->HasValue() || TrimBlanks(VbText(own->Value())).isEmpty()) return false;
  } else if (!EqualsOne(*own)) {
    return false;
  }
  for (int earlier = 1; earlier < k; ++earlier) {
    const std::optional<Field> f = lookUp(earlier);
    if (f && EqualsOne(*f)) return false;
  }
  return true;
}

// The note of an amenity item: its comment (area code dashed) and its
// distance, " <I>(...)</I>", or "" when it has neither; both as the page
// takes them (the comment cleaned, the distance escaped).
QString AmenityNote(const Recordset& row) {
  QString details;
  const QString comments = TrimBlanks(FieldText(row, QStringLiteral("Comments")));
  if (!comments.isEmpty()) {
    details = ColumnHtml(QStringLiteral("Comments"), DashPhoneNumber(comments)) + QStringLiteral(", ");
    TrimTrailingSeparator(details, QStringLiteral(","));
  }
  QString distance = TrimBlanks(FieldText(row, QStringLiteral("Approx Distance")));
  if (distance == QLatin1String("x")) distance.clear();
  distance = ColumnHtml(QStringLiteral("Approx Distance"), distance);
  if (!details.isEmpty() && !distance.isEmpty()) return QStringLiteral(" <I>(") + details + QStringLiteral(", ") + distance + QStringLiteral(")</I>");
  if (!details.isEmpty()) return QStringLiteral(" <I>(") + details + QStringLiteral(")</I>");
  if (!distance.isEmpty()) return QStringLiteral(" <I>(") + distance + QStringLiteral(")</I>");
  return QString();
}

}  // namespace

QString FieldText(const Recordset& row, const QString& column) {
  const Field f = row.Fields(column);
  return f.HasValue() ? VbText(f.Value()) : QString();
}

bool FieldEqualsOne(const Recordset& row, const QString& column) { return EqualsOne(row.Fields(column)); }

int DistanceClassOf(const Recordset& row) {
  static const char* const kFlags[] = {"On-Site", "On-Call", "Nearby", "W/in 1 Mile", "1-3 Miles"};
  for (int k = 0; k < 5; ++k) {
    if (EqualsOne(row.Fields(QLatin1String(kFlags[k])))) return k + 1;
  }
  return TrimBlanks(FieldText(row, QStringLiteral("Approx Distance"))).isEmpty() ? 0 : 6;
}

QString AmenityShortName(const QString& amenityTable) {
  static const char* const kTables[][2] = {
      {"rpm_Boat_Supplies", "Boat_Supplies"},
      {"rpm_Boat_and_Boatyard_Services", "Boat_and_Boatyard_Services"},
      {"rpm_Recreation", "Recreation"},
      {"rpm_Entertainment", "Entertainment"},
      {"rpm_Provisioning", "Provisioning"},
      {"rpm_General_Services", "General_Services"},
      {"rpm_Transportation", "Transportation"},
      {"rpm_medical", "Medical"},
  };
  for (const auto& t : kTables) {
    if (amenityTable == QLatin1String(t[0])) return QLatin1String(t[1]);
  }
  return QString();
}

QString DashPhoneNumber(QString text) {
  for (;;) {
    const qsizetype open = text.indexOf(QLatin1Char('('));
    const qsizetype close = text.indexOf(QLatin1Char(')'));
    if (open < 0 || close - open != 4) return text;
    for (qsizetype i = open + 1; i < close; ++i) {
      const QChar c = text.at(i);
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) return text;
    }
    // Only this group is rewritten: "(508) " / "(508)-" / "(508)" -> "508-".
    const qsizetype after = close + 1;
    const bool joined = after < text.size() && (text.at(after) == QLatin1Char(' ') || text.at(after) == QLatin1Char('-'));
    text.replace(close, joined ? 2 : 1, QStringLiteral("-"));
    text.remove(open, 1);
  }
}

void BuildServicesText(Database& db, const QString& amenityTable, std::int32_t marinaNo, const DontShowFlags& flags,
                       DistanceClassTexts& texts, QString& service911Text) {
  std::array<QString, 6> ice;
  std::array<QString, 6> mechanic;

  RecordsetPtr rs;
  try {
    rs = db.OpenRecordset(QStringLiteral("select * from ") + amenityTable + QStringLiteral(",dumyServices where ") +
                          amenityTable + QStringLiteral(".type=dumyServices.serviceName And dumyServices.TableName='") +
                          AmenityShortName(amenityTable) + QStringLiteral("' And ") + amenityTable +
                          QStringLiteral(".MarinaNo=") + QString::number(marinaNo) +
                          QStringLiteral(" order by dumyServices.serviceIndex"));
  } catch (const JetError& e) {
    if (IsReadFailure(e.number())) throw;
    return;
  }

  for (; !rs->Eof(); rs->MoveNext()) {
    const Field typeField = rs->Fields(QStringLiteral("Type"));
    if (!typeField.HasValue()) continue;
    const QString name = TrimBlanks(VbText(typeField.Value()));
    const QString note = AmenityNote(*rs);
    if (IsItemHidden(flags, name)) continue;
    // The item as the page shows it: the stored name escaped, or the short
    // name the report gives one long one.
    const QString shown = name == QLatin1String("West Marine or E&B Marine Store") ? QStringLiteral("West/E&B Marine")
                                                                                    : HtmlText(name);

    int k = 1;
    if (!EqualsOne(rs->Fields(QStringLiteral("On-Site")))) {
      if (name == k911) {
        if (WholeNumber(rs->Fields(QStringLiteral("On-Call"))) != 1) {
          service911Text += QStringLiteral("No ") + name + QLatin1Char(' ');
        } else {
          service911Text = QStringLiteral("911 Service ");
        }
        continue;
      }
      k = DistanceClassOf(*rs);
      if (k == 0) continue;
    }
    QString& text = texts[k - 1];

    if (name == QLatin1String("Ice Block?")) {
      ice[k - 1] += QStringLiteral("Block, ");
    } else if (name == QLatin1String("Ice Cube?")) {
      ice[k - 1] += QStringLiteral("Cube, ");
    } else if (name == QLatin1String("Ice Shaved?")) {
      ice[k - 1] += QStringLiteral("Shaved, ");
    } else if (name == kDieselMechanic) {
      mechanic[k - 1] += QStringLiteral("diesel, ");
      TrimTrailingSeparator(mechanic[k - 1], QStringLiteral(","));
      text += QStringLiteral("Engine mechanic <I>(") + mechanic[k - 1] + QStringLiteral(")</I>, ");
    } else if (name == kGasMechanic) {
      mechanic[k - 1] += QStringLiteral("gas, ");
      // The diesel row, listed later, writes the merged item only when it
      // falls in this same class; otherwise the gas mechanic stands alone.
      if (!DieselMechanicInClass(db, marinaNo, k)) {
        TrimTrailingSeparator(mechanic[k - 1], QStringLiteral(","));
        if (!mechanic[k - 1].isEmpty()) {
          text += QStringLiteral("Engine mechanic <I>(") + mechanic[k - 1] + QStringLiteral(")</I>, ");
        }
      }
    } else if (name == QLatin1String("Nearest Airport") || name == QLatin1String("Hospital") ||
               name == QLatin1String("How do guests move around")) {
      // printed by the report on lines of their own, or not at all
    } else if (name == k911) {
      service911Text = QStringLiteral("911 Service ");
    } else {
      text += shown + note + QStringLiteral(", ");
    }
  }
  rs->Close();

  const bool supplies = amenityTable == QLatin1String("rpm_Boat_Supplies");
  for (int k = 0; k < 6; ++k) {
    TrimTrailingSeparator(ice[k], QStringLiteral(","));
    if (supplies && !ice[k].isEmpty()) texts[k] = QStringLiteral("Ice <I>(") + ice[k] + QStringLiteral(")</I>, ") + texts[k];
    TrimTrailingSeparator(texts[k], QStringLiteral(","));
  }
}

}  // namespace qw
