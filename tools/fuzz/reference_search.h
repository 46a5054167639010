#pragma once
// The marina search worked out a second way: the database's rows are loaded
// once with plain SQL of their own (no query builder, no SQL translation), and
// the criteria are evaluated on them in C++ as the search screen's conditions
// read: text compared without regard to ASCII case, LIKE with * and ? as the
// only wildcards, blanks trimmed, Null never matching, an amenity class
// including every nearer class. The fuzz target compares its counts with the
// program's.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <optional>
#include <vector>

#include "services/settings.h"
#include "search/criteria.h"

namespace qw::fuzz {

class ReferenceSearch {
 public:
  // Loads the database at path. Throws std::runtime_error when it cannot.
  explicit ReferenceSearch(const QString& databasePath);

  // The number of marinas the search finds with these criteria and settings.
  int Count(const SearchCriteria& criteria, const AppSettings& settings) const;

  // The [Geo Code] of the first sub-region (in code order) whose name matches
  // the name as a LIKE pattern; nullopt when none does.
  std::optional<int> GeoCode(const QString& name) const;

  // Texts of the data, for making inputs that match something.
  const QStringList& MarinaNames() const { return marinaNames_; }
  const QStringList& Cities() const { return cities_; }
  const QStringList& Harbors() const { return harbors_; }
  const QStringList& GeoCodeNames() const { return geoNames_; }

  // Jet's LIKE as the search uses it: * any run, ? one character, everything
  // else itself, ASCII letters without regard to case.
  static bool Like(const QString& text, const QString& pattern);

 private:
  // One amenity row: its type, the five class flags ([On-Site] .. [1-3 Miles]),
  // [Approx Distance] and Comments.
  struct AmenityRow {
    QVariant type;
    std::array<QVariant, 5> flags;
    QVariant approx;
    QVariant comments;
  };
  using Row = QHash<QString, QVariant>;  // lower-case column name -> value
  struct Marina {
    int no = 0;
    QHash<QString, Row> tables;  // lower-case table name -> its row, when there is one
  };

  QVariant Value(const Marina& m, const char* table, const char* column) const;
  bool Matches(const Marina& m, const SearchCriteria& c, const AppSettings& s) const;
  bool GeneralMatch(const Marina& m, const SearchCriteria& c) const;
  bool AmenityMatch(const Marina& m, const SearchCriteria& c) const;
  bool FilterMatch(const Marina& m, const AppSettings& s) const;
  // Whether the marina has the amenity type in distance class code (1..6),
  // or, for code 0, a row of the type with a remark.
  bool HasAmenity(const Marina& m, const QString& table, const QString& type, int code) const;

  std::vector<Marina> marinas_;
  QHash<QString, QHash<int, std::vector<AmenityRow>>> amenities_;  // table -> MarinaNo -> rows
  std::vector<std::pair<int, QString>> geoCodes_;                  // in code order
  QStringList marinaNames_, cities_, harbors_, geoNames_;
};

}  // namespace qw::fuzz
