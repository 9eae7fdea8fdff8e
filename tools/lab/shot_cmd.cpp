// galaputt-lab shot: one ball struck on a hole, run through whole headless frames
// until it rests; prints the ball's final state and what was heard and shown.
#include <cstdio>
#include <string>
#include <vector>

#include "app/game_window.h"
#include "app/headless_run.h"
#include "base/frame_timer.h"
#include "base/random.h"
#include "game/hole_file.h"
#include "game/setup.h"
#include "game/sound.h"
#include "game/state.h"
#include "platform/headless/headless_platform.h"
#include "sim/motion.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"
#include "tools/lab/rules_options.h"

namespace gp::lab {

namespace {

struct ShotOptions {
  std::string hole;
  double x = 0, y = 0, speed = 0, z = 0, vz = 0;
  int32_t angle = 0, timescale = 1, maxframes = 5000, seed = 0;
  bool airborne = false, trace = false;
  std::vector<std::pair<double, double>> others;  // balls at rest for players 2..4
  GameSetup rules;
};

bool ParsePoint(const std::string& text, double& x, double& y) {
  const size_t comma = text.find(',');
  return comma != std::string::npos && ParseDouble(text.substr(0, comma), x) &&
         ParseDouble(text.substr(comma + 1), y);
}

int64_t g_steps = 0;
bool g_trace = false;

void BallFields(Json& j, const Ball& b) {
  j.Field("x", b.x).Field("y", b.y).Field("z", b.z).Field("vz", b.vz);
  j.Field("angle", b.angle).Field("speed", b.speed).Field("airborne", b.airborne);
  j.Field("moving", b.moving).Field("inhole", b.inhole).Field("sinking", b.sinking);
  j.Field("falloff", b.falloff).Field("inpipe", b.inpipe).Field("strokes", b.strokes);
  j.Field("lastarea", b.lastarea);
}

void OnStep(int p) {
  ++g_steps;
  if (!g_trace || p != 1) return;
  Json j;
  j.BeginObject().Field("step", g_steps);
  BallFields(j, gs().players[1]);
  j.EndObject().Print();
}

// Reads the options; returns an error text, empty when all is well.
std::string ParseShot(const Args& args, ShotOptions& o) {
  const std::string* hole = Option(args, "--hole");
  const std::string* ball = Option(args, "--ball");
  const std::string* angle = Option(args, "--angle");
  const std::string* speed = Option(args, "--speed");
  if (!hole || !ball || !angle || !speed) return "--hole, --ball, --angle and --speed are required";
  o.hole = *hole;
  if (!ParsePoint(*ball, o.x, o.y)) return "--ball must be X,Y";
  for (size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] != "--other") continue;
    double x = 0, y = 0;
    if (!ParsePoint(args[i + 1], x, y)) return "--other must be X,Y";
    if (o.others.size() == kMaxPlayers - 1) return "at most three --other balls";
    o.others.emplace_back(x, y);
  }
  if (const std::string err = ParseRules(args, o.rules); !err.empty()) return err;
  if (!ParseInt(*angle, o.angle)) return "--angle must be an integer";
  if (!ParseDouble(*speed, o.speed) || o.speed < 0) return "--speed must be a number >= 0";
  if (const std::string* v = Option(args, "--z")) {
    if (!ParseDouble(*v, o.z)) return "--z must be a number";
    o.airborne = true;
  }
  if (const std::string* v = Option(args, "--vz")) {
    if (!ParseDouble(*v, o.vz)) return "--vz must be a number";
    o.airborne = true;
  }
  const std::string* v = Option(args, "--timescale");
  if (v &&
      (!ParseInt(*v, o.timescale) || (o.timescale != 1 && o.timescale != 2 && o.timescale != 4))) {
    return "--timescale must be 1, 2 or 4";
  }
  v = Option(args, "--max-frames");
  if (v && (!ParseInt(*v, o.maxframes) || o.maxframes < 0)) return "--max-frames must be >= 0";
  v = Option(args, "--seed");
  if (v && !ParseInt(*v, o.seed)) return "--seed must be an integer";
  o.trace = HasFlag(args, "--trace");
  return "";
}

// The hole's name from its file: the file name without folder and ".hole".
std::string HoleName(const std::string& path) {
  std::string name = path.substr(path.find_last_of('/') + 1);
  const std::string ext = ".hole";
  if (name.size() > ext.size() && name.compare(name.size() - ext.size(), ext.size(), ext) == 0) {
    name.resize(name.size() - ext.size());
  }
  return name;
}

void PlaceBall(const ShotOptions& o) {
  GameState& g = gs();
  Ball& b = g.players[1];
  b.x = b.checkx = b.backx = o.x;
  b.y = b.checky = b.backy = o.y;
  b.angle = o.angle;
  b.speed = o.speed;
  b.z = o.z;
  b.vz = o.vz;
  b.airborne = o.airborne;
  b.oncourse = true;
  b.moving = true;
  b.lastarea = -1;
  g.curplayer = 1;
  g.ballsmoving = true;
  g.gamestate = kPlay;
  for (size_t i = 0; i < o.others.size(); ++i) {
    Ball& other = g.players[static_cast<int>(i) + 2];
    other.x = other.checkx = other.backx = o.others[i].first;
    other.y = other.checky = other.backy = o.others[i].second;
    other.oncourse = true;
    other.lastarea = -1;
  }
}

bool AnyBallMoving() {
  const GameState& g = gs();
  for (int p = 1; p <= g.numplayers; ++p) {
    if (g.players[p].moving) return true;
  }
  return false;
}

void PrintShot(int frames, const std::vector<int>& sounds, const std::vector<int>& bgsounds,
               const std::vector<std::string>& messages,
               const std::vector<std::string>& bigmessages) {
  const GameState& g = gs();
  Json j;
  j.BeginObject().Field("frames", frames).Field("steps", g_steps).Key("final").BeginObject();
  BallFields(j, g.players[1]);
  j.EndObject().Key("balls").BeginArray();
  for (int p = 1; p <= g.numplayers; ++p) {
    j.BeginObject();
    BallFields(j, g.players[p]);
    j.EndObject();
  }
  j.EndArray().Key("sounds").BeginArray();
  for (int s : sounds) j.Int(s);
  j.EndArray().Key("bgsounds").BeginArray();
  for (int s : bgsounds) j.Int(s);
  j.EndArray().Key("messages").BeginArray();
  for (const std::string& m : messages) j.String(m);
  j.EndArray().Key("bigmessages").BeginArray();
  for (const std::string& m : bigmessages) j.String(m);
  j.EndArray().Key("areas").BeginArray();
  for (int i = 1; i <= kMaxAreas; ++i) {
    const Area& a = g.areas[i];
    j.BeginObject().Field("index", i).Field("kind", a.kind).Field("enabled", a.enabled).EndObject();
  }
  j.EndArray().EndObject().Print();
}

// Milliseconds per frame that make the measured rate give the wanted timescale.
uint32_t FrameMs(int timescale, int frame) {
  if (timescale == 4) return 66;
  if (timescale == 2) return 33;
  return FrameStep(60, frame);
}

int RunShot(const Args& args) {
  ShotOptions o;
  if (const std::string err = ParseShot(args, o); !err.empty()) return Fail("shot: " + err);

  ResetGameState();
  setup() = o.rules;
  Randomize(static_cast<uint64_t>(static_cast<uint32_t>(o.seed)));
  GameState& g = gs();
  g.numplayers = 1 + static_cast<int>(o.others.size());
  g.holename = HoleName(o.hole);
  LoadHoleFile(o.hole);
  PlaceBall(o);
  g.timescale = o.timescale;

  HeadlessPlatform platform;
  GameWindow& w = gamewin();
  w.platform = &platform;
  w.display.Start(&platform, 640, 480, false);
  w.timer = FrameTimer{};
  w.timer.enabled = true;
  w.timer.rate = o.timescale == 4 ? 15 : o.timescale == 2 ? 30 : 60;

  std::vector<int> sounds, bgsounds;
  SetSoundObserver([&sounds, &bgsounds](const SoundRequest& r) {
    if (r.op != SoundOp::Play) return;
    (r.list == SoundList::Effects ? sounds : bgsounds).push_back(r.index);
  });
  std::vector<std::string> messages, bigmessages;
  g_steps = 0;
  g_trace = o.trace;
  SetStepObserver(OnStep);

  int frames = 0;
  std::string message = g.message, bigmessage = g.bigmessage;
  for (int tries = 0; frames < o.maxframes && AnyBallMoving() && tries < 4 * o.maxframes; ++tries) {
    if (!TickAfter(platform, FrameMs(o.timescale, frames + 1))) continue;
    ++frames;
    if (g.message != message && !g.message.empty()) {
      messages.push_back(g.message.substr(g.message.find_first_not_of(' ') == std::string::npos
                                              ? g.message.size()
                                              : g.message.find_first_not_of(' ')));
    }
    if (g.bigmessage != bigmessage && !g.bigmessage.empty()) bigmessages.push_back(g.bigmessage);
    message = g.message;
    bigmessage = g.bigmessage;
  }
  SetStepObserver(nullptr);
  SetSoundObserver(nullptr);
  w.display.Finalize();
  w.platform = nullptr;  // the headless platform ends with this command

  PrintShot(frames, sounds, bgsounds, messages, bigmessages);
  return 0;
}

const Registrar kShot({"shot",
                       "--hole FILE --ball X,Y --angle A --speed S [--other X,Y]... [--z Z] "
                       "[--vz VZ] [--timescale T] [--max-frames N] [--seed S] [--trace] [rules]",
                       RunShot});

}  // namespace

}  // namespace gp::lab
