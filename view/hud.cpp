#include "view/hud.h"

#include <algorithm>
#include <string>

#include "base/angles.h"
#include "game/draw_order.h"
#include "game/names.h"
#include "game/panel_layout.h"
#include "game/state.h"
#include "media/bitmap_text.h"
#include "view/records_page.h"

namespace gp {

namespace {

// gui items of the panel.
enum : int {
  kFullPanel = 1,
  kMinPanel = 2,
  kPressedButtons = 3,
  kPushBadge = 4,
  kSmallFont = 7,
  kDigitFont = 8,
  kNameBox = 18,
};
// menu item of the big message's font.
constexpr int kBigFont = 0;
// Width of one big glyph, pixels, for centring.
constexpr int kBigAdvance = 23;

// Hover texts of the full panel; a later match overrides an earlier one.
struct Tip {
  PanelArea area;
  const char* text;
};
constexpr Tip kTips[] = {
    {LookArea(1), "REPEAT LAST MESSAGE"}, {LookArea(2), "TOGGLE PUSH/PULL PUTT"},
    {LookArea(3), "SOUND ON/OFF (F3)"},   {LookArea(4), "PUTTING HELP (F1)"},
    {LookArea(5), "CENTERBALL (HOME)"},   {kScoreArea, "SHOW SCORE DETAILS "},
    {kExitArea, "EXIT GAME (ESC) "},
};

// Where each player's score against par goes (DrawDigits), players 1..4.
constexpr int kToParX[kMaxPlayers] = {19, 64, 19, 64};
constexpr int kToParY[kMaxPlayers] = {27, 27, 48, 48};

void SmallText(const Scene& sc, std::string_view text, int x, int y) {
  if (const ImageItem* font = sc.gui.Item(kSmallFont)) DrawSmallText(sc.display, *font, text, x, y);
}

void DrawImage(const Scene& sc, int item, int pattern, int x, int y) {
  if (const ImageItem* image = sc.gui.Item(item)) sc.display.Draw(*image, pattern, x, y);
}

// Name box and 9-character label over player p's ball.
void DrawBallLabel(const Scene& sc, int p) {
  const GameState& g = gs();
  const Ball& b = g.players[p];
  const int x = RoundInt(b.x) - g.viewx;
  const int y = RoundInt(b.y) - g.viewy - RoundInt(b.z);
  const std::string label = PlayerLabel(p, kBallLabelChars);
  DrawImage(sc, kNameBox, 0, x - 52, y - 40);
  SmallText(sc, label, x - 3 * static_cast<int>(label.size()), y - 35);
}

void DrawLabels(const Scene& sc) {
  const GameState& g = gs();
  if (g.enterdown) {
    int order[kMaxPlayers];
    const int n = DrawOrder(order);
    for (int i = 0; i < n; ++i) {
      if (g.players[order[i]].oncourse) DrawBallLabel(sc, order[i]);
    }
  }
  if (!g.ballsmoving && g.puttstage == 0) DrawBallLabel(sc, g.curplayer);
}

// Strokes go one glyph further left once they take two digits.
void DrawStrokes(const Scene& sc, int x, int y) {
  const int strokes = gs().players[gs().curplayer].strokes;
  SmallText(sc, std::to_string(strokes), strokes > 9 ? x - 5 : x, y);
}

void DrawMinimisedPanel(const Scene& sc) {
  const GameState& g = gs();
  SmallText(sc, std::to_string(g.par), 221, 9);
  DrawStrokes(sc, 206, 9);
  if (g.messagepos == -1) SmallText(sc, PlayerLabel(g.curplayer, kMinLabelChars), 80, 9);
}

// Pressed look while the pointer stays on a pressed button (the panel update
// releases the others before drawing).
void DrawPressedButtons(const Scene& sc) {
  const GameState& g = gs();
  for (int k = 1; k <= kButtons; ++k) {
    if (g.buttondown[k]) DrawImage(sc, kPressedButtons, k - 1, kButtonLeft[k - 1] + 1, kButtonTop);
  }
}

// Hover text, or the current player's label when the pointer is on no area.
// Only while the message line is idle.
void DrawHoverText(const Scene& sc) {
  const GameState& g = gs();
  if (g.messagepos != -1) return;
  std::string tip;
  for (const Tip& t : kTips) {
    if (PointerIn(t.area)) tip = t.text;
  }
  if (tip.empty()) SmallText(sc, PlayerLabel(g.curplayer, kFullLabelChars), 116, 31);
  SmallText(sc, tip, 116, 31);
}

// "o" stands before zero and positive scores; negatives keep their minus sign.
std::string ToParText(int topar) {
  return topar < 0 ? std::to_string(topar) : "o" + std::to_string(topar);
}

void DrawFullPanel(const Scene& sc) {
  const GameState& g = gs();
  if (!g.players[g.curplayer].pull) DrawImage(sc, kPushBadge, 0, 193, 49);
  DrawPressedButtons(sc);
  DrawHoverText(sc);
  SmallText(sc, std::to_string(g.par), 161, 48);
  DrawStrokes(sc, 118, 48);
  const ImageItem* digits = sc.gui.Item(kDigitFont);
  if (!digits) return;
  for (int k = 1; k <= std::min(g.numplayers, kMaxPlayers); ++k) {
    DrawDigits(sc.display, *digits, ToParText(g.players[k].topar), kToParX[k - 1], kToParY[k - 1]);
  }
}

// The part of the message on show: one character further every 4 counts.
void DrawMessageLine(const Scene& sc) {
  const GameState& g = gs();
  if (g.messagepos == -1) return;
  const size_t from = static_cast<size_t>(std::max(g.messagepos / 4, 1) - 1);
  if (from >= g.message.size()) return;
  if (g.panelmin) {
    SmallText(sc, std::string_view(g.message).substr(from, kMinLineChars), 80, 9);
  } else {
    SmallText(sc, std::string_view(g.message).substr(from, kFullLineChars), 116, 31);
  }
}

// Drawn twice with a little offset, so it shimmers while it fades.
void DrawBigMessage(const Scene& sc) {
  const GameState& g = gs();
  if (g.bigmessagefade <= 0) return;
  Display& d = sc.display;
  const int n = static_cast<int>(g.bigmessage.size());
  const int x = (d.SurfaceWidth() - kBigAdvance * n) / 2;
  const int y = d.SurfaceHeight() / 2 - 30;
  const int alpha = g.bigmessagefade * 3 / 4;
  if (const ImageItem* font = sc.menu.Item(kBigFont)) {
    DrawBigText(d, *font, g.bigmessage, x + g.shimmerx1, y, alpha);
    DrawBigText(d, *font, g.bigmessage, x + g.shimmerx2, y + g.shimmery2, alpha);
  }
}

}  // namespace

void DrawHudPanel(const Scene& sc) {
  const GameState& g = gs();
  if (g.curplayer < 1 || g.curplayer > kMaxPlayers) return;
  DrawLabels(sc);
  DrawImage(sc, g.panelmin ? kMinPanel : kFullPanel, 0, kPanelX, kPanelY);
  if (g.panelmin) {
    DrawMinimisedPanel(sc);
  } else {
    DrawFullPanel(sc);
  }
}

void DrawMessages(const Scene& sc) {
  const GameState& g = gs();
  if (g.curplayer < 1 || g.curplayer > kMaxPlayers) return;
  DrawMessageLine(sc);
  DrawBigMessage(sc);
  DrawRecordLine(sc);
}

}  // namespace gp
