// The records file: the schema on first use and migrated forward, a file of a
// newer program kept and never written, damaged files set aside, locked and
// read-only files told once, values always bound.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "records/records_schema.h"
#include "records/records_store.h"
#include "support/temp_folder.h"
#include "records/records_fixture.h"

namespace gp {
namespace {

using test::Game;
using test::Result;
using test::Scalar;
using test::TempFolder;

std::string Bytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteText(const std::filesystem::path& p, const std::string& text) {
  std::ofstream(p, std::ios::binary) << text;
}

// A records file holding one game with one result, written through the store.
void MakeRecords(const std::filesystem::path& file) {
  RecordsStore store;
  ASSERT_TRUE(store.Open(file, {}));
  ASSERT_TRUE(store.Write(Game("g1", {"Ann"}), {Result(1, 1, "course1hole1", 2)}));
}

TEST(RecordsFile, FirstUseMakesTheFoldersAndTheCurrentSchema) {
  TempFolder dir;
  const auto file = dir / "data/galaputt/records.sqlite";
  RecordsStore store;
  ASSERT_TRUE(store.Open(file, {}));
  EXPECT_TRUE(store.writable());
  EXPECT_EQ(store.TakeNotice(), "");
  EXPECT_EQ(Scalar(file, "PRAGMA user_version"), std::to_string(kRecordsSchemaVersion));
  // The rollback journal: it works on every file system and leaves no files beside.
  EXPECT_EQ(Scalar(file, "PRAGMA journal_mode"), "delete");
  EXPECT_EQ(Scalar(file, "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'"), "3");

  // Without `create` a missing file is no records at all, and no file is made.
  RecordsStore reader;
  RecordsStore::Options look;
  look.create = false;
  EXPECT_FALSE(reader.Open(dir / "none.sqlite", look));
  EXPECT_EQ(reader.TakeNotice(), "");
  EXPECT_FALSE(std::filesystem::exists(dir / "none.sqlite"));
  EXPECT_TRUE(reader.HoleRecords(Who::kPeople).empty());
}

TEST(RecordsFile, VersionZeroFilesAreMigratedForward) {
  TempFolder dir;
  // An empty file, and a database of version 0 with a table of its own.
  WriteText(dir / "empty.sqlite", "");
  {
    sql::Database other((dir / "other.sqlite").string(), sql::Database::Access::Create);
    other.Exec("CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES ('keep me')");
  }
  for (const char* name : {"empty.sqlite", "other.sqlite"}) {
    SCOPED_TRACE(name);
    const auto file = dir / name;
    RecordsStore store;
    ASSERT_TRUE(store.Open(file, {}));
    EXPECT_EQ(store.TakeNotice(), "");
    EXPECT_EQ(Scalar(file, "PRAGMA user_version"), std::to_string(kRecordsSchemaVersion));
    EXPECT_TRUE(store.Write(Game("g", {"Ann"}), {Result(1, 1, "course1hole1", 3)}));
    EXPECT_EQ(store.HoleRecords(Who::kPeople).size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir / (std::string(name) + ".bad")));
  }
  EXPECT_EQ(Scalar(dir / "other.sqlite", "SELECT text FROM notes"), "keep me");
}

TEST(RecordsFile, NewerVersionIsReadKeptAndNeverWritten) {
  TempFolder dir;
  const auto file = dir / "records.sqlite";
  MakeRecords(file);
  {
    sql::Database db(file.string(), sql::Database::Access::ReadWrite);
    db.Exec("PRAGMA user_version = 7");
  }
  const std::string before = Bytes(file);
  RecordsStore store;
  ASSERT_TRUE(store.Open(file, {}));
  EXPECT_FALSE(store.writable());
  const std::string notice = store.TakeNotice();
  EXPECT_NE(notice.find("newer version"), std::string::npos) << notice;
  // What it holds is still shown.
  ASSERT_EQ(store.HoleRecords(Who::kPeople).size(), 1u);
  EXPECT_FALSE(store.Write(Game("g2", {"Bob"}), {Result(1, 1, "course1hole1", 1)}));
  EXPECT_FALSE(store.Write(Game("g2", {"Bob"}), {Result(1, 2, "course1hole3", 1)}));
  EXPECT_EQ(store.TakeNotice(), "") << "said once";
  store.Close();
  EXPECT_EQ(Bytes(file), before);
  EXPECT_FALSE(std::filesystem::exists(dir / "records.sqlite.bad"));
  EXPECT_EQ(Scalar(file, "PRAGMA user_version"), "7");
}

TEST(RecordsFile, NotARecordsFileIsSetAsideNeverReplacingAnother) {
  TempFolder dir;
  const auto file = dir / "records.sqlite";
  const std::string garbage = "this is not a database, but a player's letter\n" + std::string(5000, 'x');
  {
    sql::Database clash((dir / "clash.sqlite").string(), sql::Database::Access::Create);
    clash.Exec("CREATE TABLE games (what TEXT)");  // another program's table of the same name
  }
  for (int n = 0; n < 3; ++n) {
    SCOPED_TRACE(n);
    if (n < 2) {
      WriteText(file, garbage);
    } else {
      std::filesystem::copy_file(dir / "clash.sqlite", file,
                                 std::filesystem::copy_options::overwrite_existing);
    }
    const std::string was = Bytes(file);
    RecordsStore store;
    ASSERT_TRUE(store.Open(file, {}));
    EXPECT_TRUE(store.writable());
    const std::string kept = n == 0 ? "records.sqlite.bad" : "records.sqlite.bad." + std::to_string(n);
    const std::string notice = store.TakeNotice();
    EXPECT_NE(notice.find(kept), std::string::npos) << notice;
    EXPECT_EQ(Bytes(dir / kept), was);
    EXPECT_EQ(store.TakeNotice(), "");
    // A new file is begun at once.
    EXPECT_TRUE(store.Write(Game("g", {"Ann"}), {Result(1, 1, "course1hole1", 2)}));
    EXPECT_EQ(store.HoleRecords(Who::kPeople).size(), 1u);
  }
}

TEST(RecordsFile, FailedIntegrityCheckIsSetAside) {
  TempFolder dir;
  const auto file = dir / "records.sqlite";
  {
    RecordsStore store;
    ASSERT_TRUE(store.Open(file, {}));
    std::vector<HoleResult> many;
    for (int i = 1; i <= 6; ++i) many.push_back(Result(1, i, "course1hole" + std::to_string(i), i));
    for (int g = 0; g < 60; ++g) ASSERT_TRUE(store.Write(Game("g" + std::to_string(g), {"Ann"}), many));
  }
  // Scribble over the middle of the file: pages of rows and of the index.
  std::string bytes = Bytes(file);
  ASSERT_GT(bytes.size(), 20000u);
  for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 3000; i += 7) bytes[i] = '\x5a';
  WriteText(file, bytes);
  RecordsStore store;
  ASSERT_TRUE(store.Open(file, {}));
  EXPECT_NE(store.TakeNotice().find("records.sqlite.bad"), std::string::npos);
  EXPECT_EQ(Bytes(dir / "records.sqlite.bad"), bytes);
  EXPECT_TRUE(store.HoleRecords(Who::kPeople).empty()) << "a new file";
  EXPECT_EQ(Scalar(file, "PRAGMA integrity_check"), "ok");
}

TEST(RecordsFile, DamageFoundWhileWritingKeepsTheWholeGame) {
  TempFolder dir;
  const auto file = dir / "records.sqlite";
  RecordsStore store;
  ASSERT_TRUE(store.Open(file, {}));
  const RecordedGame game = Game("g", {"Ann"});
  ASSERT_TRUE(store.Write(game, {Result(1, 1, "course1hole1", 2)}));
  // Another program ruins every page but the first while the game is on, and
  // counts a change (so the connection reads the file again).
  std::string bytes = Bytes(file);
  ASSERT_GT(bytes.size(), 4096u);
  for (size_t i = 4096; i < bytes.size(); ++i) bytes[i] = '\x5a';
  bytes[27] = static_cast<char>(bytes[27] + 1);
  WriteText(file, bytes);
  EXPECT_TRUE(store.Write(game, {Result(1, 1, "course1hole1", 2), Result(1, 2, "course2hole1", 4)}));
  EXPECT_NE(store.TakeNotice().find("set aside"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir / "records.sqlite.bad"));
  EXPECT_EQ(Scalar(file, "SELECT COUNT(*) FROM holes"), "2");
}

TEST(RecordsFile, LockedFileIsToldOnceAndCaughtUpLater) {
  TempFolder dir;
  const auto file = dir / "records.sqlite";
  MakeRecords(file);
  RecordsStore store;
  ASSERT_TRUE(store.Open(file, {}));
  const RecordedGame game = Game("g2", {"Bob"});
  std::vector<HoleResult> results = {Result(1, 1, "course1hole1", 3)};
  {
    sql::Database other(file.string(), sql::Database::Access::ReadWrite);
    other.Exec("BEGIN EXCLUSIVE");
    EXPECT_FALSE(store.Write(game, results));
    const std::string notice = store.TakeNotice();
    EXPECT_NE(notice.find("locked"), std::string::npos) << notice;
    results.push_back(Result(1, 2, "course2hole1", 4));
    EXPECT_FALSE(store.Write(game, results));
    EXPECT_EQ(store.TakeNotice(), "") << "said once";
    other.Exec("COMMIT");
  }
  // The next write holds everything the game has so far.
  ASSERT_TRUE(store.Write(game, results));
  EXPECT_EQ(Scalar(file, "SELECT COUNT(*) FROM holes h JOIN games g ON g.id = h.game WHERE g.uid = 'g2'"),
            "2");
}

// As a user who may only read the file (root is made "nobody" for it).
TEST(RecordsFile, ReadOnlyFileIsShownNotWrittenAndToldOnce) {
  TempFolder dir;
  const auto file = dir / "records.sqlite";
  MakeRecords(file);
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  const std::string before = Bytes(file);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) _exit(10);
    RecordsStore store;
    if (!store.Open(file, {})) _exit(11);
    if (store.writable()) _exit(12);
    if (store.TakeNotice().find("may only be read") == std::string::npos) _exit(13);
    if (store.HoleRecords(Who::kPeople).size() != 1) _exit(14);
    if (store.Write(Game("g2", {"Bob"}), {Result(1, 1, "course1hole1", 1)})) _exit(15);
    if (!store.TakeNotice().empty()) _exit(16);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ::chmod(dir.path().c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "failed check " << WEXITSTATUS(status);
  EXPECT_EQ(Bytes(file), before);
}

TEST(SqlLayer, ValuesAreBoundNeverPartOfTheStatement) {
  TempFolder dir;
  const auto file = dir / "records.sqlite";
  RecordsStore store;
  ASSERT_TRUE(store.Open(file, {}));
  const std::string name = "Bob'); DROP TABLE games; --";
  RecordedGame game = Game("g'1", {"x"});
  game.players[0].name = name;
  ASSERT_TRUE(store.Write(game, {Result(1, 1, "course1hole1", 2)}));
  const std::vector<HoleRecord> holes = store.HoleRecords(Who::kPeople);
  ASSERT_EQ(holes.size(), 1u);
  EXPECT_EQ(holes[0].name, name);
  EXPECT_EQ(Scalar(file, "SELECT uid FROM games"), "g'1");
}

TEST(SqlLayer, TransactionRollsBackUnlessCommitted) {
  TempFolder dir;
  sql::Database db((dir / "t.sqlite").string(), sql::Database::Access::Create);
  db.Exec("CREATE TABLE t (v INTEGER)");
  try {
    sql::Transaction t(db);
    sql::Statement(db, "INSERT INTO t VALUES (?)").BindAll(1).Run();
    sql::Statement(db, "INSERT INTO nosuchtable VALUES (1)").Run();
    t.Commit();
  } catch (const sql::SqlError& e) {
    EXPECT_NE(std::string(e.what()).find("nosuchtable"), std::string::npos);
  }
  sql::Statement count(db, "SELECT COUNT(*) FROM t");
  ASSERT_TRUE(count.Step());
  EXPECT_EQ(count.Int(0), 0);
}

}  // namespace
}  // namespace gp
