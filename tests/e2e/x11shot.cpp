// x11shot OUT.png: the whole X screen ($DISPLAY) as a PNG file, for looking at
// the game in a real window (screenshots for people; the tests take their own).
#include <cstdio>
#include <vector>

#include "platform/headless/png_writer.h"

// After every other header: Xlib defines macros such as None and Bool.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: x11shot OUT.png\n");
    return 2;
  }
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "x11shot: no display\n");
    return 1;
  }
  const Window root = DefaultRootWindow(d);
  XWindowAttributes a;
  XGetWindowAttributes(d, root, &a);
  XImage* img = XGetImage(d, root, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
  if (!img) return 1;
  std::vector<uint32_t> colours(static_cast<size_t>(a.width) * a.height);
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      const unsigned long p = XGetPixel(img, x, y);
      // 0x00RRGGBB on the server; the writer takes red in the lowest byte.
      colours[static_cast<size_t>(y) * a.width + x] =
          static_cast<uint32_t>((p >> 16 & 255) | (p & 0xFF00) | (p & 255) << 16);
    }
  }
  XDestroyImage(img);
  XCloseDisplay(d);
  return gp::WritePngColours(argv[1], colours.data(), a.width, a.height) ? 0 : 1;
}
