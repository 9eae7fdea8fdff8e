#pragma once
// The records and statistics on disk: every game with a hole result in it,
// every player's result on every hole holed out, the final results of games
// played to their end, and what is derived from them (the records of holes and
// courses, each player's statistics).
//
// One SQLite file, rollback journal (journal_mode DELETE, synchronous FULL):
// each write is one transaction, so a kill or a power cut at any moment leaves
// the file as it was before or after it, and the journal works on every file
// system (WAL needs shared memory that network folders do not give, and leaves
// two more files beside the database). Nothing here throws: a database that
// cannot be read or written is reported once (TakeNotice) and the caller goes on.
//
// Names are given and returned in the game's single-byte Western code page;
// the file holds them as UTF-8.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "records/sqlite_db.h"

namespace gp {

struct RecordedPlayer {
  std::string name;
  int computer = 0;  // 0 a person, 1 Rookie, 2 Pro, 3 Ace
};

// A game as it is recorded: where, under which rules, who plays.
struct RecordedGame {
  std::string uid;      // the game's own id; a resumed game keeps its own
  std::string started;  // local time, "YYYY-MM-DD HH:MM:SS"
  std::string course;   // "SE Course", "Training", ...
  std::string firsthole;
  bool wholecourse = true;  // started on the course's first hole (course records count)
  bool training = false;
  std::string gametype;  // "Stroke Play", ..., "Custom"
  int startplayer = 0, nextplayer = 0, whencollide = 0, scoring = 0;
  bool plus1 = false, minus1 = false;
  int strokelimit = 9;
  std::vector<RecordedPlayer> players;  // player 1 first
};

// One player's result on one hole.
struct HoleResult {
  int slot = 1;    // player 1..4
  int number = 1;  // the hole's place in the game, 1..6
  std::string hole;
  int par = 3;
  int strokes = 0;
  bool holed = true;  // false: the stroke limit took the ball out (no hole record)
  std::string date;
};

// One player's result of a game played to its end.
struct FinalResult {
  int slot = 1;
  int total = 0;
  int topar = 0;
  int holeswon = 0;
};

struct HoleRecord {
  std::string course, hole;
  int par = 0;
  int strokes = 0;
  std::string name;
  int computer = 0;
  std::string date;
};

struct CourseRecord {
  std::string course;
  int total = 0;
  int topar = 0;
  std::string name;
  int computer = 0;
  std::string date;  // when the game finished
};

struct PlayerStats {
  std::string name;
  int computer = 0;
  int games = 0;       // games played to their end
  int wins = 0;        // of those with more than one player, games won (ties all win)
  int unfinished = 0;  // games left before their end
  int holesinone = 0;
  int holes = 0;            // hole results
  double averagevspar = 0;  // strokes minus par, per hole result
};

// Whose records a query is about: computers never take a record from a person,
// so theirs are kept apart.
enum class Who { kPeople, kComputers };

class RecordsStore {
 public:
  struct Options {
    bool create = true;  // make the file (and its folders) when it is missing
    bool repair = true;  // set a damaged file aside as "<file>.bad" and begin anew
    bool write = true;   // false: only read, never change the file
  };

  RecordsStore();
  ~RecordsStore();
  RecordsStore(const RecordsStore&) = delete;
  RecordsStore& operator=(const RecordsStore&) = delete;

  // Opens, checks (integrity_check), creates or migrates the schema. False when
  // nothing can be read; the notice says why (a missing file without `create`
  // is no notice).
  bool Open(const std::filesystem::path& file, Options options);
  void Close();
  bool readable() const { return db_.open(); }
  bool writable() const { return db_.open() && writable_; }
  const std::filesystem::path& file() const { return file_; }

  // What the player should be told, each kind of problem once from one Open
  // to the next; empty when there is nothing new.
  std::string TakeNotice();

  // One transaction: the game and its players (kept when already there), every
  // hole result given (an existing result of the same game, player and hole
  // stays as it is), and with `finished` the final results and the end date
  // (once). False when it could not be written; the notice says why. A
  // damaged file found here is set aside (with `repair`) and the whole game
  // written into a new one.
  bool Write(const RecordedGame& game, const std::vector<HoleResult>& holes,
             const std::vector<FinalResult>* final = nullptr, const std::string& finished = "");

  // The record of every hole of `course` (all courses when empty): the fewest
  // strokes of a ball that dropped, the first to reach it keeping it. In the
  // order the holes are played, then by name.
  std::vector<HoleRecord> HoleRecords(Who who, const std::string& course = "");
  // The fewest strokes of a game played to its end from the course's first
  // hole, per course; the first to finish with it keeps it.
  std::vector<CourseRecord> CourseRecords(Who who, const std::string& course = "");
  // Per name, people and computers apart; most games first.
  std::vector<PlayerStats> Players();

  // Whether the last query above failed (it then returned nothing).
  bool queryfailed() const { return queryfailed_; }

  // Which of game `uid`'s results hold their hole's record now: (slot, number) pairs.
  std::vector<std::pair<int, int>> HeldHoleRecords(const std::string& uid);
  // The player numbers of game `uid` that hold their course's record now.
  std::vector<int> HeldCourseRecords(const std::string& uid);

 private:
  bool OpenFile();
  bool Check();
  bool EnsureSchema();
  void SetAside();
  void NewerNotice();
  void Notice(unsigned kind, const std::string& text);
  void Failed(const sql::SqlError& e);
  template <class T, class Fill>
  std::vector<T> Gather(Fill fill);
  void WriteRows(const RecordedGame& game, const std::vector<HoleResult>& holes,
                 const std::vector<FinalResult>* final, const std::string& finished);

  std::filesystem::path file_;
  Options options_;
  sql::Database db_;
  bool writable_ = false;
  bool schemaready_ = false;
  unsigned told_ = 0;  // notice kinds already given
  bool queryfailed_ = false;
  std::string notice_;
};

}  // namespace gp
