#pragma once
// Test helpers: a fresh game state and setup record, a 640 x 480 memory display
// on a headless platform, and a record of every sound request.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/random.h"
#include "game/setup.h"
#include "game/sound.h"
#include "game/state.h"
#include "platform/headless/headless_platform.h"
#include "app/game_window.h"

namespace gp::test {

class SoundLog {
 public:
  SoundLog() {
    SetSoundObserver([this](const SoundRequest& r) { requests.push_back(r); });
  }
  ~SoundLog() { SetSoundObserver(nullptr); }
  SoundLog(const SoundLog&) = delete;
  SoundLog& operator=(const SoundLog&) = delete;

  // Effect sounds started, in order.
  std::vector<int> Effects() const { return Played(SoundList::Effects); }
  std::vector<int> Background() const { return Played(SoundList::Background); }
  bool HasEffect(int n) const {
    const auto e = Effects();
    return std::find(e.begin(), e.end(), n) != e.end();
  }
  bool Has(SoundList list, int index, SoundOp op, int value = 0) const {
    for (const SoundRequest& r : requests) {
      if (r.list == list && r.index == index && r.op == op && r.value == value) return true;
    }
    return false;
  }
  void Clear() { requests.clear(); }

  std::vector<SoundRequest> requests;

 private:
  std::vector<int> Played(SoundList list) const {
    std::vector<int> out;
    for (const SoundRequest& r : requests) {
      if (r.list == list && r.op == SoundOp::Play) out.push_back(r.index);
    }
    return out;
  }
};

// The game back to program start: the state, the setup record and the random
// numbers (from `seed`). Every fixture starts from here.
inline void FreshState(uint64_t seed = 12345) {
  ResetGameState();
  setup() = GameSetup{};
  Randomize(seed);
}

// FreshState, with the game window's display at 640 x 480 and the platform's
// pointer observable.
inline void FreshGame(HeadlessPlatform& platform, int numplayers = 1) {
  FreshState();
  setup().numplayers = numplayers;
  GameWindow& w = gamewin();
  w.platform = &platform;
  w.folder = "./";
  w.timer.enabled = false;
  w.menu.items.clear();
  w.course.items.clear();
  w.bgsounds.items.clear();
  if (!w.display.Running() || w.display.SurfaceWidth() != 640) {
    w.display.Start(nullptr, 640, 480, false);
  }
  GameState& g = gs();
  g.numplayers = numplayers;
  g.curplayer = 1;
  for (int i = 1; i <= kMaxPlayers; ++i) {
    g.players[i].name = "Player " + std::to_string(i);
    g.players[i].oncourse = i == 1;
  }
}

// A fresh game for every test; the platform is unhooked again afterwards.
class GameTest : public ::testing::Test {
 protected:
  void SetUp() override { FreshGame(platform, Players()); }
  void TearDown() override { gamewin().platform = nullptr; }
  virtual int Players() const { return 1; }

  HeadlessPlatform platform;
  SoundLog sounds;
};

}  // namespace gp::test
