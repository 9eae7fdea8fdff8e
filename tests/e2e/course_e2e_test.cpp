// A player's own course in a real window under Xvfb: made in the data folder,
// listed in the launcher's Course list, chosen with the mouse, compiled while
// the loading picture shows, and played to its score details with a stroke
// made through xdotool. Every wait is for something to show (a screenshot
// matching the lab's headless frame of the same moment), never a fixed time.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "png_shot.h"
#include "support/course_files.h"
#include "x11_session.h"

namespace gp::e2e {
namespace {

namespace fs = std::filesystem;

// Canvas points of the launcher (a 640 x 480 window, the canvas at 1:1).
constexpr int kPanelX = 150, kPanelY = 177;
constexpr int kPlayX = kPanelX + 126, kPlayY = kPanelY + 89;  // the main menu's "Play" spot
// The Course list, and its rows once open (14 pixels each below the box).
constexpr int kCourseX = kPanelX + 64 + 40, kCourseY = kPanelY + 78 + 10;
constexpr int kCourseRowY = kPanelY + 78 + 20 + 8;
constexpr int kStartX = kPanelX + 53, kStartY = kPanelY + 123;  // "Start Game"
// The easy hole's cup, course pixels (see support/course_files.h).
constexpr int kCupX = 360, kCupY = 192;
constexpr int kWaitMs = 30000;

std::string ReadText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CourseE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("galaputt_course_e2e_" + std::to_string(getpid()));
    fs::remove_all(root);
    course = (root / "data/galaputt/courses/e2e").string();
    test::WriteEasyCourse(course, "E2E Green", {"green1"});
  }
  void TearDown() override { fs::remove_all(root); }

  // The lab with the test's folders; the game's own cache is another, so the
  // game window compiles the hole itself.
  std::string Lab(const std::string& args) const {
    return Shell("XDG_CONFIG_HOME=" + (root / "config").string() + " XDG_DATA_HOME=" +
                 (root / "data").string() + " XDG_CACHE_HOME=" + (root / "labcache").string() +
                 " " + kGameDir + "galaputt-lab " + args + " 2>&1");
  }
  // The course's game headless (seed 1) after `frames` frames of `script`:
  // the lab's JSON, and the last frame in `shot`.
  std::string Render(const std::string& script, int frames, Shot& shot) const {
    const std::string stem = (root / "render").string();
    std::ofstream(stem + ".txt") << script;
    const std::string json =
        Lab("render --course " + course + " --seed 1 --frames " + std::to_string(frames) +
            " --script " + stem + ".txt --out " + stem + ".png");
    shot = ReadPng(stem + ".png");
    return json;
  }
  std::unique_ptr<Child> Start(const XServer& x) const {
    return std::make_unique<Child>(
        std::vector<std::string>{kGameDir + "galaputt", "--windowed", "--seed", "1"}, x.name(),
        std::vector<std::pair<std::string, std::string>>{
            {"XDG_CONFIG_HOME", (root / "config").string()},
            {"XDG_DATA_HOME", (root / "data").string()},
            {"XDG_CACHE_HOME", (root / "cache").string()}});
  }

  fs::path root;
  std::string course;
};

// Waits until the screen around (cx, cy) of the window at (wx, wy) looks like
// `ref` does there.
bool WaitFor(const XServer& x, const Shot& ref, int wx, int wy, int cx, int cy, int half) {
  for (int t = 0; t < kWaitMs; t += 100) {
    const Shot s = x.Screenshot();
    double diff = 0;
    int n = 0;
    for (int y = cy - half; y <= cy + half; y += 2) {
      for (int xx = cx - half; xx <= cx + half; xx += 2) {
        const uint32_t a = s.at(wx + xx, wy + y), b = ref.at(xx, y);
        for (int c = 0; c < 3; ++c) {
          diff += std::abs(static_cast<int>((a >> (8 * c)) & 255) -
                           static_cast<int>((b >> (8 * c)) & 255));
        }
        ++n;
      }
    }
    if (diff / (3 * n) < 8) return true;
    Sleep(100);
  }
  return false;
}

// Waits until the panel colour shows at canvas point (cx, cy) of the launcher.
bool WaitForPanel(const XServer& x, int wx, int wy, int cx, int cy) {
  for (int t = 0; t < kWaitMs; t += 100) {
    if (ColourDistance(x.Screenshot().at(wx + cx, wy + cy), 224, 216, 207) < 12) return true;
    Sleep(100);
  }
  return false;
}

// Waits until the screen around the ball (sx, sy) differs from `pressed` (the
// club and the gauge) and then shows the same in two shots 200 ms apart.
bool WaitForAim(const XServer& x, const Shot& pressed, int sx, int sy) {
  Shot last;
  for (int t = 0; t < kWaitMs; t += 200) {
    Sleep(200);
    const Shot s = x.Screenshot();
    const bool drawn = RegionDiff(pressed, s, sx, sy, 60) > 1.0;
    if (drawn && last.w == s.w && RegionDiff(last, s, sx, sy, 60) < 0.1) return true;
    last = s;
  }
  return false;
}

// Waits until the X pointer stands at (px, py): the game parked it.
bool WaitForPointer(const XServer& x, int px, int py) {
  for (int t = 0; t < kWaitMs; t += 50) {
    const std::string at = x.Xdo("getmouselocation --shell");
    int mx = -1, my = -1;
    if (std::sscanf(at.c_str(), "X=%d\nY=%d", &mx, &my) == 2 && mx == px && my == py) return true;
    Sleep(50);
  }
  return false;
}

TEST_F(CourseE2E, APlayersOwnCourseFromTheCourseListToItsScoreDetails) {
  ASSERT_TRUE(fs::exists(kGameDir + "galaputt-assets")) << "no asset compiler";
  // A saved first run that skips the intro movies; where the course is listed.
  std::ofstream(root / "skip.txt") << "spot 2\nclick skipintro\nclick OkButton1\n";
  const std::string launcher =
      Lab("launcher --hive " + (root / "config/galaputt/user.reg").string() + " --script " +
          (root / "skip.txt").string());
  const size_t list = launcher.find("\"courses\":[");
  ASSERT_NE(list, std::string::npos) << launcher;
  int position = -1;
  const std::string entry = "{\"name\":\"E2E Green\"";
  for (size_t at = launcher.find("{\"name\"", list), i = 0; at != std::string::npos;
       at = launcher.find("{\"name\"", at + 1), ++i) {
    if (launcher.compare(at, entry.size(), entry) == 0) position = static_cast<int>(i);
  }
  ASSERT_GT(position, 0) << launcher;

  // The same game headless: the hole card, the ball once it closes, and the
  // stroke that holes out (the middle of the drags that do).
  const std::string close = "1 move 600 460\n2 down left\n3 up left\n";
  Shot card, ready, final;
  Render("", 30, card);
  const std::string json = Render(close, 200, ready);
  const size_t players = json.find("\"players\"");
  ASSERT_NE(players, std::string::npos) << json;
  const int bx = JsonInt(json, "screenx", players), by = JsonInt(json, "screeny", players);
  const int cx = kCupX - JsonInt(json, "viewx"), cy = kCupY - JsonInt(json, "viewy");
  const double d = std::hypot(cx - bx, cy - by);
  const auto drag = [&](int length, int& tx, int& ty) {
    tx = static_cast<int>(std::lround(320 - length * (cx - bx) / d));
    ty = static_cast<int>(std::lround(240 - length * (cy - by) / d));
  };
  std::vector<int> holing;
  for (int length = 40; length <= 140; length += 10) {
    int tx = 0, ty = 0;
    drag(length, tx, ty);
    const std::string putt = close + "100 move " + std::to_string(bx) + " " + std::to_string(by) +
                             "\n101 down left\n103 move " + std::to_string(tx) + " " +
                             std::to_string(ty) + "\n106 up left\n";
    Shot shot;
    if (Render(putt, 900, shot).find("\"gameover\":true") != std::string::npos) {
      holing.push_back(length);
      if (holing.size() == 1) final = shot;
    } else if (!holing.empty()) {
      break;  // past the band that holes out
    }
  }
  ASSERT_FALSE(holing.empty()) << "no drag holes out headless";
  int tx = 0, ty = 0;
  drag(holing[holing.size() / 2], tx, ty);

  XServer x;
  ASSERT_TRUE(x.ok()) << "Xvfb did not start";
  auto game = Start(x);
  int wx = 0, wy = 0;
  ASSERT_TRUE(x.WindowAt("Galaputt Demo LaunchPad", wx, wy));
  ASSERT_TRUE(WaitForPanel(x, wx, wy, kPanelX + 2, kPanelY + 2)) << "no main menu";
  x.Click(wx + kPlayX, wy + kPlayY);
  // The start panel: the panel colour left of the "Game" list.
  ASSERT_TRUE(WaitForPanel(x, wx, wy, kPanelX + 58, kPanelY + 47)) << "no start panel";
  x.Click(wx + kCourseX, wy + kCourseY);
  const Shot closed = x.Screenshot();
  const int rowy = kCourseRowY + 14 * position;
  for (int t = 0;
       t < kWaitMs && RegionDiff(closed, x.Screenshot(), wx + kCourseX, wy + rowy, 5) < 3;
       t += 100) {
    Sleep(100);
  }
  x.Click(wx + kCourseX, wy + rowy);
  x.Click(wx + kStartX, wy + kStartY);
  const std::string hive = ReadText(root / "config/galaputt/user.reg");
  char saved[40];
  std::snprintf(saved, sizeof saved, "\"Course\"=dword:%08x", position);
  int gx = 0, gy = 0;
  ASSERT_TRUE(x.WindowAt("^Galaputt Demo$", gx, gy)) << "no game window";
  EXPECT_NE(ReadText(root / "config/galaputt/user.reg").find(saved), std::string::npos)
      << "the course chosen was not saved: " << hive;

  // The hole compiles into the game's cache, then its card shows.
  ASSERT_TRUE(WaitFor(x, card, gx, gy, 320, 240, 100)) << "no hole card";
  EXPECT_TRUE(fs::is_directory(root / "cache/galaputt/courses"));
  x.Click(gx + 600, gy + 460);
  // The player's name tag over the ball (the ball's own picture is the
  // launcher's, not the one the lab draws).
  ASSERT_TRUE(WaitFor(x, ready, gx, gy, bx, by - 36, 10)) << "the ball does not show";
  // Pull putt: press on the ball (the game parks the pointer at the centre), drag, release.
  x.Xdo("mousemove " + std::to_string(gx + bx) + " " + std::to_string(gy + by) + " mousedown 1");
  ASSERT_TRUE(WaitForPointer(x, gx + 320, gy + 240)) << "the press did not pick the ball";
  const Shot pressed = x.Screenshot();
  x.Xdo("mousemove " + std::to_string(gx + tx) + " " + std::to_string(gy + ty));
  ASSERT_TRUE(WaitForPointer(x, gx + tx, gy + ty));
  // The release must come after a frame has read the drag: wait until the
  // club drawn back shows at the ball and the picture holds still (a busy
  // machine may run the game at a few frames a second).
  ASSERT_TRUE(WaitForAim(x, pressed, gx + bx, gy + by)) << "the drag did not show";
  x.Xdo("mouseup 1");
  // The score details: the course's one hole, its par and the stroke.
  EXPECT_TRUE(WaitFor(x, final, gx, gy, 320, 240, 150)) << "no score details after holing out";
  ASSERT_TRUE(game->Running());
}

}  // namespace
}  // namespace gp::e2e
