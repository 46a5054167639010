#include "report/notes.h"

#include "data/marina_db.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "platform/record_file.h"
#include "services/config_file.h"

namespace qw {
namespace {

// Options value of a connection that other connections may share.
constexpr int kSharedOpen = 0;

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

void NotesStoreResult::Report(const QString& procName) const {
  if (outcome == Outcome::ReadOnly) {
    MsgBox(kNotesFromCdMessage, MsgButtons::OK, MsgIcon::Information);
  } else if (outcome == Outcome::Failed) {
    ReportError(QStringLiteral("frm_view_report"), procName, error, engineErrors);
  }
}

QString PersonalNotes::Load(int marinaNo) {
  marinaNo_ = marinaNo;
  stored_.clear();
  try {
    DatabasePtr db = OpenMarinaDatabase(-1, true);
    stored_ = ReadNotes(*db, marinaNo);
    db->Close();
  } catch (const std::exception&) {
    // An unreadable database shows an empty box; the box is not written back
    // unless the user types into it.
    stored_.clear();
  }
  return stored_;
}

NotesStoreResult PersonalNotes::Store(const QString& text) {
  NotesStoreResult result;
  if (marinaNo_ == 0) {
    result.outcome = NotesStoreResult::Outcome::NoMarina;
    return result;
  }
  if (text == stored_) {
    result.outcome = NotesStoreResult::Outcome::Unchanged;
    return result;
  }
  try {
    DatabasePtr db = OpenMarinaDatabase(kSharedOpen, false);
    WriteNotes(*db, marinaNo_, text);
    db->Close();
  } catch (const std::exception& e) {
    result.error = RuntimeError::From(e);
    result.engineErrors = DBEngine::Errors();
    result.outcome = result.error.number == kJetCannotWrite ? NotesStoreResult::Outcome::ReadOnly
                                                            : NotesStoreResult::Outcome::Failed;
    return result;
  }
  stored_ = text;
  result.outcome = NotesStoreResult::Outcome::Stored;
  return result;
}

void PersonalNotes::Clear() {
  marinaNo_ = 0;
  stored_.clear();
}

}  // namespace qw
