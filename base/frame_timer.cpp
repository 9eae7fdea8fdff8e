#include "base/frame_timer.h"

#include <algorithm>
#include <cmath>

namespace gp {

int MeasuredRate(uint32_t ms) {
  // At least 1: a pause of two seconds or more (a message box, a suspended
  // machine) would round to 0, which no replay can hold; both run 4 steps a frame.
  return std::max(1, static_cast<int>(std::nearbyint(1000.0 / std::max<uint32_t>(ms, 1))));
}

uint32_t FrameTimer::CapWait(uint32_t now) const {
  // Signed: the schedule's start may lie just ahead of the clock after it advanced a second.
  const int32_t allowed = slot_ * 1000 / kMaxTickRate;
  const int32_t since = static_cast<int32_t>(now - epoch_);
  return since >= allowed ? 0 : static_cast<uint32_t>(allowed - since);
}

uint32_t FrameTimer::Wait(uint32_t now) const {
  if (!enabled || !ticked) return 0;
  const uint32_t elapsed = now - last;
  const uint32_t need = static_cast<uint32_t>(std::max(interval, 0));
  return std::max(elapsed >= need ? 0 : need - elapsed, CapWait(now));
}

bool FrameTimer::Due(uint32_t now) {
  if (!enabled) return false;
  if (ticked && Wait(now) > 0) return false;

  if (ticked) rate = MeasuredRate(now - last);
  last = now;
  // Advance the cap's schedule; a tick late by a whole frame or more starts a
  // new schedule at once, so slow frames are never followed by a burst.
  if (!ticked) {
    epoch_ = now;
    slot_ = 0;
  }
  ticked = true;
  ++slot_;
  if (CapWait(now) == 0) {
    epoch_ = now;
    slot_ = 1;
  } else if (slot_ == kMaxTickRate) {
    epoch_ += 1000;
    slot_ = 0;
  }
  return true;
}

}  // namespace gp
