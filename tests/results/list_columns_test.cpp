#include <gtest/gtest.h>

#include "results/list_columns.h"

namespace {

using qw::Field;
using qw::OptionalColumn;
using qw::OptionalColumns;

OptionalColumns Cols(bool slips, bool moorings, bool dockage, bool loa) {
  return OptionalColumns{slips, moorings, dockage, loa};
}

TEST(OptionalColumns, CriteriaAreFilledByAnyTextIncludingBlanks) {
  EXPECT_EQ(qw::FilledCriteria("", "", "", ""), Cols(false, false, false, false));
  EXPECT_EQ(qw::FilledCriteria("100", "", "", "   "), Cols(true, false, false, true));
  EXPECT_EQ(qw::FilledCriteria("", "5", "$2", ""), Cols(false, true, true, false));
  // The fixed order holds whatever the order of filling.
  const QList<OptionalColumn> order = Cols(true, false, false, true).InOrder();
  ASSERT_EQ(order.size(), 2);
  EXPECT_EQ(order[0], OptionalColumn::Slips);
  EXPECT_EQ(order[1], OptionalColumn::MaxLoa);
}

TEST(OptionalColumns, HeaderFormatStrings) {
  const QString none = qw::ListHeaderFormatString(Cols(false, false, false, false));
  EXPECT_EQ(none.size(), 249);
  EXPECT_EQ(none, QStringLiteral("|^Bell Rating          |^Boatyard  |^Sunset    |<Marina Name") + QString(77, ' ') +
                      "|<City" + QString(30, ' ') + "|<State" + QString(23, ' ') + "|<Harbor" + QString(38, ' '));
  EXPECT_EQ(none.count('|'), 7);  // 8 columns

  const QString all = qw::ListHeaderFormatString(Cols(true, true, true, true));
  EXPECT_EQ(all.size(), 315);
  EXPECT_TRUE(all.contains("|<City" + QString(32, ' ') + "|<State"));
  EXPECT_TRUE(all.endsWith("|<Total # of Slips   |<Moorings    |<Dockage Fee  |<Max. LOA    "));
  EXPECT_EQ(all.count('|'), 11);

  // Dockage Fee takes four blanks only beside Max. LOA alone.
  const std::pair<OptionalColumns, QString> endings[] = {
      {Cols(false, false, true, true), "|<Dockage Fee    |<Max. LOA    "},
      {Cols(false, false, true, false), "|<Harbor" + QString(38, ' ') + "|<Dockage Fee  "},
      {Cols(true, false, true, true), "|<Dockage Fee  |<Max. LOA    "},
      {Cols(false, true, true, true), "|<Moorings    |<Dockage Fee  |<Max. LOA    "}};
  for (const auto& [columns, ending] : endings)
    EXPECT_TRUE(qw::ListHeaderFormatString(columns).endsWith(ending)) << ending.toStdString();
  // Any one optional column widens the City heading.
  EXPECT_TRUE(qw::ListHeaderFormatString(Cols(false, true, false, false)).contains("|<City" + QString(32, ' ') + "|"));
}

TEST(OptionalColumns, CellTexts) {
  auto value = [](QVariant v) { return Field(Field::State::Value, v); };
  const Field null(Field::State::Null, QVariant());
  using C = OptionalColumn;
  const struct {
    OptionalColumn column;
    Field field;
    const char* text;
  } cases[] = {
      {C::Slips, value(120), "120"}, {C::Slips, value(0), "0"}, {C::Slips, null, ""}, {C::Moorings, value(45), "45"},
      {C::MaxLoa, value(150.0), "150"}, {C::MaxLoa, value(45.5), "45.5"},
      {C::MaxLoa, value(QString(" 60 ft")), " 60 ft"}, {C::MaxLoa, Field(), ""},
      {C::DockageFee, value(2.5), "$2.50"}, {C::DockageFee, value(0.75), "$0.75"},
      {C::DockageFee, value(12), "$12.00"}, {C::DockageFee, value(0), "$0.00"},
      {C::DockageFee, value(1234.5), "$1234.50"},
      // Rounded as the report's Rate is: on the value as written.
      {C::DockageFee, value(2.675), "$2.68"}, {C::DockageFee, null, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(qw::OptionalCellText(c.column, c.field).toStdString(), c.text)
        << "column " << int(c.column) << ", value " << c.field.Value().toString().toStdString();
}

}  // namespace
