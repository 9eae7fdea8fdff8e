#pragma once
// Single putts on a built hole, in-process, through the lab's putt runner (the
// one the fair-cup sweep uses): the ball is placed, struck and run through whole
// headless frames of the game until it rests, drops into the cup, sinks or falls
// off. Every name of the game layer that the hole tests use is here, so a
// rename touches only this file.

#include <string>

#include "game/state.h"
#include "tools/lab/putt_runner.h"

namespace gp::testing {

using lab::OnAFloor;
using lab::Polygon;
using lab::PuttResult;
using lab::ReadFloors;

// The game-state view a hole test needs, independent of the game's own names.
struct HoleArea {
  int kind = 0;
  int x1 = 0, y1 = 0, r = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0, x4 = 0, y4 = 0;
  int p1 = 0;
  bool enabled = false;
  std::string comment;
};

class PuttLab {
 public:
  static constexpr int kAreas = kMaxAreas;

  // Reads the hole file `path` (name = its stem) afresh: every putt starts with
  // the areas as the file sets them.
  void Load(const std::string& path, const std::string& name) { run_.Load(path, name); }

  HoleArea AreaAt(int i) const {
    const gp::Area& a = gs().areas[i];
    return HoleArea{a.kind, a.x1, a.y1, a.r,  a.x2,      a.y2,     a.x3,
                    a.y3,   a.x4, a.y4, a.p1, a.enabled, a.comment};
  }
  int CupX() const { return run_.CupX(); }
  int CupY() const { return run_.CupY(); }
  std::string NextHole() const { return gs().nexthole; }
  int Par() const { return gs().par; }
  int AngleToCup(double x, double y) const { return run_.AngleToCup(x, y); }

  PuttResult Putt(double x, double y, int angle, double speed, int maxframes = 3000) {
    return run_.Putt(x, y, angle, speed, maxframes);
  }

 private:
  lab::PuttRunner run_;
};

}  // namespace gp::testing
