// The score panel's buttons and click areas.

#include "app/panel_input.h"

#include <gtest/gtest.h>

#include "support/hud_fixture.h"

namespace gp {
namespace {

using namespace test;  // the panel fixture: its items, sizes and probes

TEST_F(HudTest, PressedButtonShowsUntilThePointerLeaves) {
  Pointer(20, 80);
  PanelPress();
  EXPECT_TRUE(gs().buttondown[1]);
  Frame();
  EXPECT_EQ(PatternAt(17, 76, kPressedBase, 5), 0);

  Pointer(200, 200);  // dragged off
  Frame();
  EXPECT_FALSE(gs().buttondown[1]);
  EXPECT_EQ(PatternAt(17, 76, kPressedBase, 5), -1);
  const int pos = gs().messagepos;
  PanelClick();
  EXPECT_EQ(gs().messagepos, pos);
  EXPECT_TRUE(sounds.requests.empty());

  Pointer(85, 80);
  PanelPress();
  EXPECT_TRUE(gs().buttondown[4]);
  Pointer(82, 77);  // on the pressed look's edge, outside the press area
  Frame();
  EXPECT_EQ(PatternAt(83, 76, kPressedBase, 5), 3);
}

TEST_F(HudTest, PanelPressIgnoredBetweenHoles) {
  gs().gamestate = kHoleFinished;
  Pointer(20, 80);
  PanelPress();
  EXPECT_FALSE(gs().buttondown[1]);
}

TEST_F(HudTest, ButtonsAct) {
  // Repeat last message.
  RestartMessage("PAR");
  gs().messagepos = -1;
  Pointer(20, 80);
  gs().buttondown[1] = true;
  PanelClick();
  EXPECT_EQ(gs().messagepos, 0);
  EXPECT_FALSE(gs().buttondown[1]);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{5});

  // Putting method, from the button and from the badge.
  Pointer(45, 80);
  PanelClick();
  EXPECT_FALSE(gs().players[1].pull);
  EXPECT_EQ(gs().message, std::string(27, ' ') + "PUSH PUTT METHOD");
  Pointer(200, 55);
  PanelClick();
  EXPECT_TRUE(gs().players[1].pull);
  EXPECT_EQ(gs().message, std::string(27, ' ') + "PULL PUTT METHOD");

  // Centre the view; exit request.
  Pointer(110, 80);
  PanelClick();
  EXPECT_TRUE(gs().centreview);
  Pointer(270, 10);
  PanelClick();
  EXPECT_TRUE(gs().exitconfirm);

  // Putting help.
  Pointer(90, 90);
  PanelClick();
  EXPECT_EQ(gs().gamestate, kPuttingHelp);
}

TEST_F(HudTest, SoundButtonSwitchesEffectsAndTheLoop) {
  Pointer(65, 80);
  PanelClick();
  EXPECT_FALSE(gs().soundon);
  EXPECT_EQ(gs().message, std::string(27, ' ') + "SOUND OFF");
  EXPECT_TRUE(sounds.Has(SoundList::Background, 0, SoundOp::Stop));
  EXPECT_TRUE(sounds.Effects().empty());  // no click while switching off
  sounds.Clear();
  PanelClick();
  EXPECT_TRUE(gs().soundon);
  EXPECT_EQ(gs().message, std::string(27, ' ') + "SOUND ON");
  EXPECT_TRUE(sounds.HasEffect(5));
  EXPECT_TRUE(sounds.Has(SoundList::Background, 0, SoundOp::Play));

  // Effects on but the background off: the loop stays stopped.
  gs().bgsoundon = false;
  gs().soundon = false;
  sounds.Clear();
  PanelClick();
  EXPECT_TRUE(gs().soundon);
  EXPECT_TRUE(sounds.Has(SoundList::Background, 0, SoundOp::Stop));
  EXPECT_FALSE(sounds.Has(SoundList::Background, 0, SoundOp::Play));
}

TEST_F(HudTest, ScoreAreaOnlyOnTheFullPanel) {
  Pointer(30, 40);
  gs().panelmin = true;
  PanelClick();
  EXPECT_EQ(gs().gamestate, kPlay);
  EXPECT_TRUE(sounds.requests.empty());
  // The buttons still act on the minimised panel.
  Pointer(90, 90);
  PanelClick();
  EXPECT_EQ(gs().gamestate, kPuttingHelp);

  gs().gamestate = kPlay;
  gs().panelmin = false;
  Pointer(30, 40);
  PanelClick();
  EXPECT_EQ(gs().gamestate, kScoreDetails);
}

TEST_F(HudTest, NoPanelActionWhileAimingOrMoving) {
  Pointer(110, 80);
  gs().puttstage = 1;
  PanelClick();
  gs().puttstage = 0;
  gs().ballsmoving = true;
  PanelClick();
  EXPECT_FALSE(gs().centreview);
  EXPECT_TRUE(sounds.requests.empty());
}

TEST_F(HudTest, ClickClosesPagesAndLeavesFinishedGame) {
  for (uint8_t state : {kPuttingHelp, kHoleCard, kScoreDetails}) {
    gs().gamestate = state;
    gs().puttstage = 2;
    Pointer(10, 10);
    PanelClick();
    EXPECT_EQ(gs().gamestate, kPlay);
    EXPECT_EQ(gs().puttstage, 0);
    EXPECT_EQ(gs().mousex, 320);
    EXPECT_TRUE(gs().parkrequest);
  }
  EXPECT_EQ(sounds.Effects(), (std::vector<int>{5, 5, 5}));

  gs().gamestate = kHoleFinished;
  Pointer(110, 80);
  PanelClick();
  EXPECT_FALSE(gs().centreview);

  gs().gameover = true;
  gs().gamestate = kScoreDetails;
  PanelClick();
  EXPECT_TRUE(gs().leaverequest);
}

TEST_F(HudTest, DoubleClickOnTheTitleStripTogglesThePanel) {
  Pointer(100, 10);
  PanelDoubleClick();
  EXPECT_TRUE(gs().panelmin);
  PanelDoubleClick();
  EXPECT_FALSE(gs().panelmin);
  EXPECT_EQ(sounds.Effects(), (std::vector<int>{5, 5}));

  Pointer(100, 19);  // below the strip
  PanelDoubleClick();
  EXPECT_FALSE(gs().panelmin);
  Pointer(100, 10);
  gs().gamestate = kHoleFinished;
  PanelDoubleClick();
  EXPECT_FALSE(gs().panelmin);
}

}  // namespace
}  // namespace gp
