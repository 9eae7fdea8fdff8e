#include "game/names.h"

#include "game/panel_layout.h"
#include "game/state.h"

namespace gp {

std::string Capitalized(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') c = static_cast<char>(u - 32);
    // Western code page: 0xE0..0xFE are the lower-case forms of 0xC0..0xDE (but 0xF7 is a
    // sign); s, oe and z with caron are 0x9A, 0x9C, 0x9E of 0x8A, 0x8C, 0x8E; y-umlaut 0xFF of
    // 0x9F.
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) c = static_cast<char>(u - 32);
    if (u == 0x9A || u == 0x9C || u == 0x9E) c = static_cast<char>(u - 16);
    if (u == 0xFF) c = static_cast<char>(0x9F);
  }
  return out;
}

std::string PlayerLabel(int p, int n) {
  const Ball& b = gs().players[p];
  return std::to_string(p) + ". " + Capitalized(std::string_view(b.name).substr(0, n)) + " (" +
         std::to_string(b.total) + ")";
}

bool PointerIn(const PanelArea& a) {
  return a.Holds(gs().mousex, gs().mousey);
}

}  // namespace gp
