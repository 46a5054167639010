#include "report/ui/frm_view_report.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSignalBlocker>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

#include "data/marina_db.h"
#include "host/ui/screens.h"
#include "platform/html_text.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "platform/ui/browser.h"
#include "platform/ui/twips.h"
#include "platform/ui/wait_cursor.h"
#include "platform/ui/window_frame.h"
#include "report/report_database.h"
#include "report/report_files.h"
#include "report/report_page.h"
#include "report/report_photos.h"
#include "report/ui/notes_box.h"
#include "report/ui/report_print_commands.h"
#include "services/config_file.h"
#include "services/settings.h"

namespace qw {
namespace {

const QString kFullView = QStringLiteral("Full View");
const QString kNormal = QStringLiteral("Normal");
const QString kAdditionalPhotos = QStringLiteral("Additional Photos");
const QString kMarinaReport = QStringLiteral("Marina Report");
const QString kViewerTitle = QStringLiteral("View Report");
const QString kNotesLabel = QStringLiteral("Personal Notes");
const QString kNotesNotStoredLabel = QStringLiteral("Notes not stored");

// Control sizes that the layout keeps (twips).
constexpr int kNotesHeight = 3015;
constexpr int kNotesLabelHeight = 255;
constexpr int kColumnWidth = 3375;
// The smallest client area, wide and high: the browser keeps 1500 twips
// beside the column, and the list 900 twips above the notes label.
constexpr int kMinimumClient = 5250;

QFont Font(const char* family, double points, bool bold) {
  QFont f{QString::fromLatin1(family)};
  f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}

// Moves and sizes a control in twips; a size below zero (a window made very
// small) leaves the control as it was.
void Place(QWidget* w, int left, int top, int width, int height) {
  if (width < 0 || height < 0) return;
  PlaceTwips(w, left, top, width, height);
}

// The edition title the guide's side strip prints.
QString EditionTitle() {
  try {
    return Parse_String_Edition();
  } catch (const std::exception&) {
    return Settings().EditionName;
  }
}

QSize ScreenPixels() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size() : QSize(1024, 768);
}

// [Geo Code] of a marina's rpm_Vyk row (0 when Null); nothing without a row.
// Throws JetError.
std::optional<int> GeoCodeOf(std::int32_t marinaNo) {
  const DatabasePtr db = OpenMarinaDatabase(-1, true);
  const RecordsetPtr rs =
      db->OpenRecordset(QStringLiteral("select rpm_Vyk.[Geo code] from rpm_Vyk where rpm_Vyk.[MarinaNo]= ") +
                        QString::number(marinaNo));
  std::optional<int> geoCode;
  if (!rs->Eof()) {
    const Field f = rs->Fields(QStringLiteral("Geo code"));
    geoCode = f.HasValue() ? f.Value().toInt() : 0;
  }
  rs->Close();
  db->Close();
  return geoCode;
}

}  // namespace

frm_view_report::frm_view_report() {
  setObjectName(QStringLiteral("frm_view_report"));
  setWindowTitle(kViewerTitle);
  auto* client = new QWidget(this);
  setCentralWidget(client);

  Label3 = new QLabel(QStringLiteral("Selected Marinas "), client);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setFont(Font("MS Sans Serif", 12, true));
  PlaceTwips(Label3, 570, 0, 2655, 375);

  lstMarinaNames = new QListWidget(client);
  lstMarinaNames->setObjectName(QStringLiteral("lstMarinaNames"));
  lstMarinaNames->setFont(Font("Tahoma", 9.75, true));

  lblNotes = new QLabel(kNotesLabel, client);
  lblNotes->setObjectName(QStringLiteral("lblNotes"));
  lblNotes->setFont(Font("MS Sans Serif", 12, true));

  tbNotes = new QPlainTextEdit(client);
  tbNotes->setObjectName(QStringLiteral("tbNotes"));
  notes = new NotesBox(tbNotes);
  connect(notes, &NotesBox::StoredChanged, this, [this](bool stored) { ShowNotesStored(stored); });

  wb = new WebBrowser(client, WebBrowser::Kind::Visible);
  wb->setObjectName(QStringLiteral("wb"));
  // The report pages run no script (nothing the data brings can run): a
  // click on a photo is a link that the viewer opens in a window of its own;
  // the page's other links follow the browser's rules (web and mail
  // addresses to the desktop).
  wb->SetLinkHandler([this](const QUrl& url) {
    if (!IsPhotoLink(url)) return false;
    ShowPhoto(url);
    return true;
  });
  // The pages keep the browser's own menu away, as their body asks.
  wb->View()->setContextMenuPolicy(Qt::NoContextMenu);

  WBPrint = new WebBrowser(client, WebBrowser::Kind::Hidden);
  WBPrint->setObjectName(QStringLiteral("WBPrint"));
  PlaceTwips(WBPrint, 0, 0, 105, 30);
  WBPrint->hide();
  WBPRINTALL = new WebBrowser(client, WebBrowser::Kind::Hidden);
  WBPRINTALL->setObjectName(QStringLiteral("WBPRINTALL"));
  PlaceTwips(WBPRINTALL, 0, 0, 75, 405);
  WBPRINTALL->hide();

  ReportPrintLinks links;
  links.ReportPageHtml = [this] { return reportPageHtml_; };
  links.NotesText = [this] { return notes->Text(); };
  links.NotesMarinaNo = [this] { return notes->NotesMarinaNo(); };
  links.MarinaName = [this] {
    const QListWidgetItem* entry = lstMarinaNames->item(ListIndex());
    return entry ? entry->text().trimmed() : QString();
  };
  links.ListCount = [this] { return lstMarinaNames->count(); };
  links.ListIndex = [this] { return ListIndex(); };
  links.SetListIndex = [this](int index) { SelectEntry(index); };
  links.lstMarinaNames_Click = [this] { lstMarinaNames_Click(); };
  // A report that could not be written or read leaves a blank page, which a
  // run must not print.
  links.ReportShown = [this] { return mnuprint->isEnabled(); };
  printCommands = new ReportPrintCommands(wb, WBPrint, WBPRINTALL, std::move(links), this);

  QMenuBar* bar = menuBar();
  const auto item = [this](QMenu* menu, const char* name, const char* caption, void (frm_view_report::*handler)()) {
    QAction* a = menu->addAction(QLatin1String(caption));
    a->setObjectName(QLatin1String(name));
    if (handler) connect(a, &QAction::triggered, this, handler);
    return a;
  };
  const auto command = [&](const char* name, const char* caption, void (frm_view_report::*handler)()) {
    QAction* a = bar->addAction(QLatin1String(caption));
    a->setObjectName(QLatin1String(name));
    connect(a, &QAction::triggered, this, handler);
    return a;
  };
  mnuRstp = bar->addMenu(QStringLiteral("&File"));
  mnuRstp->setObjectName(QStringLiteral("mnuRstp"));
  mnuPage = item(mnuRstp, "mnuPage", "Page Setup", &frm_view_report::mnuPage_Click);
  mnuPrev = item(mnuRstp, "mnuPrev", "Preview", &frm_view_report::mnuPrev_Click);
  mnuprint = item(mnuRstp, "mnuprint", "Print Report", &frm_view_report::mnuPrint_Click);
  mnuprint->setEnabled(false);  // until a report is shown
  mnuAll = item(mnuRstp, "mnuAll", "Print Report(s)", &frm_view_report::mnuAll_Click);

  // Options holds fixed choices: the menu never opens, so the report always
  // lists its "3+ mi" lines and uses the colour rating icons.
  miOptions = bar->addMenu(QStringLiteral("Options"));
  miOptions->setObjectName(QStringLiteral("miOptions"));
  miOptions->menuAction()->setEnabled(false);
  miAlignPanel = item(miOptions, "miAlignPanel", "Align Panel", nullptr);
  miAlignPanel->setCheckable(true);
  w3mi = item(miOptions, "w3mi", "With 3+ mi", nullptr);
  w3mi->setCheckable(true);
  w3mi->setChecked(true);
  mnuRight = item(miOptions, "mnuRight", "Right", nullptr);
  mnuRight->setCheckable(true);
  mnuRight->setChecked(true);
  mnuRight->setVisible(false);
  mnuLeft = item(miOptions, "mnuLeft", "Left", nullptr);
  mnuLeft->setCheckable(true);
  mnuLeft->setVisible(false);
  miBlackWhite = item(miOptions, "miBlackWhite", "Black and White", nullptr);
  miBlackWhite->setCheckable(true);
  miBlackWhite->setVisible(false);

  mnubksearch = command("mnubksearch", "Return to Search", &frm_view_report::mnubksearch_Click);
  mnuFullview = command("mnuFullview", "Full View", &frm_view_report::mnuFullview_Click);
  mnuaddphotos = command("mnuaddphotos", "Additional Photos", &frm_view_report::mnuaddphotos_Click);

  mnuPrint1 = bar->addMenu(QStringLiteral("Print"));
  mnuPrint1->setObjectName(QStringLiteral("mnuPrint1"));
  mnuprintmarinaDETAILS =
      item(mnuPrint1, "mnuprintmarinaDETAILS", "Print Marina Report", &frm_view_report::mnuprintmarinaDETAILS_Click);
  mnuPrintMARINANotes =
      item(mnuPrint1, "mnuPrintMARINANotes", "Print Personal Notes", &frm_view_report::mnuPrintMARINANotes_Click);
  mnuprintmarinaDandN = item(mnuPrint1, "mnuprintmarinaDandN", "Print Marina Report and Notes",
                             &frm_view_report::mnuprintmarinaDandN_Click);

  mnucharts = command("mnucharts", "Return to Maps", &frm_view_report::mnucharts_Click);

  // Each marina's page opens at its top, also when it replaces a page of the
  // same file that was scrolled down (the engine would keep that position).
  QWebEngineScript top;
  top.setName(QStringLiteral("PageAtTop"));
  top.setSourceCode(QStringLiteral("history.scrollRestoration='manual';"));
  top.setInjectionPoint(QWebEngineScript::DocumentCreation);
  top.setWorldId(QWebEngineScript::ApplicationWorld);
  wb->Page()->scripts().insert(top);
  // Every change of the selected entry, also one made by the program, shows
  // that entry's report. The selection, not the current row: a list that gets
  // the focus makes its first entry current without selecting it.
  connect(lstMarinaNames, &QListWidget::itemSelectionChanged, this, [this] {
    if (ListIndex() >= 0) lstMarinaNames_Click();
  });
  resize(TwipsToPixels(12000), TwipsToPixels(9000));
  // No smaller than the left column needs: a few entries of the list above
  // the notes box, and some of the page beside it. Smaller, the list and its
  // title would lie under the notes box and its label.
  setMinimumSize(TwipsToPixels(kMinimumClient), TwipsToPixels(kMinimumClient));
}

frm_view_report::~frm_view_report() = default;

void frm_view_report::closeEvent(QCloseEvent* e) {
  // Closing the window unloads it, unless notes that cannot be stored keep it
  // open.
  if (Loaded() == this && !notes->MayClose(NotesClosing::Viewer)) {
    e->ignore();
    return;
  }
  e->accept();
  if (Loaded() == this) Unload();
}

void frm_view_report::Form_Load() {
  bclear = true;
  FillList();
}

void frm_view_report::FillList() {
  const QSignalBlocker quiet(lstMarinaNames);
  lstMarinaNames->clear();
  const Screens& screens = AppScreens();
  const int count = CallScreen(screens.listMarinasCount);
  for (int row = 1; row <= count; ++row) {
    auto* entry = new QListWidgetItem(CallScreen(screens.listMarinaName, row));
    entry->setData(Qt::UserRole, CallScreen(screens.listMarinaNo, row));
    lstMarinaNames->addItem(entry);
  }
}

int frm_view_report::ListIndex() const {
  const QList<QListWidgetItem*> selected = lstMarinaNames->selectedItems();
  return selected.isEmpty() ? -1 : lstMarinaNames->row(selected.first());
}

std::int32_t frm_view_report::EntryMarinaNo(int index) const {
  const QListWidgetItem* entry = lstMarinaNames->item(index);
  return entry ? entry->data(Qt::UserRole).toInt() : 0;
}

int frm_view_report::EntryOf(std::int32_t marinaNo) const {
  int index = -1;
  for (int i = 0; i < lstMarinaNames->count(); ++i) {
    if (EntryMarinaNo(i) == marinaNo) index = i;
  }
  return index;
}

void frm_view_report::HandOver(const ReportHandOver& handOver, bool justLoaded) {
  if (handOver.road == ReportHandOver::Road::List) {
    if (!justLoaded) FillList();
    // The row handed over; when the list has changed under it, the entry of
    // its marina.
    int index = handOver.listRow - 1;
    if (index < 0 || index >= lstMarinaNames->count() || EntryMarinaNo(index) != handOver.marinaNo)
      index = std::max(EntryOf(handOver.marinaNo), 0);
    if (lstMarinaNames->count() > 0) SelectEntry(index);
    return;
  }
  const int index = EntryOf(handOver.marinaNo);
  if (justLoaded) CallScreen(AppScreens().clearMapFormload);
  if (index >= 0) {
    SelectEntry(index);
    return;
  }
  // A marina the list does not hold: its report and notes, no entry selected.
  {
    const QSignalBlocker quiet(lstMarinaNames);
    lstMarinaNames->clearSelection();
  }
  ShowMarina(handOver.marinaNo, QString());
}

void frm_view_report::SelectEntry(int index) {
  if (ListIndex() == index) {
    lstMarinaNames_Click();
  } else {
    lstMarinaNames->setCurrentRow(index);
  }
  lstMarinaNames->scrollToItem(lstMarinaNames->item(index));
}

void frm_view_report::lstMarinaNames_Click() {
  const int index = ListIndex();
  if (index < 0) return;
  ShowMarina(EntryMarinaNo(index), lstMarinaNames->item(index)->text());
}

void frm_view_report::ShowMarina(std::int32_t marinaNo, QString name) {
  // However many reads and writes the switch makes, it waits for another
  // program's lock once in all, and says so once.
  const LockWaitBudget budget;
  // The notes typed belong to the marina still on the page: stored before
  // the page changes, whether the box still has the focus or not.
  notes->StorePending();
  const QScopedValueRollback<std::optional<DatabaseFault>> told(toldFault_, notes->ToldFault());
  DisplayReport(marinaNo, name);
  // A marina the database does not hold keeps no notes.
  notes->Load(marinaInDatabase_ ? marinaNo : 0, name);
  mnuaddphotos->setText(kAdditionalPhotos);
}

void frm_view_report::DisplayReport(std::int32_t MarinaNo, QString& MarinaName) {
  const WaitCursor wait;
  const LockWaitBudget budget;
  dontShow_.DontShowMarinaNo = MarinaNo;
  ClearDontShowFlags(dontShow_);
  currentMarinaName_ = MarinaName.trimmed();
  if (mnuaddphotos->text() == kMarinaReport) mnuaddphotos->setText(kAdditionalPhotos);
  currentMarinaNo_ = MarinaNo;

  marinaInDatabase_ = true;  // until the rows tell otherwise
  ReportRequest request;
  request.marinaNo = MarinaNo;
  request.marinaName = MarinaName;
  request.edition = EditionTitle();
  request.photosFolder = InProgramFolder(Settings().PhotosFolder);
  request.programFolder = ProgramFolder();
  ReportPages pages;
  try {
    // A database that cannot be read (busy with another program, gone,
    // damaged) gives no page and one message, never a page read in part.
    // One read for the whole page: another program's lock holds it up
    // once at most, and every section shows the same state of the file.
    Database& db = ReopenReportDatabase();
    db.ReadTogether([&] {
      LoadDontShowFlags(dontShow_, db);
      request.hidden = dontShow_;
      pages = ComposeReportPages(db, request);
    });
  } catch (const JetError& e) {
    reportPageHtml_.clear();
    // Named as the notes' message names it; not told again when the notes
    // have just told the same.
    const QString path = MarinaDatabasePath(Settings().DatabaseFileName);
    const DatabaseFault fault = DiagnoseDatabaseFault(e.number(), path);
    ShowNoPage(QStringLiteral("The report could not be read from the marina database: ") +
                   DatabaseFaultReason(fault, path, e.description()) + QLatin1Char('.'),
               MsgIcon::Critical, toldFault_ == fault);
    return;
  }
  sections_ = pages.sections;
  marinaInDatabase_ = pages.inDatabase;
  if (!pages.inDatabase) {
    // A number no table knows (a hand-edited key of a map) would give a page
    // without a name that claims "No" for every facility.
    reportPageHtml_.clear();
    ShowNoPage(MarinaNotInDatabaseMessage(QString::number(MarinaNo)), MsgIcon::Exclamation);
    return;
  }
  MarinaName = pages.marinaName;
  currentMarinaName_ = MarinaName.trimmed();
  reportPageHtml_ = pages.reportHtml;

  const PageFilesWritten written = WriteReportPages(pages.reportHtml, pages.photosHtml);
  if (!written.reportWritten) {
    ShowNoPage(written.error);
    return;
  }
  if (!wb->Navigate(ReportPagePath())) {
    ShowNoPage(QStringLiteral("The report could not be shown: ") + wb->LastError());
    return;
  }
  mnuprint->setEnabled(true);
  // The report is shown; only its Additional Photos page is missing.
  if (!written.ok) MsgBox(written.error, MsgButtons::OK, MsgIcon::Exclamation, kViewerTitle);
}

BrowserPopup* frm_view_report::ShowPhoto(const QUrl& photo) {
  // The window of the screen's size at its top left corner that the page
  // asks for, named after the marina whose photo it shows.
  const QString file = photo.fileName();
  const QString caption = currentMarinaName_.isEmpty() ? file : currentMarinaName_ + QStringLiteral(" - ") + file;
  auto* window = new BrowserPopup(photo, QRect(QPoint(0, 0), ScreenPixels()), this, caption);
  window->Open();
  return window;
}

void frm_view_report::ShowNoPage(const QString& why, MsgIcon icon, bool toldAlready) {
  wb->Navigate(QStringLiteral("about:blank"));
  mnuprint->setEnabled(false);
  if (!toldAlready) MsgBox(why, MsgButtons::OK, icon, kViewerTitle);
}

void frm_view_report::ShowCurrentReport() {
  if (ListIndex() >= 0) {
    lstMarinaNames_Click();
  } else if (currentMarinaNo_ != 0) {
    QString name;
    DisplayReport(currentMarinaNo_, name);
  }
}

void frm_view_report::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  Form_Resize();
}

void frm_view_report::Form_Resize() {
  // W and H are the window's outer size; a window without a frame yet (not
  // shown, or no window manager) counts the usual one.
  int w = PixelsToTwips(frameGeometry().width());
  int h = PixelsToTwips(frameGeometry().height());
  if (frameGeometry().size() == size()) {
    w += 120;
    h += 420;
  }
  // Full view keeps the browser across the whole window.
  const int left = mnuFullview->text() == kNormal ? 2 : 3480;
  Place(wb, left, 0, w - left - 330, h - 850);
  const int notesTop = h - 950 - kNotesHeight;
  Place(lstMarinaNames, 20, 360, kColumnWidth, h - 1215 - kNotesHeight - 2 * kNotesLabelHeight);
  Place(tbNotes, 20, notesTop, kColumnWidth, kNotesHeight);
  Place(lblNotes, 570, notesTop - kNotesLabelHeight - 100, kColumnWidth + 20 - 570, kNotesLabelHeight);
}

void frm_view_report::ShowNotesStored(bool stored) {
  // The label tells while the box holds text that is not stored yet, and its
  // tip says why.
  lblNotes->setText(stored ? kNotesLabel : kNotesNotStoredLabel);
  lblNotes->setStyleSheet(stored ? QString() : QStringLiteral("color: #b00000;"));
  // The reason names files and the engine's words: shown as they stand.
  lblNotes->setToolTip(stored ? QString()
                              : PlainToolTip(QStringLiteral("These notes could not be stored yet: %1. They are kept, "
                                                            "and stored as soon as the marina database can be written.")
                                                 .arg(notes->WhyNotStored())));
}

void frm_view_report::mnuFullview_Click() {
  const bool toFull = mnuFullview->text() == kFullView;
  mnuFullview->setText(toFull ? kNormal : kFullView);
  for (QWidget* w : {static_cast<QWidget*>(Label3), static_cast<QWidget*>(lblNotes),
                     static_cast<QWidget*>(lstMarinaNames), static_cast<QWidget*>(tbNotes)})
    w->setVisible(!toFull);
  Form_Resize();
}

void frm_view_report::mnuaddphotos_Click() {
  const QString caption = mnuaddphotos->text();
  if (caption == kAdditionalPhotos) {
    if (!QFile::exists(AdditionalPhotosPagePath())) {
      MsgBox(QStringLiteral("There is no Additional Photos page to show: no marina report has been written."),
             MsgButtons::OK, MsgIcon::Information, kViewerTitle);
      return;
    }
    mnuaddphotos->setText(kMarinaReport);
    wb->Navigate(AdditionalPhotosPagePath());
  } else if (caption == kMarinaReport) {
    mnuaddphotos->setText(kAdditionalPhotos);
    ShowCurrentReport();
  }
}

void frm_view_report::mnubksearch_Click() {
  if (!notes->MayClose(NotesClosing::Viewer)) return;
  Unload();
  CallScreen(AppScreens().showSearch);
  CallScreen(AppScreens().clearMapFormload);
}

void frm_view_report::mnucharts_Click() {
  Screens& screens = AppScreens();
  // Without the maps there is nowhere else to return to.
  if (!screens.showSubRegionMap) {
    mnubksearch_Click();
    return;
  }
  // The notes' stores and the sub-region's read wait for another program's
  // lock once in all.
  const LockWaitBudget budget;
  if (!notes->MayClose(NotesClosing::Viewer)) return;
  // The sub-region is found before anything goes: a database that cannot be
  // read leaves the viewer and the maps as they are.
  std::optional<int> geoCode;
  try {
    geoCode = GeoCodeOf(currentMarinaNo_);
  } catch (const JetError& e) {
    MsgBox(QStringLiteral("The marina's sub-region could not be read from the marina database: ") +
               MarinaDatabaseFaultReason(e) + QLatin1Char('.'),
           MsgButtons::OK, MsgIcon::Critical, kViewerTitle);
    return;
  }
  if (!geoCode) return;  // a marina without its row stays shown
  CallScreen(screens.unloadOverview);
  CallScreen(screens.unloadSubRegionMaps);
  screens.showSubRegionMap(*geoCode);
  CallScreen(screens.clearMapFormload);
  Unload();
  CallScreen(screens.unloadList);
  CallScreen(screens.clearMapFormload);
  ChangeToolBox([](ToolBoxState t) {
    for (int button : {1, 2, 4, 5, 6, 7}) t.Button(button) = false;
    t.Button(8) = true;
    return t;
  });
}

void frm_view_report::Form_Unload() {
  notes->StorePending();
  printCommands->Form_Unload();
  DeleteReportPages();
  bclear = false;
  ChangeToolBox([](ToolBoxState t) {
    t.Button(12) = false;
    return t;
  });
  CloseReportDatabase();
  // Back on a map (Return to Maps, or the viewer closed over a map), the map's
  // activation gives the Key button and the map's key back.
  if (isActiveWindow()) ReturnActivationToMainWindow();
}

void frm_view_report::mnuPage_Click() { printCommands->mnuPage_Click(); }
void frm_view_report::mnuPrev_Click() { printCommands->mnuPrev_Click(); }
void frm_view_report::mnuPrint_Click() { printCommands->mnuPrint_Click(); }
void frm_view_report::mnuAll_Click() { printCommands->mnuAll_Click(); }
void frm_view_report::mnuprintmarinaDETAILS_Click() { printCommands->mnuprintmarinaDETAILS_Click(); }
void frm_view_report::mnuPrintMARINANotes_Click() { printCommands->mnuPrintMARINANotes_Click(); }
void frm_view_report::mnuprintmarinaDandN_Click() { printCommands->mnuprintmarinaDandN_Click(); }

void ShowReport(const ReportHandOver& handOver) {
  const bool loaded = frm_view_report::Loaded() != nullptr;
  frm_view_report* viewer = frm_view_report::Instance();
  viewer->HandOver(handOver, !loaded);
  // A window of its own beside the main window, not one of its screens.
  ShowMaximised(viewer);
  viewer->raise();
  viewer->activateWindow();
}

}  // namespace qw
