#pragma once
// Players' names as the panel, the labels and the standings show them.

#include <string>
#include <string_view>

namespace gp {

// Capitals of a name in the single-byte Western code page (a..z and every
// lower-case letter the page has a capital for); other bytes stay as they are.
std::string Capitalized(std::string_view s);
// Player p's label: "2. PLAYER 2 (7)" with the first n characters of the name.
std::string PlayerLabel(int p, int n);

}  // namespace gp
