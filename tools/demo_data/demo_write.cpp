// Writes the demo database and checks what was written.
#include "demo_write.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>

namespace qw::demo {
namespace {

const QString kConnection = QStringLiteral("quaywise_demogen");

struct Column {
  QString name, type;
  QVariant fallback;  // the value of a column a row leaves unset
};

QString Quoted(const QString& table) { return table.startsWith(QLatin1Char('[')) ? table : QLatin1Char('[') + table + QLatin1Char(']'); }

void Exec(QSqlQuery& q, const QString& sql) {
  if (!q.exec(sql)) throw std::runtime_error((sql.left(200) + QStringLiteral(": ") + q.lastError().text()).toStdString());
}

class TableWriter {
 public:
  TableWriter(QSqlDatabase db, const QString& table) : query_(db) {
    QSqlQuery info(db);
    Exec(info, QStringLiteral("PRAGMA table_info(%1)").arg(Quoted(table)));
    QStringList names, marks;
    while (info.next()) {
      Column c{info.value(1).toString(), info.value(2).toString().toUpper(), QVariant()};
      const QVariant dflt = info.value(4);
      if (!dflt.isNull()) c.fallback = dflt.toString().toLongLong();
      else if (c.type == QStringLiteral("BOOLEAN")) c.fallback = 0;
      index_.insert(c.name.toLower(), static_cast<int>(columns_.size()));
      columns_.push_back(c);
      names << QLatin1Char('[') + c.name + QLatin1Char(']');
      marks << QStringLiteral("?");
    }
    if (columns_.empty()) throw std::runtime_error(("no such table " + table).toStdString());
    if (!query_.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(Quoted(table), names.join(','), marks.join(','))))
      throw std::runtime_error(query_.lastError().text().toStdString());
    table_ = table;
  }

  void Write(const Row& row) {
    std::vector<const QVariant*> values(columns_.size(), nullptr);
    for (const auto& [name, value] : row.Columns()) {
      const auto it = index_.find(name.toLower());
      if (it == index_.end()) throw std::runtime_error(("no column " + name + " in " + table_).toStdString());
      if (values[it.value()]) throw std::runtime_error(("column " + name + " set twice in " + table_).toStdString());
      values[it.value()] = &value;
    }
    for (int i = 0; i < static_cast<int>(columns_.size()); ++i)
      query_.bindValue(i, values[i] ? *values[i] : columns_[i].fallback);
    if (!query_.exec()) throw std::runtime_error((table_ + QStringLiteral(": ") + query_.lastError().text()).toStdString());
  }

 private:
  QSqlQuery query_;
  QString table_;
  std::vector<Column> columns_;
  QHash<QString, int> index_;  // lower-case column name -> position
};

// Splits a script into statements at semicolons outside quotes, brackets and comments.
QStringList SplitStatements(const QString& script) {
  QStringList out;
  QString current;
  enum { Plain, Quote, Bracket, Comment } state = Plain;
  for (int i = 0; i < script.size(); ++i) {
    const QChar c = script[i];
    switch (state) {
      case Plain:
        if (c == QLatin1Char('-') && i + 1 < script.size() && script[i + 1] == QLatin1Char('-')) {
          state = Comment;
          continue;
        }
        if (c == QLatin1Char('\'')) state = Quote;
        if (c == QLatin1Char('[')) state = Bracket;
        if (c == QLatin1Char(';')) {
          if (!current.trimmed().isEmpty()) out << current.trimmed();
          current.clear();
          continue;
        }
        break;
      case Quote:
        if (c == QLatin1Char('\'')) state = Plain;  // a doubled quote re-enters Quote at once
        break;
      case Bracket:
        if (c == QLatin1Char(']')) state = Plain;
        break;
      case Comment:
        if (c == QLatin1Char('\n')) state = Plain;
        else continue;
        break;
    }
    current += c;
  }
  if (!current.trimmed().isEmpty()) out << current.trimmed();
  return out;
}

}  // namespace

struct DatabaseWriter::Tables {
  std::map<QString, int> order;  // "<table>/<type>" in lower case -> display position
  std::map<QString, std::unique_ptr<TableWriter>> writers;
  std::vector<Row> keyRows;
  std::vector<std::pair<int, int>> keyOrder;  // geo code, map number
  QStringList indexes;  // the schema's CREATE INDEX statements, run once the rows are in
};

DatabaseWriter::DatabaseWriter(const QString& schemaSql, const QString& path) : tables_(std::make_unique<Tables>()) {
  QFile::remove(path);
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
  db.setDatabaseName(path);
  if (!db.open()) throw std::runtime_error(("cannot create " + path + ": " + db.lastError().text()).toStdString());
  QSqlQuery q(db);
  Exec(q, QStringLiteral("PRAGMA journal_mode = OFF"));
  Exec(q, QStringLiteral("PRAGMA synchronous = OFF"));
  // Indexes are built after the rows are written: faster, and a sorted build
  // packs their pages full, which keeps the file smaller.
  static const QRegularExpression isIndex(QStringLiteral("^CREATE\\s+(UNIQUE\\s+)?INDEX\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
  for (const QString& statement : SplitStatements(schemaSql)) {
    if (isIndex.match(statement).hasMatch())
      tables_->indexes << statement;
    else
      Exec(q, statement);
  }
  Exec(q, QStringLiteral("SELECT TableName, serviceName, serviceIndex FROM dumyServices"));
  while (q.next()) tables_->order[(q.value(0).toString() + '/' + q.value(1).toString()).toLower()] = q.value(2).toInt();
  q.finish();
  db.transaction();
}

DatabaseWriter::~DatabaseWriter() {
  tables_.reset();
  {
    QSqlDatabase db = QSqlDatabase::database(kConnection, false);
    if (db.isOpen()) {
      db.rollback();
      db.close();
    }
  }
  QSqlDatabase::removeDatabase(kConnection);
}

static TableWriter& WriterFor(std::map<QString, std::unique_ptr<TableWriter>>& writers, const QString& table) {
  auto& w = writers[table];
  if (!w) w = std::make_unique<TableWriter>(QSqlDatabase::database(kConnection, false), table);
  return *w;
}

void DatabaseWriter::Write(const std::vector<Marina>& marinas, size_t from, size_t to) {
  Tables& t = *tables_;
  for (const QString& table : OnePerMarinaTables()) {
    TableWriter& w = WriterFor(t.writers, table);
    for (size_t i = from; i < to; ++i) w.Write(marinas[i].one.at(table));
  }
  for (const QString& table : AmenityTables()) {
    TableWriter& w = WriterFor(t.writers, table);
    const QString shortName = ShortTableName(table).toLower();
    const auto rank = [&](const Row& r) {
      const auto o = t.order.find(shortName + '/' + r.Get("type").toString().toLower());
      return o == t.order.end() ? 1000 : o->second;
    };
    for (size_t i = from; i < to; ++i) {
      const auto it = marinas[i].many.find(table);
      if (it == marinas[i].many.end()) continue;
      std::vector<Row> rows = it->second;
      std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) { return rank(a) < rank(b); });
      for (const Row& r : rows) w.Write(r);
    }
  }
  for (const QString& table : {QStringLiteral("rpm_Restaurants"), QStringLiteral("rpm_Accommodations")}) {
    TableWriter& w = WriterFor(t.writers, table);
    for (size_t i = from; i < to; ++i) {
      const auto it = marinas[i].many.find(table);
      if (it != marinas[i].many.end())
        for (const Row& r : it->second) w.Write(r);
    }
  }
  TableWriter& display = WriterFor(t.writers, QStringLiteral("rpm_display"));
  TableWriter& output = WriterFor(t.writers, QStringLiteral("rpm_output"));
  for (size_t i = from; i < to; ++i) {
    const Marina& m = marinas[i];
    if (m.hasDisplay) display.Write(m.one.at(QStringLiteral("rpm_display")));
    if (m.hasOutput) output.Write(m.one.at(QStringLiteral("rpm_output")));
    // The map keys grid reads a region's rows without ORDER BY: they are
    // written last, grouped by region in map order.
    t.keyRows.push_back(m.one.at(QStringLiteral("mapkeys")));
    t.keyOrder.emplace_back(m.geoCode, m.mapNo);
  }
}

void DatabaseWriter::Finish() {
  Tables& t = *tables_;
  std::vector<size_t> index(t.keyRows.size());
  for (size_t i = 0; i < index.size(); ++i) index[i] = i;
  std::sort(index.begin(), index.end(), [&](size_t a, size_t b) { return t.keyOrder[a] < t.keyOrder[b]; });
  TableWriter& keys = WriterFor(t.writers, QStringLiteral("mapkeys"));
  for (size_t i : index) keys.Write(t.keyRows[i]);
  t.writers.clear();
  QSqlDatabase db = QSqlDatabase::database(kConnection, false);
  {
    QSqlQuery q(db);
    for (const QString& statement : t.indexes) Exec(q, statement);
  }
  if (!db.commit()) throw std::runtime_error(db.lastError().text().toStdString());
  db.close();
}

void WriteDatabase(const DemoData& data, const QString& schemaSql, const QString& path) {
  DatabaseWriter writer(schemaSql, path);
  writer.Write(data.marinas, 0, data.marinas.size());
  writer.Finish();
}

// ------------------------------------------------------------------- checks

namespace {

class Checker {
 public:
  explicit Checker(QSqlDatabase db) : db_(db) {}
  QStringList failures;

  void Fail(const QString& text) { failures << text; }

  QVariant Scalar(const QString& sql) {
    QSqlQuery q(db_);
    if (!q.exec(sql) || !q.next()) {
      Fail(QStringLiteral("query failed: %1: %2").arg(sql, q.lastError().text()));
      return {};
    }
    return q.value(0);
  }

  std::vector<QVariantList> Rows(const QString& sql) {
    std::vector<QVariantList> out;
    QSqlQuery q(db_);
    if (!q.exec(sql)) {
      Fail(QStringLiteral("query failed: %1: %2").arg(sql, q.lastError().text()));
      return out;
    }
    while (q.next()) {
      QVariantList row;
      for (int i = 0; i < q.record().count(); ++i) row << q.value(i);
      out.push_back(row);
    }
    return out;
  }

  void ExpectZero(const QString& what, const QString& sql) {
    const qlonglong n = Scalar(sql).toLongLong();
    if (n != 0) Fail(QStringLiteral("%1: %2 rows").arg(what).arg(n));
  }

  void ExpectCount(const QString& table, qlonglong expected) {
    const qlonglong n = Scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(Quoted(table))).toLongLong();
    if (n != expected) Fail(QStringLiteral("%1 holds %2 rows, expected %3").arg(table).arg(n).arg(expected));
  }

 private:
  QSqlDatabase db_;
};

const QStringList kDistanceFlags = {"On-Site", "On-Call", "NearBy", "W/in 1 Mile", "1-3 Miles"};

}  // namespace

QStringList CheckDatabase(const QString& path, const std::vector<MapMark>& marks, bool withEdgeRows) {
  QStringList failures;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open()) return {QStringLiteral("cannot open %1").arg(path)};
    Checker c(db);
    const qlonglong n = static_cast<qlonglong>(marks.size());

    // One row per marina, with exactly the marinas of the map marks.
    std::vector<int> expected;
    std::map<int, int> geoOf;
    for (const MapMark& m : marks) {
      expected.push_back(m.marinaNo);
      geoOf[m.marinaNo] = m.geoCode;
    }
    std::sort(expected.begin(), expected.end());
    for (const QString& table : OnePerMarinaTables()) {
      std::vector<int> got;
      for (const QVariantList& r : c.Rows(QStringLiteral("SELECT MarinaNo FROM %1 ORDER BY MarinaNo").arg(Quoted(table))))
        got.push_back(r[0].toInt());
      if (got != expected) c.Fail(QStringLiteral("%1 does not hold exactly one row per map mark (%2 rows)").arg(table).arg(got.size()));
    }
    c.ExpectCount(QStringLiteral("mapkeys"), n);
    c.ExpectCount(QStringLiteral("rpm_output"), withEdgeRows ? n - 1 : n);
    c.ExpectCount(QStringLiteral("rpm_display"), withEdgeRows ? n - 3 : n);
    c.ExpectCount(QStringLiteral("chart_information"), 0);
    c.ExpectCount(QStringLiteral("rpm_Geo_Code_CD"), 12);
    c.ExpectCount(QStringLiteral("dumyServices"), 126);
    for (const QVariantList& r : c.Rows(QStringLiteral("SELECT MarinaNo, [Geo Code] FROM rpm_Vyk")))
      if (geoOf[r[0].toInt()] != r[1].toInt()) c.Fail(QStringLiteral("marina %1 has geo code %2").arg(r[0].toInt()).arg(r[1].toInt()));
    for (const SubRegion& region : SubRegions()) {
      const qlonglong inRegion = std::count_if(marks.begin(), marks.end(), [&](const MapMark& m) { return m.geoCode == region.geoCode; });
      const qlonglong keys = c.Scalar(QStringLiteral("SELECT COUNT(*) FROM mapkeys WHERE regionname = '%1'").arg(region.regionName)).toLongLong();
      if (keys != inRegion) c.Fail(QStringLiteral("mapkeys of %1: %2 rows, expected %3").arg(region.regionName).arg(keys).arg(inRegion));
      if (inRegion == 0) continue;
      const auto ranks = c.Rows(QStringLiteral("SELECT MIN([N/S#]), MAX([N/S#]), COUNT(DISTINCT [N/S#]), COUNT(*) FROM rpm_Vyk WHERE [Geo Code] = %1").arg(region.geoCode));
      if (ranks.empty() || ranks[0][0].toInt() != 1 || ranks[0][1].toLongLong() != inRegion || ranks[0][2].toLongLong() != inRegion)
        c.Fail(QStringLiteral("[N/S#] of geo code %1 does not run 1..%2").arg(region.geoCode).arg(inRegion));
    }

    // Yes/No columns hold 0, 1 or NULL; distance flags hold 0 or 1.
    for (const QVariantList& t : c.Rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
      const QString table = t[0].toString();
      for (const QVariantList& col : c.Rows(QStringLiteral("PRAGMA table_info(%1)").arg(Quoted(table)))) {
        const QString name = col[1].toString();
        if (col[2].toString().toUpper() == QStringLiteral("BOOLEAN"))
          c.ExpectZero(QStringLiteral("%1.[%2] outside 0, 1, NULL").arg(table, name),
                       QStringLiteral("SELECT COUNT(*) FROM %1 WHERE [%2] IS NOT NULL AND [%2] NOT IN (0, 1)").arg(Quoted(table), name));
        if (kDistanceFlags.contains(name))
          c.ExpectZero(QStringLiteral("%1.[%2] not 0 or 1").arg(table, name),
                       QStringLiteral("SELECT COUNT(*) FROM %1 WHERE [%2] IS NULL OR [%2] NOT IN (0, 1)").arg(Quoted(table), name));
      }
    }

    // Every amenity type is listed in dumyServices, and every listed type can be found.
    const QString anyClass = QStringLiteral("([On-Site] + [On-Call] + NearBy + [W/in 1 Mile] + [1-3 Miles] > 0 OR TRIM(IFNULL([Approx Distance], '')) <> '')");
    for (const QString& table : AmenityTables()) {
      const QString shortName = ShortTableName(table);
      c.ExpectZero(QStringLiteral("%1 types without a dumyServices row").arg(table),
                   QStringLiteral("SELECT COUNT(*) FROM %1 t WHERE type <> 'group fishing boat' AND NOT EXISTS "
                                  "(SELECT 1 FROM dumyServices d WHERE d.TableName = '%2' AND d.serviceName = t.type)")
                       .arg(table, shortName));
      for (const QVariantList& r : c.Rows(QStringLiteral("SELECT serviceName FROM dumyServices WHERE TableName = '%1'").arg(shortName))) {
        const QString type = r[0].toString();
        if (type == QStringLiteral("How do guests move around")) continue;  // never searched
        QString literal = type;
        literal.replace(QLatin1Char('\''), QStringLiteral("''"));
        const qlonglong found = c.Scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE type = '%2' AND (%3 OR TRIM(IFNULL(Comments, '')) <> '')")
                                             .arg(table, literal, anyClass)).toLongLong();
        if (found == 0) c.Fail(QStringLiteral("no %1 row of type \"%2\" in any distance class").arg(table, type));
      }
    }
    const QStringList eateryKinds = {"Restaurant", "Seafood Shack", "Coffee Shop", "Snack Bar", "Lite Fare",
                                     "Fast Food", "Pizzeria", "Raw Bar", "Crab House", "Shack"};
    const QStringList lodgingKinds = {"Inn/B&B", "Hotel", "Motel", "Condo/Cottage"};
    const auto kindCheck = [&](const QString& table, const QString& column, const QStringList& kinds) {
      QStringList quoted;
      for (const QString& k : kinds) quoted << QLatin1Char('\'') + k + QLatin1Char('\'');
      c.ExpectZero(QStringLiteral("%1 kinds outside the list").arg(table),
                   QStringLiteral("SELECT COUNT(*) FROM %1 WHERE [%2] COLLATE BINARY NOT IN (%3)").arg(table, column, quoted.join(',')));
      for (const QString& k : kinds)
        if (c.Scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE [%2] = '%3' AND %4").arg(table, column, k, anyClass)).toLongLong() == 0)
          c.Fail(QStringLiteral("no %1 row of kind \"%2\" in any distance class").arg(table, k));
    };
    kindCheck(QStringLiteral("rpm_Restaurants"), QStringLiteral("Rest Type"), eateryKinds);
    kindCheck(QStringLiteral("rpm_Accommodations"), QStringLiteral("Accommodation Type"), lodgingKinds);

    // Formats.
    const QRegularExpression lat(QStringLiteral("^[0-9]{4}\\.[0-9]{3}$"));
    const QRegularExpression lon(QStringLiteral("^-[0-9]{5}\\.[0-9]{3}$"));
    for (const QVariantList& r : c.Rows(QStringLiteral("SELECT MarinaNo, Latitude, Longitude FROM rpm_nav_info"))) {
      const QString la = r[1].toString();
      if (!lat.match(la).hasMatch() && !(withEdgeRows && la == QStringLiteral(" ")))
        c.Fail(QStringLiteral("marina %1: latitude \"%2\"").arg(r[0].toInt()).arg(la));
      if (!lon.match(r[2].toString()).hasMatch()) c.Fail(QStringLiteral("marina %1: longitude \"%2\"").arg(r[0].toInt()).arg(r[2].toString()));
    }
    const QString fakePhone = QStringLiteral("(%1 LIKE '%555-01%' OR %1 LIKE '%55501%' OR %1 IN ('(   )   -', '(   )-   -'))");
    const std::vector<std::pair<QString, QStringList>> phones = {
        {"rpm_Contact_Information", {"Phone", "Toll Free Phone", "Fax", "After-Hours Phone", "CofC Phone"}},
        {"rpm_Boat_and_Boatyard_Services_EI", {"Phone Number of Nearest Boatyard"}},
        {"rpm_Restaurants", {"Telephone #"}},
        {"rpm_Accommodations", {"Telephone #"}}};
    for (const auto& [table, columns] : phones)
      for (const QString& col : columns)
        c.ExpectZero(QStringLiteral("%1.[%2] not a 555-01xx number").arg(table, col),
                     QStringLiteral("SELECT COUNT(*) FROM %1 WHERE [%2] IS NOT NULL AND NOT %3").arg(table, col, fakePhone.arg(QLatin1Char('[') + col + QLatin1Char(']'))));
    c.ExpectZero(QStringLiteral("e-mail or web domains outside example.com/.org"),
                 QStringLiteral("SELECT COUNT(*) FROM rpm_Contact_Information WHERE "
                                "([E-mail] IS NOT NULL AND [E-mail] NOT LIKE '%example.com' AND [E-mail] NOT LIKE '%example.org') OR "
                                "(Website IS NOT NULL AND RTRIM(Website, '.') NOT LIKE '%example.com' AND RTRIM(Website, '.') NOT LIKE '%example.org')"));
    c.ExpectZero(QStringLiteral("short names longer than 30 characters"),
                 QStringLiteral("SELECT COUNT(*) FROM rpm_marinaname_no WHERE LENGTH([Marina 30 char Name]) > 30"));
    failures = c.failures;
    db.close();
  }
  QSqlDatabase::removeDatabase(kConnection);
  return failures;
}

QByteArray IniFileContent() {
  // Folders relative to the program folder, where the program looks for them
  // whatever folder it is started from: a copied or moved program folder
  // keeps its own database and photos.
  return QByteArrayLiteral(
      "Edition,\"New England\"\r\n"
      "PhotosRootFolder,\"Photos\"\r\n"
      "DatabasePath,\"Database\"\r\n"
      "List,In 7th Edition\r\n"
      "GeoCode,5-16\r\n");
}

}  // namespace qw::demo
