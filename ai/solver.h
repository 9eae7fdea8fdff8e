#pragma once
// The hole solver: searches the current player's strokes on the real game,
// headless. Each stroke is a pull putt made through input events (press on the
// ball, drag, release) after waiting some frames, run through whole frames
// (RunFrame without drawing) until the ball rests or drops, so switches,
// breakables and cycling obstacles keep their state from stroke to stroke.
//
// The search keeps the best few resting positions after each stroke (a beam),
// ranked by the distance to the cup along the floor (CourseMap); positions
// already reached are dropped. Every stroke tried is a node. Only one player's
// ball moves: the game should be a one-player game.

#include <cstdint>
#include <string>
#include <vector>

#include "ai/putt_input.h"
#include "ai/running_game.h"

namespace gp::ai {

struct SolveOptions {
  int maxstrokes = 6;    // the longest line tried
  double budget = 120;   // seconds; the search gives up when they run out
  std::string nexthole;  // not empty: only holing out with this next hole counts
  int beam = 10;         // positions kept after each stroke
  // Check holing lines for fine aim and, among the lines of the fewest strokes,
  // look for one that needs none. Off: the first holing line is the answer.
  bool checkaim = true;
};

struct SolvedShot {
  int angle = 0;                // launch direction, byte angle 0..255
  double speed = 0;             // launch speed, pixels per physics step
  double fromx = 0, fromy = 0;  // where the ball lay, course pixels
  double tox = 0, toy = 0;      // where it came to rest (the cup when holed)
  int frame = 0;                // hole frame of the strike (1 = the hole's first whole frame)
  Drag drag;                    // the drag that gives angle and speed
};

struct Solution {
  bool found = false;
  int strokes = 0;  // the game's count on holing out (bonus strokes taken off)
  std::vector<SolvedShot> shots;
  int64_t nodes = 0;  // strokes tried
  double seconds = 0;
  bool outoftime = false;  // the budget ran out before the search ended
  // Some stroke of the line fails when its aim is one byte step off or its drag
  // two pixels shorter or longer: finer than a player can give.
  bool fineaim = false;
};

// Searches from the game as it stands: the current player's turn on a hole in
// play (a hole card must have been closed). `holeframe` is the hole frame of the
// current state (frames run since the hole was set up). The game is put back as
// it was found. Deterministic: the same game gives the same answer, as long as
// the budget does not run out.
Solution Solve(int holeframe, const SolveOptions& o);

}  // namespace gp::ai
