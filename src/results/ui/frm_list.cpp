#include "results/ui/frm_list.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>

#include "data/marina_db.h"
#include "host/ui/screens.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "platform/temp_pages.h"
#include "platform/ui/browser.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/twips.h"
#include "platform/ui/wait_cursor.h"
#include "results/list_state.h"
#include "services/error_handler.h"
#include "services/page_setup.h"
#include "services/settings.h"

namespace qw {
namespace {

constexpr int kRowHeight = 300;  // twips
constexpr int kButtonsGap = 60;  // twips between the grid and the buttons below it
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

  ImageList = LoadRatingPictures();
  QVariantList pictures;
  for (const QPixmap& picture : ImageList) pictures << picture;

  fgList = new FlexGrid(this);
  fgList->setObjectName(QStringLiteral("fgList"));
  QFont gridFont(QStringLiteral("MS Sans Serif"));
  gridFont.setPointSizeF(8.25);
  // Names, towns and harbours need no complex text shaping, which cost a third
  // of painting the list; a script that needs it is still shaped.
  gridFont.setStyleStrategy(QFont::PreferNoShaping);
  fgList->setFont(gridFont);
  list_ = new ListModel(pictures, this);
  fgList->setModel(list_);
  fgList->SetRowHeights(kRowHeight);
  fgList->SetCols(kListFixedCols);

  msgrid = new FlexGrid(this);
  msgrid->setObjectName(QStringLiteral("msgrid"));
  ratings_ = new ListRatingsModel(this);
  msgrid->setModel(ratings_);
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
  // A caption wider in the system's font than the design width allows gets
  // the width it needs (Form_Resize keeps the button's right edge).
  cmdPrint->resize(std::max(TwipsToPixels(1215), cmdPrint->sizeHint().width()), TwipsToPixels(375));
  cmdOK = new QPushButton(QStringLiteral("&Back to Search"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setToolTip(QStringLiteral("Return to Search Screen"));
  cmdOK->resize(std::max(TwipsToPixels(1335), cmdOK->sizeHint().width()), TwipsToPixels(375));

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

void frmList::UpdateListAlternative() {
  // The header and the optional columns follow the criteria of this fill.
  const OptionalColumns columns = CriteriaNow();
  ApplyHeader(columns);
  lastQuery_ = ListQueryText(CallScreen(AppScreens().buildWhereClause));

  OpenMyDatabase(Settings().DatabaseFileName);
  DatabasePtr db = MyDatabase();
  if (!db || !db->IsOpen()) {  // OpenMyDatabase has told the user
    FillGrids({});
    return;
  }
  const Result<QList<ListRow>> fill = RunListQuery(*db, lastQuery_, columns);
  try {
    db->Close();
  } catch (const std::exception&) {
    // The rows are read: a connection that will not close changes nothing shown.
  }
  FillGrids(fill.value_or({}));
  if (!fill) ErrorHandler(QStringLiteral("frmList"), QStringLiteral("UpdateListAlternative"), fill.error());
}

void frmList::FillGrids(QList<ListRow> rows) {
  // Nothing of an earlier fill survives: both grids show the new rows alone,
  // each after one reset, painted once when the fill is done.
  fgList->SetRedraw(false);
  ratings_->Fill(rows);
  list_->Fill(std::move(rows));
  fgList->SetRedraw(true);
}

int frmList::GetMarinasCount() const { return static_cast<int>(list_->Rows().size()); }

QString frmList::GetMarinaName(int row) const {
  if (row < 1 || row > GetMarinasCount()) return QString();
  return list_->Rows()[row - 1].name;
}

std::int32_t frmList::GetMarinaNo(int row) const {
  if (row < 1 || row > GetMarinasCount()) return 0;
  return list_->Rows()[row - 1].marinaNo;
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
  fgList->SetRowHeights(kRowHeight);
  lblMsg->move(TwipsToPixels(2700), 0);
  // A frame whose title bar is taller than the usual one would push the
  // buttons out at the bottom: they stay inside.
  const int buttonsTop = std::min(h - 800, PixelsToTwips(height() - cmdOK->height()));
  // Left edges as designed (W - 2800, W - 1500), or further left by what a
  // wider caption took.
  const int okLeft = w - 1500 + 1335 - PixelsToTwips(cmdOK->width());
  const int printLeft = std::min(w - 2800, okLeft - 85 - PixelsToTwips(cmdPrint->width()));
  cmdPrint->move(TwipsToPixels(printLeft), TwipsToPixels(buttonsTop));
  cmdOK->move(TwipsToPixels(okLeft), TwipsToPixels(buttonsTop));
  // Below the hint, the grid ends a little above the buttons: they never
  // cover its last rows or its scroll bar.
  const int gridTop = PixelsToTwips(lblMsg->height());
  fgList->setGeometry(TwipsRect(0, gridTop, w - 200, std::max(0, buttonsTop - kButtonsGap - gridTop)));
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
  bool written = false;
  {
    const WaitCursor wait;
    const ListGridSnapshot grid = Snapshot();
    lastPageText_ = ListPageHtml(grid, kind, ProgramFolder());
    // The toolbar's print reads the ratings row by row into the program-wide
    // ratings, which so hold those of the list's last row afterwards (the
    // header row's store row holds no ratings).
    if (kind == ListPageKind::PrintList && grid.cells.size() > 1) {
      const std::array<QString, 3>& last = grid.ratings.value(grid.cells.size() - 1);
      RowBellRating() = last[0];
      RowBoatyardRating() = last[1];
      RowSunset() = last[2].toInt();
    }
    written = printPages_->Write(lastPageText_, &lastPagePath_);
  }
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
  // A long list keeps the browser busy well past the progress window: the
  // pointer shows that the print is on its way.
  {
    const WaitCursor wait;
    wbList->WaitForLoad(kPrintLoadTimeoutMs);
  }
  // A list wider than the sheet is fitted to its width; turning the sheet
  // stays the user's choice.
  GuardedPrint(*wbList, true, {}, {QStringLiteral("Marina list"), std::nullopt, PrintFit::Width});
}

void frmList::PrintList() {
  MsgBox(QStringLiteral("Set 'Preferences/Layout/Orientation' to 'Landscape'"), MsgButtons::OK,
         MsgIcon::Information);
  if (!LoadPrintPage(ListPageKind::PrintList)) return;
  ShowPrintProgress();
  // The print dialog opens on the page setup's paper and orientation; the
  // message above asks the user to turn the sheet there.
  PrintLoadedPage();
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
