#pragma once
// The game's frame timer (`timer`): driven from idle processing over a
// millisecond clock; ticks when `interval` has passed (at most 60 a second
// even at interval 0) and measures the rate of the last tick.

#include <cstdint>

namespace gp {

// Ticks per second never exceeded, whatever the interval.
constexpr int kMaxTickRate = 60;

struct FrameTimer {
  bool enabled = false;
  int interval = 0;         // milliseconds: 0, 33 or 66
  uint32_t last = 0;        // clock of the last tick
  bool ticked = false;      // a tick has happened since the timer was created
  int rate = kMaxTickRate;  // measured ticks per second of the last tick; 60 before the first

  // Called whenever the message queue is empty: when enabled and due, records
  // the time and the measured rate and returns true (the caller then ticks).
  bool Due(uint32_t now);
  // Milliseconds until the next tick is due (0 when due or disabled).
  uint32_t Wait(uint32_t now) const;

 private:
  // The 60-a-second cap: tick k after `epoch` may come at epoch + k * 1000 / 60
  // (whole milliseconds, rounded down), so a steady 60 Hz clock read in whole
  // milliseconds (16, 17, 17, ...) is never halved.
  uint32_t epoch_ = 0;
  int slot_ = 0;  // index of the next tick after epoch_, 0..59
  uint32_t CapWait(uint32_t now) const;
};

// ticks per second measured over `ms` milliseconds: 1000 / max(ms, 1), halves to
// even, and never below 1.
int MeasuredRate(uint32_t ms);

}  // namespace gp
