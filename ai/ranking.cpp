#include "ai/ranking.h"

#include "game/area_kind.h"
#include "game/hole_tables.h"

namespace gp::ai {

namespace {

uint64_t TextHash(uint64_t h, const std::string& s) {
  for (const unsigned char c : s) h = Mix(h, c);
  return Mix(h, s.size());
}

}  // namespace

uint64_t Mix(uint64_t h, uint64_t v) {
  return h ^ (v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2));
}

uint64_t Signature(const GameState& g) {
  uint64_t h = 0;
  for (int i = 1; i <= kMaxAreas; ++i) {
    if (g.areas[i].kind != kNoArea && !IsObstacleArea(g.holename, i)) {
      h = Mix(h, static_cast<uint64_t>(i) * 2 + g.areas[i].enabled);
    }
  }
  for (const std::string* s :
       {&g.nexthole, &g.spare1, &g.spare2, &g.spare3, &g.spare4, &g.spare5}) {
    h = TextHash(h, *s);
  }
  return h;
}

bool Holed(const Ball& b) {
  const GameState& g = gs();
  return b.inhole && b.holearea >= 1 && b.holearea <= kMaxAreas && g.areas[b.holearea].kind == kCup;
}

bool GoalMet(const std::string& nexthole) {
  return nexthole.empty() || gs().nexthole == nexthole;
}

double Ranking::Score(const Ball& b) {
  return At(b.x, b.y);
}

double Ranking::At(double x, double y) {
  const GameState& g = gs();
  const bool goal = GoalMet(nexthole_);
  const uint64_t sig = Signature(g);
  auto& field = fields_[{sig, goal}];
  if (!field) {
    auto& map = maps_[sig];
    if (!map) map = std::make_unique<CourseMap>(g);
    const std::vector<int> targets = Targets(goal);
    field = std::make_unique<CourseMap::Field>(
        targets.empty() ? map->DistancesTo(g, {}, g.cupx, g.cupy) : map->DistancesTo(g, targets));
  }
  return field->At(x, y) + (goal ? 0 : kGoalUnmet);
}

double Ranking::Score() {
  return Score(gs().players[gs().curplayer]);
}

// The cup, or while the next-hole goal is unmet, the switches that meet it.
std::vector<int> Ranking::Targets(bool goal) const {
  const GameState& g = gs();
  std::vector<int> out;
  for (int i = 1; i <= kMaxAreas; ++i) {
    const Area& a = g.areas[i];
    if (!a.enabled) continue;
    const bool sets =
        (a.kind == kTextSwitch && a.p1 == 0 && a.comment == nexthole_) ||
        (a.kind == kCannonOrHidden && a.comment == "hidden" && nexthole_ == kBonusHole);
    if (goal ? a.kind == kCup : sets) out.push_back(i);
  }
  return out;
}

}  // namespace gp::ai
