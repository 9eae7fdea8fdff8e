#pragma once
// The target marker, the club and the power gauge while a putt is prepared.
//
// The frame tick calls `DrawAim` once per frame right after the putting
// update (`AimFrame`), so it shows this frame's aim, power and swing.

#include "view/scene.h"

namespace gp {

// Draws nothing while no putt is under way (`puttstage` 0), except the club at
// the ball in the frame whose swing struck (`swingend`).
void DrawAim(const Scene& sc);

// Club pattern for a shot along `angle`: 0..31, one per 8 byte steps.
int ClubPattern(int angle);
// Distance of the target marker from the ball, course pixels, for power
// `power` with the current player's method and targeting aid.
int TargetDistance(bool pull, bool easy, double power);

}  // namespace gp
