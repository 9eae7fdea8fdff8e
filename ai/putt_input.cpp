#include "ai/putt_input.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/angles.h"
#include "game/state.h"

namespace gp::ai {

namespace {

// Longest swing: the club starts at most 90 back.
constexpr double kMaxClubPos = 90;
// The pointer must land this close to the ball's centre (the game takes < 24).
constexpr int kScreenMargin = 8;

// The hand's pace: the glide onto the ball (pixels per frame, and its shortest
// and longest frames), the drag drawn out (pixels per frame, frames), and the
// frames the full drag is held before the release.
constexpr int kGlidePace = 24;
constexpr int kGlideMin = 6, kGlideMax = 20;
constexpr int kDrawPace = 8;
constexpr int kDrawMin = 4, kDrawMax = 20;
constexpr int kHoldFrames = 8;

InputEvent Pointer(InputEvent::Type type, int x, int y) {
  InputEvent ev;
  ev.type = type;
  ev.x = x;
  ev.y = y;
  return ev;
}

// How far `a` lies from the direction `theta` (radians), 0..pi.
double AngleGap(double a, double theta) {
  const double d = std::remainder(a - theta, 2 * M_PI);
  return std::abs(d);
}

// The drag of exactly `length` pixels whose own direction is byte angle `want`,
// nearest to the true direction; none when no such point exists. Such points
// lie within half a byte step (under 2 pixels at 160) of the true direction and
// within half a pixel of the length: a small box round the ideal point holds them.
std::optional<Drag> ExactDrag(int want, int length) {
  constexpr int kBox = 3;
  const double theta = want * M_PI / 128;
  const int cx = static_cast<int>(std::lrint(std::cos(theta) * length));
  const int cy = static_cast<int>(std::lrint(std::sin(theta) * length));
  std::optional<Drag> best;
  double bestgap = 0;
  for (int dy = cy - kBox; dy <= cy + kBox; ++dy) {
    for (int dx = cx - kBox; dx <= cx + kBox; ++dx) {
      if (Dist(dx, dy, 0, 0) != length || AngleTo(dx, dy, 0, 0) != want) continue;
      const double gap = AngleGap(std::atan2(dy, dx), theta);
      if (!best || gap < bestgap) {
        best = Drag{dx, dy};
        bestgap = gap;
      }
    }
  }
  return best;
}

}  // namespace

int DragLength(const Drag& d) {
  return Dist(d.dx, d.dy, 0, 0);
}

int DragAngle(const Drag& d) {
  return (AngleTo(d.dx, d.dy, 0, 0) + 128) & 255;
}

double DragSpeed(const Drag& d) {
  return std::min(static_cast<double>(DragLength(d)) / kDragPerSpeed, 4.0);
}

Drag DragFor(int angle, int length) {
  const int want = (angle + 128) & 255;
  length = std::clamp(length, kMinDragLength, kMaxDragLength);
  for (int k = 0; k <= kMaxDragLength; ++k) {
    for (const int len : {length + k, length - k}) {
      if ((k == 0 && len != length) || len < kMinDragLength || len > kMaxDragLength) continue;
      if (const std::optional<Drag> d = ExactDrag(want, len)) return *d;
      if (k == 0) break;
    }
  }
  // Unreachable: every direction has a point at the longest drag.
  const double theta = want * M_PI / 128;
  return Drag{static_cast<int>(std::lrint(std::cos(theta) * length)),
              static_cast<int>(std::lrint(std::sin(theta) * length))};
}

Drag DragForLaunch(int angle, double speed) {
  return DragFor(angle, static_cast<int>(std::lrint(speed * kDragPerSpeed)));
}

int SwingFrames(int length, int clubspeed) {
  int pos = RoundInt(std::min(length / 2.0, kMaxClubPos));
  int frames = 0;
  do {
    pos -= clubspeed;
    clubspeed += 2;
    ++frames;
  } while (pos > 0);
  return frames;
}

bool ReadyToStroke() {
  const GameState& g = gs();
  return g.gamestate == kPlay && !g.ballsmoving && g.puttstage == 0 && !g.centreview &&
         !g.exitconfirm && !g.gameover;
}

bool BallOnScreen(int& x, int& y) {
  const GameState& g = gs();
  const Ball& b = g.players[g.curplayer];
  // Where the press picks it: the ground point, whatever its height.
  x = RoundInt(b.x) - g.viewx;
  y = RoundInt(b.y) - g.viewy;
  return x >= kScreenMargin && y >= kScreenMargin && x < g.screenwidth - kScreenMargin &&
         y < g.screenheight - kScreenMargin;
}

std::vector<InputEvent> PressEvents(const Drag& d) {
  int bx = 0, by = 0;
  if (!BallOnScreen(bx, by)) return {};
  const GameState& g = gs();
  // The press parks the pointer at the centre; the drag is measured from there.
  const int cx = g.screenwidth / 2, cy = g.screenheight / 2;
  InputEvent onball;
  onball.type = InputEvent::Type::MouseMove;
  onball.x = bx;
  onball.y = by;
  InputEvent press = onball;
  press.type = InputEvent::Type::ButtonDown;
  InputEvent drag = onball;
  drag.x = cx + d.dx;
  drag.y = cy + d.dy;
  return {onball, press, drag};
}

InputEvent ReleaseEvent(const Drag& d) {
  const GameState& g = gs();
  InputEvent up;
  up.type = InputEvent::Type::ButtonUp;
  up.x = g.screenwidth / 2 + d.dx;
  up.y = g.screenheight / 2 + d.dy;
  return up;
}

std::vector<TimedEvent> PullPuttEvents(int fromx, int fromy, int ballx, int bally, int spotx,
                                       int spoty, const Drag& d) {
  using Type = InputEvent::Type;
  std::vector<TimedEvent> out;
  const int glide = std::clamp(Dist(fromx, fromy, ballx, bally) / kGlidePace, kGlideMin, kGlideMax);
  for (int k = 1; k <= glide; ++k) {
    out.push_back({k - 1, Pointer(Type::MouseMove, fromx + (ballx - fromx) * k / glide,
                                  fromy + (bally - fromy) * k / glide)});
  }
  out.push_back({glide, Pointer(Type::ButtonDown, ballx, bally)});
  const int draw = std::clamp(DragLength(d) / kDrawPace, kDrawMin, kDrawMax);
  for (int k = 1; k <= draw; ++k) {
    out.push_back(
        {glide + k, Pointer(Type::MouseMove, spotx + d.dx * k / draw, spoty + d.dy * k / draw)});
  }
  out.push_back({glide + draw + kHoldFrames, Pointer(Type::ButtonUp, spotx + d.dx, spoty + d.dy)});
  return out;
}

std::vector<TimedEvent> PullPuttEvents(const Drag& d) {
  int bx = 0, by = 0;
  if (!BallOnScreen(bx, by)) return {};
  const GameState& g = gs();
  return PullPuttEvents(g.mousex, g.mousey, bx, by, g.screenwidth / 2, g.screenheight / 2, d);
}

}  // namespace gp::ai
