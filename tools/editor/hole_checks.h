#pragma once
// What the editor checks before a hole is saved, each problem naming its area.
// The model's own checks are instant; the solver's and the fair-cup sweep play
// the hole on the real game (from a HoleBuild's folder) and take seconds.

#include <string>
#include <vector>

#include "tools/editor/area_outlines.h"
#include "tools/editor/hole_model.h"

namespace gp::editor {

struct Problem {
  int area = 0;  // the area it is about; 0: the hole as a whole
  std::string text;
  bool operator==(const Problem&) const = default;
};

// No cup or several, a ball start off the course, areas outside the course
// picture, fields the table does not allow, switches and pictures that name
// nothing, a canvas the compiler refuses.
std::vector<Problem> QuickChecks(const HoleModel& m);

// Floors of the look ([floorN] points, N from 1 up to the first gap).
std::vector<std::vector<Point>> Floors(const HoleModel& m);
bool OnFloor(const std::vector<std::vector<Point>>& floors, double x, double y);

// The solver on the hole as it stands.
struct SolveVerdict {
  bool ran = false;    // the game opened and the solver ran
  std::string error;   // why it did not
  bool found = false;  // a line into the cup
  int strokes = 0;
  bool fineaim = false;    // some stroke needs finer aim than a player gives
  bool outoftime = false;  // the budget ran out first
  int par = 0;
  std::vector<LineStroke> line;
  double seconds = 0;
  // The par against the solver: honest when it is the solver's strokes, or
  // one more for a line that needs fine aim.
  bool Honest() const;
  std::string Summary() const;  // one line for the designer
};

// Solves hole `name` as it lies in `folder` (a program folder); lines up to
// par + 2 strokes (at most 8), for at most `budget` seconds.
SolveVerdict SolveHole(const std::string& folder, const std::string& name, int par, double budget);
// The verdict as problems: no line within the par, a par more than honest.
std::vector<Problem> SolveProblems(const SolveVerdict& v);

}  // namespace gp::editor
