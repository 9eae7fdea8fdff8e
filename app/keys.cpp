#include "app/keys.h"

#include "app/game_records.h"
#include "app/game_window.h"
#include "base/keys.h"
#include "game/sound.h"
#include "game/state.h"
#include "sim/progression.h"
#include "sim/putting.h"

namespace gp {

namespace {

constexpr int kClickSound = 5;

void Click() {
  PlaySound(kClickSound);
}

// Click; the window closes after this handler.
void LeaveGame() {
  Click();
  gs().leaverequest = true;
}

// The hole's background loop follows both sound flags.
void UpdateBackgroundLoop() {
  const GameState& g = gs();
  if (g.soundon && g.bgsoundon) {
    RequestSound(SoundList::Background, 0, SoundOp::Play);
  } else {
    RequestSound(SoundList::Background, 0, SoundOp::Stop);
  }
}

// F5: 60 -> 15 -> 30 -> 60 frames per second.
void CycleFrameLimit() {
  FrameTimer& t = gamewin().timer;
  gs().messagepos = 0;
  Click();
  if (t.interval == 0) {
    t.interval = 66;
    RestartMessage("FRAME LIMITING 15 FPS");
  } else if (t.interval == 66) {
    t.interval = 33;
    RestartMessage("FRAME LIMITING 30 FPS");
  } else if (t.interval == 33) {
    t.interval = 0;
    RestartMessage("FRAME LIMITING 60 FPS");
  }
}

void ToggleBackgroundSound() {
  GameState& g = gs();
  Click();
  g.bgsoundon = !g.bgsoundon;
  RestartMessage(g.bgsoundon ? "BACKGROUND SOUND ON" : "BACKGROUND SOUND OFF");
  UpdateBackgroundLoop();
}

void SetArrow(int key, bool held) {
  GameState& g = gs();
  if (key == kKeyUp) g.keyup = held;
  if (key == kKeyDown) g.keydown = held;
  if (key == kKeyRight) g.keyright = held;
  if (key == kKeyLeft) g.keyleft = held;
}

bool IsArrow(int key) {
  return key >= kKeyLeft && key <= kKeyDown;
}

// Commands of the play state (0).
void PlayKey(int key) {
  GameState& g = gs();
  const bool still = !g.ballsmoving;
  if (key == kKeyEnd && still) {
    Click();
    g.gamestate = kScoreDetails;
  } else if (key == kKeyEsc) {
    Click();
    g.exitconfirm = true;
  } else if (key == kKeySpace) {
    Click();
    g.panelmin = !g.panelmin;
  } else if (key == kKeyHome && still) {
    g.centreview = true;
    Click();
  } else if (key == kKeyF5) {
    CycleFrameLimit();
  } else if (key == kKeyF4) {
    ToggleSound();
  } else if (key == kKeyF3) {
    ToggleBackgroundSound();
  } else if (key == kKeyF1 && still) {
    Click();
    g.gamestate = kPuttingHelp;
  } else if (key == kKeyPageUp && still) {
    Click();
    g.gamestate = kHoleCard;
  } else if (key == kKeyF2 && still) {
    Click();
    gamerecords().FillPage();
    g.gamestate = kRecordsPage;
  } else if (IsArrow(key) && still) {
    SetArrow(key, true);
  }
}

}  // namespace

// F8 and the panel's badge: pull putt or push putt for the current player.
void TogglePutt() {
  GameState& g = gs();
  Ball& p = g.players[g.curplayer];
  p.pull = !p.pull;
  Click();
  RestartMessage(p.pull ? "PULL PUTT METHOD" : "PUSH PUTT METHOD");
}

// F4 and the panel's sound button: effect sounds on or off.
void ToggleSound() {
  GameState& g = gs();
  g.soundon = !g.soundon;
  if (g.soundon) Click();  // heard only when switching on
  RestartMessage(g.soundon ? "SOUND ON" : "SOUND OFF");
  UpdateBackgroundLoop();
}

void OnKeyDown(int key) {
  GameState& g = gs();
  if (g.gameover) {
    LeaveFinishedGame();
    return;
  }
  // Between holes keys are ignored, except that an exit prompt raised while the
  // last ball rolled in can still be answered: left alone it would keep the
  // result message from fading and so hold up the next hole.
  if (g.gamestate == kHoleFinished && !g.exitconfirm) return;
  if (g.gamestate == kHoleCard || g.gamestate == kScoreDetails || g.gamestate == kRecordsPage) {
    g.gamestate = kPlay;
    Click();
    return;
  }
  if (key == kKeyEnter) {
    if (g.exitconfirm) {
      LeaveGame();
      return;
    }
    g.enterdown = true;
  }
  if (g.exitconfirm) {
    Click();
    g.exitconfirm = false;
    return;
  }
  if (key == kKeyF8) {
    TogglePutt();
    return;
  }
  if (g.gamestate == kPuttingHelp) {
    g.gamestate = kPlay;
    ParkPointer();
    return;
  }
  PlayKey(key);
}

void OnScreenshot(bool saved) {
  RestartMessage(saved ? "SCREENSHOT SAVED" : "SCREENSHOT NOT SAVED");
}

void OnKeyUp(int key) {
  GameState& g = gs();
  if (IsArrow(key) && !g.ballsmoving) SetArrow(key, false);
  if (key == kKeyEnter) g.enterdown = false;
}

}  // namespace gp
