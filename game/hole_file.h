#pragma once
// Reading a hole file (".hole") into the game state.

#include <string>
#include <string_view>

namespace gp {

class Profile;
struct Area;

// Tries per ball start before a start closer than 18 to another ball is accepted
// anyway (a start point hemmed in by other records could otherwise loop for ever).
constexpr int kMaxStartTries = 1000;

// Reads the file at `path` (a missing file gives every default) and fills
// the ball starts, par, totalpar, holepar, areas, cup and nexthole.
void LoadHoleFile(const std::string& path);
// The same from the file's bytes already in memory.
void LoadHoleText(std::string_view text);
// Area `i` (1..99) of a parsed hole file, every field as the game reads it.
Area ReadHoleArea(const Profile& profile, int i);
// The same from a parsed profile.
void LoadHole(const Profile& profile);

}  // namespace gp
