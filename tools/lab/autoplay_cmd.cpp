// autoplay: the game played by a bot through input events, recorded as a replay.
// --records FILE records the game into that records file; --unfinished FILE
// keeps the game there after every stroke, as the game window does.
#include <cstdio>
#include <sstream>
#include <string>

#include "app/game_loop.h"
#include "app/game_records.h"
#include "app/game_window.h"
#include "app/kept_game.h"
#include "app/replay.h"
#include "game/setup.h"
#include "game/state.h"
#include "platform/headless/headless_platform.h"
#include "tools/lab/autoplay.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"
#include "tools/lab/rules_options.h"

namespace gp::lab {

namespace {

std::string ParseSetup(const Args& args, GameSetup& s, std::string& hole) {
  if (const std::string* h = Option(args, "--hole")) hole = *h;
  int32_t n = 0;
  if (const std::string* p = Option(args, "--players")) {
    if (!ParseInt(*p, n) || n < 1 || n > 4) return "--players must be 1 to 4";
    s.numplayers = n;
  }
  if (const std::string* sz = Option(args, "--size")) {
    if (std::sscanf(sz->c_str(), "%dx%d", &s.displaywidth, &s.displayheight) != 2) {
      return "bad --size, expected WxH";
    }
  }
  if (const std::string* skin = Option(args, "--skin")) s.skin = *skin;
  // --names A,B,...: the players' names; --computer N,N,...: who plays each
  // as the records see it (0 a person, 1 Rookie, 2 Pro, 3 Ace; the bot plays).
  if (const std::string* names = Option(args, "--names")) {
    std::istringstream in(*names);
    std::string name;
    for (size_t i = 0; i < 4 && std::getline(in, name, ','); ++i) s.playername[i] = name;
  }
  if (const std::string* who = Option(args, "--computer")) {
    std::istringstream in(*who);
    std::string one;
    for (size_t i = 0; i < 4 && std::getline(in, one, ','); ++i) {
      if (!ParseInt(one, n) || n < kPerson || n > kAce) return "--computer takes 0 to 3 per player";
      s.computer[i] = n;
    }
  }
  if (HasFlag(args, "--push")) s.pull = {false, false, false, false};
  return ParseRules(args, s);
}

int RunAutoplay(const Args& args) {
  const std::string* out = Option(args, "--out");
  if (!out) return Fail("autoplay needs --out FILE");
  GameSetup s;
  std::string hole;
  if (const std::string e = ParseSetup(args, s, hole); !e.empty()) return Fail(e);
  int32_t seed = 1, botseed = 1, holes = 0, strokes = 0, maxframes = 400000;
  for (const auto& [name, value] :
       {std::pair{"--seed", &seed}, std::pair{"--botseed", &botseed}, std::pair{"--holes", &holes},
        std::pair{"--strokes", &strokes}, std::pair{"--max-frames", &maxframes}}) {
    const std::string* v = Option(args, name);
    if (v && (!ParseInt(*v, *value) || *value < 0)) return Fail(std::string("bad ") + name);
  }
  ReplayRecorder recorder;
  if (!recorder.Open(*out, static_cast<uint64_t>(seed), hole, s))
    return Fail("cannot write " + *out);
  // The records file and the kept unfinished game, as the game window keeps them.
  const std::string* records = Option(args, "--records");
  const std::string* unfinished = Option(args, "--unfinished");
  SetRecordsFile(records ? *records : "");
  SetKeptGameFile(unfinished ? *unfinished : "");
  HeadlessPlatform platform;
  platform.SetBaseDir(ProgramFolder());
  setup() = s;
  ResetGameState();
  SetReplayRecorder(&recorder);
  if (!OpenGameWindow(platform, GameStart{static_cast<uint64_t>(seed), hole})) {
    SetReplayRecorder(nullptr);
    return Fail("the game window did not open");
  }
  AutoplayOptions o;
  o.seed = static_cast<uint64_t>(botseed);
  o.keys = HasFlag(args, "--keys");
  o.panel = HasFlag(args, "--panel");
  o.holes = holes;
  o.strokes = strokes;
  o.maxframes = maxframes;
  const int frames = Autoplay(o);
  const bool over = gs().gameover;
  if (GameWindowOpen()) CloseGameWindow();
  SetReplayRecorder(nullptr);
  recorder.Close();
  SetRecordsFile("");
  SetKeptGameFile("");
  Json j;
  j.BeginObject().Field("out", *out).Field("frames", frames).Field("gameover", over);
  j.EndObject().Print();
  return 0;
}

const Registrar kAutoplay(
    {"autoplay",
     "--out FILE [--hole NAME] [--players N] [--seed S] [--botseed S] [--holes N] [--strokes N] "
     "[--push] "
     "[--keys] [--panel] [--skin NAME] [--size WxH] [--max-frames N] [--records FILE] "
     "[--unfinished FILE] [--names A,B,...] [--computer N,N,...] [rules]",
     RunAutoplay});

}  // namespace

}  // namespace gp::lab
