// The score: four tunes and the pieces that play them.
//
// "Welcome Drift" (the launcher): D major, straight eighths, a harp arpeggio
// over warm strings and a soft lead; a kick on the one, a shaker.
// "Orbit Lounge" (the SE Course): A Dorian with a turn to E7, swung
// sixteenths, electric piano, a walking round bass, brushed side-stick and
// hats; each hole its own key, tempo, lead and bed.
// "First Steps" (the training round): F major in three-four, a lilting
// waltz of harp arpeggios and bell-like leads over glassy pads.
// "Coral Tide" (the Comet Reef): E major, straight eighths, a slow rolling
// arpeggio under a mallet or bell lead, bubbles and glints beneath.
#include "tools/assets/music_score.h"

namespace gp::assets::music {

namespace {

using I = Instrument;
using X = Texture;

const Theme kWelcome = {
    "welcome", 4, 2, 0,
    // chords, one a bar
    "Dmaj9:4 | Bm11:4 | Gmaj9:4 | Asus4:2 A:2 | Dmaj9:4 | F#m7:4 | Gmaj9:4 | Em9:2 A7sus4:2 |"
    "Bm9:4 | Gmaj9:4 | D/F#:4 | Gmaj7:2 A:2 | Em9:4 | F#m7:4 | Gmaj9:4 | A7sus4:2 A7:2",
    // melody
    "A5:3 F#5:.5 E5:.5 | F#5:2 D5:1 E5:1 | B5:3 A5:.5 F#5:.5 | E5:3 r:1 |"
    "A5:2 D6:1 C#6:1 | C#6:1.5 A5:.5 E5:2 | F#5:1 G5:1 A5:1 B5:1 | A5:2 G5:1 E5:1 |"
    "F#5:3 E5:.5 D5:.5 | D5:2 B4:1 D5:1 | A5:2 F#5:1 A5:1 | B5:2 C#6:2 |"
    "D6:3 B5:.5 A5:.5 | A5:2 E5:2 | F#5:2 G5:1 B5:1 | A5:2 G5:1 E5:1",
    "",
    "R---5--- | R---8-5-",  // bass
    "01232123 | 01234321",  // comp: arpeggio
    // kick: out for two bars where the second phrase begins
    "x....... | x.....o. | x....... | x.....o. | x....... | x.....o. | x....... | x.....o. |"
    "........ | ........ | x....... | x.....o. | x....... | x.....o. | x....... | x.....o.",
    "",                     // snare
    "",                     // hat
    "o.x.o.x. | o.x.o.xo",  // shaker
};

const Theme kLounge = {
    "lounge",
    4,
    4,
    0.25,
    "Am9:4 | D9:4 | Am9:4 | D9:4 | Fmaj7:4 | G6:4 | Em7:4 | Am7:4 |"
    "Dm9:4 | G9:4 | Cmaj9:4 | Fmaj9:4 | Bm7b5:4 | E7:4 | Am9:2 Fmaj7:2 | Esus4:2 E7:2",
    "r:.5 E5:.5 G5:.5 A5:1.5 G5:.5 E5:.5 | F#5:1.5 E5:.5 D5:2 |"
    "r:.5 E5:.5 G5:.5 A5:.5 C6:1 B5:.5 A5:.5 | B5:2 A5:1 F#5:1 |"
    "A5:1.5 G5:.5 E5:1 C5:1 | D5:1.5 E5:.5 G5:2 | B5:1.5 A5:.5 G5:1 E5:1 | A5:3 r:1 |"
    "r:.5 F5:.5 A5:.5 C6:1.5 A5:1 | B5:1.5 A5:.5 F5:1 D5:1 | E5:1.5 D5:.5 E5:1 G5:1 |"
    "A5:2 G5:1 F5:1 | D5:1.5 F5:.5 A5:2 | G#5:2 B5:1 D6:1 | C6:1.5 B5:.5 A5:2 | E5:2 D5:1 B4:1",
    // counter: the chords' guide tones
    "G4:2 C5:2 | C5:2 F#4:2 | G4:2 C5:2 | C5:2 F#4:2 | E4:2 A4:2 | B4:2 E5:2 | D5:2 G4:2 |"
    "C5:4 | F4:2 C5:2 | B4:2 F4:2 | E4:2 B4:2 | A4:2 E5:2 | D5:2 A4:2 | G#4:2 D5:2 |"
    "C5:2 A4:2 | A4:2 G#4:2",
    "R-----R-5---8-5- | R-----5-R-----7-",
    "x-----o-..x----- | ..x-----o-----..",
    // kick and hats: lighter for the four bars from Dm9 on
    "x.........x..... | x......x..x..... | x.........x..... | x......x..x..... |"
    "x.........x..... | x......x..x..... | x.........x..... | x......x..x..... |"
    "x............... | ................ | x............... | ........x....... |"
    "x.........x..... | x......x..x..... | x.........x..... | x......x..x.....",
    "....x.......x... | ....x.......x..o",
    "x.o.x.o.x.o.x.o. | x.o.x.o.x.o.x.oo | x.o.x.o.x.o.x.o. | x.o.x.o.x.o.x.oo |"
    "x.o.x.o.x.o.x.o. | x.o.x.o.x.o.x.oo | x.o.x.o.x.o.x.o. | x.o.x.o.x.o.x.oo |"
    "x...o...x...o... | x...o...x...o... | x...o...x...o... | x...o...x.o.x.oo |"
    "x.o.x.o.x.o.x.o. | x.o.x.o.x.o.x.oo | x.o.x.o.x.o.x.o. | x.o.x.o.x.o.x.oo",
    "..x...x...x...x. | ..x...x...x..ox.",
};

const Theme kFirstSteps = {
    "firststeps",
    3,
    2,
    0,
    "Fadd9:3 | Am7:3 | Bbmaj7:3 | F:3 | Gm7:3 | C7sus4:3 | Fmaj7:3 | Csus4:2 C:1 |"
    "Fadd9:3 | Am7:3 | Bbmaj7:3 | Dm7:3 | Gm7:3 | C:3 | Am7:3 | Dm7:3 |"
    "Bbmaj7:3 | C:3 | Am7:3 | Dm7:3 | Gm7:3 | Bbm6:3 | Fmaj7:3 | C7sus4:3",
    "C5:1 F5:1 G5:1 | A5:2 G5:1 | F5:2 D5:1 | C5:3 | D5:1 G5:1 A5:1 | Bb5:2 A5:1 |"
    "A5:1 G5:1 F5:1 | G5:3 | C5:1 F5:1 G5:1 | A5:2 C6:1 | D6:2 C6:1 | A5:3 |"
    "Bb5:1 A5:1 G5:1 | E5:2 G5:1 | A5:1 G5:1 E5:1 | F5:3 | D5:1 F5:1 A5:1 | G5:2 E5:1 |"
    "C6:2 A5:1 | F5:2 A5:1 | Bb5:2 D6:1 | Db6:2 C6:1 | C6:1 A5:1 F5:1 | G5:2 r:1",
    "",
    "R---5- | R---8-",
    "012321 | 013231",
    "x..... | x.....",
    "",
    "",
    // shaker: out for the four bars from the last Bbmaj7 on
    "x.o.o. | x.o.oo | x.o.o. | x.o.oo | x.o.o. | x.o.oo | x.o.o. | x.o.oo |"
    "x.o.o. | x.o.oo | x.o.o. | x.o.oo | x.o.o. | x.o.oo | x.o.o. | x.o.oo |"
    "...... | ...... | ...... | ....o. | x.o.o. | x.o.oo | x.o.o. | x.o.oo",
};

const Theme kCoralTide = {
    "coraltide",
    4,
    2,
    0,
    "Emaj9:4 | C#m9:4 | Amaj9:4 | B6:2 Bsus4:2 | Emaj9:4 | G#m7:4 | Amaj7:4 | F#m9:2 B7sus4:2 |"
    "C#m9:4 | Amaj9:4 | E/G#:4 | Amaj7:2 B:2 | F#m9:4 | G#m7:4 | Amaj9:4 | B7sus4:2 B7:2",
    "E5:1 G#5:1 B5:2 | C#6:1.5 B5:.5 G#5:2 | A5:1 C#6:1 E6:1.5 C#6:.5 | B5:3 r:1 |"
    "E5:1 G#5:1 B5:1 D#6:1 | E6:2 D#6:1 B5:1 | C#6:1.5 B5:.5 A5:1 C#6:1 | B5:2 r:1 F#5:1 |"
    "G#5:1.5 B5:.5 C#6:2 | A5:1 G#5:1 E5:2 | E5:1 F#5:1 G#5:1 B5:1 | A5:2 B5:1 C#6:1 |"
    "D#6:2 C#6:1 B5:1 | G#5:1.5 F#5:.5 E5:2 | F#5:1 A5:1 C#6:1 B5:1 | B5:3 r:1",
    "",
    "R---5--- | R-5-8---",  // bass
    "0-2-1-3- | 01230-2-",  // comp: a slow rolling arpeggio
    "x...x... | x...x.o.",  // kick
    "",                     // snare
    "",                     // hat
    "..o...o. | ..o..oo.",  // shaker
};

// name, theme, transpose, bpm, lead, counter, comp, pad, bass, drums, texture,
// space, bright, lead octave, seed
const std::vector<Piece> kPieces = {
    {"launcher", &kWelcome, 0, 76, I::SoftLead, I::None, I::Harp, I::WarmPad, I::SubBass,
     kKick | kShaker, X::Sparkle, 0.8, 1.0, -1, 11},
    // The SE Course and its bonus and secret holes.
    {"se-tee", &kLounge, 0, 82, I::Vibes, I::None, I::EPiano, I::WarmPad, I::Bass,
     kKick | kSnare | kHat, X::None, 0.5, 1.0, 0, 21},
    {"se-drift", &kLounge, 3, 84, I::Marimba, I::None, I::EPiano, I::WarmPad, I::Bass, kAllDrums,
     X::None, 0.5, 1.1, 0, 22},
    {"se-glow", &kLounge, -2, 78, I::Bell, I::None, I::Celesta, I::GlassPad, I::SubBass,
     kHat | kShaker, X::Sparkle, 0.85, 1.2, 0, 23},
    {"se-storm", &kLounge, -5, 80, I::SoftLead, I::None, I::EPiano, I::DarkPad, I::SubBass, kKick,
     X::Rain, 0.75, 0.75, -1, 24},
    {"se-works", &kLounge, 5, 84, I::Vibes, I::None, I::Marimba, I::WarmPad, I::Bass, kAllDrums,
     X::Hum, 0.45, 1.0, -1, 25},
    {"se-finale", &kLounge, 0, 84, I::Vibes, I::Flute, I::EPiano, I::WarmPad, I::Bass,
     kKick | kSnare | kHat, X::None, 0.55, 1.1, 0, 26},
    {"se-bonus", &kLounge, 2, 82, I::Alien, I::None, I::EPiano, I::GlassPad, I::Bass,
     kKick | kHat | kShaker, X::Bubbles, 0.6, 1.1, 0, 27},
    {"se-secret", &kLounge, -3, 78, I::Flute, I::None, I::EPiano, I::DarkPad, I::SubBass,
     kSnare | kShaker, X::Wind, 0.8, 0.8, -1, 28},
    // The training round.
    {"training-first", &kFirstSteps, 0, 92, I::Celesta, I::None, I::Harp, I::GlassPad, I::SubBass,
     kKick | kShaker, X::None, 0.7, 1.0, 0, 31},
    {"training-garden", &kFirstSteps, 2, 90, I::Flute, I::None, I::Harp, I::WarmPad, I::SubBass,
     kShaker, X::Sparkle, 0.7, 1.0, -1, 32},
    {"training-gate", &kFirstSteps, -2, 94, I::Marimba, I::None, I::Harp, I::GlassPad, I::Bass,
     kKick | kShaker, X::None, 0.6, 1.0, 0, 33},
    {"training-dust", &kFirstSteps, -3, 88, I::Vibes, I::None, I::Harp, I::WarmPad, I::SubBass,
     kShaker, X::Wind, 0.7, 0.9, 0, 34},
    {"training-shards", &kFirstSteps, 3, 92, I::Celesta, I::None, I::Harp, I::GlassPad, I::SubBass,
     kKick | kShaker, X::Sparkle, 0.75, 1.2, -1, 35},
    {"training-bubbles", &kFirstSteps, -5, 90, I::SoftLead, I::None, I::Harp, I::GlassPad,
     I::SubBass, kShaker, X::Bubbles, 0.7, 1.0, 0, 36},
    // The Comet Reef.
    {"reef-shallows", &kCoralTide, 0, 80, I::Marimba, I::None, I::Harp, I::GlassPad, I::Bass,
     kKick | kShaker, X::Bubbles, 0.7, 1.0, 0, 41},
    {"reef-spout", &kCoralTide, 2, 82, I::Vibes, I::None, I::Harp, I::WarmPad, I::Bass,
     kKick | kShaker, X::Bubbles, 0.65, 1.05, 0, 42},
    {"reef-urchins", &kCoralTide, -3, 78, I::Bell, I::None, I::Celesta, I::DarkPad, I::SubBass,
     kShaker, X::Sparkle, 0.8, 0.9, 0, 43},
    {"reef-lagoon", &kCoralTide, 5, 80, I::Flute, I::None, I::Harp, I::GlassPad, I::SubBass,
     kShaker, X::Bubbles, 0.75, 1.0, -1, 44},
    {"reef-shift", &kCoralTide, -2, 84, I::Marimba, I::None, I::EPiano, I::WarmPad, I::Bass,
     kAllDrums, X::Hum, 0.5, 1.0, 0, 45},
    {"reef-tail", &kCoralTide, 3, 82, I::Celesta, I::None, I::Harp, I::GlassPad, I::SubBass,
     kKick | kHat | kShaker, X::Sparkle, 0.7, 1.2, -1, 46},
    {"reef-kelp", &kCoralTide, -5, 78, I::SoftLead, I::None, I::Harp, I::DarkPad, I::SubBass,
     kShaker, X::Bubbles, 0.8, 0.85, 0, 47},
    {"reef-tide", &kCoralTide, 1, 84, I::Alien, I::None, I::EPiano, I::GlassPad, I::Bass,
     kKick | kSnare | kShaker, X::Wind, 0.6, 1.1, 0, 48},
    {"reef-comet", &kCoralTide, 4, 82, I::Vibes, I::Flute, I::Harp, I::WarmPad, I::Bass,
     kKick | kHat | kShaker, X::Sparkle, 0.6, 1.1, 0, 49},
};

}  // namespace

const std::vector<Piece>& Pieces() {
  return kPieces;
}

const Piece* FindPiece(std::string_view name) {
  for (const Piece& p : kPieces) {
    if (name == p.name) return &p;
  }
  return nullptr;
}

}  // namespace gp::assets::music
