#include "report/restaurant_lodging_section.h"

#include <array>

#include "platform/html_text.h"
#include "platform/jet.h"
#include "platform/vb_text.h"
#include "report/dont_show.h"
#include "report_values/text_routines.h"

namespace qw {
namespace {

constexpr std::array<EntryType, 13> kTypes{{
    {"Restaurant", "Zestaurant"},
    {"Seafood Shack", "Zeafood Shack"},
    {"Raw Bar", "Zaw Bar"},
    {"Crab House", "Zrab House"},
    {"Snack Bar", "Znack Bar"},
    {"Coffee Shop", "Zoffee Shop"},
    {"Fast Food", "Zast Food"},
    {"Lite Fare", "Zite Fare"},
    {"Pizzeria", "Zizzeria"},
    {"Motel", "Zotel"},
    {"Hotel", "Sotel"},
    {"Inn/B&B", "Znn/B&B"},
    {"Condo/Cottage", "Zondo/Cottage"},
}};

// Stands in for a masked form that was already in a note before masking, so
// that unmasking gives it back unchanged: two private-use characters that no
// kind word or masked form contains.
QString Shield(int index) { return QString(QChar(0xE000)) + QChar(0xE100 + index); }

// A price column and the prefix its mark is printed with.
struct PriceColumn {
  const char* column;
  const char* prefix;
};
constexpr std::array<PriceColumn, 3> kMealPrices{{{"B$", "B "}, {"L$", "L "}, {"D$", "D "}}};
constexpr std::array<PriceColumn, 1> kLodgingPrice{{{"$", ""}}};

// A phone without a single digit (an empty input mask such as "(   )-   -")
// is no phone.
bool HasDigit(const QString& text) {
  for (QChar c : text) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) return true;
  }
  return false;
}

// The note of one eatery or lodging: " <I>(name phone, prices, distance,
// comments)</I>" with kind words masked, or "<I></I>" when it has no details.
// Each column goes in as the page takes it (escaped, the comments cleaned).
QString EntryNote(const Recordset& row, std::span<const PriceColumn> prices) {
  QString note;
  const auto trimmed = [&row](const char* column) { return TrimBlanks(FieldText(row, QLatin1String(column))); };
  const auto html = [](const char* column, const QString& value) { return ColumnHtml(QLatin1String(column), value); };
  const QString name = trimmed("Name");
  if (!name.isEmpty()) note = html("Name", name) + QLatin1Char(' ');
  const QString phone = trimmed("Telephone #");
  if (HasDigit(phone)) note += html("Telephone #", FormatPhoneNumber(phone, true)) + QStringLiteral(", ");
  for (const PriceColumn& price : prices) {
    const QString mark = trimmed(price.column);
    if (!mark.isEmpty()) note += QLatin1String(price.prefix) + html(price.column, mark) + QStringLiteral(", ");
  }
  for (const char* column : {"Approx Distance", "Comments"}) {
    const QString value = trimmed(column);
    if (!value.isEmpty()) note += html(column, value) + QStringLiteral(", ");
  }
  TrimTrailingSeparator(note, QStringLiteral(","));
  if (note.isEmpty()) return QStringLiteral("<I></I>");
  note = QStringLiteral(" <I>(") + note + QStringLiteral(")</I>");
  replacename(note);
  return note;
}

// The kind a row is listed under, as the class texts carry it until they are
// grouped: a kind of the table as the table writes it (the grouping looks for
// it so), any other escaped (the grouping leaves its row out).
QString KindText(const QString& type) {
  for (const EntryType& t : kTypes)
    if (type == QLatin1String(t.type)) return type;
  return HtmlText(type);
}

// Appends "kind note, " to the class text of every listed row of the query.
void AddEntries(Database& db, const QString& sql, const QString& typeColumn, std::span<const PriceColumn> prices,
                const DontShowFlags& flags, DistanceClassTexts& texts) {
  try {
    const RecordsetPtr rs = db.OpenRecordset(sql);
    for (; !rs->Eof(); rs->MoveNext()) {
      const Field type = rs->Fields(typeColumn);
      if (!type.HasValue()) continue;
      const int k = DistanceClassOf(*rs);
      if (k == 0) continue;
      const QString typeName = VbText(type.Value());
      if (IsItemHidden(flags, typeName)) continue;
      texts[k - 1] += KindText(typeName) + EntryNote(*rs, prices) + QStringLiteral(", ");
    }
    rs->Close();
  } catch (const JetError& e) {
    if (IsReadFailure(e.number())) throw;
    // The report skips a statement that fails: the texts keep what was read.
  }
}

// The position of the "</I>" that closes the "<I>" at start (italics inside a
// note's own text nest). When the nesting never closes, the first "</I>"
// after start, so that no entry is lost; -1 when there is none.
qsizetype ClosingItalic(const QString& text, qsizetype start) {
  int depth = 0;
  for (qsizetype at = start;;) {
    const qsizetype open = text.indexOf(QLatin1String("<I>"), at);
    const qsizetype close = text.indexOf(QLatin1String("</I>"), at);
    if (close < 0) return text.indexOf(QLatin1String("</I>"), start);
    if (open >= 0 && open < close) {
      ++depth;
      at = open + 3;
    } else {
      if (--depth == 0) return close;
      at = close + 4;
    }
  }
}

}  // namespace

std::span<const EntryType, 13> EntryTypes() { return kTypes; }

void replacename(QString& text) {
  for (int i = 0; i < static_cast<int>(kTypes.size()); ++i) text.replace(QLatin1String(kTypes[i].masked), Shield(i));
  for (const EntryType& t : kTypes) text.replace(QLatin1String(t.type), QLatin1String(t.masked));
}

void revertname(QString& text) {
  for (const EntryType& t : kTypes) text.replace(QLatin1String(t.masked), QLatin1String(t.type));
  for (int i = 0; i < static_cast<int>(kTypes.size()); ++i) text.replace(Shield(i), QLatin1String(kTypes[i].masked));
}

QString GroupEntriesByType(const QString& text, const QString& typeName) {
  QString result;
  qsizetype p = text.indexOf(typeName);
  while (p >= 0) {
    const qsizetype start = text.indexOf(QLatin1String("<I>"), p);
    if (start < 0) break;
    const qsizetype close = ClosingItalic(text, start);
    if (close < 0) break;
    const qsizetype end = close + 4;
    result += text.mid(start, end - start) + QStringLiteral(", ");
    p = text.indexOf(typeName, end);
  }
  if (result.isEmpty()) return QString();
  if (result == QLatin1String("<I></I>, ")) {
    return typeName == QLatin1String("Seafood Shack") ? typeName + QStringLiteral(" , ") : typeName + QStringLiteral(", ");
  }
  return typeName + QLatin1Char(' ') + result;
}

void BuildRestaurantAndLodgingText(Database& db, std::int32_t marinaNo, const DontShowFlags& flags,
                                   DistanceClassTexts& texts) {
  for (QString& t : texts) t.clear();
  const QString n = QString::number(marinaNo);
  AddEntries(db, QStringLiteral("select * from rpm_Restaurants where MarinaNo=") + n, QStringLiteral("Rest Type"),
             kMealPrices, flags, texts);
  AddEntries(db, QStringLiteral("select * from rpm_Accommodations where MarinaNo=") + n,
             QStringLiteral("Accommodation Type"), kLodgingPrice, flags, texts);
  for (QString& text : texts) {
    QString grouped;
    for (const EntryType& t : kTypes) grouped += GroupEntriesByType(text, QLatin1String(t.type));
    revertname(grouped);
    TrimTrailingSeparator(grouped, QStringLiteral(","));
    text = grouped;
  }
}

}  // namespace qw
