#include "base/random.h"

namespace gp {

namespace {
// xoshiro256** seeded through splitmix64: small, fast and reproducible.
uint64_t s[4] = {0x9E3779B97F4A7C15ull, 0xBF58476D1CE4E5B9ull, 0x94D049BB133111EBull, 1};

uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

uint64_t Next() {
  const uint64_t result = Rotl(s[1] * 5, 7) * 9;
  const uint64_t t = s[1] << 17;
  s[2] ^= s[0];
  s[3] ^= s[1];
  s[1] ^= s[2];
  s[0] ^= s[3];
  s[2] ^= t;
  s[3] = Rotl(s[3], 45);
  return result;
}
}  // namespace

void Randomize(uint64_t seed) {
  for (auto& word : s) {
    seed += 0x9E3779B97F4A7C15ull;
    uint64_t z = seed;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    word = z ^ (z >> 31);
  }
}

int Random(int n) {
  if (n <= 0) return 0;
  // Multiply-shift: uniform enough for a game, no modulo bias worth noticing.
  return static_cast<int>(((Next() >> 32) * static_cast<uint64_t>(n)) >> 32);
}

RandomState SaveRandom() {
  return RandomState{{s[0], s[1], s[2], s[3]}};
}

void RestoreRandom(const RandomState& r) {
  for (int i = 0; i < 4; ++i) s[i] = r.words[i];
}

}  // namespace gp
