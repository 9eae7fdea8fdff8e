#pragma once
// The display's 16-bit pixels: 5 bits red (top), 6 green, 5 blue.

#include <cstdint>

namespace gp {

// The closest RGB565 value of a colour 0x00BBGGRR (each channel rounded).
constexpr uint16_t ToNative(uint32_t colour) {
  const uint32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
  return static_cast<uint16_t>(((r * 31 + 127) / 255) << 11 | ((g * 63 + 127) / 255) << 5 |
                               ((b * 31 + 127) / 255));
}

// The colour 0x00BBGGRR of an RGB565 value (bits replicated into the low bits).
constexpr uint32_t FromNative(uint16_t v) {
  const uint32_t r5 = v >> 11, g6 = (v >> 5) & 63, b5 = v & 31;
  return (r5 << 3 | r5 >> 2) | (g6 << 2 | g6 >> 4) << 8 | (b5 << 3 | b5 >> 2) << 16;
}

}  // namespace gp
