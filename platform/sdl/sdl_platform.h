#pragma once
// The SDL platform: a borderless desktop-full-screen window (or a normal
// window), the RGB565 back buffer scaled with its aspect kept and black
// borders, the game's key codes, a virtual pointer, the audio device, the clock.
// Alt+Enter and F11 switch between full screen and a window; F12 saves the
// screen as a PNG and tells the game with a screenshot event.

#include <cstdint>
#include <deque>
#include <string>

#include "platform/platform.h"
#include "platform/sdl/frame_screen.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace gp {

class SdlPlatform : public Platform {
 public:
  // windowed: a normal window instead of covering the whole screen.
  explicit SdlPlatform(bool windowed = false);
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  uint32_t Ticks() override;
  void Wait(uint32_t ms) override;

  bool OpenDisplay(int width, int height, bool vsync) override;
  void CloseDisplay() override;
  bool DisplayReady() override;
  void Present(const uint16_t* pixels, int width, int height) override;
  bool DisplayVisible() override;

  bool OpenAudio(AudioSource* source) override;
  void CloseAudio() override;
  void LockAudio() override;
  void UnlockAudio() override;

  bool PollEvent(InputEvent& ev) override;
  void WarpPointer(int x, int y) override;

  void ShowMessage(const std::string& title, const std::string& text) override;
  std::string BaseDir() override;

  // The game window while the display is open (nullptr otherwise).
  SDL_Window* window() const { return window_; }
  // Full screen or a window: for the display open now and the next ones.
  bool windowed() const { return windowed_; }
  void SetWindowed(bool windowed);
  // True when the frames go to the window's own surface rather than through a renderer.
  bool DrawsToSurface() const { return frames_.surface(); }
  int pointerx() const { return pointer_x_; }
  int pointery() const { return pointer_y_; }

  // The game key code of an SDL key (0 for keys the game does not know).
  static int KeyCode(int sdl_keycode);
  // Alt+Enter or F11: the desktop's keys for full screen or a window.
  static bool IsScreenModeKey(int sdl_keycode, int modifiers);

 private:
  void Translate(const SDL_Event& e);
  // Keys the platform answers itself: true when `e` was one of them.
  bool OwnKey(const SDL_Event& e);
  void Screenshot();
  void MovePointer(int x, int y);

  bool windowed_;
  bool video_ = false;  // video subsystem initialised
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;  // nullptr: frames go to the window's surface
  FrameScreen frames_;
  int width_ = 0, height_ = 0;  // logical screen
  bool relative_ = false;       // pointer fed by relative motion
  int pointer_x_ = 0, pointer_y_ = 0;
  float frac_x_ = 0, frac_y_ = 0;  // relative motion not yet a whole logical pixel
  std::deque<InputEvent> pending_;

  uint32_t audio_device_ = 0;
  AudioSource* audio_source_ = nullptr;
};

}  // namespace gp
