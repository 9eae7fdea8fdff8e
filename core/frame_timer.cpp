#include "core/frame_timer.h"

namespace gp {

bool FrameTimer::Due(uint32_t) { return false; }
uint32_t FrameTimer::Wait(uint32_t) const { return 0; }

}  // namespace gp
