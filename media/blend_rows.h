#pragma once
// The pixel loops under the display's blends: blocks of RGB565 pixels combined
// eight at a time (SSE2), or one at a time with its three channels side by side
// (plain C++). Both give exactly the pixels of the reference loops
// (media/blend_reference.h).

#include <cstdint>

namespace gp {

// Which loops run: kVector is SSE2 where the build targets it (every x86-64),
// else the same as kPortable (plain C++). Tests run both on every machine.
enum class BlendPath { kPortable, kVector };

// True when kVector is a path of its own in this build.
bool VectorBlendBuilt();

// How a source pixel s combines with the destination pixel d under it, per
// channel, a = alpha 1..255: kCopy s; kAdd min(max, d + s*a/255);
// kSub max(0, d - s*a/255); kAlpha (s*a + d*(255-a))/255.
enum class BlendKind { kCopy, kAdd, kSub, kAlpha };

// `rows` rows of `width` pixels; destination rows `dpitch` pixels apart, source
// rows `spitch`. The two never overlap.
struct PixelBlock {
  uint16_t* dst = nullptr;
  int dpitch = 0;
  const uint16_t* src = nullptr;
  int spitch = 0;
  int width = 0, rows = 0;
};

// Combines every source pixel of the block into the destination by `kind`;
// with `keyed`, source pixels equal to `key` leave the destination as it is.
void BlendBlock(BlendPath path, BlendKind kind, const PixelBlock& b, int alpha, bool keyed,
                uint16_t key);

// Mixes one colour into every destination pixel of the block:
// (c*alpha + d*(255-alpha))/255 per channel, alpha 1..255 (b.src unused).
void FillAlphaBlock(BlendPath path, const PixelBlock& b, uint16_t colour, int alpha);

}  // namespace gp
