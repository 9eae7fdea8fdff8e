// The computer players' thinking: how many whole frames the game simulates per
// second without drawing (the unit of every search), and one decision of each
// skill from the first stroke of two holes, with the frames it simulated and
// the strokes it tried, and Ace's decision a 4 ms slice at a time. The time per
// decision is the figure that must stay well under a second and a half, the
// longest slice the one that must stay a few milliseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "ai/computer_player.h"
#include "ai/computer_search.h"
#include "ai/game_snapshot.h"
#include "ai/running_game.h"
#include "app/game_loop.h"
#include "app/game_window.h"
#include "base/keys.h"
#include "game/setup.h"
#include "game/state.h"
#include "platform/headless/headless_platform.h"

namespace gp {
namespace {

const std::string kGameDir = std::string(GALAPUTT_GAME_DIR) + "/";
// The window's slice of thinking, milliseconds.
constexpr double kSliceMs = 4;

// The hole open for one player, its card closed and the ball ready to putt.
bool ReadyOn(HeadlessPlatform& p, const std::string& hole) {
  if (!std::filesystem::exists(kGameDir + hole + ".hole")) return false;
  p.SetBaseDir(kGameDir);
  ResetGameState();
  GameSetup s;
  s.soundon = false;
  setup() = s;
  if (!OpenGameWindow(p, GameStart{1, hole})) return false;
  InputEvent space;
  space.type = InputEvent::Type::KeyDown;
  space.key = kKeySpace;
  DispatchInput(space);
  for (int i = 0; i < 600 && !ai::ReadyToStroke(); ++i) TickGameWindow(false);
  return ai::ReadyToStroke();
}

// A ball rolling (struck again each time it stops), frames without drawing.
void SimulatedFrame(benchmark::State& state) {
  HeadlessPlatform p;
  if (!ReadyOn(p, "course1hole3")) {
    state.SkipWithError("course1hole3 not built in the program folder");
    return;
  }
  const ai::GameSnapshot ready = ai::SnapshotGame();
  int angle = 0;
  for (auto _ : state) {
    if (!gs().ballsmoving) {
      ai::RestoreGame(ready);
      Ball& b = gs().players[1];
      b.angle = angle = (angle + 37) & 255;
      b.speed = 3.5;
      b.moving = true;
      b.lastarea = -1;
      gs().ballsmoving = true;
    }
    ai::StepFrame();
  }
  state.SetItemsProcessed(state.iterations());
  CloseGameWindow();
}
BENCHMARK(SimulatedFrame);

// One whole decision from the hole's first stroke, as the computer makes it.
void Decision(benchmark::State& state, const std::string& hole) {
  const int skill = static_cast<int>(state.range(0));
  HeadlessPlatform p;
  if (!ReadyOn(p, hole)) {
    state.SkipWithError((hole + " not built in the program folder").c_str());
    return;
  }
  const ai::GameSnapshot live = ai::SnapshotGame();
  ai::Decision d;
  for (auto _ : state) {
    {
      const ai::QuietGame quiet;
      d = ai::Decide(ai::SkillFor(skill), ai::LineUpFrames(60));
    }
    ai::RestoreGame(live);
  }
  state.counters["simframes"] = static_cast<double>(d.simframes);
  state.counters["tried"] = d.tried;
  state.counters["frames/s"] =
      benchmark::Counter(static_cast<double>(d.simframes) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  state.SetLabel(std::string(ai::SkillFor(skill).name) + " on " + hole);
  CloseGameWindow();
}
// An open hole, and one with cycling gates (strokes tried at several waits).
BENCHMARK_CAPTURE(Decision, open, std::string("course1hole3"))
    ->DenseRange(kRookie, kAce)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decision, gates, std::string("course2hole9"))
    ->DenseRange(kRookie, kAce)
    ->Unit(benchmark::kMillisecond);

// The same decision thought out a slice at a time, as the window does between
// frames: the longest slices are what a frame may wait for (beyond the 4 ms
// asked, a slice waits for the system to run the thread it hands over to).
void SlicedDecision(benchmark::State& state) {
  HeadlessPlatform p;
  if (!ReadyOn(p, "course2hole9")) {
    state.SkipWithError("course2hole9 not built in the program folder");
    return;
  }
  GameSetup s = setup();
  s.computer[0] = kAce;
  setup() = s;
  std::vector<double> took;  // milliseconds per slice
  for (auto _ : state) {
    ai::ComputerPlayers computers(true);
    computers.Start(1);
    computers.BeforeFrame();  // the turn has come: the thinking starts
    while (computers.Thinking()) {
      const auto start = std::chrono::steady_clock::now();
      computers.Think(kSliceMs);
      took.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count());
    }
  }
  std::sort(took.begin(), took.end());
  if (!took.empty()) {
    state.counters["p99_ms"] = took[took.size() * 99 / 100];
    state.counters["longest_ms"] = took.back();
  }
  state.counters["slices"] =
      static_cast<double>(took.size()) / static_cast<double>(state.iterations());
  CloseGameWindow();
}
BENCHMARK(SlicedDecision)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gp
