// Fair cups: on every hole, a putt aimed straight at the cup from 60 pixels
// drops for a useful band of strengths from most directions the course allows.
// Devices may sit near a cup, but a careful putt must still win.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "support/game_dir.h"
#include "tests/tools/putt_lab.h"

namespace {

using gp::testing::HoleArea;
using gp::testing::PuttLab;

using gp::test::kGameDir;

constexpr double kReach = 60;      // pixels from the cup
constexpr int kStrengths = 20;     // 0.2, 0.3, ... 2.1
constexpr int kGoodStrengths = 5;  // a direction is fair with at least this many
constexpr int kDirections = 8;     // every 32 byte steps
const char* const kCompass[kDirections] = {"E", "SE", "S", "SW", "W", "NW", "N", "NE"};

bool IsWall(int kind) {
  return kind == 1 || kind == 2 || kind == 3 || kind == 4 || kind == 6 || kind == 7;
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
bool WallInTheWay(const PuttLab& lab, double x, double y, double gap) {
  for (int i = 1; i <= PuttLab::kAreas; ++i) {
    const HoleArea a = lab.AreaAt(i);
    if (!a.enabled || !IsWall(a.kind) || a.r >= 1 || a.x3 != 0) continue;
    const int steps = 60;
    for (int s = 0; s <= steps; ++s) {
      const double px = x + (lab.CupX() - x) * s / steps, py = y + (lab.CupY() - y) * s / steps;
      if (SegmentDistance(a.x1, a.y1, a.x2, a.y2, px, py) < gap) return true;
    }
  }
  return false;
}

bool Touches(const HoleArea& a, double x, double y) {
  if (a.r >= 1) return std::hypot(x - a.x1, 2 * (y - a.y1)) <= a.r;
  if (a.x3 == 0 || a.x4 == 0) return false;
  const int xs[4] = {a.x1, a.x2, a.x3, a.x4}, ys[4] = {a.y1, a.y2, a.y3, a.y4};
  int sign = 0;
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    const double c = (ys[i] - ys[j]) * (x - xs[j]) + (xs[j] - xs[i]) * (y - ys[j]);
    if (c == 0) continue;
    if (sign == 0) sign = c > 0 ? 1 : -1;
    if ((c > 0 ? 1 : -1) != sign) return false;
  }
  return true;
}

// A direction the course allows: the spot is on a floor, clear of walls and of
// devices that take a ball, with no wall between it and the cup.
bool Allowed(const PuttLab& lab, const std::vector<gp::testing::Polygon>& floors, double x,
             double y) {
  if (!gp::testing::OnAFloor(floors, x, y) || WallInTheWay(lab, x, y, 7)) return false;
  for (int i = 1; i <= PuttLab::kAreas; ++i) {
    const HoleArea a = lab.AreaAt(i);
    if (a.enabled && TakesTheBall(a.kind) && Touches(a, x, y)) return false;
  }
  return true;
}

class FairCup : public ::testing::TestWithParam<std::string> {};

TEST_P(FairCup, CarefulPuttsDropFromMostDirections) {
  const std::string path = kGameDir + GetParam() + ".hole";
  const auto floors = gp::testing::ReadFloors(path);
  ASSERT_FALSE(floors.empty()) << path;
  PuttLab lab;
  lab.Load(path, GetParam());
  int allowed = 0, fair = 0;
  std::ostringstream report;
  for (int d = 0; d < kDirections; ++d) {
    const double t = d * 2 * M_PI / kDirections;
    const double x = lab.CupX() + std::cos(t) * kReach, y = lab.CupY() + std::sin(t) * kReach;
    if (!Allowed(lab, floors, x, y)) {
      report << " " << kCompass[d] << ":-";
      continue;
    }
    ++allowed;
    const int angle = lab.AngleToCup(x, y);
    int holed = 0;
    for (int s = 0; s < kStrengths; ++s) holed += lab.Putt(x, y, angle, 0.2 + 0.1 * s).holed;
    fair += holed >= kGoodStrengths;
    report << " " << kCompass[d] << ":" << holed;
  }
  // Most: three in four of the allowed directions, and never fewer than three.
  EXPECT_GE(allowed, 3) << GetParam() << report.str();
  EXPECT_GE(4 * fair, 3 * allowed) << GetParam() << report.str();
  EXPECT_GE(fair, 3) << GetParam() << report.str();
}

INSTANTIATE_TEST_SUITE_P(Holes, FairCup,
                         ::testing::Values("course1hole1", "course2hole1", "course1hole3",
                                           "course1hole4", "course2hole9", "course3hole6",
                                           "course5hole1", "course4hole4", "training1",
                                           "course1hole2", "course2hole5", "course1hole5",
                                           "course3hole9", "course4hole3"));

}  // namespace
