#pragma once
// The program-wide error reporter and its log, ErrorLog.txt.
#include <QList>
#include <QString>
#include <exception>
#include <utility>

#include "platform/jet.h"
#include "services/result.h"

namespace qw {

// Tells the user to insert the CD-ROM and re-start, and ends the program as
// Exit does: the medium holding the database is missing (engine error 3043).
// Notes not yet stored are asked about first; returns when the user keeps the
// program open for them (during start-up there are none: it ends at once).
void EndForMissingMedium();

// Reports err (logs it, with every error of the engine's collection, and asks
// "Continue?"). Returns true when the user did not answer Yes. For error 3043
// it shows the insert-CD message and ends the program (EndForMissingMedium:
// returns true only when the user keeps the program open).
bool ErrorHandler(const QString& moduleName, const QString& procName, const RuntimeError& err);
// The same with the engine's error collection given (ErrorHandler passes
// DBEngine::Errors()).
bool ReportError(const QString& moduleName, const QString& procName, const RuntimeError& err,
                 const QList<EngineError>& engineErrors);

// Logs err and every error of the engine's collection as ReportError does,
// without asking: for a caller that tells the user in its own words.
void LogFailure(const QString& moduleName, const QString& procName, const RuntimeError& err,
                const QList<EngineError>& engineErrors);

// Appends one record to ErrorLog.txt (in WritableFolder()): time stamp,
// module, procedure, kind ("Err" or "DBEngine"), number (written whole),
// source, description. A log that cannot be written loses the record silently.
void LogError(const QString& moduleName, int errNumber, const QString& kind, const QString& source,
              const QString& description, const QString& procName);

// Logs a step of procName that failed with e and that the program skips
// (SkipOnFailure), as LogFailure does: the engine's collection with it when e
// is an engine error.
void LogSkippedStep(const QString& moduleName, const QString& procName, const std::exception& e);

// Runs one step of a procedure that skips a step that fails and goes on with
// the next; returns whether the step ran to its end. The user is told
// nothing: what failed goes to ErrorLog.txt under the module and procedure.
template <typename F>
bool SkipOnFailure(const QString& moduleName, const QString& procName, F&& step) {
  try {
    std::forward<F>(step)();
    return true;
  } catch (const std::exception& e) {
    LogSkippedStep(moduleName, procName, e);
    return false;  // the caller's next step runs
  }
}

}  // namespace qw
