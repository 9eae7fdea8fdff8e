#include "media/image_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "base/asset_error.h"
#include "media/bitmap_codec.h"
#include "media/container_writer.h"
#include "media/rgb565.h"
#include "support/asset_bytes.h"
#include "support/hostile_files.h"

namespace gp {
namespace {

using test::RawStream;

Picture Gradient(int w, int h) {
  Picture p;
  p.width = w;
  p.height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      p.pixels.push_back(uint32_t(x * 7) | uint32_t(y * 13) << 8 | 0x5A0000u);
  return p;
}

ImageItem Item(int pw, int ph, int pattw = 0, int patth = 0, int skipw = 0, int skiph = 0) {
  ImageItem i;
  i.picture = Gradient(pw, ph);
  i.patternwidth = pattw;
  i.patternheight = patth;
  i.skipwidth = skipw;
  i.skipheight = skiph;
  return i;
}

// The message of the AssetError that reading these bytes raises ("" for none).
std::string ImageError(const Bytes& b) {
  ImageList list;
  try {
    ReadImageList(list, b.data(), b.size());
  } catch (const AssetError& e) {
    return e.what();
  }
  return "";
}

TEST(PatternGeometry, FollowsPatternSizesAndGaps) {
  ImageItem whole = Item(30, 10);
  PrepareItem(whole);
  EXPECT_EQ(whole.PatternCount(), 1);
  EXPECT_EQ(whole.Width(), 30);
  EXPECT_EQ(whole.Height(), 10);

  ImageItem strip = Item(100, 20, 20, 20);
  PrepareItem(strip);
  EXPECT_EQ(strip.PatternCount(), 5);
  EXPECT_EQ(strip.PatternX(4), 80);

  ImageItem gapped = Item(100, 20, 20, 20, 5);
  PrepareItem(gapped);
  EXPECT_EQ(gapped.PatternCount(), 4);  // (100 + 5) div 25
  EXPECT_EQ(gapped.PatternX(3), 75);
  EXPECT_EQ(gapped.Width(), 20);

  // Row by row, left to right.
  ImageItem grid = Item(30, 25, 10, 10, 0, 5);
  PrepareItem(grid);
  EXPECT_EQ(grid.columns, 3);
  EXPECT_EQ(grid.rows, 2);  // (25 + 5) div 15
  EXPECT_EQ(grid.PatternX(4), 10);
  EXPECT_EQ(grid.PatternY(4), 15);

  // Only one side cut: the other is the whole picture.
  ImageItem column = Item(16, 64, 0, 16);
  PrepareItem(column);
  EXPECT_EQ(column.PatternCount(), 4);
  EXPECT_EQ(column.Width(), 16);
}

TEST(PatternGeometry, OddSizesGiveNoPatternsInsteadOfFaults) {
  ImageItem wide = Item(10, 10, 20, 10);  // pattern wider than the picture
  PrepareItem(wide);
  EXPECT_EQ(wide.PatternCount(), 0);
  ImageItem negative = Item(10, 10, 2, 2, -2, 0);  // zero step
  PrepareItem(negative);
  EXPECT_EQ(negative.PatternCount(), 0);
  ImageItem empty;
  PrepareItem(empty);
  EXPECT_EQ(empty.PatternCount(), 0);
  EXPECT_TRUE(empty.prepared);
}

TEST(PatternGeometry, RunTablesSkipTheColourKey) {
  ImageItem i;
  i.picture.width = 4;
  i.picture.height = 2;
  i.picture.pixels = {0, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  PrepareItem(i);
  ASSERT_EQ(i.rowruns.size(), 3u);
  ASSERT_EQ(i.runs.size(), 2u);
  EXPECT_EQ(i.runs[0].x, 1);
  EXPECT_EQ(i.runs[0].len, 2);
  EXPECT_EQ(i.runs[1].x, 0);
  EXPECT_EQ(i.runs[1].len, 4);
  EXPECT_EQ(i.native[1], ToNative(0xFF));
}

TEST(ImageListFile, RoundTripKeepsEveryItemAndPixel) {
  std::vector<ImageItem> items;
  items.push_back(Item(37, 11));
  items.back().name = "course";
  items.back().transparent = false;
  items.push_back(Item(100, 20, 20, 20, 5, 3));
  items.back().name = std::string(300, 'n');  // a long string
  items.back().systemmemory = true;
  items.back().transparentcolor = 0x00FF00FF;
  items.push_back(ImageItem{});  // no picture
  items.back().patternwidth = -70000;

  const Bytes bytes = EncodeImageList(items);
  ImageList list;
  ReadImageList(list, bytes.data(), bytes.size());
  ASSERT_EQ(list.Count(), 3);
  for (int k = 0; k < 3; ++k) {
    const ImageItem& a = items[k];
    const ImageItem& b = *list.Item(k);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.patternwidth, b.patternwidth);
    EXPECT_EQ(a.patternheight, b.patternheight);
    EXPECT_EQ(a.skipwidth, b.skipwidth);
    EXPECT_EQ(a.skipheight, b.skipheight);
    EXPECT_EQ(a.systemmemory, b.systemmemory);
    EXPECT_EQ(a.transparent, b.transparent);
    EXPECT_EQ(a.transparentcolor, b.transparentcolor);
    EXPECT_EQ(a.picture.width, b.picture.width);
    EXPECT_EQ(a.picture.height, b.picture.height);
    EXPECT_EQ(a.picture.pixels, b.picture.pixels);
    EXPECT_TRUE(b.prepared);
  }
  EXPECT_EQ(list.Item(1)->PatternCount(), 4);
  EXPECT_EQ(list.Item(3), nullptr);
  EXPECT_EQ(list.Item(-1), nullptr);

  const std::string path =
      (std::filesystem::temp_directory_path() / "galaputt_roundtrip.dxg").string();
  WriteImageList(path, items);
  ImageList loaded;
  loaded.items.resize(7);  // replaced, not appended to
  LoadImageList(loaded, path, false);
  std::remove(path.c_str());
  ASSERT_EQ(loaded.Count(), 3);
  EXPECT_FALSE(loaded.Item(0)->prepared);
  EXPECT_EQ(loaded.Item(1)->picture.pixels, items[1].picture.pixels);
}

TEST(ImageListFile, ReadsEveryEncodingTheWriterDoesNotUse) {
  test::BmpSpec dib;
  dib.width = 2;
  dib.height = 1;
  dib.pixels = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0, 0};
  Bytes picture;
  PutU8(picture, 4);
  PutBytes(picture, "TDIB", 4);
  const Bytes d = test::Dib(dib);
  PutBytes(picture, d.data(), d.size());

  RawStream s;
  s.Byte(0xF0).ListStart();                 // a flags byte before the root's class name
  s.Byte(3).Byte(0x34).Byte(0x12).Byte(1);  // item 0: 16-bit order number
  s.Short("Name").Byte(12).I32(3).Raw({'a', 'b', 'c'});
  s.Short("patternwidth").Byte(3).Byte(0x02).Byte(0x01);  // names ignore case; 258
  s.Short("TransparentColor").Byte(7).Short("clRed");
  s.Short("Transparent").Byte(8);
  s.Short("Picture.Data").Byte(10).I32(static_cast<int32_t>(picture.size())).Raw(picture);
  s.Byte(0);
  s.Byte(4).I32(1).Byte(1);  // item 1: 32-bit order number, unknown picture kind
  s.Short("Picture.Data").Byte(10).I32(7).Short("TIcon").Byte(0);
  s.Short("SkipHeight").Byte(4).I32(-100000);
  s.Byte(0);
  s.Byte(2).Byte(0xFF).Byte(1).Byte(0);  // item 2: 8-bit order number, no properties
  s.Byte(0);                             // end of the collection
  s.Short("List.ColorTable").Byte(10).I32(1024).Raw(Bytes(1024, 7));
  s.Byte(0).Byte(0);

  ImageList list;
  ReadImageList(list, s.b.data(), s.b.size());
  ASSERT_EQ(list.Count(), 3);
  const ImageItem& a = list.items[0];
  EXPECT_EQ(a.name, "abc");
  EXPECT_EQ(a.patternwidth, 258);
  EXPECT_EQ(a.transparentcolor, 0x0000FFu);
  EXPECT_FALSE(a.transparent);
  ASSERT_EQ(a.picture.width, 2);
  EXPECT_EQ(a.picture.pixels[0], 0x102030u);
  EXPECT_EQ(a.picture.pixels[1], 0x405060u);
  EXPECT_TRUE(list.items[1].picture.empty());
  EXPECT_EQ(list.items[1].skipheight, -100000);
  EXPECT_TRUE(list.items[2].transparent);  // defaults
  EXPECT_EQ(list.items[2].patternwidth, 0);
}

TEST(ImageListFile, BadFilesGiveTheirMessages) {
  ImageList list;
  try {
    LoadImageList(list, "/nonexistent/dir/gui.dxg");
    FAIL();
  } catch (const AssetError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file /nonexistent/dir/gui.dxg");
  }

  const Bytes good = EncodeImageList({Item(4, 4)});
  Bytes b = good;
  b[0] = 0xFE;
  EXPECT_EQ(ImageError(b), "Invalid stream format");
  b = good;
  b[1] = 11;
  EXPECT_EQ(ImageError(b), "Invalid stream format");
  b = good;
  b[19] = 'X';  // "TPF0" follows the 19-byte resource header
  EXPECT_EQ(ImageError(b), "Invalid stream format");

  // Every truncation is a read error, never a crash.
  for (size_t n = 0; n < good.size(); ++n) {
    const Bytes cut(good.begin(), good.begin() + static_cast<long>(n));
    EXPECT_EQ(ImageError(cut), "Stream read error") << n;
  }

  const auto item = [](const std::function<void(RawStream&)>& props) {
    RawStream s;
    s.ListStart().Byte(1);
    props(s);
    s.Byte(0).ListEnd();
    return s.b;
  };
  EXPECT_EQ(ImageError(item([](RawStream& s) { s.Short("Frames").Byte(2).Byte(1); })),
            "Property does not exist");
  EXPECT_EQ(ImageError(item([](RawStream& s) { s.Short("Picture").Byte(2).Byte(1); })),
            "Property does not exist");
  EXPECT_EQ(ImageError(item([](RawStream& s) { s.Short("PatternWidth").Byte(6).Short("20"); })),
            "Invalid property value");
  EXPECT_EQ(ImageError(item([](RawStream& s) { s.Short("Transparent").Byte(2).Byte(1); })),
            "Invalid property value");
  EXPECT_EQ(ImageError(item([](RawStream& s) { s.Short("Name").Byte(9); })),
            "Invalid property value");
  EXPECT_EQ(ImageError(item([](RawStream& s) { s.Short("Picture.Data").Byte(4).I32(1); })),
            "Invalid property value");
  EXPECT_EQ(
      ImageError(item([](RawStream& s) { s.Short("TransparentColor").Byte(7).Short("clMauve"); })),
      "Invalid property value");
  EXPECT_EQ(ImageError(item([](RawStream& s) { s.Short("SkipWidth").Byte(5); })),
            "Invalid property value");  // a type the files never use
  // Absurd lengths run into the end of the file.
  EXPECT_EQ(ImageError(item([](RawStream& s) { s.Short("Picture.Data").Byte(10).I32(-1); })),
            "Stream read error");
  EXPECT_EQ(ImageError(item([](RawStream& s) { s.Short("Name").Byte(12).I32(0x7FFFFFFF); })),
            "Stream read error");
  // A picture whose bitmap is longer than its binary.
  EXPECT_EQ(ImageError(item([](RawStream& s) {
              s.Short("Picture.Data").Byte(10).I32(12).Short("TBitmap").I32(1000);
            })),
            "Stream read error");
  EXPECT_EQ(ImageError(item([](RawStream& s) {
              s.Short("Picture.Data").Byte(10).I32(14).Short("TBitmap").I32(2).Raw({'B', 'X'});
            })),
            "Bitmap image is not valid");
  EXPECT_EQ(ImageError(item([](RawStream& s) {
              s.Short("Picture.Data").Byte(10).I32(9).Short("TDIB").I32(24);
            })),
            "DIB is invalid");

  RawStream root;
  root.Short("TRoot").Short("Root").Short("Items").Byte(14).Byte(0).Byte(0).Byte(0);
  EXPECT_EQ(ImageError(root.b), "Property does not exist");
  RawStream notlist;
  notlist.Short("TRoot").Short("Root").Short("List").Byte(2).Byte(0).Byte(0).Byte(0);
  EXPECT_EQ(ImageError(notlist.b), "Invalid property value");
  RawStream noitem;
  noitem.ListStart().Byte(6);
  EXPECT_EQ(ImageError(noitem.b), "Invalid property value");
}

// Lists that would decode to far more than they hold are refused: pictures
// beyond 6 M pixels in all (before they are decoded), and pictures cut into
// more than a million pattern rows (before their runs are built).
TEST(ImageListFile, ListsThatWouldFloodMemoryAreRefused) {
  EXPECT_EQ(ImageError(test::TinyPatternImageList(1, 2048)), kImageListTooLarge);
  EXPECT_EQ(ImageError(test::TinyPatternImageList(2, 2048)), kImageListTooLarge);
  ImageList lab;  // read without preparing (the lab's listing): the pixels still count
  const Bytes two = test::TinyPatternImageList(2, 2048);
  EXPECT_THROW(ReadImageList(lab, two.data(), two.size(), false), AssetError);
  const Bytes one = test::TinyPatternImageList(1, 2048);
  ReadImageList(lab, one.data(), one.size(), false);
  ASSERT_EQ(lab.Count(), 1);
  EXPECT_EQ(lab.items[0].picture.width, 2048);
  EXPECT_EQ(lab.items[0].picture.at(5, 7), 0xFFFFFFu);
  // A course's worth: a 2048 x 2048 picture in 24 x 24 patterns, and more beside it.
  ImageItem course = Item(2048, 2048);
  course.patternwidth = course.patternheight = 24;
  const Bytes fair = EncodeImageList({course, Item(1000, 1000)});
  ImageList list;
  ReadImageList(list, fair.data(), fair.size(), true);
  EXPECT_EQ(list.items[0].PatternCount(), 85 * 85);
}

TEST(ImageListFile, AnErrorLeavesTheItemsReadSoFar) {
  const Bytes good = EncodeImageList({Item(4, 4), Item(4, 4), Item(4, 4)});
  ImageList list;
  const Bytes cut(good.begin(), good.end() - 30);
  EXPECT_THROW(ReadImageList(list, cut.data(), cut.size()), AssetError);
  EXPECT_EQ(list.Count(), 2);
}

TEST(PicturePixels, ReadAndWriteThePictureNotThePreparedCopy) {
  ImageItem i = Item(4, 4);
  PrepareItem(i);
  const uint16_t before = i.native[5];
  SetPicturePixel(i, 1, 1, 0x123456);
  EXPECT_EQ(PicturePixel(i, 1, 1), 0x123456u);
  EXPECT_EQ(i.native[5], before);
  SetPicturePixel(i, 4, 0, 1);  // outside: ignored
  EXPECT_EQ(PicturePixel(i, -1, 0), 0u);

  SetPicture(i, Gradient(8, 2));  // prepared again at once
  EXPECT_EQ(i.Width(), 8);
  EXPECT_EQ(i.native.size(), 16u);
  ImageItem fresh = Item(2, 2);
  SetPicture(fresh, Gradient(3, 3));
  EXPECT_FALSE(fresh.prepared);
}

}  // namespace
}  // namespace gp
