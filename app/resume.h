#pragma once
// Resuming the unfinished game: its kept replay is played into the game
// window without drawing, as fast as the frames run, and the game goes on live
// from there with the same setup. A kept replay that no longer plays back
// (damaged bytes, holes that have changed since) is never half resumed: the
// window closes and the caller sets the file aside with the reason.

#include <string>
#include <vector>

#include "app/replay.h"

namespace gp {

class Platform;

// What the launcher shows of a kept game before resuming it.
struct KeptGameInfo {
  int hole = 0;                    // the hole it was left on
  std::vector<std::string> names;  // the players, in the Western code page
  bool training = false;
};

// Reads a kept game. False with the reason when it cannot be read or is not
// a kept game (no check, no hole); a missing file gives false and no reason.
bool ReadKeptGame(const std::string& path, Replay& out, std::string& why);
KeptGameInfo InfoOf(const Replay& kept);

// Opens the game window on the kept game and plays it forward to where it was
// kept. True: the window is open and the game is live. False: the window is
// closed and `why` says what did not play back.
bool ResumeGameWindow(Platform& platform, const Replay& kept, std::string& why);

// ResumeGameWindow, then the game until its window closes. False when it
// could not be resumed (`why` set) or a file could not be loaded later.
bool RunResumedGame(Platform& platform, const Replay& kept, std::string& why);

// Puts the kept game at `path` aside ("<path>.bad") and returns what to tell
// the player: the hole it was left on (0: not known), why it could not be
// resumed and where it is now.
std::string SetKeptGameAside(const std::string& path, int hole, const std::string& why);

}  // namespace gp
