#pragma once
// 8-bit paletted pictures for the launcher's art: a deterministic median-cut
// palette, mapping colours onto it, and 8-bit Windows bitmap files.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "media/picture.h"

namespace gp::assets {

// 256 entries of R, G, B (0..255).
using Palette = std::array<uint8_t, 768>;

// A palette for all the pixels (0x00BBGGRR) of `samples`. The `fixed` colours
// come first and exactly; median cut fills the remaining entries, splitting
// the box with the largest squared error first. Unused entries are black.
Palette MakePalette(const std::vector<const std::vector<uint32_t>*>& samples,
                    const std::vector<uint32_t>& fixed = {});

// The nearest palette entry (squared RGB distance, lowest index on a tie) of
// every 24-bit colour, worked out on first use and remembered.
class PaletteMap {
 public:
  explicit PaletteMap(const Palette& palette);

  uint8_t operator()(uint32_t colour) {
    const uint32_t key = colour & 0xFFFFFF;
    int16_t& slot = table_[key];
    if (slot < 0) slot = Nearest(key);
    return static_cast<uint8_t>(slot);
  }
  std::vector<uint8_t> Map(const std::vector<uint32_t>& pixels);
  const Palette& palette() const { return palette_; }

 private:
  int16_t Nearest(uint32_t colour) const;

  Palette palette_;
  std::vector<int16_t> table_;  // one slot per 24-bit colour; -1 = not yet known
};

// A complete 8-bit Windows bitmap file (bottom-up, 256-colour table) of
// width x height palette indices, top row first.
std::vector<uint8_t> EncodeBitmap8(int width, int height, const std::vector<uint8_t>& pixels,
                                   const Palette& palette);


}  // namespace gp::assets
