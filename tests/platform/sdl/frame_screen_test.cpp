// Frames sent to a window: only the part that changed, scaled into the window's own
// surface with its proportions kept and black borders, nothing while hidden. On SDL's
// dummy video driver, whose windows have a surface of their own in memory.
#include "platform/sdl/frame_screen.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace gp {
namespace {

TEST(ChangedPart, SpansTheRowsAndColumnsThatDiffer) {
  std::vector<uint16_t> a(8 * 6, 0x1234), b = a;
  EXPECT_TRUE(ChangedPart(a.data(), b.data(), 8, 6, 2).empty());
  b[1 * 8 + 2] = 0;
  const FrameRect one = ChangedPart(a.data(), b.data(), 8, 6, 2);
  EXPECT_EQ(one.x, 2);
  EXPECT_EQ(one.y, 1);
  EXPECT_EQ(one.w, 1);
  EXPECT_EQ(one.h, 1);
  // Two corners apart: the rectangle around both, rows between them with no change too.
  b[5 * 8 + 7] = 0;
  b[3 * 8 + 0] = 0;
  const FrameRect wide = ChangedPart(a.data(), b.data(), 8, 6, 2);
  EXPECT_EQ(wide.x, 0);
  EXPECT_EQ(wide.y, 1);
  EXPECT_EQ(wide.w, 8);
  EXPECT_EQ(wide.h, 5);

  std::vector<uint32_t> c(5 * 4, 7), d = c;
  d[0] = 8;   // first pixel
  d[19] = 8;  // last pixel
  const FrameRect all = ChangedPart(c.data(), d.data(), 5, 4, 4);
  EXPECT_EQ(all.x, 0);
  EXPECT_EQ(all.y, 0);
  EXPECT_EQ(all.w, 5);
  EXPECT_EQ(all.h, 4);
  d[0] = 7;
  d[19] = 7;
  d[2 * 5 + 3] = 1;  // a 32-bit pixel's low byte only
  const FrameRect mid = ChangedPart(c.data(), d.data(), 5, 4, 4);
  EXPECT_EQ(mid.x, 3);
  EXPECT_EQ(mid.y, 2);
  EXPECT_EQ(mid.w, 1);
}

TEST(FitFrame, LargestFactorThatFitsCentred) {
  const FrameRect a = FitFrame(640, 480, 1280, 1024);
  EXPECT_EQ(a.x, 0);
  EXPECT_EQ(a.y, 32);
  EXPECT_EQ(a.w, 1280);
  EXPECT_EQ(a.h, 960);
  const FrameRect b = FitFrame(640, 480, 1920, 1080);  // 2.25
  EXPECT_EQ(b.x, 240);
  EXPECT_EQ(b.w, 1440);
  EXPECT_EQ(b.h, 1080);
  const FrameRect c = FitFrame(800, 600, 640, 480);  // smaller than the frame
  EXPECT_EQ(c.w, 640);
  EXPECT_EQ(c.h, 480);
  EXPECT_TRUE(FitFrame(640, 480, 0, 480).empty());
}

class FrameScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    window = SDL_CreateWindow("frames", 0, 0, 128, 100, 0);
    ASSERT_NE(window, nullptr) << SDL_GetError();
  }
  void TearDown() override {
    screen.Close();
    if (window) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  // The window's surface pixel at (x, y) as 0x00RRGGBB.
  uint32_t At(int x, int y) const {
    SDL_Surface* s = SDL_GetWindowSurface(window);
    const auto* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
    uint32_t v = 0;
    std::memcpy(&v, row + x * s->format->BytesPerPixel, s->format->BytesPerPixel);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(v, s->format, &r, &g, &b);
    return static_cast<uint32_t>(r) << 16 | g << 8 | b;
  }

  SDL_Window* window = nullptr;
  FrameScreen screen;
};

TEST_F(FrameScreenTest, ScalesIntoTheSurfaceAndSendsOnlyWhatChanged) {
  // 64 x 48 in 128 x 100: twice the size, 2 rows of border above and below.
  ASSERT_TRUE(screen.Open(window, nullptr, 64, 48, FrameFormat::kRgb565));
  EXPECT_TRUE(screen.surface());
  std::vector<uint16_t> frame(64 * 48, 0x001F);  // blue
  frame[0] = 0xF800;                             // red top left
  frame[47 * 64 + 63] = 0x07E0;                  // green bottom right
  FrameRect sent = screen.Present(frame.data());
  EXPECT_EQ(sent.w, 64);
  EXPECT_EQ(sent.h, 48);
  EXPECT_EQ(At(0, 0), 0x000000u);    // border
  EXPECT_EQ(At(127, 1), 0x000000u);  // border
  EXPECT_EQ(At(0, 2), 0xFF0000u);
  EXPECT_EQ(At(1, 3), 0xFF0000u);
  EXPECT_EQ(At(2, 2), 0x0000FFu);
  EXPECT_EQ(At(127, 97), 0x00FF00u);
  EXPECT_EQ(At(126, 96), 0x00FF00u);
  EXPECT_EQ(At(125, 97), 0x0000FFu);
  EXPECT_EQ(At(64, 98), 0x000000u);  // border

  // The same frame again: nothing sent. One pixel: that pixel alone.
  EXPECT_TRUE(screen.Present(frame.data()).empty());
  frame[10 * 64 + 20] = 0xFFFF;
  sent = screen.Present(frame.data());
  EXPECT_EQ(sent.x, 20);
  EXPECT_EQ(sent.y, 10);
  EXPECT_EQ(sent.w, 1);
  EXPECT_EQ(sent.h, 1);
  EXPECT_EQ(At(41, 23), 0xFFFFFFu);
  EXPECT_EQ(At(42, 23), 0x0000FFu);
  EXPECT_EQ(At(0, 2), 0xFF0000u);  // the rest as it was
  EXPECT_EQ(static_cast<const uint16_t*>(screen.Shown())[10 * 64 + 20], 0xFFFF);

  // A window that lost its contents gets all of it again.
  screen.Refresh();
  EXPECT_EQ(screen.Present(frame.data()).h, 48);
}

TEST_F(FrameScreenTest, HiddenWindowsGetNothingAndAllOfItWhenShownAgain) {
  ASSERT_TRUE(screen.Open(window, nullptr, 64, 48, FrameFormat::kRgb565));
  std::vector<uint16_t> frame(64 * 48, 0x001F);
  ASSERT_FALSE(screen.Present(frame.data()).empty());
  SDL_HideWindow(window);
  frame[5] = 0xF800;
  EXPECT_TRUE(screen.Present(frame.data()).empty());
  SDL_ShowWindow(window);
  const FrameRect sent = screen.Present(frame.data());
  EXPECT_EQ(sent.w, 64);
  EXPECT_EQ(sent.h, 48);
  EXPECT_EQ(At(10, 2), 0xFF0000u);
}

TEST_F(FrameScreenTest, NonIntegerScaleMapsEveryDestinationPixel) {
  // 48 x 40 in 128 x 100: 2.5 times, 120 x 100 from x = 4. Each source column takes 2 or 3
  // destination columns, in order, and a change of one source pixel redraws exactly those.
  ASSERT_TRUE(screen.Open(window, nullptr, 48, 40, FrameFormat::kXrgb8888));
  std::vector<uint32_t> frame(48 * 40);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 48; ++x) frame[static_cast<size_t>(y) * 48 + x] = x << 16 | y << 8 | 0x80;
  }
  screen.Present(frame.data());
  EXPECT_EQ(At(3, 50), 0u);
  EXPECT_EQ(At(124, 50), 0u);
  int last = -1;
  for (int x = 4; x < 124; ++x) {
    const int sx = static_cast<int>(At(x, 0) >> 16);
    EXPECT_TRUE(sx == last || sx == last + 1) << x;
    last = sx;
  }
  EXPECT_EQ(last, 47);
  EXPECT_EQ(At(123, 99), 47u << 16 | 39u << 8 | 0x80);
  // After sending only the changed pixel, every destination pixel still shows its nearest
  // source pixel: 3 x 3 of them the new one.
  frame[20 * 48 + 10] = 0xFFFFFF;
  const FrameRect sent = screen.Present(frame.data());
  EXPECT_EQ(sent.w * sent.h, 1);
  int lit = 0, wrong = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 4; x < 124; ++x) {
      const uint32_t want = frame[static_cast<size_t>(y * 40 / 100) * 48 + (x - 4) * 48 / 120];
      wrong += At(x, y) != want;
      lit += want == 0xFFFFFFu;
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(lit, 9);
}

TEST_F(FrameScreenTest, WindowPointsAndFramePixels) {
  ASSERT_TRUE(screen.Open(window, nullptr, 64, 48, FrameFormat::kRgb565));
  int fx = 0, fy = 0, wx = 0, wy = 0;
  screen.ToFrame(41, 23, fx, fy);
  EXPECT_EQ(fx, 20);
  EXPECT_EQ(fy, 10);
  screen.ToWindow(20, 10, wx, wy);
  EXPECT_EQ(wx, 40);
  EXPECT_EQ(wy, 22);
  screen.ToFrame(10, 0, fx, fy);  // the border above: outside the frame
  EXPECT_LT(fy, 0);
  const FrameRect placed = screen.Placed();
  EXPECT_EQ(placed.y, 2);
  EXPECT_EQ(placed.w, 128);
}

}  // namespace
}  // namespace gp
