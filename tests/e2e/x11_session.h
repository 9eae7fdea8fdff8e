#pragma once
// Shared by the real-window tests: an Xvfb server with no window manager,
// child processes ended by their own ids, xdotool through the shell, Xlib
// screenshots compared region by region (never pixel-exact).

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <utility>
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
      // Ended with the test, even when the test dies (an X server left running
      // would hold ctest's pipe open until the time limit).
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
      setenv("SDL_AUDIODRIVER", "dummy", 1);
      // The game's records and unfinished game never go among the user's own,
      // nor from one test's game to the next.
      const std::string files = Files(getpid()).string();
      setenv("XDG_DATA_HOME", (files + "/data").c_str(), 1);
      setenv("XDG_STATE_HOME", (files + "/state").c_str(), 1);
      for (const auto& [k, v] : env) setenv(k.c_str(), v.c_str(), 1);
      std::vector<char*> args;
      for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      execv(args[0], args.data());
      _exit(127);
    }
  }
  ~Child() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGTERM);
      for (int i = 0; i < 50 && waitpid(pid_, nullptr, WNOHANG) == 0; ++i) Sleep(20);
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (pid_ > 0) {
      std::error_code ec;
      std::filesystem::remove_all(Files(pid_), ec);
    }
  }
  // The folder of the child's records and unfinished game.
  static std::filesystem::path Files(pid_t pid) {
    return std::filesystem::temp_directory_path() / ("galaputt_e2e_" + std::to_string(pid));
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

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

// How far a pixel is from a colour: the largest channel difference, 0..255.
inline int ColourDistance(uint32_t rgb, int r, int g, int b) {
  const int dr = std::abs(static_cast<int>(rgb >> 16 & 255) - r);
  const int dg = std::abs(static_cast<int>(rgb >> 8 & 255) - g);
  const int db = std::abs(static_cast<int>(rgb & 255) - b);
  return std::max({dr, dg, db});
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

// A display number no other X server holds (tests run side by side): the
// first from a place picked by the process id whose lock file is absent.
inline std::string FreeDisplay(int offset) {
  int n = 90 + (getpid() + offset) % 60;
  for (int tries = 0; tries < 60; ++tries, n = 90 + (n - 90 + 1) % 60) {
    if (access(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), F_OK) != 0) break;
  }
  return ":" + std::to_string(n);
}

// Xvfb with nothing else: no window manager.
class XServer {
 public:
  explicit XServer(int offset = 0, const std::string& size = "800x600x24")
      : name_(FreeDisplay(offset)),
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

  bool ok() const { return display_ != nullptr; }
  Display* display() const { return display_; }
  const std::string& name() const { return name_; }
  // xdotool on this server, with the given arguments.
  std::string Xdo(const std::string& args) const {
    return Shell("DISPLAY=" + name_ + " timeout 30 " + XDOTOOL_PROGRAM + " " + args +
                 " 2>/dev/null");
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
  Shot Screenshot() const { return e2e::Screenshot(display_); }
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
