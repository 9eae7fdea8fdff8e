#include "tools/lab/match.h"

#include <chrono>

#include "ai/computer_player.h"
#include "app/game_loop.h"
#include "app/game_records.h"
#include "app/game_window.h"
#include "app/replay.h"
#include "game/state.h"
#include "platform/headless/headless_platform.h"
#include "sim/progression.h"

namespace gp::lab {

namespace {

// Messages of the start-up other than a silent sound device.
std::string OpenError(const HeadlessPlatform& p) {
  for (const std::string& m : p.messages()) {
    if (m.find("cannot be made") == std::string::npos) return m;
  }
  return "";
}

void Collect(MatchResult& r, const std::vector<std::string>& names) {
  const GameState& g = gs();
  for (size_t h = 1; h < names.size(); ++h) {
    if (names[h].empty()) continue;
    MatchHole hole;
    hole.name = names[h];
    hole.par = g.holepar[static_cast<int>(h)];
    for (int p = 1; p <= g.numplayers; ++p)
      hole.strokes.push_back(g.players[p].holestrokes[static_cast<int>(h)]);
    r.holes.push_back(hole);
  }
  for (int p = 1; p <= g.numplayers; ++p) r.totals.push_back(g.players[p].total);
  r.winner = FirstNamedPlayer();
  r.gameover = g.gameover;
}

}  // namespace

int SkillNumber(const std::string& name) {
  if (name == "rookie") return kRookie;
  if (name == "pro") return kPro;
  if (name == "ace") return kAce;
  return 0;
}

MatchResult PlayMatch(const MatchOptions& o, const std::string& folder) {
  const auto start = std::chrono::steady_clock::now();
  MatchResult r;
  GameSetup s = o.setup;
  s.numplayers = static_cast<int>(o.skills.size());
  for (size_t i = 0; i < s.computer.size(); ++i) {
    s.computer[i] = i < o.skills.size() ? o.skills[i] : kPerson;
  }
  ReplayRecorder recorder;
  if (!o.record.empty()) {
    if (!recorder.Open(o.record, o.seed, "", s)) {
      r.error = "cannot write " + o.record;
      return r;
    }
    SetReplayRecorder(&recorder);
  }
  HeadlessPlatform platform;
  platform.SetBaseDir(folder);
  setup() = s;
  ResetGameState();
  SetRecordsFile(o.records);
  if (!OpenGameWindow(platform, GameStart{o.seed, ""})) {
    SetReplayRecorder(nullptr);
    SetRecordsFile("");
    r.error = OpenError(platform).empty() ? "the game window did not open" : OpenError(platform);
    return r;
  }
  ai::ComputerPlayers computers;
  computers.Start(o.seed);
  std::vector<std::string> names(kMaxHoles + 1);
  const int last = gs().holenumber + o.holes;  // the hole number after the last one played
  while (GameWindowOpen() && !gs().gameover && gs().holenumber < last && r.frames < o.maxframes) {
    if (gs().holenumber >= 1 && gs().holenumber <= kMaxHoles) {
      names[static_cast<size_t>(gs().holenumber)] = gs().holename;
    }
    for (const InputEvent& ev : computers.BeforeFrame()) {
      if (GameWindowOpen()) DispatchInput(ev);
    }
    if (!GameWindowOpen()) break;
    if (o.watch) o.watch->Before();
    TickGameWindow(false);
    ++r.frames;
    if (o.watch && !o.watch->After()) break;
  }
  if (GameWindowOpen()) {
    Collect(r, names);
    CloseGameWindow();
  } else {
    r.error = "the game window closed";
  }
  SetReplayRecorder(nullptr);
  SetRecordsFile("");
  recorder.Close();
  r.simframes = computers.simframes();
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return r;
}

}  // namespace gp::lab
