// The music's instruments: wave-table and FM voices, a plucked string, soft drums.
#include "tools/assets/music_voices.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/music_dsp.h"
#include "tools/assets/synth_voices.h"

namespace gp::assets::music {

namespace {

constexpr int kTableBits = 11;
constexpr int kTable =
    1 << kTableBits;       // samples per wave-table cycle (one more for interpolation)
constexpr int kBands = 9;  // tables per wave, an octave apart from 40 Hz up

enum class Shape { Saw, Triangle };

struct Tables {
  std::vector<float> sine;
  std::vector<float> wave[2][kBands];  // [shape][band]: harmonics below 10 kHz
};

// A band-limited cycle from the sine table: sum of a_k sin(2 pi k x).
std::vector<float> BuildCycle(const std::vector<float>& sine, Shape shape, int harmonics) {
  std::vector<double> v(kTable, 0.0);
  for (int k = 1; k <= harmonics; ++k) {
    double a = 1.0 / k;
    if (shape == Shape::Triangle) {
      if (k % 2 == 0) continue;
      a = ((k / 2) % 2 ? -1.0 : 1.0) / (static_cast<double>(k) * k);
    }
    for (int i = 0; i < kTable; ++i) {
      v[static_cast<size_t>(i)] += a * sine[static_cast<size_t>((k * i) & (kTable - 1))];
    }
  }
  double top = 0;
  for (double x : v) top = std::max(top, std::fabs(x));
  std::vector<float> out(kTable + 1);
  for (int i = 0; i <= kTable; ++i) {
    out[static_cast<size_t>(i)] = static_cast<float>(v[static_cast<size_t>(i % kTable)] / top);
  }
  return out;
}

const Tables& T() {
  static const Tables t = [] {
    Tables t;
    t.sine.resize(kTable + 1);
    for (int i = 0; i <= kTable; ++i) {
      t.sine[static_cast<size_t>(i)] = static_cast<float>(std::sin(kTau * i / kTable));
    }
    for (int s = 0; s < 2; ++s) {
      for (int b = 0; b < kBands; ++b) {
        const int h = std::max(1, static_cast<int>(10000 / (40.0 * (1 << b))));
        t.wave[s][b] = BuildCycle(t.sine, static_cast<Shape>(s), std::min(h, kTable / 2 - 1));
      }
    }
    return t;
  }();
  return t;
}

// Phases are 32-bit fractions of a cycle: they wrap by themselves, and the top
// bits index the table.
using Phase = uint32_t;
constexpr double kCycle = 4294967296.0;
inline Phase Inc(double hz) {
  return static_cast<Phase>(static_cast<int64_t>(hz / kRate * kCycle));
}
inline Phase ToPhase(double cycles) {
  return static_cast<Phase>(static_cast<int64_t>(std::floor(cycles * kCycle)));
}

inline float Lookup(const float* t, Phase p) {
  const uint32_t i = p >> (32 - kTableBits);
  const float f =
      static_cast<float>(p & ((1u << (32 - kTableBits)) - 1)) * (1.0f / (1u << (32 - kTableBits)));
  return t[i] + f * (t[i + 1] - t[i]);
}

const float* SineTable() {
  static const float* t = T().sine.data();
  return t;
}
inline float Sine(Phase p) {
  return Lookup(SineTable(), p);
}
// sin(2 pi cycles), for slow modulations computed from time.
inline float SineOf(double cycles) {
  return Sine(ToPhase(cycles - std::floor(cycles)));
}

// An oscillator of one shape: its table is picked by frequency so no harmonic aliases.
struct TableOsc {
  const float* table;
  Phase phase = 0, inc;
  TableOsc(Shape s, double hz) : inc(Inc(hz)) {
    int b = 0;
    while (b < kBands - 1 && hz >= 40.0 * (1 << b)) ++b;
    table = T().wave[static_cast<int>(s)][b].data();
  }
  float Next() {
    const float v = Lookup(table, phase);
    phase += inc;
    return v;
  }
  float Next(float ratio) {  // with the frequency scaled (vibrato)
    const float v = Lookup(table, phase);
    phase += static_cast<Phase>(static_cast<int64_t>(inc * ratio));
    return v;
  }
};

// Attack (linear, seconds), decay towards the sustain level (time constant,
// seconds), release after the gate (time constant).
struct Adsr {
  double attack, decay, sustain, release;
};

class EnvGen {
 public:
  EnvGen(Adsr e, double gate)
      : e_(e),
        attack_(std::max<long>(1, std::lround(e.attack * kRate))),
        gate_(std::max(attack_, std::lround(gate * kRate))),
        dk_(std::exp(-1.0 / (std::max(e.decay, 1e-4) * kRate))),
        rk_(std::exp(-1.0 / (std::max(e.release, 1e-4) * kRate))) {}
  // Samples until the release has fallen 45 dB.
  size_t Length() const {
    return static_cast<size_t>(gate_ + std::lround(5.2 * e_.release * kRate));
  }
  float Next() {
    if (i_ < attack_) {
      level_ = static_cast<double>(i_ + 1) / attack_;
    } else if (i_ < gate_) {
      level_ = e_.sustain + (level_ - e_.sustain) * dk_;
    } else {
      level_ *= rk_;
    }
    ++i_;
    return static_cast<float>(level_);
  }

 private:
  Adsr e_;
  long attack_, gate_;
  double dk_, rk_, level_ = 0;
  long i_ = 0;
};

// A silent note as long as the envelope.
Buf Blank(const EnvGen& env) {
  return Buf(env.Length(), 0.0f);
}
// Fades a note's last 5 ms to silence.
void FadeEnd(Buf& b) {
  const size_t n = std::min<size_t>(b.size(), kRate / 200);
  for (size_t i = 0; i < n; ++i) b[b.size() - 1 - i] *= static_cast<float>(i) / n;
}

Buf Pad(double hz, double gate, double vel, double bright, Instrument kind) {
  const bool glass = kind == Instrument::GlassPad, dark = kind == Instrument::DarkPad;
  EnvGen env(glass  ? Adsr{1.2, 1, 1, 0.6}
             : dark ? Adsr{1.5, 1, 1, 0.7}
                    : Adsr{0.9, 1, 1, 0.5},
             gate);
  Buf b = Blank(env);
  if (glass) {  // triangle, second and third harmonics, a slow vibrato
    TableOsc t(Shape::Triangle, hz);
    Phase p2 = 0, p3 = 0, lfo = 0;
    const Phase i2 = Inc(2 * hz), i3 = Inc(3 * hz), il = Inc(0.3);
    for (size_t i = 0; i < b.size(); ++i) {
      const float vib = 1 + 0.0025f * Sine(lfo);
      const float v = 0.6f * t.Next(vib) + 0.25f * Sine(p2) + 0.1f * Sine(p3);
      p2 += i2;
      p3 += i3;
      lfo += il;
      b[i] = static_cast<float>(v * vel * env.Next());
    }
  } else {  // two detuned saws and a triangle, low-passed
    TableOsc a(Shape::Saw, hz * 1.0035), c(Shape::Saw, hz * 0.9965), t(Shape::Triangle, hz);
    const double cut = (dark ? 600 : 1400) * bright;
    OnePole lp1(cut), lp2(cut * 1.5);
    for (size_t i = 0; i < b.size(); ++i) {
      const double v = lp2.Low(lp1.Low(0.36f * a.Next() + 0.36f * c.Next() + 0.3f * t.Next()));
      b[i] = static_cast<float>(v * vel * env.Next());
    }
  }
  FadeEnd(b);
  return b;
}

// Two-operator FM: carrier at hz, modulator at hz * ratio with an index that
// falls from `index` with time constant `fall` to `floor_index`; the carrier's envelope `e`.
Buf Fm(double hz, double gate, double vel, Adsr e, double ratio, double index, double fall,
       double floor_index = 0) {
  EnvGen env(e, gate);
  Buf b = Blank(env);
  const float kf = static_cast<float>(std::exp(-1.0 / (fall * kRate)));
  index *= std::min(1.0, 3000 / (hz * ratio));  // high notes keep their sidebands below Nyquist
  // The index in radians, as a phase offset: index / 2 pi cycles.
  float ix = static_cast<float>(index * (0.5 + 0.5 * vel) / kTau * kCycle);
  const float base = static_cast<float>(floor_index / kTau * kCycle);
  Phase pc = 0, pm = 0;
  const Phase ic = Inc(hz), im = Inc(hz * ratio);
  for (size_t i = 0; i < b.size(); ++i) {
    const float mod = (ix + base) * Sine(pm);
    b[i] = static_cast<float>(vel * env.Next()) *
           Sine(pc + static_cast<Phase>(static_cast<int32_t>(mod)));
    pc += ic;
    pm += im;
    ix *= kf;
  }
  FadeEnd(b);
  return b;
}

// Sine partials {ratio, amplitude, time constant} over an envelope, with an
// optional tremolo (Hz, depth); partials at or above 10 kHz are left out.
struct Partial {
  double ratio, amp, decay;
};
Buf Partials(double hz, double gate, double vel, Adsr e, std::initializer_list<Partial> parts,
             double trem_hz = 0, double trem = 0) {
  EnvGen env(e, gate);
  Buf b = Blank(env);
  for (const Partial& p : parts) {
    if (hz * p.ratio >= 10000) continue;
    const float k = static_cast<float>(std::exp(-1.0 / (p.decay * kRate)));
    float amp = static_cast<float>(p.amp);
    Phase ph = 0;
    const Phase inc = Inc(hz * p.ratio);
    for (size_t i = 0; i < b.size() && amp > 1e-5f; ++i) {
      b[i] += amp * Sine(ph);
      ph += inc;
      amp *= k;
    }
  }
  Phase lfo = 0;
  const Phase il = Inc(trem_hz);
  const float depth = static_cast<float>(trem);
  for (size_t i = 0; i < b.size(); ++i) {
    const float tr = 1 - depth + depth * Sine(lfo);
    lfo += il;
    b[i] *= static_cast<float>(vel * env.Next()) * tr;
  }
  FadeEnd(b);
  return b;
}

// A plucked string: a noise burst circulating in a tuned delay line.
Buf Harp(double hz, double gate, double vel, double bright, uint32_t seed) {
  const double period = kRate / hz - 0.5;  // the averaging filter adds half a sample
  int n = static_cast<int>(period);
  double frac = period - n;
  if (frac < 0.2) --n, frac += 1;  // keeps the tuning all-pass well behaved
  const double c = (1 - frac) / (1 + frac);
  const double t60 = std::clamp(6.0 - hz / 200, 1.2, 4.0);
  const double loss = std::pow(10.0, -3.0 * (kRate / hz) / (kRate * t60));
  std::vector<double> line(static_cast<size_t>(n));
  OnePole soft1(1800 * bright), soft2(1800 * bright);  // a soft finger, not a pick
  double mean = 0;
  for (int i = 0; i < n; ++i) {
    line[static_cast<size_t>(i)] = 2 * soft2.Low(soft1.Low(Hash(static_cast<uint32_t>(i), seed)));
    mean += line[static_cast<size_t>(i)] / n;
  }
  for (double& s : line) s -= mean;
  EnvGen env({0.001, 1, 1, 0.25}, std::min(gate + 0.4, 3.5));
  Buf b = Blank(env);
  double prev = 0, ax = 0, ay = 0;
  size_t k = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    double& s = line[k];
    if (++k == line.size()) k = 0;
    const double out = s;
    const double avg = 0.5 * (s + prev) * loss;
    prev = s;
    const double y = c * avg + ax - c * ay;
    ax = avg;
    ay = y;
    s = y;
    b[i] = static_cast<float>(1.6 * vel * out * env.Next());
  }
  FadeEnd(b);
  return b;
}

// Leads: a sustained voice whose vibrato comes in after a quarter of a second
// (the alien's at once, scooping up into the note).
Buf Lead(double hz, double gate, double vel, double bright, Instrument kind, uint32_t seed) {
  const bool flute = kind == Instrument::Flute, alien = kind == Instrument::Alien;
  EnvGen env(flute   ? Adsr{0.07, 0.4, 0.85, 0.14}
             : alien ? Adsr{0.05, 0.5, 0.85, 0.3}
                     : Adsr{0.035, 0.5, 0.75, 0.18},
             gate);
  Buf b = Blank(env);
  TableOsc tri(Shape::Triangle, hz);
  OnePole tone(2800 * bright), breath_lo(3200), breath_hi(900);
  const float depth = alien ? 0.011f : flute ? 0.005f : 0.0045f;
  const double delay = alien ? 0 : 0.25;
  Phase ph = 0, half = 0, lfo = 0;
  const Phase inc = Inc(hz), il = Inc(alien ? 3.7 : 5.0);
  const size_t start = static_cast<size_t>(delay * kRate), full = static_cast<size_t>(0.4 * kRate);
  float scoop = alien ? 0.07f : 0;
  const float scoop_k = static_cast<float>(std::exp(-1.0 / (0.05 * kRate)));
  for (size_t i = 0; i < b.size(); ++i) {
    const float ramp = i < start ? 0 : i >= start + full ? 1 : static_cast<float>(i - start) / full;
    const float ratio = (1 + depth * ramp * Sine(lfo)) * (1 - scoop);
    lfo += il;
    scoop *= scoop_k;
    const Phase step = static_cast<Phase>(static_cast<int64_t>(inc * ratio));
    ph += step;
    half += step / 2;
    double v;
    if (flute) {
      const double n = breath_hi.High(breath_lo.Low(Hash(static_cast<uint32_t>(i), seed)));
      v = Sine(ph) + 0.18 * Sine(2 * ph) + 0.06 * Sine(3 * ph) + 0.22 * n;
    } else if (alien) {
      const float sub = 0.12f * Sine(half);  // a half-frequency shimmer
      v = Sine(ph + static_cast<Phase>(static_cast<int32_t>(sub * kCycle / 4))) +
          0.3 * tri.Next(ratio);
    } else {
      v = tone.Low(0.75 * tri.Next(ratio) + 0.45 * Sine(ph));
    }
    b[i] = static_cast<float>(vel * v * env.Next());
  }
  FadeEnd(b);
  return b;
}

Buf BassNote(double hz, double gate, double vel, bool sub) {
  EnvGen env(sub ? Adsr{0.03, 1, 1, 0.2} : Adsr{0.006, 0.45, 0.55, 0.07}, gate);
  Buf b = Blank(env);
  TableOsc tri(Shape::Triangle, hz);
  OnePole lp(sub ? 400 : 900);
  Phase ph = 0;
  const Phase inc = Inc(hz);
  for (size_t i = 0; i < b.size(); ++i) {
    const double v = sub ? Sine(ph) + 0.15 * Sine(2 * ph)
                         : lp.Low(0.8 * Sine(ph) + 0.35 * tri.Next() + 0.15 * Sine(2 * ph));
    ph += inc;
    b[i] = static_cast<float>(vel * v * env.Next());
  }
  FadeEnd(b);
  return b;
}

}  // namespace

Buf Voice(Instrument ins, double hz, double gate, double vel, double bright, uint32_t seed) {
  switch (ins) {
    case Instrument::WarmPad:
    case Instrument::GlassPad:
    case Instrument::DarkPad:
      return Pad(hz, gate, vel, bright, ins);
    case Instrument::EPiano:
      return Fm(hz, gate, vel, {0.003, 1.3, 0, 0.22}, 1, 1.5, 0.45, 0.15);
    case Instrument::Vibes:
      return Partials(hz, gate, vel, {0.002, 2.4, 0, 0.45}, {{1, 0.8, 9}, {4, 0.25, 0.25}}, 5.2,
                      0.2);
    case Instrument::Marimba:
      return Partials(hz, gate, vel, {0.001, 9, 0, 0.07},
                      {{1, 0.8, 0.5}, {3.93, 0.3, 0.07}, {9.2, 0.12, 0.02}});
    case Instrument::Celesta:
      return Fm(hz, gate, vel, {0.001, 0.9, 0, 0.3}, 4, 1.1, 0.12);
    case Instrument::Bell:
      return Fm(hz, gate, vel, {0.002, 1.6, 0, 0.5}, 3.5, 1.4, 0.35);
    case Instrument::Harp:
      return Harp(hz, gate, vel, bright, seed);
    case Instrument::SoftLead:
    case Instrument::Flute:
    case Instrument::Alien:
      return Lead(hz, gate, vel, bright, ins, seed);
    case Instrument::Bass:
    case Instrument::SubBass:
      return BassNote(hz, gate, vel, ins == Instrument::SubBass);
    case Instrument::None:
      break;
  }
  return {};
}

Buf DrumHit(Drum d, double vel, uint32_t seed) {
  Buf b(static_cast<size_t>((d == Drum::Kick ? 0.5 : 0.25) * kRate), 0.0f);
  synth::Biquad bp;
  if (d == Drum::Snare) bp.Set(synth::Biquad::BandPass, 1800, 0.9);
  if (d == Drum::Shaker) bp.Set(synth::Biquad::BandPass, 5500, 1.2);
  OnePole hp1(7000), hp2(7000);
  double ph = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double n = Hash(static_cast<uint32_t>(i), seed);
    double v = 0;
    switch (d) {
      case Drum::Kick:  // a soft sine thump falling in pitch, with a faint click
        ph += (46 + 75 * std::exp(-t / 0.03)) / kRate;
        v = SineOf(ph) * std::exp(-t / 0.26) + 0.2 * n * std::exp(-t / 0.002);
        break;
      case Drum::Snare:  // a brushed side-stick
        v = 1.2 * bp.Step(n) * std::exp(-t / 0.07) + 0.4 * SineOf(190 * t) * std::exp(-t / 0.04);
        break;
      case Drum::Hat:
        v = 1.5 * hp2.High(hp1.High(n)) * std::exp(-t / 0.028);
        break;
      case Drum::Shaker:
        v = 1.4 * bp.Step(n) * std::min(1.0, t / 0.012) * std::exp(-t / 0.045);
        break;
    }
    b[i] = static_cast<float>(vel * v);
  }
  FadeEnd(b);
  return b;
}

void AddWrapped(Buf& bus, const Buf& note, long at, float gain) {
  const long n = static_cast<long>(bus.size());
  long j = ((at % n) + n) % n;
  for (float s : note) {
    bus[static_cast<size_t>(j)] += gain * s;
    if (++j == n) j = 0;
  }
}

}  // namespace gp::assets::music
