#pragma once
// The launcher's background animation player: plays a FLIC file at its own pace (or
// SpeedOverride) from timer ticks, keeps the frame on show for painting, and runs the
// panel-change transition. No platform code: the caller passes the time in and paints.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "media/flic.h"
#include "media/picture.h"

namespace gp {

// Drawn by the launcher at (kFliMessageX, kFliMessageY) in the player's area while
// file_missing() holds; a file that is there but cannot be played says why the
// same way (message()).
inline constexpr const char* kFliFileMissingText = "Fatal Error: File does not exist!";
inline constexpr const char* kFliFileUnusableText = "Fatal Error: ";
inline constexpr int kFliMessageX = 5, kFliMessageY = 5;
// Frames of the transition file shown on a panel change.
inline constexpr int kTransitionFrames = 30;

class FliPlayer {
 public:
  // After the last frame, go on with frame 1; off: stop.
  bool Loop = true;
  // Milliseconds per frame; 0 = the file's own delay.
  int SpeedOverride = 0;
  // Milliseconds between the timer ticks the caller should deliver.
  int TimerInterval = 3;
  // Scale the frame to the whole area; otherwise place it by `position`.
  bool Stretch = false;
  FliPos position = FliPos::FliCentre;

  // A different name stops the player first.
  void SetFileName(const std::string& path);
  const std::string& file_name() const { return file_name_; }

  // Stops, reads the whole file and starts playing with the first frame due at now_ms.
  // False when the file is missing (file_missing()) or unusable (error()); then stopped.
  bool Start(int64_t now_ms);
  // Drops the file; the frame on show stays until another one replaces it.
  void Stop();
  bool playing() const { return decoder_.has_value(); }

  // Decodes up to frame n (starting over from frame 1 for n == 1 or an earlier frame)
  // and shows it at once. False when not playing or frame n does not exist.
  bool GoToFrame(int n);
  // Start, GoToFrame(n), Stop.
  bool ShowFrame(int n);

  // One timer tick: when the frame decoded ahead is due, show it, move the due time on by
  // one frame delay (fixed steps, so a tick late by less than a frame is made up; later
  // than that, the steps start again from now) and decode the next frame.
  void Tick(int64_t now_ms);
  int64_t next_due() const { return due_; }  // milliseconds

  bool file_missing() const { return missing_; }
  // Why the last start failed or why playback stopped early; empty when fine.
  const std::string& error() const { return error_; }
  // The text the launcher draws over the area: kFliFileMissingText for a
  // missing file, "Fatal Error: " and the reason for one that stopped the
  // player (unusable from the start, or damaged with Loop off); empty otherwise.
  std::string message() const;

  // The frame on show: its number (0 = none yet) and image.
  int shown_frame() const { return shown_frame_; }
  const FlicImage& shown() const { return shown_; }
  // True once after the frame on show or the missing-file message changed: repaint then.
  bool TakeShownChanged();
  // Paints the frame on show into the player's area (position / Stretch).
  void Paint(Picture& area) const;

 private:
  int64_t FrameDelay() const;
  void DecodeAhead();
  void Show();

  std::string file_name_;
  std::optional<FlicDecoder> decoder_;  // set while playing
  bool waiting_ = false;                // the decoder's current frame waits to be shown
  int64_t due_ = 0;                     // when the waiting frame is shown, milliseconds
  FlicImage shown_;
  int shown_frame_ = 0;
  bool changed_ = false;
  bool missing_ = false;
  std::string error_;
};

// Paints the player's area; called for each frame the transition shows.
using FliPaint = std::function<void(const FliPlayer&)>;
// The clock, milliseconds.
using FliClock = std::function<int64_t()>;

// The panel-change transition: stops the player, shows frames 1..30 of transition_file as
// fast as they decode (fewer when the file has fewer), then its frame 1 once more, then
// starts loop_file at the clock's time then. Each shown frame, and a missing file, is
// handed to paint.
void PlayTransition(FliPlayer& player, const std::string& transition_file,
                    const std::string& loop_file, const FliClock& clock, const FliPaint& paint);

}  // namespace gp
