#pragma once
// The soak's rules: what must hold after every frame of a game, whatever the
// players do. Attached to the bot as its frame watch; it stops the game on the
// first broken rule, once the holes asked for are complete, or when a training
// hole runs past its stroke cap.

#include <cstdint>
#include <string>
#include <vector>

#include "game/state.h"
#include "tools/lab/autoplay.h"

namespace gp::lab {

struct SoakLimits {
  int holes = 1;  // complete holes to play before stopping
  // Frames a turn may take: from a stroke (or the hole's start) to the next
  // stroke. A ball that never comes to rest breaks it. A stroke's balls rest
  // within 1800 frames (its 30 seconds at 60 frames a second, fewer frames at
  // lower rates); then a ball's way back and the bot's next swing.
  int turnframes = 2400;
  // Training has no stroke limit: the bot stops a hole after this many strokes
  // per player (not a fault).
  int trainingstrokes = 30;
};

class SoakCheck : public FrameWatch {
 public:
  explicit SoakCheck(const SoakLimits& limits);
  void Before() override;
  bool After() override;

  const std::vector<std::string>& violations() const { return violations_; }
  int holesdone() const { return holesdone_; }
  int frames() const { return frames_; }
  int strokes() const { return strikes_; }
  bool abandoned() const { return abandoned_; }  // a training hole past its stroke cap

 private:
  // What a frame may change, taken before it runs.
  struct BallShot {
    int32_t strokes = 0, total = 0, holeswon = 0;
    bool moving = false, sinking = false, falloff = false, inhole = false, oncourse = false;
  };
  struct Shot {
    std::array<BallShot, kMaxPlayers + 1> balls{};
    int32_t puttstage = 0, curplayer = 1, holenumber = 1;
    uint8_t gamestate = kPlay;
    bool ballsmoving = false, gameover = false;
  };

  void Fail(const std::string& what);
  void CheckFinite();
  void CheckBalls();
  void CheckStrokes(bool struck);
  void CheckTotals();
  void CheckHoleComplete();
  bool CheckTurn(bool struck);

  SoakLimits limits_;
  Shot before_;
  std::vector<std::string> violations_;
  int frames_ = 0;
  int holesdone_ = 0;
  int strikes_ = 0;      // strokes struck in the whole game
  int holestrikes_ = 0;  // strokes struck on this hole
  int turnframes_ = 0;   // frames since the last stroke or the hole's start
  bool abandoned_ = false;
};

// Each ball's place in words, for a report: "player 2 at (310.5, 207.0) moving
// speed 1.25 z 0.0 ...".
std::string DescribeBalls();

}  // namespace gp::lab
