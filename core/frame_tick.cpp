#include "core/frame_tick.h"

namespace gp {

void GengineTimer() {}

}  // namespace gp
