#include "tools/assets/bitmap8.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/assets/indexed.h"

namespace gp::assets {

namespace {

// Maps every pixel to the palette, spreading each pixel's error onto its
// right and lower neighbours (Floyd-Steinberg), so gradients stay smooth.
void Diffuse(const Picture& p, const Palette& palette, IndexedPicture& out) {
  PaletteMap nearest(palette);
  std::vector<float> cur(static_cast<size_t>(p.width + 2) * 3, 0), next(cur.size(), 0);
  for (int y = 0; y < p.height; ++y) {
    std::fill(next.begin(), next.end(), 0.0f);
    for (int x = 0; x < p.width; ++x) {
      int want[3];
      for (int ch = 0; ch < 3; ++ch) {
        const float v = Channel(p.at(x, y), ch) + cur[static_cast<size_t>(x + 1) * 3 + ch];
        want[ch] = std::clamp(static_cast<int>(std::lround(v)), 0, 255);
      }
      const uint8_t idx = nearest(static_cast<uint32_t>(want[0] | want[1] << 8 | want[2] << 16));
      out.indices[static_cast<size_t>(y) * p.width + x] = idx;
      for (int ch = 0; ch < 3; ++ch) {
        const float err = static_cast<float>(want[ch] - palette[idx * 3u + static_cast<size_t>(ch)]);
        const size_t at = static_cast<size_t>(x + 1) * 3 + ch;
        cur[at + 3] += err * 7 / 16;
        next[at - 3] += err * 3 / 16;
        next[at] += err * 5 / 16;
        next[at + 3] += err * 1 / 16;
      }
    }
    std::swap(cur, next);
  }
}

}  // namespace

IndexedPicture Quantise(const Picture& picture) {
  IndexedPicture out;
  out.width = picture.width;
  out.height = picture.height;
  out.indices.assign(picture.pixels.size(), 0);
  std::vector<uint32_t> colours(picture.pixels);
  for (uint32_t& c : colours) c &= 0xFFFFFF;
  std::sort(colours.begin(), colours.end());
  colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
  if (colours.size() <= 256) {  // few enough colours: exact
    out.palette = colours;
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
      const uint32_t c = picture.pixels[i] & 0xFFFFFF;
      out.indices[i] = static_cast<uint8_t>(
          std::lower_bound(out.palette.begin(), out.palette.end(), c) - out.palette.begin());
    }
    return out;
  }
  const Palette palette = MakePalette({&picture.pixels});
  for (size_t i = 0; i < 256; ++i) {
    out.palette.push_back(static_cast<uint32_t>(palette[i * 3] | palette[i * 3 + 1] << 8 |
                                                palette[i * 3 + 2] << 16));
  }
  Diffuse(picture, palette, out);
  return out;
}

Bytes EncodeBitmap8(const IndexedPicture& p) {
  if (p.width <= 0 || p.height <= 0 || p.palette.size() > 256 ||
      p.indices.size() != static_cast<size_t>(p.width) * p.height) {
    throw std::runtime_error("bad 8-bit picture");
  }
  Palette palette{};
  for (size_t i = 0; i < p.palette.size(); ++i) {
    for (size_t ch = 0; ch < 3; ++ch) {
      palette[i * 3 + ch] = static_cast<uint8_t>(p.palette[i] >> (8 * ch));
    }
  }
  return EncodeBitmap8(p.width, p.height, p.indices, palette);
}

}  // namespace gp::assets
