#pragma once
// Plays a replay on the headless platform: the recorded setup and seed, every
// event delivered before its frame, every frame ticked with its recorded rate.

#include <string>
#include <vector>

#include "app/replay.h"

namespace gp {

class HeadlessPlatform;

struct ReplayHole {
  int number = 0;
  std::string name;
  std::vector<int> strokes;  // per player, 0 = not played
};

struct ReplayResult {
  bool opened = false;  // false: the game window did not open
  int frames = 0;       // frames ticked
  std::vector<ReplayHole> holes;
  std::string standings;  // the standings line at the end
  bool gameover = false;
  // Hash of the state after every change of hole and at the end, and of every
  // 60th frame's pixels.
  std::string digest;
  std::vector<std::string> messages;  // message boxes shown
};

// The rate of frame `frame`: the recorded rates from `next` on that apply by
// then, else `current`; advances `next`.
int RateAt(const Replay& r, int frame, size_t& next, int current);

// `folder`: the program folder with the data files, ending with '/'.
ReplayResult RunReplay(const Replay& r, HeadlessPlatform& platform, const std::string& folder);

}  // namespace gp
