// The "icon" generator: the program's icon for desktops, a ball beside a flag
// on a green floating in deep space, as PNG files in icons/ of the program
// folder, one per size (the install puts them in the hicolor theme).
#include <cairo.h>
#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <stdexcept>
#include <string>

#include "tools/assets/canvas.h"
#include "tools/assets/generator.h"

namespace gp::assets {

namespace {

// Square sizes, pixels.
constexpr int kIconSizes[] = {32, 48, 64, 128, 256};

// Stars on the space disc: position and radius, in icon units (0..1).
constexpr double kStars[][3] = {{0.25, 0.22, 0.012}, {0.40, 0.12, 0.008}, {0.78, 0.45, 0.010},
                                {0.18, 0.44, 0.008}, {0.84, 0.62, 0.007}, {0.30, 0.34, 0.006}};

void Ellipse(cairo_t* cr, double x, double y, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void Space(cairo_t* cr) {
  cairo_pattern_t* sky = cairo_pattern_create_radial(0.42, 0.36, 0.05, 0.5, 0.5, 0.5);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.20, 0.24, 0.52);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.03, 0.04, 0.13);
  cairo_arc(cr, 0.5, 0.5, 0.48, 0, 2 * M_PI);
  cairo_set_source(cr, sky);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);
  cairo_set_source_rgba(cr, 1, 1, 0.9, 0.9);
  for (const auto& s : kStars) {
    cairo_arc(cr, s[0], s[1], s[2], 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

// The floating green: rock underneath, the turf on top, the cup.
void Green(cairo_t* cr) {
  Ellipse(cr, 0.5, 0.72, 0.40, 0.15);
  cairo_set_source_rgb(cr, 0.33, 0.25, 0.20);
  cairo_fill(cr);
  cairo_pattern_t* turf = cairo_pattern_create_linear(0, 0.52, 0, 0.80);
  cairo_pattern_add_color_stop_rgb(turf, 0, 0.45, 0.85, 0.35);
  cairo_pattern_add_color_stop_rgb(turf, 1, 0.12, 0.45, 0.15);
  Ellipse(cr, 0.5, 0.66, 0.40, 0.14);
  cairo_set_source(cr, turf);
  cairo_fill(cr);
  cairo_pattern_destroy(turf);
  Ellipse(cr, 0.63, 0.66, 0.055, 0.022);
  cairo_set_source_rgb(cr, 0.03, 0.06, 0.03);
  cairo_fill(cr);
}

void Flag(cairo_t* cr) {
  cairo_set_source_rgb(cr, 0.88, 0.88, 0.92);
  cairo_rectangle(cr, 0.62, 0.15, 0.022, 0.51);
  cairo_fill(cr);
  cairo_pattern_t* cloth = cairo_pattern_create_linear(0.63, 0, 0.88, 0);
  cairo_pattern_add_color_stop_rgb(cloth, 0, 0.95, 0.15, 0.12);
  cairo_pattern_add_color_stop_rgb(cloth, 1, 0.70, 0.05, 0.10);
  cairo_move_to(cr, 0.642, 0.15);
  cairo_line_to(cr, 0.89, 0.235);
  cairo_line_to(cr, 0.642, 0.32);
  cairo_close_path(cr);
  cairo_set_source(cr, cloth);
  cairo_fill(cr);
  cairo_pattern_destroy(cloth);
}

void Ball(cairo_t* cr) {
  Ellipse(cr, 0.37, 0.70, 0.10, 0.03);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  cairo_pattern_t* shade = cairo_pattern_create_radial(0.335, 0.565, 0.01, 0.36, 0.60, 0.11);
  cairo_pattern_add_color_stop_rgb(shade, 0, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(shade, 0.7, 0.86, 0.87, 0.90);
  cairo_pattern_add_color_stop_rgb(shade, 1, 0.55, 0.57, 0.64);
  cairo_arc(cr, 0.36, 0.60, 0.10, 0, 2 * M_PI);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
}

void WriteIcon(const Context& ctx, int size) {
  Surface s(size, size);
  cairo_t* cr = s.cr();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_scale(cr, size, size);
  Space(cr);
  Green(cr);
  Flag(cr);
  Ball(cr);
  cairo_surface_flush(s.surface());
  const std::string file = "icons/galaputt-" + std::to_string(size) + ".png";
  if (cairo_surface_write_to_png(s.surface(), (ctx.out + file).c_str()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot write " + ctx.out + file);
  }
  Progress(file);
}

void RunIcon(const Context& ctx) {
  const std::string dir = ctx.out + "icons";
  if (::mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
    throw std::runtime_error("cannot create " + dir);
  }
  for (int size : kIconSizes) WriteIcon(ctx, size);
}

Registrar kIconGenerator{{"icon", RunIcon}};

}  // namespace

}  // namespace gp::assets
