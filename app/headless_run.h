#pragma once
// Driving the game's frame timer on the headless platform: tests and the lab
// advance the virtual clock and let the timer decide whether a frame runs.

#include <cstdint>

namespace gp {

class HeadlessPlatform;

// Advances the virtual clock by `ms` and runs the frame tick when the game
// window's timer is due. Returns true when a frame ran.
bool TickAfter(HeadlessPlatform& platform, uint32_t ms);

// Milliseconds to advance for frame number `frame` (1-based) so that frames come
// at `rate` per second on a whole-millisecond clock (60 gives 16, 17, 17, ...).
uint32_t FrameStep(int rate, int frame);

}  // namespace gp
