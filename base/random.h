#pragma once
// The game's random source: Random(n) is uniform in 0..n-1 (0 when n <= 0).
// Seeded from the clock at game start, or fixed for tests and --seed.

#include <cstdint>

namespace gp {

void Randomize(uint64_t seed);
int Random(int n);

}  // namespace gp
