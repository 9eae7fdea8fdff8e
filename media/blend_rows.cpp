#include "media/blend_rows.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "media/pixel_lanes.h"

namespace gp {

namespace {

using lanes::kLanes;

// The three channels of eight pixels, each in its own lanes: red 0..31,
// green 0..63, blue 0..31.
template <class L>
struct Rgb {
  using V = typename L::V;
  V r, g, b;

  static Rgb Split(V p) {
    return {L::template Shr<11>(p), L::And(L::template Shr<5>(p), L::Splat(63)),
            L::And(p, L::Splat(31))};
  }
  V Join() const { return L::Or(L::Or(L::template Shl<11>(r), L::template Shl<5>(g)), b); }
};

// x / 255 rounded down, exact for every 16-bit x: x * 0x8081 >> 23.
template <class L>
typename L::V Div255(typename L::V x) {
  return L::template Shr<7>(L::MulHi(x, L::Splat(0x8081)));
}

template <class L>
struct CopyRow {
  using V = typename L::V;
  explicit CopyRow(int) {}
  V operator()(V, V s) const { return s; }
};

// Source channels times four, for ScaledBy: red, green and blue each 0..252.
template <class L>
Rgb<L> SplitTimesFour(typename L::V p) {
  return {L::And(L::template Shr<9>(p), L::Splat(31 << 2)),
          L::And(L::template Shr<3>(p), L::Splat(63 << 2)),
          L::And(L::template Shl<2>(p), L::Splat(31 << 2))};
}

// c * alpha / 255 rounded down for channels c = 0..63, from c * 4: the high half
// of c * 4 * m with m = ceil(alpha * 16384 / 255). Exact: the excess of m adds
// less than 63 / 16384 to a quotient whose fraction is at most 254/255.
template <class L>
struct ScaledBy {
  typename L::V m;
  explicit ScaledBy(int alpha) : m(L::Splat(static_cast<uint16_t>((alpha * 16384 + 254) / 255))) {}
  typename L::V operator()(typename L::V c4) const { return L::MulHi(c4, m); }
};

template <class L>
struct AddRow {
  using V = typename L::V;
  ScaledBy<L> scaled;
  explicit AddRow(int alpha) : scaled(alpha) {}
  V operator()(V dp, V sp) const {
    const Rgb<L> d = Rgb<L>::Split(dp), s = SplitTimesFour<L>(sp);
    const V max5 = L::Splat(31), max6 = L::Splat(63);
    return Rgb<L>{L::Min(L::Add(d.r, scaled(s.r)), max5), L::Min(L::Add(d.g, scaled(s.g)), max6),
                  L::Min(L::Add(d.b, scaled(s.b)), max5)}
        .Join();
  }
};

template <class L>
struct SubRow {
  using V = typename L::V;
  ScaledBy<L> scaled;
  explicit SubRow(int alpha) : scaled(alpha) {}
  V operator()(V dp, V sp) const {
    const Rgb<L> d = Rgb<L>::Split(dp), s = SplitTimesFour<L>(sp);
    return Rgb<L>{L::SubSat(d.r, scaled(s.r)), L::SubSat(d.g, scaled(s.g)),
                  L::SubSat(d.b, scaled(s.b))}
        .Join();
  }
};

template <class L>
struct AlphaRow {
  using V = typename L::V;
  V a, b;
  explicit AlphaRow(int alpha)
      : a(L::Splat(static_cast<uint16_t>(alpha))),
        b(L::Splat(static_cast<uint16_t>(255 - alpha))) {}
  V Mix(V s, V d) const { return Div255<L>(L::Add(L::MulLo(s, a), L::MulLo(d, b))); }
  V operator()(V dp, V sp) const {
    const Rgb<L> d = Rgb<L>::Split(dp), s = Rgb<L>::Split(sp);
    return Rgb<L>{Mix(s.r, d.r), Mix(s.g, d.g), Mix(s.b, d.b)}.Join();
  }
};

// One colour mixed in: its channels times alpha are the same for every pixel.
template <class L>
struct FillAlphaRow {
  using V = typename L::V;
  V b;
  Rgb<L> ca;
  FillAlphaRow(uint16_t colour, int alpha) : b(L::Splat(static_cast<uint16_t>(255 - alpha))) {
    const Rgb<L> c = Rgb<L>::Split(L::Splat(colour));
    const V a = L::Splat(static_cast<uint16_t>(alpha));
    ca = {L::MulLo(c.r, a), L::MulLo(c.g, a), L::MulLo(c.b, a)};
  }
  V Mix(V ca_, V d) const { return Div255<L>(L::Add(ca_, L::MulLo(d, b))); }
  V operator()(V dp, V) const {
    const Rgb<L> d = Rgb<L>::Split(dp);
    return Rgb<L>{Mix(ca.r, d.r), Mix(ca.g, d.g), Mix(ca.b, d.b)}.Join();
  }
};

// Runs `op` over the block eight pixels at a time. A row whose width is not a
// multiple of eight ends with its last eight pixels, worked out from the pixels
// as they were before the row was written; a row narrower than eight goes
// through a small buffer. Nothing outside the block is read or written.
template <class L, bool kKeyed, class Op>
void RunBlock(const PixelBlock& blk, const Op& op, uint16_t key) {
  using V = typename L::V;
  const V k = L::Splat(key);
  const auto one = [&](V d, V s) {
    if constexpr (kKeyed) return L::Select(L::Eq(s, k), d, op(d, s));
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
      L::Store(td, one(L::Load(td), L::Load(ts)));
      std::copy(td, td + w, d);
      continue;
    }
    V last{};
    if (whole != w) last = one(L::Load(d + w - kLanes), L::Load(s + w - kLanes));
    for (int i = 0; i < whole; i += kLanes) L::Store(d + i, one(L::Load(d + i), L::Load(s + i)));
    if (whole != w) L::Store(d + w - kLanes, last);
  }
}

template <class L, template <class> class Op>
void RunKind(const PixelBlock& b, int alpha, bool keyed, uint16_t key) {
  const Op<L> op(alpha);
  if (keyed) {
    RunBlock<L, true>(b, op, key);
  } else {
    RunBlock<L, false>(b, op, key);
  }
}

template <class L>
void Blend(BlendKind kind, const PixelBlock& b, int alpha, bool keyed, uint16_t key) {
  switch (kind) {
    case BlendKind::kCopy:
      return RunKind<L, CopyRow>(b, alpha, keyed, key);
    case BlendKind::kAdd:
      return RunKind<L, AddRow>(b, alpha, keyed, key);
    case BlendKind::kSub:
      return RunKind<L, SubRow>(b, alpha, keyed, key);
    case BlendKind::kAlpha:
      return RunKind<L, AlphaRow>(b, alpha, keyed, key);
  }
}

}  // namespace

bool VectorBlendBuilt() {
#ifdef __SSE2__
  return true;
#else
  return false;
#endif
}

void BlendBlock(BlendPath path, BlendKind kind, const PixelBlock& b, int alpha, bool keyed,
                uint16_t key) {
  static_cast<void>(path);  // one path only where the build has no vector loops
  if (b.width <= 0 || b.rows <= 0) return;
  if (kind == BlendKind::kCopy && !keyed) {
    for (int y = 0; y < b.rows; ++y) {
      std::memcpy(b.dst + static_cast<std::ptrdiff_t>(y) * b.dpitch,
                  b.src + static_cast<std::ptrdiff_t>(y) * b.spitch, sizeof(uint16_t) * b.width);
    }
    return;
  }
#ifdef __SSE2__
  if (path == BlendPath::kVector) return Blend<lanes::Sse2>(kind, b, alpha, keyed, key);
#endif
  Blend<lanes::Portable>(kind, b, alpha, keyed, key);
}

void FillAlphaBlock(BlendPath path, const PixelBlock& b, uint16_t colour, int alpha) {
  static_cast<void>(path);
  if (b.width <= 0 || b.rows <= 0) return;
  PixelBlock onto = b;
  onto.src = b.dst;  // the loop's source operand, never used: the colour is the source
  onto.spitch = b.dpitch;
#ifdef __SSE2__
  if (path == BlendPath::kVector) {
    return RunBlock<lanes::Sse2, false>(onto, FillAlphaRow<lanes::Sse2>(colour, alpha), 0);
  }
#endif
  RunBlock<lanes::Portable, false>(onto, FillAlphaRow<lanes::Portable>(colour, alpha), 0);
}

}  // namespace gp
