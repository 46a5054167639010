#include "platform/temp_pages.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>
#include <QTemporaryDir>
#include <QUuid>
#include <memory>
#include <unistd.h>
#include <vector>

#include "platform/program.h"

namespace qw {
namespace {

// Every owner alive, so that the end of the program reaches them all.
QSet<TempPages*>& Owners() {
  static QSet<TempPages*> owners;
  return owners;
}

void RemoveEveryOwnersPages() {
  for (TempPages* owner : Owners()) owner->RemoveAll();
}

// "quaywise-pages-<uid>-": the start of this user's page folders' names.
QString FolderPrefix() { return QStringLiteral("quaywise-pages-%1-").arg(getuid()); }

// A run's folder holds a lock for as long as the run goes on.
const QString kLockName = QStringLiteral(".lock");

struct RunFolder {
  QString root;  // the temporary folder it was made in
  QString path;
  std::unique_ptr<QLockFile> lock;
};

// The folders this run made (a new one when the temporary folder changes).
std::vector<RunFolder>& RunFolders() {
  static std::vector<RunFolder> folders;
  return folders;
}

void RemoveRunFolders() {
  for (RunFolder& folder : RunFolders()) {
    folder.lock.reset();
    QDir(folder.path).removeRecursively();
  }
  RunFolders().clear();
}

}  // namespace

TempPages::TempPages(QObject* owner) : QObject(owner) {
  static bool registered = false;
  if (!registered) {
    AtProgramEnd(&RemoveEveryOwnersPages);
    registered = true;
  }
  Owners().insert(this);
}

TempPages::~TempPages() {
  Owners().remove(this);
  RemoveAll();
}

bool TempPages::Write(const QString& text, QString* path) {
  const QString name = TempPageName();
  if (path) *path = name.isEmpty() ? TempFolder() : name;
  if (name.isEmpty()) return false;
  QFile file(name);
  // Made new, never an existing file, and readable by the user only.
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
    return false;
  Keep(name);
  const QByteArray bytes = (text + QStringLiteral("\r\n")).toUtf8();
  const bool written = file.write(bytes) == bytes.size();
  file.close();
  return written && file.error() == QFile::NoError;
}

void TempPages::Keep(const QString& path) {
  if (!path.isEmpty() && !files_.contains(path)) files_ << path;
}

void TempPages::RemoveAll() {
  for (const QString& file : std::as_const(files_)) QFile::remove(file);
  files_.clear();
}

QString TempPageFolder() {
  const QString root = TempFolder();
  for (const RunFolder& folder : RunFolders())
    if (folder.root == root && QFileInfo(folder.path).isDir()) return folder.path;
  // Made with a name of its own and readable by the user only.
  QTemporaryDir made(root + QLatin1Char('/') + FolderPrefix() + QStringLiteral("XXXXXX"));
  if (!made.isValid()) return QString();
  made.setAutoRemove(false);
  RunFolder folder{root, made.path(), std::make_unique<QLockFile>(made.path() + QLatin1Char('/') + kLockName)};
  folder.lock->setStaleLockTime(0);
  folder.lock->tryLock(0);
  if (RunFolders().empty()) AtProgramEnd(&RemoveRunFolders);
  RunFolders().push_back(std::move(folder));
  return RunFolders().back().path;
}

QString TempPageName() {
  const QString folder = TempPageFolder();
  if (folder.isEmpty()) return QString();
  for (;;) {
    const QString name = QStringLiteral("%1/rad%2.htm")
                             .arg(folder, QUuid::createUuid().toString(QUuid::Id128).left(8).toUpper());
    if (!QFileInfo::exists(name)) return name;
  }
}

void RemoveLeftoverTempPageFolders() {
  const QDir root(TempFolder());
  const QDateTime aMinuteAgo = QDateTime::currentDateTime().addSecs(-60);
  const QFileInfoList folders =
      root.entryInfoList({FolderPrefix() + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
  for (const QFileInfo& info : folders) {
    if (info.isSymLink() || info.ownerId() != getuid()) continue;
    const QString path = info.absoluteFilePath();
    bool own = false;
    for (const RunFolder& folder : RunFolders()) own = own || QFileInfo(folder.path) == info;
    if (own) continue;
    // A folder without its lock may be one a run has only just made.
    const QString lockPath = path + QLatin1Char('/') + kLockName;
    if (!QFileInfo::exists(lockPath) && info.lastModified() > aMinuteAgo) continue;
    QLockFile lock(lockPath);
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) continue;  // its run goes on
    lock.unlock();
    QDir(path).removeRecursively();
  }
}

}  // namespace qw
