#pragma once
// Transient sprites and particle bursts.

namespace gp {

enum class BurstKind { Dust, Debris, Spray, HardSplash, SoftSplash, Blast };

// Fills particles from a template at ball p's position. `green` selects the
// green splash colour (water areas with p3 = 1).
void Burst(BurstKind kind, int p, bool green = false);
// Once per frame, after the sprites are drawn: pulses and animation counters;
// a sprite that does not loop empties its slot after its last pattern.
void UpdateSprites();
// Once per frame, before the particles are drawn: flight, bounces, walls.
void UpdateParticles();

}  // namespace gp
