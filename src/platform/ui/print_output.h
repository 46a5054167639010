#pragma once
// Where printed pages go. Each Add takes one print: its body as the browser
// engine laid it out (PDF) and the header and footer of its page setup.
//  - A printer set to write a PDF file gets one document of the engine's own
//    pages, text kept as text, with the header and footer stamped on as text.
//  - A queue of the print service (CUPS) gets that same document as one PDF
//    job, with the print's choices (copies, page range, paper, orientation,
//    two-sided, the print dialog's further options) as job options and a job
//    title (PrintJobTitle). Finish sends it while the windows go on (a window
//    with Cancel shows when that takes a while) and says why when the
//    service did not take it; the pages are then kept for the user
//    (KeptPrintsFolder). A job the service took is watched until it has
//    printed: what goes wrong later is told then (print_service_wait.h).
//  - Any other printer gets each page as a picture with the header and footer
//    drawn on as text. A preview is painted the same way, at screen
//    resolution.
// The document is written as the prints come, so a long run holds one print
// at a time. Several prints can go into one output (one PDF file, one job)
// before Finish. The printer's page range, when set, counts over the whole
// output. The header and footer stay inside the printer's imageable area.
#include <QByteArray>
#include <QString>
#include <memory>

#include "platform/print_pages.h"

class QPainter;
class QPrinter;
class QSaveFile;
class QTemporaryFile;

namespace qw {

// The print dialog's choices that the print service takes as they are (pages
// per sheet, page set, the job options); cleared, the printer's own apply.
void ClearPrintServiceOptions(QPrinter& printer);

class PrintOutput {
 public:
  enum class Kind { Printer, Preview };
  // jobTitle: the name the print queue lists for the job (and the PDF's
  // title); "Quaywise" when empty.
  explicit PrintOutput(QPrinter& printer, Kind kind = Kind::Printer, const QString& jobTitle = QString());
  ~PrintOutput();
  PrintOutput(const PrintOutput&) = delete;
  PrintOutput& operator=(const PrintOutput&) = delete;

  QPrinter& Printer() { return printer_; }
  // Adds one print; false (with Error()) when it could not be used.
  bool Add(const QByteArray& bodyPdf, const PageSetup& setup, const QString& title, const QString& url);
  // Sends everything out: writes the PDF file, sends the job (and waits until
  // the print service has taken it) or ends the printer job. False when it
  // did not go out: Error() says why, and is empty when the user cancelled
  // the sending. Going without Finish sends nothing and leaves an earlier
  // file as it was.
  bool Finish();
  // Pages added so far.
  int PageCount() const { return pages_; }
  const QString& Error() const { return error_; }
  // Whether the print goes into a PDF file (the printer's output file).
  bool PdfFile() const { return path_ == Path::PdfFile; }
  // Whether it goes to a queue of the print service as a PDF job.
  bool PrintService() const { return path_ == Path::PrintService; }

 private:
  enum class Path { PdfFile, PrintService, Pictures };
  // Opens the document's file on the first print.
  bool Start();
  bool Paint(const QByteArray& bodyPdf, const PageSetup& setup, const QString& title, const QString& url);
  bool SendJob();
  // Says why the PDF file could not be written (errno as the failure left
  // it); false.
  bool FileFailed();

  QPrinter& printer_;
  Kind kind_;
  Path path_;
  QString jobTitle_;
  std::unique_ptr<QSaveFile> file_;          // the PDF file, replaced on Finish
  std::unique_ptr<QTemporaryFile> jobFile_;  // the job's document
  std::unique_ptr<PdfAssembler> pdf_;
  std::unique_ptr<QPainter> painter_;
  int pages_ = 0;
  bool painted_ = false;
  bool finished_ = false;
  QString error_;
};

}  // namespace qw
