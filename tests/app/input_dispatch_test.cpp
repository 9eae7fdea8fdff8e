// Input events through the game window's dispatch, as the real loop delivers
// them: repeated pointer positions, the push putt between holes, and the
// pointer leaving and entering the window.

#include <gtest/gtest.h>

#include "app/game_loop.h"
#include "game/putt_stages.h"
#include "game/state.h"
#include "sim/camera.h"
#include "sim/putting.h"
#include "support/game_reset.h"

namespace gp {
namespace {

class DispatchTest : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    Ball& b = gs().players[1];
    b.x = b.checkx = b.backx = 320;
    b.y = b.checky = b.backy = 240;
    b.pull = false;
  }
  static void Send(InputEvent::Type type, int x = 0, int y = 0) {
    InputEvent ev;
    ev.type = type;
    ev.x = x;
    ev.y = y;
    DispatchInput(ev);
  }
  static void Move(int x, int y) { Send(InputEvent::Type::MouseMove, x, y); }
  static void Click(int x, int y) {
    Send(InputEvent::Type::ButtonDown, x, y);
    Send(InputEvent::Type::ButtonUp, x, y);
  }
  // A push putt up to the swing: picked at the ball, aimed left, drawn back
  // 176 pixels (power 88), the third click. The pointer rests below the centre.
  static void PushToTheSwing() {
    Move(320, 240);
    Click(320, 240);
    AimFrame();
    Click(320, 240);
    Move(320, 416);
    AimFrame();  // the draw-back begins
    AimFrame();  // and is measured
    Click(320, 416);
    ASSERT_EQ(gs().puttstage, kPushSwing);
    ASSERT_EQ(gs().pushpower, 88);
    Move(320, 250);
    AimFrame();  // still below the centre: no stroke
    ASSERT_EQ(gs().puttstage, kPushSwing);
  }
};

TEST_F(DispatchTest, RepeatedPointerPositionIsNoMove) {
  PushToTheSwing();
  // A step of 20 pixels over the centre line, then the same position again
  // (a movement that rounds to no pixel, or a pointer held at an edge).
  Move(320, 230);
  Move(320, 230);
  EXPECT_EQ(gs().mousestep, 20);
  AimFrame();
  const Ball& b = gs().players[1];
  EXPECT_TRUE(b.moving);
  EXPECT_DOUBLE_EQ(b.speed, 2.0);  // 20 / 10, below the draw-back's 88 / 22
  EXPECT_EQ(b.strokes, 1);
}

TEST_F(DispatchTest, RepeatedPositionBeforeAnyMoveChangesNothing) {
  GameState& g = gs();
  g.mousex = 100;
  g.mousey = 50;
  g.mousestep = 7;
  Move(100, 50);
  EXPECT_EQ(g.mousestep, 7);
  Move(103, 54);
  EXPECT_EQ(g.mousestep, 5);
}

TEST_F(DispatchTest, PushPuttStartsBetweenHoles) {
  gs().gamestate = kHoleFinished;
  Move(330, 245);
  Click(330, 245);
  EXPECT_EQ(gs().puttstage, kPushDirection);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{5});
  // The pull putt's press is still refused there.
  gs().puttstage = kIdle;
  gs().players[1].pull = true;
  Send(InputEvent::Type::ButtonDown, 330, 245);
  EXPECT_EQ(gs().puttstage, kIdle);
}

TEST_F(DispatchTest, EdgesDoNotScrollWhileThePointerIsOutside) {
  GameState& g = gs();
  g.coursewidth = 2000;
  g.courseheight = 2000;
  g.viewx = g.viewy = 500;
  g.centreview = false;
  Move(0, 0);  // last seen in the corner, then gone
  Send(InputEvent::Type::PointerLeave);
  EXPECT_TRUE(g.pointerout);
  for (int i = 0; i < 30; ++i) UpdateView();
  EXPECT_EQ(g.viewx, 500);
  EXPECT_EQ(g.viewy, 500);
  // The arrow keys still scroll.
  g.keyright = true;
  for (int i = 0; i < 30; ++i) UpdateView();
  EXPECT_GT(g.viewx, 500);
  g.keyright = false;
  g.scrollvx = 0;
  const int x = g.viewx;
  Send(InputEvent::Type::PointerEnter);
  EXPECT_FALSE(g.pointerout);
  for (int i = 0; i < 30; ++i) UpdateView();
  EXPECT_LT(g.viewx, x);
  EXPECT_LT(g.viewy, 500);
}

// F12's picture is the platform's: the game only says how it went, and the event is no
// key (it neither leaves the hole card nor a finished game).
TEST_F(DispatchTest, ScreenshotsAreSaidOnTheMessageLineAndAreNoKey) {
  GameState& g = gs();
  g.gamestate = kHoleCard;
  Send(InputEvent::Type::ScreenshotSaved);
  EXPECT_EQ(g.gamestate, kHoleCard);
  EXPECT_EQ(g.messagepos, 0);
  EXPECT_NE(g.message.find("SCREENSHOT SAVED"), std::string::npos) << g.message;
  g.gamestate = kScoreDetails;
  g.gameover = true;
  Send(InputEvent::Type::ScreenshotFailed);
  EXPECT_FALSE(g.leaverequest);
  EXPECT_EQ(g.gamestate, kScoreDetails);
  EXPECT_NE(g.message.find("SCREENSHOT NOT SAVED"), std::string::npos) << g.message;
}

}  // namespace
}  // namespace gp
