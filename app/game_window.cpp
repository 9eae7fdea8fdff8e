#include "app/game_window.h"

#include <chrono>
#include <cstdio>

#include "app/frame_tick.h"
#include "app/game_loop.h"
#include "app/game_records.h"
#include "app/kept_game.h"
#include "base/asset_error.h"
#include "base/random.h"
#include "game/setup.h"
#include "game/sound.h"
#include "game/state.h"
#include "platform/platform.h"

namespace gp {

namespace {

constexpr const char* kTitle = "Galaputt";

// Sound requests while the device is not running are ignored by the mixer.
void RouteSound(const SoundRequest& r) {
  GameWindow& w = gamewin();
  WaveList& list = r.list == SoundList::Effects ? w.sounds : w.bgsounds;
  WaveItem* item = list.Item(r.index);
  if (!item) return;
  // Played forward quickly, a game would fire all its sounds at once; loops
  // still start and stop, so the right ones play afterwards.
  if (w.silent && r.op == SoundOp::Play && !item->looped) return;
  switch (r.op) {
    case SoundOp::Play:
      w.mixer.Play(*item);
      break;
    case SoundOp::Stop:
      w.mixer.Stop(*item);
      break;
    case SoundOp::SetLooped:
      w.mixer.SetLooped(*item, r.value != 0);
      break;
    case SoundOp::SetVolume:
      w.mixer.SetVolume(*item, r.value);
      break;
  }
}

// The sound device's start handler: flags from the record. The device format
// (22 050 Hz, 16-bit, mono) is fixed by the platform.
void ApplySoundSwitches() {
  gs().soundon = setup().soundon;
  gs().bgsoundon = setup().bgsoundon;
}

}  // namespace

uint64_t ClockSeed() {
  return static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

GameWindow& gamewin() {
  static GameWindow window;
  return window;
}

void ReportError(const std::string& text) {
  GameWindow& w = gamewin();
  if (w.silent) {
    if (!w.heldreports.empty()) w.heldreports += " ";
    w.heldreports += text;
    return;
  }
  if (w.platform) {
    w.platform->ShowMessage(kTitle, text);
  } else {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}

void InstallSoundBackend() {
  SetSoundBackend(RouteSound);
}

void CreateGameWindow(Platform& platform, std::optional<uint64_t> seed) {
  GameWindow& w = gamewin();
  GameState& g = gs();
  w.platform = &platform;
  w.folder = platform.BaseDir();
  g.panelmin = false;
  g.exitconfirm = false;
  w.seed = seed ? *seed : ClockSeed();
  Randomize(w.seed);
  setup() = Sanitized(setup());
  const GameSetup& s = setup();
  w.displaywidth = s.displaywidth;
  w.displayheight = s.displayheight;
  w.vsync = !s.fastwrites;
  w.timer = FrameTimer{};
  w.timer.interval = s.frameinterval;
  InstallSoundBackend();
  ApplySoundSwitches();
  if (!w.mixer.StartSound(&platform)) {
    // The game runs silent: the mixer ignores every request while stopped.
    ReportError("Primary buffer cannot be made");
  }
  w.failed = false;
  w.open = true;
  InstallRunningGame();
}

bool ShowGameWindow() {
  GameWindow& w = gamewin();
  if (!w.display.Start(w.platform, w.displaywidth, w.displayheight, w.vsync)) {
    char text[96];
    std::snprintf(text, sizeof text, "Display mode cannot be changed (%dx%d %dbit)", w.displaywidth,
                  w.displayheight, 16);
    ReportError(text);
    return false;
  }
  GameState& g = gs();
  g.screenwidth = w.display.SurfaceWidth();
  g.screenheight = w.display.SurfaceHeight();
  // The game's pointer starts where the platform's does, at the screen centre,
  // and inside the window.
  g.mousex = g.screenwidth / 2;
  g.mousey = g.screenheight / 2;
  g.pointerout = false;
  try {
    LoadGameAssets();
  } catch (const AssetError& e) {
    FailGameWindow(e.what());
    return false;
  }
  // The first hole's starting player parks the pointer.
  CarryOutRequests();
  return true;
}

void CloseGameWindow() {
  GameWindow& w = gamewin();
  gamerecords().End();
  keptgame().Stop();
  w.timer.enabled = false;
  w.display.Finalize();
  w.mixer.StopSound();
  SetSoundBackend(nullptr);
  w.holefolder.clear();
  w.open = false;
}

void FailGameWindow(const std::string& text) {
  GameWindow& w = gamewin();
  w.timer.enabled = false;
  ReportError(text);  // over the window, which closes once it has been seen
  w.failed = true;
  if (w.open) CloseGameWindow();
}

}  // namespace gp
