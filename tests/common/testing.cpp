#include "common/testing.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "platform/program.h"
#include "services/settings.h"

namespace qw::testing {

QString BuiltProgramFolder() { return QStringLiteral(QUAYWISE_PROGRAM_DIR); }

QString DemoDatabasePath() { return QStringLiteral(QUAYWISE_DEMO_DB); }

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
  Settings() = AppSettings{};
}

void TempProgramFolder::WriteFile(const QString& name, const QByteArray& content) const {
  QFile f(dir_.path() + QLatin1Char('/') + name);
  if (f.open(QIODevice::WriteOnly)) f.write(content);
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
