#include <gtest/gtest.h>

#include "PaletteGeometry.h"

namespace tavolin {
namespace {

TEST(PaletteGeometry, PlacementFollowsTheDpi) {
    const struct {
        int dpi, twipsPerPixel, x, y;
    } rows[] = {{96, 15, 300, 200}, {120, 12, 375, 250}, {144, 10, 450, 300}, {192, 8, 600, 400}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.dpi);
        EXPECT_EQ(r.twipsPerPixel, PaletteTwipsPerPixel(r.dpi));
        EXPECT_EQ(r.x, PaletteScale(300, r.dpi));
        EXPECT_EQ(r.y, PaletteScale(200, r.dpi));
    }
    EXPECT_EQ(193, PaletteTwipsToPixels(1932, 144));
    EXPECT_EQ(133, PaletteOrigin(1999.6));  // rounded, then divided whole
}

TEST(PaletteGeometry, CellsOverlapByOnePixelAndOnlyTheLastClears) {
    EXPECT_EQ(0x50FFFF00u, PaletteColour(5));
    EXPECT_EQ(0u, PaletteColour(7));
    for (int c = 0; c < 7; ++c) EXPECT_EQ(0x50u, PaletteColour(c) >> 24) << c;
    const PixelRect last = PaletteCellRect(7);
    EXPECT_EQ(96, last.left);
    EXPECT_EQ(129, last.right);
    EXPECT_EQ(65, last.bottom);
    EXPECT_EQ(0, PaletteCellAt(31, 31));
    EXPECT_EQ(1, PaletteCellAt(32, 0));
    EXPECT_EQ(5, PaletteCellAt(40, 40));
    EXPECT_EQ(-1, PaletteCellAt(129, 0));
    EXPECT_EQ(-1, PaletteCellAt(0, 65));
}

TEST(PaletteGeometry, ThePaletteStaysInsideTheWorkArea) {
    const PixelRect work{0, 0, 1024, 738};
    const struct {
        PixelRect in, out;
    } rows[] = {
        {{100, 100, 229, 165}, {100, 100, 229, 165}},
        {{1000, 700, 1129, 765}, {895, 673, 1024, 738}},
        {{-40, -10, 89, 55}, {0, 0, 129, 65}},
    };
    for (const auto& r : rows) {
        const PixelRect got = KeepInside(r.in, work);
        EXPECT_EQ(r.out.left, got.left);
        EXPECT_EQ(r.out.top, got.top);
        EXPECT_EQ(r.out.right, got.right);
        EXPECT_EQ(r.out.bottom, got.bottom);
    }
}

}  // namespace
}  // namespace tavolin
