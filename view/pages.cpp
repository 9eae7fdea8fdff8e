#include "view/pages.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "game/names.h"
#include "game/setup.h"
#include "game/state.h"
#include "media/bitmap_text.h"
#include "view/records_page.h"

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
// The gui list's small font, for the mark of a computer player.
constexpr int kMarkFont = 7;
// Characters of a name, and of the standings line, that fit on the sheet.
constexpr int kNameChars = 14;
constexpr int kStandingsChars = 39;
// `scoring` of the setup record that counts holes won.
constexpr int kMostHolesWon = 1;

// Top-left corner that centres an image on the screen (0 x 0 when missing).
void CentreOf(const Scene& sc, const ImageItem* item, int& x, int& y) {
  const Display& d = sc.display;
  x = (d.SurfaceWidth() - (item ? item->Width() : 0)) / 2;
  y = (d.SurfaceHeight() - (item ? item->Height() : 0)) / 2;
}

void DrawCentred(const Scene& sc, const ImageItem* item) {
  if (!item) return;
  int x = 0, y = 0;
  CentreOf(sc, item, x, y);
  sc.display.Draw(*item, 0, x, y);
}

void MenuText(const Scene& sc, std::string_view text, int x, int y) {
  if (const ImageItem* font = sc.menu.Item(kMenuFont)) DrawMenuText(sc.display, *font, text, x, y);
}

void MenuNumber(const Scene& sc, int value, int x, int y) {
  MenuText(sc, std::to_string(value), x, y);
}

// Under a computer player's name, in small letters: "COMPUTER ROOKIE", "... PRO", "... ACE".
void ComputerMark(const Scene& sc, int k, int x, int y) {
  static const char* const kMarks[] = {"COMPUTER ROOKIE", "COMPUTER PRO", "COMPUTER ACE"};
  const int who = setup().computer[static_cast<size_t>(k - 1)];
  if (who < kRookie || who > kAce) return;
  if (const ImageItem* font = sc.gui.Item(kMarkFont)) {
    DrawSmallText(sc.display, *font, kMarks[who - kRookie], x, y);
  }
}

// One player's row: name (a computer player's marked under it), total, strokes
// per hole and, where counted, holes won.
void DrawPlayerRow(const Scene& sc, int k, int ox, int oy) {
  const GameState& g = gs();
  const Ball& p = g.players[k];
  const int y = oy + 36 * k + 139;
  MenuText(sc, Capitalized(std::string_view(p.name).substr(0, kNameChars)), ox + 28, y);
  ComputerMark(sc, k, ox + 30, y + 12);
  MenuNumber(sc, p.total, p.total >= 10 ? ox + 526 : ox + 534, y);
  for (int j = 1; j <= kMaxHoles; ++j) {
    if (p.holestrokes[j] != 0) MenuNumber(sc, p.holestrokes[j], ox + 39 * j + 128, y);
  }
  if (setup().scoring == kMostHolesWon && g.numplayers > 1) MenuNumber(sc, p.holeswon, ox + 572, y);
}

void DrawScoreSheet(const Scene& sc) {
  const GameState& g = gs();
  const ImageItem* sheet = sc.menu.Item(kScoreSheet);
  int ox = 0, oy = 0;
  CentreOf(sc, sheet, ox, oy);
  if (sheet) sc.display.Draw(*sheet, 0, ox, oy);
  // The total par is only known for certain once the game is over.
  if (g.gameover) MenuNumber(sc, g.totalpar, g.totalpar >= 10 ? ox + 528 : ox + 536, oy + 146);
  for (int j = 1; j <= kMaxHoles; ++j) {
    if (g.holepar[j] != 0) MenuNumber(sc, g.holepar[j], ox + 39 * j + 130, oy + 146);
  }
  for (int k = 1; k <= std::min(g.numplayers, kMaxPlayers); ++k) DrawPlayerRow(sc, k, ox, oy);
  // The standings line, which shares the message line's storage (UpdateStandings).
  MenuText(sc, std::string_view(g.message).substr(0, kStandingsChars), ox + 154, oy + 319);
  DrawRecordMarks(sc, ox, oy);
}

}  // namespace

void DrawPages(const Scene& sc) {
  const GameState& g = gs();
  if (g.gamestate == kRecordsPage) {
    DrawRecordsPage(sc);
    return;
  }
  if (g.gamestate != kPuttingHelp && g.gamestate != kHoleCard && g.gamestate != kScoreDetails) {
    return;
  }
  sc.display.Fill(0);
  if (g.gamestate == kScoreDetails) {
    DrawScoreSheet(sc);
  } else if (g.gamestate == kPuttingHelp) {
    const bool pull = g.players[g.curplayer].pull;
    DrawCentred(sc, sc.menu.Item(pull ? kPullHelp : kPushHelp));
  } else {
    DrawCentred(sc, sc.course.Item(kHoleCardItem));
  }
}

}  // namespace gp
