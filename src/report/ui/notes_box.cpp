#include "report/ui/notes_box.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMetaMethod>
#include <QTimer>
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
  pause_ = new QTimer(this);
  pause_->setSingleShot(true);
  pause_->setInterval(kStorePauseMs);
  connect(pause_, &QTimer::timeout, this, &NotesBox::PauseInTyping);
  retry_ = new QTimer(this);
  retry_->setSingleShot(true);
  retry_->setInterval(kRetryMs);
  connect(retry_, &QTimer::timeout, this, &NotesBox::PauseInTyping);
  // Every kind of box tells of a change by its textChanged signal, whatever
  // its arguments.
  const QMetaObject* meta = box->metaObject();
  int changed = meta->indexOfSignal("textChanged()");
  if (changed < 0) changed = meta->indexOfSignal("textChanged(QString)");
  if (changed >= 0)
    connect(box, meta->method(changed), this, metaObject()->method(metaObject()->indexOfSlot("TextChanged()")));
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
  if (!box_) return;
  settingText_ = true;
  box_->setProperty(textProperty_.constData(), text);
  settingText_ = false;
}

void NotesBox::TextChanged() {
  if (!settingText_) pause_->start();
}

int NotesBox::ApplyCdRule() {
  const int refusals = CdNotesRefusalsNow();
  // A box that belongs to no marina has nowhere to store what is typed.
  if (box_) box_->setProperty("readOnly", refusals > 0 || NotesMarinaNo() == 0);
  return refusals;
}

void NotesBox::Load(int marinaNo, const QString& marinaName) {
  // What was typed for the marina shown before goes first; a text that could
  // not be stored stays kept for its marina.
  StorePending();
  pause_->stop();
  retry_->stop();
  wanted_ = marinaNo;
  marinaName_ = marinaName;
  Fill();
}

void NotesBox::Fill() {
  SetText(notes_.Load(wanted_));
  shown_ = Text();
  const auto kept = KeptNotes().constFind(wanted_);
  if (kept != KeptNotes().cend()) {
    SetText(kept->text);
    retry_->start();
  }
  SetStored(kept == KeptNotes().cend());
  ApplyCdRule();
}

void NotesBox::SetStored(bool stored) {
  if (stored == stored_) return;
  stored_ = stored;
  emit StoredChanged(stored);
}

bool NotesBox::StorePending() {
  ++pendingStores_;
  toldFault_.reset();
  return Store(StoreWhen::Leave);
}

void NotesBox::PauseInTyping() { Store(StoreWhen::Pause); }

bool NotesBox::Store(StoreWhen when) {
  pause_->stop();
  // A box being destroyed (its text edit part already gone) has no text to
  // give: nothing is written in its name.
  if (!box_ || !box_->property(textProperty_.constData()).isValid()) return true;
  // An untouched box writes nothing: its text is what was loaded, as far as
  // the box can show it.
  const QString text = Text();
  const int marinaNo = NotesMarinaNo();
  if (text == shown_) {
    DropKeptNote(marinaNo);  // typed back to what is stored
    retry_->stop();
    SetStored(true);
    return true;
  }
  const NotesStoreResult result = notes_.Store(text, when != StoreWhen::Pause);
  if (result.Ok()) {
    shown_ = text;
    DropKeptNote(marinaNo);
    retry_->stop();
    SetStored(true);
    // The database can be written again: notes kept for other marinas go in
    // too.
    if (!KeptNotes().isEmpty()) StoreKeptNotes(marinaNo, false);
    return true;
  }
  lastReason_ = result.Reason();
  SetStored(false);
  retry_->start();
  if (marinaNo == 0) return false;
  // Told once while the notes stay kept.
  KeepNote(marinaNo, marinaName_, text);
  if (when == StoreWhen::Leave && !KeptNotes().value(marinaNo).told) {
    // Set first: the message takes the focus from the box, whose leaving
    // tries the store again.
    SetKeptNoteTold(marinaNo);
    toldFault_ = result.fault;
    result.Report(QStringLiteral("tbNotes_LostFocus"), marinaNo, marinaName_);
  }
  return false;
}

bool NotesBox::MayClose(NotesClosing closing) {
  // The box's store and those of the notes kept for other marinas wait for
  // another program's lock once in all.
  const LockWaitBudget budget;
  const int marinaNo = NotesMarinaNo();
  const bool boxKept = !Store(StoreWhen::Closing);
  // The question that follows is the one word on these notes.
  if (boxKept) SetKeptNoteTold(marinaNo);
  if (!MayCloseWithKeptNotes(closing, boxKept ? marinaNo : 0, boxKept ? lastReason_ : QString())) return false;
  if (boxKept) {  // discarded
    retry_->stop();
    SetText(shown_);
    SetStored(true);
  }
  return true;
}

void NotesBox::tbNotes_GotFocus() {
  // Notes that could not be read when their marina was shown (its disk away,
  // another program's lock) are read again: the box takes typing once they
  // are.
  if (NotesMarinaNo() == 0 && wanted_ != 0) {
    const NoLockWait quick;
    Fill();
  }
  ApplyCdRule();
}

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
    case QEvent::FocusOut: {
      // A menu opened over the box (the menu bar's by a click or Alt and its
      // letter, the box's own) leaves it for a moment only: the text is
      // stored as after a pause, silent and without a wait, and whatever the
      // menu then does stores it as it needs. The menu bar taking the
      // keyboard with no menu open (Alt alone) leaves the box.
      const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
      if (reason == Qt::PopupFocusReason ||
          (reason == Qt::MenuBarFocusReason && QApplication::activePopupWidget() != nullptr)) {
        PauseInTyping();
      } else if (reason == Qt::MouseFocusReason) {
        // The focus moves as the button goes down, before the click is
        // handled: a click on another marina shows it, which stores the notes
        // first, waiting for another program's lock once for the store and
        // the page together and telling once. Stored here only when what the
        // click did has not.
        QTimer::singleShot(0, this, [this, before = pendingStores_] {
          if (pendingStores_ == before) tbNotes_LostFocus();
        });
      } else {
        tbNotes_LostFocus();
      }
      break;
    }
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
