// The pictures compiled into Kavrel.dll, the painter that composes them and
// the drawing object under it.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "ButtonPainter_win.h"
#include "cGDIPlus_win.h"

using namespace kavrel;
namespace flat = Gdiplus::DllExports;

namespace {

struct Library {
    HMODULE module = LoadLibraryW(L"Kavrel.dll");
    ~Library() {
        if (module) FreeLibrary(module);
    }
};

using Entry = std::tuple<std::wstring, int, int>;  // type, identifier, language

BOOL CALLBACK OnLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR param) {
    auto* found = reinterpret_cast<std::set<Entry>*>(param);
    found->emplace(type, IS_INTRESOURCE(name) ? int(reinterpret_cast<ULONG_PTR>(name)) : -1, language);
    return TRUE;
}
BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    EnumResourceLanguagesW(module, type, name, OnLanguage, param);
    return TRUE;
}
BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR param) {
    // Numbered types (version, manifest) are not pictures.
    if (!IS_INTRESOURCE(type)) EnumResourceNamesW(module, type, OnName, param);
    return TRUE;
}

// Decodes PNG bytes into a bitmap of its own.
Gdiplus::GpBitmap* Decode(const std::vector<BYTE>& bytes) {
    IStream* stream = SHCreateMemStream(bytes.data(), UINT(bytes.size()));
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (stream) {
        flat::GdipCreateBitmapFromStream(stream, &bitmap);
        stream->Release();
    }
    return bitmap;
}

ARGB Pixel(Gdiplus::GpImage* image, int x, int y) {
    Gdiplus::ARGB argb = 0;
    flat::GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(image), x, y, &argb);
    return ARGB(argb);
}

class Painting : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(lib.module);
        ASSERT_EQ(gdi.m_uLastStatus, Gdiplus::Ok);
        ASSERT_EQ(gdi.CreateGraphicsWithImage(32, 32, PixelFormat32bppARGB), Gdiplus::Ok);
        in.faceWidth = 32;
        in.faceHeight = 32;
        in.colours = {0x00C8D0D4, 0x000000FF, static_cast<int32_t>(0xFF00FF00)};
    }
    Library lib;
    cGDIPlus gdi;
    FaceInput in;
    ButtonPainter painter{gdi, lib.module};
};

}  // namespace

TEST(ButtonImages, EveryPictureIsInTheLibraryInChineseAndDecodesToItsSize) {
    Library lib;
    ASSERT_TRUE(lib.module);
    std::set<Entry> found, wanted;
    EnumResourceTypesW(lib.module, OnType, reinterpret_cast<LONG_PTR>(&found));
    for (const auto& g : ImageGroups())
        for (int id : g.ids) wanted.emplace(g.type, id, 2052);
    EXPECT_EQ(found, wanted);
    EXPECT_EQ(found.size(), 202u);

    cGDIPlus gdi;  // keeps GDI+ started
    for (const auto& g : ImageGroups()) {
        for (int id : g.ids) {
            // Type names match without regard to case.
            std::wstring lower(g.type);
            for (auto& c : lower) c = wchar_t(towlower(c));
            const auto bytes = LoadButtonImage(lib.module, lower.c_str(), id);
            ASSERT_TRUE(bytes) << g.type << id;
            Gdiplus::GpBitmap* bitmap = Decode(*bytes);
            ASSERT_TRUE(bitmap) << g.type << id;
            const win::gdip::Image owned(bitmap);
            UINT w = 0, h = 0;
            Gdiplus::PixelFormat format = 0;
            flat::GdipGetImageWidth(bitmap, &w);
            flat::GdipGetImageHeight(bitmap, &h);
            flat::GdipGetImagePixelFormat(bitmap, &format);
            EXPECT_EQ(int(w), g.width) << g.type << id;
            EXPECT_EQ(int(h), g.height) << g.type << id;
            EXPECT_EQ(format, PixelFormat32bppARGB) << g.type << id;
        }
    }
}

TEST_F(Painting, HoverFaceIsTheBackgroundAndForegroundScaledToTheFace) {
    painter.Paint(in, Pic_Yc, kHover, 2);
    // The same two pictures composed independently on a clear bitmap.
    cGDIPlus expected;
    ASSERT_EQ(expected.CreateGraphicsWithImage(32, 32, PixelFormat32bppARGB), Gdiplus::Ok);
    for (const auto& [type, id] : {std::pair{L"FORMAT_BK", 102}, std::pair{L"FORMAT_YC", 102}}) {
        const auto bytes = LoadButtonImage(lib.module, type, id);
        ASSERT_TRUE(bytes);
        const win::gdip::Image image(Decode(*bytes));
        flat::GdipDrawImageRectI(expected.CurrentGraphics(), image.get(), 0, 0, 32, 32);
    }
    int inked = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            ASSERT_EQ(Pixel(gdi.CurrentImage(), x, y), Pixel(expected.CurrentImage(), x, y)) << x << "," << y;
            if ((Pixel(gdi.CurrentImage(), x, y) & 0xFFFFFF) < 0x404040) ++inked;
        }
    }
    EXPECT_GT(inked, 10);  // the digit and its line
}

TEST_F(Painting, NormalAndDisabledFacesStandOnTheOpaqueBackColour) {
    painter.Paint(in, Pic_Yc, kNormal, 1);
    EXPECT_EQ(Pixel(gdi.CurrentImage(), 0, 0), 0xFFD4D0C8u);
    // A disabled symbol button shows its symbol in grey ink on the fill, none of it dark.
    painter.Paint(in, MunButtom, kDisabled, 5);
    int grey = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const uint32_t p = Pixel(gdi.CurrentImage(), x, y) & 0xFF;
            ASSERT_GT(p, 0x80u) << x << "," << y;
            grey += p < 0xC0;
        }
    EXPECT_GT(grey, 10);
}

TEST_F(Painting, ColourButtonsShowTheirColours) {
    // Highlight button: a plain RGB back colour is transparent over the fill colour.
    painter.Paint(in, Pic_BKColor, kNormal, 1);
    EXPECT_EQ(Pixel(gdi.CurrentImage(), 0, 0), 0xFF00FF00u);
    in.colours.backColor = static_cast<int32_t>(0xFF0000FF);  // ARGB blue
    painter.Paint(in, Pic_BKColor, kNormal, 1);
    EXPECT_EQ(Pixel(gdi.CurrentImage(), 0, 0), 0xFF0000FFu);
    // Text-colour button: the bar under the letter in the fore colour, opaque.
    painter.Paint(in, Pic_FrColor, kHover, 1);
    const Rect bar = ColourBarRect(32, 32);
    EXPECT_EQ(Pixel(gdi.CurrentImage(), bar.x + bar.width / 2, bar.y + bar.height / 2), 0xFFFF0000u);
    EXPECT_EQ(Pixel(gdi.CurrentImage(), 0, 0), 0xFF00FF00u);
}

TEST_F(Painting, ArcTypePaintsOnceAndOnItsOwnBitmap) {
    // Before the control has its size there is nothing to draw, and it does not count.
    in.faceWidth = 0;
    painter.Paint(in, HuXian, kNormal, 1);
    in.faceWidth = 120;
    painter.Paint(in, HuXian, kNormal, 1);
    ASSERT_TRUE(gdi.CurrentImage());
    UINT w = 0, h = 0;
    flat::GdipGetImageWidth(gdi.CurrentImage(), &w);
    flat::GdipGetImageHeight(gdi.CurrentImage(), &h);
    EXPECT_EQ(w, 120u);
    EXPECT_EQ(h, 30u);
    int inked = 0;
    for (UINT x = 0; x < w; ++x)
        for (UINT y = 0; y < h; ++y) inked += (Pixel(gdi.CurrentImage(), x, y) >> 24) > 0x80;
    EXPECT_GT(inked, 20);
    gdi.SolidFillRectangle(-10, -10, 130, 40, 0xFF123456, Gdiplus::UnitPixel);
    painter.Paint(in, HuXian, kNormal, 1);
    EXPECT_EQ(Pixel(gdi.CurrentImage(), 60, 25), 0xFF123456u);
}

TEST(cGDIPlus, NestedObjectsStartAndStopGdiPlusEachWithTheirOwnBitmaps) {
    auto* outer = new cGDIPlus;
    ASSERT_EQ(outer->CreateGraphicsWithImage(8, 8, PixelFormat32bppARGB), Gdiplus::Ok);
    {
        cGDIPlus inner;
        ASSERT_EQ(inner.CreateGraphicsWithImage(4, 4, PixelFormat32bppARGB), Gdiplus::Ok);
        // A second bitmap replaces the first with its graphics.
        ASSERT_EQ(inner.CreateGraphicsWithImage(6, 6, PixelFormat32bppARGB), Gdiplus::Ok);
        EXPECT_EQ(inner.SolidFillRectangle(0, 0, 6, 6, 0xFF102030, Gdiplus::UnitPixel), Gdiplus::Ok);
    }
    // The outer object still draws after the inner one shut its start-up down.
    EXPECT_EQ(outer->SolidFillRectangle(0, 0, 8, 8, 0xFF405060, Gdiplus::UnitPixel), Gdiplus::Ok);
    EXPECT_EQ(Pixel(outer->CurrentImage(), 7, 7), 0xFF405060u);
    delete outer;
}

TEST(cGDIPlus, StreamDrawingRefusesEmptyAndBrokenBytes) {
    cGDIPlus gdi;
    ASSERT_EQ(gdi.CreateGraphicsWithImage(8, 8, PixelFormat32bppARGB), Gdiplus::Ok);
    const BYTE junk[] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(gdi.DrawImageFromStream_ToWH(junk, -1, 0, 0, 8, 8), Gdiplus::InvalidParameter);
    EXPECT_EQ(gdi.DrawImageFromStream_ToWH(nullptr, 7, 0, 0, 8, 8), Gdiplus::InvalidParameter);
    EXPECT_NE(gdi.DrawImageFromStream_ToWH(junk, 7, 0, 0, 8, 8), Gdiplus::Ok);
    EXPECT_NE(gdi.DrawImageFromStream(junk, 7, 0, 0, 1, 1), Gdiplus::Ok);
}

TEST(cGDIPlus, SavesItsBitmapAndDrawsItBackFromTheFile) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring png = std::wstring(folder) + L"kavrel_save_test.png";
    {
        cGDIPlus gdi;
        ASSERT_EQ(gdi.CreateGraphicsWithImage(10, 6, PixelFormat32bppARGB), Gdiplus::Ok);
        gdi.SolidFillRectangle(0, 0, 10, 6, 0xFFAA5500, Gdiplus::UnitPixel);
        EXPECT_EQ(gdi.SaveFile(png, GpSavePNG), Gdiplus::Ok);
        EXPECT_EQ(gdi.SaveFile(png + L".x", 9), Gdiplus::Ok);  // an unknown format does nothing
        EXPECT_EQ(GetFileAttributesW((png + L".x").c_str()), INVALID_FILE_ATTRIBUTES);
    }
    cGDIPlus gdi;
    ASSERT_EQ(gdi.CreateGraphicsWithImage(20, 12, PixelFormat32bppARGB), Gdiplus::Ok);
    EXPECT_EQ(gdi.DrawImageFromFile(png, 0, 0, 2, 2), Gdiplus::Ok);
    EXPECT_EQ(Pixel(gdi.CurrentImage(), 10, 6), 0xFFAA5500u);  // edges blend when scaled
    EXPECT_NE(gdi.DrawImageFromFile(png + L".missing", 0, 0, 1, 1), Gdiplus::Ok);
    DeleteFileW(png.c_str());
}

TEST(cGDIPlus, SplitsOleColoursResolvingSystemColours) {
    cGDIPlus gdi;
    int32_t r = -1, g = -1, b = -1;
    gdi.GetRBGFromOLEColour(0x00332211, r, g, b);
    EXPECT_EQ(r, 0x11);
    EXPECT_EQ(g, 0x22);
    EXPECT_EQ(b, 0x33);
    gdi.GetRBGFromOLEColour(0x80000000 | COLOR_WINDOWTEXT, r, g, b);
    const COLORREF sys = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(r, GetRValue(sys));
    EXPECT_EQ(g, GetGValue(sys));
    EXPECT_EQ(b, GetBValue(sys));
}
