#include "tools/lab/putt_runner.h"

#include <sstream>

#include "app/game_window.h"
#include "app/headless_run.h"
#include "base/angles.h"
#include "base/profile.h"
#include "base/random.h"
#include "game/hole_file.h"
#include "game/setup.h"
#include "game/state.h"

namespace gp::lab {

std::vector<Polygon> ReadFloors(const std::string& path) {
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

bool OnAFloor(const std::vector<Polygon>& floors, double x, double y) {
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

PuttRunner::PuttRunner() {
  GameWindow& w = gamewin();
  w.platform = &platform_;
  w.display.Start(&platform_, 640, 480, false);
}

PuttRunner::~PuttRunner() {
  GameWindow& w = gamewin();
  w.display.Finalize();
  w.platform = nullptr;
}

void PuttRunner::Load(const std::string& path, const std::string& name) {
  path_ = path;
  name_ = name;
  Reset();
}

int PuttRunner::CupX() const {
  return gs().cupx;
}

int PuttRunner::CupY() const {
  return gs().cupy;
}

int PuttRunner::AngleToCup(double x, double y) const {
  return AngleTo(gs().cupx, gs().cupy, RoundInt(x), RoundInt(y));
}

void PuttRunner::Reset() {
  ResetGameState();
  setup() = GameSetup{};
  Randomize(1);
  GameState& g = gs();
  g.numplayers = 1;
  g.holename = name_;
  LoadHoleFile(path_);
}

PuttResult PuttRunner::Putt(double x, double y, int angle, double speed, int maxframes) {
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

}  // namespace gp::lab
