#pragma once
// Small services the whole program needs: the program folder, where files are
// written, the temporary folder, twips, and ending the program at once.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;

namespace qw {

// Twips to pixels and back (15 twips a pixel).
inline constexpr int kTwipsPerPixel = 15;
inline int TwipsToPixels(double twips) { return static_cast<int>(twips / kTwipsPerPixel + (twips >= 0 ? 0.5 : -0.5)); }
inline int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// The folder of the running program (tests may point it elsewhere).
QString ProgramFolder();
void SetProgramFolder(const QString& folder);

// Where the program writes its own files (error log, report pages): the
// program folder when it is writable, else the per-user data folder.
QString WritableFolder();

// A folder named in the configuration file: one given relative to no folder
// in particular is taken in the program folder, whatever folder the program
// was started from; an empty or absolute one as it stands.
QString InProgramFolder(const QString& folder);

// The system temporary folder; /tmp when TMPDIR names no folder, so that
// temporary files never land in the root or the current folder.
QString TempFolder();

// A file name in the program folder found without regard to case
// ("vykmarina.ini" finds "VykMarina.ini"); the name as given when none exists.
QString FindFileNoCase(const QString& folder, const QString& name);

// Replaces the file at path with bytes, whole or not at all: a write that
// stops short (a full disk) leaves the file as it was. "" when written, else
// why not, as a sentence ends ("the disk is full").
QString WriteWholeFile(const QString& path, const QByteArray& bytes);
// The same for a file that only the user may read (0600): written to a new
// file beside it, flushed to the disk, then put in its place, so that the
// file holds the old bytes or the new ones whatever happens meanwhile (a
// crash, a power cut).
QString WriteWholePrivateFile(const QString& path, const QByteArray& bytes);
// Removes the file at path for good: the removal reaches the disk before it
// returns. "" when it is gone (or was not there), else why not.
QString RemoveFileForGood(const QString& path);
// Writes all of bytes to out: a write that takes less than it was given (a
// disk filling up) without counting as failed is followed by one of the
// rest, which says why it cannot be. "" when written, else why not (as
// WriteFailureReason).
QString WriteAll(QIODevice& out, const QByteArray& bytes);
// Why a write failed, from the system's error number: "the disk is full" for
// a disk (or quota) without room, else the system's own words; `fallback`
// when the number says nothing.
QString WriteFailureReason(int errnum, const QString& fallback = QString());

// Gives memory the program has freed back to the system. After a large piece
// of work (a print run of every report) the freed memory would otherwise stay
// with the program, in pieces too scattered to be given back by themselves.
void ReleaseFreedMemory();

// A lock that one running copy of the program holds for the user who started
// it; let go by Unlock or when it is destroyed.
class CopyLock {
 public:
  CopyLock() = default;
  ~CopyLock();
  CopyLock(const CopyLock&) = delete;
  CopyLock& operator=(const CopyLock&) = delete;
  // Whether it holds anything: false where no lock could be made at all.
  bool IsLocked() const { return !held_.empty(); }
  void Unlock();
  // Holds the locked file fd at path from now on (the lock functions below).
  void Hold(int fd, const QString& path) { held_.push_back({fd, path}); }

 private:
  struct Held {
    int fd;
    QString path;
  };
  std::vector<Held> held_;
};

// The locks that one running copy of the program holds for the user who
// started it: on its program folder (its report pages) and on the marina
// database it uses (its notes), whatever folder another copy runs from. Empty
// when another running copy holds it. A folder or file is known by its device
// and inode: links and other spellings of it hold the same lock.
// The lock files lie in folders that only the user can write, the same for
// every copy whatever its TMPDIR: $XDG_RUNTIME_DIR when it is the user's own
// and closed to others, and a folder of the user's own in /tmp (made closed
// to others), or, where another user took that name, one in the user's cache
// folder. The lock is taken in each of them, so that copies started with and
// without $XDG_RUNTIME_DIR see each other. A lock file is 0600; a copy holds it by flock, which the system
// lets go when the copy ends however it ends, so that a file left behind is
// taken over; anything at a lock's name that is not a file of the user's own
// is removed and never counts as a running copy. A lock that cannot be made
// at all is not held against anyone: the result is then a lock that holds
// nothing.
std::unique_ptr<CopyLock> LockProgramFolder(const QString& folder);
std::unique_ptr<CopyLock> LockDatabase(const QString& databasePath);
// The folder where the per-user lock folder is made: /tmp, whatever TMPDIR
// says (tests point it elsewhere; an empty root restores /tmp).
void SetSharedTempRoot(const QString& root);
// The folders where the locks are taken now, as described above.
QStringList LockFolders();
// What a copy that is refused says.
inline const QString kAlreadyRunningMessage =
    QStringLiteral("Quaywise is already running. Only one copy of the guide can be open at a time.");

// Work that must happen however the program ends (deleting temporary files):
// run by EndProgram and when the application quits. Each runs every time the
// program ends, so it must do nothing when there is nothing left to do.
void AtProgramEnd(std::function<void()> cleanup);
void RunProgramEndCleanups();

// Ends the program at once: no window's close handling runs (the AtProgramEnd
// work does). Tests install a
// handler (which typically throws) to observe it.
[[noreturn]] void EndProgram(int exitCode = 0);

// What must happen before the program ends as Exit ends it (the main window
// asks about notes not yet stored and tidies up): true when it may end, false
// when the user chose to keep it open. Set by the main window once it is up.
void SetExitRoad(std::function<bool()> mayEnd);
// Ends the program as Exit does: through the exit road when one is set (it
// returns when the user keeps the program open), at once otherwise (during
// start-up).
void ExitProgram();
using EndProgramHandler = std::function<void(int)>;
EndProgramHandler SetEndProgramHandler(EndProgramHandler handler);

}  // namespace qw
