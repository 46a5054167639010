#include "data/marina_db.h"

#include <QFileInfo>

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

QString DatabaseFaultReason(DatabaseFault fault, const QString& path, const QString& description) {
  const QString folder = QFileInfo(path).absolutePath();
  switch (fault) {
    case DatabaseFault::MissingFolder:
      return QStringLiteral(
                 "the folder of the marina database, %1, cannot be found (the disk holding it may have "
                 "been removed)")
          .arg(folder);
    case DatabaseFault::MissingFile:
      return QStringLiteral("the marina database file %1 cannot be found").arg(path);
    case DatabaseFault::ReadOnlyFile:
      return QStringLiteral("the marina database file %1 is read-only").arg(path);
    case DatabaseFault::ReadOnlyFolder:
      return QStringLiteral("the folder of the marina database, %1, is read-only").arg(folder);
    case DatabaseFault::ReadOnlyDisk:
      return QStringLiteral("the disk holding the marina database is read-only");
    case DatabaseFault::OpticalDisc:
      return QStringLiteral("the marina database lies on a CD or DVD, which cannot be written");
    case DatabaseFault::OpenedReadOnly:
      return QStringLiteral("the marina database cannot be written");
    case DatabaseFault::Locked:
      return QStringLiteral("another program holds a lock on the marina database");
    case DatabaseFault::DiskFull:
      return QStringLiteral("the disk holding the marina database is full");
    case DatabaseFault::IoError:
      return QStringLiteral("the disk holding the marina database reported an input/output error");
    case DatabaseFault::Other:
      break;
  }
  QString text = description.trimmed();
  while (text.endsWith(u'.')) text.chop(1);
  return text.isEmpty() ? QStringLiteral("the marina database could not be written") : text;
}

QString MarinaDatabaseFaultReason(const JetError& error) {
  const QString path = MarinaDatabasePath(Settings().DatabaseFileName);
  return DatabaseFaultReason(DiagnoseDatabaseFault(error.number(), path), path, error.description());
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
