#pragma once
// How every part of the program reaches the marina database: the path, the
// connect string, the open flags, and the shared search connection MyDatabase.
#include "platform/jet.h"

namespace qw {

inline const QString kDatabasePassword = QStringLiteral("718pandorixev");
// ";PWD=" and the password: the connect string of every open.
QString ConnectString();
// Settings().DataFolder + "/" + fileName, joined as they stand.
QString MarinaDatabasePath(const QString& fileName);

// Opens the marina database (DataFolder, DatabaseFileName) with the given
// options value and read-only flag. Throws JetError.
DatabasePtr OpenMarinaDatabase(int options = -1, bool readOnly = true);

// Why the marina database at path could not be read or written, as a
// sentence ends, naming the cause: "the folder of the marina database,
// /data, cannot be found (the disk holding it may have been removed)",
// "another program holds a lock on the marina database", ...; for a fault
// the file does not show, the engine's description (without its full stop).
QString DatabaseFaultReason(DatabaseFault fault, const QString& path, const QString& description);
// The same for an engine error just met on the marina database the settings
// name (diagnosed now: call it right after the failure).
QString MarinaDatabaseFaultReason(const JetError& error);

// The search and result-list connection; only OpenMyDatabase assigns it.
DatabasePtr& MyDatabase();
// Opens MyDatabase on DataFolder/fileName, read-only. On failure reports
// through ErrorHandler ("DavedoZoroz", "OpenMyDatabase") and leaves MyDatabase
// as it was.
void OpenMyDatabase(const QString& fileName);

}  // namespace qw
