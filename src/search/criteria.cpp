#include "search/criteria.h"

#include <QRegularExpression>

namespace qw {

AmenityCriteria& ProgramAmenityCriteria() {
  static AmenityCriteria arrays;
  return arrays;
}

QString ComboChoice::Text() const {
  if (ListIndex < 0 || ListIndex >= Items.size()) return QString();
  return Items.at(ListIndex);
}

QString GeneralComboText(const SearchCriteria& c, const QString& controlName) {
  struct Box {
    const char* name;
    int SearchCriteria::*index;
    const QStringList* items;
  };
  static const Box boxes[] = {
      {"cboBellRating", &SearchCriteria::cboBellRating, &kBellRatingItems},
      {"cboBoatRating", &SearchCriteria::cboBoatRating, &kBoatRatingItems},
      {"cmbTotalSlips", &SearchCriteria::cmbTotalSlips, &kTotalSlipsItems},
      {"cboDepth", &SearchCriteria::cboDepth, &kDepthItems},
      {"cboFuel", &SearchCriteria::cboFuel, &kFuelItems},
      {"cboDockage", &SearchCriteria::cboDockage, &kDockageItems},
      {"cboMoorings", &SearchCriteria::cboMoorings, &kMooringsItems},
      {"cboElectricity", &SearchCriteria::cboElectricity, &kElectricityItems},
  };
  for (const Box& box : boxes) {
    if (controlName != QLatin1String(box.name)) continue;
    const int index = c.*box.index;
    return index >= 0 && index < box.items->size() ? box.items->at(index) : QString();
  }
  return QString();
}

std::int16_t CheckVal(std::int16_t value) { return value == 1 || value == -1 ? 999 : 888; }

std::int16_t TFValue(std::int16_t value) { return value == 999 ? 1 : 0; }

bool IsPlainNumber(const QString& text) {
  static const QRegularExpression number(QStringLiteral("^ *[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+) *$"));
  return number.match(text).hasMatch();
}

}  // namespace qw
