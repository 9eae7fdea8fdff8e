#pragma once
// The frame tick: one call advances the game by one frame and presents it.
// Each phase runs the simulation's update and then draws its result, in a fixed
// order; without drawing (`draw` false) the game advances exactly the same.

#include "view/scene.h"

namespace gp {

void RunFrame(bool draw = true);

// Physics steps per frame beyond the first, from the measured ticks per second:
// 4 below 21, 2 from 21 to 40, 1 from 41.
int TimescaleForRate(int rate);

// The frame's phases that pair an update with its drawing, in the order the
// frame runs them, on the game window's scene (tests run them one by one).
Scene WindowScene();
// Sprites drawn then animated; particles moved then drawn.
void EffectsPhase(const Scene& sc, bool draw);
// The balls back to front; each ball's rules run right after it is drawn.
void BallPhase(const Scene& sc, bool draw);
// The aim update, its drawing, the target's blink.
void AimPhase(const Scene& sc, bool draw);
void HoleAnimationPhase(const Scene& sc, bool draw);
// Panel, message line, big message.
void HudPhase(const Scene& sc, bool draw);
void PagesPhase(const Scene& sc, bool draw);

// Carries out what the simulation asked of the window: the pointer parked, the
// next hole loaded (may raise AssetError), the game left.
void CarryOutRequests();
// The same for a search's frames and events: the pointer stays where it is, a
// new hole is not loaded (the request stays pending) and the window stays open
// (the timer stops, as on leaving).
void CarryOutSearchRequests();

}  // namespace gp
