#pragma once
// Single putts on a built hole, in-process: the ball is placed, struck and run
// through whole headless frames of the game (as `galaputt-lab shot` does) until
// it rests, drops into the cup, sinks or falls off. Every name of the game
// layer that the hole tests use is here, so a rename touches only this file.

#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/game_window.h"
#include "app/headless_run.h"
#include "base/angles.h"
#include "base/profile.h"
#include "base/random.h"
#include "game/hole_file.h"
#include "game/setup.h"
#include "game/state.h"
#include "platform/headless/headless_platform.h"

namespace gp::testing {

struct PuttResult {
  bool holed = false;   // the cup took the ball
  bool lost = false;    // water or a drop-off took it
  double x = 0, y = 0;  // where it rests, or where a lost ball comes back
  int frames = 0;
};

// The game-state view a hole test needs, independent of the game's own names.
struct HoleArea {
  int kind = 0;
  int x1 = 0, y1 = 0, r = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0, x4 = 0, y4 = 0;
  int p1 = 0;
  bool enabled = false;
  std::string comment;
};

using Polygon = std::vector<std::pair<double, double>>;

// The outlines of a hole source's floors ([floorN] points = "x,y x,y ...").
inline std::vector<Polygon> ReadFloors(const std::string& path) {
  const Profile p = Profile::FromFile(path);
  std::vector<Polygon> floors;
  for (int i = 1; const std::string* pts = p.Find("floor" + std::to_string(i), "points"); ++i) {
    Polygon poly;
    std::istringstream in(*pts);
    double x, y;
    char comma;
    while (in >> x >> comma >> y) poly.emplace_back(x, y);
    floors.push_back(poly);
  }
  return floors;
}

inline bool OnAFloor(const std::vector<Polygon>& floors, double x, double y) {
  for (const Polygon& p : floors) {
    bool in = false;
    for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
      if ((p[i].second > y) != (p[j].second > y) &&
          x < (p[j].first - p[i].first) * (y - p[i].second) / (p[j].second - p[i].second) +
                  p[i].first) {
        in = !in;
      }
    }
    if (in) return true;
  }
  return false;
}

class PuttLab {
 public:
  static constexpr int kAreas = kMaxAreas;

  PuttLab() {
    GameWindow& w = gamewin();
    w.platform = &platform_;
    w.display.Start(&platform_, 640, 480, false);
  }
  ~PuttLab() {
    GameWindow& w = gamewin();
    w.display.Finalize();
    w.platform = nullptr;
  }
  PuttLab(const PuttLab&) = delete;
  PuttLab& operator=(const PuttLab&) = delete;

  // Reads the hole file `path` (name = its stem) afresh: every putt starts with
  // the areas as the file sets them.
  void Load(const std::string& path, const std::string& name) {
    path_ = path;
    name_ = name;
    Reset();
  }

  HoleArea AreaAt(int i) const {
    const gp::Area& a = gs().areas[i];
    return HoleArea{a.kind, a.x1, a.y1, a.r,  a.x2,      a.y2,     a.x3,
                    a.y3,   a.x4, a.y4, a.p1, a.enabled, a.comment};
  }
  int CupX() const { return gs().cupx; }
  int CupY() const { return gs().cupy; }
  std::string NextHole() const { return gs().nexthole; }
  int Par() const { return gs().par; }

  // Byte angle from (x, y) towards the cup, as the game measures directions.
  int AngleToCup(double x, double y) const {
    return AngleTo(gs().cupx, gs().cupy, RoundInt(x), RoundInt(y));
  }

  PuttResult Putt(double x, double y, int angle, double speed, int maxframes = 3000) {
    Reset();
    GameState& g = gs();
    Ball& b = g.players[1];
    b.x = b.checkx = b.backx = x;
    b.y = b.checky = b.backy = y;
    b.angle = angle;
    b.speed = speed;
    b.oncourse = b.moving = true;
    b.lastarea = -1;
    g.curplayer = 1;
    g.ballsmoving = true;
    g.gamestate = kPlay;
    GameWindow& w = gamewin();
    w.timer = FrameTimer{};
    w.timer.enabled = true;
    PuttResult r;
    for (int tries = 0; r.frames < maxframes && tries < 4 * maxframes; ++tries) {
      if (!TickAfter(platform_, FrameStep(60, r.frames + 1))) continue;
      ++r.frames;
      if (b.inhole) {
        r.holed = true;
        break;
      }
      if (b.sinking || b.falloff) {
        r.lost = true;
        break;
      }
      if (!b.moving) break;
    }
    r.x = r.lost ? g.returnx : b.x;
    r.y = r.lost ? g.returny : b.y;
    return r;
  }

 private:
  void Reset() {
    ResetGameState();
    setup() = GameSetup{};
    Randomize(1);
    GameState& g = gs();
    g.numplayers = 1;
    g.holename = name_;
    LoadHoleFile(path_);
  }

  HeadlessPlatform platform_;
  std::string path_, name_;
};

}  // namespace gp::testing
