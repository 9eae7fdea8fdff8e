#include "rules/camera.h"

#include "core/state.h"
#include "physics/angles.h"
#include "physics/devices.h"
#include "rules/scoring.h"

namespace gp {

void UpdateView() {}
void DrawCourse() {}

int DrawOrder(int order[4]) {
  GameState& g = gs();
  const int n = g.numplayers < 1 ? 1 : (g.numplayers > 4 ? 4 : g.numplayers);
  for (int i = 0; i < n; ++i) order[i] = i + 1;
  // Insertion sort keeps player order among equal keys.
  for (int i = 1; i < n; ++i) {
    const int p = order[i];
    const int key = RoundInt(g.players[p].y);
    int j = i - 1;
    while (j >= 0 && RoundInt(g.players[order[j]].y) > key) {
      order[j + 1] = order[j];
      --j;
    }
    order[j + 1] = p;
  }
  return n;
}

void DrawBalls() {
  GameState& g = gs();
  int order[4];
  const int n = DrawOrder(order);
  for (int k = 0; k < n; ++k) {
    const int p = order[k];
    playerrec& b = g.players[p];
    // Drawing comes here once the camera lands; then the per-ball rules.
    if (b.oncourse && b.z > -30 && (b.sinking || b.falloff)) ReturnBall(p);
    PipeTravel(p);
    DropAndHoleOut(p);
  }
}

}  // namespace gp
