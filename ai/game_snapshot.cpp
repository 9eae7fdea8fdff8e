#include "ai/game_snapshot.h"

#include "ai/running_game.h"

namespace gp::ai {

GameSnapshot SnapshotGame() {
  const FrameTimer* timer = runninggame().timer;
  return GameSnapshot{gs(), SaveRandom(), timer ? *timer : FrameTimer{}};
}

void RestoreGame(const GameSnapshot& s) {
  gs() = s.state;
  RestoreRandom(s.random);
  if (FrameTimer* timer = runninggame().timer) *timer = s.timer;
}

}  // namespace gp::ai
