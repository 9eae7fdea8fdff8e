#pragma once
// Reading a hole file (".hole") into the game state.

#include <string>

namespace gp {

// Reads the file at `path` (a missing file gives every default) and fills
// the ball starts, par, totalpar, holepar, areas, cup and nexthole.
void LoadHoleFile(const std::string& path);

}  // namespace gp
