#pragma once
// The game window: owns the display, the sound device, the frame
// timer and the image and wave lists for the length of one game.

#include <cstdint>
#include <optional>
#include <string>

#include "base/frame_timer.h"
#include "media/display.h"
#include "media/image_list.h"
#include "media/mixer.h"
#include "media/wave_list.h"

namespace gp {

class Platform;

struct GameWindow {
  Platform* platform = nullptr;
  std::string folder;  // the program's folder, ending with '/'
  Display display;
  Mixer mixer;
  FrameTimer timer;
  ImageList menu, gui, course;
  WaveList sounds, bgsounds;

  // Display mode chosen at creation (logical pixels, always 16 bits per pixel).
  int displaywidth = 640, displayheight = 480;
  bool vsync = false;  // page flip waits for the vertical blank
  uint64_t seed = 0;   // the game's random seed (the computer players seed theirs from it)
  // The first hole: empty = the record's choice (training or the course).
  std::string firsthole;
  // Where this game's holes are read from (ending with '/'): the compiled holes
  // of the course chosen; empty = the program folder.
  std::string holefolder;
  bool open = false;    // shown and not yet closed
  bool failed = false;  // closed because a file could not be loaded
  std::string gameuid;  // the game's own id (records, the kept game)
  // While a kept game is played forward: effect sounds that do not loop are
  // not played, and error reports are held in `heldreports` instead of shown.
  bool silent = false;
  std::string heldreports;
};

// The game window of the process.
GameWindow& gamewin();

// A random seed from the clock, for a game given none.
uint64_t ClockSeed();

// Window creation: display mode, frame timer and sound device from the setup
// record; the random source from `seed`, or from the clock when none is given.
void CreateGameWindow(Platform& platform, std::optional<uint64_t> seed = std::nullopt);

// The display's start handler: shared assets, skin, game state, first hole,
// ball textures, floaters. Raises AssetError with the loaders' messages.
void LoadGameAssets();

// Shows the window: starts the display, puts the pointer at the screen centre
// and runs LoadGameAssets. Failures are reported in a message box. Returns
// false when the display could not start or the assets could not be loaded;
// in the latter case the window has closed again (`failed`).
bool ShowGameWindow();

// Leaving: timer off, display and sound device shut down, window closed.
void CloseGameWindow();

// A file the game needs could not be loaded: the message, then the window
// closes, since the game cannot go on (`failed`).
void FailGameWindow(const std::string& text);

// Reports an error in a message box (and on standard error).
void ReportError(const std::string& text);

// Routes the game's sound requests to the mixer's `sounds` and `bgsounds`.
void InstallSoundBackend();

}  // namespace gp
