// The viewer's print commands, printing to PDF files: a run of reports into
// one PDF, the "Print report" dialog's choices and range checks, runs that end
// without printing, the notes pages and the top margin.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "common/pdf_text.h"
#include "common/print_service.h"
#include "host/ui/frm_progress.h"
#include "platform/message_box.h"
#include "report/notes_print_pages.h"
#include "report/ui/frm_print_all.h"
#include "report/ui/report_print_commands.h"
#include "search/qstring_printer.h"
#include "services/page_setup.h"
#include "services/user_store.h"
#include "viewer_fixture.h"

namespace qw {
namespace {

QWidget* RunProgress() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "PrintRunProgress" && w->isVisible()) return w;
  return nullptr;
}

// The list holds five marinas, in this order: Saltmarsh Cove Landing (507),
// Hasketh's Wharf (2608, with notes), Tidewater Boatyard (34), Quahog Harbor
// Yacht Yard (11) and Petrakis's Boatyard (20).
const QStringList kEntryNames = {"Saltmarsh Cove Landing", "Hasketh's Wharf", "Tidewater Boatyard",
                                 "Quahog Harbor Yacht Yard", "Petrakis's Boatyard"};

class PrintCommandsTest : public testing::ViewerWindowTest {
 protected:
  void SetUp() override {
    ViewerWindowTest::SetUp();
    where_ = " where (rpm_Vyk.MarinaNo in (507, 2608, 34, 11, 20))";
    SetUserStoreFolder(store_.path());
    InstallPageSetupStore();
    SetRegistryString(kPageSetupKeyPath, kPageFooter, "Page No [ &p ]");
    QPrinter& printer = WebBrowser::Printer();
    format_ = printer.outputFormat();
    file_ = printer.outputFileName();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf_);
    hook_ = WebBrowser::SetPrintDialogHook([this](QPrinter&) {
      ++dialogs_;
      printStatusAtDialog_ = viewer_ ? viewer_->WBPrint->QueryStatusWB(WebBrowser::kCmdPrint) : 0;
      return true;
    });
    interval_ = frmprogress::TimerInterval();
    frmprogress::TimerInterval() = 5;
    // A run into a file asks for the file first: the files named in
    // chosenFiles_ in turn (the printer's file when none), or Cancel.
    fileHook_ = WebBrowser::SetDialogHook([this](QDialog& d) {
      auto* files = qobject_cast<QFileDialog*>(&d);
      if (!files) return int(QDialog::Rejected);
      ++fileDialogs_;
      if (cancelFileDialog_) return int(QDialog::Rejected);
      files->selectFile(chosenFiles_.isEmpty() ? WebBrowser::Printer().outputFileName() : chosenFiles_.takeFirst());
      return int(QDialog::Accepted);
    });
  }
  void TearDown() override {
    frm_PrintAll::Unload();
    WebBrowser::SetPrintDialogHook(hook_);
    WebBrowser::SetDialogHook(fileHook_);
    WebBrowser::Printer().setOutputFormat(format_);
    WebBrowser::Printer().setOutputFileName(file_);
    frmprogress::TimerInterval() = interval_;
    SetRegistryString(kPageSetupKeyPath, kPageFooter, QString());
    SetUserStoreFolder(QString());
    ViewerWindowTest::TearDown();
  }

  // The viewer on the entry (0-based) double-clicked in the list.
  frm_view_report& Open(int entry = 0) {
    viewer_ = DoubleClick(QList<int>{507, 2608, 34, 11, 20}[entry]);
    EXPECT_EQ(viewer_->lstMarinaNames->count(), 5);
    return *viewer_;
  }

  // "Print Report(s)": choose in the dialog, OK (Cancel when it stays open),
  // then wait for the run to end.
  void PrintReports(const std::function<void(frm_PrintAll&)>& choose) {
    QTimer::singleShot(0, [&] {
      frm_PrintAll* dialog = frm_PrintAll::Loaded();
      choose(*dialog);
      dialog->OKButton->click();
      if (dialog->isVisible()) dialog->CancelButton->click();
    });
    viewer_->mnuAll->trigger();
    EXPECT_TRUE(testing::WaitFor([&] { return !viewer_ || !viewer_->printCommands->Run().PrintFlagAvail(); }));
    EXPECT_EQ(RunProgress(), nullptr);
  }

  // The entry (1-based) whose marina each page of the PDF names; 0 for none,
  // -1 for more than one.
  QList<int> PrintedEntries() {
    QList<int> entries;
    if (!QFile::exists(pdf_)) return entries;
    for (const QString& page : testing::PdfPageTexts(pdf_)) {
      int named = 0;
      for (int i = 0; i < kEntryNames.size(); ++i)
        if (page.contains(kEntryNames[i])) named = named ? -1 : i + 1;
      entries << named;
    }
    return entries;
  }

  QTemporaryDir store_;
  QTemporaryDir out_;
  const QString pdf_ = out_.filePath("printed.pdf");
  QPointer<frm_view_report> viewer_;
  WebBrowser::PrintDialogHook hook_;
  WebBrowser::DialogHook fileHook_;
  QStringList chosenFiles_;
  bool cancelFileDialog_ = false;
  int fileDialogs_ = 0;
  QPrinter::OutputFormat format_ = QPrinter::NativeFormat;
  QString file_;
  int interval_ = 100;
  int dialogs_ = 0;
  long printStatusAtDialog_ = 0;
};

TEST_F(PrintCommandsTest, ARunOfThreeReportsGoesIntoOnePdf) {
  frm_view_report& viewer = Open(4);
  PrintReports([](frm_PrintAll& d) {
    d.optFrom->setChecked(true);
    d.txtFrom->setText("2");
    d.txtTo->setText("4");
  });

  const QStringList pages = testing::PdfPageTexts(pdf_);
  ASSERT_EQ(pages.size(), 3);
  const DatabasePtr db = OpenMarinaDatabase(-1, true);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const int no = viewer.EntryMarinaNo(i + 1);
    const RecordsetPtr rs =
        db->OpenRecordset("SELECT Phone FROM rpm_Contact_Information WHERE MarinaNo = " + QString::number(no));
    const QString phone = rs->Fields("Phone").Value().toString();
    ASSERT_FALSE(phone.isEmpty());
    EXPECT_TRUE(pages[i].contains(viewer.lstMarinaNames->item(i + 1)->text())) << pages[i].toStdString();
    EXPECT_TRUE(pages[i].contains(phone.mid(4))) << phone.toStdString();  // printed as (401) 555-0138
    EXPECT_TRUE(pages[i].contains("Page No [ 1 ]"));
  }
  EXPECT_EQ(viewer.ListIndex(), 3);
  EXPECT_EQ(viewer.CurrentMarinaNo(), viewer.EntryMarinaNo(3));
  EXPECT_EQ(dialogs_, 0);  // no print dialog in a run
  EXPECT_EQ(fileDialogs_, 1);  // the file was asked for before the run
  EXPECT_TRUE(boxes_.Shown().isEmpty());
}

TEST_F(PrintCommandsTest, ARunIntoAFileAsksForTheFileBeforeItStarts) {
  const QString other = out_.filePath("other.pdf");
  struct Case {
    const char* name;
    bool cancel;
    QStringList chosen;
    QList<MsgResult> replace;  // answers to "already exists"
    QString printedTo;         // "" when nothing is printed
  };
  const Case cases[] = {
      {"cancelled", true, {}, {}, ""},
      {"earlier file replaced", false, {pdf_}, {MsgResult::Yes}, pdf_},
      {"earlier file kept, another chosen", false, {pdf_, other}, {MsgResult::No}, other},
  };
  Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WebBrowser::Printer().setOutputFileName(pdf_);
    for (const QString& f : {pdf_, other}) {
      QFile earlier(f);
      ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
      earlier.write("earlier");
    }
    QFile::remove(other);
    boxes_.Clear();
    for (MsgResult answer : c.replace) boxes_.Answer(answer);
    cancelFileDialog_ = c.cancel;
    chosenFiles_ = c.chosen;
    fileDialogs_ = 0;
    PrintReports([](frm_PrintAll& d) { d.optAll->setChecked(true); });
    EXPECT_EQ(fileDialogs_, c.cancel ? 1 : c.chosen.size());
    ASSERT_EQ(boxes_.Shown().size(), c.replace.size());
    for (const MsgBoxCall& box : boxes_.Shown()) {
      EXPECT_EQ(box.text, QDir::toNativeSeparators(pdf_) + " already exists.\nDo you want to replace it?");
      EXPECT_EQ(box.defaultButton, 2);  // No
    }
    // Only the chosen file is written, and a file kept stays as it was.
    for (const QString& f : {pdf_, other}) {
      QFile file(f);
      const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
      if (f == c.printedTo)
        EXPECT_TRUE(bytes.startsWith("%PDF")) << f.toStdString();
      else
        EXPECT_EQ(bytes, f == pdf_ ? "earlier" : "") << f.toStdString();
    }
  }
  cancelFileDialog_ = false;
}

TEST_F(PrintCommandsTest, DialogChoicesAndRanges) {
  struct Case {
    const char* name;
    int selected;
    const char* option;  // "single", "all", "from"
    const char* from;
    const char* to;
    QList<int> printed;
    int finalRow;
    const char* refusal;
  };
  const Case cases[] = {
      {"all pages", 2, "all", "", "", {1, 2, 3, 4, 5}, 4, ""},
      {"2 to 3, entry 4 shown", 3, "from", "2", "3", {2, 3}, 2, ""},
      {"4 to 2 prints 4", 0, "from", "4", "2", {4}, 3, ""},
      {"to beyond the list", 0, "from", "3", "99", {3, 4, 5}, 4, ""},
      {"start shown already", 1, "from", "2", "2", {2}, 1, ""},
      {"not a number", 0, "from", "two", "3", {}, 0, "Enter numbers in From and to."},
      {"from below 1", 0, "from", "0", "3", {}, 0, "From must be a number from 1 to 5."},
      {"current report", 2, "single", "", "", {3}, 2, ""},
  };
  frm_view_report& viewer = Open();
  int shown = 0;
  QObject::connect(viewer.lstMarinaNames, &QListWidget::itemSelectionChanged, &viewer, [&] { ++shown; });
  QString previous = "single";  // chosen when the dialog is first loaded
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(pdf_);
    boxes_.Clear();
    dialogs_ = 0;
    ShowEntry(viewer_, c.selected);
    const int composed = shown;
    PrintReports([&](frm_PrintAll& d) {
      EXPECT_EQ(d.windowTitle(), "Print report");
      EXPECT_EQ(d.txtFrom->text(), "1");
      EXPECT_EQ(d.txtTo->text(), "5");
      QRadioButton* options[] = {d.optSingle, d.optAll, d.optFrom};
      const QString names[] = {"single", "all", "from"};
      for (int i = 0; i < 3; ++i) EXPECT_EQ(options[i]->isChecked(), names[i] == previous);
      for (int i = 0; i < 3; ++i)
        if (names[i] == c.option) options[i]->setChecked(true);
      if (*c.from) d.txtFrom->setText(c.from);
      if (*c.to) d.txtTo->setText(c.to);
    });
    previous = c.option;
    EXPECT_EQ(PrintedEntries(), c.printed);
    EXPECT_EQ(viewer.ListIndex(), c.finalRow);
    EXPECT_EQ(dialogs_, previous == "single" ? 1 : 0);
    if (*c.refusal) {
      ASSERT_EQ(boxes_.Shown().size(), 1);
      EXPECT_EQ(boxes_.Shown()[0].text, c.refusal);
    } else {
      EXPECT_TRUE(boxes_.Shown().isEmpty());
    }
    if (QString(c.name) == "start shown already") {
      EXPECT_EQ(shown, composed);  // built again without a change of entry
      EXPECT_EQ(viewer.CurrentMarinaNo(), viewer.EntryMarinaNo(1));
    }
  }
}

TEST_F(PrintCommandsTest, ARunThatEndsEarlyPrintsNothingThenOrLater) {
  enum class When { SecondEntryShown, SecondPagePrinting, SecondPageLoading, FirstReportUnwritable };
  struct Case {
    const char* name;
    When when;
    std::function<void(frm_view_report&)> act;
    QStringList messages;
  };
  const auto cancel = [](frm_view_report&) { qobject_cast<QDialog*>(RunProgress())->reject(); };
  const auto unload = [](frm_view_report&) { frm_view_report::Unload(); };
  const auto unloadPrint = [](frm_view_report& v) { v.printCommands->Form_Unload(); };
  const auto removePage = [](frm_view_report&) { QFile::remove(ReportPagePath()); };
  const Case cases[] = {
      {"cancelled", When::SecondEntryShown, cancel, {}},
      {"viewer unloads", When::SecondEntryShown, unload, {}},
      {"viewer unloads while a page prints", When::SecondPagePrinting, unloadPrint, {}},
      {"page does not load", When::SecondPageLoading, removePage,
       {"The reports could not be printed: a report page did not load."}},
      {"report not written", When::FirstReportUnwritable, nullptr,
       {"The reports could not be printed: the report of entry 1 was not shown."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    frm_view_report& viewer = Open();
    boxes_.Clear();
    QFile::remove(pdf_);
    const QString notesPage = WritePersonalNotesPage(2608, "kept until the viewer unloads");
    int shown = 0;
    QObject::connect(viewer.lstMarinaNames, &QListWidget::itemSelectionChanged, &viewer, [&] {
      if (++shown != 1) return;
      if (c.when == When::SecondEntryShown) QTimer::singleShot(0, &viewer, [&] { c.act(viewer); });
      // The page's file goes before the browser begins to read it.
      if (c.when == When::SecondPageLoading) c.act(viewer);
    });
    // While the engine lays out the second page for printing.
    QObject::connect(viewer.wb, &WebBrowser::StateChanged, &viewer, [&] {
      if (shown == 1 && c.when == When::SecondPagePrinting && viewer.printCommands->Run().Printing()) c.act(viewer);
    });
    if (c.when == When::FirstReportUnwritable) {
      ASSERT_TRUE(QFile::remove(ReportPagePath()));
      ASSERT_TRUE(QDir().mkdir(ReportPagePath()));
    }
    PrintReports([](frm_PrintAll& d) { d.optAll->setChecked(true); });
    QDir().rmdir(ReportPagePath());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(QFile::exists(pdf_));
    const bool unloaded = QString(c.name).startsWith("viewer unloads");
    EXPECT_EQ(QFile::exists(notesPage), !unloaded);
    QStringList messages;
    for (const MsgBoxCall& box : boxes_.Shown()) messages << box.text;
    // A report that cannot be written says so too.
    if (c.when == When::FirstReportUnwritable && !messages.isEmpty()) messages.removeFirst();
    EXPECT_EQ(messages, c.messages);

    // Pages shown afterwards are never printed.
    frm_view_report& again = viewer_ ? *viewer_ : Open();
    ShowEntry(&again, 4);
    QApplication::processEvents();
    EXPECT_FALSE(QFile::exists(pdf_));
    frm_view_report::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(PrintCommandsTest, NotesPagesAndTheTopMargin) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  frm_view_report& viewer = Open(1);  // Hasketh's Wharf
  const QString name = viewer.lstMarinaNames->item(1)->text();

  // Page Setup: 0.07 inch afterwards, confirmed or cancelled, in any locale.
  for (int answer : {int(QDialog::Accepted), int(QDialog::Rejected)}) {
    SetRegistryString(kPageSetupKeyPath, kMarginTop, "1");
    const auto previous = WebBrowser::SetDialogHook([&](QDialog&) { return answer; });
    viewer.mnuPage->trigger();
    WebBrowser::SetDialogHook(previous);
    EXPECT_EQ(PageSetupValue(kMarginTop), "0.07");
  }
  // Preview: the preview window of the shown page.
  QString previewed;
  const auto previous = WebBrowser::SetDialogHook([&](QDialog& d) {
    previewed = d.metaObject()->className();
    return int(QDialog::Rejected);
  });
  viewer.mnuPrev->trigger();
  WebBrowser::SetDialogHook(previous);
  EXPECT_EQ(previewed, "QPrintPreviewDialog");
  // Print Report leaves the margin; Print Marina Report sets it.
  SetRegistryString(kPageSetupKeyPath, kMarginTop, "0.5");
  viewer.mnuprint->trigger();
  EXPECT_EQ(PageSetupValue(kMarginTop), "0.5");
  EXPECT_EQ(PrintedEntries(), QList<int>{2});
  // Its progress window stands over the viewer, not over the main window.
  QWidget* progressOver = nullptr;
  QTimer::singleShot(0, [&] {
    if (frmprogress* p = frmprogress::Loaded()) progressOver = p->parentWidget();
  });
  viewer.mnuprintmarinaDETAILS->trigger();
  EXPECT_EQ(progressOver, &viewer);
  EXPECT_EQ(PageSetupValue(kMarginTop), "0.07");
  EXPECT_EQ(PrintedEntries(), QList<int>{2});

  // The notes alone: printed once their page has loaded, escaped, with the
  // marina's name; then after the report on a page of their own.
  viewer.tbNotes->setPlainText("Moor <b>east</b> & call ahead");
  QFile::remove(pdf_);
  viewer.mnuPrintMARINANotes->trigger();
  EXPECT_EQ(printStatusAtDialog_ & WebBrowser::kStatusEnabled, WebBrowser::kStatusEnabled);
  QStringList pages = testing::PdfPageTexts(pdf_);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains("Moor <b>east</b> & call ahead"));
  EXPECT_TRUE(pages[0].contains(name));
  viewer.mnuprintmarinaDandN->trigger();
  pages = testing::PdfPageTexts(pdf_);
  ASSERT_EQ(pages.size(), 2);
  EXPECT_EQ(PrintedEntries(), (QList<int>{2, 2}));
  EXPECT_FALSE(pages[0].contains("call ahead"));
  EXPECT_TRUE(pages[1].contains("Moor <b>east</b> & call ahead"));
  viewer.tbNotes->clear();
  viewer.mnuprintmarinaDandN->trigger();
  EXPECT_EQ(testing::PdfPageTexts(pdf_).size(), 1);
  EXPECT_EQ(dialogs_, 5);
  EXPECT_TRUE(boxes_.Shown().isEmpty());

  // No report shown (its page could not be written): every report print is
  // the disabled print, the margin untouched.
  SetRegistryString(kPageSetupKeyPath, kMarginTop, "0.5");
  ASSERT_TRUE(QFile::remove(ReportPagePath()));
  ASSERT_TRUE(QDir().mkdir(ReportPagePath()));
  ShowEntry(viewer_, 3);
  boxes_.Clear();
  viewer.mnuprintmarinaDETAILS->trigger();
  viewer.mnuprintmarinaDandN->trigger();
  viewer.printCommands->mnuPrint_Click();  // "Current Report" of the dialog
  ASSERT_EQ(boxes_.Shown().size(), 3);
  for (const MsgBoxCall& box : boxes_.Shown()) EXPECT_EQ(box.text, kPrintDisabledMessage);
  EXPECT_EQ(PageSetupValue(kMarginTop), "0.5");
  EXPECT_EQ(dialogs_, 5);
  QDir().rmdir(ReportPagePath());
  QLocale::setDefault(QLocale::c());
}

TEST_F(PrintCommandsTest, NotesAfterTheReportAreFootedWhereTheReportIs) {
  frm_view_report& viewer = Open(1);
  viewer.tbNotes->setPlainText("Call ahead.");
  for (const char* paper : {"A4", "Letter", "Legal"}) {
    SCOPED_TRACE(paper);
    SetRegistryString(kPageSetupKeyPath, kPaperSize, paper);
    QFile::remove(pdf_);
    viewer.mnuprintmarinaDandN->trigger();
    // The rights line at the foot of the report, and of the notes page after
    // it, at the same height of the paper whatever its size.
    const QList<double> tops = testing::PdfWordTops(pdf_, "Copyright");
    ASSERT_EQ(tops.size(), 2);
    EXPECT_GT(tops[0], 0.6);
    EXPECT_NEAR(tops[1], tops[0], 0.005);
    // The notes themselves on the second page only.
    const QList<double> notes = testing::PdfWordTops(pdf_, "ahead.");
    ASSERT_EQ(notes.size(), 2);
    EXPECT_LT(notes[0], 0);
    EXPECT_GE(notes[1], 0);
  }
  SetRegistryString(kPageSetupKeyPath, kPaperSize, QString());
  EXPECT_TRUE(boxes_.Shown().isEmpty());
}

// A run to a queue of the print service is one PDF job of the reports' own
// text, titled, on the paper of the page setup: each report on one sheet
// with header and footer on Letter whatever the printer cannot print on, and
// one copy whatever an earlier print's dialog chose. With no default printer
// the printer is asked for first. A queue that does not print the job (at
// once, or a moment after it took it) and a service that does not answer
// say so once, naming the printer and the reason, with the pages kept and
// nothing left to print later; the program answers all the while.
TEST_F(PrintCommandsTest, ARunToAPrintQueueIsOnePdfJobOrSaysWhyNot) {
  testing::PrintService service;
  QW_REQUIRE_PRINT_SERVICE(service);
  using Printer = testing::PrintService::Printer;
  for (const auto& [queue, kind] :
       {std::pair{"keep", Printer::Keeps}, std::pair{"wide", Printer::WideMargins},
        std::pair{"aborts", Printer::FailsAborting}, std::pair{"stops", Printer::FailsStopping}})
    ASSERT_TRUE(service.AddQueue(queue, "A4", false, kind)) << service.Why().toStdString();
  SetRegistryString(kPageSetupKeyPath, kPaperSize, "Letter");
  SetRegistryString(kPageSetupKeyPath, kPageHeader, "Brinewick's Guide");
  QPrinter& printer = WebBrowser::Printer();
  printer.setOutputFileName(QString());
  printer.setOutputFormat(QPrinter::NativeFormat);
  printer.setPrinterName("keep");
  Open();
  // One print's dialog asks for two copies of it; a dialog cancelled while
  // the service did not answer, after it switched to its file output (as it
  // does when it finds no printers), leaves the session's printer as it
  // was, once the service answers again.
  WebBrowser::SetPrintDialogHook([](QPrinter& p) { return p.setCopyCount(2), true; });
  viewer_->mnuprint->trigger();
  ASSERT_EQ(service.Jobs("keep").value(0).copies, 2);
  service.Freeze();
  WebBrowser::SetPrintDialogHook([](QPrinter& p) { return p.setOutputFormat(QPrinter::PdfFormat), false; });
  viewer_->mnuprint->trigger();
  service.Thaw();
  WebBrowser::SetPrintDialogHook([this](QPrinter&) { return ++dialogs_, true; });
  WebBrowser::ForgetPrinterChoice();
  struct Case {
    const char* name;
    const char* queue;    // the printer chosen before
    QStringList command;  // run before the print ("freeze": the service stops answering)
    int reports;          // printed from the first
    int printDialogs;     // asked before the run
    QStringList message;  // parts of the one message; none when printed
  };
  const Case cases[] = {
      {"no default printer", "keep", {}, 5, 1, {}},
      {"default printer", "keep", {"lpadmin", "-d", "keep"}, 5, 0, {}},
      {"half an inch it cannot print on", "wide", {}, 5, 0, {}},
      {"rejecting",
       "keep",
       {"cupsreject", "-r", "Out of paper", "keep"},
       5,
       0,
       {"The reports could not be printed: the printer \"keep\" did not take the job: Destination \"keep\" is not "
        "accepting jobs (Out of paper)."}},
      {"stopped",
       "keep",
       {"cupsdisable", "-r", "Paper jam", "keep"},
       5,
       0,
       {"The reports could not be printed: the printer \"keep\" is stopped: Paper jam."}},
      {"a printer that fails at once, the job aborted",
       "aborts",
       {},
       5,
       0,
       {"\"Marina reports 1-5\" could not be printed: the printer \"aborts\" aborted the job"}},
      {"a printer that fails at once, its queue stopped",
       "stops",
       {},
       5,
       0,
       {"could not be printed: the printer \"stops\" ", "stop"}},
      {"removed (the default printer too)",
       "keep",
       {"lpadmin", "-x", "keep"},
       5,
       1,
       {"The reports could not be printed: the print service does not know the printer \"keep\" (The printer or "
        "class does not exist)."}},
      {"service not answering",
       "wide",
       {"freeze"},
       1,
       0,
       {"The reports could not be printed: the print service does not answer: the printer \"wide\" was not reached"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    printer.setPrinterName(c.queue);
    if (c.command == QStringList{"freeze"}) {
      service.Freeze();
    } else if (!c.command.isEmpty()) {
      ASSERT_TRUE(service.Run(c.command[0], c.command.mid(1))) << service.Why().toStdString();
    }
    if (QString(c.name) == "default printer") WebBrowser::ForgetPrinterChoice();
    boxes_.Clear();
    dialogs_ = 0;
    const qsizetype before = service.Jobs(c.queue, 0).size();
    // The program answers all the while: its timers keep their time.
    QElapsedTimer sinceTick;
    sinceTick.start();
    qint64 longest = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    ticks.start(50);
    QElapsedTimer clock;
    clock.start();
    PrintReports([&c](frm_PrintAll& d) {
      d.optFrom->setChecked(true);
      d.txtTo->setText(QString::number(c.reports));
    });
    EXPECT_EQ(dialogs_, c.printDialogs);
    EXPECT_TRUE(testing::WaitFor([&] { return boxes_.Shown().size() >= (c.message.isEmpty() ? 0 : 1); }, 60000));
    if (!c.message.isEmpty()) {
      EXPECT_LT(clock.elapsed(), 60000);
    }
    if (QString(c.name) == "service not answering") {
      EXPECT_LT(clock.elapsed(), 10000) << "told within ten seconds";
      service.Thaw();
    }
    ticks.stop();
    EXPECT_LT(longest, 1000);
    QStringList messages;
    for (const MsgBoxCall& box : boxes_.Shown()) messages << box.text;
    if (!c.message.isEmpty()) {
      ASSERT_EQ(messages.size(), 1) << messages.join("|").toStdString();
      for (const QString& part : c.message) EXPECT_TRUE(messages[0].contains(part)) << messages[0].toStdString();
      // The pages wait in a file the message names.
      const QString kept = messages[0].section(" The pages are kept in ", 1).chopped(1);
      EXPECT_EQ(testing::PdfPageTexts(kept).size(), c.reports) << kept.toStdString();
      EXPECT_EQ(service.Jobs(c.queue, 0).size(), before);
      // Nothing prints later that the user was told did not.
      if (!QString(c.name).startsWith("removed")) {
        EXPECT_TRUE(testing::WaitFor([&] { return service.PendingJobs() == 0; }, 10000));
      }
      for (const char* restart : {"cupsenable", "cupsaccept"}) service.Run(restart, {c.queue});
      continue;
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    const QList<testing::PrintService::Job> jobs = service.Jobs(c.queue, int(before) + 1);
    ASSERT_EQ(jobs.size(), before + 1);
    EXPECT_EQ(jobs.last().title, "Marina reports 1-5");
    EXPECT_EQ(jobs.last().copies, 1);
    EXPECT_TRUE(jobs.last().options.contains("media=Letter")) << jobs.last().options.toStdString();
    const QStringList pages = testing::PdfPageTexts(jobs.last().file);
    ASSERT_EQ(pages.size(), 5) << "one sheet a report";
    for (int i = 0; i < 5; ++i) {
      EXPECT_TRUE(pages[i].contains(kEntryNames[i]) && pages[i].contains("Brinewick's Guide") &&
                  pages[i].contains("Page No [ 1 ]"))
          << i;
    }
    if (QString(c.name) == "no default printer") {
      EXPECT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
      EXPECT_EQ(printer.printerName(), "keep");
    }
  }
  SetRegistryString(kPageSetupKeyPath, kPageHeader, QString());
  SetRegistryString(kPageSetupKeyPath, kPaperSize, QString());
}

}  // namespace
}  // namespace qw
