#pragma once
// PNG screenshots of the back buffer (RGB565) and of pictures (0x00BBGGRR).

#include <cstdint>
#include <string>

namespace gp {

// Writes width x height RGB565 pixels (pitch in pixels) as an 8-bit RGB PNG.
// Returns false when the file cannot be written.
bool WritePng(const std::string& path, const uint16_t* pixels, int width, int height, int pitch);
// The same for colours with red in the lowest byte.
bool WritePngColours(const std::string& path, const uint32_t* colours, int width, int height);

}  // namespace gp
