// Reading the score's notation: notes, chord symbols and step patterns.
#include "tools/assets/music_notation.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace gp::assets::music {

namespace {

struct Quality {
  const char* name;
  std::vector<int> tones;
};

// Chord qualities by symbol: semitones above the root.
const std::vector<Quality>& Qualities() {
  static const std::vector<Quality> q = {
      {"", {0, 4, 7}},           {"m", {0, 3, 7}},
      {"6", {0, 4, 7, 9}},       {"m6", {0, 3, 7, 9}},
      {"7", {0, 4, 7, 10}},      {"maj7", {0, 4, 7, 11}},
      {"m7", {0, 3, 7, 10}},     {"m7b5", {0, 3, 6, 10}},
      {"9", {0, 4, 7, 10, 14}},  {"maj9", {0, 4, 7, 11, 14}},
      {"m9", {0, 3, 7, 10, 14}}, {"m11", {0, 3, 7, 10, 14, 17}},
      {"add9", {0, 4, 7, 14}},   {"madd9", {0, 3, 7, 14}},
      {"sus2", {0, 2, 7}},       {"sus4", {0, 5, 7}},
      {"7sus4", {0, 5, 7, 10}},  {"13", {0, 4, 7, 10, 14, 21}},
  };
  return q;
}

// Splits into tokens at blanks; "|" is a token of its own.
std::vector<std::string> Tokens(std::string_view text) {
  std::vector<std::string> out;
  std::string cur;
  auto flush = [&] {
    if (!cur.empty()) out.push_back(cur);
    cur.clear();
  };
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n') {
      flush();
    } else if (c == '|') {
      flush();
      out.emplace_back("|");
    } else {
      cur += c;
    }
  }
  flush();
  return out;
}

// Semitones above the octave's C of a note name and the characters it took
// ("C" 0 and 1, "F#" 6 and 2, "Cb" -1 and 2); -100 when there is none.
int Semitone(std::string_view s, size_t& used) {
  static const int base[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  used = 0;
  if (s.empty() || s[0] < 'A' || s[0] > 'G') return -100;
  int n = base[s[0] - 'A'];
  used = 1;
  if (s.size() > 1 && (s[1] == '#' || s[1] == 'b')) {
    n += s[1] == '#' ? 1 : -1;
    used = 2;
  }
  return n;
}

// The same as a pitch class 0..11; -1 when there is none.
int PitchClass(std::string_view s, size_t& used) {
  const int n = Semitone(s, used);
  return n < -1 ? -1 : (n + 12) % 12;
}

double Beats(const std::string& s, const std::string& where) {
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  if (s.empty() || *end != '\0' || !(v > 0) || v > 64) {
    throw std::runtime_error(where + ": bad length '" + s + "'");
  }
  return v;
}

// Walks a line of "THING:BEATS" tokens bar by bar, calling `take(thing, beat, len, where)`.
template <typename Take>
int WalkBars(std::string_view text, int beats_per_bar, const std::string& what, Take take) {
  int bar = 0;
  double beat = 0, in_bar = 0;
  auto where = [&] { return what + " bar " + std::to_string(bar + 1); };
  auto close = [&] {
    if (std::fabs(in_bar - beats_per_bar) > 1e-6) {
      throw std::runtime_error(where() + ": lasts " + std::to_string(in_bar) + " beats, not " +
                               std::to_string(beats_per_bar));
    }
    ++bar;
    in_bar = 0;
  };
  for (const std::string& t : Tokens(text)) {
    if (t == "|") {
      close();
      continue;
    }
    const size_t colon = t.rfind(':');
    if (colon == std::string::npos)
      throw std::runtime_error(where() + ": '" + t + "' has no length");
    const double len = Beats(t.substr(colon + 1), where());
    take(t.substr(0, colon), beat, len, where());
    beat += len;
    in_bar += len;
  }
  if (in_bar > 0) close();
  if (bar == 0) throw std::runtime_error(what + ": empty");
  return bar;
}

}  // namespace

int ParsePitch(std::string_view name) {
  size_t used = 0;
  const int n = Semitone(name, used);  // Cb4 is B3, B#3 is C4
  const std::string octave(name.substr(used));
  char* end = nullptr;
  const long o = std::strtol(octave.c_str(), &end, 10);
  if (n < -1 || octave.empty() || *end != '\0' || o < 0 || o > 8) {
    throw std::runtime_error("bad pitch '" + std::string(name) + "'");
  }
  return n + 12 * (static_cast<int>(o) + 1);
}

NoteLine ParseNotes(std::string_view text, int beats_per_bar, const std::string& what) {
  NoteLine line;
  line.bars =
      WalkBars(text, beats_per_bar, what,
               [&](const std::string& thing, double beat, double len, const std::string& w) {
                 if (thing == "r") return;
                 try {
                   line.notes.push_back({beat, len, ParsePitch(thing)});
                 } catch (const std::runtime_error& e) {
                   throw std::runtime_error(w + ": " + e.what());
                 }
               });
  return line;
}

ChordLine ParseChords(std::string_view text, int beats_per_bar, const std::string& what) {
  ChordLine line;
  line.bars = WalkBars(text, beats_per_bar, what,
                       [&](const std::string& sym, double beat, double len, const std::string& w) {
                         size_t used = 0;
                         Chord c{beat, len, PitchClass(sym, used), 0, {}};
                         const size_t slash = sym.find('/');
                         const std::string quality =
                             sym.substr(used, slash == std::string::npos ? slash : slash - used);
                         for (const Quality& q : Qualities()) {
                           if (quality == q.name) c.tones = q.tones;
                         }
                         c.bass = c.root;
                         size_t bass_used = 0;
                         if (slash != std::string::npos) {
                           c.bass = PitchClass(std::string_view(sym).substr(slash + 1), bass_used);
                         }
                         const bool bass_ok =
                             slash == std::string::npos || bass_used == sym.size() - slash - 1;
                         if (c.root < 0 || c.tones.empty() || c.bass < 0 || !bass_ok) {
                           throw std::runtime_error(w + ": bad chord '" + sym + "'");
                         }
                         line.chords.push_back(c);
                       });
  return line;
}

const Chord& ChordLine::At(double beat) const {
  const double total = chords.back().beat + chords.back().len;
  beat = std::fmod(beat, total);
  if (beat < 0) beat += total;
  for (const Chord& c : chords) {
    if (beat < c.beat + c.len - 1e-9) return c;
  }
  return chords.back();
}

std::vector<std::string> ParsePattern(std::string_view text, int steps, const std::string& what) {
  std::vector<std::string> bars(1);
  for (char c : text) {
    if (c == ' ') continue;
    if (c == '|') {
      bars.emplace_back();
    } else {
      bars.back() += c;
    }
  }
  for (size_t i = 0; i < bars.size(); ++i) {
    if (static_cast<int>(bars[i].size()) != steps) {
      throw std::runtime_error(what + " bar " + std::to_string(i + 1) + ": " +
                               std::to_string(bars[i].size()) + " steps, not " +
                               std::to_string(steps));
    }
  }
  return bars;
}

}  // namespace gp::assets::music
