#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "model/document/MeasureCache.h"

namespace notaline {
namespace {

struct Asked {
    MeasurePath Path = MeasurePath::Gdiplus;
    int32_t Dpi = 96;
    tessaly::LogFont Font;
    float Em = 12;
    std::u16string Text = u"\uF031";
};

Asked Base() {
    Asked a;
    std::memcpy(a.Font.lfFaceName, "Tolvane", 8);
    a.Font.lfWeight = 400;
    a.Font.lfCharSet = 2;
    return a;
}

// Every value that decides a size keeps its own entry: each row changes one of them.
TEST(MeasureCache, EachValueThatDecidesASizeIsMeasuredOnItsOwn) {
    const std::function<void(Asked&)> rows[] = {
        [](Asked& a) { a.Path = MeasurePath::Gdi; },
        [](Asked& a) { a.Dpi = 120; },
        [](Asked& a) { a.Em = 12.5f; },
        [](Asked& a) { a.Font.lfHeight = -16; },
        [](Asked& a) { a.Font.lfWeight = 700; },
        [](Asked& a) { a.Font.lfItalic = 1; },
        [](Asked& a) { a.Font.lfUnderline = 1; },
        [](Asked& a) { a.Font.lfStrikeOut = 1; },
        [](Asked& a) { a.Font.lfCharSet = 134; },
        [](Asked& a) { std::memcpy(a.Font.lfFaceName, "Tolvanf", 8); },
        [](Asked& a) { a.Text = u"\uF032"; },
        [](Asked& a) { a.Text = u"\uF031\uF031"; },
    };
    for (size_t row = 0; row < std::size(rows); ++row) {
        MeasureCache cache;
        int measured = 0;
        auto get = [&](const Asked& a, float width) {
            return cache.Get(a.Path, a.Dpi, a.Font, a.Em, a.Text, [&] {
                ++measured;
                return tessaly::SIZEF{width, 1};
            });
        };
        Asked other = Base();
        rows[row](other);
        EXPECT_EQ(get(Base(), 10).cx, 10) << row;
        EXPECT_EQ(get(other, 20).cx, 20) << row;
        EXPECT_EQ(get(Base(), 30).cx, 10) << row;
        EXPECT_EQ(get(other, 40).cx, 20) << row;
        EXPECT_EQ(measured, 2) << row;
    }
}

TEST(MeasureCache, FailuresAreAskedAgainAndOffMeasuresEveryTime) {
    MeasureCache cache;
    const Asked a = Base();
    int measured = 0;
    auto get = [&](float width) {
        return cache.Get(a.Path, a.Dpi, a.Font, a.Em, a.Text, [&] {
            ++measured;
            return tessaly::SIZEF{width, width};
        });
    };
    EXPECT_EQ(get(0).cx, 0);  // nothing measured: not kept
    EXPECT_EQ(get(7).cx, 7);
    EXPECT_EQ(get(8).cx, 7);
    EXPECT_EQ(measured, 2);
    cache.SetEnabled(false);
    EXPECT_EQ(get(9).cx, 9);
    EXPECT_EQ(cache.Size(), 0u);
    cache.SetEnabled(true);
    EXPECT_EQ(get(10).cx, 10);
}

}  // namespace
}  // namespace notaline
