#pragma once
// The records database's schema: its version in PRAGMA user_version, created
// on first use and migrated forward one step at a time, each step in a
// transaction of its own.
//
//   games    one row per game with at least one hole result: its own id (uid),
//            when it started and finished (NULL: left before its end), the
//            course, the first hole, the rules in force, the player count
//   players  per game and player number (slot 1..4): name, person or computer
//            (0 a person, 1 Rookie, 2 Pro, 3 Ace); total, to par, holes won and
//            won once the game has finished
//   holes    per game, player and hole number: the hole's name, par, strokes,
//            whether the ball dropped (0: the stroke limit took it out), when

namespace gp::sql {
class Database;
}

namespace gp {

// The version this program writes.
inline constexpr int kRecordsSchemaVersion = 1;

enum class SchemaState {
  kCurrent,  // at this program's version (created or migrated if needed)
  kNewer,    // written by a newer program: read what can be read, never write
};

// The file's version (0 for a new or empty file).
int SchemaVersion(sql::Database& db);

// Brings a writable database to the current version. Throws sql::SqlError;
// a version-0 file holding tables of another program fails (its tables clash).
SchemaState PrepareSchema(sql::Database& db);

}  // namespace gp
