#include "rules/progression.h"

namespace gp {

void FirstHole() {}
void HoleChangeStep() {}
void StandingsLine() {}
void LeaveFinishedGame() {}

}  // namespace gp
