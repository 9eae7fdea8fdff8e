// galaputt: the game. Without options the launcher opens; --play starts the
// game window directly on a hole with the launcher's first-run choices.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>

#include "app/game_loop.h"
#include "app/replay.h"
#include "game/setup.h"
#include "launcher/window/launcher_window.h"
#include "platform/sdl/sdl_platform.h"

namespace {

constexpr const char* kUsage =
    "usage: galaputt [--windowed] [--seed N]\n"
    "                [--play HOLE [--players N] [--training] [--computer N:SKILL]...]\n"
    "                [--record FILE] [--help] [--version]\n"
    "  --windowed     a window instead of the whole screen\n"
    "  --seed N       fixed random seed\n"
    "  --play HOLE    start the game on that hole (for example course1hole1),\n"
    "                 skipping the launcher\n"
    "  --players N    1 to 4 players (with --play)\n"
    "  --training     a training round: no stroke limit (with --play)\n"
    "  --computer N:SKILL  the computer plays player N, SKILL rookie, pro or ace\n"
    "                 (with --play; once per computer player)\n"
    "  --record FILE  write a replay of the game (setup, seed, every input event)\n";

struct Options {
  bool windowed = false;
  std::optional<uint64_t> seed;
  std::string hole;
  int players = 1;
  bool training = false;
  std::array<int, 4> computer{0, 0, 0, 0};  // per player: 0 a person, 1..3 the computer's skill
  bool anycomputer = false;
  std::string record;  // replay file; empty = none
};

bool ParseNumber(const char* text, long lo, long hi, long& out) {
  char* end = nullptr;
  out = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && out >= lo && out <= hi;
}

// "N:SKILL": player N (1 to 4) played by the computer as rookie, pro or ace.
bool ParseComputer(const std::string& text, Options& o) {
  static const char* const kSkills[] = {"rookie", "pro", "ace"};
  const size_t colon = text.find(':');
  long n = 0;
  if (colon == std::string::npos || !ParseNumber(text.substr(0, colon).c_str(), 1, 4, n)) {
    return false;
  }
  for (int k = 0; k < 3; ++k) {
    if (text.substr(colon + 1) == kSkills[k]) {
      o.computer[static_cast<size_t>(n - 1)] = k + 1;
      o.anycomputer = true;
      return true;
    }
  }
  return false;
}

// Returns an exit code when the program should end at once, -1 to run.
int ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool has_value = i + 1 < argc;
    long n = 0;
    if (a == "--version") {
      std::printf("galaputt 0.1.0\n");
      return 0;
    } else if (a == "--help") {
      std::printf("%s", kUsage);
      return 0;
    } else if (a == "--windowed") {
      o.windowed = true;
    } else if (a == "--training") {
      o.training = true;
    } else if (a == "--seed" && has_value && ParseNumber(argv[i + 1], 0, 0x7fffffffL, n)) {
      o.seed = static_cast<uint64_t>(n);
      ++i;
    } else if (a == "--players" && has_value && ParseNumber(argv[i + 1], 1, 4, n)) {
      o.players = static_cast<int>(n);
      ++i;
    } else if (a == "--computer" && has_value && ParseComputer(argv[i + 1], o)) {
      ++i;
    } else if (a == "--record" && has_value && argv[i + 1][0] != '\0') {
      o.record = argv[++i];
    } else if (a == "--play" && has_value && argv[i + 1][0] != '\0' && argv[i + 1][0] != '-') {
      o.hole = argv[++i];
    } else {
      std::fprintf(stderr, "galaputt: bad option %s\n%s", a.c_str(), kUsage);
      return 2;
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (const int code = ParseOptions(argc, argv, o); code >= 0) return code;
  // The launcher's first-run choices, with the player count and round type given.
  gp::GameSetup s;
  s.numplayers = o.players;
  s.training = o.training;
  s.computer = o.computer;
  gp::setup() = s;
  if (o.hole.empty()) {
    if (o.players != 1 || o.training || o.anycomputer) {
      std::fprintf(stderr, "galaputt: --players, --training and --computer go with --play\n%s",
                   kUsage);
      return 2;
    }
    return gp::RunLauncher(gp::ProgramOptions{o.windowed, o.seed, o.record});
  }
  gp::ReplayRecorder recorder;
  if (!o.record.empty()) {
    // A replay needs the seed, so one is chosen here when none is given.
    if (!o.seed) o.seed = static_cast<uint64_t>(std::time(nullptr)) & 0x7fffffff;
    if (!recorder.Open(o.record, *o.seed, o.hole, s)) {
      std::fprintf(stderr, "galaputt: cannot write %s\n", o.record.c_str());
      return 1;
    }
    gp::SetReplayRecorder(&recorder);
  }
  gp::SdlPlatform platform(o.windowed);
  const bool ran = gp::RunGameWindow(platform, gp::GameStart{o.seed, o.hole});
  gp::SetReplayRecorder(nullptr);
  recorder.Close();
  return ran ? 0 : 1;
}
