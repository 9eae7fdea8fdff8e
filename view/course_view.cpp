#include "view/course_view.h"

#include <cstdlib>

#include "base/angles.h"
#include "game/state.h"
#include "media/rgb565.h"

namespace gp {

// clang-format off
const uint8_t kSphereMask[256] = {
  0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,
  0,   0,   0,   0,  52, 128, 192, 237, 237, 192, 128,  52,   0,   0,   0,   0,
  0,   0,   0, 103, 213, 255, 255, 255, 255, 255, 255, 213, 103,   0,   0,   0,
  0,   0, 103, 241, 255, 255, 255, 255, 255, 255, 255, 255, 241, 103,   0,   0,
  0,  52, 213, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 213,  52,   0,
  0, 128, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 128,   0,
  0, 192, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 192,   0,
  0, 237, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 237,   0,
  0, 237, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 237,   0,
  0, 192, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 192,   0,
  0, 128, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 128,   0,
  0,  52, 213, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 213,  52,   0,
  0,   0, 103, 241, 255, 255, 255, 255, 255, 255, 255, 255, 241, 103,   0,   0,
  0,   0,   0, 103, 213, 255, 255, 255, 255, 255, 255, 213, 103,   0,   0,   0,
  0,   0,   0,   0,  52, 128, 192, 237, 237, 192, 128,  52,   0,   0,   0,   0,
  0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,
};

const uint8_t kSphereMap[256] = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,  10,  11,  12,  13,  14,  15,
   16,  17,  18,  19,  20,  21,  22,  23,  24,  25,  26,  27,  28,  29,  30,  31,
   32,  33,  34,  35,  36,  37,  38,  39,  40,  41,  42,  43,  44,  45,  46,  47,
   48,  49,  50,  51,  52,  53,  70,  71,  72,  73,  74,  59,  60,  61,  62,  63,
   64,  65,  66,  67,  85,  86,  87,  87,  88,  89,  89,  91,  91,  77,  78,  79,
   80,  81,  82,  83, 101, 102, 103, 103, 104, 105, 105, 106, 107,  93,  94,  95,
   96,  97,  98, 100, 117, 118, 119, 119, 120, 121, 121, 122, 123, 108, 110, 111,
  112, 113, 114, 116, 117, 118, 119, 119, 120, 121, 121, 122, 123, 124, 126, 127,
  128, 129, 130, 132, 133, 134, 135, 135, 136, 137, 137, 138, 139, 140, 142, 143,
  144, 145, 146, 148, 149, 150, 151, 151, 152, 153, 153, 154, 155, 156, 158, 159,
  160, 161, 162, 164, 149, 150, 151, 151, 152, 153, 153, 154, 155, 172, 174, 175,
  176, 177, 178, 179, 181, 166, 167, 167, 168, 169, 169, 170, 187, 189, 190, 191,
  192, 193, 194, 195, 181, 182, 183, 183, 184, 185, 185, 187, 187, 205, 206, 207,
  208, 209, 210, 211, 212, 213, 198, 199, 200, 201, 202, 219, 220, 221, 222, 223,
  224, 225, 226, 227, 228, 229, 230, 231, 232, 233, 234, 235, 236, 237, 238, 239,
  240, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255,
};
// clang-format on

namespace {

constexpr int kTile = 24;     // foreground pattern size


// The texel colours of player p's ball in display pixels, row-major with
// `stride` pixels per row: the prepared copy, or else the picture converted
// into `scratch`. nullptr when the texture is missing or smaller than 16 x 16.
const uint16_t* BallTexture(const Scene& sc, int p, int& stride, uint16_t (&scratch)[256]) {
  const ImageItem* tex = sc.gui.Item(10 + p);
  if (tex == nullptr) return nullptr;
  const Picture& pic = tex->picture;
  if (pic.width < 16 || pic.height < 16) return nullptr;
  if (pic.pixels.size() < static_cast<size_t>(pic.width) * pic.height) return nullptr;
  if (tex->prepared && tex->native.size() == pic.pixels.size()) {
    stride = pic.width;
    return tex->native.data();
  }
  for (int n = 0; n < 256; ++n) scratch[n] = ToNative(pic.at(n & 15, n >> 4));
  stride = 16;
  return scratch;
}

// The rotated, rolling textured sphere, written pixel by pixel. The rotation
// steps u, v in 16.16 fixed point: two additions per pixel.
void DrawBallBody(const Scene& sc, int p, int32_t sx, int32_t sy) {
  const Ball& b = gs().players[p];
  int stride = 0;
  uint16_t scratch[256];
  const uint16_t* tex = BallTexture(sc, p, stride, scratch);
  Display& d = sc.display;
  uint16_t* px = d.Pixels();
  const int sw = d.SurfaceWidth(), sh = d.SurfaceHeight(), pitch = d.Pitch();
  if (tex == nullptr || px == nullptr) return;
  const int32_t s = RoundInt(ByteSin(-b.spin) * 65536);
  const int32_t c = RoundInt(ByteCos(-b.spin) * 65536);
  const int32_t roll = 16 * RoundInt(b.rolly) + RoundInt(b.rollx);
  const int rows = b.ballrows > 15 ? 15 : b.ballrows;
  for (int r = 0; r <= rows; ++r) {
    const int y = sy + r;
    int32_t u = 8 * 65536 - 8 * c - (r - 8) * s;
    int32_t v = 8 * 65536 - 8 * s + (r - 8) * c;
    for (int i = 0; i < 16; ++i, u += c, v += s) {
      if (kSphereMask[16 * r + i] <= 128) continue;
      const int x = sx + i;
      if (x < 0 || x >= sw || y < 0 || y >= sh) continue;
      const int n = (kSphereMap[(16 * (v >> 16) + (u >> 16)) & 255] - roll) & 255;
      px[y * pitch + x] = tex[(n >> 4) * stride + (n & 15)];
    }
  }
}

// The nine foreground patterns around the ball's ground point, so that raised
// parts of the course hide it. Cells beyond the pattern grid's left or right
// edge are skipped: their pattern numbers would wrap into the next row.
void DrawForeground(const Scene& sc, const Ball& b, int32_t vx, int32_t vy) {
  const ImageItem* fg = sc.course.Item(1);
  if (fg == nullptr) return;
  const int per_row = gs().coursewidth / kTile;
  const int col = RoundInt(b.x + 0.5) / kTile;
  const int row = RoundInt(b.y + 0.5) / kTile;
  Display& d = sc.display;
  for (int dr = -1; dr <= 1; ++dr) {
    for (int dc = -1; dc <= 1; ++dc) {
      const int c = col + dc;
      if (c < 0 || c >= per_row) continue;
      const int t = per_row * (row + dr) + c;
      d.Draw(*fg, t, kTile * c - vx, kTile * (row + dr) - vy);
    }
  }
}

// The cup's front picture over a ball in the cup, the pipe's cover over a ball in a pipe.
void DrawCovers(const Scene& sc, const Ball& b, int32_t vx, int32_t vy) {
  if (b.holearea < 1 || b.holearea > kMaxAreas) return;
  const Area& a = gs().areas[b.holearea];
  Display& d = sc.display;
  if (b.inhole) {
    if (const ImageItem* cup = sc.course.Item(2)) d.Draw(*cup, 0, a.x2 - vx, a.y2 - vy);
  }
  if (b.inpipe) {
    if (const ImageItem* cover = sc.course.Item(a.p3)) d.Draw(*cover, 0, a.p1 - vx, a.p2 - vy);
  }
}

}  // namespace

void DrawBall(const Scene& sc, int p) {
  const GameState& g = gs();
  const Ball& b = g.players[p];
  const int32_t vx = g.viewx, vy = g.viewy;
  const int32_t x = RoundInt(b.x), y = RoundInt(b.y), z = RoundInt(b.z);
  Display& d = sc.display;

  Rect shadow;
  int alpha = 0;
  if (ShadowOf(b, vx, vy, shadow, alpha)) {
    if (const ImageItem* item = sc.gui.Item(17)) d.DrawSub(*item, 0, shadow, alpha);
  }
  DrawBallBody(sc, p, x - vx - 8, y - vy - 8 - z);
  if (!b.sinking) {
    const Rect square{x - vx - 8, y - vy - z - 8, 16, 16};
    if (const ImageItem* item = sc.gui.Item(15)) d.DrawSub(*item, 0, square, 128);
    if (b.shade > 0) {
      if (const ImageItem* item = sc.gui.Item(16)) d.DrawSub(*item, 0, square, b.shade);
    }
  }
  DrawForeground(sc, b, vx, vy);
  DrawCovers(sc, b, vx, vy);
}


void DrawCourse(const Scene& sc) {
  Display& d = sc.display;
  const GameState& g = gs();
  if (g.coursewidth < d.SurfaceWidth() || g.courseheight < d.SurfaceHeight()) d.Fill(0);
  if (const ImageItem* item = sc.course.Item(0)) d.Draw(*item, 0, -g.viewx, -g.viewy);
}

bool ShadowOf(const Ball& b, int32_t vx, int32_t vy, Rect& dst, int& alpha) {
  if (b.inhole || b.sinking || b.inpipe) return false;
  alpha = 128 - RoundInt(b.z / 3);
  if (alpha <= 0) return false;
  dst = Rect{RoundInt(b.x) - vx - 4, RoundInt(b.y) - vy - 6, RoundInt(b.z / 10) + 16, 16};
  return true;
}

}  // namespace gp
