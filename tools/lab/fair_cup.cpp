#include "tools/lab/fair_cup.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "base/angles.h"
#include "game/area_kind.h"
#include "game/state.h"
#include "tools/lab/putt_runner.h"

namespace gp::lab {

namespace {

constexpr double kReach = 60;      // pixels from the cup
constexpr int kStrengths = 20;     // 0.2, 0.3, ... 2.1
constexpr int kGoodStrengths = 5;  // a direction is fair with at least this many
constexpr int kDirections = 8;     // every 32 byte steps
constexpr const char* kCompass[kDirections] = {"E", "SE", "S", "SW", "W", "NW", "N", "NE"};
// Walls closer than this to the straight path close a direction (pixels).
constexpr double kWallGap = 7;

bool IsWallKind(int kind) {
  return kind == kRisingShallowWall || kind == kVerticalWall || kind == kFallingShallowWall ||
         kind == kHorizontalWall || kind == kRisingDiagonalWall || kind == kFallingDiagonalWall;
}

// Kinds on which a ball cannot be set down for a putt: they take it at once.
bool TakesTheBall(int kind) {
  static const int kinds[] = {12, 13, 24, 25, 26, 27, 33, 36, 37, 43, 45};
  return std::find(std::begin(kinds), std::end(kinds), kind) != std::end(kinds);
}

double SegmentDistance(double ax, double ay, double bx, double by, double px, double py) {
  const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / len2, 0.0, 1.0) : 0;
  return std::hypot(ax + t * dx - px, ay + t * dy - py);
}

// True when the path from (x, y) to the cup passes within `gap` of a wall.
bool WallInTheWay(const PuttRunner& run, double x, double y, double gap) {
  for (int i = 1; i <= kMaxAreas; ++i) {
    const Area& a = gs().areas[i];
    if (!a.enabled || !IsWallKind(a.kind) || a.r >= 1 || a.x3 != 0) continue;
    const int steps = 60;
    for (int s = 0; s <= steps; ++s) {
      const double px = x + (run.CupX() - x) * s / steps, py = y + (run.CupY() - y) * s / steps;
      if (SegmentDistance(a.x1, a.y1, a.x2, a.y2, px, py) < gap) return true;
    }
  }
  return false;
}

bool TouchesArea(const Area& a, double x, double y) {
  if (a.r >= 1) return std::hypot(x - a.x1, 2 * (y - a.y1)) <= a.r;
  if (a.x3 == 0 || a.x4 == 0) return false;
  const double xs[4] = {double(a.x1), double(a.x2), double(a.x3), double(a.x4)};
  const double ys[4] = {double(a.y1), double(a.y2), double(a.y3), double(a.y4)};
  return InConvexQuad(xs, ys, x, y);
}

// A direction the course allows: the spot is on a floor, clear of walls and of
// devices that take a ball, with no wall between it and the cup.
bool Open(const PuttRunner& run, const std::vector<Polygon>& floors, double x, double y) {
  if (!OnAFloor(floors, x, y) || WallInTheWay(run, x, y, kWallGap)) return false;
  for (int i = 1; i <= kMaxAreas; ++i) {
    const Area& a = gs().areas[i];
    if (a.enabled && TakesTheBall(a.kind) && TouchesArea(a, x, y)) return false;
  }
  return true;
}

}  // namespace

CupSweep SweepCup(const std::string& path, const std::string& name) {
  const std::vector<Polygon> floors = ReadFloors(path);
  PuttRunner run;
  run.Load(path, name);
  CupSweep out;
  for (int d = 0; d < kDirections; ++d) {
    const double t = d * 2 * M_PI / kDirections;
    const double x = run.CupX() + std::cos(t) * kReach, y = run.CupY() + std::sin(t) * kReach;
    // Each putt reloads the hole, so the areas are read before anything moves them.
    run.Load(path, name);
    if (!Open(run, floors, x, y)) {
      out.report += std::string(" ") + kCompass[d] + ":-";
      continue;
    }
    ++out.allowed;
    const int angle = run.AngleToCup(x, y);
    int holed = 0;
    for (int s = 0; s < kStrengths; ++s) holed += run.Putt(x, y, angle, 0.2 + 0.1 * s).holed;
    out.fair += holed >= kGoodStrengths;
    out.report += std::string(" ") + kCompass[d] + ":" + std::to_string(holed);
  }
  return out;
}

}  // namespace gp::lab
