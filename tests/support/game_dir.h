#pragma once
// The build's program folder, where the programs and the generated data are.

#include <string>

namespace gp::test {

// Ends with '/'.
inline const std::string kGameDir = std::string(GALAPUTT_GAME_DIR) + "/";

inline std::string GameFile(const std::string& name) {
  return kGameDir + name;
}

}  // namespace gp::test
