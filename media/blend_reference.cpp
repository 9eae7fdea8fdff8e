#include "media/blend_reference.h"

#include <algorithm>
#include <cstring>

#include "media/rgb565.h"

namespace gp::reference {

namespace {

// A rectangle of the surface, right and bottom edges excluded.
struct Span {
  int x0, y0, x1, y1;
  bool empty() const { return x0 >= x1 || y0 >= y1; }
};

Span ReferenceClip(int64_t x, int64_t y, int64_t w, int64_t h, int width, int height) {
  Span s;
  s.x0 = static_cast<int>(std::clamp<int64_t>(x, 0, width));
  s.y0 = static_cast<int>(std::clamp<int64_t>(y, 0, height));
  s.x1 = static_cast<int>(std::clamp<int64_t>(x + w, 0, width));
  s.y1 = static_cast<int>(std::clamp<int64_t>(y + h, 0, height));
  return s;
}

constexpr int R5(uint16_t p) {
  return p >> 11;
}
constexpr int G6(uint16_t p) {
  return (p >> 5) & 63;
}
constexpr int B5(uint16_t p) {
  return p & 31;
}
constexpr uint16_t Pack(int r, int g, int b) {
  return static_cast<uint16_t>(r << 11 | g << 5 | b);
}

// Scaled channel values c * a / 255 for 5- and 6-bit channels; `a` is 1..255.
struct Scaled {
  uint8_t v5[32], v6[64];
  explicit Scaled(int a) {
    for (int c = 0; c < 32; ++c) v5[c] = static_cast<uint8_t>(c * a / 255);
    for (int c = 0; c < 64; ++c) v6[c] = static_cast<uint8_t>(c * a / 255);
  }
};

struct AddOp {
  Scaled t;
  explicit AddOp(int a) : t(a) {}
  uint16_t operator()(uint16_t d, uint16_t s) const {
    return Pack(std::min(31, R5(d) + t.v5[R5(s)]), std::min(63, G6(d) + t.v6[G6(s)]),
                std::min(31, B5(d) + t.v5[B5(s)]));
  }
};

struct SubOp {
  Scaled t;
  explicit SubOp(int a) : t(a) {}
  uint16_t operator()(uint16_t d, uint16_t s) const {
    return Pack(std::max(0, R5(d) - t.v5[R5(s)]), std::max(0, G6(d) - t.v6[G6(s)]),
                std::max(0, B5(d) - t.v5[B5(s)]));
  }
};

struct AlphaOp {
  int a;
  uint16_t operator()(uint16_t d, uint16_t s) const {
    const int b = 255 - a;
    return Pack((R5(s) * a + R5(d) * b) / 255, (G6(s) * a + G6(d) * b) / 255,
                (B5(s) * a + B5(d) * b) / 255);
  }
};

struct CopyOp {
  uint16_t operator()(uint16_t, uint16_t s) const { return s; }
};

bool ReferenceValidPattern(const ImageItem& item, int pattern) {
  return item.prepared && pattern >= 0 && pattern < item.PatternCount();
}

// Stretches a pattern into a destination rectangle (nearest source pixel),
// skipping colour-key pixels, combining each with the surface by `op`.
template <typename Op>
void Blend(Surface out, const ImageItem& item, int pattern, Rect dst, const Op& op) {
  if (dst.w <= 0 || dst.h <= 0) return;
  const Span s = ReferenceClip(dst.x, dst.y, dst.w, dst.h, out.width, out.height);
  if (s.empty()) return;
  const int pitch = item.pitch;
  const uint16_t* src =
      &item.native[static_cast<size_t>(item.PatternY(pattern)) * pitch + item.PatternX(pattern)];
  const bool keyed = item.transparent;
  const uint16_t key = item.nativekey;
  const int64_t first = int64_t{s.x0 - dst.x} * item.w;
  const int qx = item.w / dst.w, rx = item.w % dst.w;
  for (int dy = s.y0; dy < s.y1; ++dy) {
    const int sy = static_cast<int>(int64_t{dy - dst.y} * item.h / dst.h);
    const uint16_t* srow = src + static_cast<size_t>(sy) * pitch;
    uint16_t* drow = &out.pixels[static_cast<size_t>(dy) * out.width];
    int sx = static_cast<int>(first / dst.w);
    int rem = static_cast<int>(first % dst.w);
    for (int dx = s.x0; dx < s.x1; ++dx) {
      const uint16_t p = srow[sx];
      if (!keyed || p != key) drow[dx] = op(drow[dx], p);
      sx += qx;
      rem += rx;
      if (rem >= dst.w) {
        rem -= dst.w;
        ++sx;
      }
    }
  }
}

}  // namespace

void FillRectAlpha(Surface out, Rect r, uint32_t colour, int alpha) {
  if (alpha <= 0) return;
  const Span s = ReferenceClip(r.x, r.y, r.w, r.h, out.width, out.height);
  if (s.empty()) return;
  const uint16_t c = ToNative(colour);
  const AlphaOp op{std::min(alpha, 255)};
  for (int y = s.y0; y < s.y1; ++y) {
    uint16_t* row = &out.pixels[static_cast<size_t>(y) * out.width];
    if (alpha >= 255) {
      std::fill(row + s.x0, row + s.x1, c);
    } else {
      for (int x = s.x0; x < s.x1; ++x) row[x] = op(row[x], c);
    }
  }
}

void Draw(Surface out, const ImageItem& item, int pattern, int x, int y) {
  if (!ReferenceValidPattern(item, pattern)) return;
  const Span s = ReferenceClip(x, y, item.w, item.h, out.width, out.height);
  if (s.empty()) return;
  const int pitch = item.pitch;
  const uint16_t* src =
      &item.native[static_cast<size_t>(item.PatternY(pattern)) * pitch + item.PatternX(pattern)];
  const bool keyed = item.transparent && !item.rowruns.empty();
  for (int dy = s.y0; dy < s.y1; ++dy) {
    const int row = dy - y;
    const uint16_t* srow = src + static_cast<size_t>(row) * pitch;
    uint16_t* drow = &out.pixels[static_cast<size_t>(dy) * out.width];
    if (!keyed) {
      std::memcpy(drow + s.x0, srow + (s.x0 - x), sizeof(uint16_t) * (s.x1 - s.x0));
      continue;
    }
    const size_t at = static_cast<size_t>(pattern) * item.h + row;
    for (uint32_t k = item.rowruns[at]; k < item.rowruns[at + 1]; ++k) {
      const ImageItem::Run run = item.runs[k];
      const int a = std::max(s.x0, x + run.x), b = std::min(s.x1, x + run.x + run.len);
      if (a < b) std::memcpy(drow + a, srow + (a - x), sizeof(uint16_t) * (b - a));
    }
  }
}

void DrawAdd(Surface out, const ImageItem& item, int pattern, Rect dst, int alpha) {
  if (!ReferenceValidPattern(item, pattern) || alpha <= 0) return;
  Blend(out, item, pattern, dst, AddOp(std::min(alpha, 255)));
}

void DrawAlpha(Surface out, const ImageItem& item, int pattern, Rect dst, int alpha) {
  if (!ReferenceValidPattern(item, pattern) || alpha <= 0) return;
  if (alpha >= 255) {
    Blend(out, item, pattern, dst, CopyOp{});
  } else {
    Blend(out, item, pattern, dst, AlphaOp{alpha});
  }
}

void DrawSub(Surface out, const ImageItem& item, int pattern, Rect dst, int alpha) {
  if (!ReferenceValidPattern(item, pattern) || alpha <= 0) return;
  Blend(out, item, pattern, dst, SubOp(std::min(alpha, 255)));
}

}  // namespace gp::reference
