#pragma once
// Errors raised while loading asset files, carrying the game's fixed messages
// ("Cannot open file %s", "Invalid stream format", "Stream read error", ...).

#include <stdexcept>
#include <string>

namespace gp {

struct AssetError : std::runtime_error {
  explicit AssetError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace gp
