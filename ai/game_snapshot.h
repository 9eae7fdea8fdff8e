#pragma once
// The running game as a value: everything a frame reads and writes while a hole
// is played (the state, the random generator, the frame timer), so that a
// search can try a stroke and put the game back exactly as it was. The rest of
// the game window (pictures, sounds, the display) does not change on a hole.

#include "base/frame_timer.h"
#include "base/random.h"
#include "game/state.h"

namespace gp::ai {

struct GameSnapshot {
  GameState state;
  RandomState random{};
  FrameTimer timer;
};

GameSnapshot SnapshotGame();
void RestoreGame(const GameSnapshot& s);

}  // namespace gp::ai
