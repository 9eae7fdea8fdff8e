#pragma once
// A score panel made of hand-made blocks (every pattern a solid block of its own
// display value), for tests of the panel's drawing and of its mouse handling.

#include <gtest/gtest.h>

#include <string>

#include "app/frame_tick.h"
#include "app/game_window.h"
#include "game/state.h"
#include "support/drawing_probe.h"
#include "support/game_reset.h"

namespace gp::test {

// Display values of the hand-made items.
constexpr uint16_t kFullBase = 0x0100, kMinBase = 0x0200, kPressedBase = 0x0300,
                   kBadgeBase = 0x0400, kBoxBase = 0x0500, kSmallBase = 0x1000, kDigitBase = 0x2000,
                   kBigBase = 0xF000;
constexpr int kSmallW = 6, kDigitW = 5, kBigW = 23;

class HudTest : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ImageList& gui = gamewin().gui;
    gui.items.assign(19, ImageItem{});
    gui.items[1] = Blocks(1, 280, 110, kFullBase);
    gui.items[2] = Blocks(1, 280, 20, kMinBase);
    gui.items[3] = Blocks(5, 22, 26, kPressedBase);
    gui.items[4] = Blocks(1, 40, 16, kBadgeBase);
    gui.items[7] = Blocks(67, kSmallW, 8, kSmallBase);
    gui.items[8] = Blocks(12, kDigitW, 8, kDigitBase);
    gui.items[18] = Blocks(1, 104, 20, kBoxBase);
    gamewin().menu.items.assign(1, Blocks(61, kBigW, 30, kBigBase));
    gamewin().display.Fill(0);
    BallAt(1, 300, 300);
  }
  void TearDown() override {
    gamewin().gui.items.clear();
    GameTest::TearDown();
  }
  static void BallAt(int p, double x, double y) {
    gs().players[p].x = x;
    gs().players[p].y = y;
  }
  static void Pointer(int x, int y) {
    gs().mousex = x;
    gs().mousey = y;
  }
  // A fresh frame of the HUD over a black screen.
  static void Frame() {
    gamewin().display.Fill(0);
    HudPhase(WindowScene(), true);
  }
  static std::string Small(int x, int y, int max = 80) {
    return TextAt(x, y, kSmallW, kSmallBase, max);
  }
};

class HudTest4 : public HudTest {
 protected:
  int Players() const override { return 4; }
};

}  // namespace gp::test
