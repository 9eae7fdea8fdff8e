#pragma once
// What the real-window tests share: an Xvfb server of their own, child
// processes, xdotool, and screenshots read through Xlib.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// After every other header: Xlib defines macros such as None and Bool.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace gp::e2e {

inline const std::string kGameDir = std::string(GALAPUTT_GAME_DIR) + "/";

inline void Sleep(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A child process, ended (by its own id) when the object goes.
class Child {
 public:
  Child(const std::vector<std::string>& argv, const std::string& display,
        const std::vector<std::pair<std::string, std::string>>& env = {}) {
    pid_ = fork();
    if (pid_ == 0) {
      if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
      setenv("SDL_AUDIODRIVER", "dummy", 1);
      for (const auto& [k, v] : env) setenv(k.c_str(), v.c_str(), 1);
      std::vector<char*> args;
      for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      execv(args[0], args.data());
      _exit(127);
    }
  }
  ~Child() {
    if (pid_ <= 0 || exited_) return;
    kill(pid_, SIGTERM);
    for (int i = 0; i < 50 && waitpid(pid_, nullptr, WNOHANG) == 0; ++i) Sleep(20);
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  bool Running() {
    if (pid_ <= 0 || exited_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == 0) return true;
    exited_ = true;
    code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return false;
  }
  // Waits up to `ms` for the process to end; its exit code, or -2 when it runs on.
  int Wait(int ms) {
    for (int t = 0; t < ms && Running(); t += 20) Sleep(20);
    return Running() ? -2 : code_;
  }

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
  int code_ = -1;
};

inline std::string Shell(const std::string& command) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return out;
  char buf[512];
  while (fgets(buf, sizeof buf, pipe.get())) out += buf;
  return out;
}

struct Shot {
  int w = 0, h = 0;
  std::vector<uint32_t> rgb;  // 0x00RRGGBB
  uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * w + x]; }
};

// An X server of the test's own (no window manager), with xdotool aimed at it.
class XServer {
 public:
  explicit XServer(const std::string& size = "800x600x24")
      : number_(":" + std::to_string(90 + getpid() % 60)),
        xvfb_({XVFB_PROGRAM, number_, "-screen", "0", size, "-nolisten", "tcp"}, "") {
    for (int i = 0; i < 100 && !x_; ++i) {
      Sleep(50);
      x_ = XOpenDisplay(number_.c_str());
    }
  }
  ~XServer() {
    if (x_) XCloseDisplay(x_);
  }
  bool ok() const { return x_ != nullptr; }
  const std::string& name() const { return number_; }

  std::string Xdo(const std::string& args) const {
    return Shell("DISPLAY=" + number_ + " " + XDOTOOL_PROGRAM + " " + args + " 2>/dev/null");
  }
  // The top-left corner of the first visible window whose name matches; false
  // when none shows up in time.
  bool WindowAt(const std::string& name, int& x, int& y) const {
    const std::string g =
        Xdo("search --sync --onlyvisible --name '" + name + "' getwindowgeometry --shell");
    const size_t at = g.find("X=");
    return at != std::string::npos && std::sscanf(g.c_str() + at, "X=%d\nY=%d", &x, &y) == 2;
  }
  void Click(int x, int y) const {
    Xdo("mousemove " + std::to_string(x) + " " + std::to_string(y));
    Sleep(150);
    Xdo("click 1");
    Sleep(150);
  }
  void Key(const std::string& key) const { Xdo("key " + key); }

  Shot Screenshot() const {
    Shot s;
    const Window root = DefaultRootWindow(x_);
    XWindowAttributes a;
    XGetWindowAttributes(x_, root, &a);
    XImage* img = XGetImage(x_, root, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (!img) return s;
    s.w = a.width;
    s.h = a.height;
    s.rgb.resize(static_cast<size_t>(s.w) * s.h);
    for (int y = 0; y < s.h; ++y) {
      for (int x = 0; x < s.w; ++x) {
        s.rgb[static_cast<size_t>(y) * s.w + x] = static_cast<uint32_t>(XGetPixel(img, x, y));
      }
    }
    XDestroyImage(img);
    return s;
  }

 private:
  std::string number_;
  Child xvfb_;
  Display* x_ = nullptr;
};

// How far a pixel is from a colour: the largest channel difference, 0..255.
inline int ColourDistance(uint32_t rgb, int r, int g, int b) {
  const int dr = std::abs(static_cast<int>(rgb >> 16 & 255) - r);
  const int dg = std::abs(static_cast<int>(rgb >> 8 & 255) - g);
  const int db = std::abs(static_cast<int>(rgb & 255) - b);
  return std::max(dr, std::max(dg, db));
}

// Mean of the three channels over a square around (cx, cy), 0..255.
inline double Brightness(const Shot& s, int cx, int cy, int half) {
  double sum = 0;
  int n = 0;
  for (int y = std::max(0, cy - half); y < std::min(s.h, cy + half); ++y) {
    for (int x = std::max(0, cx - half); x < std::min(s.w, cx + half); ++x) {
      const uint32_t p = s.at(x, y);
      sum += (p >> 16 & 255) + (p >> 8 & 255) + (p & 255);
      n += 3;
    }
  }
  return n ? sum / n : 0;
}

}  // namespace gp::e2e
