#pragma once
// Small signal helpers the music's voices and loop effects share.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/assets/synth.h"

namespace gp::assets::music {

constexpr double kTau = 2 * M_PI;

// Deterministic white noise, -1..1, as a hash of (index, seed).
inline float Hash(uint32_t i, uint32_t seed) {
  uint32_t x = i * 0x9E3779B1u ^ (seed * 0x85EBCA77u + 0x165667B1u);
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return static_cast<float>(x / 2147483648.0 - 1.0);
}

// y += a (x - y): a one-pole low-pass at `hz`; High() is what it leaves out.
struct OnePole {
  double a, y = 0;
  explicit OnePole(double hz) : a(1 - std::exp(-kTau * std::min(hz, kRate * 0.45) / kRate)) {}
  double Low(double x) { return y += a * (x - y); }
  double High(double x) { return x - Low(x); }
};

}  // namespace gp::assets::music
