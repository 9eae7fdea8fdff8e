#pragma once
// Shared by the real-window tests: an Xvfb server with no window manager,
// child processes ended by their own ids, xdotool through the shell, Xlib
// screenshots compared region by region (never pixel-exact).

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
    if (pid_ <= 0 || exited_) return;
    kill(pid_, SIGTERM);
    for (int i = 0; i < 50 && waitpid(pid_, nullptr, WNOHANG) == 0; ++i) Sleep(20);
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool Running() {
    if (pid_ <= 0 || exited_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == 0) return true;
    exited_ = true;
    return false;
  }

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
};

inline std::string Shell(const std::string& command) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return out;
  char buf[512];
  while (fgets(buf, sizeof buf, pipe.get())) out += buf;
  return out;
}

inline int JsonInt(const std::string& json, const std::string& key, size_t from = 0) {
  const size_t at = json.find("\"" + key + "\":", from);
  return at == std::string::npos ? -1 : std::atoi(json.c_str() + at + key.size() + 3);
}

// Pixels as 0x00RRGGBB.
struct Shot {
  int w = 0, h = 0;
  std::vector<uint32_t> rgb;
  uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * w + x]; }
};

inline Shot Screenshot(Display* d) {
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
    for (int x = 0; x < s.w; ++x) {
      s.rgb[static_cast<size_t>(y) * s.w + x] = static_cast<uint32_t>(XGetPixel(img, x, y));
    }
  }
  XDestroyImage(img);
  return s;
}

// Mean absolute channel difference over a square around (cx, cy), 0..255.
inline double RegionDiff(const Shot& a, const Shot& b, int cx, int cy, int half) {
  double sum = 0;
  int n = 0;
  for (int y = std::max(0, cy - half); y < std::min({a.h, b.h, cy + half}); ++y) {
    for (int x = std::max(0, cx - half); x < std::min({a.w, b.w, cx + half}); ++x) {
      const uint32_t p = a.at(x, y), q = b.at(x, y);
      for (int sh = 0; sh < 24; sh += 8) {
        sum += std::abs(static_cast<int>((p >> sh) & 255) - static_cast<int>((q >> sh) & 255));
      }
      n += 3;
    }
  }
  return n ? sum / n : 0;
}

// Xvfb on a free-ish display number, with nothing else: no window manager.
class XServer {
 public:
  XServer(int offset, const std::string& size)
      : name_(":" + std::to_string(90 + (getpid() + offset) % 60)),
        xvfb_({XVFB_PROGRAM, name_, "-screen", "0", size, "-nolisten", "tcp"}, "") {
    for (int i = 0; i < 100 && !display_; ++i) {
      Sleep(50);
      display_ = XOpenDisplay(name_.c_str());
    }
  }
  ~XServer() {
    if (display_) XCloseDisplay(display_);
  }
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  Display* display() const { return display_; }
  const std::string& name() const { return name_; }
  // xdotool on this server, with the given arguments.
  std::string Xdo(const std::string& args) const {
    return Shell("DISPLAY=" + name_ + " timeout 30 " + XDOTOOL_PROGRAM + " " + args +
                 " 2>/dev/null");
  }
  // Waits for the game's window; false when it does not show. Its place and size.
  bool GameWindow(int& x, int& y, int& w, int& h) const {
    const std::string g =
        Xdo("search --sync --onlyvisible --name Galaputt getwindowgeometry --shell");
    const size_t at = g.find("X=");
    return at != std::string::npos &&
           std::sscanf(g.c_str() + at, "X=%d\nY=%d\nWIDTH=%d\nHEIGHT=%d", &x, &y, &w, &h) == 4;
  }

 private:
  std::string name_;
  Child xvfb_;
  Display* display_ = nullptr;
};

}  // namespace gp::e2e
