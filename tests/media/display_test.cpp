#include "media/display.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"
#include "media/rgb565.h"

namespace gp {
namespace {

constexpr uint16_t PackNative(int r, int g, int b) {
  return static_cast<uint16_t>(r << 11 | g << 5 | b);
}

// An item whose picture holds exactly these native pixels.
ImageItem NativePicture(int w, int h, const std::vector<uint16_t>& px, int pattw = 0,
                     bool transparent = true, uint16_t key = 0) {
  ImageItem i;
  i.picture.width = w;
  i.picture.height = h;
  for (uint16_t p : px) i.picture.pixels.push_back(FromNative(p));
  i.patternwidth = pattw;
  i.transparent = transparent;
  i.transparentcolor = FromNative(key);
  PrepareItem(i);
  return i;
}

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(d.Start(&platform, 8, 4, false)); }
  uint16_t At(int x, int y) const { return d.Pixels()[y * d.Pitch() + x]; }
  HeadlessPlatform platform;
  Display d;
};

TEST(Rgb565, ColorMatchRoundsToTheNearestAndRoundTrips) {
  EXPECT_EQ(Display::ColorMatch(0x0000FF), 0xF800);  // red in the low byte
  EXPECT_EQ(Display::ColorMatch(0x00FF00), 0x07E0);
  EXPECT_EQ(Display::ColorMatch(0xFF0000), 0x001F);
  EXPECT_EQ(Display::ColorMatch(0x808080), PackNative(16, 32, 16));
  EXPECT_EQ(Display::ColorMatch(0x020202), 0);
  EXPECT_EQ(Display::ColorMatch(0x030303), PackNative(0, 1, 0));
  for (uint32_t v = 0; v < 65536; ++v) ASSERT_EQ(ToNative(FromNative(uint16_t(v))), v);
}

TEST_F(DisplayTest, DrawCopiesPatternsWithTheColourKeyAndClips) {
  const uint16_t A = PackNative(1, 2, 3), B = PackNative(4, 5, 6), K = PackNative(0, 0, 0);
  // Two 2x2 patterns side by side: [A K / B B] and [B B / K A].
  const ImageItem item = NativePicture(4, 2, {A, K, B, B, B, B, K, A}, 2);
  ASSERT_EQ(item.PatternCount(), 2);
  d.Fill(PackNative(9, 9, 9));
  d.Draw(item, 0, 1, 1);
  EXPECT_EQ(At(1, 1), A);
  EXPECT_EQ(At(2, 1), PackNative(9, 9, 9));  // key skipped
  EXPECT_EQ(At(1, 2), B);
  EXPECT_EQ(At(2, 2), B);
  d.Draw(item, 1, -1, 2);  // left half clipped
  EXPECT_EQ(At(0, 2), B);
  EXPECT_EQ(At(0, 3), A);
  d.Draw(item, 1, 7, 3);  // only the top-left pixel is inside
  EXPECT_EQ(At(7, 3), B);

  const std::vector<uint16_t> before(d.Pixels(), d.Pixels() + 32);
  d.Draw(item, 2, 0, 0);  // pattern = count
  d.Draw(item, -1, 0, 0);
  d.Draw(item, 0, 8, 0);
  d.Draw(item, 0, -2, 0);
  d.Draw(item, 0, 1 << 30, 1 << 30);
  ImageItem unprepared = item;
  unprepared.prepared = false;
  d.Draw(unprepared, 0, 0, 0);
  EXPECT_EQ(std::vector<uint16_t>(d.Pixels(), d.Pixels() + 32), before);

  // A picture swapped without preparing again: the prepared copy is still drawn.
  ImageItem swapped = item;
  swapped.picture = Picture{};
  d.Fill(0);
  d.Draw(swapped, 1, 6, 0);
  EXPECT_EQ(At(6, 0), B);
  EXPECT_EQ(At(7, 1), A);

  const ImageItem opaque = NativePicture(2, 1, {K, A}, 0, false);
  d.Draw(opaque, 0, 6, 0);
  EXPECT_EQ(At(6, 0), K);  // not transparent: the key colour is drawn too
  EXPECT_EQ(At(7, 0), A);
}

TEST_F(DisplayTest, BlendModesOnHandComputedPixels) {
  const uint16_t D = PackNative(10, 20, 30), S = PackNative(25, 50, 5);
  const ImageItem item = NativePicture(1, 1, {S});
  const auto run = [&](auto draw, int alpha) {
    d.Fill(D);
    (d.*draw)(item, 0, Rect{0, 0, 1, 1}, alpha);
    return At(0, 0);
  };
  EXPECT_EQ(run(&Display::DrawAdd, 255), PackNative(31, 63, 31));
  EXPECT_EQ(run(&Display::DrawAdd, 400), PackNative(31, 63, 31));
  EXPECT_EQ(run(&Display::DrawAdd, 128), PackNative(22, 45, 31));  // 25*128/255 = 12, ...
  EXPECT_EQ(run(&Display::DrawAdd, -5), D);
  EXPECT_EQ(run(&Display::DrawSub, 255), PackNative(0, 0, 25));
  EXPECT_EQ(run(&Display::DrawSub, 100), PackNative(1, 1, 29));  // 25*100/255 = 9, ...
  EXPECT_EQ(run(&Display::DrawSub, 0), D);
  EXPECT_EQ(run(&Display::DrawAlpha, 51), PackNative(13, 26, 25));  // (25*51 + 10*204)/255 = 13, ...
  EXPECT_EQ(run(&Display::DrawAlpha, 255), S);
  EXPECT_EQ(run(&Display::DrawAlpha, 1000), S);
  EXPECT_EQ(run(&Display::DrawAlpha, 0), D);

  // The colour key applies to every blending draw.
  const ImageItem keyed = NativePicture(1, 1, {S}, 0, true, S);
  for (auto draw : {&Display::DrawAdd, &Display::DrawSub, &Display::DrawAlpha}) {
    d.Fill(D);
    (d.*draw)(keyed, 0, Rect{0, 0, 1, 1}, 200);
    EXPECT_EQ(At(0, 0), D);
  }
}

TEST_F(DisplayTest, BlendsStretchIntoTheRectangleAndClip) {
  const uint16_t A = PackNative(1, 0, 0), B = PackNative(2, 0, 0), C = PackNative(3, 0, 0);
  const ImageItem item = NativePicture(3, 1, {A, B, C}, 0, false);
  d.Fill(0);
  d.DrawAlpha(item, 0, Rect{0, 0, 6, 2}, 255);
  EXPECT_EQ(At(0, 0), A);
  EXPECT_EQ(At(1, 0), A);
  EXPECT_EQ(At(2, 1), B);
  EXPECT_EQ(At(5, 1), C);
  EXPECT_EQ(At(6, 0), 0);
  EXPECT_EQ(At(0, 2), 0);
  d.DrawAlpha(item, 0, Rect{6, 3, 2, 1}, 255);  // shrunk: columns 0 and 1
  EXPECT_EQ(At(6, 3), A);
  EXPECT_EQ(At(7, 3), B);
  d.DrawAdd(item, 0, Rect{-3, 2, 6, 1}, 255);  // clipped on the left: columns 1, 2, 2
  EXPECT_EQ(At(0, 2), B);
  EXPECT_EQ(At(1, 2), C);
  EXPECT_EQ(At(2, 2), C);
  EXPECT_EQ(At(3, 2), 0);
  d.Fill(0);
  d.DrawAdd(item, 0, Rect{0, 0, 0, 5}, 255);
  d.DrawAdd(item, 0, Rect{0, 0, -4, 5}, 255);
  d.DrawSub(item, 1, Rect{0, 0, 4, 4}, 255);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(d.Pixels()[i], 0);
}

TEST_F(DisplayTest, FillsPixelsAndAlphaRectangles) {
  d.Fill(PackNative(1, 1, 1));
  d.SetPixelNative(7, 3, PackNative(2, 2, 2));
  d.SetPixelNative(8, 0, PackNative(3, 3, 3));
  d.SetPixelNative(-1, 0, PackNative(3, 3, 3));
  EXPECT_EQ(At(7, 3), PackNative(2, 2, 2));
  EXPECT_EQ(At(0, 0), PackNative(1, 1, 1));

  d.Fill(0);
  d.FillRectAlpha(Rect{-2, -2, 4, 3}, 0x0000FF, 128);
  EXPECT_EQ(At(0, 0), PackNative(15, 0, 0));  // 31*128/255
  EXPECT_EQ(At(1, 0), PackNative(15, 0, 0));
  EXPECT_EQ(At(2, 0), 0);
  EXPECT_EQ(At(0, 1), 0);
  d.FillRectAlpha(Rect{4, 0, 10, 10}, 0xFFFFFF, 255);
  EXPECT_EQ(At(7, 3), 0xFFFF);
  d.FillRectAlpha(Rect{0, 0, 8, 4}, 0xFFFFFF, 0);
  EXPECT_EQ(At(0, 3), 0);
}

TEST_F(DisplayTest, CanvasLinesExcludeTheEndPoint) {
  Canvas c = d.GetCanvas();
  c.SetPenColour(0xFFFFFF);
  c.MoveTo(0, 0);
  c.LineTo(3, 0);
  EXPECT_EQ(At(0, 0), 0xFFFF);
  EXPECT_EQ(At(2, 0), 0xFFFF);
  EXPECT_EQ(At(3, 0), 0);
  c.LineTo(3, 3);  // continues from the last end point
  EXPECT_EQ(At(3, 0), 0xFFFF);
  EXPECT_EQ(At(3, 2), 0xFFFF);
  EXPECT_EQ(At(3, 3), 0);
  c.MoveTo(-5, 3);
  c.LineTo(20, 3);  // clipped, never out of bounds
  EXPECT_EQ(At(7, 3), 0xFFFF);
  c.MoveTo(5, 1);
  c.LineTo(5, 1);  // empty
  EXPECT_EQ(At(5, 1), 0);
  c.MoveTo(4, 0);
  c.LineTo(6, 2);
  EXPECT_EQ(At(4, 0), 0xFFFF);
  EXPECT_EQ(At(5, 1), 0xFFFF);
  EXPECT_EQ(At(6, 2), 0);
  c.SetCanvasPixel(6, 2, 0x0000FF);
  EXPECT_EQ(At(6, 2), 0xF800);
  c.MoveTo(0, 0);
  c.LineTo(2000000000, -2000000000);  // absurd: nothing, no endless loop
}

TEST_F(DisplayTest, LostDisplayDrawsAndPresentsNothingUntilRestored) {
  EXPECT_TRUE(d.CanDraw());
  d.Fill(PackNative(1, 1, 1));
  d.Flip();
  EXPECT_EQ(platform.presented(), 1);
  EXPECT_EQ(platform.frame()[0], PackNative(1, 1, 1));

  platform.SetDisplayLost(true);
  EXPECT_FALSE(d.CanDraw());
  d.Fill(PackNative(2, 2, 2));
  d.SetPixelNative(0, 0, 5);
  d.Flip();
  EXPECT_EQ(platform.presented(), 1);
  EXPECT_EQ(At(1, 1), PackNative(1, 1, 1));

  platform.SetDisplayLost(false);
  EXPECT_TRUE(d.CanDraw());
  d.Fill(PackNative(3, 3, 3));
  d.Flip();
  EXPECT_EQ(platform.presented(), 2);
  EXPECT_EQ(platform.frame()[5], PackNative(3, 3, 3));

  d.Finalize();
  EXPECT_FALSE(d.CanDraw());
  d.Flip();
  EXPECT_EQ(platform.presented(), 2);
  EXPECT_EQ(d.SurfaceWidth(), 8);
  Display none;
  EXPECT_FALSE(none.CanDraw());
  EXPECT_FALSE(none.Start(nullptr, 0, 10, false));
  EXPECT_TRUE(none.Start(nullptr, 512, 384, true));
  EXPECT_EQ(none.SurfaceHeight(), 384);
  none.Flip();  // memory only
}

// The display draws straight into a frame buffer the platform lends, and
// presents it without a copy; without one it keeps its own and the platform
// copies. Either way the picture outlives the display.
TEST(DisplayOnPlatform, DrawsIntoTheLentFrameBufferAndKeepsItsPictureAfterClosing) {
  HeadlessPlatform p;
  Display d;
  ASSERT_TRUE(d.Start(&p, 8, 4, false));
  ASSERT_NE(p.FrameBuffer(), nullptr);
  EXPECT_EQ(d.Pixels(), p.FrameBuffer());
  d.Fill(PackNative(1, 2, 3));
  d.Flip();
  EXPECT_EQ(p.presented(), 1);
  EXPECT_EQ(p.frame()[31], PackNative(1, 2, 3));

  // Started again, the display begins black in the same kind of buffer.
  ASSERT_TRUE(d.Start(&p, 8, 4, false));
  EXPECT_EQ(d.Pixels(), p.FrameBuffer());
  for (int i = 0; i < 32; ++i) ASSERT_EQ(d.Pixels()[i], 0) << i;
  d.SetPixelNative(3, 2, PackNative(4, 5, 6));
  d.Flip();

  d.Finalize();
  ASSERT_TRUE(p.OpenDisplay(16, 16, false));  // the platform's buffer goes to another display
  EXPECT_NE(d.Pixels(), p.FrameBuffer());
  EXPECT_EQ(d.Pixels()[2 * 8 + 3], PackNative(4, 5, 6));
  EXPECT_EQ(d.Pixels()[0], 0);
}

TEST(DisplayOnPlatform, CopyingPlatformKeepsTheLastPresentedPicture) {
  HeadlessPlatform p;
  p.SetDirectDrawing(false);
  Display d;
  ASSERT_TRUE(d.Start(&p, 8, 4, false));
  EXPECT_EQ(p.FrameBuffer(), nullptr);
  d.Fill(PackNative(1, 2, 3));
  d.Flip();
  d.Fill(PackNative(7, 7, 7));  // drawn, not presented
  EXPECT_EQ(p.frame()[0], PackNative(1, 2, 3));
  EXPECT_EQ(d.Pixels()[0], PackNative(7, 7, 7));
}

}  // namespace
}  // namespace gp
