#pragma once
// Two panels drawn with Dear ImGui like the others: the Records panel (a tab
// per course and one of the players' statistics, "Back" to the main menu)
// and the panel that offers the unfinished game ("Resume", "New Game"), in
// the quit panel's style.

#include <vector>

#include "launcher/launcher_model.h"
#include "launcher/window/panels_view.h"

namespace gp {

void DrawRecordsPanel(LauncherModel& m, std::vector<LauncherAction>& a);
void DrawResumePanel(LauncherModel& m, std::vector<LauncherAction>& a);

}  // namespace gp
