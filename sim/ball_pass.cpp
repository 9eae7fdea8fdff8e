#include "sim/ball_pass.h"

#include "game/state.h"
#include "sim/devices.h"
#include "sim/scoring.h"

namespace gp {

void BallRules(int p, bool drawn) {
  Ball& b = gs().players[p];
  // A shade area darkens a ball for one drawing; a rolling ball sheds it.
  if (drawn && !b.sinking && b.moving) b.shade = 0;
  if (drawn && (b.sinking || b.falloff)) ReturnBall(p);
  PipeTravel(p);
  DropAndHoleOut(p);
}

}  // namespace gp
