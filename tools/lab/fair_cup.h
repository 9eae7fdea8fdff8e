#pragma once
// Fair cups: a putt aimed straight at the cup from 60 pixels drops for a useful
// band of strengths from most directions the course allows. Devices may sit
// near a cup, but a careful putt must still win.
//
// Eight directions around the cup (every 32 byte steps, east first) are tried.
// A direction is open when its spot lies on a floor, clear of walls and of
// devices that would take a ball set down there, with no wall between it and
// the cup; an open direction is fair when at least 5 of 20 strengths (0.2 to
// 2.1 pixels per physics step) hole out.

#include <string>

namespace gp::lab {

struct CupSweep {
  int allowed = 0;  // open directions
  int fair = 0;     // open directions that are fair
  // Per direction, "E:7" (strengths that holed) or "E:-" (closed), space-led.
  std::string report;

  // The cup is fair from three in four of the open directions, and from at
  // least three.
  bool Fair() const { return allowed >= 3 && fair >= 3 && 4 * fair >= 3 * allowed; }
};

// Sweeps the cup of the hole source at `path` (hole `name`); runs the game in
// this process (see PuttRunner).
CupSweep SweepCup(const std::string& path, const std::string& name);

}  // namespace gp::lab
