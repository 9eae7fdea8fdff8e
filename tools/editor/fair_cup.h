#pragma once
// Fair cups: a careful putt must win. From 60 pixels in eight directions, a
// putt aimed straight at the cup is tried at twenty strengths (0.2 to 2.1);
// a direction the course allows (on a floor, no wall in the way, not on a
// device that takes the ball) is fair when at least five strengths drop, and
// the cup is fair when three in four allowed directions are, and at least
// three. Every check of a cup's fairness in the editor goes through
// SweepCup.

#include <string>

#include "tools/editor/hole_model.h"

namespace gp::editor {

struct FairCupReport {
  bool ran = false;   // the game opened on the hole
  std::string error;  // why it did not
  bool fair = false;
  int allowed = 0;     // directions the course allows
  int good = 0;        // of those, the fair ones
  std::string detail;  // per direction: "E:12 SE:- ..." (strengths that dropped, - not allowed)
};

// Sweeps the cup of hole `name` as it lies in `folder` (a program folder);
// `m` gives its floors and areas.
FairCupReport SweepCup(const std::string& folder, const std::string& name, const HoleModel& m);

}  // namespace gp::editor
