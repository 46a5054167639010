#include "report/report_files.h"

#include <QFile>
#include <QSaveFile>

#include "platform/program.h"

namespace qw {
namespace {

// Writes one page; "" or the reason it could not be written.
QString WritePage(const QString& path, const QString& html) {
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly)) {
    QByteArray bytes("\xEF\xBB\xBF");  // UTF-8 byte order mark
    bytes += html.toUtf8();
    bytes += "\r\n";
    file.write(bytes);
    if (file.commit()) return QString();
  }
  const QString reason = file.errorString();
  QFile::remove(path);
  return QStringLiteral("The page could not be written to %1 (%2).").arg(path, reason);
}

}  // namespace

QString ReportPagePath() { return WritableFolder() + QStringLiteral("/tmp.htm"); }
QString AdditionalPhotosPagePath() { return WritableFolder() + QStringLiteral("/tmp2.htm"); }

PageFilesWritten WriteReportPages(const QString& reportHtml, const QString& photosHtml) {
  PageFilesWritten result;
  const QString reportError = WritePage(ReportPagePath(), reportHtml);
  const QString photosError = WritePage(AdditionalPhotosPagePath(), photosHtml);
  result.reportWritten = reportError.isEmpty();
  result.error = reportError.isEmpty() ? photosError : reportError;
  result.ok = result.error.isEmpty();
  return result;
}

void DeleteReportPages() {
  QFile::remove(ReportPagePath());
  QFile::remove(AdditionalPhotosPagePath());
}

}  // namespace qw
