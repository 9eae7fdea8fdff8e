#pragma once
// Tiny hand-made image items for drawing tests: every pattern is a solid block
// of its own display value (base + pattern), so what was drawn where can be
// read back from the back buffer.

#include <cstdint>
#include <string>

#include "media/bitmap_text.h"
#include "media/image_list.h"
#include "app/game_window.h"

namespace gp::test {

// The picture colour (0x00BBGGRR) whose display value is exactly `native`.
inline uint32_t ColourOfNative(uint16_t native) {
  const uint32_t r = native >> 11, g = (native >> 5) & 63, b = native & 31;
  return (r << 3 | r >> 2) | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2) << 16;
}

// `count` patterns of w x h in one row, pattern p filled with base + p.
inline ImageItem Blocks(int count, int w, int h, uint16_t base) {
  ImageItem item;
  item.picture.width = count * w;
  item.picture.height = h;
  item.picture.pixels.resize(static_cast<size_t>(count) * w * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < count * w; ++x) {
      item.picture.pixels[static_cast<size_t>(y) * count * w + x] =
          ColourOfNative(static_cast<uint16_t>(base + x / w));
    }
  }
  item.patternwidth = w;
  item.patternheight = h;
  PrepareItem(item);
  return item;
}

inline uint16_t Pixel(int x, int y) {
  const Display& d = gamewin().display;
  return d.Pixels()[static_cast<size_t>(y) * d.Pitch() + x];
}

// The pattern of an item made with `base` whose top-left corner lies at (x, y),
// or -1 when something else is there.
inline int PatternAt(int x, int y, uint16_t base, int count) {
  const int v = Pixel(x, y) - base;
  return v >= 0 && v < count ? v : -1;
}

// Reads back text drawn with the 67-glyph order by a font made with Blocks(67,
// advance, ..., base): glyph k sits at x + k * advance. Stops at the first
// place without a glyph, or after `max` characters.
inline std::string TextAt(int x, int y, int advance, uint16_t base, int max = 80) {
  std::string out;
  for (int k = 1; k <= max; ++k) {
    const int n = PatternAt(x + k * advance, y, base, 67);
    if (n < 0) break;
    out += kGlyphOrder[n];
  }
  return out;
}

// The same for the digit font ("0123456789o-", advance w + 1).
inline std::string DigitsAt(int x, int y, int w, uint16_t base, int max = 8) {
  static const char kDigits[] = "0123456789o-";
  std::string out;
  for (int k = 1; k <= max; ++k) {
    const int n = PatternAt(x + k * (w + 1), y, base, 12);
    if (n < 0) break;
    out += kDigits[n];
  }
  return out;
}

}  // namespace gp::test
