// The hole compiler: content/holes/NAME.hole -> NAME.hole, NAME.dxg, NAME.dxw.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "media/container_writer.h"
#include "tools/assets/canvas.h"
#include "tools/assets/generator.h"
#include "tools/assets/hole_paint.h"
#include "tools/assets/hole_source.h"
#include "tools/assets/hole_sprites.h"
#include "tools/assets/synth.h"

namespace gp::assets {

namespace {

bool Has(const HoleSource& h, int kind) {
  return std::any_of(h.areas.begin(), h.areas.end(), [&](const Area& a) { return a.kind == kind; });
}

void CardText(cairo_t* cr, const std::string& text, double size, double x, double y, bool centre,
              const Col& c) {
  cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  const double left = centre ? x - e.width / 2 - e.x_bearing : x;
  cairo_move_to(cr, left + 1.5, y + 1.5);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
  cairo_show_text(cr, text.c_str());
  cairo_move_to(cr, left, y);
  SetCol(cr, c);
  cairo_show_text(cr, text.c_str());
}

// The hole card, 400 x 300 (fits the smallest screen): number, name, par and
// a small map of the course with the start and the cup.
ImageItem HoleCard(const HoleSource& h, const Surface& course) {
  const Scheme& sc = SchemeOf(h.scheme);
  Surface s(400, 300);
  cairo_t* cr = s.cr();
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 300);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.05, 0.06, 0.14);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.02, 0.02, 0.06);
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
  cairo_rectangle(cr, 4, 4, 392, 292);
  SetCol(cr, sc.accent, 0.9);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  CardText(cr, "HOLE " + std::to_string(h.number), 34, 200, 48, true, {1, 1, 1});
  CardText(cr, h.title, 18, 200, 76, true, sc.accent);
  // Map: the course scaled into a 360 x 160 box.
  const double k = std::min(360.0 / h.width, 160.0 / h.height);
  const double mw = h.width * k, mh = h.height * k, mx = 200 - mw / 2, my = 92 + (160 - mh) / 2;
  cairo_save(cr);
  cairo_rectangle(cr, mx, my, mw, mh);
  cairo_clip(cr);
  cairo_translate(cr, mx, my);
  cairo_scale(cr, k, k);
  cairo_set_source_surface(cr, course.surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_rectangle(cr, mx - 1, my - 1, mw + 2, mh + 2);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.5);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_arc(cr, mx + h.ballx * k, my + h.bally * k, 4, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
  if (const Area* cup = h.Cup()) {
    cairo_arc(cr, mx + cup->x1 * k, my + cup->y1 * k, 5, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 1, 0.25, 0.2);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  }
  CardText(cr, "PAR " + std::to_string(h.par), 26, 200, 282, true, {1, 0.92, 0.6});
  return MakeItem("holecard", ToPicture(s, KeyMode::Opaque), 0, 0, false);
}

// Designer aid (GALAPUTT_HOLE_PNG=DIR): every item as NAME_N.png, key shown as magenta.
void DumpPng(const std::string& dir, const std::string& name, const std::vector<ImageItem>& items) {
  for (size_t i = 0; i < items.size(); ++i) {
    const Picture& p = items[i].picture;
    Surface s(p.width, p.height);
    unsigned char* data = cairo_image_surface_get_data(s.surface());
    const int stride = cairo_image_surface_get_stride(s.surface());
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) {
        uint32_t c = p.at(x, y);
        if (c == 0 && i > 0) c = Rgb(120, 0, 120);
        reinterpret_cast<uint32_t*>(data + y * stride)[x] =
            0xFF000000u | ((c & 255) << 16) | (c & 0xFF00) | ((c >> 16) & 255);
      }
    }
    cairo_surface_mark_dirty(s.surface());
    cairo_surface_write_to_png(s.surface(),
                               (dir + "/" + name + "_" + std::to_string(i) + ".png").c_str());
  }
}

std::vector<ImageItem> HoleImages(const HoleSource& h) {
  Surface course(h.width, h.height), fg(h.width, h.height);
  PaintCourse(h, course, fg);
  const Picture pic = ToPicture(course, KeyMode::Opaque);
  std::vector<ImageItem> items;
  items.push_back(MakeItem("course", pic, 0, 0, false));
  items.push_back(MakeItem("foreground", ToPicture(fg, KeyMode::Keyed), 24, 24));
  const Area* cup = h.Cup();
  if (!cup) throw std::runtime_error(h.name + ": the hole has no cup (kind 5)");
  items.push_back(MakeCover("lip", pic, cup->x2, cup->y2, cup->x1, cup->y1, std::max(6, cup->r)));
  items.push_back(Has(h, 12) ? MakeEruption() : MakeBlast());
  bool acid = false;
  for (const Area& a : h.areas) {
    if (a.kind == kWater) {
      acid = a.p3 == 1;
      break;
    }
  }
  items.push_back(MakeSplash(acid));
  const int last = std::max(16, h.images.empty() ? 0 : h.images.rbegin()->first);
  for (int i = 5; i <= last; ++i) {
    if (i == 12) {
      items.push_back(HoleCard(h, course));
    } else if (i == 13) {
      items.push_back(MakeTeleportFlash());
    } else if (i >= 14 && i <= 16) {
      items.push_back(MakeScuff(i == 14 ? 19 : i == 15 ? 109 : 0));
    } else {
      const auto it = h.images.find(i);
      const std::string spec = it != h.images.end() ? it->second : i == 8 ? "puff" : "blank";
      items.push_back(MakeHoleSprite(h, pic, i, spec));
    }
  }
  if (const char* dir = std::getenv("GALAPUTT_HOLE_PNG")) DumpPng(dir, h.name, items);
  return items;
}

std::vector<WaveItem> HoleWaves(const HoleSource& h) {
  std::vector<WaveItem> waves(2);
  waves[0].name = "ambient";
  waves[0].looped = true;
  SetWaveSamples(waves[0], MusicLoop(h.music));
  waves[1].name = Has(h, 36) ? "worker" : "breakable";
  SetWaveSamples(waves[1], HoleDeviceSound(Has(h, 36) ? 0 : 1));
  return waves;
}

void RunHole(const Context& ctx) {
  if (ctx.arg.empty()) throw std::runtime_error("hole: name a hole (hole:NAME)");
  const std::string path =
      ctx.source.empty() ? ctx.content + "holes/" + ctx.arg + ".hole" : ctx.source;
  const HoleSource h = LoadHoleSource(path, ctx.arg);
  ValidateHole(h);
  {
    std::ofstream out(ctx.out + h.name + ".hole", std::ios::binary);
    out << h.text;
    if (!out) throw std::runtime_error("cannot write " + ctx.out + h.name + ".hole");
  }
  Progress(h.name + ".hole");
  WriteImages(ctx, h.name + ".dxg", HoleImages(h));
  WriteWaves(ctx, h.name + ".dxw", HoleWaves(h));
}

const Registrar kHoleCompilerGenerator({"hole", RunHole});

}  // namespace

}  // namespace gp::assets
