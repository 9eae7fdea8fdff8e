#pragma once
// The game window's event loop: input events to the game's handlers between
// frames, and the frame tick whenever the frame timer is due.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "platform/platform.h"

namespace gp {

struct GameStart {
  GameStart() = default;
  GameStart(std::optional<uint64_t> s, std::string hole = "")
      : seed(s), firsthole(std::move(hole)) {}

  std::optional<uint64_t> seed;  // none: seeded from the clock
  // Empty: the record's first hole. Otherwise that hole, numbered by its place
  // in the course (1 when it is not among the course's holes).
  std::string firsthole;
  // Not empty: the holes are read from this folder as they are, whatever the
  // course (a tool checking holes that are not all playable yet).
  std::string holefolder = {};
  // The game's own id; empty: a new one. A resumed game keeps its own.
  std::string gameuid;
  // Resuming the kept game: its file stays until it has played back.
  bool resume = false;
};

// Creates and shows the game window. False when it could not open: the display
// did not start, or a file could not be loaded (reported, the window closed).
bool OpenGameWindow(Platform& platform, const GameStart& start = {});

// One input event through the handlers the real window uses.
void DispatchInput(const InputEvent& ev);

// Gives ai/ the running game's hooks (ai/running_game.h): frames and input
// for its searches. The game window's creation does it.
void InstallRunningGame();

// Drains pending input, then ticks when the timer is due, or else waits
// until it will be. Returns false once the window has closed.
bool PumpGameWindow(Platform& platform);

bool GameWindowOpen();

// Runs one frame as the timer would when due (the tick, then a pending leave);
// without drawing (`draw` false) the game advances exactly the same.
void TickGameWindow(bool draw = true);
// Frames ticked since the window opened.
int GameWindowFrames();

class ReplayRecorder;
// Every input event and tick of the next games goes to `recorder` (nullptr: none).
void SetReplayRecorder(ReplayRecorder* recorder);

// Opens the game window and runs it until it closes; false when it could not
// open or closed because a file could not be loaded (the next hole's).
bool RunGameWindow(Platform& platform, const GameStart& start = {});
// Runs a game window already open (a resumed game) until it closes, the
// computer players thinking as they do in RunGameWindow.
bool RunOpenGameWindow(Platform& platform);

}  // namespace gp
