#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/pdf_text.h"
#include "common/testing.h"
#include "platform/print_pages.h"
#include "platform/ui/print_output.h"

namespace {

using qw::testing::PdfPageTexts;

// A body as the engine would give it: one line of text on each page, and on
// the first a picture.
QByteArray Body(const QStringList& pageTexts, const QImage& picture = QImage()) {
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&out);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    QPainter painter(&writer);
    if (!picture.isNull()) painter.drawImage(QPointF(1000, 4000), picture);
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

// The document PdfAssembler writes of these prints (pages from-to only);
// empty when it failed.
struct Print {
  QByteArray body;
  qw::PageSetup setup;
  QString title;
  QMarginsF unprintable;
};
QByteArray Assemble(const QList<Print>& prints, int from = 0, int to = 0) {
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  qw::PdfAssembler pdf(out, from, to);
  for (const Print& p : prints) EXPECT_GT(pdf.Add(p.body, p.setup, p.title, "file:///tmp/a.htm", p.unprintable), 0);
  return pdf.Finish() ? out.data() : QByteArray();
}

// What poppler finds wrong with a PDF file ("" when nothing).
QString Complaints(const QString& pdf) {
  QProcess p;
  p.start("pdfinfo", {pdf});
  p.waitForFinished(30000);
  return QString::fromUtf8(p.readAllStandardError()) + (p.exitCode() ? "exit code" : "");
}

TEST(PdfAssembler, StampsEachPrintsHeaderAndFooterAndKeepsWhatThePrintsShareOnce) {
  QTemporaryDir dir;
  const qw::PageSetup report{"Guide &b&w", "Page No [ &p ] of &P", "", "", "", "", "", ""};
  const qw::PageSetup notes{"", "Page No [ &p ]", "", "", "", "", "", ""};
  const QString all = Write(dir, "all.pdf",
                            Assemble({{Body({"Kelp Cove Marina", "Kelp Cove notes"}), report, "Kelp Cove", {}},
                                      {Body({"Tern Landing"}), notes, "Tern", {}},
                                      {Body({"Bare page"}), qw::PageSetup{}, "", {}}}));
  EXPECT_EQ(Complaints(all), "");
  const QStringList pages = PdfPageTexts(all);
  ASSERT_EQ(pages.size(), 4);
  const QStringList expected[] = {
      {"Guide", "Kelp Cove", "Kelp Cove Marina", "Page No [ 1 ] of 2"},
      {"Guide", "Kelp Cove notes", "Page No [ 2 ] of 2"},
      {"Tern Landing", "Page No [ 1 ]"},  // numbers count within each print
      {"Bare page"},
  };
  for (int i = 0; i < 4; ++i)
    for (const QString& text : expected[i]) EXPECT_TRUE(pages[i].contains(text)) << i << ": " << pages[i].toStdString();
  EXPECT_FALSE(pages[3].contains("Page No"));

  // A page range counts over the whole document.
  const QStringList two = PdfPageTexts(Write(dir, "range.pdf", Assemble({{Body({"One", "Two", "Three"}), notes, "", {}}}, 2, 3)));
  ASSERT_EQ(two.size(), 2);
  EXPECT_TRUE(two[0].contains("Two") && two[0].contains("Page No [ 2 ]"));

  // The header and footer stay inside what the printer can print on.
  const qw::PageSetup close{"Top line", "Bottom line", "0.07", "0.07", "", "", "", ""};
  const QString inside = Write(dir, "inside.pdf", Assemble({{Body({"Body"}), close, "", {0.25, 0.5, 0.25, 0.5}}}));
  EXPECT_GE(qw::testing::PdfWordTops(inside, "Top").value(0), 0.5 / 11);
  EXPECT_LE(qw::testing::PdfWordTops(inside, "Bottom").value(0), 1 - 0.5 / 11 - 0.1 / 11);

  // A long run of reports sharing their fonts and pictures: each is written
  // once, not once a report.
  QImage picture(400, 300, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
  const Print one{Body({"Kelp Cove Marina"}, picture), report, "Kelp Cove", {}};
  const qsizetype single = Assemble({one}).size();
  const QByteArray twenty = Assemble(QList<Print>(20, one));
  EXPECT_LT(twenty.size(), single * 2) << single;
  EXPECT_EQ(PdfPageTexts(Write(dir, "twenty.pdf", twenty)).size(), 20);

  // What is not a PDF is refused, and nothing added makes no document.
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  qw::PdfAssembler bad(out);
  EXPECT_EQ(bad.Add("<HTML>not a PDF</HTML>", notes, "", ""), 0);
  EXPECT_FALSE(bad.Error().isEmpty());
  EXPECT_FALSE(bad.Finish());
  EXPECT_FALSE(bad.Error().isEmpty());
}

TEST(PrintOutput, PdfPrinterGetsTheVectorDocumentOtherwiseDrawnPagesWithTextLines) {
  QTemporaryDir dir;
  const qw::PageSetup setup{"Guide", "Page No [ &p ]", "", "", "", "", "", ""};
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
