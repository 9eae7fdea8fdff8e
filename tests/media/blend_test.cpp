// The display's drawing operations against the one-pixel-at-a-time reference,
// on both pixel-loop paths: every channel pair at every alpha, then random
// pictures, key densities, stretches and clip cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <span>
#include <vector>

#include "media/blend_reference.h"
#include "media/display.h"
#include "media/rgb565.h"

namespace gp {
namespace {

constexpr uint16_t Pack(int r, int g, int b) {
  return static_cast<uint16_t>((r & 31) << 11 | (g & 63) << 5 | (b & 31));
}

// An item whose prepared pixels are exactly `px`, cut into patterns of pw x ph.
ImageItem NativeItem(int w, int h, const std::vector<uint16_t>& px, bool transparent, uint16_t key,
                     int pw = 0, int ph = 0) {
  ImageItem item;
  item.picture.width = w;
  item.picture.height = h;
  for (uint16_t p : px) item.picture.pixels.push_back(FromNative(p));
  item.patternwidth = pw;
  item.patternheight = ph;
  item.transparent = transparent;
  item.transparentcolor = FromNative(key);
  PrepareItem(item);
  return item;
}

enum class Op { kDraw, kAdd, kSub, kAlpha, kFill };

// A display and a reference surface that start each operation with the same pixels.
class BlendTest : public ::testing::TestWithParam<BlendPath> {
 protected:
  void Start(int w, int h) {
    ASSERT_TRUE(d.Start(nullptr, w, h, false));
    d.SetBlendPath(GetParam());
    ref.assign(static_cast<size_t>(w) * h, 0);
  }
  uint16_t* Pixels() { return d.Pixels(); }
  size_t Size() const { return ref.size(); }

  // Runs one operation on both and reports the first pixel that differs.
  void Check(Op op, const ImageItem& item, int pattern, Rect r, int alpha) {
    std::copy(Pixels(), Pixels() + Size(), ref.begin());
    const reference::Surface s{ref.data(), d.SurfaceWidth(), d.SurfaceHeight()};
    switch (op) {
      case Op::kDraw:
        d.Draw(item, pattern, r.x, r.y);
        reference::Draw(s, item, pattern, r.x, r.y);
        break;
      case Op::kAdd:
        d.DrawAdd(item, pattern, r, alpha);
        reference::DrawAdd(s, item, pattern, r, alpha);
        break;
      case Op::kSub:
        d.DrawSub(item, pattern, r, alpha);
        reference::DrawSub(s, item, pattern, r, alpha);
        break;
      case Op::kAlpha:
        d.DrawAlpha(item, pattern, r, alpha);
        reference::DrawAlpha(s, item, pattern, r, alpha);
        break;
      case Op::kFill:
        d.FillRectAlpha(r, FromNative(item.native.empty() ? 0 : item.native[0]), alpha);
        reference::FillRectAlpha(s, r, FromNative(item.native.empty() ? 0 : item.native[0]), alpha);
        break;
    }
    const auto [mine, theirs] = std::mismatch(Pixels(), Pixels() + Size(), ref.begin());
    if (mine != Pixels() + Size()) {
      const auto at = mine - Pixels();
      FAIL() << "op " << static_cast<int>(op) << " alpha " << alpha << " rect " << r.x << "," << r.y
             << " " << r.w << "x" << r.h << " item " << item.w << "x" << item.h << " pattern "
             << pattern << ": pixel (" << at % d.SurfaceWidth() << ", " << at / d.SurfaceWidth()
             << ") is " << *mine << ", reference " << *theirs;
    }
  }

  Display d;
  std::vector<uint16_t> ref;
};

// Source channel values vary along x and destination ones along y, so a 64x64
// square holds every pair of channel values; run at every alpha, and beyond.
TEST_P(BlendTest, EveryChannelPairAtEveryAlpha) {
  Start(64, 64);
  std::vector<uint16_t> src(64 * 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) src[y * 64 + x] = Pack(x, x, 31 - x);
  const ImageItem plain = NativeItem(64, 64, src, false, 0);
  const ImageItem keyed = NativeItem(64, 64, src, true, Pack(5, 5, 26));
  const auto fill_rows = [&] {
    for (int y = 0; y < 64; ++y)
      std::fill(Pixels() + y * 64, Pixels() + y * 64 + 64, Pack(y, y, y));
  };
  for (int alpha = -1; alpha <= 257; ++alpha) {
    for (Op op : {Op::kAdd, Op::kSub, Op::kAlpha}) {
      for (const ImageItem* item : {&plain, &keyed}) {
        fill_rows();
        Check(op, *item, 0, Rect{0, 0, 64, 64}, alpha);
        if (HasFailure()) return;
      }
    }
  }
  // A fill mixes one colour: every destination value along x, one colour per row.
  for (int alpha = -1; alpha <= 257; alpha += alpha < 250 ? 3 : 1) {
    for (int c = 0; c < 64; ++c) {
      for (int x = 0; x < 64; ++x) Pixels()[x] = Pack(x, x, x);
      const ImageItem colour = NativeItem(1, 1, {Pack(c, c, 63 - c)}, false, 0);
      Check(Op::kFill, colour, 0, Rect{0, 0, 64, 1}, alpha);
      if (HasFailure()) return;
    }
  }
}

// Random pictures (noise, or a quarter or more key pixels), random patterns,
// sizes from 1 pixel to wider than the screen, drawn at every clip position:
// each edge cut, outside on each side, covering everything, stretched and shrunk.
TEST_P(BlendTest, RandomPicturesAtEveryClipPosition) {
  constexpr int kW = 45, kH = 23;
  Start(kW, kH);
  std::mt19937 rng(20240611);
  const auto rnd = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int sizes[] = {1, 3, 7, 8, 9, 16, 17, 31, 64, 100, 150};
  for (int trial = 0; trial < 60; ++trial) {
    const int pw = sizes[trial % 11], ph = rnd(1, 12), cols = rnd(1, 3);
    const uint16_t key = static_cast<uint16_t>(rnd(0, 65535));
    const int key_percent = std::array{0, 3, 25, 60, 100}[rnd(0, 4)];
    std::vector<uint16_t> px(static_cast<size_t>(pw) * cols * ph);
    for (uint16_t& p : px)
      p = rnd(0, 99) < key_percent ? key : static_cast<uint16_t>(rnd(0, 65535));
    const ImageItem item = NativeItem(pw * cols, ph, px, trial % 7 != 0, key, pw, ph);
    const int xs[] = {-pw - 2, -pw, -pw / 2, -1, 0, 5, kW - pw, kW - pw / 2, kW - 1, kW};
    const int ys[] = {-ph - 1, -ph / 2, 0, 4, kH - ph, kH - 1, kH};
    for (int x : xs) {
      for (int y : ys) {
        for (uint16_t& p : std::span(Pixels(), Size())) p = static_cast<uint16_t>(rnd(0, 65535));
        const int pattern = rnd(0, cols - 1);
        const Op op = static_cast<Op>(rnd(0, 4));
        // Mostly the pattern's own size; else stretched or shrunk either way.
        const int w = rnd(0, 2) != 0 ? pw : rnd(-1, 2 * pw + 3);
        const int h = rnd(0, 2) != 0 ? ph : rnd(-1, 2 * ph + 3);
        const int alpha = std::array{rnd(1, 254), 255, 0, 300, -4, rnd(1, 254)}[rnd(0, 5)];
        Check(op, item, pattern, Rect{x, y, w, h}, alpha);
        if (HasFailure()) return;
      }
    }
  }
}

// Out-of-range patterns and unprepared items draw nothing on either side.
TEST_P(BlendTest, BadPatternsDrawNothing) {
  Start(16, 8);
  std::fill(Pixels(), Pixels() + Size(), Pack(3, 4, 5));
  ImageItem item = NativeItem(8, 2, std::vector<uint16_t>(16, Pack(9, 9, 9)), true, 0, 4);
  for (Op op : {Op::kDraw, Op::kAdd, Op::kSub, Op::kAlpha}) {
    Check(op, item, 2, Rect{0, 0, 4, 2}, 128);
    Check(op, item, -1, Rect{0, 0, 4, 2}, 128);
  }
  item.prepared = false;
  Check(Op::kAdd, item, 0, Rect{0, 0, 4, 2}, 128);
  EXPECT_EQ(Pixels()[0], Pack(3, 4, 5));
}

INSTANTIATE_TEST_SUITE_P(Paths, BlendTest,
                         ::testing::Values(BlendPath::kPortable, BlendPath::kVector),
                         [](const auto& info) {
                           return info.param == BlendPath::kPortable ? "Portable" : "Vector";
                         });

}  // namespace
}  // namespace gp
