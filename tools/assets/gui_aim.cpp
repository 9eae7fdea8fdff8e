// The aiming display: power gauge, target marker, the putter and its shadow.
#include <cmath>
#include <string>

#include "tools/assets/gui_art.h"

namespace gp::assets {

namespace {

constexpr double kByte = 2 * M_PI / 256;  // one byte-angle step in radians

// Colour of gauge segment i of 30: accent, then yellow, then hot.
Col GaugeColour(const Theme& t, int i) {
  const double f = i / 29.0;
  const Col yellow{1.0, 0.9, 0.3};
  return f < 0.5 ? Mix(t.accent, yellow, f * 2) : Mix(yellow, t.hot, (f - 0.5) * 2);
}

void GaugePattern(cairo_t* cr, const Theme& t, int p, double ox) {
  if (p == 0) return;  // no power, no gauge
  const double cx = ox + 47, cy = 56, r0 = 35, r1 = 43;
  const double a0 = M_PI + 0.38, a1 = 2 * M_PI - 0.38, step = (a1 - a0) / 30;
  // Dark track, then the lit segments with a bright edge.
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r1 + 1.5, a0 - 0.03, a1 + 0.03);
  cairo_arc_negative(cr, cx, cy, r0 - 1.5, a1 + 0.03, a0 - 0.03);
  cairo_close_path(cr);
  SetCol(cr, Scale(t.field, 0.8));
  cairo_fill(cr);
  for (int i = 0; i < 30; ++i) {
    const double s0 = a0 + i * step + 0.012, s1 = a0 + (i + 1) * step - 0.012;
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r1, s0, s1);
    cairo_arc_negative(cr, cx, cy, r0, s1, s0);
    cairo_close_path(cr);
    if (i < p) {
      const Col c = GaugeColour(t, i);
      cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
      AddStop(g, 0, Scale(c, 0.7));
      AddStop(g, 0.6, Mix(c, Col{1, 1, 1}, 0.35));
      AddStop(g, 1, c);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
    } else {
      SetCol(cr, Mix(t.field, t.fieldedge, 0.35));
      cairo_fill(cr);
    }
  }
  // The power as a number inside the arc.
  const std::string n = std::to_string(p * 3);
  const Col c = GaugeColour(t, p > 0 ? p - 1 : 0);
  PixelText(cr, n, static_cast<int>(ox) + 47 - PixelTextWidth(n) / 2, 24, c, t.textshadow);
}

void TargetPattern(cairo_t* cr, const Theme& t, int k, double ox) {
  // A pulsing ring on the ground (seen at a slant) with four ticks.
  const double bright[4] = {1.0, 0.8, 0.55, 0.75};
  const double grow[4] = {0, 0.6, 1.2, 0.6};
  const double b = bright[k];
  cairo_save(cr);
  cairo_translate(cr, ox + 16, 13);
  cairo_save(cr);
  cairo_scale(cr, 1.0, 0.72);
  for (int pass = 0; pass < 3; ++pass) {  // glow, ring, core
    const double w = pass == 0 ? 4.5 : pass == 1 ? 2.2 : 0.9;
    const Col c = pass == 2 ? Mix(t.accent, Col{1, 1, 1}, 0.7) : t.accent;
    const double a = (pass == 0 ? 0.28 : pass == 1 ? 0.75 : 0.9) * b;
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 10 + grow[k], 0, 2 * M_PI);
    cairo_set_line_width(cr, w);
    SetCol(cr, c, a);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  const double tick[4][4] = {{-15, 0, -9.5, 0}, {15, 0, 9.5, 0}, {0, -12, 0, -8}, {0, 12, 0, 8}};
  for (const auto& q : tick) {
    cairo_move_to(cr, q[0], q[1]);
    cairo_line_to(cr, q[2], q[3]);
  }
  cairo_set_line_width(cr, 1.5);
  SetCol(cr, Mix(t.accent, Col{1, 1, 1}, 0.5), 0.9 * b);
  cairo_stroke(cr);
  cairo_arc(cr, 0, 0, 1.6, 0, 2 * M_PI);
  SetCol(cr, Col{1, 1, 1}, b);
  cairo_fill(cr);
  cairo_restore(cr);
}

struct ClubPose {
  double dx, dy;  // shot direction (ground plane, screen axes)
  double px, py;  // along the blade, toward the heel
  double hx, hy;  // heel, where the shaft leaves the head
  double tx, ty;  // top of the grip
};

ClubPose Pose(int c) {
  const double a = (128 - 8 * c) * kByte;
  ClubPose p{};
  p.dx = std::cos(a);
  p.dy = std::sin(a);
  p.px = -p.dy;
  p.py = p.dx;
  // The heel is the blade end away from the ball's side, so the shaft never
  // rises through the ball in front of the face.
  if (p.px * p.dx > 0.01) {
    p.px = -p.px;
    p.py = -p.py;
  }
  const double cx = 47 - p.dx * 4, cy = 125 - p.dy * 4;  // head centre
  p.hx = cx + p.px * 7;
  p.hy = cy + p.py * 7 - 3;
  p.tx = p.hx - p.dx * 12 + p.px * 6;
  p.ty = 8;
  return p;
}

// The putter head's outline on the ground, lifted by `up` pixels.
void HeadPath(cairo_t* cr, const ClubPose& p, double ox, double oy, double up, double grow) {
  const double cx = ox + 47 - p.dx * 4, cy = oy + 125 - p.dy * 4 - up;
  const double half = 11 + grow, depth = 3.6 + grow;
  cairo_new_path(cr);
  cairo_move_to(cr, cx + p.px * half + p.dx * depth, cy + p.py * half + p.dy * depth);
  cairo_line_to(cr, cx - p.px * half + p.dx * depth, cy - p.py * half + p.dy * depth);
  cairo_line_to(cr, cx - p.px * half - p.dx * depth, cy - p.py * half - p.dy * depth);
  cairo_line_to(cr, cx + p.px * half - p.dx * depth, cy + p.py * half - p.dy * depth);
  cairo_close_path(cr);
}

// Shaft: steel with a dark edge, then the rubber grip on the top third.
void Shaft(cairo_t* cr, const ClubPose& p, double ox, double oy) {
  cairo_move_to(cr, ox + p.hx, oy + p.hy);
  cairo_line_to(cr, ox + p.tx, oy + p.ty);
  cairo_set_line_width(cr, 3.2);
  cairo_set_source_rgb(cr, 0.22, 0.25, 0.3);
  cairo_stroke(cr);
  cairo_move_to(cr, ox + p.hx - 0.5, oy + p.hy);
  cairo_line_to(cr, ox + p.tx - 0.5, oy + p.ty);
  cairo_set_line_width(cr, 1.4);
  cairo_set_source_rgb(cr, 0.86, 0.9, 0.95);
  cairo_stroke(cr);
  const double kx = ox + p.tx, ky = oy + p.ty;
  cairo_move_to(cr, kx, ky);
  cairo_line_to(cr, ox + p.tx + (p.hx - p.tx) * 0.3, oy + p.ty + (p.hy - p.ty) * 0.3);
  cairo_set_line_width(cr, 5.5);
  cairo_set_source_rgb(cr, 0.1, 0.1, 0.13);
  cairo_stroke(cr);
  cairo_move_to(cr, kx - 1, ky + 1);
  cairo_line_to(cr, ox + p.tx + (p.hx - p.tx) * 0.3 - 1, oy + p.ty + (p.hy - p.ty) * 0.3);
  cairo_set_line_width(cr, 1.6);
  cairo_set_source_rgb(cr, 0.85, 0.25, 0.2);
  cairo_stroke(cr);
}

void ClubPattern(cairo_t* cr, int c, double ox, double oy) {
  const ClubPose p = Pose(c);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  Shaft(cr, p, ox, oy);
  // Head: the dark sole, then the polished top lifted by 3 pixels.
  HeadPath(cr, p, ox, oy, 0, 0.6);
  cairo_set_source_rgb(cr, 0.12, 0.13, 0.16);
  cairo_fill(cr);
  HeadPath(cr, p, ox, oy, 3, 0);
  cairo_pattern_t* g = cairo_pattern_create_linear(ox + 47 - p.px * 11, oy + 120 - p.py * 11,
                                                   ox + 47 + p.px * 11, oy + 120 + p.py * 11);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.55, 0.6, 0.68);
  cairo_pattern_add_color_stop_rgb(g, 0.45, 0.95, 0.97, 1.0);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.45, 0.5, 0.58);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 0.8);
  cairo_set_source_rgb(cr, 0.25, 0.28, 0.34);
  cairo_stroke(cr);
  // The sight line on top of the head, along the shot.
  const double cx = ox + 47 - p.dx * 4, cy = oy + 125 - p.dy * 4 - 3;
  cairo_move_to(cr, cx - p.dx * 2.5, cy - p.dy * 2.5);
  cairo_line_to(cr, cx + p.dx * 2.5, cy + p.dy * 2.5);
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgb(cr, 0.9, 0.3, 0.2);
  cairo_stroke(cr);
}

void ClubShadowPattern(cairo_t* cr, int c, double ox, double oy) {
  const ClubPose p = Pose(c);
  // Light from the upper left: the shaft's shadow falls to the right on the ground.
  const double bx = ox + p.hx + 1, by = oy + p.hy + 5;
  const double ex = bx + 40, ey = std::min(by + 10, oy + 139.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int pass = 0; pass < 3; ++pass) {
    const double w = 6 - pass * 2;
    cairo_move_to(cr, bx, by);
    cairo_line_to(cr, ex, ey);
    cairo_set_line_width(cr, w);
    cairo_set_source_rgba(cr, 0.45, 0.45, 0.45, 0.3);
    cairo_stroke(cr);
    HeadPath(cr, p, ox + 2, oy + 2, 0, 2 - pass);
    cairo_set_source_rgba(cr, 0.45, 0.45, 0.45, 0.3);
    cairo_fill(cr);
  }
}

}  // namespace

Picture GaugePicture(const Theme& t) {
  Surface s(kGaugeW * kGaugePatterns, kGaugeH);
  for (int p = 0; p < kGaugePatterns; ++p) {
    cairo_save(s.cr());
    cairo_rectangle(s.cr(), p * kGaugeW, 0, kGaugeW, kGaugeH);
    cairo_clip(s.cr());
    GaugePattern(s.cr(), t, p, p * kGaugeW);
    cairo_restore(s.cr());
  }
  return ToPicture(s, KeyMode::Keyed);
}

Picture TargetPicture(const Theme& t) {
  Surface s(kTargetW * kTargetPatterns, kTargetH);
  for (int k = 0; k < kTargetPatterns; ++k) TargetPattern(s.cr(), t, k, k * kTargetW);
  return ToPicture(s, KeyMode::Additive);
}

// Clubs: 8 patterns a row, 4 rows.
Picture ClubPicture() {
  Surface s(kClubW * 8, kClubH * 4);
  for (int c = 0; c < kClubPatterns; ++c) {
    cairo_save(s.cr());
    cairo_rectangle(s.cr(), (c % 8) * kClubW, (c / 8) * kClubH, kClubW, kClubH);
    cairo_clip(s.cr());
    ClubPattern(s.cr(), c, (c % 8) * kClubW, (c / 8) * kClubH);
    cairo_restore(s.cr());
  }
  return ToPicture(s, KeyMode::Keyed);
}

Picture ClubShadowPicture() {
  Surface s(kClubW * 8, kClubH * 4);
  for (int c = 0; c < kClubPatterns; ++c) {
    cairo_save(s.cr());
    cairo_rectangle(s.cr(), (c % 8) * kClubW, (c / 8) * kClubH, kClubW, kClubH);
    cairo_clip(s.cr());
    ClubShadowPattern(s.cr(), c, (c % 8) * kClubW, (c / 8) * kClubH);
    cairo_restore(s.cr());
  }
  return ToPicture(s, KeyMode::Additive);
}

}  // namespace gp::assets
