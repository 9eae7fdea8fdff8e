#include "media/hot_spots.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/hostile_files.h"

namespace gp {
namespace {

using Bytes = std::vector<uint8_t>;

// Little-endian pieces of hand-made stored forms, joined with +.
Bytes I(std::initializer_list<int32_t> values) {
  Bytes b;
  for (int32_t v : values)
    for (int i = 0; i < 4; ++i)
      b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> 8 * i));
  return b;
}
Bytes B(std::initializer_list<uint8_t> values) {
  return Bytes(values);
}
Bytes T(const std::string& s) {
  return Bytes(s.begin(), s.end());
}
Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Spot Shape(uint8_t shape, std::vector<int32_t> points) {
  Spot s;
  s.shape = shape;
  s.points = std::move(points);
  return s;
}

HotSpots Read(const Bytes& spots) {
  return ReadSpots(spots.data(), spots.size());
}

// The message of the error reading these bytes raises ("" for none).
std::string SpotsError(const Bytes& b) {
  try {
    Read(b);
  } catch (const HotSpotsError& e) {
    return e.what();
  }
  return "";
}

std::string MaskError(HotSpots& spots, const Bytes& b) {
  try {
    ReadMaskItems(spots, b.data(), b.size());
  } catch (const HotSpotsError& e) {
    return e.what();
  }
  return "";
}

TEST(SpotContains, RectangleEdgesAreHalfOpen) {
  const Spot r = Shape(kSpotRectangle, {10, 20, 30, 40});
  struct Case {
    int x, y;
    bool in;
  } cases[] = {{10, 20, true}, {29, 39, true},  {30, 20, false}, {10, 40, false},
               {9, 20, false}, {10, 19, false}, {29, 40, false}, {30, 39, false}};
  for (const Case& c : cases) EXPECT_EQ(r.Contains(c.x, c.y), c.in) << c.x << "," << c.y;
  EXPECT_FALSE(Shape(kSpotRectangle, {30, 20, 10, 40}).Contains(15, 25));  // inverted: empty
}

TEST(SpotContains, PolygonOfARectangleCoversTheSamePixels) {
  const Spot rect = Shape(kSpotRectangle, {3, 4, 11, 9});
  const Spot poly = Shape(kSpotPolygon, {3, 4, 11, 4, 11, 9, 3, 9});
  const Spot reversed = Shape(kSpotPolygon, {3, 9, 11, 9, 11, 4, 3, 4});
  for (int y = 0; y < 14; ++y) {
    for (int x = 0; x < 15; ++x) {
      EXPECT_EQ(poly.Contains(x, y), rect.Contains(x, y)) << x << "," << y;
      EXPECT_EQ(reversed.Contains(x, y), rect.Contains(x, y)) << x << "," << y;
    }
  }
}

TEST(SpotContains, PolygonFillsByTheEvenOddRule) {
  // A pentagram: the tips are inside, the pentagon in the middle is crossed
  // twice and so lies outside.
  const Spot star = Shape(kSpotPolygon, {50, 0, 79, 90, 2, 35, 98, 35, 21, 90});
  EXPECT_TRUE(star.Contains(50, 10));
  EXPECT_TRUE(star.Contains(10, 37));
  EXPECT_FALSE(star.Contains(50, 50));
  EXPECT_FALSE(star.Contains(50, 95));
  // A square drawn twice round is everywhere crossed an even number of times.
  const Spot twice = Shape(kSpotPolygon, {0, 0, 10, 0, 10, 10, 0, 10, 0, 0, 10, 0, 10, 10, 0, 10});
  EXPECT_FALSE(twice.Contains(5, 5));
  // A bow tie: both wings are inside, the crossing point's neighbourhood above
  // and below is not.
  const Spot bow = Shape(kSpotPolygon, {0, 0, 20, 20, 20, 0, 0, 20});
  EXPECT_TRUE(bow.Contains(3, 10));
  EXPECT_TRUE(bow.Contains(17, 10));
  EXPECT_FALSE(bow.Contains(10, 3));
  EXPECT_FALSE(bow.Contains(10, 17));
  // Fewer than three corners enclose nothing.
  EXPECT_FALSE(Shape(kSpotPolygon, {}).Contains(0, 0));
  EXPECT_FALSE(Shape(kSpotPolygon, {0, 0, 10, 10}).Contains(5, 5));
}

TEST(SpotContains, EllipseFillsItsRectangleButNotTheCorners) {
  const Spot e = Shape(kSpotEllipse, {115, 69, 182, 136});
  EXPECT_TRUE(e.Contains(148, 102));   // centre
  EXPECT_TRUE(e.Contains(115, 102));   // leftmost column, middle row
  EXPECT_TRUE(e.Contains(148, 135));   // bottom row, middle column
  EXPECT_FALSE(e.Contains(115, 69));   // corner of the rectangle
  EXPECT_FALSE(e.Contains(181, 135));  // the opposite corner
  EXPECT_FALSE(e.Contains(120, 74));   // still outside the curve
  EXPECT_FALSE(e.Contains(182, 102));  // right edge is outside, as for rectangles
  EXPECT_FALSE(Shape(kSpotEllipse, {10, 10, 10, 20}).Contains(10, 15));
  // Symmetric about both axes.
  for (int y = 69; y < 136; ++y) {
    for (int x = 115; x < 182; ++x) {
      ASSERT_EQ(e.Contains(x, y), e.Contains(296 - x, y)) << x << "," << y;
      ASSERT_EQ(e.Contains(x, y), e.Contains(x, 204 - y)) << x << "," << y;
    }
  }
}

// A row at once gives exactly what the point test gives, for every shape: corners
// on the row, horizontal edges, crossings, rows and ranges beyond the shape, and
// coordinates so large that the crossings' arithmetic rounds.
TEST(SpotContains, RowsAgreeWithThePointTest) {
  std::vector<Spot> spots = {
      Shape(kSpotPolygon, {2, 1, 12, 1, 12, 9, 2, 9}),    // rectangle
      Shape(kSpotPolygon, {0, 0, 20, 0, 0, 10, 20, 10}),  // crossed
      Shape(kSpotPolygon,
            {10, 0, 13, 7, 20, 7, 14, 11, 17, 19, 10, 14, 3, 19, 6, 11, 0, 7, 7, 7}),  // star
      Shape(kSpotPolygon, {5, 5}),
      Shape(kSpotPolygon, {}),
      Shape(kSpotPolygon, {1, 1, 9, 9}),
      Shape(kSpotRectangle, {3, 2, 9, 7}),
      Shape(kSpotEllipse, {0, 0, 17, 11}),
  };
  uint32_t seed = 77;
  auto next = [&seed](int n) {
    return static_cast<int32_t>((seed = seed * 1103515245u + 12345u) >> 8) % n;
  };
  for (int k = 0; k < 40; ++k) {  // random polygons, many self-crossing
    std::vector<int32_t> p;
    for (int c = 3 + next(9); c > 0; --c) p.insert(p.end(), {next(24) - 2, next(16) - 2});
    spots.push_back(Shape(kSpotPolygon, p));
  }
  for (const Spot& s : spots) {
    for (int64_t y = -3; y < 22; ++y) {
      uint8_t row[40];
      s.RowInside(y, -5, 35, row);
      for (int64_t x = -5; x < 35; ++x) {
        ASSERT_EQ(row[x + 5] != 0, s.Contains(x, y)) << "x " << x << " y " << y;
      }
    }
  }
  // Corners near the 32-bit limits: the point test's rounding is followed exactly.
  const Spot huge = Shape(kSpotPolygon, {-2000000000, -1999999999, 2000000000, 3, 7, 2000000000});
  for (int64_t y = -10; y < 10; ++y) {
    uint8_t row[64];
    huge.RowInside(y, -32, 32, row);
    for (int64_t x = -32; x < 32; ++x) ASSERT_EQ(row[x + 32] != 0, huge.Contains(x, y)) << x;
  }
}

TEST(HotSpotsList, FirstEnabledSpotInListOrderWins) {
  HotSpots spots;
  spots.items = {Shape(kSpotRectangle, {0, 0, 20, 20}), Shape(kSpotRectangle, {10, 10, 30, 30})};
  EXPECT_EQ(spots.SpotAt(15, 15), 0);
  EXPECT_EQ(spots.SpotAt(25, 25), 1);
  EXPECT_EQ(spots.SpotAt(35, 35), -1);
  spots.items[0].enabled = false;
  EXPECT_EQ(spots.SpotAt(15, 15), 1);
  EXPECT_EQ(spots.SpotAt(5, 5), -1);
}

TEST(LauncherSpotsTable, MatchesTheMenuPicture) {
  const HotSpots spots = LauncherSpots();
  ASSERT_EQ(spots.Count(), 5);
  const uint8_t shapes[5] = {kSpotEllipse, kSpotPolygon, kSpotPolygon, kSpotPolygon, kSpotEllipse};
  const HotRect boxes[5] = {{115, 69, 182, 136},
                            {173, 69, 292, 88},
                            {187, 91, 286, 109},
                            {176, 111, 259, 131},
                            {312, 84, 377, 128}};
  const size_t corners[5] = {0, 6, 5, 7, 0};
  for (int i = 0; i < 5; ++i) {
    const Spot& s = spots.items[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(s.tag, i + 1);
    EXPECT_EQ(s.shape, shapes[i]);
    EXPECT_TRUE(s.enabled);
    EXPECT_EQ(s.hint, "");
    EXPECT_EQ(s.Bounds(), boxes[i]);
    if (s.shape == kSpotPolygon) {
      EXPECT_EQ(s.points.size(), 2 * corners[i]);
    }
    ASSERT_TRUE(s.mask.has_value());
    EXPECT_EQ(s.mask->states, 1);
    EXPECT_EQ(s.mask->points[0], boxes[i].left);
    EXPECT_EQ(s.mask->points[1], boxes[i].top);
  }
  EXPECT_EQ(spots.items[1].points,
            (std::vector<int32_t>{173, 71, 187, 88, 288, 88, 292, 79, 284, 72, 191, 69}));
  // One point well inside each spot, and the top left of spot 0's box.
  EXPECT_EQ(spots.SpotAt(148, 102), 0);
  EXPECT_EQ(spots.SpotAt(230, 80), 1);
  EXPECT_EQ(spots.SpotAt(230, 100), 2);
  EXPECT_EQ(spots.SpotAt(220, 118), 3);
  EXPECT_EQ(spots.SpotAt(344, 106), 4);  // the ringed planet: the records
  EXPECT_EQ(spots.SpotAt(312, 84), -1);
  EXPECT_EQ(spots.SpotAt(115, 69), -1);
}

TEST(SpotsBytes, WrittenLayoutIsExact) {
  HotSpots spots;
  spots.items = {Shape(kSpotRectangle, {1, 2, 3, 4}), Shape(kSpotPolygon, {5, 6, 7, 8})};
  spots.items[0].tag = 0x01020304;
  spots.items[0].hint = "Go";
  spots.items[1].enabled = false;
  const Bytes want = I({0, 2}) +  // header
                     B({1}) + I({0x01020304}) + B({1}) + I({2}) + T("Go") + I({1, 2, 3, 4}) +
                     B({0}) + I({0}) + B({0}) + I({0}) + I({2, 5, 6, 7, 8});
  EXPECT_EQ(WriteSpots(spots), want);

  spots.items[0].mask = MaskItem{2, {9, 10, 11, 12}};
  const Bytes mask = I({16, 1, 0}) + B({2}) + I({9, 10, 11, 12});
  EXPECT_EQ(WriteMaskItems(spots), mask);
}

TEST(SpotsBytes, OlderLayoutHoldsPolygonsWithoutShapeBytes) {
  const Bytes old = I({2}) +  // spot count in place of the 0 marker
                    I({7}) + B({1}) + I({2}) + T("hi") + I({3, 0, 0, 10, 0, 0, 10}) +  // spot 0
                    I({8}) + B({0}) + I({0}) + I({0});                                 // spot 1
  const HotSpots spots = Read(old);
  ASSERT_EQ(spots.Count(), 2);
  EXPECT_EQ(spots.items[0].shape, kSpotPolygon);
  EXPECT_EQ(spots.items[0].tag, 7);
  EXPECT_EQ(spots.items[0].hint, "hi");
  EXPECT_EQ(spots.items[0].points, (std::vector<int32_t>{0, 0, 10, 0, 0, 10}));
  EXPECT_FALSE(spots.items[1].enabled);
  EXPECT_TRUE(spots.items[1].points.empty());
  // Written back in the current layout, it reads the same.
  const Bytes again = WriteSpots(spots);
  EXPECT_EQ(again[0], 0);
  EXPECT_EQ(Read(again), spots);
}

TEST(SpotsBytes, RoundTripKeepsEverything) {
  HotSpots spots = LauncherSpots();
  spots.items.push_back(Shape(kSpotRectangle, {-5, -6, 7, 8}));
  spots.items.back().hint = "Caf\xe9 \"quit\"";
  spots.items.back().enabled = false;
  spots.items.back().tag = -12345;
  spots.items.back().mask = MaskItem{3, {1, 2, 3, 4}};
  spots.items.push_back(Shape(kSpotPolygon, {}));
  spots.items.back().mask = MaskItem{2, {0, 0, INT32_MIN, INT32_MAX}};
  const Bytes s = WriteSpots(spots), m = WriteMaskItems(spots);
  HotSpots again = Read(s);
  ReadMaskItems(again, m.data(), m.size());
  EXPECT_EQ(again, spots);
  EXPECT_EQ(Read(WriteSpots(HotSpots{})), HotSpots{});
}

TEST(MaskItemsBytes, RecordSizeStateBitsAndStrayItems) {
  HotSpots spots;
  spots.items = {Shape(kSpotRectangle, {0, 0, 1, 1}), Shape(kSpotRectangle, {0, 0, 1, 1}),
                 Shape(kSpotRectangle, {0, 0, 1, 1}), Shape(kSpotRectangle, {0, 0, 1, 1})};
  spots.items[3].mask = MaskItem{1, {}};  // replaced: not named below
  // Record size 6: x0 whole, the low two bytes of y0, the rest 0.
  Bytes b = I({6, 6}) +                                               // record size, item count
            I({-1}) +                                                 // ends at once
            I({0}) + B({0xFF}) + I({0x11223344}) + B({0x66, 0x55}) +  // bits beyond 1 cleared
            I({1}) + B({0xFC}) + I({1}) + B({2, 0}) +                 // no state left: no mask item
            I({99}) + B({1}) + I({7}) + B({7, 0}) +                   // beyond the list: ignored
            I({-7}) +                                                 // ends at once
            I({2}) + B({2}) + I({-3}) + B({0xFF, 0xFF});
  ReadMaskItems(spots, b.data(), b.size());
  ASSERT_TRUE(spots.items[0].mask.has_value());
  EXPECT_EQ(*spots.items[0].mask, (MaskItem{3, {0x11223344, 0x5566, 0, 0}}));
  EXPECT_FALSE(spots.items[1].mask.has_value());
  ASSERT_TRUE(spots.items[2].mask.has_value());
  EXPECT_EQ(*spots.items[2].mask, (MaskItem{2, {-3, 0xFFFF, 0, 0}}));
  EXPECT_FALSE(spots.items[3].mask.has_value());

  // Record size 20: four bytes after the points are skipped.
  b = I({20, 2}) + I({0}) + B({1}) + I({1, 2, 3, 4}) + I({-1}) + I({0}) + B({0}) +
      I({0, 0, 0, 0, 0});  // empty state set: spot 0 loses its item
  ReadMaskItems(spots, b.data(), b.size());
  EXPECT_FALSE(spots.items[0].mask.has_value());
  b = I({20, 1}) + I({1}) + B({1}) + I({1, 2, 3, 4}) + I({-1});
  ReadMaskItems(spots, b.data(), b.size());
  EXPECT_EQ(*spots.items[1].mask, (MaskItem{1, {1, 2, 3, 4}}));

  // No bytes: no mask items.
  ReadMaskItems(spots, nullptr, 0);
  for (const Spot& s : spots.items) EXPECT_FALSE(s.mask.has_value());
}

TEST(SpotsBytes, BadBytesGiveClearErrors) {
  const Bytes rect = B({1}) + I({1}) + B({1}) + I({0, 0, 0, 9, 9});
  struct Case {
    Bytes bytes;
    const char* message;
  } cases[] = {
      {{0, 0, 0}, "truncated at byte 0 (format"},
      {I({0}), "(spot count"},
      {I({0, -1}), "spot count -1 is negative"},
      {I({-3}), "spot count -3 is negative"},  // older layout
      {I({0, INT32_MAX}), "spot count 2147483647 does not fit in the 0 bytes"},
      {I({0x10000000}) + T(std::string(64, 'x')), "does not fit in the 64 bytes"},
      {I({0, 2}) + rect, "does not fit"},
      {I({0, 1}) + Bytes(rect.begin(), rect.end() - 1), "truncated at byte"},
      {I({0, 1}) + B({3}) + I({0}) + B({1}) + I({0, 0}), "spot 0 has unknown shape 3"},
      {I({0, 1}) + B({0}) + I({0}) + B({1}) + I({-1, 0}), "hint length -1 is negative"},
      {I({0, 1}) + B({0}) + I({0}) + B({1}) + I({100, 0}) + T("ab"),
       "hint length 100 does not fit"},
      {I({0, 1}) + B({0}) + I({0}) + B({1}) + I({0, -2}), "corner count -2 is negative"},
      {I({0, 1}) + B({0}) + I({0}) + B({1}) + I({0, INT32_MAX, 1, 2}),
       "corner count 2147483647 does not fit"},
      {I({0, 1}) + B({0}) + I({0}) + B({1}) + I({0, 1, 5}), "corner count 1 does not fit"},
      // A comb of 20 000 corners (156 KB): refused before a hover would have to walk it.
      {test::ManyCornerSpots(20000), "spot 0 has 20000 corners, more than 1024"},
      {test::ManyCornerSpots(1025), "spot 0 has 1025 corners, more than 1024"},
  };
  for (const Case& c : cases) {
    const std::string e = SpotsError(c.bytes);
    EXPECT_NE(e.find("Spots: "), std::string::npos) << e;
    EXPECT_NE(e.find(c.message), std::string::npos) << "got: " << e << "\nwant: " << c.message;
  }
}

TEST(MaskItemsBytes, BadBytesGiveClearErrorsAndChangeNothing) {
  HotSpots spots = LauncherSpots();
  const HotSpots before = spots;
  struct Case {
    Bytes bytes;
    const char* message;
  } cases[] = {
      {{16, 0}, "truncated at byte 0 (record size"},
      {I({-16, 0}), "record size -16 is negative"},
      {I({16, -1}), "item count -1 is negative"},
      {I({16, INT32_MAX, -1}), "item count 2147483647 does not fit"},
      {I({16, 1, 0}), "(state set"},
      {I({16, 1, 0}) + B({1}) + I({1}), "(state points: 16 bytes wanted, 4 left)"},
      {I({INT32_MAX, 1, 0}) + B({1}) + T(std::string(16, 'x')), "(state points"},
      {I({16, 2, 1}) + B({1}) + I({1, 2, 3, 4}), "(spot number"},
  };
  for (const Case& c : cases) {
    const std::string e = MaskError(spots, c.bytes);
    EXPECT_NE(e.find("MaskItems: "), std::string::npos) << e;
    EXPECT_NE(e.find(c.message), std::string::npos) << "got: " << e << "\nwant: " << c.message;
    EXPECT_EQ(spots, before);
  }
  // An empty list takes just its header, whatever the record size.
  const Bytes empty = I({1000, 0});
  EXPECT_EQ(MaskError(spots, empty), "");
}

TEST(SpotsBytes, WriterRefusesSpotsTheFormCannotHold) {
  const Spot bad[] = {Shape(3, {0, 0, 1, 1}), Shape(kSpotRectangle, {0, 0, 1}),
                      Shape(kSpotEllipse, {}), Shape(kSpotPolygon, {1, 2, 3}),
                      Shape(kSpotPolygon, std::vector<int32_t>(2 * (kMaxSpotCorners + 1), 0))};
  EXPECT_EQ(Read(test::ManyCornerSpots(1024)).items.at(0).points.size(), 2048u);
  for (const Spot& s : bad) {
    HotSpots spots;
    spots.items = {s};
    EXPECT_THROW(WriteSpots(spots), HotSpotsError);
  }
}

}  // namespace
}  // namespace gp
