#pragma once
// The report viewer's personal-notes box: which marina its text belongs to,
// when the text is stored, and the rule that refuses typing (and pasting,
// cutting, dropping) while the marina data is read from the CD.
//
// The viewer creates its box (tbNotes) and installs a NotesBox on it; the
// NotesBox then handles the box's focus, key and edit events itself:
//   focus in   tbNotes_GotFocus   the CD rule decides whether the box may change
//   key press  tbNotes_KeyPress   a typed character is refused under the CD rule,
//                                 with the CD message
//   focus out  tbNotes_LostFocus  the text is stored to its marina
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>
#include <utility>

#include "report/notes.h"

class QWidget;

namespace qw {

class NotesBox : public QObject {
  Q_OBJECT

 public:
  // box: a QPlainTextEdit, QTextEdit or QLineEdit (any widget with the
  // properties readOnly and plainText or text). The NotesBox lives with it.
  explicit NotesBox(QWidget* box);
  ~NotesBox() override;

  // Shows the notes of marinaNo in the box; from now on the text belongs to
  // marinaNo, whatever the viewer's list shows later (a re-sort, a marina
  // chosen on a map). What was typed for the marina before is stored first.
  void Load(int marinaNo);
  // Stores the text to its marina when it differs from what the database
  // holds. A failed store says so (the CD message for a database that cannot
  // be written, the error reporter otherwise) and keeps the text in the box.
  // True when nothing typed is left unsaved. The viewer calls it before it
  // unloads and when the program ends.
  bool StorePending();

  // The marina the text belongs to; 0 before the first Load.
  int NotesMarinaNo() const { return notes_.NotesMarinaNo(); }
  // The box's text, line ends as CR LF.
  QString Text() const;

  // The box's events, as the box raises them.
  void tbNotes_GotFocus();
  // KeyAscii: the character typed; set to 0 when it is refused.
  void tbNotes_KeyPress(int& KeyAscii);
  void tbNotes_LostFocus();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetText(const QString& text);
  // Applies the CD rule to the box: read-only while it refuses typing.
  // Returns how many times one typed character is refused.
  int ApplyCdRule();

  QPointer<QWidget> box_;
  QByteArray textProperty_;
  PersonalNotes notes_;
  QString shown_;  // the text as it stood after the last load or store
  QHash<int, QString> unsaved_;  // texts whose store failed, by marina
  // The marina and text of the last store that failed: the user has been told,
  // and a retry of the same text fails without telling again.
  std::optional<std::pair<int, QString>> failed_;
};

}  // namespace qw
