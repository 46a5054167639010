#include "app/ui/choice_dialog.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QResizeEvent>
#include <QStyle>
#include <algorithm>
#include <optional>

#include "app/ui/clickable_label.h"
#include "app/ui/mdi_frm_main.h"
#include "data/marina_db.h"
#include "host/ui/screens.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "services/error_handler.h"

namespace qw {
namespace {

// The module name under which skipped steps are logged.
const QString kModule = QStringLiteral("ChoiceDialog");

ClickableLabel* PictureChoice(QWidget* parent, const QString& picture, QStyle::StandardPixmap fallback,
                              const QString& name) {
  auto* label = new ClickableLabel(parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  label->setCursor(Qt::PointingHandCursor);
  QPixmap pixmap(ProgramFolder() + QStringLiteral("/pictures/toolbar/") + picture);
  if (pixmap.isNull()) pixmap = parent->style()->standardIcon(fallback).pixmap(48, 48);
  label->setPixmap(pixmap.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  label->setFrameShape(QFrame::StyledPanel);
  return label;
}

ClickableLabel* CaptionChoice(QWidget* parent, const QString& text, const QString& name) {
  auto* label = new ClickableLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  label->setCursor(Qt::PointingHandCursor);
  label->setWordWrap(true);
  return label;
}

}  // namespace

ChoiceDialog::ChoiceDialog(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ChoiceDialog"));
  setWindowTitle(QStringLiteral("Select Search Interface"));
  setAttribute(Qt::WA_DeleteOnClose);
  setMinimumSize(370, 230);
  resize(370, 230);

  Picture1 = new QWidget(this);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->resize(340, 180);
  Label3 = new QLabel(QStringLiteral("Please select search type"), Picture1);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setAlignment(Qt::AlignCenter);
  QFont prompt = Label3->font();
  prompt.setBold(true);
  Label3->setFont(prompt);
  Label3->setGeometry(0, 8, 340, 24);
  Comsearch = PictureChoice(Picture1, QStringLiteral("03.png"), QStyle::SP_FileDialogContentsView,
                            QStringLiteral("Comsearch"));
  Comsearch->setGeometry(50, 44, 90, 80);
  Label1 = CaptionChoice(Picture1, QStringLiteral("Search Screen Interface"), QStringLiteral("Label1"));
  Label1->setGeometry(20, 128, 150, 40);
  Commaps = PictureChoice(Picture1, QStringLiteral("12.png"), QStyle::SP_DirOpenIcon, QStringLiteral("Commaps"));
  Commaps->setGeometry(200, 44, 90, 80);
  Label2 = CaptionChoice(Picture1, QStringLiteral("Map Interface"), QStringLiteral("Label2"));
  Label2->setGeometry(170, 128, 150, 40);

  connect(Comsearch, &ClickableLabel::clicked, this, &ChoiceDialog::Comsearch_Click);
  connect(Label1, &ClickableLabel::clicked, this, &ChoiceDialog::Label1_Click);
  connect(Commaps, &ClickableLabel::clicked, this, &ChoiceDialog::Commaps_Click);
  connect(Label2, &ClickableLabel::clicked, this, &ChoiceDialog::Label2_Click);
}

void ChoiceDialog::Form_Load() {
  ChangeToolBox(ToolBoxForStartChoice);
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    // A title bar draws its close button only with the system-menu hint.
    frame->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    frame->resize(frame->minimumSizeHint());
    // The main window takes its final size only once the desktop has shown
    // it maximised, often after this load: the window follows the area.
    frame->mdiArea()->viewport()->installEventFilter(this);
    CentreInMainWindow();
  }
}

void ChoiceDialog::CentreInMainWindow() {
  auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (!frame || !frame->mdiArea()) return;
  const QSize area = frame->mdiArea()->viewport()->size();
  frame->move(std::max(0, (area.width() - frame->width()) / 2), std::max(0, (area.height() - frame->height()) / 2));
}

bool ChoiceDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) CentreInMainWindow();
  return QWidget::eventFilter(watched, event);
}

void ChoiceDialog::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

void ChoiceDialog::Form_Resize() {
  // Centred on the window's outer size (its frame in the main window).
  const auto* frame = qobject_cast<const QMdiSubWindow*>(parentWidget());
  const QSize outer = frame ? frame->size() : frameGeometry().size();
  Picture1->move(static_cast<int>(outer.width() / 2.0 - Picture1->width() / 2.0),
                 static_cast<int>(outer.height() / 2.0 - Picture1->height() / 2.0));
}

void ChoiceDialog::SearchChoice() {
  CallScreen(AppScreens().showSearch);
  Unload();
}

void ChoiceDialog::Comsearch_Click() { SearchChoice(); }
void ChoiceDialog::Label1_Click() { SearchChoice(); }

void ChoiceDialog::MapChoice(int options, bool readOnly) {
  // The table is counted and the connection closed before the hint box is
  // shown, so that the hint box can write its mark into the same database.
  std::optional<int> rows;
  try {
    DatabasePtr db = OpenMarinaDatabase(options, readOnly);
    SkipOnFailure(kModule, QStringLiteral("MapChoice"), [&] {
      RecordsetPtr rs = db->OpenRecordset(QStringLiteral("chart_information"));
      rows = rs->RecordCount();
      rs->Close();
    });
    db->Close();
  } catch (const JetError& e) {
    if (e.number() == kJetDiskOrNetwork) EndForMissingMedium();
    // Any other failed open skips the hint box: the overview still comes.
  } catch (const std::exception&) {
    // As a failed open: the overview still comes, without the hint box.
  }
  SkipOnFailure(kModule, QStringLiteral("MapChoice"), [] { CallScreen(AppScreens().showOverview); });
  if (rows && *rows == 0)
    SkipOnFailure(kModule, QStringLiteral("MapChoice"), [] { CallScreen(AppScreens().showAlertChart); });
  Unload();
}

void ChoiceDialog::Commaps_Click() { MapChoice(2, false); }
void ChoiceDialog::Label2_Click() { MapChoice(-1, true); }

ChoiceDialog* ShowChoiceDialog() {
  MDIFrmMain::Instance();  // the start choice lives in the main window
  ChoiceDialog* dialog = ChoiceDialog::Instance();
  ShowInMainWindow(dialog);
  return dialog;
}

}  // namespace qw
