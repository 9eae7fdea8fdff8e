#include "game/names.h"

#include "game/panel_layout.h"
#include "game/state.h"

namespace gp {

std::string Capitalized(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') c = static_cast<char>(u - 32);
    // Western code page: 0xE0..0xFE are the lower-case forms of 0xC0..0xDE (but 0xF7 is a sign).
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) c = static_cast<char>(u - 32);
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
