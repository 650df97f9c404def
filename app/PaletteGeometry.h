#pragma once
// Where the highlight palette stands and what its cells hold, without any window.
#include <cstdint>

#include "PixelRect.h"

namespace tavolin {

// Eight cells in two rows of four, 33 px wide at a 32 px pitch (neighbours share a pixel).
constexpr int kPaletteCells = 8;
constexpr int kPaletteCellSize = 33;
constexpr int kPaletteCellPitch = 32;

// The colour a cell applies (alpha, red, green, blue from the top byte); the last cell clears.
uint32_t PaletteColour(int cell);
// The same colour as the document and the button keep it: red in the low byte, alpha on top.
uint32_t PaletteDocumentColour(int cell);
PixelRect PaletteCellRect(int cell);
// The cell under a point of the palette's client area, -1 outside every cell.
int PaletteCellAt(int x, int y);

// Twips per pixel at a DPI, to the nearest integer (halves to even).
int PaletteTwipsPerPixel(int dpi);
// A size in twips as pixels: both operands rounded, then divided whole.
int PaletteTwipsToPixels(double twips, int dpi);
// A position in pixels at 96 DPI as pixels at the given DPI.
int PaletteScale(int pixels96, int dpi);
// The palette's requested corner from the sum of the twips positions, whole pixels at 96 DPI.
int PaletteOrigin(double twips);
// The rectangle moved (not shrunk, unless it is larger) to lie inside the work area.
PixelRect KeepInside(PixelRect r, const PixelRect& work);

}  // namespace tavolin
