#pragma once
// The order in which balls are drawn and their per-ball rules run: back to
// front, so that a ball lower on the screen covers one behind it.

namespace gp {

struct Ball;

// Players 1..numplayers by rounded y ascending, ties in player order.
// Writes numplayers entries to order[0..] and returns the count.
int DrawOrder(int order[4]);

// A ball is drawn while it is on the course and not deep in a cup or pipe.
bool BallDrawn(const Ball& b);

}  // namespace gp
