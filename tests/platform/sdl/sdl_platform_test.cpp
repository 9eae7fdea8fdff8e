// The SDL platform on SDL's dummy video and audio drivers.
#include "platform/sdl/sdl_platform.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>

namespace gp {
namespace {

// The next event; SDL ends one round of polling at its own marker, so a
// second round may be needed for events pushed after it.
InputEvent Next(SdlPlatform& p) {
  InputEvent ev;
  EXPECT_TRUE(p.PollEvent(ev) || p.PollEvent(ev));
  return ev;
}

TEST(SdlPlatform, KeyCodesAreTheGames) {
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_RETURN), kKeyEnter);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_KP_ENTER), kKeyEnter);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_ESCAPE), kKeyEsc);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_SPACE), kKeySpace);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_PAGEUP), kKeyPageUp);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_END), kKeyEnd);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_HOME), kKeyHome);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_LEFT), kKeyLeft);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_UP), kKeyUp);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_RIGHT), kKeyRight);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_DOWN), kKeyDown);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_F1), kKeyF1);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_F3), kKeyF3);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_F4), kKeyF4);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_F5), kKeyF5);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_F8), kKeyF8);
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_q), 'Q');
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_7), '7');
  EXPECT_EQ(SdlPlatform::KeyCode(SDLK_LSHIFT), 0);
}

TEST(SdlPlatform, WindowEventsAndVirtualPointer) {
  SdlPlatform p(true);
  ASSERT_TRUE(p.OpenDisplay(64, 48, false)) << "no SDL video: " << SDL_GetError();
  EXPECT_TRUE(p.DisplayReady());
  std::vector<uint16_t> px(64 * 48, 0xF800);
  p.Present(px.data(), 64, 48);
  p.Present(px.data(), 32, 48);  // another size: ignored
  InputEvent ev;
  while (p.PollEvent(ev)) {
  }

  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = SDLK_F8;
  SDL_PushEvent(&e);
  e.type = SDL_KEYUP;
  e.key.keysym.sym = SDLK_ESCAPE;
  SDL_PushEvent(&e);
  ev = Next(p);
  EXPECT_EQ(ev.type, InputEvent::Type::KeyDown);
  EXPECT_EQ(ev.key, kKeyF8);
  ev = Next(p);
  EXPECT_EQ(ev.type, InputEvent::Type::KeyUp);
  EXPECT_EQ(ev.key, kKeyEsc);

  e = SDL_Event{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = SDL_GetWindowID(p.window());
  e.motion.x = 500;  // clamped to the logical screen
  e.motion.y = 10;
  SDL_PushEvent(&e);
  ev = Next(p);
  EXPECT_EQ(ev.type, InputEvent::Type::MouseMove);
  EXPECT_EQ(ev.x, 63);
  EXPECT_EQ(ev.y, 10);

  e = SDL_Event{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.windowID = SDL_GetWindowID(p.window());
  e.button.button = SDL_BUTTON_RIGHT;
  e.button.clicks = 2;
  e.button.x = 5;
  e.button.y = 6;
  SDL_PushEvent(&e);
  ev = Next(p);
  EXPECT_EQ(ev.type, InputEvent::Type::ButtonDown);
  EXPECT_EQ(ev.button, MouseButton::Right);
  EXPECT_EQ(ev.x, 5);
  ev = Next(p);
  EXPECT_EQ(ev.type, InputEvent::Type::DoubleClick);
  EXPECT_EQ(ev.y, 6);

  p.WarpPointer(-4, 1000);
  EXPECT_EQ(p.pointerx(), 0);
  EXPECT_EQ(p.pointery(), 47);

  e = SDL_Event{};
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
  bool quit = false;  // after the motion that the warp itself made
  for (int i = 0; i < 20 && !quit; ++i) quit = p.PollEvent(ev) && ev.type == InputEvent::Type::Quit;
  EXPECT_TRUE(quit);
  p.CloseDisplay();
  EXPECT_FALSE(p.DisplayReady());
}

TEST(SdlPlatform, PointerLeavingAndEnteringTheWindow) {
  SdlPlatform p(true);
  ASSERT_TRUE(p.OpenDisplay(64, 48, false)) << "no SDL video: " << SDL_GetError();
  InputEvent ev;
  while (p.PollEvent(ev)) {
  }
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = SDL_GetWindowID(p.window());
  for (const Uint8 what : {SDL_WINDOWEVENT_MOVED, SDL_WINDOWEVENT_LEAVE, SDL_WINDOWEVENT_ENTER}) {
    e.window.event = what;
    SDL_PushEvent(&e);
  }
  // Other window events are not input.
  ev = Next(p);
  EXPECT_EQ(ev.type, InputEvent::Type::PointerLeave);
  ev = Next(p);
  EXPECT_EQ(ev.type, InputEvent::Type::PointerEnter);
  p.CloseDisplay();
}

struct Counter : AudioSource {
  void Mix(int16_t* out, int frames) override {
    for (int i = 0; i < frames; ++i) out[i] = 0;
    calls += 1;
  }
  std::atomic<int> calls{0};
};

TEST(SdlPlatform, AudioDevicePullsFromTheSource) {
  SdlPlatform p(true);
  Counter c;
  ASSERT_TRUE(p.OpenAudio(&c)) << "no SDL audio: " << SDL_GetError();
  for (int i = 0; i < 200 && c.calls == 0; ++i) SDL_Delay(10);
  EXPECT_GT(c.calls.load(), 0);
  p.LockAudio();
  const int held = c.calls;
  p.UnlockAudio();
  EXPECT_GE(c.calls.load(), held);
  p.CloseAudio();
  const int closed = c.calls;
  SDL_Delay(30);
  EXPECT_EQ(c.calls.load(), closed);
  const std::string base = p.BaseDir();
  ASSERT_FALSE(base.empty());
  EXPECT_EQ(base.back(), '/');
}

}  // namespace
}  // namespace gp
