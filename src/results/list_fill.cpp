#include "results/list_fill.h"

#include <algorithm>
#include <array>

#include "results/list_state.h"
#include "search/result_query.h"
#include "services/settings.h"

namespace qw {
namespace {

// A rating read from its field: its value, or 0 when missing or Null.
QVariant RatingValue(const Field& field) {
  if (!field.HasValue() || field.Value().isNull()) return 0;
  return field.Value();
}

// A value as a number. Whole and real numbers, as the database gives them
// on every row, are read as they are held; anything else is converted.
double NumberOf(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::LongLong:
      return double(*static_cast<const qlonglong*>(v.constData()));
    case QMetaType::Double:
      return *static_cast<const double*>(v.constData());
    case QMetaType::Bool:
      return *static_cast<const bool*>(v.constData()) ? 1 : 0;
    default:
      return v.toDouble();
  }
}

QString FieldText(const Field& field) { return field.HasValue() ? ValueAsText(field.Value()) : QString(); }

std::int32_t MarinaNumber(const Field& field) {
  if (!field.HasValue()) return 0;
  bool ok = false;
  const qint64 number = field.Value().toLongLong(&ok);
  return ok && number >= INT32_MIN && number <= INT32_MAX ? static_cast<std::int32_t>(number) : 0;
}

bool IsTrue(const Field& field) {
  if (!field.HasValue() || field.Value().isNull()) return false;
  const QVariant& v = field.Value();
  if (v.typeId() == QMetaType::QString) {
    const QString s = v.toString().trimmed();
    return s.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0 || (s.toDouble() != 0);
  }
  return NumberOf(v) != 0;
}

// The list query's columns that a row is read from.
enum class ListField { MarinaNo, Bell, Boatyard, Sunset, ShortName, Name, City, State, Harbor, Count };

QString FieldName(ListField field) {
  switch (field) {
    case ListField::MarinaNo: return QStringLiteral("marinaNo");
    case ListField::Bell: return QStringLiteral("Bell Rating");
    case ListField::Boatyard: return QStringLiteral("Boatyard Rating");
    case ListField::Sunset: return QStringLiteral("SunSet");
    case ListField::ShortName: return QStringLiteral("Marina 30 char Name");
    case ListField::Name: return QStringLiteral("Marina Name");
    case ListField::City: return QStringLiteral("City");
    case ListField::State: return QStringLiteral("State");
    case ListField::Harbor: return QStringLiteral("Harbor");
    case ListField::Count: break;
  }
  return QString();
}

bool HasNonBlank(const QString& text) {
  return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c != u' '; });
}

// The ratings store's text of a rating: a list repeats the same few small
// numbers on every row, so their texts are made once and shared.
QString RatingText(qlonglong n) {
  static const QString kSmall[] = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                   QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
  if (n >= 0 && n < qlonglong(std::size(kSmall))) return kSmall[n];
  return QString::number(n);
}

QString RatingText(const QVariant& rating) {
  switch (rating.typeId()) {
    case QMetaType::LongLong:
      return RatingText(*static_cast<const qlonglong*>(rating.constData()));
    case QMetaType::Int:
      return RatingText(qlonglong(*static_cast<const int*>(rating.constData())));
    default:
      return ValueAsText(rating);
  }
}

// One row from the current record; field(f) gives a list field, text(f) a
// list field's text, optional(column) an optional column's field; order: the
// optional columns.
template <typename FieldOf, typename TextOf, typename OptionalOf>
ListRow ReadRow(FieldOf&& field, TextOf&& text, OptionalOf&& optional, const QList<OptionalColumn>& order) {
  ListRow row;
  row.marinaNo = MarinaNumber(field(ListField::MarinaNo));

  RowBellRating() = RatingValue(field(ListField::Bell));
  const double bell = NumberOf(RowBellRating());
  if (bell > 0 && bell < 6 && bell == int(bell)) row.bellPicture = int(bell);

  RowBoatyardRating() = RatingValue(field(ListField::Boatyard));
  const double yard = NumberOf(RowBoatyardRating());
  if (yard > 0 && yard < 3 && yard == int(yard)) row.boatyardPicture = int(yard) + 5;

  RowSunset() = IsTrue(field(ListField::Sunset)) ? 1 : 0;
  row.sunsetPicture = RowSunset() == 1;

  QString shortText = text(ListField::ShortName);
  row.name = HasNonBlank(shortText) ? std::move(shortText) : text(ListField::Name);
  row.city = text(ListField::City);
  row.state = text(ListField::State);
  row.harbor = text(ListField::Harbor);

  for (OptionalColumn column : order) row.optional << OptionalCellText(column, optional(column));

  row.bellText = RatingText(RowBellRating());
  row.boatyardText = RatingText(RowBoatyardRating());
  row.sunsetText = RatingText(qlonglong(RowSunset()));
  return row;
}

}  // namespace

ListRow ReadListRow(const Recordset& record, const OptionalColumns& columns) {
  return ReadRow([&](ListField f) { return record.Fields(FieldName(f)); },
                 [&](ListField f) { return FieldText(record.Fields(FieldName(f))); },
                 [&](OptionalColumn c) { return record.Fields(OptionalSourceField(c)); }, columns.InOrder());
}

QString ListQueryText(const QString& whereClause) {
  return BuildResultQuery(ResultQueryKind::List, whereClause, Settings(), SortOrder());
}

Result<QList<ListRow>> RunListQuery(Database& db, const QString& sql, const OptionalColumns& columns) {
  return Attempt([&] {
    // The query is read once, forward, with its columns found before the
    // first row; the reader ends the query whatever happens.
    const RowReaderPtr reader = db.OpenForwardOnly(sql);
    std::array<int, std::size_t(ListField::Count)> at{};
    for (std::size_t f = 0; f < at.size(); ++f) at[f] = reader->Position(FieldName(ListField(f)));
    const QList<OptionalColumn> order = columns.InOrder();
    std::array<int, 4> optionalAt{};
    for (OptionalColumn column : order) optionalAt[std::size_t(column)] = reader->Position(OptionalSourceField(column));

    QList<ListRow> rows;
    while (reader->Next())
      rows.append(ReadRow(
          [&](ListField f) { return reader->Value(at[std::size_t(f)]); },
          [&](ListField f) {
            QString text = reader->Text(at[std::size_t(f)]);
            if (text.isNull()) return FieldText(reader->Value(at[std::size_t(f)]));
            return text;
          },
          [&](OptionalColumn c) { return reader->Value(optionalAt[std::size_t(c)]); }, order));
    return rows;
  });
}

}  // namespace qw
