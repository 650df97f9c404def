#pragma once

#include <cstdint>
#include <string_view>

#include "paint/PaintContext.h"

namespace notaline {

void DrawExtralKeyChange(PaintContext& ctx, int32_t word, int32_t slot);
void DrawExtralText(PaintContext& ctx, int32_t word, std::string_view text, int32_t hOffset, int32_t vOffset);
void DrawExtralBoxedText(PaintContext& ctx, int32_t word, std::string_view text, int32_t hOffset, int32_t vOffset);
// A solfège digit "1" to "7", translucent over the note.
void DrawExtralAlphaDigit(PaintContext& ctx, int32_t word, std::string_view digit, int32_t vOffset);

}  // namespace notaline
