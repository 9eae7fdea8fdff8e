// Calm ambient beds for the holes and the launcher, which loop without a
// click, and the hole devices' one-shot sounds.
#include <algorithm>
#include <cmath>

#include "tools/assets/synth.h"
#include "tools/assets/synth_voices.h"

namespace gp::assets {

using namespace synth;

namespace {

constexpr double kSeam = 1.0;  // seconds cross-faded at the loop point

double Hz(int note) {
  return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// A sustained note that swells in and out over the whole bed.
void Pad(Buf& b, double f, double amp, Wave w, double detune) {
  const double dur = static_cast<double>(b.size()) / kRate;
  Tone(b, 0, dur, f, f, amp, {0.0001, 1e9}, w, detune, 0.13);
  Tone(b, 0, dur, f * (1 + detune), f * (1 + detune), amp * 0.7, {0.0001, 1e9}, w, detune, 0.11);
}

void Drone(Buf& b) {  // 0: a deep drone with a slow beating fifth and wind
  Pad(b, 55, 0.5, Wave::Triangle, 0.002);
  Pad(b, 82.4, 0.25, Wave::Sine, 0.003);
  LowNoise(b, 0, b.size() / double(kRate), 0.25, {0.0001, 1e9}, 300, 300, 301);
  Tremolo(b, 0.1, 0.4);
}

void SoftPad(Buf& b) {  // 1: a soft minor chord with a slow swell
  for (int n : {57, 60, 64, 69}) Pad(b, Hz(n), 0.22, Wave::Saw, 0.003);
  LowPass(b, 900);
  Tremolo(b, 0.125, 0.5);
}

void Hum(Buf& b) {  // 2: a distant machine hum with a slow pulse
  for (int k = 1; k <= 5; ++k) Pad(b, 60.0 * k, 0.3 / k, Wave::Sine, 0.0005 * k);
  Tremolo(b, 0.5, 0.3);
  LowNoise(b, 0, b.size() / double(kRate), 0.12, {0.0001, 1e9}, 500, 500, 302);
}

void SpaceWind(Buf& b) {  // 3: wind in the void, sweeping slowly
  const double dur = b.size() / double(kRate);
  Noise(b, 0, dur, 0.6, {0.0001, 1e9}, 250, 1200, 3, 303);
  Noise(b, 0, dur, 0.4, {0.0001, 1e9}, 1500, 400, 4, 304);
  Pad(b, 73.4, 0.2, Wave::Sine, 0.002);
  Tremolo(b, 0.08, 0.5);
}

void Crystal(Buf& b) {  // 4: sparse crystal bells over a pad
  for (int n : {52, 59, 64}) Pad(b, Hz(n), 0.15, Wave::Triangle, 0.002);
  const int scale[5] = {76, 79, 81, 83, 88};
  Rng r(305);
  const double dur = b.size() / double(kRate);
  for (double t = 0.3; t < dur - 2; t += 0.9 + 1.4 * r.Uniform()) {
    Bell(b, t, 2.0, Hz(scale[r.Next() % 5]), 0.12 + 0.08 * r.Uniform(), 0.7, 2.0, 1.0);
  }
}

void StormBed(Buf& b) {  // 5: rain and a far rumble
  const double dur = b.size() / double(kRate);
  Noise(b, 0, dur, 0.35, {0.0001, 1e9}, 3500, 3500, 0.6, 306);
  LowNoise(b, 0, dur, 0.5, {0.0001, 1e9}, 120, 120, 307);
  Tremolo(b, 0.15, 0.35);
}

void Bubbles(Buf& b) {  // 6: a low drone with rising bubbles
  Pad(b, 65.4, 0.3, Wave::Sine, 0.003);
  Rng r(308);
  const double dur = b.size() / double(kRate);
  for (double t = 0.1; t < dur - 0.3; t += 0.15 + 0.5 * r.Uniform()) {
    const double f = 300 + 500 * r.Uniform();
    Tone(b, t, 0.08, f, f * 1.8, 0.12 + 0.1 * r.Uniform(), {0.004, 0.02});
  }
}

void Alien(Buf& b) {  // 7: a warbling, glassy pad
  for (int n : {50, 57, 62, 66}) {
    const double dur = b.size() / double(kRate);
    Tone(b, 0, dur, Hz(n), Hz(n), 0.15, {0.0001, 1e9}, Wave::Triangle, 0.012, 0.3 + 0.07 * (n % 5));
  }
  LowNoise(b, 0, b.size() / double(kRate), 0.08, {0.0001, 1e9}, 2000, 2000, 309);
}

}  // namespace

std::vector<int16_t> AmbientLoop(int variant, double seconds) {
  seconds = std::max(seconds, 2.0);
  Buf b = Silence(seconds + kSeam);
  switch (((variant % 8) + 8) % 8) {
    case 0:
      Drone(b);
      break;
    case 1:
      SoftPad(b);
      break;
    case 2:
      Hum(b);
      break;
    case 3:
      SpaceWind(b);
      break;
    case 4:
      Crystal(b);
      break;
    case 5:
      StormBed(b);
      break;
    case 6:
      Bubbles(b);
      break;
    default:
      Alien(b);
      break;
  }
  HighPass(b, 25);  // no DC or sub-sonic drift at the seam
  return FinishLoop(LoopSeam(b, kSeam), 0.45);
}

std::vector<int16_t> HoleDeviceSound(int kind) {
  if (kind == 0) {  // the worker wakes: a grumpy rising "hm?"
    Buf b = Silence(0.7);
    Tone(b, 0, 0.7, 110, 170, 0.6, {0.05, 0.3}, Wave::Saw, 0.02, 6);
    Buf f1 = b, f2 = b;
    LowPass(f1, 700);
    HighPass(f2, 1000);
    LowPass(f2, 1400);
    for (size_t i = 0; i < b.size(); ++i) b[i] = f1[i] + 0.6f * f2[i];
    return Finish(b, 0.8);
  }
  // A breakable shatters: a crash of glassy partials and grit.
  Buf b = Silence(1.0);
  Rng r(401);
  for (int i = 0; i < 14; ++i) {
    const double t = 0.01 * i + 0.03 * r.Uniform();
    Bell(b, t, 0.8, 1800 + 4000 * r.Uniform(), 0.15, 0.12 + 0.1 * r.Uniform(), 1.41, 3);
  }
  Noise(b, 0, 0.6, 0.6, {0.001, 0.12}, 3000, 1500, 1, 402);
  LowNoise(b, 0, 0.5, 0.5, {0.002, 0.1}, 800, 200, 403);
  return Finish(b, 0.85);
}

}  // namespace gp::assets
