#pragma once
// The view over the course, the course picture and the balls.

namespace gp {

void UpdateView();
void DrawCourse();
// The ball pass: draws each ball on the course and runs the per-ball rules of
// drawing time (return after water or a fall, pipe travel, cup drop, holing out).
void DrawBalls();
// Players 1..numplayers by rounded y ascending, ties in player order.
// Writes numplayers entries to order[0..] and returns the count.
int DrawOrder(int order[4]);

}  // namespace gp
