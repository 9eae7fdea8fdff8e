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
#include "game/hole_file.h"
#include "game/state.h"
#include "media/image_list.h"
#include "tools/editor/area_outlines.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"
#include "tools/lab/solve_game.h"

namespace gp::lab {

namespace {

using editor::OutlineCanvas;

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
void DrawSolution(OutlineCanvas& cv, const ai::Solution& s) {
  std::vector<editor::LineStroke> strokes;
  for (const ai::SolvedShot& shot : s.shots)
    strokes.push_back({shot.fromx, shot.fromy, shot.tox, shot.toy});
  editor::DrawStrokes(cv, strokes);
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
  OutlineCanvas cv{editor::Shrink(list.items[0].picture, scale), double(scale)};
  ResetGameState();
  gs().numplayers = 1;
  LoadHoleFile(base + ".hole");
  for (int i = 1; i <= kMaxAreas; ++i) editor::DrawArea(cv, i, gs().areas[i]);
  const Profile p = Profile::FromFile(base + ".hole");
  editor::DrawMarks(cv, p.ReadInteger("ball", "x", 320), p.ReadInteger("ball", "y", 240), gs().cupx,
                    gs().cupy);
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
