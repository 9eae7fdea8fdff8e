#include "media/bitmap_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace gp {
namespace {

// A font of `count` glyphs, each w x 2 pixels filled with the native value
// glyph + 1 (so the drawn glyph can be read back from the buffer).
ImageItem Font(int count, int w) {
  ImageItem f;
  f.picture.width = count * w;
  f.picture.height = 2;
  f.picture.pixels.resize(static_cast<size_t>(count) * w * 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < count * w; ++x) {
      const int v = x / w + 1;  // native: blue 5 bits, then green
      f.picture.pixels[y * count * w + x] = uint32_t((v & 31) << 3 | (v & 31) >> 2) << 16 |
                                            uint32_t((v >> 5) << 2 | (v >> 5) >> 4) << 8;
    }
  f.patternwidth = w;
  PrepareItem(f);
  return f;
}

class TextTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(d.Start(nullptr, 120, 4, false)); }
  // The glyph drawn with its top-left corner at x (-1 = nothing).
  int GlyphAt(int x) const { return d.Pixels()[x] - 1; }
  Display d;
};

TEST(GlyphOrder, HasSixtySevenCharactersInTheirPlaces) {
  EXPECT_EQ(std::strlen(kGlyphOrder), 67u);
  EXPECT_EQ(kGlyphOrder[26], '"');
  EXPECT_EQ(kGlyphOrder[29], ' ');
  EXPECT_EQ(kGlyphOrder[31], '0');
  EXPECT_EQ(kGlyphOrder[43], '=');
  EXPECT_EQ(kGlyphOrder[50], '+');
  EXPECT_EQ(kGlyphOrder[51], '\\');
  EXPECT_EQ(kGlyphOrder[59], '=');
  EXPECT_EQ(static_cast<unsigned char>(kGlyphOrder[62]), 0xC5);
  EXPECT_EQ(static_cast<unsigned char>(kGlyphOrder[63]), 0xD6);
  EXPECT_EQ(static_cast<unsigned char>(kGlyphOrder[64]), 0xC4);
  EXPECT_EQ(kGlyphOrder[66], '*');
}

TEST_F(TextTest, SmallTextStartsOneAdvanceRight) {
  const ImageItem font = Font(67, 3);
  DrawSmallText(d, font, "HOLE 1", 2, 0);
  EXPECT_EQ(GlyphAt(2), -1);
  const int expected[] = {7, 14, 11, 4, 29, 32};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(GlyphAt(2 + (k + 1) * 3), expected[k]) << k;
}

TEST_F(TextTest, MenuTextUsesTheFirstPositionAndTheBlank) {
  const ImageItem font = Font(67, 2);
  DrawMenuText(d, font,
               "=x\xD6"
               "a!",
               0, 0);
  EXPECT_EQ(GlyphAt(2), 43);  // the first equals sign, never 59
  EXPECT_EQ(GlyphAt(4), 30);  // not in the font: the blank
  EXPECT_EQ(GlyphAt(6), 63);
  EXPECT_EQ(GlyphAt(8), 27);
  EXPECT_EQ(GlyphAt(10), 48);
}

TEST_F(TextTest, CodePageCharactersBeyondTheOrderUseTheExtraPatterns) {
  // A font of the game's own with every extra glyph, and a skin's of 67.
  const ImageItem full = Font(67 + kMoreGlyphCount, 2);
  const ImageItem skin = Font(67, 2);
  EXPECT_EQ(std::strlen(kMoreGlyphs), static_cast<size_t>(kMoreGlyphCount));
  for (size_t i = 0; i < std::strlen(kMoreGlyphs); ++i) {
    ASSERT_EQ(std::strchr(kGlyphOrder, kMoreGlyphs[i]), nullptr) << i;  // never both
  }
  DrawMenuText(d, full, "\xCB\x80;b\xC4", 0, 0);
  EXPECT_EQ(GlyphAt(2), 67 + static_cast<int>(std::strchr(kMoreGlyphs, '\xCB') - kMoreGlyphs));
  EXPECT_EQ(GlyphAt(4), 67 + 9);  // the euro sign follows the nine ASCII signs
  EXPECT_EQ(GlyphAt(6), 67 + 3);
  EXPECT_EQ(GlyphAt(8), 30);  // lower case other than a and t: still the blank
  EXPECT_EQ(GlyphAt(10), 64);
  d.Fill(0);
  DrawSmallText(d, skin, "\xCB\x80", 0, 0);
  EXPECT_EQ(GlyphAt(2), 30);
  EXPECT_EQ(GlyphAt(4), 30);
}

TEST_F(TextTest, DigitsSkipUnknownCharactersButKeepTheirPlace) {
  const ImageItem font = Font(12, 4);
  DrawDigits(d, font, "1x2o-", 10, 0);
  EXPECT_EQ(GlyphAt(10 + 5), 1);
  EXPECT_EQ(GlyphAt(10 + 10), -1);  // the gap
  EXPECT_EQ(GlyphAt(10 + 15), 2);
  EXPECT_EQ(GlyphAt(10 + 20), 10);
  EXPECT_EQ(GlyphAt(10 + 25), 11);
}

TEST_F(TextTest, BigTextAddsCodeMinusThirtyTwo) {
  const ImageItem font = Font(61, 3);
  DrawBigText(d, font, "In\\", 0, 0, 255);
  EXPECT_EQ(GlyphAt(3), 'I' - 32);
  EXPECT_EQ(GlyphAt(6), 0);  // lower case draws as a space
  EXPECT_EQ(GlyphAt(9), 60);
  d.Fill(0);
  DrawBigText(d, font, "I", 0, 0, 0);  // alpha 0: nothing
  EXPECT_EQ(GlyphAt(3), -1);
}

TEST_F(TextTest, EmptyTextDrawsNothing) {
  const ImageItem font = Font(67, 3);
  DrawSmallText(d, font, "", 0, 0);
  DrawMenuText(d, font, "", 0, 0);
  DrawDigits(d, font, "", 0, 0);
  DrawBigText(d, font, "", 0, 0, 255);
  for (int x = 0; x < 120; ++x) ASSERT_EQ(d.Pixels()[x], 0);
}

}  // namespace
}  // namespace gp
