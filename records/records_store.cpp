#include "records/records_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <system_error>
#include <utility>

#include "base/text_codepage.h"
#include "base/user_files.h"
#include "records/records_schema.h"

namespace gp {

namespace fs = std::filesystem;

namespace {

// How long a write waits for another program's lock before giving up,
// milliseconds: short, since the game waits with it; once a write has found
// the file locked, the next ones hardly wait.
constexpr int kBusyMs = 250;
constexpr int kBusyAgainMs = 20;

// Kinds of notice, each given once.
enum : unsigned {
  kToldDamaged = 1,
  kToldUnwritable = 2,
  kToldNewer = 4,
  kToldUnreadable = 8,
};

// Files SQLite may keep beside a database; they go with it when it is set aside.
constexpr const char* kSideFiles[] = {"-journal", "-wal", "-shm"};

std::string Quoted(const fs::path& p) {
  return "\"" + p.string() + "\"";
}

bool FileExists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

// The players' best value and whether a player's value is it: the lowest to
// par, or with "Most Holes Won" scoring the most holes won. A game of one
// player has no winner.
std::vector<bool> Winners(const RecordedGame& game, const std::vector<FinalResult>& final) {
  std::vector<bool> won(final.size(), false);
  if (final.size() < 2) return won;
  const bool most = game.scoring == 1;
  int best = most ? final[0].holeswon : final[0].topar;
  for (const FinalResult& f : final)
    best = most ? std::max(best, f.holeswon) : std::min(best, f.topar);
  for (size_t i = 0; i < final.size(); ++i)
    won[i] = (most ? final[i].holeswon : final[i].topar) == best;
  return won;
}

}  // namespace

RecordsStore::RecordsStore() = default;
RecordsStore::~RecordsStore() = default;

void RecordsStore::Notice(unsigned kind, const std::string& text) {
  if (told_ & kind) return;
  told_ |= kind;
  if (!notice_.empty()) notice_ += "\n";
  notice_ += text;
}

std::string RecordsStore::TakeNotice() {
  return std::exchange(notice_, std::string());
}

void RecordsStore::Close() {
  db_.Close();
  writable_ = false;
  schemaready_ = false;
}

bool RecordsStore::Open(const fs::path& file, Options options) {
  Close();
  file_ = file;
  options_ = options;
  told_ = 0;
  notice_.clear();
  if (!OpenFile()) return false;
  if (Check()) return true;
  if (!options_.repair) {
    Close();
    Notice(kToldDamaged,
           "The records file " + Quoted(file_) + " is damaged or not a records file.");
    return false;
  }
  SetAside();
  if (OpenFile() && Check()) return true;
  Close();  // could not be set aside, or the new file is no better
  return false;
}

bool RecordsStore::OpenFile() {
  const bool exists = FileExists(file_);
  if (!exists && !options_.create) return false;
  int err = 0;
  if (!exists && !CreateFolders(file_.parent_path(), err)) {
    Notice(kToldUnreadable, "The records cannot be kept: the folder " +
                                Quoted(file_.parent_path()) + " cannot be made (" +
                                std::generic_category().message(err) + ").");
    return false;
  }
  using Access = sql::Database::Access;
  try {
    db_ = sql::Database(file_.string(), !options_.write ? Access::ReadOnly
                                        : exists        ? Access::ReadWrite
                                                        : Access::Create);
  } catch (const sql::SqlError&) {
    // A file or folder that may only be read: the records are shown, not kept.
    try {
      if (exists) db_ = sql::Database(file_.string(), Access::ReadOnly);
    } catch (const sql::SqlError&) {
    }
  }
  if (!db_.open()) {
    Notice(kToldUnreadable, "The records cannot be kept: " + Quoted(file_) + " cannot be opened.");
    return false;
  }
  db_.SetBusyTimeout(kBusyMs);
  writable_ = !db_.ReadOnly();
  if (!writable_ && options_.write) {
    Notice(kToldUnwritable, "The records cannot be saved: " + Quoted(file_) +
                                " may only be read. The game plays on without them.");
  }
  return true;
}

// False when the file is damaged or not a records database.
bool RecordsStore::Check() {
  try {
    sql::Statement check(db_, "PRAGMA integrity_check");
    if (check.Step() && check.Text(0) != "ok") return false;
  } catch (const sql::SqlError& e) {
    if (sql::IsDamage(e.code)) return false;
    Failed(e);  // locked or unreadable for now: writes will try again
    return true;
  }
  try {
    if (!writable_) {
      if (SchemaVersion(db_) > kRecordsSchemaVersion) NewerNotice();
      return true;
    }
    // The rollback journal, whatever mode the file was left in.
    db_.Exec("PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL");
    EnsureSchema();
  } catch (const sql::SqlError& e) {
    if (sql::IsDamage(e.code) || (e.code & 0xFF) == SQLITE_ERROR) return false;
    Failed(e);
  }
  return true;
}

void RecordsStore::NewerNotice() {
  writable_ = false;
  Notice(kToldNewer, "The records file " + Quoted(file_) +
                         " was written by a newer version of Galaputt: it is kept as it is, and "
                         "no records are saved.");
}

bool RecordsStore::EnsureSchema() {
  if (schemaready_) return true;
  if (PrepareSchema(db_) == SchemaState::kNewer) {
    NewerNotice();
    return false;
  }
  schemaready_ = true;
  return true;
}

void RecordsStore::SetAside() {
  Close();
  std::string error;
  const fs::path kept = KeepAside(file_, error);
  if (kept.empty()) {
    Notice(kToldDamaged, "The records file " + Quoted(file_) +
                             " is damaged and cannot be set aside (" + error + ").");
    return;
  }
  for (const char* side : kSideFiles) {
    fs::path from = file_, to = kept;
    from += side;
    to += side;
    if (FileExists(from) && !FileExists(to)) {
      std::error_code ec;
      fs::rename(from, to, ec);
    }
  }
  Notice(kToldDamaged, "The records file " + Quoted(file_) +
                           " was damaged or not a records file: it has been set aside as " +
                           Quoted(kept) + " and new records are begun.");
}

void RecordsStore::Failed(const sql::SqlError& e) {
  const int primary = e.code & 0xFF;
  if (db_.open() && (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)) {
    db_.SetBusyTimeout(kBusyAgainMs);
  }
  if (sql::IsUnwritable(e.code)) {
    Notice(kToldUnwritable, "The records cannot be saved now (" + std::string(e.what()) +
                                "): " + Quoted(file_) + ". The game plays on.");
  } else {
    Notice(kToldUnreadable,
           "The records file " + Quoted(file_) + " cannot be used: " + std::string(e.what()) + ".");
  }
}

bool RecordsStore::Write(const RecordedGame& game, const std::vector<HoleResult>& holes,
                         const std::vector<FinalResult>* final, const std::string& finished) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!writable()) return false;
    try {
      if (!EnsureSchema()) return false;
      WriteRows(game, holes, final, finished);
      return true;
    } catch (const sql::SqlError& e) {
      if (!sql::IsDamage(e.code) || !options_.repair || attempt > 0) {
        Failed(e);
        return false;
      }
      // Damaged since it was opened: the whole game goes into a new file.
      SetAside();
      if (!OpenFile() || !Check()) {
        Close();
        return false;
      }
    }
  }
  return false;
}

void RecordsStore::WriteRows(const RecordedGame& g, const std::vector<HoleResult>& holes,
                             const std::vector<FinalResult>* final, const std::string& finished) {
  sql::Transaction t(db_);
  sql::Statement insertgame(db_,
                            "INSERT OR IGNORE INTO games (uid, started, course, firsthole, "
                            "wholecourse, training, gametype, startplayer, nextplayer, "
                            "whencollide, scoring, plus1, minus1, strokelimit, numplayers) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  insertgame
      .BindAll(g.uid, g.started, NameToUtf8(g.course), g.firsthole, g.wholecourse,
               g.training, g.gametype, g.startplayer, g.nextplayer, g.whencollide, g.scoring,
               g.plus1, g.minus1, g.strokelimit, static_cast<int>(g.players.size()))
      .Run();
  sql::Statement findgame(db_, "SELECT id FROM games WHERE uid = ?");
  findgame.BindAll(g.uid);
  if (!findgame.Step()) throw sql::SqlError(SQLITE_CORRUPT, "the game's row is missing");
  const int64_t id = findgame.Int(0);
  sql::Statement insertplayer(
      db_, "INSERT OR IGNORE INTO players (game, slot, name, computer) VALUES (?, ?, ?, ?)");
  for (size_t i = 0; i < g.players.size(); ++i) {
    insertplayer.Reset();
    insertplayer
        .BindAll(id, static_cast<int>(i + 1), NameToUtf8(g.players[i].name),
                 g.players[i].computer)
        .Run();
  }
  sql::Statement inserthole(db_,
                            "INSERT OR IGNORE INTO holes (game, slot, number, hole, par, "
                            "strokes, holed, date) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
  for (const HoleResult& h : holes) {
    inserthole.Reset();
    inserthole.BindAll(id, h.slot, h.number, h.hole, h.par, h.strokes, h.holed, h.date).Run();
  }
  if (final) {
    sql::Statement end(db_,
                       "UPDATE games SET finished = ?, endorder = (SELECT IFNULL(MAX(endorder), "
                       "0) + 1 FROM games) WHERE id = ? AND finished IS NULL");
    end.BindAll(finished, id).Run();
    if (db_.Changes() == 1) {
      const std::vector<bool> won = Winners(g, *final);
      sql::Statement result(db_,
                            "UPDATE players SET total = ?, topar = ?, holeswon = ?, won = ? "
                            "WHERE game = ? AND slot = ?");
      for (size_t i = 0; i < final->size(); ++i) {
        const FinalResult& f = (*final)[i];
        result.Reset();
        result.BindAll(f.total, f.topar, f.holeswon, static_cast<bool>(won[i]), id, f.slot).Run();
      }
    }
  }
  t.Commit();
}

}  // namespace gp
