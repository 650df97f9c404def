#pragma once

#include <cstdint>

#include "paint/PaintContext.h"

namespace notaline {

// Paired spans: the start draws the whole span when its end shares the line, else the piece
// to the line's end; an end draws the piece from its line's start when its start is elsewhere.
void DrawExtralSpanStart(PaintContext& ctx, int32_t word, int32_t slot, int32_t code);
void DrawExtralSpanEnd(PaintContext& ctx, int32_t word, int32_t slot);
void DrawExtralTupletStart(PaintContext& ctx, int32_t word, int32_t slot);
void DrawExtralTupletEnd(PaintContext& ctx, int32_t word, int32_t slot);

// Hairpins of codes 82 (decrescendo), 83 (crescendo continued) and 84 (decrescendo continued)
// over the stored number of characters.
void DrawExtralLengthHairpin(PaintContext& ctx, int32_t word, int32_t slot);

}  // namespace notaline
