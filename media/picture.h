#pragma once
// A decoded picture: colours with red in the lowest byte, then green, then blue
// (0x00BBGGRR), row-major, top row first.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gp {

struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;

  bool empty() const { return width <= 0 || height <= 0; }
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Channel c (0 red, 1 green, 2 blue) of a 0x00BBGGRR colour.
inline int Channel(uint32_t colour, int c) {
  return static_cast<int>((colour >> (8 * c)) & 255);
}

}  // namespace gp
