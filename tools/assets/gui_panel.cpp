// The score panel, its minimised form, the buttons, the push-putt badge, the
// name box over a ball and the pointer. Coordinates are image-local: the panel
// is drawn at screen (4, 4), so a screen position of the HUD minus 4.
#include <cmath>

#include "tools/assets/gui_art.h"

namespace gp::assets {

namespace {

// Player colours of the score cells, in player order.
const Col kPlayerDots[4] = {
    {0.35, 0.9, 1.0}, {1.0, 0.62, 0.25}, {0.6, 1.0, 0.35}, {1.0, 0.45, 0.8}};

void GlassBody(cairo_t* cr, const Theme& t, double w, double h, double r) {
  RoundRect(cr, 0, 0, w, h, r);
  SetCol(cr, t.rimdark);
  cairo_fill(cr);
  RoundRect(cr, 1, 1, w - 2, h - 2, r - 1);
  VGradient(cr, 1, h - 1, t.rimlight, Mix(t.rimdark, t.rimlight, 0.3));
  cairo_fill(cr);
  RoundRect(cr, 2, 2, w - 4, h - 4, r - 1.5);
  VGradient(cr, 2, h - 2, t.glasstop, t.glassbottom);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  Stars(cr, static_cast<int>(w), static_cast<int>(h), static_cast<int>(w * h / 260), 77, 0.55);
  // A faint sheen across the upper half of the glass.
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h * 0.6);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.10);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.0);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

// The title strip along the top, with the caption and the exit button.
void TitleStrip(cairo_t* cr, const Theme& t, double w, double h) {
  RoundRect(cr, 2.5, 2.5, w - 5, h, 4);
  VGradient(cr, 2, 2 + h, Mix(t.title, t.rimlight, 0.35), Scale(t.title, 0.55));
  cairo_fill(cr);
  cairo_move_to(cr, 4, 2.5 + h + 0.5);
  cairo_line_to(cr, w - 4, 2.5 + h + 0.5);
  SetCol(cr, t.accent, 0.7);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// The small exit button: its click area is 7 x 6 at (263, 3).
void ExitButton(cairo_t* cr, const Theme& t) {
  RoundRect(cr, 262, 2, 9, 8, 2);
  VGradient(cr, 2, 10, Mix(t.hot, Col{1, 1, 1}, 0.3), Scale(t.hot, 0.6));
  cairo_fill(cr);
  cairo_save(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  for (int i = 0; i < 4; ++i) {
    cairo_rectangle(cr, 265 + i, 4 + i, 1, 1);
    cairo_rectangle(cr, 268 - i, 4 + i, 1, 1);
  }
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
  cairo_restore(cr);
}

// A little ringed planet used as a logo.
void Planet(cairo_t* cr, const Theme& t, double cx, double cy, double r) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  auto ring = [&](bool back) {
    cairo_save(cr);
    cairo_scale(cr, 1.0, 0.32);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r * 1.75, back ? M_PI : 0, back ? 2 * M_PI : M_PI);
    cairo_restore(cr);
    cairo_set_line_width(cr, r * 0.22);
    SetCol(cr, t.planetring, back ? 0.45 : 0.9);
    cairo_stroke(cr);
  };
  cairo_rotate(cr, -0.35);
  ring(true);
  cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
  cairo_pattern_t* p = cairo_pattern_create_radial(-r * 0.4, -r * 0.45, r * 0.1, 0, 0, r);
  AddStop(p, 0, Mix(t.planet, Col{1, 1, 1}, 0.55));
  AddStop(p, 0.6, t.planet);
  AddStop(p, 1, Scale(t.planet, 0.25));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  ring(false);
  cairo_restore(cr);
}

// Button icons, drawn around the origin, about 14 pixels across.
void IconRepeat(cairo_t* cr) {  // repeat the message: a speech bubble with a turning arrow
  RoundRect(cr, -6.5, -6, 13, 9, 2.5);
  cairo_move_to(cr, -3, 3);
  cairo_line_to(cr, -4.5, 6.5);
  cairo_line_to(cr, 0, 3);
  cairo_stroke(cr);
  cairo_arc(cr, 0, -1.5, 2.4, 0.3, 2 * M_PI - 0.6);
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
  cairo_move_to(cr, 2.6, -4.6);
  cairo_line_to(cr, 3.2, -1.8);
  cairo_line_to(cr, 0.6, -2.4);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void IconPushPull(cairo_t* cr) {  // push/pull: arrows up and down beside a putter
  cairo_move_to(cr, -3.5, -6.5);
  cairo_line_to(cr, -3.5, 6.5);
  cairo_move_to(cr, -6.5, -3.5);
  cairo_line_to(cr, -3.5, -6.8);
  cairo_line_to(cr, -0.5, -3.5);
  cairo_move_to(cr, -6.5, 3.5);
  cairo_line_to(cr, -3.5, 6.8);
  cairo_line_to(cr, -0.5, 3.5);
  cairo_stroke(cr);
  cairo_move_to(cr, 4, -7);
  cairo_line_to(cr, 4, 4);
  cairo_stroke(cr);
  RoundRect(cr, 1.5, 3.5, 6.5, 3.5, 1);
  cairo_fill(cr);
}

void IconSound(cairo_t* cr) {  // sound: a speaker with waves
  cairo_move_to(cr, -7, -2.5);
  cairo_line_to(cr, -4, -2.5);
  cairo_line_to(cr, 0, -6.5);
  cairo_line_to(cr, 0, 6.5);
  cairo_line_to(cr, -4, 2.5);
  cairo_line_to(cr, -7, 2.5);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.4);
  cairo_arc(cr, 0, 0, 3.5, -0.8, 0.8);
  cairo_stroke(cr);
  cairo_arc(cr, 0, 0, 6.5, -0.85, 0.85);
  cairo_stroke(cr);
}

void IconHelp(cairo_t* cr) {  // help: a question mark in a ring
  cairo_set_line_width(cr, 1.4);
  cairo_arc(cr, 0, 0, 7, 0, 2 * M_PI);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2);
  cairo_arc(cr, 0, -2, 2.6, M_PI * 1.05, M_PI * 2.35);
  cairo_line_to(cr, 0, 2);
  cairo_stroke(cr);
  cairo_arc(cr, 0, 4.6, 1.2, 0, 2 * M_PI);
  cairo_fill(cr);
}

void IconCentre(cairo_t* cr) {  // centre on the ball: a crosshair around a ball
  cairo_set_line_width(cr, 1.4);
  cairo_arc(cr, 0, 0, 5.5, 0, 2 * M_PI);
  cairo_stroke(cr);
  for (int i = 0; i < 4; ++i) {
    cairo_save(cr);
    cairo_rotate(cr, i * M_PI / 2);
    cairo_move_to(cr, 4, 0);
    cairo_line_to(cr, 8, 0);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  cairo_arc(cr, 0, 0, 2.6, 0, 2 * M_PI);
  cairo_fill(cr);
}

void Icon(cairo_t* cr, int k, double cx, double cy, Col c) {
  static void (*const kIcons[5])(cairo_t*) = {IconRepeat, IconPushPull, IconSound, IconHelp,
                                              IconCentre};
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  SetCol(cr, c);
  cairo_set_line_width(cr, 1.8);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  kIcons[k](cr);
  cairo_restore(cr);
}

// One 22 x 22 button with its top-left corner at (x, y).
void Button(cairo_t* cr, const Theme& t, int k, double x, double y, bool pressed) {
  const double s = kButtonSize;
  RoundRect(cr, x, y, s, s, 4);
  SetCol(cr, t.rimdark);
  cairo_fill(cr);
  RoundRect(cr, x + 1, y + 1, s - 2, s - 2, 3);
  if (pressed) {
    VGradient(cr, y, y + s, Scale(t.button, 0.45), Mix(t.button, t.accent, 0.35));
  } else {
    VGradient(cr, y, y + s, t.buttonlit, Scale(t.button, 0.7));
  }
  cairo_fill(cr);
  if (!pressed) {  // lit top edge
    cairo_move_to(cr, x + 4, y + 2.5);
    cairo_line_to(cr, x + s - 4, y + 2.5);
    cairo_set_line_width(cr, 1);
    SetCol(cr, Mix(t.buttonlit, Col{1, 1, 1}, 0.5), 0.8);
    cairo_stroke(cr);
  }
  const double shift = pressed ? 1 : 0;
  Icon(cr, k, x + s / 2 + shift, y + s / 2 + shift, Scale(t.textshadow, 0.8));
  Icon(cr, k, x + s / 2 - 0.5 + shift, y + s / 2 - 0.5 + shift,
       pressed ? Mix(t.icon, t.accent, 0.6) : t.icon);
}

// A pill with a caption, used for the push-putt badge and its empty spot.
void Pill(cairo_t* cr, const Theme& t, double x, double y, const char* text, bool lit) {
  RoundRect(cr, x, y, kBadgeW, kBadgeH, 7.5);
  SetCol(cr, lit ? Scale(t.hot, 0.35) : t.rimdark);
  cairo_fill(cr);
  RoundRect(cr, x + 1, y + 1, kBadgeW - 2, kBadgeH - 2, 6.5);
  if (lit) {
    VGradient(cr, y, y + kBadgeH, Mix(t.hot, Col{1, 1, 1}, 0.35), Scale(t.hot, 0.55));
  } else {
    VGradient(cr, y, y + kBadgeH, t.field, Mix(t.field, t.glasstop, 0.5));
  }
  cairo_fill(cr);
  const int tx = static_cast<int>(x) + (kBadgeW - PixelTextWidth(text)) / 2 + 1;
  const Col ink = lit ? Col{1, 1, 0.95} : t.label;
  PixelText(cr, text, tx, static_cast<int>(y) + 2, ink, lit ? Scale(t.hot, 0.3) : t.textshadow,
            lit);
}

}  // namespace

Picture PanelPicture(const Theme& t) {
  Surface s(kPanelW, kPanelH);
  cairo_t* cr = s.cr();
  GlassBody(cr, t, kPanelW, kPanelH, 8);
  TitleStrip(cr, t, kPanelW, 13);
  Planet(cr, t, 10, 9.5, 3.2);
  PixelText(cr, "GALAPUTT", 18, 3, t.titletext, Scale(t.title, 0.3));
  PixelText(cr, "SPACE GOLF", 76, 3, Mix(t.titletext, t.title, 0.45), t.title, false);
  ExitButton(cr, t);

  // Score area: the four players' scores against par (click area 17, 24, 82, 37).
  Recess(cr, t, 15, 21, 88, 43, 4);
  cairo_set_line_width(cr, 1);
  SetCol(cr, t.fieldedge, 0.45);
  cairo_move_to(cr, 60.5, 24);
  cairo_line_to(cr, 60.5, 61);
  cairo_move_to(cr, 18, 42.5);
  cairo_line_to(cr, 100, 42.5);
  cairo_stroke(cr);
  const double dots[4][2] = {{20.5, 30}, {65.5, 30}, {20.5, 51}, {65.5, 51}};
  for (int k = 0; k < 4; ++k) {
    cairo_arc(cr, dots[k][0], dots[k][1], 2.3, 0, 2 * M_PI);
    SetCol(cr, kPlayerDots[k]);
    cairo_fill(cr);
  }

  // Message line (28 characters from x 118), strokes, par and their captions.
  Recess(cr, t, 114, 23, 177, 16, 3);
  Recess(cr, t, 111, 42, 21, 15, 3);
  Recess(cr, t, 159, 42, 22, 15, 3);
  PixelText(cr, "STROKES", 104, 58, t.label, t.textshadow, false);
  PixelText(cr, "PAR", 161, 58, t.label, t.textshadow, false);
  Pill(cr, t, 189, 45, "PULL", false);

  // Divider above the buttons, the five buttons and the planet.
  cairo_move_to(cr, 8, 68.5);
  cairo_line_to(cr, 286, 68.5);
  SetCol(cr, t.accent, 0.25);
  cairo_stroke(cr);
  for (int k = 0; k < 5; ++k) Button(cr, t, k, 13 + 22 * k, 72, false);
  Planet(cr, t, 262, 86, 10);
  return ToPicture(s, KeyMode::Keyed);
}

Picture PanelMinPicture(const Theme& t) {
  Surface s(kPanelMinW, kPanelMinH);
  cairo_t* cr = s.cr();
  GlassBody(cr, t, kPanelMinW, kPanelMinH, 6);
  Planet(cr, t, 10, 10, 3.2);
  PixelText(cr, "GALAPUTT", 18, 4, t.titletext, Scale(t.title, 0.3));
  // One field: message or label from x 82, strokes from 203, par from 223.
  Recess(cr, t, 79, 3, 163, 15, 3);
  cairo_move_to(cr, 219.5, 5);
  cairo_line_to(cr, 219.5, 16);
  SetCol(cr, t.fieldedge, 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  ExitButton(cr, t);
  return ToPicture(s, KeyMode::Keyed);
}

Picture ButtonsDownPicture(const Theme& t) {
  Surface s(kButtonSize * 5, kButtonSize);
  for (int k = 0; k < 5; ++k) Button(s.cr(), t, k, k * kButtonSize, 0, true);
  return ToPicture(s, KeyMode::Keyed);
}

Picture PushPuttPicture(const Theme& t) {
  Surface s(kBadgeW, kBadgeH);
  Pill(s.cr(), t, 0, 0, "PUSH", true);
  return ToPicture(s, KeyMode::Keyed);
}

Picture NameBoxPicture(const Theme& t) {
  Surface s(kNameBoxW, kNameBoxH);
  cairo_t* cr = s.cr();
  // The box with a small tail pointing down at the ball (ball at x 52).
  auto shape = [&](double inset) {
    cairo_new_path(cr);
    RoundRect(cr, inset, inset, kNameBoxW - 2 * inset, 18 - 2 * inset, 6 - inset);
    cairo_move_to(cr, 46 + inset, 17 - inset);
    cairo_line_to(cr, 52, 23 - 1.5 * inset);
    cairo_line_to(cr, 58 - inset, 17 - inset);
    cairo_close_path(cr);
  };
  shape(0);
  SetCol(cr, t.accent);
  cairo_fill(cr);
  shape(1);
  VGradient(cr, 0, 18, t.glasstop, t.glassbottom);
  cairo_fill(cr);
  return ToPicture(s, KeyMode::Keyed);
}

Picture PointerPicture(const Theme& t) {
  Surface s(16, 22);
  cairo_t* cr = s.cr();
  // Arrow with its tip on pixel (0, 0), the hot spot.
  const double pts[][2] = {{0.5, 0.5},   {0.5, 16.5}, {4.5, 12.8}, {7.6, 19.8},
                           {10.4, 18.6}, {7.4, 11.8}, {12.6, 11.8}};
  auto path = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, pts[0][0], pts[0][1]);
    for (const auto& p : pts) cairo_line_to(cr, p[0], p[1]);
    cairo_close_path(cr);
  };
  path();
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_set_line_width(cr, 1.6);
  SetCol(cr, t.textshadow);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 8, 18);
  AddStop(p, 0, Col{1, 1, 1});
  AddStop(p, 1, t.accent);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  return ToPicture(s, KeyMode::Keyed);
}

}  // namespace gp::assets
