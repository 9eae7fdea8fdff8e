#pragma once
// A PNG file (a frame the lab rendered headless) as a screenshot.

#include <png.h>

#include <string>
#include <vector>

#include "x11_session.h"

namespace gp::e2e {

// 0x00RRGGBB pixels; empty when the file cannot be read.
inline Shot ReadPng(const std::string& path) {
  Shot s;
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&img, path.c_str())) return s;
  img.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> bytes(PNG_IMAGE_SIZE(img));
  if (!png_image_finish_read(&img, nullptr, bytes.data(), 0, nullptr)) return s;
  s.w = static_cast<int>(img.width);
  s.h = static_cast<int>(img.height);
  s.rgb.resize(static_cast<size_t>(s.w) * s.h);
  for (size_t i = 0; i < s.rgb.size(); ++i) {
    s.rgb[i] = static_cast<uint32_t>(bytes[i * 3] << 16 | bytes[i * 3 + 1] << 8 | bytes[i * 3 + 2]);
  }
  return s;
}

}  // namespace gp::e2e
