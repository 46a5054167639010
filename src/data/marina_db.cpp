#include "data/marina_db.h"

#include "platform/program.h"
#include "services/error_handler.h"
#include "services/settings.h"

namespace qw {

QString ConnectString() { return QStringLiteral(";PWD=") + kDatabasePassword; }

QString MarinaDatabasePath(const QString& fileName) {
  return InProgramFolder(Settings().DataFolder) + QLatin1Char('/') + fileName;
}

DatabasePtr OpenMarinaDatabase(int options, bool readOnly) {
  return Database::OpenDatabase(MarinaDatabasePath(Settings().DatabaseFileName), options, readOnly,
                                ConnectString());
}

DatabasePtr& MyDatabase() {
  static DatabasePtr database;
  return database;
}

void OpenMyDatabase(const QString& fileName) {
  try {
    MyDatabase() = Database::OpenDatabase(MarinaDatabasePath(fileName), -1, true, ConnectString());
  } catch (const std::exception& e) {
    ErrorHandler(QStringLiteral("DavedoZoroz"), QStringLiteral("OpenMyDatabase"), RuntimeError::From(e));
  }
}

}  // namespace qw
