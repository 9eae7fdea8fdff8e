#pragma once
// The small text notation the music's score is written in, and its reader.
//
//   notes     "E5:1.5 G5:.5 r:2 | ..."  a pitch (C..B, # or b, octave; middle C
//             is C4) or r for a rest, a colon and a length in beats
//   chords    "Am9:4 | D9:2 G/B:2 | ..."  root, quality (table in the .cpp), an
//             optional /BASS, a length in beats
//   patterns  "x.o.x.o. | x.o.xxo."  one character a step, one bar each, cycled
//
// Bars are separated by "|"; every bar of a note or chord line must last
// exactly one bar, so a slip in the score stops the build with the bar named.

#include <string>
#include <string_view>
#include <vector>

namespace gp::assets::music {

struct Note {
  double beat = 0, len = 0;  // from the start of the line, in beats
  int pitch = 60;            // MIDI note number (60 = C4)
};

struct Chord {
  double beat = 0, len = 0;
  int root = 0;            // pitch class 0..11 (0 = C)
  int bass = 0;            // pitch class the bass plays (the root unless a /BASS is given)
  std::vector<int> tones;  // semitones above the root, ascending (0 first)
};

// A MIDI note number from a name such as "C4", "F#5" or "Bb3"; throws std::runtime_error.
int ParsePitch(std::string_view name);

struct NoteLine {
  std::vector<Note> notes;  // rests left out
  int bars = 0;
};
struct ChordLine {
  std::vector<Chord> chords;
  int bars = 0;
  // The chord sounding at `beat` (wrapping past the end).
  const Chord& At(double beat) const;
};

// Throws std::runtime_error naming `what` and the bar on a bad token or a bar of the wrong length.
NoteLine ParseNotes(std::string_view text, int beats_per_bar, const std::string& what);
ChordLine ParseChords(std::string_view text, int beats_per_bar, const std::string& what);
// One string of `steps` characters per bar; throws when a bar has another length.
std::vector<std::string> ParsePattern(std::string_view text, int steps, const std::string& what);

}  // namespace gp::assets::music
