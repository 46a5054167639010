#pragma once
// The two page files of the report viewer: the report page (tmp.htm) and the
// Additional Photos page (tmp2.htm), in the folder the program writes to.
#include <QString>

namespace qw {

QString ReportPagePath();            // <writable folder>/tmp.htm
QString AdditionalPhotosPagePath();  // <writable folder>/tmp2.htm

// The outcome of writing the pages; error is a sentence for the user.
struct PageFilesWritten {
  bool ok = false;             // both written
  bool reportWritten = false;  // tmp.htm written (the photos page may still have failed)
  QString error;
};

// Replaces both files with the pages (UTF-8, marked as such so that the
// browser reads every name right). A file that cannot be written is removed
// rather than left holding the previous marina's page, and reported.
PageFilesWritten WriteReportPages(const QString& reportHtml, const QString& photosHtml);

// Deletes both files where they exist.
void DeleteReportPages();

}  // namespace qw
