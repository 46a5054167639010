#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "common/pdf_text.h"
#include "common/print_service.h"
#include "common/testing.h"
#include "platform/message_box.h"
#include "platform/page_fonts.h"
#include "platform/ui/browser.h"
#include "platform/ui/print_output.h"

namespace {

using qw::WebBrowser;
using qw::testing::PdfPageTexts;
using qw::testing::Spin;

// Writes a page of html as name into dir; its path.
QString Page(const QTemporaryDir& dir, const QString& name, const QString& html) {
  EXPECT_TRUE(qw::testing::WriteFile(dir.filePath(name), html.toUtf8()));
  return dir.filePath(name);
}

// Loads the page at path into browser and waits for it.
bool Loaded(WebBrowser& browser, const QString& path) { return browser.Navigate(path) && browser.WaitForLoad(30000); }

// The dialogs, the page setup and the program's printer of one test, put
// back afterwards.
struct PrintSetup {
  explicit PrintSetup(qw::PageSetup setup) {
    source = qw::SetPageSetupSource([this] { return values; });
    sink = qw::SetPageSetupSink([this](const QString& name, const QString& value) { written << name + "=" + value; });
    values = setup;
  }
  ~PrintSetup() {
    WebBrowser::SetPrintDialogHook(nullptr);
    WebBrowser::SetDialogHook(nullptr);
    qw::SetPageSetupSource(source);
    qw::SetPageSetupSink(sink);
    WebBrowser::Printer().setOutputFormat(format);
    WebBrowser::Printer().setOutputFileName(file);
  }
  // Print dialogs choose this PDF file.
  void PrintTo(const QString& pdf, int* dialogs = nullptr, std::function<void()> inDialog = {}) {
    WebBrowser::SetPrintDialogHook([=](QPrinter& printer) {
      if (dialogs) ++*dialogs;
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf);
      printer.setPrintRange(QPrinter::AllPages);
      if (inDialog) inDialog();
      return true;
    });
  }
  qw::PageSetup values;
  QStringList written;
  qw::PageSetupSource source;
  qw::PageSetupSink sink;
  const QPrinter::OutputFormat format = WebBrowser::Printer().outputFormat();
  const QString file = WebBrowser::Printer().outputFileName();
};

QString LongPage() {
  QString body = "<HTML><HEAD><TITLE>Moorings</TITLE></HEAD><BODY><P id='first'>Harbor &amp; Moorings</P><TABLE>";
  for (int i = 0; i < 40; ++i) body += QString("<TR><TD>Row %1 top<BR>.<BR>.<BR>Row %1 end</TD></TR>").arg(i);
  body += "</TABLE>";
  for (int i = 0; i < 120; ++i) body += QString("<P>Line %1</P>").arg(i);
  return body + "</BODY></HTML>";
}

// One browser for the group: each one costs seconds to start.
TEST(WebBrowser, LoadsAndPrintsTheEnginesOwnTextWithHeaderAndFooterOnEveryPage) {
  QTemporaryDir dir;
  const QString page = Page(dir, "page.htm", LongPage());
  WebBrowser browser(nullptr, WebBrowser::Kind::Hidden);
  // Nothing loaded yet: print is supported, not enabled.
  EXPECT_EQ(browser.QueryStatusWB(WebBrowser::kCmdPrint), WebBrowser::kStatusSupported);
  EXPECT_EQ(browser.View(), nullptr);

  int completes = 0;
  QObject::connect(&browser, &WebBrowser::DocumentComplete, [&] { ++completes; });
  ASSERT_TRUE(browser.Navigate(page));
  EXPECT_TRUE(browser.IsLoading());
  EXPECT_EQ(completes, 0) << "the notification comes from the event loop";
  ASSERT_TRUE(browser.WaitForLoad(30000));
  EXPECT_EQ(completes, 1);
  EXPECT_EQ(browser.QueryStatusWB(WebBrowser::kCmdPrint), WebBrowser::kStatusSupported | WebBrowser::kStatusEnabled);
  EXPECT_EQ(browser.OuterHtml("first"), "<p id=\"first\">Harbor &amp; Moorings</p>");
  EXPECT_EQ(browser.OuterHtml("none"), "");

  // A refresh is a new load, and the wait covers it.
  ASSERT_TRUE(browser.ExecWB(WebBrowser::kCmdRefresh, WebBrowser::kDontPromptUser));
  ASSERT_TRUE(browser.WaitForLoad(30000));
  EXPECT_EQ(completes, 2);

  // Printing with the dialog, which chooses a PDF file.
  PrintSetup setup({"Brinewick's Digital Guide to New England Marinas ", "Page No [ &p ] of &P", "", "", "", "", "", ""});
  const QString pdf = dir.filePath("out.pdf");
  int dialogs = 0;
  setup.PrintTo(pdf, &dialogs);
  ASSERT_TRUE(browser.ExecWB(WebBrowser::kCmdPrint, WebBrowser::kPromptUser)) << browser.LastError().toStdString();
  EXPECT_EQ(dialogs, 1);
  const QStringList pages = PdfPageTexts(pdf);
  ASSERT_GE(pages.size(), 2);
  for (int i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(pages[i].toStdString());
    EXPECT_TRUE(pages[i].contains("Brinewick's Digital Guide to New England Marinas"));
    EXPECT_TRUE(pages[i].contains(QString("Page No [ %1 ] of %2").arg(i + 1).arg(pages.size())));
  }
  // The body is the engine's text, not a picture of it.
  EXPECT_TRUE(pages[0].contains("Harbor & Moorings"));
  EXPECT_TRUE(pages.last().contains("Line 119"));
  // A table row is never cut in two by a page break.
  const auto pageOf = [&pages](const QString& text) {
    for (int i = 0; i < pages.size(); ++i)
      if (pages[i].contains(text)) return i;
    return -1;
  };
  for (int row = 0; row < 40; ++row)
    EXPECT_EQ(pageOf(QString("Row %1 top").arg(row)), pageOf(QString("Row %1 end").arg(row))) << row;
  QProcess images;
  images.start("pdfimages", {"-list", pdf});
  images.waitForFinished(30000);
  EXPECT_EQ(QString(images.readAllStandardOutput()).count(QRegularExpression("\\n")), 2) << "no pictures, only the list's heading";

  // The dialog's page range counts over the print.
  WebBrowser::SetPrintDialogHook([&](QPrinter& printer) {
    printer.setOutputFileName(pdf);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 2);
    return true;
  });
  ASSERT_TRUE(browser.Print(true)) << browser.LastError().toStdString();
  const QStringList second = PdfPageTexts(pdf);
  ASSERT_EQ(second.size(), 1);
  EXPECT_TRUE(second[0].contains(QString("Page No [ 2 ] of %1").arg(pages.size())));
  WebBrowser::Printer().setPrintRange(QPrinter::AllPages);

  // Without the prompt no dialog is shown; a cancelled dialog prints nothing.
  setup.PrintTo(pdf, &dialogs);
  QFile::remove(pdf);
  ASSERT_TRUE(browser.ExecWB(WebBrowser::kCmdPrint, WebBrowser::kDontPromptUser));
  EXPECT_EQ(dialogs, 1);
  EXPECT_TRUE(QFile::exists(pdf));
  QFile::remove(pdf);
  WebBrowser::SetPrintDialogHook([](QPrinter&) { return false; });
  EXPECT_FALSE(browser.Print(true));
  EXPECT_TRUE(browser.LastError().isEmpty());
  EXPECT_FALSE(QFile::exists(pdf));

  // A page that does not load cannot be printed.
  ASSERT_TRUE(browser.Navigate(dir.filePath("missing.htm")));
  EXPECT_FALSE(browser.WaitForLoad(30000));
  EXPECT_EQ(browser.QueryStatusWB(WebBrowser::kCmdPrint) & WebBrowser::kStatusEnabled, 0);
  EXPECT_FALSE(browser.Print(false));
  EXPECT_FALSE(browser.LastError().isEmpty());
}

TEST(WebBrowser, RefusesAPrintOrALoadWhileOneRunsAndSaysSo) {
  QTemporaryDir dir;
  WebBrowser browser(nullptr, WebBrowser::Kind::Hidden);
  WebBrowser other(nullptr, WebBrowser::Kind::Hidden);
  ASSERT_TRUE(Loaded(browser, Page(dir, "a.htm", LongPage())));
  ASSERT_TRUE(Loaded(other, Page(dir, "b.htm", "<HTML><BODY><P>B</P></BODY></HTML>")));

  // While a print runs (here: its dialog is open) nothing else starts.
  PrintSetup setup({});
  struct Refusal {
    const char* what;
    bool started;
    QString error;
  };
  QList<Refusal> refusals;
  setup.PrintTo(dir.filePath("out.pdf"), nullptr, [&] {
    refusals << Refusal{"print again", browser.Print(false), browser.LastError()}
             << Refusal{"load into the printing browser", browser.Navigate(dir.filePath("b.htm")), browser.LastError()}
             << Refusal{"print elsewhere", other.Print(false), other.LastError()}
             << Refusal{"preview elsewhere", other.Preview(), other.LastError()}
             << Refusal{"page setup", other.PageSetupDialog(), other.LastError()};
    EXPECT_TRUE(WebBrowser::PrintRunning());
  });
  ASSERT_TRUE(browser.Print(true)) << browser.LastError().toStdString();
  ASSERT_EQ(refusals.size(), 5);
  for (const Refusal& r : refusals) {
    EXPECT_FALSE(r.started) << r.what;
    EXPECT_FALSE(r.error.isEmpty()) << r.what;
  }
  EXPECT_FALSE(WebBrowser::PrintRunning());
  EXPECT_EQ(browser.Url().fileName(), "a.htm") << "the refused load changed nothing";

  // A load someone waits for is not replaced meanwhile.
  ASSERT_TRUE(browser.Navigate(dir.filePath("b.htm")));
  bool second = true;
  QTimer::singleShot(0, [&] { second = browser.Navigate(dir.filePath("a.htm")); });
  ASSERT_TRUE(browser.WaitForLoad(30000));
  EXPECT_FALSE(second);
  EXPECT_EQ(browser.Url().fileName(), "b.htm");
  // Once it has finished, the next load and print go ahead; a run of prints
  // (the report's batch) gathers its pages into one document.
  EXPECT_TRUE(other.Print(false)) << other.LastError().toStdString();
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("run.pdf"));
  qw::PrintOutput run(printer);
  ASSERT_TRUE(other.PrintTo(run));
  ASSERT_TRUE(browser.PrintTo(run));
  ASSERT_TRUE(run.Finish()) << run.Error().toStdString();
  const QStringList pages = PdfPageTexts(dir.filePath("run.pdf"));
  ASSERT_EQ(pages.size(), 2);
  EXPECT_TRUE(pages[0].trimmed() == "B" && pages[1].trimmed() == "B") << pages.join("|").toStdString();
}

// A wait that starts in a queued call (a run of reports prints from the
// page-loaded notification) while the engine's own work waits behind that call
// in the event queue: the engine still gets to its work, and the wait ends with
// the engine's answer rather than at its limit.
TEST(WebBrowser, WaitsInAQueuedCallWithTheEnginesWorkQueuedBehindIt) {
  QTemporaryDir dir;
  WebBrowser browser(nullptr, WebBrowser::Kind::Hidden);
  ASSERT_TRUE(Loaded(browser, Page(dir, "a.htm", "<HTML><BODY><P id='quay'>Quay</P></BODY></HTML>")));
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("out.pdf"));
  qw::PrintOutput output(printer);
  const std::vector<std::pair<const char*, std::function<bool()>>> waits = {
      {"outerHTML", [&] { return browser.OuterHtml("quay", 5000).contains("Quay"); }},
      {"print", [&] { return browser.PrintTo(output); }},
  };
  for (int round = 0; round < 3; ++round) {
    for (const auto& [what, wait] : waits) {
      SCOPED_TRACE(what);
      Spin([] { return false; }, 300);  // nothing of the engine's is queued
      std::optional<bool> done;
      QMetaObject::invokeMethod(&browser, [&, &wait = wait] { done = wait(); }, Qt::QueuedConnection);
      // A request the engine refuses at once: it queues its answer, and with
      // it its own work, behind the queued call.
      browser.Page()->printToPdf([](const QByteArray&) {}, QPageLayout());
      ASSERT_TRUE(Spin([&] { return done.has_value(); }, 2 * WebBrowser::kLayoutTimeoutMs));
      EXPECT_TRUE(*done) << browser.LastError().toStdString();
    }
  }
  ASSERT_TRUE(output.Finish()) << output.Error().toStdString();
  EXPECT_EQ(PdfPageTexts(dir.filePath("out.pdf")).size(), 3);
}

TEST(WebBrowser, HandsLinksAndNewWindowsToTheProgramAndLoadsNothingRemote) {
  QTcpServer remote;
  ASSERT_TRUE(remote.listen(QHostAddress::LocalHost));
  const QString web = QString("http://127.0.0.1:%1/").arg(remote.serverPort());
  QTemporaryDir dir;
  Page(dir, "target.htm", "<HTML><HEAD><TITLE>Photo</TITLE></HEAD><BODY>T</BODY></HTML>");
  const QString own = Page(dir, "own.htm", "<HTML><BODY>O</BODY></HTML>");
  const QString links = Page(dir, "links.htm",
                             "<HTML><BODY><A id=local HREF='target.htm'>t</A><A id=web HREF='" + web +
                                 "site'>w</A><A id=mail HREF='mailto:dock@example.invalid'>m</A><A id=other "
                                 "HREF='ftp://x/'>f</A><IMG SRC='" + web + "remote.png'></BODY></HTML>");

  QList<QUrl> desktop;
  auto opener = qw::BrowserPage::SetDesktopOpener([&](const QUrl& url) { return desktop << url, true; });
  WebBrowser browser;
  QList<QUrl> followed;
  bool take = false;
  browser.SetLinkHandler([&](const QUrl& url) { return followed << url, take; });
  // The user's click on a link (a mouse click at its middle: a key press on
  // a focused mail link was now and then dropped by the engine when the
  // machine was loaded). True once the handler has seen the link and any
  // load it led to has ended.
  browser.resize(400, 200);
  browser.show();
  auto click = [&](const QString& id) {
    const qsizetype seen = followed.size();
    QVariant middle;
    browser.Page()->runJavaScript(
        "var r = document.getElementById('" + id + "').getBoundingClientRect(); [r.left + r.width / 2, r.top + r.height / 2]",
        QWebEngineScript::ApplicationWorld, [&](const QVariant& v) { middle = v; });
    if (!Spin([&] { return middle.isValid(); })) return false;
    const QPointF at(middle.toList().value(0).toDouble(), middle.toList().value(1).toDouble());
    QWidget* target = browser.View()->focusProxy();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent mouse(type, at, target->mapToGlobal(at), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(target, &mouse);
    }
    return Spin([&] { return followed.size() > seen && !browser.IsLoading(); });
  };
  ASSERT_TRUE(Loaded(browser, links));

  // Declined by the program: web and mail go to the desktop, other schemes
  // nowhere, and the page stays; a local page loads in place.
  for (const char* id : {"web", "mail", "other"}) ASSERT_TRUE(click(id)) << id;
  EXPECT_TRUE(Spin([&] { return desktop.size() == 2; }, 2000));
  EXPECT_EQ(desktop, (QList<QUrl>{QUrl(web + "site"), QUrl("mailto:dock@example.invalid")}));
  {
    // A desktop with no program for the address: the user is told why
    // nothing opens.
    qw::ScriptedMsgBoxes boxes;
    auto recording = qw::BrowserPage::SetDesktopOpener([](const QUrl&) { return false; });
    ASSERT_TRUE(click("mail"));
    EXPECT_TRUE(Spin([&] { return boxes.Shown().size() == 1; }, 2000));
    EXPECT_TRUE(boxes.Shown().value(0).text.contains("e-mail address dock@example.invalid could not be opened"));
    qw::BrowserPage::SetDesktopOpener(recording);
  }
  EXPECT_EQ(browser.Url().fileName(), "links.htm");
  // The page is still the loaded page: it can be printed.
  EXPECT_EQ(browser.QueryStatusWB(WebBrowser::kCmdPrint), WebBrowser::kStatusSupported | WebBrowser::kStatusEnabled);
  ASSERT_TRUE(click("local"));
  EXPECT_TRUE(Spin([&] { return browser.Url().fileName() == "target.htm" && !browser.IsLoading(); }));

  // Taken by the program: the page stays.
  ASSERT_TRUE(Loaded(browser, links));
  take = true;
  ASSERT_TRUE(click("local"));
  EXPECT_EQ(followed.last().fileName(), "target.htm");
  EXPECT_EQ(browser.Url().fileName(), "links.htm");
  // Taken by the program, which loads a page of its own at once: the end of
  // the refused link, coming after, is not taken for the end of that load.
  take = false;
  browser.SetLinkHandler([&](const QUrl& url) {
    followed << url;
    return browser.Navigate(own);
  });
  ASSERT_TRUE(click("local"));
  EXPECT_TRUE(browser.WaitForLoad(30000));
  EXPECT_EQ(browser.Url().fileName(), "own.htm");
  browser.SetLinkHandler([&](const QUrl& url) { return followed << url, take; });

  // window.open (scripts on, as the report's photo pop-up needs): first
  // taken by the program, then the default, a window of the program.
  browser.SetScriptsEnabled(true);
  ASSERT_TRUE(Loaded(browser, links));
  QList<std::pair<QUrl, QRect>> windows;
  bool takeWindow = true;
  browser.SetNewWindowHandler([&](const QUrl& url, const QRect& geometry) {
    return windows << std::pair{url, geometry}, takeWindow;
  });
  const QString open = "window.open('target.htm', '', 'top=0, left=0, height=300,width=400')";
  browser.Page()->runJavaScript(open);
  ASSERT_TRUE(Spin([&] { return windows.size() == 1; }));
  EXPECT_EQ(windows[0].first.fileName(), "target.htm");
  EXPECT_EQ(windows[0].second.size(), QSize(400, 300));
  takeWindow = false;
  browser.Page()->runJavaScript(open);
  qw::BrowserPopup* popup = nullptr;
  ASSERT_TRUE(Spin([&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* p = qobject_cast<qw::BrowserPopup*>(w)) popup = p;
    return popup && popup->windowTitle() == "Photo";
  }));
  EXPECT_TRUE(popup->isWindow());
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->Browser()->Url().fileName(), "target.htm");
  popup->close();
  // A script's address outside never reaches the desktop, by a new window or
  // by leading the page there; nor does a click in a page that runs scripts.
  browser.Page()->runJavaScript("window.open('" + web + "opened'); location.href = '" + web + "led';");
  ASSERT_TRUE(click("web"));
  Spin([] { return false; }, 1000);
  EXPECT_EQ(desktop.size(), 2);

  // Nothing remote was asked for: not the picture, not a remote page.
  ASSERT_TRUE(browser.Navigate(web));
  EXPECT_FALSE(browser.WaitForLoad(30000));
  QApplication::processEvents();
  EXPECT_FALSE(remote.hasPendingConnections());
  qw::BrowserPage::SetDesktopOpener(opener);
}

TEST(WebBrowser, PreviewsThePageAndKeepsThePageSetupMarginsInTheStore) {
  QTemporaryDir dir;
  WebBrowser browser(nullptr, WebBrowser::Kind::Hidden);
  ASSERT_TRUE(Loaded(browser, Page(dir, "page.htm", LongPage())));
  PrintSetup setup({"Header", "Page No [ &p ]", "", "", "", "", "", ""});

  int previewPages = 0;
  WebBrowser::SetDialogHook([&](QDialog& dialog) {
    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    if (!preview) return int(QDialog::Rejected);
    preview->updatePreview();
    previewPages = preview->pageCount();
    // Readable: most of the screen, the page as wide as the window.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_GE(dialog.width(), area.width() * 8 / 10);
    EXPECT_GE(dialog.height(), area.height() * 8 / 10);
    EXPECT_TRUE(area.contains(dialog.geometry()));
    EXPECT_EQ(preview->zoomMode(), QPrintPreviewWidget::FitToWidth);
    return int(QDialog::Accepted);
  });
  EXPECT_EQ(browser.QueryStatusWB(WebBrowser::kCmdPrintPreview), WebBrowser::kStatusSupported | WebBrowser::kStatusEnabled);
  ASSERT_TRUE(browser.ExecWB(WebBrowser::kCmdPrintPreview, WebBrowser::kPromptUser)) << browser.LastError().toStdString();
  EXPECT_GE(previewPages, 2);
  EXPECT_TRUE(browser.LastError().isEmpty()) << browser.LastError().toStdString();
  // Its Print is the program's print, with the print dialog.
  int dialogs = 0;
  setup.PrintTo(dir.filePath("previewed.pdf"), &dialogs);
  WebBrowser::SetDialogHook([](QDialog& dialog) {
    for (QAction* action : dialog.findChildren<QAction*>())
      if (action->text().remove('&') == "Print") action->trigger();
    return dialog.result();
  });
  ASSERT_TRUE(browser.Preview({"Harbor guide", {}, qw::PrintFit::None}));
  EXPECT_EQ(dialogs, 1);
  EXPECT_GE(PdfPageTexts(dir.filePath("previewed.pdf")).size(), 2);
  // Titled as the page it prints, not after its file.
  QProcess info;
  info.start("pdfinfo", {dir.filePath("previewed.pdf")});
  info.waitForFinished(30000);
  EXPECT_TRUE(QString(info.readAllStandardOutput()).contains(QRegularExpression("Title: +Harbor guide\n")));

  // Page setup shows the stored paper and margins, those the print uses
  // (a header takes its room inside them), and stores what the user chose,
  // as numbers whatever the locale.
  QPageLayout shown;
  WebBrowser::SetDialogHook([&](QDialog& dialog) {
    QPrinter* printer = static_cast<QPageSetupDialog&>(dialog).printer();
    shown = printer->pageLayout();
    printer->setPageSize(QPageSize(QPageSize::Legal));
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setPageMargins(QMarginsF(0.5, 1.25, 0.6, 0.8), QPageLayout::Inch);
    // The header and footer are set in the same dialog.
    auto* header = dialog.findChild<QLineEdit*>("Header");
    auto* footer = dialog.findChild<QLineEdit*>("Footer");
    if (!header || !footer || !header->isVisibleTo(&dialog)) return int(QDialog::Rejected);
    header->setText("&w&bPage &p of &P");
    footer->setText("Page No [ &p ]");
    return int(QDialog::Accepted);
  });
  const struct {
    const char* marginTop;
    const char* paper;
    double shownTop;
    QPageSize::PageSizeId shownPaper;
  } opened[] = {{"1,5", "", 1.5, qw::LocalePaper(QLocale::system()).id()}, {"0.07", "Letter", 0.07, QPageSize::Letter}};
  for (const auto& o : opened) {
    setup.values.marginTop = o.marginTop;
    setup.values.paper = o.paper;
    setup.written.clear();
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_TRUE(browser.ExecWB(WebBrowser::kCmdPageSetup, WebBrowser::kPromptUser));
    QLocale::setDefault(QLocale::c());
    EXPECT_DOUBLE_EQ(shown.margins(QPageLayout::Inch).top(), o.shownTop);
    EXPECT_EQ(shown.pageSize().id(), o.shownPaper);
    EXPECT_EQ(setup.written,
              (QStringList{"margin_top=1.25", "margin_bottom=0.8", "margin_left=0.5", "margin_right=0.6",
                           "paper_size=Legal", "orientation=landscape", "header=&w&bPage &p of &P",
                           "footer=Page No [ &p ]"}));
  }
  setup.written.clear();
  WebBrowser::SetDialogHook([](QDialog&) { return int(QDialog::Rejected); });
  EXPECT_FALSE(browser.PageSetupDialog());
  EXPECT_TRUE(setup.written.isEmpty());
}

// A run of pages in the same fonts holds each font once, and each of its
// pages looks exactly as the page printed alone, whatever the headers and
// footers of its prints: those of the first two line up letter for letter,
// but for a blank where the other has a letter.
TEST(WebBrowser, ARunHoldsEachFontOnceAndEachPageAsPrintedAlone) {
  QTemporaryDir dir;
  PrintSetup setup({});
  const QStringList headers = {"Ab d", "Abcd", "Kelp Cove"};
  const QStringList footers = {"Page &p", "Page &p", "Marina 1"};
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("run.pdf"));
  qw::PrintOutput run(printer);
  WebBrowser browser(nullptr, WebBrowser::Kind::Hidden);
  const QStringList texts = {"Kelp Cove Marina, Rockport", "Tern Landing &amp; Boatyard", "Quahog Harbor Yacht Yard"};
  qint64 alone = 0;
  // Font programs: one print alone holds those of its page and one of its
  // header and footer (which the run cannot share: their glyphs are numbered
  // as the text used them).
  const auto programs = [](const QString& pdf) { return qw::testing::ReadFile(pdf).count("/Length1"); };
  for (int i = 0; i < texts.size(); ++i) {
    setup.values.header = headers[i];
    setup.values.footer = footers[i];
    const QString page = QString("<HTML><BODY><P style='font:30px Arial Narrow'>%1</P>"
                                 "<P style='font:bold 20px Arial Narrow'>%1</P><P style='font:italic 20px Arial'>%1</P>"
                                 "</BODY></HTML>").arg(texts[i]);
    ASSERT_TRUE(Loaded(browser, Page(dir, QString("p%1.htm").arg(i), page)));
    ASSERT_TRUE(browser.PrintTo(run)) << browser.LastError().toStdString();
    QPrinter single;
    single.setOutputFormat(QPrinter::PdfFormat);
    single.setOutputFileName(dir.filePath(QString("alone%1.pdf").arg(i)));
    qw::PrintOutput one(single);
    ASSERT_TRUE(browser.PrintTo(one) && one.Finish()) << one.Error().toStdString();
    alone += QFileInfo(single.outputFileName()).size();
  }
  ASSERT_TRUE(run.Finish()) << run.Error().toStdString();
  EXPECT_LT(QFileInfo(printer.outputFileName()).size(), alone * 2 / 3);
  EXPECT_EQ(programs(printer.outputFileName()), programs(dir.filePath("alone0.pdf")) - 1 + texts.size());
  const auto picture = [&dir](const QString& pdf, int page) {
    QProcess p;
    p.start("pdftoppm", {"-r", "100", "-gray", "-f", QString::number(page), "-l", QString::number(page), "-singlefile",
                         pdf, dir.filePath("picture")});
    p.waitForFinished(30000);
    return qw::testing::ReadFile(dir.filePath("picture.pgm"));
  };
  for (int i = 0; i < texts.size(); ++i) {
    const QByteArray own = picture(dir.filePath(QString("alone%1.pdf").arg(i)), 1);
    ASSERT_FALSE(own.isEmpty());
    EXPECT_TRUE(picture(printer.outputFileName(), i + 1) == own) << i;
  }
}

// On a queue whose own paper is A4, with Letter kept by the page setup: the
// page-setup dialog shows Letter (and the stored margins), and a print through the print dialog is on
// Letter unless the user picks other paper in the dialog's printer
// properties, which then hold for that print only.
TEST(WebBrowser, PrintsOnThePageSetupsPaperUnlessThePrintDialogChangesIt) {
  qw::testing::PrintService service;
  QW_REQUIRE_PRINT_SERVICE(service);
  ASSERT_TRUE(service.AddQueue("keep", "A4", true)) << service.Why().toStdString();
  QTemporaryDir dir;
  WebBrowser browser(nullptr, WebBrowser::Kind::Hidden);
  ASSERT_TRUE(Loaded(browser, Page(dir, "a.htm", "<HTML><BODY><P>Moorings</P></BODY></HTML>")));
  PrintSetup setup({});
  setup.values.paper = "Letter";
  QPrinter& printer = WebBrowser::Printer();
  printer.setOutputFileName(QString());
  printer.setOutputFormat(QPrinter::NativeFormat);
  printer.setPrinterName("keep");
  // The paper a page-setup widget shows (the dialog's, or the printer
  // properties' of the print dialog).
  const auto paperShown = [](QWidget& w) {
    auto* sizes = w.findChild<QComboBox*>("pageSizeCombo");
    return sizes ? qvariant_cast<QPageSize>(sizes->currentData()).key() : QString("none");
  };
  // The real dialogs, confirmed as the user would, after `act`.
  const auto confirm = [](std::function<void(QDialog&)> act) {
    WebBrowser::SetDialogHook([act](QDialog& d) {
      QTimer::singleShot(0, &d, [&d, act] {
        if (act) act(d);
        d.accept();
      });
      return d.exec();
    });
  };

  // Page setup shows the stored paper and margins, which it keeps.
  setup.values.marginTop = "0.75";
  QString shown;
  double top = 0;
  confirm([&](QDialog& d) {
    shown = paperShown(d);
    if (auto* box = d.findChild<QDoubleSpinBox*>("topMargin")) top = box->value();
  });
  ASSERT_TRUE(browser.PageSetupDialog());
  EXPECT_EQ(shown.toStdString(), "Letter");
  EXPECT_DOUBLE_EQ(top, 0.75);
  for (const char* kept : {"paper_size=Letter", "margin_top=0.75"})
    EXPECT_TRUE(setup.written.contains(kept)) << setup.written.join(" ").toStdString();

  struct Case {
    const char* name;
    const char* picked;  // in the printer properties; nullptr: not opened
    const char* printed;
  };
  for (const Case& c : {Case{"the dialog as it opens", nullptr, "Letter"}, Case{"A4 picked", "A4", "A4"},
                        Case{"the next print", nullptr, "Letter"}}) {
    SCOPED_TRACE(c.name);
    shown.clear();
    confirm([&](QDialog& d) {
      if (!c.picked) return;
      QTimer::singleShot(0, &d, [&] {
        for (QDialog* properties : d.findChildren<QDialog*>()) {
          if (!properties->isVisible()) continue;
          shown = paperShown(*properties);
          auto* sizes = properties->findChild<QComboBox*>("pageSizeCombo");
          for (int i = 0; sizes && i < sizes->count(); ++i)
            if (qvariant_cast<QPageSize>(sizes->itemData(i)).key() == c.picked) sizes->setCurrentIndex(i);
          properties->accept();
        }
      });
      if (auto* button = d.findChild<QPushButton*>("properties")) button->click();
    });
    const qsizetype before = service.Jobs("keep", 0).size();
    ASSERT_TRUE(browser.Print(true, {"Moorings", {}})) << browser.LastError().toStdString();
    if (c.picked) {
      EXPECT_EQ(shown.toStdString(), "Letter") << "the properties open on the stored paper";
    }
    const QList<qw::testing::PrintService::Job> jobs = service.Jobs("keep", int(before) + 1);
    ASSERT_EQ(jobs.size(), before + 1);
    EXPECT_EQ(jobs.last().title, "Moorings");
    EXPECT_TRUE(jobs.last().options.contains(QString("media=%1").arg(c.printed))) << jobs.last().options.toStdString();
    EXPECT_TRUE(qw::testing::PdfPageTexts(jobs.last().file).value(0).contains("Moorings"));
  }
}

// Without any printer installed the browser's printer writes PDF, and the
// print dialog offers a PDF file.
TEST(WebBrowser, PrintsToAPdfFileWhenNoPrinterIsInstalled) {
  QPrinter& printer = WebBrowser::Printer();
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

// The Windows faces the pages name are laid out in their installed stand-ins,
// in each face (a bold or italic that the engine made up from the regular
// face would take another width), on screen and in print.
TEST(WebBrowser, PagesGetTheInstalledStandInsOfTheFontsTheyName) {
  QTemporaryDir dir;
  const QString sample = "Harbor Light Marina &amp; Boatyard, Camden";
  QString body = "<html><body>";
  int n = 0;
  for (const qw::PageFontStandIn& s : qw::PageFontStandIns()) {
    for (const char* face : {"font-weight:normal", "font-weight:bold", "font-style:italic"}) {
      for (const QString& family : {QString(s.family), QString(s.fullName), QString("DejaVu Sans")})
        body += QString("<span id=s%1 style='font-family:%2;%3;font-size:30px'>%4</span><br>")
                    .arg(n++).arg(family, face, sample);
    }
  }
  WebBrowser browser(nullptr, WebBrowser::Kind::Hidden);
  ASSERT_TRUE(Loaded(browser, Page(dir, "fonts.htm", body + "</body></html>")));
  // Widths once the document's fonts have loaded.
  QString widths;
  ASSERT_TRUE(Spin([&] {
    bool done = false;
    browser.Page()->runJavaScript(
        "document.fonts.status=='loaded'?Array.from(document.querySelectorAll('span')).map(function(e)"
        "{return e.getBoundingClientRect().width.toFixed(1);}).join(' '):''",
        QWebEngineScript::ApplicationWorld, [&](const QVariant& v) { widths = v.toString(); done = true; });
    Spin([&] { return done; }, 5000);
    return !widths.isEmpty();
  }));
  const QStringList w = widths.split(' ');
  ASSERT_EQ(w.size(), n);
  for (int i = 0; i < n; i += 3) {
    SCOPED_TRACE(i);
    EXPECT_EQ(w[i].toStdString(), w[i + 1].toStdString()) << "named family and its stand-in";
    EXPECT_NE(w[i].toStdString(), w[i + 2].toStdString()) << "the engine's default";
  }
  // The print carries the stand-ins' own faces (the engine draws the
  // OpenType Libertine as glyph outlines, which carry no name).
  PrintSetup setup({"", "", "", "", "", "", "", ""});
  const QString pdf = dir.filePath("fonts.pdf");
  setup.PrintTo(pdf);
  ASSERT_TRUE(browser.Print(true)) << browser.LastError().toStdString();
  QProcess fonts;
  fonts.start("pdffonts", {pdf});
  ASSERT_TRUE(fonts.waitForFinished(60000));
  const QString listed = QString::fromUtf8(fonts.readAllStandardOutput());
  for (const char* face : {"LiberationSansNarrow-Bold", "LiberationSansNarrow-Italic", "LiberationSans-Bold"})
    EXPECT_TRUE(listed.contains(face)) << face << "\n" << listed.toStdString();
}

}  // namespace
