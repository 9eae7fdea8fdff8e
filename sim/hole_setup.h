#pragma once
// The per-hole part of setting up a hole, once its files are loaded: balls back
// to the start, per-hole resets, the starting player, the fixed decorations, the
// loops, and the hole card.

#include <string>

namespace gp {

// Runs after the hole file, pictures and sounds of `holename` are loaded.
void SetUpHole();

// Fills sprite slots 35..40 with the fixed decorations of the named hole
// (exact, case-sensitive names); other holes have none. Slots are not cleared.
void PlaceDecorations(const std::string& holename);

// Effect sound of the loading loop; background sound of the hole's loop.
inline constexpr int kLoadingLoop = 6;
inline constexpr int kHoleLoop = 0;

// Both sound switches are on: the loops may play.
bool LoopsWanted();

}  // namespace gp
