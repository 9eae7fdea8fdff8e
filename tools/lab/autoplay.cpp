#include "tools/lab/autoplay.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "app/game_loop.h"
#include "app/game_window.h"
#include "game/state.h"
#include "platform/platform.h"

namespace gp::lab {

namespace {

constexpr int kSettleFrames = 600;  // longest wait for the balls to stop
constexpr int kMaxStrokeFrames = 6000;

class Bot {
 public:
  explicit Bot(const AutoplayOptions& o) : o_(o), rng_(o.seed) {}

  int Play() {
    const int startholes = gs().holenumber;
    while (Alive()) {
      GameState& g = gs();
      if (g.gameover) {
        Wait(30);
        Click(Width() - 2, Height() - 2);  // any click leaves the finished game
        Frame();
        break;
      }
      if (g.gamestate == kHoleCard || g.gamestate == kScoreDetails || g.gamestate == kPuttingHelp ||
          g.gamestate == kRecordsPage) {
        Wait(Pick(5, 40));
        ClosePage();
        continue;
      }
      if (g.gamestate == kPlay && g.puttstage != 0 && !g.ballsmoving && !g.exitconfirm) {
        // A putt begun by a stray click (a panel or course click that found
        // the ball): the right button drops it.
        Click(gs().mousex, gs().mousey, MouseButton::Right);
        Frame();
        continue;
      }
      if (!Ready()) {
        Frame();
        continue;
      }
      if ((o_.holes > 0 && g.holenumber - startholes >= o_.holes) ||
          (o_.strokes > 0 && strokes_ >= o_.strokes)) {
        Leave();
        break;
      }
      if (o_.keys && Chance(8)) KeyCommand();
      if (o_.panel && Chance(8)) PanelCommand();
      if (!Ready()) continue;
      Stroke();
    }
    return frames_;
  }

 private:
  const AutoplayOptions& o_;
  std::mt19937 rng_;
  int frames_ = 0;
  int strokes_ = 0;
  bool wild_ = false;     // this stroke goes anywhere
  bool stopped_ = false;  // the watch asked to stop

  bool Alive() const {
    return !stopped_ && GameWindowOpen() && gamewin().timer.enabled && frames_ < o_.maxframes;
  }
  static int Width() { return gamewin().display.SurfaceWidth(); }
  static int Height() { return gamewin().display.SurfaceHeight(); }

  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int one_in) { return Pick(1, one_in) == 1; }

  static bool Ready() {
    const GameState& g = gs();
    return g.gamestate == kPlay && !g.ballsmoving && g.puttstage == 0 && !g.centreview &&
           !g.exitconfirm;
  }

  void Frame() {
    if (!Alive()) return;
    gamewin().timer.rate = o_.rate;
    if (o_.watch) o_.watch->Before();
    TickGameWindow(o_.draw);
    ++frames_;
    if (o_.watch && !o_.watch->After()) stopped_ = true;
  }
  void Wait(int n) {
    for (int i = 0; i < n && Alive(); ++i) Frame();
  }
  bool WaitUntil(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit && Alive() && !done(); ++i) Frame();
    return done();
  }

  void Send(InputEvent::Type type, int x, int y, MouseButton b = MouseButton::Left, int key = 0) {
    if (!GameWindowOpen()) return;
    InputEvent ev;
    ev.type = type;
    ev.x = x;
    ev.y = y;
    ev.button = b;
    ev.key = key;
    DispatchInput(ev);
  }
  void Move(int x, int y) {
    x = std::clamp(x, 0, Width() - 1);
    y = std::clamp(y, 0, Height() - 1);
    Send(InputEvent::Type::MouseMove, x, y);
  }
  void Click(int x, int y, MouseButton b = MouseButton::Left) {
    Move(x, y);
    Send(InputEvent::Type::ButtonDown, gs().mousex, gs().mousey, b);
    Send(InputEvent::Type::ButtonUp, gs().mousex, gs().mousey, b);
  }
  void Key(int key) {
    Send(InputEvent::Type::KeyDown, gs().mousex, gs().mousey, MouseButton::Left, key);
    Send(InputEvent::Type::KeyUp, gs().mousex, gs().mousey, MouseButton::Left, key);
  }

  // A page closes on a click or on any key.
  void ClosePage() {
    if (Chance(2)) {
      Click(Pick(200, Width() - 1), Pick(200, Height() - 1));
    } else {
      Key(kKeySpace);
    }
    Frame();
  }

  void Leave() {
    Key(kKeyEsc);
    Frame();
    Key(kKeyEnter);
    Frame();
  }

  // The current ball where the pointer can reach it (a ball just past the
  // screen's edge is still within the 23 pixels of a press on the edge); false
  // when it is out of view.
  static bool BallOnScreen(int& x, int& y) {
    const GameState& g = gs();
    const Ball& b = g.players[g.curplayer];
    x = static_cast<int>(std::lrint(b.x)) - g.viewx;
    y = static_cast<int>(std::lrint(b.y - b.z)) - g.viewy;
    constexpr int kReach = 20;
    return x >= -kReach && y >= -kReach && x < Width() + kReach && y < Height() + kReach;
  }

  // The aim: straight at the cup, spreading wider with every stroke on the hole.
  int AimAngle() {
    if (wild_) return Pick(0, 255);
    const GameState& g = gs();
    const Ball& b = g.players[g.curplayer];
    const double a = std::atan2(g.cupy - b.y, g.cupx - b.x) * 128 / M_PI;
    const int spread = std::min(96, 2 + 10 * b.strokes);
    return (static_cast<int>(std::lrint(a)) + Pick(-spread, spread)) & 255;
  }
  double Strength() {
    if (wild_) return Pick(5, 400) / 100.0;
    const GameState& g = gs();
    const Ball& b = g.players[g.curplayer];
    const double d = std::hypot(g.cupx - b.x, g.cupy - b.y);
    // A ball at speed v rolls about 100 v^2 pixels on the flat.
    const double v = std::sqrt((d + 40) / 100) * (0.8 + Pick(0, 60) / 100.0);
    return std::clamp(v, 0.3, 3.9);
  }

  void Stroke() {
    int bx = 0, by = 0;
    if (!BallOnScreen(bx, by)) {
      Key(kKeyHome);  // glide the view back to the ball
      WaitUntil([] { return !gs().centreview; }, kSettleFrames);
      if (!BallOnScreen(bx, by)) {
        Wait(5);
        return;
      }
    }
    const bool pull = gs().players[gs().curplayer].pull;
    ++strokes_;
    wild_ = o_.wild > 0 && Chance(o_.wild);
    if (pull) {
      PullPutt(bx, by);
    } else {
      PushPutt(bx, by);
    }
    WaitUntil([] { return gs().puttstage == 0; }, 240);
    WaitUntil([] { return !gs().ballsmoving; }, kMaxStrokeFrames);
  }

  void PullPutt(int bx, int by) {
    const double a = AimAngle() * M_PI / 128;
    const double v = Strength();
    Move(bx + Pick(-3, 3), by + Pick(-3, 3));
    Send(InputEvent::Type::ButtonDown, gs().mousex, gs().mousey);
    Frame();
    if (gs().puttstage != 1) return;
    const GameState& g = gs();
    // Drag away from the shot: 40 screen pixels per unit of speed.
    const int mx = g.spotx - static_cast<int>(std::lrint(std::cos(a) * v * 40));
    const int my = g.spoty - static_cast<int>(std::lrint(std::sin(a) * v * 40));
    const int steps = Pick(1, 4);
    for (int s = 1; s <= steps; ++s) {
      Move(g.spotx + (mx - g.spotx) * s / steps, g.spoty + (my - g.spoty) * s / steps);
      Frame();
    }
    Send(InputEvent::Type::ButtonUp, gs().mousex, gs().mousey);
  }

  void PushPutt(int bx, int by) {
    Click(bx, by);  // picks the ball: the aim starts pointing left
    Frame();
    if (gs().puttstage != 1) return;
    const GameState& g = gs();
    // Sideways: the angle is 128 minus the pointer's offset from the centre.
    int offset = 128 - AimAngle();
    if (offset < -127) offset += 256;
    if (offset > 128) offset -= 256;
    Move(g.spotx + offset, g.spoty);
    Frame();
    Click(gs().mousex, gs().mousey);  // fixes the aim; the pointer goes back to the centre
    Frame();
    // Draw back: power is half the distance below the centre, speed power / 22.
    const int power = std::clamp(static_cast<int>(Strength() * 22), 16, 88);
    Move(g.spotx, g.spoty + 2 * power);
    Frame();
    Frame();
    Click(gs().mousex, gs().mousey);  // freezes the back-swing
    Frame();
    Move(g.spotx, std::max(0, g.spoty - 20));  // the swing up past the centre
    Frame();
  }

  void KeyCommand() {
    static constexpr int kKeys[] = {kKeyF1, kKeyEnd, kKeyPageUp, kKeySpace, kKeyHome, kKeyF3,
                                    kKeyF4, kKeyF5,  kKeyF8,     kKeyEnter, kKeyLeft, kKeyEsc};
    const int key = kKeys[Pick(0, static_cast<int>(std::size(kKeys)) - 1)];
    if (key == kKeyEnter || key == kKeyLeft) {
      // Held for a while: name tags, or scrolling the view.
      const int k = key == kKeyLeft ? kKeyLeft + Pick(0, 3) : key;
      Send(InputEvent::Type::KeyDown, gs().mousex, gs().mousey, MouseButton::Left, k);
      Wait(Pick(5, 40));
      Send(InputEvent::Type::KeyUp, gs().mousex, gs().mousey, MouseButton::Left, k);
      Frame();
      return;
    }
    Key(key);
    Frame();
    if (key == kKeyEsc) {
      Wait(Pick(2, 20));
      if (Chance(2)) {
        Click(Width() / 2, Height() / 2, MouseButton::Right);  // a right click cancels
      } else {
        Key(kKeySpace);  // any other key cancels
      }
      Frame();
    }
    if (key == kKeySpace || key == kKeyF3 || key == kKeyF4) {
      Wait(Pick(1, 20));
      Key(key);  // and back
      Frame();
    }
    if (key == kKeyF5) {
      Key(kKeyF5);
      Key(kKeyF5);  // round to 60 again
      Frame();
    }
  }

  void PanelCommand() {
    // Buttons 1..5 and the score area, in screen pixels.
    static constexpr int kButtonX[] = {28, 50, 72, 94, 116};
    const int which = Pick(0, 7);
    if (which < 5) {
      Click(kButtonX[which], 87);
      if (which == 2) {
        Frame();
        Click(kButtonX[which], 87);  // sound back on
      }
    } else if (which == 5) {
      Click(60, 45);  // score details
    } else if (which == 6) {
      Move(100, 10);
      Send(InputEvent::Type::DoubleClick, 100, 10);  // minimise, then restore
      Frame();
      Send(InputEvent::Type::DoubleClick, 100, 10);
    } else {
      Click(Pick(150, Width() - 1), Pick(150, Height() - 1));  // on the course: nothing
    }
    Frame();
  }
};

}  // namespace

int Autoplay(const AutoplayOptions& o) {
  Bot bot(o);
  return bot.Play();
}

}  // namespace gp::lab
