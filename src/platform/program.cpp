#include "platform/program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>
#include <cstdlib>
#include <vector>

namespace qw {
namespace {
QString& FolderOverride() {
  static QString folder;
  return folder;
}
EndProgramHandler& EndHandler() {
  static EndProgramHandler handler;
  return handler;
}
std::vector<std::function<void()>>& EndCleanups() {
  static std::vector<std::function<void()>> cleanups;
  return cleanups;
}
}  // namespace

QString ProgramFolder() {
  if (!FolderOverride().isEmpty()) return FolderOverride();
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
  return QDir::currentPath();
}

void SetProgramFolder(const QString& folder) { FolderOverride() = folder; }

QString WritableFolder() {
  const QString program = ProgramFolder();
  QFileInfo info(program);
  if (info.isDir() && info.isWritable()) return program;
  QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share/Quaywise");
  QDir().mkpath(data);
  return data;
}

QString FindFileNoCase(const QString& folder, const QString& name) {
  QDir dir(folder);
  if (dir.exists(name)) return dir.filePath(name);
  const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& entry : entries) {
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
  }
  return dir.filePath(name);
}

QString TempPageName() {
  // A TMPDIR that names no folder must not send pages to the root folder.
  QString temp = QDir::tempPath();
  if (temp.isEmpty()) temp = QStringLiteral("/tmp");
  for (;;) {
    const QString name = QStringLiteral("%1/rad%2.htm")
                             .arg(temp, QUuid::createUuid().toString(QUuid::Id128).left(8).toUpper());
    if (!QFileInfo::exists(name)) return name;
  }
}

void AtProgramEnd(std::function<void()> cleanup) {
  static bool watching = false;
  if (!watching && QCoreApplication::instance()) {
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &RunProgramEndCleanups);
    watching = true;
  }
  EndCleanups().push_back(std::move(cleanup));
}

void RunProgramEndCleanups() {
  for (const auto& cleanup : EndCleanups()) cleanup();
}

void EndProgram(int exitCode) {
  RunProgramEndCleanups();
  if (EndHandler()) EndHandler()(exitCode);
  std::_Exit(exitCode);
}

EndProgramHandler SetEndProgramHandler(EndProgramHandler handler) {
  EndProgramHandler previous = std::move(EndHandler());
  EndHandler() = std::move(handler);
  return previous;
}

}  // namespace qw
