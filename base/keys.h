#pragma once
// Game key codes: the virtual-key numbers the game's handlers compare against.

namespace gp {

enum Key : int {
  kKeyEnter = 13,
  kKeyEsc = 27,
  kKeySpace = 32,
  kKeyPageUp = 33,
  kKeyEnd = 35,
  kKeyHome = 36,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyF1 = 112,
  kKeyF2 = 113,
  kKeyF3 = 114,
  kKeyF4 = 115,
  kKeyF5 = 116,
  kKeyF8 = 119,
};

}  // namespace gp
