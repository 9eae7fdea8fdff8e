#include "view/hud.h"

#include <algorithm>
#include <string>

#include "base/random.h"
#include "game/sound.h"
#include "game/state.h"
#include "base/angles.h"
#include "sim/putting.h"
#include "media/bitmap_text.h"
#include "app/game_window.h"
#include "view/camera.h"
#include "sim/progression.h"
#include "sim/scoring.h"

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
// The click sound.
constexpr int kClick = 5;

// Panel position on the screen, and the characters of the name in each label.
constexpr int kPanelX = 4, kPanelY = 4;
constexpr int kBallLabelChars = 9, kFullLabelChars = 17, kMinLabelChars = 13;
// Characters of the message line shown in the full and the minimised panel.
constexpr int kFullLineChars = 28, kMinLineChars = 21;

// A screen rectangle: left, top, width, height.
struct Area {
  int x, y, w, h;
  bool Holds(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// The five buttons: pressed look (26 x 26, also the hover area) and the
// 22 x 22 area that takes presses and clicks.
constexpr int kButtons = 5;
constexpr int kButtonLeft[kButtons] = {16, 38, 60, 82, 104};
constexpr int kButtonTop = 76;
constexpr Area LookArea(int k) {
  return {kButtonLeft[k - 1], kButtonTop, 26, 26};
}
constexpr Area ClickArea(int k) {
  return {kButtonLeft[k - 1] + 1, kButtonTop, 22, 22};
}

constexpr Area kBadgeArea{196, 49, 40, 16};
constexpr Area kExitArea{267, 7, 7, 6};
constexpr Area kScoreArea{21, 28, 82, 37};
constexpr Area kTitleStrip{4, 4, 265, 15};

// Hover texts of the full panel; a later match overrides an earlier one.
struct Tip {
  Area area;
  const char* text;
};
constexpr Tip kTips[] = {
    {{16, 76, 26, 26}, "REPEAT LAST MESSAGE"}, {{38, 76, 26, 26}, "TOGGLE PUSH/PULL PUTT"},
    {{60, 76, 26, 26}, "SOUND ON/OFF (F3)"},   {{82, 76, 26, 26}, "PUTTING HELP (F1)"},
    {{104, 76, 26, 26}, "CENTERBALL (HOME)"},  {kScoreArea, "SHOW SCORE DETAILS "},
    {kExitArea, "EXIT GAME (ESC) "},
};

// Where each player's score against par goes (DrawDigits), players 1..4.
constexpr int kToParX[kMaxPlayers] = {19, 64, 19, 64};
constexpr int kToParY[kMaxPlayers] = {27, 27, 48, 48};

const ImageItem* Gui(int index) {
  return mainwin().gui.Item(index);
}

void SmallText(std::string_view text, int x, int y) {
  if (const ImageItem* font = Gui(kSmallFont)) DrawSmallText(mainwin().DXDraw, *font, text, x, y);
}

void DrawImage(int item, int pattern, int x, int y) {
  if (const ImageItem* image = Gui(item)) mainwin().DXDraw.Draw(*image, pattern, x, y);
}

void ClickSound() {
  PlaySound(kClick);
}

bool PointerIn(const Area& a) {
  return a.Holds(gs().mousex, gs().mousey);
}

// Name box and 9-character label over player p's ball.
void DrawBallLabel(int p) {
  const GameState& g = gs();
  const playerrec& b = g.players[p];
  const int x = RoundInt(b.x) - g.viewx;
  const int y = RoundInt(b.y) - g.viewy - RoundInt(b.z);
  const std::string label = PlayerLabel(p, kBallLabelChars);
  DrawImage(kNameBox, 0, x - 52, y - 40);
  SmallText(label, x - 3 * static_cast<int>(label.size()), y - 35);
}

void DrawLabels() {
  const GameState& g = gs();
  if (g.enterdown) {
    int order[kMaxPlayers];
    const int n = DrawOrder(order);
    for (int i = 0; i < n; ++i) {
      if (g.players[order[i]].oncourse) DrawBallLabel(order[i]);
    }
  }
  if (!g.ballsmoving && g.puttstage == 0) DrawBallLabel(g.curplayer);
}

// Strokes go one glyph further left once they take two digits.
void DrawStrokes(int x, int y) {
  const int strokes = gs().players[gs().curplayer].strokes;
  SmallText(std::to_string(strokes), strokes > 9 ? x - 5 : x, y);
}

void DrawMinimisedPanel() {
  const GameState& g = gs();
  SmallText(std::to_string(g.par), 221, 9);
  DrawStrokes(206, 9);
  if (g.messagepos == -1) SmallText(PlayerLabel(g.curplayer, kMinLabelChars), 80, 9);
}

// Pressed look while the pointer stays on a pressed button; leaving releases it.
void DrawPressedButtons() {
  GameState& g = gs();
  for (int k = 1; k <= kButtons; ++k) {
    if (g.buttondown[k] && PointerIn(LookArea(k))) {
      DrawImage(kPressedButtons, k - 1, kButtonLeft[k - 1] + 1, kButtonTop);
    } else {
      g.buttondown[k] = false;
    }
  }
}

// Hover text, or the current player's label when the pointer is on no area.
// Only while the message line is idle.
void DrawHoverText() {
  GameState& g = gs();
  if (g.messagepos != -1) return;
  for (const Tip& tip : kTips) {
    if (PointerIn(tip.area)) g.menutip = tip.text;
  }
  if (g.menutip.empty()) SmallText(PlayerLabel(g.curplayer, kFullLabelChars), 116, 31);
  SmallText(g.menutip, 116, 31);
}

// "o" stands before zero and positive scores; negatives keep their minus sign.
std::string ToParText(int topar) {
  return topar < 0 ? std::to_string(topar) : "o" + std::to_string(topar);
}

void DrawFullPanel() {
  const GameState& g = gs();
  if (!g.players[g.curplayer].pull) DrawImage(kPushBadge, 0, 193, 49);
  DrawPressedButtons();
  DrawHoverText();
  SmallText(std::to_string(g.par), 161, 48);
  DrawStrokes(118, 48);
  const ImageItem* digits = Gui(kDigitFont);
  if (!digits) return;
  for (int k = 1; k <= std::min(g.numplayers, kMaxPlayers); ++k) {
    DrawDigits(mainwin().DXDraw, *digits, ToParText(g.players[k].topar), kToParX[k - 1],
               kToParY[k - 1]);
  }
}

// Scrolls one character every 4 frames at full rate; idle (-1) once the text is out.
void DrawMessageLine() {
  GameState& g = gs();
  if (4 * static_cast<int64_t>(g.message.size()) < g.messagepos) g.messagepos = -1;
  if (g.messagepos == -1) return;
  g.messagepos += g.timescale;
  const size_t from = static_cast<size_t>(std::max(g.messagepos / 4, 1) - 1);
  if (from >= g.message.size()) return;
  if (g.panelmin) {
    SmallText(std::string_view(g.message).substr(from, kMinLineChars), 80, 9);
  } else {
    SmallText(std::string_view(g.message).substr(from, kFullLineChars), 116, 31);
  }
}

// Drawn twice with a little random offset, so it shimmers while it fades.
void DrawBigMessage() {
  GameState& g = gs();
  if (g.bigmessagefade <= 0) return;
  Display& d = mainwin().DXDraw;
  const int n = static_cast<int>(g.bigmessage.size());
  const int x = (d.SurfaceWidth() - kBigAdvance * n) / 2;
  const int y = d.SurfaceHeight() / 2 - 30;
  const int alpha = g.bigmessagefade * 3 / 4;
  const int x1 = x + Random(2);
  const int x2 = x + Random(4);
  const int y2 = y + Random(2);
  if (const ImageItem* font = mainwin().menu.Item(kBigFont)) {
    DrawBigText(d, *font, g.bigmessage, x1, y, alpha);
    DrawBigText(d, *font, g.bigmessage, x2, y2, alpha);
  }
  // Slow at first, faster as it fades: 76 frames from 255 at timescale 1.
  g.bigmessagefade = std::max(g.bigmessagefade - (512 / g.bigmessagefade) * g.timescale, 0);
  if (g.bigmessagefade == 0) g.bigmessage.clear();
}

// Effect sounds on or off; the hole's loop plays only while both switches are on.
void ToggleSound() {
  GameState& g = gs();
  g.soundon = !g.soundon;
  if (g.soundon) ClickSound();
  RestartMessage(g.soundon ? "SOUND ON" : "SOUND OFF");
  const bool loop = g.soundon && g.bgsoundon;
  RequestSound(SoundList::Background, 0, loop ? SoundOp::Play : SoundOp::Stop);
}

void TogglePutt() {
  playerrec& b = gs().players[gs().curplayer];
  b.pull = !b.pull;
  RestartMessage(b.pull ? "PULL PUTT METHOD" : "PUSH PUTT METHOD");
  ClickSound();
}

// The panel's click areas, tested in order; `next` says whether testing goes
// on after an area that held the pointer acted.
struct ClickAction {
  Area area;
  bool next;
  void (*act)();
};

void RepeatMessage() {
  gs().messagepos = 0;
  ClickSound();
  gs().buttondown[1] = false;
}
void PuttButton() {
  TogglePutt();
  gs().buttondown[2] = false;
}
void SoundButton() {
  ToggleSound();
  gs().buttondown[3] = false;
}
void HelpButton() {
  ClickSound();
  gs().buttondown[4] = false;
  gs().gamestate = kPuttingHelp;
}
void CentreButton() {
  gs().centreview = true;
  ClickSound();
  gs().buttondown[5] = false;
}
void ExitButton() {
  ClickSound();
  gs().exitconfirm = true;
}

const ClickAction kClickActions[] = {
    {ClickArea(1), false, RepeatMessage}, {kBadgeArea, false, TogglePutt},
    {ClickArea(2), false, PuttButton},    {ClickArea(3), true, SoundButton},
    {ClickArea(4), true, HelpButton},     {ClickArea(5), false, CentreButton},
    {kExitArea, true, ExitButton},
};

// The score area opens the score details; only on the full panel.
void ScoreAreaClick() {
  GameState& g = gs();
  if (g.panelmin || !PointerIn(kScoreArea)) return;
  ClickSound();
  if (!g.ballsmoving) g.gamestate = kScoreDetails;
}

}  // namespace

std::string Capitalized(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') c = static_cast<char>(u - 32);
    // Western code page: 0xE0..0xFE are the lower-case forms of 0xC0..0xDE (but 0xF7 is a sign).
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) c = static_cast<char>(u - 32);
  }
  return out;
}

std::string PlayerLabel(int p, int n) {
  const playerrec& b = gs().players[p];
  return std::to_string(p) + ". " + Capitalized(std::string_view(b.name).substr(0, n)) + " (" +
         std::to_string(b.total) + ")";
}

void DrawHud() {
  GameState& g = gs();
  if (g.curplayer < 1 || g.curplayer > kMaxPlayers) return;
  DrawLabels();
  UpdateLiveToPar();
  DrawImage(g.panelmin ? kMinPanel : kFullPanel, 0, kPanelX, kPanelY);
  if (g.panelmin) {
    DrawMinimisedPanel();
  } else {
    DrawFullPanel();
  }
  g.menutip.clear();
  DrawMessageLine();
  if (g.exitconfirm) {
    g.bigmessage = "PRESS ENTER TO CONFIRM EXIT";
    g.bigmessagefade = 195 + Random(10);  // flickers
  }
  DrawBigMessage();
}

void PanelClick() {
  GameState& g = gs();
  if (g.gameover) {
    LeaveFinishedGame();
    return;
  }
  if (g.gamestate == kHoleFinished) return;
  if (g.gamestate != kPlay) {
    // Any click closes a page and brings the pointer back to the centre.
    ClickSound();
    g.gamestate = kPlay;
    ParkPointer();
    g.puttstage = 0;
    return;
  }
  if (g.puttstage != 0 || g.ballsmoving) return;
  for (const ClickAction& a : kClickActions) {
    if (!PointerIn(a.area)) continue;
    a.act();
    if (!a.next) return;
  }
  ScoreAreaClick();
}

void PanelPress() {
  GameState& g = gs();
  if (g.gamestate == kHoleFinished) return;
  for (int k = 1; k <= kButtons; ++k) {
    if (PointerIn(ClickArea(k))) g.buttondown[k] = true;
  }
}

void PanelDoubleClick() {
  GameState& g = gs();
  if (g.gamestate == kHoleFinished || !PointerIn(kTitleStrip)) return;
  ClickSound();
  g.panelmin = !g.panelmin;
}

}  // namespace gp
