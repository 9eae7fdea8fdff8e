#pragma once
// The game's frame timer (`gengine`): driven from idle processing over a
// millisecond clock; ticks when `interval` has passed (at most 60 a second
// even at interval 0) and measures the rate of the last tick.

#include <cstdint>

namespace gp {

struct FrameTimer {
  bool enabled = false;
  int interval = 0;      // milliseconds: 0, 33 or 66
  uint32_t last = 0;     // clock of the last tick
  bool ticked = false;   // a tick has happened since the timer was created
  int rate = 0;          // measured frames per second of the last tick

  // Called whenever the message queue is empty: when enabled and due, records
  // the time and the measured rate and returns true (the caller then ticks).
  bool Due(uint32_t now);
  // Milliseconds until the next tick is due (0 when due or disabled).
  uint32_t Wait(uint32_t now) const;
};

}  // namespace gp
