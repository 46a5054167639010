#pragma once
// The report viewer over the demo database with every demo marina in its
// list, in the order of the result list's geographic sort, as the result list
// hands them over. The settings and screens it changes are restored when it
// goes.
#include <QList>
#include <QString>
#include <cstdint>

#include "host/ui/screens.h"

namespace qw {
class frm_view_report;
}

class DemoViewer {
 public:
  struct Entry {
    QString name;
    std::int32_t no;
  };

  // Shows the viewer on the first entry and waits for its page; over the
  // demo database, or over the database file `database` when given.
  explicit DemoViewer(const QString& database = QString());
  ~DemoViewer();
  DemoViewer(const DemoViewer&) = delete;
  DemoViewer& operator=(const DemoViewer&) = delete;

  // nullptr when the first report did not load.
  qw::frm_view_report* Viewer() const { return viewer_; }
  const QList<Entry>& Entries() const { return entries_; }

 private:
  QList<Entry> entries_;
  qw::Screens saved_;
  qw::frm_view_report* viewer_ = nullptr;
};
