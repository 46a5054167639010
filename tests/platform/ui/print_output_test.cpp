#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/pdf_text.h"
#include "common/testing.h"
#include "platform/print_pages.h"
#include "platform/ui/print_output.h"

namespace {

using qw::testing::PdfPageTexts;

// A body as the engine would give it: one line of text on each page.
QByteArray Body(const QStringList& pageTexts) {
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&out);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    QPainter painter(&writer);
    for (int i = 0; i < pageTexts.size(); ++i) {
      if (i > 0) writer.newPage();
      painter.drawText(QPointF(1000, 3000), pageTexts[i]);
    }
  }
  return out.data();
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  qw::testing::WriteFile(dir.filePath(name), bytes);
  return dir.filePath(name);
}

TEST(PdfAssembler, StampsEachPrintsHeaderAndFooterAsTextAndJoinsThePrints) {
  QTemporaryDir dir;
  qw::PdfAssembler pdf;
  const qw::PageSetup report{"Guide &b&w", "Page No [ &p ] of &P", "", "", "", ""};
  const qw::PageSetup notes{"", "Page No [ &p ]", "", "", "", ""};
  EXPECT_EQ(pdf.Add(Body({"Kelp Cove Marina", "Kelp Cove notes"}), report, "Kelp Cove", "file:///tmp/a.htm"), 2);
  EXPECT_EQ(pdf.Add(Body({"Tern Landing"}), notes, "Tern", "file:///tmp/b.htm"), 1);
  EXPECT_EQ(pdf.Add(Body({"Bare page"}), qw::PageSetup{}, "", ""), 1);
  EXPECT_EQ(pdf.PageCount(), 4);
  const QStringList pages = PdfPageTexts(Write(dir, "all.pdf", pdf.Finish()));
  ASSERT_EQ(pages.size(), 4);
  struct Expect {
    QStringList has;
  };
  const Expect expected[] = {
      {{"Guide", "Kelp Cove", "Kelp Cove Marina", "Page No [ 1 ] of 2"}},
      {{"Guide", "Kelp Cove notes", "Page No [ 2 ] of 2"}},
      {{"Tern Landing", "Page No [ 1 ]"}},  // numbers count within each print
      {{"Bare page"}},
  };
  for (int i = 0; i < 4; ++i)
    for (const QString& text : expected[i].has) EXPECT_TRUE(pages[i].contains(text)) << i << ": " << pages[i].toStdString();
  EXPECT_FALSE(pages[3].contains("Page No"));

  // A page range counts over the whole document.
  qw::PdfAssembler ranged;
  ranged.Add(Body({"One", "Two", "Three"}), notes, "", "");
  const QStringList two = PdfPageTexts(Write(dir, "range.pdf", ranged.Finish(2, 3)));
  ASSERT_EQ(two.size(), 2);
  EXPECT_TRUE(two[0].contains("Two") && two[0].contains("Page No [ 2 ]"));

  // What is not a PDF is refused, and nothing added makes no document.
  qw::PdfAssembler bad;
  EXPECT_EQ(bad.Add("<HTML>not a PDF</HTML>", notes, "", ""), 0);
  EXPECT_FALSE(bad.Error().isEmpty());
  EXPECT_TRUE(bad.Finish().isEmpty());
  EXPECT_FALSE(bad.Error().isEmpty());
}

TEST(PrintOutput, PdfPrinterGetsTheVectorDocumentOtherwiseDrawnPagesWithTextLines) {
  QTemporaryDir dir;
  const qw::PageSetup setup{"Guide", "Page No [ &p ]", "", "", "", ""};
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("vector.pdf"));
  {
    qw::PrintOutput out(printer);
    ASSERT_TRUE(out.Add(Body({"Kelp Cove Marina"}), setup, "", ""));
    ASSERT_TRUE(out.Add(Body({"Tern Landing"}), setup, "", ""));
    ASSERT_TRUE(out.Finish()) << out.Error().toStdString();
  }
  QStringList pages = PdfPageTexts(dir.filePath("vector.pdf"));
  ASSERT_EQ(pages.size(), 2);
  EXPECT_TRUE(pages[1].contains("Tern Landing") && pages[1].contains("Page No [ 1 ]"));

  // Drawn as a printer (and the preview) gets it: the body is a picture, the
  // header and footer are still text.
  printer.setOutputFileName(dir.filePath("drawn.pdf"));
  {
    qw::PrintOutput out(printer, qw::PrintOutput::Kind::Preview);
    ASSERT_TRUE(out.Add(Body({"Kelp Cove Marina", "Second"}), setup, "", ""));
    ASSERT_TRUE(out.Finish()) << out.Error().toStdString();
  }
  pages = PdfPageTexts(dir.filePath("drawn.pdf"));
  ASSERT_EQ(pages.size(), 2);
  EXPECT_TRUE(pages[1].contains("Guide") && pages[1].contains("Page No [ 2 ]"));
  EXPECT_FALSE(pages[0].contains("Kelp Cove Marina"));

  // Nothing added: nothing goes out, and the user is told why.
  qw::PrintOutput empty(printer);
  EXPECT_FALSE(empty.Finish());
  EXPECT_FALSE(empty.Error().isEmpty());
}

}  // namespace
