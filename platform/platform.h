#pragma once
// The narrow table of calls through which the game reaches the operating system.
// Two realisations: platform/sdl (a real window, audio device and clock) and
// platform/headless (in memory, virtual clock, recorded sound) for tests and tools.

#include <cstdint>
#include <string>

#include "base/keys.h"

namespace gp {

enum class MouseButton { Left, Right, Middle };

struct InputEvent {
  // PointerLeave / PointerEnter: the real pointer left or re-entered the window
  // (a window on the desktop only; a full-screen pointer never leaves).
  // ScreenshotSaved / ScreenshotFailed: the platform was asked to save the screen
  // as a picture (F12) and did, or could not.
  enum class Type {
    None,
    Quit,
    KeyDown,
    KeyUp,
    MouseMove,
    ButtonDown,
    ButtonUp,
    DoubleClick,
    PointerLeave,
    PointerEnter,
    ScreenshotSaved,
    ScreenshotFailed
  };
  Type type = Type::None;
  int key = 0;  // KeyDown / KeyUp: a game key code (0 for keys the game does not know)
  MouseButton button = MouseButton::Left;
  int x = 0, y = 0;  // pointer position in display (logical screen) pixels
};

// Pulls mixed 16-bit mono samples at 22 050 Hz; called on the audio thread
// with the device lock held.
class AudioSource {
 public:
  virtual ~AudioSource() = default;
  virtual void Mix(int16_t* out, int frames) = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Milliseconds since some fixed start.
  virtual uint32_t Ticks() = 0;
  // Sleeps up to ms milliseconds or until input arrives (headless: nothing).
  virtual void Wait(uint32_t ms) { (void)ms; }

  // The display: a window (or nothing, headless) showing an RGB565 back buffer of
  // width x height logical pixels. vsync: wait for the vertical blank on present.
  virtual bool OpenDisplay(int width, int height, bool vsync) = 0;
  virtual void CloseDisplay() = 0;
  // False while the display's surfaces are lost and cannot be restored.
  virtual bool DisplayReady() = 0;
  // Shows a frame of the open display's size; another size is ignored.
  virtual void Present(const uint16_t* pixels, int width, int height) = 0;
  // False while nothing of the display can be seen (its window hidden or minimised):
  // frames need not be drawn then.
  virtual bool DisplayVisible() { return true; }
  // A buffer of the open display's size (width x height pixels, rows without
  // padding) that the display may draw straight into, so that presenting it
  // copies nothing; nullptr when the platform has none. It keeps its pixels
  // between frames and stays valid until the display is closed or opened again.
  virtual uint16_t* FrameBuffer() { return nullptr; }

  // Audio: 22 050 Hz, 16-bit, mono. Open returns false when no device can start.
  virtual bool OpenAudio(AudioSource* source) = 0;
  virtual void CloseAudio() = 0;
  virtual void LockAudio() = 0;
  virtual void UnlockAudio() = 0;

  // Input: returns false when no event is pending.
  virtual bool PollEvent(InputEvent& ev) = 0;
  // Moves the (virtual) pointer to a display position.
  virtual void WarpPointer(int x, int y) = 0;

  // A message box, and the same text on standard error.
  virtual void ShowMessage(const std::string& title, const std::string& text) = 0;

  // The program's own folder, ending with a '/'.
  virtual std::string BaseDir() = 0;
};

}  // namespace gp
