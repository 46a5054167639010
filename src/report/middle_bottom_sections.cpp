#include "report/middle_bottom_sections.h"

#include <array>

#include "platform/html_text.h"
#include "platform/jet.h"
#include "report/dont_show.h"
#include "report/restaurant_lodging_section.h"
#include "report/services_section.h"
#include "report_values/make_value_string.h"
#include "report_values/text_routines.h"

namespace qw {
namespace {

const QString kNa = QStringLiteral("n/a");
const QString kLineEnd = QStringLiteral("&nbsp;&nbsp;&nbsp;</Span>");
const QString kSpacer = QStringLiteral("<span class=LineFont1><BR><BR></span>");
constexpr std::array<const char*, 6> kClassLabels{"OnSite: ", "OnCall: ", "Near: ", "Under 1 mi: ", "1-3 mi: ", "3+ mi: "};

// Stands in for a query that could not run: no row, every column unreadable,
// so that each item falls back to its empty text.
class NoRows final : public Recordset {
 public:
  bool Eof() const override { return true; }
  bool Bof() const override { return true; }
  void MoveFirst() override {}
  void MoveNext() override {}
  void MovePrevious() override {}
  void MoveLast() override {}
  int RecordCount() const override { return 0; }
  int FieldCount() const override { return 0; }
  QStringList FieldNames() const override { return {}; }
  Field Fields(const QString&) const override { return Field(); }
  Field Fields(int) const override { return Field(); }
  void Edit() override {}
  void AddNew() override {}
  void SetField(const QString&, const QVariant&) override {}
  void Update() override {}
  void Close() override {}
  bool IsOpen() const override { return false; }
};

RecordsetPtr Open(Database& db, const QString& sql) {
  try {
    return db.OpenRecordset(sql);
  } catch (const JetError& e) {
    if (IsReadFailure(e.number())) throw;  // an unreadable file is not a marina without rows
    return std::make_unique<NoRows>();
  }
}

QString Item(const Recordset& row, const char* key) { return MakeValueString(row, QLatin1String(key), false, true); }

// The class lines of six distance-class texts, in class order; the first line
// written gets firstPrefix before its label. periodFromClass: classes from
// this one on close with a period after the text (0: none).
QString ClassLines(const DistanceClassTexts& texts, const QString& firstPrefix = QString(), int periodFromClass = 0) {
  QString lines;
  bool first = true;
  for (int k = 0; k < 6; ++k) {
    if (texts[k].isEmpty()) continue;
    lines += QStringLiteral("<span class=TitleFont>") + (first ? firstPrefix : QString()) +
             QLatin1String(kClassLabels[k]) + QStringLiteral("</Span><span class=ValueFont>") + texts[k];
    if (periodFromClass > 0 && k + 1 >= periodFromClass) lines += QLatin1Char('.');
    lines += kLineEnd;
    first = false;
  }
  return lines;
}

// An item line: label span, value, closing blanks.
QString ItemLine(const char* label, const QString& value) {
  return QStringLiteral("<span class=TitleFont>") + QLatin1String(label) + QStringLiteral("</Span><span class=ValueFont>") +
         value + kLineEnd;
}

void WriteSubSection(QString& section, const char* heading, const QString& lines, const QString& end = kSpacer) {
  if (lines.isEmpty()) return;
  section += QLatin1String(heading) + lines + end;
}

// The Airport or Hospital line from the first row of its query: the remark
// (cleaned), the distance words of its flags and its distance (escaped); ""
// when the row has neither remark nor distance.
QString FacilityLine(Database& db, const QString& sql, const char* label) {
  const RecordsetPtr rs = Open(db, sql);
  if (rs->Eof()) return QString();
  const QString comments = FieldText(*rs, QStringLiteral("Comments"));
  const QString distance = TrimBlanks(FieldText(*rs, QStringLiteral("Approx Distance")));
  if (TrimBlanks(comments).isEmpty() && distance.isEmpty()) return QString();
  QString line = QLatin1String(label);
  if (!TrimBlanks(comments).isEmpty()) line += ColumnHtml(QStringLiteral("Comments"), comments);
  static const char* const kWords[][2] = {
      {"On-Site", "On-Site"}, {"On-Call", "On-Call"}, {"Nearby", "Near by"}, {"W/in 1 Mile", "W/in 1 mi"}, {"1-3 Miles", "1-3 mi"}};
  for (const auto& w : kWords) {
    if (FieldEqualsOne(*rs, QLatin1String(w[0]))) line += QStringLiteral(" <I>(") + QLatin1String(w[1]) + QStringLiteral(")</I>");
  }
  if (!distance.isEmpty()) {
    line += QStringLiteral(" <I>(") +
            (distance == QLatin1String("x") ? QStringLiteral("3+ mi") : ColumnHtml(QStringLiteral("Approx Distance"), distance)) +
            QStringLiteral(")</I>");
  }
  return line + QStringLiteral("</Span>");
}

QString ServicesLines(Database& db, const QString& n) {
  QString lines;
  QString services = Item(*Open(db, QStringLiteral("select * from rpm_marina_services where MarinaNo=") + n), "Services");
  const QString facilities =
      Item(*Open(db, QStringLiteral("select * from rpm_marina_facilities where MarinaNo=") + n), "Services1");
  // Both lists end every item with ", ", so they join as they are.
  if (services != kNa && facilities != kNa) {
    services += facilities;
  } else if (services == kNa) {
    services = facilities;
  }
  TrimTrailingSeparator(services, QStringLiteral(","));
  if (services != kNa) {
    lines = QStringLiteral("<span class=TitleFont>Services - </Span><span class=ValueFont>") + services +
            QStringLiteral("&nbsp;&nbsp;&nbsp;</span>");
  }
  const QString communication =
      Item(*Open(db, QStringLiteral("select * from rpm_marina_services where MarinaNo=") + n), "Communication");
  if (communication != kNa) lines += ItemLine("Communication - ", communication);
  return lines;
}

QString BoatyardLines(Database& db, std::int32_t marinaNo, const QString& n, const DontShowFlags& flags) {
  DistanceClassTexts texts;
  QString unused911;
  BuildServicesText(db, QStringLiteral("rpm_Boat_and_Boatyard_Services"), marinaNo, flags, texts, unused911);
  QString lines = ClassLines(texts, QString(), 3);

  // Only a marina whose travelift is not on site names its nearest yard.
  const RecordsetPtr nearest = Open(
      db, QStringLiteral("select * from rpm_Boat_and_Boatyard_Services_EI LEFT JOIN rpm_Boat_and_Boatyard_Services ON") +
              QStringLiteral(" rpm_Boat_and_Boatyard_Services_EI.MarinaNo = rpm_Boat_and_Boatyard_Services.MarinaNo") +
              QStringLiteral(" where rpm_Boat_and_Boatyard_Services_EI.MarinaNo=") + n +
              QStringLiteral(" AND rpm_Boat_and_Boatyard_Services.type='Travelift' AND "
                             "rpm_Boat_and_Boatyard_Services.[On-Site]=0"));
  if (!nearest->Eof()) {
    const QString yard = Item(*nearest, "Nearest Yard");
    if (yard != kNa) lines += ItemLine("Nearest Yard: ", yard);
  }

  const RecordsetPtr ei = Open(
      db, QStringLiteral("select * from rpm_Boat_and_Boatyard_Services_EI where rpm_Boat_and_Boatyard_Services_EI.MarinaNo=") + n);
  if (!ei->Eof()) {
    const QString dealer = FieldText(*ei, QStringLiteral("Dealer For"));
    if (!TrimBlanks(dealer).isEmpty()) lines += ItemLine("Dealer for: ", ColumnHtml(QStringLiteral("Dealer For"), dealer) + QLatin1Char('.'));
    const QString member = Item(*ei, "Member");
    if (member != kNa) lines += ItemLine("Member: ", member);
  }

  const RecordsetPtr yard = Open(
      db, QStringLiteral("select * from rpm_Boat_and_Boatyard_Services_EI where [marina has boatyard on site?]=True and "
                         "marinano = ") + n);
  if (!yard->Eof()) {
    const QString rates = Item(*yard, "Yard Rates");
    if (rates != kNa) {
      lines += ItemLine("Yard Rates: ", rates);
      const QString storage = Item(*yard, "Storage");
      if (storage != kNa) lines += ItemLine("Storage: ", storage);
    }
  }
  return lines;
}

// Two amenity tables listed as one block: the first table's items, then the
// second's, class by class.
QString PairedLines(Database& db, std::int32_t marinaNo, const DontShowFlags& flags, const char* first,
                    const char* second) {
  DistanceClassTexts texts;
  QString unused911;
  BuildServicesText(db, QLatin1String(first), marinaNo, flags, texts, unused911);
  for (QString& t : texts) {
    if (!t.isEmpty()) t += QStringLiteral(", ");
  }
  BuildServicesText(db, QLatin1String(second), marinaNo, flags, texts, unused911);
  return ClassLines(texts);
}

// The value of a stored split position: Null, unreadable or not a number is
// no position.
std::optional<double> StoredPosition(const Recordset& row, const char* column) {
  const Field f = row.Fields(QLatin1String(column));
  if (!f.HasValue()) return std::nullopt;
  bool ok = false;
  const double d = f.Value().toDouble(&ok);
  if (!ok) return std::nullopt;
  return d;
}

const char* const kTableOpening = "<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;";

}  // namespace

QString BuildMiddleSectionHtml(Database& reportDb, std::int32_t marinaNo, const DontShowFlags& flags,
                               QString& service911Text) {
  const QString n = QString::number(marinaNo);
  QString section;
  DistanceClassTexts texts;
  QString unused911;

  QString lines = ServicesLines(reportDb, n);
  BuildServicesText(reportDb, QStringLiteral("rpm_Boat_Supplies"), marinaNo, flags, texts, unused911);
  lines += ClassLines(texts, QStringLiteral("Supplies - "));
  WriteSubSection(section, "<span><div class=para_hdr>Marina Services and Boat Supplies</div></span>", lines);

  WriteSubSection(section, "<span><div class=para_hdr>Boatyard Services</div></span>",
                  BoatyardLines(reportDb, marinaNo, n, flags));

  BuildRestaurantAndLodgingText(reportDb, marinaNo, flags, texts);
  WriteSubSection(section, "<span><div class=para_hdr>Restaurants and Accommodations</div></span>", ClassLines(texts));

  WriteSubSection(section, "<span><div class=para_hdr>Recreation and Entertainment</div></span>",
                  PairedLines(reportDb, marinaNo, flags, "rpm_Recreation", "rpm_Entertainment"));

  lines = PairedLines(reportDb, marinaNo, flags, "rpm_Provisioning", "rpm_General_Services");
  lines.replace(QStringLiteral("Complete Provisioning Service"), QStringLiteral("Provisioning Service"), Qt::CaseInsensitive);
  WriteSubSection(section, "<span><div class=para_hdr> Provisioning and General Services</div></span>", lines);

  texts = {};
  BuildServicesText(reportDb, QStringLiteral("rpm_Transportation"), marinaNo, flags, texts, unused911);
  lines = ClassLines(texts);
  lines += FacilityLine(reportDb,
                        QStringLiteral("select * from rpm_Transportation where MarinaNo=") + n +
                            QStringLiteral(" AND rpm_Transportation.type='Nearest Airport'"),
                        "<span class=TitleFont>Airport: </Span><span class=ValueFont> ");
  lines.replace(QStringLiteral("Courtesy Car Or Van Service for Guests"), QStringLiteral("Courtesy Car/Van"),
                Qt::CaseInsensitive);
  WriteSubSection(section, "<span><div class=para_hdr>Transportation</div></span>", lines);

  texts = {};
  service911Text.clear();
  BuildServicesText(reportDb, QStringLiteral("rpm_medical"), marinaNo, flags, texts, service911Text);
  lines.clear();
  if (!service911Text.isEmpty()) lines = QStringLiteral("<span class=ValueFont>") + service911Text + QStringLiteral("&nbsp;</span>");
  lines += ClassLines(texts);
  if (!flags.hospital()) {
    lines += FacilityLine(reportDb,
                          QStringLiteral("select * from rpm_Medical where MarinaNo=") + n +
                              QStringLiteral(" AND rpm_Medical.type='Hospital'"),
                          "<span class=TitleFont>Hospital: </Span><span class=ValueFont> ");
  }
  WriteSubSection(section, "<span><div class=para_hdr>Medical Services</div></span>", lines, QStringLiteral("<BR>"));
  return section;
}

QString BuildBottomSectionHtml(Database& reportDb, std::int32_t marinaNo) {
  const RecordsetPtr rs =
      Open(reportDb, QStringLiteral("select Environs, [Marina Notes], Notable from rpm_extras where MarinaNo=") +
                         QString::number(marinaNo));
  const auto value = [&rs](const char* dashes, const char* key) {
    return QStringLiteral("<span class=ValueFont>") + QLatin1String(dashes) + Item(*rs, key) + QStringLiteral("</Span>");
  };
  return QStringLiteral("<span class=BottomPara_hdr>Setting </Span><span class=ValueFont>") + value(" -- ", "Environs") +
         kLineEnd + kSpacer + QStringLiteral("<span class=BottomPara_hdr>Marina Notes </Span><span class=ValueFont>") +
         value(" -- ", "Marina Notes") + kLineEnd + kSpacer + QStringLiteral("<span><div class=BottomPara_hdr>Notable ") +
         value("-- ", "Notable") + QStringLiteral("<br></div></span>");
}

QString AppendMiddleAndBottomSections(Database& reportDb, std::int32_t marinaNo, const DontShowFlags& flags,
                                      ReportSectionsState& out) {
  out = ReportSectionsState{};
  out.MiddleSectionHtml = BuildMiddleSectionHtml(reportDb, marinaNo, flags, out.Service911Text);

  // One row of stored positions serves both sections; without one (or with a
  // position near either end) a section is divided in its middle.
  const RecordsetPtr output =
      Open(reportDb, QStringLiteral("SELECT * FROM rpm_output WHERE MarinaNo = ") + QString::number(marinaNo));
  out.scrShiftMiddle = StartingShiftBar(static_cast<std::int32_t>(out.MiddleSectionHtml.size()),
                                        StoredPosition(*output, "MiddleSectionPos"));
  SplitTwoColumns(out.MiddleSectionHtml, out.LeftMiddleText, out.RightMiddleText, ShiftOf(out.scrShiftMiddle));

  QString page;
  page += QLatin1String(kTableOpening) + QStringLiteral("left:0.25in; top:4.15in; width:3.5in; height:4in;") +
          QStringLiteral("'><TD style='height:4in' align=left valign=top><div id=LeftMiddleText>") + out.LeftMiddleText +
          QStringLiteral("</div></TABLE>");
  page += QLatin1String(kTableOpening) + QStringLiteral("left:4in; top:4.15in; width:3.5in; height:4in;") +
          QStringLiteral("'><TD align=left valign=top style='height:4in'><div id=RightMiddleText>") +
          out.RightMiddleText + QStringLiteral("</div></TABLE>");

  out.BottomSectionHtml = BuildBottomSectionHtml(reportDb, marinaNo);
  out.scrShiftBottom = StartingShiftBar(static_cast<std::int32_t>(out.BottomSectionHtml.size()),
                                        StoredPosition(*output, "BottomSectionPos"));
  SplitTwoColumns(out.BottomSectionHtml, out.LeftBottomText, out.RightBottomText, ShiftOf(out.scrShiftBottom));

  page += QStringLiteral(
              "<TABLE Border=0 cellspacing=0 cellpadding=0 bgcolor=#DADDE4 style='position:absolute;table-layout:fixed;") +
          QStringLiteral("left:0in; top:8.10in; width:7.625in; height:2.148in;") + QStringLiteral("'><TR><TD></TABLE>");
  page += QStringLiteral(
              "<TABLE Border=0  cellspacing=0 cellpadding=0 bgcolor=#DADDE4 style='position:absolute;table-layout:fixed;") +
          QStringLiteral("left:0.25in; top:8.20in; width:7.25in; height:1.948in;") +
          QStringLiteral("'><TD style='height:1.948in' align=left valign=top><div id=LeftBottomText>") +
          out.BottomSectionHtml + QStringLiteral("</div></TABLE>");
  return page;
}

}  // namespace qw
