#pragma once
// Shared test fixtures.
#include <QString>
#include <QTemporaryDir>
#include <sys/resource.h>

namespace qw::testing {

// The program folder the build lays out (executable, VykMarina.ini, pictures,
// help pages, Database/marina.mdb).
QString BuiltProgramFolder();
// The demo database as the generator wrote it (the program folder's copy is
// the one the program started from there writes to).
QString DemoDatabasePath();

// A program folder of its own in a temporary directory: a copy of the demo
// database in <folder>/Database, a VykMarina.ini pointing at it, and the
// program's settings and ProgramFolder() set to it for the test's duration.
class TempProgramFolder {
 public:
  explicit TempProgramFolder(bool withDemoDatabase = true);
  ~TempProgramFolder();
  QString Path() const { return dir_.path(); }
  QString DataFolder() const { return dir_.path() + QStringLiteral("/Database"); }
  QString DatabasePath() const { return DataFolder() + QStringLiteral("/marina.mdb"); }
  // Writes a file in the folder (text as given, bytes unchanged).
  void WriteFile(const QString& name, const QByteArray& content) const;

 private:
  QTemporaryDir dir_;
  QString previousProgramFolder_;
};

// Limits the size of every file the process writes while it lives: writes
// beyond it stop short, as on a disk that fills up, and fail with "File too
// large" (the signal that would end the process is ignored meanwhile).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  // The reason a write beyond the limit gives.
  static QString Reason();

 private:
  rlimit saved_{};
  void (*savedHandler_)(int) = nullptr;
};

}  // namespace qw::testing
