#include "data/marina_db.h"

#include "platform/program.h"
#include "services/error_handler.h"
#include "services/settings.h"

namespace qw {
namespace {

// What the engine mends on its own (a journal of unfinished changes rolled
// back before a read) goes to the error log beside its errors.
void LogEngineRepairs() {
  static const bool installed = [] {
    DBEngine::SetRepairLog([](const EngineError& e) {
      LogError(QStringLiteral("DavedoZoroz"), e.number, QStringLiteral("DBEngine"), e.source, e.description,
               QStringLiteral("OpenDatabase"));
    });
    return true;
  }();
  Q_UNUSED(installed);
}

}  // namespace

QString ConnectString() { return QStringLiteral(";PWD=") + kDatabasePassword; }

QString MarinaDatabasePath(const QString& fileName) {
  return InProgramFolder(Settings().DataFolder) + QLatin1Char('/') + fileName;
}

DatabasePtr OpenMarinaDatabase(int options, bool readOnly) {
  LogEngineRepairs();
  return Database::OpenDatabase(MarinaDatabasePath(Settings().DatabaseFileName), options, readOnly,
                                ConnectString());
}

DatabasePtr& MyDatabase() {
  static DatabasePtr database;
  return database;
}

void OpenMyDatabase(const QString& fileName) {
  LogEngineRepairs();
  try {
    MyDatabase() = Database::OpenDatabase(MarinaDatabasePath(fileName), -1, true, ConnectString());
  } catch (const std::exception& e) {
    ErrorHandler(QStringLiteral("DavedoZoroz"), QStringLiteral("OpenMyDatabase"), RuntimeError::From(e));
  }
}

}  // namespace qw
