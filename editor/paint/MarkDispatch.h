#pragma once

#include <cstdint>

#include "paint/PaintContext.h"

namespace notaline {

// Draws the attached marks of one character, slots 0 to 7 in order.
void DrawExtralWord(PaintContext& ctx, int32_t word);

}  // namespace notaline
