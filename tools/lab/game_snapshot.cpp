#include "tools/lab/game_snapshot.h"

#include "app/game_window.h"

namespace gp::lab {

GameSnapshot SnapshotGame() {
  return GameSnapshot{gs(), SaveRandom(), gamewin().timer};
}

void RestoreGame(const GameSnapshot& s) {
  gs() = s.state;
  RestoreRandom(s.random);
  gamewin().timer = s.timer;
}

}  // namespace gp::lab
