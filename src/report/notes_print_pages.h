#pragma once
// The print pages of the personal notes: the notes alone (Print Personal
// Notes) and the report followed by the notes on a page of their own (Print
// Marina Report and Notes), written to files in the system temporary folder
// for a hidden browser to load and print.
#include <QString>
#include <QStringList>

#include "platform/jet.h"

namespace qw {

// The marina's name and harbour that head and foot a notes page.
struct NotesPageTitle {
  QString marinaName;
  QString harbor;
};

// The name-and-harbour query of a marina.
QString NameAndHarbourQuery(int marinaNo);
// The title over db: [Marina Name] and [Harbor] of the query's first row.
// A marina without a rpm_nav_info row is still named from rpm_marinaname_no,
// with no harbour. Throws JetError.
NotesPageTitle ReadNotesPageTitle(Database& db, int marinaNo);
// The same over a read-only connection of its own; empty when the database
// cannot be read, so that the page still prints.
NotesPageTitle NotesPageTitleOf(int marinaNo);

// The notes as the pages print them: the user's plain text (HtmlAsciiText: the
// page declares no character set), each line end (CR LF, LF or CR) a line
// break "<BR>".
QString NotesPageText(const QString& notes);

// The page of Print Personal Notes: the notes part, then the frame part.
QString PersonalNotesPage(const NotesPageTitle& title, const QString& notes);

// The two lines of the Print Marina Report and Notes file. With empty notes:
// the report page and an empty line. Otherwise: the report page with a page
// break after it, and the notes page with the n classes.
QStringList ReportAndNotesLines(const QString& reportPageHtml, const NotesPageTitle& title, const QString& notes);

// Writes lines, each closed by a line end, to a new file in the system
// temporary folder and returns its path; "" when it cannot be written. The
// file is remembered for DeletePrintPages.
QString WritePrintPage(const QStringList& lines);
// Deletes every print page written so far (the viewer unloads, the program
// ends).
void DeletePrintPages();

// The commands' files: the page built for the marina whose notes are given,
// written with WritePrintPage. The name and harbour are read only when the
// page shows them.
QString WritePersonalNotesPage(int marinaNo, const QString& notes);
QString WriteReportAndNotesPage(const QString& reportPageHtml, int marinaNo, const QString& notes);

}  // namespace qw
