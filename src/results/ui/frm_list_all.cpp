#include "results/ui/frm_list_all.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "platform/program.h"
#include "platform/ui/wait_cursor.h"
#include "platform/ui/window_frame.h"
#include "results/ui/frm_list.h"
#include "services/settings.h"

namespace qw {

frmListAll::frmListAll(QWidget* parent) : QDialog(parent ? parent : QApplication::activeWindow()) {
  setObjectName(QStringLiteral("frmListAll"));
  setWindowTitle(QStringLiteral("Sort Marinas"));
  setFixedSize(TwipsToPixels(4800), TwipsToPixels(1800));
  // A small fixed dialog: a close button, nothing to minimise or maximise.
  UseFixedFrame(this);

  lblMessage = new QLabel(QStringLiteral("How do you want to Sort the Marinas?"), this);
  lblMessage->setObjectName(QStringLiteral("lblMessage"));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPointSizeF(9.75);
  font.setBold(true);
  lblMessage->setFont(font);
  lblMessage->setAlignment(Qt::AlignCenter);
  lblMessage->setGeometry(TwipsToPixels(120), TwipsToPixels(240), TwipsToPixels(4560), TwipsToPixels(375));

  cmdAlpha = new QPushButton(QStringLiteral("Sort Alphabetically"), this);
  cmdAlpha->setObjectName(QStringLiteral("cmdAlpha"));
  cmdAlpha->setGeometry(TwipsToPixels(360), TwipsToPixels(960), TwipsToPixels(1935), TwipsToPixels(495));
  cmdGeo = new QPushButton(QStringLiteral("Sort Geographically"), this);
  cmdGeo->setObjectName(QStringLiteral("cmdGeo"));
  cmdGeo->setGeometry(TwipsToPixels(2505), TwipsToPixels(960), TwipsToPixels(1935), TwipsToPixels(495));

  connect(cmdAlpha, &QPushButton::clicked, this, &frmListAll::cmdAlpha_Click);
  connect(cmdGeo, &QPushButton::clicked, this, &frmListAll::cmdGeo_Click);
}

void frmListAll::cmdAlpha_Click() {
  {
    const WaitCursor wait;
    SortOrder() = ListOrder::Alphabetical;
  }
  accept();
  frmList::Instance()->UpdateListAlternative();
}

void frmListAll::cmdGeo_Click() {
  {
    const WaitCursor wait;
    SortOrder() = ListOrder::Geographic;
  }
  accept();
}

void ShowSortDialog() {
  frmListAll::Instance()->exec();
  frmListAll::Unload();
}

}  // namespace qw
