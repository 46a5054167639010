#include "platform/temp_pages.h"

#include <QFile>
#include <QSet>

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
  if (path) *path = name;
  QFile file(name);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
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

}  // namespace qw
