// The background music the asset compiler writes (menu.dxw item 0, every
// hole's item 0), read back with the game's wave list reader and measured:
// length, the loop point, levels, harmony that moves, a tune per course.
// And the notation the score is written in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/profile.h"
#include "game/course_chain.h"
#include "game/hole_tables.h"
#include "media/wave_list.h"
#include "support/game_dir.h"
#include "tools/assets/music_notation.h"
#include "tools/assets/music_score.h"
#include "tools/assets/music_voices.h"

namespace {

namespace fs = std::filesystem;
using gp::test::GameFile;
using Samples = std::vector<int16_t>;

constexpr int kRate = 22050;

Samples Loop(const std::string& file) {
  gp::WaveList list;
  gp::LoadWaveList(list, GameFile(file));
  if (list.Count() < 1 || !list.items[0].looped) throw std::runtime_error(file + ": no loop");
  return list.items[0].samples;
}

// Every music loop: the launcher's and each hole's, the built-in courses' of
// their own folders too ("courses/reef/reef1.dxw"), by file name.
const std::map<std::string, Samples>& Loops() {
  static const std::map<std::string, Samples> loops = [] {
    std::map<std::string, Samples> m;
    m["menu.dxw"] = Loop("menu.dxw");
    for (const auto& e : fs::directory_iterator(GALAPUTT_GAME_DIR)) {
      const std::string name = e.path().filename().string();
      if (e.path().extension() != ".dxw" || name == "sound.dxw" || name == "menu.dxw") continue;
      m[name] = Loop(name);
    }
    for (const auto& e : fs::recursive_directory_iterator(GameFile("courses"))) {
      if (e.path().extension() != ".dxw") continue;
      const std::string name = fs::relative(e.path(), GALAPUTT_GAME_DIR).string();
      m[name] = Loop(name);
    }
    return m;
  }();
  return loops;
}

// The holes of the course that starts with `first`, as the game chains them.
std::set<std::string> CourseHoles(const std::string& first) {
  std::set<std::string> seen{first};
  std::vector<std::string> todo{first};
  while (!todo.empty()) {
    const std::string h = todo.back();
    todo.pop_back();
    for (const std::string& n : gp::NextHoles(gp::Profile::FromFile(GameFile(h + ".hole")))) {
      if (fs::exists(GameFile(n + ".hole")) && seen.insert(n).second) todo.push_back(n);
    }
  }
  return seen;
}

double Rms(const std::vector<float>& s) {
  double sum = 0;
  for (float v : s) sum += static_cast<double>(v) * v;
  return std::sqrt(sum / s.size());
}

double Rms(const Samples& s, size_t from, size_t n) {
  double sum = 0;
  for (size_t i = from; i < from + n; ++i)
    sum += static_cast<double>(s[i % s.size()]) * s[i % s.size()];
  return std::sqrt(sum / n);
}

double Mean(const Samples& s, size_t from, size_t n) {
  double sum = 0;
  for (size_t i = from; i < from + n; ++i) sum += s[i % s.size()];
  return sum / n;
}

// The value below which `share` of the values lie.
double Percentile(std::vector<double> v, double share) {
  std::sort(v.begin(), v.end());
  return v[static_cast<size_t>(share * (v.size() - 1))];
}

void Fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> w = std::polar(1.0, -2 * M_PI / len);
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> wk = 1;
      for (size_t k = 0; k < len / 2; ++k, wk *= w) {
        const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * wk;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
      }
    }
  }
}

using Chroma = std::array<double, 12>;

// How strongly each pitch class (0 = C) sounds between 80 Hz and 2 kHz over
// `seconds` from `start`, as a unit vector.
Chroma ChromaOf(const Samples& s, double start, double seconds) {
  constexpr size_t kFrame = 4096;
  Chroma c{};
  const size_t from = static_cast<size_t>(start * kRate);
  const size_t frames = static_cast<size_t>(seconds * kRate) / kFrame;
  std::vector<std::complex<double>> a(kFrame);
  for (size_t f = 0; f < frames; ++f) {
    for (size_t i = 0; i < kFrame; ++i) {
      const double hann = 0.5 - 0.5 * std::cos(2 * M_PI * i / kFrame);
      a[i] = hann * s[(from + f * kFrame + i) % s.size()];
    }
    Fft(a);
    for (size_t k = 1; k < kFrame / 2; ++k) {
      const double hz = static_cast<double>(k) * kRate / kFrame;
      if (hz < 80 || hz > 2000) continue;
      const int note = static_cast<int>(std::lround(69 + 12 * std::log2(hz / 440)));
      c[static_cast<size_t>(note % 12)] += std::norm(a[k]);
    }
  }
  double len = 0;
  for (double v : c) len += v * v;
  for (double& v : c) v /= std::sqrt(len);
  return c;
}

double Similarity(const Chroma& a, const Chroma& b) {
  double dot = 0;
  for (size_t i = 0; i < 12; ++i) dot += a[i] * b[i];
  return dot;
}

TEST(Music, EveryLoopIsLongAndLevelledUnderTheEffects) {
  ASSERT_GE(Loops().size(), 24u) << "the launcher, 14 holes and the reef's nine";
  for (const auto& [file, s] : Loops()) {
    EXPECT_GE(s.size(), 45u * kRate) << file << " is shorter than 45 s";
    int peak = 0;
    for (int16_t v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
    const double rms = Rms(s, 0, s.size());
    // -26 .. -16 dB of full scale: under the effect sounds, never near clipping.
    EXPECT_GT(rms, 1640) << file << " is too quiet";
    EXPECT_LT(rms, 5200) << file << " is too loud";
    EXPECT_LT(peak, 20000) << file << " peaks too high";
    EXPECT_LT(std::fabs(Mean(s, 0, s.size())), 20) << file << " has a DC offset";
  }
}

// The end runs on into the start as any sample runs on into the next: the
// step and the bend at the wrap are no sharper than those around it, the
// level on both sides is the same, and there is no DC step.
TEST(Music, TheLoopPointIsSeamless) {
  for (const auto& [file, s] : Loops()) {
    const long n = static_cast<long>(s.size());
    auto at = [&](long i) { return static_cast<int>(s[static_cast<size_t>((i % n + n) % n)]); };
    auto step = [&](long i) { return std::abs(at(i) - at(i - 1)); };
    auto bend = [&](long i) { return std::abs(at(i) - 2 * at(i - 1) + at(i - 2)); };
    int steps = 0, bends = 0;  // the sharpest within 20 ms either side, the wrap left out
    for (long i = 3; i < kRate / 50; ++i) {
      steps = std::max({steps, step(i), step(-i + 1)});
      bends = std::max({bends, bend(i), bend(-i + 2)});
    }
    EXPECT_LE(step(0), steps) << file << ": a step at the wrap";
    EXPECT_LE(std::max(bend(0), bend(1)), bends) << file << ": a kink at the wrap";
    // 50 ms either side of the wrap against every other 50 ms boundary.
    const size_t w = kRate / 20;
    std::vector<double> jumps;
    for (size_t i = w; i + w < s.size(); i += w) {
      jumps.push_back(std::fabs(std::log((Rms(s, i, w) + 1) / (Rms(s, i - w, w) + 1))));
    }
    const double seam = std::fabs(std::log((Rms(s, 0, w) + 1) / (Rms(s, s.size() - w, w) + 1)));
    EXPECT_LE(seam, Percentile(jumps, 0.99)) << file << ": the level jumps at the wrap";
    EXPECT_LT(std::fabs(Mean(s, s.size() - kRate, kRate) - Mean(s, 0, kRate)), 100)
        << file << ": a DC step";
  }
}

// The chords move: the pitch classes sounding in 5-second windows differ.
TEST(Music, TheHarmonyMoves) {
  for (const auto& [file, s] : Loops()) {
    std::vector<Chroma> windows;
    for (double t = 0; t + 5 <= s.size() / double(kRate); t += 5)
      windows.push_back(ChromaOf(s, t, 5));
    double least = 1;
    int changes = 0;
    for (size_t i = 0; i < windows.size(); ++i) {
      for (size_t j = i + 1; j < windows.size(); ++j)
        least = std::min(least, Similarity(windows[i], windows[j]));
      if (i > 0) changes += Similarity(windows[i], windows[i - 1]) < 0.95;
    }
    EXPECT_LT(least, 0.8) << file << ": the same chords all through";
    EXPECT_GE(changes, static_cast<int>(windows.size() - 1) / 2)
        << file << ": the harmony stands still";
  }
}

// The piece of the score a hole plays, as its source names it.
const gp::assets::music::Piece* PieceOf(const std::string& hole) {
  const gp::Profile p = gp::Profile::FromFile(GameFile(hole + ".hole"));
  return gp::assets::music::FindPiece(p.ReadString("sounds", "music", ""));
}

// Each course has its own tune: every hole of a course, as the game chains
// them, plays a piece of one theme, the courses' themes differ, and the
// launcher has its own. No two loops are the same.
TEST(Music, EachCourseHasItsOwnTune) {
  const std::set<std::string> se = CourseHoles(gp::kFirstCourseHole);
  const std::set<std::string> training = CourseHoles(gp::kFirstTrainingHole);
  const std::set<std::string> reef = [] {  // a course of its own folder: its nine holes
    std::set<std::string> holes;
    for (int i = 1; i <= 9; ++i) holes.insert("courses/reef/reef" + std::to_string(i));
    return holes;
  }();
  ASSERT_GE(se.size(), 8u) << "six holes, the bonus and the secret hole";
  ASSERT_GE(training.size(), 6u);
  const gp::assets::music::Piece* launcher = gp::assets::music::FindPiece("launcher");
  ASSERT_NE(launcher, nullptr);
  std::set<const gp::assets::music::Theme*> themes{launcher->theme};
  for (const std::set<std::string>* course : {&se, &training, &reef}) {
    const gp::assets::music::Theme* theme = nullptr;
    for (const std::string& hole : *course) {
      const gp::assets::music::Piece* p = PieceOf(hole);
      ASSERT_NE(p, nullptr) << hole << " names no piece of the score";
      if (theme == nullptr) theme = p->theme;
      EXPECT_EQ(p->theme, theme) << hole << " plays " << p->name << ", another course's tune";
    }
    EXPECT_TRUE(themes.insert(theme).second) << "two courses share the tune " << theme->name;
  }
  for (const auto& [a, sa] : Loops()) {
    for (const auto& [b, sb] : Loops()) {
      if (a < b) {
        EXPECT_NE(sa, sb) << a << " and " << b << " play the same loop";
      }
    }
  }
}

// The strongest frequency (Hz) within a fifth of `near` in a stretch of sound,
// between FFT bins.
double PeakHz(const std::vector<float>& s, size_t from, double near) {
  constexpr size_t kN = 8192;
  std::vector<std::complex<double>> a(kN);
  for (size_t i = 0; i < kN; ++i)
    a[i] = (0.5 - 0.5 * std::cos(2 * M_PI * i / kN)) * s[(from + i) % s.size()];
  Fft(a);
  const size_t lo = static_cast<size_t>(near / 1.5 * kN / kRate),
               hi = static_cast<size_t>(near * 1.5 * kN / kRate);
  size_t best = lo;
  for (size_t k = lo; k <= hi; ++k) {
    if (std::abs(a[k]) > std::abs(a[best])) best = k;
  }
  const double l = std::abs(a[best - 1]), m = std::abs(a[best]), r = std::abs(a[best + 1]);
  return (best + 0.5 * (l - r) / (l - 2 * m + r)) * kRate / kN;
}

// Every instrument plays a note in tune, of a sensible loudness, ending in silence.
TEST(MusicVoices, EveryInstrumentPlaysInTuneAndEndsInSilence) {
  using gp::assets::music::Instrument;
  for (int i = static_cast<int>(Instrument::WarmPad); i <= static_cast<int>(Instrument::SubBass);
       ++i) {
    const Instrument ins = static_cast<Instrument>(i);
    const bool bass = ins == Instrument::Bass || ins == Instrument::SubBass;
    const double hz = bass ? 110 : 440;
    const std::vector<float> note = gp::assets::music::Voice(ins, hz, 1.5, 0.8, 1, 7);
    ASSERT_GT(note.size(), static_cast<size_t>(1.5 * kRate)) << i << ": cut before its release";
    ASSERT_LT(note.size(), static_cast<size_t>(8 * kRate)) << i << ": rings on too long";
    float peak = 0;
    for (float v : note) peak = std::max(peak, std::fabs(v));
    EXPECT_GT(peak, 0.1f) << i;
    EXPECT_LT(peak, 2.0f) << i;
    EXPECT_EQ(note.back(), 0.0f) << i << " ends with a click";
    EXPECT_NEAR(PeakHz(note, kRate / 4, hz), hz, hz * 0.01) << i << " is out of tune";
  }
  for (double hz : {98.0, 523.25, 1318.5}) {  // the plucked string's tuning delay, low to high
    EXPECT_NEAR(
        PeakHz(gp::assets::music::Voice(Instrument::Harp, hz, 1, 0.8, 1, 3), kRate / 10, hz), hz,
        hz * 0.01);
  }
}

std::vector<float> Repeat(const std::vector<float>& x, int times) {
  std::vector<float> out;
  for (int i = 0; i < times; ++i) out.insert(out.end(), x.begin(), x.end());
  return out;
}

// A loop's echo, reverb and high-pass sound as if the loop had been playing
// for ever: the same as the middle of three plays in a row, so every tail
// that rings past the end is heard at the start.
TEST(MusicLoopEffects, RunInTheLoopsSteadyState) {
  const size_t n = 10 * kRate;
  std::vector<float> x(n, 0.0f);
  for (size_t i = n - kRate; i < n - kRate + 200; ++i) x[i] = 0.5f;  // a burst near the end
  for (size_t i = 0; i < n; ++i) x[i] += 0.2f * static_cast<float>(std::sin(i * 0.05));
  auto middle = [&](const std::vector<float>& three) {
    return std::vector<float>(three.begin() + static_cast<std::ptrdiff_t>(n),
                              three.begin() + static_cast<std::ptrdiff_t>(2 * n));
  };
  auto expect_same = [&](const std::vector<float>& one, const std::vector<float>& steady,
                         const char* what) {
    float diff = 0, top = 0;
    for (size_t i = 0; i < n; ++i) {
      diff = std::max(diff, std::fabs(one[i] - steady[i]));
      top = std::max(top, std::fabs(steady[i]));
    }
    EXPECT_GT(top, 0.01f) << what;
    EXPECT_LT(diff, 1e-4f * top) << what;
  };
  expect_same(gp::assets::music::LoopReverb(x, 0.9, 0.3),
              middle(gp::assets::music::LoopReverb(Repeat(x, 3), 0.9, 0.3)), "reverb");
  expect_same(gp::assets::music::LoopEcho(x, 12000, 0.4),
              middle(gp::assets::music::LoopEcho(Repeat(x, 3), 12000, 0.4)), "echo");
  std::vector<float> hp = x, hp3 = Repeat(x, 3);
  gp::assets::music::LoopHighPass(hp, 28);
  gp::assets::music::LoopHighPass(hp3, 28);
  expect_same(hp, middle(hp3), "high-pass");
  // The reverb of the burst near the end is heard at the start.
  const std::vector<float> wet = gp::assets::music::LoopReverb(x, 0.9, 0.3);
  double start = 0;
  for (size_t i = 0; i < kRate / 10; ++i) start += std::fabs(wet[i]);
  EXPECT_GT(start, 1.0);
}

// A note that rings past the end of the loop goes on at its start.
TEST(MusicLoopEffects, NotesWrapAroundTheLoop) {
  std::vector<float> bus(100, 0.0f);
  gp::assets::music::AddWrapped(bus, std::vector<float>(30, 1.0f), 90, 0.5f);
  EXPECT_FLOAT_EQ(bus[89], 0);
  EXPECT_FLOAT_EQ(bus[90], 0.5f);
  EXPECT_FLOAT_EQ(bus[99], 0.5f);
  EXPECT_FLOAT_EQ(bus[0], 0.5f);
  EXPECT_FLOAT_EQ(bus[19], 0.5f);
  EXPECT_FLOAT_EQ(bus[20], 0);
  gp::assets::music::AddWrapped(bus, std::vector<float>(5, 1.0f), -2,
                                1);  // before the start: from the end
  EXPECT_FLOAT_EQ(bus[98], 1.5f);
  EXPECT_FLOAT_EQ(bus[2], 1.5f);
  EXPECT_FLOAT_EQ(bus[3], 0.5f);
}

// The beds run on across the loop point: their swells and the hum's pitch
// complete whole cycles in the loop.
TEST(MusicLoopEffects, BedsLoopSeamlessly) {
  using gp::assets::music::Texture;
  for (Texture t : {Texture::Hum, Texture::Wind}) {
    std::vector<float> bus(static_cast<size_t>(7.31 * kRate), 0.0f);
    gp::assets::music::AddTexture(bus, t, {9, true}, 1, 5);
    double steepest = 0;
    for (size_t i = 1; i < bus.size(); ++i)
      steepest = std::max(steepest, std::fabs(bus[i] - bus[i - 1]) + 0.0);
    EXPECT_GT(Rms(bus), 0.01) << static_cast<int>(t);
    EXPECT_LE(std::fabs(bus.front() - bus.back()), steepest) << static_cast<int>(t);
  }
}

TEST(MusicNotation, PitchesChordsAndPatterns) {
  using namespace gp::assets::music;
  EXPECT_EQ(ParsePitch("C4"), 60);
  EXPECT_EQ(ParsePitch("A4"), 69);
  EXPECT_EQ(ParsePitch("F#5"), 78);
  EXPECT_EQ(ParsePitch("Bb3"), 58);
  EXPECT_EQ(ParsePitch("Cb4"), 59);  // B3
  EXPECT_EQ(ParsePitch("B#3"), 60);  // C4
  for (const char* bad : {"H4", "C", "C9", "c4", "C#x", ""})
    EXPECT_THROW(ParsePitch(bad), std::runtime_error) << bad;

  const NoteLine line = ParseNotes("r:.5 E5:1.5 G5:2 | A5:4", 4, "t");
  EXPECT_EQ(line.bars, 2);
  ASSERT_EQ(line.notes.size(), 3u);  // the rest takes time but no note
  EXPECT_DOUBLE_EQ(line.notes[0].beat, 0.5);
  EXPECT_DOUBLE_EQ(line.notes[1].beat, 2);
  EXPECT_DOUBLE_EQ(line.notes[2].beat, 4);
  EXPECT_DOUBLE_EQ(line.notes[2].len, 4);

  const ChordLine chords = ParseChords("Am9:4 | G/B:2 Bbmaj7:1 F#m7b5:1", 4, "t");
  ASSERT_EQ(chords.chords.size(), 4u);
  EXPECT_EQ(chords.chords[0].root, 9);
  EXPECT_EQ(chords.chords[0].tones, (std::vector<int>{0, 3, 7, 10, 14}));
  EXPECT_EQ(chords.chords[1].root, 7);
  EXPECT_EQ(chords.chords[1].bass, 11);  // the slash names the bass
  EXPECT_EQ(chords.chords[2].root, 10);
  EXPECT_EQ(chords.chords[2].tones, (std::vector<int>{0, 4, 7, 11}));
  EXPECT_EQ(chords.chords[3].tones, (std::vector<int>{0, 3, 6, 10}));
  // The chord at a beat, wrapping after the last bar.
  EXPECT_EQ(chords.At(3.9).root, 9);
  EXPECT_EQ(chords.At(6.5).root, 10);
  EXPECT_EQ(chords.At(8.2).root, 9);

  EXPECT_EQ(ParsePattern("x.o. | xx..", 4, "t"), (std::vector<std::string>{"x.o.", "xx.."}));
}

// A slip in the score stops the build with the part and the bar named.
TEST(MusicNotation, BadBarsAreNamed) {
  using namespace gp::assets::music;
  auto message = [](auto parse) {
    try {
      parse();
    } catch (const std::runtime_error& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([] { ParseNotes("C4:4 | D4:3", 4, "melody"); }),
            "melody bar 2: lasts 3.000000 beats, not 4");
  EXPECT_EQ(message([] { ParseNotes("C4:2 D4:2 E4:1 | C4:4", 4, "melody"); }),
            "melody bar 1: lasts 5.000000 beats, not 4");
  EXPECT_EQ(message([] { ParseNotes("C4 | D4:4", 4, "m"); }), "m bar 1: 'C4' has no length");
  EXPECT_EQ(message([] { ParseNotes("C4:0 | D4:4", 4, "m"); }), "m bar 1: bad length '0'");
  EXPECT_EQ(message([] { ParseNotes("C4:4 | X4:4", 4, "m"); }), "m bar 2: bad pitch 'X4'");
  EXPECT_EQ(message([] { ParseChords("Am9:4 | Cfoo:4", 4, "chords"); }),
            "chords bar 2: bad chord 'Cfoo'");
  EXPECT_EQ(message([] { ParseChords("G/H:4", 4, "chords"); }), "chords bar 1: bad chord 'G/H'");
  EXPECT_EQ(message([] { ParseChords("", 4, "chords"); }), "chords: empty");
  EXPECT_EQ(message([] { ParsePattern("x... | x..", 4, "kick"); }), "kick bar 2: 3 steps, not 4");
}

}  // namespace
