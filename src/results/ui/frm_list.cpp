#include "results/ui/frm_list.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>

#include "app/ui/screens.h"
#include "data/marina_db.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "platform/temp_pages.h"
#include "platform/ui/browser.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/twips.h"
#include "results/list_state.h"
#include "services/error_handler.h"
#include "services/page_setup.h"
#include "services/settings.h"

namespace qw {
namespace {

constexpr int kRowHeight = 300;  // twips
constexpr int kPictureHeight = 17;  // pixels

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

void frmList::closeEvent(QCloseEvent* e) {
  // Closing the window unloads it.
  e->accept();
  if (Loaded() == this) Unload();
}

frmList::frmList() {
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
  wbList = new qw::WebBrowser(this, qw::WebBrowser::Kind::Hidden);
  printPages_ = new TempPages(this);
  wbList->setObjectName(QStringLiteral("WebBrowser"));
  wbList->setGeometry(0, 0, 1, 1);
  wbList->hide();

  cmdPrint = new QPushButton(QStringLiteral("&Print Form"), this);
  cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
  cmdPrint->resize(TwipsToPixels(1215), TwipsToPixels(375));
  cmdOK = new QPushButton(QStringLiteral("&Back to Search"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setToolTip(QStringLiteral("Return to Search Screen"));
  cmdOK->resize(TwipsToPixels(1335), TwipsToPixels(375));

  ImageList = LoadRatingPictures();
  InstallPageSetupStore();

  connect(fgList, &FlexGrid::DblClick, this, &frmList::fgList_DblClick);
  connect(cmdPrint, &QPushButton::clicked, this, &frmList::cmdPrint_Click);
  connect(cmdOK, &QPushButton::clicked, this, &frmList::cmdOK_Click);
  connect(wbList, &WebBrowser::DocumentComplete, this, &frmList::WebBrowser_DocumentComplete);
}

QSize frmList::sizeHint() const { return QSize(TwipsToPixels(11700), TwipsToPixels(7400)); }

frmList::~frmList() = default;

void frmList::Form_Load() {
  fgList->SetFormatString(ListHeaderFormatString(OptionalColumns()));
  UpdateListAlternative();
  fgList->SetColWidth(kListColMarinaNo, 0);
  fgList->SetRedraw(true);
  Form_Resize();
}

void frmList::ApplyHeader(const OptionalColumns& columns) {
  columns_ = columns;
  fgList->SetCols(kListFixedCols + columns.Count());
  fgList->SetFormatString(ListHeaderFormatString(columns));
  fgList->SetColWidth(kListColMarinaNo, 0);
  SetListColumnWidths();
}

void frmList::SetListColumnWidths() {
  fgList->SetColWidth(kListColName, 2400);
  fgList->SetColWidth(kListColCity, 1500);
  fgList->SetColWidth(kListColState, 500);
  fgList->SetColWidth(kListColHarbor, 2400);
}

int frmList::GetCellIndex(int row, int col) const {
  return static_cast<int>(static_cast<std::int32_t>(fgList->Cols()) * row + col);
}

void frmList::UpdateListAlternative() {
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
  const Result<QList<ListRow>> fill = RunListQuery(*db, lastQuery_, columns_);
  try {
    db->Close();
  } catch (const std::exception&) {
  }
  FillGrids(fill.value_or({}));
  if (!fill) ErrorHandler(QStringLiteral("frmList"), QStringLiteral("UpdateListAlternative"), fill.error());
}

void frmList::FillGrids(const QList<ListRow>& rows) {
  rows_ = rows;
  fgList->SetRedraw(false);
  // Nothing of an earlier fill survives: every row is made anew.
  fgList->setRowCount(0);
  fgList->SetRows(rows.size() + 1);
  msgrid->setRowCount(0);
  msgrid->SetRows(rows.size() + 1);

  auto picture = [this](int number) { return number >= 1 && number <= ImageList.size() ? ImageList[number - 1] : QPixmap(); };
  for (const ListRow& row : rows) {
    const int r = listRow_;
    fgList->SetTextArray(GetCellIndex(r, kListColMarinaNo), QString::number(row.marinaNo));
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

void frmList::Selected_datas(const ListRow& row) {
  int col = kListFixedCols;
  for (const QString& text : row.optional) {
    if (col >= fgList->Cols()) break;  // never beyond the row's own cells
    fgList->SetTextArray(GetCellIndex(listRow_, col), text);
    ++col;
  }
}

int frmList::GetMarinasCount() const { return static_cast<int>(rows_.size()); }

QString frmList::GetMarinaName(int row) const {
  if (row < 1 || row > GetMarinasCount()) return QString();
  return rows_[row - 1].name;
}

std::int32_t frmList::GetMarinaNo(int row) const {
  if (row < 1 || row > GetMarinasCount()) return 0;
  return rows_[row - 1].marinaNo;
}

void frmList::fgList_DblClick() {
  const int r = fgList->Row();
  ReportHandOver handOver;
  if (r >= 1 && r <= GetMarinasCount()) {
    SelectedMarinaName() = fgList->TextMatrix(r - 1, kListColName);
    handOver.listRow = r;
    handOver.marinaNo = GetMarinaNo(r);
  } else if (GetMarinasCount() > 0) {
    return;
  }
  // An empty list still opens the viewer, with no marina to select.
  CallScreen(AppScreens().showReport, handOver);
}

void frmList::cmdOK_Click() {
  CallScreen(AppScreens().showSearch);
  FrameOf(this)->hide();
  hide();
}

void frmList::Form_Activate() { ActivateScreen(ScreenKind::List); }

void frmList::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Form_Resize();
}

void frmList::Form_Resize() {
  // W and H are the outer size of the window: its MDI frame, or its own
  // size with the usual frame added when it has none (offscreen, not shown).
  QWidget* outer = FrameOf(this);
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

void frmList::Form_Unload() { ChangeToolBox(ToolBoxForListUnload); }

ListGridSnapshot frmList::Snapshot() const {
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

bool frmList::LoadPrintPage(ListPageKind kind) {
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
  if (!wbList->Navigate(lastPagePath_)) {
    printPending_ = false;
    MsgBox(QStringLiteral("The list was not printed: ") + wbList->LastError(), MsgButtons::OK,
           MsgIcon::Critical, QStringLiteral("Print Status"));
    return false;
  }
  return true;
}

void frmList::PrintLoadedPage() {
  wbList->WaitForLoad(kPrintLoadTimeoutMs);
  GuardedPrint(*wbList, true);
}

void frmList::PrintList() {
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

void frmList::cmdPrint_Click() {
  if (!LoadPrintPage(ListPageKind::PrintForm)) return;
  PrintLoadedPage();
}

void frmList::WebBrowser_DocumentComplete() {
  if (!printPending_) return;
  wbList->setVisible(true);
  wbList->ExecWB(qw::WebBrowser::kCmdRefresh, qw::WebBrowser::kDontPromptUser);
  printPending_ = false;
  wbList->setVisible(false);
}

}  // namespace qw
