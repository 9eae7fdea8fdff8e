#include "tools/editor/hole_checks.h"

#include <algorithm>
#include <sstream>

#include "game/area_kind.h"
#include "game/state.h"
#include "tools/lab/solve_game.h"
#include "ai/solver.h"

namespace gp::editor {

namespace {

// The area's bounding box as the compiler takes it: {left, top, right, bottom}.
void Bounds(const Area& a, double& l, double& t, double& r, double& b) {
  switch (ShapeOf(a)) {
    case Shape::Ellipse:
      l = a.x1 - a.r, r = a.x1 + a.r, t = a.y1 - a.r / 2.0, b = a.y1 + a.r / 2.0;
      return;
    case Shape::Quad:
      l = std::min({a.x1, a.x2, a.x3, a.x4}), r = std::max({a.x1, a.x2, a.x3, a.x4});
      t = std::min({a.y1, a.y2, a.y3, a.y4}), b = std::max({a.y1, a.y2, a.y3, a.y4});
      return;
    default:
      l = std::min(a.x1, a.x2), r = std::max(a.x1, a.x2);
      t = std::min(a.y1, a.y2), b = std::max(a.y1, a.y2);
  }
}

bool HasItem(const HoleModel& m, int item) {
  return m.Value("images", "item" + std::to_string(item)) != nullptr;
}

void CupChecks(const HoleModel& m, std::vector<Problem>& out) {
  std::vector<int> cups;
  for (int n : m.Areas()) {
    if (m.GetArea(n).kind == kCup) cups.push_back(n);
  }
  if (cups.empty()) out.push_back({0, "no cup (kind 5): the ball can never be holed"});
  for (size_t i = 1; i < cups.size(); ++i) {
    out.push_back({cups[i], "area " + std::to_string(cups[i]) + " is a second cup (area " +
                                std::to_string(cups[0]) + " is one): a hole has one cup"});
  }
}

void StartChecks(const HoleModel& m, std::vector<Problem>& out) {
  const int x = m.BallX(), y = m.BallY();
  const std::string at = " (" + std::to_string(x) + ", " + std::to_string(y) + ")";
  if (x < 0 || y < 0 || x >= m.CourseWidth() || y >= m.CourseHeight()) {
    out.push_back({0, "the ball start" + at + " lies outside the course picture"});
    return;
  }
  const auto floors = Floors(m);
  if (floors.empty()) {
    out.push_back({0, "no [floor1]: the course has no floor to play on"});
  } else if (!OnFloor(floors, x, y)) {
    out.push_back({0, "the ball start" + at + " lies outside the course (on no floor)"});
  }
}

// Pictures and areas an area names that are not there.
void ReferenceChecks(const HoleModel& m, int n, const Area& a, std::vector<Problem>& out) {
  const std::string who = AreaName(n, a) + ": ";
  if (a.kind == kAreaSwitch && a.p1 >= 1 && a.p1 <= kMaxAreas && !m.HasArea(a.p1)) {
    out.push_back({n, who + "p1 names area " + std::to_string(a.p1) + ", which is empty"});
  }
  if (a.kind == kPipe && a.p3 != 0 && !HasItem(m, a.p3)) {
    out.push_back({n, who + "its cover, item " + std::to_string(a.p3) + ", is not in [images]"});
  }
  if ((a.kind == kSpring || a.kind == kFan) && a.p1 != 0 && !HasItem(m, a.p4)) {
    out.push_back(
        {n, who + "its animation, item " + std::to_string(a.p4) + ", is not in [images]"});
  }
}

}  // namespace

std::vector<std::vector<Point>> Floors(const HoleModel& m) {
  std::vector<std::vector<Point>> out;
  for (int i = 1;; ++i) {
    const std::string* pts = m.Value("floor" + std::to_string(i), "points");
    if (!pts) break;
    std::vector<Point> poly;
    std::istringstream in(*pts);
    for (std::string tok; in >> tok;) {
      Point p;
      if (std::sscanf(tok.c_str(), "%d,%d", &p.x, &p.y) == 2) poly.push_back(p);
    }
    out.push_back(poly);
  }
  return out;
}

bool OnFloor(const std::vector<std::vector<Point>>& floors, double x, double y) {
  for (const std::vector<Point>& p : floors) {
    bool in = false;
    for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
      if ((p[i].y > y) != (p[j].y > y) &&
          x < double(p[j].x - p[i].x) * (y - p[i].y) / double(p[j].y - p[i].y) + p[i].x) {
        in = !in;
      }
    }
    if (in) return true;
  }
  return false;
}

std::vector<Problem> QuickChecks(const HoleModel& m) {
  std::vector<Problem> out;
  const int w = m.CourseWidth(), h = m.CourseHeight();
  if (w < 240 || h < 240 || w > 4800 || h > 4800 || w % 24 || h % 24) {
    out.push_back({0, "the canvas must be a multiple of 24 from 240 to 4800 each way"});
  }
  CupChecks(m, out);
  StartChecks(m, out);
  for (int n : m.Areas()) {
    const Area a = m.GetArea(n);
    double l, t, r, b;
    Bounds(a, l, t, r, b);
    if (ShapeOf(a) != Shape::None && (l < 0 || t < 0 || r >= w || b >= h)) {
      out.push_back({n, AreaName(n, a) + ": lies outside the course picture"});
    }
    for (const std::string& p : FieldProblems(n, a)) out.push_back({n, p});
    ReferenceChecks(m, n, a, out);
  }
  return out;
}

bool SolveVerdict::Honest() const {
  return found && par >= strokes && par <= strokes + (fineaim ? 1 : 0);
}

std::string SolveVerdict::Summary() const {
  if (!ran) return "not solved: " + error;
  if (!found) {
    return std::string("the solver found no line") + (outoftime ? " (out of time)" : "");
  }
  std::string s = "solved in " + std::to_string(strokes) + (strokes == 1 ? " stroke" : " strokes");
  s += fineaim ? ", with fine aim" : "";
  s += "; par " + std::to_string(par) +
       (Honest()        ? " is honest"
        : par < strokes ? " is too tight"
                        : " is generous");
  return s;
}

SolveVerdict SolveHole(const std::string& folder, const std::string& name, int par, double budget) {
  SolveVerdict v;
  v.par = par;
  lab::SolveGame game;
  if (const std::string e = game.Open(folder, name, 1); !e.empty()) {
    v.error = e;
    return v;
  }
  ai::SolveOptions o;
  o.maxstrokes = std::clamp(par + 2, 1, 8);
  o.budget = budget;
  const ai::Solution s = ai::Solve(game.HoleFrame(), o);
  v.ran = true;
  v.found = s.found;
  v.strokes = s.strokes;
  v.fineaim = s.fineaim;
  v.outoftime = s.outoftime;
  v.seconds = s.seconds;
  for (const ai::SolvedShot& shot : s.shots) {
    v.line.push_back({shot.fromx, shot.fromy, shot.tox, shot.toy});
  }
  return v;
}

std::vector<Problem> SolveProblems(const SolveVerdict& v) {
  if (!v.ran) return {{0, "the hole could not be played: " + v.error}};
  const std::string par = std::to_string(v.par);
  if (!v.found) {
    return {{0, "the solver cannot reach the cup within par " + par + " (nor two over)"}};
  }
  if (v.strokes > v.par) {
    return {{0, "the solver cannot reach the cup within par " + par + ": it needs " +
                    std::to_string(v.strokes)}};
  }
  if (!v.Honest()) {
    return {{0, "par " + par + " is generous: the solver needs " + std::to_string(v.strokes) +
                    (v.fineaim ? " (with fine aim)" : "")}};
  }
  return {};
}

}  // namespace gp::editor
