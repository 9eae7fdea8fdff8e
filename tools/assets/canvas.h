#pragma once
// Cairo drawing surfaces for the asset compiler, and their conversion into the
// game's pictures. Everything here is deterministic: same calls, same bytes.

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "media/image_list.h"
#include "media/picture.h"
#include "media/wave_list.h"
#include "tools/assets/generator.h"

namespace gp::assets {

// An ARGB32 Cairo image surface with its context (RAII).
class Surface {
 public:
  Surface(int width, int height);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  cairo_surface_t* surface_;
  cairo_t* cr_;
  int width_, height_;
};

// How transparent pixels of a surface become a picture.
enum class KeyMode {
  Opaque,  // composite over black; no transparency (course pictures, pages)
  Keyed,   // alpha < 128 becomes the colour key (black); visible pixels never
           // turn into the key, even after the display's 16-bit conversion
  Additive // composite over black: black adds nothing (glows, flashes, fonts for DrawAdd)
};

Picture ToPicture(const Surface& s, KeyMode mode);

// 0x00BBGGRR from components 0..255.
constexpr uint32_t Rgb(int r, int g, int b) {
  return static_cast<uint32_t>(r & 255) | (static_cast<uint32_t>(g & 255) << 8) |
         (static_cast<uint32_t>(b & 255) << 16);
}

// Deterministic hash noise in 0..1 for integer coordinates and a seed.
double Noise(int x, int y, uint32_t seed);
// Smooth value noise in 0..1 (bilinear over a grid of `cell` pixels).
double SmoothNoise(double x, double y, double cell, uint32_t seed);

// An image item with pattern geometry; transparent when the picture is keyed.
ImageItem MakeItem(const std::string& name, Picture picture, int patternwidth = 0,
                   int patternheight = 0, bool transparent = true);

// Writes an image or wave list into the program folder and reports it.
void WriteImages(const Context& ctx, const std::string& file, const std::vector<ImageItem>& items);
void WriteWaves(const Context& ctx, const std::string& file, const std::vector<WaveItem>& items);

}  // namespace gp::assets
