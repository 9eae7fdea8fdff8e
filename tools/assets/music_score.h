#pragma once
// The background music as data: each course's tune (a theme: chords, melody,
// rhythm patterns, written in one key) and the pieces that play it, one per
// hole or screen, each with its own key, tempo, instruments and texture.
// A hole source names its piece in `[sounds] music`.

#include <string_view>
#include <vector>

namespace gp::assets::music {

enum class Instrument {
  None,
  WarmPad,   // detuned saws, low-passed
  GlassPad,  // triangle and soft overtones, slow vibrato
  DarkPad,   // the warm pad, darker and slower
  EPiano,    // two-operator FM electric piano
  Vibes,     // vibraphone: sine, a fourth-harmonic strike, tremolo
  Marimba,   // short wooden mallet
  Celesta,   // bright music-box bell
  Bell,      // long FM bell
  Harp,      // plucked string (Karplus-Strong)
  SoftLead,  // triangle lead with delayed vibrato
  Flute,     // sine with breath
  Alien,     // wide, scooping vibrato lead
  Bass,      // round plucked bass
  SubBass,   // sustained sine bass
};

// A bed under the music, unpitched or tuned to the piece's key.
enum class Texture { None, Rain, Wind, Bubbles, Hum, Sparkle };

// Drum parts a piece plays (bits).
enum Drums : unsigned { kKick = 1, kSnare = 2, kHat = 4, kShaker = 8, kAllDrums = 15 };

// A course's tune in its written key (see music_notation.h for the notation).
struct Theme {
  const char* name;
  int beats;     // per bar
  int steps;     // pattern steps per beat (2 eighths, 4 sixteenths)
  double swing;  // 0 straight; 0.25: every second eighth comes a quarter of an eighth late
  const char* chords;
  const char* melody;
  const char* counter;  // a second, slower line; "" for none
  // Bass steps: R the chord's bass, 3 5 7 its third, fifth, seventh, 8 the root an
  // octave up, - hold, . rest.
  const char* bass;
  // Comping steps: x a chord (o softer), digits 0..9 an arpeggio of its tones
  // from the bottom, - hold, . rest.
  const char* comp;
  // Drum steps: x a hit, o a soft one, . rest.
  const char* kick;
  const char* snare;
  const char* hat;
  const char* shaker;
};

struct Piece {
  const char* name;
  const Theme* theme;
  int transpose;  // semitones from the written key
  double bpm;
  Instrument lead, counter, comp, pad, bass;  // None: the part is silent
  unsigned drums;                             // Drums bits
  Texture texture;
  double space;   // reverb send, 0..1
  double bright;  // filter scale for pads and leads, about 0.6 (dark) .. 1.4
  int lead_octave;
  unsigned seed;  // humanising and textures
};

const std::vector<Piece>& Pieces();
// nullptr when no piece has that name.
const Piece* FindPiece(std::string_view name);

}  // namespace gp::assets::music
