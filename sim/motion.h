#pragma once
// Ball motion: the per-frame motion phase and one physics step of a ball.

namespace gp {

// Once per frame: timescale + 1 steps for every moving ball, player by player.
void MotionPhase();
// One physics step of player p's ball.
void BallStep(int p);
// Called after every physics step with its player (the lab's trace); nullptr = none.
using StepObserver = void (*)(int p);
void SetStepObserver(StepObserver observer);

// The landing dust: particles 28..33 around the ball's ground point.
void LandingDust(int p);

}  // namespace gp
