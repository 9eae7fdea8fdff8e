#include "ai/running_game.h"

namespace gp::ai {

namespace {
RunningGame g_running;
}  // namespace

void SetRunningGame(const RunningGame& r) {
  g_running = r;
}

const RunningGame& runninggame() {
  return g_running;
}

void StepFrame() {
  g_running.frame();
}

QuietGame::QuietGame() {
  if (g_running.quiet) g_running.quiet(true);
}

QuietGame::~QuietGame() {
  if (g_running.quiet) g_running.quiet(false);
}

}  // namespace gp::ai
