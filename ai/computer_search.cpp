#include "ai/computer_search.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ai/game_snapshot.h"
#include "ai/ranking.h"
#include "ai/running_game.h"
#include "ai/sliced_job.h"
#include "base/angles.h"
#include "game/hole_tables.h"
#include "game/putt_stages.h"
#include "game/state.h"

namespace gp::ai {

namespace {

// Rookie: a coarse sweep, no second look, a shaky hand that makes it play
// safe (its best three strokes tried a little off). Pro: a finer sweep,
// refined, one stroke further from the best four places, a fair hand. Ace:
// the solver's sweep, refined, eight places looked further from, its best
// four strokes tried a little off, a steady hand.
constexpr Skill kSkills[] = {
    {"rookie", 16, 4, {28, 56, 100, 160}, 1, 0, 0, 0, 0, 0, 3, true, 3.0, 0.12},
    {"pro", 16, 6, {16, 28, 56, 76, 128, 160}, 3, 3, 2, 4, 32, 4, 0, true, 1.2, 0.05},
    {"ace", 8, 8, {16, 28, 40, 56, 76, 100, 128, 160}, 5, 6, 3, 8, 16, 6, 4, true, 0.5, 0.02},
};

// Frame limits: for the view to settle, for the swing, for the ball to rest.
constexpr int kSettleFrames = 900;
constexpr int kRestFrames = 3000;
// No decision simulates more than this many frames (a guard: the skills'
// searches stay far below it).
constexpr int64_t kFrameCap = 3000000;
// Obstacles cycle every 128 frames: strokes a quarter cycle apart.
constexpr int kObstacleCycle = 128;
constexpr int kWaitQuarter = 32;
// Straight at the cup: arriving with these squared speeds (a ball at speed v
// rolls about 100 v^2 pixels on the flat; the cup takes balls up to speed 2).
constexpr double kArrivalSpeeds[] = {0.3, 1.0, 2.0, 3.2};
// A ball that is not in needs one more stroke, and a little more the farther
// it lies: a stroke per this many pixels along the floor.
constexpr double kReach = 500;
// Along the floor: the distances (course pixels) at which the way to the cup is looked for.
constexpr double kPathRadii[] = {48, 96, 192, 320};
// Places looked further from lie at least this far apart (course pixels).
constexpr double kApart = 12;

struct Stroke {
  int wait = 0;
  Drag drag;
  bool operator==(const Stroke&) const = default;
};

// Where a stroke tried led.
struct Tried {
  Stroke stroke;
  bool valid = false;  // the putt was struck and every ball came to rest
  bool holed = false;
  double value = 0;  // strokes it leads to
  double once = 0;   // the same, judged from where this stroke rests alone
  double x = 0, y = 0;
};

class Thinker {
 public:
  Thinker(const Skill& k, int lineup)
      : k_(k), lineup_(lineup), me_(gs().curplayer), obstacles_(HasObstacles(gs().holename)) {}

  Decision Run() {
    for (int i = 0; i < lineup_; ++i) Frame();
    const GameSnapshot ready = SnapshotGame();
    std::vector<Tried> first = TryAll(ready, Candidates(true));
    Refine(ready, first);
    std::vector<Tried> best = Ranked(first);
    if (k_.lookahead > 0) best = LookFurther(ready, best);
    if (k_.robust > 0) best = Steadiest(ready, best);
    Decision d;
    d.simframes = frames_;
    d.tried = tried_;
    if (best.empty()) return d;
    d.found = true;
    d.wait = best.front().stroke.wait;
    d.drag = best.front().stroke.drag;
    d.value = best.front().value;
    d.holes = best.front().holed;
    d.x = best.front().x;
    d.y = best.front().y;
    return d;
  }

 private:
  const Skill& k_;
  int lineup_;
  int me_;
  bool obstacles_;
  Ranking ranking_;
  int64_t frames_ = 0;
  int tried_ = 0;

  void Frame() {
    StepFrame();
    ++frames_;
    SlicedJob::Pause();
  }

  bool OverBudget() const { return frames_ >= kFrameCap; }

  // Straight at the cup, then the sweep; `first` strokes also wait where
  // obstacles cycle.
  std::vector<Stroke> Candidates(bool first) {
    const GameState& g = gs();
    const Ball& b = g.players[me_];
    std::vector<Stroke> out;
    auto add = [&](int wait, int angle, int length) {
      const Stroke s{wait, DragFor(angle & 255, length)};
      if (std::find(out.begin(), out.end(), s) == out.end()) out.push_back(s);
    };
    const bool wait = first && obstacles_ && k_.waits;
    const int tocup = AngleTo(g.cupx, g.cupy, RoundInt(b.x), RoundInt(b.y));
    const double d = std::hypot(g.cupx - b.x, g.cupy - b.y);
    static constexpr int kOff[] = {0, -1, 1, -2, 2};
    const std::vector<std::pair<int, double>> paths = Downhill(b);
    for (int w = 0; w < (wait ? kObstacleCycle : 1); w += kWaitQuarter) {
      for (int a = 0; a < (first ? k_.aims : 1); ++a) {
        for (const double v2 : kArrivalSpeeds) {
          add(w, tocup + kOff[a], RoundInt(kDragPerSpeed * std::sqrt(d / 100 + v2)));
        }
        for (const auto& [angle, r] : paths) {
          for (const double v2 : {kArrivalSpeeds[0], kArrivalSpeeds[1]}) {
            add(w, angle + kOff[a], RoundInt(kDragPerSpeed * std::sqrt(r / 100 + v2)));
          }
        }
      }
    }
    const int step = first ? k_.sweepstep : k_.nextstep;
    const int lengths = first ? k_.lengths : k_.nextlengths;
    for (int w = 0; w < (wait ? kObstacleCycle : 1); w += 2 * kWaitQuarter) {
      for (int angle = 0; angle < 256; angle += step) {
        for (int l = 0; l < lengths; ++l) add(w, angle + w / kWaitQuarter, k_.sweeplengths[l]);
      }
    }
    return out;
  }

  // Along the floor towards the cup: for each of a few distances, the
  // direction whose point at that distance lies nearest the cup by the floor
  // (round walls, through gaps and gates), with the distance.
  std::vector<std::pair<int, double>> Downhill(const Ball& b) {
    std::vector<std::pair<int, double>> out;
    for (const double r : kPathRadii) {
      int best = 0;
      double bestd = 0;
      for (int a = 0; a < 256; a += 2) {
        const double dist = ranking_.At(b.x + ByteCos(a) * r, b.y + ByteSin(a) * r);
        if (a == 0 || dist < bestd) {
          best = a;
          bestd = dist;
        }
      }
      out.push_back({best, r});
    }
    return out;
  }

  // One stroke from the ready game, putted through the events the computer
  // will send, then frames until every ball rests.
  Tried Try(const GameSnapshot& ready, const Stroke& s) {
    ++tried_;
    RestoreGame(ready);
    Tried t;
    t.stroke = s;
    for (int i = 0; i < s.wait; ++i) Frame();
    if (!Putt(PullPuttEvents(s.drag))) return t;
    const GameState& g = gs();
    const Ball& b = g.players[me_];
    for (int i = 0; i < kSwingLimit && !g.ballsmoving; ++i) Frame();
    if (!g.ballsmoving) return t;
    for (int i = 0; i < kRestFrames && g.ballsmoving && !Holed(b); ++i) Frame();
    t.holed = Holed(b);
    if (!t.holed && g.ballsmoving) return t;
    t.valid = true;
    t.x = b.x;
    t.y = b.y;
    t.value = t.once = Value(b, t.holed);
    return t;
  }

  // The putt's events, each before its frame; false when the ball was not
  // picked or the release did not swing the club.
  bool Putt(const std::vector<TimedEvent>& events) {
    if (events.empty() || !Current().pull) return false;
    size_t i = 0;
    const int last = events.back().offset;
    for (int o = 0; o <= last; ++o) {
      for (; i < events.size() && events[i].offset == o; ++i) {
        runninggame().input(events[i].ev);
        const InputEvent::Type type = events[i].ev.type;
        if (type == InputEvent::Type::ButtonDown && gs().puttstage != kPullAim) return false;
        if (type == InputEvent::Type::ButtonUp && gs().puttstage != kPullSwing) return false;
      }
      if (o < last) Frame();
    }
    return true;
  }

  static const Ball& Current() { return gs().players[gs().curplayer]; }

  // The strokes a place leads to: those taken, and one more and a little
  // more for the distance while the ball is not in (a ball the stroke limit
  // took out has its strokes).
  double Value(const Ball& b, bool holed) {
    if (holed || !b.oncourse) return b.strokes;
    return b.strokes + 1 + ranking_.Score(b) / kReach;
  }

  std::vector<Tried> TryAll(const GameSnapshot& ready, const std::vector<Stroke>& strokes) {
    std::vector<Tried> out;
    for (const Stroke& s : strokes) {
      if (OverBudget()) break;
      Tried t = Try(ready, s);
      if (t.valid) out.push_back(std::move(t));
    }
    return out;
  }

  // The neighbours of a stroke: a little more or less aim, drag and wait.
  std::vector<Stroke> Neighbours(const Stroke& s, int round) const {
    const int angle = DragAngle(s.drag), len = DragLength(s.drag);
    const int da = std::max(1, 4 >> round), dl = std::max(1, 8 >> round);
    std::vector<Stroke> out;
    for (const int sign : {-1, 1}) {
      out.push_back({s.wait, DragFor((angle + sign * da) & 255, len)});
      out.push_back({s.wait, DragFor(angle, len + sign * dl)});
      const int wait = s.wait + sign * (16 >> round);
      if (obstacles_ && k_.waits && wait >= 0) out.push_back({wait, s.drag});
    }
    return out;
  }

  // The best few strokes walked downhill: each neighbour that does better
  // takes its place.
  void Refine(const GameSnapshot& ready, std::vector<Tried>& tried) {
    std::vector<Tried> best = Ranked(tried);
    if (static_cast<int>(best.size()) > k_.refined) best.resize(static_cast<size_t>(k_.refined));
    for (Tried cur : best) {
      for (int round = 0; round < k_.rounds && !cur.holed; ++round) {
        for (const Stroke& n : Neighbours(cur.stroke, round)) {
          if (OverBudget() || Known(tried, n)) continue;
          Tried t = Try(ready, n);
          if (!t.valid) continue;
          tried.push_back(t);
          if (t.value < cur.value) cur = t;
        }
      }
    }
  }

  static bool Known(const std::vector<Tried>& tried, const Stroke& s) {
    return std::any_of(tried.begin(), tried.end(), [&](const Tried& t) { return t.stroke == s; });
  }

  // Best first; ties keep the order tried.
  static std::vector<Tried> Ranked(std::vector<Tried> tried) {
    std::stable_sort(tried.begin(), tried.end(),
                     [](const Tried& a, const Tried& b) { return a.value < b.value; });
    return tried;
  }

  // Strokes that hole keep their value; the best few resting places, kept
  // apart, are valued by the best stroke from there; the rest are dropped.
  std::vector<Tried> LookFurther(const GameSnapshot& ready, const std::vector<Tried>& ranked) {
    std::vector<Tried> out;
    int looked = 0;
    for (const Tried& t : ranked) {
      if (t.holed) {
        out.push_back(t);
        continue;
      }
      if (looked >= k_.lookahead || OverBudget()) continue;
      const bool near = std::any_of(out.begin(), out.end(), [&](const Tried& o) {
        return !o.holed && std::hypot(o.x - t.x, o.y - t.y) < kApart;
      });
      if (near) continue;
      ++looked;
      Tried further = t;
      further.value = NextStrokeValue(ready, t);
      out.push_back(further);
    }
    return out.empty() ? ranked : Ranked(out);
  }

  // From where stroke `t` rests, the computer's own next stroke (the others'
  // turns left out): the best value of a smaller sweep; one more stroke than
  // now when none can be tried.
  double NextStrokeValue(const GameSnapshot& ready, const Tried& t) {
    const double none = t.value + 1;
    if (!Try(ready, t.stroke).valid) return none;
    GameState& g = gs();
    g.curplayer = me_;
    for (int i = 0; i < kSettleFrames && !ReadyToStroke(); ++i) Frame();
    if (!ReadyToStroke()) return none;
    const GameSnapshot next = SnapshotGame();
    double best = none;
    for (const Stroke& s : Candidates(false)) {
      if (OverBudget()) break;
      const Tried n = Try(next, s);
      if (n.valid) best = std::min(best, n.value);
    }
    return best;
  }

  // The best strokes tried a little off, as the hand may strike them: each
  // keeps its value plus how much worse, on average, its slips come to rest.
  std::vector<Tried> Steadiest(const GameSnapshot& ready, std::vector<Tried> best) {
    if (static_cast<int>(best.size()) > k_.robust) best.resize(static_cast<size_t>(k_.robust));
    for (Tried& c : best) {
      double worse = 0;
      const std::vector<Stroke> slips = Slips(c.stroke);
      for (const Stroke& s : slips) {
        const Tried t = Try(ready, s);
        worse += t.valid ? std::max(0.0, t.value - c.once) : 1;
      }
      c.value += worse / static_cast<double>(slips.size());
    }
    return Ranked(best);
  }

  // One standard deviation of the hand's error either way, in aim and in drag.
  std::vector<Stroke> Slips(const Stroke& s) const {
    const int angle = DragAngle(s.drag), len = DragLength(s.drag);
    const int da = std::max(1, RoundInt(k_.aimsigma));
    const int dl = std::max(2, RoundInt(k_.dragsigma * len));
    return {{s.wait, DragFor((angle + da) & 255, len)},
            {s.wait, DragFor((angle - da) & 255, len)},
            {s.wait, DragFor(angle, len + dl)},
            {s.wait, DragFor(angle, len - dl)}};
  }
};

}  // namespace

const Skill& SkillFor(int computer) {
  return kSkills[std::clamp(computer, 1, 3) - 1];
}

int LineUpFrames(int rate) {
  return rate >= 41 ? 60 : rate >= 21 ? 30 : 15;
}

Decision Decide(const Skill& k, int lineup) {
  Thinker t(k, lineup);
  return t.Run();
}

}  // namespace gp::ai
