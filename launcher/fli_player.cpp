#include "launcher/fli_player.h"

#include <utility>

namespace gp {

void FliPlayer::SetFileName(const std::string& path) {
  if (path == file_name_) return;
  Stop();
  file_name_ = path;
}

bool FliPlayer::Start(int64_t now_ms) {
  Stop();
  if (missing_) changed_ = true;  // the message goes away (or is drawn again below)
  missing_ = false;
  error_.clear();
  try {
    std::optional<std::vector<uint8_t>> bytes = ReadFlicFile(file_name_);
    if (!bytes) {
      missing_ = true;
      changed_ = true;
      return false;
    }
    decoder_.emplace(std::move(*bytes));
  } catch (const FlicError& e) {
    error_ = e.what();
    changed_ = true;
    return false;
  }
  due_ = now_ms;
  return true;
}

void FliPlayer::Stop() {
  decoder_.reset();
  waiting_ = false;
}

int64_t FliPlayer::FrameDelay() const {
  return SpeedOverride > 0 ? SpeedOverride : decoder_->delay_ms();
}

void FliPlayer::Show() {
  shown_ = decoder_->image();
  shown_frame_ = decoder_->current_frame();
  changed_ = true;
}

// Decodes the frame after the current one; past the last (or a damaged part of the file)
// that is frame 1 again with Loop, otherwise the end of the animation.
void FliPlayer::DecodeAhead() {
  waiting_ = decoder_->DecodeNext();
  if (waiting_) return;
  if (decoder_->status() == FlicStatus::kError) {
    error_ = decoder_->error();
    changed_ = true;
  }
  if (Loop && decoder_->current_frame() > 0) {
    decoder_->Rewind();
    waiting_ = decoder_->DecodeNext();
  }
  if (!waiting_) Stop();
}

void FliPlayer::Tick(int64_t now_ms) {
  if (!playing()) return;
  if (!waiting_) DecodeAhead();
  if (!waiting_ || now_ms < due_) return;
  // A tick a whole frame delay late or more (the player was not ticked: a modal window, a
  // transition, a busy machine) starts the steps afresh, so what fell due meanwhile is not
  // made up in a burst; a tick late by less is made up by the next steps.
  const int64_t delay = FrameDelay();
  due_ = now_ms - due_ >= delay ? now_ms + delay : due_ + delay;
  Show();
  DecodeAhead();
}

bool FliPlayer::GoToFrame(int n) {
  if (!playing()) return false;
  waiting_ = false;  // anything decoded ahead is passed by
  if (!decoder_->GoToFrame(n)) {
    if (decoder_->status() == FlicStatus::kError) error_ = decoder_->error();
    return false;
  }
  Show();
  return true;
}

bool FliPlayer::ShowFrame(int n) {
  if (!Start(due_)) return false;  // no timing: the player stops again at once
  const bool shown = GoToFrame(n);
  Stop();
  return shown;
}

std::string FliPlayer::message() const {
  if (missing_) return kFliFileMissingText;
  if (!error_.empty() && !playing()) return kFliFileUnusableText + error_;
  return "";
}

bool FliPlayer::TakeShownChanged() {
  return std::exchange(changed_, false);
}

void FliPlayer::Paint(Picture& area) const {
  if (shown_frame_ == 0) return;
  PaintFlic(shown_, area,
            PlaceFlic(position, Stretch, area.width, area.height, shown_.width, shown_.height));
}

void PlayTransition(FliPlayer& player, const std::string& transition_file,
                    const std::string& loop_file, const FliClock& clock, const FliPaint& paint) {
  player.Stop();
  player.SetFileName(transition_file);
  if (player.Start(clock())) {
    for (int n = 1; n <= kTransitionFrames; ++n) {
      if (player.GoToFrame(n)) paint(player);
    }
    player.Stop();
  } else if (player.file_missing()) {
    paint(player);
  }
  if (player.ShowFrame(1)) paint(player);
  player.SetFileName(loop_file);
  player.Start(clock());  // the loop's own pace starts when the transition is over
}

}  // namespace gp
