#pragma once
// Player names are kept in the single-byte Western code page (Windows-1252),
// as the game's fonts know them; the settings file and the launcher's widgets
// hold them in UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace gp {

// Longest player name kept, characters.
inline constexpr size_t kMaxNameChars = 64;

// A player's name from UTF-8 text, typed or read from the settings file.
// Bytes that are not UTF-8 are read as the Western code page (earlier versions
// wrote names so); characters outside the page and control characters become
// "?"; the first kMaxNameChars characters are kept.
std::string PlayerName(std::string_view text);
// A name in UTF-8, for the settings file and the name field.
std::string NameToUtf8(std::string_view name);

}  // namespace gp
