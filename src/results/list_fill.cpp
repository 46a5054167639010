#include "results/list_fill.h"

#include "platform/vb_text.h"
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

QString FieldText(const Recordset& record, const QString& name) {
  const Field field = record.Fields(name);
  return field.HasValue() ? ValueAsText(field.Value()) : QString();
}

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
  return v.toDouble() != 0;
}

}  // namespace

ListRow ReadListRow(const Recordset& record, const OptionalColumns& columns) {
  ListRow row;
  row.marinaNo = MarinaNumber(record.Fields(QStringLiteral("marinaNo")));

  RowBellRating() = RatingValue(record.Fields(QStringLiteral("Bell Rating")));
  const double bell = RowBellRating().toDouble();
  if (bell > 0 && bell < 6 && bell == int(bell)) row.bellPicture = int(bell);

  RowBoatyardRating() = RatingValue(record.Fields(QStringLiteral("Boatyard Rating")));
  const double yard = RowBoatyardRating().toDouble();
  if (yard > 0 && yard < 3 && yard == int(yard)) row.boatyardPicture = int(yard) + 5;

  RowSunset() = IsTrue(record.Fields(QStringLiteral("SunSet"))) ? 1 : 0;
  row.sunsetPicture = RowSunset() == 1;

  const Field shortName = record.Fields(QStringLiteral("Marina 30 char Name"));
  if (shortName.HasValue() && !TrimBlanks(ValueAsText(shortName.Value())).isEmpty())
    row.name = ValueAsText(shortName.Value());
  else
    row.name = FieldText(record, QStringLiteral("Marina Name"));
  row.city = FieldText(record, QStringLiteral("City"));
  row.state = FieldText(record, QStringLiteral("State"));
  row.harbor = FieldText(record, QStringLiteral("Harbor"));

  for (OptionalColumn column : columns.InOrder())
    row.optional << OptionalCellText(column, record.Fields(OptionalSourceField(column)));

  row.bellText = ValueAsText(RowBellRating());
  row.boatyardText = ValueAsText(RowBoatyardRating());
  row.sunsetText = QString::number(RowSunset());
  return row;
}

QString ListQueryText(const QString& whereClause) {
  return BuildResultQuery(ResultQueryKind::List, whereClause, Settings(), SortOrder());
}

Result<QList<ListRow>> RunListQuery(Database& db, const QString& sql, const OptionalColumns& columns) {
  RecordsetPtr records;
  Result<QList<ListRow>> rows = Attempt([&] {
    QList<ListRow> read;
    records = db.OpenRecordset(sql);
    if (records->RecordCount() > 0) {
      read.reserve(records->RecordCount());
      records->MoveFirst();
      while (!records->Eof()) {
        read.append(ReadListRow(*records, columns));
        records->MoveNext();
      }
    }
    return read;
  });
  if (records) {
    try {
      records->Close();
    } catch (const std::exception&) {
    }
  }
  return rows;
}

}  // namespace qw
