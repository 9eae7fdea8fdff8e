#pragma once
// Building blocks of the sound synthesiser: float buffers at 22 050 Hz,
// oscillators with pitch sweeps, shaped noise, filters and the final
// conversion to 16-bit samples. Deterministic: noise comes from a seeded LCG.

#include <cstdint>
#include <vector>

namespace gp::assets::synth {

using Buf = std::vector<float>;

enum class Wave { Sine, Triangle, Square, Saw };

// Attack then exponential decay (time constant `decay` seconds), faded to 0
// over the last 5 ms of the note.
struct Env {
  double attack = 0.002, decay = 0.1;
};

Buf Silence(double seconds);

// A tone from `start` for `dur` seconds, its frequency gliding exponentially
// from f0 to f1 Hz; `vibrato` is a relative depth at `vibratohz`.
void Tone(Buf& b, double start, double dur, double f0, double f1, double amp, Env env,
          Wave wave = Wave::Sine, double vibrato = 0, double vibratohz = 6);
// Two-operator FM bell: carrier f, modulator f * ratio with index decaying.
void Bell(Buf& b, double start, double dur, double f, double amp, double decay, double ratio = 3.5,
          double index = 2.5);
// White noise through a resonant band-pass whose centre glides from c0 to c1 Hz
// (c0 = 0: unfiltered), with resonance q (0.5 wide .. 10 narrow).
void Noise(Buf& b, double start, double dur, double amp, Env env, double c0, double c1, double q,
           uint32_t seed);
// Noise through a low-pass gliding from c0 to c1 Hz (rumbles, thuds, booms).
void LowNoise(Buf& b, double start, double dur, double amp, Env env, double c0, double c1,
              uint32_t seed);

// Whole-buffer filters and effects.
void LowPass(Buf& b, double cutoff);
void HighPass(Buf& b, double cutoff);
void Echo(Buf& b, double delay, double feedback, double mix);
// Multiplies by 1 - depth/2 + depth/2 * sin(2 pi f t).
void Tremolo(Buf& b, double f, double depth);

// Peak-normalises to `peak` (0..1 of full scale) and converts, with 2 ms fades
// at both ends so no sound starts or stops with a click.
std::vector<int16_t> Finish(const Buf& b, double peak);
// Makes the buffer loop seamlessly: its last `fade` seconds are cross-faded
// into its start and then cut, so sample n-1 runs on into sample 0. Equal
// power suits unrelated material (noise, beds); linear suits a tail that
// repeats the start.
Buf LoopSeam(const Buf& b, double fade, bool equalpower = true);
// Converts a loop without end fades (the seam carries on into the start).
std::vector<int16_t> FinishLoop(const Buf& b, double peak);

// An RBJ biquad filter: low-pass, high-pass, or band-pass with a constant
// peak gain. Stable for every cutoff below Nyquist and every q > 0.
struct Biquad {
  enum Kind { LowPass, HighPass, BandPass };
  double b0 = 0, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  void Set(Kind kind, double fc, double q);
  double Step(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
};

// A deterministic pseudo-random number generator.
struct Rng {
  uint32_t s;
  explicit Rng(uint32_t seed) : s(seed * 2654435761u + 12345u) {}
  uint32_t Next() {
    s = s * 1664525u + 1013904223u;
    return s;
  }
  double Uniform() { return (Next() >> 8) / 16777216.0; }  // 0..1
  double Signed() { return Uniform() * 2 - 1; }            // -1..1
};

}  // namespace gp::assets::synth
