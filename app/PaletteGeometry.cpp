#include "PaletteGeometry.h"

#include <algorithm>
#include <cmath>

#include "records/Numbers.h"

namespace tavolin {
namespace {

int Nearest(double v) {
    return static_cast<int>(std::nearbyint(v));  // the default rounding mode: halves to even
}

}  // namespace

uint32_t PaletteColour(int cell) {
    static constexpr uint32_t colours[kPaletteCells] = {0x50FF8080, 0x5080FF80, 0x50FFC080, 0x50FF80FF,
                                                        0x508080FF, 0x50FFFF00, 0x5080FFFF, 0};
    return cell >= 0 && cell < kPaletteCells ? colours[cell] : 0;
}

uint32_t PaletteDocumentColour(int cell) {
    return tessaly::SwapRedBlue(PaletteColour(cell));
}

PixelRect PaletteCellRect(int cell) {
    const int left = cell % 4 * kPaletteCellPitch, top = cell / 4 * kPaletteCellPitch;
    return {left, top, left + kPaletteCellSize, top + kPaletteCellSize};
}

int PaletteCellAt(int x, int y) {
    if (x < 0 || y < 0) return -1;
    const int column = std::min(x / kPaletteCellPitch, 3), row = std::min(y / kPaletteCellPitch, 1);
    const int cell = row * 4 + column;
    const PixelRect r = PaletteCellRect(cell);
    return x < r.right && y < r.bottom ? cell : -1;
}

int PaletteTwipsPerPixel(int dpi) {
    return dpi > 0 ? std::max(1, Nearest(1440.0 / dpi)) : 15;
}

int PaletteTwipsToPixels(double twips, int dpi) {
    return Nearest(twips) / PaletteTwipsPerPixel(dpi);
}

int PaletteScale(int pixels96, int dpi) {
    return Nearest(static_cast<double>(pixels96) * dpi / 96.0);
}

int PaletteOrigin(double twips) {
    return Nearest(twips) / 15;
}

PixelRect KeepInside(PixelRect r, const PixelRect& work) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    r.left = std::max(work.left, std::min(r.left, work.right - w));
    r.top = std::max(work.top, std::min(r.top, work.bottom - h));
    return {r.left, r.top, r.left + w, r.top + h};
}

}  // namespace tavolin
