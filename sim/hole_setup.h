#pragma once
// Sets up the hole named by `holename`: loading picture, the hole's wave list,
// image list and hole file, per-hole resets, the starting player, the fixed
// decorations and the background loop; ends with the hole card shown and the
// frame timer enabled.
//
// Runs at game start (after `FirstHole`) and at every change of hole. A missing
// or bad ".dxw" or ".dxg" raises AssetError ("Cannot open file <path>", ...):
// the remaining steps do not run and the frame timer stays disabled.

#include <string>

namespace gp {

void HoleInit();

// Fills sprite slots 35..40 with the fixed decorations of the named hole
// (exact, case-sensitive names); other holes have none. Slots are not cleared.
void PlaceDecorations(const std::string& holename);

}  // namespace gp
