#pragma once
// frmList, "Selected List of Marinas...": the result list screen.
#include <QList>
#include <QPixmap>
#include <QWidget>
#include <cstdint>

#include "host/ui/window_host.h"
#include "results/list_columns.h"
#include "results/list_fill.h"
#include "results/list_model.h"
#include "results/list_page.h"

class QLabel;
class QPushButton;

namespace qw {

class FlexGrid;
class TempPages;
class WebBrowser;

// Loading fills the list.
class frmList : public QWidget, public OneInstance<frmList> {
  Q_OBJECT

 public:
  static constexpr bool kMdiChild = true;
  frmList();
  ~frmList() override;

  void Form_Load();
  // Becoming the active screen: ScreenMode List, and the toolbar follows.
  void Form_Activate();
  // Unloading switches the search screen's commands back on.
  void Form_Unload();

  // Rebuilds the query from the current criteria and settings and refills
  // the grids.
  void UpdateListAlternative();
  // The accessors of the report viewer, read from the rows of the last fill:
  // rows 1 to GetMarinasCount; "" and 0 for a row outside the list.
  QString GetMarinaName(int row) const;
  std::int32_t GetMarinaNo(int row) const;
  int GetMarinasCount() const;
  // Prints the list through the browser (the toolbar's Print).
  void PrintList();

  void cmdPrint_Click();
  void cmdOK_Click();
  // Records SelectedMarinaName and hands the clicked row and its MarinaNo to
  // the report viewer (Screens::showReport, road List).
  void fgList_DblClick();
  void WebBrowser_DocumentComplete();

  // The page the last print composed and the file it went to.
  const QString& LastPageText() const { return lastPageText_; }
  const QString& LastPagePath() const { return lastPagePath_; }
  // The list query of the last fill.
  const QString& LastQuery() const { return lastQuery_; }
  bool PrintPending() const { return printPending_; }
  // The grid as the list page reads it.
  ListGridSnapshot Snapshot() const;

  QLabel* lblMsg = nullptr;
  // Both grids are views over the rows of the last fill.
  FlexGrid* fgList = nullptr;
  FlexGrid* msgrid = nullptr;
  // The hidden browser control WebBrowser: its object name and event handlers
  // keep that name; the member takes the wb prefix so as not to hide the class.
  WebBrowser* wbList = nullptr;
  QPushButton* cmdPrint = nullptr;
  QPushButton* cmdOK = nullptr;
  QList<QPixmap> ImageList;  // pictures 1 to 8 at index 0 to 7

  // The window's design size: the size its frame takes inside the main
  // window, where nothing else sizes it.
  QSize sizeHint() const override;

  // How long printing waits for the page to load.
  static constexpr int kPrintLoadTimeoutMs = 15000;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void Form_Resize();
  // Header, alignments, widths and column count for the criteria of now.
  void ApplyHeader(const OptionalColumns& columns);
  void SetListColumnWidths();
  void FillGrids(QList<ListRow> rows);
  // Composes the page, writes it and loads it into the browser; false when
  // the page could not be written (the user has been told).
  bool LoadPrintPage(ListPageKind kind);
  // Prints the loaded page with the print dialog, or says why it cannot.
  void PrintLoadedPage();

  ListModel* list_ = nullptr;  // fgList's rows
  ListRatingsModel* ratings_ = nullptr;  // msgrid's rows
  bool printPending_ = false;
  TempPages* printPages_ = nullptr;  // the print pages, deleted with the window
  QString lastPageText_;
  QString lastPagePath_;
  QString lastQuery_;
};

}  // namespace qw
