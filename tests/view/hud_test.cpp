// The score panel, the message line, the big message and the name labels.

#include "view/hud.h"

#include <gtest/gtest.h>

#include <string>

#include "game/names.h"
#include "sim/progression.h"
#include "support/hole_files.h"
#include "support/hud_fixture.h"

namespace gp {
namespace {

using namespace test;  // the panel fixture: its items, sizes and probes

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
  BallAt(2, 400, 350);
  BallAt(3, 500, 380);
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
      HudPhase(WindowScene(), true);
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
  const int rate = gamewin().timer.rate;
  gamewin().timer.rate = 60;  // timescale stays 1
  int frames = 0;
  while (g.holename == "course1hole1" && frames < 200) {
    RunFrame();
    ++frames;
  }
  // 76 frames of fading; the frame after it sets up the next hole.
  EXPECT_EQ(frames, 77);
  EXPECT_EQ(g.gamestate, kHoleCard);
  EXPECT_TRUE(g.bigmessage.empty());
  gamewin().timer.rate = rate;
}

TEST_F(HudTest, ExitPromptFlickersWhileConfirmationIsPending) {
  gs().exitconfirm = true;
  for (int i = 0; i < 20; ++i) {
    HudPhase(WindowScene(), true);
    EXPECT_EQ(gs().bigmessage, "PRESS ENTER TO CONFIRM EXIT");
    // 195..204 before this frame's fade step of 2.
    EXPECT_GE(gs().bigmessagefade, 193);
    EXPECT_LE(gs().bigmessagefade, 202);
  }
}

}  // namespace
}  // namespace gp
