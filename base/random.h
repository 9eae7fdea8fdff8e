#pragma once
// The game's random source: Random(n) is uniform in 0..n-1 (0 when n <= 0).
// Seeded from the clock at game start, or fixed for tests and --seed.

#include <cstdint>

namespace gp {

void Randomize(uint64_t seed);
int Random(int n);

// The generator's whole state, so that a game can be put back exactly where it
// was (the solver tries strokes and goes back).
struct RandomState {
  uint64_t words[4];
};
RandomState SaveRandom();
void RestoreRandom(const RandomState& r);

}  // namespace gp
