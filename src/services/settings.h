#pragma once
// Program-wide settings, read once at start-up from VykMarina.ini and only
// read afterwards, and the program-wide order of the result list and the
// current screen.
#include <QString>
#include <cstdint>

namespace qw {

struct AppSettings {
  QString DataFolder;        // key DatabasePath
  QString DatabaseFileName;  // always "marina.mdb", set after the ini file is read
  QString PhotosFolder;      // key PhotosRootFolder, one trailing separator removed
  QString EditionName;       // key Edition
  QString EditionFilter;     // key List
  std::int16_t GeoCodeFrom = 0;    // key GeoCode "a-b": a
  std::int16_t GeoCodeTo = 0;      // key GeoCode "a-b": b
  std::int16_t SingleGeoCode = 0;  // key GeoCode "a": wins over the range when > 0
};

// The one instance. Written by start-up (and by tests), read everywhere else.
AppSettings& Settings();

// Order of the result list and the count query, by its stored number: 0
// alphabetical by marina name; any other value geographic by geo code.
enum class ListOrder { Alphabetical = 0, Geographic = 1 };
ListOrder& SortOrder();

// The current screen for the toolbar, by its stored number.
enum class ScreenKind { Search = 0, List = 1, Map = 2 };
ScreenKind& ScreenMode();

}  // namespace qw
