// The launcher's own artwork that the asset compiler writes into the program
// folder: the main-menu picture and its highlighted copy, the built-in ball
// pictures and the background animations, read back with the game's readers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "media/bitmap_codec.h"
#include "media/flic.h"
#include "support/game_dir.h"

namespace {

using gp::test::GameFile;

uint32_t U32(const gp::Bytes& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
int U16(const gp::Bytes& b, size_t at) {
  return b[at] | b[at + 1] << 8;
}

// Bits per pixel from a bitmap file's info header.
int BitmapDepth(const gp::Bytes& b) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return -1;
  return U16(b, 28);
}

// The launcher's hot spots in picture coordinates: an ellipse filling its box,
// or a polygon filled by the even-odd rule.
struct Spot {
  const char* name;
  bool ellipse;
  std::vector<double> p;
};
const Spot kSpots[] = {
    {"play", true, {115, 69, 182, 136}},
    {"training", false, {173, 71, 187, 88, 288, 88, 292, 79, 284, 72, 191, 69}},
    {"setup", false, {187, 91, 189, 109, 259, 109, 278, 99, 286, 91}},
    {"quit", false, {176, 131, 183, 122, 187, 113, 259, 111, 236, 121, 205, 128, 187, 131}},
    {"records", true, {312, 84, 377, 128}},
};

bool Inside(const Spot& s, double x, double y) {
  if (s.ellipse) {
    const double rx = (s.p[2] - s.p[0]) / 2, ry = (s.p[3] - s.p[1]) / 2;
    const double dx = (x - s.p[0] - rx) / rx, dy = (y - s.p[1] - ry) / ry;
    return dx * dx + dy * dy <= 1;
  }
  bool in = false;
  const size_t n = s.p.size() / 2;
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    const double xi = s.p[2 * i], yi = s.p[2 * i + 1], xj = s.p[2 * j], yj = s.p[2 * j + 1];
    if ((yi > y) != (yj > y) && x < xi + (xj - xi) * (y - yi) / (yj - yi)) in = !in;
  }
  return in;
}

// Whether any pixel rule of a region could count pixel (x, y) in: its centre
// or any of its corners lies inside.
bool Touches(const Spot& s, int x, int y) {
  return Inside(s, x + 0.5, y + 0.5) || Inside(s, x, y) || Inside(s, x + 1, y) ||
         Inside(s, x, y + 1) || Inside(s, x + 1, y + 1);
}

TEST(LauncherArt, MenuPicturesAre421x165With256Colours) {
  for (const char* file : {"mainmenu.bmp", "mainmenuhot.bmp"}) {
    SCOPED_TRACE(file);
    const gp::Bytes bytes = gp::ReadWholeFile(GameFile(file));
    EXPECT_EQ(BitmapDepth(bytes), 8);
    EXPECT_EQ(U32(bytes, 14), 40u);  // plain info header
    const uint32_t used = U32(bytes, 46);
    EXPECT_TRUE(used == 0 || used == 256) << used;
    const gp::Picture p = gp::DecodeBitmapFile(bytes.data(), bytes.size());
    EXPECT_EQ(p.width, 421);
    EXPECT_EQ(p.height, 165);
  }
}

TEST(LauncherArt, HighlightLightsEachSpotAndNothingElse) {
  const gp::Picture normal = gp::LoadBitmapFile(GameFile("mainmenu.bmp"));
  const gp::Picture hot = gp::LoadBitmapFile(GameFile("mainmenuhot.bmp"));
  ASSERT_EQ(normal.width, hot.width);
  ASSERT_EQ(normal.height, hot.height);
  std::map<std::string, int> changed, area;
  int outside = 0;
  for (int y = 0; y < normal.height; ++y) {
    for (int x = 0; x < normal.width; ++x) {
      const bool differs = normal.at(x, y) != hot.at(x, y);
      bool inany = false;
      for (const Spot& s : kSpots) {
        if (!Touches(s, x, y)) continue;
        inany = true;
        ++area[s.name];
        changed[s.name] += differs;
      }
      if (!inany && differs) ++outside;
    }
  }
  EXPECT_EQ(outside, 0) << "pixels outside every spot differ";
  for (const Spot& s : kSpots) {
    // The highlight must be plain to see: a good part of the region changes.
    EXPECT_GT(changed[s.name] * 3, area[s.name]) << s.name;
  }
}

TEST(LauncherArt, MenuSitsOnThePanelColour) {
  // The picture's hidden margin and the corners of the seen part blend into
  // the panel (224, 216, 207) around the control.
  const gp::Picture p = gp::LoadBitmapFile(GameFile("mainmenu.bmp"));
  const uint32_t panel = 224 | 216 << 8 | 207u << 16;
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{
           {0, 0}, {420, 164}, {27, 21}, {393, 21}, {27, 142}, {393, 142}})
    EXPECT_EQ(p.at(x, y), panel) << x << "," << y;
}

TEST(LauncherArt, BallPicturesHaveTheirMainColours) {
  const struct {
    const char* file;
    uint32_t colour;
  } kBalls[] = {
      {"launchball1.bmp", 234 | 234 << 8 | 234u << 16},
      {"launchball2.bmp", 95 | 44 << 8 | 250u << 16},
      {"launchball3.bmp", 6 | 245 << 8 | 88u << 16},
      {"launchball4.bmp", 250 | 44 << 8 | 44u << 16},
  };
  for (const auto& ball : kBalls) {
    SCOPED_TRACE(ball.file);
    const gp::Bytes bytes = gp::ReadWholeFile(GameFile(ball.file));
    EXPECT_EQ(BitmapDepth(bytes), 24);
    const gp::Picture p = gp::DecodeBitmapFile(bytes.data(), bytes.size());
    ASSERT_EQ(p.width, 16);
    ASSERT_EQ(p.height, 16);
    std::map<uint32_t, int> count;
    for (uint32_t c : p.pixels) ++count[c];
    EXPECT_GE(count[ball.colour], 128) << "the main colour covers most of the ball";
    for (const auto& [c, n] : count) EXPECT_LE(n, count[ball.colour]) << std::hex << c;
  }
}

// An animation read with the game's decoder: its header, how many pixels
// change from each frame to the next (the last entry: from the last frame back
// to the first), and the colours of the frames asked for.
struct Movie {
  int width = 0, height = 0, count = 0;
  int64_t delay = 0;
  size_t bytes = 0;
  int decoded = 0;
  std::vector<int> steps;
  std::map<int, std::vector<uint32_t>> kept;  // by frame number, 1-based
};

std::vector<uint32_t> Colours(const gp::FlicImage& image) {
  std::vector<uint32_t> out;
  out.reserve(image.pixels.size());
  for (uint8_t i : image.pixels) out.push_back(image.Colour(i));
  return out;
}

int Changed(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  if (a.size() != b.size()) return static_cast<int>(std::max(a.size(), b.size()));
  int n = 0;
  for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
  return n;
}

Movie Decode(const std::string& file, const std::vector<int>& keep) {
  Movie m;
  std::optional<std::vector<uint8_t>> bytes = gp::ReadFlicFile(GameFile(file));
  if (!bytes || bytes->size() < 128) {
    ADD_FAILURE() << "cannot read " << file;
    return m;
  }
  m.bytes = bytes->size();
  EXPECT_EQ(U16(*bytes, 4), 0xAF12) << file << " is an FLC";
  EXPECT_EQ(U16(*bytes, 12), 8) << file << " has 8 bits per pixel";
  gp::FlicDecoder d(std::move(*bytes));
  m.width = d.width(), m.height = d.height(), m.count = d.frame_count(), m.delay = d.delay_ms();
  std::vector<uint32_t> first, previous;
  while (d.DecodeNext()) {
    std::vector<uint32_t> now = Colours(d.image());
    ++m.decoded;
    if (std::find(keep.begin(), keep.end(), m.decoded) != keep.end()) m.kept[m.decoded] = now;
    if (m.decoded == 1) first = now;
    if (m.decoded > 1) m.steps.push_back(Changed(previous, now));
    previous = std::move(now);
  }
  if (m.decoded > 1) m.steps.push_back(Changed(previous, first));
  EXPECT_EQ(d.status(), gp::FlicStatus::kEnd) << file << ": " << d.error();
  return m;
}

// Each file is decoded once for all tests, keeping frames 1, 15 and 30.
const Movie& Load(const std::string& file) {
  static std::map<std::string, Movie> movies;
  auto it = movies.find(file);
  if (it == movies.end()) it = movies.emplace(file, Decode(file, {1, 15, 30})).first;
  return it->second;
}

TEST(LauncherArt, AnimationsHaveTheirFramesSizeAndPace) {
  const struct {
    const char* file;
    int minframes;
  } kFiles[] = {{"interface_loop.flc", 60}, {"interface.flc", 30}};
  for (const auto& f : kFiles) {
    SCOPED_TRACE(f.file);
    const Movie& m = Load(f.file);
    EXPECT_EQ(m.width, 640);
    EXPECT_EQ(m.height, 480);
    EXPECT_GE(m.count, f.minframes);
    EXPECT_EQ(m.decoded, m.count) << "every frame decodes";
    EXPECT_GE(m.delay, 40);
    EXPECT_LE(m.delay, 70);
    EXPECT_LT(m.bytes, 512u * 1024) << "the launcher reads it whole";
  }
}

TEST(LauncherArt, LoopClosesAndTransitionLandsOnIt) {
  const Movie& loop = Load("interface_loop.flc");
  const Movie& warp = Load("interface.flc");
  ASSERT_GE(loop.steps.size(), 2u);
  ASSERT_TRUE(loop.kept.count(1));
  ASSERT_EQ(warp.kept.size(), 3u);
  // The loop moves on every step, and its last frame leads into the first no
  // more abruptly than any other step does.
  for (size_t k = 0; k < loop.steps.size(); ++k) EXPECT_GT(loop.steps[k], 0) << "step " << k + 1;
  const int largest = *std::max_element(loop.steps.begin(), loop.steps.end() - 1);
  EXPECT_LE(loop.steps.back(), largest);
  // The transition starts from the loop's first picture and comes back to it
  // at frame 30, after which the launcher shows frame 1 and starts the loop.
  const std::vector<uint32_t>& start = loop.kept.at(1);
  EXPECT_EQ(Changed(warp.kept.at(1), start), 0);
  EXPECT_EQ(Changed(warp.kept.at(30), start), 0);
  EXPECT_GT(Changed(warp.kept.at(15), start), 1000) << "the warp shows";
}

}  // namespace
