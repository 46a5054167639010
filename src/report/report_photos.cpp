#include "report/report_photos.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include "platform/html_text.h"

namespace qw {

QString UserPhotoFolder(const QString& photosFolder, int geoCode, int marinaNo) {
  return QStringLiteral("%1/%2/%3").arg(photosFolder).arg(geoCode).arg(marinaNo);
}

QString MainPhotoPrefix(int geoCode, int marinaNo) { return QStringLiteral("%1-%2-@").arg(geoCode).arg(marinaNo); }

QString ProgramPhotoFile(const QString& programFolder, int geoCode, int marinaNo) {
  return QStringLiteral("%1/photos/%2-%3.jpg").arg(programFolder).arg(geoCode).arg(marinaNo);
}

FolderListing ListFolder(const QString& folder) {
  FolderListing files;
  if (folder.isEmpty()) return files;
  for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) files.insert(name.toLower(), name);
  return files;
}

bool ReadPhotoNumber(const QString& part, int* number, bool* plus) {
  const qsizetype digits = part.endsWith(QLatin1Char('+')) ? part.size() - 1 : part.size();
  if (digits < 1 || digits > 6) return false;
  int n = 0;
  for (qsizetype i = 0; i < digits; ++i) {
    if (!part.at(i).isDigit()) return false;
    n = n * 10 + part.at(i).digitValue();
  }
  *number = n;
  *plus = digits < part.size();
  return true;
}

bool PhotoReadable(const QString& path) {
  if (path.isEmpty()) return false;
  QImageReader reader(path);
  return reader.canRead() && reader.size().isValid();
}

QString MainPhotoName(const FolderListing& files, const QString& prefix) {
  const QString lowerPrefix = prefix.toLower();
  QString best;
  int bestNumber = -1;
  bool bestPlus = false;
  for (auto it = files.constBegin(); it != files.constEnd(); ++it) {
    const QString& lower = it.key();
    if (!lower.startsWith(lowerPrefix) || !lower.endsWith(QLatin1String(".jpg"))) continue;
    int n = 0;
    bool plus = false;
    if (!ReadPhotoNumber(lower.mid(prefix.size(), lower.size() - prefix.size() - 4), &n, &plus)) continue;
    // The highest number wins; of one number, the "+" photo.
    if (n > bestNumber || (n == bestNumber && plus && !bestPlus)) {
      best = it.value();
      bestNumber = n;
      bestPlus = plus;
    }
  }
  return best;
}

QString MainPhotoFile(const QString& photosFolder, const QString& programFolder, int geoCode, int marinaNo) {
  const QString folder = UserPhotoFolder(photosFolder, geoCode, marinaNo);
  const QString prefix = MainPhotoPrefix(geoCode, marinaNo);
  FolderListing files = ListFolder(folder);
  for (QString name = MainPhotoName(files, prefix); !name.isEmpty(); name = MainPhotoName(files, prefix)) {
    const QString path = folder + QLatin1Char('/') + name;
    if (PhotoReadable(path)) return path;
    files.remove(name.toLower());
  }
  // No user folder, or one without a main photo: the program's own photo.
  const QString own = ProgramPhotoFile(programFolder, geoCode, marinaNo);
  return PhotoReadable(own) ? own : QString();
}

QString PhotoLinkHtml(const QString& photoFile) {
  const QString url = HtmlAttribute(FileUrl(photoFile));
  return QStringLiteral("<A style='cursor:hand' HREF='") + url + QStringLiteral("'><IMG SRC='") + url +
         QStringLiteral("' style='width:3.625in;height:2.375in' ALIGN=center Border=0 vspace=0 hspace=0>");
}

bool IsPhotoLink(const QUrl& url) {
  return url.isLocalFile() && url.path().endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive);
}

}  // namespace qw
