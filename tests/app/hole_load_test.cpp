// Hole set-up: the loading loop and background loop, every per-hole reset,
// the starting player, the decorations, and a missing image list.

#include "app/hole_load.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/game_window.h"
#include "base/asset_error.h"
#include "base/profile.h"
#include "game/setup.h"
#include "game/sound.h"
#include "game/state.h"
#include "sim/hole_setup.h"
#include "support/game_reset.h"
#include "support/hole_files.h"
#include "support/hostile_files.h"

namespace gp {
namespace {

class HoleSetupTest : public test::GameTest {
 protected:
  int Players() const override { return 3; }
  void SetUp() override {
    GameTest::SetUp();
    gamewin().folder = files.Folder();
    gs().holename = "course1hole1";
    files.WriteHole("course1hole1");
  }
  test::HoleFolder files;
};

TEST_F(HoleSetupTest, EndsOnTheHoleCardWithTheTimerRunning) {
  HoleInit();
  EXPECT_EQ(gs().gamestate, kHoleCard);
  EXPECT_TRUE(gamewin().timer.enabled);
}

TEST_F(HoleSetupTest, LoadingLoopAndBackgroundLoopWithBothSoundsOn) {
  HoleInit();
  using L = SoundList;
  using O = SoundOp;
  EXPECT_TRUE(sounds.Has(L::Effects, 6, O::SetLooped, 1));
  EXPECT_TRUE(sounds.Has(L::Effects, 6, O::Stop));
  EXPECT_TRUE(sounds.Has(L::Background, 0, O::SetLooped, 1));
  EXPECT_EQ(sounds.Effects(), std::vector<int>{6});
  EXPECT_EQ(sounds.Background(), std::vector<int>{0});
  // The loading loop stops before the hole's loop starts.
  int stop6 = -1, play0 = -1;
  for (int i = 0; i < static_cast<int>(sounds.requests.size()); ++i) {
    const SoundRequest& r = sounds.requests[static_cast<size_t>(i)];
    if (r.list == L::Effects && r.index == 6 && r.op == O::Stop) stop6 = i;
    if (r.list == L::Background && r.index == 0 && r.op == O::Play) play0 = i;
  }
  EXPECT_LT(stop6, play0);
}

TEST_F(HoleSetupTest, NoLoopsWithoutBackgroundSound) {
  gs().bgsoundon = false;
  HoleInit();
  EXPECT_TRUE(sounds.Effects().empty());
  EXPECT_TRUE(sounds.Background().empty());
  EXPECT_TRUE(sounds.Has(SoundList::Background, 0, SoundOp::SetLooped, 1));
}

TEST_F(HoleSetupTest, NoLoopsWithoutSound) {
  gs().soundon = false;
  HoleInit();
  EXPECT_TRUE(sounds.Effects().empty());
  EXPECT_TRUE(sounds.Background().empty());
}

TEST_F(HoleSetupTest, ResetsThePerHoleStateAndKeepsThePerGameState) {
  GameState& g = gs();
  for (Ball& b : g.players) {
    b.oncourse = b.airborne = b.sinking = b.inhole = b.moving = true;
    b.z = b.vz = 3;
    b.angle = 77;
    b.speed = 2;
    b.ballrows = 4;
    b.holearea = 9;
    b.lastarea = 12;
    b.strokes = 5;
    b.shade = 100;
    b.total = 17;
    b.holeswon = 2;
    b.holestrokes[1] = 5;
    b.falloff = true;
  }
  for (Particle& q : g.particles) {
    q.active = q.shadow = q.dots = true;
    q.x = q.y = q.z = q.vz = 9;
    q.bounces = 4;
    q.colour = 255;
  }
  for (Sprite& s : g.sprites) s = Sprite{5, 5, 3, 2, true, 10, 1};
  g.nextsprite = 17;
  g.gameover = true;
  g.puttstage = 3;
  g.viewx = g.viewy = 200;
  g.centreview = false;
  g.ballsmoving = g.bonusturn = g.passturn = true;
  g.beststrokes = 2;
  g.holenumber = 3;

  HoleInit();

  for (int p = 1; p <= kMaxPlayers; ++p) {
    const Ball& b = g.players[p];
    SCOPED_TRACE(p);
    EXPECT_EQ(b.oncourse, p == 1);  // only the starting player's ball
    EXPECT_FALSE(b.airborne || b.sinking || b.inhole || b.moving);
    EXPECT_EQ(b.z, 0);
    EXPECT_EQ(b.vz, 0);
    EXPECT_EQ(b.angle, 0);
    EXPECT_EQ(b.speed, 0);
    EXPECT_EQ(b.ballrows, 15);
    EXPECT_EQ(b.holearea, 0);
    EXPECT_EQ(b.lastarea, -1);
    EXPECT_EQ(b.strokes, 0);
    EXPECT_EQ(b.shade, 0);
    EXPECT_EQ(b.total, 17);
    EXPECT_EQ(b.holeswon, 2);
    EXPECT_EQ(b.holestrokes[1], 5);
    EXPECT_TRUE(b.falloff);  // clears itself when its effect ends
  }
  for (const Particle& q : g.particles) {
    EXPECT_FALSE(q.active || q.shadow || q.dots);
    EXPECT_EQ(q.bounces, 1);
    EXPECT_EQ(q.colour, 0);
    EXPECT_EQ(q.z, 0);
  }
  for (const Sprite& s : g.sprites) {
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.image, 0);
    EXPECT_FALSE(s.loop);
  }
  EXPECT_EQ(g.nextsprite, 1);
  EXPECT_FALSE(g.gameover);
  EXPECT_EQ(g.puttstage, 0);
  EXPECT_EQ(g.viewx, 0);
  EXPECT_EQ(g.viewy, 0);
  EXPECT_TRUE(g.centreview);
  EXPECT_FALSE(g.ballsmoving || g.bonusturn || g.passturn);
  EXPECT_EQ(g.beststrokes, 99);
  EXPECT_EQ(g.holenumber, 3);
}

TEST_F(HoleSetupTest, FifoStartsWithTheFirstToHoleOut) {
  setup().startplayer = 1;
  gs().firstholed = 3;
  HoleInit();
  EXPECT_EQ(gs().curplayer, 3);
  EXPECT_EQ(gs().firstholed, 0);
  EXPECT_TRUE(gs().players[3].oncourse);
  EXPECT_FALSE(gs().players[1].oncourse);
}

TEST_F(HoleSetupTest, DecorationsOfAListedHole) {
  files.WriteHole("course1hole3");
  gs().holename = "course1hole3";
  HoleInit();
  const auto& s = gs().sprites;
  EXPECT_EQ(s[35].x, 930);
  EXPECT_EQ(s[35].y, 240);
  EXPECT_EQ(s[35].image, 9);
  EXPECT_EQ(s[35].p1, 192);  // glow
  EXPECT_TRUE(s[35].loop);
  EXPECT_EQ(s[36].x, 0);      // not listed
  EXPECT_EQ(s[37].p1, -220);  // shadow
  EXPECT_EQ(s[38].frame, 7);
  EXPECT_EQ(s[38].x, 520);
  EXPECT_EQ(s[40].p1, 250);
  EXPECT_EQ(s[40].frame, 7);
  EXPECT_EQ(s[40].p2, 0);
}

TEST_F(HoleSetupTest, DecorationsMatchTheNameExactly) {
  files.WriteHole("Course1hole3");
  gs().holename = "Course1hole3";
  HoleInit();
  for (int slot = 35; slot <= 40; ++slot) EXPECT_EQ(gs().sprites[slot].x, 0) << slot;
  gs().holename = "course1hole1";  // not in the table
  HoleInit();
  for (int slot = 35; slot <= 40; ++slot) EXPECT_EQ(gs().sprites[slot].image, 0) << slot;
}

TEST_F(HoleSetupTest, LoadsTheHolesListsAndFile) {
  gs().holenumber = 2;
  gs().totalpar = 3;
  HoleInit();
  EXPECT_EQ(gamewin().bgsounds.Count(), 1);
  EXPECT_TRUE(gamewin().bgsounds.items[0].looped);
  EXPECT_EQ(gamewin().course.Count(), 2);
  EXPECT_EQ(gamewin().course.items[0].picture.width, 8);
  EXPECT_EQ(gs().par, 4);
  EXPECT_EQ(gs().holepar[2], 4);
  EXPECT_EQ(gs().totalpar, 7);
  EXPECT_EQ(gs().cupx, 600);
  EXPECT_EQ(gs().nexthole, "course1hole2");
  EXPECT_EQ(gs().areas[1].kind, 5);
}

TEST_F(HoleSetupTest, ShowsTheLoadingPictureCentred) {
  ImageItem picture;
  picture.picture.width = 10;
  picture.picture.height = 6;
  picture.picture.pixels.assign(60, 0x000000FF);  // red
  picture.transparent = false;
  gamewin().menu.items.resize(2);
  SetPicture(gamewin().menu.items[1], picture.picture);
  gamewin().menu.items[1].transparent = false;
  PrepareItem(gamewin().menu.items[1]);
  platform.SetDirectDrawing(false);  // keep the presented picture: the screen is cleared after it
  ASSERT_TRUE(gamewin().display.Start(&platform, 640, 480, false));
  HoleInit();
  const std::vector<uint16_t> frame = platform.frame();
  gamewin().display.Start(nullptr, 640, 480, false);
  ASSERT_EQ(platform.presented(), 1);
  const uint16_t red = Display::ColorMatch(0x000000FF);
  EXPECT_EQ(frame[237 * 640 + 315], red);  // top-left corner of the picture
  EXPECT_EQ(frame[242 * 640 + 324], red);  // bottom-right corner
  EXPECT_EQ(frame[236 * 640 + 315], 0);
  EXPECT_EQ(frame[237 * 640 + 325], 0);
}

TEST_F(HoleSetupTest, MissingImageListStopsTheSetUpWithTheTimerOff) {
  std::filesystem::remove(files.Folder() + "course1hole1.dxg");
  gs().gamestate = kHoleFinished;
  gs().beststrokes = 2;
  gamewin().timer.enabled = true;
  try {
    HoleInit();
    FAIL() << "no error raised";
  } catch (const AssetError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + files.Folder() + "course1hole1.dxg");
  }
  EXPECT_FALSE(gamewin().timer.enabled);
  EXPECT_EQ(gs().gamestate, kHoleFinished);
  EXPECT_EQ(gs().beststrokes, 2);  // the resets did not run
  EXPECT_FALSE(sounds.Has(SoundList::Effects, 6, SoundOp::Stop));
}

// A hole file is a few kilobytes; one over 256 KB (thousands of sections that
// would flood memory) is refused like a damaged one.
TEST_F(HoleSetupTest, OversizedHoleFileStopsTheSetUp) {
  files.WriteHoleText("course1hole1", test::ManySectionsHole(kMaxProfileFileBytes + 1));
  try {
    HoleInit();
    FAIL() << "no error raised";
  } catch (const AssetError& e) {
    EXPECT_EQ(std::string(e.what()),
              "File " + files.Folder() + "course1hole1.hole is larger than 256 KB");
  }
  EXPECT_FALSE(gamewin().timer.enabled);
}

TEST_F(HoleSetupTest, MissingHoleFileStopsTheSetUp) {
  // Its lists are there, but without the hole file the hole would be an empty
  // space with no walls and no cup.
  std::filesystem::remove(files.Folder() + "course1hole1.hole");
  gs().gamestate = kHoleFinished;
  gs().par = 5;
  gamewin().timer.enabled = true;
  try {
    HoleInit();
    FAIL() << "no error raised";
  } catch (const AssetError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + files.Folder() + "course1hole1.hole");
  }
  EXPECT_FALSE(gamewin().timer.enabled);
  EXPECT_EQ(gs().gamestate, kHoleFinished);
  EXPECT_EQ(gs().par, 5);  // nothing read
}

TEST(DecorationTable, BonusPickUpsSitBesideTheirShadows) {
  // Wherever slot 36 holds the pick-up (image 5), slot 37 holds its shadow
  // (image 6) two pixels right and nine below, drawn subtractively.
  const char* holes[] = {"course3hole1", "course1hole7", "course1hole9", "course2hole1",
                         "course2hole6", "course3hole4", "course3hole5", "course4hole7"};
  for (const char* hole : holes) {
    ResetGameState();
    PlaceDecorations(hole);
    const auto& s = gs().sprites;
    SCOPED_TRACE(hole);
    EXPECT_EQ(s[36].image, 5);
    EXPECT_EQ(s[37].image, 6);
    EXPECT_EQ(s[37].x, s[36].x + 2);
    EXPECT_EQ(s[37].y, s[36].y + 9);
    EXPECT_EQ(s[37].p1, -192);
  }
}

TEST(DecorationTable, TrainingHole) {
  ResetGameState();
  PlaceDecorations("training1");
  const auto& s = gs().sprites;
  EXPECT_EQ(s[35].x, 340);
  EXPECT_EQ(s[36].x, 1071);
  EXPECT_EQ(s[36].y, 364);
  EXPECT_EQ(s[37].image, 11);
  EXPECT_EQ(s[38].x, 0);
}

}  // namespace
}  // namespace gp
