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
  // Texts holding a double quote cannot be written back whole (the format has
  // no escape); everything else must survive a second round.
  bool quoteFree = !loaded.tbMarinaName.contains('"') && !loaded.txtbicwmin.contains('"') &&
                   !loaded.txtbicwmax.contains('"') && !loaded.ebMinLOA.contains('"');
  for (const QString& name : loaded.lbGeoCodes) quoteFree = quoteFree && !name.contains('"');
  if (quoteFree) {
    SearchCriteria again = LoadSettings(SaveSettings(loaded));
    // Saving trims the numeric boxes.
    SearchCriteria expected = loaded;
    expected.txtbicwmin = expected.txtbicwmin.trimmed();
    expected.txtbicwmax = expected.txtbicwmax.trimmed();
    expected.ebMinLOA = expected.ebMinLOA.trimmed();
    if (!(again == expected)) std::abort();
  }
  return 0;
}
