#include "search/ui/frm_geo_codes.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "data/marina_db.h"
#include "platform/program.h"
#include "platform/ui/twips.h"
#include "search/location_queries.h"
#include "search/ui/frm_criteria.h"
#include "services/settings.h"

namespace qw {

frmGeoCodes::frmGeoCodes(QListWidget* chosen, QWidget* parent)
    : QDialog(chosen || parent ? parent : frmCriteria::Instance()),
      chosen_(chosen ? chosen : frmCriteria::Instance()->lbGeoCodes) {
  setObjectName(QStringLiteral("frmGeoCodes"));
  setWindowTitle(QStringLiteral("Add Geo Code"));
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setFixedSize(TwipsToPixels(7470), TwipsToPixels(5040));

  lbAddGeoCodes = new QListWidget(this);
  lbAddGeoCodes->setObjectName(QStringLiteral("lbAddGeoCodes"));
  lbAddGeoCodes->setSelectionMode(QAbstractItemView::ExtendedSelection);
  PlaceTwips(lbAddGeoCodes, 120, 90, 7215, 4155);

  Label1 = new QLabel(QStringLiteral("Hold down CTRL key to select multiple items"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont verdana(QStringLiteral("Verdana"));
  verdana.setPointSizeF(font().pointSizeF() - 1);
  Label1->setFont(verdana);
  PlaceTwips(Label1, 120, 4320, 4305, 195);
  Label1->resize(std::max(Label1->width(), Label1->sizeHint().width()), Label1->height());

  cmdSelect = new QPushButton(QStringLiteral("Select"), this);
  cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
  PlaceTwips(cmdSelect, 3480, 4560, 1215, 375);
  OKButton = new QPushButton(QStringLiteral("Close"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  PlaceTwips(OKButton, 4830, 4560, 1215, 375);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  PlaceTwips(CancelButton, 6120, 4560, 1215, 375);
  for (QPushButton* b : {cmdSelect, OKButton, CancelButton}) b->setAutoDefault(false);

  connect(cmdSelect, &QPushButton::clicked, this, &frmGeoCodes::cmdSelect_Click);
  connect(OKButton, &QPushButton::clicked, this, &frmGeoCodes::OKButton_Click);
  connect(CancelButton, &QPushButton::clicked, this, &frmGeoCodes::CancelButton_Click);
}

void frmGeoCodes::Form_Load() {
  lbAddGeoCodes->clear();
  const std::optional<QString> query = GeoCodePickerQuery(Settings());
  if (query) {
    try {
      DatabasePtr db = OpenMarinaDatabase(-1, true);
      lbAddGeoCodes->addItems(ReadGeoCodeNames(*db, *query));
      db->Close();
    } catch (const std::exception&) {
      // The picker then offers what it could read (nothing).
    }
  }
  // The names already chosen appear selected.
  for (int i = 0; i < lbAddGeoCodes->count(); ++i) {
    QListWidgetItem* entry = lbAddGeoCodes->item(i);
    for (int j = 0; j < chosen_->count(); ++j) {
      if (chosen_->item(j)->text() == entry->text()) {
        entry->setSelected(true);
        break;
      }
    }
  }
}

void frmGeoCodes::cmdSelect_Click() {
  for (int i = 0; i < lbAddGeoCodes->count(); ++i) {
    QListWidgetItem* entry = lbAddGeoCodes->item(i);
    if (!entry->isSelected()) continue;
    bool present = false;
    for (int j = 0; j < chosen_->count() && !present; ++j) present = chosen_->item(j)->text() == entry->text();
    if (!present) chosen_->addItem(entry->text());
  }
}

void frmGeoCodes::OKButton_Click() { accept(); }

void frmGeoCodes::CancelButton_Click() { reject(); }

void frmGeoCodes::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  Form_Resize();
}

void frmGeoCodes::Form_Resize() {
  // Left half the window's width, top half its height and 400 twips.
  const int left = std::max(0, frameGeometry().width() / 2);
  const int top = std::max(0, frameGeometry().height() / 2 + TwipsToPixels(400));
  move(left, top);
}

}  // namespace qw
