// The result list's fill, from the list query to a filled grid, on the demo
// database and on a generated database of 20,000 marinas.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/settings.h"
#include "platform/program.h"
#include "platform/ui/flex_grid.h"
#include "results/ui/frm_list.h"

namespace {

// The tables the list query joins, all keyed by MarinaNo.
const char* const kListTables[] = {"rpm_Contact_Information", "rpm_nav_info", "rpm_marinaname_no",
                                   "rpm_Vyk", "rpm_marina_facilities", "rpm_marina_services",
                                   "rpm_Boat_and_Boatyard_Services_EI", "['97 Editions]",
                                   "rpm_marina_operations"};

QString DemoFolder() { return QStringLiteral(QUAYWISE_PROGRAM_DIR); }

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "quaywise_bench";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
}

void UseDatabaseFolder(const QString& folder, bool demoFilter) {
  qw::AppSettings& s = qw::Settings();
  s = qw::AppSettings{};
  s.DataFolder = folder;
  s.DatabaseFileName = QStringLiteral("marina.mdb");
  s.EditionName = QStringLiteral("New England");
  if (demoFilter) {
    s.EditionFilter = QStringLiteral("In 7th Edition");
    s.GeoCodeFrom = 5;
    s.GeoCodeTo = 16;
  }
  qw::SortOrder() = 1;
  qw::SetProgramFolder(DemoFolder());
}

// A copy of the demo database whose marinas are repeated under new numbers
// until it holds `marinas` of them.
QString GeneratedDatabaseFolder(int marinas) {
  static QTemporaryDir dir;
  static bool made = false;
  if (made) return dir.path();
  made = true;
  const QString path = dir.filePath(QStringLiteral("marina.mdb"));
  QFile::copy(DemoFolder() + QStringLiteral("/Database/marina.mdb"), path);
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-generate"));
    db.setDatabaseName(path);
    db.open();
    QSqlQuery q(db);
    q.exec(QStringLiteral("select count(*), max(MarinaNo) from rpm_Contact_Information"));
    q.next();
    const int base = q.value(0).toInt();
    const int step = q.value(1).toInt() + 1;
    db.transaction();
    for (int copy = 1; base * copy < marinas; ++copy) {
      for (const char* table : kListTables) {
        const QString t = QString::fromLatin1(table);
        q.exec(QStringLiteral("create temp table x as select * from %1 where MarinaNo < %2").arg(t).arg(step));
        q.exec(QStringLiteral("update x set MarinaNo = MarinaNo + %1").arg(step * copy));
        q.exec(QStringLiteral("insert into %1 select * from x").arg(t));
        q.exec(QStringLiteral("drop table x"));
      }
    }
    q.exec(QStringLiteral("delete from rpm_Contact_Information where MarinaNo not in "
                          "(select MarinaNo from rpm_Contact_Information order by MarinaNo limit %1)")
               .arg(marinas));
    db.commit();
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("bench-generate"));
  return dir.path();
}

void RunFill(benchmark::State& state) {
  qw::FrmList* list = qw::FrmList::Instance();
  for (auto _ : state) {
    list->UpdateListAlternative();
    benchmark::DoNotOptimize(list->GetMarinasCount());
  }
  state.counters["marinas"] = list->GetMarinasCount();
  qw::FrmList::Unload();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_UpdateListAlternative_Demo(benchmark::State& state) {
  EnsureApplication();
  UseDatabaseFolder(DemoFolder() + QStringLiteral("/Database"), true);
  RunFill(state);
}
BENCHMARK(BM_UpdateListAlternative_Demo)->Unit(benchmark::kMillisecond);

void BM_UpdateListAlternative_20000(benchmark::State& state) {
  EnsureApplication();
  UseDatabaseFolder(GeneratedDatabaseFolder(20000), false);
  RunFill(state);
}
BENCHMARK(BM_UpdateListAlternative_20000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
