#include "base/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace gp {
namespace {

// cos(2 pi a / 256) for a = 0..64, each the double nearest the true value.
constexpr double kQuarterCosines[65] = {
    1.0, 0.9996988186962042, 0.9987954562051724, 0.9972904566786902,
    0.9951847266721969, 0.99247953459871, 0.989176509964781, 0.9852776423889412,
    0.9807852804032304, 0.9757021300385286, 0.970031253194544, 0.9637760657954398,
    0.9569403357322088, 0.9495281805930367, 0.9415440651830208, 0.9329927988347388,
    0.9238795325112867, 0.9142097557035307, 0.9039892931234433, 0.8932243011955153,
    0.881921264348355, 0.8700869911087115, 0.8577286100002721, 0.8448535652497071,
    0.8314696123025452, 0.8175848131515837, 0.8032075314806449, 0.7883464276266062,
    0.773010453362737, 0.7572088465064846, 0.7409511253549591, 0.7242470829514669,
    0.7071067811865476, 0.6895405447370669, 0.6715589548470184, 0.6531728429537768,
    0.6343932841636455, 0.6152315905806268, 0.5956993044924334, 0.5758081914178453,
    0.5555702330196022, 0.5349976198870973, 0.5141027441932218, 0.49289819222978404,
    0.47139673682599764, 0.4496113296546066, 0.4275550934302821, 0.40524131400498986,
    0.3826834323650898, 0.35989503653498817, 0.33688985339222005, 0.31368174039889146,
    0.2902846772544624, 0.26671275747489837, 0.2429801799032639, 0.2191012401568698,
    0.19509032201612828, 0.17096188876030122, 0.14673047445536175, 0.1224106751992162,
    0.0980171403295606, 0.07356456359966743, 0.049067674327418015, 0.024541228522912288,
    5.709968497124349e-62,
};

TEST(AnglesTest, CosineTableAndWrap) {
  EXPECT_EQ(ByteCos(0), 1.0);
  EXPECT_EQ(ByteCos(128), -1.0);
  EXPECT_NEAR(ByteCos(64), 0.0, 1e-17);
  EXPECT_NEAR(ByteSin(0), 0.0, 1e-17);
  EXPECT_EQ(ByteSin(64), 1.0);
  EXPECT_EQ(ByteSin(192), -1.0);
  EXPECT_EQ(ByteCos(-64), ByteCos(192));
  for (int a = 0; a < 256; ++a) {
    EXPECT_EQ(ByteCos(256 + a), ByteCos(a));
    EXPECT_EQ(ByteCos(a - 512), ByteCos(a));
    EXPECT_EQ(ByteSin(a), ByteCos(a - 64));
    // The quarter turn from the literal table; the rest by symmetry, exactly.
    const int q = a % 128 <= 64 ? a % 128 : 128 - a % 128;
    const double quarter = kQuarterCosines[q];
    const bool negative = (a % 128 > 64) != (a >= 128);
    if (q == 64) {
      EXPECT_NEAR(ByteCos(a), 0.0, 1e-17) << a;  // a quarter turn: zero to within rounding
    } else {
      EXPECT_EQ(ByteCos(a), negative ? -quarter : quarter) << a;
    }
  }
  // Extreme angles still take the low byte (two's complement).
  EXPECT_EQ(ByteCos(std::numeric_limits<int32_t>::min()), ByteCos(0));
  EXPECT_EQ(ByteCos(std::numeric_limits<int32_t>::max()), ByteCos(255));
}

TEST(AnglesTest, RoundingIsHalfToEven) {
  EXPECT_EQ(RoundInt(2.5), 2);
  EXPECT_EQ(RoundInt(3.5), 4);
  EXPECT_EQ(RoundInt(-2.5), -2);
  EXPECT_EQ(RoundInt(-0.5), 0);
  EXPECT_EQ(RoundInt(0.5000001), 1);
  EXPECT_EQ(RoundInt(1e300), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(RoundInt(-1e300), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(RoundInt(std::nan("")), std::numeric_limits<int32_t>::min());
}

TEST(AnglesTest, Distances) {
  EXPECT_EQ(Dist(0, 0, 3, 4), 5);
  EXPECT_EQ(Dist(0, 0, 1, 2), 2);  // sqrt 5 = 2.236
  EXPECT_EQ(Dist(0, 0, 1, 1), 1);  // sqrt 2 = 1.414
  EXPECT_EQ(Dist(0, 0, 2, 2), 3);  // sqrt 8 = 2.83
  EXPECT_EQ(Dist(3, 4, 0, 0), 5);
  EXPECT_EQ(FlatDist(0, 0, 3, 2), 5);
  EXPECT_EQ(FlatDist(0, 0, 0, 3), 6);
  EXPECT_EQ(FlatDist(0, 0, 17, 0), 17);
  EXPECT_EQ(FlatDist(0, 0, 0, 9), 18);
  // 32-bit inner arithmetic: 65536 squared wraps to 0; a sum past 2^31 still reads as its root.
  EXPECT_EQ(Dist(0, 0, 65536, 0), 0);
  EXPECT_EQ(Dist(0, 0, 46341, 0), 46341);
  EXPECT_EQ(FlatDist(0, 0, 0, 32768), 0);
  // Differences wrap rather than trap.
  EXPECT_GE(Dist(std::numeric_limits<int32_t>::min(), 0, std::numeric_limits<int32_t>::max(), 0),
            0);
}

TEST(AnglesTest, AngleToQuadrants) {
  EXPECT_EQ(AngleTo(1, 1, 0, 0), 32);
  EXPECT_EQ(AngleTo(-1, 1, 0, 0), 96);
  EXPECT_EQ(AngleTo(-1, -1, 0, 0), 160);
  EXPECT_EQ(AngleTo(1, -1, 0, 0), 224);
  EXPECT_EQ(AngleTo(5, 5, 5, 5), 192);
  EXPECT_EQ(AngleTo(5, 9, 5, 5), 64);
  EXPECT_EQ(AngleTo(5, 1, 5, 5), 192);
  EXPECT_EQ(AngleTo(10, 0, 0, 0), 0);
  EXPECT_EQ(AngleTo(-10, 0, 0, 0), 128);
  // Point 1 as seen from point 2.
  EXPECT_EQ(AngleTo(0, 0, 1, 1), 160);
  // Small negative dy rounds to a = 0 and stays 0, not 256.
  EXPECT_EQ(AngleTo(1000, -1, 0, 0), 0);
  // Every result is a byte.
  for (int dx = -3; dx <= 3; ++dx) {
    for (int dy = -3; dy <= 3; ++dy) {
      const int32_t a = AngleTo(dx, dy, 0, 0);
      EXPECT_GE(a, 0);
      EXPECT_LE(a, 255);
    }
  }
}

TEST(AnglesTest, AngleOfVectorRules) {
  EXPECT_EQ(AngleOfVector(1.0, 0.0), 0);
  EXPECT_EQ(AngleOfVector(-1.0, 0.0), 128);
  EXPECT_EQ(AngleOfVector(-1.0, -0.0), 128);
  EXPECT_EQ(AngleOfVector(1.0, -0.0001), 0);
  EXPECT_EQ(AngleOfVector(0.0, 0.0), 192);
  EXPECT_EQ(AngleOfVector(-0.0, 1.0), 64);
  EXPECT_EQ(AngleOfVector(0.0, -3.0), 192);
  EXPECT_EQ(AngleOfVector(-1.0, 1e-9), 128);  // case 2 with a = 0
  EXPECT_EQ(AngleOfVector(1.0, 1.0), 32);
  EXPECT_EQ(AngleOfVector(-2.0, 2.0), 96);
  EXPECT_EQ(AngleOfVector(-2.0, -2.0), 160);
  EXPECT_EQ(AngleOfVector(2.0, -2.0), 224);
  // Round trip through the table for every byte angle.
  for (int a = 0; a < 256; ++a) EXPECT_EQ(AngleOfVector(ByteCos(a) * 3, ByteSin(a) * 3), a) << a;
  // Tiny denominators and non-finite input do not misbehave.
  EXPECT_EQ(AngleOfVector(1e-300, 1e300), 64);
  const double inf = std::numeric_limits<double>::infinity();
  const int32_t odd = AngleOfVector(inf, inf);
  EXPECT_GE(odd, 0);
  EXPECT_LE(odd, 255);
}

TEST(AnglesTest, InQuadEdgesCornersAndWinding) {
  // Square 0..10 clockwise on screen, and the same corners the other way round.
  const int cw[8] = {0, 0, 10, 0, 10, 10, 0, 10};
  const int ccw[8] = {0, 0, 0, 10, 10, 10, 10, 0};
  for (const int* q : {cw, ccw}) {
    auto in = [q](int px, int py) {
      return InQuad(q[0], q[1], q[2], q[3], q[4], q[5], q[6], q[7], px, py);
    };
    EXPECT_TRUE(in(5, 5));
    EXPECT_TRUE(in(0, 5));    // on an edge
    EXPECT_TRUE(in(10, 10));  // a corner
    EXPECT_TRUE(in(0, 0));
    EXPECT_FALSE(in(11, 5));
    EXPECT_FALSE(in(5, -1));
    EXPECT_FALSE(in(-1, -1));
  }
  // A slanted quadrilateral: the diagonal edge itself is inside.
  EXPECT_TRUE(InQuad(0, 0, 10, 0, 20, 10, 0, 10, 15, 5));
  EXPECT_FALSE(InQuad(0, 0, 10, 0, 20, 10, 0, 10, 16, 5));
}

TEST(AnglesTest, NearSegmentBandAndCaps) {
  // Horizontal segment from (0,0) to (100,0).
  EXPECT_TRUE(NearSegment(0, 0, 100, 0, 50, 4));
  EXPECT_TRUE(NearSegment(0, 0, 100, 0, 50, -4));
  EXPECT_FALSE(NearSegment(0, 0, 100, 0, 50, 5));
  EXPECT_FALSE(NearSegment(0, 0, 100, 0, 50, -5));
  // Rounded caps: 4 beyond an end along the line, not 5; not the square corner.
  EXPECT_TRUE(NearSegment(0, 0, 100, 0, 104, 0));
  EXPECT_FALSE(NearSegment(0, 0, 100, 0, 105, 0));
  EXPECT_TRUE(NearSegment(0, 0, 100, 0, -3, 2));   // Dist 3.6 -> 4
  EXPECT_FALSE(NearSegment(0, 0, 100, 0, -4, 3));  // Dist 5
  // Diagonal segment: the band is perpendicular to it.
  EXPECT_TRUE(NearSegment(0, 0, 100, 100, 52, 48));
  EXPECT_FALSE(NearSegment(0, 0, 100, 100, 56, 44));
  // Ends given either way round give the same band.
  EXPECT_EQ(NearSegment(100, 100, 0, 0, 52, 48), NearSegment(0, 0, 100, 100, 52, 48));
  EXPECT_EQ(NearSegment(100, 100, 0, 0, 56, 44), NearSegment(0, 0, 100, 100, 56, 44));
}

TEST(AnglesTest, NearSegmentWithEqualEndsIsOnlyTheCap) {
  EXPECT_TRUE(NearSegment(20, 20, 20, 20, 20, 20));
  EXPECT_TRUE(NearSegment(20, 20, 20, 20, 24, 20));
  EXPECT_TRUE(NearSegment(20, 20, 20, 20, 23, 23));  // Dist 4.24 -> 4
  EXPECT_FALSE(NearSegment(20, 20, 20, 20, 25, 20));
  // Far along the same row: a collapsed band must not reach it.
  EXPECT_FALSE(NearSegment(20, 20, 20, 20, 500, 20));
  EXPECT_FALSE(NearSegment(20, 20, 20, 20, -500, 20));
}

TEST(AnglesTest, FoldHalfTurn) {
  EXPECT_EQ(FoldHalfTurn(200), 72);
  EXPECT_EQ(FoldHalfTurn(128), 128);
  EXPECT_EQ(FoldHalfTurn(129), 1);
  EXPECT_EQ(FoldHalfTurn(-1), 127);
  EXPECT_EQ(FoldHalfTurn(256), 0);
  EXPECT_EQ(FoldHalfTurn(384), 128);
}

}  // namespace
// The tools' point-in-quad test: corners either way round, points on an edge
// inside, points past any edge outside.
TEST(InConvexQuad, EitherWindingEdgesInsideOutsideOut) {
  const double xs[4] = {0, 10, 10, 0}, ys[4] = {0, 0, 10, 10};
  const double rx[4] = {0, 0, 10, 10}, ry[4] = {0, 10, 10, 0};
  for (const auto& [qx, qy] : {std::pair{xs, ys}, std::pair{rx, ry}}) {
    EXPECT_TRUE(InConvexQuad(qx, qy, 5, 5));
    EXPECT_TRUE(InConvexQuad(qx, qy, 10, 5));  // on an edge
    EXPECT_TRUE(InConvexQuad(qx, qy, 0, 0));   // on a corner
    EXPECT_FALSE(InConvexQuad(qx, qy, 10.5, 5));
    EXPECT_FALSE(InConvexQuad(qx, qy, 5, -0.1));
  }
  const double dx[4] = {5, 10, 5, 0}, dy[4] = {0, 5, 10, 5};  // a diamond
  EXPECT_TRUE(InConvexQuad(dx, dy, 5, 5));
  EXPECT_FALSE(InConvexQuad(dx, dy, 1, 1));
}

}  // namespace gp
