// Where F12's pictures go and what they are called, and the platform's own keys: the
// picture saved and reported as an event, the screen-mode keys kept from the game.
#include "platform/sdl/screenshot.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sdl/sdl_platform.h"
#include "support/temp_folder.h"

namespace gp {
namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << text;
}

// A PNG's width and height from its header; 0 x 0 when it is not a PNG.
std::pair<int, int> PngSize(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::vector<unsigned char> b(24);
  if (!in.read(reinterpret_cast<char*>(b.data()), 24) || b[1] != 'P' || b[2] != 'N') return {0, 0};
  const auto be32 = [&b](size_t at) {
    return b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
  };
  return {be32(16), be32(20)};
}

TEST(PicturesFolder, EnvironmentThenUserDirsThenHome) {
  test::TempFolder tmp;
  const std::string home = tmp.Path("home"), config = tmp.Path("config");
  EXPECT_EQ(PicturesFolderFor("/srv/shots", config.c_str(), home.c_str()), "/srv/shots");
  // No user-dirs file: the usual folder in the home.
  EXPECT_EQ(PicturesFolderFor(nullptr, config.c_str(), home.c_str()), home + "/Pictures");
  EXPECT_EQ(PicturesFolderFor("relative/dir", nullptr, home.c_str()), home + "/Pictures");
  EXPECT_EQ(PicturesFolderFor(nullptr, nullptr, nullptr), "");

  // The desktop's own setting, in the language of the desktop; comments and other folders
  // are passed over, the last setting counts.
  WriteText(fs::path(config) / "user-dirs.dirs",
            "# written by xdg-user-dirs-update\n"
            "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
            "#XDG_PICTURES_DIR=\"$HOME/Alt\"\n"
            "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
  EXPECT_EQ(PicturesFolderFor(nullptr, config.c_str(), home.c_str()), home + "/Bilder");
  EXPECT_EQ(PicturesFolderFor("", config.c_str(), home.c_str()), home + "/Bilder");
  WriteText(fs::path(config) / "user-dirs.dirs", "XDG_PICTURES_DIR=\"/data/pics\"\n");
  EXPECT_EQ(PicturesFolderFor(nullptr, config.c_str(), home.c_str()), "/data/pics");
  // Without XDG_CONFIG_HOME the file is looked for in HOME/.config.
  WriteText(fs::path(home) / ".config" / "user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/Fotos\"\n");
  EXPECT_EQ(PicturesFolderFor(nullptr, nullptr, home.c_str()), home + "/Fotos");
  // Malformed lines (no closing quote, a relative path, $HOMEX) are not settings.
  WriteText(fs::path(config) / "user-dirs.dirs",
            "XDG_PICTURES_DIR=\"$HOME/Open\nXDG_PICTURES_DIR=\"pics\"\n"
            "XDG_PICTURES_DIR=\"$HOMEX/y\"\n");
  EXPECT_EQ(PicturesFolderFor(nullptr, config.c_str(), home.c_str()), home + "/Pictures");
}

TEST(ScreenshotPath, DateAndTimeAndANumberWhenTaken) {
  setenv("TZ", "UTC", 1);
  tzset();
  test::TempFolder tmp;
  const std::time_t when = 1797760953;  // 2026-12-20 10:02:33 UTC
  const std::string first = ScreenshotPath(tmp.path().string(), when);
  EXPECT_EQ(first, tmp.Path("galaputt-2026-12-20-100233.png"));
  WriteText(first, "x");
  EXPECT_EQ(ScreenshotPath(tmp.path().string(), when),
            tmp.Path("galaputt-2026-12-20-100233-2.png"));
  WriteText(tmp.Path("galaputt-2026-12-20-100233-2.png"), "x");
  EXPECT_EQ(ScreenshotPath(tmp.path().string(), when),
            tmp.Path("galaputt-2026-12-20-100233-3.png"));
}

// The next event; SDL ends one round of polling at its own marker.
bool NextEvent(SdlPlatform& p, InputEvent& ev) {
  return p.PollEvent(ev) || p.PollEvent(ev);
}

void PushKey(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.sym = key;
  e.key.keysym.mod = mod;
  SDL_PushEvent(&e);
}

TEST(SdlPlatformKeys, F12SavesTheScreenAndReportsIt) {
  test::TempFolder tmp;
  const fs::path folder = tmp.path() / "new" / "Pictures";  // made when missing
  setenv("XDG_PICTURES_DIR", folder.c_str(), 1);
  SdlPlatform p(true);
  ASSERT_TRUE(p.OpenDisplay(64, 48, false)) << SDL_GetError();
  const std::vector<uint16_t> red(64 * 48, 0xF800);
  p.Present(red.data(), 64, 48);
  InputEvent ev;
  while (p.PollEvent(ev)) {
  }
  PushKey(SDL_KEYDOWN, SDLK_F12);
  PushKey(SDL_KEYUP, SDLK_F12);
  ASSERT_TRUE(NextEvent(p, ev));
  EXPECT_EQ(ev.type, InputEvent::Type::ScreenshotSaved);
  EXPECT_FALSE(NextEvent(p, ev)) << "the key itself is not the game's";
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(folder)) files.push_back(e.path());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].filename().string().rfind("galaputt-", 0), 0u);
  EXPECT_EQ(PngSize(files[0]), std::make_pair(64, 48));

  // A folder that cannot be made: said so, nothing else.
  WriteText(tmp.path() / "file", "x");
  setenv("XDG_PICTURES_DIR", (tmp.path() / "file" / "sub").c_str(), 1);
  PushKey(SDL_KEYDOWN, SDLK_F12);
  ASSERT_TRUE(NextEvent(p, ev));
  EXPECT_EQ(ev.type, InputEvent::Type::ScreenshotFailed);
  unsetenv("XDG_PICTURES_DIR");
  p.CloseDisplay();
}

TEST(SdlPlatformKeys, AltEnterAndF11SwitchTheScreenAndStayThePlatforms) {
  SdlPlatform p(true);
  ASSERT_TRUE(p.OpenDisplay(64, 48, false)) << SDL_GetError();
  InputEvent ev;
  while (p.PollEvent(ev)) {
  }
  EXPECT_TRUE(SdlPlatform::IsScreenModeKey(SDLK_RETURN, KMOD_LALT));
  EXPECT_TRUE(SdlPlatform::IsScreenModeKey(SDLK_KP_ENTER, KMOD_RALT));
  EXPECT_TRUE(SdlPlatform::IsScreenModeKey(SDLK_F11, KMOD_NONE));
  EXPECT_FALSE(SdlPlatform::IsScreenModeKey(SDLK_RETURN, KMOD_NONE));

  PushKey(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT);
  PushKey(SDL_KEYUP, SDLK_RETURN, KMOD_LALT);  // the release is the game's: harmless
  ASSERT_TRUE(NextEvent(p, ev));
  EXPECT_FALSE(p.windowed());
  // Full screen again: the pointer cannot be outside any more.
  EXPECT_EQ(ev.type, InputEvent::Type::PointerEnter);
  ASSERT_TRUE(NextEvent(p, ev));
  EXPECT_EQ(ev.type, InputEvent::Type::KeyUp);
  EXPECT_EQ(ev.key, kKeyEnter);

  PushKey(SDL_KEYDOWN, SDLK_F11);
  PushKey(SDL_KEYUP, SDLK_F11);
  PushKey(SDL_KEYDOWN, SDLK_RETURN);  // Enter alone is the game's
  ASSERT_TRUE(NextEvent(p, ev));
  EXPECT_TRUE(p.windowed());
  EXPECT_EQ(ev.type, InputEvent::Type::KeyDown);
  EXPECT_EQ(ev.key, kKeyEnter);
  EXPECT_TRUE(p.DisplayVisible());
  SDL_HideWindow(p.window());
  EXPECT_FALSE(p.DisplayVisible());
  p.CloseDisplay();
  // The choice stays for the next display.
  p.SetWindowed(false);
  EXPECT_FALSE(p.windowed());
}

}  // namespace
}  // namespace gp
