// The real game in a real window under Xvfb: a stroke taken with xdotool moves
// the ball. Screenshots are compared region by region, never pixel-exact.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "x11_session.h"

namespace gp::e2e {
namespace {

TEST(StrokeE2E, XdotoolStrokeMovesTheBall) {
  ASSERT_TRUE(std::filesystem::exists(kGameDir + "course1hole1.hole")) << "course1hole1 not built";
  // Where the ball shows once the hole card is closed and the view has settled,
  // from the same game run headless.
  const std::string script = "/tmp/galaputt_e2e_" + std::to_string(getpid()) + ".txt";
  const std::string png = "/tmp/galaputt_e2e_" + std::to_string(getpid()) + ".png";
  FILE* f = std::fopen(script.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs("1 move 600 460\n2 down left\n3 up left\n", f);
  std::fclose(f);
  const std::string json =
      Shell(kGameDir + "galaputt-lab render --hole course1hole1 --seed 1 --frames 240 --script " +
            script + " --out " + png);
  std::remove(script.c_str());
  std::remove(png.c_str());
  const size_t players = json.find("\"players\"");
  ASSERT_NE(players, std::string::npos) << json;
  const int bx = JsonInt(json, "screenx", players), by = JsonInt(json, "screeny", players);
  ASSERT_GE(bx, 0);
  ASSERT_GE(by, 0);

  XServer server(0, "800x600x24");
  Display* x = server.display();
  ASSERT_NE(x, nullptr) << "Xvfb did not start on " << server.name();

  Child game({kGameDir + "galaputt", "--play", "course1hole1", "--windowed", "--seed", "1"},
             server.name());
  int wx = 0, wy = 0, ww = 0, wh = 0;
  ASSERT_TRUE(server.GameWindow(wx, wy, ww, wh)) << "no game window";
  Sleep(1500);
  ASSERT_TRUE(game.Running());

  // Close the hole card, then let the view glide to the ball.
  server.Xdo("mousemove " + std::to_string(wx + 600) + " " + std::to_string(wy + 460) + " click 1");
  Sleep(3000);
  const Shot before = Screenshot(x);
  Sleep(500);
  const Shot still = Screenshot(x);
  const int ballx = wx + bx, bally = wy + by;
  const double noise = RegionDiff(before, still, ballx, bally, 16);

  // Pull putt: press on the ball, drag from the parked centre, release.
  server.Xdo("mousemove " + std::to_string(ballx) + " " + std::to_string(bally) + " mousedown 1");
  Sleep(300);
  server.Xdo("mousemove " + std::to_string(wx + 320 - 90) + " " + std::to_string(wy + 240 + 10));
  Sleep(300);
  server.Xdo("mouseup 1");
  Sleep(5000);
  ASSERT_TRUE(game.Running());
  const Shot after = Screenshot(x);

  const double moved = RegionDiff(before, after, ballx, bally, 16);
  std::printf("ball at (%d, %d): still %.1f, after the stroke %.1f\n", bx, by, noise, moved);
  EXPECT_LT(noise, 6.0) << "the resting scene should be still";
  EXPECT_GT(moved, noise + 10.0) << "the ball's old place looks the same after the stroke";
  // The stroke counter on the panel (around 118, 48) changed from 0 to 1.
  EXPECT_GT(RegionDiff(before, after, wx + 124, wy + 53, 6), 3.0);
}

// Waits up to `ms` for `ok` to hold, polling.
template <typename Pred>
bool WaitFor(int ms, Pred ok) {
  for (int t = 0; t < ms; t += 100) {
    if (ok()) return true;
    Sleep(100);
  }
  return ok();
}

// The desktop's keys in the real window: F12 saves a picture in the pictures folder,
// Alt+Enter and F11 switch between full screen and a window while the game goes on.
TEST(StrokeE2E, DesktopKeysSaveScreenshotsAndSwitchTheScreen) {
  namespace fs = std::filesystem;
  const fs::path pictures =
      fs::temp_directory_path() / ("galaputt_e2e_shots_" + std::to_string(getpid()));
  fs::remove_all(pictures);
  XServer server(1, "800x600x24");
  ASSERT_TRUE(server.ok()) << "Xvfb did not start on " << server.name();
  Child game({kGameDir + "galaputt", "--play", "course1hole1", "--windowed", "--seed", "1"},
             server.name(), {{"XDG_PICTURES_DIR", pictures.string()}});
  int wx = 0, wy = 0, ww = 0, wh = 0;
  ASSERT_TRUE(server.GameWindow(wx, wy, ww, wh)) << "no game window";
  EXPECT_EQ(ww, 640);
  server.Xdo("mousemove " + std::to_string(wx + 320) + " " + std::to_string(wy + 240));
  server.Key("F12");
  const auto saved = [&] {
    std::error_code ec;
    if (!fs::is_directory(pictures, ec)) return false;
    for (const auto& e : fs::directory_iterator(pictures, ec)) {
      if (e.path().extension() == ".png" && e.file_size(ec) > 1000) return true;
    }
    return false;
  };
  EXPECT_TRUE(WaitFor(5000, saved)) << "no screenshot in " << pictures;

  const auto size_is = [&](int w, int h) {
    return [&server, w, h] {
      int x = 0, y = 0, cw = 0, ch = 0;
      return server.GameWindow(x, y, cw, ch) && cw == w && ch == h;
    };
  };
  server.Key("alt+Return");
  EXPECT_TRUE(WaitFor(5000, size_is(800, 600))) << "Alt+Enter: not full screen";
  // The frame fills the screen (640 x 480 at 1.25): the course reaches the corner.
  EXPECT_TRUE(WaitFor(3000, [&] { return Brightness(server.Screenshot(), 790, 590, 8) > 4; }));
  server.Key("F11");
  EXPECT_TRUE(WaitFor(5000, size_is(640, 480))) << "F11: no window";
  EXPECT_TRUE(game.Running()) << "the game went on";
  fs::remove_all(pictures);
}

}  // namespace
}  // namespace gp::e2e
