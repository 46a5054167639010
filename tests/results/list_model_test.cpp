#include <gtest/gtest.h>

#include "results/list_model.h"

namespace {

using qw::ListRow;

// Picture n of the image list stands in as the text "pn".
QVariantList Pictures() {
  QVariantList pictures;
  for (int n = 1; n <= 8; ++n) pictures << QString("p%1").arg(n);
  return pictures;
}

ListRow Rated() {
  ListRow row;
  row.marinaNo = 507;
  row.bellPicture = 3;
  row.boatyardPicture = 7;
  row.sunsetPicture = true;
  row.name = "Kelp Cove  ";
  row.city = "Mystic";
  row.state = "CT";
  row.harbor = "Mystic River";
  row.optional = {"120", "$2.50"};
  row.bellText = "3";
  row.boatyardText = "2";
  row.sunsetText = "1";
  return row;
}

ListRow Unrated() {
  ListRow row;
  row.marinaNo = 12;
  row.name = "Tern Landing";
  row.bellText = "6";
  row.boatyardText = "0";
  row.sunsetText = "0";
  return row;
}

// Counts what a model tells its views.
struct Signals {
  explicit Signals(QAbstractItemModel& model) {
    QObject::connect(&model, &QAbstractItemModel::modelReset, [this] { ++resets; });
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [this] { ++other; });
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved, [this] { ++other; });
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [this] { ++other; });
    QObject::connect(&model, &QAbstractItemModel::layoutChanged, [this] { ++other; });
  }
  int resets = 0;
  int other = 0;
};

TEST(ListModel, EachColumnGivesItsTextPictureAndAlignment) {
  qw::ListModel model(Pictures());
  model.insertColumns(0, 10);
  model.setHeaderData(1, Qt::Horizontal, int(Qt::AlignHCenter | Qt::AlignVCenter), Qt::TextAlignmentRole);
  model.Fill({Rated(), Unrated()});
  ASSERT_EQ(model.rowCount(), 2);

  const struct {
    int row, column;
    QString text;
    QVariant picture;  // invalid: none
    int pictureAlignment;
  } cells[] = {
      {0, 0, "507", {}, 0},
      {0, 1, "", "p3", qw::kPictureLeftCentre},
      {0, 2, "", "p7", qw::kPictureLeftCentre},
      {0, 3, "", "p8", qw::kPictureCentre},
      {0, 4, "Kelp Cove  ", {}, 0},
      {0, 5, "Mystic", {}, 0},
      {0, 6, "CT", {}, 0},
      {0, 7, "Mystic River", {}, 0},
      {0, 8, "120", {}, 0},
      {0, 9, "$2.50", {}, 0},
      {1, 0, "12", {}, 0},
      {1, 1, "", {}, 0},
      {1, 2, "", {}, 0},
      {1, 3, "", {}, 0},
      {1, 4, "Tern Landing", {}, 0},
      {1, 8, "", {}, 0},  // a row without the optional values leaves their cells empty
  };
  for (const auto& c : cells) {
    SCOPED_TRACE(testing::Message() << c.row << "," << c.column);
    const QModelIndex at = model.index(c.row, c.column);
    EXPECT_EQ(at.data().toString(), c.text);
    EXPECT_EQ(at.data(Qt::DecorationRole), c.picture);
    EXPECT_EQ(at.data(qw::kPictureAlignmentRole).toInt(), c.pictureAlignment);
  }
  // Texts take their column's alignment.
  EXPECT_EQ(model.index(1, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignHCenter | Qt::AlignVCenter));
  EXPECT_EQ(model.index(1, 4).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
  EXPECT_FALSE(model.index(2, 0).isValid());
}

TEST(ListModel, AFillReplacesEveryRowWithOneResetAndAnEmptyFillLeavesNone) {
  qw::ListModel list(Pictures());
  list.insertColumns(0, 8);
  qw::ListRatingsModel ratings;
  EXPECT_EQ(ratings.columnCount(), 3);
  Signals listSignals(list), ratingSignals(ratings);

  const QList<ListRow> first = {Rated(), Unrated()};
  list.Fill(first);
  ratings.Fill(first);
  EXPECT_EQ(ratings.rowCount(), 2);
  EXPECT_EQ(ratings.index(0, 0).data().toString() + ratings.index(0, 1).data().toString() +
                ratings.index(0, 2).data().toString(),
            "321");
  EXPECT_EQ(ratings.index(1, 0).data().toString(), "6");  // the stored number, shown or not

  list.Fill({Unrated()});
  ratings.Fill({Unrated()});
  ASSERT_EQ(list.rowCount(), 1);
  EXPECT_EQ(list.index(0, 0).data().toString(), "12");
  EXPECT_FALSE(list.index(0, 1).data(Qt::DecorationRole).isValid());  // the first fill's bell is gone

  list.Fill({});
  ratings.Fill({});
  EXPECT_EQ(list.rowCount(), 0);
  EXPECT_EQ(ratings.rowCount(), 0);
  EXPECT_TRUE(list.Rows().isEmpty());
  EXPECT_EQ(list.columnCount(), 8);  // the header stays

  EXPECT_EQ(listSignals.resets, 3);
  EXPECT_EQ(ratingSignals.resets, 3);
  EXPECT_EQ(listSignals.other + ratingSignals.other, 0);
}

}  // namespace
