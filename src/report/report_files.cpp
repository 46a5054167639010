#include "report/report_files.h"

#include <QFile>

#include "platform/program.h"

namespace qw {
namespace {

// Writes one page whole; "" or the reason it could not be. A page cut short
// is never left to be shown.
QString WritePage(const QString& path, const QString& html) {
  QByteArray bytes("\xEF\xBB\xBF");  // UTF-8 byte order mark
  bytes += html.toUtf8();
  bytes += "\r\n";
  const QString reason = WriteWholeFile(path, bytes);
  if (reason.isEmpty()) return QString();
  QFile::remove(path);
  return QStringLiteral("The page could not be written to %1: %2.").arg(path, reason);
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
