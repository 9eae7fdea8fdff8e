#include "view/pages.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "game/setup.h"
#include "game/state.h"
#include "media/bitmap_text.h"
#include "app/game_window.h"
#include "view/hud.h"
#include "sim/progression.h"

namespace gp {

namespace {

// menu items of the pages, and the hole card in the hole's own list.
enum : int {
  kPullHelp = 2,
  kPushHelp = 3,
  kScoreSheet = 4,
  kMenuFont = 5,
};
constexpr int kHoleCardItem = 12;
// Characters of a name, and of the standings line, that fit on the sheet.
constexpr int kNameChars = 14;
constexpr int kStandingsChars = 39;
// `scoring` of the setup record that counts holes won.
constexpr int kMostHolesWon = 1;

// Top-left corner that centres an image on the screen (0 x 0 when missing).
void CentreOf(const ImageItem* item, int& x, int& y) {
  const Display& d = mainwin().DXDraw;
  x = (d.SurfaceWidth() - (item ? item->Width() : 0)) / 2;
  y = (d.SurfaceHeight() - (item ? item->Height() : 0)) / 2;
}

void DrawCentred(const ImageItem* item) {
  if (!item) return;
  int x = 0, y = 0;
  CentreOf(item, x, y);
  mainwin().DXDraw.Draw(*item, 0, x, y);
}

void MenuText(std::string_view text, int x, int y) {
  if (const ImageItem* font = mainwin().menu.Item(kMenuFont)) {
    DrawMenuText(mainwin().DXDraw, *font, text, x, y);
  }
}

void MenuNumber(int value, int x, int y) {
  MenuText(std::to_string(value), x, y);
}

// One player's row: name, total, strokes per hole and, where counted, holes won.
void DrawPlayerRow(int k, int ox, int oy) {
  const GameState& g = gs();
  const playerrec& p = g.players[k];
  const int y = oy + 36 * k + 139;
  MenuText(Capitalized(std::string_view(p.name).substr(0, kNameChars)), ox + 28, y);
  MenuNumber(p.total, p.total >= 10 ? ox + 526 : ox + 534, y);
  for (int j = 1; j <= kMaxHoles; ++j) {
    if (p.holestrokes[j] != 0) MenuNumber(p.holestrokes[j], ox + 39 * j + 128, y);
  }
  if (setup().scoring == kMostHolesWon && g.numplayers > 1) MenuNumber(p.holeswon, ox + 572, y);
}

void DrawScoreSheet() {
  GameState& g = gs();
  const ImageItem* sheet = mainwin().menu.Item(kScoreSheet);
  int ox = 0, oy = 0;
  CentreOf(sheet, ox, oy);
  if (sheet) mainwin().DXDraw.Draw(*sheet, 0, ox, oy);
  // The total par is only known for certain once the game is over.
  if (g.gameover) MenuNumber(g.totalpar, g.totalpar >= 10 ? ox + 528 : ox + 536, oy + 146);
  for (int j = 1; j <= kMaxHoles; ++j) {
    if (g.holepar[j] != 0) MenuNumber(g.holepar[j], ox + 39 * j + 130, oy + 146);
  }
  for (int k = 1; k <= std::min(g.numplayers, kMaxPlayers); ++k) DrawPlayerRow(k, ox, oy);
  StandingsLine();  // written into the message line's storage
  MenuText(std::string_view(g.message).substr(0, kStandingsChars), ox + 154, oy + 319);
}

}  // namespace

void DrawPages() {
  const GameState& g = gs();
  if (g.gamestate != kPuttingHelp && g.gamestate != kHoleCard && g.gamestate != kScoreDetails) {
    return;
  }
  TMain& w = mainwin();
  w.DXDraw.Fill(0);
  if (g.gamestate == kScoreDetails) {
    DrawScoreSheet();
  } else if (g.gamestate == kPuttingHelp) {
    const bool pull = g.players[g.curplayer].pull;
    DrawCentred(w.menu.Item(pull ? kPullHelp : kPushHelp));
  } else {
    DrawCentred(w.course.Item(kHoleCardItem));
  }
}

}  // namespace gp
