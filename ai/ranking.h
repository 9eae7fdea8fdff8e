#pragma once
// How good a resting place is: the distance to go along the floor to the cup
// (or, while a next-hole goal is unmet, to the switch that meets it), with one
// course map per state of the hole's walls. The solver and the computer
// players rank the strokes they try by it.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ai/course_map.h"
#include "game/state.h"

namespace gp::ai {

uint64_t Mix(uint64_t h, uint64_t v);

// What of the hole's state a stroke can change for good: areas switched on or
// off (cycling obstacles aside) and the texts of text switches.
uint64_t Signature(const GameState& g);

// The ball lies in (or drops into) a cup.
bool Holed(const Ball& b);

// The next-hole goal is met (always, when there is none).
bool GoalMet(const std::string& nexthole);

// Ranks against the cup whatever the next hole; rank with `nexthole` not empty
// to rank against the switch that sets it until it is set.
class Ranking {
 public:
  explicit Ranking(std::string nexthole = "") : nexthole_(std::move(nexthole)) {}

  // Course pixels to go from ball `b` of the game as it stands; a position
  // that has not met the next-hole goal ranks behind every one that has.
  double Score(const Ball& b);
  // The same for the current player's ball.
  double Score();
  // The same for a point of the course.
  double At(double x, double y);

 private:
  std::string nexthole_;
  std::map<uint64_t, std::unique_ptr<CourseMap>> maps_;
  std::map<std::pair<uint64_t, bool>, std::unique_ptr<CourseMap::Field>> fields_;

  std::vector<int> Targets(bool goal) const;
};

// Ranking: how far a position that has not met the next-hole goal lies behind.
constexpr double kGoalUnmet = 1e7;

}  // namespace gp::ai
