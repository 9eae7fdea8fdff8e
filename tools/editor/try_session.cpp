#include "tools/editor/try_session.h"

#include <algorithm>

#include "app/game_loop.h"
#include "app/game_window.h"
#include "game/setup.h"
#include "game/state.h"
#include "ai/putt_input.h"
#include "tools/lab/solve_game.h"

namespace gp::editor {

namespace {

constexpr double kFrameMs = 1000.0 / 60;
// Frames run at most per Advance: a stalled editor does not race the game.
constexpr int kMaxFramesPerAdvance = 4;
// The display the game draws: one of its modes.
constexpr int kTryWidth = 800, kTryHeight = 600;

const std::vector<uint16_t> kNoFrame;

bool HoleOver() {
  const GameState& g = gs();
  return g.gameover || g.gamestate == kHoleFinished || g.players[g.curplayer].inhole;
}

}  // namespace

TrySession::TrySession() = default;
TrySession::~TrySession() = default;

std::string TrySession::Open(const std::string& folder, const std::string& name, int x, int y) {
  Close();
  GameSetup s;
  s.training = true;  // no stroke limit
  s.displaywidth = kTryWidth;
  s.displayheight = kTryHeight;
  s.soundon = false;
  game_ = std::make_unique<lab::SolveGame>();
  if (std::string e = game_->Open(folder, name, 1, s); !e.empty()) {
    game_.reset();
    return e;
  }
  holed_ = false;
  owed_ = 0;
  for (int i = 0; i < 600 && !ai::ReadyToStroke(); ++i) game_->Tick();
  PutBall(x, y);
  game_->Tick();
  Sync();
  px_ = seenx_, py_ = seeny_;
  return "";
}

void TrySession::Close() {
  game_.reset();
}

bool TrySession::open() const {
  return game_ != nullptr && GameWindowOpen();
}

// Takes a park of the pointer by the game as the pointer's new place.
void TrySession::Sync() {
  const int x = game_->platform().pointerx(), y = game_->platform().pointery();
  if (x != seenx_ || y != seeny_) px_ = x, py_ = y;
  seenx_ = x, seeny_ = y;
}

void TrySession::Advance(uint32_t ms) {
  if (!open() || holed_) return;
  owed_ = std::min(owed_ + ms, kFrameMs * kMaxFramesPerAdvance);
  while (owed_ >= kFrameMs && !holed_) {
    owed_ -= kFrameMs;
    game_->Tick();
    Sync();
    holed_ = HoleOver();
  }
}

void TrySession::PointerTo(int x, int y) {
  if (!open()) return;
  px_ = std::clamp(x, 0, kTryWidth - 1);
  py_ = std::clamp(y, 0, kTryHeight - 1);
  InputEvent ev;
  ev.type = InputEvent::Type::MouseMove;
  ev.x = px_, ev.y = py_;
  DispatchInput(ev);
  Sync();
}

void TrySession::PointerBy(int dx, int dy) {
  PointerTo(px_ + dx, py_ + dy);
}

void TrySession::Button(bool left, bool down) {
  if (!open() || holed_) return;
  InputEvent ev;
  ev.type = down ? InputEvent::Type::ButtonDown : InputEvent::Type::ButtonUp;
  ev.button = left ? MouseButton::Left : MouseButton::Right;
  ev.x = px_, ev.y = py_;
  DispatchInput(ev);
  Sync();
}

void TrySession::Key(int key) {
  if (!open() || holed_) return;
  InputEvent ev;
  ev.type = InputEvent::Type::KeyDown;
  ev.key = key;
  ev.x = px_, ev.y = py_;
  DispatchInput(ev);
  ev.type = InputEvent::Type::KeyUp;
  DispatchInput(ev);
  Sync();
}

bool TrySession::PutBall(int x, int y) {
  if (!open()) return false;
  GameState& g = gs();
  if (g.ballsmoving || g.gamestate != kPlay || holed_) return false;
  Ball& b = g.players[g.curplayer];
  b.x = b.checkx = b.backx = b.strokex = x;
  b.y = b.checky = b.backy = b.strokey = y;
  b.z = b.vz = b.speed = 0;
  b.airborne = b.moving = false;
  b.lastarea = -1;
  g.puttstage = 0;
  g.centreview = true;
  putstrokes_ = b.strokes;
  return true;
}

const std::vector<uint16_t>& TrySession::frame() const {
  return game_ ? game_->platform().frame() : kNoFrame;
}

int TrySession::width() const {
  return game_ ? game_->platform().framewidth() : 0;
}

int TrySession::height() const {
  return game_ ? game_->platform().frameheight() : 0;
}

int TrySession::viewx() const {
  return gs().viewx;
}

int TrySession::viewy() const {
  return gs().viewy;
}

int TrySession::strokes() const {
  return open() ? gs().players[gs().curplayer].strokes - putstrokes_ : 0;
}

bool TrySession::ready() const {
  return open() && !holed_ && ai::ReadyToStroke();
}

}  // namespace gp::editor
