#include "media/bitmap_codec.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "base/asset_error.h"
#include "support/asset_bytes.h"
#include "support/temp_folder.h"

namespace gp {
namespace {

using test::BmpSpec;

std::string FileError(const Bytes& b) {
  try {
    DecodeBitmapFile(b.data(), b.size());
  } catch (const AssetError& e) {
    return e.what();
  }
  return "";
}

std::string DibError(const Bytes& b) {
  try {
    DecodeDib(b.data(), b.size());
  } catch (const AssetError& e) {
    return e.what();
  }
  return "";
}

Picture File(const BmpSpec& s) {
  const Bytes b = test::BmpFile(s);
  return DecodeBitmapFile(b.data(), b.size());
}

// Colours as 0x00BBGGRR for the expectations.
constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

TEST(BitmapDecode, PalettedDepthsBottomUpAndTopDown) {
  BmpSpec s;
  s.width = 3;
  s.height = 2;
  s.bpp = 1;
  s.palette = {0x000000, 0xFFFFFF};                       // stored as 0x00RRGGBB
  s.pixels = {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0};  // bottom row first
  Picture p = File(s);
  ASSERT_EQ(p.width, 3);
  ASSERT_EQ(p.height, 2);
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{0, kWhite, 0, kWhite, 0, kWhite}));

  s.height = -2;  // top-down: the first stored row is the top
  p = File(s);
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{kWhite, 0, kWhite, 0, kWhite, 0}));

  s.bpp = 4;
  s.height = 1;
  s.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  s.colorsused = 3;
  s.pixels = {0x12, 0x00, 0, 0};
  p = File(s);
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{kGreen, kBlue, kRed}));

  s.bpp = 8;
  s.colorsused = 3;
  s.pixels = {2, 1, 9, 0};  // an index beyond the table is black
  p = File(s);
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{kBlue, kGreen, 0}));
}

TEST(BitmapDecode, DirectDepthsAndBitFields) {
  BmpSpec s;
  s.width = 2;
  s.height = 1;
  s.bpp = 24;
  s.pixels = {0xFF, 0, 0, 0x10, 0x20, 0x30, 0, 0};  // B, G, R
  EXPECT_EQ(File(s).pixels, (std::vector<uint32_t>{kBlue, 0x102030}));

  s.bpp = 32;
  s.pixels = {0, 0, 0xFF, 0x80, 0x33, 0x22, 0x11, 0};
  EXPECT_EQ(File(s).pixels, (std::vector<uint32_t>{kRed, 0x332211}));

  s.bpp = 16;  // 5-5-5 without bit fields
  s.pixels = {0x00, 0x7C, 0x1F, 0x00};
  EXPECT_EQ(File(s).pixels, (std::vector<uint32_t>{kRed, kBlue}));

  s.compression = 3;  // 5-6-5 bit fields
  s.masks = {0xF800, 0x07E0, 0x001F};
  s.pixels = {0xE0, 0x07, 0x00, 0xF8};
  EXPECT_EQ(File(s).pixels, (std::vector<uint32_t>{kGreen, kRed}));

  s.bpp = 32;  // 32-bit bit fields in an unusual order
  s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
  s.pixels = {0x11, 0x22, 0x33, 0, 0xFF, 0, 0, 0};
  EXPECT_EQ(File(s).pixels, (std::vector<uint32_t>{0x332211, kRed}));

  BmpSpec v5 = s;  // masks inside a longer header
  v5.header = 124;
  v5.masks.clear();
  Bytes b = test::BmpFile(v5);
  const uint32_t masks[3] = {0x000000FF, 0x0000FF00, 0x00FF0000};
  for (int i = 0; i < 3; ++i)
    for (int k = 0; k < 4; ++k) b[14 + 40 + 4 * i + k] = static_cast<uint8_t>(masks[i] >> (8 * k));
  const Picture p = DecodeBitmapFile(b.data(), b.size());
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{0x332211, kRed}));
}

TEST(BitmapDecode, RunLengthEncoded) {
  BmpSpec s;
  s.width = 4;
  s.height = 2;
  s.bpp = 8;
  s.compression = 1;
  s.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  s.colorsused = 4;
  // Bottom row: 3 x index 1, end of line; top row: absolute 2, 3, 1, then delta
  // past the right edge and the end of the bitmap.
  s.pixels = {3, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 2, 5, 0, 0, 1};
  Picture p = File(s);
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{kGreen, kBlue, kRed, 0, kRed, kRed, kRed, 0}));

  s.compression = 2;
  s.bpp = 4;
  s.height = 1;
  // A run of 3 alternating 1, 2; absolute 3 nibbles 3, 0, 1 padded to a word.
  s.pixels = {3, 0x12, 0, 3, 0x30, 0x10, 0, 1};
  s.width = 6;
  p = File(s);
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{kRed, kGreen, kRed, kBlue, 0, kRed}));

  // Runs outside the picture are dropped, a missing end marker ends it.
  s.pixels = {200, 0x11, 0, 2, 100, 100, 4, 0x22};
  p = File(s);
  EXPECT_EQ(p.pixels[5], kRed);
}

TEST(BitmapDecode, DeviceIndependentBitmaps) {
  BmpSpec core;
  core.header = 12;
  core.width = 2;
  core.height = 1;
  core.bpp = 8;
  core.palette.assign(256, 0);
  core.palette[7] = 0x123456;
  core.pixels = {7, 0, 0, 0};
  Bytes b = test::Dib(core);
  Picture p = DecodeDib(b.data(), b.size());
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{0x563412, 0}));

  BmpSpec fields;
  fields.width = 1;
  fields.height = 1;
  fields.bpp = 16;
  fields.compression = 3;
  fields.masks = {0xF800, 0x07E0, 0x001F};
  fields.pixels = {0x1F, 0x00, 0, 0};
  b = test::Dib(fields);
  p = DecodeDib(b.data(), b.size());
  EXPECT_EQ(p.pixels, (std::vector<uint32_t>{kBlue}));
}

TEST(BitmapDecode, EncoderRoundTrip) {
  Picture p;
  p.width = 5;
  p.height = 3;
  for (int i = 0; i < 15; ++i) p.pixels.push_back(uint32_t(i * 0x0F1E2D) & 0xFFFFFF);
  const Bytes b = EncodeBitmapFile(p);
  const Picture q = DecodeBitmapFile(b.data(), b.size());
  EXPECT_EQ(q.width, 5);
  EXPECT_EQ(q.height, 3);
  EXPECT_EQ(q.pixels, p.pixels);
  const Bytes d = EncodePictureData(p);
  EXPECT_EQ(DecodePictureData(d.data(), d.size()).pixels, p.pixels);
}

TEST(BitmapDecode, BadHeadersGiveTheKindsMessage) {
  BmpSpec good;
  good.width = 2;
  good.height = 2;
  good.pixels.assign(16, 0);
  Bytes b = test::BmpFile(good);
  b[0] = 'X';
  EXPECT_EQ(FileError(b), "Bitmap image is not valid");
  EXPECT_EQ(FileError({'B'}), "Bitmap image is not valid");

  const auto both = [&](BmpSpec s, const char* what) {
    EXPECT_EQ(FileError(test::BmpFile(s)), "Bitmap image is not valid") << what;
    EXPECT_EQ(DibError(test::Dib(s)), "DIB is invalid") << what;
  };
  BmpSpec s = good;
  s.header = 24;
  both(s, "header size");
  s = good;
  s.width = 0;
  both(s, "zero width");
  s = good;
  s.height = 0;
  both(s, "zero height");
  s = good;
  s.planes = 2;
  both(s, "planes");
  s = good;
  s.bpp = 7;
  both(s, "depth");
  s = good;
  s.compression = 1;  // RLE8 with 24 bits
  both(s, "compression");
  s = good;
  s.compression = 9;
  both(s, "unknown compression");
  s = good;
  s.bpp = 8;
  s.compression = 1;
  s.height = -2;  // compressed top-down
  both(s, "top-down RLE");
  s = good;
  s.bpp = 8;
  s.colorsused = 1000;
  both(s, "colour count");
  s = good;
  s.width = 100000;
  both(s, "absurd width");
  s = good;
  s.width = 16000;
  s.height = 16000;
  both(s, "absurd area");
  s.width = 4096;  // 64 MB of colours: more than a read may take
  s.height = 4096;
  both(s, "area of 16 M pixels");
  s.height = 2048;  // 8 M pixels pass the size check, then the data runs out
  EXPECT_EQ(FileError(test::BmpFile(s)), "Stream read error");
  s = good;
  s.header = 108;  // newer headers only in files
  EXPECT_EQ(DibError(test::Dib(s)), "DIB is invalid");

  // Pixel data shorter than the header says.
  s = good;
  s.pixels.resize(10);
  EXPECT_EQ(FileError(test::BmpFile(s)), "Stream read error");
  EXPECT_EQ(DibError(test::Dib(s)), "Stream read error");
  // A pixel offset beyond the file.
  b = test::BmpFile(good);
  b[10] = 0xFF;
  b[11] = 0xFF;
  EXPECT_EQ(FileError(b), "Bitmap image is not valid");
  // Every truncation is an error, never a crash.
  b = test::BmpFile(good);
  for (size_t n = 2; n < b.size(); ++n)
    EXPECT_FALSE(FileError(Bytes(b.begin(), b.begin() + long(n))).empty());
}

std::string ReadError(const std::string& path, size_t limit) {
  try {
    ReadWholeFile(path, limit);
  } catch (const AssetError& e) {
    return e.what();
  }
  return "";
}

// Only regular files are read, and only up to the limit: a pipe (which nobody
// writes to, or which would never end) and a folder are refused at once.
TEST(WholeFile, RegularFilesUpToTheLimitOnly) {
  test::TempFolder dir;
  const std::string small = dir.Write("small.bin", Bytes(1000, 7));
  EXPECT_EQ(ReadWholeFile(small, 1000), Bytes(1000, 7));
  EXPECT_EQ(ReadError(small, 999), "File " + small + " is larger than 0 KB");
  EXPECT_EQ(ReadError(small, 512), "File " + small + " is larger than 0 KB");
  // A sparse file one byte over 16 MB costs no disk and is refused unread.
  const std::string big = dir.Path("big.bin");
  std::filesystem::resize_file(dir.Write("big.bin", {}), (size_t{16} << 20) + 1);
  EXPECT_EQ(ReadError(big, size_t{16} << 20), "File " + big + " is larger than 16 MB");
  EXPECT_EQ(ReadWholeFile(big).size(), (size_t{16} << 20) + 1);  // the default is larger
  const std::string fifo = dir.Path("pipe.bmp");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadError(fifo, 100), "Cannot open file " + fifo);
  try {
    LoadBitmapFile(fifo);
    ADD_FAILURE() << "a pipe read as a bitmap";
  } catch (const AssetError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + fifo);
  }
  EXPECT_EQ(ReadError(dir.path().string(), 100), "Cannot open file " + dir.path().string());
  EXPECT_EQ(ReadError(dir.Path("missing"), 100), "Cannot open file " + dir.Path("missing"));
}

}  // namespace
}  // namespace gp
