#pragma once
// The headless platform: no window, no audio device. A virtual clock that the
// caller advances, scripted input, the presented frame kept in memory.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace gp {

class HeadlessPlatform : public Platform {
 public:
  uint32_t Ticks() override { return now_; }
  void Advance(uint32_t ms) { now_ += ms; }
  void SetTime(uint32_t ms) { now_ = ms; }

  bool OpenDisplay(int width, int height, bool vsync) override;
  void CloseDisplay() override;
  bool DisplayReady() override { return display_open_ && !lost_; }
  void Present(const uint16_t* pixels, int width, int height) override;
  uint16_t* FrameBuffer() override { return direct_ && display_open_ ? frame_.data() : nullptr; }
  // On (the default), the display draws straight into the frame buffer, so a
  // present copies nothing and frame() shows whatever the display has drawn,
  // also after its last present. Off, every present copies the display's
  // pixels, so frame() holds exactly the last presented picture. Takes effect
  // when a display starts.
  void SetDirectDrawing(bool on) { direct_ = on; }
  // Simulates surfaces that are lost and cannot be restored.
  void SetDisplayLost(bool lost) { lost_ = lost; }
  // Simulates a window that is hidden or minimised.
  void SetDisplayHidden(bool hidden) { hidden_ = hidden; }
  bool DisplayVisible() override { return !hidden_; }

  bool OpenAudio(AudioSource* source) override;
  void CloseAudio() override;
  void LockAudio() override {}
  void UnlockAudio() override {}
  AudioSource* audio() const { return audio_; }
  // Simulates a machine whose sound device cannot start.
  void SetAudioFails(bool fails) { audio_fails_ = fails; }
  // The device pulls `frames` samples from the mixer and records them
  // (silence while no device is open).
  void RunAudio(int frames);
  const std::vector<int16_t>& recorded() const { return recorded_; }
  void ClearRecorded() { recorded_.clear(); }

  bool PollEvent(InputEvent& ev) override;
  void Push(const InputEvent& ev) { events_.push_back(ev); }
  void WarpPointer(int x, int y) override;
  int pointerx() const { return pointer_x_; }
  int pointery() const { return pointer_y_; }

  void ShowMessage(const std::string& title, const std::string& text) override;
  const std::vector<std::string>& messages() const { return messages_; }

  std::string BaseDir() override { return base_dir_; }
  void SetBaseDir(std::string dir) { base_dir_ = std::move(dir); }

  // The frame buffer (see SetDirectDrawing): between frames, the last presented
  // frame. And how many frames were presented.
  const std::vector<uint16_t>& frame() const { return frame_; }
  int framewidth() const { return frame_w_; }
  int frameheight() const { return frame_h_; }
  int presented() const { return presented_; }

 private:
  uint32_t now_ = 0;
  bool display_open_ = false;
  bool lost_ = false;
  bool hidden_ = false;
  AudioSource* audio_ = nullptr;
  bool audio_fails_ = false;
  std::vector<int16_t> recorded_;
  std::deque<InputEvent> events_;
  int pointer_x_ = 0, pointer_y_ = 0;
  std::vector<std::string> messages_;
  std::string base_dir_ = "./";
  bool direct_ = true;
  std::vector<uint16_t> frame_;
  int frame_w_ = 0, frame_h_ = 0;
  int presented_ = 0;
};

}  // namespace gp
