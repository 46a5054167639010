// Any bytes as a criteria file: loading never crashes or hangs, the values it
// restores save and load again unchanged, and the WHERE clause can be built.
#include <cstdint>
#include <cstdlib>

#include "search/criteria_file.h"
#include "search/where_clause.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qw;
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const SearchCriteria loaded = LoadSettings(bytes);
  BuildWhereClause(loaded, [](const QString& name) -> std::optional<std::int16_t> {
    if (name.isEmpty()) return std::nullopt;
    return static_cast<std::int16_t>(name.size());
  });
  // Everything restored survives a second round; saving trims the numeric boxes.
  const SearchCriteria again = LoadSettings(SaveSettings(loaded));
  SearchCriteria expected = loaded;
  expected.txtbicwmin = expected.txtbicwmin.trimmed();
  expected.txtbicwmax = expected.txtbicwmax.trimmed();
  expected.ebMinLOA = expected.ebMinLOA.trimmed();
  if (!(again == expected)) std::abort();
  return 0;
}
