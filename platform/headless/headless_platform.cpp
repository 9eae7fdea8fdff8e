#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <cstdio>

namespace gp {

bool HeadlessPlatform::OpenDisplay(int width, int height, bool) {
  display_open_ = true;
  frame_.assign(static_cast<size_t>(width) * height, 0);
  frame_w_ = width;
  frame_h_ = height;
  return true;
}

void HeadlessPlatform::CloseDisplay() {
  display_open_ = false;
}

void HeadlessPlatform::Present(const uint16_t* pixels, int width, int height) {
  if (!DisplayReady() || width != frame_w_ || height != frame_h_) return;
  // Pixels drawn straight into the frame buffer are already there.
  if (pixels != frame_.data()) std::copy(pixels, pixels + frame_.size(), frame_.begin());
  ++presented_;
}

bool HeadlessPlatform::OpenAudio(AudioSource* source) {
  if (audio_fails_) return false;
  audio_ = source;
  return true;
}

void HeadlessPlatform::RunAudio(int frames) {
  if (frames <= 0) return;
  const size_t at = recorded_.size();
  recorded_.resize(at + static_cast<size_t>(frames), 0);
  if (audio_) audio_->Mix(&recorded_[at], frames);
}

void HeadlessPlatform::CloseAudio() {
  audio_ = nullptr;
}

bool HeadlessPlatform::PollEvent(InputEvent& ev) {
  if (events_.empty()) return false;
  ev = events_.front();
  events_.pop_front();
  return true;
}

void HeadlessPlatform::WarpPointer(int x, int y) {
  pointer_x_ = x;
  pointer_y_ = y;
}

void HeadlessPlatform::ShowMessage(const std::string& title, const std::string& text) {
  messages_.push_back(text);
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

}  // namespace gp
