#include "launcher/window/launcher_screen.h"

#include <algorithm>

#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_window.h"

namespace gp {

LauncherScreen::~LauncherScreen() {
  frames_.Close();
  if (canvas_) SDL_DestroyTexture(canvas_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (soft_) SDL_FreeSurface(soft_);
  if (window_) SDL_DestroyWindow(window_);
}

bool LauncherScreen::Open(bool windowed) {
  if (!StartVideo()) return false;
  windowed_ = windowed;
  window_ = CreateScreenWindow("Galaputt Demo LaunchPad", windowed, 640, 480);
  if (!window_) return false;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  renderer_ = CreateHardwareRenderer(window_, SDL_RENDERER_TARGETTEXTURE);
  if (renderer_) return true;
  // Drawn in software: SDL's software renderer on a surface of its own, the canvas read
  // back and sent to the window's surface (FrameScreen), when that surface can take it.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  const SDL_Surface* ws = SDL_GetWindowSurface(window_);
  if (ws && (ws->format->BytesPerPixel == 2 || ws->format->BytesPerPixel == 4)) {
    soft_ = SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 32, SDL_PIXELFORMAT_RGB888);
    if (soft_) renderer_ = SDL_CreateSoftwareRenderer(soft_);
    if (renderer_) return true;
  }
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
  return renderer_ != nullptr;
}

void LauncherScreen::OutputSize(int& w, int& h) const {
  w = h = 0;
  if (soft_) {
    SDL_GetWindowSizeInPixels(window_, &w, &h);
  } else {
    SDL_GetRendererOutputSize(renderer_, &w, &h);
  }
}

bool LauncherScreen::MakeCanvas(bool fullscreen) {
  fullcanvas_ = fullscreen;
  int w = 640, h = 480;
  if (!fullscreen) OutputSize(w, h);
  w = std::max(w, 1);
  h = std::max(h, 1);
  if (canvas_ && w == cw_ && h == ch_) return true;
  if (canvas_) SDL_DestroyTexture(canvas_);
  cw_ = w;
  ch_ = h;
  // Read back in software: in the format the pixels are read in, so that it is a copy.
  const Uint32 format = soft_ ? SDL_PIXELFORMAT_RGB888 : SDL_PIXELFORMAT_ARGB8888;
  canvas_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_TARGET, cw_, ch_);
  if (!canvas_) return false;
  if (!soft_) return true;
  pixels_.assign(static_cast<size_t>(cw_) * ch_, 0);
  return frames_.Open(window_, nullptr, cw_, ch_, FrameFormat::kXrgb8888);
}

void LauncherScreen::Hide() {
  SDL_HideWindow(window_);
}

void LauncherScreen::Show() {
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
}

void LauncherScreen::SetWindowed(bool windowed) {
  if (windowed == windowed_) return;
  windowed_ = windowed;
  SetScreenWindowMode(window_, windowed, 640, 480);
  frames_.Refresh();
}

bool LauncherScreen::ScreenModeKey(const SDL_Event& e) {
  if (e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) return false;
  if (e.type == SDL_KEYDOWN && SdlPlatform::IsScreenModeKey(e.key.keysym.sym, e.key.keysym.mod)) {
    if (!e.key.repeat) SetWindowed(!windowed_);
    return true;
  }
  return e.key.keysym.sym == SDLK_F11;
}

bool LauncherScreen::Hidden() const {
  return (SDL_GetWindowFlags(window_) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) != 0;
}

bool LauncherScreen::Event(const SDL_Event& e) {
  if (soft_) frames_.OnEvent(e);
  if (e.type == SDL_RENDER_TARGETS_RESET || e.type == SDL_RENDER_DEVICE_RESET) return true;
  if (e.type != SDL_WINDOWEVENT || e.window.windowID != SDL_GetWindowID(window_)) return false;
  switch (e.window.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      if (!fullcanvas_) MakeCanvas(false);
      return true;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESTORED:
      return true;
    default:
      return false;
  }
}

void LauncherScreen::Begin() {
  SDL_SetRenderTarget(renderer_, canvas_);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
}

SDL_Rect LauncherScreen::Shown() const {
  int ow = 0, oh = 0;
  OutputSize(ow, oh);
  const FrameRect r = FitFrame(cw_, ch_, ow, oh);
  return SDL_Rect{r.x, r.y, r.w, r.h};
}

void LauncherScreen::End() {
  if (soft_) {
    SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, pixels_.data(), cw_ * 4);
    frames_.Present(pixels_.data());  // only what changed, and nothing while hidden
    return;
  }
  SDL_SetRenderTarget(renderer_, nullptr);
  if (Hidden()) return;
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);  // black borders
  const SDL_Rect dst = Shown();
  SDL_RenderCopy(renderer_, canvas_, nullptr, &dst);
  SDL_RenderPresent(renderer_);
}

void LauncherScreen::ToCanvas(int wx, int wy, int& cx, int& cy) const {
  // Mouse events come in window points; the output may have more pixels.
  int ww = 0, wh = 0, pw = 0, ph = 0;
  SDL_GetWindowSize(window_, &ww, &wh);
  OutputSize(pw, ph);
  const double px = ww > 0 ? wx * static_cast<double>(pw) / ww : wx;
  const double py = wh > 0 ? wy * static_cast<double>(ph) / wh : wy;
  const SDL_Rect r = Shown();
  cx = r.w > 0 ? static_cast<int>((px - r.x) * cw_ / r.w) : 0;
  cy = r.h > 0 ? static_cast<int>((py - r.y) * ch_ / r.h) : 0;
}

void LauncherScreen::ToWindow(int cx, int cy, int& wx, int& wy) const {
  int ww = 0, wh = 0, pw = 0, ph = 0;
  SDL_GetWindowSize(window_, &ww, &wh);
  OutputSize(pw, ph);
  const SDL_Rect r = Shown();
  const double px = r.x + static_cast<double>(cx) * r.w / cw_;
  const double py = r.y + static_cast<double>(cy) * r.h / ch_;
  wx = pw > 0 ? static_cast<int>(px * ww / pw) : cx;
  wy = ph > 0 ? static_cast<int>(py * wh / ph) : cy;
}

void LauncherScreen::Upload(SDL_Renderer* r, SDL_Texture*& texture, const uint32_t* colours, int w,
                            int h) {
  if (w <= 0 || h <= 0) return;
  int tw = 0, th = 0;
  if (texture) SDL_QueryTexture(texture, nullptr, nullptr, &tw, &th);
  if (!texture || tw != w || th != h) {
    if (texture) SDL_DestroyTexture(texture);
    texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_XBGR8888, SDL_TEXTUREACCESS_STREAMING, w, h);
  }
  if (texture) SDL_UpdateTexture(texture, nullptr, colours, w * 4);
}

}  // namespace gp
