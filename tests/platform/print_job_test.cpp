// Jobs sent to a print service of the test's own: what the printer gets,
// and what a queue that refuses, stops or is gone says.
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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
  using Outcome = qw::PrintJobResult::Outcome;
  struct Case {
    const char* name;
    std::function<bool(PrintService&)> before;
    Outcome outcome;
    QStringList reason;  // what the reason says
  };
  const Case cases[] = {
      {"taken", nullptr, Outcome::Sent, {}},
      {"rejecting",
       [](PrintService& s) {
         return s.Run("cupsreject", {"-r", "Out of paper", "keep"});
       },
       Outcome::Refused,
       {"the printer \"keep\" did not take the job:", "not accepting jobs", "Out of paper"}},
      {"stopped",
       [](PrintService& s) {
         return s.Run("cupsdisable", {"-r", "Paper jam", "keep"});
       },
       Outcome::Refused,
       {"the printer \"keep\" is stopped: Paper jam."}},
      {"removed",
       [](PrintService& s) {
         return s.Run("lpadmin", {"-x", "keep"});
       },
       Outcome::Refused,
       {"the print service does not know the printer \"keep\""}},
      {"service gone",
       [](PrintService& s) { return s.Stop(), true; },
       Outcome::NoAnswer,
       {"the printer \"keep\" cannot be reached: the print service is not running at"}},
      // A hung service (or a network gone quiet) is told as such within
      // seconds, not as an unknown printer.
      {"service frozen",
       [](PrintService& s) { return s.Freeze(), true; },
       Outcome::NoAnswer,
       {"the print service does not answer: the printer \"keep\" was not reached (CUPS at"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PrintService service;
    QW_REQUIRE_PRINT_SERVICE(service);
    ASSERT_TRUE(service.AddQueue("keep", "A4")) << service.Why().toStdString();
    const qw::PrintServiceAddress address = qw::PrintServiceAddress::Current();
    qw::PrintCall ask;
    const qw::PrintServiceAnswer before = qw::AskPrintService(address, ask);
    EXPECT_TRUE(before.answered && before.defaultQueue.isEmpty()) << before.reason.toStdString();
    if (c.before) {
      ASSERT_TRUE(c.before(service)) << service.Why().toStdString();
    }
    QElapsedTimer clock;
    clock.start();
    qw::PrintCall call;
    // A title with a line break would forge a line of the service's page log.
    const qw::PrintJobResult result = qw::SendPrintJob({"keep",
                                                        "Marina reports\n1-3",
                                                        document,
                                                        {{"media", "Letter"}, {"copies", "2"}, {"page-ranges", "2-3"}},
                                                        address},
                                                       call);
    EXPECT_LT(clock.elapsed(), (qw::kServiceAnswerSeconds + 3) * 1000);
    EXPECT_EQ(result.outcome, c.outcome) << result.reason.toStdString();
    for (const QString& part : c.reason) EXPECT_TRUE(result.reason.contains(part)) << result.reason.toStdString();
    if (c.outcome != Outcome::Sent) {
      // Nothing prints later that the user was told did not.
      if (c.outcome == Outcome::Refused) {
        EXPECT_EQ(service.PendingJobs(), 0);
      }
      EXPECT_TRUE(service.Jobs("keep", 0).isEmpty());
      if (QString(c.name) == "service frozen") {
        qw::PrintCall again;
        const qw::PrintServiceAnswer frozen = qw::AskPrintService(address, again);
        EXPECT_TRUE(!frozen.answered && frozen.hangs) << frozen.reason.toStdString();
      }
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
    qw::PrintCall after;
    EXPECT_EQ(qw::AskPrintService(address, after).defaultQueue, "keep");
  }
}

TEST(PrintJob, TitlesAreOneLineOfAtMost255BytesCutBetweenCharacters) {
  const QString harbour = QString::fromUtf8(
      "\xC3\x89"
      "cluse");  // two bytes, then five
  const struct {
    QString title;
    QString listed;
  } cases[] = {
      {"Kelp Cove\nD 2024-01-01 forged", "Kelp Cove D 2024-01-01 forged"},
      {"\tTern\x1b[1mLanding\x7f", "Tern [1mLanding"},
      {"", "Quaywise"},
      {"\r\n", "Quaywise"},
      {QString(254, 'a') + harbour, QString(254, 'a')},
      {QString(253, 'a') + harbour, QString(253, 'a') + QString::fromUtf8("\xC3\x89")},
      {QString(40000, 'x'), QString(255, 'x')},
  };
  for (const auto& c : cases) {
    const QString listed = qw::PrintJobTitle(c.title);
    EXPECT_EQ(listed, c.listed) << c.title.left(40).toStdString();
    EXPECT_LE(listed.toUtf8().size(), 255);
  }
}

TEST(PrintJob, PagesOfFailedPrintsAreKeptForTheUserAMonth) {
  QTemporaryDir dir;
  qw::SetKeptPrintsFolder(dir.filePath("kept/Unprinted pages"));
  const QString pages = dir.filePath("quaywise-print-x.pdf");
  ASSERT_TRUE(qw::testing::WriteFile(pages, ThreePages()));
  const QString kept = qw::KeepUnprintedPages(pages, "Marina reports 1/3");
  ASSERT_FALSE(kept.isEmpty());
  EXPECT_FALSE(QFile::exists(pages));
  EXPECT_EQ(QFileInfo(kept).absolutePath(), qw::KeptPrintsFolder());
  EXPECT_TRUE(QFileInfo(kept).fileName().startsWith("Marina reports 1 3 ")) << kept.toStdString();
  // The pages may hold personal notes: the user's alone.
  const auto others =
      QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
  EXPECT_FALSE(QFileInfo(kept).permissions() & others);
  EXPECT_FALSE(QFileInfo(qw::KeptPrintsFolder()).permissions() & others);
  // A second one of the same name and minute gets a name of its own.
  ASSERT_TRUE(qw::testing::WriteFile(pages, ThreePages()));
  const QString second = qw::KeepUnprintedPages(pages, "Marina reports 1/3");
  EXPECT_NE(second, kept);
  QFile old(second);
  ASSERT_TRUE(old.open(QIODevice::ReadWrite));
  ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addDays(-(qw::kKeptPrintsDays + 1)),
                              QFileDevice::FileModificationTime));
  old.close();
  qw::RemoveOldKeptPrints();
  EXPECT_TRUE(QFile::exists(kept));
  EXPECT_FALSE(QFile::exists(second));
  qw::SetKeptPrintsFolder(QString());
}

}  // namespace
