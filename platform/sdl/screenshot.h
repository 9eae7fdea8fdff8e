#pragma once
// Screenshots of the game's screen: PNG files named by date and time in the
// user's pictures folder.

#include <cstdint>
#include <ctime>
#include <string>

namespace gp {

// The pictures folder: `pictures_dir` ($XDG_PICTURES_DIR) when set; else XDG_PICTURES_DIR
// from "user-dirs.dirs" in `config_home` ($XDG_CONFIG_HOME, else HOME/.config); else
// HOME/Pictures. Relative or empty settings are passed over. Empty when nothing is known.
std::string PicturesFolderFor(const char* pictures_dir, const char* config_home, const char* home);
// The same from the environment (HOME from the password database when unset).
std::string PicturesFolder();

// "galaputt-YYYY-MM-DD-HHMMSS.png" in `folder` for the local time `when`; when that file
// exists, "-2", "-3" ... before ".png".
std::string ScreenshotPath(const std::string& folder, std::time_t when);

// Writes width x height RGB565 pixels (rows packed) as a PNG in the pictures folder, made
// when missing. The file written, or empty (with `error` set) when it could not be.
std::string SaveScreenshot(const uint16_t* pixels, int width, int height, std::time_t when,
                           std::string& error);

}  // namespace gp
