#include "media/mixer.h"

#include <gtest/gtest.h>

#include <numeric>

#include "platform/headless/headless_platform.h"
#include "media/container_writer.h"

namespace gp {
namespace {

// A sound whose sample i is first + i.
WaveItem Ramp(int n, int first = 1) {
  std::vector<int16_t> s(static_cast<size_t>(n));
  std::iota(s.begin(), s.end(), static_cast<int16_t>(first));
  WaveItem w;
  SetWaveSamples(w, s);
  return w;
}

class MixerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(mixer.StartSound(&platform)); }
  // Runs the device for n samples and returns the last one.
  int Run(int n) {
    platform.ClearRecorded();
    platform.RunAudio(n);
    return platform.recorded().back();
  }
  HeadlessPlatform platform;
  Mixer mixer;
};

TEST(MixerDevice, NothingHappensWhileTheDeviceIsNotRunning) {
  HeadlessPlatform platform;
  platform.SetAudioFails(true);
  Mixer mixer;
  EXPECT_FALSE(mixer.StartSound(&platform));
  EXPECT_FALSE(mixer.Running());
  WaveItem w = Ramp(100);
  mixer.Play(w);
  mixer.SetVolume(w, -500);
  mixer.Stop(w);
  EXPECT_EQ(mixer.PlayingCount(w), 0);
  platform.RunAudio(10);
  for (int16_t s : platform.recorded()) EXPECT_EQ(s, 0);
  mixer.SetLooped(w, true);  // the item's own setting still changes
  EXPECT_TRUE(w.looped);

  Mixer memory;  // no platform: mixes on request
  ASSERT_TRUE(memory.StartSound(nullptr));
  memory.Play(w);
  int16_t out[4];
  memory.Mix(out, 4);
  EXPECT_EQ(out[3], 4);
  memory.StopSound();
  EXPECT_EQ(memory.PlayingCount(w), 0);
}

TEST_F(MixerTest, ThirdPlayWithTwoCopiesRestartsTheOldest) {
  WaveItem w = Ramp(1000);
  w.maxplayingcount = 2;
  mixer.Play(w);
  EXPECT_EQ(Run(10), 10);  // copy 1 has played samples 1..10
  mixer.Play(w);
  EXPECT_EQ(Run(10), 20 + 10);  // copy 1 at 20, copy 2 at 10
  mixer.Play(w);
  EXPECT_EQ(mixer.CopyCount(w), 2);
  EXPECT_EQ(mixer.PlayingCount(w), 2);
  // Copy 1 started again (1), copy 2 went on (11): not 21 + 1.
  EXPECT_EQ(Run(1), 1 + 11);
  mixer.Play(w);  // now copy 2 is the oldest
  EXPECT_EQ(Run(1), 2 + 1);
}

TEST_F(MixerTest, CopiesAreReusedOrAddedWithoutLimit) {
  WaveItem w = Ramp(5);
  int plays = 0;
  mixer.SetPlayObserver([&](const WaveItem& item) { plays += &item == &w; });
  for (int i = 0; i < 5; ++i) mixer.Play(w);
  EXPECT_EQ(mixer.CopyCount(w), 5);  // MaxPlayingCount 0: no limit
  EXPECT_EQ(Run(1), 5);
  Run(10);  // all finished
  EXPECT_EQ(mixer.PlayingCount(w), 0);
  EXPECT_EQ(Run(1), 0);
  mixer.Play(w);  // the first idle copy is used
  EXPECT_EQ(mixer.CopyCount(w), 5);
  EXPECT_EQ(Run(2), 2);
  EXPECT_EQ(plays, 6);
}

TEST_F(MixerTest, LoopedItemsRestartTheirMainBuffer) {
  WaveItem w = Ramp(4);
  w.looped = true;
  mixer.Play(w);
  EXPECT_EQ(Run(6), 2);  // 1 2 3 4 1 2
  mixer.Play(w);
  EXPECT_EQ(mixer.CopyCount(w), 0);
  EXPECT_EQ(Run(1), 1);
  EXPECT_EQ(mixer.PlayingCount(w), 1);
  mixer.Stop(w);
  EXPECT_EQ(Run(3), 0);

  mixer.Play(w);
  mixer.SetLooped(w, true);  // unchanged: keeps playing
  EXPECT_EQ(mixer.PlayingCount(w), 1);
  mixer.SetLooped(w, false);  // changed: stopped first
  EXPECT_EQ(mixer.PlayingCount(w), 0);
  EXPECT_FALSE(w.looped);
}

TEST_F(MixerTest, VolumeInHundredthsOfADecibel) {
  WaveItem w = Ramp(100, 10000);
  mixer.Play(w);             // a copy at full volume
  mixer.SetVolume(w, -600);  // -6 dB: about half
  mixer.Play(w);             // a copy made after: quieter
  const int both = Run(1);
  EXPECT_NEAR(both - 10000, 10000 * 0.5012, 2);
  WaveItem silent = Ramp(10, 1000);
  mixer.SetVolume(silent, -10000);
  mixer.Play(silent);
  mixer.Stop(w);
  EXPECT_EQ(Run(1), 0);
}

TEST_F(MixerTest, CopyStartedAgainTakesTheCurrentVolume) {
  // A constant sound of 10000, one copy at most (the machine sound's case: its
  // volume follows the ball's distance before every play).
  WaveItem w;
  SetWaveSamples(w, std::vector<int16_t>(20, 10000));
  w.maxplayingcount = 1;
  mixer.SetVolume(w, -400);
  mixer.Play(w);
  EXPECT_EQ(Run(1), 6309);
  Run(30);  // played out: the copy is idle
  EXPECT_EQ(mixer.PlayingCount(w), 0);
  mixer.SetVolume(w, 0);
  mixer.Play(w);  // the idle copy again
  EXPECT_EQ(mixer.CopyCount(w), 1);
  EXPECT_EQ(Run(1), 10000);
  mixer.SetVolume(w, -600);
  mixer.Play(w);  // the only copy still plays: the oldest starts again
  EXPECT_EQ(mixer.CopyCount(w), 1);
  EXPECT_NEAR(Run(1), 5012, 1);
  // A copy that plays on keeps its volume.
  WaveItem two;
  SetWaveSamples(two, std::vector<int16_t>(20, 10000));
  mixer.StopAll();
  mixer.Play(two);
  mixer.SetVolume(two, -10000);
  EXPECT_EQ(Run(1), 10000);
}

TEST_F(MixerTest, MixingSaturates) {
  WaveItem loud = Ramp(10, 30000), low = Ramp(10, -30000);
  mixer.Play(loud);
  mixer.Play(loud);
  EXPECT_EQ(Run(1), 32767);
  mixer.StopAll();
  mixer.Play(low);
  mixer.Play(low);
  EXPECT_EQ(Run(1), -32768);
}

TEST_F(MixerTest, ReplacingTheListStopsItsVoices) {
  WaveList list;
  const std::vector<uint8_t> file = EncodeWaveList({Ramp(50), Ramp(50)});
  ReadWaveList(list, file.data(), file.size());
  list.items[0].looped = true;
  mixer.Play(list.items[0]);
  mixer.Play(list.items[1]);
  WaveItem other = Ramp(50, 100);
  mixer.Play(other);
  ReadWaveList(list, file.data(), file.size());
  EXPECT_EQ(Run(1), 100);  // only the item outside the list plays on
  list.items.clear();
  Run(100);

  // A voice owns its sound: the item may go away while it plays.
  auto gone = std::make_unique<WaveItem>(Ramp(20, 7));
  mixer.Play(*gone);
  gone.reset();
  EXPECT_EQ(Run(2), 8);
}

}  // namespace
}  // namespace gp
