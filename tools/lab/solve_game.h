#pragma once
// A game for the solver and for playing its lines: the real game window on the
// headless platform, one player, its hole cards closed by a key as soon as they
// show. It counts hole frames (frames run since the current hole was set up:
// the hole's first whole frame is 1) and plays lines of strokes through input
// events, each struck on its hole frame.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ai/solver.h"
#include "game/setup.h"
#include "platform/headless/headless_platform.h"

namespace gp::lab {

class SolveGame {
 public:
  SolveGame() = default;
  SolveGame(const SolveGame&) = delete;
  SolveGame& operator=(const SolveGame&) = delete;
  ~SolveGame();

  // Opens the game window with the data in `folder` (ending with '/') on hole
  // `hole` (empty: the setup's first hole) with the game's random seed `seed`,
  // and closes the hole card. An error text, empty when the game runs.
  std::string Open(const std::string& folder, const std::string& hole, uint64_t seed,
                   GameSetup s = GameSetup{});

  // The next Open reads the holes from `folder` as they are (GameStart::holefolder).
  void SetHoleFolder(std::string folder) { holefolder_ = std::move(folder); }

  HeadlessPlatform& platform() { return platform_; }
  int HoleFrame() const;

  // One whole frame as the window ticks it (drawn); a new hole's card is closed
  // right after the frame that set the hole up.
  void Tick();

  // Plays `shots` on the current hole, each struck on its hole frame, then runs
  // until the hole is over. An error text, empty when every stroke was struck
  // on its frame and the ball holed out.
  std::string PlayLine(const std::vector<ai::SolvedShot>& shots);

  // Solves the current hole from where it stands and plays the line found.
  // An error text, empty when the ball holed out; `out` gets the line.
  std::string SolveAndPlay(const ai::SolveOptions& o, ai::Solution* out = nullptr);

  // Runs until the next hole is set up (its card then closed) or the game is
  // over. False when neither came.
  bool NextHole();

 private:
  HeadlessPlatform platform_;
  int holestart_ = 0;  // window frame in which the current hole was set up
  std::string holefolder_;

  bool TickUntil(bool (*done)(), int limit);
  std::string Strike(const ai::SolvedShot& shot);
};

}  // namespace gp::lab
