#include "tools/lab/solve_game.h"

#include <cmath>

#include "ai/putt_input.h"
#include "app/game_loop.h"
#include "app/game_window.h"
#include "base/keys.h"
#include "game/putt_stages.h"
#include "game/state.h"

namespace gp::lab {

namespace {

// Frame limits: for the player's turn to come, the roll, the end of a hole
// (the result fades) and the next hole's card.
constexpr int kReadyLimit = 1200;
constexpr int kRollLimit = 4000;
constexpr int kHoleOverLimit = 600;

void Key(int key) {
  InputEvent ev;
  ev.type = InputEvent::Type::KeyDown;
  ev.key = key;
  ev.x = gs().mousex;
  ev.y = gs().mousey;
  DispatchInput(ev);
  ev.type = InputEvent::Type::KeyUp;
  DispatchInput(ev);
}

// Messages of the start-up other than a silent sound device.
std::string StartError(const HeadlessPlatform& p) {
  for (const std::string& m : p.messages()) {
    if (m.find("cannot be made") == std::string::npos) return m;
  }
  return "";
}

bool HoleOver() {
  const GameState& g = gs();
  return g.gameover || g.gamestate == kHoleFinished;
}

}  // namespace

SolveGame::~SolveGame() {
  if (GameWindowOpen()) CloseGameWindow();
}

std::string SolveGame::Open(const std::string& folder, const std::string& hole, uint64_t seed,
                            GameSetup s) {
  platform_.SetBaseDir(folder);
  setup() = s;
  ResetGameState();
  GameStart start{seed, hole};
  start.holefolder = holefolder_;
  if (!OpenGameWindow(platform_, start)) {
    return "the game window did not open";
  }
  if (const std::string e = StartError(platform_); !e.empty()) return e;
  if (gs().gamestate != kHoleCard) return "no hole card at the start";
  holestart_ = GameWindowFrames();
  Key(kKeySpace);
  return "";
}

int SolveGame::HoleFrame() const {
  return GameWindowFrames() - holestart_;
}

void SolveGame::Tick() {
  if (!GameWindowOpen()) return;
  const uint8_t before = gs().gamestate;
  TickGameWindow();
  if (GameWindowOpen() && before == kHoleFinished && gs().gamestate == kHoleCard) {
    holestart_ = GameWindowFrames();
    Key(kKeySpace);
  }
}

bool SolveGame::TickUntil(bool (*done)(), int limit) {
  for (int i = 0; i < limit && GameWindowOpen() && !done(); ++i) Tick();
  return GameWindowOpen() && done();
}

// One stroke through input events, struck on its hole frame.
std::string SolveGame::Strike(const ai::SolvedShot& shot) {
  const std::string at = "stroke at frame " + std::to_string(shot.frame) + ": ";
  if (!TickUntil(ai::ReadyToStroke, kReadyLimit)) return at + "the turn never came";
  const ai::Drag d = ai::DragForLaunch(shot.angle, shot.speed);
  if (ai::DragAngle(d) != shot.angle || std::abs(ai::DragSpeed(d) - shot.speed) > 1e-9) {
    return at + "no drag gives that angle and speed";
  }
  // The aim frame comes just before the swing's frames.
  const int aimframe = shot.frame - ai::SwingFrames(ai::DragLength(d), gs().clubspeed);
  if (aimframe <= HoleFrame()) return at + "the ball was not ready in time";
  while (HoleFrame() < aimframe - 1 && GameWindowOpen()) Tick();
  const std::vector<InputEvent> press = ai::PressEvents(d);
  if (press.empty()) return at + "the ball is off the screen";
  for (const InputEvent& ev : press) DispatchInput(ev);
  if (gs().puttstage != kPullAim) return at + "the press did not pick the ball";
  Tick();
  DispatchInput(ai::ReleaseEvent(d));
  if (!TickUntil([] { return gs().ballsmoving; }, ai::kSwingLimit)) return at + "no strike";
  if (HoleFrame() != shot.frame) {
    return at + "struck on frame " + std::to_string(HoleFrame()) + " instead";
  }
  if (!TickUntil([] { return !gs().ballsmoving || HoleOver(); }, kRollLimit)) {
    return at + "the ball never came to rest";
  }
  return "";
}

std::string SolveGame::PlayLine(const std::vector<ai::SolvedShot>& shots) {
  for (const ai::SolvedShot& shot : shots) {
    if (HoleOver()) return "the hole was over before the stroke at " + std::to_string(shot.frame);
    if (const std::string e = Strike(shot); !e.empty()) return e;
  }
  if (!TickUntil(HoleOver, kHoleOverLimit)) return "the ball did not hole out";
  return "";
}

std::string SolveGame::SolveAndPlay(const ai::SolveOptions& o, ai::Solution* out) {
  if (!TickUntil(ai::ReadyToStroke, kReadyLimit)) return "the turn never came";
  const ai::Solution s = ai::Solve(HoleFrame(), o);
  if (out) *out = s;
  if (!s.found) return "the solver found no line on " + gs().holename;
  return PlayLine(s.shots);
}

bool SolveGame::NextHole() {
  const int before = holestart_;
  for (int i = 0; i < kHoleOverLimit && GameWindowOpen(); ++i) {
    if (gs().gameover || holestart_ != before) return true;
    Tick();
  }
  return GameWindowOpen() && (gs().gameover || holestart_ != before);
}

}  // namespace gp::lab
