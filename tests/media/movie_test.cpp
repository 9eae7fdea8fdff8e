// The FFmpeg movie reader on small AVI files written with the asset
// compiler's movie writer, and on missing, foreign, truncated and garbage files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/ffmpeg/ffmpeg_movie.h"
#include "support/hostile_files.h"
#include "tools/assets/movie_writer.h"

namespace gp {
namespace {

constexpr int kW = 64, kH = 48, kFps = 10, kFrames = 12;

std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "galaputt_movie_" + name;
}

// Frame f: its left half a colour that changes with f, its right half grey.
uint32_t LeftColour(int f) {
  return static_cast<uint32_t>(0x20 + 16 * f) << 16 | 0x3060;
}

std::vector<uint32_t> MakeFrame(int f) {  // native 0xAARRGGBB
  std::vector<uint32_t> px(kW * kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) px[y * kW + x] = x < kW / 2 ? LeftColour(f) : 0x808080;
  }
  return px;
}

std::vector<int16_t> Tone(int samples) {
  std::vector<int16_t> s(samples);
  for (int i = 0; i < samples; ++i) s[i] = static_cast<int16_t>(8000 * std::sin(i * 0.05));
  return s;
}

std::string WriteMovie(const std::string& name, bool sound) {
  const std::string path = TempPath(name);
  assets::MovieFormat format;
  format.width = kW;
  format.height = kH;
  format.fps = kFps;
  format.quantiser = 2;
  format.keyinterval = 4;
  assets::MovieWriter w(path, format,
                        sound ? Tone(22050 * kFrames / kFps) : std::vector<int16_t>{});
  for (int f = 0; f < kFrames; ++f) {
    const std::vector<uint32_t> px = MakeFrame(f);
    w.AddFrame(reinterpret_cast<const uint8_t*>(px.data()), kW * 4);
  }
  w.Finish();
  return path;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::string WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = TempPath(name);
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

int Channel(uint32_t c, int ch) {
  return static_cast<int>((c >> (8 * ch)) & 255);
}

// Decodes every frame; checks each has the natural size. Returns the count.
int CountFrames(Movie& m, int limit = 1000) {
  std::vector<uint32_t> frame;
  int n = 0;
  while (n < limit && m.NextFrame(frame)) {
    EXPECT_EQ(frame.size(), static_cast<size_t>(m.Width()) * m.Height());
    ++n;
  }
  return n;
}

TEST(MovieTest, DecodesFramesAtNaturalSizeWithTheirColours) {
  const std::string path = WriteMovie("colours.avi", true);
  std::string error;
  std::unique_ptr<Movie> m = OpenFfmpegMovie(path, error);
  ASSERT_TRUE(m) << error;
  EXPECT_EQ(m->Width(), kW);
  EXPECT_EQ(m->Height(), kH);
  EXPECT_DOUBLE_EQ(m->FrameRate(), kFps);
  EXPECT_EQ(m->DurationMs(), 1200);
  std::vector<uint32_t> frame;
  for (int f = 0; f < kFrames; ++f) {
    ASSERT_TRUE(m->NextFrame(frame)) << f;
    // Colours 0x00BBGGRR: red lowest. Left half: red 0x20 + 16 f, green 0x30, blue 0x60.
    const uint32_t left = frame[20 * kW + 8], right = frame[20 * kW + 56];
    const uint32_t want = LeftColour(f);
    EXPECT_NEAR(Channel(left, 0), Channel(want, 2), 6) << f;
    EXPECT_NEAR(Channel(left, 1), Channel(want, 1), 6) << f;
    EXPECT_NEAR(Channel(left, 2), Channel(want, 0), 6) << f;
    EXPECT_EQ(left >> 24, 0u);
    for (int ch = 0; ch < 3; ++ch) EXPECT_NEAR(Channel(right, ch), 0x80, 4);
  }
  EXPECT_FALSE(m->AtEnd());
  EXPECT_FALSE(m->NextFrame(frame));
  EXPECT_TRUE(m->AtEnd());
  EXPECT_FALSE(m->NextFrame(frame));
}

TEST(MovieTest, SoundTrackComesOutAt22050HzMono) {
  std::string error;
  std::unique_ptr<Movie> m = OpenFfmpegMovie(WriteMovie("sound.avi", true), error);
  ASSERT_TRUE(m) << error;
  ASSERT_TRUE(m->HasAudio());
  const std::vector<int16_t> want = Tone(22050 * kFrames / kFps);
  const std::vector<int16_t>& got = m->Audio();
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); i += 97) ASSERT_NEAR(got[i], want[i], 2) << i;

  std::unique_ptr<Movie> silent = OpenFfmpegMovie(WriteMovie("silent.avi", false), error);
  ASSERT_TRUE(silent) << error;
  EXPECT_FALSE(silent->HasAudio());
  EXPECT_TRUE(silent->Audio().empty());
  EXPECT_EQ(CountFrames(*silent), kFrames);
}

TEST(MovieTest, MissingForeignAndGarbageFilesAreRefusedWithOneLine) {
  std::vector<uint8_t> garbage(5000);
  uint32_t s = 12345;
  for (uint8_t& b : garbage) b = static_cast<uint8_t>((s = s * 1664525u + 1013904223u) >> 24);
  std::vector<uint8_t> fake_riff = {'R', 'I', 'F', 'F', 0xFF, 0xFF, 0xFF, 0x7F,
                                    'A', 'V', 'I', ' ', 'L',  'I',  'S',  'T'};
  fake_riff.insert(fake_riff.end(), garbage.begin(), garbage.end());
  // A RIFF WAVE file: readable by FFmpeg, but not an AVI.
  std::vector<uint8_t> wave = {'R', 'I', 'F',  'F',  36,  0,   0,    0,    'W', 'A', 'V',
                               'E', 'f', 'm',  't',  ' ', 16,  0,    0,    0,   1,   0,
                               1,   0,   0x22, 0x56, 0,   0,   0x44, 0xAC, 0,   0,   2,
                               0,   16,  0,    'd',  'a', 't', 'a',  0,    0,   0,   0};
  const std::string paths[] = {
      TempPath("does_not_exist.avi"),     WriteBytes("empty.avi", {}),
      WriteBytes("garbage.avi", garbage), WriteBytes("fake_riff.avi", fake_riff),
      WriteBytes("wave.avi", wave),
  };
  for (const std::string& path : paths) {
    std::string error;
    EXPECT_FALSE(OpenFfmpegMovie(path, error)) << path;
    EXPECT_FALSE(error.empty()) << path;
    EXPECT_EQ(error.find('\n'), std::string::npos) << path;
  }
}

// A 1.3 KB file declaring 16 000 x 16 000 is refused by its declared size, before a
// decoder would make room for a picture that large; a fair size of the same kind
// plays, the whole picture black.
TEST(MovieTest, DeclaredSizesBeyondTheLimitAreRefusedBeforeDecoding) {
  for (const auto& [w, h] : {std::pair{16000, 16000}, {4097, 16}, {4096, 4096}}) {
    std::string error;
    EXPECT_FALSE(OpenFfmpegMovie(WriteBytes("huge.avi", test::RleAvi(w, h)), error)) << w;
    EXPECT_EQ(error, "its picture size " + std::to_string(w) + " by " + std::to_string(h) +
                         " is out of range");
  }
  std::string error;
  std::unique_ptr<Movie> m = OpenFfmpegMovie(WriteBytes("rle.avi", test::RleAvi(64, 48)), error);
  ASSERT_TRUE(m) << error;
  EXPECT_EQ(m->Width(), 64);
  std::vector<uint32_t> frame;
  ASSERT_TRUE(m->NextFrame(frame));
  EXPECT_EQ(std::count(frame.begin(), frame.end(), 0u), 64 * 48);

  // The same for a movie whose coded pictures carry their own size: the headers'
  // size refuses it; headers that declare no size leave it to the pictures.
  std::vector<uint8_t> avi = ReadFile(WriteMovie("declared_src.avi", false));
  ASSERT_TRUE(test::DeclareAviSize(avi, 16000, 16000));
  EXPECT_FALSE(OpenFfmpegMovie(WriteBytes("declared.avi", avi), error));
  ASSERT_TRUE(test::DeclareAviSize(avi, 0, 0));
  m = OpenFfmpegMovie(WriteBytes("undeclared.avi", avi), error);
  ASSERT_TRUE(m) << error;
  EXPECT_EQ(m->Width(), kW);
  EXPECT_EQ(CountFrames(*m), kFrames);
}

TEST(MovieTest, TruncatedFilesOpenShortOrAreRefusedNeverHang) {
  const std::vector<uint8_t> whole = ReadFile(WriteMovie("whole.avi", true));
  ASSERT_GT(whole.size(), 2000u);
  const size_t cuts[] = {
      4, 12, 100, 300, whole.size() / 3, whole.size() / 2, whole.size() - 200, whole.size() - 1};
  for (size_t cut : cuts) {
    const std::string path =
        WriteBytes("cut.avi", std::vector<uint8_t>(whole.begin(), whole.begin() + cut));
    std::string error;
    std::unique_ptr<Movie> m = OpenFfmpegMovie(path, error);
    if (!m) {
      EXPECT_FALSE(error.empty()) << cut;
      continue;
    }
    EXPECT_EQ(m->Width(), kW) << cut;
    EXPECT_LE(CountFrames(*m), kFrames) << cut;
    EXPECT_TRUE(m->AtEnd()) << cut;
  }
  // The headers alone, up to the start of the data, are refused: nothing could be shown.
  const char movi[] = {'m', 'o', 'v', 'i'};
  const auto data = std::search(whole.begin(), whole.end(), movi, movi + 4);
  ASSERT_NE(data, whole.end());
  std::string error;
  EXPECT_FALSE(OpenFfmpegMovie(
      WriteBytes("header.avi", std::vector<uint8_t>(whole.begin(), data + 4)), error));
  EXPECT_FALSE(error.empty());
}

TEST(MovieTest, DamagedBytesInsideNeverCrash) {
  const std::vector<uint8_t> whole = ReadFile(WriteMovie("damaged_src.avi", true));
  uint32_t s = 99;
  for (int round = 0; round < 24; ++round) {
    std::vector<uint8_t> bytes = whole;
    // Overwrite a run of bytes somewhere: headers in early rounds, data later.
    const size_t at = round < 8 ? 8 + round * 28 : (s = s * 1664525u + 1013904223u) % bytes.size();
    for (size_t i = at; i < std::min(bytes.size(), at + 16); ++i) {
      bytes[i] = static_cast<uint8_t>((s = s * 1664525u + 1013904223u) >> 24);
    }
    std::string error;
    std::unique_ptr<Movie> m = OpenFfmpegMovie(WriteBytes("damaged.avi", bytes), error);
    if (!m) {
      EXPECT_FALSE(error.empty()) << round;
      continue;
    }
    EXPECT_GT(m->Width(), 0);
    EXPECT_LT(CountFrames(*m), 1000) << round;
  }
}

}  // namespace
}  // namespace gp
