#include "media/display.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "media/rgb565.h"
#include "platform/platform.h"

namespace gp {

namespace {

// A rectangle of the back buffer, right and bottom edges excluded.
struct Span {
  int x0, y0, x1, y1;
  bool empty() const { return x0 >= x1 || y0 >= y1; }
};

Span Clip(int64_t x, int64_t y, int64_t w, int64_t h, int width, int height) {
  Span s;
  s.x0 = static_cast<int>(std::clamp<int64_t>(x, 0, width));
  s.y0 = static_cast<int>(std::clamp<int64_t>(y, 0, height));
  s.x1 = static_cast<int>(std::clamp<int64_t>(x + w, 0, width));
  s.y1 = static_cast<int>(std::clamp<int64_t>(y + h, 0, height));
  return s;
}

// A keyed row whose runs average at least this many pixels (gaps included) is
// copied run by run; with the vector loops, a row of shorter runs is compared
// with the key instead. A row narrower than kShortRow pixels is compared one
// pixel at a time.
constexpr int kRunCopyWidth = 48;
constexpr int kShortRow = 16;

bool ValidPattern(const ImageItem& item, int pattern) {
  return item.prepared && pattern >= 0 && pattern < item.PatternCount();
}

}  // namespace

bool Display::Start(Platform* platform, int width, int height, bool vsync) {
  Finalize();
  if (width <= 0 || height <= 0) return false;
  if (platform && !platform->OpenDisplay(width, height, vsync)) return false;
  platform_ = platform;
  width_ = width;
  height_ = height;
  vsync_ = vsync;
  // Drawing straight into the platform's frame buffer saves a copy per frame.
  const size_t n = static_cast<size_t>(width) * height;
  pixels_ = platform ? platform->FrameBuffer() : nullptr;
  if (pixels_) {
    back_.clear();
    back_.shrink_to_fit();
    std::fill(pixels_, pixels_ + n, 0);
  } else {
    back_.assign(n, 0);
    pixels_ = back_.data();
  }
  columns_.assign(static_cast<size_t>(width), 0);
  gathered_.assign(static_cast<size_t>(width), 0);
  running_ = true;
  lost_ = false;
  return true;
}

void Display::Finalize() {
  // The last picture stays readable after the platform takes its buffer back.
  if (pixels_ && pixels_ != back_.data()) {
    back_.assign(pixels_, pixels_ + static_cast<size_t>(width_) * height_);
    pixels_ = back_.data();
  }
  if (running_ && platform_) platform_->CloseDisplay();
  running_ = false;
  lost_ = false;
}

bool Display::CanDraw() {
  if (!running_) return false;
  lost_ = platform_ && !platform_->DisplayReady();
  return !lost_;
}

void Display::Fill(uint16_t native) {
  if (Drawable()) std::fill(pixels_, pixels_ + static_cast<size_t>(width_) * height_, native);
}

void Display::Flip() {
  if (!Drawable()) return;
  if (platform_) {
    if (!platform_->DisplayReady()) {
      lost_ = true;
      return;
    }
    platform_->Present(pixels_, width_, height_);
  }
}

uint16_t Display::ColorMatch(uint32_t colour) {
  return ToNative(colour);
}

void Display::SetPixelNative(int x, int y, uint16_t native) {
  if (!Drawable() || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * width_ + x] = native;
}

void Display::FillRectAlpha(Rect r, uint32_t colour, int alpha) {
  if (!Drawable() || alpha <= 0) return;
  const Span s = Clip(r.x, r.y, r.w, r.h, width_, height_);
  if (s.empty()) return;
  const uint16_t c = ToNative(colour);
  uint16_t* corner = &pixels_[static_cast<size_t>(s.y0) * width_ + s.x0];
  if (alpha < 255) {
    const PixelBlock b{.dst = corner, .dpitch = width_, .width = s.x1 - s.x0, .rows = s.y1 - s.y0};
    FillAlphaBlock(path_, b, c, alpha);
    return;
  }
  for (int y = s.y0; y < s.y1; ++y, corner += width_) std::fill(corner, corner + (s.x1 - s.x0), c);
}

void Display::Draw(const ImageItem& item, int pattern, int x, int y) {
  if (!Drawable() || !ValidPattern(item, pattern)) return;
  const Span s = Clip(x, y, item.w, item.h, width_, height_);
  if (s.empty()) return;
  const int pitch = item.pitch;  // of the prepared copy, whatever the picture is now
  const uint16_t* src =
      &item.native[static_cast<size_t>(item.PatternY(pattern)) * pitch + item.PatternX(pattern)];
  const bool keyed = item.transparent && !item.rowruns.empty();
  // Runs of the first drawn row; a block of rows without a single opaque pixel
  // (a common case: foreground tiles) ends here.
  const size_t runs_at = static_cast<size_t>(pattern) * item.h + (s.y0 - y);
  if (keyed && item.rowruns[runs_at] == item.rowruns[runs_at + (s.y1 - s.y0)]) return;
  for (int dy = s.y0; dy < s.y1; ++dy) {
    const int row = dy - y;
    const uint16_t* srow = src + static_cast<size_t>(row) * pitch;
    uint16_t* drow = &pixels_[static_cast<size_t>(dy) * width_];
    if (keyed) {
      DrawKeyedRow(item, runs_at + (dy - s.y0), srow, drow, x, s.x0, s.x1);
    } else {
      std::memcpy(drow + s.x0, srow + (s.x0 - x), sizeof(uint16_t) * (s.x1 - s.x0));
    }
  }
}

// One row of a colour-keyed pattern drawn at column x, clipped to columns
// x0..x1 of the buffer; `runs_at` indexes the row's runs.
void Display::DrawKeyedRow(const ImageItem& item, size_t runs_at, const uint16_t* srow,
                           uint16_t* drow, int x, int x0, int x1) {
  const uint32_t first = item.rowruns[runs_at], last = item.rowruns[runs_at + 1];
  if (first == last) return;
  // Every opaque pixel lies between the first run's start and the last run's end.
  const ImageItem::Run head = item.runs[first], tail = item.runs[last - 1];
  const int a = std::max(x0, x + head.x), b = std::min(x1, x + tail.x + tail.len);
  if (a >= b) return;
  if (b - a < kShortRow) {
    const uint16_t key = item.nativekey;
    for (int i = a; i < b; ++i) {
      if (srow[i - x] != key) drow[i] = srow[i - x];
    }
    return;
  }
  const bool vector = path_ == BlendPath::kVector && VectorBlendBuilt();
  if (vector && b - a < kRunCopyWidth * static_cast<int64_t>(last - first)) {
    const PixelBlock row{.dst = drow + a, .src = srow + (a - x), .width = b - a, .rows = 1};
    BlendBlock(path_, BlendKind::kCopy, row, 255, true, item.nativekey);
    return;
  }
  for (uint32_t k = first; k < last; ++k) {
    const ImageItem::Run run = item.runs[k];
    const int from = std::max(a, x + run.x), to = std::min(b, x + run.x + run.len);
    if (from < to) std::memcpy(drow + from, srow + (from - x), sizeof(uint16_t) * (to - from));
  }
}

// Stretches a pattern into a destination rectangle (nearest source pixel),
// skipping colour-key pixels, combining each with the back buffer by `kind`.
void Display::Blend(const ImageItem& item, int pattern, Rect dst, BlendKind kind, int alpha) {
  if (dst.w <= 0 || dst.h <= 0) return;
  const Span s = Clip(dst.x, dst.y, dst.w, dst.h, width_, height_);
  if (s.empty()) return;
  const int pitch = item.pitch;  // of the prepared copy, whatever the picture is now
  const uint16_t* src =
      &item.native[static_cast<size_t>(item.PatternY(pattern)) * pitch + item.PatternX(pattern)];
  const int width = s.x1 - s.x0;
  PixelBlock b{.dst = &pixels_[static_cast<size_t>(s.y0) * width_ + s.x0],
               .dpitch = width_,
               .spitch = pitch,
               .width = width,
               .rows = s.y1 - s.y0};
  if (dst.w == item.w && dst.h == item.h) {  // the pattern's own size: one block
    b.src = src + static_cast<size_t>(s.y0 - dst.y) * pitch + (s.x0 - dst.x);
    BlendBlock(path_, kind, b, alpha, item.transparent, item.nativekey);
    return;
  }
  const bool stretched = dst.w != item.w;
  if (stretched) {
    // Source column of each destination column, stepped exactly from the first.
    const int64_t first = int64_t{s.x0 - dst.x} * item.w;
    const int qx = item.w / dst.w, rx = item.w % dst.w;
    int sx = static_cast<int>(first / dst.w), rem = static_cast<int>(first % dst.w);
    for (int i = 0; i < width; ++i) {
      columns_[i] = sx;
      sx += qx;
      rem += rx;
      if (rem >= dst.w) {
        rem -= dst.w;
        ++sx;
      }
    }
  }
  b.rows = 1;
  for (int dy = s.y0; dy < s.y1; ++dy, b.dst += width_) {
    const int sy = static_cast<int>(int64_t{dy - dst.y} * item.h / dst.h);
    const uint16_t* srow = src + static_cast<size_t>(sy) * pitch;
    if (stretched) {
      for (int i = 0; i < width; ++i) gathered_[i] = srow[columns_[i]];
      b.src = gathered_.data();
    } else {
      b.src = srow + (s.x0 - dst.x);
    }
    BlendBlock(path_, kind, b, alpha, item.transparent, item.nativekey);
  }
}

void Display::DrawAdd(const ImageItem& item, int pattern, Rect dst, int alpha) {
  if (!Drawable() || !ValidPattern(item, pattern) || alpha <= 0) return;
  Blend(item, pattern, dst, BlendKind::kAdd, std::min(alpha, 255));
}

void Display::DrawAlpha(const ImageItem& item, int pattern, Rect dst, int alpha) {
  if (!Drawable() || !ValidPattern(item, pattern) || alpha <= 0) return;
  Blend(item, pattern, dst, alpha >= 255 ? BlendKind::kCopy : BlendKind::kAlpha, alpha);
}

void Display::DrawSub(const ImageItem& item, int pattern, Rect dst, int alpha) {
  if (!Drawable() || !ValidPattern(item, pattern) || alpha <= 0) return;
  Blend(item, pattern, dst, BlendKind::kSub, std::min(alpha, 255));
}

void Canvas::SetPenColour(uint32_t colour) {
  pen_ = ToNative(colour);
}

void Canvas::MoveTo(int x, int y) {
  cx_ = x;
  cy_ = y;
}

void Canvas::LineTo(int x, int y) {
  // Bresenham from the current point; the end point itself is not drawn.
  int64_t px = cx_, py = cy_;
  const int64_t dx = std::abs(int64_t{x} - px), dy = -std::abs(int64_t{y} - py);
  const int sx = px < x ? 1 : -1, sy = py < y ? 1 : -1;
  const bool absurd = dx > (1 << 20) || -dy > (1 << 20);  // never drawn pixel by pixel
  int64_t err = dx + dy;
  while (!absurd && (px != x || py != y)) {
    display_->SetPixelNative(static_cast<int>(px), static_cast<int>(py), pen_);
    const int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      px += sx;
    }
    if (e2 <= dx) {
      err += dx;
      py += sy;
    }
  }
  cx_ = x;
  cy_ = y;
}

void Canvas::SetCanvasPixel(int x, int y, uint32_t colour) {
  display_->SetPixelNative(x, y, ToNative(colour));
}

}  // namespace gp
