// soak: the bot plays many holes headless, every hole of the program folder in
// turn, with random players, putting methods and rules, and the soak's rules are
// checked after every frame (tools/lab/soak_check.h). A game that breaks one
// keeps its replay in the output folder; the others leave nothing behind.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "app/game_loop.h"
#include "app/game_window.h"
#include "app/replay.h"
#include "app/replay_run.h"
#include "game/setup.h"
#include "game/state.h"
#include "game/state_digest.h"
#include "platform/headless/headless_platform.h"
#include "tools/lab/autoplay.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"
#include "tools/lab/soak_check.h"

namespace gp::lab {

namespace {

namespace fs = std::filesystem;

// Replays kept for failing games, at most; the run goes on past them.
constexpr int kMaxKeptReplays = 20;

struct SoakOptions {
  int holes = 100;
  uint64_t seed = 1;
  int drawevery = 10;  // every Nth game is drawn; 0 = none
  std::string out = ".";
  SoakLimits limits;
};

struct SoakTotals {
  int holes = 0, games = 0, frames = 0, strokes = 0, abandoned = 0, kept = 0;
  bool stopped = false;  // a game's replay could not be written: the soak ends
  std::vector<std::string> violations;
};

// The hole names of the program folder (the stems of its *.hole files), sorted.
std::vector<std::string> Holes() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(ProgramFolder(), ec)) {
    if (e.path().extension() == ".hole") names.push_back(e.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class Dice {
 public:
  explicit Dice(uint64_t seed) : rng_(seed) {}
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int one_in) { return Pick(1, one_in) == 1; }
  uint64_t Seed() { return rng_() & 0x7fffffff; }

 private:
  std::mt19937_64 rng_;
};

// A random game: players, their putting methods, display mode and rules.
GameSetup RandomSetup(Dice& d) {
  static constexpr int kModes[][2] = {{640, 480}, {800, 600}, {1024, 768}};
  GameSetup s;
  const auto& mode = kModes[d.Chance(3) ? d.Pick(1, 2) : 0];
  s.displaywidth = mode[0];
  s.displayheight = mode[1];
  s.numplayers = d.Pick(1, 4);
  for (bool& pull : s.pull) pull = !d.Chance(3);
  s.startplayer = d.Pick(0, 2);
  s.nextplayer = d.Pick(0, 1);
  s.whencollide = d.Pick(0, 1);
  s.scoring = d.Pick(0, 1);
  s.plus1 = d.Chance(2);
  s.minus1 = d.Chance(2);
  s.training = d.Chance(8);
  s.strokelimit = std::to_string(d.Pick(6, 9));
  s.soundon = !d.Chance(4);
  s.bgsoundon = !d.Chance(4);
  return s;
}

// Whether playing the replay back ends in the same game state as the soak did.
bool Reproduces(const fs::path& file, uint64_t digest) {
  Replay r;
  std::string error;
  if (!ReadReplay(file.string(), r, error)) return false;
  HeadlessPlatform platform;
  RunReplay(r, platform, ProgramFolder());
  return StateDigest(gs()) == digest;
}

// Plays one game of `holes` holes from `first` and adds it to the totals.
void PlayGame(const SoakOptions& so, Dice& d, const std::string& first, int holes, bool draw,
              SoakTotals& t) {
  const GameSetup s = RandomSetup(d);
  const uint64_t seed = d.Seed(), botseed = d.Seed();
  const fs::path replay = fs::path(so.out) / ("soak-" + std::to_string(t.games) + ".replay");
  ReplayRecorder recorder;
  if (!recorder.Open(replay.string(), seed, first, s)) {
    t.violations.push_back("cannot write " + replay.string());
    t.stopped = true;
    return;
  }
  HeadlessPlatform platform;
  platform.SetBaseDir(ProgramFolder());
  ResetGameState();
  setup() = s;
  SetReplayRecorder(&recorder);
  SoakLimits limits = so.limits;
  limits.holes = holes;
  SoakCheck check(limits);
  std::vector<std::string> found;
  if (OpenGameWindow(platform, GameStart{seed, first})) {
    AutoplayOptions o;
    o.seed = botseed;
    o.keys = d.Chance(2);
    o.panel = d.Chance(2);
    o.wild = 3;
    o.draw = draw;
    o.rate = d.Chance(3) ? (d.Chance(2) ? 30 : 15) : 60;  // 2 or 4 physics steps a frame
    o.watch = &check;
    o.maxframes = holes * 200000;
    Autoplay(o);
    found = check.violations();
    const bool finished = check.holesdone() >= holes || gs().gameover || check.abandoned();
    if (found.empty() && !finished) {
      found.push_back(first + ": the game ended after " + std::to_string(check.holesdone()) +
                      " of " + std::to_string(holes) + " holes, frame " +
                      std::to_string(check.frames()));
    }
  } else {
    found.push_back(first + ": the game window did not open");
  }
  for (const std::string& m : platform.messages()) found.push_back(first + ": message box: " + m);
  if (GameWindowOpen()) CloseGameWindow();
  SetReplayRecorder(nullptr);
  recorder.Close();
  const uint64_t digest = StateDigest(gs());

  ++t.games;
  // A hole cut short by a fault or by the training cap counts as played.
  const bool cut = check.abandoned() || !found.empty();
  t.holes += check.holesdone() + (cut && check.holesdone() < holes ? 1 : 0);
  t.abandoned += check.abandoned() ? 1 : 0;
  t.frames += check.frames();
  t.strokes += check.strokes();
  std::error_code ec;
  if (found.empty()) {
    fs::remove(replay, ec);
    return;
  }
  if (t.kept < kMaxKeptReplays) {
    ++t.kept;
    const fs::path kept = fs::path(so.out) / ("soak-fail-" + std::to_string(t.games) + ".replay");
    fs::rename(replay, kept, ec);
    const char* again = Reproduces(kept, digest) ? "" : ", which does not reproduce it";
    for (std::string& v : found) v += " [replay " + kept.string() + again + "]";
  } else {
    fs::remove(replay, ec);
  }
  t.violations.insert(t.violations.end(), found.begin(), found.end());
}

std::string ParseSoakOptions(const Args& args, SoakOptions& so) {
  int32_t seed = 1;
  for (const auto& [name, value, lo] :
       {std::tuple{"--holes", &so.holes, 1}, std::tuple{"--seed", &seed, 0},
        std::tuple{"--draw-every", &so.drawevery, 0},
        std::tuple{"--turn-frames", &so.limits.turnframes, 100}}) {
    const std::string* v = Option(args, name);
    if (v && (!ParseInt(*v, *value) || *value < lo)) return std::string("bad ") + name;
  }
  so.seed = static_cast<uint64_t>(seed);
  if (const std::string* out = Option(args, "--out")) so.out = *out;
  std::error_code ec;
  fs::create_directories(so.out, ec);
  if (!fs::is_directory(so.out, ec)) return "cannot make the folder " + so.out;
  return "";
}

// One line on standard error for a frame in which the player to play, a
// ball's strokes or a ball's state changed (--trace with --check).
void TraceFrame(int frame) {
  struct Seen {
    int32_t strokes = -1, curplayer = -1, puttstage = -1;
    bool moving = false, inhole = false, oncourse = false;
  };
  static Seen seen[kMaxPlayers + 1];
  const GameState& g = gs();
  bool changed = false;
  for (int p = 1; p <= g.numplayers; ++p) {
    const Ball& b = g.players[p];
    Seen& s = seen[p];
    if (s.strokes != b.strokes || s.curplayer != g.curplayer || s.moving != b.moving ||
        s.inhole != b.inhole || s.oncourse != b.oncourse || s.puttstage != g.puttstage) {
      changed = true;
    }
    s = Seen{b.strokes, g.curplayer, g.puttstage, b.moving, b.inhole, b.oncourse};
  }
  if (!changed) return;
  std::fprintf(stderr, "frame %d hole %s state %d player %d to play, putt stage %d:", frame,
               g.holename.c_str(), g.gamestate, g.curplayer, g.puttstage);
  for (int p = 1; p <= g.numplayers; ++p) {
    const Ball& b = g.players[p];
    std::fprintf(stderr, " [%d: %d strokes%s%s%s (%.0f,%.0f) z %.1f v %.2f area %d]", p, b.strokes,
                 b.moving ? " moving" : "", b.inhole ? " inhole" : "",
                 b.oncourse ? "" : " off", b.x, b.y, b.z, b.speed, b.holearea);
  }
  std::fprintf(stderr, "\n");
}

// --check FILE: a recorded game played back with the soak's rules checked
// after every frame (how a kept replay shows its fault again).
int CheckReplay(const std::string& file, const SoakOptions& so, bool trace) {
  Replay r;
  std::string error;
  if (!ReadReplay(file, r, error)) return Fail(error);
  HeadlessPlatform platform;
  platform.SetBaseDir(ProgramFolder());
  setup() = r.setup;
  ResetGameState();
  if (!OpenGameWindow(platform, GameStart{r.seed, r.firsthole})) {
    return Fail("the game window did not open");
  }
  SoakLimits limits = so.limits;
  limits.holes = kMaxHoles;
  SoakCheck check(limits);
  size_t event = 0, nextrate = 0;
  int rate = 60;
  for (int f = 1; f <= r.frames && GameWindowOpen(); ++f) {
    for (; event < r.events.size() && r.events[event].frame <= f && GameWindowOpen(); ++event) {
      DispatchInput(r.events[event].ev);
    }
    if (!GameWindowOpen() || !gamewin().timer.enabled) break;
    for (; nextrate < r.rates.size() && r.rates[nextrate].frame <= f; ++nextrate) {
      rate = r.rates[nextrate].rate;
    }
    gamewin().timer.rate = rate;
    check.Before();
    TickGameWindow(false);
    if (trace) TraceFrame(f);
    if (!check.After()) break;
  }
  if (GameWindowOpen()) CloseGameWindow();
  Json j;
  j.BeginObject().Field("holes", check.holesdone()).Field("frames", check.frames());
  j.Key("violations").BeginArray();
  for (const std::string& v : check.violations()) j.String(v);
  j.EndArray().EndObject().Print();
  return check.violations().empty() ? 0 : 1;
}

int RunSoak(const Args& args) {
  SoakOptions so;
  if (const std::string e = ParseSoakOptions(args, so); !e.empty()) return Fail(e);
  if (const std::string* file = Option(args, "--check")) {
    return CheckReplay(*file, so, HasFlag(args, "--trace"));
  }
  const std::vector<std::string> holes = Holes();
  if (holes.empty()) return Fail("no hole files in " + ProgramFolder());
  const auto start = std::chrono::steady_clock::now();
  Dice d(so.seed);
  SoakTotals t;
  while (t.holes < so.holes && !t.stopped) {
    const std::string& first = holes[static_cast<size_t>(t.games) % holes.size()];
    // Mostly single holes; now and then a run of holes into the next ones.
    const int left = so.holes - t.holes;
    const int count = std::min(left, d.Chance(3) ? d.Pick(2, 6) : 1);
    const bool draw = so.drawevery > 0 && t.games % so.drawevery == 0;
    PlayGame(so, d, first, count, draw, t);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  Json j;
  j.BeginObject().Field("holes", t.holes).Field("frames", t.frames);
  j.Key("violations").BeginArray();
  for (const std::string& v : t.violations) j.String(v);
  j.EndArray();
  j.Field("seconds", static_cast<int>(std::lround(seconds))).Field("games", t.games);
  j.Field("strokes", t.strokes).Field("abandoned", t.abandoned);
  j.EndObject().Print();
  return t.violations.empty() ? 0 : 1;
}

const Registrar kSoak({"soak",
                       "--holes N [--seed S] [--out DIR] [--draw-every N] [--turn-frames N] | "
                       "--check FILE.replay [--trace]",
                       RunSoak});

}  // namespace

}  // namespace gp::lab
