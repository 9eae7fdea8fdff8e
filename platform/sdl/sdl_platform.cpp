#include "platform/sdl/sdl_platform.h"

#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

namespace gp {

namespace {

struct KeyPair {
  SDL_Keycode sdl;
  int game;
};

constexpr KeyPair kKeys[] = {
    {SDLK_RETURN, kKeyEnter},
    {SDLK_KP_ENTER, kKeyEnter},
    {SDLK_ESCAPE, kKeyEsc},
    {SDLK_SPACE, kKeySpace},
    {SDLK_PAGEUP, kKeyPageUp},
    {SDLK_END, kKeyEnd},
    {SDLK_HOME, kKeyHome},
    {SDLK_LEFT, kKeyLeft},
    {SDLK_UP, kKeyUp},
    {SDLK_RIGHT, kKeyRight},
    {SDLK_DOWN, kKeyDown},
    {SDLK_F1, kKeyF1},
    {SDLK_F3, kKeyF3},
    {SDLK_F4, kKeyF4},
    {SDLK_F5, kKeyF5},
    {SDLK_F8, kKeyF8},
    {SDLK_BACKSPACE, 8},
    {SDLK_TAB, 9},
    {SDLK_PAGEDOWN, 34},
    {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},
    {SDLK_F2, 113},
    {SDLK_F6, 117},
    {SDLK_F7, 118},
    {SDLK_F9, 120},
    {SDLK_F10, 121},
    {SDLK_F11, 122},
    {SDLK_F12, 123},
};

MouseButton ButtonOf(uint8_t b) {
  if (b == SDL_BUTTON_RIGHT) return MouseButton::Right;
  if (b == SDL_BUTTON_MIDDLE) return MouseButton::Middle;
  return MouseButton::Left;
}

void AudioCallback(void* userdata, Uint8* stream, int len) {
  auto* source = static_cast<AudioSource*>(userdata);
  source->Mix(reinterpret_cast<int16_t*>(stream), len / 2);
}

}  // namespace

SdlPlatform::SdlPlatform(bool windowed) : windowed_(windowed) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_Init(SDL_INIT_TIMER | SDL_INIT_EVENTS);
}

SdlPlatform::~SdlPlatform() {
  CloseAudio();
  CloseDisplay();
  if (video_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  SDL_QuitSubSystem(SDL_INIT_TIMER | SDL_INIT_EVENTS);
}

uint32_t SdlPlatform::Ticks() {
  return SDL_GetTicks();
}

void SdlPlatform::Wait(uint32_t ms) {
  if (pending_.empty()) SDL_WaitEventTimeout(nullptr, static_cast<int>(ms));
}

int SdlPlatform::KeyCode(int sdl_keycode) {
  for (const KeyPair& k : kKeys) {
    if (k.sdl == sdl_keycode) return k.game;
  }
  // Letters and digits have the codes of their upper-case characters.
  if (sdl_keycode >= SDLK_a && sdl_keycode <= SDLK_z) return 'A' + (sdl_keycode - SDLK_a);
  if (sdl_keycode >= SDLK_0 && sdl_keycode <= SDLK_9) return sdl_keycode;
  return 0;
}

bool SdlPlatform::MakeTexture() {
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                               width_, height_);
  return texture_ != nullptr;
}

bool SdlPlatform::OpenDisplay(int width, int height, bool vsync) {
  CloseDisplay();
  if (!video_) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    video_ = true;
  }
  width_ = width;
  height_ = height;
  window_ = CreateScreenWindow("Galaputt Demo", windowed_, width, height);
  if (!window_) return false;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  // Relative motion arrives in window pixels; we scale it ourselves, keeping fractions.
  SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_SCALING, "0");
  const Uint32 vs = vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | vs);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_ || SDL_RenderSetLogicalSize(renderer_, width, height) != 0 || !MakeTexture()) {
    CloseDisplay();
    return false;
  }
  // The system pointer is hidden; the game draws its own at the virtual position.
  SDL_ShowCursor(SDL_DISABLE);
  relative_ = !windowed_ && SDL_SetRelativeMouseMode(SDL_TRUE) == 0;
  pointer_x_ = width / 2;
  pointer_y_ = height / 2;
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderPresent(renderer_);
  return true;
}

void SdlPlatform::CloseDisplay() {
  if (relative_) SDL_SetRelativeMouseMode(SDL_FALSE);
  relative_ = false;
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) {
    SDL_ShowCursor(SDL_ENABLE);
    SDL_DestroyWindow(window_);
  }
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
}

bool SdlPlatform::DisplayReady() {
  // A renderer that lost its textures (device reset) gets a new one.
  if (renderer_ && !texture_) MakeTexture();
  return texture_ != nullptr;
}

void SdlPlatform::Present(const uint16_t* pixels, int width, int height) {
  if (!DisplayReady() || width != width_ || height != height_) return;
  SDL_UpdateTexture(texture_, nullptr, pixels, width * static_cast<int>(sizeof(uint16_t)));
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);  // black borders
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

bool SdlPlatform::OpenAudio(AudioSource* source) {
  CloseAudio();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = 22050;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = 512;  // about 23 ms
  want.callback = AudioCallback;
  want.userdata = source;
  audio_device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  if (audio_device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  audio_source_ = source;
  SDL_PauseAudioDevice(audio_device_, 0);
  return true;
}

void SdlPlatform::CloseAudio() {
  if (audio_device_ == 0) return;
  SDL_CloseAudioDevice(audio_device_);  // waits for a running callback
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audio_device_ = 0;
  audio_source_ = nullptr;
}

void SdlPlatform::LockAudio() {
  if (audio_device_ != 0) SDL_LockAudioDevice(audio_device_);
}

void SdlPlatform::UnlockAudio() {
  if (audio_device_ != 0) SDL_UnlockAudioDevice(audio_device_);
}

void SdlPlatform::MovePointer(int x, int y) {
  pointer_x_ = std::clamp(x, 0, std::max(0, width_ - 1));
  pointer_y_ = std::clamp(y, 0, std::max(0, height_ - 1));
}

void SdlPlatform::WarpPointer(int x, int y) {
  MovePointer(x, y);
  if (window_ && !relative_) {
    // Put the real pointer there too: logical to window coordinates.
    int ww = 0, wh = 0;
    SDL_GetWindowSize(window_, &ww, &wh);
    const float scale = std::min(static_cast<float>(ww) / width_, static_cast<float>(wh) / height_);
    const float ox = (ww - width_ * scale) / 2, oy = (wh - height_ * scale) / 2;
    SDL_WarpMouseInWindow(window_, static_cast<int>(ox + pointer_x_ * scale),
                          static_cast<int>(oy + pointer_y_ * scale));
  }
}

void SdlPlatform::Translate(const SDL_Event& e) {
  InputEvent ev;
  switch (e.type) {
    case SDL_QUIT:
      ev.type = InputEvent::Type::Quit;
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      ev.type = e.type == SDL_KEYDOWN ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
      ev.key = KeyCode(e.key.keysym.sym);
      break;
    case SDL_MOUSEMOTION:
      if (relative_) {
        float sx = 1, sy = 1;
        SDL_RenderGetScale(renderer_, &sx, &sy);
        frac_x_ += e.motion.xrel / (sx > 0 ? sx : 1);
        frac_y_ += e.motion.yrel / (sy > 0 ? sy : 1);
        const int dx = static_cast<int>(frac_x_), dy = static_cast<int>(frac_y_);
        frac_x_ -= dx;
        frac_y_ -= dy;
        MovePointer(pointer_x_ + dx, pointer_y_ + dy);
      } else {
        MovePointer(e.motion.x, e.motion.y);  // already in logical pixels
      }
      ev.type = InputEvent::Type::MouseMove;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (!relative_) MovePointer(e.button.x, e.button.y);
      ev.type =
          e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Type::ButtonDown : InputEvent::Type::ButtonUp;
      ev.button = ButtonOf(e.button.button);
      break;
    case SDL_WINDOWEVENT:
      // Only a window on the desktop: in full screen the virtual pointer stays inside.
      if (relative_ ||
          (e.window.event != SDL_WINDOWEVENT_LEAVE && e.window.event != SDL_WINDOWEVENT_ENTER)) {
        return;
      }
      ev.type = e.window.event == SDL_WINDOWEVENT_LEAVE ? InputEvent::Type::PointerLeave
                                                        : InputEvent::Type::PointerEnter;
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      if (texture_) SDL_DestroyTexture(texture_);
      texture_ = nullptr;  // made again by DisplayReady
      return;
    default:
      return;
  }
  ev.x = pointer_x_;
  ev.y = pointer_y_;
  pending_.push_back(ev);
  if (e.type == SDL_MOUSEBUTTONDOWN && e.button.clicks == 2) {
    ev.type = InputEvent::Type::DoubleClick;
    pending_.push_back(ev);
  }
}

bool SdlPlatform::PollEvent(InputEvent& ev) {
  SDL_Event e;
  while (pending_.empty() && SDL_PollEvent(&e)) Translate(e);
  if (pending_.empty()) return false;
  ev = pending_.front();
  pending_.pop_front();
  return true;
}

void SdlPlatform::ShowMessage(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title.c_str(), text.c_str(), window_);
}

std::string SdlPlatform::BaseDir() {
  char* base = SDL_GetBasePath();
  if (!base) return "./";
  std::string dir(base);
  SDL_free(base);
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace gp
