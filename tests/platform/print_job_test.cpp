// Jobs sent to a print service of the test's own: what the printer gets,
// and what a queue that refuses, stops or is gone says.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

#include "common/pdf_text.h"
#include "common/print_service.h"
#include "common/testing.h"
#include "platform/print_job.h"

namespace {

using qw::testing::PrintService;

// A PDF of three pages, each with one line of text in a standard font.
QByteArray ThreePages() {
  QByteArray pdf = "%PDF-1.4\n";
  QList<qsizetype> offsets;
  const auto object = [&](const QByteArray& text) {
    offsets << pdf.size();
    pdf += QByteArray::number(offsets.size()) + " 0 obj\n" + text + "\nendobj\n";
  };
  object("<</Type/Catalog/Pages 2 0 R>>");
  object("<</Type/Pages/Count 3/Kids[4 0 R 6 0 R 8 0 R]>>");
  object("<</Type/Font/Subtype/Type1/BaseFont/Helvetica>>");
  for (const char* words : {"Page one", "Page two", "Page three"}) {
    object("<</Type/Page/Parent 2 0 R/MediaBox[0 0 612 792]/Resources<</Font<</F1 3 0 R>>>>/Contents " +
           QByteArray::number(offsets.size() + 2) + " 0 R>>");
    const QByteArray content = QByteArray("BT /F1 24 Tf 72 700 Td (") + words + ") Tj ET";
    object("<</Length " + QByteArray::number(content.size()) + ">>\nstream\n" + content + "\nendstream");
  }
  const qsizetype xref = pdf.size();
  pdf += "xref\n0 " + QByteArray::number(offsets.size() + 1) + "\n0000000000 65535 f \n";
  for (const qsizetype at : offsets) pdf += QByteArray::number(at).rightJustified(10, '0') + " 00000 n \n";
  pdf += "trailer\n<</Size " + QByteArray::number(offsets.size() + 1) + "/Root 1 0 R>>\nstartxref\n" +
         QByteArray::number(xref) + "\n%%EOF\n";
  return pdf;
}

TEST(PrintJob, TheQueueGetsThePdfWithItsOptionsOrTheUserLearnsWhyNot) {
  QTemporaryDir dir;
  const QString document = dir.filePath("pages.pdf");
  ASSERT_TRUE(qw::testing::WriteFile(document, ThreePages()));
  struct Case {
    const char* name;
    std::function<bool(PrintService&)> before;
    QStringList reason;  // what the reason says; empty: the job is sent
  };
  const Case cases[] = {
      {"taken", nullptr, {}},
      {"rejecting",
       [](PrintService& s) { return s.Run("cupsreject", {"-r", "Out of paper", "keep"}); },
       {"the printer \"keep\" did not take the job:", "not accepting jobs", "Out of paper"}},
      {"stopped",
       [](PrintService& s) { return s.Run("cupsdisable", {"-r", "Paper jam", "keep"}); },
       {"the printer \"keep\" is stopped: Paper jam."}},
      {"removed",
       [](PrintService& s) { return s.Run("lpadmin", {"-x", "keep"}); },
       {"the print service does not know the printer \"keep\""}},
      {"service gone",
       [](PrintService& s) { return s.Stop(), true; },
       {"the printer \"keep\" cannot be reached: the print service (CUPS) does not answer at"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PrintService service;
    QW_REQUIRE_PRINT_SERVICE(service);
    ASSERT_TRUE(service.AddQueue("keep", "A4")) << service.Why().toStdString();
    EXPECT_FALSE(qw::HasDefaultPrintQueue());
    if (c.before) {
      ASSERT_TRUE(c.before(service)) << service.Why().toStdString();
    }
    const qw::PrintJobResult result =
        qw::SendPrintJob({"keep", "Marina reports 1-3", document,
                          {{"media", "Letter"}, {"copies", "2"}, {"page-ranges", "2-3"}}});
    EXPECT_EQ(result.sent, c.reason.isEmpty()) << result.reason.toStdString();
    for (const QString& part : c.reason) EXPECT_TRUE(result.reason.contains(part)) << result.reason.toStdString();
    if (!c.reason.isEmpty()) {
      // Nothing prints later that the user was told did not.
      if (QString(c.name) != "service gone") {
        EXPECT_EQ(service.PendingJobs(), 0);
      }
      EXPECT_TRUE(service.Jobs("keep", 0).isEmpty());
      continue;
    }
    const QList<PrintService::Job> jobs = service.Jobs("keep");
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(jobs[0].title, "Marina reports 1-3");
    EXPECT_EQ(jobs[0].copies, 2);
    EXPECT_TRUE(jobs[0].options.contains("media=Letter")) << jobs[0].options.toStdString();
    const QStringList pages = qw::testing::PdfPageTexts(jobs[0].file);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains("Page two") && pages[1].contains("Page three"));
    EXPECT_TRUE(service.Run("lpadmin", {"-d", "keep"}));
    EXPECT_TRUE(qw::HasDefaultPrintQueue());
  }
}

}  // namespace
