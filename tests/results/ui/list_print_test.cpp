#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <gtest/gtest.h>

#include "app/ui/mdi_frm_main.h"
#include "common/pdf_text.h"
#include "common/print_service.h"
#include "host/ui/frm_progress.h"
#include "host/ui/frm_wait.h"
#include "host/ui/window_host.h"
#include "list_fixture.h"
#include "platform/program.h"
#include "platform/temp_pages.h"
#include "platform/ui/browser.h"
#include "platform/ui/flex_grid.h"
#include "results/list_page.h"
#include "results/ui/frm_print.h"
#include "results/ui/register.h"
#include "services/page_setup.h"
#include "services/user_store.h"

namespace {

using qw::frmList;
using qw::testing::ListWindowTest;

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int PdfImages(const QString& pdf) {
  QProcess p;
  p.start("pdfimages", {"-list", pdf});
  p.waitForFinished(30000);
  return QString(p.readAllStandardOutput()).count('\n') - 2;  // less the two heading lines
}

// One list window (one browser) prints through both entry points.
TEST_F(ListWindowTest, PrintsALandscapeListWithHeaderAndPageNumbersToPdf) {
  QTemporaryDir out;
  const QString pdf = out.filePath("list.pdf");
  int dialogs = 0;
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  auto hook = qw::WebBrowser::SetPrintDialogHook([&](QPrinter& printer) {
    ++dialogs;
    orientation = printer.pageLayout().orientation();
    printer.setPageOrientation(QPageLayout::Landscape);  // as the message asks
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  });
  // The rating pictures lie in a folder whose path holds an apostrophe.
  QTemporaryDir pictures(QDir::temp().filePath("Skipper's Guide-XXXXXX"));
  for (const QString& name : QDir(folder_.Path()).entryList({"c*.jpg", "*.ini"}, QDir::Files))
    QFile::copy(folder_.Path() + "/" + name, pictures.filePath(name));
  qw::SetProgramFolder(pictures.path());
  // The toolbar's Print: the page setup it stores reaches the printed pages.
  QTemporaryDir store;
  qw::SetUserStoreFolder(store.path());
  const int interval = qw::frmprogress::TimerInterval();
  qw::frmprogress::TimerInterval() = 5;
  qw::RegisterResultScreens();
  qw::MDIFrmMain* main = qw::MDIFrmMain::Instance();
  main->show();
  qw::CallScreen(qw::AppScreens().showList);  // the list inside the main window
  frmList* list = frmList::Instance();
  ASSERT_GT(list->GetMarinasCount(), 0);
  ASSERT_EQ(list->window(), main);
  QApplication::processEvents();
  const WId nativeWindow = main->winId();
  const QPoint position = main->pos();
  qw::RowBellRating() = QVariant();
  qw::RowSunset() = -1;
  main->Toolbar1_ButtonClick(7);
  // The print leaves the program-wide ratings at the last row's stored texts.
  const int last = list->GetMarinasCount();
  EXPECT_EQ(qw::RowBellRating(), QVariant(list->msgrid->TextMatrix(last, 0)));
  EXPECT_EQ(qw::RowBoatyardRating(), QVariant(list->msgrid->TextMatrix(last, 1)));
  EXPECT_EQ(qw::RowSunset(), list->msgrid->TextMatrix(last, 2).toInt());
  EXPECT_EQ(qw::PageSetupValue("header"), "");  // cleared after the print
  // Printing leaves the main window's native window as it was (a check that
  // bites under a real X server: QT_QPA_PLATFORM=xcb with Xvfb).
  EXPECT_EQ(main->winId(), nativeWindow);
  EXPECT_EQ(main->pos(), position);

  ASSERT_FALSE(boxes_.Shown().isEmpty());
  EXPECT_EQ(boxes_.Shown()[0].text, "Set 'Preferences/Layout/Orientation' to 'Landscape'");
  EXPECT_EQ(boxes_.Shown()[0].icon, qw::MsgIcon::Information);
  EXPECT_EQ(boxes_.Shown().size(), 1);
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(orientation, QPageLayout::Portrait) << "the dialog opens on the page setup's orientation";
  EXPECT_EQ(qw::WebBrowser::Printer().pageLayout().orientation(), QPageLayout::Portrait) << "only this print's choice";
  EXPECT_FALSE(list->PrintPending());

  // The page file holds the page text and a line end.
  const QString page = list->LastPageText();
  EXPECT_EQ(page, qw::ListPageHtml(list->Snapshot(), qw::ListPageKind::PrintList, qw::ProgramFolder()));
  EXPECT_EQ(QFileInfo(list->LastPagePath()).absolutePath(), qw::TempPageFolder());
  EXPECT_EQ(ReadAll(list->LastPagePath()), (page + "\r\n").toUtf8());
  EXPECT_EQ(page.count("<TR>"), list->GetMarinasCount() + 1);

  // Every page: the header, its page number and the marinas' names as text;
  // every name of the list on some page; the rating pictures found.
  const QStringList pages = qw::testing::PdfPageTexts(pdf);
  ASSERT_GE(pages.size(), 2);  // the demo list runs over several pages
  int names = 0;
  for (int i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(pages[i].contains("Brinewick's Digital Guide to New England Marinas"));
    EXPECT_TRUE(pages[i].contains(QString("Page No [ %1 ]").arg(i + 1)));
    EXPECT_TRUE(pages[i].contains(list->GetMarinaName(names + 1))) << pages[i].toStdString();
    while (names < list->GetMarinasCount() && pages[i].contains(list->GetMarinaName(names + 1))) ++names;
  }
  EXPECT_EQ(names, list->GetMarinasCount());
  EXPECT_GT(PdfImages(pdf), 0);

  // "&Print Form" prints its own page too (up to column 8).
  const QString firstPage = list->LastPagePath();
  QFile::remove(pdf);
  list->cmdPrint->click();
  EXPECT_EQ(dialogs, 2);
  EXPECT_NE(list->LastPagePath(), firstPage);
  EXPECT_TRUE(QFile::exists(firstPage));  // kept while the window is loaded
  EXPECT_TRUE(QFile::exists(pdf));
  EXPECT_EQ(list->LastPageText(), qw::ListPageHtml(list->Snapshot(), qw::ListPageKind::PrintForm, qw::ProgramFolder()));
  EXPECT_EQ(boxes_.Shown().size(), 1);  // no orientation message there

  // Unloading the window deletes its print pages.
  const QString secondPage = list->LastPagePath();
  frmList::Unload();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(QFile::exists(firstPage));
  EXPECT_FALSE(QFile::exists(secondPage));

  qw::WebBrowser::SetPrintDialogHook(hook);
  qw::MDIFrmMain::Unload();
  qw::frmprogress::TimerInterval() = interval;
  qw::SetUserStoreFolder(QString());
  qw::SetProgramFolder(folder_.Path());
}

// To a queue of the print service the list goes as one PDF job of its own
// text, titled after it, on the page setup's paper: across the sheet when the
// user turns it, as the message asks, and fitted to the sheet's width when
// the user does not; no column is cut either way.
TEST_F(ListWindowTest, PrintsToAPrintQueueAsOnePdfJobWholeOnEitherSheet) {
  qw::testing::PrintService service;
  QW_REQUIRE_PRINT_SERVICE(service);
  ASSERT_TRUE(service.AddQueue("keep", "A4", true)) << service.Why().toStdString();
  QTemporaryDir store;
  qw::SetUserStoreFolder(store.path());
  qw::InstallPageSetupStore();
  qw::SetRegistryString(qw::kPageSetupKeyPath, qw::kPaperSize, "Letter");
  QPrinter& printer = qw::WebBrowser::Printer();
  printer.setOutputFileName(QString());
  printer.setOutputFormat(QPrinter::NativeFormat);
  printer.setPrinterName("keep");
  const int interval = qw::frmprogress::TimerInterval();
  qw::frmprogress::TimerInterval() = 5;
  frmList* list = frmList::Instance();
  for (const auto orientation : {QPageLayout::Landscape, QPageLayout::Portrait}) {
    SCOPED_TRACE(orientation);
    auto hook = qw::WebBrowser::SetPrintDialogHook([orientation](QPrinter& chosen) {
      chosen.setPageOrientation(orientation);
      return true;
    });
    const qsizetype before = service.Jobs("keep", 0).size();
    list->PrintList();
    qw::WebBrowser::SetPrintDialogHook(hook);
    const QList<qw::testing::PrintService::Job> jobs = service.Jobs("keep", int(before) + 1);
    ASSERT_EQ(jobs.size(), before + 1);
    EXPECT_EQ(jobs.last().title, "Marina list");
    for (const QString option :
         {QString("media=Letter"),
          QString("orientation-requested=%1").arg(orientation == QPageLayout::Landscape ? 4 : 3)})
      EXPECT_TRUE(jobs.last().options.contains(option))
          << option.toStdString() << " in " << jobs.last().options.toStdString();
    const QString text = qw::testing::PdfPageTexts(jobs.last().file).join('\n');
    for (int row = 1; row <= list->GetMarinasCount(); ++row)
      for (int column : {4, 7})  // the name and the harbour, the rightmost column
        EXPECT_TRUE(text.contains(list->fgList->TextMatrix(row, column)))
            << list->fgList->TextMatrix(row, column).toStdString();
  }
  qw::frmprogress::TimerInterval() = interval;
  qw::SetUserStoreFolder(QString());
  EXPECT_EQ(boxes_.Shown().size(), 2);  // the orientation message only
}

TEST_F(ListWindowTest, APageThatCannotBeWrittenIsReportedAndNotPrinted) {
  frmList* list = frmList::Instance();
  const QByteArray tmp = qgetenv("TMPDIR");
  // A temporary "folder" that is a file: no page can be made in it.
  QTemporaryFile notAFolder;
  ASSERT_TRUE(notAFolder.open());
  qputenv("TMPDIR", notAFolder.fileName().toLocal8Bit());
  int dialogs = 0;
  auto hook = qw::WebBrowser::SetPrintDialogHook([&](QPrinter&) { return ++dialogs, false; });
  list->PrintList();
  if (tmp.isNull()) qunsetenv("TMPDIR"); else qputenv("TMPDIR", tmp);
  qw::WebBrowser::SetPrintDialogHook(hook);

  ASSERT_EQ(boxes_.Shown().size(), 2);
  EXPECT_TRUE(boxes_.Shown()[1].text.contains("could not be written")) << boxes_.Shown()[1].text.toStdString();
  EXPECT_EQ(boxes_.Shown()[1].icon, qw::MsgIcon::Critical);
  EXPECT_EQ(dialogs, 0);
  EXPECT_FALSE(list->PrintPending());
}

TEST(FrmPrint, LoadsHiddenRescalesForTheScreenAndOffersPrintAfterAChoice) {
  qw::frmPrint* form = qw::frmPrint::Instance();
  EXPECT_EQ(form->windowTitle(), "Print Marina");
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->fraPrint->title(), "Choose An Option.");
  EXPECT_EQ(form->DesignWidth, 800);
  EXPECT_EQ(form->DesignHeight, 600);
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  EXPECT_EQ(qw::SharedScreenMetrics().pixelsX, screen.width());
  EXPECT_EQ(qw::SharedScreenMetrics().pixelsY, screen.height());
  EXPECT_GT(form->LastWidth, 0);

  EXPECT_FALSE(form->cmdPrint->isVisibleTo(form));
  form->optNotes->click();
  EXPECT_TRUE(form->cmdPrint->isVisibleTo(form));
  form->cmdPrint1_Click();  // sends nothing to a printer
  form->cmdCancel->click();
  EXPECT_EQ(qw::frmPrint::Loaded(), nullptr);
}

}  // namespace
