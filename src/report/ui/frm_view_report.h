#pragma once
// frm_view_report, "View Report": the marina report viewer. Its left column
// lists the marinas of the result list and holds the personal notes of the
// marina shown; the browser wb beside it shows the marina's one-page report
// (tmp.htm) or its Additional Photos page (tmp2.htm).
#include <QMainWindow>
#include <QString>
#include <QUrl>
#include <cstdint>
#include <optional>

#include "host/ui/window_host.h"
#include "platform/jet.h"
#include "platform/message_box.h"
#include "report/dont_show.h"
#include "report/middle_bottom_sections.h"
#include "services/report_hand_over.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;

namespace qw {

class BrowserPopup;
class NotesBox;
class ReportPrintCommands;
class WebBrowser;

// A top-level window, shown maximised. Loading fills the list; the marina
// handed over is selected by HandOver.
class frm_view_report : public QMainWindow, public OneInstance<frm_view_report> {
  Q_OBJECT

 public:
  frm_view_report();
  ~frm_view_report() override;

  // bclear True, the list filled from the result list (nothing selected yet).
  void Form_Load();
  // Stores notes not yet stored, ends a print run, deletes the print pages,
  // tmp.htm and tmp2.htm, bclear False, the toolbar's Key off, ReportDatabase
  // closed.
  void Form_Unload();

  // A marina handed over by the result list or a map. List road: the list
  // is filled again from the result list (a viewer loaded just now already
  // is) and the row handed over selected, which shows its report. Map road:
  // the entry of that MarinaNo is selected; a marina the list does not hold
  // is shown with no entry selected. Either way the page is composed once,
  // for the marina handed over, with its own hidden items.
  void HandOver(const ReportHandOver& handOver, bool justLoaded);

  // Composes the report of a marina (a right-hand page), writes tmp.htm and
  // tmp2.htm and shows the report in wb; MarinaName gets the marina's full
  // name when the database holds one. A page that cannot be read or written
  // is reported and wb shows an empty page, never the previous marina's.
  void DisplayReport(std::int32_t MarinaNo, QString& MarinaName);

  // Shows the report of the selected entry and loads its notes (notes typed
  // for the marina shown before are stored first).
  void lstMarinaNames_Click();
  void mnuFullview_Click();
  void mnuaddphotos_Click();
  void mnubksearch_Click();
  void mnucharts_Click();
  // Opens a photo of the pages alone in a window over the screen's free area,
  // its caption the marina's name and the photo's file.
  BrowserPopup* ShowPhoto(const QUrl& photo);
  // File and Print menus: the commands of printCommands.
  void mnuPage_Click();
  void mnuPrev_Click();
  void mnuPrint_Click();
  void mnuAll_Click();
  void mnuprintmarinaDETAILS_Click();
  void mnuPrintMARINANotes_Click();
  void mnuprintmarinaDandN_Click();
  // The layout of the controls for the window's size.
  void Form_Resize();

  // True from the load until the unload (Find unloads a loaded viewer).
  bool bclear = false;

  // The marina shown (0 before the first report).
  std::int32_t CurrentMarinaNo() const { return currentMarinaNo_; }
  // The last report page exactly as written to tmp.htm.
  const QString& ReportPageHtml() const { return reportPageHtml_; }
  // The hidden items of the marina last composed (DontShowMarinaNo in it).
  const DontShowFlags& DontShow() const { return dontShow_; }
  // The middle section and bottom band of the marina last composed.
  const ReportSectionsState& Sections() const { return sections_; }
  // The selected list entry (0-based; -1 when none): ListIndex.
  int ListIndex() const;
  // The MarinaNo of list entry `index` (0-based), as the list held it when
  // filled; 0 outside the list.
  std::int32_t EntryMarinaNo(int index) const;

  QLabel* Label3 = nullptr;
  QListWidget* lstMarinaNames = nullptr;
  QLabel* lblNotes = nullptr;
  QPlainTextEdit* tbNotes = nullptr;
  WebBrowser* wb = nullptr;          // shows the report
  WebBrowser* WBPrint = nullptr;     // loads the notes print page
  WebBrowser* WBPRINTALL = nullptr;  // loads the report-and-notes print page
  // The notes box's marina, its storing and its CD rule.
  NotesBox* notes = nullptr;
  // The File and Print menus' commands and the batch run.
  ReportPrintCommands* printCommands = nullptr;

  QMenu* mnuRstp = nullptr;  // "&File"
  QAction* mnuPage = nullptr;
  QAction* mnuPrev = nullptr;
  QAction* mnuprint = nullptr;
  QAction* mnuAll = nullptr;
  QMenu* miOptions = nullptr;  // "Options": disabled for good
  QAction* miAlignPanel = nullptr;
  QAction* w3mi = nullptr;
  QAction* mnuRight = nullptr;
  QAction* mnuLeft = nullptr;
  QAction* miBlackWhite = nullptr;
  QAction* mnubksearch = nullptr;
  QAction* mnuFullview = nullptr;
  QAction* mnuaddphotos = nullptr;
  QMenu* mnuPrint1 = nullptr;  // "Print"
  QAction* mnuprintmarinaDETAILS = nullptr;
  QAction* mnuPrintMARINANotes = nullptr;
  QAction* mnuprintmarinaDandN = nullptr;
  QAction* mnucharts = nullptr;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  // Fills the list from the result list, each entry with its MarinaNo.
  void FillList();
  // The last entry of a marina; -1 when the list does not hold it.
  int EntryOf(std::int32_t marinaNo) const;
  // Selects an entry and shows it (also when it is selected already).
  void SelectEntry(int index);
  // Shows the report and the notes of a marina (notes typed before are
  // stored first, while the page still shows their marina).
  void ShowMarina(std::int32_t marinaNo, QString name);
  // Shows the report of the marina shown again.
  void ShowCurrentReport();
  // The notes label: whether the box's text is stored.
  void ShowNotesStored(bool stored);
  // wb leaves the previous page and the user learns why no page is shown,
  // unless told already.
  void ShowNoPage(const QString& why, MsgIcon icon = MsgIcon::Critical, bool toldAlready = false);

  std::int32_t currentMarinaNo_ = 0;
  QString currentMarinaName_;  // as the page names it
  bool marinaInDatabase_ = true;  // the marina last composed has rows
  QString reportPageHtml_;
  DontShowFlags dontShow_;
  ReportSectionsState sections_;
  // While a switch runs: why the notes could not be stored, when the notes
  // box has just told the user so.
  std::optional<DatabaseFault> toldFault_;
};

// The viewer on a marina handed over: loaded when needed, the marina
// selected and shown, the window shown maximised and brought to the front.
void ShowReport(const ReportHandOver& handOver);

}  // namespace qw
