#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/ui/browser.h"

namespace {

QString PdfText(const QString& pdf) {
  QProcess p;
  p.start("pdftotext", {"-layout", pdf, "-"});
  p.waitForFinished(30000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

void WriteFile(const QString& path, const QString& text) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(text.toUtf8());
}

// One browser for the whole group: each one costs seconds to start.
TEST(WebBrowser, LoadsPrintsWithHeaderAndFooterAndReadsElements) {
  QTemporaryDir dir;
  const QString page = dir.filePath("page.htm");
  QString body = "<HTML><BODY><P id='first'>Harbor &amp; Moorings</P>";
  for (int i = 0; i < 120; ++i) body += QString("<P>Line %1</P>").arg(i);
  WriteFile(page, body + "</BODY></HTML>");

  qw::WebBrowser browser;
  // Nothing loaded yet: print is supported, not enabled.
  EXPECT_EQ(browser.QueryStatusWB(qw::WebBrowser::kCmdPrint), qw::WebBrowser::kStatusSupported);

  int completes = 0;
  QObject::connect(&browser, &qw::WebBrowser::DocumentComplete, [&] { ++completes; });
  browser.Navigate(page);
  EXPECT_TRUE(browser.IsLoading());
  ASSERT_TRUE(browser.WaitForLoad(30000));
  EXPECT_EQ(completes, 1);
  EXPECT_EQ(browser.QueryStatusWB(qw::WebBrowser::kCmdPrint),
            qw::WebBrowser::kStatusSupported | qw::WebBrowser::kStatusEnabled);
  EXPECT_EQ(browser.OuterHtml("first"), "<p id=\"first\">Harbor &amp; Moorings</p>");
  EXPECT_EQ(browser.OuterHtml("none"), "");

  // A refresh is a new load, and the wait covers it.
  browser.ExecWB(qw::WebBrowser::kCmdRefresh, qw::WebBrowser::kDontPromptUser);
  ASSERT_TRUE(browser.WaitForLoad(30000));
  EXPECT_EQ(completes, 2);

  // Printing with the dialog, which chooses a PDF file.
  const QString pdf = dir.filePath("out.pdf");
  int dialogs = 0;
  auto previousHook = qw::WebBrowser::SetPrintDialogHook([&](QPrinter& printer) {
    ++dialogs;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  });
  auto previousSource = qw::SetPageSetupSource(
      [] { return qw::PageSetup{"Brinewick's Digital Guide to New England Marinas ", "Page No [ &p ] of &P", ""}; });
  ASSERT_TRUE(browser.ExecWB(qw::WebBrowser::kCmdPrint, qw::WebBrowser::kPromptUser)) << browser.LastPrintError().toStdString();
  EXPECT_EQ(dialogs, 1);
  const QString text = PdfText(pdf);
  EXPECT_TRUE(text.contains("Brinewick's Digital Guide to New England Marinas")) << text.toStdString();
  // Every page carries the header and its own number of all pages.
  const int pages = text.count("Brinewick's Digital Guide");
  EXPECT_GE(pages, 2);
  EXPECT_TRUE(text.contains(QString("Page No [ 1 ] of %1").arg(pages))) << text.toStdString();
  EXPECT_TRUE(text.contains(QString("Page No [ %1 ] of %1").arg(pages)));

  // Without the prompt no dialog is shown; a cancelled dialog prints nothing.
  QFile::remove(pdf);
  ASSERT_TRUE(browser.ExecWB(qw::WebBrowser::kCmdPrint, qw::WebBrowser::kDontPromptUser));
  EXPECT_EQ(dialogs, 1);
  EXPECT_TRUE(QFile::exists(pdf));
  QFile::remove(pdf);
  qw::WebBrowser::SetPrintDialogHook([](QPrinter&) { return false; });
  EXPECT_FALSE(browser.Print(true));
  EXPECT_TRUE(browser.LastPrintError().isEmpty());
  EXPECT_FALSE(QFile::exists(pdf));

  // A page that does not load cannot be printed.
  browser.Navigate(dir.filePath("missing.htm"));
  EXPECT_FALSE(browser.WaitForLoad(30000));
  EXPECT_EQ(browser.QueryStatusWB(qw::WebBrowser::kCmdPrint) & qw::WebBrowser::kStatusEnabled, 0);
  EXPECT_FALSE(browser.Print(false));
  EXPECT_FALSE(browser.LastPrintError().isEmpty());

  qw::WebBrowser::SetPrintDialogHook(previousHook);
  qw::SetPageSetupSource(previousSource);
}

}  // namespace

namespace {

// Without any printer installed the browser's printer writes PDF, and the
// print dialog offers a PDF file.
TEST(WebBrowser, PrintsToAPdfFileWhenNoPrinterIsInstalled) {
  qw::WebBrowser browser;  // no page: no WebEngine started
  QPrinter& printer = browser.Printer();
  if (QPrinterInfo::availablePrinterNames().isEmpty()) {
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_TRUE(printer.outputFileName().endsWith(".pdf"));
  }
  QPrintDialog dialog(&printer);
  dialog.show();  // the dialog lists its printers when shown
  QApplication::processEvents();
  bool offersPdf = false;
  for (QComboBox* box : dialog.findChildren<QComboBox*>())
    for (int i = 0; i < box->count(); ++i) offersPdf |= box->itemText(i).contains("PDF");
  dialog.close();
  EXPECT_TRUE(offersPdf);
}

}  // namespace
