#pragma once
// The report viewer's personal-notes box: which marina its text belongs to,
// when the text is stored, and the rule that refuses typing (and pasting,
// cutting, dropping) while the marina data is read from the CD.
//
// The viewer creates its box (tbNotes) and installs a NotesBox on it; the
// NotesBox then handles the box's focus, key and edit events itself:
//   focus in   tbNotes_GotFocus   the CD rule decides whether the box may change;
//                                 notes that could not be read are read again
//   key press  tbNotes_KeyPress   a typed character is refused under the CD rule,
//                                 with the CD message
//   focus out  tbNotes_LostFocus  the text is stored to its marina (after a
//                                 click elsewhere, once the click is handled,
//                                 unless that stored it; as a pause does when
//                                 a menu opens over the box)
//   a pause    after kStorePauseMs without a change the text is stored too, so
//              that little is lost when the program dies (PauseInTyping)
//
// A text that cannot be stored stays in the box and in KeptNotes. The store
// after a pause never holds up the user, who may be typing on: it does not
// wait for another program's lock, and a failure shows no message; it is
// tried again every kRetryMs. The failure is told once, when the user leaves
// the box (or another marina is shown); StoredChanged tells the viewer,
// which shows that the text is not stored yet.
#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>

#include "report/notes.h"

class QTimer;
class QWidget;

namespace qw {

class NotesBox : public QObject {
  Q_OBJECT

 public:
  // box: a QPlainTextEdit, QTextEdit or QLineEdit (any widget with the
  // properties readOnly and plainText or text). The NotesBox lives with it.
  explicit NotesBox(QWidget* box);
  ~NotesBox() override;

  // How long typing pauses before the text is stored.
  static constexpr int kStorePauseMs = 1500;
  // How often a text that could not be stored is tried again.
  static constexpr int kRetryMs = 5000;

  // Shows the notes of marinaNo in the box; from now on the text belongs to
  // marinaNo (named marinaName in messages), whatever the viewer's list shows
  // later (a re-sort, a marina chosen on a map). What was typed for the
  // marina before is stored first. A text of marinaNo whose store failed
  // earlier (KeptNotes) is shown instead of the stored notes, still to be
  // stored.
  void Load(int marinaNo, const QString& marinaName = QString());
  // Stores the text to its marina when it differs from what the database
  // holds. A failed store says so, once for a marina until a store of it
  // succeeds (NotesStoreResult::Report), and keeps the text: in the box, and
  // in KeptNotes until it is stored. True when nothing typed is left unsaved.
  bool StorePending();
  // What kept the text from the database when the last StorePending told the
  // user so; none when it told nothing.
  std::optional<DatabaseFault> ToldFault() const { return toldFault_; }
  // Typing has paused (kStorePauseMs): the text is stored without a word and
  // without waiting for another program's lock.
  void PauseInTyping();
  // The viewer closes or the program ends: the text and every kept note are
  // stored once more; when some cannot be, one message asks whether to keep
  // the window open (false) or discard them (true; the box then shows the
  // stored notes again).
  bool MayClose(NotesClosing closing);

  // The marina the text belongs to; 0 before the first Load.
  int NotesMarinaNo() const { return notes_.NotesMarinaNo(); }
  // The box's text, line ends as CR LF.
  QString Text() const;
  // False while the box holds a text that could not be stored (yet); then
  // WhyNotStored says why.
  bool TextStored() const { return stored_; }
  QString WhyNotStored() const { return stored_ ? QString() : lastReason_; }
  // TextStored changed.
  Q_SIGNAL void StoredChanged(bool stored);

  // The box's events, as the box raises them.
  void tbNotes_GotFocus();
  // KeyAscii: the character typed; set to 0 when it is refused.
  void tbNotes_KeyPress(int& KeyAscii);
  void tbNotes_LostFocus();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetText(const QString& text);
  // Applies the CD rule to the box: read-only while it refuses typing, and
  // while the box belongs to no marina.
  // Returns how many times one typed character is refused.
  int ApplyCdRule();
  // The box's text changed: by typing, or by the program (settingText_).
  Q_SLOT void TextChanged();
  // When a store is made: after a pause in typing (silent, no wait for a
  // lock), as the user leaves the box or another marina is shown (a failure
  // is told once), as the viewer closes or the program ends (silent: the
  // question that follows tells).
  enum class StoreWhen { Pause, Leave, Closing };
  // Stores the text when it differs from the stored notes.
  bool Store(StoreWhen when);
  // Fills the box with the notes of wanted_ (a kept text before the stored
  // one).
  void Fill();
  void SetStored(bool stored);

  QPointer<QWidget> box_;
  QByteArray textProperty_;
  PersonalNotes notes_;
  int wanted_ = 0;  // the marina whose notes the box is to show
  QString marinaName_;
  QString shown_;  // the text as it stood after the last load or store
  QString lastReason_;  // why the last store failed
  std::optional<DatabaseFault> toldFault_;
  int pendingStores_ = 0;  // StorePending calls so far
  bool settingText_ = false;
  bool stored_ = true;
  QTimer* pause_ = nullptr;
  QTimer* retry_ = nullptr;
};

}  // namespace qw
