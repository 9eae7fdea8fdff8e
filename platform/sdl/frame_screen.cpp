#include "platform/sdl/frame_screen.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <string>

namespace gp {

namespace {

constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER

// GL drawn by the processor: Mesa's llvmpipe and softpipe, the classic swrast, OpenSWR.
bool SoftwareGl() {
  using GetString = const unsigned char* (*)(unsigned);
  const auto get = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  if (!get || !SDL_GL_GetCurrentContext()) return false;
  const unsigned char* name = get(kGlRenderer);
  if (!name) return false;
  std::string s(reinterpret_cast<const char*>(name));
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* soft : {"llvmpipe", "softpipe", "software", "swrast", "swr"}) {
    if (s.find(soft) != std::string::npos) return true;
  }
  return false;
}

int CeilDiv(int a, int b) {
  return (a + b - 1) / b;
}

// First and last differing pixel of two rows of n pixels, narrowing [lo, hi].
template <typename P>
void WidenColumns(const P* a, const P* b, int n, int& lo, int& hi) {
  for (int x = 0; x < lo; ++x) {
    if (a[x] != b[x]) {
      lo = x;
      break;
    }
  }
  for (int x = n - 1; x > hi; --x) {
    if (a[x] != b[x]) {
      hi = x;
      break;
    }
  }
}

// One destination row segment from one source row: each destination column takes the
// source pixel xmap names, converted by `conv`.
template <typename S, typename D, typename Conv>
void ScaleRow(const S* src, D* dst, const int* xmap, int n, Conv conv) {
  for (int i = 0; i < n; ++i) dst[i] = static_cast<D>(conv(src[xmap[i]]));
}

}  // namespace

FrameRect ChangedPart(const void* before, const void* now, int w, int h, int bytes) {
  const auto* a = static_cast<const uint8_t*>(before);
  const auto* b = static_cast<const uint8_t*>(now);
  const size_t row = static_cast<size_t>(w) * bytes;
  int top = 0, bottom = h - 1;
  while (top < h && std::memcmp(a + top * row, b + top * row, row) == 0) ++top;
  if (top == h) return {};
  while (std::memcmp(a + bottom * row, b + bottom * row, row) == 0) --bottom;
  int lo = w, hi = -1;
  for (int y = top; y <= bottom; ++y) {
    if (y != top && y != bottom && std::memcmp(a + y * row, b + y * row, row) == 0) continue;
    if (bytes == 2) {
      WidenColumns(reinterpret_cast<const uint16_t*>(a + y * row),
                   reinterpret_cast<const uint16_t*>(b + y * row), w, lo, hi);
    } else {
      WidenColumns(reinterpret_cast<const uint32_t*>(a + y * row),
                   reinterpret_cast<const uint32_t*>(b + y * row), w, lo, hi);
    }
  }
  return FrameRect{lo, top, hi - lo + 1, bottom - top + 1};
}

FrameRect FitFrame(int w, int h, int out_w, int out_h) {
  if (w <= 0 || h <= 0 || out_w <= 0 || out_h <= 0) return {};
  const double scale = std::min(static_cast<double>(out_w) / w, static_cast<double>(out_h) / h);
  const int fw = static_cast<int>(w * scale), fh = static_cast<int>(h * scale);
  return FrameRect{(out_w - fw) / 2, (out_h - fh) / 2, fw, fh};
}

SDL_Renderer* CreateHardwareRenderer(SDL_Window* window, uint32_t flags) {
  SDL_Renderer* r = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | flags);
  if (!r) return nullptr;
  SDL_RendererInfo info{};
  SDL_GetRendererInfo(r, &info);
  const std::string name = info.name ? info.name : "";
  const bool gl = name.rfind("opengl", 0) == 0;
  if ((info.flags & SDL_RENDERER_ACCELERATED) == 0 || (gl && SoftwareGl())) {
    SDL_DestroyRenderer(r);
    return nullptr;
  }
  return r;
}

FrameScreen::~FrameScreen() {
  Close();
}

bool FrameScreen::Open(SDL_Window* window, SDL_Renderer* renderer, int width, int height,
                       FrameFormat f) {
  Close();
  format_ = f;
  bytes_ = f == FrameFormat::kRgb565 ? 2 : 4;
  w_ = std::max(width, 1);
  h_ = std::max(height, 1);
  if (!renderer) {
    // The window's own pixels, not a texture SDL would draw through GL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Surface* s = SDL_GetWindowSurface(window);
    if (!s || (s->format->BytesPerPixel != 2 && s->format->BytesPerPixel != 4)) return false;
  }
  window_ = window;
  renderer_ = renderer;
  shown_.assign(static_cast<size_t>(w_) * h_ * bytes_, 0);
  sw_ = sh_ = 0;
  full_ = true;
  return true;
}

void FrameScreen::Close() {
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
  window_ = nullptr;
  renderer_ = nullptr;
}

void FrameScreen::OnEvent(const SDL_Event& e) {
  if (e.type == SDL_RENDER_TARGETS_RESET || e.type == SDL_RENDER_DEVICE_RESET) {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = nullptr;  // made again by the next present
    full_ = true;
  }
  if (e.type != SDL_WINDOWEVENT || !window_ || e.window.windowID != SDL_GetWindowID(window_)) {
    return;
  }
  switch (e.window.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      full_ = true;
      break;
    default:
      break;
  }
}

FrameRect FrameScreen::Present(const void* pixels) {
  if (!window_) return {};
  if (SDL_GetWindowFlags(window_) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) {
    full_ = true;  // whatever the window showed is gone
    return {};
  }
  const auto* p = static_cast<const uint8_t*>(pixels);
  const FrameRect part =
      full_ ? FrameRect{0, 0, w_, h_} : ChangedPart(shown_.data(), p, w_, h_, bytes_);
  if (part.empty()) return {};
  const FrameRect sent = renderer_ ? SendToRenderer(p, part) : SendToSurface(p, part);
  if (sent.empty()) return {};
  const size_t row = static_cast<size_t>(w_) * bytes_;
  std::memcpy(shown_.data() + part.y * row, p + part.y * row, part.h * row);
  full_ = false;
  return sent;
}

bool FrameScreen::MakeTexture() {
  if (texture_) return true;
  const Uint32 f =
      format_ == FrameFormat::kRgb565 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
  texture_ = SDL_CreateTexture(renderer_, f, SDL_TEXTUREACCESS_STREAMING, w_, h_);
  full_ = true;
  return texture_ != nullptr;
}

bool FrameScreen::Ready() {
  if (!window_) return false;
  if (renderer_) return MakeTexture();
  return SDL_GetWindowSurface(window_) != nullptr;
}

FrameRect FrameScreen::SendToRenderer(const uint8_t* pixels, FrameRect part) {
  if (!texture_) {
    if (!MakeTexture()) return {};
    part = FrameRect{0, 0, w_, h_};
  }
  const int pitch = w_ * bytes_;
  const SDL_Rect r{part.x, part.y, part.w, part.h};
  SDL_UpdateTexture(texture_, &r, pixels + part.y * pitch + part.x * bytes_, pitch);
  const FrameRect at = Placed();
  const SDL_Rect dst{at.x, at.y, at.w, at.h};
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);  // black borders
  SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
  SDL_RenderPresent(renderer_);
  return part;
}

// A new surface or size: where the frame goes, the column map, the colour table.
bool FrameScreen::FitSurface(SDL_Surface* s) {
  if (s->w == sw_ && s->h == sh_ && s->format->format == sformat_) return false;
  sw_ = s->w;
  sh_ = s->h;
  sformat_ = s->format->format;
  sbytes_ = s->format->BytesPerPixel;
  dst_ = FitFrame(w_, h_, sw_, sh_);
  xmap_.resize(static_cast<size_t>(std::max(dst_.w, 0)));
  for (int x = 0; x < dst_.w; ++x)
    xmap_[x] = static_cast<int>(static_cast<int64_t>(x) * w_ / dst_.w);
  BuildColours(s);
  return true;
}

void FrameScreen::BuildColours(const SDL_Surface* s) {
  const SDL_PixelFormat* f = s->format;
  const auto channel = [](uint32_t v8, Uint8 loss, Uint8 shift) { return (v8 >> loss) << shift; };
  if (format_ == FrameFormat::kRgb565) {
    identity_ = sformat_ == SDL_PIXELFORMAT_RGB565;
    colours_.resize(65536);
    for (uint32_t v = 0; v < 65536; ++v) {
      const uint32_t r = v >> 11, g = (v >> 5) & 63, b = v & 31;
      colours_[v] = channel(r << 3 | r >> 2, f->Rloss, f->Rshift) |
                    channel(g << 2 | g >> 4, f->Gloss, f->Gshift) |
                    channel(b << 3 | b >> 2, f->Bloss, f->Bshift);
    }
    return;
  }
  identity_ = sformat_ == SDL_PIXELFORMAT_RGB888 || sformat_ == SDL_PIXELFORMAT_ARGB8888;
  colours_.resize(768);  // red, green, blue: 256 entries each
  for (uint32_t v = 0; v < 256; ++v) {
    colours_[v] = channel(v, f->Rloss, f->Rshift);
    colours_[256 + v] = channel(v, f->Gloss, f->Gshift);
    colours_[512 + v] = channel(v, f->Bloss, f->Bshift);
  }
}

// Destination columns x0 .. x0 + n - 1 of one row from the source row `in`.
void FrameScreen::ScaleRowInto(const uint8_t* in, uint8_t* out, int x0, int n) const {
  const uint32_t* lut = colours_.data();
  const int* xmap = xmap_.data() + x0;
  if (identity_ && dst_.w == w_) {  // same format, same size: the row as it is
    std::memcpy(out, in + static_cast<size_t>(x0) * bytes_, static_cast<size_t>(n) * bytes_);
  } else if (format_ == FrameFormat::kRgb565) {
    const auto* src = reinterpret_cast<const uint16_t*>(in);
    if (sbytes_ == 4) {
      ScaleRow(src, reinterpret_cast<uint32_t*>(out), xmap, n,
               [lut](uint16_t v) { return lut[v]; });
    } else if (identity_) {
      ScaleRow(src, reinterpret_cast<uint16_t*>(out), xmap, n, [](uint16_t v) { return v; });
    } else {
      ScaleRow(src, reinterpret_cast<uint16_t*>(out), xmap, n,
               [lut](uint16_t v) { return lut[v]; });
    }
  } else {
    const auto* src = reinterpret_cast<const uint32_t*>(in);
    const auto conv = [lut](uint32_t v) {
      return lut[v >> 16 & 255] | lut[256 + (v >> 8 & 255)] | lut[512 + (v & 255)];
    };
    if (identity_) {
      ScaleRow(src, reinterpret_cast<uint32_t*>(out), xmap, n, [](uint32_t v) { return v; });
    } else if (sbytes_ == 4) {
      ScaleRow(src, reinterpret_cast<uint32_t*>(out), xmap, n, conv);
    } else {
      ScaleRow(src, reinterpret_cast<uint16_t*>(out), xmap, n, conv);
    }
  }
}

// Scales the frame's `part` into the surface; the surface rectangle written.
FrameRect FrameScreen::Scale(const uint8_t* pixels, FrameRect part, SDL_Surface* s) const {
  // The destination columns and rows whose source pixel lies in the part.
  const int x0 = CeilDiv(part.x * dst_.w, w_), x1 = CeilDiv((part.x + part.w) * dst_.w, w_);
  const int y0 = CeilDiv(part.y * dst_.h, h_), y1 = CeilDiv((part.y + part.h) * dst_.h, h_);
  if (x1 <= x0 || y1 <= y0) return {};
  const int n = x1 - x0;
  int last = -1;
  const uint8_t* lastrow = nullptr;
  for (int y = y0; y < y1; ++y) {
    const int sy = static_cast<int>(static_cast<int64_t>(y) * h_ / dst_.h);
    uint8_t* out = static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(dst_.y + y) * s->pitch +
                   static_cast<size_t>(dst_.x + x0) * sbytes_;
    if (sy == last) {  // the same source row as the one above: copy it
      std::memcpy(out, lastrow, static_cast<size_t>(n) * sbytes_);
      continue;
    }
    ScaleRowInto(pixels + static_cast<size_t>(sy) * w_ * bytes_, out, x0, n);
    last = sy;
    lastrow = out;
  }
  return FrameRect{dst_.x + x0, dst_.y + y0, n, y1 - y0};
}

FrameRect FrameScreen::SendToSurface(const uint8_t* pixels, FrameRect part) {
  SDL_Surface* s = SDL_GetWindowSurface(window_);
  if (!s || (s->format->BytesPerPixel != 2 && s->format->BytesPerPixel != 4)) return {};
  const bool refit = FitSurface(s);
  const bool whole = refit || full_;
  if (whole) part = FrameRect{0, 0, w_, h_};
  if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return {};
  if (whole) SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0, 0, 0));  // black borders
  const FrameRect r = Scale(pixels, part, s);
  if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
  if (whole) {
    SDL_UpdateWindowSurface(window_);
  } else if (!r.empty()) {
    const SDL_Rect rect{r.x, r.y, r.w, r.h};
    SDL_UpdateWindowSurfaceRects(window_, &rect, 1);
  }
  return part;
}

void FrameScreen::OutputSize(int& w, int& h) const {
  w = h = 0;
  if (renderer_) {
    SDL_GetRendererOutputSize(renderer_, &w, &h);
  } else if (window_) {
    SDL_GetWindowSizeInPixels(window_, &w, &h);
  }
}

FrameRect FrameScreen::Placed() const {
  int ow = 0, oh = 0;
  OutputSize(ow, oh);
  return FitFrame(w_, h_, ow, oh);
}

void FrameScreen::ToFrame(int wx, int wy, int& fx, int& fy) const {
  // Mouse events come in window points; the output may have more pixels.
  int ww = 0, wh = 0, ow = 0, oh = 0;
  if (window_) SDL_GetWindowSize(window_, &ww, &wh);
  OutputSize(ow, oh);
  const double px = ww > 0 ? wx * static_cast<double>(ow) / ww : wx;
  const double py = wh > 0 ? wy * static_cast<double>(oh) / wh : wy;
  const FrameRect r = FitFrame(w_, h_, ow, oh);
  fx = r.w > 0 ? static_cast<int>(std::floor((px - r.x) * w_ / r.w)) : 0;
  fy = r.h > 0 ? static_cast<int>(std::floor((py - r.y) * h_ / r.h)) : 0;
}

void FrameScreen::ToWindow(int fx, int fy, int& wx, int& wy) const {
  int ww = 0, wh = 0, ow = 0, oh = 0;
  if (window_) SDL_GetWindowSize(window_, &ww, &wh);
  OutputSize(ow, oh);
  const FrameRect r = FitFrame(w_, h_, ow, oh);
  const double px = r.x + static_cast<double>(fx) * r.w / w_;
  const double py = r.y + static_cast<double>(fy) * r.h / h_;
  wx = ow > 0 ? static_cast<int>(px * ww / ow) : fx;
  wy = oh > 0 ? static_cast<int>(py * wh / oh) : fy;
}

}  // namespace gp
