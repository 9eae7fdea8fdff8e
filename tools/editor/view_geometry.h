#pragma once
// The geometry of editing by mouse, in course pixels: which area a point
// picks, the handles of an area (its corners, its radius, the points it keeps
// beside its shape) and where a dragged handle lands, walls kept to the
// slopes their kinds allow.

#include <string>
#include <vector>

#include "tools/editor/hole_model.h"

namespace gp::editor {

// Whether the point touches the area's shape, `slack` pixels around it (for
// segments and circles; quads are taken as they are).
bool Contains(const Area& a, double x, double y, double slack);

// The area a click at (x, y) picks: the one already `selected` when it is
// under the point, else the smallest under it; 0 for none.
int PickArea(const HoleModel& m, double x, double y, double slack, int selected);

struct Handle {
  enum class Type { Corner, Radius, Pair } type = Type::Corner;
  int corner = 0;          // Corner: 1..4
  Field field = kFieldX1;  // Pair: the x field (y follows it)
  double x = 0, y = 0;     // where it shows
  std::string label;       // what it is ("exit", "return point"); empty for corners
};
std::vector<Handle> HandlesOf(const Area& a);

// Drags a handle of area `n` to (x, y): one change to the model (within the
// caller's group). A corner within `reach` of another area's corner or end
// lands on it, so that walls meet and nothing leaks. A wall's end keeps the
// wall on one of the six wall slopes, the nearest, and the kind follows it.
bool DragHandle(HoleModel& m, int n, const Handle& h, Point to, double reach = 0);

// The corner or end of an area other than `except` nearest to p, within
// `reach`; false when there is none.
bool NearestCorner(const HoleModel& m, int except, Point p, double reach, Point& out);

// The wall end `to` moved onto the wall slope nearest to its direction from
// `from`; `kind` becomes that slope's wall kind.
Point SnapWall(Point from, Point to, int& kind);
// The kind of wall that runs exactly from `from` to `to`; 0 for none.
int WallKindOf(Point from, Point to);

// The points of a new area of `kind` from a press at `a` and a release at `b`
// (the same point: a click): corners snapped to other areas within `reach`, a
// wall's end onto a wall slope (its kind, which may change, in `kind`).
std::vector<Point> NewAreaPoints(const HoleModel& m, int& kind, Point a, Point b, double reach);

}  // namespace gp::editor
