#pragma once
// 8-bit pictures for the asset compiler: reducing a picture to a 256-colour
// palette (median cut, then Floyd-Steinberg error diffusion so gradients stay
// smooth) and writing it as an 8-bit Windows bitmap file. Deterministic.

#include <cstdint>
#include <vector>

#include "media/byte_reader.h"
#include "media/picture.h"

namespace gp::assets {

struct IndexedPicture {
  int width = 0, height = 0;
  std::vector<uint32_t> palette;  // up to 256 colours 0x00BBGGRR
  std::vector<uint8_t> indices;   // one palette index per pixel, row-major, top row first
};

// The picture reduced to at most 256 colours.
IndexedPicture Quantise(const Picture& picture);

// An uncompressed 8-bit bottom-up bitmap file with a full 256-entry colour
// table (unused entries black).
Bytes EncodeBitmap8(const IndexedPicture& picture);

}  // namespace gp::assets
