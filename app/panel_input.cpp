#include "app/panel_input.h"

#include "app/keys.h"
#include "game/panel_layout.h"
#include "game/sound.h"
#include "game/state.h"
#include "sim/progression.h"
#include "sim/putting.h"

namespace gp {

namespace {

// The click sound.
constexpr int kClick = 5;

void ClickSound() {
  PlaySound(kClick);
}

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

// The panel's click areas, tested in order; `next` says whether testing goes
// on after an area that held the pointer acted.
struct ClickAction {
  PanelArea area;
  bool next;
  void (*act)();
};

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
