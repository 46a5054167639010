// The viewer's print commands in a stand-in viewer, printing to PDF files: a
// run of reports into one PDF, the "Print report" dialog's choices and range
// checks, runs that end without printing, the notes pages and the top margin.
#include <QApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QFile>
#include <QLocale>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/ui/frm_progress.h"
#include "common/pdf_text.h"
#include "platform/message_box.h"
#include "report/notes_print_pages.h"
#include "search/qstring_printer.h"
#include "report/ui/frm_print_all.h"
#include "services/page_setup.h"
#include "services/user_store.h"
#include "viewer_stand_in.h"

namespace qw {
namespace {

using testing::ListedMarina;
using testing::ViewerStandIn;

bool WaitFor(const std::function<bool()>& done, int ms = 60000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

QWidget* RunProgress() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "PrintRunProgress" && w->isVisible()) return w;
  return nullptr;
}

class PrintCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
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
  }
  void TearDown() override {
    viewer_.reset();
    frm_PrintAll::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    WebBrowser::SetPrintDialogHook(hook_);
    WebBrowser::Printer().setOutputFormat(format_);
    WebBrowser::Printer().setOutputFileName(file_);
    frmprogress::TimerInterval() = interval_;
    SetRegistryString(kPageSetupKeyPath, kPageFooter, QString());
    SetUserStoreFolder(QString());
  }

  ViewerStandIn& Open(QList<ListedMarina> marinas, ViewerStandIn::Pages pages, int selected = 0) {
    viewer_ = std::make_unique<ViewerStandIn>(std::move(marinas), pages);
    viewer_->show();
    viewer_->lstMarinaNames->setCurrentRow(selected);
    EXPECT_TRUE(viewer_->wb->WaitForLoad(30000));
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
    viewer_->commands->mnuAll_Click();
    EXPECT_TRUE(WaitFor([&] { return !viewer_->commands->Run().PrintFlagAvail(); }));
    EXPECT_EQ(RunProgress(), nullptr);
  }

  // The entry named on each page of the PDF ("" for none).
  QStringList PrintedEntries() {
    QStringList names;
    for (const QString& page : testing::PdfPageTexts(pdf_)) {
      const qsizetype at = page.indexOf("Entry ");
      names << (at < 0 ? QString() : page.mid(at + 6).section(QRegularExpression("\\s"), 0, 0));
    }
    return names;
  }

  testing::TempProgramFolder folder_;
  ScriptedMsgBoxes boxes_;
  QTemporaryDir store_;
  QTemporaryDir out_;
  const QString pdf_ = out_.filePath("printed.pdf");
  std::unique_ptr<ViewerStandIn> viewer_;
  WebBrowser::PrintDialogHook hook_;
  QPrinter::OutputFormat format_ = QPrinter::NativeFormat;
  QString file_;
  int interval_ = 100;
  int dialogs_ = 0;
  long printStatusAtDialog_ = 0;
};

const QList<ListedMarina> kFive = {{2608, "One"}, {20, "Two"}, {11, "Three"}, {34, "Four"}, {507, "Five"}};

TEST_F(PrintCommandsTest, ARunOfThreeReportsGoesIntoOnePdf) {
  QList<ListedMarina> marinas;
  for (int no : {2673, 507, 581}) marinas.append({no, NotesPageTitleOf(no).marinaName});
  ViewerStandIn& viewer = Open(marinas, ViewerStandIn::Pages::Reports, 1);
  PrintReports([](frm_PrintAll& d) { d.optAll->setChecked(true); });

  const QStringList pages = testing::PdfPageTexts(pdf_);
  ASSERT_EQ(pages.size(), 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(pages[i].contains(marinas[i].name.left(20))) << pages[i].toStdString();
    EXPECT_TRUE(pages[i].contains("Page No [ 1 ]"));
  }
  EXPECT_EQ(viewer.lstMarinaNames->currentRow(), 2);
  EXPECT_EQ(dialogs_, 0);  // no print dialog in a run
  EXPECT_TRUE(boxes_.Shown().isEmpty());
}

TEST_F(PrintCommandsTest, DialogChoicesAndRanges) {
  struct Case {
    const char* name;
    int selected;
    const char* option;  // "single", "all", "from"
    const char* from;
    const char* to;
    QStringList printed;
    int finalRow;
    const char* refusal;
  };
  const Case cases[] = {
      {"all pages", 2, "all", "", "", {"One", "Two", "Three", "Four", "Five"}, 4, ""},
      {"2 to 3, entry 4 shown", 3, "from", "2", "3", {"Two", "Three"}, 2, ""},
      {"4 to 2 prints 4", 0, "from", "4", "2", {"Four"}, 3, ""},
      {"to beyond the list", 0, "from", "3", "99", {"Three", "Four", "Five"}, 4, ""},
      {"start shown already", 1, "from", "2", "2", {"Two"}, 1, ""},
      {"not a number", 0, "from", "two", "3", {}, 0, "Enter whole numbers in From and to."},
      {"from below 1", 0, "from", "0", "3", {}, 0, "From must be a number from 1 to 5."},
      {"current report", 2, "single", "", "", {"Three"}, 2, ""},
  };
  ViewerStandIn& viewer = Open(kFive, ViewerStandIn::Pages::Plain);
  QString previous = "single";  // chosen when the dialog is first loaded
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(pdf_);
    boxes_.Clear();
    dialogs_ = 0;
    viewer.lstMarinaNames->setCurrentRow(c.selected);
    ASSERT_TRUE(viewer.wb->WaitForLoad(30000));
    const int clicks = viewer.clicks;
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
    EXPECT_EQ(QFile::exists(pdf_) ? PrintedEntries() : QStringList(), c.printed);
    EXPECT_EQ(viewer.lstMarinaNames->currentRow(), c.finalRow);
    EXPECT_EQ(dialogs_, previous == "single" ? 1 : 0);
    if (*c.refusal) {
      ASSERT_EQ(boxes_.Shown().size(), 1);
      EXPECT_EQ(boxes_.Shown()[0].text, c.refusal);
    } else {
      EXPECT_TRUE(boxes_.Shown().isEmpty());
    }
    if (QString(c.name) == "start shown already") {
      EXPECT_EQ(viewer.clicks, clicks + 1);  // built again
    }
  }
}

TEST_F(PrintCommandsTest, ARunThatEndsEarlyPrintsNothingThenOrLater) {
  enum class When { None, SecondEntryShown, SecondPagePrinting };
  struct Case {
    const char* name;
    When when;
    std::function<void(ViewerStandIn&)> act;
    const char* secondName;
    const char* message;
  };
  const auto cancel = [](ViewerStandIn&) { qobject_cast<QDialog*>(RunProgress())->reject(); };
  const auto unload = [](ViewerStandIn& v) { v.commands->Form_Unload(); };
  const Case cases[] = {
      {"cancelled", When::SecondEntryShown, cancel, "Two", ""},
      {"viewer unloads", When::SecondEntryShown, unload, "Two", ""},
      {"viewer unloads while a page prints", When::SecondPagePrinting, unload, "Two", ""},
      {"page does not load", When::None, nullptr, "missing",
       "The reports could not be printed: a report page did not load."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QList<ListedMarina> marinas = kFive;
    marinas[1].name = c.secondName;
    ViewerStandIn& viewer = Open(marinas, ViewerStandIn::Pages::Plain);
    boxes_.Clear();
    QFile::remove(pdf_);
    const QString notesPage = WritePersonalNotesPage(2608, "kept until the viewer unloads");
    viewer.afterClick = [&] {
      if (viewer.clicks == 3 && c.when == When::SecondEntryShown) QTimer::singleShot(0, [&] { c.act(viewer); });
    };
    // While the engine lays out the second page for printing.
    QObject::connect(viewer.wb, &WebBrowser::StateChanged, viewer.wb, [&] {
      if (viewer.clicks == 3 && c.when == When::SecondPagePrinting && viewer.commands->Run().Printing()) c.act(viewer);
    });
    PrintReports([](frm_PrintAll& d) { d.optAll->setChecked(true); });
    EXPECT_FALSE(QFile::exists(pdf_));
    EXPECT_EQ(QFile::exists(notesPage), !QString(c.name).startsWith("viewer unloads"));
    EXPECT_EQ(boxes_.Shown().size(), *c.message ? 1 : 0);
    if (*c.message) {
      EXPECT_EQ(boxes_.Shown()[0].text, c.message);
    }
    // Pages shown afterwards are never printed.
    viewer.afterClick = nullptr;
    viewer.lstMarinaNames->setCurrentRow(4);
    viewer.wb->WaitForLoad(30000);
    QApplication::processEvents();
    EXPECT_FALSE(QFile::exists(pdf_));
    DeletePrintPages();
  }
}

TEST_F(PrintCommandsTest, NotesPagesAndTheTopMargin) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  ViewerStandIn& viewer = Open(kFive, ViewerStandIn::Pages::Plain);
  const QString name = NotesPageTitleOf(2608).marinaName;

  // Page Setup: 0.07 inch afterwards, confirmed or cancelled, in any locale.
  for (int answer : {int(QDialog::Accepted), int(QDialog::Rejected)}) {
    SetRegistryString(kPageSetupKeyPath, kMarginTop, "1");
    const auto previous = WebBrowser::SetDialogHook([&](QDialog&) { return answer; });
    viewer.commands->mnuPage_Click();
    WebBrowser::SetDialogHook(previous);
    EXPECT_EQ(PageSetupValue(kMarginTop), "0.07");
  }
  // Preview: the preview window of the shown page.
  QString previewed;
  const auto previous = WebBrowser::SetDialogHook([&](QDialog& d) {
    previewed = d.metaObject()->className();
    return int(QDialog::Rejected);
  });
  viewer.commands->mnuPrev_Click();
  WebBrowser::SetDialogHook(previous);
  EXPECT_EQ(previewed, "QPrintPreviewDialog");
  // Print Report leaves the margin; Print Marina Report sets it.
  SetRegistryString(kPageSetupKeyPath, kMarginTop, "0.5");
  viewer.commands->mnuPrint_Click();
  EXPECT_EQ(PageSetupValue(kMarginTop), "0.5");
  EXPECT_EQ(PrintedEntries(), QStringList{"One"});
  viewer.commands->mnuprintmarinaDETAILS_Click();
  EXPECT_EQ(PageSetupValue(kMarginTop), "0.07");

  // The notes alone: printed once their page has loaded, escaped, with the
  // marina's name; then after the report on a page of their own.
  viewer.tbNotes->setPlainText("Moor <b>east</b> & call ahead");
  QFile::remove(pdf_);
  viewer.commands->mnuPrintMARINANotes_Click();
  EXPECT_EQ(printStatusAtDialog_ & WebBrowser::kStatusEnabled, WebBrowser::kStatusEnabled);
  QStringList pages = testing::PdfPageTexts(pdf_);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains("Moor <b>east</b> & call ahead"));
  EXPECT_TRUE(pages[0].contains(name));
  viewer.commands->mnuprintmarinaDandN_Click();
  pages = testing::PdfPageTexts(pdf_);
  ASSERT_EQ(pages.size(), 2);
  EXPECT_TRUE(pages[0].contains("Entry One"));
  EXPECT_TRUE(pages[1].contains("Moor <b>east</b> & call ahead"));
  viewer.tbNotes->clear();
  viewer.commands->mnuprintmarinaDandN_Click();
  EXPECT_EQ(testing::PdfPageTexts(pdf_).size(), 1);
  EXPECT_EQ(dialogs_, 5);
  EXPECT_TRUE(boxes_.Shown().isEmpty());

  // A page that did not load: the print command is disabled, the margin
  // untouched.
  SetRegistryString(kPageSetupKeyPath, kMarginTop, "0.5");
  viewer.rows[1].name = "missing";
  viewer.lstMarinaNames->setCurrentRow(1);
  viewer.wb->WaitForLoad(30000);
  viewer.commands->mnuprintmarinaDETAILS_Click();
  ASSERT_EQ(boxes_.Shown().size(), 1);
  EXPECT_EQ(boxes_.Shown()[0].text, kPrintDisabledMessage);
  EXPECT_EQ(PageSetupValue(kMarginTop), "0.5");
  QLocale::setDefault(QLocale::c());
}

}  // namespace
}  // namespace qw
