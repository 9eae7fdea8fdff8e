#pragma once
// The per-ball rules that run once per frame for every ball in drawing order,
// right after that ball is drawn: the texture's shade fades on a rolling ball,
// the return after water or a fall, pipe travel, the cup drop and holing out.

namespace gp {

// `drawn`: the ball was drawn this frame (BallDrawn before its drawing).
void BallRules(int p, bool drawn);

}  // namespace gp
