#include "report/ui/notes_box.h"

#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

#include "platform/message_box.h"

namespace qw {
namespace {

// The character a key press gives the notes box, as the CD rule sees it: the
// typed character, Backspace (8) and Enter (13), and the control characters
// of the editing shortcuts (paste 22, cut 24, undo 26, redo 25); 0 for keys
// that change nothing by themselves (arrows, Tab, Delete, copy).
int KeyAsciiOf(const QKeyEvent& key) {
  if (key.matches(QKeySequence::Paste)) return 22;
  if (key.matches(QKeySequence::Cut)) return 24;
  if (key.matches(QKeySequence::Undo)) return 26;
  if (key.matches(QKeySequence::Redo)) return 25;
  switch (key.key()) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    default: break;
  }
  const QString text = key.text();
  if (text.isEmpty() || key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return 0;
  const char16_t c = text.at(0).unicode();
  return c >= 32 && c != 127 ? c : 0;
}

}  // namespace

NotesBox::NotesBox(QWidget* box) : QObject(box), box_(box) {
  textProperty_ = box->metaObject()->indexOfProperty("plainText") >= 0 ? "plainText" : "text";
  box->installEventFilter(this);
}

NotesBox::~NotesBox() {
  if (box_) box_->removeEventFilter(this);
}

QString NotesBox::Text() const {
  if (!box_) return QString();
  // The notes keep their line ends as CR LF; the box shows them as LF.
  QString text = box_->property(textProperty_.constData()).toString();
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\n', QStringLiteral("\r\n"));
}

void NotesBox::SetText(const QString& text) {
  if (box_) box_->setProperty(textProperty_.constData(), text);
}

int NotesBox::ApplyCdRule() {
  const int refusals = CdNotesRefusalsNow();
  if (box_) box_->setProperty("readOnly", refusals > 0);
  return refusals;
}

void NotesBox::Load(int marinaNo) {
  // A text that could not be stored (the failure has been reported) is kept
  // for its marina and shown again, still to be stored, when that marina is.
  const int previous = NotesMarinaNo();
  if (!StorePending() && previous != 0) unsaved_.insert(previous, Text());
  SetText(notes_.Load(marinaNo));
  shown_ = Text();
  if (const auto kept = unsaved_.constFind(marinaNo); kept != unsaved_.cend()) {
    SetText(*kept);
    unsaved_.erase(kept);
  }
  ApplyCdRule();
}

bool NotesBox::StorePending() {
  // A box being destroyed (its text edit part already gone) has no text to
  // give: nothing is written in its name.
  if (!box_ || !box_->property(textProperty_.constData()).isValid()) return true;
  // An untouched box writes nothing: its text is what was loaded, as far as
  // the box can show it.
  const QString text = Text();
  if (text == shown_) return true;
  // One click can try the same store three times (leaving the box, the
  // marina shown, the notes loaded): a failure is told once per text.
  const std::pair<int, QString> attempt{NotesMarinaNo(), text};
  const NotesStoreResult result = notes_.Store(text);
  if (failed_ != attempt) result.Report(QStringLiteral("tbNotes_LostFocus"));
  if (result.Ok()) {
    shown_ = text;
    failed_.reset();
  } else {
    failed_ = attempt;
  }
  return result.Ok();
}

void NotesBox::tbNotes_GotFocus() { ApplyCdRule(); }

void NotesBox::tbNotes_KeyPress(int& KeyAscii) {
  // The settings file is read afresh for every character: one message for
  // every line that says the database is on the CD.
  const int refusals = ApplyCdRule();
  for (int i = 0; i < refusals; ++i) {
    MsgBox(kNotesFromCdMessage, MsgButtons::OK, MsgIcon::Information);
    KeyAscii = 0;
  }
}

void NotesBox::tbNotes_LostFocus() { StorePending(); }

bool NotesBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched != box_) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::FocusIn: tbNotes_GotFocus(); break;
    case QEvent::FocusOut: tbNotes_LostFocus(); break;
    case QEvent::KeyPress: {
      int keyAscii = KeyAsciiOf(static_cast<const QKeyEvent&>(*event));
      if (keyAscii == 0) break;
      tbNotes_KeyPress(keyAscii);
      if (keyAscii == 0) return true;  // refused: the box never sees it
      break;
    }
    default: break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace qw
