#pragma once
// A whole game of computer players, headless: the real game window on the
// headless platform, every player the computer at its skill, each frame with
// the computers' events delivered first (their decisions made at once), until
// the score sheet shows. Optionally recorded as a replay, and watched frame by
// frame (the soak's checks).

#include <cstdint>
#include <string>
#include <vector>

#include "game/setup.h"
#include "tools/lab/autoplay.h"

namespace gp::lab {

struct MatchOptions {
  GameSetup setup;              // rules, training; players and computers set from `skills`
  std::vector<int> skills;      // one per player, 1 Rookie .. 3 Ace
  uint64_t seed = 1;            // the game's random seed
  std::string record;           // replay file to write; empty: none
  std::string records;          // records file the game keeps its results in; empty: none
  FrameWatch* watch = nullptr;  // called around every frame; may stop the game
  int holes = 6;                // stops once this many holes are complete
  int maxframes = 400000;
};

struct MatchHole {
  std::string name;
  int par = 0;
  std::vector<int> strokes;  // per player
};

struct MatchResult {
  std::string error;  // empty when the game ran
  bool gameover = false;
  int frames = 0;
  std::vector<MatchHole> holes;
  std::vector<int> totals;         // per player
  int winner = 0;                  // the first player the score details name, 1-based
  std::vector<int64_t> simframes;  // frames simulated per decision
  double seconds = 0;
};

// `folder`: the program folder with the data files, ending with '/'.
MatchResult PlayMatch(const MatchOptions& o, const std::string& folder);

// "rookie", "pro", "ace" as 1..3; 0 for anything else.
int SkillNumber(const std::string& name);

}  // namespace gp::lab
