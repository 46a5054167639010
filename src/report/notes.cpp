#include "report/notes.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <optional>

#include "data/marina_db.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "platform/record_file.h"
#include "services/config_file.h"
#include "services/settings.h"
#include "services/user_store.h"

namespace qw {
namespace {

// Options value of a connection that other connections may share.
constexpr int kSharedOpen = 0;

// A marina as messages name it: its name, or its number when it has none.
QString NotesMarinaLabel(int marinaNo, const QString& marinaName) {
  return marinaName.trimmed().isEmpty() ? QStringLiteral("marina number %1").arg(marinaNo) : marinaName.trimmed();
}

int CountCdPairs(RecordReader& reader) {
  int refusals = 0;
  QString key;
  QString value;
  while (reader.ReadField(key) && reader.ReadField(value)) {
    if (key == QLatin1String("DatabasePath") && value == QLatin1String("CDD Path")) ++refusals;
  }
  return refusals;
}

}  // namespace

QString NotesQuery(int marinaNo) {
  return QStringLiteral("SELECT * FROM rpm_output WHERE MarinaNo = ") + QString::number(marinaNo);
}

QString ReadNotes(Database& db, int marinaNo) {
  RecordsetPtr rs = db.OpenRecordset(NotesQuery(marinaNo));
  QString text;
  if (rs->RecordCount() > 0) {
    const Field comments = rs->Fields(QStringLiteral("Comments"));
    if (comments.HasValue()) text = comments.Value().toString();
  }
  rs->Close();
  return text;
}

void WriteNotes(Database& db, int marinaNo, const QString& text) {
  RecordsetPtr rs = db.OpenRecordset(NotesQuery(marinaNo));
  if (rs->RecordCount() > 0) {
    rs->MoveFirst();
    rs->Edit();
  } else {
    // The demo and edition databases carry a row for every marina; one that
    // lacks it gets it now rather than lose the user's text.
    rs->AddNew();
    rs->SetField(QStringLiteral("marinaNo"), marinaNo);
  }
  rs->SetField(QStringLiteral("Comments"), text);
  rs->Update();
  rs->Close();
}

int CdNotesRefusals(const QByteArray& iniContent) {
  RecordReader reader(iniContent);
  return CountCdPairs(reader);
}

int CdNotesRefusalsInFile(const QString& iniPath) {
  std::optional<RecordReader> reader = RecordReader::FromFile(iniPath);
  return reader ? CountCdPairs(*reader) : 0;
}

int CdNotesRefusalsNow() { return CdNotesRefusalsInFile(FindFileNoCase(ProgramFolder(), kIniFileName)); }

QString NotesStoreResult::Reason() const { return DatabaseFaultReason(fault, path, error.description); }

void NotesStoreResult::Report(const QString& procName, int marinaNo, const QString& marinaName) const {
  if (Ok()) return;
  LogFailure(QStringLiteral("frm_view_report"), procName, error, engineErrors);
  if (fault == DatabaseFault::OpticalDisc) {
    MsgBox(kNotesFromCdMessage, MsgButtons::OK, MsgIcon::Information);
    return;
  }
  MsgBox(QStringLiteral("Your personal notes for %1 could not be stored: %2.\n\nQuaywise keeps them, stores them as "
                        "soon as it can, and asks about them before it closes.")
             .arg(NotesMarinaLabel(marinaNo, marinaName), Reason()),
         MsgButtons::OK, MsgIcon::Exclamation);
}

QString PersonalNotes::Load(int marinaNo) {
  marinaNo_ = marinaNo;
  stored_.clear();
  try {
    DatabasePtr db = OpenMarinaDatabase(-1, true);
    stored_ = ReadNotes(*db, marinaNo);
    db->Close();
  } catch (const std::exception&) {
    // Notes that could not be read (the file busy with another program, gone,
    // damaged) may still be in the database: the box shows nothing and
    // belongs to no marina, so that nothing typed into it can write over them.
    // The report's own read of the same database says what is wrong.
    stored_.clear();
    marinaNo_ = 0;
  }
  return stored_;
}

NotesStoreResult StoreNotes(int marinaNo, const QString& text, bool waitForLock) {
  NotesStoreResult result;
  result.path = MarinaDatabasePath(Settings().DatabaseFileName);
  try {
    std::optional<NoLockWait> noWait;
    if (!waitForLock) noWait.emplace();
    DatabasePtr db = OpenMarinaDatabase(kSharedOpen, false);
    WriteNotes(*db, marinaNo, text);
    db->Close();
  } catch (const std::exception& e) {
    result.error = RuntimeError::From(e);
    result.engineErrors = DBEngine::Errors();
    result.fault = DiagnoseDatabaseFault(result.error.number, result.path);
    result.outcome = result.error.number == kJetCannotWrite ? NotesStoreResult::Outcome::ReadOnly
                                                            : NotesStoreResult::Outcome::Failed;
    return result;
  }
  result.outcome = NotesStoreResult::Outcome::Stored;
  return result;
}

namespace {

QMap<int, KeptNote>& Kept() {
  static QMap<int, KeptNote> kept;
  return kept;
}

// "A", "A and B", "A, B and C".
QString Listed(const QStringList& names) {
  if (names.size() <= 1) return names.value(0);
  return QStringList(names.mid(0, names.size() - 1)).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
         names.last();
}

// The recovery file as it stands for the kept notes, or removed when none
// are left. A file that cannot be written is logged once until one can.
void SaveKeptNotes() {
  static QString failedPath;
  const QString path = KeptNotesFile();
  QString why;
  if (Kept().isEmpty()) {
    why = RemoveFileForGood(path);
  } else {
    QJsonArray notes;
    for (auto it = Kept().cbegin(); it != Kept().cend(); ++it)
      notes.append(QJsonObject{{QStringLiteral("marinaNo"), it.key()},
                               {QStringLiteral("marinaName"), it->marinaName},
                               {QStringLiteral("text"), it->text}});
    const QJsonObject file{{QStringLiteral("database"), MarinaDatabasePath(Settings().DatabaseFileName)},
                           {QStringLiteral("notes"), notes}};
    why = WriteWholePrivateFile(path, QJsonDocument(file).toJson());
  }
  if (why.isEmpty()) {
    failedPath.clear();
  } else if (failedPath != path) {
    failedPath = path;
    LogError(QStringLiteral("frm_view_report"), kGeneralRuntimeError, QStringLiteral("Err"), QStringLiteral("Quaywise"),
             QStringLiteral("The personal notes kept for later could not be written to %1: %2.").arg(path, why),
             QStringLiteral("SaveKeptNotes"));
  }
}

// The notes of the recovery file; nothing from a file that is missing. One
// that cannot be read is put aside under a name of its own, so that the
// notes kept from now on never write over it, and the log names it.
QMap<int, KeptNote> ReadKeptNotesFile(const QString& path) {
  QMap<int, KeptNote> notes;
  if (!QFileInfo::exists(path)) return notes;
  QFile file(path);
  QJsonParseError error{};
  QJsonDocument doc;
  QString why;
  if (!file.open(QIODevice::ReadOnly)) {
    why = file.errorString();
  } else {
    doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) why = error.errorString();
  }
  if (!why.isEmpty()) {
    const QString aside =
        path + QStringLiteral(".unread-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QFile::rename(path, aside);
    LogError(QStringLiteral("frm_view_report"), kGeneralRuntimeError, QStringLiteral("Err"), QStringLiteral("Quaywise"),
             QStringLiteral("The personal notes kept in %1 could not be read (%2); the file is kept as %3.")
                 .arg(path, why, aside),
             QStringLiteral("RecoverKeptNotes"));
    return notes;
  }
  for (const QJsonValue& value : doc.object().value(QStringLiteral("notes")).toArray()) {
    const QJsonObject note = value.toObject();
    const int marinaNo = note.value(QStringLiteral("marinaNo")).toInt();
    if (marinaNo == 0 || !note.value(QStringLiteral("text")).isString()) continue;
    notes.insert(marinaNo, KeptNote{note.value(QStringLiteral("marinaName")).toString(),
                                    note.value(QStringLiteral("text")).toString(), false});
  }
  return notes;
}

}  // namespace

const QMap<int, KeptNote>& KeptNotes() { return Kept(); }

QString KeptNotesFile() {
  const QString database =
      QDir::cleanPath(QFileInfo(MarinaDatabasePath(Settings().DatabaseFileName)).absoluteFilePath());
  const QByteArray key = QCryptographicHash::hash(database.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
  return UserStoreFolder() + QStringLiteral("/kept-notes-") + QString::fromLatin1(key) + QStringLiteral(".json");
}

void KeepNote(int marinaNo, const QString& marinaName, const QString& text) {
  KeptNote& kept = Kept()[marinaNo];
  if (kept.marinaName == marinaName && kept.text == text && QFileInfo::exists(KeptNotesFile())) return;
  kept.marinaName = marinaName;
  kept.text = text;
  SaveKeptNotes();
}

void SetKeptNoteTold(int marinaNo) {
  if (const auto it = Kept().find(marinaNo); it != Kept().end()) it->told = true;
}

void DropKeptNote(int marinaNo) {
  if (Kept().remove(marinaNo) > 0) SaveKeptNotes();
}

void DropKeptNotes() {
  Kept().clear();
  SaveKeptNotes();
}

RecoveredNotes RecoverKeptNotes() {
  RecoveredNotes recovered;
  const QMap<int, KeptNote> found = ReadKeptNotesFile(KeptNotesFile());
  if (found.isEmpty()) return recovered;
  for (auto it = found.cbegin(); it != found.cend(); ++it)
    if (!Kept().contains(it.key())) Kept().insert(it.key(), *it);
  // However many there are, the start waits for another program's lock
  // once.
  const LockWaitBudget budget;
  for (auto it = found.cbegin(); it != found.cend(); ++it) {
    const QString name = NotesMarinaLabel(it.key(), it->marinaName);
    const NotesStoreResult result = StoreNotes(it.key(), Kept().value(it.key()).text);
    if (result.Ok()) {
      Kept().remove(it.key());
      recovered.stored << name;
    } else {
      if (recovered.reason.isEmpty()) recovered.reason = result.Reason();
      SetKeptNoteTold(it.key());  // the message at the start tells
      recovered.kept << name;
    }
  }
  SaveKeptNotes();
  return recovered;
}

QString RecoveredNotesMessage(const RecoveredNotes& recovered) {
  QStringList parts;
  if (!recovered.stored.isEmpty())
    parts << QStringLiteral(
                 "Your personal notes for %1, which Quaywise kept when it last ended before it could store "
                 "them, are now stored.")
                 .arg(Listed(recovered.stored));
  if (!recovered.kept.isEmpty())
    parts << QStringLiteral(
                 "Your personal notes for %1, which Quaywise kept when it last ended before it could store "
                 "them, still cannot be stored: %2.\n\nQuaywise keeps them, shows them with the marina's "
                 "report, stores them as soon as it can, and asks about them before it closes.")
                 .arg(Listed(recovered.kept), recovered.reason);
  return parts.join(QStringLiteral("\n\n"));
}

QString KeptNotesQuestion(NotesClosing closing, const QMap<int, KeptNote>& notes, const QString& reason) {
  QStringList names;
  for (auto it = notes.cbegin(); it != notes.cend(); ++it) names << NotesMarinaLabel(it.key(), it->marinaName);
  const QString which = names.size() == 1 ? names.first()
                                          : QStringLiteral("%1 marinas (%2)").arg(names.size()).arg(names.join(u", "));
  const QString keep = closing == NotesClosing::Viewer
                           ? QStringLiteral("Yes keeps this window open, so that you can store or copy them.")
                           : QStringLiteral("Yes keeps Quaywise open, so that you can store or copy them.");
  const QString discard = closing == NotesClosing::Viewer ? QStringLiteral("No discards them.")
                                                          : QStringLiteral("No discards them and ends Quaywise.");
  return QStringLiteral("Your personal notes for %1 could not be stored: %2.\n\n%3 %4")
      .arg(which, reason, keep, discard);
}

QString StoreKeptNotes(int except, bool waitForLock) {
  QMap<int, KeptNote>& kept = Kept();
  QString why;
  bool stored = false;
  for (auto it = kept.begin(); it != kept.end();) {
    if (it.key() == except) {
      ++it;
      continue;
    }
    const NotesStoreResult result = StoreNotes(it.key(), it->text, waitForLock);
    if (result.Ok()) {
      it = kept.erase(it);
      stored = true;
    } else {
      if (why.isEmpty()) why = result.Reason();
      ++it;
    }
  }
  if (stored) SaveKeptNotes();
  return why;
}

bool MayCloseWithKeptNotes(NotesClosing closing, int triedJustNow, const QString& reason) {
  const QMap<int, KeptNote>& kept = KeptNotes();
  QString failed;
  {
    // However many marinas' notes are kept, closing waits for another
    // program's lock once.
    const LockWaitBudget budget;
    failed = StoreKeptNotes(triedJustNow, true);
  }
  const QString why = reason.isEmpty() ? failed : reason;
  if (kept.isEmpty()) return true;
  const MsgResult answer = Ask(Question::KeepForNotes, KeptNotesQuestion(closing, kept, why), MsgIcon::Exclamation,
                               closing == NotesClosing::Viewer ? QStringLiteral("View Report") : QString());
  if (answer == MsgResult::Yes) return false;
  DropKeptNotes();
  return true;
}

NotesStoreResult PersonalNotes::Store(const QString& text, bool waitForLock) {
  NotesStoreResult result;
  if (marinaNo_ == 0) {
    result.outcome = NotesStoreResult::Outcome::NoMarina;
    return result;
  }
  if (text == stored_) {
    result.outcome = NotesStoreResult::Outcome::Unchanged;
    return result;
  }
  result = StoreNotes(marinaNo_, text, waitForLock);
  if (result.Ok()) stored_ = text;
  return result;
}

void PersonalNotes::Clear() {
  marinaNo_ = 0;
  stored_.clear();
}

}  // namespace qw
