// Editing by mouse: what a click picks, the handles an area offers, and where
// a dragged handle lands.
#include "tools/editor/view_geometry.h"

#include <gtest/gtest.h>

#include "game/area_kind.h"

namespace gp::editor {
namespace {

constexpr const char* kPicks =
    "[area1]\nkind=23\nx1=100\ny1=100\nx2=400\ny2=100\nx3=400\ny3=300\nx4=100\ny4=300\n"  // big
    "[area2]\nkind=27\nx1=200\ny1=200\nr=20\n"  // inside it
    "[area3]\nkind=4\nx1=100\ny1=400\nx2=400\ny2=400\n";

TEST(ViewGeometry, AClickPicksTheSelectedAreaElseTheSmallest) {
  const HoleModel m(kPicks);
  EXPECT_EQ(PickArea(m, 200, 200, 0, 0), 2);  // the mine lies on the slow zone
  EXPECT_EQ(PickArea(m, 200, 200, 0, 1), 1);  // unless the slow zone is selected
  EXPECT_EQ(PickArea(m, 300, 150, 0, 0), 1);
  EXPECT_EQ(PickArea(m, 250, 403, 0, 0), 3);  // within a wall's 4-pixel band
  EXPECT_EQ(PickArea(m, 250, 409, 0, 0), 0);
  EXPECT_EQ(PickArea(m, 250, 409, 6, 0), 3);  // with the view's slack
  EXPECT_EQ(PickArea(m, 600, 600, 6, 0), 0);
  // Circles are as wide as r and half as high.
  EXPECT_EQ(PickArea(m, 219, 200, 0, 1), 1);
  EXPECT_EQ(PickArea(m, 200, 211, 0, 0), 1);
}

TEST(ViewGeometry, HandlesAreCornersRadiusAndTheKindsOwnPoints) {
  HoleModel m(kPicks);
  EXPECT_EQ(HandlesOf(m.GetArea(1)).size(), 4u);
  EXPECT_EQ(HandlesOf(m.GetArea(3)).size(), 2u);
  const auto mine = HandlesOf(m.GetArea(2));
  ASSERT_EQ(mine.size(), 2u);
  EXPECT_EQ(mine[1].type, Handle::Type::Radius);
  EXPECT_EQ(mine[1].x, 220);
  const int tele = m.Add(kTeleporter, {{500, 500}});
  std::vector<std::string> labels;
  for (const Handle& h : HandlesOf(m.GetArea(tele))) labels.push_back(h.label);
  EXPECT_EQ(labels, (std::vector<std::string>{"", "radius", "exit", "launch line start",
                                              "launch line end"}));
  // A spring without its animation offers no handle for it.
  const int spring = m.Add(kSpring, {{600, 600}});
  ASSERT_TRUE(m.SetField(spring, kFieldP1, "0"));
  EXPECT_EQ(HandlesOf(m.GetArea(spring)).size(), 2u);
}

TEST(ViewGeometry, DraggedHandlesSetTheirFields) {
  HoleModel m(kPicks);
  const auto mine = HandlesOf(m.GetArea(2));
  ASSERT_TRUE(DragHandle(m, 2, mine[1], {230, 210}));  // the radius, measured flat
  EXPECT_EQ(m.GetArea(2).r, 36);
  ASSERT_TRUE(DragHandle(m, 1, HandlesOf(m.GetArea(1))[2], {450, 350}));
  EXPECT_EQ(m.GetArea(1).x3, 450);
  EXPECT_EQ(m.GetArea(1).y3, 350);
  const int water = m.Add(kWater, {{500, 100}});
  const Handle ret = HandlesOf(m.GetArea(water)).back();
  EXPECT_EQ(ret.label, "return point");
  ASSERT_TRUE(DragHandle(m, water, ret, {480, 250}));
  EXPECT_EQ(m.GetArea(water).p1, 480);
  EXPECT_EQ(m.GetArea(water).p2, 250);
}

TEST(ViewGeometry, AWallEndKeepsToAWallSlopeAndTheKindFollows) {
  HoleModel m(kPicks);
  const auto ends = HandlesOf(m.GetArea(3));
  // Dragged up and to the right at about 45 degrees: a rising diagonal wall.
  ASSERT_TRUE(DragHandle(m, 3, ends[1], {297, 205}));
  Area a = m.GetArea(3);
  EXPECT_EQ(a.kind, kRisingDiagonalWall);
  EXPECT_EQ(a.x2 - a.x1, -(a.y2 - a.y1));
  EXPECT_EQ(FieldProblems(3, a), std::vector<std::string>{});
  // Nearly flat: horizontal again, and 1 in 2 gives a shallow wall.
  ASSERT_TRUE(DragHandle(m, 3, HandlesOf(m.GetArea(3))[1], {390, 410}));
  EXPECT_EQ(m.GetArea(3).kind, kHorizontalWall);
  EXPECT_EQ(m.GetArea(3).y2, 400);
  ASSERT_TRUE(DragHandle(m, 3, HandlesOf(m.GetArea(3))[0], {-10, 205}));
  a = m.GetArea(3);
  EXPECT_EQ(a.kind, kFallingShallowWall);
  EXPECT_EQ(FieldProblems(3, a), std::vector<std::string>{});
  int kind = 0;
  EXPECT_EQ(SnapWall({0, 0}, {3, 98}, kind).x, 0);
  EXPECT_EQ(kind, kVerticalWall);
}

TEST(ViewGeometry, CornersSnapToOtherAreasSoThatWallsMeet) {
  HoleModel m(kPicks);
  // Area 3's end dragged near area 1's corner (400, 300): a wall from
  // (100, 400) cannot reach it on a wall slope, so the slope wins.
  ASSERT_TRUE(DragHandle(m, 3, HandlesOf(m.GetArea(3))[1], {395, 296}, 8));
  EXPECT_NE(m.GetArea(3).x2, 400);
  EXPECT_NE(WallKindOf({m.GetArea(3).x1, m.GetArea(3).y1}, {m.GetArea(3).x2, m.GetArea(3).y2}), 0);
  // A new wall's end dragged near that corner lands on it: the wall meets it.
  const int wall = m.Add(kHorizontalWall, {{500, 300}, {600, 300}});
  ASSERT_TRUE(DragHandle(m, wall, HandlesOf(m.GetArea(wall))[0], {405, 303}, 8));
  EXPECT_EQ(m.GetArea(wall).x1, 400);
  EXPECT_EQ(m.GetArea(wall).y1, 300);
  EXPECT_EQ(m.GetArea(wall).kind, kHorizontalWall);
  // Dragged on down to near (400, 100)... from (600, 300) that is 45 degrees.
  ASSERT_TRUE(DragHandle(m, wall, HandlesOf(m.GetArea(wall))[0], {396, 104}, 8));
  EXPECT_EQ(m.GetArea(wall).x1, 400);
  EXPECT_EQ(m.GetArea(wall).y1, 100);
  EXPECT_EQ(m.GetArea(wall).kind, kFallingDiagonalWall);
  // A quad's corner lands on the corner near it; with no reach it does not.
  const int pad = m.Add(kJumpPad, {{500, 500}});
  ASSERT_TRUE(DragHandle(m, pad, HandlesOf(m.GetArea(pad))[0], {405, 305}, 8));
  EXPECT_EQ(m.GetArea(pad).x1, 400);
  ASSERT_TRUE(DragHandle(m, pad, HandlesOf(m.GetArea(pad))[0], {405, 305}, 0));
  EXPECT_EQ(m.GetArea(pad).x1, 405);
}

TEST(ViewGeometry, NewAreasByMouseSnapAndWallsTakeTheirSlope) {
  const HoleModel m(kPicks);
  int kind = kHorizontalWall;
  // Pressed near (400, 100), dragged down and to the right at about 45 degrees.
  const std::vector<Point> wall = NewAreaPoints(m, kind, {403, 98}, {480, 170}, 8);
  ASSERT_EQ(wall.size(), 2u);
  EXPECT_EQ(wall[0].x, 400);
  EXPECT_EQ(wall[0].y, 100);
  EXPECT_EQ(kind, kFallingDiagonalWall);
  EXPECT_EQ(wall[1].x - 400, wall[1].y - 100);
  kind = kWater;
  EXPECT_EQ(NewAreaPoints(m, kind, {600, 600}, {600, 600}, 8).size(), 1u);  // a click
  EXPECT_EQ(WallKindOf({0, 0}, {40, -20}), kRisingShallowWall);
  EXPECT_EQ(WallKindOf({0, 0}, {40, -21}), 0);
}

}  // namespace
}  // namespace gp::editor
