// The exit picture: placement at its own size from the top left, closing on
// any key or button, the pointer; and the 8-bit bitmap the asset compiler
// writes for it.
#include "launcher/exit_picture.h"

#include <gtest/gtest.h>

#include <vector>

#include "media/bitmap_codec.h"
#include "tools/assets/bitmap8.h"

namespace gp {
namespace {

// A 640 x 480 picture with no black pixel, so black on the screen means "outside".
Picture TestPicture(int w = 640, int h = 480) {
  Picture p;
  p.width = w;
  p.height = h;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      p.pixels.push_back(static_cast<uint32_t>((x * 255 / w) | (y * 255 / h) << 8 | 0x80 << 16));
    }
  }
  return p;
}

// (The pixels the window draws there: tests/launcher/window/.)
TEST(ExitPictureTest, PlacedAtOwnSizeFromTopLeft) {
  for (const auto& [sw, sh] : {std::pair{640, 480}, std::pair{1024, 768}, std::pair{800, 600}}) {
    ExitPicture ex;
    ex.Show(sw, sh);
    const ScreenRect r = ex.PictureRect(640, 480);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 0);
    EXPECT_EQ(r.w, 640);
    EXPECT_EQ(r.h, 480);
  }
}

TEST(ExitPictureTest, SmallerScreenCutsThePictureOff) {
  ExitPicture ex;
  ex.Show(512, 384);
  EXPECT_EQ(ex.PictureRect(640, 480).w, 512);
  EXPECT_EQ(ex.PictureRect(640, 480).h, 384);
}

TEST(ExitPictureTest, AnyKeyOrButtonClosesOnceAndShowsPointer) {
  for (bool key : {true, false}) {
    ExitPicture ex;
    ex.Key();  // before showing: nothing
    EXPECT_FALSE(ex.Closed());
    EXPECT_EQ(ex.PointerSteps(), 0);
    ex.Show(640, 480);
    EXPECT_TRUE(ex.Shown());
    EXPECT_EQ(ex.PointerSteps(), -1);
    key ? ex.Key() : ex.Button();
    EXPECT_TRUE(ex.Closed());
    EXPECT_FALSE(ex.Shown());
    EXPECT_EQ(ex.PointerSteps(), 0);
    ex.Button();  // a second press shows the pointer no further
    ex.Key();
    EXPECT_EQ(ex.PointerSteps(), 0);
  }
}

TEST(ExitPictureTest, EightBitBitmapDecodesToTheQuantisedPicture) {
  const Picture pic = TestPicture();
  const assets::IndexedPicture indexed = assets::Quantise(pic);
  ASSERT_LE(indexed.palette.size(), 256u);
  const Bytes file = assets::EncodeBitmap8(indexed);
  ASSERT_GT(file.size(), 54u);
  EXPECT_EQ(file[28], 8);  // bits per pixel
  const Picture back = DecodeBitmapFile(file.data(), file.size());
  ASSERT_EQ(back.width, 640);
  ASSERT_EQ(back.height, 480);
  long long error = 0;
  for (size_t i = 0; i < back.pixels.size(); ++i) {
    EXPECT_EQ(back.pixels[i], indexed.palette[indexed.indices[i]]) << i;
    for (int ch = 0; ch < 3; ++ch) {
      const int a = (pic.pixels[i] >> (8 * ch)) & 255, b = (back.pixels[i] >> (8 * ch)) & 255;
      error += a > b ? a - b : b - a;
    }
    if (HasFailure()) break;
  }
  // A smooth two-channel gradient of 65 536 colours: on average within a few levels.
  EXPECT_LT(static_cast<double>(error) / (3.0 * back.pixels.size()), 4.0);
}

TEST(ExitPictureTest, FewColoursRoundTripExactly) {
  Picture p;
  p.width = 7;  // odd width: rows are padded to four bytes
  p.height = 3;
  const uint32_t colours[] = {0x000000, 0xFFFFFF, 0x123456, 0x00FF00};
  for (int i = 0; i < 21; ++i) p.pixels.push_back(colours[(i * 7 + i / 7) % 4]);
  const Bytes file = assets::EncodeBitmap8(assets::Quantise(p));
  const Picture back = DecodeBitmapFile(file.data(), file.size());
  EXPECT_EQ(back.width, 7);
  EXPECT_EQ(back.height, 3);
  EXPECT_EQ(back.pixels, p.pixels);
}

}  // namespace
}  // namespace gp
