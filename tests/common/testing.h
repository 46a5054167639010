#pragma once
// Shared test fixtures.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <sys/resource.h>

#include <functional>

namespace qw::testing {

// The program folder the build lays out (executable, VykMarina.ini, pictures,
// help pages, Database/marina.mdb).
QString BuiltProgramFolder();
// The demo database as the generator wrote it (the program folder's copy is
// the one the program started from there writes to).
QString DemoDatabasePath();

// A file's whole content; empty when it cannot be read.
QByteArray ReadFile(const QString& path);
// Creates or replaces a file with bytes; false when it cannot be written.
bool WriteFile(const QString& path, const QByteArray& bytes);
// Runs statements on an SQLite file with plain Qt SQL, so that a test's
// database does not depend on the layer under test; a failing statement
// fails the test.
void MakeSqliteFile(const QString& path, const QStringList& statements);

// Runs the event loop until done() or ms have passed; done()'s last answer.
bool Spin(const std::function<bool()>& done, int ms = 30000);

// Sets an environment variable while it lives; the previous value (or its
// absence) comes back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  QByteArray saved_;
};

// A program folder of its own in a temporary directory: a copy of the demo
// database in <folder>/Database, a VykMarina.ini pointing at it, and the
// program's settings and ProgramFolder() set to it for the test's duration;
// the per-user stores (settings, page setup, kept notes) in <folder>/user.
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
