#include "platform/sdl/x11_errors.h"

#include <SDL.h>

#include <atomic>
#include <cstring>

#ifdef GALAPUTT_HAVE_X11
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#endif

namespace gp {
namespace {

std::atomic<int> seen{0};

#ifdef GALAPUTT_HAVE_X11
// Xlib keeps one handler for the whole process, whatever the connection.
XErrorHandler previous = nullptr;

int Filter(Display* display, XErrorEvent* e) {
  // The program itself never sends events: a SendEvent to a window that is
  // gone can only be SDL's wakeup.
  if (e->request_code == X_SendEvent && e->error_code == BadWindow) {
    seen.fetch_add(1, std::memory_order_relaxed);
    return 0;
  }
  return previous ? previous(display, e) : 0;
}
#endif

}  // namespace

void FilterStaleWakeupErrors() {
#ifdef GALAPUTT_HAVE_X11
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return;
  const XErrorHandler before = XSetErrorHandler(Filter);
  if (before != Filter) previous = before;
#endif
}

int StaleWakeupErrorsSeen() {
  return seen.load(std::memory_order_relaxed);
}

}  // namespace gp
