// render: runs the real game window headless from the program folder, with an
// optional script of timed input events, and writes the screen as PNG. With
// --course DIR the game is of that course (its first hole, or --hole NAME of it).
//
// Script: one event per line, "FRAME EVENT ARGS"; the event is delivered just
// before frame FRAME (1-based) is ticked. '#' starts a comment.
//   move X Y        pointer to display pixel (X, Y)
//   down left|right button pressed at the pointer
//   up left|right   button released at the pointer
//   dblclick        left double click at the pointer
//   key CODE        key pressed (game key code: 13 ENTER, 27 ESC, 112 F1, ...)
//   keyup CODE      key released
//   quit            the window is closed
//
// --records FILE: the game keeps its records there (the records page, F2,
// shows that file's).
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_loop.h"
#include "app/game_records.h"
#include "app/game_window.h"
#include "app/replay.h"
#include "game/setup.h"
#include "game/state.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/png_writer.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"
#include "tools/lab/rules_options.h"

namespace gp::lab {

namespace {

bool ReadScript(const std::string& path, std::vector<ReplayEvent>& events, std::string& error) {
  std::ifstream f(path);
  if (!f) {
    error = "cannot open script " + path;
    return false;
  }
  std::string line;
  int px = 0, py = 0, number = 0;
  while (std::getline(f, line)) {
    ++number;
    const size_t start = line.find_first_not_of(" \t\r");
    if (start == std::string::npos || line[start] == '#') continue;
    ReplayEvent se;
    if (!ParseEventLine(line, px, py, se)) {
      error = path + ":" + std::to_string(number) + ": bad script line";
      return false;
    }
    events.push_back(se);
  }
  return true;
}

// An option's count, 0 to 1 000 000; an absent option keeps v.
bool ParseCount(const std::string* s, int& v) {
  if (!s) return true;
  int32_t n = 0;
  if (!ParseInt(*s, n) || n < 0 || n > 1000000) return false;
  v = n;
  return true;
}

bool ParseSize(const std::string* s, int& w, int& h) {
  if (!s) return true;
  return std::sscanf(s->c_str(), "%dx%d", &w, &h) == 2;
}

// Ticks frame `frame` after delivering its scripted events; false when no
// frame could run (the timer is off or the window closed).
bool RunScriptedFrame(HeadlessPlatform& p, const std::vector<ReplayEvent>& script, int frame) {
  for (const ReplayEvent& se : script) {
    if (se.frame == frame) p.Push(se.ev);
  }
  const int before = p.presented();
  // A frame at most every 17 ms of the virtual clock; give up when the timer is off.
  for (int ms = 0; ms < 1000 && p.presented() == before && GameWindowOpen(); ++ms) {
    p.Advance(1);
    PumpGameWindow(p);
    if (!gamewin().timer.enabled) break;
  }
  return p.presented() != before;
}

int Render(const Args& args) {
  const std::string* hole = Option(args, "--hole");
  const std::string* course = Option(args, "--course");
  const std::string* out = Option(args, "--out");
  if ((!hole && !course) || !out) {
    return Fail("render needs --hole NAME (or --course DIR) and --out FILE.png");
  }
  int players = 1, frames = 60, w = 640, h = 480, seed = 1;
  if (!ParseCount(Option(args, "--players"), players) || players < 1 || players > 4) {
    return Fail("--players must be 1 to 4");
  }
  if (!ParseCount(Option(args, "--frames"), frames)) return Fail("bad --frames");
  if (!ParseSize(Option(args, "--size"), w, h)) return Fail("bad --size, expected WxH");
  if (!ParseCount(Option(args, "--seed"), seed)) return Fail("bad --seed");
  std::vector<ReplayEvent> script;
  std::string error;
  if (const std::string* s = Option(args, "--script"); s && !ReadScript(*s, script, error)) {
    return Fail(error);
  }

  HeadlessPlatform p;
  p.SetBaseDir(ProgramFolder());
  GameSetup s;
  s.numplayers = players;
  s.displaywidth = w;
  s.displayheight = h;
  if (const std::string err = ParseRules(args, s); !err.empty()) return Fail(err);
  if (course) {
    std::error_code ec;
    s.coursefolder = std::filesystem::absolute(*course, ec).string();
    if (s.coursefolder.back() != '/') s.coursefolder += '/';
  }
  setup() = s;
  const std::string* records = Option(args, "--records");
  SetRecordsFile(records ? *records : "");
  if (!OpenGameWindow(p, GameStart{static_cast<uint64_t>(seed), hole ? *hole : ""})) {
    return Fail(p.messages().empty() ? "the display did not start" : p.messages().back());
  }
  if (!p.messages().empty()) return Fail(p.messages().back());
  int ran = 0;
  for (int f = 1; f <= frames && GameWindowOpen(); ++f) ran += RunScriptedFrame(p, script, f);

  const GameWindow& win = gamewin();
  const int fw = p.presented() > 0 ? p.framewidth() : win.display.SurfaceWidth();
  const int fh = p.presented() > 0 ? p.frameheight() : win.display.SurfaceHeight();
  const uint16_t* pixels = p.presented() > 0 ? p.frame().data() : win.display.Pixels();
  if (!WritePng(*out, pixels, fw, fh, fw)) return Fail("cannot write " + *out);
  Json j;
  j.BeginObject();
  j.Key("out").String(*out);
  j.Key("frames").Int(ran);
  j.Key("width").Int(fw);
  j.Key("height").Int(fh);
  j.Key("holename").String(gs().holename);
  j.Key("gamestate").Int(gs().gamestate);
  j.Key("gameover").Bool(gs().gameover);
  j.Key("curplayer").Int(gs().curplayer);
  j.Key("viewx").Int(gs().viewx);
  j.Key("viewy").Int(gs().viewy);
  // Each playing ball in course pixels and where it shows on the screen.
  j.Key("players").BeginArray();
  for (int i = 1; i <= gs().numplayers; ++i) {
    const Ball& b = gs().players[i];
    j.BeginObject();
    j.Key("x").Num(b.x);
    j.Key("y").Num(b.y);
    j.Key("z").Num(b.z);
    j.Key("oncourse").Bool(b.oncourse);
    j.Key("strokes").Int(b.strokes);
    j.Key("screenx").Int(std::lrint(b.x) - gs().viewx);
    j.Key("screeny").Int(std::lrint(b.y - b.z) - gs().viewy);
    j.EndObject();
  }
  j.EndArray();
  j.EndObject();
  j.Print();
  if (GameWindowOpen()) CloseGameWindow();
  return 0;
}

const Registrar kRender({"render",
                         "--hole NAME|--course DIR [--hole NAME] --out FILE.png [--players N] "
                         "[--frames N] [--size WxH] [--seed S] [--script FILE] [--records FILE] "
                         "[rules]",
                         Render});

}  // namespace

}  // namespace gp::lab
