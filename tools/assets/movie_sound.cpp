// The intro movies' sound tracks, synthesised in step with their timelines.
#include <cmath>

#include "tools/assets/movie_scenes.h"
#include "tools/assets/synth.h"
#include "tools/assets/synth_voices.h"

namespace gp::assets {

using namespace synth;

namespace {

// Equal-tempered frequency of a MIDI note number.
double Note(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A soft pad chord: detuned triangle pairs with a slow swell and long release.
void Pad(Buf& b, double start, double dur, const int* notes, int count, double amp) {
  for (int i = 0; i < count; ++i) {
    const double f = Note(notes[i]);
    Tone(b, start, dur, f * 0.998, f * 0.998, amp, {0.9, 2.2}, Wave::Triangle, 0.004, 4.5);
    Tone(b, start, dur, f * 1.003, f * 1.003, amp * 0.7, {1.1, 2.0}, Wave::Sine, 0.003, 5.2);
  }
}

}  // namespace

std::vector<int16_t> LogoSound() {
  Buf b = Silence(logo::kEnd);
  // A rising shimmer as the planet lights, then three bells as the ring sweeps.
  Noise(b, logo::kPlanet, 1.0, 0.18, {0.5, 0.25}, 2000, 6000, 3, 801);
  Tone(b, logo::kPlanet, 2.6, Note(40), Note(40), 0.35, {0.4, 1.2}, Wave::Sine);
  const int bells[] = {76, 83, 88, 91};
  for (int i = 0; i < 4; ++i) {
    Bell(b, logo::kRing + 0.16 * i, 2.4 - 0.16 * i, Note(bells[i]), 0.22, 0.7, 3.5, 1.6);
  }
  const int chord[] = {52, 59, 64, 68};
  Pad(b, logo::kLetters, logo::kEnd - logo::kLetters, chord, 4, 0.07);
  // A tiny sparkle with the glint.
  Bell(b, logo::kGlint, 1.0, Note(96), 0.1, 0.35, 2.0, 1.0);
  Echo(b, 0.19, 0.35, 0.3);
  LowPass(b, 7000);
  return Finish(b, 0.6);
}

std::vector<int16_t> IntroSound() {
  Buf b = Silence(intro::kEnd);
  // The flight: deep space hum and the ball's whoosh, growing as it nears.
  Tone(b, 0, intro::kLand + 0.6, Note(33), Note(31), 0.25, {1.2, 3.0}, Wave::Sine, 0.01, 0.3);
  Noise(b, intro::kFlight, intro::kLand - intro::kFlight, 0.5, {2.4, 0.3}, 250, 2600, 1.6, 901);
  Noise(b, intro::kFlight + 1.0, intro::kLand - intro::kFlight - 1.0, 0.25, {1.6, 0.2}, 3000, 900,
        4, 902);
  // The landing thud and two smaller hops, then the roll across the felt.
  LowNoise(b, intro::kLand, 0.35, 0.8, {0.002, 0.08}, 600, 120, 903);
  Tone(b, intro::kLand, 0.25, 140, 70, 0.5, {0.002, 0.07});
  LowNoise(b, intro::kHop2, 0.2, 0.4, {0.002, 0.05}, 700, 200, 904);
  LowNoise(b, intro::kRoll, 0.15, 0.2, {0.002, 0.04}, 800, 250, 905);
  LowNoise(b, intro::kRoll, intro::kSink - intro::kRoll, 0.12, {0.05, 0.9}, 500, 260, 906);
  // Into the cup: a hollow rattle and a bright ding.
  Tone(b, intro::kSink, 0.18, 520, 180, 0.45, {0.002, 0.06}, Wave::Triangle);
  LowNoise(b, intro::kSink + 0.05, 0.2, 0.35, {0.002, 0.05}, 1200, 300, 907);
  Bell(b, intro::kSink + 0.12, 1.6, Note(84), 0.25, 0.6, 3.5, 1.8);
  // The title: a warm chord and a rising arpeggio of bells.
  const int chord[] = {48, 55, 64, 67, 71, 74};
  Pad(b, intro::kTitle, intro::kEnd - intro::kTitle, chord, 6, 0.06);
  const int arp[] = {72, 76, 79, 83, 86, 88};
  for (int i = 0; i < 6; ++i) {
    Bell(b, intro::kTitle + 0.12 * i, 2.2, Note(arp[i]), 0.12, 0.8, 3.5, 1.4);
  }
  Echo(b, 0.23, 0.4, 0.3);
  LowPass(b, 7500);
  // Everything fades with the picture.
  const size_t fade0 = static_cast<size_t>(intro::kFadeOut * kRate);
  for (size_t i = fade0; i < b.size(); ++i) {
    b[i] *= static_cast<float>(1.0 - static_cast<double>(i - fade0) / (b.size() - fade0));
  }
  return Finish(b, 0.7);
}

}  // namespace gp::assets
