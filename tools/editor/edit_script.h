#pragma once
// Edit scripts: the hole model's changes as text, one a line, for
// `galaputt-lab edit` and for tests.
//
//   add KIND X1,Y1 [X2,Y2 [X3,Y3 X4,Y4]] [FIELD=VALUE ...]
//   walls X1,Y1 X2,Y2 [X3,Y3 ...] [closed] [FIELD=VALUE ...]
//   move N DX,DY            corner N K X,Y          set N FIELD VALUE
//   delete N                duplicate N [DX,DY]     undo          redo
//   start X,Y               par N                   next NAME
//   look SECTION KEY [VALUE]                        save
//
// KIND is a number or a kind's name without blanks ("cup", "water"). A new
// area takes the lowest free number. `walls` adds a wall from each point to the
// next (back to the first when `closed`), each of the kind its slope needs.
// A comment's VALUE is the rest of the line.
// Blank lines and lines starting with '#' are skipped.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/editor/hole_model.h"

namespace gp::editor {

struct ScriptRun {
  int line = 0;            // the line that failed; 0 when the script ran through
  std::string error;       // what was wrong with it
  int saves = 0;           // save lines run
  std::vector<int> added;  // numbers of the areas added and duplicated, in order
  bool ok() const { return line == 0; }
};

// Runs `script` on `model`; `save` writes the model at each save line (false
// with its reason when it cannot). Stops at the first bad line.
ScriptRun RunEditScript(HoleModel& model, std::string_view script,
                        const std::function<bool(std::string& error)>& save);

}  // namespace gp::editor
