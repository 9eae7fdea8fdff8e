// The whole frame tick on a real hole with four moving balls, beside a plain
// copy of one full frame of display pixels: the ratio is the figure.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/frame_tick.h"
#include "game/setup.h"
#include "game/state.h"
#include "platform/headless/headless_platform.h"
#include "app/game_loop.h"
#include "app/game_window.h"

namespace gp {
namespace {

const std::string kGameDir = std::string(GALAPUTT_GAME_DIR) + "/";

bool OpenHole(HeadlessPlatform& p, int w, int h) {
  if (!std::filesystem::exists(kGameDir + "course1hole1.hole")) return false;
  p.SetBaseDir(kGameDir);
  ResetGameState();
  GameSetup s;
  s.numplayers = 4;
  s.displaywidth = w;
  s.displayheight = h;
  s.soundon = false;
  setup() = s;
  return OpenGameWindow(p, GameStart{1, "course1hole1"}) && p.messages().empty();
}

// Sets every ball rolling from the hole's start in a different direction.
void LaunchBalls() {
  GameState& g = gs();
  g.gamestate = kPlay;
  for (int i = 1; i <= 4; ++i) {
    Ball& b = g.players[i];
    b.x = g.players[1].x + 4 * i;
    b.y = g.players[1].y;
    b.z = 0;
    b.oncourse = true;
    b.inhole = false;
    b.moving = true;
    b.angle = 64 * i + 17;
    b.speed = 3.0;
    b.lastarea = -1;
  }
  g.ballsmoving = true;
}

void FrameTick(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  HeadlessPlatform p;
  if (!OpenHole(p, w, h)) {
    state.SkipWithError("course1hole1 not built in the program folder");
    return;
  }
  LaunchBalls();
  int frames = 0;
  for (auto _ : state) {
    if (!gs().ballsmoving || ++frames % 240 == 0) LaunchBalls();
    RunFrame();
    benchmark::DoNotOptimize(gamewin().display.Pixels());
  }
  CloseGameWindow();
  state.SetLabel(std::to_string(w) + "x" + std::to_string(h));
}

void FullFrameCopy(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0)) * static_cast<size_t>(state.range(1));
  std::vector<uint16_t> src(n, 0x1234), dst(n);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), n * sizeof(uint16_t));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * n * sizeof(uint16_t)));
}

BENCHMARK(FrameTick)->Args({640, 480})->Args({1024, 768})->Unit(benchmark::kMicrosecond);
BENCHMARK(FullFrameCopy)->Args({640, 480})->Args({1024, 768})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gp
