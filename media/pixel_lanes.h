#pragma once
// Eight 16-bit lanes handled as one value: the building blocks of the blending
// row loops, once in plain C++ (any machine) and once in SSE2 (every x86-64).
// Both give the same bits for the same operations; values are unsigned.

#include <algorithm>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace gp::lanes {

constexpr int kLanes = 8;

// Plain C++: each operation a loop over the eight lanes (compilers vectorise
// most of them where the machine allows).
struct Portable {
  struct V {
    uint16_t l[kLanes];
  };

  template <typename F>
  static V Each(const V& a, const V& b, F f) {
    V r;
    for (int i = 0; i < kLanes; ++i) r.l[i] = static_cast<uint16_t>(f(a.l[i], b.l[i]));
    return r;
  }

  static V Load(const uint16_t* p) {
    V r;
    std::memcpy(r.l, p, sizeof r.l);
    return r;
  }
  static void Store(uint16_t* p, const V& a) { std::memcpy(p, a.l, sizeof a.l); }
  static V Splat(uint16_t x) {
    V r;
    std::fill(r.l, r.l + kLanes, x);
    return r;
  }
  static V And(V a, V b) {
    return Each(a, b, [](unsigned x, unsigned y) { return x & y; });
  }
  static V Or(V a, V b) {
    return Each(a, b, [](unsigned x, unsigned y) { return x | y; });
  }
  static V Add(V a, V b) {
    return Each(a, b, [](unsigned x, unsigned y) { return x + y; });
  }
  // a - b, 0 where b > a.
  static V SubSat(V a, V b) {
    return Each(a, b, [](unsigned x, unsigned y) { return x > y ? x - y : 0; });
  }
  static V Min(V a, V b) {
    return Each(a, b, [](unsigned x, unsigned y) { return std::min(x, y); });
  }
  static V MulLo(V a, V b) {
    return Each(a, b, [](unsigned x, unsigned y) { return x * y; });
  }
  // The high 16 bits of the 32-bit product.
  static V MulHi(V a, V b) {
    return Each(a, b, [](unsigned x, unsigned y) { return x * y >> 16; });
  }
  // All ones where a == b, else zero.
  static V Eq(V a, V b) {
    return Each(a, b, [](unsigned x, unsigned y) { return x == y ? 0xFFFF : 0; });
  }
  // Lanes of `a` where `mask` is all ones, of `b` where it is zero.
  static V Select(V mask, V a, V b) {
    V r;
    for (int i = 0; i < kLanes; ++i)
      r.l[i] = static_cast<uint16_t>((mask.l[i] & a.l[i]) | (~mask.l[i] & b.l[i]));
    return r;
  }
  template <int n>
  static V Shr(V a) {
    return Each(a, a, [](unsigned x, unsigned) { return x >> n; });
  }
  template <int n>
  static V Shl(V a) {
    return Each(a, a, [](unsigned x, unsigned) { return x << n; });
  }
};

#ifdef __SSE2__
struct Sse2 {
  using V = __m128i;

  static V Load(const uint16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
  static void Store(uint16_t* p, V a) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), a); }
  static V Splat(uint16_t x) { return _mm_set1_epi16(static_cast<short>(x)); }
  static V And(V a, V b) { return _mm_and_si128(a, b); }
  static V Or(V a, V b) { return _mm_or_si128(a, b); }
  static V Add(V a, V b) { return _mm_add_epi16(a, b); }
  static V SubSat(V a, V b) { return _mm_subs_epu16(a, b); }
  // Signed compare: right for the channel values it is used on (below 0x8000).
  static V Min(V a, V b) { return _mm_min_epi16(a, b); }
  static V MulLo(V a, V b) { return _mm_mullo_epi16(a, b); }
  static V MulHi(V a, V b) { return _mm_mulhi_epu16(a, b); }
  static V Eq(V a, V b) { return _mm_cmpeq_epi16(a, b); }
  static V Select(V mask, V a, V b) {
    return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
  }
  template <int n>
  static V Shr(V a) {
    return _mm_srli_epi16(a, n);
  }
  template <int n>
  static V Shl(V a) {
    return _mm_slli_epi16(a, n);
  }
};
#endif

}  // namespace gp::lanes
