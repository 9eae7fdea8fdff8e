#pragma once
// The pull putt as a player makes it: input events only. Press on the ball, drag
// away from the shot (the pointer was parked at the screen centre by the press),
// let one frame read the aim, release; the club swings and strikes some frames
// later. The solver, the replays of its lines and the chain tests all strike
// through these events.
//
// Timing: the press and drag come before frame P (which reads the aim), the
// release before frame P + 1, and the strike happens on frame P + SwingFrames.

#include <vector>

#include "platform/platform.h"

namespace gp::ai {

// Drag lengths the pull putt takes, screen pixels: a shorter drag drops the
// putt, a longer one strikes no harder (speed 4) but swings longer.
constexpr int kMinDragLength = 4;
constexpr int kMaxDragLength = 160;
// Pixels of drag per unit of launch speed.
constexpr int kDragPerSpeed = 40;
// Frames a club may take from the release to the strike before the putt is
// taken for dropped.
constexpr int kSwingLimit = 120;

// The pointer's offset from the parked centre at the release, screen pixels.
struct Drag {
  int dx = 0, dy = 0;
  bool operator==(const Drag&) const = default;
};

// The drag's length as the game measures it (rounded), screen pixels.
int DragLength(const Drag& d);
// The launch direction: byte angle 0..255, opposite to the drag.
int DragAngle(const Drag& d);
// The launch speed: length / 40, at most 4 (pixels per physics step).
double DragSpeed(const Drag& d);

// The drag that launches at byte angle `angle` with exactly `length` pixels
// (4..160) when one exists, else the nearest length that has that angle. The
// same arguments always give the same drag.
Drag DragFor(int angle, int length);
// The drag for a launch angle and speed (length = speed * 40, rounded).
Drag DragForLaunch(int angle, double speed);

// Frames from the release to the strike for a drag of `length` pixels when the
// club starts at `clubspeed` (the state's, left by the last stroke).
int SwingFrames(int length, int clubspeed);

// The current player may putt: in play, balls at rest, no putt under way, the
// view settled, no exit prompt.
bool ReadyToStroke();

// The current ball's position on the screen; false when it is out of view.
bool BallOnScreen(int& x, int& y);

// The events before the aim frame: pointer onto the current ball, press, drag.
// Empty when the ball is off screen.
std::vector<InputEvent> PressEvents(const Drag& d);
// The event before the next frame: the release at the drag's end.
InputEvent ReleaseEvent(const Drag& d);

// The pull putt spread over frames as a person's hand makes it, for the
// computer players: the pointer glides from where it is onto the ball, presses,
// draws the drag out step by step (the club draws back, the power gauge
// fills), holds it a moment and lets go. Each event is delivered before frame
// `offset` of the putt (0: its first frame); the last is the release, and the
// frame before it has read the whole drag.
struct TimedEvent {
  int offset = 0;
  InputEvent ev;
};
// From the pointer at (fromx, fromy) and the ball at (ballx, bally), screen
// pixels, with the pointer parked by the press at (spotx, spoty).
std::vector<TimedEvent> PullPuttEvents(int fromx, int fromy, int ballx, int bally, int spotx,
                                       int spoty, const Drag& d);
// The same for the current ball of the game as it stands; empty when the ball
// is off the screen.
std::vector<TimedEvent> PullPuttEvents(const Drag& d);

}  // namespace gp::ai
