#include "platform/program.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sys/stat.h>
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
std::function<bool()>& ExitRoad() {
  static std::function<bool()> road;
  return road;
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

QString TempFolder() {
  // Qt gives no path at all for a TMPDIR that names no folder.
  const QString temp = QDir::tempPath();
  return temp.isEmpty() ? QStringLiteral("/tmp") : temp;
}

QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  errno = 0;
  // Unbuffered: a buffered save file takes every byte and commits a file cut
  // short when the disk fills up as its buffer goes out.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return WriteFailureReason(errno, file.errorString());
  if (const QString reason = WriteAll(file, bytes); !reason.isEmpty()) {
    file.cancelWriting();
    return reason;
  }
  errno = 0;
  if (!file.commit()) return WriteFailureReason(errno, file.errorString());
  return QString();
}

QString WriteAll(QIODevice& out, const QByteArray& bytes) {
  qint64 done = 0;
  while (done < bytes.size()) {
    errno = 0;
    const qint64 n = out.write(bytes.constData() + done, bytes.size() - done);
    if (n <= 0) return WriteFailureReason(errno, out.errorString());
    done += n;
  }
  return QString();
}

QString WriteFailureReason(int errnum, const QString& fallback) {
  if (errnum == ENOSPC || errnum == EDQUOT) return QStringLiteral("the disk is full");
  if (errnum != 0) return QString::fromLocal8Bit(std::strerror(errnum));
  if (!fallback.isEmpty() && fallback != QLatin1String("Unknown error")) return fallback;
  return QStringLiteral("the file could not be written");
}

void ReleaseFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

namespace {

// A lock in /tmp, so that the program folder may be read-only, and the same
// for every copy whatever its TMPDIR; named after the user, what is locked
// and its device and inode (its path while it does not exist), so that other
// users and other installations are not held up.
std::unique_ptr<QLockFile> LockKeyed(const char* what, const QString& path) {
  struct stat st {};
  const QString key = ::stat(QFile::encodeName(path).constData(), &st) == 0
                          ? QStringLiteral("%1-%2").arg(quint64(st.st_dev)).arg(quint64(st.st_ino))
                          : QString::fromLatin1(QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1)
                                                    .toHex()
                                                    .left(16));
  auto lock = std::make_unique<QLockFile>(
      QStringLiteral("/tmp/quaywise-%1%2-%3.lock").arg(QLatin1String(what)).arg(getuid()).arg(key));
  // Only a running copy holds it, however long it has been running.
  lock->setStaleLockTime(0);
  if (lock->tryLock(0) || lock->error() != QLockFile::LockFailedError) return lock;
  return nullptr;
}

}  // namespace

std::unique_ptr<QLockFile> LockProgramFolder(const QString& folder) {
  return LockKeyed("", QDir(folder).absolutePath());
}

std::unique_ptr<QLockFile> LockDatabase(const QString& databasePath) {
  return LockKeyed("db-", QDir::cleanPath(QFileInfo(databasePath).absoluteFilePath()));
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

void SetExitRoad(std::function<bool()> mayEnd) { ExitRoad() = std::move(mayEnd); }

void ExitProgram() {
  if (ExitRoad() && !ExitRoad()()) return;
  EndProgram(0);
}

EndProgramHandler SetEndProgramHandler(EndProgramHandler handler) {
  EndProgramHandler previous = std::move(EndHandler());
  EndHandler() = std::move(handler);
  return previous;
}

}  // namespace qw
