// SDL's own wakeup messages to a window that the X server no longer has must
// not end the program (the game window closed while the launcher waits for
// events), and every other X error still does.
#include "platform/sdl/x11_errors.h"

#include "platform/sdl/sdl_window.h"
#include "x11_session.h"

// After GoogleTest (through the session): SDL's window-system header brings Xlib.
#include <SDL.h>
#include <SDL_syswm.h>

namespace gp::e2e {
namespace {

// Starts SDL's video on the test's own X server.
bool VideoOn(const XServer& x) {
  setenv("DISPLAY", x.name().c_str(), 1);
  setenv("SDL_VIDEODRIVER", "x11", 1);
  return StartVideo();
}

// An empty message, as SDL's wakeup is.
void SendTo(Display* d, ::Window w) {
  XClientMessageEvent m{};
  m.type = ClientMessage;
  m.window = w;
  m.format = 8;
  XSendEvent(d, w, False, NoEventMask, reinterpret_cast<XEvent*>(&m));
}

TEST(X11Errors, AnyOtherErrorStillEndsTheProgram) {
  // Forked as it stands (not run again from the start, which would start a
  // second X server that keeps the death test's pipe open).
  GTEST_FLAG_SET(death_test_style, "fast");
  XServer x;
  ASSERT_TRUE(x.ok()) << "Xvfb did not start";
  EXPECT_EXIT(
      {
        if (!VideoOn(x)) _exit(3);
        SDL_Window* w = SDL_CreateWindow("other", 0, 0, 64, 48, SDL_WINDOW_SHOWN);
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (!w || !SDL_GetWindowWMInfo(w, &info)) _exit(3);
        // Mapping a window that never was: BadWindow, but not from a wakeup.
        XMapWindow(info.info.x11.display, 0x7fffff);
        XSync(info.info.x11.display, False);
        _exit(0);
      },
      ::testing::ExitedWithCode(1), "BadWindow");
}

// What SDL's wakeup does, on its own connection: a SendEvent to a window that
// another connection has just destroyed. The server's BadWindow answer reaches
// the process's one handler, whichever connection it came on.
TEST(X11Errors, AWakeupToAGoneWindowIsHarmless) {
  XServer x;
  ASSERT_TRUE(x.ok()) << "Xvfb did not start";
  ASSERT_TRUE(VideoOn(x)) << SDL_GetError();
  SDL_Window* w = SDL_CreateWindow("game", 0, 0, 64, 48, SDL_WINDOW_SHOWN);
  ASSERT_TRUE(w);
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  ASSERT_TRUE(SDL_GetWindowWMInfo(w, &info));
  Display* sdl = info.info.x11.display;
  const ::Window gone =
      XCreateSimpleWindow(x.display(), DefaultRootWindow(x.display()), 0, 0, 8, 8, 0, 0, 0);
  XSync(x.display(), False);
  XDestroyWindow(x.display(), gone);
  XSync(x.display(), False);

  const int before = StaleWakeupErrorsSeen();
  for (int i = 0; i < 3; ++i) {
    SendTo(sdl, gone);
    XSync(sdl, False);  // the answer read: without the filter the program ends here
  }
  EXPECT_EQ(StaleWakeupErrorsSeen(), before + 3);
  // SDL goes on with its own window as before.
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
  }
  EXPECT_EQ(SDL_GetWindowFromID(SDL_GetWindowID(w)), w);

  // Started again (the launcher's video after the game's), the filter stays in
  // front once, not chained to itself.
  SDL_DestroyWindow(w);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  ASSERT_TRUE(StartVideo());
  FilterStaleWakeupErrors();
  SDL_Window* again = SDL_CreateWindow("again", 0, 0, 64, 48, SDL_WINDOW_SHOWN);
  ASSERT_TRUE(again && SDL_GetWindowWMInfo(again, &info));
  SendTo(info.info.x11.display, gone);
  XSync(info.info.x11.display, False);
  EXPECT_EQ(StaleWakeupErrorsSeen(), before + 4);
  SDL_DestroyWindow(again);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
}  // namespace gp::e2e
