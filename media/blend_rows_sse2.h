#pragma once
// The SSE2 loops of media/blend_rows.h: eight pixels per step. Present where
// the build targets SSE2 (every x86-64); the same contracts as BlendBlock and
// FillAlphaBlock.

#include <cstdint>

#include "media/blend_rows.h"

namespace gp::sse2 {

#ifdef __SSE2__
void BlendBlock(BlendKind kind, const PixelBlock& b, int alpha, bool keyed, uint16_t key);
void FillAlphaBlock(const PixelBlock& b, uint16_t colour, int alpha);
#endif

}  // namespace gp::sse2
