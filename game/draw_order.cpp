#include "game/draw_order.h"

#include "base/angles.h"
#include "game/state.h"

namespace gp {

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

bool BallDrawn(const Ball& b) {
  return b.oncourse && b.z > -30;
}

}  // namespace gp
