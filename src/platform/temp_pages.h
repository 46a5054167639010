#pragma once
// The owner of the temporary page files a window writes (print pages and the
// like): it records each file and deletes them all when it goes (with the
// window that owns it), when told to, and when the program ends, however it
// ends.
//
// The pages may hold the user's personal notes, so they live in a folder of
// the program's own: one folder per run in the system temporary folder,
// readable by the user only, each page readable by the user only. The folder
// goes when the program ends; the folders of runs that were killed go at the
// next start (RemoveLeftoverTempPageFolders).
#include <QObject>
#include <QString>
#include <QStringList>

namespace qw {

class TempPages : public QObject {
 public:
  // `owner` (usually the window) takes the pages with it when it is deleted.
  explicit TempPages(QObject* owner = nullptr);
  ~TempPages() override;
  TempPages(const TempPages&) = delete;
  TempPages& operator=(const TempPages&) = delete;

  // Writes text and one CR LF, as UTF-8, to a new page file (TempPageName)
  // and records it. False when the file could not be written whole; *path
  // names the file either way (the temporary folder when the run's folder
  // could not be made).
  bool Write(const QString& text, QString* path);
  // Records a file written elsewhere, to be deleted with the others.
  void Keep(const QString& path);
  // Deletes every recorded file that still exists and forgets them all.
  void RemoveAll();
  const QStringList& Files() const { return files_; }

 private:
  QStringList files_;
};

// This run's page folder in the system temporary folder (made on first use,
// readable by the user only); "" when it cannot be made.
QString TempPageFolder();
// A new, unused file name in TempPageFolder ending in ".htm"; "" without it.
QString TempPageName();
// Removes the page folders that earlier runs of this user left behind
// because they were killed before they could remove them. A run still going
// keeps its folder.
void RemoveLeftoverTempPageFolders();

}  // namespace qw
