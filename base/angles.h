#pragma once
// Byte angles (256 steps per turn, 0 = +x, 64 = +y down the screen), the cosine
// table, and the integer distance and shape tests every area and ball uses.
// Positions are rounded to integers with halves to even before these tests.

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace gp {

// Nearest integer, halves to even (the processor's default rounding).
inline int32_t RoundInt(double v) {
  const double r = std::nearbyint(v);
  if (!(r >= -2147483648.0)) return std::numeric_limits<int32_t>::min();  // also NaN
  if (r > 2147483647.0) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(r);
}

// Table entry i = cos(2*pi*i/256), formed in extended precision.
extern const std::array<double, 256> kCosTable;

inline double ByteCos(int32_t a) {
  return kCosTable[a & 255];
}
inline double ByteSin(int32_t a) {
  return kCosTable[(a + 192) & 255];
}

int32_t Dist(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Vertical difference counted double: circles on the course are ellipses.
int32_t FlatDist(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Direction in which point 1 lies as seen from point 2, 0..255.
int32_t AngleTo(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
int32_t AngleOfVector(double vx, double vy);
// Point p inside the quadrilateral 1-2-3-4 (edges included, either winding, convex).
bool InQuad(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
            int32_t y4, int32_t px, int32_t py);
// Point p within the band of half-width 4 around segment 1-2, or within 4 of an end.
bool NearSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t px, int32_t py);

// Whether (x, y) lies inside or on the convex quadrilateral with corners
// (xs[i], ys[i]) taken in order, either way round. For the tools; the game's
// own test is InQuad.
bool InConvexQuad(const double xs[4], const double ys[4], double x, double y);
// a and 255, folded onto 0..128.
int32_t FoldHalfTurn(int32_t a);

}  // namespace gp
