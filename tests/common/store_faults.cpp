#include "common/store_faults.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <cerrno>

#include "common/testing.h"
#include "platform/jet.h"

namespace qw::testing {
namespace {

// ---- A file-system shim whose fsync fails while `failSync` is set.
std::atomic<bool> failSync{false};

struct ShimFile {
  sqlite3_file base;
  sqlite3_file* real;  // the real file, allocated right after this one
};

sqlite3_vfs* RealVfs() {
  static sqlite3_vfs* real = sqlite3_vfs_find(nullptr);
  return real;
}

sqlite3_file* Real(sqlite3_file* f) { return reinterpret_cast<ShimFile*>(f)->real; }

const sqlite3_io_methods kShimMethods = {
    1,
    [](sqlite3_file* f) { return Real(f)->pMethods->xClose(Real(f)); },
    [](sqlite3_file* f, void* b, int n, sqlite3_int64 o) { return Real(f)->pMethods->xRead(Real(f), b, n, o); },
    [](sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
      return Real(f)->pMethods->xWrite(Real(f), b, n, o);
    },
    [](sqlite3_file* f, sqlite3_int64 size) { return Real(f)->pMethods->xTruncate(Real(f), size); },
    [](sqlite3_file* f, int flags) {
      if (!failSync) return Real(f)->pMethods->xSync(Real(f), flags);
      errno = EIO;  // what the engine asks the system for after the failure
      return SQLITE_IOERR_FSYNC;
    },
    [](sqlite3_file* f, sqlite3_int64* size) { return Real(f)->pMethods->xFileSize(Real(f), size); },
    [](sqlite3_file* f, int lock) { return Real(f)->pMethods->xLock(Real(f), lock); },
    [](sqlite3_file* f, int lock) { return Real(f)->pMethods->xUnlock(Real(f), lock); },
    [](sqlite3_file* f, int* out) { return Real(f)->pMethods->xCheckReservedLock(Real(f), out); },
    [](sqlite3_file* f, int op, void* arg) { return Real(f)->pMethods->xFileControl(Real(f), op, arg); },
    [](sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); },
    [](sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); },
    // Version 1 of the methods: no shared memory, no memory mapping.
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

sqlite3_vfs* ShimVfs() {
  static sqlite3_vfs shim = [] {
    sqlite3_vfs v = *RealVfs();
    v.iVersion = 1;
    v.szOsFile = int(sizeof(ShimFile)) + RealVfs()->szOsFile;
    v.zName = "quaywise-failing-fsync";
    v.pNext = nullptr;
    v.xOpen = [](sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
      auto* shim = reinterpret_cast<ShimFile*>(f);
      shim->real = reinterpret_cast<sqlite3_file*>(shim + 1);
      const int rc = RealVfs()->xOpen(RealVfs(), name, shim->real, flags, outFlags);
      shim->base.pMethods = shim->real->pMethods ? &kShimMethods : nullptr;
      return rc;
    };
    return v;
  }();
  return &shim;
}

// Whether another connection's lock keeps a fresh writable connection from
// reading at once.
bool Locked(const QString& path) {
  try {
    const NoLockWait quick;
    Database::OpenDatabase(path, 0, false, QString())->Close();
    return false;
  } catch (const JetError& e) {
    return e.number() == kJetFileInUse || e.number() == kJetLocked;
  }
}

void SetWritable(const QString& path, bool writable) {
  QFile::Permissions p = QFile::permissions(path);
  p.setFlag(QFile::WriteOwner, writable);
  p.setFlag(QFile::WriteUser, writable);
  p.setFlag(QFile::WriteGroup, false);
  p.setFlag(QFile::WriteOther, false);
  ASSERT_TRUE(QFile::setPermissions(path, p)) << path.toStdString();
}

}  // namespace

const char* StoreFaultName(StoreFault fault) {
  switch (fault) {
    case StoreFault::ReadOnlyFile: return "read-only file";
    case StoreFault::ReadOnlyFolder: return "read-only folder";
    case StoreFault::Lock: return "lock held by another program";
    case StoreFault::DiskFull: return "full disk";
    case StoreFault::IoError: return "input/output error";
    case StoreFault::FolderAway: return "folder taken away";
    case StoreFault::FileAway: return "file taken away";
  }
  return "";
}

InjectedFault::InjectedFault(StoreFault fault, QString databasePath) : fault_(fault), path_(std::move(databasePath)) {
  Put();
}

void InjectedFault::Put() {
  const QString folder = QFileInfo(path_).absolutePath();
  switch (fault_) {
    case StoreFault::ReadOnlyFile: SetWritable(path_, false); break;
    case StoreFault::ReadOnlyFolder: SetWritable(folder, false); break;
    case StoreFault::Lock: {
      locker_.setProcessChannelMode(QProcess::MergedChannels);
      locker_.start(QStringLiteral("sqlite3"), {path_});
      ASSERT_TRUE(locker_.waitForStarted()) << "the sqlite3 shell is needed";
      // A connection of this process that is still going away may hold the
      // file for a moment: the shell waits for it rather than giving up.
      locker_.write(".timeout 20000\nBEGIN EXCLUSIVE;\n");
      locker_.waitForBytesWritten();
      QElapsedTimer waited;
      waited.start();
      while (!Locked(path_) && waited.elapsed() < 20000) QThread::msleep(20);
      ASSERT_TRUE(Locked(path_)) << locker_.readAll().toStdString();
      break;
    }
    case StoreFault::DiskFull:
      // Room for a journal's header, not for the first page it saves.
      limit_ = std::make_unique<FileSizeLimit>(4096);
      break;
    case StoreFault::IoError:
      failSync = true;
      sqlite3_vfs_register(ShimVfs(), 1);
      break;
    case StoreFault::FolderAway: ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".away"))); break;
    case StoreFault::FileAway: ASSERT_TRUE(QFile::rename(path_, path_ + QStringLiteral(".away"))); break;
  }
}

InjectedFault::~InjectedFault() { Lift(); }

void InjectedFault::Lift() {
  if (!on_) return;
  on_ = false;
  const QString folder = QFileInfo(path_).absolutePath();
  switch (fault_) {
    case StoreFault::ReadOnlyFile: SetWritable(path_, true); break;
    case StoreFault::ReadOnlyFolder: SetWritable(folder, true); break;
    case StoreFault::Lock:
      locker_.write("ROLLBACK;\n.quit\n");
      locker_.closeWriteChannel();
      EXPECT_TRUE(locker_.waitForFinished(20000));
      break;
    case StoreFault::DiskFull: limit_.reset(); break;
    case StoreFault::IoError:
      // Files opened meanwhile keep the shim, which now passes everything on.
      failSync = false;
      sqlite3_vfs_register(RealVfs(), 1);
      break;
    case StoreFault::FolderAway: EXPECT_TRUE(QDir().rename(folder + QStringLiteral(".away"), folder)); break;
    case StoreFault::FileAway: EXPECT_TRUE(QFile::rename(path_ + QStringLiteral(".away"), path_)); break;
  }
}

}  // namespace qw::testing
