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

// The search and result-list connection; only OpenMyDatabase assigns it.
DatabasePtr& MyDatabase();
// Opens MyDatabase on DataFolder/fileName, read-only. On failure reports
// through ErrorHandler ("DavedoZoroz", "OpenMyDatabase") and leaves MyDatabase
// as it was.
void OpenMyDatabase(const QString& fileName);

}  // namespace qw
