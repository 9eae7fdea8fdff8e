#pragma once
// A player made of code: it plays the real game window headless through input
// events only (pointer moves, buttons, keys), the way a person would, and
// every event goes through the game's own dispatch, so a recorder attached to
// the game window writes a replay of it.

#include <cstdint>
#include <random>
#include <string>

namespace gp {
struct InputEvent;
}

namespace gp::lab {

// Looks at the game around every frame the bot runs (the soak's checks).
class FrameWatch {
 public:
  virtual ~FrameWatch() = default;
  virtual void Before() = 0;
  // False stops the bot at once.
  virtual bool After() = 0;
};

struct AutoplayOptions {
  uint64_t seed = 1;       // the bot's own choices (the game has its own seed)
  bool keys = false;       // now and then a keyboard command
  bool panel = false;      // now and then a click on the score panel
  int maxframes = 400000;  // gives up after this many frames
  int holes = 0;           // leave (ESC, ENTER) once this many holes are done; 0 = play to the end
  int strokes = 0;         // leave once this many strokes are taken; 0 = no limit
  int wild = 0;            // one stroke in `wild` goes anywhere at any strength; 0 = never
  bool draw = true;        // false: frames run without drawing (the game is the same)
  int rate = 60;           // frames a second the frame timer measures (physics steps follow)
  FrameWatch* watch = nullptr;  // called around every frame; may stop the bot
};

// Plays the open game window until the game ends and is left, the hole limit
// is reached, or maxframes pass. Returns the frames ticked.
int Autoplay(const AutoplayOptions& o);

}  // namespace gp::lab
