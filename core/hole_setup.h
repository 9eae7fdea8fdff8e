#pragma once
// Sets up the hole named by `holename`: files, per-hole resets, starting player,
// decorations, background loop; ends with the hole card shown.

namespace gp {

void HoleInit();

}  // namespace gp
