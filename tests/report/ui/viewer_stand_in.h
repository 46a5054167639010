#pragma once
// The least of the report viewer the print commands and the notes box work
// with: the marina list, the notes box, the visible browser and the two
// hidden ones. A click on the list shows the entry's report (its upper half
// composed from the demo database, or a plain page naming the marina) and
// loads its notes.
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>

#include "common/testing.h"
#include "data/marina_db.h"
#include "platform/ui/browser.h"
#include "report/report_files.h"
#include "report/report_page.h"
#include "report/ui/notes_box.h"
#include "report/ui/report_print_commands.h"

namespace qw::testing {

struct ListedMarina {
  int no;
  QString name;
};

class ViewerStandIn : public QWidget {
 public:
  enum class Pages { Reports, Plain };

  ViewerStandIn(QList<ListedMarina> marinas, Pages pages) : rows(std::move(marinas)), pages_(pages) {
    auto* layout = new QVBoxLayout(this);
    lstMarinaNames = new QListWidget(this);
    tbNotes = new QPlainTextEdit(this);
    wb = new WebBrowser(this, WebBrowser::Kind::Visible);
    wb->SetScriptsEnabled(true);  // the report page fits its boxes with a script
    WBPrint = new WebBrowser(this, WebBrowser::Kind::Hidden);
    WBPRINTALL = new WebBrowser(this, WebBrowser::Kind::Hidden);
    for (QWidget* w : {static_cast<QWidget*>(lstMarinaNames), static_cast<QWidget*>(tbNotes),
                       static_cast<QWidget*>(wb)})
      layout->addWidget(w);
    for (const ListedMarina& m : rows) lstMarinaNames->addItem(m.name);
    lstMarinaNames->setCurrentRow(-1);  // the first selection shows a report
    notes = new NotesBox(tbNotes);
    commands = new ReportPrintCommands(
        wb, WBPrint, WBPRINTALL,
        {[this] { return reportPageHtml; }, [this] { return notes->Text(); }, [this] { return notes->NotesMarinaNo(); },
         [this] { return lstMarinaNames->count(); }, [this] { return lstMarinaNames->currentRow(); },
         [this](int i) { lstMarinaNames->setCurrentRow(i); }, [this] { lstMarinaNames_Click(); }},
        this);
    connect(lstMarinaNames, &QListWidget::currentRowChanged, this, [this] { lstMarinaNames_Click(); });
    resize(900, 700);
  }

  void lstMarinaNames_Click() {
    const ListedMarina m = rows.value(lstMarinaNames->currentRow());
    ++clicks;
    if (pages_ == Pages::Plain) {
      reportPageHtml = QStringLiteral("<html><body><p>Entry %1</p></body></html>").arg(m.name);
      const QString path = QDir(pageDir_.path()).filePath(QStringLiteral("page%1.htm").arg(clicks));
      QFile f(path);
      if (m.name != QLatin1String("missing") && f.open(QIODevice::WriteOnly)) f.write(reportPageHtml.toUtf8());
      wb->Navigate(path);
    } else {
      DatabasePtr db = OpenMarinaDatabase(-1, true);
      ReportRequest request;
      request.marinaNo = m.no;
      request.marinaName = m.name;
      request.edition = QStringLiteral("New England");
      request.photosFolder = BuiltProgramFolder() + QStringLiteral("/Photos");
      request.programFolder = BuiltProgramFolder();
      request.screen = QSize(1280, 1024);
      const ReportPages composed = ComposeReportPages(*db, request);
      reportPageHtml = composed.reportHtml;
      WriteReportPages(composed.reportHtml, composed.photosHtml);
      wb->Navigate(ReportPagePath());
    }
    notes->Load(m.no);
    if (afterClick) afterClick();
  }

  QListWidget* lstMarinaNames;
  QPlainTextEdit* tbNotes;
  WebBrowser* wb;
  WebBrowser* WBPrint;
  WebBrowser* WBPRINTALL;
  NotesBox* notes;
  ReportPrintCommands* commands;
  QList<ListedMarina> rows;  // the result list as it stands now
  QString reportPageHtml;
  int clicks = 0;
  std::function<void()> afterClick;  // runs at the end of every Click

 private:
  Pages pages_;
  QTemporaryDir pageDir_;
};

}  // namespace qw::testing
