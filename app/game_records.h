#pragma once
// The game window's records: every player's hole result goes to the records
// file when it is holed out, and the final results when the game ends, each
// in one transaction; what the game shows of the records (RecordsView) is
// filled from the file. Nothing here changes the game: a records file that
// cannot be read or written is reported once and the game plays on.

#include <string>
#include <vector>

#include "records/records_store.h"
#include "view/records_page.h"

namespace gp {

struct GameSetup;

// The records file of the games that follow; empty (the default): none kept.
void SetRecordsFile(const std::string& path);
const std::string& RecordsFile();

class GameRecords {
 public:
  // A new game: opens the records file (when one is set). `uid` names the
  // game (a resumed game keeps its own); `wholecourse`: it starts on its
  // course's first hole.
  void Begin(const GameSetup& s, const std::string& uid, const std::string& firsthole,
             bool wholecourse);
  // Carries out the holing-out requests of the state (always: they are
  // cleared even without a records file) and records the end of the game.
  void CarryOut();
  // While a kept game is played forward: results are collected, not written
  // and not announced. Ending the hold writes them all at once.
  void Hold(bool on);
  // While a search tries strokes on the game (the solver, a computer player
  // thinking): its holings out are no results, and nothing is shown of them.
  void Searching(bool on) { searching_ = on; }
  // The game window closes: a write that failed is tried once more.
  void End();
  // The records page's lines for the current hole and course.
  void FillPage();

  const RecordsView& view() const { return view_; }
  bool active() const { return store_.readable(); }
  // This game's results so far (with a records file, or while held).
  const std::vector<HoleResult>& results() const { return results_; }

 private:
  void Save();
  void UpdateMarks();
  bool Person(int slot) const;

  RecordsStore store_;
  RecordedGame game_;
  std::vector<HoleResult> results_;
  std::vector<FinalResult> final_;
  std::string finished_;  // when the game ended; empty: not yet
  bool hold_ = false;
  bool searching_ = false;
  bool unsaved_ = false;  // the last write failed
  RecordsView view_;
};

// The game window's records of the process.
GameRecords& gamerecords();

// Local time as the records keep it: "YYYY-MM-DD HH:MM:SS".
std::string RecordsNow();

}  // namespace gp
