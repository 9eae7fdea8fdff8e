// launcher [--hive FILE] [--script FILE]: the launcher without a window, on the
// program folder's data (and the player's courses); prints its panels, controls,
// players, the Course list, the sounds it played, the game setup a started game
// would get, and whether it saved.
//
// Script lines ('#' starts a comment):
//   spot N               the pointer enters hot spot N of the main menu and clicks it
//   click NAME           a mouse click on a control
//   select NAME INDEX    a list's position (from 0; -1 selects nothing)
//   check NAME 0|1       a check box or radio button set without a click
//   text NAME WORDS      typed into a text field (the rest of the line)
//   tab N                the player tab captioned N (1..4)
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "launcher/launcher_model.h"
#include "launcher/main_menu.h"
#include "launcher/settings_store.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"

namespace gp::lab {

namespace {

// Records what the launcher plays; transitions need no window here.
struct RecordingHost : LauncherHost {
  std::vector<int> sounds;
  void PlaySound(int position) override { sounds.push_back(position); }
  void LoopSound(int position) override { sounds.push_back(position); }
  void StopSound(int) override {}
  void PanelTransition() override {}
};

struct Run {
  LauncherModel& model;
  MainMenu& menu;
  std::optional<GameSetup> setup;

  // A game that was started has been played: the launcher shows again.
  void AfterGame() {
    if (auto g = model.TakeGame()) {
      setup = *g;
      model.GameEnded();
    }
  }
};

std::string Spot(Run& r, std::istringstream& in) {
  int n = 0;
  if (!(in >> n)) return "spot needs a number";
  int x = 0, y = 0;
  if (!r.menu.PointIn(n, x, y)) return "no spot " + std::to_string(n);
  r.menu.Move(x, y);
  r.menu.Down(x, y);
  r.menu.Up(x, y);
  return "";
}

std::string Line(Run& r, const std::string& line) {
  std::istringstream in(line);
  std::string verb, name;
  in >> verb;
  if (verb == "spot") return Spot(r, in);
  if (verb == "tab") {
    int n = 0;
    if (!(in >> n) || n < 1 || n > 4) return "tab needs 1 to 4";
    r.model.SelectTab(n - 1);
    return "";
  }
  in >> name;
  const std::optional<Control> c = ControlByName(name);
  if (!c) return "no control " + name;
  if (verb == "click") {
    r.model.ClickControl(*c);
  } else if (verb == "select") {
    int index = 0;
    if (!(in >> index)) return "select needs a position";
    r.model.Select(*c, index);
  } else if (verb == "check") {
    int on = 0;
    if (!(in >> on) || (on != 0 && on != 1)) return "check needs 0 or 1";
    r.model.SetCheck(*c, on == 1);
  } else if (verb == "text") {
    std::string words;
    std::getline(in >> std::ws, words);
    r.model.Type(*c, words);
  } else {
    return "unknown script word " + verb;
  }
  return "";
}

std::string RunScript(Run& r, const std::string& path) {
  std::ifstream f(path);
  if (!f) return "cannot open script " + path;
  std::string line;
  for (int number = 1; std::getline(f, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    r.AfterGame();
    if (const std::string e = Line(r, line); !e.empty()) {
      return path + ":" + std::to_string(number) + ": " + e;
    }
  }
  return "";
}

void Controls(Json& j, const LauncherModel& m) {
  j.Key("controls").BeginObject();
  for (int i = 0; i < kControlCount; ++i) {
    const Control c = static_cast<Control>(i);
    j.Key(ControlName(c));
    if (!m.ListItems(c).empty() || c == Control::skin) {
      j.Int(m.ListIndex(c));
    } else if (!m.Text(c).empty() || c == Control::name) {
      j.String(m.Text(c));
    } else {
      j.Bool(m.Checked(c));
    }
  }
  j.Key("screen512").Bool(m.controls().screen512);
  j.Key("playerinfo").Int(m.tab() + 1);
  j.EndObject();
}

void Players(Json& j, const LauncherModel& m) {
  j.Key("players").BeginArray();
  for (size_t i = 0; i < 4; ++i) {
    j.BeginObject()
        .Field("name", m.controls().player[i])
        .Field("pull", m.controls().pull[i])
        .Field("easy", m.controls().easy[i])
        .Field("ball", m.PlayerBall(static_cast<int>(i)).file)
        .Field("computer", m.controls().computer[i])
        .EndObject();
  }
  j.EndArray();
}

// The Course list's entries in order.
void Courses(Json& j, const LauncherModel& m) {
  j.Key("courses").BeginArray();
  for (const CourseEntry& e : m.courses()) {
    j.BeginObject()
        .Field("name", e.name)
        .Field("available", e.available)
        .Field("reason", e.reason)
        .EndObject();
  }
  j.EndArray();
}

void Setup(Json& j, const std::optional<GameSetup>& setup, const LauncherModel& m) {
  j.Key("setup");
  if (!setup) {
    j.Null();
    return;
  }
  const GameSetup& s = *setup;
  j.BeginObject()
      .Field("displaywidth", s.displaywidth)
      .Field("displayheight", s.displayheight)
      .Field("fastwrites", s.fastwrites)
      .Field("frameinterval", s.frameinterval)
      .Field("soundon", s.soundon)
      .Field("bgsoundon", s.bgsoundon)
      .Key("skin")
      .Utf8String(s.skin)
      .Field("training", s.training)
      .Field("course", s.course)
      .Field("coursefolder", s.coursefolder)
      .Field("numplayers", s.numplayers);
  j.Key("playername").BeginArray();
  for (const std::string& n : s.playername) j.String(n);
  j.EndArray().Key("computer").BeginArray();
  for (const int c : s.computer) j.Int(c);
  j.EndArray().Key("pull").BeginArray();
  for (bool p : s.pull) j.Bool(p);
  j.EndArray().Key("easy").BeginArray();
  for (bool e : s.easy) j.Bool(e);
  j.EndArray().Key("ballpicture").BeginArray();
  for (int i = 0; i < 4; ++i) j.String(m.PlayerBall(i).file);
  j.EndArray();
  j.Field("startplayer", s.startplayer)
      .Field("nextplayer", s.nextplayer)
      .Field("whencollide", s.whencollide)
      .Field("plus1", s.plus1)
      .Field("minus1", s.minus1)
      .Field("scoring", s.scoring)
      .Field("strokelimit", s.strokelimit)
      .EndObject();
}

int RunLauncher(const Args& args) {
  const std::string* hive = Option(args, "--hive");
  SettingsStore store(hive ? std::filesystem::path(*hive) : DefaultHiveFile());
  RecordingHost host;
  LauncherModel model(ProgramFolder(), store, host);
  model.Create();
  if (const std::string notice = store.TakeNotice(); !notice.empty()) {
    std::fprintf(stderr, "galaputt-lab: %s\n", notice.c_str());
  }
  MainMenu menu;
  menu.Load(ProgramFolder(), model);
  model.Show();
  Run r{model, menu, std::nullopt};
  if (const std::string* script = Option(args, "--script")) {
    if (const std::string e = RunScript(r, *script); !e.empty()) return Fail(e);
  }
  if (auto g = model.TakeGame()) r.setup = *g;
  Json j;
  j.BeginObject()
      .Field("panel", std::string(PanelName(model.panel())))
      .Field("training", model.training());
  Controls(j, model);
  Players(j, model);
  Courses(j, model);
  j.Key("sounds").BeginArray();
  for (int s : host.sounds) j.Int(s);
  j.EndArray();
  Setup(j, r.setup, model);
  j.Field("written", model.written()).EndObject().Print();
  return model.saveerror().empty() ? 0 : 1;
}

const Registrar kLauncher({"launcher", "[--hive FILE] [--script FILE]", RunLauncher});

}  // namespace

}  // namespace gp::lab
