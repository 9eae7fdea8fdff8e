#include "sim/messages.h"

#include <algorithm>
#include <cstdint>

#include "base/random.h"
#include "game/panel_layout.h"
#include "game/state.h"
#include "sim/scoring.h"

namespace gp {

namespace {

bool MessagePlayerValid() {
  const GameState& g = gs();
  return g.curplayer >= 1 && g.curplayer <= kMaxPlayers;
}

// Scrolls one character every 4 frames at full rate; idle (-1) once the text is out.
void ScrollMessage() {
  GameState& g = gs();
  if (4 * static_cast<int64_t>(g.message.size()) < g.messagepos) g.messagepos = -1;
  if (g.messagepos == -1) return;
  g.messagepos += g.timescale;
}

}  // namespace

void UpdatePanel() {
  GameState& g = gs();
  if (!MessagePlayerValid()) return;
  UpdateLiveToPar();
  // A pressed button stays pressed only while the pointer stays on it.
  if (g.panelmin) return;
  for (int k = 1; k <= kButtons; ++k) {
    if (!PointerIn(LookArea(k))) g.buttondown[k] = false;
  }
}

void StepMessages() {
  GameState& g = gs();
  if (!MessagePlayerValid()) return;
  ScrollMessage();
  if (g.exitconfirm) {
    g.bigmessage = "PRESS ENTER TO CONFIRM EXIT";
    g.bigmessagefade = 195 + Random(10);  // flickers
  }
  if (g.bigmessagefade <= 0) return;
  g.shimmerx1 = Random(2);
  g.shimmerx2 = Random(4);
  g.shimmery2 = Random(2);
}

void FadeBigMessage() {
  GameState& g = gs();
  if (!MessagePlayerValid() || g.bigmessagefade <= 0) return;
  g.bigmessagefade = std::max(g.bigmessagefade - (512 / g.bigmessagefade) * g.timescale, 0);
  if (g.bigmessagefade == 0) g.bigmessage.clear();
}

}  // namespace gp
