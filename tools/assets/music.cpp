// The arranger: plays a piece of the score (music_score.cpp) into a loop of
// whole bars. Chords become pad and comping voicings that move smoothly, the
// bass and drums follow their step patterns, the melody its notes; every note
// that rings past the end wraps to the start, and the echo and reverb run in
// the loop's steady state, so the loop point is seamless.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/assets/music_dsp.h"
#include "tools/assets/music_notation.h"
#include "tools/assets/music_voices.h"
#include "tools/assets/synth.h"
#include "tools/assets/synth_voices.h"

namespace gp::assets {

namespace music {

namespace {

constexpr double kTargetRms = 0.089;  // -21 dB of full scale: under the effect sounds
constexpr double kPeak = 0.56;        // -5 dB: never near clipping

double Hz(int note) {
  return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// Beats to sample positions, with swing: the second eighth of every beat
// comes `swing` of an eighth late (what lies between is stretched to match).
struct Clock {
  double spb;   // samples per beat
  double step;  // beats per pattern step
  double swing;
  double At(double beat) const {
    const double start = std::floor(beat + 1e-9), p = beat - start;
    const double late = p < 0.5 ? p * (1 + swing) : 0.5 * (1 + swing) + (p - 0.5) * (1 - swing);
    return (start + late) * spb;
  }
};

// Loudness of each part (RMS of its dry sound over the loop, of full scale
// before the final levelling): the balance of the mix whatever the instrument.
constexpr double kPadLevel = 0.07, kCompLevel = 0.05, kBassLevel = 0.065, kLeadLevel = 0.075,
                 kCounterLevel = 0.045;

double TextureLevel(Texture t) {
  switch (t) {
    case Texture::Rain:
      return 0.022;
    case Texture::Wind:
      return 0.025;
    case Texture::Hum:
      return 0.022;
    case Texture::Bubbles:
      return 0.012;
    default:
      return 0.015;
  }
}

// The three buses every part writes into: heard dry, sent to the echo, sent to the reverb.
struct Mix {
  Buf dry, echo, verb;
  explicit Mix(size_t n) : dry(n, 0.0f), echo(n, 0.0f), verb(n, 0.0f) {}
  void Add(const Buf& note, long at, float gain, float echo_send, float verb_send) {
    AddWrapped(dry, note, at, gain);
    if (echo_send > 0) AddWrapped(echo, note, at, gain * echo_send);
    if (verb_send > 0) AddWrapped(verb, note, at, gain * verb_send);
  }
  // Adds `part` scaled so its dry sound has the RMS `level`, and empties it.
  void Take(Mix& part, double level) {
    double sum = 0;
    for (float s : part.dry) sum += static_cast<double>(s) * s;
    const double rms = std::sqrt(sum / std::max<size_t>(dry.size(), 1));
    const float k = rms > 0 ? static_cast<float>(level / rms) : 0.0f;
    for (size_t i = 0; i < dry.size(); ++i) {
      dry[i] += k * part.dry[i];
      echo[i] += k * part.echo[i];
      verb[i] += k * part.verb[i];
    }
    std::fill(part.dry.begin(), part.dry.end(), 0.0f);
    std::fill(part.echo.begin(), part.echo.end(), 0.0f);
    std::fill(part.verb.begin(), part.verb.end(), 0.0f);
  }
};

// The chord's pitch classes for pads and comping: from five tones up, the root
// (the bass has it) and then the fifth are left out.
std::vector<int> ChordClasses(const Chord& c, int transpose) {
  std::vector<int> tones = c.tones;
  if (tones.size() > 4) tones.erase(tones.begin());
  if (tones.size() > 4) tones.erase(std::find(tones.begin(), tones.end(), 7));
  std::vector<int> pcs;
  for (int t : tones) pcs.push_back(((c.root + t + transpose) % 12 + 12) % 12);
  return pcs;
}

// A close voicing of `pcs` whose mean lies nearest `target`, over every inversion.
std::vector<int> Voicing(const std::vector<int>& pcs, double target) {
  std::vector<int> best;
  double score = 1e9;
  for (size_t rot = 0; rot < pcs.size(); ++rot) {
    std::vector<int> v{pcs[rot]};
    for (size_t j = 1; j < pcs.size(); ++j) {
      const int pc = pcs[(rot + j) % pcs.size()];
      int step = ((pc - v.back() % 12) % 12 + 12) % 12;
      v.push_back(v.back() + (step == 0 ? 12 : step));
    }
    double mean = 0;
    for (int n : v) mean += n;
    mean /= v.size();
    const int shift = static_cast<int>(std::lround((target - mean) / 12)) * 12;
    const double s = std::fabs(mean + shift - target) + 0.2 * (v.back() - v.front());
    if (s < score) {
      score = s;
      for (int& n : v) n += shift;
      best = v;
    }
  }
  return best;
}

// A chord tone for a bass step ('R', '3', '5', '7', '8') in the bass register.
int BassNote(const Chord& c, char step, int transpose) {
  const int bass = 36 + ((c.bass + transpose) % 12 + 12) % 12;
  const int root = bass + ((c.root - c.bass) % 12 + 12) % 12 - (c.root == c.bass ? 0 : 12);
  auto tone = [&](std::initializer_list<int> wanted, int fallback) {
    for (int w : wanted) {
      if (std::find(c.tones.begin(), c.tones.end(), w) != c.tones.end()) return root + w;
    }
    return root + fallback;
  };
  switch (step) {
    case '3':
      return tone({4, 3, 5, 2}, 7);
    case '5':
      return tone({7, 6}, 7);
    case '7':
      return tone({10, 11, 9}, 12);
    case '8':
      return root + 12;
    default:
      return bass;
  }
}

class Arranger {
 public:
  explicit Arranger(const Piece& p)
      : p_(p),
        t_(*p.theme),
        chords_(ParseChords(t_.chords, t_.beats, Where("chords"))),
        melody_(ParseNotes(t_.melody, t_.beats, Where("melody"))),
        clock_{kRate * 60.0 / p.bpm, 1.0 / t_.steps, t_.swing},
        bars_(chords_.bars),
        length_(static_cast<size_t>(std::lround(bars_ * t_.beats * clock_.spb))),
        mix_(length_),
        part_(length_),
        rng_(p.seed) {
    if (melody_.bars != bars_)
      throw std::runtime_error(Where("melody") + ": not as long as the chords");
  }

  Buf Render() {
    PlayPad();
    mix_.Take(part_, kPadLevel);
    PlayComp();
    mix_.Take(part_, kCompLevel);
    PlayBass();
    mix_.Take(part_, kBassLevel);
    PlayLine(melody_.notes, p_.lead, 12 * p_.lead_octave, 0.35f);
    mix_.Take(part_, kLeadLevel);
    if (*t_.counter && p_.counter != Instrument::None) {
      const NoteLine counter = ParseNotes(t_.counter, t_.beats, Where("counter"));
      if (counter.bars != bars_)
        throw std::runtime_error(Where("counter") + ": not as long as the chords");
      PlayLine(counter.notes, p_.counter, 0, 0.15f);
      mix_.Take(part_, kCounterLevel);
    }
    PlayDrums();
    // The piece's key: the theme's first chord, transposed.
    const Chord& tonic = chords_.chords.front();
    const Key key{(tonic.root + p_.transpose + 12) % 12,
                  std::find(tonic.tones.begin(), tonic.tones.end(), 3) != tonic.tones.end()};
    AddTexture(part_.dry, p_.texture, key, 1, p_.seed * 7 + 1);
    part_.verb = part_.dry;
    for (float& v : part_.verb) v *= 0.3f * static_cast<float>(p_.space);
    mix_.Take(part_, TextureLevel(p_.texture));
    return Master();
  }

 private:
  std::string Where(const char* part) const { return std::string("music ") + p_.name + " " + part; }
  // The sample where `beat` falls. The loop starts half a step before the
  // first downbeat, where no note begins: the loop point falls between onsets.
  long At(double beat) const {
    return std::lround(clock_.At(beat) + 0.5 * clock_.step * clock_.spb);
  }
  double Seconds(double beat, double len) const {
    return (clock_.At(beat + len) - clock_.At(beat)) / kRate;
  }
  // A few milliseconds early or late, a little louder or softer: played, not programmed.
  long Humanise(long at) { return at + std::lround((rng_.Signed() * 0.004) * kRate); }
  double Vel(double v) { return v * (0.92 + 0.12 * rng_.Uniform()); }
  uint32_t Seed() { return rng_.Next(); }

  void PlayPad() {
    if (p_.pad == Instrument::None) return;
    double target = 60;  // each chord near the last, drawn back towards middle C
    for (const Chord& c : chords_.chords) {
      const std::vector<int> v = Voicing(ChordClasses(c, p_.transpose), target);
      double mean = 0;
      for (int n : v) mean += n / static_cast<double>(v.size());
      target = 0.6 * mean + 0.4 * 60;
      for (int n : v) {
        part_.Add(Voice(p_.pad, Hz(n), Seconds(c.beat, c.len), 0.55, p_.bright, Seed()), At(c.beat),
                  0.22f, 0, 0.7f * static_cast<float>(p_.space));
      }
    }
  }

  // Steps of one pattern over the whole loop: (beat, symbol, steps held).
  template <typename Play>
  void Steps(const char* pattern, Play play) {
    if (!*pattern) return;
    const int per_bar = t_.beats * t_.steps;
    const std::vector<std::string> bars = ParsePattern(pattern, per_bar, Where("pattern"));
    for (int bar = 0; bar < bars_; ++bar) {
      const std::string& s = bars[static_cast<size_t>(bar) % bars.size()];
      for (int i = 0; i < per_bar; ++i) {
        if (s[static_cast<size_t>(i)] == '.' || s[static_cast<size_t>(i)] == '-') continue;
        int held = 1;
        while (i + held < per_bar && s[static_cast<size_t>(i + held)] == '-') ++held;
        play((bar * per_bar + i) * clock_.step, s[static_cast<size_t>(i)], held);
      }
    }
  }

  void PlayComp() {
    if (p_.comp == Instrument::None) return;
    const bool bell = p_.comp != Instrument::EPiano;
    Steps(t_.comp, [&](double beat, char sym, int held) {
      const Chord& c = chords_.At(beat + 1e-6);
      const double len = held * clock_.step;
      const std::vector<int> v = Voicing(ChordClasses(c, p_.transpose), bell ? 69 : 64);
      if (sym >= '0' && sym <= '9') {  // one tone of an arpeggio
        const size_t k = static_cast<size_t>(sym - '0');
        const int n = v[k % v.size()] + 12 * static_cast<int>(k / v.size());
        part_.Add(Voice(p_.comp, Hz(n), Seconds(beat, len), Vel(0.5), p_.bright, Seed()),
                  Humanise(At(beat)), 0.32f, 0.3f, 0.5f * static_cast<float>(p_.space));
        return;
      }
      const double vel = sym == 'o' ? 0.3 : 0.45;
      const long at = Humanise(At(beat));
      for (size_t j = 0; j < v.size(); ++j) {  // a slight strum, low to high
        part_.Add(Voice(p_.comp, Hz(v[j]), Seconds(beat, len), Vel(vel), p_.bright, Seed()),
                  at + static_cast<long>(j) * 60, 0.2f, 0.1f, 0.45f * static_cast<float>(p_.space));
      }
    });
  }

  void PlayBass() {
    if (p_.bass == Instrument::None) return;
    Steps(t_.bass, [&](double beat, char sym, int held) {
      const Chord& c = chords_.At(beat + 1e-6);
      const int n = BassNote(c, sym, p_.transpose);
      part_.Add(Voice(p_.bass, Hz(n), Seconds(beat, held * clock_.step) * 0.9, Vel(0.8), 1, Seed()),
                Humanise(At(beat)), 0.55f, 0, 0.05f);
    });
  }

  void PlayLine(const std::vector<Note>& notes, Instrument ins, int shift, float echo) {
    if (ins == Instrument::None) return;
    for (const Note& n : notes) {
      const double f = Hz(n.pitch + p_.transpose + shift);
      part_.Add(Voice(ins, f, Seconds(n.beat, n.len) * 0.94, Vel(0.7), p_.bright, Seed()),
                Humanise(At(n.beat)), 1, echo, 0.6f * static_cast<float>(p_.space));
    }
  }

  void PlayDrums() {
    struct Part {
      unsigned bit;
      const char* pattern;
      Drum drum;
      double level, verb;
    };
    const Part parts[4] = {{kKick, t_.kick, Drum::Kick, 0.024, 0},
                           {kSnare, t_.snare, Drum::Snare, 0.012, 0.25},
                           {kHat, t_.hat, Drum::Hat, 0.008, 0.1},
                           {kShaker, t_.shaker, Drum::Shaker, 0.007, 0.15}};
    for (const Part& part : parts) {
      if (!(p_.drums & part.bit)) continue;
      Steps(part.pattern, [&](double beat, char sym, int) {
        const double vel = Vel(sym == 'o' ? 0.5 : 1.0);
        part_.Add(DrumHit(part.drum, vel, Seed()), Humanise(At(beat)), 1, 0,
                  static_cast<float>(part.verb * p_.space));
      });
      mix_.Take(part_, part.level);
    }
  }

  Buf Master() {
    const size_t delay = static_cast<size_t>(std::lround(0.75 * clock_.spb));  // a dotted eighth
    const Buf echoes = LoopEcho(mix_.echo, delay, 0.38);
    for (size_t i = 0; i < length_; ++i) {
      mix_.dry[i] += 0.55f * echoes[i];
      mix_.verb[i] += 0.3f * echoes[i];
    }
    const Buf wet = LoopReverb(mix_.verb, 0.55 + 0.35 * p_.space, 0.35);
    Buf out = std::move(mix_.dry);
    for (size_t i = 0; i < length_; ++i) out[i] += wet[i];
    LoopHighPass(out, 28);
    return out;
  }

  const Piece& p_;
  const Theme& t_;
  ChordLine chords_;
  NoteLine melody_;
  Clock clock_;
  int bars_;
  size_t length_;
  Mix mix_, part_;  // the whole piece; the part being played
  synth::Rng rng_;
};

// To 16 bits at a steady loudness, the peak kept well below full scale.
std::vector<int16_t> Level(const Buf& b) {
  double sum = 0, peak = 0;
  for (float s : b) {
    sum += static_cast<double>(s) * s;
    peak = std::max(peak, static_cast<double>(std::fabs(s)));
  }
  const double rms = std::sqrt(sum / std::max<size_t>(b.size(), 1));
  const double k = rms > 0 ? std::min(kTargetRms / rms, kPeak / peak) * 32767 : 0;
  std::vector<int16_t> out(b.size());
  for (size_t i = 0; i < b.size(); ++i) out[i] = static_cast<int16_t>(std::lround(b[i] * k));
  return out;
}

}  // namespace

}  // namespace music

std::vector<int16_t> MusicLoop(const std::string& name) {
  const music::Piece* p = music::FindPiece(name);
  if (p == nullptr) throw std::runtime_error("no music piece named '" + name + "'");
  music::Arranger a(*p);
  return music::Level(a.Render());
}

}  // namespace gp::assets
