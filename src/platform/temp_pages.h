#pragma once
// The owner of the temporary page files a window writes (print pages and the
// like): it records each file and deletes them all when it goes (with the
// window that owns it), when told to, and when the program ends, however it
// ends.
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

  // Writes text and one CR LF, as UTF-8, to a new page file in the system
  // temporary folder (TempPageName) and records it. False when the file could
  // not be written whole; *path names the file either way.
  bool Write(const QString& text, QString* path);
  // Records a file written elsewhere, to be deleted with the others.
  void Keep(const QString& path);
  // Deletes every recorded file that still exists and forgets them all.
  void RemoveAll();
  const QStringList& Files() const { return files_; }

 private:
  QStringList files_;
};

}  // namespace qw
