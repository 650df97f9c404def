#include <gtest/gtest.h>

#include <cmath>

#include "model/document/EditorData.h"
#include "model/document/Measure.h"
#include "model/document/Tables.h"
#include "model/document/mGeneral.h"
#include "render/FillRectColor_win.h"
#include "render/GdiTextMeasurer_win.h"
#include "render/WinSystemServices_win.h"
#include "text/Cp936.h"
#include "win/GdiHandles.h"

namespace notaline {
namespace {

std::string Gbk(const char* utf8) {
    return tessaly::Utf16ToCp936(*tessaly::Utf8ToUtf16(utf8)).value();
}

class Measuring : public testing::Test {
protected:
    void SetUp() override {
        tessaly::JpData doc;
        doc.FontTbl = {{"Tolvane", 2, 14, 4}, {Gbk("宋体"), 134, 15, 3}};
        LoadDocument(data, std::move(doc));
        data.NotationFontName = "Tolvane";
        data.PropertiesDpi = 96;
        data.WindowsZoom = 1;
        data.Measurer = measurer;
    }
    tessaly::mLogFont Font(int16_t index, float points) {
        tessaly::mLogFont f;
        f.FontTblIndex = index;
        f.lfHeight = PointToLogHeight(data, points);
        f.lfWeight = 400;
        return f;
    }

    GdiTextMeasurer measurer;
    EditorData data;
};

TEST_F(Measuring, NotationFontWidthsAgreeBetweenGdiAndGdiplus) {
    // Both measure the notation font's own advances: GDI+ adds the same padding to each
    // (a third of the em without a string format), so narrow and wide glyphs differ alike.
    const tessaly::mLogFont font = Font(0, 36);  // 48 pixels
    const float padding = 48.0f / 3;
    for (const char* code : {"1", "5", "!", "-", "[", "\xF0\x9D", "\xF0\xA1"}) {
        const tessaly::SIZEF gdip = MeasureWordGdip(data, font, code);
        const tessaly::SIZEF gdi = MeasureWordGdi(data, font, code);
        EXPECT_GT(gdi.cx, 0) << code;
        EXPECT_NEAR(gdi.cx + padding, gdip.cx, 1.0) << code;
    }
    EXPECT_LT(MeasureWordGdi(data, font, "[").cx, MeasureWordGdi(data, font, "1").cx);
}

TEST_F(Measuring, ASpaceMeasuresAsTheDigitTwo) {
    for (int16_t index : {0, 1}) {
        const tessaly::mLogFont font = Font(index, 24);
        const tessaly::SIZEF two = MeasureWordGdip(data, font, "2");
        const tessaly::SIZEF space = MeasureWordGdip(data, font, " ");
        EXPECT_GT(two.cx, 0);
        EXPECT_EQ(two.cx, space.cx);
        EXPECT_EQ(two.cy, space.cy);
    }
}

TEST_F(Measuring, ZoomScalesGdiplusSizesOnly) {
    const tessaly::mLogFont font = Font(1, 24);
    const std::string song = Gbk("宋");
    const tessaly::SIZEF gdip1 = MeasureWordGdip(data, font, song);
    const tessaly::SIZEF gdi1 = MeasureWordGdi(data, font, song);
    data.WindowsZoom = 1.5;
    const tessaly::SIZEF gdip15 = MeasureWordGdip(data, font, song);
    EXPECT_NEAR(gdip1.cx * 1.5, gdip15.cx, 0.02);
    EXPECT_EQ(gdi1.cx, MeasureWordGdi(data, font, song).cx);
    // Hundredths only.
    EXPECT_NEAR(gdip15.cx * 100, std::round(gdip15.cx * 100), 1e-3);
}

TEST(WindowsServices, ColoursAndFills) {
    EditorData data;
    WinSystemServices system;
    data.System = system;
    int32_t r = 0, g = 0, b = 0;
    ColorToRGB(data, RGB(10, 200, 10), r, g, b);
    EXPECT_EQ(10, r);
    EXPECT_EQ(200, g);
    EXPECT_EQ(10, b);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    ColorToRGB(data, 0x80000000u | COLOR_WINDOW, r, g, b);
    EXPECT_EQ(GetRValue(window), r);
    EXPECT_EQ(GetGValue(window), g);
    EXPECT_EQ(GetBValue(window), b);

    win::OwnedDc screen(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    win::OwnedDc dc(CreateCompatibleDC(screen.Get()));
    win::BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), 20, 20));
    win::SelectScope select(dc.Get(), bitmap.Get());
    FillRectColor(dc.Get(), 0, 0, 20, 20, RGB(255, 255, 255));
    FillRectColor(dc.Get(), 2.5f, 3.5f, 10.4f, 12.6f, RGB(255, 0, 0));  // 2, 4, 10, 13
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc.Get(), 2, 4));
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc.Get(), 9, 12));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc.Get(), 10, 12));  // right edge excluded
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc.Get(), 9, 13));   // bottom edge excluded
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc.Get(), 2, 3));
    EXPECT_EQ(0, GetShiftState(data));  // nothing is held in the test session
}

}  // namespace
}  // namespace notaline
