#include "platform/sdl/screenshot.h"

#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/headless/png_writer.h"

namespace gp {

namespace fs = std::filesystem;

namespace {

bool Absolute(const char* s) {
  return s != nullptr && s[0] == '/';
}

// XDG_PICTURES_DIR of a user-dirs.dirs file: a line XDG_PICTURES_DIR="$HOME/..." or
// XDG_PICTURES_DIR="/...". Empty when the file or the line is missing or malformed.
std::string FromUserDirs(const fs::path& file, const std::string& home) {
  std::ifstream in(file);
  std::string line, found;
  constexpr std::string_view kKey = "XDG_PICTURES_DIR=\"";
  while (std::getline(in, line)) {
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, kKey.size(), kKey) != 0) continue;
    const size_t from = start + kKey.size(), end = line.find('"', from);
    if (end == std::string::npos) continue;
    std::string value = line.substr(from, end - from);
    if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/')) {
      if (home.empty()) continue;
      value = home + value.substr(5);
    }
    if (!value.empty() && value[0] == '/') found = value;  // the last line counts
  }
  return found;
}

}  // namespace

std::string PicturesFolderFor(const char* pictures_dir, const char* config_home, const char* home) {
  if (Absolute(pictures_dir)) return pictures_dir;
  const std::string h = Absolute(home) ? home : "";
  fs::path config;
  if (Absolute(config_home)) {
    config = config_home;
  } else if (!h.empty()) {
    config = fs::path(h) / ".config";
  }
  if (!config.empty()) {
    if (std::string dir = FromUserDirs(config / "user-dirs.dirs", h); !dir.empty()) return dir;
  }
  return h.empty() ? "" : (fs::path(h) / "Pictures").string();
}

std::string PicturesFolder() {
  const char* home = std::getenv("HOME");
  if (!Absolute(home)) {
    const passwd* pw = ::getpwuid(::getuid());
    home = pw != nullptr ? pw->pw_dir : nullptr;
  }
  return PicturesFolderFor(std::getenv("XDG_PICTURES_DIR"), std::getenv("XDG_CONFIG_HOME"), home);
}

std::string ScreenshotPath(const std::string& folder, std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "galaputt-%Y-%m-%d-%H%M%S", &local);
  const fs::path dir(folder);
  fs::path path = dir / (std::string(stamp) + ".png");
  std::error_code ec;
  for (int n = 2; fs::exists(path, ec) && n < 1000; ++n) {
    path = dir / (std::string(stamp) + "-" + std::to_string(n) + ".png");
  }
  return path.string();
}

std::string SaveScreenshot(const uint16_t* pixels, int width, int height, std::time_t when,
                           std::string& error) {
  const std::string folder = PicturesFolder();
  if (folder.empty()) {
    error = "no pictures folder (HOME is not set)";
    return "";
  }
  std::error_code ec;
  fs::create_directories(folder, ec);
  const std::string path = ScreenshotPath(folder, when);
  if (!WritePng(path, pixels, width, height, width)) {
    error = "cannot write " + path;
    return "";
  }
  return path;
}

}  // namespace gp
