// The holes the asset compiler makes: the game's readers load them, the areas
// fit the course picture, fixed sprite positions land on art drawn for them,
// the cups chain the rounds, and the compiler is deterministic.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/profile.h"
#include "game/area_kind.h"
#include "game/hole_file.h"
#include "game/hole_tables.h"
#include "game/state.h"
#include "media/image_list.h"
#include "media/wave_list.h"
#include "sim/hole_setup.h"
#include "support/game_dir.h"
#include "tests/tools/putt_lab.h"

namespace {

using gp::test::kGameDir;

// Each hole and the hole its cup leads to.
// The course ends on course3hole6 and the training round on course4hole3: their
// cups name the first hole of their round again.
const std::map<std::string, std::string> kNext = {
    {"course1hole1", "course2hole1"}, {"course2hole1", "course1hole3"},
    {"course1hole3", "course1hole4"}, {"course1hole4", "course2hole9"},
    {"course2hole9", "course3hole6"}, {"course3hole6", "course1hole1"},
    {"course5hole1", "course2hole9"}, {"course4hole4", "course3hole6"},
    {"training1", "course1hole2"},    {"course1hole2", "course2hole5"},
    {"course2hole5", "course1hole5"}, {"course1hole5", "course3hole9"},
    {"course3hole9", "course4hole3"}, {"course4hole3", "training1"},
};

// The Comet Reef's holes, as the program folder holds them, and the hole each
// cup leads to; the last names the first again.
const std::map<std::string, std::string> kReefNext = {
    {"courses/reef/reef1", "reef2"}, {"courses/reef/reef2", "reef3"},
    {"courses/reef/reef3", "reef4"}, {"courses/reef/reef4", "reef5"},
    {"courses/reef/reef5", "reef6"}, {"courses/reef/reef6", "reef7"},
    {"courses/reef/reef7", "reef8"}, {"courses/reef/reef8", "reef9"},
    {"courses/reef/reef9", "reef1"},
};

std::string NextOf(const std::string& hole) {
  const auto r = kReefNext.find(hole);
  return r != kReefNext.end() ? r->second : kNext.at(hole);
}

std::vector<std::string> HolesOf(const std::map<std::string, std::string>& next) {
  std::vector<std::string> holes;
  for (const auto& [hole, n] : next) holes.push_back(hole);
  return holes;
}

struct Sprite {
  int x, y, image;
};

class Hole : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    gp::LoadImageList(images_, kGameDir + GetParam() + ".dxg", false);
    gp::ResetGameState();
    gp::gs().numplayers = 1;
    gp::LoadHoleFile(kGameDir + GetParam() + ".hole");
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
      const gp::Area& a = gp::gs().areas[i];
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
  gp::LoadWaveList(waves, kGameDir + GetParam() + ".dxw");
  ASSERT_EQ(waves.Count(), 2);
  EXPECT_TRUE(waves.items[0].looped);
  EXPECT_GT(waves.items[0].frames, 22050u);
  EXPECT_GT(waves.items[1].frames, 0u);
}

TEST_P(Hole, EveryAreaLiesInsideTheCoursePicture) {
  const int w = Course().width, h = Course().height;
  auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h; };
  for (int i = 1; i <= gp::kMaxAreas; ++i) {
    const gp::Area& a = gp::gs().areas[i];
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
  // The cycling obstacles and the decorations the game places for this hole name.
  for (const gp::Obstacle& o : gp::Obstacles()) {
    if (GetParam() == o.hole) sprites.push_back({o.x, o.y, o.image});
  }
  gp::PlaceDecorations(GetParam());
  for (int slot = 35; slot <= 40; ++slot) {
    const gp::Sprite& sp = gp::gs().sprites[slot];
    if (sp.x != 0 || sp.y != 0) sprites.push_back({sp.x, sp.y, sp.image});
  }
  for (const Sprite& s : sprites) {
    ASSERT_LT(s.image, images_.Count()) << s.x << "," << s.y;
    EXPECT_TRUE(Visible(s.image)) << "image " << s.image;
    EXPECT_GE(ArtShare(s), 0.5) << "sprite at " << s.x << "," << s.y << " image " << s.image;
  }
}

TEST_P(Hole, OneCupChainsToTheNextHole) {
  int cups = 0;
  for (int i = 1; i <= gp::kMaxAreas; ++i) cups += gp::gs().areas[i].kind == gp::kCup;
  EXPECT_EQ(cups, 1);
  EXPECT_EQ(gp::gs().nexthole, NextOf(GetParam()));
}

TEST_P(Hole, CyclingObstaclesStandOnTheirAreas) {
  for (const gp::Obstacle& o : gp::Obstacles()) {
    if (GetParam() != o.hole) continue;
    int w, h;
    PatternSize(o.image, w, h);
    const gp::Area& a = gp::gs().areas[o.area];
    ASSERT_NE(a.kind, 0) << o.area;
    for (auto [x, y] : {std::pair{a.x1, a.y1}, std::pair{a.x2, a.y2}}) {
      EXPECT_TRUE(x >= o.x && x < o.x + w && y >= o.y && y < o.y + h) << "area " << o.area;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Holes, Hole,
                         ::testing::Values("course1hole1", "course2hole1", "course1hole3",
                                           "course1hole4", "course2hole9", "course3hole6",
                                           "course5hole1", "course4hole4", "training1",
                                           "course1hole2", "course2hole5", "course1hole5",
                                           "course3hole9", "course4hole3"));
INSTANTIATE_TEST_SUITE_P(Reef, Hole, ::testing::ValuesIn(HolesOf(kReefNext)));

TEST(Holes, BonusPickUpLiesOnABonusArea) {
  gp::ResetGameState();
  gp::gs().numplayers = 1;
  gp::LoadHoleFile(kGameDir + "course2hole1.hole");
  bool found = false;
  for (int i = 1; i <= gp::kMaxAreas; ++i) {
    const gp::Area& a = gp::gs().areas[i];
    // The pick-up picture is 28 x 28 at (345, 702); its ground point is the area's centre.
    found = found || (a.kind == 35 && a.enabled && a.x1 >= 345 && a.x1 < 373 && a.y1 >= 702 &&
                      a.y1 < 702 + 28 + 8);
  }
  EXPECT_TRUE(found);
}

TEST(Holes, HiddenSpotOnHoleThreeAndNoSwitchToAMissingHole) {
  gp::ResetGameState();
  gp::LoadHoleFile(kGameDir + "course1hole3.hole");
  bool hidden = false;
  for (int i = 1; i <= gp::kMaxAreas; ++i) {
    hidden = hidden || (gp::gs().areas[i].kind == 29 && gp::gs().areas[i].comment == "hidden");
  }
  EXPECT_TRUE(hidden);
  // A next-hole switch may only name a hole that exists.
  for (const auto& [hole, next] : kNext) {
    gp::LoadHoleFile(kGameDir + hole + ".hole");
    for (int i = 1; i <= gp::kMaxAreas; ++i) {
      const gp::Area& a = gp::gs().areas[i];
      if (a.kind == 28 && a.p1 == 0) {
        EXPECT_TRUE(kNext.count(a.comment)) << hole << " " << a.comment;
      }
    }
  }
}

// Every area of a hole file, as the game reads it.
std::vector<gp::Area> Areas(const std::string& hole) {
  gp::ResetGameState();
  gp::gs().numplayers = 1;
  gp::LoadHoleFile(kGameDir + hole + ".hole");
  std::vector<gp::Area> out;
  for (int i = 1; i <= gp::kMaxAreas; ++i) {
    if (gp::gs().areas[i].kind != 0) out.push_back(gp::gs().areas[i]);
  }
  return out;
}

TEST(Holes, EveryAreaKindWithAnEffectIsUsedSomewhere) {
  std::set<int> used;
  for (const auto& [hole, next] : kNext) {
    for (const gp::Area& a : Areas(hole)) used.insert(a.kind);
  }
  // 31, 39, 41, 42 and 44 have no effect.
  std::string missing;
  for (int kind = 1; kind <= 45; ++kind) {
    const bool effect = kind != 31 && kind != 39 && kind != 41 && kind != 42 && kind != 44;
    if (effect && !used.count(kind)) missing += " " + std::to_string(kind);
  }
  EXPECT_EQ(missing, "") << "kinds no hole uses";
}

// Follows the cups from `first`, taking the switch named in `detours` where
// the round passes the hole that has it; returns the holes played.
std::vector<std::string> Round(const std::string& first,
                               const std::map<std::string, std::string>& detours = {}) {
  std::vector<std::string> played{first};
  while (played.size() < 6) {
    const auto d = detours.find(played.back());
    played.push_back(d != detours.end() ? d->second : kNext.at(played.back()));
  }
  return played;
}

TEST(Holes, EveryRoundPlaysSixHolesNumberedInOrderAndEndsWhereItBegan) {
  const std::vector<std::vector<std::string>> rounds = {
      Round("course1hole1"),
      Round("course1hole1", {{"course1hole3", "course5hole1"}}),  // the hidden spot
      Round("course1hole1", {{"course1hole4", "course4hole4"}}),  // the text switch
      Round("training1"),
  };
  for (const auto& round : rounds) {
    EXPECT_EQ(kNext.at(round.back()), round.front()) << round.back();
    std::set<std::string> distinct(round.begin(), round.end());
    EXPECT_EQ(distinct.size(), 6u) << round.front();
    for (size_t i = 0; i < round.size(); ++i) {
      const gp::Profile p = gp::Profile::FromFile(kGameDir + round[i] + ".hole");
      EXPECT_EQ(p.ReadInteger("canvas", "number", 0), static_cast<int>(i + 1))
          << round[i] << " is hole " << i + 1 << " of its round; its card must say so";
    }
  }
  EXPECT_EQ(Round("training1").back(), "course4hole3");
  EXPECT_EQ(Round("course1hole1", {{"course1hole4", "course4hole4"}})[4], "course4hole4");
}

TEST(Holes, TheTextSwitchOfHoleFourSendsToTheSecretHole) {
  int switches = 0;
  for (const gp::Area& a : Areas("course1hole4")) {
    if (a.kind != 28) continue;
    ++switches;
    EXPECT_EQ(a.p1, 0);  // the next-hole slot
    EXPECT_EQ(a.comment, "course4hole4");
    EXPECT_TRUE(a.enabled);
  }
  EXPECT_EQ(switches, 1);
}

// A ball rolled over the secret spots changes the next hole in the game.
TEST(Holes, RollingOverTheSecretSpotsChangesTheNextHole) {
  gp::testing::PuttLab lab;
  const struct {
    const char* hole;
    double x, y;
    int angle;
    const char* next;
  } cases[] = {
      {"course1hole4", 860, 160, 0, "course4hole4"},    // east over the text switch
      {"course1hole3", 240, 130, 128, "course5hole1"},  // west over the hidden spot
  };
  for (const auto& c : cases) {
    lab.Load(kGameDir + c.hole + ".hole", c.hole);
    EXPECT_EQ(lab.NextHole(), kNext.at(c.hole));
    lab.Putt(c.x, c.y, c.angle, 1.2);
    EXPECT_EQ(lab.NextHole(), c.next) << c.hole;
  }
}

// The machine sound of the gate on course2hole5 is measured from (710, 367):
// a generator stands there, walled in so no ball rolls over it.
TEST(Holes, TheGateMachineOfCourse2hole5StandsWhereItsSoundComesFrom) {
  const gp::Profile p = gp::Profile::FromFile(kGameDir + "course2hole5.hole");
  bool found = false;
  for (int i = 1; p.Find("paint" + std::to_string(i), "type"); ++i) {
    const std::string s = "paint" + std::to_string(i);
    if (*p.Find(s, "type") != "generator") continue;
    const int x = p.ReadInteger(s, "x", 0), y = p.ReadInteger(s, "y", 0);
    found = found || (x <= 710 && 710 < x + p.ReadInteger(s, "w", 0) && y <= 367 &&
                      367 < y + p.ReadInteger(s, "h", 0));
  }
  EXPECT_TRUE(found);
  int walls_around = 0;  // a wall left, right and below the source
  for (const gp::Area& a : Areas("course2hole5")) {
    if (a.kind == 2 && std::min(a.y1, a.y2) <= 367 && std::max(a.y1, a.y2) >= 367 &&
        std::abs(a.x1 - 710) < 40) {
      ++walls_around;
    }
    if (a.kind == 4 && std::min(a.x1, a.x2) <= 710 && std::max(a.x1, a.x2) >= 710 && a.y1 > 367 &&
        a.y1 < 410) {
      ++walls_around;
    }
  }
  EXPECT_EQ(walls_around, 3);
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
  std::string cmd = kGameDir + "galaputt-assets --out " + dir.string() + " --content " +
                    GALAPUTT_SOURCE_DIR + "/content";
  for (const std::string& h : holes) cmd += " hole:" + h;
  ASSERT_EQ(std::system((cmd + " >/dev/null").c_str()), 0);
  for (const std::string& h : holes) {
    for (const char* ext : {".hole", ".dxg", ".dxw"}) {
      const std::string again = ReadAll((dir / (h + ext)).string());
      EXPECT_FALSE(again.empty()) << h << ext;
      EXPECT_TRUE(again == ReadAll(kGameDir + h + ext)) << h << ext << " differs between runs";
    }
  }
  std::filesystem::remove_all(dir);
}

// Runs the compiler on one source text; returns its exit status and standard error.
std::pair<int, std::string> CompileSource(const std::string& text) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("galaputt_bad_hole_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir / "holes");
  std::ofstream(dir / "holes" / "x.hole", std::ios::binary) << text;
  const std::string err = (dir / "err.txt").string();
  const std::string cmd = kGameDir + "galaputt-assets --out " + dir.string() + " --content " +
                          dir.string() + " hole:x >/dev/null 2>" + err;
  const int st = std::system(cmd.c_str());
  const std::string message = ReadAll(err);
  std::filesystem::remove_all(dir);
  return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, message};
}

TEST(HoleCompiler, RejectsBrokenSourcesWithAClearMessage) {
  const std::string floor = "[floor1]\npoints=100,100 500,100 500,400\n";
  const std::string cup = "[area1]\nkind=5\nx1=300\ny1=200\nr=10\nx2=282\ny2=193\nenabled=1\n";
  const std::string canvas = "[canvas]\nwidth=720\nheight=480\n";
  const std::string wall = "[area2]\nkind=4\nx1=100\ny1=100\nx2=500\ny2=";
  const struct {
    std::string text, message;
  } cases[] = {
      {"[canvas]\nwidth=1000\n" + floor + cup, "multiples of 24"},
      {canvas + cup, "no [floor1]"},
      {canvas + "[floor1]\npoints=100,100 500;100 500,400\n" + cup, "bad point"},
      {canvas + floor, "exactly one cup"},
      {canvas + floor + cup + wall + "120\nenabled=1\n", "must match its slope"},
      {canvas + floor + cup +
           "[area3]\nkind=23\nx1=600\ny1=100\nx2=900\ny2=100\nx3=900\ny3=200\nx4=600\ny4=200\n",
       "outside the course picture"},
      {canvas + floor + cup + "[area4]\nkind=23\nx1=100\ny1=100\nx2=200\ny2=100\nx3=200\ny3=200\n",
       "both be 0 or both be set"},
      {canvas + floor + cup + "[paint1]\ntype=spaceship\n", "unknown decoration"},
      {canvas + floor + cup + "[images]\nitem9=unicorn\n", "unknown picture"},
      {canvas + floor + cup + "[images]\nitem17=pipecover 1\n", "names no pipe"},
      {canvas + floor + cup + "[images]\nitem9=glow 0 -4\n", "not a number from 1 to 1024"},
      {canvas + floor + cup + "[sounds]\nmusic=polka\n", "no music named 'polka'"},
      {std::string("\x00\xff[[[\x01=\n\x80", 9), "no [floor1]"},
  };
  for (const auto& c : cases) {
    const auto [status, message] = CompileSource(c.text);
    EXPECT_EQ(status, 1) << c.message;
    EXPECT_NE(message.find(c.message), std::string::npos) << message;
  }
  EXPECT_EQ(CompileSource(canvas + floor + cup).first, 0);
}

// Hard putts in eight directions from the start, and in four from around the
// cup, never leave the floors: the walls enclose every hole (drop-offs and
// water bring the ball back).
class HardPutts : public ::testing::TestWithParam<std::string> {};

TEST_P(HardPutts, StayOnTheFloors) {
  gp::testing::PuttLab lab;
  {
    const std::string hole = GetParam();
    const std::string path = kGameDir + hole + ".hole";
    const auto floors = gp::testing::ReadFloors(path);
    const gp::Profile p = gp::Profile::FromFile(path);
    lab.Load(path, hole);
    struct Spot {
      double x, y;
      int step;  // byte angle between putts
    };
    std::vector<Spot> spots = {
        {double(p.ReadInteger("ball", "x", 0)), double(p.ReadInteger("ball", "y", 0)), 32}};
    for (int d = 0; d < 4; ++d) {  // 40 pixels from the cup, where that is floor
      const double x = lab.CupX() + 40 * std::cos(d * M_PI / 2 + M_PI / 4);
      const double y = lab.CupY() + 40 * std::sin(d * M_PI / 2 + M_PI / 4);
      if (gp::testing::OnAFloor(floors, x, y)) spots.push_back({x, y, 64});
    }
    for (const auto& [x, y, step] : spots) {
      for (int angle = 0; angle < 256; angle += step) {
        const gp::testing::PuttResult r = lab.Putt(x, y, angle, 4, 3000);
        EXPECT_TRUE(r.holed || r.lost || gp::testing::OnAFloor(floors, r.x, r.y))
            << hole << " from " << x << "," << y << " angle " << angle << " ends at " << r.x << ","
            << r.y;
        EXPECT_LT(r.frames, 3000) << hole << " from " << x << "," << y << " angle " << angle
                                  << ": the ball never rests";
      }
    }
  }
}

// One case per hole, so that the holes run side by side.
INSTANTIATE_TEST_SUITE_P(Holes, HardPutts, ::testing::ValuesIn(HolesOf(kNext)));
INSTANTIATE_TEST_SUITE_P(Reef, HardPutts, ::testing::ValuesIn(HolesOf(kReefNext)));

TEST(Preview, WritesTheCoursePictureAsPngAndRejectsAMissingHole) {
  const std::string out = (std::filesystem::temp_directory_path() /
                           ("galaputt_preview_" + std::to_string(getpid()) + ".png"))
                              .string();
  const std::string lab = kGameDir + "galaputt-lab preview --hole ";
  ASSERT_EQ(std::system((lab + "course2hole9 --scale 2 --out " + out + " >/dev/null").c_str()), 0);
  const std::string png = ReadAll(out);
  std::filesystem::remove(out);
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  auto be32 = [&](size_t at) {
    return (uint32_t(uint8_t(png[at])) << 24) | (uint32_t(uint8_t(png[at + 1])) << 16) |
           (uint32_t(uint8_t(png[at + 2])) << 8) | uint8_t(png[at + 3]);
  };
  EXPECT_EQ(be32(16), 600u);  // 1200 x 1056 shrunk by 2
  EXPECT_EQ(be32(20), 528u);
  const int st = std::system((lab + "nosuchhole --out " + out + " 2>/dev/null").c_str());
  EXPECT_NE(WEXITSTATUS(st), 0);
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
