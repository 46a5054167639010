#pragma once
// Where printed pages go. Each Add takes one print: its body as the browser
// engine laid it out (PDF) and the header and footer of its page setup.
//  - A printer set to write a PDF file gets one document of the engine's own
//    pages, text kept as text, with the header and footer stamped on as text.
//  - Any other printer gets each page as a picture with the header and footer
//    drawn on as text (the only way Qt offers to send a PDF page to a printer).
//  - A preview is painted the same way, at screen resolution.
// Several prints can go into one output (one PDF file, one printer job) before
// Finish. The printer's page range, when set, counts over the whole output.
#include <QByteArray>
#include <QString>
#include <memory>

#include "platform/print_pages.h"

class QPainter;
class QPrinter;

namespace qw {

class PrintOutput {
 public:
  enum class Kind { Printer, Preview };
  explicit PrintOutput(QPrinter& printer, Kind kind = Kind::Printer);
  ~PrintOutput();
  PrintOutput(const PrintOutput&) = delete;
  PrintOutput& operator=(const PrintOutput&) = delete;

  QPrinter& Printer() { return printer_; }
  // Adds one print; false (with Error()) when it could not be used.
  bool Add(const QByteArray& bodyPdf, const PageSetup& setup, const QString& title, const QString& url);
  // Sends everything out: writes the PDF file or ends the printer job.
  bool Finish();
  // Pages added so far.
  int PageCount() const { return pages_; }
  const QString& Error() const { return error_; }
  // Whether the print goes into a PDF file (the printer's output file).
  bool PdfFile() const;

 private:
  bool Paint(const QByteArray& bodyPdf, const PageSetup& setup, const QString& title, const QString& url);

  QPrinter& printer_;
  Kind kind_;
  std::unique_ptr<PdfAssembler> pdf_;
  std::unique_ptr<QPainter> painter_;
  int pages_ = 0;
  bool painted_ = false;
  bool finished_ = false;
  QString error_;
};

}  // namespace qw
