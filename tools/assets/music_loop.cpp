// Effects and beds of a music loop, in the loop's steady state: each effect
// first runs over the last seconds of the loop (its tail as it would sound
// just before the start), then over the whole loop, so the end flows into the
// start with every echo and reverb tail carried over.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/assets/music_dsp.h"
#include "tools/assets/music_voices.h"
#include "tools/assets/synth_voices.h"

namespace gp::assets::music {

namespace {

constexpr double kWarm = 8.0;  // seconds of the tail run first: any tail has died by then

// Runs `step` (one sample in, one out) over the loop in steady state; `in` and
// `out` may be the same buffer.
template <typename Step>
void Circular(const Buf& in, Buf& out, Step step) {
  const size_t n = in.size(), warm = std::min(n, static_cast<size_t>(kWarm * kRate));
  for (size_t i = n - warm; i < n; ++i) step(in[i], i);
  for (size_t i = 0; i < n; ++i) out[i] = static_cast<float>(step(in[i], i));
}

struct Comb {
  std::vector<float> line;
  size_t k = 0;
  double store = 0;
  double Step(double x, double feedback, double damp) {
    const double y = line[k];
    store = y * (1 - damp) + store * damp;
    line[k] = static_cast<float>(x + store * feedback);
    if (++k == line.size()) k = 0;
    return y;
  }
};

struct AllPass {
  std::vector<float> line;
  size_t k = 0;
  double Step(double x) {
    const double b = line[k];
    line[k] = static_cast<float>(x + b * 0.5);
    if (++k == line.size()) k = 0;
    return b - x;
  }
};

// sin(2 pi cycles i / n): a swell that completes whole cycles in the loop.
double Swell(size_t i, size_t n, int cycles, double phase = 0) {
  return std::sin(kTau * (static_cast<double>(i) * cycles / static_cast<double>(n) + phase));
}

void Rain(Buf& bus, float gain, uint32_t seed) {
  const size_t n = bus.size();
  Buf hiss(n);
  for (size_t i = 0; i < n; ++i) hiss[i] = Hash(static_cast<uint32_t>(i), seed);
  synth::Biquad bp;
  bp.Set(synth::Biquad::BandPass, 2600, 0.6);
  OnePole lp(6000);
  Circular(hiss, hiss,
           [&](float x, size_t i) { return lp.Low(bp.Step(x)) * (0.75 + 0.25 * Swell(i, n, 3)); });
  for (size_t i = 0; i < n; ++i) bus[i] += gain * 0.5f * hiss[i];
  // Drops: short high pings scattered over the loop.
  synth::Rng r(seed);
  for (double t = 0; t < static_cast<double>(n) / kRate; t += 0.05 + 0.35 * r.Uniform()) {
    const double f = 1800 + 2800 * r.Uniform(), a = 0.15 + 0.35 * r.Uniform();
    Buf drop(static_cast<size_t>(0.03 * kRate));
    for (size_t i = 0; i < drop.size(); ++i) {
      const double s = static_cast<double>(i) / kRate;
      drop[i] = static_cast<float>(a * std::sin(kTau * f * s) * std::exp(-s / 0.005));
    }
    AddWrapped(bus, drop, std::lround(t * kRate), gain);
  }
}

void Wind(Buf& bus, float gain, uint32_t seed) {
  const size_t n = bus.size();
  Buf air(n);
  for (size_t i = 0; i < n; ++i) air[i] = Hash(static_cast<uint32_t>(i), seed);
  synth::Biquad bp;
  Circular(air, air, [&](float x, size_t i) {
    if (i % 32 == 0) {
      const double c = 520 * std::pow(2.0, 1.1 * Swell(i, n, 2) + 0.5 * Swell(i, n, 5, 0.3));
      bp.Set(synth::Biquad::BandPass, c, 2.5);
    }
    return bp.Step(x) * (0.6 + 0.4 * Swell(i, n, 3, 0.1));
  });
  for (size_t i = 0; i < n; ++i) bus[i] += gain * 1.3f * air[i];
}

void Hum(Buf& bus, int root, float gain) {  // a soft machine hum on the key's root
  const size_t n = bus.size();
  const double hz = 440.0 * std::pow(2.0, (36 + root - 69) / 12.0);
  const double c = std::round(hz * n / kRate);  // whole cycles in the loop: about hz
  for (size_t i = 0; i < n; ++i) {
    const double p = std::fmod(c * static_cast<double>(i), static_cast<double>(n)) / n;
    const double v =
        std::sin(kTau * p) + 0.45 * std::sin(kTau * 2 * p) + 0.2 * std::sin(kTau * 3 * p);
    bus[i] += static_cast<float>(gain * 0.35 * v * (0.75 + 0.25 * Swell(i, n, 6)));
  }
}

void Bubbles(Buf& bus, float gain, uint32_t seed) {
  synth::Rng r(seed);
  const double seconds = static_cast<double>(bus.size()) / kRate;
  for (double t = 0; t < seconds; t += 0.12 + (r.Uniform() < 0.3 ? 1.2 : 0.35) * r.Uniform()) {
    const double f0 = 500 + 600 * r.Uniform(), len = 0.04 + 0.04 * r.Uniform();
    const double a = 0.25 + 0.35 * r.Uniform();
    Buf blip(static_cast<size_t>(len * kRate));
    double ph = 0;
    for (size_t i = 0; i < blip.size(); ++i) {
      const double s = static_cast<double>(i) / kRate;
      ph += f0 * std::pow(1.9, s / len) / kRate;
      blip[i] = static_cast<float>(a * std::sin(kTau * ph) * std::min(1.0, s / 0.004) *
                                   std::exp(-s / (len * 0.4)));
    }
    AddWrapped(bus, blip, std::lround(t * kRate), gain);
  }
}

void Sparkle(Buf& bus, Key key, float gain, uint32_t seed) {  // glints on the key's pentatonic
  static const int kMajor[5] = {0, 2, 4, 7, 9}, kMinor[5] = {0, 3, 5, 7, 10};
  const int* penta = key.minor ? kMinor : kMajor;
  synth::Rng r(seed);
  const double seconds = static_cast<double>(bus.size()) / kRate;
  for (double t = 0.7; t < seconds; t += 1.1 + 2.2 * r.Uniform()) {
    const int note = 72 + key.root + penta[r.Next() % 5] + (r.Uniform() < 0.3 ? 12 : 0);
    const double hz = 440.0 * std::pow(2.0, (note - 69) / 12.0);
    AddWrapped(bus, Voice(Instrument::Celesta, hz, 0.2, 0.25 + 0.25 * r.Uniform(), 1, 0),
               std::lround(t * kRate), gain);
  }
}

}  // namespace

Buf LoopReverb(const Buf& in, double room, double damp) {
  static const int kCombs[8] = {557, 593, 641, 677, 709, 743, 778, 809};
  static const int kPasses[4] = {277, 219, 173, 113};
  Comb combs[8];
  AllPass passes[4];
  for (int i = 0; i < 8; ++i) combs[i].line.assign(static_cast<size_t>(kCombs[i]), 0.0f);
  for (int i = 0; i < 4; ++i) passes[i].line.assign(static_cast<size_t>(kPasses[i]), 0.0f);
  const double feedback = 0.7 + 0.28 * room;
  OnePole low(180);  // keeps the bass out of the reverb
  Buf out(in.size());
  Circular(in, out, [&](float x, size_t) {
    const double v = 0.1 * low.High(x);
    double y = 0;
    for (Comb& c : combs) y += c.Step(v, feedback, damp);
    for (AllPass& p : passes) y = p.Step(y);
    return y;
  });
  return out;
}

Buf LoopEcho(const Buf& in, size_t delay, double feedback) {
  std::vector<float> line(std::max<size_t>(delay, 1), 0.0f);
  size_t k = 0;
  OnePole tone(3200);
  Buf out(in.size());
  Circular(in, out, [&](float x, size_t) {
    const double y = line[k];
    line[k] = static_cast<float>(x + feedback * tone.Low(y));
    if (++k == line.size()) k = 0;
    return y;
  });
  return out;
}

void LoopHighPass(Buf& b, double hz) {
  OnePole a(hz), c(hz);
  Circular(b, b, [&](float x, size_t) { return c.High(a.High(x)); });
}

void AddTexture(Buf& bus, Texture t, Key key, float gain, uint32_t seed) {
  switch (t) {
    case Texture::Rain:
      Rain(bus, gain, seed);
      break;
    case Texture::Wind:
      Wind(bus, gain, seed);
      break;
    case Texture::Hum:
      Hum(bus, key.root, gain);
      break;
    case Texture::Bubbles:
      Bubbles(bus, gain, seed);
      break;
    case Texture::Sparkle:
      Sparkle(bus, key, gain, seed);
      break;
    case Texture::None:
      break;
  }
}

}  // namespace gp::assets::music
