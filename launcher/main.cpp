// galaputt: the game. The launcher and the game window start here.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("galaputt 0.1.0\n");
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::printf(
          "usage: galaputt [--windowed] [--seed N] [--play HOLE [--players N] [--training]]\n");
      return 0;
    }
  }
  std::fprintf(stderr, "galaputt: the game window is not built yet\n");
  return 1;
}
