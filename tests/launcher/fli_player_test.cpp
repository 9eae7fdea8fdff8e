#include "launcher/fli_player.h"

#include <gtest/gtest.h>

#include "media/flic_writer.h"
#include "support/flic_files.h"

namespace gp {
namespace {

using test::Bytes;

// Frame k (1-based) of these animations is filled with palette index k.
std::vector<FlicFrame> Numbered(int count, int width = 4, int height = 3) {
  std::vector<FlicFrame> frames;
  for (int k = 1; k <= count; ++k) {
    FlicFrame f{std::vector<uint8_t>(static_cast<size_t>(width) * height, static_cast<uint8_t>(k)),
                {}};
    f.palette[static_cast<size_t>(k) * 3] = 255;
    frames.push_back(f);
  }
  return frames;
}

class FliPlayerTest : public ::testing::Test {
 protected:
  // Writes an FLC of `count` numbered frames and points the player at it.
  std::string Flc(const std::string& name, int count, int delay_ms) {
    return folder.Write(name, EncodeFlc(4, 3, delay_ms, Numbered(count)));
  }
  // Ticks at `now` and returns the frame then on show, or 0 when it did not change.
  int TickShows(int64_t now) {
    player.Tick(now);
    return player.TakeShownChanged() ? player.shown_frame() : 0;
  }

  test::TempFolder folder;
  FliPlayer player;
};

TEST_F(FliPlayerTest, FramesAdvanceByFixedStepsAndSlightlyLateTicksCatchUp) {
  player.SetFileName(Flc("a.flc", 4, 100));
  ASSERT_TRUE(player.Start(1000));
  EXPECT_EQ(player.TimerInterval, 3);
  EXPECT_EQ(TickShows(1000), 1);
  EXPECT_EQ(player.next_due(), 1100);
  EXPECT_EQ(TickShows(1003), 0);
  EXPECT_EQ(TickShows(1099), 0);
  EXPECT_EQ(TickShows(1101), 2);
  EXPECT_EQ(player.next_due(), 1200);  // not 1201: the step is fixed
  // A tick 90 ms late (less than a frame): the next frame comes that much sooner.
  EXPECT_EQ(TickShows(1290), 3);
  EXPECT_EQ(player.next_due(), 1300);
  EXPECT_EQ(TickShows(1300), 4);
  EXPECT_EQ(TickShows(1400), 1);  // looping continues with frame 1
  // A tick 250 ms late: that frame, then the steps run from now, nothing made up.
  EXPECT_EQ(TickShows(1750), 2);
  EXPECT_EQ(player.next_due(), 1850);
  EXPECT_EQ(TickShows(1753), 0);
  EXPECT_EQ(TickShows(1850), 3);
}

// Frames shown by ticks every `step` ms from `from` for `ms` milliseconds.
int FramesShown(FliPlayer& player, int64_t from, int64_t ms, int64_t step = 3) {
  int shown = 0;
  for (int64_t t = from; t < from + ms; t += step) {
    player.Tick(t);
    if (player.TakeShownChanged()) ++shown;
  }
  return shown;
}

TEST_F(FliPlayerTest, AfterALongPauseTheLoopKeepsItsOwnPace) {
  // The loop started underneath a 14 s intro that ticked nothing, then a second of the
  // launcher's 3 ms ticks: no more frames than a second of 60 ms frames holds.
  player.SetFileName(Flc("loop.flc", 72, 60));
  ASSERT_TRUE(player.Start(0));
  EXPECT_EQ(FramesShown(player, 14000, 1000), 17);
  // The same after a pause while it was playing, and at a coarser tick.
  EXPECT_EQ(FramesShown(player, 20000, 1000, 16), 17);
  // Ticked throughout, the pace is exact: 100 s hold 1667 frames.
  EXPECT_EQ(FramesShown(player, 30000, 100000), 1667);
}

TEST_F(FliPlayerTest, SpeedOverrideAndFliSpeed) {
  player.SetFileName(Flc("a.flc", 3, 100));
  player.SpeedOverride = 10;
  ASSERT_TRUE(player.Start(0));
  EXPECT_EQ(TickShows(0), 1);
  EXPECT_EQ(TickShows(9), 0);
  EXPECT_EQ(TickShows(10), 2);
  EXPECT_EQ(player.next_due(), 20);

  player.SpeedOverride = 0;
  player.SetFileName(folder.Write("b.fli", EncodeFli(4, 3, 5, Numbered(3))));
  ASSERT_TRUE(player.Start(0));
  EXPECT_EQ(TickShows(0), 1);
  EXPECT_EQ(player.next_due(), 71);  // 5/70 s
}

TEST_F(FliPlayerTest, WithoutLoopThePlayerStopsAfterTheLastFrame) {
  player.SetFileName(Flc("a.flc", 2, 10));
  player.Loop = false;
  ASSERT_TRUE(player.Start(0));
  EXPECT_EQ(TickShows(0), 1);
  EXPECT_EQ(TickShows(10), 2);
  EXPECT_FALSE(player.playing());
  EXPECT_EQ(TickShows(20), 0);
  EXPECT_EQ(player.shown_frame(), 2);  // still on show
}

TEST_F(FliPlayerTest, LoopsWithoutEnd) {
  player.SetFileName(Flc("loop.flc", 3, 5));
  ASSERT_TRUE(player.Start(0));
  int expected = 1, shown = 0;
  for (int64_t t = 0; t < 3000; t += 3) {
    if (const int f = TickShows(t)) {
      ASSERT_EQ(f, expected) << t;
      ASSERT_EQ(player.shown().pixels[0], f);
      expected = expected % 3 + 1;
      ++shown;
    }
  }
  EXPECT_EQ(shown, 600);
  EXPECT_TRUE(player.playing());
}

TEST_F(FliPlayerTest, DamagedLoopFilePlaysTheFramesItHas) {
  Bytes file = EncodeFlc(4, 3, 5, Numbered(4));
  // Cut inside frame 3's header: frames 1 and 2 remain.
  size_t third = 128;
  for (int k = 0; k < 2; ++k) third += test::Get32(file, third);
  file.resize(third + 8);
  player.SetFileName(folder.Write("cut.flc", file));
  ASSERT_TRUE(player.Start(0));
  std::vector<int> seen;
  for (int64_t t = 0; t < 30; t += 5) seen.push_back(TickShows(t));
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 1, 2, 1, 2}));
  EXPECT_EQ(player.error(), "FLIC file ends after frame 2 of 4");
}

TEST_F(FliPlayerTest, MissingAndBadFiles) {
  player.SetFileName(folder.Path("interface_loop.flc"));
  EXPECT_FALSE(player.Start(0));
  EXPECT_TRUE(player.file_missing());
  EXPECT_FALSE(player.playing());
  EXPECT_TRUE(player.TakeShownChanged());  // the message must be drawn
  EXPECT_STREQ(kFliFileMissingText, "Fatal Error: File does not exist!");
  EXPECT_EQ(player.message(), kFliFileMissingText);
  player.Tick(100);
  EXPECT_EQ(player.shown_frame(), 0);

  // There but unusable: the message says what is wrong, in the same place.
  player.SetFileName(folder.Write("bad.flc", Bytes(200, 7)));
  EXPECT_FALSE(player.Start(0));
  EXPECT_FALSE(player.file_missing());
  EXPECT_EQ(player.error(), "Not a FLIC file: magic number 0x0707");
  EXPECT_EQ(player.message(), "Fatal Error: Not a FLIC file: magic number 0x0707");
  EXPECT_TRUE(player.TakeShownChanged());  // the message changes

  // A good header whose first frame is cut off: nothing to show, and why.
  Bytes cut = EncodeFlc(4, 3, 10, Numbered(2));
  cut.resize(128 + 10);
  player.SetFileName(folder.Write("cut1.flc", cut));
  ASSERT_TRUE(player.Start(0));
  EXPECT_EQ(player.message(), "");
  player.Tick(0);
  EXPECT_FALSE(player.playing());
  EXPECT_EQ(player.shown_frame(), 0);
  EXPECT_EQ(player.message(), "Fatal Error: " + player.error());
  EXPECT_FALSE(player.error().empty());
  EXPECT_TRUE(player.TakeShownChanged());

  player.SetFileName(Flc("a.flc", 1, 10));
  EXPECT_TRUE(player.Start(0));
  EXPECT_TRUE(player.error().empty());
  EXPECT_EQ(player.message(), "");
}

TEST_F(FliPlayerTest, FileNameGoToFrameAndShowFrame) {
  const std::string a = Flc("a.flc", 5, 10);
  player.SetFileName(a);
  ASSERT_TRUE(player.Start(0));
  EXPECT_EQ(TickShows(0), 1);
  player.SetFileName(a);  // the same name keeps playing
  EXPECT_TRUE(player.playing());
  EXPECT_TRUE(player.GoToFrame(4));
  EXPECT_EQ(player.shown_frame(), 4);
  EXPECT_FALSE(player.GoToFrame(6));
  EXPECT_EQ(player.shown_frame(), 4);
  EXPECT_TRUE(player.GoToFrame(2));
  EXPECT_EQ(TickShows(10), 3);  // playing goes on after the frame gone to

  player.SetFileName(Flc("b.flc", 5, 10));  // another name stops the player
  EXPECT_FALSE(player.playing());
  EXPECT_FALSE(player.GoToFrame(1));
  EXPECT_TRUE(player.ShowFrame(5));
  EXPECT_FALSE(player.playing());
  EXPECT_EQ(player.shown_frame(), 5);
  EXPECT_EQ(player.shown().pixels[0], 5);
}

TEST_F(FliPlayerTest, PaintPlacesTheFrameOnShow) {
  player.SetFileName(Flc("a.flc", 2, 10));
  Picture area;
  area.width = 8;
  area.height = 6;
  area.pixels.assign(48, 0x123456);
  player.Paint(area);  // nothing on show yet
  EXPECT_EQ(area.at(2, 1), 0x123456u);
  ASSERT_TRUE(player.ShowFrame(2));
  player.Paint(area);  // 4x3 centred in 8x6: at (2, 1)
  EXPECT_EQ(area.at(1, 1), 0x123456u);
  EXPECT_EQ(area.at(2, 1), 0x0000FFu);
  EXPECT_EQ(area.at(5, 3), 0x0000FFu);
  EXPECT_EQ(area.at(6, 4), 0x123456u);
  player.Stretch = true;
  player.Paint(area);
  EXPECT_EQ(area.at(7, 5), 0x0000FFu);
}

class TransitionTest : public FliPlayerTest {
 protected:
  // Runs the transition from `clock` ms, each painted frame taking `paint_ms`, and returns
  // the frame numbers painted (0 = the missing-file text).
  std::vector<int> Run(int64_t paint_ms = 0) {
    std::vector<int> painted;
    PlayTransition(
        player, folder.Path("interface.flc"), folder.Path("interface_loop.flc"),
        [&] { return clock; },
        [&](const FliPlayer& p) {
          painted.push_back(p.file_missing() ? 0 : p.shown_frame());
          clock += paint_ms;
        });
    return painted;
  }

  int64_t clock = 500;
};

TEST_F(TransitionTest, ShowsThirtyFramesThenFrameOneThenStartsTheLoop) {
  Flc("interface.flc", 40, 1000);
  Flc("interface_loop.flc", 3, 50);
  player.SetFileName(folder.Path("interface_loop.flc"));
  ASSERT_TRUE(player.Start(0));
  player.Tick(0);
  std::vector<int> want;
  for (int n = 1; n <= 30; ++n) want.push_back(n);
  want.push_back(1);
  EXPECT_EQ(Run(), want);
  // Frame 1 of the transition stays on show until the loop's first frame is due.
  EXPECT_EQ(player.file_name(), folder.Path("interface_loop.flc"));
  EXPECT_TRUE(player.playing());
  EXPECT_EQ(player.shown().pixels[0], 1);
  EXPECT_EQ(player.next_due(), 500);
  EXPECT_EQ(TickShows(500), 1);
}

TEST_F(TransitionTest, TheLoopStartsWhenTheTransitionEnds) {
  Flc("interface.flc", 30, 1000);
  Flc("interface_loop.flc", 72, 60);
  EXPECT_EQ(Run(25).size(), 31u);  // 31 frames painted, 25 ms each
  EXPECT_EQ(clock, 500 + 31 * 25);
  EXPECT_EQ(player.next_due(), clock);
  EXPECT_EQ(FramesShown(player, clock, 1000), 17);
}

TEST_F(TransitionTest, ShortFileShowsTheFramesItHas) {
  Flc("interface.flc", 7, 1000);
  Flc("interface_loop.flc", 3, 50);
  EXPECT_EQ(Run(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 1}));
  EXPECT_TRUE(player.playing());
}

TEST_F(TransitionTest, MissingFilesLeaveTheLauncherWithoutAnimation) {
  Flc("interface_loop.flc", 3, 50);
  EXPECT_EQ(Run(), (std::vector<int>{0}));
  EXPECT_TRUE(player.playing());  // the loop file still starts
  EXPECT_FALSE(player.file_missing());

  std::filesystem::remove(folder.Path("interface_loop.flc"));
  Flc("interface.flc", 2, 50);
  EXPECT_EQ(Run(), (std::vector<int>{1, 2, 1}));
  EXPECT_FALSE(player.playing());
  EXPECT_TRUE(player.file_missing());
}

}  // namespace
}  // namespace gp
