#include "ai/solver.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <unordered_set>

#include "ai/course_map.h"
#include "ai/game_snapshot.h"
#include "ai/ranking.h"
#include "ai/running_game.h"
#include "base/angles.h"
#include "game/area_kind.h"
#include "game/hole_tables.h"
#include "game/putt_stages.h"
#include "game/setup.h"
#include "game/state.h"

namespace gp::ai {

namespace {

using Clock = std::chrono::steady_clock;

// Frame limits: for the view to settle after a stroke and for a ball to come
// to rest (a ball still rolling after this is given up).
constexpr int kReadyFrames = 900;
constexpr int kRollFrames = 3000;
// Cycling obstacles repeat every 128 frames: the waits of the first sweep.
constexpr int kCycle = 128;
constexpr int kWaitStep = 32;
// The first sweep: directions every 8 byte steps at these drag lengths.
constexpr int kSweepAngleStep = 8;
constexpr int kSweepLengths[] = {16, 28, 40, 56, 76, 100, 128, 160};
// Straight at the cup: arriving with these squared speeds (a ball at speed v
// rolls about 100 v^2 pixels on the flat; the cup takes balls up to speed 2).
constexpr double kArrivals[] = {0.3, 1.0, 2.0, 3.2};
// Resting points closer than this (course pixels) are the same position.
constexpr int kSamePlace = 6;
// Beam positions are kept at least this far apart, so the beam spreads.
constexpr int kBeamSpacing = 24;
// Sweep results refined, and the refinement rounds for each.
constexpr int kRefined = 6;
constexpr int kRefineRounds = 3;
// Fine aim: a stroke spoiled by one byte step of aim or this many pixels of
// drag. A spoiled stroke that rests this near its line's rest still counts;
// else the line must be finished from there with a beam this wide.
constexpr int kDragSlack = 2;
constexpr double kRestSlack = 12;
constexpr int kCheckBeam = 3;
// Positions expanded after the first holing line that needs fine aim, looking
// for one that does not.
constexpr int kFineGrace = 2;

struct Action {
  int wait = 0;
  Drag drag;
  bool operator==(const Action&) const = default;
};

enum class Outcome { Rest, Holed, Lost };

struct Trial {
  Outcome outcome = Outcome::Lost;
  SolvedShot shot;
  int strokes = 0;
  int frame = 0;  // hole frame at the end
};

struct Node {
  int parent = -1;
  int depth = 0;
  Action action;  // the stroke that led here
  SolvedShot shot;
  int frame = 0;                       // hole frame of `rest`
  std::shared_ptr<GameSnapshot> rest;  // the ball at rest after the stroke
  double score = 0;                    // distance to go
  std::optional<bool> steady;          // the stroke here can be a little off (once checked)
};

// From a ball at rest to the moment the player may putt; false when that never comes.
bool RunUntilReady(int& frame) {
  for (int i = 0; i < kReadyFrames && !ReadyToStroke(); ++i, ++frame) StepFrame();
  return ReadyToStroke();
}

// One stroke from a ready game at hole frame `frame`, through input events.
Trial Try(const GameSnapshot& ready, int frame, const Action& a, const std::string& nexthole) {
  RestoreGame(ready);
  Trial t;
  for (int i = 0; i < a.wait; ++i, ++frame) StepFrame();
  const GameState& g = gs();
  const Ball& b = g.players[g.curplayer];
  t.shot.fromx = b.x;
  t.shot.fromy = b.y;
  t.shot.drag = a.drag;
  t.shot.angle = DragAngle(a.drag);
  t.shot.speed = DragSpeed(a.drag);
  const std::vector<InputEvent> press = PressEvents(a.drag);
  if (press.empty()) return t;
  for (const InputEvent& ev : press) runninggame().input(ev);
  if (g.puttstage != kPullAim) return t;
  StepFrame();
  ++frame;
  runninggame().input(ReleaseEvent(a.drag));
  if (g.puttstage != kPullSwing) return t;
  for (int i = 0; i < kSwingLimit && !g.ballsmoving; ++i, ++frame) StepFrame();
  if (!g.ballsmoving) return t;
  t.shot.frame = frame;
  for (int i = 0; i < kRollFrames && g.ballsmoving && !Holed(b); ++i, ++frame) StepFrame();
  t.strokes = b.strokes;
  t.frame = frame;
  if (Holed(b)) {
    if (GoalMet(nexthole)) t.outcome = Outcome::Holed;
    t.shot.tox = g.cupx;
    t.shot.toy = g.cupy;
  } else if (!g.ballsmoving && b.oncourse) {
    t.outcome = Outcome::Rest;
    t.shot.tox = b.x;
    t.shot.toy = b.y;
  }
  return t;
}

// What every search of one solve shares: the clock, the strokes tried, the ranking.
struct Shared {
  Clock::time_point start;
  double budget = 0;
  int64_t nodes = 0;
  bool outoftime = false;
  Ranking ranking;

  bool OutOfTime() {
    if (!outoftime && std::chrono::duration<double>(Clock::now() - start).count() > budget) {
      outoftime = true;
    }
    return outoftime;
  }
};

class Search {
 public:
  // `checkaim`: holing lines are checked for fine aim, and one that needs none
  // is looked for among the lines of the same length.
  Search(int holeframe, const SolveOptions& o, Shared& shared, bool checkaim)
      : o_(o),
        sh_(shared),
        checkaim_(checkaim),
        rootframe_(holeframe),
        obstacles_(HasObstacles(gs().holename)) {}

  // Searches from the game as it stands and puts it back.
  Solution Run() {
    const GameSnapshot root = SnapshotGame();
    Solution s;
    if (gs().gamestate == kPlay && !gs().gameover) s = Beam(root);
    RestoreGame(root);
    return s;
  }

 private:
  // One position being expanded: the strokes tried from it and where they rested.
  struct Expansion {
    int parent = 0;
    const GameSnapshot* ready = nullptr;
    int frame = 0;
    int depth = 0;
    std::vector<Action> done;
    std::vector<std::pair<Action, double>> scored;
  };

  const SolveOptions& o_;
  Shared& sh_;
  bool checkaim_;
  int rootframe_;
  bool obstacles_;
  std::vector<Node> tree_;
  std::unordered_set<uint64_t> seen_;
  std::optional<Solution> robust_;  // a holing line a player can play
  std::optional<Solution> fine_;    // the first holing line found, needing fine aim
  int depth_ = 0;                   // strokes of the lines being tried

  uint64_t PlaceKey() const {
    const Ball& b = gs().players[gs().curplayer];
    uint64_t h = Signature(gs());
    h = Mix(h, static_cast<uint64_t>(RoundInt(b.x / kSamePlace)));
    return Mix(h, static_cast<uint64_t>(RoundInt(b.y / kSamePlace)));
  }

  Trial Stroke(const GameSnapshot& ready, int frame, const Action& a) {
    ++sh_.nodes;
    return Try(ready, frame, a, o_.nexthole);
  }

  // The strokes tried first from a ball: straight at the cup, then a sweep of
  // directions and strengths (at a few waits where obstacles cycle).
  std::vector<Action> Sweep() const {
    const GameState& g = gs();
    const Ball& b = g.players[g.curplayer];
    std::vector<Action> out;
    auto add = [&](int wait, int angle, int length) {
      const Action a{wait, DragFor(angle & 255, length)};
      if (std::find(out.begin(), out.end(), a) == out.end()) out.push_back(a);
    };
    const int waits = obstacles_ ? kCycle / kWaitStep : 1;
    const int tocup = AngleTo(g.cupx, g.cupy, RoundInt(b.x), RoundInt(b.y));
    const double d = std::hypot(g.cupx - b.x, g.cupy - b.y);
    for (int w = 0; w < waits; ++w) {
      for (const int da : {0, -1, 1, -2, 2}) {
        for (const double v2 : kArrivals) {
          add(w * kWaitStep, tocup + da, RoundInt(kDragPerSpeed * std::sqrt(d / 100 + v2)));
        }
      }
    }
    // The sweep at opposite points of the cycle; the refinement tunes the wait.
    for (int w = 0; w < waits; w += 2) {
      for (int angle = 0; angle < 256; angle += kSweepAngleStep) {
        for (const int len : kSweepLengths) {
          add(w * kWaitStep, angle + (w * 2) % kSweepAngleStep, len);
        }
      }
    }
    return out;
  }

  // The neighbours of a stroke: a little more or less aim, drag and wait.
  std::vector<Action> Neighbours(const Action& a, int round) const {
    const int angle = DragAngle(a.drag), len = DragLength(a.drag);
    const int da = std::max(1, 4 >> round), dl = std::max(1, 8 >> round);
    std::vector<Action> out;
    for (const int s : {-1, 1}) {
      out.push_back({a.wait, DragFor((angle + s * da) & 255, len)});
      out.push_back({a.wait, DragFor(angle, len + s * dl)});
      const int wait = a.wait + s * (16 >> round);
      if (obstacles_ && wait >= 0) out.push_back({wait, a.drag});
    }
    return out;
  }

  // One stroke from the position being expanded: a new child when the ball
  // rests somewhere new, a line when it holes. True when the search may stop.
  bool Attempt(Expansion& e, const Action& a, std::vector<int>& children) {
    if (std::find(e.done.begin(), e.done.end(), a) != e.done.end()) return false;
    e.done.push_back(a);
    const Trial t = Stroke(*e.ready, e.frame, a);
    if (t.outcome == Outcome::Lost) return false;
    if (t.outcome == Outcome::Holed) return HoledLine(e, a, t);
    const double score = sh_.ranking.Score();
    e.scored.push_back({a, score});
    if (e.depth < o_.maxstrokes && seen_.insert(PlaceKey()).second) {
      tree_.push_back(Node{e.parent,
                           e.depth,
                           a,
                           t.shot,
                           t.frame,
                           std::make_shared<GameSnapshot>(SnapshotGame()),
                           score,
                           {}});
      children.push_back(static_cast<int>(tree_.size()) - 1);
    }
    return false;
  }

  // A holing line; true when it ends the search.
  bool HoledLine(const Expansion& e, const Action& a, const Trial& t) {
    Solution s = Line(e.parent, t);
    if (!checkaim_) {
      robust_ = s;
      return true;
    }
    s.fineaim = !FinalSteady(*e.ready, e.frame, a) || !PathSteady(e.parent);
    if (!s.fineaim) {
      robust_ = s;
      return true;
    }
    if (!fine_) fine_ = s;
    return false;
  }

  // Every stroke worth trying from one position: the sweep, then a walk
  // downhill from the best few. True when the search may stop.
  bool Expand(Expansion& e, std::vector<int>& children) {
    RestoreGame(*e.ready);
    for (const Action& a : Sweep()) {
      if (sh_.OutOfTime() || Attempt(e, a, children)) return true;
    }
    std::vector<std::pair<Action, double>> best = e.scored;
    std::stable_sort(best.begin(), best.end(),
                     [](const auto& x, const auto& y) { return x.second < y.second; });
    if (best.size() > kRefined) best.resize(kRefined);
    for (auto cur : best) {
      for (int round = 0; round < kRefineRounds; ++round) {
        for (const Action& n : Neighbours(cur.first, round)) {
          if (sh_.OutOfTime()) return true;
          const size_t before = e.scored.size();
          if (Attempt(e, n, children)) return true;
          if (e.scored.size() > before && e.scored.back().second < cur.second) {
            cur = e.scored.back();
          }
        }
      }
    }
    return false;
  }

  // The line of strokes from the root to node `last`, then `t`.
  Solution Line(int last, const Trial& t) const {
    Solution s;
    s.found = true;
    s.strokes = t.strokes;
    s.shots.push_back(t.shot);
    for (int n = last; n > 0; n = tree_[n].parent) s.shots.push_back(tree_[n].shot);
    std::reverse(s.shots.begin(), s.shots.end());
    return s;
  }

  // The same stroke a little off: one byte step of aim either way, a little
  // more or less drag.
  static std::vector<Action> Slips(const Action& a) {
    const int angle = DragAngle(a.drag), len = DragLength(a.drag);
    return {{a.wait, DragFor((angle + 1) & 255, len)},
            {a.wait, DragFor((angle - 1) & 255, len)},
            {a.wait, DragFor(angle, len + kDragSlack)},
            {a.wait, DragFor(angle, len - kDragSlack)}};
  }

  // The holing stroke still holes when a little off.
  bool FinalSteady(const GameSnapshot& ready, int frame, const Action& a) {
    for (const Action& slip : Slips(a)) {
      if (Stroke(ready, frame, slip).outcome != Outcome::Holed) return false;
    }
    return true;
  }

  // Every stroke that led to node `n` may be a little off and the line still
  // be finished in as many strokes.
  bool PathSteady(int n) {
    for (; n > 0; n = tree_[n].parent) {
      Node& node = tree_[n];
      if (!node.steady) node.steady = StrokeSteady(node);
      if (!*node.steady) return false;
    }
    return true;
  }

  bool StrokeSteady(const Node& node) {
    const Node& from = tree_[node.parent];
    RestoreGame(*from.rest);
    int frame = from.frame;
    if (!RunUntilReady(frame)) return false;
    const GameSnapshot ready = SnapshotGame();
    for (const Action& slip : Slips(node.action)) {
      const Trial t = Stroke(ready, frame, slip);
      if (t.outcome == Outcome::Holed) continue;
      if (t.outcome == Outcome::Lost) return false;
      if (std::hypot(t.shot.tox - node.shot.tox, t.shot.toy - node.shot.toy) <= kRestSlack) {
        continue;
      }
      // Rested elsewhere: the rest of the line must still be there from here.
      SolveOptions rest = o_;
      rest.maxstrokes = depth_ - node.depth;
      rest.beam = kCheckBeam;
      Search finish(t.frame, rest, sh_, false);
      if (!finish.Run().found) return false;
    }
    return true;
  }

  Solution Beam(const GameSnapshot& root) {
    tree_.push_back(Node{-1, 0, {}, {}, rootframe_, std::make_shared<GameSnapshot>(root), 0, {}});
    std::vector<int> beam{0};
    seen_.insert(PlaceKey());
    for (depth_ = 1; depth_ <= o_.maxstrokes && !beam.empty(); ++depth_) {
      std::vector<int> children;
      int grace = kFineGrace;
      for (const int n : beam) {
        if (fine_ && grace-- == 0) break;
        RestoreGame(*tree_[n].rest);
        int frame = tree_[n].frame;
        if (!RunUntilReady(frame)) continue;
        const GameSnapshot ready = SnapshotGame();
        Expansion e{n, &ready, frame, depth_, {}, {}};
        if (Expand(e, children)) break;
      }
      if (robust_) return *robust_;
      if (fine_) return *fine_;
      if (sh_.outoftime) break;
      beam = PickBeam(children);
    }
    return {};
  }

  // The best positions, kept apart from each other; the others are let go.
  std::vector<int> PickBeam(std::vector<int> children) {
    std::stable_sort(children.begin(), children.end(),
                     [&](int a, int b) { return tree_[a].score < tree_[b].score; });
    std::vector<int> beam;
    for (const int c : children) {
      if (static_cast<int>(beam.size()) >= o_.beam) break;
      const bool near = std::any_of(beam.begin(), beam.end(), [&](int k) {
        return std::hypot(tree_[k].shot.tox - tree_[c].shot.tox,
                          tree_[k].shot.toy - tree_[c].shot.toy) < kBeamSpacing &&
               std::abs(tree_[k].score - tree_[c].score) < kGoalUnmet / 2;
      });
      if (!near) beam.push_back(c);
    }
    for (const int c : children) {
      if (std::find(beam.begin(), beam.end(), c) == beam.end()) tree_[c].rest.reset();
    }
    return beam;
  }
};

}  // namespace

Solution Solve(int holeframe, const SolveOptions& options) {
  SolveOptions o = options;
  if (!setup().training) {
    // Lines stop short of the stroke limit, which would take the ball out.
    const Ball& b = gs().players[gs().curplayer];
    o.maxstrokes = std::min(o.maxstrokes, StrokeLimit(setup()) - 1 - b.strokes);
  }
  // Sounds change nothing in the game: none while searching.
  const QuietGame quiet;
  Shared shared{Clock::now(), o.budget, 0, false, Ranking(o.nexthole)};
  Search search(holeframe, o, shared, o.checkaim);
  Solution s = search.Run();
  s.nodes = shared.nodes;
  s.outoftime = shared.outoftime;
  s.seconds = std::chrono::duration<double>(Clock::now() - shared.start).count();
  return s;
}

}  // namespace gp::ai
