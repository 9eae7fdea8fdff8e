#include "tools/lab/soak_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "game/setup.h"

namespace gp::lab {

namespace {

// A rolling ball may touch the picture's edge by this much (pixels) before it
// counts as off the course.
constexpr double kEdgeMargin = 16;
// A push this gentle does not move the ball and is not counted as a stroke.
constexpr double kUncountedPush = 0.005;
// Strokes a hole may take per player beyond the stroke limit: bonus strokes
// give some back. More means the stroke limit never ended the hole.
constexpr int kSpareStrokes = 8;

std::string Fixed(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", v);
  return buf;
}

std::string Player(int p) {
  return "player " + std::to_string(p);
}

// The first value of a ball that is not a finite number, or nullptr.
const char* NonFiniteField(const Ball& b) {
  const std::pair<const char*, double> fields[] = {
      {"x", b.x},           {"y", b.y},         {"z", b.z},         {"checkx", b.checkx},
      {"checky", b.checky}, {"backx", b.backx}, {"backy", b.backy}, {"speed", b.speed},
      {"vz", b.vz},         {"rollx", b.rollx}, {"rolly", b.rolly}, {"pushspeed", b.pushspeed}};
  for (const auto& [name, v] : fields) {
    if (!std::isfinite(v)) return name;
  }
  return nullptr;
}

const char* NonFiniteField(const Particle& q) {
  const std::pair<const char*, double> fields[] = {
      {"x", q.x},         {"y", q.y},         {"z", q.z},         {"prevx", q.prevx},
      {"prevy", q.prevy}, {"prevz", q.prevz}, {"speed", q.speed}, {"vz", q.vz}};
  for (const auto& [name, v] : fields) {
    if (!std::isfinite(v)) return name;
  }
  return nullptr;
}

// Strokes of holes before the current one.
int32_t EarlierHoles(const Ball& b, int holenumber) {
  int32_t sum = 0;
  for (int h = 1; h < holenumber && h <= kMaxHoles; ++h) sum += b.holestrokes[h];
  return sum;
}

}  // namespace

std::string DescribeBalls() {
  const GameState& g = gs();
  std::string out;
  for (int p = 1; p <= g.numplayers && p <= kMaxPlayers; ++p) {
    const Ball& b = g.players[p];
    if (!out.empty()) out += "; ";
    out += Player(p) + " at (" + Fixed(b.x) + ", " + Fixed(b.y) + ") z " + Fixed(b.z) + " speed " +
           Fixed(b.speed) + " angle " + std::to_string(b.angle & 255) + " strokes " +
           std::to_string(b.strokes);
    for (const auto& [flag, name] : {std::pair{b.moving, "moving"},
                                     {b.oncourse, "oncourse"},
                                     {b.inhole, "inhole"},
                                     {b.inpipe, "inpipe"},
                                     {b.sinking, "sinking"},
                                     {b.falloff, "falloff"},
                                     {b.airborne, "airborne"}}) {
      if (flag) out += std::string(" ") + name;
    }
  }
  return out;
}

SoakCheck::SoakCheck(const SoakLimits& limits) : limits_(limits) {}

void SoakCheck::Before() {
  const GameState& g = gs();
  for (int p = 1; p <= kMaxPlayers; ++p) {
    const Ball& b = g.players[p];
    before_.balls[static_cast<size_t>(p)] = BallShot{b.strokes, b.total,   b.holeswon, b.moving,
                                                     b.sinking, b.falloff, b.inhole,   b.oncourse};
  }
  before_.puttstage = g.puttstage;
  before_.curplayer = g.curplayer;
  before_.holenumber = g.holenumber;
  before_.gamestate = g.gamestate;
  before_.ballsmoving = g.ballsmoving;
  before_.gameover = g.gameover;
}

void SoakCheck::Fail(const std::string& what) {
  violations_.push_back(gs().holename + " frame " + std::to_string(frames_) + ": " + what);
}

void SoakCheck::CheckFinite() {
  const GameState& g = gs();
  for (int p = 1; p <= kMaxPlayers; ++p) {
    if (const char* f = NonFiniteField(g.players[p])) {
      return Fail(Player(p) + " " + f + " is not a finite number");
    }
  }
  for (int i = 1; i <= kMaxParticles; ++i) {
    if (const char* f = NonFiniteField(g.particles[i])) {
      return Fail("particle " + std::to_string(i) + " " + f + " is not a finite number");
    }
  }
  if (!std::isfinite(g.pushpower)) Fail("pushpower is not a finite number");
}

// Every ball is on the course, in the cup, in a pipe, sinking, falling off and
// coming back, waiting for its first turn, or holed out.
void SoakCheck::CheckBalls() {
  const GameState& g = gs();
  for (int p = 1; p <= g.numplayers; ++p) {
    const Ball& b = g.players[p];
    if (!b.oncourse) {
      // Holed out (or taken out by the stroke limit), or not yet played this hole.
      if (!b.inhole && b.strokes != 0) {
        return Fail(Player(p) + " is off the course without holing out: " + DescribeBalls());
      }
      continue;
    }
    if (b.inhole || b.inpipe || b.sinking || b.falloff || b.airborne) continue;
    if (g.coursewidth <= 0 || g.courseheight <= 0) continue;
    if (b.x < -kEdgeMargin || b.y < -kEdgeMargin || b.x > g.coursewidth + kEdgeMargin ||
        b.y > g.courseheight + kEdgeMargin) {
      return Fail(Player(p) + " is outside the course picture (" + std::to_string(g.coursewidth) +
                  " x " + std::to_string(g.courseheight) + "): " + DescribeBalls());
    }
  }
}

// Each change of a player's strokes is a stroke taken, a penalty stroke for a
// ball coming back (the "minus1" rule) or a bonus stroke, and nobody strikes
// once the stroke limit is reached.
void SoakCheck::CheckStrokes(bool struck) {
  const GameState& g = gs();
  // A hole completed, or the next one set up (strokes back to 0).
  if (g.holenumber != before_.holenumber || g.gameover != before_.gameover ||
      before_.gamestate == kHoleFinished) {
    return;
  }
  const int limit = StrokeLimit(setup());
  for (int p = 1; p <= g.numplayers; ++p) {
    const Ball& b = g.players[p];
    const BallShot& was = before_.balls[static_cast<size_t>(p)];
    const bool mine = struck && p == before_.curplayer;
    int counted = mine ? 1 : 0;
    if (mine && !b.pull && b.speed <= kUncountedPush && b.strokes == was.strokes) counted = 0;
    if (mine && !setup().training && was.strokes >= limit) {
      Fail(Player(p) + " struck with " + std::to_string(was.strokes) +
           " strokes; the stroke limit is " + std::to_string(limit));
    }
    const int d = b.strokes - was.strokes - counted;
    const auto went = [&] {
      return Player(p) + " strokes went from " + std::to_string(was.strokes) + " to " +
             std::to_string(b.strokes) + " with " + std::to_string(counted) + " stroke taken";
    };
    if (d > 0) {
      const bool came_back = (was.sinking || was.falloff) && !b.sinking && !b.falloff;
      if (d > 1 || !setup().minus1 || !came_back) return Fail(went() + " and no penalty stroke");
    } else if (d < 0 && (d < -2 || !g.bonusturn)) {
      return Fail(went() + " and no bonus turn");
    }
  }
}

// A game's total is the sum of its holes.
void SoakCheck::CheckTotals() {
  const GameState& g = gs();
  const bool between = g.gamestate == kHoleFinished || g.gameover;
  for (int p = 1; p <= g.numplayers; ++p) {
    const Ball& b = g.players[p];
    const int32_t want = EarlierHoles(b, g.holenumber) + (between ? 0 : b.strokes);
    if (b.total != want) {
      return Fail(Player(p) + " total " + std::to_string(b.total) + " but the holes add up to " +
                  std::to_string(want));
    }
  }
}

// The hole just completed: every ball in, strokes written to the hole's column,
// the score against par, the best score and the holes won.
void SoakCheck::CheckHoleComplete() {
  const GameState& g = gs();
  const int hole = before_.holenumber;
  if (hole < 1 || hole > kMaxHoles) return Fail("hole number " + std::to_string(hole));
  const int limit = StrokeLimit(setup()) + (setup().minus1 ? 1 : 0);
  int32_t best = 99;
  for (int p = 1; p <= g.numplayers; ++p) best = std::min(best, g.players[p].strokes);
  if (g.beststrokes != best) {
    return Fail("best strokes " + std::to_string(g.beststrokes) + " but the best ball took " +
                std::to_string(best));
  }
  for (int p = 1; p <= g.numplayers; ++p) {
    const Ball& b = g.players[p];
    const BallShot& was = before_.balls[static_cast<size_t>(p)];
    const std::string who = Player(p) + " on a complete hole: ";
    if (!b.inhole || b.oncourse) return Fail(who + "ball not holed out: " + DescribeBalls());
    if (b.holestrokes[hole] != b.strokes) {
      return Fail(who + "hole column " + std::to_string(b.holestrokes[hole]) + ", strokes " +
                  std::to_string(b.strokes));
    }
    if (b.topar != b.total - g.totalpar) {
      return Fail(who + "to par " + std::to_string(b.topar) + ", total " + std::to_string(b.total) +
                  " against par " + std::to_string(g.totalpar));
    }
    if (b.holeswon - was.holeswon != (b.strokes == best ? 1 : 0)) {
      return Fail(who + "holes won went from " + std::to_string(was.holeswon) + " to " +
                  std::to_string(b.holeswon) + " with " + std::to_string(b.strokes) +
                  " strokes against the best " + std::to_string(best));
    }
    if (!setup().training && b.strokes > limit) {
      return Fail(who + std::to_string(b.strokes) + " strokes past the stroke limit " +
                  setup().strokelimit);
    }
  }
}

// Turns end, and holes end under the stroke limit. False when a training hole
// runs past the bot's stroke cap.
bool SoakCheck::CheckTurn(bool struck) {
  const GameState& g = gs();
  if (struck) {
    ++strikes_;
    ++holestrikes_;
    turnframes_ = 0;
  } else if (g.gamestate != kHoleFinished && !g.gameover) {
    ++turnframes_;
  }
  if (turnframes_ > limits_.turnframes) {
    Fail("no turn change for " + std::to_string(turnframes_) + " frames (" +
         (g.ballsmoving ? "balls still moving" : "no ball moving") + ", player " +
         std::to_string(g.curplayer) + " to play, putt stage " + std::to_string(g.puttstage) +
         ", game state " + std::to_string(g.gamestate) + "): " + DescribeBalls());
    return true;
  }
  if (setup().training) return holestrikes_ < g.numplayers * limits_.trainingstrokes;
  const int most = g.numplayers * (StrokeLimit(setup()) + kSpareStrokes);
  if (holestrikes_ > most) {
    Fail("hole not complete after " + std::to_string(holestrikes_) +
         " strokes: " + DescribeBalls());
  }
  return true;
}

bool SoakCheck::After() {
  const GameState& g = gs();
  ++frames_;
  // A stroke: the putt under way ended this frame with the current ball launched.
  const bool struck = before_.puttstage != 0 && g.puttstage == 0 && !before_.ballsmoving &&
                      g.ballsmoving && before_.curplayer >= 1 && before_.curplayer <= kMaxPlayers &&
                      g.players[before_.curplayer].moving;
  const size_t found = violations_.size();
  CheckFinite();
  if (violations_.size() == found) CheckBalls();
  if (violations_.size() == found) CheckStrokes(struck);
  if (violations_.size() == found) CheckTotals();
  const bool completed = g.holenumber != before_.holenumber;
  if (completed && violations_.size() == found) {
    CheckHoleComplete();
    ++holesdone_;
    holestrikes_ = 0;
    turnframes_ = 0;
  }
  if (!CheckTurn(struck)) {
    abandoned_ = true;
    return false;
  }
  if (violations_.size() != found) return false;
  return holesdone_ < limits_.holes && !g.gameover;
}

}  // namespace gp::lab
