// Minimal definitions so that everything links until the presentation layer lands.
// The presentation work replaces this file.
#include "present/display.h"
#include "present/image_list.h"
#include "present/mixer.h"
#include "present/wave_list.h"

namespace gp {

struct Mixer::Impl {};
Mixer::Mixer() = default;
Mixer::~Mixer() = default;
bool Mixer::StartSound(Platform*) {
  return false;
}
void Mixer::StopSound() {}
void Mixer::Play(WaveItem&) {}
void Mixer::Stop(WaveItem&) {}
void Mixer::SetLooped(WaveItem&, bool) {}
void Mixer::SetVolume(WaveItem&, int) {}
void Mixer::StopAll() {}
void Mixer::ForgetItems(const std::vector<WaveItem>&) {}
void Mixer::Mix(int16_t* out, int frames) {
  for (int i = 0; i < frames; ++i) out[i] = 0;
}

bool Display::Start(Platform* platform, int width, int height, bool vsync) {
  platform_ = platform;
  width_ = width;
  height_ = height;
  vsync_ = vsync;
  back_.assign(static_cast<size_t>(width) * height, 0);
  running_ = true;
  return true;
}
void Display::Finalize() {
  running_ = false;
}
bool Display::CanDraw() {
  return running_;
}
void Display::Fill(uint16_t native) {
  back_.assign(back_.size(), native);
}
void Display::Flip() {}
void Display::Draw(const ImageItem&, int, int, int) {}
void Display::DrawAdd(const ImageItem&, int, Rect, int) {}
void Display::DrawAlpha(const ImageItem&, int, Rect, int) {}
void Display::DrawSub(const ImageItem&, int, Rect, int) {}
void Display::SetPixelNative(int, int, uint16_t) {}
void Display::FillRectAlpha(Rect, uint32_t, int) {}

}  // namespace gp
