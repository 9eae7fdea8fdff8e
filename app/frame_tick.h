#pragma once
// The frame tick: one call advances the game by one frame and presents it.

namespace gp {

void GengineTimer();

// Physics steps per frame beyond the first, from the measured ticks per second:
// 4 below 21, 2 from 21 to 40, 1 from 41.
int TimescaleForRate(int rate);

}  // namespace gp
