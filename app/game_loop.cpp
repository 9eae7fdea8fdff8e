#include "app/game_loop.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "ai/computer_player.h"
#include "ai/running_game.h"
#include "app/frame_tick.h"
#include "app/game_records.h"
#include "app/game_window.h"
#include "app/kept_game.h"
#include "app/keys.h"
#include "app/panel_input.h"
#include "app/replay.h"
#include "base/asset_error.h"
#include "game/hole_tables.h"
#include "game/setup.h"
#include "game/sound.h"
#include "game/state.h"
#include "sim/putting.h"

namespace gp {

namespace {

// Milliseconds to sleep while the timer is off: the window still answers input.
constexpr uint32_t kIdleWait = 10;
// The computer players think in slices of at most this many milliseconds
// while the window waits for its next frame; one at least between two frames.
constexpr double kThinkSlice = 4;
constexpr double kLeastThink = 2;

int g_frames = 0;
ReplayRecorder* g_recorder = nullptr;
// The computer players of the window's game, thinking in slices.
ai::ComputerPlayers g_computers(true);
bool g_thought = false;  // the computers have thought since the last frame

// A move event that does not change the position is no move: it would make
// the last pointer step 0 (the push putt's launch speed).
void PointerTo(int x, int y) {
  const GameState& g = gs();
  if (x != g.mousex || y != g.mousey) OnPointerMove(x, y);
}

void ButtonDown(const InputEvent& ev) {
  PointerTo(ev.x, ev.y);
  if (ev.button == MouseButton::Left) {
    if (OnLeftButtonDown()) PanelPress();
  } else if (ev.button == MouseButton::Right) {
    OnRightButton();
  }
}

void ButtonUp(const InputEvent& ev) {
  PointerTo(ev.x, ev.y);
  if (ev.button == MouseButton::Left) {
    // Also the click: the putt gets it first, then the panel.
    if (OnLeftButtonUp()) PanelClick();
  } else if (ev.button == MouseButton::Right) {
    OnRightButton();
  }
}

// Carries out the requests of a handler or a frame; a hole that cannot be
// loaded is reported and closes the window.
void Requests() {
  try {
    CarryOutRequests();
  } catch (const AssetError& e) {
    FailGameWindow(e.what());
  }
}

// Closes the window once the rules or the keys have asked to leave.
void CheckLeave() {
  GameState& g = gs();
  if (!g.leaverequest) return;
  g.leaverequest = false;
  if (GameWindowOpen()) CloseGameWindow();
}

// A stroke keeps the game so far; the final score details end keeping it.
void KeepGame() {
  GameState& g = gs();
  if (g.strokerequest) {
    g.strokerequest = false;
    keptgame().Stroke(g_frames);
  }
  if (g.gameover) keptgame().Finish();
}

void Tick(bool draw) {
  ++g_frames;
  if (g_recorder) g_recorder->Tick(g_frames, gamewin().timer.rate);
  keptgame().Tick(g_frames, gamewin().timer.rate);
  try {
    RunFrame(draw);
  } catch (const AssetError& e) {
    // The next hole could not be loaded: the game cannot go on.
    FailGameWindow(e.what());
  }
  Requests();
  KeepGame();
}

// 64 random bits in hex, from the system's random source (never the game's,
// which would change the game).
std::string NewGameUid() {
  uint64_t v = ClockSeed() ^ (static_cast<uint64_t>(::getpid()) << 40);
  try {
    std::random_device device;
    v ^= static_cast<uint64_t>(device()) << 32 | device();
  } catch (const std::exception&) {
    // No random source: the clock and the process id.
  }
  char text[20];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
  return text;
}

// Whether a game started on `firsthole` plays its course from the first hole.
bool WholeCourse(const std::string& firsthole) {
  if (firsthole.empty()) return true;
  return firsthole == (setup().training ? kFirstTrainingHole : kFirstCourseHole);
}

// The handlers an event reaches.
void Handle(const InputEvent& ev) {
  switch (ev.type) {
    case InputEvent::Type::MouseMove:
      PointerTo(ev.x, ev.y);
      break;
    case InputEvent::Type::PointerLeave:
      gs().pointerout = true;
      break;
    case InputEvent::Type::PointerEnter:
      gs().pointerout = false;
      break;
    case InputEvent::Type::ButtonDown:
      ButtonDown(ev);
      break;
    case InputEvent::Type::ButtonUp:
      ButtonUp(ev);
      break;
    case InputEvent::Type::DoubleClick:
      if (ev.button == MouseButton::Left) PanelDoubleClick();
      break;
    case InputEvent::Type::KeyDown:
      OnKeyDown(ev.key);
      break;
    case InputEvent::Type::KeyUp:
      OnKeyUp(ev.key);
      break;
    case InputEvent::Type::Quit:
      CloseGameWindow();
      break;
    case InputEvent::Type::ScreenshotSaved:
    case InputEvent::Type::ScreenshotFailed:
      OnScreenshot(ev.type == InputEvent::Type::ScreenshotSaved);
      break;
    case InputEvent::Type::None:
      break;
  }
}

// The running game's hooks for a search: frames and events whose requests
// leave the real pointer, the hole and the window alone.
void SearchFrame() {
  RunFrame(false);
  CarryOutSearchRequests();
}

void SearchInput(const InputEvent& ev) {
  Handle(ev);
  CarryOutSearchRequests();
}

void SearchQuiet(bool on) {
  gamerecords().Searching(on);
  if (on) {
    SetSoundBackend(nullptr);
  } else if (GameWindowOpen()) {
    InstallSoundBackend();
  }
}

}  // namespace

bool OpenGameWindow(Platform& platform, const GameStart& start) {
  gs().leaverequest = false;
  g_frames = 0;
  GameWindow& w = gamewin();
  w.firsthole = start.firsthole;
  w.holefolder = start.holefolder;
  w.gameuid = start.gameuid.empty() ? NewGameUid() : start.gameuid;
  // The seed is known even when drawn from the clock: the kept game needs it.
  const uint64_t seed = start.seed.value_or(ClockSeed());
  CreateGameWindow(platform, seed);
  if (!ShowGameWindow()) {
    if (GameWindowOpen()) CloseGameWindow();
    return false;
  }
  gamerecords().Begin(setup(), w.gameuid, gs().holename, WholeCourse(start.firsthole));
  keptgame().Start(seed, start.firsthole, setup(), w.gameuid, !start.resume);
  return true;
}

void InstallRunningGame() {
  ai::SetRunningGame({SearchFrame, SearchInput, &gamewin().timer, SearchQuiet});
}

void DispatchInput(const InputEvent& ev) {
  if (g_recorder) g_recorder->Event(g_frames + 1, ev);
  keptgame().Event(g_frames + 1, ev);
  Handle(ev);
  Requests();
  CheckLeave();
}

bool PumpGameWindow(Platform& platform) {
  InputEvent ev;
  while (GameWindowOpen() && platform.PollEvent(ev)) {
    // During a computer's turn the person's mouse leaves its putt alone.
    if (g_computers.LetsThrough(ev)) DispatchInput(ev);
  }
  if (!GameWindowOpen()) return false;
  GameWindow& w = gamewin();
  const uint32_t now = platform.Ticks();
  if (w.timer.Due(now)) {
    if (g_computers.Thinking() && !g_thought) g_computers.Think(kLeastThink);
    for (const InputEvent& e : g_computers.BeforeFrame()) {
      if (GameWindowOpen()) DispatchInput(e);
    }
    // Nothing to see: the frame runs without drawing (the game goes on exactly the same);
    // a display that cannot draw still skips the frame, as the drawn tick does.
    if (GameWindowOpen()) TickGameWindow(platform.DisplayVisible() || !w.display.CanDraw());
    g_thought = false;
  } else {
    const uint32_t wait = w.timer.enabled ? w.timer.Wait(now) : kIdleWait;
    if (g_computers.Thinking()) {
      g_computers.Think(std::min(static_cast<double>(wait), kThinkSlice));
      g_thought = true;
    } else {
      platform.Wait(wait);
    }
  }
  return GameWindowOpen();
}

void TickGameWindow(bool draw) {
  Tick(draw);
  CheckLeave();
}

int GameWindowFrames() {
  return g_frames;
}

void SetReplayRecorder(ReplayRecorder* recorder) {
  g_recorder = recorder;
}

bool GameWindowOpen() {
  return gamewin().open;
}

bool RunOpenGameWindow(Platform& platform) {
  g_computers.Start(gamewin().seed);
  g_thought = false;
  // The devices go before the platform does, however the loop ends; the
  // computers' thinking before the game it thinks on.
  struct Closer {
    ~Closer() {
      g_computers.Stop();
      if (GameWindowOpen()) CloseGameWindow();
    }
  } closer;
  while (PumpGameWindow(platform)) {
  }
  return !gamewin().failed;
}

bool RunGameWindow(Platform& platform, const GameStart& start) {
  if (!OpenGameWindow(platform, start)) return false;
  return RunOpenGameWindow(platform);
}

}  // namespace gp
