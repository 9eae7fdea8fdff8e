#include "app/keys.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/frame_tick.h"
#include "game/sound.h"
#include "game/state.h"
#include "platform/platform.h"
#include "app/game_window.h"
#include "sim/progression.h"

namespace gp {
namespace {

const std::string kPad(27, ' ');

class KeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    gs().leaverequest = false;
    mainwin().gengine.enabled = true;
    mainwin().gengine.interval = 0;
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
  FormKeyDown(kKeyEsc);
  EXPECT_TRUE(gs().exitconfirm);
  FormKeyDown(kKeySpace);
  EXPECT_FALSE(gs().exitconfirm);
  EXPECT_FALSE(gs().panelmin);  // the cancelling key does nothing else
  EXPECT_EQ(Clicks(), 2);
  EXPECT_FALSE(gs().leaverequest);
}

TEST_F(KeysTest, EscapeThenEnterLeaves) {
  FormKeyDown(kKeyEsc);
  FormKeyDown(kKeyEnter);
  EXPECT_TRUE(gs().leaverequest);
  CarryOutRequests();  // the window stops its timer before it closes
  EXPECT_FALSE(mainwin().gengine.enabled);
  EXPECT_FALSE(gs().enterdown);
  EXPECT_EQ(Clicks(), 2);
}

TEST_F(KeysTest, EnterAloneShowsNameTagsWhileHeld) {
  FormKeyDown(kKeyEnter);
  EXPECT_TRUE(gs().enterdown);
  EXPECT_FALSE(gs().leaverequest);
  FormKeyUp(kKeyEnter);
  EXPECT_FALSE(gs().enterdown);
}

TEST_F(KeysTest, PagesNeedStillBalls) {
  gs().ballsmoving = true;
  for (int key : {kKeyF1, kKeyPageUp, kKeyEnd, kKeyHome, kKeyUp}) FormKeyDown(key);
  EXPECT_EQ(gs().gamestate, kPlay);
  EXPECT_FALSE(gs().centreview);
  EXPECT_FALSE(gs().keyup);
  EXPECT_EQ(Clicks(), 0);  // not even a click

  gs().ballsmoving = false;
  FormKeyDown(kKeyF1);
  EXPECT_EQ(gs().gamestate, kPuttingHelp);
  FormKeyDown('A');  // any key closes the help
  EXPECT_EQ(gs().gamestate, kPlay);
  FormKeyDown(kKeyPageUp);
  EXPECT_EQ(gs().gamestate, kHoleCard);
  FormKeyDown(kKeyEsc);  // closes the card, does not ask to leave
  EXPECT_EQ(gs().gamestate, kPlay);
  EXPECT_FALSE(gs().exitconfirm);
  FormKeyDown(kKeyEnd);
  EXPECT_EQ(gs().gamestate, kScoreDetails);
}

TEST_F(KeysTest, F8TogglesMethodTwiceWithBothMessages) {
  gs().curplayer = 2;
  gs().players[2].pull = true;
  FormKeyDown(kKeyF8);
  EXPECT_FALSE(gs().players[2].pull);
  EXPECT_EQ(gs().message, kPad + "PUSH PUTT METHOD");
  EXPECT_EQ(gs().messagepos, 0);
  FormKeyDown(kKeyF8);
  EXPECT_TRUE(gs().players[2].pull);
  EXPECT_EQ(gs().message, kPad + "PULL PUTT METHOD");
  EXPECT_TRUE(gs().players[1].pull);  // only the current player changes
}

TEST_F(KeysTest, F8WorksUnderTheHelpPageAndKeepsIt) {
  gs().gamestate = kPuttingHelp;
  FormKeyDown(kKeyF8);
  EXPECT_EQ(gs().gamestate, kPuttingHelp);
  EXPECT_FALSE(gs().players[1].pull);
}

TEST_F(KeysTest, F5CyclesFrameLimit) {
  FrameTimer& t = mainwin().gengine;
  const std::pair<int, const char*> expected[] = {
      {66, "FRAME LIMITING 15 FPS"}, {33, "FRAME LIMITING 30 FPS"}, {0, "FRAME LIMITING 60 FPS"}};
  for (const auto& [interval, text] : expected) {
    FormKeyDown(kKeyF5);
    EXPECT_EQ(t.interval, interval);
    EXPECT_EQ(gs().message, kPad + text);
  }
}

TEST_F(KeysTest, F4ClicksOnlyWhenSwitchingOn) {
  FormKeyDown(kKeyF4);
  EXPECT_FALSE(gs().soundon);
  EXPECT_EQ(gs().message, kPad + "SOUND OFF");
  EXPECT_EQ(Clicks(), 0);
  EXPECT_EQ(Count(SoundList::Background, 0, SoundOp::Stop), 1);
  FormKeyDown(kKeyF4);
  EXPECT_TRUE(gs().soundon);
  EXPECT_EQ(gs().message, kPad + "SOUND ON");
  EXPECT_EQ(Clicks(), 1);
  EXPECT_EQ(Count(SoundList::Background, 0, SoundOp::Play), 1);
}

TEST_F(KeysTest, F3WhileSoundOffChangesFlagButPlaysNothing) {
  gs().soundon = false;
  FormKeyDown(kKeyF3);
  EXPECT_FALSE(gs().bgsoundon);
  EXPECT_EQ(gs().message, kPad + "BACKGROUND SOUND OFF");
  FormKeyDown(kKeyF3);
  EXPECT_TRUE(gs().bgsoundon);
  EXPECT_EQ(gs().message, kPad + "BACKGROUND SOUND ON");
  EXPECT_EQ(Count(SoundList::Background, 0, SoundOp::Play), 0);
  EXPECT_EQ(Clicks(), 0);
}

TEST_F(KeysTest, HoleFinishedIgnoresKeysAndGameOverLeaves) {
  gs().gamestate = kHoleFinished;
  FormKeyDown(kKeyEsc);
  FormKeyDown(kKeySpace);
  EXPECT_FALSE(gs().exitconfirm);
  EXPECT_FALSE(gs().panelmin);
  EXPECT_EQ(gs().gamestate, kHoleFinished);
  EXPECT_FALSE(gs().leaverequest);

  gs().gamestate = kScoreDetails;
  gs().gameover = true;
  FormKeyDown(kKeySpace);
  EXPECT_TRUE(gs().leaverequest);
  CarryOutRequests();  // the window stops its timer before it closes
  EXPECT_FALSE(mainwin().gengine.enabled);
}

TEST_F(KeysTest, ExitPromptRaisedBeforeTheHoleEndedCanBeAnsweredBetweenHoles) {
  FormKeyDown(kKeyEsc);  // while the last ball rolls in
  gs().gamestate = kHoleFinished;
  FormKeyDown(kKeySpace);  // cancels the prompt, nothing else
  EXPECT_FALSE(gs().exitconfirm);
  EXPECT_FALSE(gs().panelmin);
  FormKeyDown(kKeyEsc);  // no new prompt between holes
  EXPECT_FALSE(gs().exitconfirm);

  gs().exitconfirm = true;
  FormKeyDown(kKeyEnter);
  EXPECT_TRUE(gs().leaverequest);
}

TEST_F(KeysTest, ArrowReleasedWhileMovingStaysHeld) {
  FormKeyDown(kKeyLeft);
  FormKeyDown(kKeyDown);
  EXPECT_TRUE(gs().keyleft);
  EXPECT_TRUE(gs().keydown);
  gs().ballsmoving = true;
  FormKeyUp(kKeyLeft);
  EXPECT_TRUE(gs().keyleft);
  gs().ballsmoving = false;
  FormKeyUp(kKeyDown);
  EXPECT_FALSE(gs().keydown);
}

TEST_F(KeysTest, SpaceAndHome) {
  FormKeyDown(kKeySpace);
  EXPECT_TRUE(gs().panelmin);
  FormKeyDown(kKeyHome);
  EXPECT_TRUE(gs().centreview);
  FormKeyDown(kKeySpace);
  EXPECT_FALSE(gs().panelmin);
}

}  // namespace
}  // namespace gp
