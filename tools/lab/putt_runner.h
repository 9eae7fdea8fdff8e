#pragma once
// Single putts on one hole, in-process: the hole file is read afresh, the ball
// placed, struck and run through whole headless frames of the game (as
// `galaputt-lab shot` does) until it rests, drops into the cup, sinks or falls
// off. The fair-cup sweep and the hole tests putt through it.

#include <string>
#include <utility>
#include <vector>

#include "platform/headless/headless_platform.h"

namespace gp::lab {

struct PuttResult {
  bool holed = false;   // the cup took the ball
  bool lost = false;    // water or a drop-off took it
  double x = 0, y = 0;  // where it rests, or where a lost ball comes back
  int frames = 0;
};

// A floor's outline from a hole source's [floorN] points = "x,y x,y ...".
using Polygon = std::vector<std::pair<double, double>>;
std::vector<Polygon> ReadFloors(const std::string& path);
bool OnAFloor(const std::vector<Polygon>& floors, double x, double y);

// Holds the game window's display on a headless platform while it lives (one at a time).
class PuttRunner {
 public:
  PuttRunner();
  ~PuttRunner();
  PuttRunner(const PuttRunner&) = delete;
  PuttRunner& operator=(const PuttRunner&) = delete;

  // The hole file at `path`, of the hole `name`: every putt starts with the
  // areas as the file sets them. The game state holds the hole meanwhile.
  void Load(const std::string& path, const std::string& name);

  int CupX() const;
  int CupY() const;
  // Byte angle from (x, y) towards the cup, as the game measures directions.
  int AngleToCup(double x, double y) const;

  // A putt of player 1 from (x, y): byte angle, launch speed (pixels per physics step).
  PuttResult Putt(double x, double y, int angle, double speed, int maxframes = 3000);

 private:
  void Reset();

  HeadlessPlatform platform_;
  std::string path_, name_;
};

}  // namespace gp::lab
