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

std::span<const GeneralCombo> GeneralCombos() {
  static const GeneralCombo combos[] = {
      {"cboFuel", &SearchCriteria::cboFuel, kFuelEntries},
      {"cboMoorings", &SearchCriteria::cboMoorings, kMooringsEntries},
      {"cboBellRating", &SearchCriteria::cboBellRating, kBellRatingEntries},
      {"cboBoatRating", &SearchCriteria::cboBoatRating, kBoatRatingEntries},
      {"cmbTotalSlips", &SearchCriteria::cmbTotalSlips, kTotalSlipsEntries},
      {"cboElectricity", &SearchCriteria::cboElectricity, kElectricityEntries},
      {"cboDepth", &SearchCriteria::cboDepth, kDepthEntries},
      {"cboDockage", &SearchCriteria::cboDockage, kDockageEntries},
  };
  return combos;
}

QString GeneralComboText(const SearchCriteria& c, const QString& controlName) {
  for (const GeneralCombo& box : GeneralCombos()) {
    if (controlName != QLatin1String(box.name)) continue;
    const int index = c.*box.index;
    return index >= 0 && index < static_cast<int>(box.entries.size()) ? QString::fromUtf8(box.entries[index].caption)
                                                                      : QString();
  }
  return QString();
}

std::int16_t CheckVal(std::int16_t value) { return value == 1 || value == -1 ? 999 : 888; }

std::int16_t TFValue(std::int16_t value) { return value == 999 ? 1 : 0; }

bool IsPlainNumber(const QString& text) {
  // Every form this accepts is also a numeric literal of the query language,
  // so the trimmed text can stand in a query as it was typed.
  static const QRegularExpression number(QRegularExpression::anchoredPattern(
      QStringLiteral(" *[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)([eE][+-]?[0-9]+)? *")));
  return number.match(text).hasMatch();
}

}  // namespace qw
