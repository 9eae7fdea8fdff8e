#include "tools/assets/canvas.h"

#include <cmath>
#include <stdexcept>

#include "media/container_writer.h"

namespace gp::assets {

Surface::Surface(int width, int height)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)),
      width_(width),
      height_(height) {
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot make a " + std::to_string(width) + "x" +
                             std::to_string(height) + " drawing surface");
  }
}

Surface::~Surface() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

namespace {
// True when the colour lands on RGB565 black, which the display treats as the key.
bool NativeBlack(int r, int g, int b) { return (r >> 3) == 0 && (g >> 2) == 0 && (b >> 3) == 0; }
}  // namespace

Picture ToPicture(const Surface& s, KeyMode mode) {
  cairo_surface_flush(s.surface());
  Picture p;
  p.width = s.width();
  p.height = s.height();
  p.pixels.resize(static_cast<size_t>(p.width) * p.height);
  const unsigned char* data = cairo_image_surface_get_data(s.surface());
  const int stride = cairo_image_surface_get_stride(s.surface());
  for (int y = 0; y < p.height; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < p.width; ++x) {
      const uint32_t argb = row[x];  // premultiplied
      const int a = static_cast<int>(argb >> 24);
      int r = static_cast<int>((argb >> 16) & 255);
      int g = static_cast<int>((argb >> 8) & 255);
      int b = static_cast<int>(argb & 255);
      uint32_t out;
      if (mode == KeyMode::Keyed) {
        if (a < 128) {
          out = 0;
        } else {
          // Un-premultiply so edge pixels keep their colour, not a dark fringe.
          r = std::min(255, r * 255 / a);
          g = std::min(255, g * 255 / a);
          b = std::min(255, b * 255 / a);
          if (NativeBlack(r, g, b)) r = 8, g = 8, b = 8;
          out = Rgb(r, g, b);
        }
      } else {
        out = Rgb(r, g, b);  // premultiplied = composited over black
      }
      p.pixels[static_cast<size_t>(y) * p.width + x] = out;
    }
  }
  return p;
}

double Noise(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<double>(h & 0xFFFFFF) / 16777215.0;
}

double SmoothNoise(double x, double y, double cell, uint32_t seed) {
  const double gx = x / cell, gy = y / cell;
  const int ix = static_cast<int>(std::floor(gx)), iy = static_cast<int>(std::floor(gy));
  double fx = gx - ix, fy = gy - iy;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  const double a = Noise(ix, iy, seed), b = Noise(ix + 1, iy, seed);
  const double c = Noise(ix, iy + 1, seed), d = Noise(ix + 1, iy + 1, seed);
  return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

ImageItem MakeItem(const std::string& name, Picture picture, int patternwidth, int patternheight,
                   bool transparent) {
  ImageItem item;
  item.name = name;
  item.patternwidth = patternwidth;
  item.patternheight = patternheight;
  item.transparent = transparent;
  item.transparentcolor = 0;
  item.picture = std::move(picture);
  return item;
}

void WriteImages(const Context& ctx, const std::string& file, const std::vector<ImageItem>& items) {
  WriteImageList(ctx.out + file, items);
  Progress(file);
}

void WriteWaves(const Context& ctx, const std::string& file, const std::vector<WaveItem>& items) {
  WriteWaveList(ctx.out + file, items);
  Progress(file);
}

}  // namespace gp::assets
