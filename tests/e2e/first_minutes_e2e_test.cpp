// A new player's first minutes in a real window under Xvfb with no window
// manager: full screen fills the screen and shows the ball once the hole card
// closes, untouched mouse and all; in a window, a pointer that has left it
// scrolls nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "png_shot.h"
#include "x11_session.h"

namespace gp::e2e {
namespace {

// The shot shrunk by a whole factor, each pixel the mean of its block.
Shot Shrunk(const Shot& s, int factor) {
  Shot out;
  out.w = s.w / factor;
  out.h = s.h / factor;
  out.rgb.resize(static_cast<size_t>(out.w) * out.h);
  for (int y = 0; y < out.h; ++y) {
    for (int x = 0; x < out.w; ++x) {
      uint32_t sum[3] = {0, 0, 0};
      for (int dy = 0; dy < factor; ++dy) {
        for (int dx = 0; dx < factor; ++dx) {
          const uint32_t p = s.at(x * factor + dx, y * factor + dy);
          for (int c = 0; c < 3; ++c) sum[c] += (p >> (8 * c)) & 255;
        }
      }
      uint32_t v = 0;
      for (int c = 0; c < 3; ++c) v |= (sum[c] / (factor * factor)) << (8 * c);
      out.rgb[static_cast<size_t>(y) * out.w + x] = v;
    }
  }
  return out;
}

Shot Black(int w, int h) {
  Shot s;
  s.w = w;
  s.h = h;
  s.rgb.assign(static_cast<size_t>(w) * h, 0);
  return s;
}

// The same game headless (seed 1, course1hole1) after 240 frames with `script`:
// the lab's JSON, and its last frame in `shot`.
std::string Reference(const std::string& script, Shot& shot) {
  const std::string stem = "/tmp/galaputt_first_" + std::to_string(getpid());
  FILE* f = std::fopen((stem + ".txt").c_str(), "w");
  if (!f) return "";
  std::fputs(script.c_str(), f);
  std::fclose(f);
  const std::string json =
      Shell(kGameDir + "galaputt-lab render --hole course1hole1 --seed 1 --frames 240 --script " +
            stem + ".txt --out " + stem + ".png");
  shot = ReadPng(stem + ".png");
  std::remove((stem + ".txt").c_str());
  std::remove((stem + ".png").c_str());
  return json;
}

TEST(FirstMinutesE2E, FullScreenFillsTheScreenAndShowsTheBall) {
  ASSERT_TRUE(std::filesystem::exists(kGameDir + "course1hole1.hole")) << "course1hole1 not built";
  // The card closed by a key; the pointer never moves.
  Shot ref;
  const std::string json = Reference("1 key 32\n1 keyup 32\n", ref);
  const size_t players = json.find("\"players\"");
  ASSERT_NE(players, std::string::npos) << json;
  ASSERT_EQ(ref.w, 640) << "no reference frame";
  const int bx = JsonInt(json, "screenx", players), by = JsonInt(json, "screeny", players);
  // The view stays on the ball: it does not scroll off to a corner of the course.
  EXPECT_GE(bx, 16) << json;
  EXPECT_LT(bx, 640 - 16) << json;
  EXPECT_GE(by, 16) << json;
  EXPECT_LT(by, 480 - 16) << json;

  XServer server(1, "1280x960x24");
  ASSERT_NE(server.display(), nullptr) << "Xvfb did not start on " << server.name();
  Child game({kGameDir + "galaputt", "--play", "course1hole1", "--seed", "1"}, server.name());
  int wx = 0, wy = 0, ww = 0, wh = 0;
  ASSERT_TRUE(server.GameWindow(wx, wy, ww, wh)) << "no game window";
  EXPECT_EQ(wx, 0);
  EXPECT_EQ(wy, 0);
  EXPECT_EQ(ww, 1280);
  EXPECT_EQ(wh, 960);
  Sleep(1500);
  ASSERT_TRUE(game.Running());
  server.Xdo("key space");  // closes the hole card; the mouse is not touched
  Sleep(3000);
  ASSERT_TRUE(game.Running());
  const Shot full = Screenshot(server.display());
  ASSERT_EQ(full.w, 1280);
  ASSERT_EQ(full.h, 960);
  const Shot shot = Shrunk(full, 2);  // the 640 x 480 picture, scaled twice over
  const Shot black = Black(640, 480);

  // The score panel at the top left of the screen, as the game draws it.
  const double panel = RegionDiff(shot, ref, 100, 40, 36);
  // The ball where the headless game shows it.
  const double ball = RegionDiff(shot, ref, bx, by, 12);
  std::printf("panel %.1f, ball at (%d, %d) %.1f\n", panel, bx, by, ball);
  EXPECT_GT(RegionDiff(ref, black, 100, 40, 36), 20.0) << "the panel should not be black";
  EXPECT_LT(panel, 12.0);  // scaled twice over with smoothing: text edges blur
  EXPECT_LT(ball, 10.0);
  // The picture reaches every corner of the screen: no black box in the middle.
  for (const auto& [cx, cy] :
       {std::pair{40, 40}, std::pair{600, 40}, std::pair{40, 440}, std::pair{600, 440}}) {
    const double off = RegionDiff(shot, ref, cx, cy, 30);
    const double lit = RegionDiff(shot, black, cx, cy, 30);
    std::printf("corner (%d, %d): %.1f from the game's frame, %.1f from black\n", cx, cy, off, lit);
    EXPECT_LT(off, 12.0) << cx << ", " << cy;
    EXPECT_GT(lit, 2.0) << cx << ", " << cy;
  }
}

TEST(FirstMinutesE2E, PointerOutsideTheWindowScrollsNothing) {
  ASSERT_TRUE(std::filesystem::exists(kGameDir + "course1hole1.hole")) << "course1hole1 not built";
  Shot ref;
  const std::string json = Reference("1 move 600 460\n2 down left\n3 up left\n", ref);
  const int viewx = JsonInt(json, "viewx");
  ASSERT_GE(viewx, 0) << json;

  XServer server(2, "1024x768x24");
  ASSERT_NE(server.display(), nullptr) << "Xvfb did not start on " << server.name();
  Child game({kGameDir + "galaputt", "--play", "course1hole1", "--windowed", "--seed", "1"},
             server.name());
  int wx = 0, wy = 0, ww = 0, wh = 0;
  ASSERT_TRUE(server.GameWindow(wx, wy, ww, wh)) << "no game window";
  ASSERT_GE(wx, 100) << "the window should leave room around it";
  Sleep(1500);
  ASSERT_TRUE(game.Running());
  // Close the hole card with a click, then let the view glide to the ball.
  server.Xdo("mousemove " + std::to_string(wx + 600) + " " + std::to_string(wy + 460) + " click 1");
  Sleep(3000);

  // Towards the side the view has room to scroll to: held at the edge inside
  // the window the view scrolls; out of the window it stops.
  const bool left = viewx >= 160;
  const int inside = left ? wx + 1 : wx + ww - 2;
  const int outside = left ? wx - 60 : wx + ww + 60;
  const int cy = wy + wh / 2;
  const Shot settled = Screenshot(server.display());
  server.Xdo("mousemove " + std::to_string(inside) + " " + std::to_string(cy));
  Sleep(300);
  const Shot scrolled = Screenshot(server.display());
  server.Xdo("mousemove " + std::to_string(outside) + " " + std::to_string(cy));
  Sleep(1000);  // a view still coasting comes to rest
  const Shot before = Screenshot(server.display());
  Sleep(2000);
  ASSERT_TRUE(game.Running());
  const Shot after = Screenshot(server.display());

  const int mx = wx + ww / 2, my = wy + wh / 2;
  const double moved = RegionDiff(settled, scrolled, mx, my, 200);
  const double still = RegionDiff(before, after, mx, my, 200);
  std::printf("at the edge inside %.1f, outside %.1f\n", moved, still);
  EXPECT_GT(moved, still + 5.0) << "the edge inside the window should scroll the view";
  EXPECT_LT(still, 2.0) << "the view moved while the pointer was outside the window";
}

}  // namespace
}  // namespace gp::e2e
