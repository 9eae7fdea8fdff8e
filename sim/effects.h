#pragma once
// Transient sprites and particle bursts.

namespace gp {

enum class BurstKind { Dust, Debris, Spray, HardSplash, SoftSplash, Blast };

// Fills particles from a template at ball p's position. `green` selects the
// green splash colour (water areas with p3 = 1).
void Burst(BurstKind kind, int p, bool green = false);
void AnimateSprites();
void AnimateParticles();

}  // namespace gp
