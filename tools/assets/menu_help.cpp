// The putting-help pages: four illustrated steps for the pull putt and for
// the push putt.
#include <cmath>

#include "tools/assets/menu_art.h"

namespace gp::assets {

namespace {

const Col kInk{0.85, 0.93, 1.0};
const Col kCyan{0.3, 0.88, 1.0};
const Col kWarm{1.0, 0.78, 0.35};

void Ball(cairo_t* cr, double x, double y) {
  cairo_arc(cr, x + 2, y + 3, 7, 0, 2 * M_PI);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
  cairo_fill(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(x - 2.5, y - 2.5, 1, x, y, 7);
  cairo_pattern_add_color_stop_rgb(p, 0, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.6, 0.68, 0.8);
  cairo_arc(cr, x, y, 7, 0, 2 * M_PI);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Pointer(cairo_t* cr, double x, double y) {
  const double pts[][2] = {{0, 0},      {0, 16},     {4, 12.3}, {7, 19},
                           {9.8, 17.8}, {6.8, 11.3}, {12, 11.3}};
  cairo_move_to(cr, x, y);
  for (const auto& p : pts) cairo_line_to(cr, x + p[0], y + p[1]);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 0.05, 0.08, 0.15);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
}

void Arrow(cairo_t* cr, double x0, double y0, double x1, double y1, Col c, bool dashed) {
  const double a = std::atan2(y1 - y0, x1 - x0);
  cairo_save(cr);
  if (dashed) {
    const double dash[] = {4, 3};
    cairo_set_dash(cr, dash, 2, 0);
  }
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1 - 5 * std::cos(a), y1 - 5 * std::sin(a));
  cairo_set_line_width(cr, 2);
  SetCol(cr, c);
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x1 - 9 * std::cos(a - 0.45), y1 - 9 * std::sin(a - 0.45));
  cairo_line_to(cr, x1 - 9 * std::cos(a + 0.45), y1 - 9 * std::sin(a + 0.45));
  cairo_close_path(cr);
  SetCol(cr, c);
  cairo_fill(cr);
}

void HelpRing(cairo_t* cr, double x, double y, double r, Col c) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, 1, 0.72);
  cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_line_width(cr, 2);
  SetCol(cr, c);
  cairo_stroke(cr);
}

void Gauge(cairo_t* cr, double x, double y, int lit) {
  for (int i = 0; i < 10; ++i) {
    const double a0 = M_PI + 0.4 + i * (M_PI - 0.8) / 10, a1 = a0 + (M_PI - 0.8) / 10 - 0.04;
    cairo_new_path(cr);
    cairo_arc(cr, x, y, 24, a0, a1);
    cairo_arc_negative(cr, x, y, 18, a1, a0);
    cairo_close_path(cr);
    SetCol(cr, i < lit ? Mix(kCyan, Col{1, 0.35, 0.2}, i / 9.0) : Col{0.15, 0.2, 0.3});
    cairo_fill(cr);
  }
}

// Word-wrapped text inside a width, one line every `lead` pixels.
void Wrapped(cairo_t* cr, const std::string& text, double x, double y, double width, double lead) {
  NarrowFace().Use(cr, 13);
  std::vector<std::string> lines(1);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    const std::string trial = lines.back().empty() ? word : lines.back() + " " + word;
    cairo_text_extents_t e;
    cairo_text_extents(cr, trial.c_str(), &e);
    if (e.x_advance > width && !lines.back().empty()) {
      lines.push_back(word);
    } else {
      lines.back() = trial;
    }
    start = end + 1;
  }
  SetCol(cr, kInk);
  for (const std::string& line : lines) {
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, line.c_str());
    y += lead;
  }
}

struct Step {
  const char* text;
  void (*diagram)(cairo_t* cr);  // drawn in a 104 x 104 box at the origin
};

void StepBox(cairo_t* cr, int n, double x, double y, const Step& s) {
  RoundRect(cr, x, y, 236, 136, 8);
  cairo_set_source_rgba(cr, 0.3, 0.6, 0.9, 0.12);
  cairo_fill_preserve(cr);
  cairo_set_source_rgba(cr, 0.4, 0.75, 1.0, 0.45);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  RoundRect(cr, x + 8, y + 16, 104, 104, 6);
  cairo_set_source_rgba(cr, 0.05, 0.35, 0.32, 0.85);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, x + 8, y + 16);
  RoundRect(cr, 0, 0, 104, 104, 6);
  cairo_clip(cr);
  s.diagram(cr);
  cairo_restore(cr);
  cairo_arc(cr, x + 12, y + 12, 10, 0, 2 * M_PI);
  SetCol(cr, kWarm);
  cairo_fill(cr);
  Text(cr, BoldFace(), 13, x + 12, y + 17, std::to_string(n), Col{0.1, 0.06, 0.02}, Align::Centre);
  Wrapped(cr, s.text, x + 120, y + 30, 108, 16);
}

// Pull putt diagrams.
void PullPress(cairo_t* cr) {
  Ball(cr, 52, 52);
  HelpRing(cr, 52, 52, 15, Col{1, 1, 1});
  HelpRing(cr, 52, 52, 22, Scale(kCyan, 0.6));
  Pointer(cr, 54, 54);
}
void PullDrag(cairo_t* cr) {
  Ball(cr, 46, 58);
  HelpRing(cr, 84, 20, 9, kCyan);
  Arrow(cr, 50, 54, 80, 24, kCyan, true);
  Arrow(cr, 42, 62, 18, 86, kWarm, false);
  Pointer(cr, 14, 82);
}
void PullRelease(cairo_t* cr) {
  for (int i = 0; i < 6; ++i) {  // the ball's trail
    cairo_arc(cr, 20 + i * 6.5, 84 - i * 6.5, 1 + i * 0.5, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.15 + i * 0.1);
    cairo_fill(cr);
  }
  Ball(cr, 58, 46);
  cairo_save(cr);
  cairo_scale(cr, 1, 0.6);
  cairo_arc(cr, 86, 30, 7, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_source_rgb(cr, 0.01, 0.05, 0.05);
  cairo_fill(cr);
  cairo_move_to(cr, 88, 18);
  cairo_line_to(cr, 88, 2);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_stroke(cr);
  cairo_move_to(cr, 88, 2);
  cairo_line_to(cr, 100, 6);
  cairo_line_to(cr, 88, 10);
  cairo_set_source_rgb(cr, 1, 0.35, 0.25);
  cairo_fill(cr);
}
void PullPower(cairo_t* cr) {
  Gauge(cr, 52, 70, 7);
  HelpRing(cr, 52, 76, 9, kCyan);
  Text(cr, BoldFace(), 14, 52, 38, "63", kWarm, Align::Centre);
}

// Push putt diagrams.
void PushClick(cairo_t* cr) {
  PullPress(cr);
}
void PushAim(cairo_t* cr) {
  Ball(cr, 52, 60);
  cairo_arc(cr, 52, 60, 30, M_PI * 1.15, M_PI * 1.85);
  SetCol(cr, kCyan);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  HelpRing(cr, 52, 26, 8, kCyan);
  Arrow(cr, 40, 92, 14, 92, kWarm, false);
  Arrow(cr, 64, 92, 90, 92, kWarm, false);
  Pointer(cr, 49, 80);
}
void PushDraw(cairo_t* cr) {
  Gauge(cr, 70, 44, 5);
  Arrow(cr, 24, 18, 24, 74, kWarm, false);
  Pointer(cr, 20, 78);
}
void PushSwing(cairo_t* cr) {
  Arrow(cr, 30, 92, 30, 20, kWarm, false);
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, 40 + 5 * i, 30 + 12 * i);
    cairo_line_to(cr, 40 + 5 * i, 70 + 8 * i);
  }
  cairo_set_source_rgba(cr, 1, 1, 1, 0.5);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  Ball(cr, 78, 36);
  Arrow(cr, 78, 28, 78, 6, kCyan, true);
  Pointer(cr, 26, 16);
}

}  // namespace

Picture HelpPicture(bool pull) {
  Surface s(kHelpW, kHelpH);
  cairo_t* cr = s.cr();
  SpaceBackdrop(cr, kHelpW, kHelpH, pull ? 501 : 502);
  Frame(cr, 4, 4, kHelpW - 8, kHelpH - 8, 14);
  const Step pullsteps[4] = {
      {"Press the left button on your ball and keep it held.", PullPress},
      {"Drag away from where you want to go. The farther you drag, the harder the putt.", PullDrag},
      {"Let go: the club swings through and strikes the ball.", PullRelease},
      {"The gauge shows the power, up to 90. The right button cancels a putt.", PullPower},
  };
  const Step pushsteps[4] = {
      {"Click your ball to pick it up.", PushClick},
      {"Move the mouse left or right to turn the aim, then click.", PushAim},
      {"Pull the mouse down to draw the club back, then click.", PushDraw},
      {"Swing the mouse up past the start: the faster the swing, the harder the putt.", PushSwing},
  };
  const Step* steps = pull ? pullsteps : pushsteps;
  Text(cr, BoldFace(), 30, kHelpW / 2.0, 46, pull ? "PULL PUTT" : "PUSH PUTT", Col{1, 1, 1},
       Align::Centre);
  Text(cr, NarrowFace(), 13, kHelpW / 2.0, 66,
       pull ? "press, drag back, release" : "click, aim, draw back, swing", kCyan, Align::Centre);
  for (int i = 0; i < 4; ++i) StepBox(cr, i + 1, 16 + 244 * (i % 2), 78 + 144 * (i / 2), steps[i]);
  Text(cr, NarrowFace(), 12, kHelpW / 2.0, 372,
       "F1 or the help button opens this page, F2 the records - click to play on",
       Col{0.55, 0.7, 0.85}, Align::Centre);
  return ToPicture(s, KeyMode::Opaque);
}

}  // namespace gp::assets
