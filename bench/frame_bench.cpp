// The whole frame tick on a real hole, beside a plain copy of one full frame of
// display pixels: the ratio is the figure. FrameTick has four moving balls;
// BusyFrame adds a busy moment of play on top: 50 sprites of every blend, 33
// particles in flight and the message line scrolling under the HUD.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/frame_tick.h"
#include "app/game_loop.h"
#include "app/game_window.h"
#include "game/setup.h"
#include "game/state.h"
#include "platform/headless/headless_platform.h"
#include "sim/effects.h"

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

// Course pictures of course1hole1 used as sprites: puff 40x40, teleport 34x40,
// splash 16x32, scuff 60x60.
constexpr int kSpriteImages[] = {8, 13, 4, 14};

// Fills every sprite slot, spread over the screen: a quarter each additive,
// subtractive, pulsing alpha and plain. Called every frame so that the sprites
// stay on screen as the view follows the balls, and the pulses keep drawing.
void PlaceSprites(int w, int h, int frames) {
  GameState& g = gs();
  for (int k = 1; k <= kMaxSprites; ++k) {
    Sprite& s = g.sprites[k];
    s.x = g.viewx + 8 + (k * 97) % (w - 80);
    s.y = g.viewy + 8 + (k * 61) % (h - 80);
    s.image = kSpriteImages[k % 4];
    s.loop = true;
    s.p1 = k % 4 == 0 ? 160 : k % 4 == 1 ? -128 : 0;
    s.p2 = k % 4 == 2 ? 4 + 20 * ((frames + k) % 12) : 0;
  }
}

// Keeps all 33 particles in flight: a new burst, dust, spray or blast in
// turn, whenever one has come down.
void KeepParticlesFlying(int& bursts) {
  for (const Particle& q : gs().particles) {
    if (q.active) continue;
    static constexpr BurstKind kKinds[] = {BurstKind::Dust, BurstKind::Spray, BurstKind::Blast};
    Burst(kKinds[bursts % 3], 1 + bursts % 4);
    ++bursts;
    return;
  }
}

void BusyFrame(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  HeadlessPlatform p;
  if (!OpenHole(p, w, h) || gamewin().course.Count() <= 14) {
    state.SkipWithError("course1hole1 not built in the program folder");
    return;
  }
  LaunchBalls();
  int frames = 0, bursts = 0;
  for (auto _ : state) {
    if (!gs().ballsmoving || ++frames % 240 == 0) LaunchBalls();
    PlaceSprites(w, h, frames);
    KeepParticlesFlying(bursts);
    if (gs().messagepos == -1) RestartMessage("Nice shot! The ball is rolling towards the cup.");
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
BENCHMARK(BusyFrame)->Args({640, 480})->Args({1024, 768})->Unit(benchmark::kMicrosecond);
BENCHMARK(FullFrameCopy)->Args({640, 480})->Args({1024, 768})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gp
