#pragma once
// The browser's page header and footer codes: &p the page number, &P the
// number of pages, &w the window (document) title, &u the page address, &d
// and &D the date (short and long, as the user's locale writes them), &t the
// time as the locale writes it, &T the time on the 24-hour clock, &b the
// start of the next alignment part (left, centre, right), && a literal &.
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace qw {

struct PageCodeValues {
  int page = 1;
  int pages = 1;
  QString title;
  QString url;
  QDateTime printed;  // when the page is printed; invalid: now
};

// The expanded text split at &b: one part is left-aligned, two are left and
// right, three are left, centre and right. An unknown code stays as written.
QStringList ExpandPageCodes(const QString& text, const PageCodeValues& values);

}  // namespace qw
