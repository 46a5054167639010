#include "results/ui/frm_list.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>

#include "app/error_handler.h"
#include "app/settings.h"
#include "app/ui/screens.h"
#include "data/marina_db.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "platform/temp_pages.h"
#include "platform/ui/browser.h"
#include "platform/ui/flex_grid.h"
#include "results/list_state.h"
#include "results/ui/shell_links.h"

namespace qw {
namespace {

FrmList*& TheInstance() {
  static FrmList* instance = nullptr;
  return instance;
}

constexpr int kRowHeight = 300;  // twips
constexpr int kPictureHeight = 17;  // pixels

QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

// The grid's rating pictures 1 to 8, 17 pixels high: the grid's own strips
// (pictures/list/01.png to 08.png) in the program folder, else the rating
// icons cbell1-5, cboat1-2 and csunset scaled down.
QList<QPixmap> LoadRatingPictures() {
  QStringList icons;
  for (int n = 1; n <= 5; ++n) icons << QStringLiteral("cbell%1.jpg").arg(n);
  icons << QStringLiteral("cboat1.jpg") << QStringLiteral("cboat2.jpg") << QStringLiteral("csunset.jpg");
  QList<QPixmap> pictures;
  for (int i = 0; i < icons.size(); ++i) {
    QPixmap picture(ProgramFolder() + QStringLiteral("/pictures/list/%1.png").arg(i + 1, 2, 10, QLatin1Char('0')));
    if (picture.isNull()) picture.load(FindFileNoCase(ProgramFolder(), icons[i]));
    if (!picture.isNull() && picture.height() != kPictureHeight)
      picture = picture.scaledToHeight(kPictureHeight, Qt::SmoothTransformation);
    pictures << picture;
  }
  return pictures;
}

OptionalColumns CriteriaNow() {
  auto text = [](const char* control) {
    return CallScreen(AppScreens().criteriaControlText, QString::fromLatin1(control));
  };
  return FilledCriteria(text("cmbTotalSlips"), text("cboMoorings"), text("cboDockage"), text("ebMinLOA"));
}

}  // namespace

FrmList* FrmList::Instance() {
  if (!TheInstance()) {
    TheInstance() = new FrmList;
    TheInstance()->Form_Load();
  }
  return TheInstance();
}

FrmList* FrmList::Loaded() { return TheInstance(); }

void FrmList::Unload() {
  FrmList* form = TheInstance();
  if (!form) return;
  TheInstance() = nullptr;
  form->Form_Unload();
  // Inside the main window its MDI frame goes with it.
  QWidget* window = qobject_cast<QMdiSubWindow*>(form->parentWidget()) ? form->parentWidget() : form;
  window->hide();
  window->deleteLater();
}

void FrmList::closeEvent(QCloseEvent* e) {
  // Closing the window unloads it.
  e->accept();
  if (TheInstance() == this) Unload();
}

FrmList::FrmList() {
  setObjectName(QStringLiteral("frmList"));
  setWindowTitle(QStringLiteral("Selected List of Marinas..."));
  resize(sizeHint());

  lblMsg = new QLabel(QStringLiteral("Double-Click on a Marina Name to see the full Marina Report"), this);
  lblMsg->setObjectName(QStringLiteral("lblMsg"));
  QFont bold = lblMsg->font();
  bold.setBold(true);
  lblMsg->setFont(bold);
  lblMsg->adjustSize();

  fgList = new FlexGrid(this);
  fgList->setObjectName(QStringLiteral("fgList"));
  QFont gridFont(QStringLiteral("MS Sans Serif"));
  gridFont.setPointSizeF(8.25);
  fgList->setFont(gridFont);
  fgList->verticalHeader()->setDefaultSectionSize(TwipsToPixels(kRowHeight));
  fgList->SetCols(kListFixedCols);
  fgList->SetRows(2);

  msgrid = new FlexGrid(this);
  msgrid->setObjectName(QStringLiteral("msgrid"));
  msgrid->SetCols(3);
  msgrid->SetRows(2);
  msgrid->hide();

  // Only prints: a browser that shows nothing leaves the main window's
  // native window as it is.
  WebBrowser = new qw::WebBrowser(this, qw::WebBrowser::Kind::Hidden);
  printPages_ = new TempPages(this);
  WebBrowser->setObjectName(QStringLiteral("WebBrowser"));
  WebBrowser->setGeometry(0, 0, 1, 1);
  WebBrowser->hide();

  cmdPrint = new QPushButton(QStringLiteral("&Print Form"), this);
  cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
  cmdPrint->resize(TwipsToPixels(1215), TwipsToPixels(375));
  cmdOK = new QPushButton(QStringLiteral("&Back to Search"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setToolTip(QStringLiteral("Return to Search Screen"));
  cmdOK->resize(TwipsToPixels(1335), TwipsToPixels(375));

  ImageList = LoadRatingPictures();
  InstallPageSetupSource();

  connect(fgList, &FlexGrid::DblClick, this, &FrmList::fgList_DblClick);
  connect(cmdPrint, &QPushButton::clicked, this, &FrmList::cmdPrint_Click);
  connect(cmdOK, &QPushButton::clicked, this, &FrmList::cmdOK_Click);
  connect(WebBrowser, &WebBrowser::DocumentComplete, this, &FrmList::WebBrowser_DocumentComplete);
}

QSize FrmList::sizeHint() const { return QSize(TwipsToPixels(11700), TwipsToPixels(7400)); }

FrmList::~FrmList() {
  if (TheInstance() == this) TheInstance() = nullptr;
}

void FrmList::Form_Load() {
  fgList->SetFormatString(ListHeaderFormatString(OptionalColumns()));
  UpdateListAlternative();
  fgList->SetColWidth(kListColMarinaNo, 0);
  fgList->SetRedraw(true);
  Form_Resize();
}

void FrmList::ApplyHeader(const OptionalColumns& columns) {
  columns_ = columns;
  fgList->SetCols(kListFixedCols + columns.Count());
  fgList->SetFormatString(ListHeaderFormatString(columns));
  fgList->SetColWidth(kListColMarinaNo, 0);
  SetListColumnWidths();
}

void FrmList::SetListColumnWidths() {
  fgList->SetColWidth(kListColName, 2400);
  fgList->SetColWidth(kListColCity, 1500);
  fgList->SetColWidth(kListColState, 500);
  fgList->SetColWidth(kListColHarbor, 2400);
}

int FrmList::GetCellIndex(int row, int col) const {
  return static_cast<int>(static_cast<std::int32_t>(fgList->Cols()) * row + col);
}

void FrmList::UpdateListAlternative() {
  // The header and the optional columns follow the criteria of this fill.
  ApplyHeader(CriteriaNow());
  lastQuery_ = ListQueryText(CallScreen(AppScreens().buildWhereClause));
  listRow_ = 1;
  ratingsRow_ = 1;

  OpenMyDatabase(Settings().DatabaseFileName);
  DatabasePtr db = MyDatabase();
  if (!db || !db->IsOpen()) {  // OpenMyDatabase has told the user
    FillGrids({});
    return;
  }
  const ListFill fill = RunListQuery(*db, lastQuery_, columns_);
  try {
    db->Close();
  } catch (const std::exception&) {
  }
  FillGrids(fill.rows);
  if (fill.error) ErrorHandler(QStringLiteral("frmList"), QStringLiteral("UpdateListAlternative"), *fill.error);
}

void FrmList::FillGrids(const QList<ListRow>& rows) {
  fgList->SetRedraw(false);
  // Nothing of an earlier fill survives: every row is made anew.
  fgList->setRowCount(0);
  fgList->SetRows(rows.size() + 1);
  msgrid->setRowCount(0);
  msgrid->SetRows(rows.size() + 1);

  auto picture = [this](int number) { return number >= 1 && number <= ImageList.size() ? ImageList[number - 1] : QPixmap(); };
  for (const ListRow& row : rows) {
    const int r = listRow_;
    fgList->SetTextArray(GetCellIndex(r, kListColMarinaNo), row.marinaNo);
    fgList->SetRow(r);
    fgList->SetCol(kListColBell);
    if (row.bellPicture) {
      fgList->SetCellPicture(picture(row.bellPicture));
      fgList->SetCellPictureAlignment(kPictureLeftCentre);
    }
    fgList->SetCol(kListColBoatyard);
    if (row.boatyardPicture) {
      fgList->SetCellPicture(picture(row.boatyardPicture));
      fgList->SetCellPictureAlignment(kPictureLeftCentre);
    }
    fgList->SetCol(kListColSunset);
    if (row.sunsetPicture) {
      fgList->SetCellPicture(picture(kSunsetPicture));
      fgList->SetCellPictureAlignment(kPictureCentre);
    }
    fgList->SetTextArray(GetCellIndex(r, kListColName), row.name);
    fgList->SetTextArray(GetCellIndex(r, kListColCity), row.city);
    fgList->SetTextArray(GetCellIndex(r, kListColState), row.state);
    fgList->SetTextArray(GetCellIndex(r, kListColHarbor), row.harbor);
    Selected_datas(row);

    msgrid->SetTextMatrix(ratingsRow_, 0, row.bellText);
    msgrid->SetTextMatrix(ratingsRow_, 1, row.boatyardText);
    msgrid->SetTextMatrix(ratingsRow_, 2, row.sunsetText);
    ++ratingsRow_;
    ++listRow_;
  }
  fgList->SetRedraw(true);
}

void FrmList::Selected_datas(const ListRow& row) {
  int col = kListFixedCols;
  for (const QString& text : row.optional) {
    if (col >= fgList->Cols()) break;  // never beyond the row's own cells
    fgList->SetTextArray(GetCellIndex(listRow_, col), text);
    ++col;
  }
}

int FrmList::GetMarinasCount() const { return fgList->Rows() - 1; }

QString FrmList::GetMarinaName(int row) const {
  if (row < 1 || row > GetMarinasCount()) return QString();
  return fgList->TextMatrix(row, kListColName);
}

std::int32_t FrmList::GetMarinaNo(int row) const {
  if (row < 1 || row > GetMarinasCount()) return 0;
  bool ok = false;
  const qint64 number = fgList->TextMatrix(row, kListColMarinaNo).trimmed().toLongLong(&ok);
  if (!ok || number < INT32_MIN || number > INT32_MAX) return 0;
  return static_cast<std::int32_t>(number);
}

void FrmList::fgList_DblClick() {
  const int r = fgList->Row();
  if (r >= 1 && r <= GetMarinasCount()) {
    SelectedMarinaName() = fgList->TextMatrix(r - 1, kListColName);
    SelectedMarinaRow() = r;
  } else if (GetMarinasCount() > 0) {
    return;
  } else {
    // An empty list still opens the viewer, with no marina to select.
    SelectedMarinaRow() = 0;
  }
  if (ShowReportViewer()) ShowReportViewer()();
}

void FrmList::cmdOK_Click() {
  CallScreen(AppScreens().showSearch);
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) frame->hide();
  hide();
}

bool FrmList::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) {
    Form_Activate();
  } else if (e->type() == QEvent::ParentChange || e->type() == QEvent::Show) {
    // Inside the main window the activation is its MDI frame's: watch it from
    // the moment the window is put into its frame, before the frame is shown
    // and activated for the first time.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()); frame && !frameWatched_) {
      frameWatched_ = true;
      connect(frame, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates was, Qt::WindowStates now) {
        if (now.testFlag(Qt::WindowActive) && !was.testFlag(Qt::WindowActive)) Form_Activate();
      });
    }
  }
  return QWidget::event(e);
}

void FrmList::Form_Activate() { ListScreenActivated(); }

void FrmList::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Form_Resize();
}

void FrmList::Form_Resize() {
  // W and H are the outer size of the window: its MDI frame, or its own
  // size with the usual frame added when it has none (offscreen, not shown).
  QWidget* outer = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
  int w = PixelsToTwips(outer->frameGeometry().width());
  int h = PixelsToTwips(outer->frameGeometry().height());
  if (outer == this && frameGeometry().size() == size()) {
    w += 120;
    h += 420;
  }
  for (int r = 0; r < fgList->Rows(); ++r) fgList->SetRowHeight(r, kRowHeight);
  lblMsg->move(TwipsToPixels(2700), 0);
  cmdPrint->move(TwipsToPixels(w - 2800), TwipsToPixels(h - 800));
  cmdOK->move(TwipsToPixels(w - 1500), TwipsToPixels(h - 800));
  fgList->setGeometry(TwipsRect(0, PixelsToTwips(lblMsg->height()), w - 200, h - 800));
  SetListColumnWidths();
  cmdPrint->raise();
  cmdOK->raise();
}

void FrmList::Form_Unload() { ListScreenUnloaded(); }

ListGridSnapshot FrmList::Snapshot() const {
  ListGridSnapshot grid;
  for (int r = 0; r < fgList->Rows(); ++r) {
    QStringList row;
    for (int c = 0; c < fgList->Cols(); ++c) row << fgList->TextMatrix(r, c);
    grid.cells << row;
    grid.rowHeights << fgList->RowHeight(r);
  }
  for (int c = 0; c < fgList->Cols(); ++c) grid.colWidths << fgList->ColWidth(c);
  for (int r = 0; r < msgrid->Rows(); ++r)
    grid.ratings << std::array<QString, 3>{msgrid->TextMatrix(r, 0), msgrid->TextMatrix(r, 1), msgrid->TextMatrix(r, 2)};
  return grid;
}

bool FrmList::LoadPrintPage(ListPageKind kind) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ratingsRow_ = 0;
  lastPageText_ = ListPageHtml(Snapshot(), kind, ProgramFolder());
  const bool written = printPages_->Write(lastPageText_, &lastPagePath_);
  QApplication::restoreOverrideCursor();
  if (!written) {
    MsgBox(QStringLiteral("The list could not be written to ") + lastPagePath_ +
               QStringLiteral(" for printing. Nothing was printed."),
           MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Print Status"));
    return false;
  }
  printPending_ = true;
  if (!WebBrowser->Navigate(lastPagePath_)) {
    printPending_ = false;
    MsgBox(QStringLiteral("The list was not printed: ") + WebBrowser->LastError(), MsgButtons::OK,
           MsgIcon::Critical, QStringLiteral("Print Status"));
    return false;
  }
  return true;
}

void FrmList::PrintLoadedPage() {
  WebBrowser->WaitForLoad(kPrintLoadTimeoutMs);
  GuardedPrint(*WebBrowser, true);
}

void FrmList::PrintList() {
  MsgBox(QStringLiteral("Set 'Preferences/Layout/Orientation' to 'Landscape'"), MsgButtons::OK,
         MsgIcon::Information);
  if (!LoadPrintPage(ListPageKind::PrintList)) return;
  ShowPrintProgress();
  // The list prints across the sheet; the printer keeps its orientation for
  // the program's other prints.
  QPrinter& printer = qw::WebBrowser::Printer();
  const QPageLayout::Orientation orientation = printer.pageLayout().orientation();
  printer.setPageOrientation(QPageLayout::Landscape);
  PrintLoadedPage();
  printer.setPageOrientation(orientation);
}

void FrmList::cmdPrint_Click() {
  if (!LoadPrintPage(ListPageKind::PrintForm)) return;
  PrintLoadedPage();
}

void FrmList::WebBrowser_DocumentComplete() {
  if (!printPending_) return;
  WebBrowser->setVisible(true);
  WebBrowser->ExecWB(qw::WebBrowser::kCmdRefresh, qw::WebBrowser::kDontPromptUser);
  printPending_ = false;
  WebBrowser->setVisible(false);
}

}  // namespace qw
