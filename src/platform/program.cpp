#include "platform/program.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace qw {
namespace {
QString& FolderOverride() {
  static QString folder;
  return folder;
}
EndProgramHandler& EndHandler() {
  static EndProgramHandler handler;
  return handler;
}
std::vector<std::function<void()>>& EndCleanups() {
  static std::vector<std::function<void()>> cleanups;
  return cleanups;
}
}  // namespace

QString ProgramFolder() {
  if (!FolderOverride().isEmpty()) return FolderOverride();
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
  return QDir::currentPath();
}

void SetProgramFolder(const QString& folder) { FolderOverride() = folder; }

QString WritableFolder() {
  const QString program = ProgramFolder();
  QFileInfo info(program);
  if (info.isDir() && info.isWritable()) return program;
  QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share/Quaywise");
  QDir().mkpath(data);
  return data;
}

QString InProgramFolder(const QString& folder) {
  if (folder.isEmpty() || QDir::isAbsolutePath(folder)) return folder;
  return ProgramFolder() + QLatin1Char('/') + folder;
}

QString FindFileNoCase(const QString& folder, const QString& name) {
  QDir dir(folder);
  if (dir.exists(name)) return dir.filePath(name);
  const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& entry : entries) {
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
  }
  return dir.filePath(name);
}

std::unique_ptr<QLockFile> LockProgramFolder(const QString& folder) {
  // Kept in the temporary folder, so that the program folder may be
  // read-only; named after the user and the folder, so that other users and
  // other installations are not held up.
  const QByteArray key =
      QCryptographicHash::hash(QDir(folder).absolutePath().toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
  QString temp = QDir::tempPath();
  if (temp.isEmpty()) temp = QStringLiteral("/tmp");
  auto lock = std::make_unique<QLockFile>(
      QStringLiteral("%1/quaywise-%2-%3.lock").arg(temp).arg(getuid()).arg(QString::fromLatin1(key)));
  // Only a running copy holds the folder, however long it has been running.
  lock->setStaleLockTime(0);
  if (lock->tryLock(0) || lock->error() != QLockFile::LockFailedError) return lock;
  return nullptr;
}

void AtProgramEnd(std::function<void()> cleanup) {
  static bool watching = false;
  if (!watching && QCoreApplication::instance()) {
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &RunProgramEndCleanups);
    watching = true;
  }
  EndCleanups().push_back(std::move(cleanup));
}

void RunProgramEndCleanups() {
  for (const auto& cleanup : EndCleanups()) cleanup();
}

void EndProgram(int exitCode) {
  RunProgramEndCleanups();
  if (EndHandler()) EndHandler()(exitCode);
  std::_Exit(exitCode);
}

EndProgramHandler SetEndProgramHandler(EndProgramHandler handler) {
  EndProgramHandler previous = std::move(EndHandler());
  EndHandler() = std::move(handler);
  return previous;
}

}  // namespace qw
