// Hostile search criteria through the WHERE builder, the result query and the
// database adapter's SQL translation, on a copy of the demo database. Every
// field of the criteria (names with quotes and wildcards, huge numbers, codes
// out of range, sub-region names) and the edition settings come from the
// input. The program's count must equal the reference count worked out in
// C++, the list query must return as many rows, each sub-region name must
// resolve as the reference resolves it, and the database must not change,
// although the connection could write.
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "services/settings.h"
#include "data/marina_db.h"
#include "fuzz_input.h"
#include "platform/jet.h"
#include "reference_search.h"
#include "search/location_queries.h"
#include "search/result_query.h"
#include "search/where_clause.h"

namespace qw::fuzz {
namespace {

struct World {
  QTemporaryDir dir;
  QString path;
  std::unique_ptr<ReferenceSearch> reference;
  DatabasePtr db;
  QString watchName = QStringLiteral("fuzz-watch");
  qint64 dataVersion = 0;
  QByteArray hash;
  unsigned long runs = 0;
};

World* world = nullptr;

[[noreturn]] void Fail(const QString& what) {
  std::fprintf(stderr, "%s\n", what.toUtf8().constData());
  std::abort();
}

// A text with everything but printable ASCII written as \uXXXX.
QString Escaped(const QString& text) {
  QString out;
  for (QChar c : text)
    out += c.unicode() >= 32 && c.unicode() < 127 ? QString(c) : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
  return out;
}

QByteArray FileHash(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) Fail(QStringLiteral("cannot read ") + path);
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(&file);
  return hash.result();
}

qint64 DataVersion() {
  QSqlQuery q(QSqlDatabase::database(world->watchName));
  if (!q.exec(QStringLiteral("PRAGMA data_version")) || !q.next()) Fail(QStringLiteral("no data_version"));
  return q.value(0).toLongLong();
}

void CheckUnchanged() {
  if (DataVersion() != world->dataVersion) Fail(QStringLiteral("the database was changed (data_version)"));
  if (FileHash(world->path) != world->hash) Fail(QStringLiteral("the database file was changed"));
}

// Pieces a hostile text is made of.
const char16_t* const kSpecials[] = {
    u"'",  u"''", u"\"", u"%",  u"_",  u"*",    u"?",  u"[",   u"]",         u"#",          u"\\",
    u"[!a-z]",    u"-",  u" ",  u"\t", u"\r\n", u";",  u"--",  u"/*",        u"*/",         u" OR 1=1",
    u"') OR ('1'='1", u"\" OR \"\"=\"", u" LIKE ", u"Trim(", u") = 5", u"é", u"\u212A", u"ß", u"\u00A0",
    u"\u2019", u"\U0001F6A2", u"\\%", u"%_", u"**", u"??"};

QString HostileText(FuzzInput& in, const ReferenceSearch& ref) {
  QString text;
  const int parts = in.Range(0, 6);
  for (int p = 0; p < parts; ++p) {
    const int kind = in.Byte() % 8;
    if (kind <= 2) {
      const QStringList* lists[] = {&ref.MarinaNames(), &ref.Cities(), &ref.Harbors(), &ref.GeoCodeNames()};
      const QString& whole = in.Pick(*in.Pick(lists));
      const QString piece = kind != 2 ? whole.mid(in.Range(0, 30), in.Range(1, 12)) : whole;
      const int casing = in.Byte() % 3;
      text += casing == 0 ? piece : casing == 1 ? piece.toUpper() : piece.toLower();
    } else if (kind == 3) {
      text += QString::fromUtf16(in.Pick(kSpecials));
    } else if (kind == 4) {
      text += QChar(in.Word());
    } else {
      text += QChar(in.Range(32, 126));
    }
  }
  return text;
}

QString NumberText(FuzzInput& in, const ReferenceSearch& ref) {
  static const char* const forms[] = {
      "1e3",  "1E+3", "-1e-3", "1,000",   "0x10",     "$5",   "5ft",  "inf",  "nan",   ".",     "-",
      "+.5",  "5.",   " 5 ",   "\t5",     "1e400",    "1e-400", "4.9e-324", "-0", "00012.50", "1.7976931348623157e308",
      "12.4999999999999999999", "12.5000000000000000001", "999999999999999999999", "0.1", "2.675"};
  switch (in.Byte() % 6) {
    case 0: return QString::number(in.Range(0, 400)) + (in.Bool() ? QStringLiteral(".5") : QString());
    case 1: {
      QString digits = in.Bool() ? QStringLiteral("-") : QString();
      const int length = in.Range(1, 400);
      for (int i = 0; i < length; ++i) digits += QChar(u'0' + in.Byte() % 10);
      if (in.Bool()) digits.insert(in.Range(0, static_cast<int>(digits.size())), QLatin1Char('.'));
      return digits;
    }
    case 2: return QString::fromLatin1(in.Pick(forms));
    case 3: return HostileText(in, ref);
    default: return QString();
  }
}

int ComboIndex(FuzzInput& in) {
  static const int extremes[] = {INT_MIN, INT_MAX, -32768, 32767, 65536, -1000};
  return in.Byte() % 8 == 0 ? in.Pick(extremes) : in.Range(-2, 9);
}

int CheckValue(FuzzInput& in) {
  return in.Byte() % 6 == 0 ? static_cast<std::int16_t>(in.Word()) : in.Range(-2, 3);
}

ComboChoice Combo(FuzzInput& in, const ReferenceSearch& ref, const QStringList& values) {
  ComboChoice combo;
  combo.Items.clear();
  const int count = in.Range(0, 4);
  for (int i = 0; i < count; ++i)
    combo.Items << (i == 0 ? QString() : in.Bool() ? in.Pick(values).trimmed() : HostileText(in, ref));
  combo.ListIndex = in.Range(-2, count + 1);
  return combo;
}

std::span<std::int16_t> AmenityArray(AmenityCriteria& a, int which) {
  switch (which % 12) {
    case 0: return a.SupplyDistance;
    case 1: return a.FacilityChecks;
    case 2: return a.CreditCardChecks;
    case 3: return a.ServiceChecks;
    case 4: return a.BoatyardDistance;
    case 5: return a.RecreationDistance;
    case 6: return a.EntertainmentDistance;
    case 7: return a.EateryLodgingDistance;
    case 8: return a.GeneralServiceDistance;
    case 9: return a.ProvisioningDistance;
    case 10: return a.TransportationDistance;
    default: return a.MedicalDistance;
  }
}

SearchCriteria MakeCriteria(FuzzInput& in, const ReferenceSearch& ref) {
  SearchCriteria c;
  if (in.Bool()) c.tbMarinaName = HostileText(in, ref);
  const int regions = in.Byte() % 6;
  for (int i = 0; i < regions && i < 4; ++i) {
    const QString& real = in.Pick(ref.GeoCodeNames());
    switch (in.Byte() % 4) {
      case 0: c.lbGeoCodes << real; break;
      case 1: c.lbGeoCodes << real.toLower().left(in.Range(0, static_cast<int>(real.size()))) + QLatin1Char('*'); break;
      case 2: c.lbGeoCodes << QString(real).replace(in.Range(0, static_cast<int>(real.size())), 1, QLatin1Char('?')); break;
      default: c.lbGeoCodes << HostileText(in, ref); break;
    }
  }
  if (in.Bool()) c.cboCity = Combo(in, ref, ref.Cities());
  if (in.Bool()) c.cboHarbor = Combo(in, ref, ref.Harbors());
  if (in.Bool()) c.txtbicwmin = NumberText(in, ref);
  if (in.Bool()) c.txtbicwmax = NumberText(in, ref);
  if (in.Bool()) c.ebMinLOA = NumberText(in, ref);
  for (const GeneralCombo& combo : GeneralCombos())
    if (in.Byte() % 3 == 0) c.*combo.index = ComboIndex(in);
  for (int* check : {&c.chkPumpOut, &c.chkSunset, &c.chkMegaYachtFacilities, &c.chkBoatStorage, &c.chkAmtrak,
                     &c.chkAirport, &c.chk911, &c.chkHospital})
    if (in.Byte() % 4 == 0) *check = CheckValue(in);
  const std::uint8_t mail = in.Byte();
  for (std::size_t i = 0; i < c.lstMail.size(); ++i) c.lstMail[i] = (mail >> i) & (mail >> 5) & 1;
  const int settings = in.Byte() % 10;
  for (int i = 0; i < settings; ++i) {
    const std::span<std::int16_t> array = AmenityArray(c.Amenity, in.Byte());
    const std::size_t index = in.Byte() % array.size();
    array[index] = in.Byte() % 8 == 0 ? static_cast<std::int16_t>(in.Word()) : static_cast<std::int16_t>(in.Range(-2, 7));
  }
  return c;
}

AppSettings MakeSettings(FuzzInput& in) {
  AppSettings s;
  s.EditionFilter = QStringLiteral("In 7th Edition");
  s.GeoCodeFrom = 5;
  s.GeoCodeTo = 16;
  if (in.Byte() % 4 != 0) return s;
  static const char* const filters[] = {"", "In 6th Edition", "In 7th Edition", "in 7th edition", "In 7th Edition "};
  s.EditionFilter = QString::fromLatin1(in.Pick(filters));
  static const std::int16_t extremes[] = {INT16_MIN, INT16_MAX, -1, 0};
  auto code = [&] { return in.Byte() % 5 == 0 ? in.Pick(extremes) : static_cast<std::int16_t>(in.Range(-2, 18)); };
  s.SingleGeoCode = in.Bool() ? code() : 0;
  s.GeoCodeFrom = code();
  s.GeoCodeTo = code();
  return s;
}

}  // namespace
}  // namespace qw::fuzz

using namespace qw;
using namespace qw::fuzz;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);
  world = new World;
  const QByteArray source = qgetenv("QUAYWISE_DEMO_DATABASE");
  world->path = world->dir.filePath(QStringLiteral("marina.mdb"));
  if (!QFile::copy(source.isEmpty() ? QStringLiteral(QUAYWISE_DEMO_DATABASE) : QString::fromLocal8Bit(source),
                   world->path))
    Fail(QStringLiteral("cannot copy the demo database (set QUAYWISE_DEMO_DATABASE)"));
  world->reference = std::make_unique<ReferenceSearch>(world->path);
  // A connection that could write: text smuggled into the SQL would show.
  world->db = Database::OpenDatabase(world->path, 2, false, ConnectString());
  QSqlDatabase watch = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), world->watchName);
  watch.setDatabaseName(world->path);
  if (!watch.open()) Fail(QStringLiteral("cannot watch the database"));
  world->dataVersion = DataVersion();
  world->hash = FileHash(world->path);
  std::atexit([] { CheckUnchanged(); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const ReferenceSearch& ref = *world->reference;
  const int sortOrder = in.Byte() % 2;
  const SearchCriteria criteria = MakeCriteria(in, ref);
  const AppSettings settings = MakeSettings(in);

  // SQL text ends at a NUL character, which can only stand inside a quoted
  // text: the query then fails as unterminated, and no stored text holding a
  // NUL, nothing should match. That failure is the one allowed.
  auto nulFailure = [](const QString& text, bool nothingExpected) {
    return nothingExpected && text.contains(QChar(0));
  };
  Database& db = *world->db;
  for (const QString& name : criteria.lbGeoCodes) {
    std::optional<int> found;
    try {
      if (const auto code = LookupGeoCode(db, name)) found = *code;
    } catch (const std::exception& e) {
      if (nulFailure(name, !ref.GeoCode(name))) continue;
      Fail(QStringLiteral("the look-up of sub-region '%1' failed: %2")
               .arg(Escaped(name), QString::fromLocal8Bit(e.what())));
    }
    if (found != ref.GeoCode(name))
      Fail(QStringLiteral("sub-region '%1' resolves to %2, expected %3")
               .arg(Escaped(name), QString::number(found.value_or(-1)), QString::number(ref.GeoCode(name).value_or(-1))));
  }
  const QString where = BuildWhereClause(criteria, [&](const QString& name) -> std::optional<std::int16_t> {
    try {
      return LookupGeoCode(db, name);
    } catch (const std::exception&) {
      return std::nullopt;
    }
  });
  const int expected = ref.Count(criteria, settings);
  const QString countSql = BuildResultQuery(ResultQueryKind::Count, where, settings, static_cast<ListOrder>(sortOrder));
  const Result<qint32> count = CountMarinas(db, countSql);
  const bool countFailedOnNul = !count.ok() && nulFailure(countSql, expected == 0);
  if (!countFailedOnNul && (!count.ok() || count.value() != expected))
    Fail(QStringLiteral("count %1 (%2), expected %3\nrun: %4")
             .arg(count.value_or(0))
             .arg(count.ok() ? QStringLiteral("ok") : count.error().description)
             .arg(expected)
             .arg(Escaped(TranslateJetSql(countSql))));
  const QString listSql = BuildResultQuery(ResultQueryKind::List, where, settings, static_cast<ListOrder>(sortOrder));
  try {
    RecordsetPtr rs = db.OpenRecordset(listSql);
    if (rs->RecordCount() != expected)
      Fail(QStringLiteral("list of %1 rows, expected %2\nSQL: %3").arg(rs->RecordCount()).arg(expected).arg(Escaped(listSql)));
    rs->Close();
  } catch (const JetError& e) {
    if (!nulFailure(listSql, expected == 0))
      Fail(QStringLiteral("the list query failed: %1\nSQL: %2").arg(e.description(), Escaped(listSql)));
  }
  if (DataVersion() != world->dataVersion) Fail(QStringLiteral("the database was changed (data_version)"));
  if (++world->runs % 1000 == 0) CheckUnchanged();
  return 0;
}
