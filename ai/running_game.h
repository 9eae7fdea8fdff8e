#pragma once
// What the search needs of the running game. The game window provides it
// (ai/ lies below app/ and cannot call it): one whole frame without drawing,
// one input event through the real handlers, the window's frame-rate state,
// and silence while a search runs. Installed when the game window is created.

#include "base/frame_timer.h"
#include "platform/platform.h"

namespace gp::ai {

struct RunningGame {
  // One whole frame as the window ticks it, without drawing, and what it asks
  // of the window carried out, except that the real pointer is never moved and
  // no other hole is loaded (a search stays on its hole).
  void (*frame)() = nullptr;
  // One input event through the handlers a person's events reach, not recorded
  // in a replay; its requests carried out as after a frame.
  void (*input)(const InputEvent& ev) = nullptr;
  // The frame timer, whose measured rate sets the physics steps per frame.
  FrameTimer* timer = nullptr;
  // True: the game's sounds go nowhere (a search is running); false: back to the mixer.
  void (*quiet)(bool on) = nullptr;
};

void SetRunningGame(const RunningGame& r);

// Runs one whole frame without drawing, the way the game window ticks it
// (through the running game's hooks: no pointer moved, no other hole loaded).
void StepFrame();
// The hooks installed; every pointer is null before a game window was created.
const RunningGame& runninggame();

// While one lives the game's sounds go nowhere.
class QuietGame {
 public:
  QuietGame();
  ~QuietGame();
  QuietGame(const QuietGame&) = delete;
  QuietGame& operator=(const QuietGame&) = delete;
};

}  // namespace gp::ai
