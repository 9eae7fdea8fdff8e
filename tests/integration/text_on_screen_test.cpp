// The game's own fonts and texts on the smallest screen: every big message
// fits 640 x 480 whole, the score sheet's texts stay on the sheet, and every
// character a name can hold has a glyph on the panel and the sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/frame_tick.h"
#include "base/text_encoding.h"
#include "game/names.h"
#include "integration/game_driver.h"
#include "media/bitmap_text.h"
#include "sim/scoring.h"
#include "view/hud.h"
#include "view/pages.h"

namespace gp {
namespace {

using testing::GameDriver;
using testing::MissingData;

class TextOnScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(MissingData({"course1hole1"}), "");
    GameSetup s;
    s.numplayers = 4;
    ASSERT_TRUE(game.Open(s, "course1hole1"));
    game.ClickAway();  // the hole card
  }
  static Display& Screen() { return gamewin().display; }
  // The leftmost and rightmost columns with anything drawn; -1, -1 for none.
  static std::pair<int, int> InkColumns() {
    const Display& d = Screen();
    int left = -1, right = -1;
    for (int x = 0; x < d.SurfaceWidth(); ++x) {
      for (int y = 0; y < d.SurfaceHeight(); ++y) {
        if (d.Pixels()[static_cast<size_t>(y) * d.Pitch() + x] != 0) {
          if (left < 0) left = x;
          right = x;
          break;
        }
      }
    }
    return {left, right};
  }

  GameDriver game;
};

TEST_F(TextOnScreenTest, EveryBigMessageFitsTheSmallestScreen) {
  ASSERT_EQ(Screen().SurfaceWidth(), 640);
  std::vector<std::string> texts = {"HOLE IN ONE",           "OVER STROKE LIMIT",
                                    "PENALTY STROKE",        "BONUS STROKE",
                                    "BONUS HOLE DISCOVERED", "PRESS ENTER TO CONFIRM EXIT"};
  for (int d = -2; d <= 4; ++d) texts.push_back(ResultName(d));
  GameState& g = gs();
  for (const std::string& text : texts) {
    // Both passes as far right as the shimmer takes them.
    g.bigmessage = text;
    g.bigmessagefade = 255;
    g.shimmerx1 = 1;
    g.shimmerx2 = 3;
    g.shimmery2 = 1;
    g.messagepos = -1;
    Screen().Fill(0);
    DrawMessages(WindowScene());
    const auto [left, right] = InkColumns();
    ASSERT_GE(left, 0) << text << ": nothing drawn";
    EXPECT_GE(left, 2) << text;
    EXPECT_LE(right, 637) << text << " runs past the right edge";
  }
}

TEST_F(TextOnScreenTest, ScoreSheetTextsStayOnTheSheet) {
  GameState& g = gs();
  for (int p = 1; p <= 4; ++p) {
    g.players[p].name = std::string(20, '\xC6');  // wider than the sheet shows (14)
    g.players[p].total = 99;
    g.players[p].holeswon = 9;
    for (int j = 1; j <= 9; ++j) g.players[p].holestrokes[j] = 9;
  }
  setup().scoring = 1;  // the holes-won column too
  g.gameover = true;
  g.totalpar = 99;
  g.gamestate = kScoreDetails;
  g.message = std::string(60, 'W');
  Screen().Fill(0);
  DrawPages(WindowScene());
  const ImageItem* sheet = gamewin().menu.Item(4);
  ASSERT_NE(sheet, nullptr);
  const auto [left, right] = InkColumns();
  EXPECT_EQ(left, (640 - sheet->Width()) / 2);
  EXPECT_EQ(right, (640 - sheet->Width()) / 2 + sheet->Width() - 1);  // nothing beyond it
}

// Whether pattern n of a font has any pixel but its colour key.
bool HasInk(const ImageItem& font, int n) {
  for (int y = 0; y < font.Height(); ++y) {
    for (int x = 0; x < font.Width(); ++x) {
      if (PicturePixel(font, font.PatternX(n) + x, font.PatternY(n) + y) != font.transparentcolor) {
        return true;
      }
    }
  }
  return false;
}

TEST_F(TextOnScreenTest, EveryCharacterANameCanHoldHasAGlyph) {
  const ImageItem* small = gamewin().gui.Item(7);
  const ImageItem* sheet = gamewin().menu.Item(5);
  ASSERT_TRUE(small && sheet);
  for (const ImageItem* font : {small, sheet}) {
    EXPECT_EQ(font->PatternCount(), 67 + kMoreGlyphCount);
    for (int b = 0x21; b <= 0xFF; ++b) {
      if (!WesternPrintable(static_cast<unsigned char>(b)) || b == 0xA0) continue;
      const std::string capital = Capitalized(std::string(1, static_cast<char>(b)));
      const int n = TextGlyph(capital[0], font->PatternCount());
      EXPECT_TRUE(n != 30 && HasInk(*font, n)) << "byte 0x" << std::hex << b;
    }
  }
}

TEST_F(TextOnScreenTest, AccentedNameOnThePanelIsNoGap) {
  // The panel's line shows "1. <NAME> (0)" while the pointer rests on no button:
  // glyph k of it at (116 + 6 k, 31), so the name's i-th character at 116 + 6 (4 + i).
  GameState& g = gs();
  auto cell = [&](const std::string& name, int i) {
    g.players[g.curplayer].name = name;
    g.messagepos = -1;
    g.mousex = 400;
    g.mousey = 400;
    Screen().Fill(0);
    DrawHudPanel(WindowScene());
    std::vector<uint16_t> pixels;
    for (int y = 31; y < 41; ++y) {
      for (int x = 116 + 6 * (4 + i); x < 116 + 6 * (5 + i); ++x) {
        pixels.push_back(Screen().Pixels()[static_cast<size_t>(y) * Screen().Pitch() + x]);
      }
    }
    return pixels;
  };
  for (const std::string& name : {std::string("Zo\xEB"), std::string("\x80\x85\x93"),
                                  std::string("\x9A\x9C\xFF"), std::string("\xDF\xB5\xA7")}) {
    for (int i = 0; i < 3; ++i) EXPECT_NE(cell(name, i), cell("   ", i)) << name << " at " << i;
  }
}

}  // namespace
}  // namespace gp
