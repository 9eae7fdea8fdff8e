#include "ai/course_map.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>
#include <string>

#include "ai/sliced_job.h"
#include "base/angles.h"
#include "game/area_kind.h"
#include "game/hole_tables.h"

namespace gp::ai {

namespace {

constexpr int kCell = 4;            // course pixels per cell side
constexpr double kWallReach = 4.5;  // a ball centre this near a wall line touches it
constexpr uint8_t kWaterCost = 4;   // water: passable for the distance, but dear
constexpr double kCutOff = 1e6;     // added for points the target cannot be reached from
constexpr float kFar = std::numeric_limits<float>::infinity();
// Cells settled between two points where a computer's thinking may pause.
constexpr int kPausePops = 2048;

bool IsWall(int kind) {
  return kind >= kRisingShallowWall && kind <= kFallingDiagonalWall && kind != kCup;
}

// The game's own touch test for a point (course pixels).
bool Inside(const Area& a, int px, int py) {
  if (a.r >= 1) return FlatDist(px, py, a.x1, a.y1) <= a.r;
  if (a.x3 == 0 && a.x4 == 0) return NearSegment(a.x1, a.y1, a.x2, a.y2, px, py);
  if (a.x3 != 0 && a.x4 != 0) return InQuad(a.x1, a.y1, a.x2, a.y2, a.x3, a.y3, a.x4, a.y4, px, py);
  return false;
}

double SegmentDistance(double px, double py, const Area& a) {
  const double vx = a.x2 - a.x1, vy = a.y2 - a.y1;
  const double len2 = vx * vx + vy * vy;
  double t = len2 > 0 ? ((px - a.x1) * vx + (py - a.y1) * vy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(px - (a.x1 + t * vx), py - (a.y1 + t * vy));
}

}  // namespace

CourseMap::CourseMap(const GameState& g) {
  int cw = g.coursewidth, ch = g.courseheight;
  for (const Area& a : g.areas) {
    if (a.kind == kNoArea) continue;
    cw = std::max({cw, a.x1 + a.r, a.x2, a.x3, a.x4});
    ch = std::max({ch, a.y1 + a.r, a.y2, a.y3, a.y4});
  }
  w_ = std::max(1, (cw + kCell - 1) / kCell);
  h_ = std::max(1, (ch + kCell - 1) / kCell);
  cost_.assign(static_cast<size_t>(w_) * h_, 1);
  for (int i = 1; i <= kMaxAreas; ++i) {
    const Area& a = g.areas[i];
    if (!a.enabled) continue;
    if (IsWall(a.kind)) {
      if (!IsObstacleArea(g.holename, i)) MarkWall(a);
    } else if (a.kind == kWater || a.kind == kDropOff) {
      for (const int32_t c : CellsInside(a)) {
        if (cost_[c] != 0) cost_[c] = a.kind == kWater ? kWaterCost : 0;
      }
    } else if (a.kind == kTeleporter || a.kind == kPipe || a.kind == kCatapult) {
      links_.push_back(Link{CellsInside(a), CellOf(a.x2, a.y2)});
    }
  }
}

int32_t CourseMap::CellOf(double x, double y) const {
  const int cx = std::clamp(static_cast<int>(std::floor(x / kCell)), 0, w_ - 1);
  const int cy = std::clamp(static_cast<int>(std::floor(y / kCell)), 0, h_ - 1);
  return cy * w_ + cx;
}

std::vector<int32_t> CourseMap::CellsInside(const Area& a) const {
  std::vector<int32_t> cells;
  for (int cy = 0; cy < h_; ++cy) {
    SlicedJob::Pause();  // a map takes milliseconds: a computer's slice may end here
    for (int cx = 0; cx < w_; ++cx) {
      if (Inside(a, cx * kCell + kCell / 2, cy * kCell + kCell / 2)) cells.push_back(cy * w_ + cx);
    }
  }
  return cells;
}

void CourseMap::MarkWall(const Area& a) {
  const int reach = static_cast<int>(std::ceil(kWallReach)) + kCell;
  const int x0 = std::max(0, (std::min(a.x1, a.x2) - reach) / kCell);
  const int x1 = std::min(w_ - 1, (std::max(a.x1, a.x2) + reach) / kCell);
  const int y0 = std::max(0, (std::min(a.y1, a.y2) - reach) / kCell);
  const int y1 = std::min(h_ - 1, (std::max(a.y1, a.y2) + reach) / kCell);
  for (int cy = y0; cy <= y1; ++cy) {
    for (int cx = x0; cx <= x1; ++cx) {
      const double px = cx * kCell + kCell / 2.0, py = cy * kCell + kCell / 2.0;
      if (SegmentDistance(px, py, a) <= kWallReach) cost_[cy * w_ + cx] = 0;
    }
  }
}

bool CourseMap::Blocked(double x, double y) const {
  return cost_[CellOf(x, y)] == 0;
}

CourseMap::Field CourseMap::DistancesTo(const GameState& g, const std::vector<int>& areas, double x,
                                        double y) const {
  Field f;
  f.map_ = this;
  f.dist_.assign(cost_.size(), kFar);
  using Item = std::pair<float, int32_t>;
  std::priority_queue<Item, std::vector<Item>, std::greater<Item>> open;
  auto seed = [&](int32_t c) {
    if (f.dist_[c] > 0) {
      f.dist_[c] = 0;
      open.push({0.0f, c});
    }
  };
  if (areas.empty()) {
    f.tx_ = x, f.ty_ = y;
    seed(CellOf(x, y));
  } else {
    for (const int i : areas) {
      const Area& a = g.areas[i];
      f.tx_ = a.x1, f.ty_ = a.y1;
      for (const int32_t c : CellsInside(a)) seed(c);
    }
  }
  // Exits to the links that lead there.
  std::vector<std::vector<int>> byexit(cost_.size());
  for (size_t k = 0; k < links_.size(); ++k) byexit[links_[k].exit].push_back(static_cast<int>(k));
  static constexpr int kDx[8] = {1, -1, 0, 0, 1, 1, -1, -1};
  static constexpr int kDy[8] = {0, 0, 1, -1, 1, -1, 1, -1};
  for (int popped = 0; !open.empty(); ++popped) {
    if (popped % kPausePops == 0) SlicedJob::Pause();
    const auto [d, c] = open.top();
    open.pop();
    if (d > f.dist_[c]) continue;
    for (const int k : byexit[c]) {
      for (const int32_t m : links_[k].mouth) {
        if (d < f.dist_[m]) {
          f.dist_[m] = d;
          open.push({d, m});
        }
      }
    }
    const int cx = c % w_, cy = c / w_;
    for (int k = 0; k < 8; ++k) {
      const int nx = cx + kDx[k], ny = cy + kDy[k];
      if (nx < 0 || ny < 0 || nx >= w_ || ny >= h_) continue;
      const int32_t n = ny * w_ + nx;
      if (cost_[n] == 0) continue;
      // No cutting a corner past a blocked cell.
      if (k >= 4 && (cost_[cy * w_ + nx] == 0 || cost_[ny * w_ + cx] == 0)) continue;
      const float step = (k >= 4 ? 1.41421356f : 1.0f) * kCell * cost_[n];
      if (d + step < f.dist_[n]) {
        f.dist_[n] = d + step;
        open.push({d + step, n});
      }
    }
  }
  return f;
}

double CourseMap::Field::At(double x, double y) const {
  const int32_t c = map_->CellOf(x, y);
  double best = dist_[c];
  if (std::isinf(best)) {
    // A ball resting against a wall sits in a blocked cell: its neighbours tell.
    const int cx = c % map_->w_, cy = c / map_->w_;
    for (int ny = std::max(0, cy - 1); ny <= std::min(map_->h_ - 1, cy + 1); ++ny) {
      for (int nx = std::max(0, cx - 1); nx <= std::min(map_->w_ - 1, cx + 1); ++nx) {
        best = std::min(best, static_cast<double>(dist_[ny * map_->w_ + nx]) + kCell);
      }
    }
  }
  if (std::isinf(best)) return kCutOff + std::hypot(x - tx_, y - ty_);
  return best;
}

}  // namespace gp::ai
