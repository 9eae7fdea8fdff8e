// Interface themes and the Cairo helpers the interface pictures share.
#include "tools/assets/art.h"

#include <cmath>

namespace gp::assets {

namespace {
constexpr Col Hex(unsigned v) {
  return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0};
}
}  // namespace

const Theme& DefaultTheme() {
  // Deep navy glass with cyan light: the colours of the space course.
  static const Theme t{
      .rimlight = Hex(0x9fd8f0),
      .rimdark = Hex(0x18304a),
      .glasstop = Hex(0x1c3556),
      .glassbottom = Hex(0x0a1426),
      .title = Hex(0x2a6f9a),
      .titletext = Hex(0xe8f8ff),
      .accent = Hex(0x46e0ff),
      .hot = Hex(0xff5a3c),
      .field = Hex(0x050b16),
      .fieldedge = Hex(0x3d6f93),
      .text = Hex(0xdff6ff),
      .textshadow = Hex(0x0c1a2c),
      .label = Hex(0x6fa6c8),
      .button = Hex(0x2c4f76),
      .buttonlit = Hex(0x4f86b8),
      .icon = Hex(0xe6f7ff),
      .digits = Hex(0xffe07a),
      .digitsedge = Hex(0x2b1a04),
      .planet = Hex(0xe0904a),
      .planetring = Hex(0x9ad6ef),
  };
  return t;
}

const Theme& NebulaTheme() {
  // Violet and magenta nebula glass with amber text.
  static const Theme t{
      .rimlight = Hex(0xf0b0f0),
      .rimdark = Hex(0x3a1440),
      .glasstop = Hex(0x43204f),
      .glassbottom = Hex(0x160a22),
      .title = Hex(0x8c2f86),
      .titletext = Hex(0xfff0fa),
      .accent = Hex(0xff7ae6),
      .hot = Hex(0xffd24a),
      .field = Hex(0x12061a),
      .fieldedge = Hex(0x8a4c94),
      .text = Hex(0xffe7b8),
      .textshadow = Hex(0x200a1c),
      .label = Hex(0xc58bd0),
      .button = Hex(0x5a2a66),
      .buttonlit = Hex(0x9250a0),
      .icon = Hex(0xfff2d8),
      .digits = Hex(0x9ff7ff),
      .digitsedge = Hex(0x0a1c2a),
      .planet = Hex(0x5ad0a0),
      .planetring = Hex(0xffc070),
  };
  return t;
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void VGradient(cairo_t* cr, double y0, double y1, Col top, Col bottom, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  AddStop(p, 0, top, alpha);
  AddStop(p, 1, bottom, alpha);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void Recess(cairo_t* cr, const Theme& t, double x, double y, double w, double h, double r) {
  // Lit lower-right lip, then the dark well one pixel up and left of it.
  RoundRect(cr, x, y, w, h, r);
  SetCol(cr, t.fieldedge, 0.9);
  cairo_fill(cr);
  RoundRect(cr, x, y, w - 1, h - 1, r);
  SetCol(cr, Scale(t.field, 0.5));
  cairo_fill(cr);
  RoundRect(cr, x + 1, y + 1, w - 2, h - 2, r > 1 ? r - 1 : r);
  VGradient(cr, y, y + h, t.field, Mix(t.field, t.glasstop, 0.35));
  cairo_fill(cr);
}

void Stars(cairo_t* cr, int w, int h, int count, uint32_t seed, double alpha) {
  for (int i = 0; i < count; ++i) {
    const double x = std::floor(Noise(i, 1, seed) * w) + 0.5;
    const double y = std::floor(Noise(i, 2, seed) * h) + 0.5;
    const double b = 0.35 + 0.65 * Noise(i, 3, seed);
    cairo_rectangle(cr, x - 0.5, y - 0.5, 1, 1);
    cairo_set_source_rgba(cr, 0.8 + 0.2 * b, 0.9, 1.0, alpha * b);
    cairo_fill(cr);
  }
}

}  // namespace gp::assets
