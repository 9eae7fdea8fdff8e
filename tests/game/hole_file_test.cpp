#include "game/hole_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/random.h"
#include "game/state.h"
#include "base/angles.h"
#include "support/game_reset.h"

namespace gp {
namespace {

class HoleFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::FreshState(7);
  }
};

// Every start must lie on the flattened ring 4..31 around the start point.
void ExpectOnRing(const Ball& b, double cx, double cy) {
  const double dx = b.x - cx, dy = b.y - cy;
  const double flat = std::sqrt(dx * dx + 4 * dy * dy);
  EXPECT_GE(flat, 4 - 1e-9);
  EXPECT_LE(flat, 31 + 1e-9);
}

TEST_F(HoleFileTest, MissingFileGivesDefaults) {
  GameState& g = gs();
  g.nexthole = "course1hole2";
  g.cupx = 11;
  g.areas[5].kind = 9;
  g.holenumber = 2;
  g.totalpar = 4;
  LoadHoleFile("/nonexistent/course9hole9.hole");
  EXPECT_EQ(g.par, 3);
  EXPECT_EQ(g.holepar[2], 3);
  EXPECT_EQ(g.totalpar, 7);
  EXPECT_EQ(g.areas[5].kind, 0);
  EXPECT_EQ(g.nexthole, "course1hole2");  // no cup: kept
  EXPECT_EQ(g.cupx, 11);
  ExpectOnRing(g.players[1], 320, 240);
}

TEST_F(HoleFileTest, AreaValues) {
  GameState& g = gs();
  LoadHoleText(
      "[course]\npar=4\n"
      "[area1]\nkind=5\nx1=1190\ny1=212\nr=9\nx2=1182\ny2=204\nenabled=1\ncomment=course1hole2\n"
      "[area2]\nkind=4\nx1=0x1F4\ny1=$1F4\nx2=500abc\nenabled=true\n"
      "[area3]\nkind=23\nenabled=-1\np6=6\n"
      "[area7]\nkind=2\nx1=1\n"
      "[area7]\nkind=3\nx1=2\ny1=9\n"
      "[area99]\nkind=45\ncomment=  last one  \n");
  EXPECT_EQ(g.par, 4);
  EXPECT_EQ(g.holepar[1], 4);
  EXPECT_EQ(g.totalpar, 4);
  const Area& cup = g.areas[1];
  EXPECT_EQ(cup.kind, 5);
  EXPECT_EQ(cup.r, 9);
  EXPECT_EQ(cup.x2, 1182);
  EXPECT_TRUE(cup.enabled);
  EXPECT_EQ(g.cupx, 1190);
  EXPECT_EQ(g.cupy, 212);
  EXPECT_EQ(g.nexthole, "course1hole2");
  EXPECT_EQ(g.areas[2].x1, 500);
  EXPECT_EQ(g.areas[2].y1, 500);
  EXPECT_EQ(g.areas[2].x2, 0);
  EXPECT_FALSE(g.areas[2].enabled);
  EXPECT_TRUE(g.areas[3].enabled);
  EXPECT_EQ(g.areas[3].p6, 6);
  EXPECT_EQ(g.areas[7].kind, 2);
  EXPECT_EQ(g.areas[7].x1, 1);
  EXPECT_EQ(g.areas[7].y1, 0);
  EXPECT_EQ(g.areas[99].comment, "last one");
  EXPECT_EQ(g.areas[50].kind, 0);
}

TEST_F(HoleFileTest, LastCupWinsAndStaleAreasAreCleared) {
  GameState& g = gs();
  for (Area& a : g.areas) {
    a.kind = 27;
    a.comment = "old";
    a.enabled = true;
  }
  LoadHoleText(
      "[area4]\nkind=5\nx1=10\ny1=20\ncomment=first\n"
      "[area60]\nkind=5\nx1=30\ny1=40\ncomment=second\n");
  EXPECT_EQ(g.cupx, 30);
  EXPECT_EQ(g.cupy, 40);
  EXPECT_EQ(g.nexthole, "second");
  EXPECT_EQ(g.areas[1].kind, 0);
  EXPECT_FALSE(g.areas[1].enabled);
  EXPECT_TRUE(g.areas[1].comment.empty());
}

TEST_F(HoleFileTest, FourStartsAreSeparated) {
  GameState& g = gs();
  g.numplayers = 4;
  for (uint64_t seed = 1; seed <= 50; ++seed) {
    Randomize(seed);
    LoadHoleText("[ball]\nx=412\ny=903\n");
    for (int i = 1; i <= 4; ++i) {
      ExpectOnRing(g.players[i], 412, 903);
      for (int j = i + 1; j <= 4; ++j) {
        const Ball &a = g.players[i], &b = g.players[j];
        EXPECT_GE(FlatDist(RoundInt(a.x), RoundInt(a.y), RoundInt(b.x), RoundInt(b.y)), 18)
            << "seed " << seed << " balls " << i << "," << j;
      }
    }
  }
}

TEST_F(HoleFileTest, StartsAvoidRecordsNotInPlay) {
  GameState& g = gs();
  g.numplayers = 1;
  // Player 2 still holds a position right at the start point from an earlier hole.
  g.players[2].x = 100;
  g.players[2].y = 100;
  for (uint64_t seed = 1; seed <= 20; ++seed) {
    Randomize(seed);
    LoadHoleText("[ball]\nx=100\ny=100\n");
    const Ball& a = g.players[1];
    EXPECT_GE(FlatDist(RoundInt(a.x), RoundInt(a.y), 100, 100), 18);
  }
}

TEST_F(HoleFileTest, PlayerCountOutsideItsRangeIsClamped) {
  GameState& g = gs();
  g.numplayers = 9;
  LoadHoleText("[ball]\nx=0\ny=0\n");
  for (int i = 1; i <= 4; ++i) ExpectOnRing(g.players[i], 0, 0);
  ResetGameState();
  g.numplayers = 0;
  LoadHoleText("[ball]\nx=50\ny=60\n");
  ExpectOnRing(g.players[1], 50, 60);
}

TEST_F(HoleFileTest, HoleNumberOutsideTheTable) {
  GameState& g = gs();
  g.holenumber = 0;
  LoadHoleText("[course]\npar=5\n");
  EXPECT_EQ(g.totalpar, 5);
  g.holenumber = 10;
  LoadHoleText("[course]\npar=2\n");
  EXPECT_EQ(g.totalpar, 7);
  for (int h = 1; h <= 9; ++h) EXPECT_EQ(g.holepar[h], 0);
}

TEST_F(HoleFileTest, ReadsFromDisk) {
  char name[] = "/tmp/hole_file_testXXXXXX";
  const int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  FILE* f = fdopen(fd, "wb");
  std::fputs("[ball]\r\nx=600\r\ny=50\r\n[area1]\r\nkind=5\r\nx1=7\r\ncomment=next\r\n", f);
  std::fclose(f);
  LoadHoleFile(name);
  std::remove(name);
  ExpectOnRing(gs().players[1], 600, 50);
  EXPECT_EQ(gs().nexthole, "next");
  EXPECT_EQ(gs().cupx, 7);
}

}  // namespace
}  // namespace gp
