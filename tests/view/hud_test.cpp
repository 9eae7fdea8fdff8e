// The score panel, its buttons and click areas, the message line, the big
// message and the name labels.

#include "view/hud.h"

#include <gtest/gtest.h>

#include <string>

#include "app/frame_tick.h"
#include "game/state.h"
#include "app/game_window.h"
#include "support/drawing_probe.h"
#include "sim/progression.h"
#include "support/game_reset.h"
#include "support/hole_files.h"

namespace gp {
namespace {

using test::Blocks;
using test::DigitsAt;
using test::PatternAt;
using test::TextAt;

// Display values of the hand-made items.
constexpr uint16_t kFullBase = 0x0100, kMinBase = 0x0200, kPressedBase = 0x0300,
                   kBadgeBase = 0x0400, kBoxBase = 0x0500, kSmallBase = 0x1000, kDigitBase = 0x2000,
                   kBigBase = 0xF000;
constexpr int kSmallW = 6, kDigitW = 5, kBigW = 23;

class HudTest : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ImageList& gui = mainwin().gui;
    gui.items.assign(19, ImageItem{});
    gui.items[1] = Blocks(1, 280, 110, kFullBase);
    gui.items[2] = Blocks(1, 280, 20, kMinBase);
    gui.items[3] = Blocks(5, 22, 26, kPressedBase);
    gui.items[4] = Blocks(1, 40, 16, kBadgeBase);
    gui.items[7] = Blocks(67, kSmallW, 8, kSmallBase);
    gui.items[8] = Blocks(12, kDigitW, 8, kDigitBase);
    gui.items[18] = Blocks(1, 104, 20, kBoxBase);
    mainwin().menu.items.assign(1, Blocks(61, kBigW, 30, kBigBase));
    mainwin().DXDraw.Fill(0);
    Ball(1, 300, 300);
  }
  void TearDown() override {
    mainwin().gui.items.clear();
    ClearLeaveRequest();
    GameTest::TearDown();
  }
  static void Ball(int p, double x, double y) {
    gs().players[p].x = x;
    gs().players[p].y = y;
  }
  static void Pointer(int x, int y) {
    gs().mousex = x;
    gs().mousey = y;
  }
  // A fresh frame of the HUD over a black screen.
  static void Frame() {
    mainwin().DXDraw.Fill(0);
    DrawHud();
  }
  static std::string Small(int x, int y, int max = 80) {
    return TextAt(x, y, kSmallW, kSmallBase, max);
  }
};

class HudTest4 : public HudTest {
 protected:
  int Players() const override { return 4; }
};

TEST_F(HudTest, LabelsNameThePlayerWithTotalInCapitals) {
  gs().players[2].name = "Zorbel the Great";
  gs().players[2].total = 7;
  gs().players[1].name = "\xe5sa";  // a-ring in the Western code page
  EXPECT_EQ(PlayerLabel(2, 9), "2. ZORBEL TH (7)");
  EXPECT_EQ(PlayerLabel(2, 17), "2. ZORBEL THE GREAT (7)");
  EXPECT_EQ(PlayerLabel(1, 13), "1. \xc5SA (0)");
}

TEST_F(HudTest, CurrentLabelOnlyWhileThePlayerMayAct) {
  gs().players[1].z = 4.4;  // rounds to 4
  const std::string label = "1. PLAYER 1 (0)";
  const int lx = 300 - 3 * static_cast<int>(label.size());
  Frame();
  EXPECT_EQ(PatternAt(300 - 52, 300 - 4 - 40, kBoxBase, 1), 0);
  EXPECT_EQ(Small(lx, 300 - 4 - 35), label);

  gs().puttstage = 1;
  Frame();
  EXPECT_EQ(PatternAt(300 - 52, 300 - 4 - 40, kBoxBase, 1), -1);
  gs().puttstage = 0;
  gs().ballsmoving = true;
  Frame();
  EXPECT_EQ(PatternAt(300 - 52, 300 - 4 - 40, kBoxBase, 1), -1);
}

TEST_F(HudTest4, EnterShowsLabelsOfBallsOnTheCourseOnly) {
  gs().ballsmoving = true;  // no current-player label
  Ball(2, 400, 350);
  Ball(3, 500, 380);
  gs().players[2].oncourse = true;
  gs().players[3].oncourse = false;
  gs().enterdown = true;
  Frame();
  EXPECT_EQ(PatternAt(300 - 52, 300 - 40, kBoxBase, 1), 0);
  EXPECT_EQ(PatternAt(400 - 52, 350 - 40, kBoxBase, 1), 0);
  EXPECT_EQ(PatternAt(500 - 52, 380 - 40, kBoxBase, 1), -1);
  gs().enterdown = false;
  Frame();
  EXPECT_EQ(PatternAt(400 - 52, 350 - 40, kBoxBase, 1), -1);
}

TEST_F(HudTest, FullPanelShowsParStrokesAndLabel) {
  gs().par = 4;
  gs().players[1].strokes = 3;
  Frame();
  EXPECT_EQ(PatternAt(4, 4, kFullBase, 1), 0);
  EXPECT_EQ(Small(161, 48), "4");
  EXPECT_EQ(Small(118, 48), "3");
  EXPECT_EQ(Small(116, 31), "1. PLAYER 1 (0)");
  EXPECT_EQ(PatternAt(193, 49, kBadgeBase, 1), -1);  // pulling: no badge

  gs().players[1].strokes = 12;  // two digits move one glyph left
  gs().players[1].pull = false;
  Frame();
  EXPECT_EQ(Small(113, 48), "12");
  EXPECT_EQ(PatternAt(193, 49, kBadgeBase, 1), 0);
}

TEST_F(HudTest, MinimisedPanelShowsParStrokesAndShortLabel) {
  gs().panelmin = true;
  gs().par = 5;
  gs().players[1].name = "Astronomically Long";
  gs().players[1].strokes = 10;
  Frame();
  EXPECT_EQ(PatternAt(4, 4, kMinBase, 1), 0);
  EXPECT_EQ(Small(221, 9), "5");
  EXPECT_EQ(Small(201, 9), "10");
  EXPECT_EQ(Small(80, 9), "1. ASTRONOMICALL (0)");

  RestartMessage("HI");
  Frame();
  EXPECT_EQ(Small(80, 9, 21), std::string(21, ' '));  // the message line instead of the label
}

TEST_F(HudTest, HoverTextsOnlyWhileTheMessageLineIsIdle) {
  Pointer(20, 80);
  Frame();
  EXPECT_EQ(Small(116, 31), "REPEAT LAST MESSAGE");
  EXPECT_TRUE(gs().menutip.empty());  // lives for one frame
  Pointer(268, 8);
  Frame();
  EXPECT_EQ(Small(116, 31), "EXIT GAME (ESC) ");
  Pointer(30, 40);
  Frame();
  EXPECT_EQ(Small(116, 31), "SHOW SCORE DETAILS ");

  // Scrolling: no hover text and no label, only the line itself.
  Pointer(20, 80);
  RestartMessage("HI");
  gs().messagepos = 100;
  Frame();
  EXPECT_EQ(Small(116, 31), "   HI");
}

TEST_F(HudTest4, ScoresAgainstParForEveryPlayer) {
  gs().players[1].topar = -2;
  gs().players[2].topar = 0;
  gs().players[3].topar = 3;
  gs().players[4].topar = 11;
  Frame();
  EXPECT_EQ(DigitsAt(19, 27, kDigitW, kDigitBase), "-2");
  EXPECT_EQ(DigitsAt(64, 27, kDigitW, kDigitBase), "o0");
  EXPECT_EQ(DigitsAt(19, 48, kDigitW, kDigitBase), "o3");
  EXPECT_EQ(DigitsAt(64, 48, kDigitW, kDigitBase), "o11");
}

TEST_F(HudTest, LiveScoreAgainstParOnceParIsReached) {
  gs().par = 3;
  gs().totalpar = 10;
  gs().players[1].total = 9;
  gs().players[1].strokes = 2;
  Frame();
  EXPECT_EQ(gs().players[1].topar, 0);
  gs().players[1].strokes = 3;
  gs().players[1].total = 12;
  Frame();
  EXPECT_EQ(gs().players[1].topar, 2);
}

TEST_F(HudTest, MessageLineScrollsAndGoesIdleAfterItsLength) {
  RestartMessage("ABCDEFGHIJKLMNOP");  // 43 characters
  ASSERT_EQ(gs().message.size(), 43u);
  Frame();
  EXPECT_EQ(gs().messagepos, 1);
  EXPECT_EQ(Small(116, 31), std::string(27, ' ') + "A");  // 28 characters from the first

  gs().messagepos = 107;  // becomes 108: from character 27
  Frame();
  EXPECT_EQ(Small(116, 31), " ABCDEFGHIJKLMNOP");

  gs().messagepos = 172;
  Frame();
  EXPECT_EQ(gs().messagepos, 173);
  Frame();
  EXPECT_EQ(gs().messagepos, -1);
  EXPECT_EQ(gs().message.size(), 43u);  // kept for "repeat last message"

  RestartMessage("X");
  gs().timescale = 4;
  Frame();
  Frame();
  EXPECT_EQ(gs().messagepos, 8);
}

TEST_F(HudTest, BigMessageIsCentredWithJitter) {
  gs().bigmessage = "HOLE IN ONE";  // 11 characters
  gs().bigmessagefade = 255;
  const int y = 480 / 2 - 30;
  Frame();
  int first = -1;
  for (int x = 0; x < 640 && first < 0; ++x) {
    if (test::Pixel(x, y) != 0) first = x;
  }
  // The first glyph one advance right of the origin, (640 - 253) div 2 = 193.
  EXPECT_GE(first, 193 + kBigW);
  EXPECT_LE(first, 193 + kBigW + 3);
}

TEST_F(HudTest, BigMessageFadeLengthFollowsTimescale) {
  for (const auto& [timescale, frames] : {std::pair{1, 76}, {2, 39}, {4, 20}}) {
    gs().timescale = timescale;
    ShowBigMessage("PAR");
    int n = 0;
    while (gs().bigmessagefade > 0 && n < 1000) {
      DrawHud();
      ++n;
    }
    EXPECT_EQ(n, frames) << "timescale " << timescale;
    EXPECT_TRUE(gs().bigmessage.empty());
  }
}

TEST_F(HudTest, NextHoleLoadsOnceTheResultHasFadedThroughTheFrameTick) {
  test::HoleFolder files;
  files.WriteHole("course1hole2", "course1hole3");
  GameState& g = gs();
  g.holename = "course1hole1";
  g.nexthole = "course1hole2";
  g.gamestate = kHoleFinished;
  ShowBigMessage("PAR");
  const int rate = mainwin().gengine.rate;
  mainwin().gengine.rate = 60;  // timescale stays 1
  int frames = 0;
  while (g.holename == "course1hole1" && frames < 200) {
    GengineTimer();
    ++frames;
  }
  // 76 frames of fading; the frame after it sets up the next hole.
  EXPECT_EQ(frames, 77);
  EXPECT_EQ(g.gamestate, kHoleCard);
  EXPECT_TRUE(g.bigmessage.empty());
  mainwin().gengine.rate = rate;
}

TEST_F(HudTest, ExitPromptFlickersWhileConfirmationIsPending) {
  gs().exitconfirm = true;
  for (int i = 0; i < 20; ++i) {
    DrawHud();
    EXPECT_EQ(gs().bigmessage, "PRESS ENTER TO CONFIRM EXIT");
    // 195..204 before this frame's fade step of 2.
    EXPECT_GE(gs().bigmessagefade, 193);
    EXPECT_LE(gs().bigmessagefade, 202);
  }
}

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
    EXPECT_EQ(platform.pointery(), 240);
  }
  EXPECT_EQ(sounds.Effects(), (std::vector<int>{5, 5, 5}));

  gs().gamestate = kHoleFinished;
  Pointer(110, 80);
  PanelClick();
  EXPECT_FALSE(gs().centreview);

  gs().gameover = true;
  gs().gamestate = kScoreDetails;
  PanelClick();
  EXPECT_TRUE(LeaveRequested());
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
