#include "records/records_schema.h"

#include "records/sqlite_db.h"

namespace gp {

namespace {

// kSteps[n] takes a database from version n to version n + 1 and ends by
// setting that version. Steps are never changed once released: a new version
// adds a step.
constexpr const char* kSteps[kRecordsSchemaVersion] = {
    // 0 -> 1: the first schema. CREATE TABLE without IF NOT EXISTS, so that a
    // file of another program that has a table of the same name is not taken.
    R"sql(
CREATE TABLE games (
  id INTEGER PRIMARY KEY,
  uid TEXT NOT NULL UNIQUE,
  started TEXT NOT NULL,
  finished TEXT,
  endorder INTEGER,
  course TEXT NOT NULL,
  firsthole TEXT NOT NULL,
  wholecourse INTEGER NOT NULL,
  training INTEGER NOT NULL,
  gametype TEXT NOT NULL,
  startplayer INTEGER NOT NULL,
  nextplayer INTEGER NOT NULL,
  whencollide INTEGER NOT NULL,
  scoring INTEGER NOT NULL,
  plus1 INTEGER NOT NULL,
  minus1 INTEGER NOT NULL,
  strokelimit INTEGER NOT NULL,
  numplayers INTEGER NOT NULL
);
CREATE TABLE players (
  game INTEGER NOT NULL REFERENCES games(id),
  slot INTEGER NOT NULL,
  name TEXT NOT NULL,
  computer INTEGER NOT NULL,
  total INTEGER,
  topar INTEGER,
  holeswon INTEGER,
  won INTEGER,
  PRIMARY KEY (game, slot)
);
CREATE TABLE holes (
  id INTEGER PRIMARY KEY,
  game INTEGER NOT NULL REFERENCES games(id),
  slot INTEGER NOT NULL,
  number INTEGER NOT NULL,
  hole TEXT NOT NULL,
  par INTEGER NOT NULL,
  strokes INTEGER NOT NULL,
  holed INTEGER NOT NULL,
  date TEXT NOT NULL,
  UNIQUE (game, slot, number)
);
CREATE INDEX holes_by_hole ON holes (hole, strokes);
PRAGMA user_version = 1;
)sql",
};

}  // namespace

int SchemaVersion(sql::Database& db) {
  sql::Statement st(db, "PRAGMA user_version");
  return st.Step() ? static_cast<int>(st.Int(0)) : 0;
}

SchemaState PrepareSchema(sql::Database& db) {
  for (;;) {
    sql::Transaction t(db);
    // Read under the write lock: another program may have migrated meanwhile.
    const int version = SchemaVersion(db);
    if (version > kRecordsSchemaVersion) return SchemaState::kNewer;
    if (version == kRecordsSchemaVersion) return SchemaState::kCurrent;
    db.Exec(kSteps[version < 0 ? 0 : version]);
    t.Commit();
  }
}

}  // namespace gp
