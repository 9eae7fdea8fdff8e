#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "platform/sdl/screenshot.h"
#include "platform/sdl/sdl_window.h"

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

bool SdlPlatform::IsScreenModeKey(int sdl_keycode, int modifiers) {
  return sdl_keycode == SDLK_F11 ||
         ((sdl_keycode == SDLK_RETURN || sdl_keycode == SDLK_KP_ENTER) && (modifiers & KMOD_ALT));
}

bool SdlPlatform::OpenDisplay(int width, int height, bool vsync) {
  CloseDisplay();
  if (!video_) {
    if (!StartVideo()) return false;
    video_ = true;
  }
  width_ = width;
  height_ = height;
  window_ = CreateScreenWindow("Galaputt Demo", windowed_, width, height);
  if (!window_) return false;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  // Relative motion arrives in window pixels; we scale it ourselves, keeping fractions.
  SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_SCALING, "0");
  // A graphics processor scales the frame; drawn in software it goes to the window's surface.
  renderer_ = CreateHardwareRenderer(window_, vsync ? SDL_RENDERER_PRESENTVSYNC : 0);
  bool shown = frames_.Open(window_, renderer_, width, height, FrameFormat::kRgb565);
  if (!shown && !renderer_) {  // a surface of another depth: SDL's own software renderer
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    shown = renderer_ && frames_.Open(window_, renderer_, width, height, FrameFormat::kRgb565);
  }
  if (!shown) {
    CloseDisplay();
    return false;
  }
  // The system pointer is hidden; the game draws its own at the virtual position.
  SDL_ShowCursor(SDL_DISABLE);
  relative_ = !windowed_ && SDL_SetRelativeMouseMode(SDL_TRUE) == 0;
  pointer_x_ = width / 2;
  pointer_y_ = height / 2;
  const std::vector<uint16_t> black(static_cast<size_t>(width) * height, 0);
  frames_.Present(black.data());
  return true;
}

void SdlPlatform::CloseDisplay() {
  if (relative_) SDL_SetRelativeMouseMode(SDL_FALSE);
  relative_ = false;
  frames_.Close();
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) {
    SDL_ShowCursor(SDL_ENABLE);
    SDL_DestroyWindow(window_);
  }
  renderer_ = nullptr;
  window_ = nullptr;
}

bool SdlPlatform::DisplayReady() {
  return window_ != nullptr && frames_.Ready();
}

void SdlPlatform::Present(const uint16_t* pixels, int width, int height) {
  if (!DisplayReady() || width != width_ || height != height_) return;
  frames_.Present(pixels);  // only what changed, and nothing while hidden
}

bool SdlPlatform::DisplayVisible() {
  return window_ && (SDL_GetWindowFlags(window_) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0;
}

void SdlPlatform::SetWindowed(bool windowed) {
  if (windowed == windowed_) return;
  windowed_ = windowed;
  if (!window_) return;
  SetScreenWindowMode(window_, windowed_, width_, height_);
  frames_.Refresh();
  if (windowed_) {
    if (relative_) SDL_SetRelativeMouseMode(SDL_FALSE);
    relative_ = false;
    WarpPointer(pointer_x_, pointer_y_);  // the real pointer where the game's is
  } else {
    relative_ = SDL_SetRelativeMouseMode(SDL_TRUE) == 0;
    // In full screen the pointer never leaves, so it is back in.
    InputEvent ev;
    ev.type = InputEvent::Type::PointerEnter;
    ev.x = pointer_x_;
    ev.y = pointer_y_;
    pending_.push_back(ev);
  }
}

void SdlPlatform::Screenshot() {
  InputEvent ev;
  std::string error;
  const std::string path =
      SaveScreenshot(static_cast<const uint16_t*>(frames_.Shown()), frames_.width(),
                     frames_.height(), std::time(nullptr), error);
  if (path.empty()) {
    std::fprintf(stderr, "galaputt: screenshot not saved: %s\n", error.c_str());
    ev.type = InputEvent::Type::ScreenshotFailed;
  } else {
    std::printf("galaputt: screenshot saved as %s\n", path.c_str());
    std::fflush(stdout);
    ev.type = InputEvent::Type::ScreenshotSaved;
  }
  ev.x = pointer_x_;
  ev.y = pointer_y_;
  pending_.push_back(ev);
}

bool SdlPlatform::OwnKey(const SDL_Event& e) {
  if (e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) return false;
  const SDL_Keycode k = e.key.keysym.sym;
  const bool down = e.type == SDL_KEYDOWN && !e.key.repeat;
  if (IsScreenModeKey(k, e.key.keysym.mod) && e.type == SDL_KEYDOWN) {
    if (down) SetWindowed(!windowed_);
    return true;
  }
  if (k == SDLK_F11 || k == SDLK_F12) {
    if (down && k == SDLK_F12 && window_) Screenshot();
    return true;
  }
  return false;
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
    // Put the real pointer there too.
    int wx = 0, wy = 0;
    frames_.ToWindow(pointer_x_, pointer_y_, wx, wy);
    SDL_WarpMouseInWindow(window_, wx, wy);
  }
}

void SdlPlatform::Translate(const SDL_Event& e) {
  frames_.OnEvent(e);
  if (OwnKey(e)) return;
  InputEvent ev;
  int fx = 0, fy = 0;
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
        // Window pixels per logical pixel.
        const FrameRect at = frames_.Placed();
        const float scale = at.w > 0 ? static_cast<float>(at.w) / width_ : 1;
        frac_x_ += e.motion.xrel / scale;
        frac_y_ += e.motion.yrel / scale;
        const int dx = static_cast<int>(frac_x_), dy = static_cast<int>(frac_y_);
        frac_x_ -= dx;
        frac_y_ -= dy;
        MovePointer(pointer_x_ + dx, pointer_y_ + dy);
      } else {
        frames_.ToFrame(e.motion.x, e.motion.y, fx, fy);
        MovePointer(fx, fy);
      }
      ev.type = InputEvent::Type::MouseMove;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (!relative_) {
        frames_.ToFrame(e.button.x, e.button.y, fx, fy);
        MovePointer(fx, fy);
      }
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
