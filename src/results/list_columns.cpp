#include "results/list_columns.h"

#include <QMetaType>

#include "platform/vb_text.h"

namespace qw {

QList<OptionalColumn> OptionalColumns::InOrder() const {
  QList<OptionalColumn> order;
  if (slips) order << OptionalColumn::Slips;
  if (moorings) order << OptionalColumn::Moorings;
  if (dockageFee) order << OptionalColumn::DockageFee;
  if (maxLoa) order << OptionalColumn::MaxLoa;
  return order;
}

OptionalColumns FilledCriteria(const QString& totalSlipsText, const QString& mooringsText,
                               const QString& dockageText, const QString& minLoaText) {
  OptionalColumns columns;
  columns.slips = !totalSlipsText.isEmpty();
  columns.moorings = !mooringsText.isEmpty();
  columns.dockageFee = !dockageText.isEmpty();
  columns.maxLoa = !minLoaText.isEmpty();
  return columns;
}

QString ListHeaderFormatString(const OptionalColumns& columns) {
  const int k = columns.Count();
  QString header = QStringLiteral("|^Bell Rating          |^Boatyard  |^Sunset    ");
  header += QStringLiteral("|<Marina Name") + QString(77, u' ');
  header += QStringLiteral("|<City") + QString(k > 0 ? 32 : 30, u' ');
  header += QStringLiteral("|<State") + QString(23, u' ');
  header += QStringLiteral("|<Harbor") + QString(38, u' ');
  if (columns.slips) header += QStringLiteral("|<Total # of Slips   ");
  if (columns.moorings) header += QStringLiteral("|<Moorings    ");
  if (columns.dockageFee) {
    // Beside Max. LOA alone the Dockage Fee heading takes two more blanks.
    const bool withLoaOnly = columns.maxLoa && !columns.slips && !columns.moorings;
    header += withLoaOnly ? QStringLiteral("|<Dockage Fee    ") : QStringLiteral("|<Dockage Fee  ");
  }
  if (columns.maxLoa) header += QStringLiteral("|<Max. LOA    ");
  return header;
}

QString OptionalSourceField(OptionalColumn column) {
  switch (column) {
    case OptionalColumn::Slips: return QStringLiteral("Total # Slips");
    case OptionalColumn::Moorings: return QStringLiteral("Total # of Moorings");
    case OptionalColumn::DockageFee: return QStringLiteral("In Season Slips--Nightly Rate");
    case OptionalColumn::MaxLoa: return QStringLiteral("Maximum Length Overall");
  }
  return QString();
}

QString ValueAsText(const QVariant& value) {
  if (value.isNull()) return QString();
  switch (value.typeId()) {
    case QMetaType::QString:
      return *static_cast<const QString*>(value.constData());  // without a conversion
    case QMetaType::LongLong:
    case QMetaType::Int:
      return QString::number(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
      return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::Bool:
      return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
      return value.toString();
  }
}

QString OptionalCellText(OptionalColumn column, const Field& field) {
  if (!field.HasValue() || field.Value().isNull()) return QString();
  if (column != OptionalColumn::DockageFee) return ValueAsText(field.Value());
  bool numeric = false;
  const double rate = field.Value().toDouble(&numeric);
  if (!numeric) return QStringLiteral("$") + field.Value().toString();
  return QStringLiteral("$") + VbFormatCents(rate);
}

}  // namespace qw
