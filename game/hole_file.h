#pragma once
// Reading a hole file (".hole") into the game state.

#include <string>
#include <string_view>

namespace gp {

class Profile;

// Tries per ball start before a start closer than 18 to another ball is accepted
// anyway (a start point hemmed in by other records could otherwise loop for ever).
constexpr int kMaxStartTries = 1000;

// Reads the file at `path` (a missing file gives every default) and fills
// the ball starts, par, totalpar, holepar, areas, cup and nexthole.
void LoadHoleFile(const std::string& path);
// The same from the file's bytes already in memory.
void LoadHoleText(std::string_view text);
// The same from a parsed profile.
void LoadHole(const Profile& profile);

}  // namespace gp
