#include "rules/scoring.h"

namespace gp {

void CountStroke(int) {}
void GrantCollisionBonus() {}
void GrantAreaBonus(int) {}
void ReturnBall(int) {}
void CheckStrokeLimit() {}
void DropAndHoleOut(int) {}
void UpdateLiveToPar() {}

}  // namespace gp
