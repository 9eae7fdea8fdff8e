#pragma once
// Fair cups in the editor: the lab's fair-cup sweep (tools/lab/fair_cup.h:
// careful putts from 60 pixels in eight directions) on the hole as the editor
// compiled it, with its answer in the words the side panel shows.

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

// Sweeps the cup of hole `name` as it lies in `folder` (a program folder,
// ending with '/', holding NAME.hole); `m` is the model it was compiled from.
FairCupReport SweepCup(const std::string& folder, const std::string& name, const HoleModel& m);

}  // namespace gp::editor
