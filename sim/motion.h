#pragma once
// Ball motion: the per-frame motion phase and one physics step of a ball.

namespace gp {

// Physics steps a stroke may keep balls moving: 30 seconds at 60 frames a second
// (two steps a frame); the same number of steps at the lower rates.
inline constexpr int kStrokeSteps = 3600;
inline constexpr const char* kStrokeTimeMessage = "BALL STOPPED AFTER 30 SECONDS";

// Once per frame: timescale + 1 steps for every moving ball, player by player.
// While balls move, the stroke's clock counts the frame's steps; once it reaches
// kStrokeSteps every ball still moving in play (but not one dropping into the cup
// or already on its way back from water or a drop-off) comes to rest in its next
// step: where it is when a ball may rest there, else back where its stroke was
// struck from, as from a drop-off; one that moves again after that rests where it
// lands, or at its stroke point.
void MotionPhase();
// Starts the stroke's clock afresh (a stroke, a turn change, a new hole).
void StartStrokeClock();
// One physics step of player p's ball.
void BallStep(int p);
// Called after every physics step with its player (the lab's trace); nullptr = none.
using StepObserver = void (*)(int p);
void SetStepObserver(StepObserver observer);

// The landing dust: particles 28..33 around the ball's ground point.
void LandingDust(int p);

}  // namespace gp
