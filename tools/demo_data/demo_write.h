#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "demo_model.h"

namespace qw::demo {

// Creates the database at `path` from the schema script and the rows of
// `data`; throws std::runtime_error on any failed statement.
void WriteDatabase(const DemoData& data, const QString& schemaSql, const QString& path);

// Writes the database in pieces, for sets too large to hold at once: the
// rows of marinas [from, to) at each Write, the map keys at Finish.
class DatabaseWriter {
 public:
  DatabaseWriter(const QString& schemaSql, const QString& path);
  ~DatabaseWriter();
  void Write(const std::vector<Marina>& marinas, size_t from, size_t to);
  void Finish();

 private:
  struct Tables;
  std::unique_ptr<Tables> tables_;
};

// Checks the written database; returns one line per fault (empty when sound).
QStringList CheckDatabase(const QString& path, const std::vector<MapMark>& marks, bool withEdgeRows);

// The demo VykMarina.ini (CR LF lines), its folders relative to the program
// folder.
QByteArray IniFileContent();

// Draws the rating icons, toolbar, logo and pointer pictures into the folder;
// returns the files written.
QStringList WritePictures(const QString& programFolder);

// Draws the marinas' photos: the user photo folders under Photos/ and the
// program's own photos under photos/; returns the files written.
QStringList WriteMarinaPhotos(const QString& programFolder, const std::vector<MapMark>& marks);

// Writes the report page's ornaments (bpin.gif, bpingray.gif, bpinlight3.gif,
// corner.gif; PNG pictures under the names the page uses).
QStringList WriteOrnaments(const QString& programFolder);

}  // namespace qw::demo
