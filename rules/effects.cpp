#include "rules/effects.h"

namespace gp {

// Effects are not built yet: bursts and sprites are invisible.
void Burst(BurstKind, int, bool) {}
void AnimateSprites() {}
void AnimateParticles() {}

}  // namespace gp
