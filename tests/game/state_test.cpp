#include <gtest/gtest.h>

#include "game/setup.h"
#include "game/state.h"

namespace gp {
namespace {

class StateTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetGameState(); }
};

TEST_F(StateTest, ResetRestoresProgramStart) {
  GameState& g = gs();
  g.players[3].x = 77;
  g.areas[99].kind = 24;
  g.areas[99].comment = "x";
  g.sprites[50].image = 5;
  g.message = "hello";
  g.nextsprite = 17;
  ResetGameState();
  EXPECT_EQ(g.players[3].x, 0);
  EXPECT_EQ(g.players[3].lastarea, -1);
  EXPECT_EQ(g.players[3].ballrows, 15);
  EXPECT_EQ(g.areas[99].kind, 0);
  EXPECT_TRUE(g.areas[99].comment.empty());
  EXPECT_EQ(g.sprites[50].image, 0);
  EXPECT_EQ(g.messagepos, -1);
  EXPECT_EQ(g.nextsprite, 1);
  EXPECT_EQ(g.beststrokes, 99);
}

TEST_F(StateTest, TransientSpritesWrapAfterThirty) {
  for (int i = 1; i <= 30; ++i) EXPECT_EQ(SpawnSprite(i, i, 3, false, 0), i);
  EXPECT_EQ(gs().nextsprite, 1);
  // The 31st overwrites the oldest, slot 1; the hole's slots above 30 are untouched.
  EXPECT_EQ(SpawnSprite(500, 600, 13, true, 192), 1);
  EXPECT_EQ(gs().sprites[1].x, 500);
  EXPECT_EQ(gs().sprites[1].p1, 192);
  EXPECT_TRUE(gs().sprites[1].loop);
  EXPECT_EQ(gs().sprites[1].frame, 0);
  EXPECT_EQ(gs().sprites[31].x, 0);
}

TEST_F(StateTest, TextSlotsInOrder) {
  *TextSlot(0) = "course4hole4";
  *TextSlot(5) = "line";
  *TextSlot(7) = "BIG";
  EXPECT_EQ(gs().nexthole, "course4hole4");
  EXPECT_EQ(gs().message, "line");
  EXPECT_EQ(gs().bigmessage, "BIG");
  EXPECT_EQ(TextSlot(-1), nullptr);
  EXPECT_EQ(TextSlot(8), nullptr);
  for (int s = 1; s <= 6; ++s) {
    if (s != 5) {
      EXPECT_NE(TextSlot(s), nullptr);
    }
  }
}

TEST_F(StateTest, MessagesScrollInFromTheRight) {
  RestartMessage("SOUND ON");
  EXPECT_EQ(gs().message, std::string(27, ' ') + "SOUND ON");
  EXPECT_EQ(gs().messagepos, 0);
  ShowBigMessage("PAR");
  EXPECT_EQ(gs().bigmessage, "PAR");
  EXPECT_EQ(gs().bigmessagefade, 255);
}

TEST(SetupTest, FirstRunChoicesAndFallbacks) {
  const GameSetup d;
  EXPECT_EQ(d.displaywidth, 640);
  EXPECT_TRUE(d.fastwrites);
  EXPECT_EQ(d.playername[3], "Player 4");
  EXPECT_EQ(d.strokelimit, "9");
  EXPECT_EQ(d.skin, "[default interface]");
  EXPECT_EQ(d.computer, (std::array<int, 4>{}));  // every player a person

  GameSetup bad;
  bad.displaywidth = 1920;
  bad.displayheight = 1080;
  bad.numplayers = 0;
  bad.frameinterval = 10;
  bad.startplayer = 7;
  bad.strokelimit = "";
  bad.computer = {-1, 4, kAce, kRookie};
  const GameSetup s = Sanitized(bad);
  EXPECT_EQ(s.computer, (std::array<int, 4>{kPerson, kPerson, kAce, kRookie}));
  EXPECT_EQ(s.displaywidth, 640);
  EXPECT_EQ(s.displayheight, 480);
  EXPECT_EQ(s.numplayers, 1);
  EXPECT_EQ(s.frameinterval, 0);
  EXPECT_EQ(s.startplayer, 0);
  EXPECT_EQ(s.strokelimit, "9");
  EXPECT_EQ(StrokeLimit(s), 9);

  GameSetup six;
  six.strokelimit = "6";
  six.numplayers = 4;
  six.displaywidth = 512;
  six.displayheight = 384;
  const GameSetup t = Sanitized(six);
  EXPECT_EQ(StrokeLimit(t), 6);
  EXPECT_EQ(t.numplayers, 4);
  EXPECT_EQ(t.displaywidth, 512);

  // A course position stands only with the course's folder.
  GameSetup course;
  course.course = 3;
  EXPECT_EQ(Sanitized(course).course, 0);
  course.coursefolder = "/data/courses/run/";
  EXPECT_EQ(Sanitized(course).course, 3);
  EXPECT_EQ(Sanitized(course).coursefolder, "/data/courses/run/");
}

}  // namespace
}  // namespace gp
