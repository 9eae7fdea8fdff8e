// Optional PNG dumps of generated pictures, for reviewing the art by eye.
#include <cairo.h>

#include <cstdlib>

#include "tools/assets/art.h"

namespace gp::assets {

bool Dumping() {
  const char* dir = std::getenv("GALAPUTT_ART_DUMP");
  return dir != nullptr && *dir != '\0';
}

void DumpPicture(const std::string& name, const Picture& p, int zoom) {
  const char* dir = std::getenv("GALAPUTT_ART_DUMP");
  if (dir == nullptr || *dir == '\0' || p.empty()) return;
  cairo_surface_t* s =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, p.width * zoom, p.height * zoom);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < p.height * zoom; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < p.width * zoom; ++x) {
      const uint32_t c = p.at(x / zoom, y / zoom);  // 0x00BBGGRR
      row[x] = ((c & 255) << 16) | (c & 0xFF00) | ((c >> 16) & 255);
    }
  }
  cairo_surface_mark_dirty(s);
  cairo_surface_write_to_png(s, (std::string(dir) + "/" + name + ".png").c_str());
  cairo_surface_destroy(s);
}

}  // namespace gp::assets

#include <cstdio>

namespace gp::assets {

void DumpWave(const std::string& name, const std::vector<int16_t>& samples) {
  const char* dir = std::getenv("GALAPUTT_ART_DUMP");
  if (dir == nullptr || *dir == '\0') return;
  std::FILE* f = std::fopen((std::string(dir) + "/" + name + ".wav").c_str(), "wb");
  if (f == nullptr) return;
  auto u32 = [&](uint32_t v) { std::fwrite(&v, 4, 1, f); };
  auto u16 = [&](uint16_t v) { std::fwrite(&v, 2, 1, f); };
  const uint32_t bytes = static_cast<uint32_t>(samples.size() * 2);
  std::fwrite("RIFF", 1, 4, f);
  u32(36 + bytes);
  std::fwrite("WAVEfmt ", 1, 8, f);
  u32(16);
  u16(1);
  u16(1);
  u32(22050);
  u32(44100);
  u16(2);
  u16(16);
  std::fwrite("data", 1, 4, f);
  u32(bytes);
  std::fwrite(samples.data(), 2, samples.size(), f);
  std::fclose(f);
}

}  // namespace gp::assets
