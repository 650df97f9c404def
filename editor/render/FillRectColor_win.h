#pragma once

#include <windows.h>

#include <cstdint>

namespace notaline {

// Fills a rectangle (right and bottom edges excluded) with a solid colour; the edges are
// rounded to whole pixels, halves to even.
void FillRectColor(HDC dc, float left, float top, float right, float bottom, uint32_t colour);

}  // namespace notaline
