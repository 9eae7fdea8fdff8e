#pragma once
// The unfinished game: while a game is played, its replay (the --record
// format) is kept on disk and made durable after every stroke, written whole
// to a temporary file, synced and renamed, so the file is always a readable
// replay of the game up to its last stroke. It ends with the state's digest
// there ("check"), the hole being played ("hole") and the frame count
// ("end"), so that resuming can tell a replay that no longer plays back.
// The file goes when the game reaches its final score details; it stays when
// the game is left or ends any other way.

#include <cstdint>
#include <string>

#include "game/setup.h"
#include "platform/platform.h"

namespace gp {

// Where the games that follow are kept; empty (the default): not kept.
void SetKeptGameFile(const std::string& path);
const std::string& KeptGameFile();

class KeptGame {
 public:
  // A new game is kept in KeptGameFile(): an earlier game's file goes now
  // (unless `dropold` is false: the game resumed from it); this game's is
  // first written at its first stroke.
  void Start(uint64_t seed, const std::string& firsthole, const GameSetup& s,
             const std::string& uid, bool dropold = true);
  // Input delivered before frame `frame`, and the rate frame `frame` ran at.
  void Event(int frame, const InputEvent& ev);
  void Tick(int frame, int rate);
  // A ball was struck; `frames` frames have run. Writes the file (unless held).
  void Stroke(int frames);
  // The game reached its final score details: the file goes, nothing more is kept.
  void Finish();
  // While the game is played forward from its kept replay: no writes.
  void Hold(bool on) { hold_ = on; }
  // The game window has closed: what is on disk stays.
  void Stop() { active_ = false; }
  bool active() const { return active_; }
  // Writes the game so far now (also after a hold).
  void Save(int frames);

 private:
  std::string path_;
  std::string text_;  // the replay so far, without its last lines
  int lastrate_ = 60;
  bool active_ = false;
  bool hold_ = false;
  bool failed_ = false;  // a write failed and was reported
};

// The kept game of the game window.
KeptGame& keptgame();

}  // namespace gp
