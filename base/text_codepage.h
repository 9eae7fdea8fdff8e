#pragma once
// Player names are kept in the single-byte Western code page (Windows-1252),
// as the game's fonts and the saved settings know them.

#include <string>
#include <string_view>

namespace gp {

// UTF-8 text in the Western code page: characters outside it become "?", and
// so do bytes that are not valid UTF-8.
std::string ToWesternCodePage(std::string_view utf8);
// The other way, for showing a name in an editor that speaks UTF-8.
std::string FromWesternCodePage(std::string_view text);

}  // namespace gp
