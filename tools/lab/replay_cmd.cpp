// replay FILE: plays a recorded game headless from the program folder and
// prints what came of it, with a digest that changes whenever anything of the
// game (state or pixels) does.
#include <string>

#include "platform/headless/headless_platform.h"
#include "app/replay_run.h"
#include "app/replay.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"

namespace gp::lab {

namespace {

void PrintResult(const ReplayResult& r) {
  Json j;
  j.BeginObject();
  j.Key("frames").Int(r.frames);
  j.Key("holes").BeginArray();
  for (const ReplayHole& h : r.holes) {
    j.BeginObject().Field("number", h.number).Field("name", h.name);
    j.Key("strokes").BeginArray();
    for (int s : h.strokes) j.Int(s);
    j.EndArray().EndObject();
  }
  j.EndArray();
  j.Key("standings").String(r.standings);
  j.Key("gameover").Bool(r.gameover);
  j.Key("digest").String(r.digest);
  j.Key("messages").BeginArray();
  for (const std::string& m : r.messages) j.String(m);
  j.EndArray();
  j.EndObject().Print();
}

int RunReplay(const Args& args) {
  if (args.empty()) return Fail("replay: missing FILE");
  Replay replay;
  std::string error;
  if (!ReadReplay(args[0], replay, error)) return Fail(error);
  HeadlessPlatform platform;
  const ReplayResult r = RunReplay(replay, platform, ProgramFolder());
  if (!r.opened) return Fail("the game window did not open");
  PrintResult(r);
  return 0;
}

const Registrar kReplay({"replay", "FILE", RunReplay});

}  // namespace

}  // namespace gp::lab
