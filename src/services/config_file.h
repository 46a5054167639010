#pragma once
// The configuration file VykMarina.ini: pairs of a key and a value read in
// order into the program-wide settings, the CD-ROM lookup behind "CDD Path",
// the browser-engine version check and the edition title of the first line.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "services/settings.h"

namespace qw {

inline const QString kNoCdRom = QStringLiteral("No CD_ROM Installed");
inline const QString kIniFileName = QStringLiteral("VykMarina.ini");

// The root of the first CD-ROM drive: the mount point of the first iso9660 or
// udf file system in the mount table, followed by "/"; kNoCdRom when none.
QString FindCDROM(const QString& mountTable = QStringLiteral("/proc/mounts"));

// Text to a 16-bit integer as the configuration file needs it: blanks around
// the number allowed, fractions rounded to the nearest integer (halves to the
// even one); nothing for empty text, text that is not a number, or a value
// outside -32768..32767.
std::optional<std::int16_t> ToInteger16(const QString& text);

// Reads the configuration file at path into settings. Keys are compared
// exactly; the later value of a repeated key wins; reading stops without a
// message at the first value that cannot be converted or at a key without a
// value, keeping what was read so far. findCdRom is asked for the CD root
// when a folder value is "CDD Path".
void ReadIniFile(const QString& path, AppSettings& settings,
                 const std::function<QString()>& findCdRom = [] { return FindCDROM(); });

// The browser-engine check: only a major version of exactly "6" passes.
inline const QString kRequiredBrowserVersion = QStringLiteral("6");
bool BrowserVersionAccepted(const QString& version);
// The major version (leading decimal digits) of a version text such as
// "6.4.2"; "ERROR" when it does not start with a digit.
QString MajorVersionText(const QString& versionText);

// The edition title taken from the first line of the configuration file:
// trimmed, the comma and the character after it skipped, leading blanks
// removed, the last character dropped. Nothing when the line leaves no
// character to drop.
std::optional<QString> EditionTitleFromLine(const QString& firstLine);
// The same, read from the configuration file in the program folder (its name
// matched without regard to case). Throws std::runtime_error when the file
// cannot be read or its first line is too short.
QString Parse_String_Edition();

}  // namespace qw
