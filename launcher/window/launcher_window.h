#pragma once
// The program's main window: the launcher with its background animation,
// panels and sounds; the intro movies at its first showing; the game window
// started from it and its return; the exit picture at the end.

#include <cstdint>
#include <optional>
#include <string>

namespace gp {

struct ProgramOptions {
  bool windowed = false;
  std::optional<uint64_t> seed;  // for every game; none: from the clock
  std::string record;            // replay file of the first game; empty = none
};

// Runs the launcher until "Exit" (or the window is closed); the exit code.
int RunLauncher(const ProgramOptions& options);

}  // namespace gp
