#include "platform/program.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <fcntl.h>
#include <sys/file.h>
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

namespace {

// Makes what was done to the entries of path's folder (a file put in place
// or removed) reach the disk.
void SyncFolderOf(const QString& path) {
  const int dir =
      ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  ::fsync(dir);  // a file system that cannot sync a folder keeps the entry all the same
  ::close(dir);
}

}  // namespace

QString WriteWholePrivateFile(const QString& path, const QByteArray& bytes) {
  const QByteArray name = QFile::encodeName(path);
  QByteArray temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temp = name + ".new-" + QByteArray::number(qint64(::getpid())) + '-' + QByteArray::number(attempt);
    fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) return WriteFailureReason(errno);
  }
  if (fd < 0) return WriteFailureReason(EEXIST);
  const auto fail = [&](int err) {
    ::close(fd);
    ::unlink(temp.constData());
    return WriteFailureReason(err);
  };
  qint64 done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    // A write that takes nothing without an error: the disk is full.
    if (n <= 0) return fail(n < 0 ? errno : ENOSPC);
    done += n;
  }
  if (::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.constData());
    return WriteFailureReason(err);
  }
  if (::rename(temp.constData(), name.constData()) != 0) {
    const int err = errno;
    ::unlink(temp.constData());
    return WriteFailureReason(err);
  }
  SyncFolderOf(path);
  return QString();
}

QString RemoveFileForGood(const QString& path) {
  if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT) return WriteFailureReason(errno);
  SyncFolderOf(path);
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

QString& SharedTempRoot() {
  static QString root;
  return root;
}

// Whether path is a folder of the user's own that no one else may enter. A
// link is followed only when followLink; a folder of the user's own that
// others may enter is closed to them first when closeToOthers.
bool PrivateFolder(const QString& path, bool followLink, bool closeToOthers) {
  const QByteArray name = QFile::encodeName(path);
  struct stat st {};
  const auto look = [&] { return (followLink ? ::stat(name.constData(), &st) : ::lstat(name.constData(), &st)) == 0; };
  if (!look() || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return false;
  if ((st.st_mode & 077) != 0 && closeToOthers && ::chmod(name.constData(), 0700) == 0) look();
  return (st.st_mode & 077) == 0;
}

// A folder of the user's own closed to others, made when it is missing (its
// parents too when makeParents); false when what is there is not such a
// folder.
bool MakePrivateFolder(const QString& path, bool makeParents) {
  if (makeParents) {
    const QString parent = QFileInfo(path).absolutePath();
    if (!QFileInfo(parent).isDir() && !QDir().mkpath(parent)) return false;
  }
  ::mkdir(QFile::encodeName(path).constData(), 0700);  // one there already is judged below
  return PrivateFolder(path, false, true);
}

// What trying a lock file found.
enum class LockTry { Taken, Held, Unusable };

// Locks the file at path by flock, making it (0600) when it is missing. A
// thing at the name that is not a file of the user's own is removed first;
// a file that a copy ending meanwhile took away is made again.
LockTry TryLockFile(const QString& path, int& fdOut) {
  const QByteArray name = QFile::encodeName(path);
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    struct stat st {};
    const bool looked = fd >= 0 ? ::fstat(fd, &st) == 0 : ::lstat(name.constData(), &st) == 0;
    const bool ours = looked && S_ISREG(st.st_mode) && st.st_uid == ::getuid();
    if (fd < 0 && (ours || !looked)) return LockTry::Unusable;  // a file of ours that cannot be opened stays
    if (!ours) {
      // A link, a folder, a pipe or a file of another user: never a copy of
      // the program. The folder is the user's own, so it can go.
      if (fd >= 0) ::close(fd);
      if (::unlink(name.constData()) != 0 && ::rmdir(name.constData()) != 0 && !QDir(path).removeRecursively())
        return LockTry::Unusable;
      continue;
    }
    if ((st.st_mode & 07777) != 0600) ::fchmod(fd, 0600);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int err = errno;
      ::close(fd);
      return err == EWOULDBLOCK ? LockTry::Held : LockTry::Unusable;
    }
    // A copy that ended between the open and the flock took the file away:
    // the lock must be on the file that the name gives now.
    struct stat now {};
    if (::stat(name.constData(), &now) != 0 || now.st_dev != st.st_dev || now.st_ino != st.st_ino) {
      ::close(fd);
      continue;
    }
    // Who holds it, for a person who looks.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0) {
      [[maybe_unused]] const ssize_t written = ::write(fd, pid.constData(), size_t(pid.size()));
    }
    fdOut = fd;
    return LockTry::Taken;
  }
  return LockTry::Unusable;
}

// The lock of a folder or file, named after what is locked and its device
// and inode (its path while it does not exist), taken in every lock folder.
std::unique_ptr<CopyLock> LockKeyed(const char* what, const QString& path) {
  struct stat st {};
  const QString key = ::stat(QFile::encodeName(path).constData(), &st) == 0
                          ? QStringLiteral("%1-%2").arg(quint64(st.st_dev)).arg(quint64(st.st_ino))
                          : QString::fromLatin1(QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1)
                                                    .toHex()
                                                    .left(16));
  const QString name = QStringLiteral("quaywise-%1%2.lock").arg(QLatin1String(what), key);
  auto lock = std::make_unique<CopyLock>();
  for (const QString& folder : LockFolders()) {
    const QString file = folder + QLatin1Char('/') + name;
    int fd = -1;
    switch (TryLockFile(file, fd)) {
      case LockTry::Taken:
        lock->Hold(fd, file);
        break;
      case LockTry::Held:
        return nullptr;  // the locks taken so far go with `lock`
      case LockTry::Unusable:
        break;  // held against no one
    }
  }
  return lock;
}

}  // namespace

CopyLock::~CopyLock() { Unlock(); }

void CopyLock::Unlock() {
  // The name goes before the lock, so that a copy starting meanwhile makes a
  // file of its own rather than lock the one that is going.
  for (const Held& h : held_) {
    ::unlink(QFile::encodeName(h.path).constData());
    ::close(h.fd);
  }
  held_.clear();
}

void SetSharedTempRoot(const QString& root) { SharedTempRoot() = root; }

QStringList LockFolders() {
  QStringList folders;
  QList<QPair<quint64, quint64>> seen;
  const auto add = [&](const QString& folder) {
    struct stat st {};
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0) return;
    const QPair<quint64, quint64> id(st.st_dev, st.st_ino);
    if (seen.contains(id)) return;
    seen << id;
    folders << folder;
  };
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (QDir::isAbsolutePath(runtime) && PrivateFolder(runtime, true, false)) add(QDir::cleanPath(runtime));
  const QString root = SharedTempRoot().isEmpty() ? QStringLiteral("/tmp") : SharedTempRoot();
  const QString shared = root + QStringLiteral("/quaywise-%1").arg(::getuid());
  if (MakePrivateFolder(shared, false)) {
    add(shared);
  } else {
    // Another user took the name in /tmp: the copies meet in the user's
    // cache folder instead, also those that have $XDG_RUNTIME_DIR.
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty()) cache = QDir::homePath() + QStringLiteral("/.cache");
    const QString own = cache + QStringLiteral("/Quaywise-locks");
    if (MakePrivateFolder(own, true)) add(own);
  }
  return folders;
}

std::unique_ptr<CopyLock> LockProgramFolder(const QString& folder) {
  return LockKeyed("", QDir(folder).absolutePath());
}

std::unique_ptr<CopyLock> LockDatabase(const QString& databasePath) {
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
