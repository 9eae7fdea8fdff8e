#include "tools/editor/view_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/angles.h"
#include "game/area_kind.h"

namespace gp::editor {

namespace {

double ToSegment(double ax, double ay, double bx, double by, double px, double py) {
  const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / len2, 0.0, 1.0) : 0;
  return std::hypot(ax + t * dx - px, ay + t * dy - py);
}

double BoxSize(const Area& a) {
  switch (ShapeOf(a)) {
    case Shape::Ellipse:
      return double(a.r) * a.r / 2;
    case Shape::Segment:
      return std::hypot(a.x2 - a.x1, a.y2 - a.y1) * 8;  // a thin strip
    default: {
      const double w = std::max({a.x1, a.x2, a.x3, a.x4}) - std::min({a.x1, a.x2, a.x3, a.x4});
      const double h = std::max({a.y1, a.y2, a.y3, a.y4}) - std::min({a.y1, a.y2, a.y3, a.y4});
      return w * h;
    }
  }
}

}  // namespace

bool Contains(const Area& a, double x, double y, double slack) {
  switch (ShapeOf(a)) {
    case Shape::Ellipse:
      return std::hypot(x - a.x1, 2 * (y - a.y1)) <= a.r + slack;
    case Shape::Segment:
      return ToSegment(a.x1, a.y1, a.x2, a.y2, x, y) <= 4 + slack;
    case Shape::Quad: {
      const double xs[4] = {double(a.x1), double(a.x2), double(a.x3), double(a.x4)};
      const double ys[4] = {double(a.y1), double(a.y2), double(a.y3), double(a.y4)};
      return InConvexQuad(xs, ys, x, y);
    }
    default:
      return false;
  }
}

int PickArea(const HoleModel& m, double x, double y, double slack, int selected) {
  if (selected && Contains(m.GetArea(selected), x, y, slack)) return selected;
  int best = 0;
  double size = std::numeric_limits<double>::max();
  for (int n : m.Areas()) {
    const Area a = m.GetArea(n);
    if (!Contains(a, x, y, slack)) continue;
    if (BoxSize(a) < size) best = n, size = BoxSize(a);
  }
  return best;
}

std::vector<Handle> HandlesOf(const Area& a) {
  std::vector<Handle> out;
  const Shape s = ShapeOf(a);
  if (s == Shape::Ellipse) {
    out.push_back({Handle::Type::Corner, 1, kFieldX1, double(a.x1), double(a.y1), ""});
    out.push_back({Handle::Type::Radius, 0, kFieldR, double(a.x1 + a.r), double(a.y1), "radius"});
  } else {
    const int corners = s == Shape::Segment ? 2 : 4;
    const int xs[4] = {a.x1, a.x2, a.x3, a.x4}, ys[4] = {a.y1, a.y2, a.y3, a.y4};
    for (int k = 0; k < corners; ++k) {
      out.push_back({Handle::Type::Corner, k + 1, kFieldX1, double(xs[k]), double(ys[k]), ""});
    }
  }
  // The points the kind keeps beside its shape: exits, returns, pictures.
  const std::vector<FieldNote> notes = NotesFor(a);
  for (size_t i = 0; i + 1 < notes.size(); ++i) {
    const FieldNote& nx = notes[i];
    const bool point = nx.role == Role::Place || nx.role == Role::Picture;
    if (!point || notes[i + 1].field != nx.field + 1) continue;
    ++i;  // the pair's y
    if (nx.role == Role::Picture && FieldValue(a, nx.field) == 0 && a.kind != kCup) continue;
    out.push_back({Handle::Type::Pair, 0, nx.field, double(FieldValue(a, nx.field)),
                   double(FieldValue(a, notes[i].field)), nx.label});
  }
  return out;
}

Point SnapWall(Point from, Point to, int& kind) {
  const double dx = to.x - from.x, dy = to.y - from.y;
  // The six wall slopes as directions, with the kind of each.
  struct Slope {
    int ux, uy, kind;
  };
  static const Slope kSlopes[] = {{1, 0, kHorizontalWall},      {0, 1, kVerticalWall},
                                  {2, -1, kRisingShallowWall},  {2, 1, kFallingShallowWall},
                                  {1, -1, kRisingDiagonalWall}, {1, 1, kFallingDiagonalWall}};
  // The slope whose line through `from` passes nearest to `to`.
  double best = std::numeric_limits<double>::max();
  Point out = to;
  for (const Slope& sl : kSlopes) {
    const double len = std::hypot(sl.ux, sl.uy);
    const long steps = std::lround((dx * sl.ux + dy * sl.uy) / (len * len));
    const double off = std::abs(dx * sl.uy - dy * sl.ux) / len;
    if (steps == 0 || off >= best) continue;
    best = off;
    out = {from.x + static_cast<int>(steps * sl.ux), from.y + static_cast<int>(steps * sl.uy)};
    kind = sl.kind;
  }
  return out;
}

int WallKindOf(Point from, Point to) {
  int dx = to.x - from.x, dy = to.y - from.y;
  if (dx < 0 || (dx == 0 && dy < 0)) dx = -dx, dy = -dy;
  if (dx == 0 && dy == 0) return 0;
  if (dy == 0) return kHorizontalWall;
  if (dx == 0) return kVerticalWall;
  if (dy * 2 == -dx) return kRisingShallowWall;
  if (dy * 2 == dx) return kFallingShallowWall;
  if (dy == -dx) return kRisingDiagonalWall;
  if (dy == dx) return kFallingDiagonalWall;
  return 0;
}

bool NearestCorner(const HoleModel& m, int except, Point p, double reach, Point& out) {
  double best = reach;
  bool found = false;
  for (int n : m.Areas()) {
    if (n == except) continue;
    for (const Handle& h : HandlesOf(m.GetArea(n))) {
      if (h.type != Handle::Type::Corner || ShapeOf(m.GetArea(n)) == Shape::Ellipse) continue;
      const double d = std::hypot(h.x - p.x, h.y - p.y);
      if (d > best) continue;
      best = d;
      out = {static_cast<int>(h.x), static_cast<int>(h.y)};
      found = true;
    }
  }
  return found;
}

std::vector<Point> NewAreaPoints(const HoleModel& m, int& kind, Point a, Point b, double reach) {
  Point snapped;
  if (reach > 0 && NearestCorner(m, 0, a, reach, snapped)) a = snapped;
  if (a.x == b.x && a.y == b.y) return {a};
  if (IsWall(kind)) {
    if (reach > 0 && NearestCorner(m, 0, b, reach, snapped) && WallKindOf(a, snapped)) {
      kind = WallKindOf(a, snapped);
      return {a, snapped};
    }
    return {a, SnapWall(a, b, kind)};
  }
  if (reach > 0 && NearestCorner(m, 0, b, reach, snapped)) b = snapped;
  return {a, b};
}

bool DragHandle(HoleModel& m, int n, const Handle& h, Point to, double reach) {
  const Area a = m.GetArea(n);
  switch (h.type) {
    case Handle::Type::Radius:
      return m.SetField(n, kFieldR, std::to_string(std::max(1, FlatDist(a.x1, a.y1, to.x, to.y))));
    case Handle::Type::Pair:
      return m.SetField(n, h.field, std::to_string(to.x)) &&
             m.SetField(n, static_cast<Field>(h.field + 1), std::to_string(to.y));
    case Handle::Type::Corner:
      break;
  }
  Point corner;
  const bool near =
      reach > 0 && ShapeOf(a) != Shape::Ellipse && NearestCorner(m, n, to, reach, corner);
  if (ShapeOf(a) == Shape::Segment && IsWall(a.kind)) {
    const Point other = h.corner == 1 ? Point{a.x2, a.y2} : Point{a.x1, a.y1};
    int kind = a.kind;
    if (near && WallKindOf(other, corner)) {
      to = corner, kind = WallKindOf(other, corner);
    } else {
      to = SnapWall(other, to, kind);
    }
    if (kind != a.kind && !m.SetField(n, kFieldKind, std::to_string(kind))) return false;
  } else if (near) {
    to = corner;
  }
  return m.SetCorner(n, h.corner, to.x, to.y);
}

}  // namespace gp::editor
