#pragma once
// Drives the real game window on the headless platform through the same
// input dispatch as the real loop: pointer moves, button presses and
// releases, keys. Aiming is computed from the state; strokes go through the
// pointer.

#include <cmath>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "game/setup.h"
#include "game/state.h"
#include "platform/headless/headless_platform.h"
#include "app/game_loop.h"
#include "app/game_window.h"

namespace gp::testing {

inline std::string GameDir() {
  return std::string(GALAPUTT_GAME_DIR) + "/";
}

// The data files that are missing from the program folder (empty: all there).
inline std::string MissingData(const std::vector<std::string>& holes) {
  std::vector<std::string> files{"menu.dxg", "gui.dxg", "sound.dxw"};
  for (const std::string& h : holes) {
    for (const char* ext : {".hole", ".dxg", ".dxw"}) files.push_back(h + ext);
  }
  std::string missing;
  for (const std::string& f : files) {
    if (!std::filesystem::exists(GameDir() + f)) missing += " " + f;
  }
  return missing;
}

// Messages of the start-up other than a silent sound device (the game then
// runs without sound, which these tests do not need).
inline std::vector<std::string> StartErrors(const HeadlessPlatform& p) {
  std::vector<std::string> errors;
  for (const std::string& m : p.messages()) {
    if (m.find("cannot be made") == std::string::npos) errors.push_back(m);
  }
  return errors;
}

class GameDriver {
 public:
  // Frames come every 17 ms of the virtual clock (just under 60 a second).
  static constexpr uint32_t kFrameMs = 17;

  bool Open(const GameSetup& s, const std::string& firsthole = "", uint64_t seed = 1) {
    platform_.SetBaseDir(GameDir());
    setup() = s;
    ResetGameState();
    rng_.seed(seed);
    return OpenGameWindow(platform_, GameStart{seed, firsthole}) && StartErrors(platform_).empty();
  }
  ~GameDriver() {
    if (GameWindowOpen()) CloseGameWindow();
  }

  HeadlessPlatform& platform() { return platform_; }
  int frames() const { return frames_; }

  void Frame() {
    platform_.Advance(kFrameMs);
    PumpGameWindow(platform_);
    ++frames_;
  }
  // Runs frames until `done` holds or `limit` frames have passed.
  bool RunUntil(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit && GameWindowOpen(); ++i) {
      if (done()) return true;
      Frame();
    }
    return done();
  }

  void Send(InputEvent::Type type, int x, int y, MouseButton b = MouseButton::Left) {
    InputEvent ev;
    ev.type = type;
    ev.x = x;
    ev.y = y;
    ev.button = b;
    platform_.Push(ev);
  }
  void Move(int x, int y) { Send(InputEvent::Type::MouseMove, x, y); }
  // A left click at (x, y), delivered before the next frame.
  void Click(int x, int y) {
    Move(x, y);
    Send(InputEvent::Type::ButtonDown, x, y);
    Send(InputEvent::Type::ButtonUp, x, y);
  }

  // Balls at rest, no putt, nothing on screen but the course, view settled.
  static bool ReadyToPutt() {
    const GameState& g = gs();
    return g.gamestate == kPlay && !g.ballsmoving && g.puttstage == 0 && !g.centreview;
  }

  // Closes a page (hole card, score details) with a click away from the balls.
  void ClickAway() {
    const GameWindow& w = gamewin();
    Click(w.display.SurfaceWidth() - 2, w.display.SurfaceHeight() - 2);
    Frame();
  }

  // One pull putt of the current player towards the cup, strength from the
  // distance (friction takes 0.005 per step: a ball at speed v rolls about
  // 100 v^2 pixels), or `force` when given. `miss` turns the aim by up to that
  // many byte steps.
  bool PullPuttTowardsCup(int miss, double force = 0) {
    GameState& g = gs();
    const Ball& b = g.players[g.curplayer];
    const int bx = static_cast<int>(std::lrint(b.x)) - g.viewx;
    const int by = static_cast<int>(std::lrint(b.y)) - g.viewy;
    const GameWindow& w = gamewin();
    if (bx < 0 || by < 0 || bx >= w.display.SurfaceWidth() || by >= w.display.SurfaceHeight()) {
      return false;
    }
    Move(bx, by);
    Send(InputEvent::Type::ButtonDown, bx, by);
    Frame();
    if (g.puttstage != 1) return false;
    const double dx = g.cupx - b.x, dy = g.cupy - b.y;
    double dir = std::atan2(dy, dx);
    if (miss > 0) dir += std::uniform_int_distribution<int>(-miss, miss)(rng_) * M_PI / 128;
    const double d = std::hypot(dx, dy);
    const double speed = force > 0 ? force : std::clamp(std::sqrt((d + 40) / 100), 0.3, 4.0);
    const double drag = std::max(8.0, speed * 40);
    const int mx = g.spotx - static_cast<int>(std::lrint(std::cos(dir) * drag));
    const int my = g.spoty - static_cast<int>(std::lrint(std::sin(dir) * drag));
    Move(mx, my);
    Frame();
    Send(InputEvent::Type::ButtonUp, mx, my);
    ++strokes_;
    // The swing runs a few frames, then the balls roll.
    RunUntil([] { return gs().puttstage == 0; }, 120);
    return RunUntil([] { return !gs().ballsmoving; }, 5000);
  }

  // Plays until the hole is over (state 4, or the game's end) with putts of
  // whoever's turn it is. Returns false when it got stuck.
  bool PlayHole(int maxstrokes) {
    const int hole = gs().holenumber;
    for (int s = 0; s < maxstrokes; ++s) {
      const GameState& g = gs();
      if (g.gameover || g.gamestate == kHoleFinished || g.holenumber != hole) return true;
      if (g.gamestate != kPlay) {
        ClickAway();
        continue;
      }
      if (!RunUntil(ReadyToPutt, 600)) return false;
      // Straight at the cup first; later strokes spread wider to get round walls.
      PullPuttTowardsCup(std::min(64, 6 * g.players[g.curplayer].strokes));
    }
    return gs().gameover || gs().gamestate == kHoleFinished;
  }

  int strokes() const { return strokes_; }

 private:
  HeadlessPlatform platform_;
  std::mt19937 rng_;
  int frames_ = 0;
  int strokes_ = 0;
};

}  // namespace gp::testing
