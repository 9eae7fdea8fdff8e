// galaputt-lab preview: the hole designer's view. The course picture of a hole
// with every area outlined in a colour by its family and labelled "kind:number",
// the ball start ringed in white and the cup in red; written as PNG.
//   galaputt-lab preview --hole NAME --out FILE.png [--scale N]
//                        [--solution [--seed S] [--max-strokes N] [--budget SECONDS]]
// N shrinks the picture by a whole factor (the labels keep their size).
// --solution solves the hole first and draws each stroke of the line found,
// from where the ball lay to where it came to rest, numbered.
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "ai/solver.h"
#include "base/asset_error.h"
#include "base/profile.h"
#include "game/area_kind.h"
#include "game/hole_file.h"
#include "game/state.h"
#include "media/image_list.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"
#include "tools/lab/solve_game.h"

namespace gp::lab {

namespace {

struct Canvas {
  Picture pic;
  double k = 1;  // course pixels per picture pixel (--scale)
  void Plot(int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < pic.width && y < pic.height) {
      pic.pixels[static_cast<size_t>(y) * pic.width + x] = c;
    }
  }
  // A line two pixels thick with a one-pixel dark outline below and right.
  void Line(double x0, double y0, double x1, double y1, uint32_t c) {
    x0 /= k, y0 /= k, x1 /= k, y1 /= k;
    const int steps = std::max(1, static_cast<int>(std::max(std::abs(x1 - x0), std::abs(y1 - y0))));
    for (int pass = 0; pass < 2; ++pass) {
      for (int i = 0; i <= steps; ++i) {
        const int x = static_cast<int>(std::lround(x0 + (x1 - x0) * i / steps));
        const int y = static_cast<int>(std::lround(y0 + (y1 - y0) * i / steps));
        if (pass == 0) {
          Plot(x + 1, y + 2, 0);
          Plot(x + 2, y + 1, 0);
        } else {
          Plot(x, y, c), Plot(x + 1, y, c), Plot(x, y + 1, c), Plot(x + 1, y + 1, c);
        }
      }
    }
  }
  // An ellipse `rx` wide and `rx` / 2 high, like a round area.
  void Ellipse(double cx, double cy, double rx, uint32_t c) {
    const int n = std::max(24, static_cast<int>(rx * 3));
    for (int i = 0; i < n; ++i) {
      const double a = 2 * M_PI * i / n, b = 2 * M_PI * (i + 1) / n;
      Line(cx + rx * std::cos(a), cy + rx / 2 * std::sin(a), cx + rx * std::cos(b),
           cy + rx / 2 * std::sin(b), c);
    }
  }
  void Box(int x, int y, int w, int h, uint32_t c) {
    for (int j = 0; j < h; ++j) {
      for (int i = 0; i < w; ++i) Plot(x + i, y + j, c);
    }
  }
  // Text of digits and ':' in a 3 x 5 font drawn at double size, on a dark box.
  void Label(int x, int y, const std::string& text, uint32_t c) {
    x = static_cast<int>(x / k), y = static_cast<int>(y / k);
    static const char* const glyphs[11] = {"111101101101111", "010110010010111", "111001111100111",
                                           "111001111001111", "101101111001001", "111100111001111",
                                           "111100111101111", "111001001001001", "111101111101111",
                                           "111101111001111", "000010000010000"};
    const int w = static_cast<int>(text.size()) * 8 + 2;
    Box(x - 1, y - 1, w + 2, 14, 0x00101010);
    for (size_t k = 0; k < text.size(); ++k) {
      const int g = text[k] == ':' ? 10 : text[k] - '0';
      if (g < 0 || g > 10) continue;
      for (int r = 0; r < 5; ++r) {
        for (int q = 0; q < 3; ++q) {
          if (glyphs[g][r * 3 + q] == '1')
            Box(x + 2 + static_cast<int>(k) * 8 + q * 2, y + 1 + r * 2, 2, 2, c);
        }
      }
    }
  }
};

// Outline colour by family (0x00BBGGRR): walls white, surfaces cyan, water
// blue, hazards red, devices yellow, switches magenta, the cup orange.
uint32_t KindColour(int kind) {
  if (kind == kCup) return 0x000090FF;
  if (kind <= kFallingDiagonalWall) return 0x00F0F0F0;
  if ((kind >= kSlopeDownLeft && kind <= kSlopeLeft) || (kind >= kAttractor && kind <= kSlowZone) ||
      kind == kShade || kind == kLedge) {
    return 0x00E0E040;
  }
  if (kind == kWater) return 0x00FF8040;
  if (kind == kMine || kind == kDropOff || kind == kRubble) return 0x004040FF;
  if (kind == kTextSwitch || kind == kAreaSwitch || kind == kCannonOrHidden) return 0x00FF40FF;
  return 0x0040FFFF;
}

void DrawArea(Canvas& cv, int index, const Area& a) {
  if (a.kind == kNoArea) return;
  const uint32_t c = KindColour(a.kind);
  double lx, ly;
  if (a.r >= 1) {
    cv.Ellipse(a.x1, a.y1, a.r, c);
    lx = a.x1 + a.r * 0.7, ly = a.y1 - a.r * 0.35 - 14;
  } else if (a.x3 == 0 && a.x4 == 0) {
    cv.Line(a.x1, a.y1, a.x2, a.y2, c);
    lx = (a.x1 + a.x2) / 2.0 + 3, ly = (a.y1 + a.y2) / 2.0 + 3;
  } else if (a.x3 != 0 && a.x4 != 0) {
    cv.Line(a.x1, a.y1, a.x2, a.y2, c);
    cv.Line(a.x2, a.y2, a.x3, a.y3, c);
    cv.Line(a.x3, a.y3, a.x4, a.y4, c);
    cv.Line(a.x4, a.y4, a.x1, a.y1, c);
    lx = std::min({a.x1, a.x2, a.x3, a.x4}) + 3, ly = std::min({a.y1, a.y2, a.y3, a.y4}) + 3;
  } else {
    return;  // never touched: nothing to show
  }
  if (a.kind == kTeleporter || a.kind == kPipe ||
      a.kind == kCatapult) {  // exits and their launch lines
    cv.Ellipse(a.x2, a.y2, 8, c);
    cv.Line(a.x3, a.y3, a.x4, a.y4, c);
  }
  cv.Label(static_cast<int>(lx), static_cast<int>(ly),
           std::to_string(a.kind) + ":" + std::to_string(index), c);
}

// The picture shrunk by a whole factor, each pixel the mean of its block.
Picture Shrink(const Picture& p, int f) {
  Picture out;
  out.width = p.width / f;
  out.height = p.height / f;
  out.pixels.resize(static_cast<size_t>(out.width) * out.height);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      uint32_t sum[3] = {0, 0, 0};
      for (int j = 0; j < f; ++j) {
        for (int i = 0; i < f; ++i) {
          const uint32_t c = p.at(x * f + i, y * f + j);
          for (int ch = 0; ch < 3; ++ch) sum[ch] += (c >> (8 * ch)) & 255;
        }
      }
      uint32_t c = 0;
      for (int ch = 0; ch < 3; ++ch) c |= (sum[ch] / (f * f)) << (8 * ch);
      out.pixels[static_cast<size_t>(y) * out.width + x] = c;
    }
  }
  return out;
}

bool WritePicturePng(const std::string& path, const Picture& p) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = png && info && setjmp(png_jmpbuf(png)) == 0;
  if (ok) {
    png_init_io(png, f);
    png_set_IHDR(png, info, p.width, p.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<size_t>(p.width) * 3);
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) {
        const uint32_t c = p.at(x, y);
        row[x * 3] = c & 255, row[x * 3 + 1] = (c >> 8) & 255, row[x * 3 + 2] = (c >> 16) & 255;
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0 && ok;
}

// The solver's line for the hole, with the lab's usual solve options.
std::string SolveForPreview(const Args& args, const std::string& hole, ai::Solution& s) {
  ai::SolveOptions o;
  int32_t seed = 1;
  if (const std::string* v = Option(args, "--seed"); v && !ParseInt(*v, seed)) return "bad --seed";
  if (const std::string* v = Option(args, "--max-strokes");
      v && (!ParseInt(*v, o.maxstrokes) || o.maxstrokes < 1 || o.maxstrokes > 8)) {
    return "--max-strokes must be 1 to 8";
  }
  if (const std::string* v = Option(args, "--budget");
      v && (!ParseDouble(*v, o.budget) || o.budget <= 0)) {
    return "--budget must be a positive number";
  }
  SolveGame game;
  if (std::string e = game.Open(ProgramFolder(), hole, static_cast<uint64_t>(seed)); !e.empty()) {
    return e;
  }
  s = ai::Solve(game.HoleFrame(), o);
  return "";
}

// Each stroke as a line from where the ball lay to where it came to rest, its
// number at the start.
void DrawSolution(Canvas& cv, const ai::Solution& s) {
  constexpr uint32_t kShotColour = 0x0040FF40;
  for (size_t k = 0; k < s.shots.size(); ++k) {
    const ai::SolvedShot& shot = s.shots[k];
    cv.Line(shot.fromx, shot.fromy, shot.tox, shot.toy, kShotColour);
    cv.Ellipse(shot.tox, shot.toy, 8, kShotColour);
    cv.Label(static_cast<int>(shot.fromx) + 6, static_cast<int>(shot.fromy) + 6,
             std::to_string(k + 1), kShotColour);
  }
}

int RunPreview(const Args& args) {
  const std::string* hole = Option(args, "--hole");
  const std::string* out = Option(args, "--out");
  if (!hole || !out) return Fail("preview: --hole NAME and --out FILE.png are required");
  const std::string base = ProgramFolder() + *hole;
  ImageList list;
  try {
    LoadImageList(list, base + ".dxg", false);
  } catch (const AssetError& e) {
    return Fail(e.what());
  }
  if (list.Count() < 1 || list.items[0].picture.empty())
    return Fail(*hole + ".dxg has no course picture");
  int32_t scale = 1;
  if (const std::string* sv = Option(args, "--scale");
      sv && (!ParseInt(*sv, scale) || scale < 1 || scale > 8)) {
    return Fail("preview: --scale takes a whole factor from 1 to 8");
  }
  const bool solution = HasFlag(args, "--solution");
  ai::Solution line;
  if (solution) {
    if (const std::string e = SolveForPreview(args, *hole, line); !e.empty()) return Fail(e);
  }
  Canvas cv{Shrink(list.items[0].picture, scale), double(scale)};
  ResetGameState();
  gs().numplayers = 1;
  LoadHoleFile(base + ".hole");
  for (int i = 1; i <= kMaxAreas; ++i) DrawArea(cv, i, gs().areas[i]);
  const Profile p = Profile::FromFile(base + ".hole");
  const int bx = p.ReadInteger("ball", "x", 320), by = p.ReadInteger("ball", "y", 240);
  cv.Ellipse(bx, by, 31, 0x00FFFFFF);  // where the balls are scattered
  cv.Ellipse(bx, by, 6, 0x00FFFFFF);
  cv.Ellipse(gs().cupx, gs().cupy, 22, 0x002020FF);
  if (solution) DrawSolution(cv, line);
  if (!WritePicturePng(*out, cv.pic)) return Fail("cannot write " + *out);
  Json j;
  j.BeginObject().Field("hole", *hole).Field("out", *out).Field("width", cv.pic.width);
  j.Field("height", cv.pic.height);
  if (solution) {
    j.Field("found", line.found).Field("strokes", line.strokes);
    j.Field("shots", static_cast<int>(line.shots.size()));
  }
  j.EndObject().Print();
  return 0;
}

const Registrar reg({"preview",
                     "--hole NAME --out FILE.png [--scale N] [--solution [--seed S] "
                     "[--max-strokes N] [--budget SECONDS]]",
                     RunPreview});

}  // namespace

}  // namespace gp::lab
