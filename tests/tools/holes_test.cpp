// The holes the asset compiler makes: the game's readers load them, the areas
// fit the course picture, fixed sprite positions land on art drawn for them,
// the cups chain the rounds, and the compiler is deterministic.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/hole_file.h"
#include "core/state.h"
#include "present/image_list.h"
#include "present/wave_list.h"

namespace {

const std::string kGame = std::string(GALAPUTT_GAME_DIR) + "/";

// Each hole and the hole its cup leads to.
const std::map<std::string, std::string> kNext = {
    {"training1", "course1hole2"},    {"course1hole1", "course2hole1"},
    {"course2hole1", "course1hole3"}, {"course1hole3", "course1hole4"},
    {"course1hole4", "course2hole9"}, {"course5hole1", "course2hole9"},
    {"course2hole9", "course3hole6"}, {"course3hole6", "course1hole1"},
};

struct Sprite {
  int x, y, image;
};

// Sprites placed at fixed course positions by hole set-up and the hole animations.
const std::map<std::string, std::vector<Sprite>> kFixed = {
    {"training1", {{340, 165, 9}, {1071, 364, 10}, {218, 647, 11}}},
    {"course1hole3", {{930, 240, 9}, {470, 808, 9}, {520, 822, 9}, {236, 127, 9}, {171, 125, 9}}},
    {"course2hole1", {{469, 779, 11}, {345, 702, 5}, {347, 711, 6}}},
    {"course2hole9",
     {{511, 81, 9}, {666, 518, 10}, {171, 781, 11}, {511, 181, 9}, {666, 618, 10}, {171, 881, 11}}},
    {"course3hole6", {{245, 189, 8}, {776, 189, 9}, {791, 536, 10}, {237, 528, 11}}},
};

// Cycling obstacles: sprite position, image and the area that follows it.
struct Obstacle {
  int x, y, image, area;
};
const std::map<std::string, std::vector<Obstacle>> kObstacles = {
    {"course2hole9", {{511, 181, 9, 40}, {666, 618, 10, 41}, {171, 881, 11, 42}}},
    {"course3hole6",
     {{245, 189, 8, 72}, {776, 189, 9, 73}, {791, 536, 10, 74}, {237, 528, 11, 71}}},
};

class Hole : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    gp::LoadImageList(images_, kGame + GetParam() + ".dxg", false);
    gp::ResetGameState();
    gp::gs().numplayers = 1;
    gp::LoadHoleFile(kGame + GetParam() + ".hole");
  }
  const gp::Picture& Course() const { return images_.items[0].picture; }
  // Pattern size of an item (the whole picture when it has no patterns).
  void PatternSize(int image, int& w, int& h) const {
    const gp::ImageItem& it = images_.items.at(image);
    w = it.patternwidth > 0 ? it.patternwidth : it.picture.width;
    h = it.patternheight > 0 ? it.patternheight : it.picture.height;
  }
  // Share of the course pixels under a sprite that are not dark space.
  double ArtShare(const Sprite& s) const {
    int w, h, art = 0, all = 0;
    PatternSize(s.image, w, h);
    for (int y = s.y; y < s.y + h; ++y) {
      for (int x = s.x; x < s.x + w; ++x) {
        if (x < 0 || y < 0 || x >= Course().width || y >= Course().height) continue;
        const uint32_t c = Course().at(x, y);
        const double lum = 0.3 * (c & 255) + 0.59 * ((c >> 8) & 255) + 0.11 * ((c >> 16) & 255);
        art += lum >= 48;
        ++all;
      }
    }
    return all ? double(art) / all : 0;
  }
  // True when pattern 0 of the item has a pixel that is neither the key nor black.
  bool Visible(int image) const {
    int w, h;
    PatternSize(image, w, h);
    const gp::ImageItem& it = images_.items.at(image);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if ((it.picture.at(x, y) & 0xF8FCF8) != 0) return true;
      }
    }
    return false;
  }
  // Every sprite the hole's areas place at a fixed spot.
  std::vector<Sprite> AreaSprites() const {
    std::vector<Sprite> out;
    for (int i = 1; i <= gp::kMaxAreas; ++i) {
      const gp::arearec& a = gp::gs().areas[i];
      if (a.kind == 12) out.push_back({a.x1 - 27, a.y1 - 147, 3});
      if (a.kind == 26) out.push_back({a.p1, a.p2, a.p3});
      if ((a.kind == 13 || a.kind == 43) && a.p1 != 0) out.push_back({a.p1, a.p2, a.p4});
      if (a.kind == 30 && a.p1 != 0) out.push_back({a.p1, a.p2, std::atoi(a.comment.c_str())});
      if (a.kind == 36) out.push_back({1006, 71, 8});
      if (a.kind == 29 && a.comment == "cannon") out.push_back({1097, 76, 5});
      if (a.kind == 35) out.push_back({a.x1 - 80, a.y1 - 62, 7});
      if (a.kind == 25) {
        out.push_back({a.x1 - 17, a.y1 - 28, 13});
        out.push_back({a.x2 - 17, a.y2 - 28 - std::abs(a.y3 - a.y2), 13});
      }
    }
    return out;
  }
  gp::ImageList images_;
};

TEST_P(Hole, GameReadersLoadEveryFile) {
  ASSERT_GE(images_.Count(), 17);
  const gp::Picture& course = Course();
  EXPECT_GE(course.width, 640);
  EXPECT_GE(course.height, 480);
  EXPECT_EQ(course.width % 24, 0);
  const gp::ImageItem& fg = images_.items[1];
  EXPECT_EQ(fg.picture.width, course.width);
  EXPECT_EQ(fg.picture.height, course.height);
  EXPECT_EQ(fg.patternwidth, 24);
  EXPECT_EQ(fg.patternheight, 24);
  const gp::Picture& card = images_.items[12].picture;
  EXPECT_LE(card.width, 512);
  EXPECT_LE(card.height, 384);
  for (int i : {2, 3, 4, 13, 14, 15, 16}) EXPECT_TRUE(Visible(i)) << "item " << i;
  gp::WaveList waves;
  gp::LoadWaveList(waves, kGame + GetParam() + ".dxw");
  ASSERT_EQ(waves.Count(), 2);
  EXPECT_TRUE(waves.items[0].looped);
  EXPECT_GT(waves.items[0].frames, 22050u);
  EXPECT_GT(waves.items[1].frames, 0u);
}

TEST_P(Hole, EveryAreaLiesInsideTheCoursePicture) {
  const int w = Course().width, h = Course().height;
  auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h; };
  for (int i = 1; i <= gp::kMaxAreas; ++i) {
    const gp::arearec& a = gp::gs().areas[i];
    if (a.kind == 0) continue;
    if (a.r >= 1) {
      EXPECT_TRUE(inside(a.x1 - a.r, a.y1 - a.r / 2) && inside(a.x1 + a.r, a.y1 + a.r / 2)) << i;
    } else {
      EXPECT_TRUE(inside(a.x1, a.y1) && inside(a.x2, a.y2)) << i;
      if (a.x3 != 0) {
        EXPECT_TRUE(inside(a.x3, a.y3) && inside(a.x4, a.y4)) << i;
      }
    }
    EXPECT_FALSE(a.r < 1 && (a.x3 == 0) != (a.x4 == 0)) << "area " << i << " has no shape";
  }
  EXPECT_TRUE(
      inside(static_cast<int>(gp::gs().players[1].x), static_cast<int>(gp::gs().players[1].y)));
}

TEST_P(Hole, FixedSpritesLandOnArtDrawnForThem) {
  std::vector<Sprite> sprites = AreaSprites();
  const auto it = kFixed.find(GetParam());
  if (it != kFixed.end()) sprites.insert(sprites.end(), it->second.begin(), it->second.end());
  for (const Sprite& s : sprites) {
    ASSERT_LT(s.image, images_.Count()) << s.x << "," << s.y;
    EXPECT_TRUE(Visible(s.image)) << "image " << s.image;
    EXPECT_GE(ArtShare(s), 0.5) << "sprite at " << s.x << "," << s.y << " image " << s.image;
  }
}

TEST_P(Hole, OneCupChainsToTheNextHole) {
  int cups = 0;
  for (int i = 1; i <= gp::kMaxAreas; ++i) cups += gp::gs().areas[i].kind == 5;
  EXPECT_EQ(cups, 1);
  EXPECT_EQ(gp::gs().nexthole, kNext.at(GetParam()));
}

TEST_P(Hole, CyclingObstaclesStandOnTheirAreas) {
  const auto it = kObstacles.find(GetParam());
  if (it == kObstacles.end()) GTEST_SKIP();
  for (const Obstacle& o : it->second) {
    int w, h;
    PatternSize(o.image, w, h);
    const gp::arearec& a = gp::gs().areas[o.area];
    ASSERT_NE(a.kind, 0) << o.area;
    for (auto [x, y] : {std::pair{a.x1, a.y1}, std::pair{a.x2, a.y2}}) {
      EXPECT_TRUE(x >= o.x && x < o.x + w && y >= o.y && y < o.y + h) << "area " << o.area;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Holes, Hole,
                         ::testing::Values("training1", "course1hole1", "course2hole1",
                                           "course1hole3", "course1hole4", "course2hole9",
                                           "course3hole6", "course5hole1"));

TEST(Holes, BonusPickUpLiesOnABonusArea) {
  gp::ResetGameState();
  gp::gs().numplayers = 1;
  gp::LoadHoleFile(kGame + "course2hole1.hole");
  bool found = false;
  for (int i = 1; i <= gp::kMaxAreas; ++i) {
    const gp::arearec& a = gp::gs().areas[i];
    // The pick-up picture is 28 x 28 at (345, 702); its ground point is the area's centre.
    found = found || (a.kind == 35 && a.enabled && a.x1 >= 345 && a.x1 < 373 && a.y1 >= 702 &&
                      a.y1 < 702 + 28 + 8);
  }
  EXPECT_TRUE(found);
}

TEST(Holes, HiddenAreaAndTextSwitchAreWhereTheRoundNeedsThem) {
  gp::ResetGameState();
  gp::LoadHoleFile(kGame + "course1hole3.hole");
  bool hidden = false;
  for (int i = 1; i <= gp::kMaxAreas; ++i) {
    hidden = hidden || (gp::gs().areas[i].kind == 29 && gp::gs().areas[i].comment == "hidden");
  }
  EXPECT_TRUE(hidden);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Holes, TwoCompilerRunsGiveTheSameBytes) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("galaputt_holes_again_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::vector<std::string> holes = {"course1hole1", "course2hole9", "course5hole1"};
  std::string cmd = kGame + "galaputt-assets --out " + dir.string() + " --content " +
                    GALAPUTT_SOURCE_DIR + "/content";
  for (const std::string& h : holes) cmd += " hole:" + h;
  ASSERT_EQ(std::system((cmd + " >/dev/null").c_str()), 0);
  for (const std::string& h : holes) {
    for (const char* ext : {".hole", ".dxg", ".dxw"}) {
      const std::string again = ReadAll((dir / (h + ext)).string());
      EXPECT_FALSE(again.empty()) << h << ext;
      EXPECT_TRUE(again == ReadAll(kGame + h + ext)) << h << ext << " differs between runs";
    }
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
