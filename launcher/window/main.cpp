// galaputt: the game. Without options the launcher opens; --play starts the
// game window directly on a hole with the launcher's first-run choices;
// --resume goes on with the game left unfinished.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "app/game_loop.h"
#include "app/game_records.h"
#include "app/kept_game.h"
#include "app/replay.h"
#include "app/resume.h"
#include "base/user_files.h"
#include "game/setup.h"
#include "launcher/window/launcher_window.h"
#include "platform/sdl/sdl_platform.h"

namespace {

constexpr const char* kUsage =
    "usage: galaputt [--windowed] [--seed N]\n"
    "                [--play HOLE [--players N] [--training] [--computer N:SKILL]...]\n"
    "                [--course DIR] [--resume] [--record FILE] [--help] [--version]\n"
    "  --windowed     a window instead of the whole screen\n"
    "  --seed N       fixed random seed\n"
    "  --play HOLE    start the game on that hole (for example course1hole1),\n"
    "                 skipping the launcher\n"
    "  --players N    1 to 4 players (with --play)\n"
    "  --training     a training round: no stroke limit (with --play)\n"
    "  --computer N:SKILL  the computer plays player N, SKILL rookie, pro or ace\n"
    "                 (with --play or --course; once per computer player)\n"
    "  --course DIR   play the course in that folder (its first hole, or --play HOLE\n"
    "                 of it), skipping the launcher\n"
    "  --resume       go on with the game left unfinished, skipping the launcher\n"
    "  --record FILE  write a replay of the game (setup, seed, every input event)\n";

struct Options {
  bool windowed = false;
  std::optional<uint64_t> seed;
  std::string hole;
  int players = 1;
  bool training = false;
  bool resume = false;
  std::array<int, 4> computer{0, 0, 0, 0};  // per player: 0 a person, 1..3 the computer's skill
  bool anycomputer = false;
  std::string record;  // replay file; empty = none
  std::string course;  // course folder; empty = the SE Course
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
    } else if (a == "--resume") {
      o.resume = true;
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
    } else if (a == "--course" && has_value && argv[i + 1][0] != '\0') {
      std::error_code ec;
      o.course = std::filesystem::absolute(argv[++i], ec).string();
      if (!o.course.empty() && o.course.back() != '/') o.course += '/';
    } else if (a == "--play" && has_value && argv[i + 1][0] != '\0' && argv[i + 1][0] != '-') {
      o.hole = argv[++i];
    } else {
      std::fprintf(stderr, "galaputt: bad option %s\n%s", a.c_str(), kUsage);
      return 2;
    }
  }
  return -1;
}

// The player's records and the unfinished game, where the player's files live.
void UseThePlayersFiles() {
  const std::filesystem::path data = gp::DefaultUserFolder(gp::UserFolder::Data);
  const std::filesystem::path state = gp::DefaultUserFolder(gp::UserFolder::State);
  if (!data.empty()) gp::SetRecordsFile((data / "records.sqlite").string());
  if (!state.empty()) gp::SetKeptGameFile((state / "unfinished.replay").string());
}

// --resume: the kept game played forward, then on live in the window.
int Resume(const Options& o) {
  gp::Replay kept;
  std::string why;
  const std::string& file = gp::KeptGameFile();
  if (!gp::ReadKeptGame(file, kept, why)) {
    if (why.empty()) {
      std::fprintf(stderr, "galaputt: there is no unfinished game to resume\n");
    } else {
      std::fprintf(stderr, "galaputt: %s\n", gp::SetKeptGameAside(file, 0, why).c_str());
    }
    return 1;
  }
  gp::ReplayRecorder recorder;
  if (!o.record.empty()) {
    if (!recorder.Open(o.record, kept.seed, kept.firsthole, kept.setup)) {
      std::fprintf(stderr, "galaputt: cannot write %s\n", o.record.c_str());
      return 1;
    }
    gp::SetReplayRecorder(&recorder);
  }
  gp::SdlPlatform platform(o.windowed);
  const bool ran = gp::RunResumedGame(platform, kept, why);
  gp::SetReplayRecorder(nullptr);
  recorder.Close();
  if (!why.empty()) {
    platform.ShowMessage("Galaputt", gp::SetKeptGameAside(file, kept.hole, why));
    return 1;
  }
  return ran ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (const int code = ParseOptions(argc, argv, o); code >= 0) return code;
  UseThePlayersFiles();
  if (o.resume) {
    if (!o.hole.empty() || o.players != 1 || o.training || o.seed) {
      std::fprintf(stderr, "galaputt: --resume plays the kept game as it was set up\n%s", kUsage);
      return 2;
    }
    return Resume(o);
  }
  // The launcher's first-run choices, with the player count and round type given.
  gp::GameSetup s;
  s.numplayers = o.players;
  s.training = o.training;
  s.coursefolder = o.course;
  s.computer = o.computer;
  gp::setup() = s;
  if (o.hole.empty() && o.course.empty()) {
    if (o.players != 1 || o.training || o.anycomputer) {
      std::fprintf(stderr,
                   "galaputt: --players, --training and --computer go with --play or --course\n%s",
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
