#include "report/notes.h"

#include <QFileInfo>
#include <optional>

#include "data/marina_db.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "platform/record_file.h"
#include "services/config_file.h"
#include "services/settings.h"

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

QString NotesStoreResult::Reason() const {
  const QString folder = QFileInfo(path).absolutePath();
  switch (fault) {
    case DatabaseFault::MissingFolder:
      return QStringLiteral("the folder of the marina database, %1, cannot be found (the disk holding it may have "
                            "been removed)")
          .arg(folder);
    case DatabaseFault::MissingFile: return QStringLiteral("the marina database file %1 cannot be found").arg(path);
    case DatabaseFault::ReadOnlyFile: return QStringLiteral("the marina database file %1 is read-only").arg(path);
    case DatabaseFault::ReadOnlyFolder:
      return QStringLiteral("the folder of the marina database, %1, is read-only").arg(folder);
    case DatabaseFault::ReadOnlyDisk: return QStringLiteral("the disk holding the marina database is read-only");
    case DatabaseFault::OpticalDisc:
      return QStringLiteral("the marina database lies on a CD or DVD, which cannot be written");
    case DatabaseFault::OpenedReadOnly: return QStringLiteral("the marina database cannot be written");
    case DatabaseFault::Locked: return QStringLiteral("another program holds a lock on the marina database");
    case DatabaseFault::DiskFull: return QStringLiteral("the disk holding the marina database is full");
    case DatabaseFault::IoError:
      return QStringLiteral("the disk holding the marina database reported an input/output error");
    case DatabaseFault::Other: break;
  }
  QString description = error.description.trimmed();
  while (description.endsWith(u'.')) description.chop(1);
  return description.isEmpty() ? QStringLiteral("the marina database could not be written") : description;
}

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

QMap<int, KeptNote>& KeptNotes() {
  static QMap<int, KeptNote> kept;
  return kept;
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
  QMap<int, KeptNote>& kept = KeptNotes();
  QString why;
  for (auto it = kept.begin(); it != kept.end();) {
    if (it.key() == except) {
      ++it;
      continue;
    }
    const NotesStoreResult result = StoreNotes(it.key(), it->text, waitForLock);
    if (result.Ok()) {
      it = kept.erase(it);
    } else {
      if (why.isEmpty()) why = result.Reason();
      ++it;
    }
  }
  return why;
}

bool MayCloseWithKeptNotes(NotesClosing closing, int triedJustNow, const QString& reason) {
  QMap<int, KeptNote>& kept = KeptNotes();
  const QString failed = StoreKeptNotes(triedJustNow, true);
  const QString why = reason.isEmpty() ? failed : reason;
  if (kept.isEmpty()) return true;
  const MsgResult answer = Ask(Question::KeepForNotes, KeptNotesQuestion(closing, kept, why), MsgIcon::Exclamation,
                               closing == NotesClosing::Viewer ? QStringLiteral("View Report") : QString());
  if (answer == MsgResult::Yes) return false;
  kept.clear();
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
