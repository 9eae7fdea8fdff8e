#include "platform/headless/png_writer.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace gp {

namespace {

bool WriteRgb(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  const int ok = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr);
  png_image_free(&image);
  return ok != 0;
}

}  // namespace

bool WritePng(const std::string& path, const uint16_t* pixels, int width, int height, int pitch) {
  if (width <= 0 || height <= 0) return false;
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  uint8_t* out = rgb.data();
  for (int y = 0; y < height; ++y) {
    const uint16_t* row = pixels + static_cast<size_t>(y) * pitch;
    for (int x = 0; x < width; ++x) {
      const unsigned v = row[x], r = v >> 11, g = (v >> 5) & 63, b = v & 31;
      *out++ = static_cast<uint8_t>(r << 3 | r >> 2);  // bits replicated: 31 -> 255
      *out++ = static_cast<uint8_t>(g << 2 | g >> 4);
      *out++ = static_cast<uint8_t>(b << 3 | b >> 2);
    }
  }
  return WriteRgb(path, rgb, width, height);
}

bool WritePngColours(const std::string& path, const uint32_t* colours, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  uint8_t* out = rgb.data();
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
    *out++ = static_cast<uint8_t>(colours[i]);
    *out++ = static_cast<uint8_t>(colours[i] >> 8);
    *out++ = static_cast<uint8_t>(colours[i] >> 16);
  }
  return WriteRgb(path, rgb, width, height);
}

}  // namespace gp
