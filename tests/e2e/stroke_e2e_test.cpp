// The real game in a real window under Xvfb: a stroke taken with xdotool moves
// the ball. Screenshots are compared region by region, never pixel-exact.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// After every other header: Xlib defines macros such as None and Bool.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

const std::string kGameDir = std::string(GALAPUTT_GAME_DIR) + "/";

void Sleep(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A child process, ended (by its own id) when the object goes.
class Child {
 public:
  Child(const std::vector<std::string>& argv, const std::string& display) {
    pid_ = fork();
    if (pid_ == 0) {
      if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
      setenv("SDL_AUDIODRIVER", "dummy", 1);
      std::vector<char*> args;
      for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      execv(args[0], args.data());
      _exit(127);
    }
  }
  ~Child() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    for (int i = 0; i < 50 && waitpid(pid_, nullptr, WNOHANG) == 0; ++i) Sleep(20);
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  bool Running() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }

 private:
  pid_t pid_ = -1;
};

std::string Shell(const std::string& command) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return out;
  char buf[512];
  while (fgets(buf, sizeof buf, pipe.get())) out += buf;
  return out;
}

int JsonInt(const std::string& json, const std::string& key, size_t from = 0) {
  const size_t at = json.find("\"" + key + "\":", from);
  return at == std::string::npos ? -1 : std::atoi(json.c_str() + at + key.size() + 3);
}

struct Shot {
  int w = 0, h = 0;
  std::vector<uint32_t> rgb;
  uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * w + x]; }
};

Shot Screenshot(Display* d) {
  Shot s;
  const Window root = DefaultRootWindow(d);
  XWindowAttributes a;
  XGetWindowAttributes(d, root, &a);
  XImage* img = XGetImage(d, root, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
  if (!img) return s;
  s.w = a.width;
  s.h = a.height;
  s.rgb.resize(static_cast<size_t>(s.w) * s.h);
  for (int y = 0; y < s.h; ++y) {
    for (int x = 0; x < s.w; ++x) s.rgb[static_cast<size_t>(y) * s.w + x] = XGetPixel(img, x, y);
  }
  XDestroyImage(img);
  return s;
}

// Mean absolute channel difference over a square around (cx, cy), 0..255.
double RegionDiff(const Shot& a, const Shot& b, int cx, int cy, int half) {
  double sum = 0;
  int n = 0;
  for (int y = std::max(0, cy - half); y < std::min(a.h, cy + half); ++y) {
    for (int x = std::max(0, cx - half); x < std::min(a.w, cx + half); ++x) {
      const uint32_t p = a.at(x, y), q = b.at(x, y);
      for (int sh = 0; sh < 24; sh += 8) {
        sum += std::abs(static_cast<int>((p >> sh) & 255) - static_cast<int>((q >> sh) & 255));
      }
      n += 3;
    }
  }
  return n ? sum / n : 0;
}

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

  const int number = 90 + getpid() % 60;
  const std::string display = ":" + std::to_string(number);
  Child xvfb({XVFB_PROGRAM, display, "-screen", "0", "800x600x24", "-nolisten", "tcp"}, "");
  Display* x = nullptr;
  for (int i = 0; i < 100 && !x; ++i) {
    Sleep(50);
    x = XOpenDisplay(display.c_str());
  }
  ASSERT_NE(x, nullptr) << "Xvfb did not start on " << display;
  std::unique_ptr<Display, int (*)(Display*)> closer(x, XCloseDisplay);

  Child game({kGameDir + "galaputt", "--play", "course1hole1", "--windowed", "--seed", "1"},
             display);
  const std::string xdo = std::string("DISPLAY=") + display + " " + XDOTOOL_PROGRAM + " ";
  const std::string geometry = Shell(
      xdo + "search --sync --onlyvisible --name Galaputt getwindowgeometry --shell 2>/dev/null");
  int wx = 0, wy = 0;
  ASSERT_EQ(std::sscanf(geometry.c_str() + geometry.find("X="), "X=%d\nY=%d", &wx, &wy), 2)
      << geometry;
  Sleep(1500);
  ASSERT_TRUE(game.Running());

  // Close the hole card, then let the view glide to the ball.
  Shell(xdo + "mousemove " + std::to_string(wx + 600) + " " + std::to_string(wy + 460) +
        " click 1");
  Sleep(3000);
  const Shot before = Screenshot(x);
  Sleep(500);
  const Shot still = Screenshot(x);
  const int ballx = wx + bx, bally = wy + by;
  const double noise = RegionDiff(before, still, ballx, bally, 16);

  // Pull putt: press on the ball, drag from the parked centre, release.
  Shell(xdo + "mousemove " + std::to_string(ballx) + " " + std::to_string(bally) + " mousedown 1");
  Sleep(300);
  Shell(xdo + "mousemove " + std::to_string(wx + 320 - 90) + " " + std::to_string(wy + 240 + 10));
  Sleep(300);
  Shell(xdo + "mouseup 1");
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

}  // namespace
