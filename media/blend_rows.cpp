#include "media/blend_rows.h"

#include <cstddef>
#include <cstring>

#include "media/blend_rows_sse2.h"

namespace gp {

namespace {

// The plain C++ loops: one pixel at a time, its three channels side by side in
// 16-bit fields of one 64-bit word (blue bits 0-15, green 16-31, red 32-47), so
// that one multiplication scales all three. No field ever carries into the next.
constexpr uint64_t kOnes = 0x0000'0001'0001'0001;                // 1 in each field
constexpr uint64_t kTops = kOnes << 15;                          // bit 15 of each field
constexpr uint64_t kMaxima = 31ull << 32 | 63ull << 16 | 31ull;  // of red, green, blue

uint64_t Spread(uint16_t p) {
  const uint64_t v = p;
  return (v >> 11) << 32 | ((v >> 5) & 63) << 16 | (v & 31);
}

uint16_t Join(uint64_t x) {
  return static_cast<uint16_t>((x >> 32) << 11 | ((x >> 16) & 0xFFFF) << 5 | (x & 0xFFFF));
}

// Each field x / 255 rounded down: (x + 1 + (x >> 8)) >> 8, exact below 65535.
uint64_t Div255(uint64_t x) {
  return ((x + kOnes + ((x >> 8) & kOnes * 0xFF)) >> 8) & kOnes * 0xFF;
}

// All ones in each field whose bit 15 is set in `tops`, zero elsewhere.
uint64_t FieldMask(uint64_t tops) {
  return ((tops & kTops) >> 15) * 0xFFFF;
}

struct CopyPixel {
  explicit CopyPixel(int) {}
  uint16_t operator()(uint16_t, uint16_t s) const { return s; }
};

struct AddPixel {
  uint64_t a;
  explicit AddPixel(int alpha) : a(static_cast<uint64_t>(alpha)) {}
  uint16_t operator()(uint16_t d, uint16_t s) const {
    const uint64_t v = Spread(d) + Div255(Spread(s) * a);            // each field at most 126
    const uint64_t over = FieldMask(v + (kTops - kMaxima - kOnes));  // fields above their maximum
    return Join((v & ~over) | (kMaxima & over));
  }
};

struct SubPixel {
  uint64_t a;
  explicit SubPixel(int alpha) : a(static_cast<uint64_t>(alpha)) {}
  uint16_t operator()(uint16_t d, uint16_t s) const {
    const uint64_t v = (Spread(d) | kTops) - Div255(Spread(s) * a);  // bit 15 kept: d >= t
    return Join(v & FieldMask(v) & ~kTops);
  }
};

struct AlphaPixel {
  uint64_t a, b;
  explicit AlphaPixel(int alpha)
      : a(static_cast<uint64_t>(alpha)), b(static_cast<uint64_t>(255 - alpha)) {}
  uint16_t operator()(uint16_t d, uint16_t s) const {
    return Join(Div255(Spread(s) * a + Spread(d) * b));
  }
};

struct FillAlphaPixel {
  uint64_t ca, b;  // the colour's channels times alpha; 255 - alpha
  FillAlphaPixel(uint16_t colour, int alpha)
      : ca(Spread(colour) * static_cast<uint64_t>(alpha)), b(static_cast<uint64_t>(255 - alpha)) {}
  uint16_t operator()(uint16_t d, uint16_t) const { return Join(Div255(ca + Spread(d) * b)); }
};

template <bool kKeyed, class Op>
void RunPixels(const PixelBlock& blk, const Op& op, uint16_t key) {
  for (int y = 0; y < blk.rows; ++y) {
    uint16_t* d = blk.dst + static_cast<std::ptrdiff_t>(y) * blk.dpitch;
    const uint16_t* s = blk.src + static_cast<std::ptrdiff_t>(y) * blk.spitch;
    for (int i = 0; i < blk.width; ++i) {
      if (!kKeyed || s[i] != key) d[i] = op(d[i], s[i]);
    }
  }
}

template <class Op>
void RunKind(const PixelBlock& b, int alpha, bool keyed, uint16_t key) {
  const Op op(alpha);
  if (keyed) {
    RunPixels<true>(b, op, key);
  } else {
    RunPixels<false>(b, op, key);
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
  if (path == BlendPath::kVector) return sse2::BlendBlock(kind, b, alpha, keyed, key);
#endif
  switch (kind) {
    case BlendKind::kCopy:
      return RunKind<CopyPixel>(b, alpha, keyed, key);
    case BlendKind::kAdd:
      return RunKind<AddPixel>(b, alpha, keyed, key);
    case BlendKind::kSub:
      return RunKind<SubPixel>(b, alpha, keyed, key);
    case BlendKind::kAlpha:
      return RunKind<AlphaPixel>(b, alpha, keyed, key);
  }
}

void FillAlphaBlock(BlendPath path, const PixelBlock& b, uint16_t colour, int alpha) {
  static_cast<void>(path);
  if (b.width <= 0 || b.rows <= 0) return;
#ifdef __SSE2__
  if (path == BlendPath::kVector) return sse2::FillAlphaBlock(b, colour, alpha);
#endif
  PixelBlock onto = b;
  onto.src = b.dst;  // the loop's source operand, never used: the colour is the source
  onto.spitch = b.dpitch;
  RunPixels<false>(onto, FillAlphaPixel(colour, alpha), 0);
}

}  // namespace gp
