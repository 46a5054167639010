// The name-to-code look-up on a connection of its own, apart from the pure
// query builders so that they need no database to link.
#include "data/marina_db.h"
#include "search/location_queries.h"

namespace qw {

std::optional<std::int16_t> GetGeoCode(const QString& geoCodeName) {
  try {
    DatabasePtr db = OpenMarinaDatabase(-1, true);
    std::optional<std::int16_t> code = LookupGeoCode(*db, geoCodeName);
    db->Close();
    return code;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace qw
