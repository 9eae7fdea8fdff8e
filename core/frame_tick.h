#pragma once
// The frame tick: one call advances the game by one frame and presents it.

namespace gp {

void GengineTimer();

}  // namespace gp
