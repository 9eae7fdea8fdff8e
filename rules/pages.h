#pragma once
// Full-screen pages: score details, putting help, hole card.

namespace gp {

void DrawPages();

}  // namespace gp
