#include "app/keys.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/frame_tick.h"
#include "game/sound.h"
#include "game/state.h"
#include "platform/platform.h"
#include "app/game_window.h"
#include "sim/progression.h"
#include "support/game_reset.h"

namespace gp {
namespace {

const std::string kPad(27, ' ');

class KeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::FreshState();
    gamewin().timer.enabled = true;
    gamewin().timer.interval = 0;
    sounds_.clear();
    SetSoundObserver([this](const SoundRequest& r) { sounds_.push_back(r); });
  }
  void TearDown() override { SetSoundObserver(nullptr); }

  int Count(SoundList list, int index, SoundOp op) const {
    int n = 0;
    for (const SoundRequest& r : sounds_) n += r.list == list && r.index == index && r.op == op;
    return n;
  }
  int Clicks() const { return Count(SoundList::Effects, 5, SoundOp::Play); }

  std::vector<SoundRequest> sounds_;
};

TEST_F(KeysTest, EscapeThenOtherKeyCancelsWithoutActing) {
  OnKeyDown(kKeyEsc);
  EXPECT_TRUE(gs().exitconfirm);
  OnKeyDown(kKeySpace);
  EXPECT_FALSE(gs().exitconfirm);
  EXPECT_FALSE(gs().panelmin);  // the cancelling key does nothing else
  EXPECT_EQ(Clicks(), 2);
  EXPECT_FALSE(gs().leaverequest);
}

TEST_F(KeysTest, EscapeThenEnterLeaves) {
  OnKeyDown(kKeyEsc);
  OnKeyDown(kKeyEnter);
  EXPECT_TRUE(gs().leaverequest);
  CarryOutRequests();  // the window stops its timer before it closes
  EXPECT_FALSE(gamewin().timer.enabled);
  EXPECT_FALSE(gs().enterdown);
  EXPECT_EQ(Clicks(), 2);
}

TEST_F(KeysTest, EnterAloneShowsNameTagsWhileHeld) {
  OnKeyDown(kKeyEnter);
  EXPECT_TRUE(gs().enterdown);
  EXPECT_FALSE(gs().leaverequest);
  OnKeyUp(kKeyEnter);
  EXPECT_FALSE(gs().enterdown);
}

TEST_F(KeysTest, PagesNeedStillBalls) {
  gs().ballsmoving = true;
  for (int key : {kKeyF1, kKeyPageUp, kKeyEnd, kKeyHome, kKeyUp}) OnKeyDown(key);
  EXPECT_EQ(gs().gamestate, kPlay);
  EXPECT_FALSE(gs().centreview);
  EXPECT_FALSE(gs().keyup);
  EXPECT_EQ(Clicks(), 0);  // not even a click

  gs().ballsmoving = false;
  OnKeyDown(kKeyF1);
  EXPECT_EQ(gs().gamestate, kPuttingHelp);
  OnKeyDown('A');  // any key closes the help
  EXPECT_EQ(gs().gamestate, kPlay);
  OnKeyDown(kKeyPageUp);
  EXPECT_EQ(gs().gamestate, kHoleCard);
  OnKeyDown(kKeyEsc);  // closes the card, does not ask to leave
  EXPECT_EQ(gs().gamestate, kPlay);
  EXPECT_FALSE(gs().exitconfirm);
  OnKeyDown(kKeyEnd);
  EXPECT_EQ(gs().gamestate, kScoreDetails);
}

TEST_F(KeysTest, F8TogglesMethodTwiceWithBothMessages) {
  gs().curplayer = 2;
  gs().players[2].pull = true;
  OnKeyDown(kKeyF8);
  EXPECT_FALSE(gs().players[2].pull);
  EXPECT_EQ(gs().message, kPad + "PUSH PUTT METHOD");
  EXPECT_EQ(gs().messagepos, 0);
  OnKeyDown(kKeyF8);
  EXPECT_TRUE(gs().players[2].pull);
  EXPECT_EQ(gs().message, kPad + "PULL PUTT METHOD");
  EXPECT_TRUE(gs().players[1].pull);  // only the current player changes
}

TEST_F(KeysTest, F8WorksUnderTheHelpPageAndKeepsIt) {
  gs().gamestate = kPuttingHelp;
  OnKeyDown(kKeyF8);
  EXPECT_EQ(gs().gamestate, kPuttingHelp);
  EXPECT_FALSE(gs().players[1].pull);
}

TEST_F(KeysTest, F5CyclesFrameLimit) {
  FrameTimer& t = gamewin().timer;
  const std::pair<int, const char*> expected[] = {
      {66, "FRAME LIMITING 15 FPS"}, {33, "FRAME LIMITING 30 FPS"}, {0, "FRAME LIMITING 60 FPS"}};
  for (const auto& [interval, text] : expected) {
    OnKeyDown(kKeyF5);
    EXPECT_EQ(t.interval, interval);
    EXPECT_EQ(gs().message, kPad + text);
  }
}

TEST_F(KeysTest, F4ClicksOnlyWhenSwitchingOn) {
  OnKeyDown(kKeyF4);
  EXPECT_FALSE(gs().soundon);
  EXPECT_EQ(gs().message, kPad + "SOUND OFF");
  EXPECT_EQ(Clicks(), 0);
  EXPECT_EQ(Count(SoundList::Background, 0, SoundOp::Stop), 1);
  OnKeyDown(kKeyF4);
  EXPECT_TRUE(gs().soundon);
  EXPECT_EQ(gs().message, kPad + "SOUND ON");
  EXPECT_EQ(Clicks(), 1);
  EXPECT_EQ(Count(SoundList::Background, 0, SoundOp::Play), 1);
}

TEST_F(KeysTest, F3WhileSoundOffChangesFlagButPlaysNothing) {
  gs().soundon = false;
  OnKeyDown(kKeyF3);
  EXPECT_FALSE(gs().bgsoundon);
  EXPECT_EQ(gs().message, kPad + "BACKGROUND SOUND OFF");
  OnKeyDown(kKeyF3);
  EXPECT_TRUE(gs().bgsoundon);
  EXPECT_EQ(gs().message, kPad + "BACKGROUND SOUND ON");
  EXPECT_EQ(Count(SoundList::Background, 0, SoundOp::Play), 0);
  EXPECT_EQ(Clicks(), 0);
}

TEST_F(KeysTest, HoleFinishedIgnoresKeysAndGameOverLeaves) {
  gs().gamestate = kHoleFinished;
  OnKeyDown(kKeyEsc);
  OnKeyDown(kKeySpace);
  EXPECT_FALSE(gs().exitconfirm);
  EXPECT_FALSE(gs().panelmin);
  EXPECT_EQ(gs().gamestate, kHoleFinished);
  EXPECT_FALSE(gs().leaverequest);

  gs().gamestate = kScoreDetails;
  gs().gameover = true;
  OnKeyDown(kKeySpace);
  EXPECT_TRUE(gs().leaverequest);
  CarryOutRequests();  // the window stops its timer before it closes
  EXPECT_FALSE(gamewin().timer.enabled);
}

TEST_F(KeysTest, ExitPromptRaisedBeforeTheHoleEndedCanBeAnsweredBetweenHoles) {
  OnKeyDown(kKeyEsc);  // while the last ball rolls in
  gs().gamestate = kHoleFinished;
  OnKeyDown(kKeySpace);  // cancels the prompt, nothing else
  EXPECT_FALSE(gs().exitconfirm);
  EXPECT_FALSE(gs().panelmin);
  OnKeyDown(kKeyEsc);  // no new prompt between holes
  EXPECT_FALSE(gs().exitconfirm);

  gs().exitconfirm = true;
  OnKeyDown(kKeyEnter);
  EXPECT_TRUE(gs().leaverequest);
}

TEST_F(KeysTest, ArrowReleasedWhileMovingStaysHeld) {
  OnKeyDown(kKeyLeft);
  OnKeyDown(kKeyDown);
  EXPECT_TRUE(gs().keyleft);
  EXPECT_TRUE(gs().keydown);
  gs().ballsmoving = true;
  OnKeyUp(kKeyLeft);
  EXPECT_TRUE(gs().keyleft);
  gs().ballsmoving = false;
  OnKeyUp(kKeyDown);
  EXPECT_FALSE(gs().keydown);
}

TEST_F(KeysTest, SpaceAndHome) {
  OnKeyDown(kKeySpace);
  EXPECT_TRUE(gs().panelmin);
  OnKeyDown(kKeyHome);
  EXPECT_TRUE(gs().centreview);
  OnKeyDown(kKeySpace);
  EXPECT_FALSE(gs().panelmin);
}

}  // namespace
}  // namespace gp
