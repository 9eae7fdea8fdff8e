#pragma once
// The area pass: every enabled area of the hole tested against a ball, and the
// kinds that shape the ground (walls, slopes, conveyors, attractor, slow zone,
// water, cup, shade, ledge, drop-off).

#include <cstdint>

namespace gp {

// True when the ball's ground point (rounded) touches area i's shape.
bool TouchesArea(int i, int32_t px, int32_t py);
// Tests ball p against areas 1..99 and lets each touched area act.
void AreaPass(int p);
// A ball that has slipped past the walls and out of the course picture falls
// into space and comes back where its last stroke was struck from, as from a
// drop-off (a bounce can send a ball that rests against a wall through it).
// Nothing without a course picture (the lab's single shots).
void LeaveCourse(int p);
// Whether ball p may lie at rest where it is: inside the course picture (when
// there is one), in no pipe, its ground point on no water or drop-off.
bool RestingPlace(int p);
// Ball p falls off the course and comes back where its last stroke was struck
// from, as from a drop-off.
void FallToStroke(int p);
// Reflects ball p off a wall of orientation a (byte steps).
void WallBounce(int p, int32_t a);

}  // namespace gp
