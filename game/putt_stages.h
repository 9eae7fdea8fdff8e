#pragma once
// The stages of preparing a putt (`puttstage`) and what each stage shows.

namespace gp {

// Both methods: no putt under way.
inline constexpr int kIdle = 0;
// Pull: aiming by dragging; the club swinging after the release.
inline constexpr int kPullAim = 1, kPullSwing = 2;
// Push: choosing the direction; waiting for the draw-back; drawing back; swinging.
inline constexpr int kPushDirection = 1, kPushWait = 2, kPushDrawBack = 3, kPushSwing = 4;

// What one stage shows besides the club.
struct StageLook {
  bool target;
  bool gauge;  // while the club has not been drawn back (clubpos < 1)
};

constexpr StageLook LookOf(bool pull, int stage) {
  if (pull) return stage == kPullAim ? StageLook{true, true} : StageLook{false, false};
  if (stage == kPushWait || stage == kPushDrawBack) return {true, true};
  return {true, false};  // choosing the direction, or swinging forward
}

// Sprite slot whose frame field keeps the target's blink counter (0..9).
inline constexpr int kBlinkSlot = 33;
inline constexpr int kBlinkSteps = 10;

}  // namespace gp
