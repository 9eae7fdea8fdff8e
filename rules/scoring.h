#pragma once
// Strokes, bonus and penalty strokes, the stroke limit, the cup drop and holing out.

namespace gp {

void CountStroke(int p);
void GrantCollisionBonus();
void GrantAreaBonus(int p);
// Sinking in water row by row, and the return after water or a drop-off.
void ReturnBall(int p);
void CheckStrokeLimit();
void DropAndHoleOut(int p);
void UpdateLiveToPar();

}  // namespace gp
