#pragma once
// A frame of fixed size shown in an SDL window, scaled by the largest factor that
// fits, centred, black borders, and sent only when it changed. Two ways to the
// screen: an SDL renderer where a graphics processor draws (it scales, and waits
// for the vertical blank on request), or the window's own surface, into which only
// the part that changed is scaled here (nearest pixel). The surface is for software
// drawing: with GL on a software rasterizer (Mesa's llvmpipe) a full-screen present
// through a texture costs about ten times as much as the copy into the surface.

#include <cstdint>
#include <vector>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;
union SDL_Event;

namespace gp {

// A rectangle of pixels; empty when w or h is 0.
struct FrameRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool empty() const { return w <= 0 || h <= 0; }
};

// The part of `now` that differs from `before` (both w x h pixels of `bytes` bytes, rows
// packed): the rows from the first to the last that differ, and within them the columns
// from the first to the last that differ. Empty when the frames are the same.
FrameRect ChangedPart(const void* before, const void* now, int w, int h, int bytes);

// Where a w x h frame goes in an out_w x out_h output: scaled by the largest factor that
// fits (truncated to whole pixels), centred.
FrameRect FitFrame(int w, int h, int out_w, int out_h);

// An accelerated SDL renderer for `window` (SDL_RENDERER_* `flags` added), or nullptr when
// drawing there would be software: no accelerated renderer, or GL on a software rasterizer.
SDL_Renderer* CreateHardwareRenderer(SDL_Window* window, uint32_t flags);

enum class FrameFormat {
  kRgb565,    // 16-bit: 5 bits red (high), 6 green, 5 blue
  kXrgb8888,  // 32-bit 0x00RRGGBB
};

class FrameScreen {
 public:
  FrameScreen() = default;
  ~FrameScreen();
  FrameScreen(const FrameScreen&) = delete;
  FrameScreen& operator=(const FrameScreen&) = delete;

  // Frames of width x height for `window`, through `renderer` (the caller's; nullptr: the
  // window's own surface). False when the surface cannot take them (not 16 or 32 bits).
  bool Open(SDL_Window* window, SDL_Renderer* renderer, int width, int height, FrameFormat f);
  void Close();
  bool surface() const { return window_ != nullptr && renderer_ == nullptr; }
  // False while frames cannot be shown: no window surface, or the renderer's texture lost
  // and not to be made again.
  bool Ready();

  // Shows a frame (width x height, rows packed) when it differs from the last one shown or
  // the window needs all of it again; nothing while the window is hidden or minimised.
  // Returns the part of the frame that was sent (empty: none).
  FrameRect Present(const void* pixels);
  // The window lost its contents or changed size: the next Present sends all of it.
  void Refresh() { full_ = true; }
  // Refresh on the SDL events that call for it (window shown, exposed, resized; a renderer
  // that lost its textures).
  void OnEvent(const SDL_Event& e);

  // The last frame shown, width x height pixels (black before the first).
  const void* Shown() const { return shown_.data(); }
  int width() const { return w_; }
  int height() const { return h_; }

  // The output's size in pixels and where the frame lies in it.
  void OutputSize(int& w, int& h) const;
  FrameRect Placed() const;
  // A window point (as mouse events give it) in frame pixels, beyond the edges outside.
  void ToFrame(int wx, int wy, int& fx, int& fy) const;
  // A frame point in window points.
  void ToWindow(int fx, int fy, int& wx, int& wy) const;

 private:
  bool MakeTexture();
  FrameRect SendToRenderer(const uint8_t* pixels, FrameRect part);
  FrameRect SendToSurface(const uint8_t* pixels, FrameRect part);
  bool FitSurface(SDL_Surface* s);
  void BuildColours(const SDL_Surface* s);
  FrameRect Scale(const uint8_t* pixels, FrameRect part, SDL_Surface* s) const;
  void ScaleRowInto(const uint8_t* in, uint8_t* out, int x0, int n) const;

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;  // renderer path: the frame
  int w_ = 0, h_ = 0, bytes_ = 2;
  FrameFormat format_ = FrameFormat::kRgb565;
  std::vector<uint8_t> shown_;  // the last frame sent
  bool full_ = true;            // the next present sends everything
  // Surface path: the surface's size and pixel format, where the frame goes in it, the
  // source column of each destination column, and the surface pixel of each RGB565 value
  // (or of each 8-bit channel, by its shift, for 32-bit frames).
  int sw_ = 0, sh_ = 0;
  uint32_t sformat_ = 0;
  int sbytes_ = 0;
  FrameRect dst_;
  std::vector<int> xmap_;
  std::vector<uint32_t> colours_;
  bool identity_ = false;  // 32-bit frames in the surface's own format: copied as they are
};

}  // namespace gp
