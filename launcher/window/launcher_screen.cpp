#include "launcher/window/launcher_screen.h"

#include <algorithm>

#include "platform/sdl/sdl_window.h"

namespace gp {

LauncherScreen::~LauncherScreen() {
  if (canvas_) SDL_DestroyTexture(canvas_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

bool LauncherScreen::Open(bool windowed) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  window_ = CreateScreenWindow("Galaputt Demo LaunchPad", windowed, 640, 480);
  if (!window_) return false;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  return renderer_ != nullptr;
}

bool LauncherScreen::MakeCanvas(bool fullscreen) {
  int w = 640, h = 480;
  if (!fullscreen) SDL_GetRendererOutputSize(renderer_, &w, &h);
  if (canvas_ && w == cw_ && h == ch_) return true;
  if (canvas_) SDL_DestroyTexture(canvas_);
  cw_ = std::max(w, 1);
  ch_ = std::max(h, 1);
  canvas_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, cw_, ch_);
  return canvas_ != nullptr;
}

void LauncherScreen::Hide() {
  SDL_HideWindow(window_);
}

void LauncherScreen::Show() {
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
}

void LauncherScreen::Begin() {
  SDL_SetRenderTarget(renderer_, canvas_);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
}

SDL_Rect LauncherScreen::Shown() const {
  int ww = 0, wh = 0;
  SDL_GetRendererOutputSize(renderer_, &ww, &wh);
  const double scale = std::min(static_cast<double>(ww) / cw_, static_cast<double>(wh) / ch_);
  const int w = static_cast<int>(cw_ * scale), h = static_cast<int>(ch_ * scale);
  return SDL_Rect{(ww - w) / 2, (wh - h) / 2, w, h};
}

void LauncherScreen::End() {
  SDL_SetRenderTarget(renderer_, nullptr);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);  // black borders
  const SDL_Rect dst = Shown();
  SDL_RenderCopy(renderer_, canvas_, nullptr, &dst);
  SDL_RenderPresent(renderer_);
}

void LauncherScreen::ToCanvas(int wx, int wy, int& cx, int& cy) const {
  // Mouse events come in window points; the renderer may have more pixels.
  int ww = 0, wh = 0, pw = 0, ph = 0;
  SDL_GetWindowSize(window_, &ww, &wh);
  SDL_GetRendererOutputSize(renderer_, &pw, &ph);
  const double px = ww > 0 ? wx * static_cast<double>(pw) / ww : wx;
  const double py = wh > 0 ? wy * static_cast<double>(ph) / wh : wy;
  const SDL_Rect r = Shown();
  cx = r.w > 0 ? static_cast<int>((px - r.x) * cw_ / r.w) : 0;
  cy = r.h > 0 ? static_cast<int>((py - r.y) * ch_ / r.h) : 0;
}

void LauncherScreen::ToWindow(int cx, int cy, int& wx, int& wy) const {
  int ww = 0, wh = 0, pw = 0, ph = 0;
  SDL_GetWindowSize(window_, &ww, &wh);
  SDL_GetRendererOutputSize(renderer_, &pw, &ph);
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
