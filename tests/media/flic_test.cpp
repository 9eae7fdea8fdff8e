#include "media/flic.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "media/flic_writer.h"
#include "support/flic_files.h"
#include "support/hostile_files.h"

namespace gp {
namespace {

using test::Bytes;
using test::File;
using test::FlicChunk;
using test::Frame;
using test::Header;
using test::Literal;
using test::Put16;
using test::Put32;

constexpr uint16_t kFlc = 0xAF12, kFli = 0xAF11;

// The frame chunks from offset 128 on: (offset, sub-chunk types) each.
std::vector<std::pair<size_t, std::vector<int>>> FrameLayout(const Bytes& file) {
  std::vector<std::pair<size_t, std::vector<int>>> frames;
  for (size_t pos = 128; pos + 16 <= file.size(); pos += test::Get32(file, pos)) {
    std::vector<int> types;
    size_t c = pos + 16;
    for (int n = test::Get16(file, pos + 6); n > 0; --n, c += test::Get32(file, c))
      types.push_back(test::Get16(file, c + 4));
    frames.emplace_back(pos, types);
  }
  return frames;
}

// Frame 1 of a w x h FLC made of the given chunks, with a ramp palette unless given.
FlicDecoder OneFrame(int w, int h, const std::vector<Bytes>& chunks) {
  return FlicDecoder(File(Header(kFlc, 1, w, h, 10), {Frame(chunks)}));
}

TEST(FlicDecoder, WorkedSingleFrameExample) {
  Bytes palette;
  Put16(palette, 1);
  palette.insert(palette.end(), {0, 4, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
  const Bytes run = {0x01, 0x04, 0x02, 0x02, 0xFE, 0x00, 0x01, 0x02, 0x03, 0x00};
  FlicDecoder d = OneFrame(4, 2, {FlicChunk(4, palette), FlicChunk(15, run)});
  EXPECT_EQ(d.kind(), FlicKind::kFlc);
  EXPECT_EQ(d.delay_ms(), 10);
  ASSERT_TRUE(d.DecodeNext());
  EXPECT_EQ(d.image().pixels, (Bytes{2, 2, 2, 2, 0, 1, 3, 3}));
  EXPECT_EQ(d.image().Colour(1), 0x0000FFu);  // red in the lowest byte
  EXPECT_EQ(d.image().Colour(3), 0xFF0000u);
  EXPECT_FALSE(d.DecodeNext());
  EXPECT_EQ(d.status(), FlicStatus::kEnd);
}

TEST(FlicDecoder, WordDeltaWithOddWidthLastPixelAndLineSkip) {
  const Bytes delta = {0x02, 0x00, 0xFF, 0xFF, 0x09, 0x80, 0x01, 0x00, 0x02,
                       0x01, 0x07, 0x08, 0x01, 0x00, 0x00, 0xFE, 0x04, 0x04};
  FlicDecoder d(
      File(Header(kFlc, 2, 5, 3, 10), {Frame({FlicChunk(13, {})}), Frame({FlicChunk(7, delta)})}));
  ASSERT_TRUE(d.GoToFrame(2));
  EXPECT_EQ(d.image().pixels, (Bytes{0, 0, 0, 0, 0, 0, 0, 7, 8, 9, 4, 4, 4, 4, 0}));
}

TEST(FlicDecoder, PaletteChunks) {
  Bytes partial;  // entries 2 and 7..9, then a packet running past entry 255
  Put16(partial, 3);
  partial.insert(partial.end(), {2, 1, 10, 20, 30, 4, 3, 1, 1, 1, 2, 2, 2, 3, 3, 3});
  partial.insert(partial.end(), {240, 10});
  for (int i = 0; i < 30; ++i) partial.push_back(99);
  FlicDecoder a = OneFrame(1, 1, {test::RampPalette(), FlicChunk(4, partial)});
  ASSERT_TRUE(a.DecodeNext());
  EXPECT_EQ(a.image().Colour(2), 0x1E140Au);
  EXPECT_EQ(a.image().Colour(9), 0x030303u);
  EXPECT_EQ(a.image().Colour(10), 0x46F50Au);   // untouched ramp entry
  EXPECT_EQ(a.image().Colour(255), 0x636363u);  // the packet stops at the last entry

  Bytes six;  // 64-level values widen so that 63 is 255; bits above six are ignored
  Put16(six, 1);
  six.insert(six.end(), {0, 2, 63, 0, 32, 69, 1, 16});
  FlicDecoder b = OneFrame(1, 1, {FlicChunk(11, six)});
  ASSERT_TRUE(b.DecodeNext());
  EXPECT_EQ(b.image().Colour(0), 0x8200FFu);
  EXPECT_EQ(b.image().Colour(1), 0x410414u);
}

TEST(FlicDecoder, ByteDeltaBlackAndLiteral) {
  Bytes lc;  // from line 1, two lines: copy 2 at x 1, repeat 7 three times after a skip of 1
  Put16(lc, 1);
  Put16(lc, 2);
  lc.insert(lc.end(), {2, 1, 2, 5, 6, 1, 0xFD, 7, 1, 0, 0});
  const Bytes lit = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  FlicDecoder d(File(Header(kFli, 3, 6, 3, 1), {Frame({Literal(lit)}), Frame({FlicChunk(12, lc)}),
                                                Frame({FlicChunk(13, {})})}));
  ASSERT_TRUE(d.GoToFrame(2));
  EXPECT_EQ(d.image().pixels, (Bytes{1, 1, 1, 1, 1, 1, 1, 5, 6, 1, 7, 7, 1, 1, 1, 1, 1, 1}));
  ASSERT_TRUE(d.DecodeNext());
  EXPECT_EQ(d.image().pixels, Bytes(18, 0));
}

TEST(FlicDecoder, ByteRunIgnoresItsPacketCountAndShortLiteralKeepsTheRest) {
  // Count byte 0 and 9: the line is still filled by its width.
  const Bytes run = {0, 3, 4, 0xFF, 5, 9, 0xFC, 1, 2, 3, 4};
  FlicDecoder d(
      File(Header(kFlc, 2, 4, 2, 10), {Frame({FlicChunk(15, run)}), Frame({Literal({8, 8})})}));
  ASSERT_TRUE(d.DecodeNext());
  EXPECT_EQ(d.image().pixels, (Bytes{4, 4, 4, 5, 1, 2, 3, 4}));
  ASSERT_TRUE(d.DecodeNext());
  EXPECT_EQ(d.image().pixels, (Bytes{8, 8, 4, 5, 1, 2, 3, 4}));
}

TEST(FlicDecoder, SkipsUnknownChunksPrefixExtraBytesAndNonFrameHeaders) {
  Bytes prefix;  // a prefix chunk with a sub-chunk inside
  Put32(prefix, 24);
  Put16(prefix, 0xF100);
  Put16(prefix, 1);
  prefix.resize(16, 0);
  prefix.insert(prefix.end(), {8, 0, 0, 0, 3, 0, 0xAA, 0xBB});
  Bytes junk;  // a header of another type: passed two bytes at a time
  Put32(junk, 10);
  Put16(junk, 0x1234);
  junk.resize(10, 0xF1);
  Bytes odd;  // odd-sized palette chunk: the next chunk starts at an odd offset
  Put16(odd, 1);
  odd.insert(odd.end(), {5, 1, 1, 2, 3});
  const std::vector<Bytes> pieces = {
      prefix,
      Frame({FlicChunk(18, Bytes(40, 0x77)), Literal({1, 2, 3, 4})}, 7),
      junk,
      Frame({FlicChunk(4, odd), Literal({9, 9, 9, 9})}),
  };
  FlicDecoder d(File(Header(kFlc, 2, 2, 2, 10), pieces));
  ASSERT_TRUE(d.DecodeNext());
  EXPECT_EQ(d.image().pixels, (Bytes{1, 2, 3, 4}));
  ASSERT_TRUE(d.DecodeNext());
  EXPECT_EQ(d.image().pixels, (Bytes{9, 9, 9, 9}));
  EXPECT_EQ(d.image().Colour(5), 0x030201u);
}

TEST(FlicDecoder, HeaderErrors) {
  struct Case {
    Bytes file;
    const char* message;
  };
  Bytes bad_magic = Header(0x1234, 1, 2, 2, 0);
  const Case cases[] = {
      {{}, "FLIC file is empty"},
      {Bytes(127, 0), "FLIC header is truncated: 127 of 128 bytes"},
      {bad_magic, "Not a FLIC file: magic number 0x1234"},
      {Header(kFlc, 1, 0, 10, 0), "FLIC frame size 0 by 10 pixels is out of range"},
      {Header(kFli, 1, 320, 4097, 0), "FLIC frame size 320 by 4097 pixels is out of range"},
      // Each side fits, the image (16 M pixels) is larger than a 4K screen.
      {Header(kFlc, 1, 4096, 4096, 0), "FLIC frame size 4096 by 4096 pixels is out of range"},
  };
  for (const Case& c : cases) {
    try {
      FlicDecoder d(c.file);
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const FlicError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(FlicDecoder, DelayFromFliJiffiesRoundsToNearest) {
  const std::pair<uint32_t, int64_t> cases[] = {{0, 0}, {1, 14}, {3, 43}, {5, 71}, {7, 100}};
  for (auto [jiffies, ms] : cases)
    EXPECT_EQ(FlicDecoder(Header(kFli, 0, 8, 8, jiffies)).delay_ms(), ms) << jiffies;
  EXPECT_EQ(FlicDecoder(Header(kFlc, 0, 8, 8, 0xFFFFFFFF)).delay_ms(), 0xFFFFFFFFll);
}

TEST(FlicDecoder, DamagedChunksStayInsideTheImage) {
  const int w = 6, h = 4;
  Bytes skip_past;  // line skip beyond the bottom, then a line that must not be drawn
  Put16(skip_past, 2);
  Put16(skip_past, 0x10000 - 50);
  Put16(skip_past, 1);
  skip_past.insert(skip_past.end(), {0, 1, 9, 9});
  Bytes wide;  // copies and repeats running past the right edge, a bad opcode after
  Put16(wide, 3);
  Put16(wide, 2);
  wide.insert(wide.end(), {4, 3, 1, 2, 3, 4, 5, 6, 250, 0x81, 7, 7});
  Put16(wide, 0x8000 | 5);
  Put16(wide, 0x4000);
  Put16(wide, 1);
  wide.insert(wide.end(), {0, 1, 8, 8});
  Bytes lc;  // starting line past the bottom
  Put16(lc, 400);
  Put16(lc, 0xFFFF);
  lc.push_back(1);
  Bytes huge;  // claims far more than the file holds
  Put32(huge, 0xFFFFFFF0u);
  Put16(huge, 16);
  huge.insert(huge.end(), {3, 3, 3});
  Bytes tiny = {2, 0, 0, 0, 16, 0, 1, 1, 1, 1};  // size below 6: the frame stops there
  FlicDecoder d(File(
      Header(kFlc, 5, w, h, 1),
      {Frame({FlicChunk(7, skip_past)}), Frame({FlicChunk(7, wide)}), Frame({FlicChunk(12, lc)}),
       Frame({FlicChunk(15, {0, 0x80})}), Frame({tiny, Literal(Bytes(24, 4))})}));
  ASSERT_TRUE(d.DecodeNext());
  EXPECT_EQ(d.image().pixels, Bytes(24, 0));
  ASSERT_TRUE(d.DecodeNext());
  EXPECT_EQ(d.image().pixels[4], 1);
  EXPECT_EQ(d.image().pixels[5], 2);
  EXPECT_EQ(d.image().pixels[6], 0);  // nothing wrapped onto the next line
  EXPECT_EQ(d.image().pixels[11], 5);
  EXPECT_EQ(d.image().pixels[12], 0);  // after the bad opcode nothing is drawn
  ASSERT_TRUE(d.DecodeNext());
  ASSERT_TRUE(d.DecodeNext());
  ASSERT_TRUE(d.DecodeNext());
  EXPECT_EQ(d.image().pixels[0], 0);
  EXPECT_FALSE(d.DecodeNext());  // 5 frames done

  FlicDecoder e(File(Header(kFlc, 1, w, h, 1), {Frame({FlicChunk(16, {}), huge})}));
  ASSERT_TRUE(e.DecodeNext());
  EXPECT_EQ(e.image().pixels[2], 3);
}

TEST(FlicDecoder, TruncatedFilesShowTheFramesTheyHold) {
  const std::vector<FlicFrame> frames = test::MakeFrames(23, 17, 6);
  const Bytes file = EncodeFlc(23, 17, 40, frames);
  const auto layout = FrameLayout(file);
  ASSERT_EQ(layout.size(), 7u);
  for (size_t cut = 128; cut < file.size(); cut += 5) {
    FlicDecoder d(Bytes(file.begin(), file.begin() + static_cast<ptrdiff_t>(cut)));
    int decoded = 0;
    while (d.DecodeNext()) ++decoded;
    int whole = 0;  // frames whose 16-byte header lies inside the cut
    while (whole < 6 && layout[static_cast<size_t>(whole)].first + 16 <= cut) ++whole;
    EXPECT_EQ(decoded, whole) << cut;
    EXPECT_EQ(d.status(), decoded < 6 ? FlicStatus::kError : FlicStatus::kEnd);
  }
  FlicDecoder many(File(Header(kFlc, 65535, 4096, 2048, 1), {Frame({FlicChunk(13, {})})}));
  int decoded = 0;
  while (many.DecodeNext()) ++decoded;
  EXPECT_EQ(decoded, 1);
  EXPECT_EQ(many.error(), "FLIC file ends after frame 1 of 65535");
}

// Frames built to cost far more than their bytes: thousands of BLACK chunks, more
// whole-image chunks than a frame needs, junk where the next frame should be.
TEST(FlicDecoder, CostlyFramesDecodeToWhatTheyShow) {
  // 65 535 BLACK chunks after a literal image, then one more literal: every BLACK on
  // black is passed over, so the last image still shows.
  const int w = 640, h = 480;
  const Bytes a(static_cast<size_t>(w) * h, 7), b(a.size(), 9);
  std::vector<Bytes> chunks = {Literal(a)};
  chunks.insert(chunks.end(), 65535 - 2, FlicChunk(13, {}));
  chunks.push_back(Literal(b));
  FlicDecoder blacks(File(Header(kFlc, 1, w, h, 10), {Frame(chunks)}));
  ASSERT_TRUE(blacks.DecodeNext());
  EXPECT_EQ(blacks.image().pixels, b);

  // Whole images after the fourth are left out; palettes after them still apply.
  Bytes colour;
  Put16(colour, 1);
  colour.insert(colour.end(), {3, 1, 10, 20, 30});
  std::vector<Bytes> five;
  for (uint8_t v = 1; v <= 5; ++v) five.push_back(Literal(Bytes(a.size(), v)));
  five.push_back(FlicChunk(4, colour));
  FlicDecoder repaints(File(Header(kFlc, 1, w, h, 10), {Frame(five)}));
  ASSERT_TRUE(repaints.DecodeNext());
  EXPECT_EQ(repaints.image().pixels, Bytes(a.size(), 4));
  EXPECT_EQ(repaints.image().Colour(3), 0x1E140Au);

  // The crafted file: 4096 x 4096 is refused at once, 4096 x 2048 decodes to black.
  EXPECT_THROW(FlicDecoder(test::BlackChunksFlic(4096, 4096, 65535)), FlicError);
  FlicDecoder big(test::BlackChunksFlic(4096, 2048, 65535));
  ASSERT_TRUE(big.DecodeNext());
  EXPECT_EQ(std::count(big.image().pixels.begin(), big.image().pixels.end(), 0), 4096 * 2048);
}

TEST(FlicDecoder, LoopsOverJunkFindTheSameFramesEachTime) {
  // One good frame, then junk: frame 2 is missing on every pass, frame 1 comes back.
  const Bytes junk = test::JunkTailFlic(8, 4, 3, 5000);
  FlicDecoder d(junk);
  ASSERT_TRUE(d.DecodeNext());
  const FlicImage first = d.image();
  for (int pass = 0; pass < 3; ++pass) {
    EXPECT_FALSE(d.DecodeNext()) << pass;
    EXPECT_EQ(d.status(), FlicStatus::kError);
    EXPECT_EQ(d.error(), "FLIC file ends after frame 1 of 3");
    d.Rewind();
    ASSERT_TRUE(d.DecodeNext()) << pass;
    EXPECT_EQ(d.image().pixels, first.pixels);
    EXPECT_EQ(d.image().palette, first.palette);
  }
  // Junk between frames is searched through on the first pass and the frames found
  // again after a rewind, in order; a jump back lands on the same frame.
  Bytes between(300, 0x33);
  FlicDecoder j(File(Header(kFlc, 3, 2, 2, 10),
                     {Frame({Literal({1, 1, 1, 1})}), between, Frame({Literal({2, 2, 2, 2})}),
                      between, Frame({Literal({3, 3, 3, 3})})}));
  for (int pass = 0; pass < 2; ++pass) {
    for (uint8_t v = 1; v <= 3; ++v) {
      ASSERT_TRUE(j.DecodeNext()) << pass;
      EXPECT_EQ(j.image().pixels, Bytes(4, v)) << pass;
    }
    EXPECT_FALSE(j.DecodeNext());
    EXPECT_EQ(j.status(), FlicStatus::kEnd);
    j.Rewind();
  }
  ASSERT_TRUE(j.GoToFrame(3));
  ASSERT_TRUE(j.GoToFrame(2));
  EXPECT_EQ(j.image().pixels, Bytes(4, 2));
}

void ExpectRoundTrip(int w, int h, int count, bool fli) {
  const std::vector<FlicFrame> frames = test::MakeFrames(w, h, count);
  const Bytes file = fli ? EncodeFli(w, h, 5, frames) : EncodeFlc(w, h, 70, frames);
  FlicDecoder d(file);
  ASSERT_EQ(d.frame_count(), count);
  ASSERT_EQ(d.width(), w);
  for (int k = 0; k < count; ++k) {
    ASSERT_TRUE(d.DecodeNext()) << k;
    const FlicFrame& want = frames[static_cast<size_t>(k)];
    ASSERT_EQ(d.image().pixels, want.pixels) << w << "x" << h << " frame " << k + 1;
    for (size_t i = 0; i < 768; ++i) {
      const int q = want.palette[i] >> 2;
      ASSERT_EQ(d.image().palette[i], fli ? (q << 2 | q >> 4) : want.palette[i]);
    }
  }
  EXPECT_FALSE(d.DecodeNext());
  EXPECT_EQ(d.status(), FlicStatus::kEnd);
  // The ring frame takes the last frame back to the first.
  const auto layout = FrameLayout(file);
  ASSERT_EQ(layout.size(), static_cast<size_t>(count) + 1);
  FlicImage ring = d.image();
  ApplyFlicFrame(file.data() + layout.back().first, file.size() - layout.back().first, ring);
  ASSERT_TRUE(d.GoToFrame(1));
  EXPECT_EQ(ring.pixels, d.image().pixels);
  EXPECT_EQ(ring.palette, d.image().palette);
  EXPECT_EQ(test::Get32(file, 0), file.size());
}

TEST(FlicWriter, RoundTripsThroughTheDecoder) {
  const int sizes[][3] = {{1, 1, 1}, {5, 3, 2}, {7, 9, 7}, {2, 6, 4}, {600, 5, 6}, {64, 48, 8}};
  for (const auto& s : sizes) {
    ExpectRoundTrip(s[0], s[1], s[2], false);
    ExpectRoundTrip(s[0], s[1], s[2], true);
  }
}

TEST(FlicWriter, ChunkChoiceAndHeader) {
  std::vector<FlicFrame> frames = test::MakeFrames(40, 30, 6);
  frames.push_back(frames[5]);
  std::fill(frames[6].pixels.begin(), frames[6].pixels.end(), uint8_t{1});
  const Bytes file = EncodeFlc(40, 30, 70, frames);
  const auto layout = FrameLayout(file);
  ASSERT_EQ(layout.size(), 8u);
  EXPECT_EQ(layout[0].second, (std::vector<int>{4, 15}));
  EXPECT_EQ(layout[1].second, (std::vector<int>{4, 7}));  // entry 30 changed
  EXPECT_EQ(layout[2].second, (std::vector<int>{}));      // same as frame 2
  EXPECT_EQ(test::Get32(file, layout[2].first), 16u);
  EXPECT_EQ(layout[3].second, (std::vector<int>{4, 7}));
  EXPECT_EQ(layout[5].second, (std::vector<int>{4, 7}));  // palette back from inverted
  EXPECT_EQ(layout[6].second, (std::vector<int>{15}));    // a byte run is smaller than the delta
  EXPECT_EQ(test::Get32(file, 80), 128u);
  EXPECT_EQ(test::Get32(file, 84), layout[1].first);
  EXPECT_EQ(test::Get16(file, 14), 3);
  EXPECT_EQ(test::Get32(file, 16), 70u);
  for (const auto& [offset, types] : layout) EXPECT_EQ(test::Get32(file, offset) % 2, 0u);
  EXPECT_EQ(file, EncodeFlc(40, 30, 70, frames));  // deterministic

  const Bytes fli = EncodeFli(40, 30, 5, frames);
  const auto fli_layout = FrameLayout(fli);
  EXPECT_EQ(fli_layout[0].second, (std::vector<int>{11, 15}));
  EXPECT_EQ(fli_layout[1].second, (std::vector<int>{11, 12}));

  // Noise compresses worse than raw pixels: written uncompressed; a single frame's
  // ring frame is empty and frame 2's offset points at it.
  FlicFrame noise{Bytes(64), {}};
  for (size_t i = 0; i < noise.pixels.size(); ++i) noise.pixels[i] = static_cast<uint8_t>(i * 37);
  const Bytes one = EncodeFlc(8, 8, 0, {noise});
  const auto one_layout = FrameLayout(one);
  ASSERT_EQ(one_layout.size(), 2u);
  EXPECT_EQ(one_layout[0].second, (std::vector<int>{4, 16}));
  EXPECT_EQ(one_layout[1].second, (std::vector<int>{}));
  EXPECT_EQ(test::Get32(one, 84), one_layout[1].first);
}

TEST(FlicWriter, RejectsBadInput) {
  const FlicFrame f{Bytes(4), {}};
  EXPECT_THROW(EncodeFlc(0, 4, 10, {f}), std::invalid_argument);
  EXPECT_THROW(EncodeFlc(4097, 1, 10, {FlicFrame{Bytes(4097), {}}}), std::invalid_argument);
  EXPECT_THROW(EncodeFlc(2, 2, 10, {}), std::invalid_argument);
  EXPECT_THROW(EncodeFlc(2, 3, 10, {f}), std::invalid_argument);
  EXPECT_THROW(EncodeFlc(2, 2, -1, {f}), std::invalid_argument);
  EXPECT_THROW(EncodeFli(2, 2, 70000, {f}), std::invalid_argument);
}

TEST(FlicWriter, DeltasStaySmall) {
  // One changed pixel per frame in a large image: a line skip and one packet each.
  std::vector<FlicFrame> frames(3, FlicFrame{Bytes(640 * 480, 3), {}});
  frames[1].pixels[200 * 640 + 600] = 9;
  frames[2].pixels = frames[1].pixels;
  frames[2].pixels[479 * 640 + 639] = 9;
  const Bytes file = EncodeFlc(640, 480, 70, frames);
  const auto layout = FrameLayout(file);
  EXPECT_EQ(layout[1].second, (std::vector<int>{7}));
  EXPECT_LE(layout[2].first - layout[1].first, 40u);
  EXPECT_LE(layout[3].first - layout[2].first, 40u);
  FlicDecoder d(file);
  ASSERT_TRUE(d.GoToFrame(3));
  EXPECT_EQ(d.image().pixels, frames[2].pixels);

  // An FLI line with more changes than 255 packets can hold is copied whole.
  std::vector<FlicFrame> busy(2, FlicFrame{Bytes(1200 * 2, 0), {}});
  for (size_t x = 0; x < 1200; x += 2) busy[1].pixels[1200 + x] = 5;
  FlicDecoder fli(EncodeFli(1200, 2, 1, busy));
  ASSERT_TRUE(fli.GoToFrame(2));
  EXPECT_EQ(fli.image().pixels, busy[1].pixels);
}

TEST(FlicDecoder, GoToFrameWrapsAndStopsAtTheCount) {
  const std::vector<FlicFrame> frames = test::MakeFrames(9, 8, 5);
  FlicDecoder d(EncodeFlc(9, 8, 10, frames));
  const int steps[][2] = {{3, 3}, {3, 3}, {5, 5}, {2, 2}, {1, 1}, {6, 5}, {4, 4}};
  for (const auto& s : steps) {
    EXPECT_EQ(d.GoToFrame(s[0]), s[0] <= 5) << s[0];
    EXPECT_EQ(d.current_frame(), s[1]);
    EXPECT_EQ(d.image().pixels, frames[static_cast<size_t>(s[1] - 1)].pixels);
  }
  EXPECT_FALSE(d.GoToFrame(0));

  // Starting over clears the palette: a frame 1 without a palette chunk shows black.
  FlicDecoder p(
      File(Header(kFlc, 2, 1, 1, 1), {Frame({Literal({1})}), Frame({test::RampPalette()})}));
  ASSERT_TRUE(p.GoToFrame(2));
  EXPECT_NE(p.image().Colour(1), 0u);
  ASSERT_TRUE(p.GoToFrame(1));
  EXPECT_EQ(p.image().Colour(1), 0u);
}

TEST(FlicPaint, Placement) {
  struct Case {
    FliPos pos;
    bool stretch;
    int aw, ah, fw, fh;
    FlicPlacement want;
  };
  const Case cases[] = {
      {FliPos::FliCentre, false, 640, 480, 320, 200, {160, 140, 320, 200}},
      {FliPos::FliCentre, false, 11, 10, 4, 3, {3, 3, 4, 3}},
      {FliPos::FliCentre, false, 4, 4, 7, 9, {-1, -2, 7, 9}},  // truncates toward zero
      {FliPos::FliLeft, false, 100, 100, 7, 9, {0, 0, 7, 9}},
      {FliPos::FliRight, false, 100, 100, 7, 9, {93, 0, 7, 9}},
      {FliPos::FliRight, true, 100, 50, 7, 9, {0, 0, 100, 50}},
  };
  for (const Case& c : cases) {
    const FlicPlacement p = PlaceFlic(c.pos, c.stretch, c.aw, c.ah, c.fw, c.fh);
    EXPECT_EQ(p.x, c.want.x);
    EXPECT_EQ(p.y, c.want.y);
    EXPECT_EQ(p.width, c.want.width);
    EXPECT_EQ(p.height, c.want.height);
  }
}

TEST(FlicPaint, ClipsAndScales) {
  FlicImage img;
  img.width = 2;
  img.height = 2;
  img.pixels = {0, 1, 2, 3};
  for (int i = 0; i < 4; ++i) img.palette[static_cast<size_t>(i) * 3] = static_cast<uint8_t>(i + 1);
  img.palette[1] = 0x80;
  Picture pic;
  pic.width = 3;
  pic.height = 3;
  pic.pixels.assign(9, 0xABCDEF);
  PaintFlic(img, pic, {-1, 2, 2, 2});  // only pixel (1,0) lands, at (0,2)
  EXPECT_EQ(pic.pixels, (std::vector<uint32_t>{0xABCDEF, 0xABCDEF, 0xABCDEF, 0xABCDEF, 0xABCDEF,
                                               0xABCDEF, 2, 0xABCDEF, 0xABCDEF}));
  pic.width = 4;
  pic.height = 4;
  pic.pixels.assign(16, 0);
  PaintFlic(img, pic, {0, 0, 4, 4});
  EXPECT_EQ(pic.at(0, 0), 0x8001u);
  EXPECT_EQ(pic.at(1, 1), 0x8001u);
  EXPECT_EQ(pic.at(2, 1), 2u);
  EXPECT_EQ(pic.at(3, 3), 4u);
  PaintFlic(img, pic, {5000000, 0, 2, 2});  // entirely outside: nothing happens
  PaintFlic(img, pic, {-2000000000, -2000000000, 2000000000, 2000000000});
}

TEST(FlicFile, ReadsWholeFilesAndReportsMissingOnes) {
  test::TempFolder folder;
  EXPECT_FALSE(ReadFlicFile(folder.Path("nothing.flc")).has_value());
  EXPECT_FALSE(ReadFlicFile(folder.Path("")).has_value());  // the folder itself
  const Bytes bytes = {1, 2, 3};
  EXPECT_EQ(ReadFlicFile(folder.Write("a.flc", bytes)), bytes);
}

}  // namespace
}  // namespace gp
