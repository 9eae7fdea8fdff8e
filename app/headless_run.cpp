#include "app/headless_run.h"

#include "app/frame_tick.h"
#include "platform/headless/headless_platform.h"
#include "app/game_window.h"

namespace gp {

bool TickAfter(HeadlessPlatform& platform, uint32_t ms) {
  platform.Advance(ms);
  if (!gamewin().timer.Due(platform.Ticks())) return false;
  RunFrame();
  return true;
}

uint32_t FrameStep(int rate, int frame) {
  if (rate <= 0 || frame <= 0) return 0;
  const auto at = [rate](int64_t k) { return k * 1000 / rate; };
  return static_cast<uint32_t>(at(frame) - at(frame - 1));
}

}  // namespace gp
