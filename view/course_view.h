#pragma once
// The course picture and the balls: shadow, rolling textured sphere, shading,
// the foreground that stands above a ball, cup and pipe covers.

#include <cstdint>

#include "media/display.h"
#include "view/scene.h"

namespace gp {

struct Ball;

// The course picture at the view; black around a course smaller than the screen.
void DrawCourse(const Scene& sc);
// Ball p as it stands; the frame draws balls in DrawOrder, each only while BallDrawn.
void DrawBall(const Scene& sc, int p);

// Where ball b's shadow goes on the screen with the view at (vx, vy), and its
// subtractive alpha. False when the ball casts no shadow (in the cup, sinking,
// in a pipe, or so high that the alpha is not positive).
bool ShadowOf(const Ball& b, int32_t vx, int32_t vy, Rect& dst, int& alpha);

// The 16 x 16 sphere: a pixel is drawn where the mask exceeds 128; the map
// gives the texel to sample for each texel of the rotated ball (16 x row + column).
extern const uint8_t kSphereMask[256];
extern const uint8_t kSphereMap[256];

}  // namespace gp
