#include "game/state.h"

#include <algorithm>

namespace gp {

namespace {
GameState g_state;
}

GameState& gs() { return g_state; }

void ResetGameState() { g_state = GameState{}; }

std::string* TextSlot(int slot) {
  GameState& g = g_state;
  switch (slot) {
    case 0: return &g.nexthole;
    case 1: return &g.spare1;
    case 2: return &g.spare2;
    case 3: return &g.spare3;
    case 4: return &g.spare4;
    case 5: return &g.message;
    case 6: return &g.spare5;
    case 7: return &g.bigmessage;
    default: return nullptr;
  }
}

int SpawnSprite(int x, int y, int image, bool loop, int p1, int p2, int frame) {
  GameState& g = g_state;
  if (g.nextsprite < 1 || g.nextsprite > kTransientSprites) g.nextsprite = 1;
  const int slot = g.nextsprite;
  g.sprites[slot] = Sprite{x, y, image, frame, loop, p1, p2};
  g.nextsprite += 1;
  if (g.nextsprite > kTransientSprites) g.nextsprite = 1;
  return slot;
}

int PatternsOf(int image) {
  if (image < 0 || image >= kMaxCourseImages) return 0;
  return std::max(g_state.imagepatterns[static_cast<size_t>(image)], 0);
}

bool HasImage(int image) {
  return image >= 0 && image < kMaxCourseImages && g_state.imagepatterns[static_cast<size_t>(image)] >= 0;
}

void RestartMessage(const std::string& text) {
  g_state.message = std::string(27, ' ') + text;
  g_state.messagepos = 0;
}

void ShowBigMessage(const std::string& text) {
  g_state.bigmessage = text;
  g_state.bigmessagefade = 255;
}

}  // namespace gp
