#include "launcher/hot_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "support/hostile_files.h"

namespace gp {
namespace {

// Every pixel tells where it came from: picture (x, y) is y * 1000 + x, the
// mask picture's pixel has kMask added.
constexpr uint32_t kMask = 0xF00000;

Picture NumberedPicture(int w, int h, uint32_t base) {
  Picture p;
  p.width = w;
  p.height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.pixels.push_back(base + uint32_t(y) * 1000 + uint32_t(x));
  return p;
}

Spot Rect(int l, int t, int r, int b, uint8_t states = 1, std::vector<int32_t> mask = {}) {
  Spot s;
  s.shape = kSpotRectangle;
  s.points = {l, t, r, b};
  if (mask.empty()) mask = {l, t, 0, 0};
  s.mask = MaskItem{states, {mask[0], mask[1], mask[2], mask[3]}};
  return s;
}

// The launcher's menu image: 367 x 122 control, centred 421 x 165 picture.
struct LauncherImage : ::testing::Test {
  HotImage image;
  std::vector<int> selected;  // every OnSelectSpot, in order

  LauncherImage() {
    image.Picture = NumberedPicture(421, 165, 0);
    image.MaskPicture = NumberedPicture(421, 165, kMask);
    image.HotSpots = LauncherSpots();
    image.Center = true;
    image.Width = 367;
    image.Height = 122;
    image.OnSelectSpot = [this](int spot) { selected.push_back(spot); };
  }
  // Control point of picture point (px, py).
  static int X(int px) { return px - 27; }
  static int Y(int py) { return py - 21; }
  void MoveTo(int px, int py) { image.Move(X(px), Y(py)); }
};

TEST_F(LauncherImage, PictureIsCentredWithTruncatingDivision) {
  EXPECT_EQ(image.Destination(), (HotRect{-27, -21, 394, 144}));
  int64_t px = 0, py = 0;
  ASSERT_TRUE(image.ToPicture(88, 48, px, py));
  EXPECT_EQ(px, 115);
  EXPECT_EQ(py, 69);
  // That is the top left of spot 0's box, outside its ellipse.
  image.Move(88, 48);
  EXPECT_EQ(image.CurrentSpot(), -1);
  EXPECT_TRUE(selected.empty());
  EXPECT_EQ(image.ToControl({115, 69, 182, 136}), (HotRect{88, 48, 155, 115}));
}

TEST(HotImagePlacement, CentredTopLeftAndScaled) {
  HotImage image;
  image.Picture = NumberedPicture(40, 20, 0);
  image.Width = 101;
  image.Height = 51;
  EXPECT_EQ(image.Destination(), (HotRect{0, 0, 40, 20}));
  image.Center = true;
  EXPECT_EQ(image.Destination(), (HotRect{30, 15, 70, 35}));
  image.Scaled = true;  // wins over Center
  EXPECT_EQ(image.Destination(), (HotRect{0, 0, 101, 51}));

  // Scaled mapping rounds: 200 x 100 control over a 100 x 50 picture.
  image.Picture = NumberedPicture(100, 50, 0);
  image.Width = 200;
  image.Height = 100;
  struct Case {
    int x, y;
    int64_t px, py;
  } cases[] = {{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 3, 1, 2}, {199, 99, 100, 50}};
  for (const Case& c : cases) {
    int64_t px = -1, py = -1;
    ASSERT_TRUE(image.ToPicture(c.x, c.y, px, py));
    EXPECT_EQ(px, c.px) << c.x;
    EXPECT_EQ(py, c.py) << c.y;
  }
  EXPECT_EQ(image.ToControl({1, 1, 3, 3}), (HotRect{2, 2, 6, 6}));

  // No picture: nothing to map to, nothing hit.
  HotImage none;
  none.Width = 10;
  none.Height = 10;
  int64_t px, py;
  EXPECT_FALSE(none.ToPicture(5, 5, px, py));
}

TEST_F(LauncherImage, EachSpotEnteredRaisesSelectOnce) {
  MoveTo(230, 80);   // spot 1
  MoveTo(231, 80);   // still spot 1: nothing
  MoveTo(230, 100);  // straight onto spot 2
  EXPECT_EQ(selected, (std::vector<int>{1, 2}));
  MoveTo(300, 100);  // off every spot
  EXPECT_EQ(selected, (std::vector<int>{1, 2, -1}));
  MoveTo(148, 102);  // spot 0
  EXPECT_EQ(selected.back(), 0);
  EXPECT_TRUE(image.OverSpot());
}

TEST_F(LauncherImage, ClickPassesOnlyOnTheSpotItWentDownOn) {
  MoveTo(230, 100);
  image.Down(X(230), Y(100));
  EXPECT_EQ(image.PressedSpot(), 2);
  MoveTo(300, 100);  // dragged off spot 2
  HotClick c = image.Up(X(300), Y(100));
  EXPECT_FALSE(c.passed);

  image.Down(X(230), Y(100));  // pressed anew on spot 2 ... released on spot 3
  MoveTo(220, 118);
  EXPECT_FALSE(image.Up(X(220), Y(118)).passed);

  image.Down(X(220), Y(118));  // and on spot 3 itself
  c = image.Up(X(220), Y(118));
  EXPECT_TRUE(c.passed);
  EXPECT_EQ(c.spot, 3);

  MoveTo(300, 100);  // down on no spot, released on spot 2
  image.Down(X(300), Y(100));
  EXPECT_FALSE(image.Up(X(230), Y(100)).passed);
  EXPECT_EQ(image.CurrentSpot(), 2);  // the release still tests the point

  // With clicks anywhere, a release off the spots passes on with no spot.
  image.HotAreasOnly = false;
  image.Down(X(230), Y(100));
  c = image.Up(X(300), Y(100));
  EXPECT_TRUE(c.passed);
  EXPECT_EQ(c.spot, -1);
  // Released outside the control: no click at all.
  image.Down(X(230), Y(100));
  EXPECT_FALSE(image.Up(-5, 50).passed);
  EXPECT_EQ(image.Up(X(230), Y(100)).passed, false);  // no button held
}

TEST(HotImageHitTest, PressedSpotIsHeldWhileItContainsThePoint) {
  HotImage image;
  image.Picture = NumberedPicture(40, 40, 0);
  image.MaskPicture = NumberedPicture(40, 40, kMask);
  image.HotSpots.items = {Rect(0, 0, 20, 20), Rect(10, 10, 30, 30)};
  image.Width = image.Height = 40;
  std::vector<int> selected;
  image.OnSelectSpot = [&](int s) { selected.push_back(s); };

  image.Move(25, 25);
  image.Down(25, 25);
  image.Move(15, 15);  // in both; spot 0 comes first, but spot 1 is held
  EXPECT_EQ(image.CurrentSpot(), 1);
  image.Move(5, 5);  // off spot 1: the list decides again
  EXPECT_EQ(image.CurrentSpot(), 0);
  image.Move(15, 15);  // back on the pressed spot, which wins again
  EXPECT_EQ(image.CurrentSpot(), 1);
  const HotClick c = image.Up(15, 15);
  EXPECT_TRUE(c.passed);
  EXPECT_EQ(c.spot, 1);
  EXPECT_EQ(image.CurrentSpot(), 1);  // not tested again until the pointer moves
  image.Move(16, 16);
  EXPECT_EQ(image.CurrentSpot(), 0);
  EXPECT_EQ(selected, (std::vector<int>{1, 0, 1, 0}));
}

TEST(HotImageHighlight, FollowsPointerAndButton) {
  HotImage image;
  image.Picture = NumberedPicture(60, 40, 0);
  image.MaskPicture = NumberedPicture(60, 40, kMask);
  // Spot 0: both states, pressed art below the highlighted art.
  // Spot 1: highlighted art only, so pressed falls back to it.
  // Spot 2: pressed art only.
  image.HotSpots.items = {Rect(0, 0, 10, 10, 3, {0, 20, 0, 30}), Rect(20, 0, 30, 10, 1),
                          Rect(40, 0, 50, 10, 2, {0, 0, 40, 20})};
  image.Width = 60;
  image.Height = 40;
  auto state = [&] { return std::make_pair(image.HighlightSpot(), image.HighlightState()); };
  using P = std::pair<int, Highlight>;

  image.Move(5, 5);
  EXPECT_EQ(state(), P(0, Highlight::kHighlighted));
  EXPECT_EQ(image.HighlightBitmap().at(0, 0), kMask + 20 * 1000);
  image.Down(5, 5);
  EXPECT_EQ(state(), P(0, Highlight::kPressed));
  EXPECT_EQ(image.HighlightBitmap().at(0, 0), kMask + 30 * 1000);
  image.Move(25, 5);  // dragged onto spot 1: spot 0 stays, highlighted
  EXPECT_EQ(state(), P(0, Highlight::kHighlighted));
  image.Move(5, 5);
  EXPECT_EQ(state(), P(0, Highlight::kPressed));
  image.Move(25, 5);
  image.Up(25, 5);  // after the release: the current spot
  EXPECT_EQ(state(), P(1, Highlight::kHighlighted));

  image.Down(25, 5);  // pressed without pressed art: the highlighted art
  EXPECT_EQ(state(), P(1, Highlight::kPressed));
  EXPECT_EQ(image.HighlightBitmap().at(3, 4), kMask + 4 * 1000 + 23);
  image.Up(25, 5);

  image.Move(45, 5);  // no highlighted art: nothing shown ...
  EXPECT_EQ(state(), P(2, Highlight::kHighlighted));
  EXPECT_TRUE(image.HighlightBitmap().empty());
  image.Down(45, 5);  // ... until pressed
  EXPECT_EQ(image.HighlightBitmap().at(0, 0), kMask + 20 * 1000 + 40);
  image.Up(45, 5);

  image.Down(55, 30);  // down on no spot: nothing, also when dragged onto one
  image.Move(5, 5);
  EXPECT_EQ(state(), P(-1, Highlight::kNone));
  image.Up(5, 5);
  EXPECT_EQ(state(), P(0, Highlight::kHighlighted));

  image.Leave();  // leaving with no button held: none
  EXPECT_EQ(state(), P(-1, Highlight::kNone));
  image.Move(5, 5);
  image.Down(5, 5);
  image.Leave();  // with a button held the drag goes on
  EXPECT_EQ(state(), P(0, Highlight::kPressed));
  image.SetEnabled(false);  // disabled: none, the drag is over, events ignored
  EXPECT_EQ(state(), P(-1, Highlight::kNone));
  EXPECT_FALSE(image.ButtonHeld());
  image.Move(25, 5);
  EXPECT_EQ(state(), P(-1, Highlight::kNone));
  image.SetEnabled(true);
  image.Move(25, 5);
  EXPECT_EQ(state(), P(1, Highlight::kHighlighted));
}

TEST_F(LauncherImage, DirtyAreasAreTheOldAndNewHighlights) {
  const HotRect box1 = image.ToControl(image.HotSpots.items[1].Bounds());
  const HotRect box2 = image.ToControl(image.HotSpots.items[2].Bounds());
  MoveTo(230, 80);
  EXPECT_EQ(image.TakeDirty(), std::vector<HotRect>{box1});
  MoveTo(231, 81);  // same spot, same state: nothing changes
  EXPECT_TRUE(image.TakeDirty().empty());
  MoveTo(230, 100);
  EXPECT_EQ(image.TakeDirty(), (std::vector<HotRect>{box1, box2}));
  MoveTo(300, 100);
  EXPECT_EQ(image.TakeDirty(), std::vector<HotRect>{box2});
  EXPECT_TRUE(image.HighlightBitmap().empty());
  MoveTo(148, 102);
  EXPECT_EQ(image.TakeDirty(), std::vector<HotRect>{(HotRect{88, 48, 155, 115})});
}

TEST_F(LauncherImage, HighlightTakesMaskInsideTheRegionOnly) {
  MoveTo(148, 102);  // spot 0, the ellipse in 115, 69, 182, 136
  const Picture& b = image.HighlightBitmap();
  ASSERT_EQ(b.width, 67);
  ASSERT_EQ(b.height, 67);
  EXPECT_EQ(image.HighlightArea(), (HotRect{115, 69, 182, 136}));
  EXPECT_EQ(b.at(0, 0), 69u * 1000 + 115);             // corner: the normal picture
  EXPECT_EQ(b.at(33, 33), kMask + 102u * 1000 + 148);  // centre: the mask, same place
  EXPECT_EQ(b.at(0, 33), kMask + 102u * 1000 + 115);
  const Picture shown = image.Shown();
  EXPECT_EQ(shown.at(148, 102), kMask + 102u * 1000 + 148);
  EXPECT_EQ(shown.at(115, 69), image.Picture.at(115, 69));
  EXPECT_EQ(shown.at(200, 100), image.Picture.at(200, 100));

  MoveTo(230, 80);  // spot 1, a polygon: its box's right column is outside the region
  const Picture& p = image.HighlightBitmap();
  EXPECT_EQ(image.HighlightArea(), (HotRect{173, 69, 292, 88}));
  EXPECT_EQ(p.at(230 - 173, 80 - 69), kMask + 80u * 1000 + 230);
  EXPECT_EQ(p.at(118, 1), 70u * 1000 + 291);
  EXPECT_EQ(p.at(0, 0), 69u * 1000 + 173);
}

// A polygon of the most corners the stored form holds, a comb whose every row
// crosses every edge: its highlight takes the art exactly where the point test says.
TEST(HotImageHighlight, ManyCornersTakeTheMaskInsideTheRegionOnly) {
  const test::Bytes bytes = test::ManyCornerSpots(static_cast<int>(kMaxSpotCorners), 60, 30);
  HotImage image;
  image.Picture = NumberedPicture(60, 30, 0);
  image.MaskPicture = NumberedPicture(60, 30, kMask);
  image.HotSpots = ReadSpots(bytes.data(), bytes.size());
  Spot& comb = image.HotSpots.items.at(0);
  comb.mask = MaskItem{1, {0, 0, 0, 0}};
  image.Width = 60;
  image.Height = 30;
  int x = 0;
  while (x < 60 && !comb.Contains(x, 10)) ++x;
  ASSERT_LT(x, 60);
  image.Move(x, 10);
  ASSERT_EQ(image.HighlightSpot(), 0);
  const HotRect area = image.HighlightArea();
  const Picture& b = image.HighlightBitmap();
  ASSERT_EQ(b.width, area.right - area.left);
  int inside = 0;
  for (int py = area.top; py < area.bottom; ++py) {
    for (int px = area.left; px < area.right; ++px) {
      const bool in = comb.Contains(px, py);
      inside += in;
      const uint32_t want =
          in ? kMask + static_cast<uint32_t>((py - area.top) * 1000 + px - area.left)
             : static_cast<uint32_t>(py * 1000 + px);
      ASSERT_EQ(b.at(px - area.left, py - area.top), want) << px << "," << py;
    }
  }
  EXPECT_GT(inside, 100);
}

TEST(HotImageHighlight, ShiftedArtAndClippedBoxes) {
  HotImage image;
  image.Picture = NumberedPicture(30, 20, 0);
  image.MaskPicture = NumberedPicture(8, 8, kMask);  // art kept in a small sheet
  image.HotSpots.items = {Rect(10, 5, 14, 8, 1, {2, 3, 0, 0}), Rect(25, -5, 40, 4, 1),
                          Rect(0, 10, 5, 15, 1, {6, 6, 0, 0})};
  image.Width = 30;
  image.Height = 20;
  image.Move(11, 6);
  EXPECT_EQ(image.HighlightBitmap().at(0, 0), kMask + 3 * 1000 + 2);
  EXPECT_EQ(image.HighlightBitmap().at(3, 2), kMask + 5 * 1000 + 5);
  image.Move(27, 2);  // box beyond the picture: clipped to it
  EXPECT_EQ(image.HighlightArea(), (HotRect{25, 0, 30, 4}));
  EXPECT_EQ(image.HighlightBitmap().width, 5);
  EXPECT_EQ(image.HighlightBitmap().height, 4);
  image.TakeDirty();
  image.Move(1, 11);  // art running off the sheet: the normal picture there
  EXPECT_EQ(image.HighlightBitmap().at(0, 0), kMask + 6 * 1000 + 6);
  EXPECT_EQ(image.HighlightBitmap().at(2, 2), 12u * 1000 + 2);
  EXPECT_EQ(image.TakeDirty(), (std::vector<HotRect>{{25, 0, 30, 4}, {0, 10, 5, 15}}));
}

}  // namespace
}  // namespace gp
