// Putting input: both methods driven through the pointer handlers and the
// per-frame aim update, on a 640 x 480 screen (pointer parked at 320, 240).

#include "sim/putting.h"

#include <gtest/gtest.h>

#include "game/state.h"
#include "support/game_reset.h"

namespace gp {
namespace {

constexpr int kSpotX = 320, kSpotY = 240;

class PuttingTest : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ball().x = 400;
    ball().y = 300;
  }
  Ball& ball() { return gs().players[1]; }

  // Pointer onto the ball (view at 0, 0) and the left button pressed there.
  void PressOnBall() {
    OnPointerMove(400, 300);
    OnLeftButtonDown();
  }
  // Frames until the putt is released (or `limit` frames).
  int RunUntilIdle(int limit = 100) {
    int frames = 0;
    while (gs().puttstage != 0 && frames < limit) {
      AimFrame();
      ++frames;
    }
    return frames;
  }
  // A pull putt dragged `drag` pixels straight down from the centre.
  void PullDrag(int drag) {
    PressOnBall();
    OnPointerMove(kSpotX, kSpotY + drag);
    AimFrame();
  }
  void Click() {
    OnLeftButtonDown();
    OnLeftButtonUp();
  }
};

TEST_F(PuttingTest, ParkingCentresThePointerOnTheSurface) {
  gs().mousex = 5;
  gs().mousey = 7;
  ParkPointer();
  EXPECT_EQ(gs().spotx, kSpotX);
  EXPECT_EQ(gs().spoty, kSpotY);
  EXPECT_EQ(gs().mousex, kSpotX);
  EXPECT_EQ(gs().mousey, kSpotY);
  EXPECT_TRUE(gs().parkrequest);  // the game window moves the platform's pointer
}

TEST_F(PuttingTest, PointerMoveRecordsTheStepLength) {
  OnPointerMove(100, 100);
  OnPointerMove(103, 104);
  EXPECT_EQ(gs().mousestep, 5);
  EXPECT_EQ(gs().mousex, 103);
  EXPECT_EQ(gs().mousey, 104);
}

TEST_F(PuttingTest, NearTheBallMeansWithin23CoursePixelsOfTheRoundedBall) {
  gs().viewx = 100;
  gs().viewy = 50;
  ball().x = 377.5;  // rounds to 378 (halves to even), not 377
  ball().y = 300.25;
  OnPointerMove(401 - 100, 300 - 50);  // course (401, 300): 23 from (378, 300)
  EXPECT_TRUE(PointerNearBall());
  OnLeftButtonDown();
  EXPECT_EQ(gs().puttstage, 1);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{5});
  EXPECT_TRUE(gs().parkrequest);

  OnRightButton();
  OnPointerMove(402 - 100, 300 - 50);  // 24 away
  EXPECT_FALSE(PointerNearBall());
  OnLeftButtonDown();
  EXPECT_EQ(gs().puttstage, 0);
}

TEST_F(PuttingTest, PullRefusedWhileBallsMoveOrBetweenHoles) {
  gs().ballsmoving = true;
  PressOnBall();
  EXPECT_EQ(gs().puttstage, 0);
  gs().ballsmoving = false;
  gs().gamestate = kHoleFinished;
  PressOnBall();
  EXPECT_EQ(gs().puttstage, 0);
  EXPECT_TRUE(sounds.Effects().empty());
}

TEST_F(PuttingTest, PullDrag200ShowsPower90AndLaunchesAt4) {
  PullDrag(200);
  EXPECT_DOUBLE_EQ(ball().speed, 90);  // power shown, capped
  EXPECT_EQ(ball().angle, 192);        // dragged down: the shot goes up
  OnLeftButtonUp();
  EXPECT_EQ(gs().puttstage, 2);
  EXPECT_EQ(gs().clubpos, 90);
  EXPECT_DOUBLE_EQ(ball().speed, 5);  // 200 / 40, cut at the strike
  RunUntilIdle();
  EXPECT_EQ(gs().puttstage, 0);
  EXPECT_DOUBLE_EQ(ball().speed, 4);
  EXPECT_TRUE(ball().moving);
  EXPECT_TRUE(gs().ballsmoving);
  EXPECT_EQ(ball().lastarea, -1);
  EXPECT_EQ(gs().clubspeed, 1);
  EXPECT_EQ(ball().strokes, 1);
  EXPECT_EQ(ball().total, 1);
  EXPECT_EQ(sounds.Effects(), (std::vector<int>{5, 0}));
}

TEST_F(PuttingTest, PullDrag100ShowsPower50AndLaunchesAt2Point5) {
  PullDrag(100);
  EXPECT_DOUBLE_EQ(ball().speed, 50);
  OnLeftButtonUp();
  EXPECT_EQ(gs().clubpos, 50);
  RunUntilIdle();
  EXPECT_DOUBLE_EQ(ball().speed, 2.5);
  EXPECT_EQ(ball().strokes, 1);
}

TEST_F(PuttingTest, PullAimPointsAwayFromTheDragUnreduced) {
  PressOnBall();
  OnPointerMove(kSpotX + 50, kSpotY);  // dragged right: the shot goes left
  AimFrame();
  EXPECT_EQ(ball().angle, 128);
  OnPointerMove(kSpotX - 50, kSpotY);  // dragged left: 128 + 128, not reduced to 0
  AimFrame();
  EXPECT_EQ(ball().angle, 256);
}

TEST_F(PuttingTest, PullDragOf3PixelsAbandonsWithoutAStroke) {
  PullDrag(3);
  OnLeftButtonUp();
  EXPECT_EQ(gs().puttstage, 0);
  RunUntilIdle();
  AimFrame();
  EXPECT_FALSE(ball().moving);
  EXPECT_EQ(ball().strokes, 0);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{5});
}

TEST_F(PuttingTest, RightButtonDuringTheSwingAbandonsTheStroke) {
  PullDrag(200);
  OnLeftButtonUp();
  AimFrame();
  ASSERT_EQ(gs().puttstage, 2);
  OnRightButton();
  for (int i = 0; i < 50; ++i) AimFrame();
  EXPECT_FALSE(ball().moving);
  EXPECT_EQ(ball().strokes, 0);
}

TEST_F(PuttingTest, PressingOnTheBallDuringTheSwingAimsAgain) {
  PullDrag(200);
  OnLeftButtonUp();
  AimFrame();
  ASSERT_EQ(gs().puttstage, 2);
  PressOnBall();
  EXPECT_EQ(gs().puttstage, 1);
}

TEST_F(PuttingTest, RightButtonCancelsTheExitPromptWithAClick) {
  gs().exitconfirm = true;
  OnRightButton();
  EXPECT_FALSE(gs().exitconfirm);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{5});
  OnRightButton();
  EXPECT_EQ(sounds.Effects().size(), 1u);
}

TEST_F(PuttingTest, StrikeFromASlowZoneHops) {
  ball().wet = true;
  PullDrag(120);  // launch speed 3
  OnLeftButtonUp();
  RunUntilIdle();
  EXPECT_DOUBLE_EQ(ball().speed, 3);
  EXPECT_DOUBLE_EQ(ball().vz, 2.5);
  EXPECT_TRUE(ball().airborne);
}

TEST_F(PuttingTest, AReleaseUnderAPageDropsThePutt) {
  gs().gamestate = kHoleCard;
  PullDrag(100);
  OnLeftButtonUp();
  EXPECT_EQ(gs().puttstage, 0);
  for (int i = 0; i < 50; ++i) AimFrame();
  EXPECT_FALSE(ball().moving);
}

class PushPuttTest : public PuttingTest {
 protected:
  void SetUp() override {
    PuttingTest::SetUp();
    ball().pull = false;
  }
  // First click on the ball, second click fixing the direction (pointer parked).
  void PickAndFix() {
    OnPointerMove(400, 300);
    Click();
    ASSERT_EQ(gs().puttstage, 1);
    AimFrame();
    Click();
    ASSERT_EQ(gs().puttstage, 2);
  }
};

TEST_F(PushPuttTest, FirstClickAimsLeftAndSidewaysMovesTurnTheAim) {
  OnPointerMove(400, 300);
  OnLeftButtonDown();
  EXPECT_EQ(gs().puttstage, 0);  // the press alone does nothing
  OnLeftButtonUp();
  EXPECT_EQ(gs().puttstage, 1);
  EXPECT_EQ(gs().mousex, kSpotX);
  AimFrame();
  EXPECT_EQ(ball().angle, 128);
  OnPointerMove(kSpotX + 10, kSpotY);
  AimFrame();
  EXPECT_EQ(ball().angle, 118);
}

TEST_F(PushPuttTest, RefusedWhileBallsMove) {
  gs().ballsmoving = true;
  OnPointerMove(400, 300);
  Click();
  EXPECT_EQ(gs().puttstage, 0);
}

TEST_F(PushPuttTest, DrawBack44AndLastStep60LaunchAt2) {
  PickAndFix();
  OnPointerMove(kSpotX, kSpotY + 88);
  AimFrame();
  EXPECT_EQ(gs().puttstage, 3);
  EXPECT_DOUBLE_EQ(gs().pushpower, 0);  // stage 3 is handled from the next frame
  AimFrame();
  EXPECT_DOUBLE_EQ(gs().pushpower, 44);
  EXPECT_DOUBLE_EQ(ball().speed, 44);
  Click();
  EXPECT_EQ(gs().puttstage, 4);
  OnPointerMove(kSpotX, kSpotY + 28);  // still below the centre line
  AimFrame();
  EXPECT_EQ(gs().puttstage, 4);
  OnPointerMove(kSpotX, kSpotY - 32);  // a step of 60 across the line
  sounds.Clear();
  AimFrame();
  EXPECT_EQ(gs().puttstage, 0);
  EXPECT_DOUBLE_EQ(ball().speed, 2.0);  // min(60 / 10, 44 / 22)
  EXPECT_TRUE(ball().moving);
  EXPECT_EQ(ball().strokes, 1);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{0});
}

TEST_F(PushPuttTest, ThirdClickBeforeTheDrawBackDoesNothing) {
  PickAndFix();
  OnPointerMove(kSpotX, kSpotY + 30);  // power 15: not yet drawing back
  AimFrame();
  EXPECT_EQ(gs().puttstage, 2);
  EXPECT_DOUBLE_EQ(ball().speed, 15);
  Click();
  EXPECT_EQ(gs().puttstage, 2);
}

TEST_F(PushPuttTest, PowerShownIsAtLeast5) {
  PickAndFix();
  AimFrame();
  EXPECT_DOUBLE_EQ(ball().speed, 5);
}

TEST_F(PushPuttTest, SwingBeforeAnyDrawBackFrameLaunchesUncounted) {
  PickAndFix();
  OnPointerMove(kSpotX, kSpotY + 88);
  AimFrame();
  ASSERT_EQ(gs().puttstage, 3);
  Click();  // before any frame handled stage 3: pushpower still 0
  ASSERT_EQ(gs().puttstage, 4);
  OnPointerMove(kSpotX, kSpotY - 40);
  AimFrame();
  EXPECT_EQ(gs().puttstage, 0);
  EXPECT_TRUE(ball().moving);
  EXPECT_DOUBLE_EQ(ball().speed, 0);
  EXPECT_EQ(ball().strokes, 0);
}

// A pull putt dropped with the club still drawn back (a drag too short, the
// right button during the swing) must not keep the next push putt from striking.
TEST_F(PushPuttTest, StrikesAfterAPullPuttDroppedWithTheClubDrawnBack) {
  const struct {
    const char* name;
    int drag;
    bool right_button;
  } drops[] = {{"drag of 3 pixels", 3, false}, {"right button in the swing", 200, true}};
  for (const auto& d : drops) {
    SCOPED_TRACE(d.name);
    SetUp();
    ball().pull = true;
    PullDrag(d.drag);
    OnLeftButtonUp();
    if (d.right_button) {
      AimFrame();
      OnRightButton();
    }
    ASSERT_EQ(gs().puttstage, 0);
    ASSERT_GT(gs().clubpos, 0);
    ball().pull = false;  // F8
    PickAndFix();
    OnPointerMove(kSpotX, kSpotY + 88);
    AimFrame();
    AimFrame();
    Click();
    ASSERT_EQ(gs().puttstage, 4);
    OnPointerMove(kSpotX, kSpotY - 32);
    AimFrame();
    EXPECT_EQ(gs().puttstage, 0);
    EXPECT_TRUE(ball().moving);
    EXPECT_EQ(ball().strokes, 1);
  }
}

TEST_F(PushPuttTest, RightButtonAbandonsAnyStage) {
  PickAndFix();
  OnPointerMove(kSpotX, kSpotY + 88);
  AimFrame();
  AimFrame();
  Click();
  ASSERT_EQ(gs().puttstage, 4);
  OnRightButton();
  OnPointerMove(kSpotX, kSpotY - 40);
  AimFrame();
  EXPECT_FALSE(ball().moving);
  EXPECT_EQ(ball().strokes, 0);
}

}  // namespace
}  // namespace gp
