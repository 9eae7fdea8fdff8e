#include "base/angles.h"

#include <algorithm>
#include <array>

namespace gp {

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr long double kToByte = 40.743665431525205957L;  // 128 / pi

std::array<double, 256> MakeCosTable() {
  std::array<double, 256> t{};
  for (int i = 0; i < 256; ++i) {
    const long double q = static_cast<long double>(i) / 256.0L;
    t[i] = static_cast<double>(std::cos(2.0L * kPi * q));
  }
  return t;
}

// 32-bit signed arithmetic that wraps like the machine does instead of being undefined.
int32_t Sub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
int32_t Add(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t Mul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

int32_t RoundedRoot(int32_t sum) {
  // A wrapped (negative) sum only comes from absurd coordinates; read it unsigned.
  const double v =
      sum >= 0 ? static_cast<double>(sum) : static_cast<double>(static_cast<uint32_t>(sum));
  return RoundInt(std::sqrt(v));
}

// The shared rule of AngleTo and AngleOfVector.
template <typename T>
int32_t ByteAngle(T dx, T dy) {
  if (dx == 0) return dy > 0 ? 64 : 192;
  const long double q = static_cast<long double>(dy) / static_cast<long double>(dx);
  const long double raw = std::atan(q) * kToByte;  // within -64..64, NaN for inf/inf
  int32_t a = std::isnan(raw) ? 0 : static_cast<int32_t>(std::nearbyint(raw));
  if (a < 0) a = -a;
  if (dx < 0 && dy > 0) return 128 - a;
  if (dx < 0) return 128 + a;
  if (dy < 0) return (0 - a) & 255;
  return a;
}

}  // namespace

const std::array<double, 256> kCosTable = MakeCosTable();

int32_t Dist(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const int32_t dx = Sub(x1, x2), dy = Sub(y1, y2);
  return RoundedRoot(Add(Mul(dx, dx), Mul(dy, dy)));
}

int32_t FlatDist(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const int32_t dx = Sub(x1, x2), dy = Mul(2, Sub(y1, y2));
  return RoundedRoot(Add(Mul(dx, dx), Mul(dy, dy)));
}

int32_t AngleTo(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  return ByteAngle<int32_t>(Sub(x1, x2), Sub(y1, y2));
}

int32_t AngleOfVector(double vx, double vy) {
  if (std::isnan(vx) || std::isnan(vy)) return 192;
  return ByteAngle<double>(vx, vy);
}

bool InQuad(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
            int32_t y4, int32_t px, int32_t py) {
  const int32_t xs[5] = {x1, x2, x3, x4, x1};
  const int32_t ys[5] = {y1, y2, y3, y4, y1};
  bool allPos = true, allNeg = true;
  for (int i = 0; i < 4; ++i) {
    const int32_t c = Add(Mul(Sub(ys[i], ys[i + 1]), Sub(px, xs[i + 1])),
                          Mul(Sub(xs[i + 1], xs[i]), Sub(py, ys[i + 1])));
    if (c < 0) allPos = false;
    if (c > 0) allNeg = false;
  }
  return allPos || allNeg;
}

bool NearSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t px, int32_t py) {
  // Both ends equal: the band would collapse to a line through the point and
  // accept a whole pixel row; such a segment is only its end cap.
  if (x1 == x2 && y1 == y2) return Dist(px, py, x1, y1) <= 4;
  // Every point the band or the end caps accept lies within 5 pixels of the
  // segment's bounding box: farther points are turned away without the angle.
  // (Only for coordinates small enough that the tests below cannot wrap.)
  constexpr int32_t kSafe = 11000;
  const auto small = [](int32_t v) { return v >= -kSafe && v <= kSafe; };
  if (small(x1) && small(y1) && small(x2) && small(y2) && small(px) && small(py) &&
      (px < std::min(x1, x2) - 5 || px > std::max(x1, x2) + 5 || py < std::min(y1, y2) - 5 ||
       py > std::max(y1, y2) + 5)) {
    return false;
  }
  const int32_t g = AngleTo(x1, y1, x2, y2);
  const int32_t ox = RoundInt(ByteCos(g + 64) * 4);
  const int32_t oy = RoundInt(ByteSin(g + 64) * 4);
  if (InQuad(Add(x1, ox), Add(y1, oy), Add(x2, ox), Add(y2, oy), Sub(x2, ox), Sub(y2, oy),
             Sub(x1, ox), Sub(y1, oy), px, py)) {
    return true;
  }
  return Dist(px, py, x1, y1) <= 4 || Dist(px, py, x2, y2) <= 4;
}

int32_t FoldHalfTurn(int32_t a) {
  const int32_t b = a & 255;
  return b > 128 ? b - 128 : b;
}

bool InConvexQuad(const double xs[4], const double ys[4], double x, double y) {
  int sign = 0;
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    const double c = (ys[i] - ys[j]) * (x - xs[j]) + (xs[j] - xs[i]) * (y - ys[j]);
    if (c == 0) continue;
    if (sign == 0) sign = c > 0 ? 1 : -1;
    if ((c > 0 ? 1 : -1) != sign) return false;
  }
  return true;
}

}  // namespace gp
