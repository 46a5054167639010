#include "report/dont_show.h"

#include "data/marina_db.h"
#include "platform/jet.h"
#include "platform/vb_text.h"

namespace qw {
namespace {

constexpr std::array<DontShowItem, kDontShowFlagCount> kItems{{
    // Recreation
    {"pool", "Pool"},
    {"hpool", "heated pool"},
    {"spa", "spa"},
    {"beach", "beach"},
    {"parea", "picnic area"},
    {"grills", "grills"},
    {"pgd", "playground"},
    {"dshop", "dive shop"},
    {"vball", "volleyball"},
    {"tennis", "tennis courts"},
    {"golf", "golf course"},
    {"fitness", "fitness center"},
    {"jogging", "jogging paths"},
    {"horse", "horseback riding"},
    {"boat", "boat rentals"},
    {"bike", "roller blade/bike paths"},
    {"bowling", "bowling"},
    {"fishing", "fishing charter"},
    {"grpFishing", "group fishing boat"},
    {"rOthers", "other"},
    // Entertainment
    {"movie", "movie theater"},
    {"videorental", "video rental"},
    {"videoArcade", "video arcade"},
    {"cultural", "cultural attract"},
    {"sight", "sightseeing"},
    {"events", "special events"},
    {"park", "park"},
    {"museum", "museum"},
    // General services
    {"bank", "Bank/ATM"},
    {"post", "Post Office"},
    {"cchurch", "Catholic Church"},
    {"pchurch", "Protestant Church"},
    {"synagogue", "Synagogue"},
    {"gothers", "Other"},
    {"library", "Library"},
    {"salon", "Beauty Salon"},
    {"barber", "Barber Shop"},
    {"dry", "Dry Cleaners"},
    {"florist", "Florist"},
    {"bookstore", "Bookstore"},
    {"pharmacy", "Pharmacy"},
    {"news", "Newsstand"},
    {"hardware", "Hardware Store"},
    {"fservice", "Laundry"},
    {"clothing", "Clothing Store"},
    {"retailShop", "Retail Shops"},
    {"dstore", "Department Store"},
    {"discount", "Buying Club"},
    {"copies", "Copies Etc."},
    // Provisioning
    {"cstore", "Convenience Store"},
    {"supermarket", "Supermarket"},
    {"gshop", "gourmet shop"},
    {"delicatessen", "Delicatessen"},
    {"health", "Health Food"},
    {"wine", "Wine/Beer"},
    {"liquor", "Liquor Store"},
    {"bakery", "Bakery"},
    {"farm", "Farmers' Market"},
    {"green", "Green Grocer"},
    {"fish", "Fishmonger"},
    {"lobster", "Lobster Pound"},
    {"meat", "Meat Market"},
    {"crabs", "Crabs/WaterMan"},
    {"shrimper", "Shrimper"},
    {"oysterman", "Oysterman"},
    {"complete", "Complete Provisioning Service"},
    // Medical services
    {"911Service", "911 service"},
    {"doctor", "Doctor"},
    {"dentist", "Dentist"},
    {"chiropractor", "Chiropractor"},
    {"holistic", "Holistic Services"},
    {"ambulance", "Ambulance"},
    {"hospital", "Hospital"},
    {"Veterianrian", "Veterinarian"},
    // Restaurants
    {"coffee", "coffee shop"},
    {"crab", "crab house"},
    {"fast", "Fast Food"},
    {"lite", "lite fare"},
    {"pizzeria", "pizzeria"},
    {"raw", "raw bar"},
    {"restaurant", "restaurant"},
    {"sea", "seafood shack"},
    {"snack", "snack bar"},
    // Accommodations
    {"condo", "Condo/Cottage"},
    {"hotel", "Hotel"},
    {"inn", "Inn/B&B"},
    {"motel", "motel"},
}};

// A Yes/No value counts as set only when it holds True; Null and unreadable
// columns do not.
bool IsSet(const Field& field) {
  if (!field.HasValue()) return false;
  const QVariant& v = field.Value();
  if (v.typeId() == QMetaType::Bool) return v.toBool();
  bool ok = false;
  const double d = v.toDouble(&ok);
  return ok && d != 0.0;
}

}  // namespace

std::span<const DontShowItem, kDontShowFlagCount> DontShowItems() { return kItems; }

bool DontShowFlags::Flag(const QString& column) const {
  for (int i = 0; i < kDontShowFlagCount; ++i) {
    if (column.compare(QLatin1String(kItems[i].column), Qt::CaseInsensitive) == 0) return Flags[i];
  }
  return false;
}

void ClearDontShowFlags(DontShowFlags& flags) { flags.Flags.fill(false); }

bool LoadDontShowFlags(DontShowFlags& flags, Database& db) {
  try {
    const RecordsetPtr rs = db.OpenRecordset(QStringLiteral("select * from rpm_display where marinano = ") +
                                             VbNumberText(flags.DontShowMarinaNo));
    bool complete = true;
    if (rs->RecordCount() > 0) {
      // A column the table lacks ends the reading there: the flags of the
      // columns after it keep what they held.
      for (int i = 0; i < kDontShowFlagCount && complete; ++i) {
        const Field field = rs->Fields(QLatin1String(kItems[i].column));
        complete = !field.IsMissing();
        if (complete) flags.Flags[i] = IsSet(field);
      }
    }
    rs->Close();
    return complete;
  } catch (const JetError& e) {
    if (IsReadFailure(e.number())) throw;
    return false;
  }
}

bool LoadDontShowFlags(DontShowFlags& flags) {
  try {
    const DatabasePtr db = OpenMarinaDatabase(-1, true);
    const bool loaded = LoadDontShowFlags(flags, *db);
    db->Close();
    return loaded;
  } catch (const JetError& e) {
    if (IsReadFailure(e.number())) throw;
    return false;
  }
}

bool IsItemHidden(const DontShowFlags& flags, const QString& itemName) {
  for (int i = 0; i < kDontShowFlagCount; ++i) {
    if (flags.Flags[i] && itemName.compare(QLatin1String(kItems[i].itemName), Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

}  // namespace qw
