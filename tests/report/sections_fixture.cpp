#include "sections_fixture.h"

#include <gtest/gtest.h>

namespace qw::testing {
namespace {

QString FlagValues(const char* flags) {
  QStringList values;
  for (int i = 0; i < 5; ++i) values << (flags[i] == 'n' ? QStringLiteral("NULL") : QString(QLatin1Char(flags[i])));
  return values.join(QLatin1Char(','));
}

const QString kFlagColumns = QStringLiteral("[On-Site],[On-Call],NearBy,[W/in 1 Mile],[1-3 Miles]");

}  // namespace

QString SqlLiteral(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return QStringLiteral("NULL");
  if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::Double) return value.toString();
  return QLatin1Char('\'') + value.toString().replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

SectionsDb::SectionsDb() { db_ = Database::OpenDatabase(folder_.DatabasePath(), -1, false, QStringLiteral(";PWD=")); }

void SectionsDb::Exec(const QString& sql) {
  try {
    db_->Execute(sql);
  } catch (const JetError& e) {
    ADD_FAILURE() << sql.toStdString() << ": " << e.description().toStdString();
  }
}

void SectionsDb::Amenity(const QString& table, const QVariant& type, const char* flags, const QVariant& approx,
                         const QVariant& comments) {
  Exec(QStringLiteral("INSERT INTO %1 (MarinaNo,type,%2,[Approx Distance],Comments) VALUES (%3,%4,%5,%6,%7)")
           .arg(table, kFlagColumns, QString::number(kMarina), SqlLiteral(type), FlagValues(flags), SqlLiteral(approx),
                SqlLiteral(comments)));
}

void SectionsDb::Eatery(const QVariant& type, const QVariant& name, const char* flags, const QVariant& phone,
                        std::initializer_list<QVariant> prices, const QVariant& approx, const QVariant& comments) {
  QStringList marks;
  for (const QVariant& p : prices) marks << SqlLiteral(p);
  while (marks.size() < 3) marks << QStringLiteral("NULL");
  Exec(QStringLiteral("INSERT INTO rpm_Restaurants (MarinaNo,[Rest Type],Name,[Telephone #],[B$],[L$],[D$],%1,"
                      "[Approx Distance],Comments) VALUES (%2,%3,%4,%5,%6,%7,%8,%9)")
           .arg(kFlagColumns, QString::number(kMarina), SqlLiteral(type), SqlLiteral(name), SqlLiteral(phone),
                marks.mid(0, 3).join(QLatin1Char(',')), FlagValues(flags), SqlLiteral(approx), SqlLiteral(comments)));
}

void SectionsDb::Lodging(const QVariant& type, const QVariant& name, const char* flags, const QVariant& phone,
                         const QVariant& price, const QVariant& approx, const QVariant& comments) {
  Exec(QStringLiteral("INSERT INTO rpm_Accommodations (MarinaNo,[Accommodation Type],Name,[Telephone #],[$],%1,"
                      "[Approx Distance],Comments) VALUES (%2,%3,%4,%5,%6,%7,%8,%9)")
           .arg(kFlagColumns, QString::number(kMarina), SqlLiteral(type), SqlLiteral(name), SqlLiteral(phone),
                SqlLiteral(price), FlagValues(flags), SqlLiteral(approx), SqlLiteral(comments)));
}

DontShowFlags Hiding(std::initializer_list<const char*> columns) {
  DontShowFlags flags;
  for (const char* column : columns) {
    bool found = false;
    for (int i = 0; i < kDontShowFlagCount; ++i) {
      if (QLatin1String(DontShowItems()[i].column) == QLatin1String(column)) {
        flags.Flags[i] = true;
        found = true;
      }
    }
    EXPECT_TRUE(found) << column;
  }
  return flags;
}

}  // namespace qw::testing
