#include "common/testing.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "platform/program.h"
#include "services/settings.h"
#include "services/user_store.h"

namespace qw::testing {

QString BuiltProgramFolder() { return QStringLiteral(QUAYWISE_PROGRAM_DIR); }

QString DemoDatabasePath() { return QStringLiteral(QUAYWISE_DEMO_DB); }

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

void MakeSqliteFile(const QString& path, const QStringList& statements) {
  const QString connection = QStringLiteral("make_") + path;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open()) << path.toStdString();
    QSqlQuery q(db);
    for (const QString& s : statements)
      ASSERT_TRUE(q.exec(s)) << s.toStdString() << ": " << q.lastError().text().toStdString();
  }
  QSqlDatabase::removeDatabase(connection);
}

bool Spin(const std::function<bool()>& done, int ms) {
  const QDeadlineTimer deadline(ms);
  while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

ScopedEnv::ScopedEnv(const char* name, const QByteArray& value) : name_(name), saved_(qgetenv(name)) {
  qputenv(name, value);
}

ScopedEnv::~ScopedEnv() {
  if (saved_.isNull())
    qunsetenv(name_);
  else
    qputenv(name_, saved_);
}

TempProgramFolder::TempProgramFolder(bool withDemoDatabase) {
  previousProgramFolder_ = ProgramFolder();
  QDir(dir_.path()).mkpath(QStringLiteral("Database"));
  if (withDemoDatabase) QFile::copy(DemoDatabasePath(), DatabasePath());
  WriteFile(QStringLiteral("VykMarina.ini"),
            QStringLiteral("Edition,\"New England\"\r\nPhotosRootFolder,%1/Photos\r\nDatabasePath,%2\r\n"
                           "List,In 7th Edition\r\nGeoCode,5-16\r\n")
                .arg(dir_.path(), DataFolder())
                .toUtf8());
  SetProgramFolder(dir_.path());
  SetUserStoreFolder(dir_.path() + QStringLiteral("/user"));
  AppSettings& s = Settings();
  s = AppSettings{};
  s.DataFolder = DataFolder();
  s.DatabaseFileName = QStringLiteral("marina.mdb");
  s.PhotosFolder = dir_.path() + QStringLiteral("/Photos");
  s.EditionName = QStringLiteral("New England");
  s.EditionFilter = QStringLiteral("In 7th Edition");
  s.GeoCodeFrom = 5;
  s.GeoCodeTo = 16;
}

TempProgramFolder::~TempProgramFolder() {
  SetProgramFolder(previousProgramFolder_);
  SetUserStoreFolder(QString());
  Settings() = AppSettings{};
}

void TempProgramFolder::WriteFile(const QString& name, const QByteArray& content) const {
  testing::WriteFile(dir_.path() + QLatin1Char('/') + name, content);
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  getrlimit(RLIMIT_FSIZE, &saved_);
  savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved_;
  limited.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limited);
}

FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &saved_);
  std::signal(SIGXFSZ, savedHandler_);
}

QString FileSizeLimit::Reason() { return QString::fromLocal8Bit(std::strerror(EFBIG)); }

}  // namespace qw::testing
