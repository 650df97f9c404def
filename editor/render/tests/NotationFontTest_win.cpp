#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/NotationFont_win.h"
#include "win/GdiHandles.h"
#include "win/tests/Capture_win.h"

namespace notaline {
namespace {

struct GlyphEntry {
    unsigned Unicode;
    bool Tiling;
    const char* Name;
};

const GlyphEntry kGlyphs[] = {
#include "NotationGlyphs.inc"
};

// em 204 pixels: one offset unit (em / 20.4) is 10 pixels.
constexpr int kEm = 204;
constexpr int kUnit = 10;

win::FontHandle NotationFont(int em) {
    LOGFONTW lf{};
    lf.lfHeight = -em;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SYMBOL_CHARSET;
    wcscpy(lf.lfFaceName, kNotationFontFamily);
    return win::FontHandle(CreateFontIndirectW(&lf));
}

int CALLBACK CollectCharsets(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM sets) {
    reinterpret_cast<std::vector<int>*>(sets)->push_back(lf->lfCharSet);
    return 1;
}

TEST(NotationFont, IsEnumeratedInTheSymbolSet) {
    ASSERT_TRUE(LoadNotationFont());
    win::OwnedDc dc(CreateCompatibleDC(nullptr));
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    wcscpy(query.lfFaceName, kNotationFontFamily);
    std::vector<int> sets;
    EnumFontFamiliesExW(dc.Get(), &query, CollectCharsets, reinterpret_cast<LPARAM>(&sets), 0);
    ASSERT_FALSE(sets.empty());
    for (int s : sets) EXPECT_EQ(SYMBOL_CHARSET, s);

    win::FontHandle font = NotationFont(kEm);
    win::SelectScope select(dc.Get(), font.Get());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc.Get(), LF_FACESIZE, face);
    EXPECT_STREQ(kNotationFontFamily, face);
}

TEST(NotationFont, HasEveryGlyphAndTilingPiecesAreAverageWide) {
    win::OwnedDc dc(CreateCompatibleDC(nullptr));
    win::FontHandle font = NotationFont(kEm);
    win::SelectScope select(dc.Get(), font.Get());
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(dc.Get(), &tm));
    EXPECT_EQ(SYMBOL_CHARSET, tm.tmCharSet);
    ASSERT_GT(std::size(kGlyphs), 100u);
    int tiling = 0;
    for (const auto& g : kGlyphs) {
        const WCHAR ch = static_cast<WCHAR>(g.Unicode);
        WORD index = 0;
        ASSERT_EQ(1u, GetGlyphIndicesW(dc.Get(), &ch, 1, &index, GGI_MARK_NONEXISTING_GLYPHS));
        EXPECT_NE(0xFFFF, index) << g.Name;
        EXPECT_NE(0, index) << g.Name;
        if (!g.Tiling) continue;
        ++tiling;
        INT width = 0;
        ASSERT_TRUE(GetCharWidth32W(dc.Get(), ch, ch, &width));
        EXPECT_EQ(tm.tmAveCharWidth, width) << g.Name;
    }
    EXPECT_GE(tiling, 10);
}

// Rows holding ink (dark pixels) of a 32-bit top-down bitmap, as [first, last]; {-1, -1} when none.
struct InkRows {
    int Top = -1;
    int Bottom = -1;
};

InkRows DrawAndFindInk(HDC dc, const uint32_t* pixels, int width, int height, wchar_t ch, int x, int y) {
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TextOutW(dc, x, y, &ch, 1);
    GdiFlush();
    InkRows rows;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            if ((pixels[r * width + c] & 0xFF) < 128) {
                if (rows.Top < 0) rows.Top = r;
                rows.Bottom = r;
                break;
            }
    return rows;
}

TEST(NotationFont, LinesFallBelowAndDotsAboveTheDigit) {
    constexpr int kWidth = 300, kHeight = 700;
    void* bits = nullptr;
    win::OwnedDc dc(CreateCompatibleDC(nullptr));
    win::BitmapHandle bitmap = win::test::TopDownDib(dc.Get(), kWidth, kHeight, &bits);
    ASSERT_TRUE(bitmap);
    win::SelectScope selectBitmap(dc.Get(), bitmap.Get());
    win::FontHandle font = NotationFont(kEm);
    win::SelectScope selectFont(dc.Get(), font.Get());
    SetTextColor(dc.Get(), RGB(0, 0, 0));
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextAlign(dc.Get(), TA_TOP | TA_LEFT);
    const auto* pixels = static_cast<const uint32_t*>(bits);

    // The cell at (50, 250); duration lines move down hYc = 4 units, high octave dots up hYg = 14.
    const InkRows digit = DrawAndFindInk(dc.Get(), pixels, kWidth, kHeight, 0xF031, 50, 250);
    const InkRows line = DrawAndFindInk(dc.Get(), pixels, kWidth, kHeight, 0xF021, 50, 250 + 4 * kUnit);
    const InkRows dot = DrawAndFindInk(dc.Get(), pixels, kWidth, kHeight, 0xF024, 50, 250 - 14 * kUnit);
    ASSERT_GE(digit.Top, 0);
    ASSERT_GE(line.Top, 0);
    ASSERT_GE(dot.Top, 0);
    EXPECT_GT(line.Top, digit.Bottom);
    EXPECT_LT(dot.Bottom, digit.Top);
}

}  // namespace
}  // namespace notaline
