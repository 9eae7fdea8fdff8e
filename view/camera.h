#pragma once
// The view over the course, the course picture and the balls.

#include <cstdint>

#include "media/display.h"

namespace gp {

struct playerrec;

void UpdateView();
void DrawCourse();
// The ball pass: draws each ball on the course and runs the per-ball rules of
// drawing time (return after water or a fall, pipe travel, cup drop, holing out).
void DrawBalls();
// Players 1..numplayers by rounded y ascending, ties in player order.
// Writes numplayers entries to order[0..] and returns the count.
int DrawOrder(int order[4]);

// Size of the course picture (course item 0) in pixels; 0 x 0 without one.
int CourseWidth();
int CourseHeight();

// Where ball b's shadow goes on the screen with the view at (vx, vy), and its
// subtractive alpha. False when the ball casts no shadow (in the cup, sinking,
// in a pipe, or so high that the alpha is not positive).
bool ShadowOf(const playerrec& b, int32_t vx, int32_t vy, Rect& dst, int& alpha);

// The 16 x 16 sphere: a pixel is drawn where the mask exceeds 128; the map
// gives the texel to sample for each texel of the rotated ball (16 x row + column).
extern const uint8_t kSphereMask[256];
extern const uint8_t kSphereMap[256];

}  // namespace gp
