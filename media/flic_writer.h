#pragma once
// Writing FLIC animations: FLC for the game's data (the asset compiler) and FLI for
// tests. Output is deterministic: the same frames always give the same bytes.

#include <array>
#include <cstdint>
#include <vector>

namespace gp {

struct FlicFrame {
  std::vector<uint8_t> pixels;       // width*height palette indices, top row first
  std::array<uint8_t, 768> palette;  // R, G, B (0..255) per entry
};

// An FLC file: a 256-level palette chunk on the first frame and whenever the palette changes,
// byte-run (type 15) first frame, word-oriented delta (type 7) frames after, a ring frame at the
// end. A delta larger than a byte run of the whole frame is written as the byte run; a byte run
// larger than the raw pixels as an uncompressed frame. Throws std::invalid_argument for a size
// outside 1..4096, no frames or more than 65535, pixels of the wrong size or a negative delay.
std::vector<uint8_t> EncodeFlc(int width, int height, int delay_ms,
                               const std::vector<FlicFrame>& frames);

// The same as an FLI file: 64-level palette chunks (type 11, each component stored as
// value >> 2), byte-oriented deltas (type 12), the delay in 1/70 s.
std::vector<uint8_t> EncodeFli(int width, int height, int delay_jiffies,
                               const std::vector<FlicFrame>& frames);

}  // namespace gp
