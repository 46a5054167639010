#pragma once
// Faults that keep a database file from being written, made real for tests
// that run as root, whom file permissions do not stop: a file or folder
// marked read-only (the adapter opens such a file read-only for anyone),
// another program (the sqlite3 shell) holding an exclusive lock, a full disk
// (the process's file size limit), an input/output error of the disk (every
// fsync of SQLite's files fails, through a file-system shim made the
// default), and the folder or the file taken away (a disk pulled out).
#include <QProcess>
#include <QString>
#include <memory>

namespace qw::testing {

class FileSizeLimit;

enum class StoreFault { ReadOnlyFile, ReadOnlyFolder, Lock, DiskFull, IoError, FolderAway, FileAway };
const char* StoreFaultName(StoreFault fault);

// Puts a fault on the database at path while it lives, or until Lift().
class InjectedFault {
 public:
  InjectedFault(StoreFault fault, QString databasePath);
  ~InjectedFault();
  InjectedFault(const InjectedFault&) = delete;
  InjectedFault& operator=(const InjectedFault&) = delete;
  void Lift();

 private:
  void Put();

  StoreFault fault_;
  QString path_;
  bool on_ = true;
  QProcess locker_;
  std::unique_ptr<FileSizeLimit> limit_;
};

}  // namespace qw::testing
