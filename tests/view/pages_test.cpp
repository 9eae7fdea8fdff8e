// The score details sheet, the putting help and the hole card.

#include "view/pages.h"

#include <gtest/gtest.h>

#include <string>

#include "app/frame_tick.h"
#include "app/game_window.h"
#include "game/setup.h"
#include "game/state.h"
#include "support/drawing_probe.h"
#include "support/game_reset.h"

namespace gp {
namespace {

using test::Blocks;
using test::PatternAt;
using test::TextAt;

constexpr uint16_t kSheetBase = 0x0100, kPullBase = 0x0200, kPushBase = 0x0300, kCardBase = 0x0400,
                   kMenuBase = 0x1000;
constexpr int kGlyphW = 6;
// The 600 x 360 sheet centred on 640 x 480.
constexpr int ox = 20, oy = 60;

class PagesTest : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ImageList& menu = gamewin().menu;
    menu.items.assign(6, ImageItem{});
    menu.items[2] = Blocks(1, 200, 100, kPullBase);
    menu.items[3] = Blocks(1, 300, 100, kPushBase);
    menu.items[4] = Blocks(1, 600, 360, kSheetBase);
    menu.items[5] = Blocks(67, kGlyphW, 8, kMenuBase);
    gamewin().course.items.assign(13, ImageItem{});
    gamewin().course.items[12] = Blocks(1, 320, 240, kCardBase);
    gamewin().display.Fill(0x7777);
  }
  static std::string Text(int x, int y, int max = 80) {
    return TextAt(x, y, kGlyphW, kMenuBase, max);
  }
  // Nothing but the sheet where a text would start.
  static bool Blank(int x, int y) { return PatternAt(x + kGlyphW, y, kSheetBase, 1) == 0; }
};

class PagesTest4 : public PagesTest {
 protected:
  int Players() const override { return 4; }
};

TEST_F(PagesTest, NothingOutsideThePageStates) {
  for (uint8_t state : {kPlay, kHoleFinished}) {
    gs().gamestate = state;
    PagesPhase(WindowScene(), true);
    EXPECT_EQ(test::Pixel(0, 0), 0x7777);
  }
}

TEST_F(PagesTest, PuttingHelpByMethodAndHoleCardCentredOnBlack) {
  gs().gamestate = kPuttingHelp;
  PagesPhase(WindowScene(), true);
  EXPECT_EQ(test::Pixel(0, 0), 0);
  EXPECT_EQ(PatternAt(220, 190, kPullBase, 1), 0);
  EXPECT_EQ(PatternAt(219, 190, kPullBase, 1), -1);

  gs().players[1].pull = false;
  PagesPhase(WindowScene(), true);
  EXPECT_EQ(PatternAt(170, 190, kPushBase, 1), 0);

  gs().gamestate = kHoleCard;
  PagesPhase(WindowScene(), true);
  EXPECT_EQ(PatternAt(160, 120, kCardBase, 1), 0);
  EXPECT_EQ(PatternAt(159, 120, kCardBase, 1), -1);
  EXPECT_EQ(PatternAt(220, 190, kPushBase, 1), -1);
}

TEST_F(PagesTest4, RowsForEveryPlayer) {
  gs().gamestate = kScoreDetails;
  gs().players[2].name = "Bartholomew the Bold";
  gs().players[3].total = 9;
  gs().players[4].total = 14;
  PagesPhase(WindowScene(), true);
  EXPECT_EQ(PatternAt(ox, oy, kSheetBase, 1), 0);
  EXPECT_EQ(Text(ox + 28, oy + 175), "PLAYER 1");
  EXPECT_EQ(Text(ox + 28, oy + 211), "BARTHOLOMEW TH");
  EXPECT_EQ(Text(ox + 28, oy + 247), "PLAYER 3");
  EXPECT_EQ(Text(ox + 28, oy + 283), "PLAYER 4");
  EXPECT_EQ(Text(ox + 534, oy + 247), "9");
  EXPECT_EQ(Text(ox + 526, oy + 283), "14");
}

// A computer player's name shows as typed, its skill in small letters under
// it; a person's row has nothing there.
TEST_F(PagesTest4, ComputerPlayersAreMarkedUnderTheirNames) {
  constexpr uint16_t kSmallBase = 0x2000;
  ImageList& gui = gamewin().gui;
  gui.items.resize(8);
  gui.items[7] = Blocks(67, kGlyphW, 8, kSmallBase);
  setup().computer = {kPerson, kAce, kRookie, kPro};
  gs().players[2].name = "Orbit";
  gs().gamestate = kScoreDetails;
  PagesPhase(WindowScene(), true);
  const auto mark = [](int row) { return TextAt(ox + 30, oy + row + 12, kGlyphW, kSmallBase); };
  EXPECT_EQ(Text(ox + 28, oy + 211), "ORBIT");
  EXPECT_EQ(mark(175), "");
  EXPECT_EQ(mark(211), "COMPUTER ACE");
  EXPECT_EQ(mark(247), "COMPUTER ROOKIE");
  EXPECT_EQ(mark(283), "COMPUTER PRO");
}

TEST_F(PagesTest, HoleCellsAndParsBlankWhenZero) {
  gs().gamestate = kScoreDetails;
  for (int j = 1; j <= 6; ++j) gs().holepar[j] = j % 3 + 2;
  gs().players[1].holestrokes[1] = 3;
  gs().players[1].holestrokes[2] = 0;  // bonus strokes brought it to 0
  gs().players[1].holestrokes[3] = 12;
  PagesPhase(WindowScene(), true);
  const int y = oy + 175;
  EXPECT_EQ(Text(ox + 39 + 128, y), "3");
  EXPECT_TRUE(Blank(ox + 78 + 128, y));
  EXPECT_EQ(Text(ox + 117 + 128, y), "12");
  EXPECT_EQ(Text(ox + 39 + 130, oy + 146), "3");
  EXPECT_EQ(Text(ox + 6 * 39 + 130, oy + 146), "2");
  EXPECT_TRUE(Blank(ox + 7 * 39 + 130, oy + 146));  // a six-hole game
}

TEST_F(PagesTest, TotalParOnlyOnceTheGameIsOver) {
  gs().gamestate = kScoreDetails;
  gs().totalpar = 9;
  PagesPhase(WindowScene(), true);
  EXPECT_TRUE(Blank(ox + 536, oy + 146));
  gs().gameover = true;
  PagesPhase(WindowScene(), true);
  EXPECT_EQ(Text(ox + 536, oy + 146), "9");
  gs().totalpar = 18;
  PagesPhase(WindowScene(), true);
  EXPECT_EQ(Text(ox + 528, oy + 146), "18");
}

TEST_F(PagesTest4, HolesWonOnlyForMostHolesWon) {
  gs().gamestate = kScoreDetails;
  gs().players[2].holeswon = 3;
  PagesPhase(WindowScene(), true);
  EXPECT_TRUE(Blank(ox + 572, oy + 211));  // lowest score
  setup().scoring = 1;
  PagesPhase(WindowScene(), true);
  EXPECT_EQ(Text(ox + 572, oy + 211), "3");
  EXPECT_EQ(Text(ox + 572, oy + 175), "0");
}

TEST_F(PagesTest, NoHolesWonColumnForOnePlayer) {
  gs().gamestate = kScoreDetails;
  setup().scoring = 1;
  gs().players[1].holeswon = 2;
  PagesPhase(WindowScene(), true);
  EXPECT_TRUE(Blank(ox + 572, oy + 175));
}

TEST_F(PagesTest4, StandingsLineCutTo39Characters) {
  gs().gamestate = kScoreDetails;
  RestartMessage("BONUS STROKE");
  PagesPhase(WindowScene(), true);
  EXPECT_EQ(gs().message, "LEADER - PLAYER 1 PLAYER 2 PLAYER 3 PLAYER 4 ");
  EXPECT_EQ(Text(ox + 154, oy + 319), "LEADER - PLAYER 1 PLAYER 2 PLAYER 3 PLA");
}

TEST_F(PagesTest, SinglePlayerFinalLine) {
  gs().gamestate = kScoreDetails;
  gs().gameover = true;
  gs().players[1].topar = 3;
  PagesPhase(WindowScene(), true);
  EXPECT_EQ(Text(ox + 154, oy + 319), "SCORE 3 OVER - RANK GREENSKEEPER");
}

}  // namespace
}  // namespace gp
