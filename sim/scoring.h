#pragma once
// Strokes, bonus and penalty strokes, the stroke limit, the cup drop and holing out.
//
// Callers:
//   CountStroke       - the stroke release (`Strike`), when the stroke counts.
//   GrantCollisionBonus - ball-to-ball contact, once per contact.
//   GrantAreaBonus    - the bonus pick-up area, for the ball that took it; it also
//                       makes that ball hop (`vz` 3, airborne), so the area itself
//                       does not.
//   ReturnBall        - the ball pass, once per frame for every drawn ball with
//                       `sinking` or `falloff` set.
//   CheckStrokeLimit  - the turn change, before the next player is chosen, and
//                       again for a chosen player already over the limit.
//   DropAndHoleOut    - the ball pass, once per frame for every player in drawing
//                       order, after the balls are drawn.
//   UpdateLiveToPar   - the score panel, once per frame before it draws.

#include <string>

namespace gp {

// A holed-out ball is parked here, off every course (course pixels).
constexpr double kOffCourseX = 5000;
// Player p's `strokes` and `total` rise by 1.
void CountStroke(int p);
// At most one per turn, only with the "plus1" rule: the current player gains a stroke back.
void GrantCollisionBonus();
// Player p gains a stroke back, whatever the rules; the turn will repeat.
void GrantAreaBonus(int p);
// Sinking in water row by row, and the return after water or a drop-off.
void ReturnBall(int p);
// Takes the current player's ball out when it reached the stroke limit (not in training).
void CheckStrokeLimit();
// The current player's ball is still in play with strokes at or over the limit
// (not in training): a penalty stroke took it there while another player played.
bool CurrentOverStrokeLimit();
// The drop into the cup and, once the ball is deep enough, holing out.
void DropAndHoleOut(int p);
// Keeps the current player's `topar` current once `strokes` reached `par`.
void UpdateLiveToPar();

// The result name of holing out with d = strokes - par ("PAR", "BOGEY", "IN HOLE", ...).
std::string ResultName(int d);

}  // namespace gp
