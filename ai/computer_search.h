#pragma once
// A computer player's thinking. From the game as it stands when its turn comes
// it tries candidate strokes on the real game (whole frames without drawing,
// each putt through the very input events it will make) and ranks where each
// ball comes to rest by the strokes it leads to: the strokes taken, and while
// the ball is not in, one more plus the distance to go along the floor. Pro and
// Ace look one stroke further from the best few places; Rookie and Ace also try
// their best strokes a little off, as their own hand would strike them, and keep
// the one that suffers least. The work is fixed by the skill, never by the clock, so
// the same game gives the same decision on any machine.

#include <array>
#include <cstdint>

#include "ai/putt_input.h"

namespace gp::ai {

struct Skill {
  const char* name;  // "rookie", "pro", "ace"
  // The first sweep: directions every `sweepstep` byte steps, at the first
  // `lengths` drag lengths of `sweeplengths`; `aims` directions straight at the
  // cup (0, then -1, +1, -2, +2 byte steps off) at four arrival speeds.
  int sweepstep;
  int lengths;
  std::array<int, 8> sweeplengths;
  int aims;
  int refined;  // best strokes walked downhill in small steps, `rounds` rounds each
  int rounds;
  // Resting places looked one stroke further from (0: none), with a sweep of
  // `nextstep` byte steps at the first `nextlengths` lengths.
  int lookahead;
  int nextstep;
  int nextlengths;
  int robust;        // best strokes tried a little off (0: none)
  bool waits;        // where obstacles cycle, also strokes a moment later
  double aimsigma;   // the hand's aim error, byte steps (standard deviation)
  double dragsigma;  // its drag error, a fraction of the drag length
};

// The skill of a computer player: 1 Rookie, 2 Pro, 3 Ace (other values: Rookie).
const Skill& SkillFor(int computer);

// Frames a computer lines up before its pointer moves: about a second at the
// frame rate the timer measures (60, 30 or 15 frames a second, as the physics
// steps per frame follow it).
int LineUpFrames(int rate);

struct Decision {
  bool found = false;
  int wait = 0;           // frames after the line-up before the putt begins
  Drag drag;              // the stroke chosen, before the hand's error
  double value = 0;       // the strokes on the hole it is expected to lead to
  bool holes = false;     // the chosen stroke, struck as chosen, holes out
  double x = 0, y = 0;    // else where it comes to rest, course pixels
  int64_t simframes = 0;  // frames simulated
  int tried = 0;          // strokes tried
};

// Decides the current player's stroke from the game as it stands: that
// player's turn, the ball ready to putt (pulling), the putt to begin `lineup`
// frames from now (plus the decision's wait). The search leaves the game as it
// last tried it; the caller puts the live game back. Between frames it calls
// SlicedJob::Pause, so it can run a slice at a time.
Decision Decide(const Skill& k, int lineup);

}  // namespace gp::ai
