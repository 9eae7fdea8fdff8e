#include "tools/editor/fair_cup.h"

#include <algorithm>
#include <cmath>

#include "base/angles.h"
#include "game/area_kind.h"
#include "game/state.h"
#include "tools/editor/hole_checks.h"
#include "tools/editor/view_geometry.h"
#include "tools/lab/game_snapshot.h"
#include "tools/lab/putt_input.h"
#include "tools/lab/solve_game.h"
#include "tools/lab/solver.h"

namespace gp::editor {

namespace {

constexpr double kReach = 60;      // pixels from the cup
constexpr int kStrengths = 20;     // 0.2, 0.3, ... 2.1
constexpr int kGoodStrengths = 5;  // a direction is fair with at least this many
constexpr int kDirections = 8;     // every 32 byte steps
constexpr int kPuttFrames = 3000;
constexpr int kReadyFrames = 1200;
const char* const kCompass[kDirections] = {"E", "SE", "S", "SW", "W", "NW", "N", "NE"};

// Kinds on which a ball cannot be set down for a putt: they take it at once.
bool TakesTheBall(int kind) {
  static const int kinds[] = {kGeyser, kSpring, kWater,    kTeleporter, kPipe,   kMine,
                              kLedge,  kWorker, kCatapult, kFan,        kDropOff};
  return std::find(std::begin(kinds), std::end(kinds), kind) != std::end(kinds);
}

double SegmentDistance(double ax, double ay, double bx, double by, double px, double py) {
  const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / len2, 0.0, 1.0) : 0;
  return std::hypot(ax + t * dx - px, ay + t * dy - py);
}

struct Sweep {
  const HoleModel& m;
  std::vector<std::vector<Point>> floors;
  int cupx = 0, cupy = 0;

  // True when the path from (x, y) to the cup passes within `gap` of a wall.
  bool WallInTheWay(double x, double y, double gap) const {
    for (int n : m.Areas()) {
      const Area a = m.GetArea(n);
      if (!a.enabled || !IsWall(a.kind) || ShapeOf(a) != Shape::Segment) continue;
      for (int s = 0; s <= 60; ++s) {
        const double px = x + (cupx - x) * s / 60, py = y + (cupy - y) * s / 60;
        if (SegmentDistance(a.x1, a.y1, a.x2, a.y2, px, py) < gap) return true;
      }
    }
    return false;
  }

  bool Allowed(double x, double y) const {
    if (!OnFloor(floors, x, y) || WallInTheWay(x, y, 7)) return false;
    for (int n : m.Areas()) {
      const Area a = m.GetArea(n);
      if (a.enabled && TakesTheBall(a.kind) && Contains(a, x, y, 0)) return false;
    }
    return true;
  }
};

// One putt from the snapshot; true when the cup takes the ball.
bool Holes(const lab::GameSnapshot& snap, double x, double y, int angle, double speed) {
  lab::RestoreGame(snap);
  GameState& g = gs();
  Ball& b = g.players[g.curplayer];
  b.x = b.checkx = b.backx = x;
  b.y = b.checky = b.backy = y;
  b.angle = angle;
  b.speed = speed;
  b.moving = true;
  b.lastarea = -1;
  g.ballsmoving = true;
  for (int f = 0; f < kPuttFrames; ++f) {
    lab::StepFrame();
    if (b.inhole) return true;
    if (b.sinking || b.falloff || !b.moving) return false;
  }
  return false;
}

}  // namespace

FairCupReport SweepCup(const std::string& folder, const std::string& name, const HoleModel& m) {
  FairCupReport r;
  const int cup = m.Cup();
  if (cup == 0) {
    r.error = "no cup";
    return r;
  }
  lab::SolveGame game;
  if (const std::string e = game.Open(folder, name, 1); !e.empty()) {
    r.error = e;
    return r;
  }
  for (int i = 0; i < kReadyFrames && !lab::ReadyToStroke(); ++i) game.Tick();
  if (!lab::ReadyToStroke()) {
    r.error = "the ball was never ready to putt";
    return r;
  }
  const lab::GameSnapshot snap = lab::SnapshotGame();
  Sweep sw{m, Floors(m), m.GetArea(cup).x1, m.GetArea(cup).y1};
  r.ran = true;
  for (int d = 0; d < kDirections; ++d) {
    const double t = d * 2 * M_PI / kDirections;
    const double x = sw.cupx + std::cos(t) * kReach, y = sw.cupy + std::sin(t) * kReach;
    r.detail += std::string(d ? " " : "") + kCompass[d] + ":";
    if (!sw.Allowed(x, y)) {
      r.detail += "-";
      continue;
    }
    ++r.allowed;
    const int angle = AngleTo(sw.cupx, sw.cupy, RoundInt(x), RoundInt(y));
    int holed = 0;
    for (int s = 0; s < kStrengths; ++s) holed += Holes(snap, x, y, angle, 0.2 + 0.1 * s);
    r.good += holed >= kGoodStrengths;
    r.detail += std::to_string(holed);
  }
  lab::RestoreGame(snap);
  r.fair = r.allowed >= 3 && 4 * r.good >= 3 * r.allowed && r.good >= 3;
  return r;
}

}  // namespace gp::editor
