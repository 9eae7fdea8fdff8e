#include "media/blend_rows_sse2.h"

#ifdef __SSE2__

#include <emmintrin.h>

#include <algorithm>
#include <cstddef>

namespace gp::sse2 {

namespace {

using V = __m128i;
constexpr int kLanes = 8;  // pixels per vector

V Load(const uint16_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const V*>(p));
}
void Store(uint16_t* p, V a) {
  _mm_storeu_si128(reinterpret_cast<V*>(p), a);
}
V Splat(int x) {
  return _mm_set1_epi16(static_cast<short>(x));
}
// Lanes of `a` where `mask` is all ones, of `b` where it is zero.
V Select(V mask, V a, V b) {
  return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

// The three channels of eight pixels, each in its own lanes.
struct Rgb {
  V r, g, b;

  // Red 0..31, green 0..63, blue 0..31.
  static Rgb Split(V p) {
    return {_mm_srli_epi16(p, 11), _mm_and_si128(_mm_srli_epi16(p, 5), Splat(63)),
            _mm_and_si128(p, Splat(31))};
  }
  // Each channel times four, for ScaledBy.
  static Rgb SplitTimesFour(V p) {
    return {_mm_and_si128(_mm_srli_epi16(p, 9), Splat(31 << 2)),
            _mm_and_si128(_mm_srli_epi16(p, 3), Splat(63 << 2)),
            _mm_and_si128(_mm_slli_epi16(p, 2), Splat(31 << 2))};
  }
  V Join() const {
    return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(r, 11), _mm_slli_epi16(g, 5)), b);
  }
};

// x / 255 rounded down, exact for every 16-bit x: x * 0x8081 >> 23.
V Div255(V x) {
  return _mm_srli_epi16(_mm_mulhi_epu16(x, Splat(0x8081)), 7);
}

// c * alpha / 255 rounded down for channels c = 0..63, from c * 4: the high half
// of c * 4 * m with m = ceil(alpha * 16384 / 255). Exact: the excess of m adds
// less than 63 / 16384 to a quotient whose fraction is at most 254/255.
struct ScaledBy {
  V m;
  explicit ScaledBy(int alpha) : m(Splat((alpha * 16384 + 254) / 255)) {}
  V operator()(V c4) const { return _mm_mulhi_epu16(c4, m); }
};

struct CopyRow {
  explicit CopyRow(int) {}
  V operator()(V, V s) const { return s; }
};

struct AddRow {
  ScaledBy scaled;
  explicit AddRow(int alpha) : scaled(alpha) {}
  V operator()(V dp, V sp) const {
    const Rgb d = Rgb::Split(dp), s = Rgb::SplitTimesFour(sp);
    // The sums stay below 128: a signed minimum is right.
    return Rgb{_mm_min_epi16(_mm_add_epi16(d.r, scaled(s.r)), Splat(31)),
               _mm_min_epi16(_mm_add_epi16(d.g, scaled(s.g)), Splat(63)),
               _mm_min_epi16(_mm_add_epi16(d.b, scaled(s.b)), Splat(31))}
        .Join();
  }
};

struct SubRow {
  ScaledBy scaled;
  explicit SubRow(int alpha) : scaled(alpha) {}
  V operator()(V dp, V sp) const {
    const Rgb d = Rgb::Split(dp), s = Rgb::SplitTimesFour(sp);
    return Rgb{_mm_subs_epu16(d.r, scaled(s.r)), _mm_subs_epu16(d.g, scaled(s.g)),
               _mm_subs_epu16(d.b, scaled(s.b))}
        .Join();
  }
};

// (s * a + d * (255 - a)) / 255 per channel; both products together stay below 16066.
struct AlphaRow {
  V a, b;
  explicit AlphaRow(int alpha) : a(Splat(alpha)), b(Splat(255 - alpha)) {}
  V Mix(V s, V d) const {
    return Div255(_mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, b)));
  }
  V operator()(V dp, V sp) const {
    const Rgb d = Rgb::Split(dp), s = Rgb::Split(sp);
    return Rgb{Mix(s.r, d.r), Mix(s.g, d.g), Mix(s.b, d.b)}.Join();
  }
};

// One colour mixed in: its channels times alpha are the same for every pixel.
struct FillAlphaRow {
  V b;
  Rgb ca;
  FillAlphaRow(uint16_t colour, int alpha) : b(Splat(255 - alpha)) {
    const Rgb c = Rgb::Split(Splat(colour));
    const V a = Splat(alpha);
    ca = {_mm_mullo_epi16(c.r, a), _mm_mullo_epi16(c.g, a), _mm_mullo_epi16(c.b, a)};
  }
  V Mix(V ca_, V d) const { return Div255(_mm_add_epi16(ca_, _mm_mullo_epi16(d, b))); }
  V operator()(V dp, V) const {
    const Rgb d = Rgb::Split(dp);
    return Rgb{Mix(ca.r, d.r), Mix(ca.g, d.g), Mix(ca.b, d.b)}.Join();
  }
};

// Runs `op` over the block eight pixels at a time. A row whose width is not a
// multiple of eight ends with its last eight pixels, worked out from the pixels
// as they were before the row was written; a row narrower than eight goes
// through a small buffer. Nothing outside the block is read or written.
template <bool kKeyed, class Op>
void RunBlock(const PixelBlock& blk, const Op& op, uint16_t key) {
  const V k = Splat(key);
  const auto one = [&](V d, V s) {
    if constexpr (kKeyed) return Select(_mm_cmpeq_epi16(s, k), d, op(d, s));
    return op(d, s);
  };
  const int w = blk.width, whole = w - w % kLanes;
  for (int y = 0; y < blk.rows; ++y) {
    uint16_t* d = blk.dst + static_cast<std::ptrdiff_t>(y) * blk.dpitch;
    const uint16_t* s = blk.src + static_cast<std::ptrdiff_t>(y) * blk.spitch;
    if (w < kLanes) {
      uint16_t td[kLanes] = {}, ts[kLanes] = {};
      std::copy(d, d + w, td);
      std::copy(s, s + w, ts);
      Store(td, one(Load(td), Load(ts)));
      std::copy(td, td + w, d);
      continue;
    }
    V last{};
    if (whole != w) last = one(Load(d + w - kLanes), Load(s + w - kLanes));
    for (int i = 0; i < whole; i += kLanes) Store(d + i, one(Load(d + i), Load(s + i)));
    if (whole != w) Store(d + w - kLanes, last);
  }
}

template <class Op>
void RunKind(const PixelBlock& b, int alpha, bool keyed, uint16_t key) {
  const Op op(alpha);
  if (keyed) {
    RunBlock<true>(b, op, key);
  } else {
    RunBlock<false>(b, op, key);
  }
}

}  // namespace

void BlendBlock(BlendKind kind, const PixelBlock& b, int alpha, bool keyed, uint16_t key) {
  switch (kind) {
    case BlendKind::kCopy:
      return RunKind<CopyRow>(b, alpha, keyed, key);
    case BlendKind::kAdd:
      return RunKind<AddRow>(b, alpha, keyed, key);
    case BlendKind::kSub:
      return RunKind<SubRow>(b, alpha, keyed, key);
    case BlendKind::kAlpha:
      return RunKind<AlphaRow>(b, alpha, keyed, key);
  }
}

void FillAlphaBlock(const PixelBlock& b, uint16_t colour, int alpha) {
  PixelBlock onto = b;
  onto.src = b.dst;  // the loop's source operand, never used: the colour is the source
  onto.spitch = b.dpitch;
  RunBlock<false>(onto, FillAlphaRow(colour, alpha), 0);
}

}  // namespace gp::sse2

#endif  // __SSE2__
