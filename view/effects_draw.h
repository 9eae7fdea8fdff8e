#pragma once
// Transient sprites and particles drawn from the state.

#include "view/scene.h"

namespace gp {

// Slots 50 down to 1: plain, subtractive (p1 < 0), additive (p1 > 0), pulsing (p2 > 0).
void DrawSprites(const Scene& sc);
// Each active particle: its track or ground dot, then the particle itself.
void DrawParticles(const Scene& sc);

}  // namespace gp
