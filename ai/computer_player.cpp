#include "ai/computer_player.h"

#include <algorithm>
#include <cmath>

#include "ai/ranking.h"
#include "ai/running_game.h"
#include "base/angles.h"
#include "base/keys.h"
#include "game/putt_stages.h"
#include "game/setup.h"
#include "game/state.h"

namespace gp::ai {

namespace {

// A hole card in a game of computers only closes after this many line-ups
// (about two seconds).
constexpr int kCardLineUps = 2;
// The press must land this close to the ball to pick it (the game's reach).
constexpr int kPickReach = 24;

InputEvent Key(InputEvent::Type type, int key) {
  InputEvent ev;
  ev.type = type;
  ev.key = key;
  ev.x = gs().mousex;
  ev.y = gs().mousey;
  return ev;
}

void PressKey(std::vector<InputEvent>& out, int key) {
  out.push_back(Key(InputEvent::Type::KeyDown, key));
  out.push_back(Key(InputEvent::Type::KeyUp, key));
}

bool PageShown(const GameState& g) {
  return g.gamestate == kPuttingHelp || g.gamestate == kHoleCard || g.gamestate == kScoreDetails;
}

bool IsMouse(const InputEvent& ev) {
  using Type = InputEvent::Type;
  return ev.type == Type::MouseMove || ev.type == Type::ButtonDown || ev.type == Type::ButtonUp ||
         ev.type == Type::DoubleClick;
}

// A stroke straight at the cup, for a turn whose search found nothing to try.
Drag AtTheCup() {
  const GameState& g = gs();
  const Ball& b = g.players[g.curplayer];
  const int angle = AngleTo(g.cupx, g.cupy, RoundInt(b.x), RoundInt(b.y));
  const double d = std::hypot(g.cupx - b.x, g.cupy - b.y);
  return DragFor(angle & 255, RoundInt(kDragPerSpeed * std::sqrt(d / 100 + 1)));
}

}  // namespace

uint64_t ComputerRandom::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double ComputerRandom::Uniform() {
  return (static_cast<double>(Next() >> 11) + 0.5) / 9007199254740992.0;
}

double ComputerRandom::Normal() {
  // Box-Muller: one of the pair, so every draw takes two uniforms.
  const double u = Uniform(), v = Uniform();
  return std::sqrt(-2 * std::log(u)) * std::cos(2 * M_PI * v);
}

Drag Spoiled(const Drag& d, const Skill& k, ComputerRandom& r) {
  const int angle = DragAngle(d) + RoundInt(r.Normal() * k.aimsigma);
  const int len = RoundInt(DragLength(d) * (1 + r.Normal() * k.dragsigma));
  return DragFor(angle & 255, std::clamp(len, kMinDragLength, kMaxDragLength));
}

void ComputerPlayers::Start(uint64_t seed) {
  Stop();
  random_.assign(kMaxPlayers + 1, ComputerRandom());
  for (int p = 1; p <= kMaxPlayers; ++p) {
    random_[static_cast<size_t>(p)] = ComputerRandom(Mix(seed, static_cast<uint64_t>(p)));
  }
  frame_ = 0;
  cardframes_ = 0;
  simframes_.clear();
}

void ComputerPlayers::Stop() {
  job_.Cancel();
  phase_ = Phase::Idle;
  ready_ = false;
  random_.clear();
}

bool ComputerPlayers::ComputerPlays(int player) const {
  return player >= 1 && player <= kMaxPlayers && player <= gs().numplayers &&
         setup().computer[static_cast<size_t>(player - 1)] != kPerson;
}

bool ComputerPlayers::OnlyComputers() const {
  for (int p = 1; p <= gs().numplayers; ++p) {
    if (!ComputerPlays(p)) return false;
  }
  return true;
}

bool ComputerPlayers::OwnsTurn() const {
  return !gs().gameover && ComputerPlays(gs().curplayer);
}

bool ComputerPlayers::LetsThrough(const InputEvent& ev) const {
  if (!OwnsTurn() || !IsMouse(ev)) return true;
  const GameState& g = gs();
  if (PageShown(g)) return true;  // a click closes the page
  if (phase_ == Phase::Acting || g.puttstage != kIdle) return false;
  if (ev.type == InputEvent::Type::ButtonDown || ev.type == InputEvent::Type::ButtonUp) {
    const Ball& b = g.players[g.curplayer];
    const bool near =
        Dist(RoundInt(b.x), RoundInt(b.y), ev.x + g.viewx, ev.y + g.viewy) < kPickReach;
    if (near && ev.button == MouseButton::Left) return false;
  }
  return true;
}

std::vector<InputEvent> ComputerPlayers::BeforeFrame() {
  ++frame_;
  std::vector<InputEvent> out;
  if (random_.empty()) return out;  // not started: nobody to play
  if (phase_ == Phase::Thinking) {
    const GameState& g = gs();
    if (!ReadyToStroke() || g.curplayer != player_) {
      Abandon();  // something came between (a page, the exit prompt): think again later
    } else if (ready_ && frame_ >= started_ + lineup_ + decision_.wait) {
      putt_ = PullPuttEvents(struck_);
      next_ = 0;
      offset_ = 0;
      pressed_ = false;
      phase_ = putt_.empty() ? Phase::Idle : Phase::Acting;
      if (putt_.empty()) PressKey(out, kKeyHome);  // the ball is off the screen
    }
  }
  if (phase_ == Phase::Acting) {
    Act(out);
  } else if (phase_ == Phase::Idle) {
    Idle(out);
  }
  return out;
}

void ComputerPlayers::Idle(std::vector<InputEvent>& out) {
  const GameState& g = gs();
  cardframes_ = g.gamestate == kHoleCard && OnlyComputers() ? cardframes_ + 1 : 0;
  const int rate = runninggame().timer ? runninggame().timer->rate : kMaxTickRate;
  if (cardframes_ >= kCardLineUps * LineUpFrames(rate)) {
    cardframes_ = 0;
    PressKey(out, kKeySpace);
    return;
  }
  if (!OwnsTurn() || g.gamestate != kPlay || g.ballsmoving || g.exitconfirm || g.centreview) {
    return;
  }
  const bool swinging = g.players[g.curplayer].pull && g.puttstage == kPullSwing;
  if (g.puttstage != kIdle && !swinging) {
    // A putt left half made (a page or the prompt came between): the right
    // button drops it. A swing strikes by itself.
    InputEvent right;
    right.type = InputEvent::Type::ButtonDown;
    right.button = MouseButton::Right;
    right.x = g.mousex;
    right.y = g.mousey;
    out.push_back(right);
    right.type = InputEvent::Type::ButtonUp;
    out.push_back(right);
    return;
  }
  if (!ReadyToStroke()) return;
  if (!g.players[g.curplayer].pull) {
    PressKey(out, kKeyF8);  // the computer putts by pulling
    return;
  }
  int bx = 0, by = 0;
  if (!BallOnScreen(bx, by)) {
    PressKey(out, kKeyHome);
    return;
  }
  Begin();
}

// The turn has come: the decision starts from the game as it stands now,
// before this frame runs.
void ComputerPlayers::Begin() {
  phase_ = Phase::Thinking;
  player_ = gs().curplayer;
  started_ = frame_;
  ready_ = false;
  lineup_ = LineUpFrames(runninggame().timer ? runninggame().timer->rate : kMaxTickRate);
  const Skill& k = SkillFor(setup().computer[static_cast<size_t>(player_ - 1)]);
  if (!sliced_) {
    const GameSnapshot live = SnapshotGame();
    Decision d;
    {
      const QuietGame quiet;
      d = Decide(k, lineup_);
    }
    RestoreGame(live);
    Finish(d);
    return;
  }
  jobgame_ = SnapshotGame();
  job_.Start([this, &k] { decision_ = Decide(k, lineup_); });
}

bool ComputerPlayers::Think(double ms) {
  if (!sliced_ || phase_ != Phase::Thinking || ready_) return false;
  const GameSnapshot live = SnapshotGame();
  RestoreGame(jobgame_);
  bool done = false;
  {
    const QuietGame quiet;
    done = job_.Run(ms);
  }
  jobgame_ = SnapshotGame();
  RestoreGame(live);
  if (done) Finish(decision_);
  return !done;
}

void ComputerPlayers::Finish(const Decision& d) {
  decision_ = d;
  if (!d.found) {
    decision_.wait = 0;
    decision_.drag = AtTheCup();
  }
  const Skill& k = SkillFor(setup().computer[static_cast<size_t>(player_ - 1)]);
  struck_ = Spoiled(decision_.drag, k, random_[static_cast<size_t>(player_)]);
  simframes_.push_back(d.simframes);
  ready_ = true;
}

void ComputerPlayers::Act(std::vector<InputEvent>& out) {
  const GameState& g = gs();
  // A page, the exit prompt or a dropped putt ends it; the turn is thought
  // out again when the game is back.
  if (g.gamestate != kPlay || g.exitconfirm || g.curplayer != player_ ||
      (pressed_ && g.puttstage != kPullAim)) {
    Abandon();
    return;
  }
  for (; next_ < putt_.size() && putt_[next_].offset == offset_; ++next_) {
    out.push_back(putt_[next_].ev);
    if (putt_[next_].ev.type == InputEvent::Type::ButtonDown) pressed_ = true;
  }
  ++offset_;
  if (next_ >= putt_.size()) phase_ = Phase::Idle;
}

void ComputerPlayers::Abandon() {
  job_.Cancel();
  phase_ = Phase::Idle;
  ready_ = false;
}

}  // namespace gp::ai
