#include "app/replay_run.h"

#include "app/game_loop.h"
#include "app/game_window.h"
#include "game/setup.h"
#include "game/state.h"
#include "game/state_digest.h"
#include "platform/headless/headless_platform.h"
#include "sim/progression.h"
#include "sim/scoring.h"

namespace gp {

namespace {

// Frames whose pixels go into the digest.
constexpr int kPixelEvery = 60;

std::string Standings() {
  GameState& g = gs();
  const std::string saved = g.message;
  StandingsLine();
  std::string line = g.message;
  g.message = saved;
  return line;
}

void CollectHoles(ReplayResult& out, const std::vector<std::string>& names) {
  const GameState& g = gs();
  for (int h = 1; h < static_cast<int>(names.size()) && h <= gs().holecount; ++h) {
    if (names[static_cast<size_t>(h)].empty()) continue;
    ReplayHole hole;
    hole.number = h;
    hole.name = names[static_cast<size_t>(h)];
    for (int i = 1; i <= g.numplayers; ++i) hole.strokes.push_back(g.players[i].holestrokes[h]);
    out.holes.push_back(hole);
  }
}

}  // namespace

int RateAt(const Replay& r, int frame, size_t& next, int current) {
  while (next < r.rates.size() && r.rates[next].frame <= frame) current = r.rates[next++].rate;
  return current;
}

ReplayResult RunReplay(const Replay& r, HeadlessPlatform& platform, const std::string& folder) {
  ReplayResult out;
  platform.SetBaseDir(folder);
  setup() = r.setup;
  ResetGameState();
  if (!OpenGameWindow(platform, GameStart{r.seed, r.firsthole})) {
    out.messages = platform.messages();
    return out;
  }
  out.opened = true;
  Digest digest;
  std::vector<std::string> names(kMaxHoles + 1);
  const auto note_hole = [&] {
    const GameState& g = gs();
    if (g.holenumber >= 1 && g.holenumber <= kMaxHoles) {
      names[static_cast<size_t>(g.holenumber)] = g.holename;
    }
  };
  note_hole();
  size_t event = 0, nextrate = 0;
  int rate = 60;
  const auto deliver = [&](int frame) {
    for (; event < r.events.size() && r.events[event].frame <= frame && GameWindowOpen(); ++event) {
      DispatchInput(r.events[event].ev);
    }
  };
  // Frames are counted as the window counts them: only ticks that ran.
  while (GameWindowOpen() && out.frames < r.frames) {
    const int f = out.frames + 1;
    deliver(f);
    // A timer left off by every event of this frame never ticks again.
    if (!GameWindowOpen() || !gamewin().timer.enabled) break;
    const std::string hole = gs().holename;
    const bool over = gs().gameover;
    rate = RateAt(r, f, nextrate, rate);
    gamewin().timer.rate = rate;
    TickGameWindow();
    ++out.frames;
    if (out.frames % kPixelEvery == 0 && platform.presented() > 0) {
      digest.Bytes(platform.frame().data(), platform.frame().size() * sizeof(uint16_t));
    }
    if (gs().holename != hole || gs().gameover != over) AddState(digest, gs());
    note_hole();
  }
  // Input after the last frame (leaving the game, closing the window).
  deliver(out.frames + 1);
  AddState(digest, gs());
  CollectHoles(out, names);
  out.standings = Standings();
  out.gameover = gs().gameover;
  out.digest = digest.Hex();
  out.messages = platform.messages();
  if (GameWindowOpen()) CloseGameWindow();
  return out;
}

}  // namespace gp
