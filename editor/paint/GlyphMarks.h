#pragma once

#include <cstdint>
#include <string_view>

#include "paint/PaintContext.h"

namespace notaline {

// A glyph of the notation font over the character: centred, or shifted by h units right.
void DrawExtralGlyphCentered(PaintContext& ctx, int32_t word, std::string_view glyph, int32_t vOffset);
void DrawExtralGlyph(PaintContext& ctx, int32_t word, std::string_view glyph, int32_t hOffset, int32_t vOffset);

void DrawExtralTempo(PaintContext& ctx, int32_t word, int32_t slot);
void DrawExtralTrill(PaintContext& ctx, int32_t word, int32_t slot);
void DrawExtralNumber(PaintContext& ctx, int32_t word, int32_t slot);
void DrawExtralFraction(PaintContext& ctx, int32_t word, int32_t numerator, int32_t denominator);
void DrawExtralTempoSpan(PaintContext& ctx, int32_t word, int32_t slot);
void DrawExtralTempoChange(PaintContext& ctx, int32_t word, std::string_view text, int32_t hOffset, int32_t vOffset);
void DrawExtralRepeatSign(PaintContext& ctx, int32_t word, int32_t slot);
void DrawExtralOctaveLine(PaintContext& ctx, int32_t word, int32_t slot);

// The glyph count of a stretching mark: a stored count below 1 counts as 1 (the loader and the
// commands store it so), and a run never exceeds kMaxGlyphRun.
int32_t ClampedRunCount(const PaintContext& ctx, int32_t word, int32_t slot);

}  // namespace notaline
