// The game's sounds, synthesised: effect sounds, launcher sounds and the hole
// devices' one-shots (the music is in music*.cpp).
#include "tools/assets/synth.h"

#include <cmath>

#include "tools/assets/synth_voices.h"

namespace gp::assets {

using namespace synth;

namespace {

// Note frequency from a MIDI note number (69 = A4 = 440 Hz).
double Note(int n) {
  return 440.0 * std::pow(2.0, (n - 69) / 12.0);
}

Buf Putt() {  // the club's face meeting the ball: a crisp "tock"
  Buf b = Silence(0.18);
  Tone(b, 0, 0.18, 1250, 820, 0.55, {0.0005, 0.018});
  Tone(b, 0, 0.18, 330, 240, 0.5, {0.001, 0.04});
  Noise(b, 0, 0.05, 0.4, {0.0003, 0.006}, 3200, 2200, 1.5, 1);
  return b;
}

Buf WallBounce() {  // ball on a metal rail: a short bright clank
  Buf b = Silence(0.3);
  const double parts[4][2] = {{1180, 0.5}, {1890, 0.35}, {2710, 0.25}, {3620, 0.15}};
  for (const auto& p : parts) Tone(b, 0, 0.3, p[0], p[0] * 0.99, p[1], {0.0005, 0.05});
  Noise(b, 0, 0.03, 0.35, {0.0003, 0.005}, 4000, 3000, 2, 2);
  return b;
}

Buf Landing() {  // a hard landing, a plop into moon dust
  Buf b = Silence(0.45);
  Tone(b, 0, 0.3, 120, 45, 0.9, {0.001, 0.08});
  LowNoise(b, 0, 0.45, 0.6, {0.004, 0.12}, 1400, 300, 3);
  return b;
}

Buf CupDrop() {  // rattling into the cup
  Buf b = Silence(0.55);
  const double hits[4][2] = {{0, 1.0}, {0.07, 0.6}, {0.12, 0.4}, {0.155, 0.25}};
  for (int i = 0; i < 4; ++i) {
    Tone(b, hits[i][0], 0.2, 720 - 40 * i, 560 - 30 * i, 0.5 * hits[i][1], {0.0005, 0.03});
    Noise(b, hits[i][0], 0.08, 0.3 * hits[i][1], {0.0003, 0.01}, 1800, 1400, 3, 10 + i);
  }
  Tone(b, 0.18, 0.35, 190, 150, 0.5, {0.005, 0.09});  // the hollow cup body
  return b;
}

Buf Blip(double f, double dur) {
  Buf b = Silence(dur);
  Tone(b, 0, dur, f, f, 0.5, {0.003, dur / 4});
  Tone(b, 0, dur, f * 2, f * 2, 0.15, {0.003, dur / 6});
  return b;
}

Buf Click() {  // interface click
  Buf b = Silence(0.06);
  Tone(b, 0, 0.06, 2200, 1800, 0.6, {0.0003, 0.008});
  Noise(b, 0, 0.02, 0.3, {0.0002, 0.003}, 5000, 5000, 2, 5);
  return b;
}

Buf LoadingLoop() {  // a soft pulsing arpeggio over a pad, looping every 2 s
  // Pad frequencies are multiples of 0.5 Hz and the arpeggio repeats every
  // 2 s, so the sound after 2 s equals its start: a short seam suffices.
  Buf b = Silence(2.05);
  for (double f : {110.0, 165.0, 220.0, 261.5}) {
    Tone(b, 0, 2.05, f, f, 0.12, {0.0001, 1e9}, Wave::Triangle);
  }
  Tremolo(b, 2.0, 0.5);
  const int arp[8] = {69, 76, 72, 81, 69, 76, 74, 79};
  for (int i = 0; i < 9; ++i) Bell(b, i * 0.25, 0.22, Note(arp[i % 8]), 0.22, 0.06, 2.0, 1.2);
  return LoopSeam(b, 0.05, false);
}

Buf Teleport() {  // a rising shimmer
  Buf b = Silence(0.75);
  Tone(b, 0, 0.75, 300, 2400, 0.35, {0.05, 0.35}, Wave::Sine, 0.04, 18);
  Tone(b, 0, 0.75, 450, 3600, 0.2, {0.05, 0.3}, Wave::Triangle, 0.05, 23);
  for (int i = 0; i < 6; ++i) Bell(b, 0.08 * i, 0.3, 1500 + 300 * i, 0.12, 0.08, 1.5, 1);
  return b;
}

Buf Whoosh() {  // geyser or fan: a swelling rush of air
  Buf b = Silence(0.9);
  Noise(b, 0, 0.9, 0.9, {0.35, 0.25}, 350, 2200, 1.5, 9);
  Noise(b, 0, 0.9, 0.4, {0.25, 0.2}, 800, 4000, 0.8, 19);
  return b;
}

Buf TooFast() {  // the ball rattles over the cup and skips on
  Buf b = Silence(0.4);
  Tone(b, 0, 0.1, 900, 700, 0.5, {0.0005, 0.02});
  Tone(b, 0.06, 0.1, 1100, 800, 0.4, {0.0005, 0.02});
  Tone(b, 0.12, 0.28, 600, 1300, 0.3, {0.01, 0.1});
  return b;
}

Buf AirBounce() {  // a light "tock" of a bounce in the air
  Buf b = Silence(0.22);
  Tone(b, 0, 0.22, 560, 330, 0.6, {0.0008, 0.04});
  Noise(b, 0, 0.03, 0.2, {0.0003, 0.004}, 2500, 2000, 2, 11);
  return b;
}

Buf Blast(double dur, double low, uint32_t seed) {  // explosion or cannon
  Buf b = Silence(dur);
  LowNoise(b, 0, dur, 1.0, {0.002, dur * 0.3}, 4000, 180, seed);
  Tone(b, 0, dur, low, low * 0.45, 0.9, {0.003, dur * 0.25});
  Noise(b, 0, 0.05, 0.5, {0.0005, 0.01}, 0, 0, 1, seed + 1);
  return b;
}

Buf Splash() {  // water: a bloop and bursts of spray
  Buf b = Silence(0.65);
  Tone(b, 0, 0.12, 260, 700, 0.5, {0.002, 0.05});
  Rng r(13);
  for (int i = 0; i < 9; ++i) {
    const double t = 0.02 + r.Uniform() * 0.3;
    Noise(b, t, 0.25, 0.3 + 0.2 * r.Uniform(), {0.002, 0.05}, 1200 + 1500 * r.Uniform(), 900, 2,
          30 + i);
  }
  Noise(b, 0, 0.65, 0.25, {0.01, 0.2}, 3000, 1500, 0.7, 29);
  return b;
}

Buf Spring() {  // boing: a wobbling rising tone
  Buf b = Silence(0.7);
  Tone(b, 0, 0.7, 170, 290, 0.6, {0.002, 0.25}, Wave::Triangle, 0.18, 16);
  Tone(b, 0, 0.7, 340, 580, 0.15, {0.002, 0.15}, Wave::Sine, 0.18, 16);
  return b;
}

Buf Rubble(uint32_t seed, double pitch) {  // stones tumbling
  Buf b = Silence(0.85);
  Rng r(seed);
  for (int i = 0; i < 11; ++i) {
    const double t = r.Uniform() * 0.55, a = 0.4 + 0.6 * r.Uniform();
    LowNoise(b, t, 0.2, a, {0.001, 0.03}, pitch * (1 + r.Uniform()), pitch * 0.5, seed + i);
    Tone(b, t, 0.1, pitch * 0.3 * (1 + r.Uniform()), pitch * 0.2, a * 0.3, {0.0005, 0.02});
  }
  return b;
}

Buf PipeExit() {  // a hollow "thwoomp" from a pipe mouth
  Buf b = Silence(0.45);
  Tone(b, 0, 0.45, 140, 320, 0.6, {0.01, 0.1});
  Noise(b, 0, 0.45, 0.5, {0.01, 0.1}, 260, 500, 6, 41);
  return b;
}

Buf Fanfare() {  // holing out at or under par: a bright rising fanfare
  Buf b = Silence(1.5);
  const int notes[4] = {72, 76, 79, 84};
  for (int i = 0; i < 4; ++i) {
    const double t = 0.11 * i, d = i == 3 ? 1.35 : 0.3;
    Tone(b, t, d, Note(notes[i]), Note(notes[i]), 0.35, {0.005, i == 3 ? 0.5 : 0.12}, Wave::Square,
         i == 3 ? 0.008 : 0, 5.5);
    Tone(b, t, d, Note(notes[i] - 12), Note(notes[i] - 12), 0.2, {0.005, 0.2}, Wave::Triangle);
  }
  for (int n : {72, 76, 79}) Tone(b, 0.33, 1.15, Note(n), Note(n), 0.15, {0.01, 0.45}, Wave::Saw);
  LowPass(b, 4500);
  Echo(b, 0.12, 0.3, 0.25);
  return b;
}

Buf Sparks() {  // electric crackle
  Buf b = Silence(0.6);
  Rng r(51);
  for (int i = 0; i < 26; ++i) {
    Noise(b, r.Uniform() * 0.5, 0.02, 0.3 + 0.6 * r.Uniform(), {0.0002, 0.003}, 0, 0, 1, 60 + i);
  }
  Tone(b, 0, 0.6, 110, 100, 0.2, {0.01, 0.2}, Wave::Saw, 0.05, 37);
  HighPass(b, 500);
  return b;
}

Buf Puff() {  // a soft puff of air or dust
  Buf b = Silence(0.4);
  LowNoise(b, 0, 0.4, 0.9, {0.02, 0.1}, 900, 400, 71);
  return b;
}

Buf BonusChime() {
  Buf b = Silence(1.1);
  Bell(b, 0, 1.1, Note(88), 0.5, 0.35, 3.5, 1.8);
  Bell(b, 0.12, 0.98, Note(95), 0.45, 0.35, 3.5, 1.8);
  Echo(b, 0.15, 0.25, 0.3);
  return b;
}

Buf SadTrombone() {  // over par: a falling "wah wah wah waaah"
  Buf b = Silence(1.6);
  const int notes[4] = {67, 66, 65, 64};
  for (int i = 0; i < 4; ++i) {
    const double t = 0.3 * i, d = i == 3 ? 0.7 : 0.3;
    Tone(b, t, d, Note(notes[i]) / 2, Note(notes[i]) / 2 * (i == 3 ? 0.97 : 1), 0.5, {0.03, 0.4},
         Wave::Saw, i == 3 ? 0.025 : 0.005, 5);
  }
  LowPass(b, 1400);
  return b;
}

Buf TurnChange() {  // ding-dong
  Buf b = Silence(0.7);
  Bell(b, 0, 0.7, Note(81), 0.5, 0.2, 2.0, 0.8);
  Bell(b, 0.16, 0.54, Note(76), 0.5, 0.25, 2.0, 0.8);
  return b;
}

Buf Thunder() {  // a crack, then a long rolling rumble
  Buf b = Silence(2.6);
  Noise(b, 0, 0.15, 0.6, {0.001, 0.04}, 0, 0, 1, 81);
  Rng r(82);
  for (int i = 0; i < 6; ++i) {
    const double t = 0.05 + 0.3 * i + 0.1 * r.Uniform();
    LowNoise(b, t, 2.5 - t, 0.6 + 0.4 * r.Uniform(), {0.08, 0.35}, 500, 90, 83 + i);
  }
  return b;
}

Buf DropOff() {  // falling off the edge: a long falling whistle
  Buf b = Silence(1.15);
  Tone(b, 0, 1.15, 1900, 260, 0.5, {0.02, 0.6}, Wave::Sine, 0.01, 7);
  Tone(b, 0, 1.15, 1900 * 1.5, 390, 0.1, {0.02, 0.5}, Wave::Triangle, 0.01, 7);
  return b;
}

}  // namespace

std::vector<int16_t> EffectSound(int index) {
  switch (index) {
    case 0:
      return Finish(Putt(), 0.85);
    case 1:
      return Finish(WallBounce(), 0.75);
    case 2:
      return Finish(Landing(), 0.85);
    case 3:
      return Finish(CupDrop(), 0.85);
    case 5:
      return Finish(Click(), 0.6);
    case 6:
      return FinishLoop(LoadingLoop(), 0.55);
    case 7:
      return Finish(Teleport(), 0.75);
    case 9:
      return Finish(Whoosh(), 0.75);
    case 10:
      return Finish(TooFast(), 0.75);
    case 11:
      return Finish(AirBounce(), 0.8);
    case 12:
      return Finish(Blast(1.2, 70, 91), 0.9);
    case 13:
      return Finish(Splash(), 0.8);
    case 14:
      return Finish(Spring(), 0.8);
    case 15:
      return Finish(Rubble(101, 900), 0.8);
    case 16:
      return Finish(Rubble(131, 600), 0.8);
    case 17:
      return Finish(PipeExit(), 0.8);
    case 18:
      return Finish(Fanfare(), 0.8);
    case 19:
      return Finish(Sparks(), 0.75);
    case 20:
      return Finish(Puff(), 0.75);
    case 21:
      return Finish(BonusChime(), 0.75);
    case 22:
      return Finish(SadTrombone(), 0.8);
    case 24:
      return Finish(TurnChange(), 0.7);
    case 25:
      return Finish(Thunder(), 0.9);
    case 26:
      return Finish(DropOff(), 0.75);
    case 27:
      return Finish(Blast(0.9, 90, 171), 0.9);
    case 4:
      return Finish(Blip(660, 0.1), 0.5);  // spare
    case 8:
      return Finish(Blip(440, 0.1), 0.5);  // spare
    default:
      return Finish(Blip(550, 0.1), 0.5);  // 23 and beyond: spare
  }
}

std::vector<int16_t> LauncherSound(int index) {
  switch (index) {
    case 0:
      return MusicLoop("launcher");
    case 1:
      return Finish(Click(), 0.5);
    case 3: {  // panel transition: a swirl of air and a rising tone
      Buf b = Silence(0.8);
      Noise(b, 0, 0.8, 0.6, {0.3, 0.2}, 400, 3000, 1.2, 201);
      Tone(b, 0, 0.8, 220, 880, 0.3, {0.25, 0.25}, Wave::Triangle, 0.02, 9);
      return Finish(b, 0.7);
    }
    default:
      return Finish(Blip(880, 0.08), 0.45);  // spare
  }
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
