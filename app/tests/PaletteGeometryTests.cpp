#include <gtest/gtest.h>

#include <tuple>

#include "ButtonColours.h"
#include "PaletteGeometry.h"

namespace tavolin {
namespace {

auto Tie(const PixelRect& r) {
    return std::tie(r.left, r.top, r.right, r.bottom);
}

TEST(PaletteGeometry, PlacementFollowsTheDpiAndStaysOnTheScreen) {
    const struct {
        int dpi, twipsPerPixel, x, y;
    } rows[] = {{96, 15, 300, 200}, {120, 12, 375, 250}, {144, 10, 450, 300}, {192, 8, 600, 400}};
    for (const auto& r : rows) {
        EXPECT_EQ(r.twipsPerPixel, PaletteTwipsPerPixel(r.dpi)) << r.dpi;
        EXPECT_EQ(std::make_pair(r.x, r.y), std::make_pair(PaletteScale(300, r.dpi), PaletteScale(200, r.dpi)));
    }
    EXPECT_EQ(193, PaletteTwipsToPixels(1932, 144));
    EXPECT_EQ(133, PaletteOrigin(1999.6));  // rounded, then divided whole
    const PixelRect work{0, 0, 1024, 738}, inside{100, 100, 229, 165};
    EXPECT_EQ(Tie(inside), Tie(KeepInside(inside, work)));
    EXPECT_EQ(Tie(PixelRect{895, 673, 1024, 738}), Tie(KeepInside({1000, 700, 1129, 765}, work)));
    EXPECT_EQ(Tie(PixelRect{0, 0, 129, 65}), Tie(KeepInside({-40, -10, 89, 55}, work)));
}

// The yellow highlight (stored 0x5000FFFF) showed cyan on the button: it must get the ARGB picked.
TEST(PaletteGeometry, ButtonsAndSwatchesShowTheColourPicked) {
    for (int cell = 0; cell + 1 < kPaletteCells; ++cell) {
        EXPECT_EQ(PaletteColour(cell), static_cast<uint32_t>(BackButtonColour(PaletteDocumentColour(cell)))) << cell;
        EXPECT_EQ(PaletteDocumentColour(cell) & 0xFFFFFFu, SwatchColour(PaletteDocumentColour(cell))) << cell;
    }
    EXPECT_EQ(0xFFD4D0C8u, static_cast<uint32_t>(NoBackButtonColour(0xC8D0D4)));
    EXPECT_EQ(0xFF, TextButtonColour(0xFF0000FFu));  // red text: an OLE colour, red low
}

TEST(PaletteGeometry, CellsOverlapByOnePixelAndOnlyTheLastClears) {
    for (int c = 0; c < 7; ++c) EXPECT_EQ(0x50u, PaletteColour(c) >> 24) << c;
    EXPECT_EQ(0x50FFFF00u, PaletteColour(5));
    EXPECT_EQ(0x5000FFFFu, PaletteDocumentColour(5));  // red in the low byte, as the document keeps it
    EXPECT_EQ(0u, PaletteColour(7));
    EXPECT_EQ(Tie(PixelRect{96, 32, 129, 65}), Tie(PaletteCellRect(7)));
    const int hits[][3] = {{31, 31, 0}, {32, 0, 1}, {40, 40, 5}, {129, 0, -1}, {0, 65, -1}};
    for (const auto& h : hits) EXPECT_EQ(h[2], PaletteCellAt(h[0], h[1])) << h[0] << "," << h[1];
}

}  // namespace
}  // namespace tavolin
